// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The monkey: seeded random sequences of user events through the real window (clicks on
// doors, also opened and hidden ones, on the buttons, the modes, the strategies and the
// scroll bar's arrows; keys; typing and pasting into txtTueren; resizes; the two menu
// boxes), with the game's invariants checked after every event. In a share of the
// events the monkey is restless: at some of the move's pauses it makes more input, by
// any way there is in (mouse, wheel, keys, screen-reader actions), which waits for the
// move; the invariants of a running move are checked at every pause.
//
// Twins compare: two windows play the same events, every one restless; the input that
// one makes at a pause of the move, the other makes once the move is over. Waiting input
// is handled exactly as if it were made then, so both must end alike: counters, doors,
// settings, the handlers that ran in their order, boxes, and whether the program ended.
//
// WULPE_MONKEY_EVENTS sets the number of events in all (default one million), in runs of
// EventsPerRun events, each on a fresh window with its own seed, then TwinEvents on twins
// (seeds from TwinSeeds on). A failure names its seed; WULPE_MONKEY_SEED=<seed> replays
// that one run.

#include "support.h"

#include "game/regeln.h"
#include "window/inputhold.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDebug>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <array>
#include <deque>
#include <optional>
#include <random>

namespace {

const QString Prompt = QStringLiteral("Klicke auf die gewünschte Tür");
constexpr int EventsPerRun = 20000;
constexpr int TwinEvents = 1000;
constexpr unsigned TwinSeeds = 500000;
// Painting is left out between these many events, so that a million events fit in CI's
// time; it plays no part in the invariants, but its code runs under the sanitizers too.
constexpr int EventsPerPaint = 500;

enum class Action {
    Door, Start, Mode, Strategy, ArrowUp, ArrowDown, ScrollKey, Clear, Type, Paste, Resize,
    Explanation, Authorship,
};

struct Weighted {
    Action action;
    int weight;  // in ten-thousandths
};

constexpr std::array actions = {
    Weighted{Action::Door, 3800},     Weighted{Action::Start, 1000},
    Weighted{Action::Mode, 700},      Weighted{Action::Strategy, 600},
    Weighted{Action::ArrowUp, 800},   Weighted{Action::ArrowDown, 800},
    Weighted{Action::ScrollKey, 300}, Weighted{Action::Clear, 250},
    Weighted{Action::Type, 900},      Weighted{Action::Paste, 200},
    Weighted{Action::Resize, 640},    Weighted{Action::Explanation, 5},
    Weighted{Action::Authorship, 5},
};

constexpr int totalWeight()
{
    int sum = 0;
    for (const Weighted& w : actions)
        sum += w.weight;
    return sum;
}
static_assert(totalWeight() == 10000);

QtMessageHandler loudMessages = nullptr;

// Drops the offscreen platform's note, made at every resize, that it keeps no size hints.
void quietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (!message.contains(QLatin1String("propagateSizeHints")))
        loudMessages(type, context, message);
}

std::optional<long long> environmentNumber(const char* name)
{
    const QByteArray value = qgetenv(name);
    bool ok = false;
    const long long number = value.toLongLong(&ok);
    return ok ? std::optional(number) : std::nullopt;
}

QString expectedBox(std::int64_t count, const QString& text)
{
    return count == 0 ? QString() : text;
}

