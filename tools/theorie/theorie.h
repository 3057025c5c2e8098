// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Exact win probabilities of strategy combinations, derived from the drawing rules, and
// the table of the pure strategies that the README shows to teachers. The program does
// not use them; the tests hold the game against them and the tools print them.

#include "game/regeln.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// A non-negative fraction in lowest terms.
struct Fraction {
    std::int64_t numerator = 0;
    std::int64_t denominator = 1;

    double value() const { return double(numerator) / double(denominator); }
    friend bool operator==(const Fraction&, const Fraction&) = default;
};

Fraction fraction(std::int64_t numerator, std::int64_t denominator);
Fraction operator+(Fraction a, Fraction b);
Fraction operator-(Fraction a, Fraction b);
Fraction operator*(Fraction a, Fraction b);
Fraction operator/(Fraction a, Fraction b);

// The probability that a game with `doorCount` doors ends on the car when decision
// d + 1 follows `decisions[d]` (there are doorCount - 2 decisions), without rounding.
Fraction exactWinFraction(int doorCount, std::span<const Strategy> decisions);

// The same probability in double precision.
inline double exactWinProbability(int doorCount, std::span<const Strategy> decisions)
{
    return exactWinFraction(doorCount, decisions).value();
}

// Every combination of strategies for the doorCount - 2 decisions of a game.
std::vector<std::vector<Strategy>> allCombinations(int doorCount);

// A way of playing every decision of a game.
enum class PureStrategy { Keep, NewDoor, RandomRechoice, KeepThenChange };

// The strategy of each of the doorCount - 2 decisions: the same one throughout, or for
// KeepThenChange "Tür beibehalten" until the last decision and "neue Tür wählen" there.
std::vector<Strategy> decisionsOf(PureStrategy strategy, int doorCount);

// "2/3 ≈ 66.67 %", or "1/4 = 25.00 %" when two decimals are exact.
std::string describe(Fraction p);

// The Markdown table of the exact win probabilities of the four pure strategies for
// three to seven doors, one line per door count.
std::string winProbabilityTable();
