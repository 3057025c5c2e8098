#pragma once

// The rules of a game that are rules, not control work. They know no widgets.

#include "theorie.h"

#include <QLocale>
#include <QString>

#include <cstdint>
#include <span>

class RandomSource;

// A door drawn as Int(r x N): r in [0, 1) and N in single precision, rounded down.
// Every door 0..N-1 is equally likely.
int drawDoor(float r, int doorCount);

// The states of the doors in play, index = door: 0 closed and free, 1 held during a
// move, 2 opened by the host.
using DoorStates = std::span<const int>;

// The door the host opens during a game: drawn again until it is closed, free and not
// the car's. The held door is in state 1, so the host opens neither it nor the car.
int drawHostDoor(RandomSource& random, DoorStates states, int carDoor);

// The door opened without a walk when the game is decided: the one closed door that
// does not hide the car (the held door itself if the player holds a non-prize).
int drawLastDoor(RandomSource& random, DoorStates states, int carDoor);

// The door held after a decision taken with the given strategy; the held door is in
// state 0 while the decision is made.
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