// The invariants of the window between two events, or what breaks them.
QString violation(const Wulpe& w, int mode)
{
    const int N = w.vscTueren->value();
    if (N < 3 || N > 7)
        return QStringLiteral("door count %1").arg(N);
    if (w.AnzahlSpiele != w.AnzahlAutos + w.AnzahlWulpen)
        return QStringLiteral("games %1 != wins %2 + losses %3").arg(w.AnzahlSpiele).arg(w.AnzahlAutos).arg(w.AnzahlWulpen);

    // The statistics boxes show exactly the counters; a counter at 0 leaves its box empty.
    const std::int64_t games = w.AnzahlSpiele;
    const QStringList boxes = {
        expectedBox(games, printedNumber(games)),
        expectedBox(w.AnzahlAutos, printedNumber(w.AnzahlAutos)),
        expectedBox(games, games ? printedPercent(shareHundredths(w.AnzahlAutos, games)) : QString()),
        expectedBox(w.AnzahlWulpen, printedNumber(w.AnzahlWulpen)),
        expectedBox(games, games ? printedPercent(shareHundredths(w.AnzahlWulpen, games)) : QString()),
    };
    for (int b = 0; b < 5; ++b) {
        if (w.Picture1[b]->text() != boxes[b])
            return QStringLiteral("Picture1(%1) shows '%2', not '%3'").arg(b).arg(w.Picture1[b]->text(), boxes[b]);
    }

    if (w.SpielLaeuft != 0 && w.SpielLaeuft != 1)
        return QStringLiteral("SpielLaeuft %1").arg(w.SpielLaeuft);
    if (w.frmAuswahl1->Caption() != (w.SpielLaeuft ? Prompt : QString()))
        return QStringLiteral("prompt '%1' while SpielLaeuft is %2").arg(w.frmAuswahl1->Caption()).arg(w.SpielLaeuft);

    for (int k = 0; k < 5; ++k) {
        if (w.Frame4[k]->isHidden() == (mode != 0 && k <= N - 3))
            return QStringLiteral("Frame4(%1) shown wrongly").arg(k);
    }

    // Outside a move every door is closed or opened, and only the doors in play show.
    int opened = 0, wulpen = 0, closedShown = 0;
    for (int k = 0; k < 7; ++k) {
        const int state = static_cast<int>(w.Zustand(k));
        if (state != 0 && state != 2)
            return QStringLiteral("door %1 in state %2 outside a move").arg(k).arg(state);
        const bool door = !w.imgTuer[k]->isHidden(), wulpe = !w.imgWulpe[k]->isHidden();
        if (k >= N) {
            if (door || wulpe || !w.shpMarker[k]->isHidden() || state != 0)
                return QStringLiteral("slot %1 shows beyond %2 doors").arg(k).arg(N);
            continue;
        }
        if (w.shpMarker[k]->isHidden())
            return QStringLiteral("marker %1 hidden").arg(k);
        opened += state == 2;
        wulpen += wulpe;
        closedShown += door;
        if (state == 2 && (door || !wulpe))
            return QStringLiteral("opened door %1 does not show its Wulpe").arg(k);
    }
    if (w.AutoTuer < 0 || w.AutoTuer >= N)
        return QStringLiteral("AutoTuer %1 with %2 doors").arg(w.AutoTuer).arg(N);
    if (w.Zustand(w.AutoTuer) == DoorState::Opened || !w.imgWulpe[w.AutoTuer]->isHidden())
        return QStringLiteral("the host opened the car's door %1").arg(w.AutoTuer);

    const bool decided = w.SpielLaeuft == 0 && w.AnzahlWahlen == N - 1;
    if (w.SpielLaeuft == 1 || w.AnzahlWahlen == 0) {
        // An open game, or a board at rest: the car hidden, as many doors open as moves made.
        if (w.AnzahlWahlen < 0 || w.AnzahlWahlen > N - 2)
            return QStringLiteral("%1 moves in an open game of %2 doors").arg(w.AnzahlWahlen).arg(N);
        if (!w.imgAuto->isHidden())
            return QStringLiteral("the car shows before the game is decided");
        if (opened != w.AnzahlWahlen || wulpen != opened || closedShown != N - opened)
            return QStringLiteral("%1 doors open, %2 Wulpen, %3 closed after %4 moves").arg(opened).arg(wulpen).arg(closedShown).arg(w.AnzahlWahlen);
        for (int k = 0; k < N; ++k) {
            if (w.shpMarker[k]->BorderColor() != paletteColor(1) || w.shpMarker[k]->BorderWidth() % 2 != 1
                || w.shpMarker[k]->BorderWidth() > 1 + 2 * w.AnzahlWahlen)
                return QStringLiteral("marker %1 of an open game").arg(k);
        }
    } else if (decided) {
        // Exactly N-1 Wulpen and the car show, the car on its door, the held door in red.
        if (closedShown != 0 || wulpen != N - 1 || w.imgAuto->isHidden())
            return QStringLiteral("decided board: %1 closed, %2 Wulpen, car %3").arg(closedShown).arg(wulpen).arg(!w.imgAuto->isHidden());
        const Image& carDoor = *w.imgTuer[w.AutoTuer];
        if (w.imgAuto->Left() != carDoor.Left() || w.imgAuto->Top() != carDoor.Top()
            || w.imgAuto->geometry() != carDoor.geometry())
            return QStringLiteral("the car is not on door %1").arg(w.AutoTuer);
        const Shape& held = *w.shpMarker[w.GewaehlteTuer];
        if (held.BorderWidth() != 15 || held.BorderColor() != paletteColor(12))
            return QStringLiteral("held door %1 not marked in red").arg(w.GewaehlteTuer);
    } else {
        return QStringLiteral("no game open after %1 of %2 moves").arg(w.AnzahlWahlen).arg(N - 1);
    }
    return {};
}

// The invariants of a move at one of its pauses: the held door is in play, on show and
// not opened, and the host has opened one door per move made, or is about to.
QString pauseViolation(const Wulpe& w)
{
    const int N = w.vscTueren->value();
    if (N < 3 || N > 7)
        return QStringLiteral("door count %1 during a move").arg(N);
    if (w.AnzahlSpiele != w.AnzahlAutos + w.AnzahlWulpen)
        return QStringLiteral("games %1 != wins + losses during a move").arg(w.AnzahlSpiele);
    const int held = w.GewaehlteTuer;
    if (held < 0 || held >= N || w.imgTuer[held]->isHidden() || w.Zustand(held) == DoorState::Opened)
        return QStringLiteral("a move on door %1 of %2, not a closed door in play").arg(held).arg(N);
    int opened = 0;
    for (int k = 0; k < 7; ++k) {
        if (k >= N && (!w.imgTuer[k]->isHidden() || w.Zustand(k) != DoorState::Free))
            return QStringLiteral("slot %1 in a game of %2 doors").arg(k).arg(N);
        opened += w.Zustand(k) == DoorState::Opened;
    }
    if (opened != w.AnzahlWahlen && opened != w.AnzahlWahlen - 1)
        return QStringLiteral("%1 doors opened after %2 moves").arg(opened).arg(w.AnzahlWahlen);
    return {};
}

