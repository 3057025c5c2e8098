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

Strategy strategyOf(const std::array<OptionButton*, 15>& Option1, int decision)
{
    for (const Strategy strategy : strategyTests) {
        if (Option1[3 * decision + static_cast<int>(strategy)]->Value())
            return strategy;
    }
    return Strategy::Keep;
}

} // namespace

void Wulpe::cmdStart_Click()
{
    const InputHold::Scope hold(*m_hold);
    if (Option2[0]->Value())
        SpielVorbereiten();
    if (Option2[1]->Value())
        SpieleJeStart = 1;
    if (Option2[2]->Value())
        SpieleJeStart = 20;
    if (Option2[0]->Value())
        return;
    for (SpielNr = 1; SpielNr <= SpieleJeStart; ++SpielNr)
        playGame();
}

void Wulpe::playGame()
{
    SpielVorbereiten();
    GewaehlteTuer = drawDoor(m_services.random->next(), vscTueren->value());
    setZustand(GewaehlteTuer, 1);
    Spielzug();
    VorigeTuer = GewaehlteTuer;
    setZustand(GewaehlteTuer, 0);
    const int lastDecision = vscTueren->value() - 3;
    for (EntscheidungNr = 0; EntscheidungNr <= lastDecision; ++EntscheidungNr) {
        GewaehlteTuer = drawDecision(strategyOf(Option1, EntscheidungNr), *m_services.random,
                                     doorStates(), VorigeTuer);
        VorigeTuer = GewaehlteTuer;
        setZustand(GewaehlteTuer, 1);
        Spielzug();
        setZustand(GewaehlteTuer, 0);
    }
}

void Wulpe::imgTuer_Click(std::int16_t Index)
{
    // In "ganzes Spiel" the computer plays; once a game is decided, clicks wait for a new one.
    if (SpielLaeuft == 0 || Option2[1]->Value())
        return;
    if (Zustand(Index) != 0)
        return;
    const InputHold::Scope hold(*m_hold);
    setZustand(Index, 1);
    GewaehlteTuer = Index;
    Spielzug();
    // The held door is free again after its move, as after every move of a run: the last
    // move of a game would otherwise leave it in state 1 once the move is over.
    setZustand(Index, 0);
}

void Wulpe::keyPressEvent(QKeyEvent* event)
{
    // A door that can be clicked is one on show; a key held down clicks it once.
    const int door = event->key() - Qt::Key_1;
    const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (door < 0 || door >= int(imgTuer.size()) || modifiers != Qt::NoModifier || event->isAutoRepeat()) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    if (imgTuer[door]->isVisible())
        emit imgTuer[door]->Click();
}
