// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/wulpe.h"

#include "regeln.h"

#include "window/inputhold.h"

// One move of a game: the candidate walks to the held door, then the host opens a door,
// or, at the last move, every door is opened and the game is counted.

namespace {

constexpr int WalkSteps = 20;
constexpr double StepPause = 0.05;
constexpr double HostPause = 0.2;

void openOnWulpe(Image& door, Image& wulpe)
{
    door.hide();
    wulpe.show();
}

} // namespace

Task Wulpe::Spielzug()
{
    Shape& marker = *shpMarker[GewaehlteTuer];
    ++m_timesHeld[static_cast<std::size_t>(GewaehlteTuer)];
    marker.setBorderWidth(marker.BorderWidth() + Marker::WidthPerChoice);
    tellChosen(GewaehlteTuer);
    co_await walk(*imgDon, GewaehlteTuer, mode() == Mode::TwentyGames ? 0.0 : StepPause);
    ++AnzahlWahlen;
    if (AnzahlWahlen < vscTueren->value() - 1) {
        ModeratorTuer = drawHostDoor(*m_services.random, doorStates(), AutoTuer);
        setZustand(GewaehlteTuer, DoorState::Free);
        const bool quiz = mode() == Mode::Quiz;
        if (quiz)
            co_await pause(HostPause);
        co_await walk(*imgModerator, ModeratorTuer, quiz ? StepPause : 0.0);
        openOnWulpe(*imgTuer[ModeratorTuer], *imgWulpe[ModeratorTuer]);
        setZustand(ModeratorTuer, DoorState::Opened);
    } else {
        decideGame();
    }
}

void Wulpe::decideGame()
{
    frmAuswahl1->setCaption(QString());
    SpielLaeuft = 0;
    ModeratorTuer = drawLastDoor(*m_services.random, doorStates(), AutoTuer);
    openOnWulpe(*imgTuer[ModeratorTuer], *imgWulpe[ModeratorTuer]);
    imgAuto->setTop(imgTuer[AutoTuer]->Top());
    imgAuto->setLeft(imgTuer[AutoTuer]->Left());
    imgTuer[AutoTuer]->hide();
    tellChosen(AutoTuer);
    imgAuto->show();
    shpMarker[GewaehlteTuer]->setBorderWidth(Marker::DecidedWidth);
    shpMarker[GewaehlteTuer]->setBorderColor(paletteColor(Marker::DecidedColor));
    tellChosen(GewaehlteTuer);
    countGame(AutoTuer == GewaehlteTuer);
}

// The figure covers a fifth of the remaining way per step, in single precision, so it
// stops 0.8^20 of the way short of the door. A step that a pause follows is placed and
// painted at once, before the pause begins: only the strip the figure left and entered
// is painted, with whatever else waits to be, which keeps painting within the pauses'
// length. Steps without a pause are never seen, so the figure is placed only where it
// stops.
Task Wulpe::walk(Image& figure, int door, double pauseAfterStep)
{
    const float target = imgTuer[door]->Left();
    float left = figure.Left();
    for (int i = 1; i <= WalkSteps; ++i) {
        left = (2.0f * target + 8.0f * left) / 10.0f;
        if (pauseAfterStep > 0) {
            const QRect before = figure.geometry();
            figure.setLeft(left);
            frmAuswahl1->repaint(before.united(figure.geometry()));
            co_await pause(pauseAfterStep);
        }
    }
    figure.setLeft(left);
}

// Waits on a timer rather than spinning, and the event loop goes on meanwhile: the
// desktop's own events are answered while the user's input waits. The clock is
// monotonic, and a wake-up that comes early waits again, so a pause never ends before
// its length nor hangs. Once the program ends, no pause holds it up.
Task Wulpe::pause(double PauseDauer)
{
    if (m_hold->ended())
        co_return;
    Clock& clock = *m_services.clock;
    const double PauseBeginn = clock.seconds();
    m_hold->showBusy();
    clock.pausing(PauseDauer);
    while (!m_hold->ended()) {
        co_await m_alarm.at(PauseBeginn + PauseDauer);
        if (clock.seconds() >= PauseBeginn + PauseDauer)
            break;
    }
}

std::vector<DoorState> Wulpe::doorStates() const
{
    std::vector<DoorState> states(static_cast<std::size_t>(vscTueren->value()));
    for (std::size_t door = 0; door < states.size(); ++door)
        states[door] = Zustand(static_cast<int>(door));
    return states;
}