// A click on an option button's round indicator, which always selects it.
QPoint indicatorOf(const QWidget& button)
{
    return {std::min(8, button.width() - 1), button.height() / 2};
}

// How a monkey takes the input it makes at a move's pause: as the single monkey or the
// first twin does, at once; or, as the second twin does, once the move is over.
enum class Twin { None, During, After };

class Monkey {
public:
    explicit Monkey(unsigned seed, Twin twin = Twin::None)
        : m_seed(seed), m_twin(twin), m_harness(true, {}, seed), m_random(seed)
    {
        Wulpe& w = *m_harness;
        showWhole(w);
        m_model.games = w.AnzahlSpiele;
        m_model.doors = w.vscTueren->value();
        m_model.text = w.txtTueren->text();
        m_designGeometry = w.imgTuer[0]->geometry();
        w.setUpdatesEnabled(false);
        // The single monkey never ends the program; every other way in stays open.
        if (twin == Twin::None)
            QObject::disconnect(w.cmdEnde, nullptr, &w, nullptr);
        else
            logHandlers();
        m_harness.clock->onSleep = [this] { atPause(); };
        QObject::connect(&m_closer, &QTimer::timeout, [this] { closeBox(); });
    }

    // Plays the events up to the given one; an empty text if every invariant held after
    // every one of them.
    QString run(int events)
    {
        for (; m_event < events; ++m_event) {
            if (m_twin != Twin::None) {
                m_harness->activateWindow();
                QCoreApplication::processEvents();
                if (!m_harness->isActiveWindow())
                    m_pauseProblem = QStringLiteral("the window does not become active");
            }
            m_restless = uniform(0, 4) == 0 || m_twin != Twin::None;
            m_injected.clear();
            m_injections = 0;
            m_log.clear();
            const QString described = act();
            // A move goes on from the event loop, and what waited for it is handed back there.
            settle(*m_harness);
            // The second twin makes what the first made during the move now, each once what
            // came before it is over.
            while (m_pending > 0 || !m_later.empty()) {
                if (!m_later.empty()) {
                    m_injected += QStringLiteral("; after it: ") + inject(m_later.front());
                    m_later.pop_front();
                }
                QCoreApplication::processEvents();
                settle(*m_harness);
            }
            // The twins share one pointer, whose last place the toolkit keeps for all its
            // windows: the entry a twin's menu bar shows under it may be stale.
            if (m_twin != Twin::None)
                m_harness->menuBar()->setActiveAction(nullptr);
            m_recent.push_back(described + m_injected);
            if (m_recent.size() > 8)
                m_recent.pop_front();
            m_closer.stop();
            if (m_event % EventsPerPaint == 0)
                paint();
            // What the restless input did is not foreseen; the model takes it as it is.
            if (!m_injected.isEmpty())
                resync();
            QString broken = std::exchange(m_pauseProblem, QString());
            if (broken.isEmpty() && !ended())
                broken = violation(*m_harness, m_model.mode);
            if (broken.isEmpty() && InputHold::of(*m_harness)->waiting())
                broken = QStringLiteral("input still waits after the event");
            if (broken.isEmpty() && m_injected.isEmpty() && !ended())
                broken = modelViolation();
            if (!broken.isEmpty())
                return QStringLiteral("seed %1, event %2: %3\n  recent events: %4\n  replay: WULPE_MONKEY_SEED=%1")
                    .arg(m_seed).arg(m_event).arg(broken, QStringList(m_recent.begin(), m_recent.end()).join(QStringLiteral("; ")));
        }
        return {};
    }

    bool ended() { return InputHold::of(*m_harness)->ended(); }

    // What the twins compare: the game, the settings and the handlers of the last event.
    QString seen()
    {
        const Wulpe& w = *m_harness;
        const GameState s = stateOf(w);
        QString selected, out;
        for (bool on : s.selected)
            selected += on ? u'x' : u'.';
        QDebug(&out).nospace() << s.spiele << " games, " << s.autos << " cars; " << s.doors << " doors, states "
            << s.tags.join(QString()) << ", car " << s.autoTuer << ", held " << s.gewaehlteTuer << ", " << s.wahlen
            << " moves, open " << s.laeuft << "; options " << selected << "; txtTueren " << w.txtTueren->text().left(40)
            << " (" << w.txtTueren->text().size() << "); box " << bool(shownBox(w)) << ", ended " << ended()
            << "; handlers: " << m_log.join(u' ');
        return out;
    }

    const QString& lastEvent() const { return m_recent.back(); }

private:
    // What the test expects, kept apart from the window.
    struct Model {
        std::int64_t games = 0;
        int mode = 0;
        int doors = 3;
        QString text;
        std::optional<GameState> unchanged;  // set when the event must change nothing
        bool newGame = false;                // a new game is open afterwards, no move made
        bool rest = false;                   // the board is at rest afterwards, no game open
        bool decidedRun = false;             // a run of whole games ended on a decided board
        int moves = -1;                      // the number of moves afterwards, if a move counts
        bool strategyChanged = false;        // the event may change the strategies only
        int strategy = -1;                   // the strategy button selected afterwards
    };

