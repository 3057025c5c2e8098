// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// Response of one press of "Spielstart" in "20 Spiele" with seven doors, on a shown
// window on a 1024 x 768 screen: from the click to the painted final board. The click
// goes through the window as a user's does; the board is then painted at once.

#include "bench.h"

#include "support.h"

#include <QApplication>
#include <QTest>

#include <algorithm>

#include <cstdlib>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const int presses = argc > 1 ? std::atoi(argv[1]) : 201;
    auto window = realWindow(1024, 768);
    window->resize(1024, 768);
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        return 1;
    window->Option2[2]->click();
    window->vscTueren->setValue(7);
    QTest::qWait(50);

    std::vector<double> milliseconds;
    for (int press = 0; press < presses; ++press) {
        const std::int64_t before = window->AnzahlSpiele;
        const double start = wallSeconds();
        clickCentre(*window, *window->cmdStart);
        window->repaint();
        milliseconds.push_back((wallSeconds() - start) * 1000);
        if (window->AnzahlSpiele != before + 20)
            return 1;
        QTest::qWait(1);
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    const double typical = median(milliseconds);
    printFigure("press_to_painted_ms_median", typical);
    printFigure("press_to_painted_ms_95th_percentile", milliseconds[milliseconds.size() * 95 / 100]);
    printFigure("press_to_painted_over_16ms", typical / 16);
    return 0;
}
