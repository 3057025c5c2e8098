// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// Games per second played by presses of "20 Spiele" with seven doors, through the real
// window code, once with the window hidden and once shown on the offscreen platform. The
// presses follow each other without returning to the event loop, so nothing is painted.

#include "bench.h"

#include <QApplication>
#include <QTest>

#include <cstdlib>

namespace {

double gamesPerSecond(Wulpe& window, double seconds)
{
    window.Option2[2]->click();
    window.vscTueren->setValue(7);
    window.cmdStart->click();
    const std::int64_t before = window.AnzahlSpiele;
    const double start = wallSeconds();
    double now = start;
    while (now - start < seconds) {
        for (int press = 0; press < 50; ++press)
            window.cmdStart_Click();
        now = wallSeconds();
    }
    return double(window.AnzahlSpiele - before) / (now - start);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // Optional arguments, for profiling one case: seconds per case, "hidden" or "shown".
    const double seconds = argc > 1 ? std::atof(argv[1]) : 2.0;
    const QString only = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    if (only != u"shown") {
        auto hidden = realWindow();
        printFigure("games_per_second_hidden", gamesPerSecond(*hidden, seconds));
    }
    if (only != u"hidden") {
        auto shown = realWindow();
        shown->show();
        if (!QTest::qWaitForWindowExposed(shown.get()))
            return 1;
        printFigure("games_per_second_shown", gamesPerSecond(*shown, seconds));
    }
    return 0;
}
