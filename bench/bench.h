// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the benchmarks share: the real window on a fixed screen, a stopwatch, medians
// and the one way of printing a figure.

#include "window/wulpe.h"

#include <memory>
#include <vector>

// The real window with the real clock (or the given one) and the real random numbers,
// on a screen of the given size in pixels at 96 dots per inch.
std::unique_ptr<Wulpe> realWindow(int widthPixels = 1024, int heightPixels = 768,
                                  std::unique_ptr<Clock> clock = nullptr);

// Seconds on a monotonic clock, and CPU seconds used by this process.
double wallSeconds();
double cpuSeconds();

double median(std::vector<double> values);

// One figure, one line: its name, a blank and its value.
void printFigure(const char* name, double value);
