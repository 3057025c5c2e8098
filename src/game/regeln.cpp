// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "regeln.h"

#include "window/services.h"

#include <algorithm>
#include <cmath>

namespace {

// Draws Int(r x N) with fresh numbers until the door passes the test. Each door that
// passes is equally likely; the callers always leave at least one that does.
template <class Test>
int drawUntil(RandomSource& random, int doorCount, Test passes)
{
    int door = 0;
    do {
        door = drawDoor(random.next(), doorCount);
    } while (!passes(door));
    return door;
}

int doorCount(DoorStates states)
{
    return static_cast<int>(states.size());
}

QString printed(bool negative, const QString& digits)
{
    return (negative ? QStringLiteral("-") : QStringLiteral(" ")) + digits + QLatin1Char(' ');
}

// The magnitude of a value as decimal digits, also for the smallest 64-bit number.
QString magnitude(std::int64_t value)
{
    const auto m = value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    return QString::number(m);
}

} // namespace

int drawDoor(float r, int doorCount)
{
    const float product = r * static_cast<float>(doorCount);
    // For r below 1 the single-precision product stays below N; the bound only keeps a
    // caller's out-of-range r from naming a door that does not exist.
    return std::clamp(static_cast<int>(std::floor(product)), 0, doorCount - 1);
}

int drawHostDoor(RandomSource& random, DoorStates states, int carDoor)
{
    return drawUntil(random, doorCount(states),
                     [&](int door) { return states[door] == DoorState::Free && door != carDoor; });
}

int drawLastDoor(RandomSource& random, DoorStates states, int carDoor)
{
    return drawUntil(random, doorCount(states),
                     [&](int door) { return states[door] != DoorState::Opened && door != carDoor; });
}

int drawDecision(Strategy strategy, RandomSource& random, DoorStates states, int heldDoor)
{
    const auto closed = [&](int door) { return states[door] == DoorState::Free; };
    switch (strategy) {
    case Strategy::NewDoor:
        return drawUntil(random, doorCount(states),
                         [&](int door) { return closed(door) && door != heldDoor; });
    case Strategy::Keep:
        return heldDoor;
    case Strategy::RandomRechoice:
        if (random.next() < 0.5f)
            return drawUntil(random, doorCount(states), closed);
        return heldDoor;
    }
    return heldDoor;
}

std::int64_t shareHundredths(std::int64_t part, std::int64_t whole)
{
    // Split so that part x 10000 cannot overflow: part = q x whole + rest, rest < whole.
    const std::int64_t q = part / whole;
    const std::int64_t rest = part % whole;
    return q * 10000 + rest * 10000 / whole;
}

QString printedNumber(std::int64_t value)
{
    return printed(value < 0, magnitude(value));
}

QString printedPercent(std::int64_t hundredths, const QLocale& locale)
{
    QString digits = magnitude(hundredths / 100);
    const auto fraction = static_cast<int>(std::abs(hundredths % 100));
    if (fraction != 0) {
        digits += locale.decimalPoint();
        digits += QChar(u'0' + fraction / 10);
        if (fraction % 10 != 0)
            digits += QChar(u'0' + fraction % 10);
    }
    return printed(hundredths < 0, digits) + QLatin1Char('%');
}
