// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/wulpe.h"

#include "regeln.h"

#include "window/inputhold.h"

#include <QKeyEvent>

#include <array>

// The runner: "Spielstart" opens a quiz game or plays one or twenty whole games with the
// strategies of the decision frames; a click on a door is the player's move in the quiz.

namespace {

// The order in which a decision frame's buttons are asked; exactly one is selected.
constexpr std::array strategyTests = {Strategy::NewDoor, Strategy::Keep, Strategy::RandomRechoice};

} // namespace

Task Wulpe::cmdStart_Click()
{
    const InputHold::Scope hold(*m_hold);
    const Mode selected = mode();
    if (selected == Mode::Quiz)
        SpielVorbereiten();
    if (selected == Mode::WholeGame)
        SpieleJeStart = 1;
    if (selected == Mode::TwentyGames)
        SpieleJeStart = 20;
    if (selected == Mode::Quiz)
        co_return;
    for (SpielNr = 1; SpielNr <= SpieleJeStart; ++SpielNr)
        co_await playGame();
}

Strategy Wulpe::strategyOf(int decision) const
{
    for (const Strategy strategy : strategyTests) {
        if (strategyButton(decision, strategy).Value())
            return strategy;
    }
    return Strategy::Keep;
}

Task Wulpe::playGame()
{
    SpielVorbereiten();
    GewaehlteTuer = drawDoor(m_services.random->next(), vscTueren->value());
    setZustand(GewaehlteTuer, DoorState::Held);
    co_await Spielzug();
    VorigeTuer = GewaehlteTuer;
    setZustand(GewaehlteTuer, DoorState::Free);
    const int lastDecision = vscTueren->value() - 3;
    for (EntscheidungNr = 0; EntscheidungNr <= lastDecision; ++EntscheidungNr) {
        GewaehlteTuer = drawDecision(strategyOf(EntscheidungNr), *m_services.random, doorStates(),
                                     VorigeTuer);
        VorigeTuer = GewaehlteTuer;
        setZustand(GewaehlteTuer, DoorState::Held);
        co_await Spielzug();
        setZustand(GewaehlteTuer, DoorState::Free);
    }
}

Task Wulpe::imgTuer_Click(std::int16_t Index)
{
    // In "ganzes Spiel" the computer plays; once a game is decided, clicks wait for a new one.
    if (SpielLaeuft == 0 || mode() == Mode::WholeGame)
        co_return;
    // Only a door in play and on show can be chosen, whichever way the click came.
    if (Index < 0 || Index >= vscTueren->value() || imgTuer[Index]->isHidden())
        co_return;
    if (Zustand(Index) != DoorState::Free)
        co_return;
    const InputHold::Scope hold(*m_hold);
    setZustand(Index, DoorState::Held);
    GewaehlteTuer = Index;
    co_await Spielzug();
    // The held door is free again after its move, as after every move of a run: the last
    // move of a game would otherwise leave it in state 1 once the move is over.
    setZustand(Index, DoorState::Free);
}

namespace {

// The door of a door key without modifiers, or -1.
int doorOfKey(const QKeyEvent& event, std::size_t doors)
{
    const int door = event.key() - Qt::Key_1;
    const auto modifiers = event.modifiers() & ~Qt::KeypadModifier;
    return door >= 0 && door < int(doors) && modifiers == Qt::NoModifier ? door : -1;
}

} // namespace

void Wulpe::keyPressEvent(QKeyEvent* event)
{
    // A door that can be clicked is one on show; a key held down clicks it once, also
    // where the desktop's repeat comes unmarked, as a release and a press at one time.
    const int door = doorOfKey(*event, imgTuer.size());
    if (door < 0) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    const std::uint64_t released = m_doorKeyReleased[std::size_t(door)];
    const bool repeated = event->isAutoRepeat() || (released != 0 && event->timestamp() == released);
    if (!repeated && imgTuer[door]->isVisible())
        emit imgTuer[door]->Click();
}

void Wulpe::keyReleaseEvent(QKeyEvent* event)
{
    if (const int door = doorOfKey(*event, imgTuer.size()); door >= 0 && !event->isAutoRepeat())
        m_doorKeyReleased[std::size_t(door)] = event->timestamp();
    QMainWindow::keyReleaseEvent(event);
}
