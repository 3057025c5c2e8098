// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "theorie.h"

#include <array>
#include <cassert>
#include <cstdio>
#include <numeric>

Fraction fraction(std::int64_t numerator, std::int64_t denominator)
{
    assert(denominator > 0);
    const std::int64_t divisor = std::gcd(numerator, denominator);
    return {numerator / divisor, denominator / divisor};
}

Fraction operator+(Fraction a, Fraction b)
{
    return fraction(a.numerator * b.denominator + b.numerator * a.denominator, a.denominator * b.denominator);
}

Fraction operator-(Fraction a, Fraction b)
{
    return fraction(a.numerator * b.denominator - b.numerator * a.denominator, a.denominator * b.denominator);
}

Fraction operator*(Fraction a, Fraction b)
{
    return fraction(a.numerator * b.numerator, a.denominator * b.denominator);
}

Fraction operator/(Fraction a, Fraction b)
{
    return fraction(a.numerator * b.denominator, a.denominator * b.numerator);
}

// Let p be the probability that the held door hides the car. The first pick makes it
// 1/N. The host never opens the held door nor the car's, so opening a door leaves p as it
// is, and the car is equally likely behind each other closed door. A decision taken with
// c doors closed (the held one included) then changes p:
//   keep:            p stays;
//   new door:        one of the c - 1 others, so p becomes (1 - p) / (c - 1);
//   random re-choice: a coin keeps the door, else any of the c doors is drawn:
//                    p becomes p / 2 + (p / c + (1 - p) / c) / 2 = p / 2 + 1 / (2c).
// Decision d (1-based) is taken after d doors have been opened, with c = N - d.
Fraction exactWinFraction(int doorCount, std::span<const Strategy> decisions)
{
    assert(static_cast<int>(decisions.size()) == doorCount - 2);
    const Fraction one{1, 1};
    const Fraction half{1, 2};
    Fraction p = fraction(1, doorCount);
    int closed = doorCount;
    for (const Strategy strategy : decisions) {
        --closed;
        switch (strategy) {
        case Strategy::Keep: break;
        case Strategy::NewDoor: p = (one - p) / fraction(closed - 1, 1); break;
        case Strategy::RandomRechoice: p = p * half + fraction(1, 2 * closed); break;
        }
    }
    return p;
}

std::vector<std::vector<Strategy>> allCombinations(int doorCount)
{
    std::vector<std::vector<Strategy>> result{{}};
    for (int d = 0; d < doorCount - 2; ++d) {
        std::vector<std::vector<Strategy>> longer;
        for (const auto& start : result) {
            for (Strategy s : {Strategy::RandomRechoice, Strategy::Keep, Strategy::NewDoor}) {
                longer.push_back(start);
                longer.back().push_back(s);
            }
        }
        result = std::move(longer);
    }
    return result;
}

std::vector<Strategy> decisionsOf(PureStrategy strategy, int doorCount)
{
    const auto decisions = static_cast<std::size_t>(doorCount - 2);
    switch (strategy) {
    case PureStrategy::Keep: return std::vector(decisions, Strategy::Keep);
    case PureStrategy::NewDoor: return std::vector(decisions, Strategy::NewDoor);
    case PureStrategy::RandomRechoice: return std::vector(decisions, Strategy::RandomRechoice);
    case PureStrategy::KeepThenChange: {
        std::vector result(decisions, Strategy::Keep);
        result.back() = Strategy::NewDoor;
        return result;
    }
    }
    return {};
}

std::string describe(Fraction p)
{
    // Exact in two decimals when 10000 p is whole.
    const bool exact = (p.numerator * 10000) % p.denominator == 0;
    char text[64];
    std::snprintf(text, sizeof text, "%lld/%lld %s %.2f %%", static_cast<long long>(p.numerator),
                  static_cast<long long>(p.denominator), exact ? "=" : "\u2248", 100.0 * p.value());
    return text;
}

std::string winProbabilityTable()
{
    struct Column {
        PureStrategy strategy;
        const char* heading;
    };
    static constexpr std::array columns = {
        Column{PureStrategy::Keep, "always \"Tür beibehalten\""},
        Column{PureStrategy::NewDoor, "always \"neue Tür wählen\""},
        Column{PureStrategy::RandomRechoice, "always \"Umwahl zufällig\""},
        Column{PureStrategy::KeepThenChange, "keep, change at the last decision"},
    };
    std::string table = "| doors |";
    std::string rule = "|:---:|";
    for (const Column& column : columns) {
        table += std::string(" ") + column.heading + " |";
        rule += "---:|";
    }
    table += "\n" + rule + "\n";
    for (int doors = 3; doors <= 7; ++doors) {
        table += "| " + std::to_string(doors) + " |";
        for (const Column& column : columns) {
            table += ' ';
            table += describe(exactWinFraction(doors, decisionsOf(column.strategy, doors)));
            table += " |";
        }
        table += "\n";
    }
    return table;
}
