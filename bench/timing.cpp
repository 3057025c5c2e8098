// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// Timing fidelity and CPU while waiting. With the real clock, quiz moves are played by
// clicks on the shown window: a move in which the host opens a door has 2.2 s of pauses,
// the last move of a game 1.0 s. Prints each kind's wall time over its nominal length
// (the median and the worst of the games played) and the CPU seconds over the wall seconds of all moves.

#include "bench.h"

#include "support.h"

#include <QApplication>
#include <QTest>

#include <algorithm>
#include <cstdlib>

namespace {

struct Move {
    double wall;
    double cpu;
};

Move clickDoor(Wulpe& window, int door)
{
    const double wall = wallSeconds();
    const double cpu = cpuSeconds();
    clickCentre(window, *window.imgTuer[door]);
    settle(window);
    return {wallSeconds() - wall, cpuSeconds() - cpu};
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const int games = argc > 1 ? std::atoi(argv[1]) : 5;
    auto window = realWindow(1024, 768);
    window->resize(1024, 768);
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        return 1;

    std::vector<double> hostMoves, lastMoves;
    double wall = 0, cpu = 0;
    for (int game = 0; game < games; ++game) {
        window->cmdStart->click();
        QTest::qWait(50);
        // Three doors: the first click lets the host open a door, the second decides.
        const Move host = clickDoor(*window, 0);
        QTest::qWait(50);
        const Move last = clickDoor(*window, 0);
        QTest::qWait(50);
        if (window->AnzahlWahlen != 2)
            return 1;
        hostMoves.push_back(host.wall / 2.2);
        lastMoves.push_back(last.wall / 1.0);
        wall += host.wall + last.wall;
        cpu += host.cpu + last.cpu;
    }
    printFigure("host_move_wall_over_nominal_median", median(hostMoves));
    printFigure("last_move_wall_over_nominal_median", median(lastMoves));
    printFigure("host_move_wall_over_nominal_worst", *std::max_element(hostMoves.begin(), hostMoves.end()));
    printFigure("last_move_wall_over_nominal_worst", *std::max_element(lastMoves.begin(), lastMoves.end()));
    printFigure("cpu_over_wall_during_moves", cpu / wall);
    return 0;
}