    int uniform(int from, int to) { return std::uniform_int_distribution<int>(from, to)(*m_draw); }

    void resync()
    {
        Wulpe& w = *m_harness;
        m_model.games = w.AnzahlSpiele;
        m_model.doors = w.vscTueren->value();
        m_model.mode = int(w.mode());
        m_model.text = w.txtTueren->text();
    }

    // At every pause the invariants of a move; in a restless event, now and then more
    // input, by any way there is in.
    void atPause()
    {
        if (m_pauseProblem.isEmpty())
            m_pauseProblem = pauseViolation(*m_harness);
        // The input comes from the event loop while the move waits, as a user's does.
        // The draws of a pause come from the event's numbers, also inside input made by
        // the second twin, which may start a move at once.
        if (m_restless && m_injections < 3 && std::uniform_int_distribution<int>(0, 9)(m_random) == 0) {
            ++m_injections;
            const unsigned seed = m_random();
            if (m_twin == Twin::After)
                return m_later.push_back(seed);
            ++m_pending;
            QMetaObject::invokeMethod(&*m_harness, [this, seed] {
                --m_pending;
                m_injected += QStringLiteral("; during it: ") + inject(seed);
            }, Qt::QueuedConnection);
        }
    }

    // Input by one of the ways in, drawn from its own seed, so that the twins make the same.
    QString inject(unsigned seed)
    {
        std::mt19937 own(seed);
        m_draw = &own;
        const QString described = injectOne();
        m_draw = &m_random;
        return described;
    }

