// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// Plays games through the real window, as "ganzes Spiel" does at each press of
// "Spielstart", and prints the running share of cars after each game for
// "Tür beibehalten" and "neue Tür wählen" in every decision, with three and with seven
// doors, beside the exact value of each. tools/konvergenz draws the figure from it.
//   konvergenz [GAMES]      (default 1000)
// The generator starts from fixed seeds and the clock never sleeps, so every run prints
// the same numbers in a fraction of a second.

#include "theorie.h"
#include "window/wulpe.h"

#include <QApplication>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

// Pauses cost nothing: the clock jumps to the end of each one.
class JumpingClock : public Clock {
public:
    double seconds() override { return m_now; }
    void pausing(double length) override { m_now += length; }

private:
    double m_now = 0;
};

// The ticks that re-seeding mixes in: a count, started afresh for each run.
std::uint64_t ticksSoFar = 0;
std::uint64_t countedTicks() { return ++ticksSoFar; }

class FixedScreen : public Screen {
public:
    QSizeF sizeTwips() const override { return {12288, 9216}; }
    double twipsPerPixel() const override { return 12; }
};

struct Series {
    int doors;
    Strategy strategy;
    const char* title;
};

constexpr Series series[] = {
    {3, Strategy::Keep, "3 Türen, Tür beibehalten"},
    {3, Strategy::NewDoor, "3 Türen, neue Tür wählen"},
    {7, Strategy::Keep, "7 Türen, Tür beibehalten"},
    {7, Strategy::NewDoor, "7 Türen, neue Tür wählen"},
};

// The running share of cars in percent after each of `games` games.
std::vector<double> play(const Series& s, std::uint64_t seed, int games)
{
    ticksSoFar = 0;
    Services services{std::make_unique<FixedScreen>(), std::make_unique<JumpingClock>(),
                      std::make_unique<SystemRandom>(seed, &countedTicks)};
    Wulpe window(std::move(services));
    window.Form_Load();
    window.vscTueren->setValue(s.doors);
    window.Option2[1]->click();
    for (int decision = 0; decision < s.doors - 2; ++decision)
        window.strategyButton(decision, s.strategy).click();

    std::vector<double> shares;
    for (int game = 1; game <= games; ++game) {
        window.cmdStart->click();
        if (!window.runUntilIdle(60000)) {
            std::fputs("konvergenz: a game did not end\n", stderr);
            std::exit(1);
        }
        shares.push_back(100.0 * double(window.AnzahlAutos) / double(window.AnzahlSpiele));
    }
    return shares;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int games = argc > 1 ? std::atoi(argv[1]) : 1000;
    if (games < 1) {
        std::fputs("konvergenz [GAMES]: GAMES is a number of games, at least 1\n", stderr);
        return 2;
    }

    std::vector<std::vector<double>> shares;
    std::vector<Fraction> exact;
    std::uint64_t seed = 20261209;
    for (const Series& s : series) {
        shares.push_back(play(s, seed++, games));
        exact.push_back(exactWinFraction(s.doors, std::vector<Strategy>(s.doors - 2, s.strategy)));
    }

    // A table with a header row of quoted titles, as plotting programs read it: the game,
    // then for each series its share and its exact value.
    std::printf("Spiel");
    for (std::size_t k = 0; k < std::size(series); ++k) {
        // "genau 2/3 ≈ 66,67 %", with the German decimal comma.
        std::string exactly = "genau " + describe(exact[k]);
        std::replace(exactly.begin(), exactly.end(), '.', ',');
        std::printf("\t\"%s\"\t\"%s\"", series[k].title, exactly.c_str());
    }
    std::printf("\n");
    for (int game = 0; game < games; ++game) {
        std::printf("%d", game + 1);
        for (std::size_t k = 0; k < std::size(series); ++k)
            std::printf("\t%.4f\t%.4f", shares[k][game], 100.0 * exact[k].value());
        std::printf("\n");
    }
    return 0;
}
