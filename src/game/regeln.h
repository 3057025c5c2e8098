// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The rules of a game that are rules, not control work. They know no widgets.

#include <QLocale>
#include <QString>

#include <cstdint>
#include <span>

class RandomSource;

// The strategy of one decision; its value is the button's offset k in Option1(3d + k).
enum class Strategy { RandomRechoice = 0, Keep = 1, NewDoor = 2 };

// The state of a door, as the number its picture's Tag text stands for.
enum class DoorState { Free = 0, Held = 1, Opened = 2 };

// A door drawn as Int(r x N): r in [0, 1) and N in single precision, rounded down.
// Every door 0..N-1 is equally likely.
int drawDoor(float r, int doorCount);

// The states of the doors in play, index = door: closed and free, held during a move, or
// opened by the host.
using DoorStates = std::span<const DoorState>;

// The door the host opens during a game: drawn again until it is closed, free and not
// the car's. The held door is Held, so the host opens neither it nor the car.
int drawHostDoor(RandomSource& random, DoorStates states, int carDoor);

// The door opened without a walk when the game is decided: the one closed door that
// does not hide the car (the held door itself if the player holds a non-prize).
int drawLastDoor(RandomSource& random, DoorStates states, int carDoor);

// The door held after a decision taken with the given strategy; the held door is Free
// while the decision is made.
//   NewDoor:        drawn again until closed and other than the held door;
//   Keep:           the held door, without a draw;
//   RandomRechoice: one number r; if r < 0.5 a door is drawn with fresh numbers until it
//                   is closed, the held door included; otherwise the held door stays.
int drawDecision(Strategy strategy, RandomSource& random, DoorStates states, int heldDoor);

// Int(part x 10000 / whole): a share in hundredths of a percent, truncated. Exact in
// whole numbers, so 29 of 100 gives 2900, never 2899. whole > 0.
std::int64_t shareHundredths(std::int64_t part, std::int64_t whole);

// A number as Print writes it: a blank where a plus sign would stand (a minus sign for
// a negative number), the number in general format, a blank.
QString printedNumber(std::int64_t value);

// A share in percent as Print writes it, followed by "%": " 33.33 %". Up to two
// decimals, no trailing zeros, with the locale's decimal separator.
QString printedPercent(std::int64_t hundredths, const QLocale& locale = QLocale());