    QString injectOne()
    {
        Wulpe& w = *m_harness;
        const auto accessible = [](QObject* control) { return accessibleOf(control); };
        const auto act = [&](QObject* control, const QString& action) {
            if (QAccessibleActionInterface* actions = accessible(control)->actionInterface())
                actions->doAction(action);
        };
        switch (uniform(0, 16)) {
        case 0: {
            const int k = uniform(0, 6);
            Image& door = *w.imgTuer[k];
            click(door, {uniform(0, std::max(0, door.width() - 1)), uniform(0, std::max(0, door.height() - 1))});
            return QStringLiteral("click on slot %1").arg(k);
        }
        case 1: {
            const bool up = uniform(0, 1);
            const QPoint bar = w.vscTueren->mapTo(&w, w.vscTueren->rect().center());
            QWheelEvent wheel(bar, w.mapToGlobal(bar), {}, {0, up ? 120 : -120}, Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(w.windowHandle(), &wheel);
            return QStringLiteral("wheel %1").arg(up ? "up" : "down");
        }
        case 2: {
            const bool up = uniform(0, 1);
            click(*w.vscTueren, {w.vscTueren->width() / 2, up ? 3 : w.vscTueren->height() - 3});
            return QStringLiteral("arrow %1").arg(up ? "up" : "down");
        }
        case 3: {
            static constexpr std::array keys = {Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Space, Qt::Key_Up,
                                                Qt::Key_Down, Qt::Key_1, Qt::Key_4, Qt::Key_7, Qt::Key_Return};
            const Qt::Key key = keys[std::size_t(uniform(0, int(keys.size()) - 1))];
            keyClickAt(key);
            return QStringLiteral("key %1").arg(int(key));
        }
        case 4: {
            const int k = uniform(0, 2);
            click(*w.Option2[k], indicatorOf(*w.Option2[k]));
            return QStringLiteral("click on Option2(%1)").arg(k);
        }
        case 5: {
            const int k = uniform(0, 14);
            click(*w.Option1[k], indicatorOf(*w.Option1[k]));
            return QStringLiteral("click on Option1(%1)").arg(k);
        }
        case 6: {
            const int k = uniform(0, 6);
            act(w.imgTuer[k], QAccessibleActionInterface::pressAction());
            return QStringLiteral("screen reader presses slot %1").arg(k);
        }
        case 7: {
            QWidget* button = uniform(0, 1) ? static_cast<QWidget*>(w.cmdStart) : static_cast<QWidget*>(w.Command1);
            act(button, QAccessibleActionInterface::pressAction());
            return QStringLiteral("screen reader presses %1").arg(button->objectName());
        }
        case 8: {
            OptionButton* button = uniform(0, 1) ? w.Option2[std::size_t(uniform(0, 2))] : w.Option1[std::size_t(uniform(0, 14))];
            act(button, QAccessibleActionInterface::toggleAction());
            return QStringLiteral("screen reader toggles %1").arg(button->objectName());
        }
        case 9: {
            QAccessibleInterface* bar = accessible(w.vscTueren);
            const int how = uniform(0, 2);
            if (how == 0)
                bar->valueInterface()->setCurrentValue(uniform(2, 8));
            else
                act(w.vscTueren, how == 1 ? QAccessibleActionInterface::increaseAction()
                                          : QAccessibleActionInterface::decreaseAction());
            return QStringLiteral("screen reader sets the door count (%1)").arg(how);
        }
        case 10: {
            if (uniform(0, 1)) {
                accessible(w.txtTueren)->editableTextInterface()->insertText(0, QStringLiteral("7"));
                return QStringLiteral("screen reader types into txtTueren");
            }
            static const std::array<const char*, 4> focusable = {"cmdStart", "vscTueren", "txtTueren", "Option2(1)"};
            QWidget& control = m_harness->control(QString::fromUtf8(focusable[std::size_t(uniform(0, 3))]))->widget();
            act(&control, QAccessibleActionInterface::setFocusAction());
            return QStringLiteral("screen reader focuses %1").arg(control.objectName());
        }
        case 11: {
            const int k = uniform(0, 8);
            QWidget& target = k < 7 ? static_cast<QWidget&>(*w.imgTuer[k]) : k == 7 ? static_cast<QWidget&>(*w.cmdStart) : *w.vscTueren;
            const QPoint point = target.mapTo(&w, k < 8 ? target.rect().center() : QPoint(target.width() / 2, uniform(0, 1) ? 3 : target.height() - 3));
            if (w.rect().contains(point))
                QTest::mouseDClick(w.windowHandle(), Qt::LeftButton, {}, point);
            return QStringLiteral("double-click on %1").arg(target.objectName());
        }
        case 12: {
            const QString text = randomText().left(3);
            typeInto(*w.txtTueren, text);
            return QStringLiteral("keys into txtTueren (%1)").arg(text.size());
        }
        case 13: {
            // A click on the text box, then a dead key or a compose sequence, whose text
            // the platform hands to the focus.
            click(*w.txtTueren, w.txtTueren->rect().center());
            QInputMethodEvent composed;
            composed.setCommitString(uniform(0, 1) ? QStringLiteral("ü") : QStringLiteral("5"));
            if (QWidget* focus = w.focusWidget())
                QCoreApplication::sendEvent(focus, &composed);
            return QStringLiteral("click on txtTueren, composed %1").arg(composed.commitString());
        }
        case 14: {
            // The menu bar from the keyboard: Alt alone, then an arrow or not, then Return.
            m_closer.start(0);
            keyClickAt(Qt::Key_Alt, Qt::AltModifier);
            const bool right = uniform(0, 1);
            if (right)
                keyClickAt(Qt::Key_Right);
            keyClickAt(Qt::Key_Return);
            return QStringLiteral("Alt, %1Return").arg(right ? "Right, " : "");
        }
        case 15: {
            // Space held down on a button: the desktop repeats it as a release and a press,
            // marked as repeats or at one time. "Ende" now and then, also by the mouse.
            CommandButton* button = uniform(0, 49) == 0 ? w.cmdEnde : uniform(0, 1) ? w.Command1 : w.cmdStart;
            if (button == w.cmdEnde && uniform(0, 1)) {
                click(*button, button->rect().center());
                return QStringLiteral("click on cmdEnde");
            }
            act(button, QAccessibleActionInterface::setFocusAction());
            const bool marked = uniform(0, 1);
            const ulong time = m_keyTime += 1000;
            keyAt(Qt::Key_Space, QEvent::KeyPress, time);
            for (int repeat = 1; repeat <= 3; ++repeat) {
                keyAt(Qt::Key_Space, QEvent::KeyRelease, time + 30 * repeat, marked);
                keyAt(Qt::Key_Space, QEvent::KeyPress, time + 30 * repeat, marked);
            }
            keyAt(Qt::Key_Space, QEvent::KeyRelease, time + 100);
            return QStringLiteral("Space held on %1, repeats %2").arg(button->objectName(), marked ? "marked" : "at one time");
        }
        default: {
            QAction* entry = uniform(0, 1) ? w.cmdInfo : w.cmdcopy;
            m_closer.start(0);
            if (uniform(0, 1))
                act(entry, QAccessibleActionInterface::pressAction());
            else
                click(*w.menuBar(), w.menuBar()->actionGeometry(entry).center());
            return QStringLiteral("menu entry %1").arg(entry->text());
        }
        }
    }

    // A key as the desktop hands it to the window, at the given time: the keys' times go
    // on by a second each, the same for both twins, however long their moves take.
    void keyAt(Qt::Key key, QEvent::Type type, ulong time, bool repeat = false, Qt::KeyboardModifiers modifiers = {})
    {
        QKeyEvent event(type, key, modifiers, key < 0x100 ? QString(QChar(key)) : QString(), repeat);
        event.setTimestamp(time);
        QCoreApplication::sendEvent(m_harness->windowHandle(), &event);
    }

    void keyClickAt(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        const ulong time = m_keyTime += 1000;
        keyAt(key, QEvent::KeyPress, time, false, modifiers);
        keyAt(key, QEvent::KeyRelease, time + 50);
    }

    void closeBox()
    {
        if (QMessageBox* box = shownBox(*m_harness)) {
            m_log << QStringLiteral("box '%1'").arg(box->windowTitle());
            box->button(QMessageBox::Ok)->click();
            // The desktop gives the window back the keyboard, as the offscreen platform
            // does not. The pointer that closed the box has left the menu bar's entry; the
            // pointer's entering the window says so, but while input waits it waits too.
            m_harness->activateWindow();
            m_harness->menuBar()->setActiveAction(nullptr);
        }
    }

    // Which handlers run, in their order: seen from the signals of the controls they
    // answer, and from the boxes that show.
    void logHandlers()
    {
        Wulpe& w = *m_harness;
        for (QAbstractButton* button : w.findChildren<QAbstractButton*>()) {
            const bool option = button->isCheckable();
            QObject::connect(button, option ? &QAbstractButton::toggled : &QAbstractButton::clicked, [this, button, option](bool on) {
                if (on || !option)
                    m_log << button->objectName();
            });
        }
        for (Image* door : w.imgTuer)
            QObject::connect(door, &Image::Click, [this, door] { m_log << door->objectName(); });
        QObject::connect(w.vscTueren, &QScrollBar::valueChanged, [this](int doors) { m_log << QStringLiteral("vscTueren=%1").arg(doors); });
    }

    Action drawAction()
    {
        int r = uniform(0, totalWeight() - 1);
        for (const Weighted& w : actions) {
            if (r < w.weight)
                return w.action;
            r -= w.weight;
        }
        return Action::Door;
    }

    // Whether a click at this point of the widget reaches the widget itself.
    bool reaches(QWidget& widget, QPoint point)
    {
        Wulpe& w = *m_harness;
        const QPoint inWindow = widget.mapTo(&w, point);
        return w.rect().contains(inWindow) && w.childAt(inWindow) == &widget;
    }

    // A click on the window; one beyond its edges would land on another window.
    void click(QWidget& widget, QPoint point)
    {
        Wulpe& w = *m_harness;
        if (w.rect().contains(widget.mapTo(&w, point)))
            clickAt(w, widget, point);
    }

    void expectNothing() { m_model.unchanged = stateOf(*m_harness); }

    QString act()
    {
        Wulpe& w = *m_harness;
        m_model.unchanged.reset();
        m_model.newGame = false;
        m_model.rest = false;
        m_model.decidedRun = false;
        m_model.moves = -1;
        m_model.strategyChanged = false;
        m_model.strategy = -1;
        switch (drawAction()) {
        case Action::Door: return clickDoor(uniform(0, 6));
        case Action::Start: {
            const QPoint centre = w.cmdStart->rect().center();
            if (!reaches(*w.cmdStart, centre))
                expectNothing();
            else if (m_model.mode == 0)
                m_model.newGame = true;
            else {
                m_model.games += m_model.mode == 1 ? 1 : 20;
                m_model.decidedRun = true;
            }
            click(*w.cmdStart, centre);
            return QStringLiteral("Spielstart");
        }
        case Action::Mode: {
            const int k = uniform(0, 2);
            OptionButton& button = *w.Option2[k];
            const QPoint point = indicatorOf(button);
            if (reaches(button, point))
                m_model.mode = k;
            if (!reaches(button, point) || button.isChecked())
                expectNothing();
            else
                m_model.rest = true;
            click(button, point);
            return QStringLiteral("Option2(%1)").arg(k);
        }
        case Action::Strategy: {
            // A strategy takes effect at the next decision; nothing else changes.
            const int k = uniform(0, 14);
            OptionButton& button = *w.Option1[k];
            const QPoint point = indicatorOf(button);
            expectNothing();
            m_model.strategyChanged = true;
            if (reaches(button, point))
                m_model.strategy = k;
            click(button, point);
            return QStringLiteral("Option1(%1)").arg(k);
        }
        case Action::ArrowUp: return clickArrow(true);
        case Action::ArrowDown: return clickArrow(false);
        case Action::ScrollKey: return scrollKey();
        case Action::Clear: {
            const QPoint centre = w.Command1->rect().center();
            GameState before = stateOf(w);
            if (reaches(*w.Command1, centre)) {
                before.spiele = before.autos = before.wulpen = 0;
                before.boxes = QStringList(5, QString());
                m_model.games = 0;
            }
            m_model.unchanged = before;
            click(*w.Command1, centre);
            return QStringLiteral("Zähler löschen");
        }
        case Action::Type: return type();
        case Action::Paste: return paste();
        case Action::Resize: return resize();
        case Action::Explanation: return chooseMenuEntry(w.cmdInfo);
        case Action::Authorship: return chooseMenuEntry(w.cmdcopy);
        }
        return {};
    }

    QString clickDoor(int k)
    {
        Wulpe& w = *m_harness;
        Image& door = *w.imgTuer[k];
        const QPoint point(uniform(0, std::max(0, door.width() - 1)), uniform(0, std::max(0, door.height() - 1)));
        const bool counts = reaches(door, point) && w.SpielLaeuft && !w.Option2[1]->isChecked() && w.Zustand(k) == DoorState::Free;
        if (!counts) {
            expectNothing();
        } else {
            m_model.moves = w.AnzahlWahlen + 1;
            if (m_model.moves == m_model.doors - 1)
                ++m_model.games;
        }
        click(door, point);
        return QStringLiteral("door %1 at (%2, %3)%4").arg(k).arg(point.x()).arg(point.y()).arg(counts ? " counted" : "");
    }

    // The upper arrow adds a door, the lower one takes one away; at a limit nothing happens.
    QString clickArrow(bool up)
    {
        Wulpe& w = *m_harness;
        VScrollBar& bar = *w.vscTueren;
        const QPoint point(bar.width() / 2, up ? 3 : bar.height() - 3);
        const int wanted = std::clamp(m_model.doors + (up ? 1 : -1), 3, 7);
        if (reaches(bar, point) && wanted != m_model.doors)
            changeDoors(wanted);
        else
            expectNothing();
        click(bar, point);
        return QStringLiteral("arrow %1").arg(up ? "up" : "down");
    }

    QString scrollKey()
    {
        static constexpr std::array keys = {Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End};
        const Qt::Key key = keys[std::size_t(uniform(0, int(keys.size()) - 1))];
        VScrollBar& bar = *m_harness->vscTueren;
        const int before = bar.value();
        QTest::keyClick(&bar, key);
        // The key's meaning belongs to the scroll bar; the test checks what follows from it.
        if (bar.value() != before)
            changeDoors(bar.value());
        else
            expectNothing();
        return QStringLiteral("key %1 on vscTueren").arg(int(key));
    }

    void changeDoors(int doors)
    {
        m_model.doors = doors;
        m_model.text = QString::number(doors);
        m_model.newGame = true;
    }

    // Any text: digits, letters, umlauts, symbols beyond the basic plane, control
    // characters, and now and then a very long one.
    QString randomText()
    {
        static const QString pieces[] = {
            QStringLiteral("7"), QStringLiteral("0"), QStringLiteral("-1"), QStringLiteral("99999999999999999999"),
            QStringLiteral("abc"), QStringLiteral("Tür"), QStringLiteral("ÄÖÜß"), QStringLiteral("€"),
            QStringLiteral("\U0001F410"), QStringLiteral("\t"), QStringLiteral("\n"), QStringLiteral("\r"),
            QString(QChar(0)), QString(QChar(0x1B)), QString(QChar(0x7F)), QString(QChar(0x202E)),
            QStringLiteral(" "), QStringLiteral("%1"), QStringLiteral("<b>x</b>"), QStringLiteral("3.5"),
        };
        QString text;
        const int count = uniform(1, 6);
        for (int p = 0; p < count; ++p)
            text += pieces[uniform(0, int(std::size(pieces)) - 1)];
        if (uniform(0, 199) == 0)
            text = text.repeated(40000 / int(text.size()) + 1);
        return text;
    }

    QString type()
    {
        TextBox& box = *m_harness->txtTueren;
        const QString text = randomText().left(16);
        expectNothing();
        typeInto(box, text);
        if (uniform(0, 3) == 0)
            QTest::keyClick(&box, Qt::Key_Return);
        m_model.text = box.text();
        return QStringLiteral("typed %1 characters").arg(text.size());
    }

    QString paste()
    {
        TextBox& box = *m_harness->txtTueren;
        const QString text = randomText();
        QGuiApplication::clipboard()->setText(text);
        expectNothing();
        if (uniform(0, 1) == 0)
            QTest::keyClick(&box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
        m_model.text = box.text();
        return QStringLiteral("pasted %1 characters").arg(text.size());
    }

    // Mostly sizes that show the whole board, sometimes ones that cut it off.
    QString resize()
    {
        Wulpe& w = *m_harness;
        const bool small = uniform(0, 3) == 0;
        const QSize size = small ? QSize(uniform(120, 900), uniform(80, 700)) : QSize(uniform(1000, 1600), uniform(780, 1200));
        w.resize(size);
        return QStringLiteral("resize to %1 x %2").arg(size.width()).arg(size.height());
    }

    QString chooseMenuEntry(QAction* entry)
    {
        Wulpe& w = *m_harness;
        QMenuBar& bar = *w.menuBar();
        const QPoint point = bar.actionGeometry(entry).center();
        const bool opens = reaches(bar, point);
        expectNothing();
        click(bar, point);
        // The choice waits its turn among the input; its box shows when the queue comes
        // to it, and is closed with its OK button.
        while (!shownBox(w) && !w.idle())
            QCoreApplication::processEvents();
        const int boxesSeen = shownBox(w) ? 1 : 0;
        closeBox();
        // On a menu bar too narrow for both entries, the last one hides behind the
        // bar's extension button, and a click may or may not reach it.
        const bool fits = bar.sizeHint().width() <= bar.width();
        if (fits && boxesSeen != (opens ? 1 : 0))
            m_boxProblem = QStringLiteral("%1 boxes for %2").arg(boxesSeen).arg(entry->text());
        return entry->text();
    }

    void paint()
    {
        Wulpe& w = *m_harness;
        w.setUpdatesEnabled(true);
        w.repaint();
        w.setUpdatesEnabled(false);
    }

    // What the test expected of the event it made.
    QString modelViolation()
    {
        Wulpe& w = *m_harness;
        if (!m_boxProblem.isEmpty())
            return std::exchange(m_boxProblem, QString());
        if (w.AnzahlSpiele != m_model.games)
            return QStringLiteral("%1 games counted, %2 expected").arg(w.AnzahlSpiele).arg(m_model.games);
        if (w.vscTueren->value() != m_model.doors)
            return QStringLiteral("%1 doors, %2 expected").arg(w.vscTueren->value()).arg(m_model.doors);
        if (!w.Option2[m_model.mode]->isChecked())
            return QStringLiteral("mode %1 expected").arg(m_model.mode);
        if (w.txtTueren->text() != m_model.text)
            return QStringLiteral("txtTueren shows '%1', '%2' expected").arg(w.txtTueren->text().left(40), m_model.text.left(40));
        if (m_model.unchanged) {
            GameState now = stateOf(w);
            if (m_model.strategyChanged)
                std::copy(now.selected.begin() + 3, now.selected.end(), m_model.unchanged->selected.begin() + 3);
            if (now != *m_model.unchanged)
                return QStringLiteral("the event changed the game");
        }
        if (m_model.strategy >= 0 && !w.Option1[m_model.strategy]->isChecked())
            return QStringLiteral("Option1(%1) not selected").arg(m_model.strategy);
        for (int frame = 0; frame < 5; ++frame) {
            if (std::count_if(&w.Option1[3 * frame], &w.Option1[3 * frame + 3], [](auto* b) { return b->isChecked(); }) != 1)
                return QStringLiteral("Frame4(%1) has not exactly one strategy").arg(frame);
        }
        if (m_model.newGame && (w.SpielLaeuft != 1 || w.AnzahlWahlen != 0))
            return QStringLiteral("no new game open");
        if (m_model.rest && (w.SpielLaeuft != 0 || w.AnzahlWahlen != 0))
            return QStringLiteral("the board is not at rest");
        if (m_model.decidedRun && (w.SpielLaeuft != 0 || w.AnzahlWahlen != m_model.doors - 1))
            return QStringLiteral("the run did not end on a decided game");
        if (m_model.moves >= 0 && w.AnzahlWahlen != m_model.moves)
            return QStringLiteral("%1 moves made, %2 expected").arg(w.AnzahlWahlen).arg(m_model.moves);
        // A re-layout depends on the screen only: the doors stay where they were.
        if (w.imgTuer[0]->geometry() != m_designGeometry)
            return QStringLiteral("door 0 moved to another place");
        return {};
    }

    unsigned m_seed;
    Twin m_twin;
    Harness m_harness;
    bool m_restless = false;
    int m_injections = 0;
    int m_pending = 0;
    std::deque<unsigned> m_later;
    QStringList m_log;
    QString m_injected;
    QString m_pauseProblem;
    QTimer m_closer;
    std::mt19937 m_random;
    std::mt19937* m_draw = &m_random;
    ulong m_keyTime = 0;
    Model m_model;
    QRect m_designGeometry;
    QString m_boxProblem;
    std::deque<QString> m_recent;
    int m_event = 0;
};

} // namespace

class MonkeyTest : public QObject {
    Q_OBJECT

private slots:
    void invariantsHoldAfterEveryEvent();
};

namespace {

// Twins play the same events; an empty text if they end every one of them alike.
QString twinsRun(unsigned seed, int events)
{
    Monkey during(seed, Twin::During), after(seed, Twin::After);
    for (int event = 0; event < events; ++event) {
        for (Monkey* twin : {&during, &after}) {
            if (const QString broken = twin->run(event + 1); !broken.isEmpty())
                return broken;
        }
        const QString a = during.seen(), b = after.seen();
        if (a != b)
            return QStringLiteral("seed %1, event %2: input made during the move ends otherwise than made after it\n"
                                  "  during: %3\n    %4\n  after:  %5\n    %6\n  replay: WULPE_MONKEY_SEED=%1")
                .arg(seed).arg(event).arg(during.lastEvent(), a, after.lastEvent(), b);
        if (during.ended())
            break;
    }
    return {};
}

} // namespace

void MonkeyTest::invariantsHoldAfterEveryEvent()
{
    const long long events = environmentNumber("WULPE_MONKEY_EVENTS").value_or(1000000);
    std::vector<unsigned> seeds;
    if (const auto seed = environmentNumber("WULPE_MONKEY_SEED"))
        seeds.push_back(unsigned(*seed));
    else
        for (long long run = 0; run * EventsPerRun < events; ++run)
            seeds.insert(seeds.end(), {unsigned(1000 + run), unsigned(TwinSeeds + run)});

    loudMessages = qInstallMessageHandler(quietMessages);
    long long played = 0;
    for (unsigned seed : seeds) {
        // Twins play two windows at once: each of their events counts twice.
        const bool twins = seed >= TwinSeeds;
        const int share = twins ? TwinEvents : EventsPerRun - 2 * TwinEvents;
        const int count = int(std::min<long long>(share, std::max(1LL, (events - played) / (twins ? 2 : 1))));
        const QString failure = twins ? twinsRun(seed, count) : Monkey(seed).run(count);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        played += twins ? 2 * count : count;
    }
    qInstallMessageHandler(loudMessages);
    qInfo("%lld events in %zu runs", played, seeds.size());
}

QTEST_MAIN(MonkeyTest)
#include "test_monkey.moc"
