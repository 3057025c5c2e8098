#pragma once

// Exact win probabilities of strategy combinations, derived from the drawing rules.

#include <span>

// The strategy of one decision; its value is the button's offset k in Option1(3d + k).
enum class Strategy { RandomRechoice = 0, Keep = 1, NewDoor = 2 };

// The probability that a game with `doorCount` doors ends on the car when decision
// d + 1 follows `decisions[d]` (there are doorCount - 2 decisions).
double exactWinProbability(int doorCount, std::span<const Strategy> decisions);
