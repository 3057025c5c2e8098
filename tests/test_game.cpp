// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The move and the runner: which doors open, the final board, the walks, the pauses per
// mode, what is painted during a move, and the quiz played by clicks.

#include "support.h"

#include "game/regeln.h"

#include <QAccessible>
#include <QApplication>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <functional>
#include <tuple>
#include <utility>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace {

// How a test ends the program during a move.
enum class Ending { Closed, Ende, ByWindows };

using enum DoorState;

const QString Prompt = QStringLiteral("Klicke auf die gewünschte Tür");

// Where a figure stands after walking to a door: each step covers a fifth of the
// remaining way, in single precision.
float walkedLeft(float start, float door)
{
    float left = start;
    for (int step = 0; step < 20; ++step)
        left = (2.0f * door + 8.0f * left) / 10.0f;
    return left;
}

// A list of pauses: each pair is a count and a length in seconds.
std::vector<double> pauses(std::initializer_list<std::pair<int, double>> runs)
{
    std::vector<double> list;
    for (const auto& [count, length] : runs)
        list.insert(list.end(), std::size_t(count), length);
    return list;
}

void comparePauses(const std::vector<double>& actual, const std::vector<double>& expected)
{
    QCOMPARE(actual.size(), expected.size());
    for (std::size_t k = 0; k < actual.size(); ++k)
        QVERIFY2(std::abs(actual[k] - expected[k]) < 1e-9, qPrintable(QString::number(k)));
}

class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// A clock whose pauses wake half a millisecond early, and whose time creeps on by
// 0.1 ms with every reading.
class EarlyClock : public FakeClock {
public:
    double seconds() override { return now += 0.0001; }
    void pausing(double length) override
    {
        sleeps.push_back(length);
        now += length - 0.0005;
    }
};

std::unique_ptr<Wulpe> windowOn(std::unique_ptr<Clock> clock, ScriptedRandom** random = nullptr)
{
    auto scripted = std::make_unique<ScriptedRandom>();
    if (random)
        *random = scripted.get();
    Services services{std::make_unique<FakeScreen>(12288, 9216, 12), std::move(clock),
                      std::move(scripted)};
    auto window = std::make_unique<Wulpe>(std::move(services));
    window->Form_Load();
    return window;
}

// A shown window on a clock that calls back at every sleep, with a quiz game open on
// three doors whose draws start with `draws`.
struct HookedQuiz {
    FakeClock* clock = nullptr;
    ScriptedRandom* random = nullptr;
    std::unique_ptr<Wulpe> window;
};

HookedQuiz hookedQuiz(std::initializer_list<float> draws)
{
    HookedQuiz q;
    auto clock = std::make_unique<FakeClock>();
    q.clock = clock.get();
    q.window = windowOn(std::move(clock), &q.random);
    showWhole(*q.window);
    q.random->script(draws);
    q.window->cmdStart->click();
    return q;
}

void postClick(QWidget& widget)
{
    const QPointF centre = QRectF(widget.rect()).center();
    const QPointF global = widget.mapToGlobal(centre);
    QCoreApplication::postEvent(&widget, new QMouseEvent(QEvent::MouseButtonPress, centre, global,
                                                         Qt::LeftButton, Qt::LeftButton, {}));
    QCoreApplication::postEvent(&widget, new QMouseEvent(QEvent::MouseButtonRelease, centre, global,
                                                         Qt::LeftButton, Qt::NoButton, {}));
}

} // namespace

class GameTest : public QObject {
    Q_OBJECT

private slots:
    void hostDrawRejectsHeldCarAndOpenDoors();
    void lastDoorIsTheClosedOneWithoutTheCar();

    void oneMoveOpensOneFreeNonPrizeDoor_data();
    void oneMoveOpensOneFreeNonPrizeDoor();
    void wholeQuizGameByClicks_data();
    void wholeQuizGameByClicks();
    void figuresStopAFifthPowerTwentyShort();

    void pausesPerMode();
    void pausesSleepAndNeverEndEarly();
    void onlyStepsFollowedByAPauseArePainted();

    void clickCountsOnlyInAnOpenGameOutsideWholeGameMode();
    void clickingTheHeldDoorAgainKeepsIt();
    void startInQuizModeAbandonsTheGameUncounted();
    void clickDuringAMoveIsHandledAfterIt();
    void inputDuringAMoveWaitsAndFollowsInOrder();
    void inputDuringAMoveActsAsIfMadeAfterIt_data();
    void inputDuringAMoveActsAsIfMadeAfterIt();
    void endingDuringAMoveLeavesTheClicksBehindIt_data();
    void endingDuringAMoveLeavesTheClicksBehindIt();
    void doubleClickOnADoorIsOneClick();
    void doorKeysActAsClicks_data();
    void doorKeysActAsClicks();

    void newDoorTakesTheOneOtherClosedDoor();
    void randomRechoiceTossesThenMayDrawTheHeldDoor();
    void twentyGamesPerPressWithoutPauses();
    void runOfSevenDoorsMakesFiveDecisions();
};

void GameTest::hostDrawRejectsHeldCarAndOpenDoors()
{
    // Door 1 is held, door 3 open, the car behind door 4: only doors 0 and 2 may open.
    const std::vector<DoorState> states = {Free, Held, Free, Opened, Free};
    for (int candidate = 0; candidate < 5; ++candidate) {
        ScriptedRandom random;
        random.script({drawing(candidate, 5), drawing(2, 5)});
        const int opened = drawHostDoor(random, states, 4);
        const bool allowed = candidate == 0 || candidate == 2;
        QCOMPARE(opened, allowed ? candidate : 2);
        QCOMPARE(random.draws, allowed ? 1 : 2);
    }
}

void GameTest::lastDoorIsTheClosedOneWithoutTheCar()
{
    // Held door 1 (state 1) and closed door 4 remain. The host opens the held door when it
    // hides a non-prize, the other door when the player holds the car.
    const std::vector<DoorState> states = {Opened, Held, Opened, Opened, Free};
    ScriptedRandom random(7);
    for (int game = 0; game < 50; ++game) {
        QCOMPARE(drawLastDoor(random, states, 4), 1);
        QCOMPARE(drawLastDoor(random, states, 1), 4);
    }
}

void GameTest::oneMoveOpensOneFreeNonPrizeDoor_data()
{
    QTest::addColumn<int>("doors");
    QTest::addColumn<int>("car");
    QTest::addColumn<int>("held");
    QTest::addColumn<QList<int>>("hostDraws");  // the last one is accepted
    QTest::newRow("3 doors, held door hides the car") << 3 << 0 << 0 << QList<int>{0, 0, 2};
    QTest::newRow("3 doors, held door hides a Wulpe") << 3 << 1 << 0 << QList<int>{0, 1, 2};
    QTest::newRow("7 doors, held door hides the car") << 7 << 4 << 4 << QList<int>{4, 4, 6};
    QTest::newRow("7 doors, held door hides a Wulpe") << 7 << 2 << 5 << QList<int>{5, 2, 0};
}

void GameTest::oneMoveOpensOneFreeNonPrizeDoor()
{
    QFETCH(int, doors);
    QFETCH(int, car);
    QFETCH(int, held);
    QFETCH(QList<int>, hostDraws);
    Harness h;
    showWhole(*h);
    openQuiz(h, doors, car);
    const int drawsBefore = h.random->draws;
    scriptDoors(h, hostDraws, doors);

    clickCentre(*h, *h->imgTuer[held]);
    settle(*h);

    const int opened = hostDraws.last();
    QCOMPARE(h.random->draws - drawsBefore, hostDraws.size());
    QCOMPARE(h->ModeratorTuer, opened);
    QCOMPARE(h->GewaehlteTuer, held);
    QCOMPARE(h->AnzahlWahlen, 1);
    QCOMPARE(h->SpielLaeuft, 1);
    QCOMPARE(h->frmAuswahl1->Caption(), Prompt);
    for (int k = 0; k < 7; ++k) {
        const bool inPlay = k < doors;
        QCOMPARE(h->Zustand(k), k == opened ? Opened : Free);
        QCOMPARE(h->imgTuer[k]->isHidden(), !inPlay || k == opened);
        QCOMPARE(h->imgWulpe[k]->isHidden(), k != opened);
        QCOMPARE(h->shpMarker[k]->BorderWidth(), k == held ? 3 : 1);
        QCOMPARE(h->shpMarker[k]->BorderColor(), paletteColor(1));
    }
    QVERIFY(h->imgAuto->isHidden());
    QCOMPARE(h->AnzahlSpiele, 0);
    QVERIFY(h->Picture1[0]->text().isEmpty());
}

void GameTest::wholeQuizGameByClicks_data()
{
    QTest::addColumn<int>("doors");
    QTest::addColumn<int>("car");
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QList<int>>("hosts");
    QTest::newRow("3 doors, kept the car") << 3 << 1 << QList<int>{1, 1} << QList<int>{0};
    QTest::newRow("3 doors, kept a Wulpe") << 3 << 2 << QList<int>{0, 0} << QList<int>{1};
    QTest::newRow("3 doors, changed to the car") << 3 << 2 << QList<int>{0, 2} << QList<int>{1};
    QTest::newRow("7 doors, won") << 7 << 3 << QList<int>{0, 0, 1, 1, 0, 3} << QList<int>{6, 5, 4, 2, 1};
    QTest::newRow("7 doors, lost") << 7 << 6 << QList<int>{2, 2, 2, 2, 2, 2} << QList<int>{0, 1, 3, 4, 5};
}

void GameTest::wholeQuizGameByClicks()
{
    QFETCH(int, doors);
    QFETCH(int, car);
    QFETCH(QList<int>, clicks);
    QFETCH(QList<int>, hosts);
    Harness h;
    showWhole(*h);
    openQuiz(h, doors, car);
    h.clock->sleeps.clear();
    scriptDoors(h, hosts, doors);

    for (int move = 0; move < clicks.size(); ++move) {
        QCOMPARE(h->SpielLaeuft, 1);
        clickCentre(*h, *h->imgTuer[clicks[move]]);
        settle(*h);
        QCOMPARE(h->AnzahlWahlen, move + 1);
        if (move < hosts.size()) {
            QCOMPARE(h->ModeratorTuer, hosts[move]);
            QCOMPARE(h->Zustand(hosts[move]), Opened);
            QCOMPARE(h->Zustand(clicks[move]), Free);
        }
    }
    QVERIFY(h.random->scriptUsedUp());

    const int held = clicks.last();
    const bool won = held == car;
    QCOMPARE(h->SpielLaeuft, 0);
    // The move is over: the held door is no longer in state 1.
    QCOMPARE(h->Zustand(held), Free);
    QCOMPARE(h->frmAuswahl1->Caption(), QString());
    // The last door opened without a walk: the held one if it hides a Wulpe, else the
    // one closed door without the car.
    int lastOpened = held;
    for (int k = 0; won && k < doors; ++k) {
        if (k != car && !hosts.contains(k))
            lastOpened = k;
    }
    QCOMPARE(h->ModeratorTuer, lastOpened);
    for (int k = 0; k < doors; ++k) {
        QVERIFY(h->imgTuer[k]->isHidden());
        QCOMPARE(h->imgWulpe[k]->isHidden(), k == car);
        if (k == held) {
            QCOMPARE(h->shpMarker[k]->BorderWidth(), 15);
            QCOMPARE(h->shpMarker[k]->BorderColor(), QColor(255, 0, 0));
        } else {
            QCOMPARE(h->shpMarker[k]->BorderWidth(), 1 + 2 * int(clicks.count(k)));
            QCOMPARE(h->shpMarker[k]->BorderColor(), paletteColor(1));
        }
    }
    QVERIFY(!h->imgAuto->isHidden());
    QCOMPARE(h->imgAuto->Left(), h->imgTuer[car]->Left());
    QCOMPARE(h->imgAuto->Top(), h->imgTuer[car]->Top());
    QCOMPARE(h->AnzahlSpiele, 1);
    QCOMPARE(h->AnzahlAutos, won ? 1 : 0);
    QCOMPARE(h->AnzahlWulpen, won ? 0 : 1);

    // Quiz mode: the candidate pauses after every step, the host before and during its walk.
    std::vector<double> expected;
    for (int move = 0; move < doors - 2; ++move) {
        const auto moveWithHost = pauses({{20, 0.05}, {1, 0.2}, {20, 0.05}});
        expected.insert(expected.end(), moveWithHost.begin(), moveWithHost.end());
    }
    const auto lastMove = pauses({{20, 0.05}});
    expected.insert(expected.end(), lastMove.begin(), lastMove.end());
    comparePauses(h.clock->sleeps, expected);

    // Further clicks, on the pictures now shown or through the handler, change nothing.
    clickCentre(*h, *h->imgWulpe[car == 0 ? 1 : 0]);
    settle(*h);
    clickCentre(*h, *h->imgAuto);
    settle(*h);
    for (std::int16_t k = 0; k < doors; ++k) {
        h->imgTuer_Click(k);
        settle(*h);
    }
    QCOMPARE(h->AnzahlWahlen, doors - 1);
    QCOMPARE(h->AnzahlSpiele, 1);
}

void GameTest::figuresStopAFifthPowerTwentyShort()
{
    Harness h;
    showWhole(*h);
    openQuiz(h, 7, 6);
    const float donStart = h->imgDon->Left();
    const float hostStart = h->imgModerator->Left();
    const float donTop = h->imgDon->Top();
    const float hostTop = h->imgModerator->Top();
    h.random->script({drawing(5, 7)});
    clickCentre(*h, *h->imgTuer[0]);
    settle(*h);

    const float door0 = h->imgTuer[0]->Left();
    const float door5 = h->imgTuer[5]->Left();
    // Exactly the single-precision iteration, not merely close to it.
    QVERIFY(h->imgDon->Left() == walkedLeft(donStart, door0));
    QVERIFY(h->imgModerator->Left() == walkedLeft(hostStart, door5));
    QCOMPARE(h->imgDon->Top(), donTop);
    QCOMPARE(h->imgModerator->Top(), hostTop);
    // 0.8^20 of the starting distance, about 1.15 %.
    const double shortBy = (h->imgDon->Left() - door0) / (donStart - door0);
    QVERIFY2(std::abs(shortBy - std::pow(0.8, 20)) < 1e-5, qPrintable(QString::number(shortBy)));

    // The next walk starts where the last one ended: no game start moves the figures.
    h.random->script({drawing(1, 7)});
    h->cmdStart->click();
    settle(*h);
    QVERIFY(h->imgDon->Left() == walkedLeft(donStart, door0));
    clickCentre(*h, *h->imgTuer[4]);
    settle(*h);
    QVERIFY(h->imgDon->Left() == walkedLeft(walkedLeft(donStart, door0), h->imgTuer[4]->Left()));
}

void GameTest::pausesPerMode()
{
    for (const auto& [mode, doors, expected] :
         {std::tuple{1, 3, pauses({{40, 0.05}})}, std::tuple{1, 7, pauses({{120, 0.05}})},
          std::tuple{2, 3, pauses({})}, std::tuple{2, 7, pauses({})}}) {
        Harness h;
        h->Option2[mode]->click();
        h->vscTueren->setValue(doors);
        h.clock->sleeps.clear();
        h.clock->reads = 0;
        h->cmdStart->click();
        settle(*h);
        QCOMPARE(h->AnzahlSpiele, mode == 1 ? 1 : 20);
        comparePauses(h.clock->sleeps, expected);
        // Each pause reads the clock for its start, for its alarm, when the alarm rings
        // and once more to end: it never spins on the clock.
        QCOMPARE(h.clock->reads, 4 * int(expected.size()));
    }
}

void GameTest::pausesSleepAndNeverEndEarly()
{
    auto clock = std::make_unique<EarlyClock>();
    EarlyClock& early = *clock;
    auto window = windowOn(std::move(clock));
    const double start = early.now;
    window->imgTuer_Click(0);
    settle(*window);
    // 20 x 0.05 s + 0.2 s + 20 x 0.05 s, each pause waiting again when woken early, and
    // ending within a few readings of its end.
    QCOMPARE(int(early.sleeps.size()), 20 + 1 + 20);
    QVERIFY(early.now - start >= 2.2);
    QVERIFY(early.now - start < 2.2 + 41 * 0.001);
}

void GameTest::onlyStepsFollowedByAPauseArePainted()
{
    Harness h;
    showWhole(*h);
    PaintCounter counter;
    h->frmAuswahl1->installEventFilter(&counter);

    // Quiz: every step of both walks is painted before its pause. The thickened marker
    // may be painted once more in a pause, as soon as the platform's update timer lets it.
    h.random->script({drawing(2, 3)});
    h->cmdStart->click();
    settle(*h);
    QTest::qWait(20);
    counter.paints = 0;
    h->imgTuer_Click(0);
    settle(*h);
    QVERIFY2(counter.paints == 40 || counter.paints == 41, qPrintable(QString::number(counter.paints)));

    // "ganzes Spiel": the candidate's steps only; "20 Spiele": nothing until the run ends.
    h->Option2[1]->click();
    QTest::qWait(20);
    counter.paints = 0;
    h->cmdStart->click();
    settle(*h);
    QVERIFY2(counter.paints == 40 || counter.paints == 41, qPrintable(QString::number(counter.paints)));
    h->Option2[2]->click();
    QTest::qWait(20);
    counter.paints = 0;
    h->cmdStart->click();
    settle(*h);
    QCOMPARE(counter.paints, 0);
    QCOMPARE(h->AnzahlSpiele, 21);
}

void GameTest::clickCountsOnlyInAnOpenGameOutsideWholeGameMode()
{
    Harness h;
    showWhole(*h);
    // "ganzes Spiel": a change of N opens a game, but the computer plays it.
    h->Option2[1]->click();
    h->vscTueren->setValue(4);
    QCOMPARE(h->SpielLaeuft, 1);
    clickCentre(*h, *h->imgTuer[0]);
    settle(*h);
    QCOMPARE(h->AnzahlWahlen, 0);
    QCOMPARE(h->Zustand(0), Free);

    // "20 Spiele": that game can be clicked, and its moves run without pauses.
    h->Option2[2]->click();
    QCOMPARE(h->SpielLaeuft, 0);
    clickCentre(*h, *h->imgTuer[0]);
    settle(*h);
    QCOMPARE(h->AnzahlWahlen, 0);
    h->vscTueren->setValue(3);
    h.clock->sleeps.clear();
    clickCentre(*h, *h->imgTuer[0]);
    settle(*h);
    QCOMPARE(h->AnzahlWahlen, 1);
    QVERIFY(h.clock->sleeps.empty());

    // An opened door takes no click; the handler ignores it, too.
    const int opened = h->ModeratorTuer;
    h->imgTuer_Click(std::int16_t(opened));
    settle(*h);
    QCOMPARE(h->AnzahlWahlen, 1);
    QCOMPARE(h->Zustand(opened), Opened);
}

void GameTest::clickingTheHeldDoorAgainKeepsIt()
{
    Harness h;
    showWhole(*h);
    openQuiz(h, 4, 0);
    scriptDoors(h, {3, 2}, 4);
    for (int move = 1; move <= 3; ++move) {
        clickCentre(*h, *h->imgTuer[1]);
        settle(*h);
        QCOMPARE(h->GewaehlteTuer, 1);
        QCOMPARE(h->AnzahlWahlen, move);
    }
    QCOMPARE(h->SpielLaeuft, 0);
    QCOMPARE(h->shpMarker[1]->BorderWidth(), 15);
    QCOMPARE(h->shpMarker[0]->BorderWidth(), 1);
    QCOMPARE(h->AnzahlWulpen, 1);
    QCOMPARE(h->Picture1[3]->text(), QStringLiteral(" 1 "));
}

void GameTest::startInQuizModeAbandonsTheGameUncounted()
{
    Harness h;
    showWhole(*h);
    openQuiz(h, 3, 1);
    clickCentre(*h, *h->imgTuer[0]);
    settle(*h);
    QCOMPARE(h->AnzahlWahlen, 1);
    const int reseeds = h.random->reseeds;

    h->cmdStart->click();
    settle(*h);
    QCOMPARE(h.random->reseeds, reseeds + 1);
    QCOMPARE(h->AnzahlWahlen, 0);
    QCOMPARE(h->SpielLaeuft, 1);
    QCOMPARE(h->frmAuswahl1->Caption(), Prompt);
    for (int k = 0; k < 3; ++k) {
        QCOMPARE(h->Zustand(k), Free);
        QVERIFY(!h->imgTuer[k]->isHidden());
        QCOMPARE(h->shpMarker[k]->BorderWidth(), 1);
    }
    QCOMPARE(h->AnzahlSpiele, 0);
    for (PictureBox* box : h->Picture1)
        QVERIFY(box->text().isEmpty());
}

void GameTest::clickDuringAMoveIsHandledAfterIt()
{
    HookedQuiz q = hookedQuiz({drawing(1, 3), drawing(2, 3)});
    FakeClock& hooked = *q.clock;
    Wulpe& w = *q.window;

    // The user clicks door 1 while the move for door 0 is still running.
    std::vector<std::pair<int, int>> atSleep;  // held door and moves made, at each pause
    hooked.onSleep = [&] {
        if (atSleep.empty())
            postClick(*w.imgTuer[1]);
        atSleep.emplace_back(w.GewaehlteTuer, w.AnzahlWahlen);
    };
    clickCentre(w, *w.imgTuer[0]);
    settle(w);
    QCoreApplication::sendPostedEvents();

    QCOMPARE(w.AnzahlWahlen, 2);
    QCOMPARE(int(atSleep.size()), 41 + 20);
    for (std::size_t k = 0; k < atSleep.size(); ++k) {
        const auto expected = k < 20 ? std::pair{0, 0} : k < 41 ? std::pair{0, 1} : std::pair{1, 1};
        QCOMPARE(atSleep[k], expected);
    }
    QCOMPARE(w.shpMarker[0]->BorderWidth(), 3);
    QCOMPARE(w.shpMarker[1]->BorderWidth(), 15);
    QCOMPARE(w.AnzahlAutos, 1);
}

void GameTest::inputDuringAMoveWaitsAndFollowsInOrder()
{
    // Car behind door 0; the host opens door 2 after the first move.
    HookedQuiz q = hookedQuiz({drawing(0, 3), drawing(2, 3)});
    FakeClock& hooked = *q.clock;
    Wulpe& w = *q.window;
    const auto pressDoor = [&](int door) {
        QAccessible::queryAccessibleInterface(w.imgTuer[door])->actionInterface()->doAction(
            QAccessibleActionInterface::pressAction());
    };

    // While door 0's move runs, a screen reader presses door 2 and sets five doors, key 3
    // is pressed, a screen reader presses "ganzes Spiel", and the window is resized.
    struct Seen { int doors, held, moves; bool quiz, busy; float candidate; };
    std::vector<Seen> seen;
    w.cmdStart->setFocus();
    hooked.onSleep = [&] {
        if (seen.empty()) {
            pressDoor(1);
            QAccessible::queryAccessibleInterface(w.vscTueren)->valueInterface()->setCurrentValue(5);
            QTest::keyClick(w.windowHandle(), Qt::Key_3);
            QAccessible::queryAccessibleInterface(w.Option2[1])->actionInterface()->doAction(
                QAccessibleActionInterface::pressAction());
        }
        if (seen.size() == 5)
            w.resize(w.width() - 100, w.height() - 50);
        const QCursor* cursor = QGuiApplication::overrideCursor();
        seen.push_back({w.vscTueren->value(), w.GewaehlteTuer, w.AnzahlWahlen, w.Option2[0]->isChecked(),
                        cursor && cursor->shape() == Qt::BusyCursor, w.imgDon->Left()});
    };
    clickCentre(w, *w.imgTuer[0]);
    settle(w);

    // The first move, then door 2's move (the last of the game), then key 3's move in
    // the new game of five doors.
    QCOMPARE(int(seen.size()), 41 + 20 + 41);
    seen.resize(41);
    for (std::size_t k = 0; k < seen.size(); ++k) {
        QCOMPARE(seen[k].doors, 3);
        QCOMPARE(seen[k].held, 0);
        QCOMPARE(seen[k].moves, k < 20 ? 0 : 1);
        QVERIFY(seen[k].quiz);
        QVERIFY(seen[k].busy);
        // The candidate walks on to door 0; the resize is laid out after the move.
        if (k > 0 && k < 20)
            QVERIFY(seen[k].candidate < seen[k - 1].candidate);
    }
    QVERIFY(!QGuiApplication::overrideCursor());

    // In the order they were made: door 2 decides the game (a Wulpe), five doors open a
    // new game, key 3 picks door 3 there, and the mode button leaves no game open.
    QCOMPARE(w.AnzahlSpiele, 1);
    QCOMPARE(w.AnzahlWulpen, 1);
    QCOMPARE(w.vscTueren->value(), 5);
    QCOMPARE(w.GewaehlteTuer, 2);
    QTRY_VERIFY(w.Option2[1]->isChecked());
    QCOMPARE(w.SpielLaeuft, 0);
}

void GameTest::inputDuringAMoveActsAsIfMadeAfterIt_data()
{
    QTest::addColumn<int>("row");
    QTest::newRow("a held click lands on no door out of play") << 1;
    QTest::newRow("a screen reader presses no door out of play") << 2;
    QTest::newRow("the upper arrow adds a door during a move") << 3;
    QTest::newRow("held keys go to the focus after the move") << 4;
    QTest::newRow("a screen reader's mode toggle waits") << 5;
    QTest::newRow("a screen reader's menu entry waits") << 6;
    QTest::newRow("a screen reader's button press keeps its place") << 7;
    QTest::newRow("nothing held runs under a box a screen reader opened") << 8;
    QTest::newRow("a pause answers events as they come") << 9;
    QTest::newRow("a screen reader's focus and typing wait") << 10;
    QTest::newRow("the door count's own menu opens after the move") << 11;
    QTest::newRow("a double-click is one click after the move") << 12;
    QTest::newRow("a screen reader's press waits for the door count") << 13;
    QTest::newRow("a menu entry clicked keeps its place") << 14;
    QTest::newRow("a menu entry chosen by keyboard keeps its place") << 15;
    QTest::newRow("a double-click on an arrow steps twice and stops") << 16;
    QTest::newRow("a double-click on Spielstart plays two games") << 17;
    QTest::newRow("composed text waits") << 18;
}

void GameTest::inputDuringAMoveActsAsIfMadeAfterIt()
{
    QFETCH(int, row);
    if (row == 9) {
        // On the real clock: something the platform asks during a pause is answered long
        // before the pause ends, and the pause ends on time, not before.
        SystemClock clock;
        Alarm alarm(clock);
        double answered = 0, woken = 0;
        QTimer::singleShot(5, [&] { answered = clock.seconds(); });
        const double start = clock.seconds();
        // The coroutine refers to its captures through the lambda, which must outlive it.
        const auto pausing = [&]() -> Task {
            co_await alarm.at(start + 0.05);
            woken = clock.seconds();
        };
        const Task pause = pausing();
        QTRY_VERIFY(pause.done());
        QVERIFY(answered > start && answered < start + 0.04);
        QVERIFY(woken >= start + 0.05);
        QVERIFY(woken < start + 0.25);
        return;
    }
    // Three doors, the car behind door 0; the host opens door 2 after the first move.
    HookedQuiz q = hookedQuiz({drawing(0, 3), drawing(2, 3)});
    Wulpe& w = *q.window;
    w.activateWindow();
    const auto actionOn = [](QObject* control, const QString& action) {
        accessibleOf(control)->actionInterface()->doAction(action);
    };
    const QString press = QAccessibleActionInterface::pressAction();
    // Boxes are closed as soon as they show; the game as it stood then is kept.
    int boxes = 0, movesUnderTheBox = -1;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (QMessageBox* box = shownBox(w)) {
            ++boxes;
            movesUnderTheBox = w.AnzahlWahlen;
            box->button(QMessageBox::Ok)->click();
        }
    });
    closer.start(1);
    QSignalSpy starts(w.cmdStart, &QPushButton::clicked);
    // Whatever the row does during the first pause of the move; at every pause the move
    // is on a door in play, in the mode it began in, with no box open.
    std::function<void()> duringTheMove;
    bool sound = true;
    q.clock->onSleep = [&] {
        // From the event loop, while the move waits at this pause, as a user's input comes.
        if (duringTheMove)
            QMetaObject::invokeMethod(&w, std::exchange(duringTheMove, nullptr), Qt::QueuedConnection);
        sound = sound && w.GewaehlteTuer < w.vscTueren->value() && w.Option2[0]->isChecked()
            && !shownBox(w);
    };
    const auto moveOnDoor = [&](int door) { clickCentre(w, *w.imgTuer[door]); };

    switch (row) {
    case 1:
        // Seven doors: while door 1's move runs, the wheel takes doors away over the door
        // count and door 7 is clicked, which is out of play after the move.
        w.vscTueren->setValue(7);
        duringTheMove = [&] {
            const QPoint bar = w.vscTueren->mapTo(&w, w.vscTueren->rect().center());
            QWheelEvent wheel(bar, w.mapToGlobal(bar), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(w.windowHandle(), &wheel);
            moveOnDoor(6);
        };
        moveOnDoor(0);
        QTRY_VERIFY(w.vscTueren->value() < 7);
        QCoreApplication::processEvents();
        QCOMPARE(w.AnzahlSpiele, 0);
        QCOMPARE(w.AnzahlWahlen, 0);
        QCOMPARE(w.SpielLaeuft, std::int16_t(1));
        break;
    case 2:
        actionOn(w.imgTuer[5], press);
        QCoreApplication::processEvents();
        QCOMPARE(w.AnzahlWahlen, 0);
        break;
    case 3:
        w.vscTueren->setValue(5);
        duringTheMove = [&] { clickAt(w, *w.vscTueren, {w.vscTueren->width() / 2, 3}); };
        moveOnDoor(0);
        QTRY_COMPARE(w.vscTueren->value(), 6);
        break;
    case 4:
        // Key 1 moves to door 1 with the focus on "Spielstart"; Tab and Space follow.
        w.cmdStart->setFocus();
        duringTheMove = [&] {
            QTest::keyClick(w.windowHandle(), Qt::Key_Tab);
            QTest::keyClick(w.windowHandle(), Qt::Key_Space);
        };
        QTest::keyClick(w.windowHandle(), Qt::Key_1);
        settle(w);
        QVERIFY(w.focusWidget() != w.cmdStart);
        QCOMPARE(starts.count(), 0);
        break;
    case 5:
        duringTheMove = [&] { actionOn(w.Option2[1], QAccessibleActionInterface::toggleAction()); };
        moveOnDoor(0);
        QTRY_VERIFY(w.Option2[1]->isChecked());
        QCOMPARE(w.SpielLaeuft, std::int16_t(0));
        QCOMPARE(w.AnzahlWahlen, 0);
        for (Image* wulpe : w.imgWulpe)
            QVERIFY(wulpe->isHidden());
        break;
    case 6:
        duringTheMove = [&] { actionOn(w.cmdInfo, press); };
        moveOnDoor(0);
        QTRY_COMPARE(boxes, 1);
        break;
    case 7:
        // "Spielstart" pressed before door 2 is clicked: a new game, then its first move.
        duringTheMove = [&] {
            actionOn(w.cmdStart, press);
            moveOnDoor(1);
        };
        moveOnDoor(0);
        QTRY_COMPARE(starts.count(), 1);
        QTRY_COMPARE(w.AnzahlWahlen, 1);
        QCOMPARE(w.GewaehlteTuer, 1);
        QCOMPARE(w.AnzahlSpiele, 0);
        break;
    case 10: {
        QAccessibleInterface* box = QAccessible::queryAccessibleInterface(w.txtTueren);
        w.cmdStart->setFocus();
        duringTheMove = [&] {
            actionOn(w.txtTueren, QAccessibleActionInterface::setFocusAction());
            box->editableTextInterface()->insertText(0, QStringLiteral("7"));
        };
        q.clock->onSleep = [&, hook = q.clock->onSleep] {
            hook();
            sound = sound && w.txtTueren->text() == QStringLiteral("3") && w.focusWidget() != w.txtTueren;
        };
        moveOnDoor(0);
        QTRY_COMPARE(w.txtTueren->text(), QStringLiteral("73"));
        QCOMPARE(w.focusWidget(), w.txtTueren);
        break;
    }
    case 11: {
        // A right-click on the door count; the menu pops up once the move is over, and
        // nothing waits inside it.
        const QPoint box = w.txtTueren->mapTo(&w, w.txtTueren->rect().center());
        duringTheMove = [&] {
            QTest::mouseClick(w.windowHandle(), Qt::RightButton, {}, box);
            sound = sound && !QApplication::activePopupWidget();
        };
        moveOnDoor(0);
        settle(w);
        QVERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
        QApplication::activePopupWidget()->close();
        QCOMPARE(w.txtTueren->text(), QStringLiteral("3"));
        break;
    }
    case 12: {
        const QPoint door = w.imgTuer[1]->mapTo(&w, w.imgTuer[1]->rect().center());
        duringTheMove = [&] { QTest::mouseDClick(w.windowHandle(), Qt::LeftButton, {}, door); };
        moveOnDoor(0);
        settle(w);
        QCOMPARE(w.AnzahlWahlen, 2);
        QCOMPARE(w.shpMarker[1]->BorderWidth(), 15);
        break;
    }
    case 13:
        // Door 4 is out of play when it is pressed; the door count raised before it
        // brings it into play, and the press moves to it in the new game.
        duringTheMove = [&] {
            actionOn(w.vscTueren, QAccessibleActionInterface::increaseAction());
            actionOn(w.imgTuer[3], press);
        };
        moveOnDoor(0);
        // The first move leaves one move counted too: what waits follows it first.
        settle(w);
        QCOMPARE(w.AnzahlWahlen, 1);
        QCOMPARE(w.vscTueren->value(), 4);
        QCOMPARE(w.GewaehlteTuer, 3);
        break;
    case 8:
    case 14:
    case 15: {
        // The entry is chosen, by a screen reader, the mouse or the keyboard, and then
        // door 2 is clicked: the box opens after the move, and the click follows when the
        // box is closed.
        const QPoint entry = w.menuBar()->mapTo(&w, w.menuBar()->actionGeometry(w.cmdInfo).center());
        duringTheMove = [&] {
            if (row == 8) {
                actionOn(w.cmdInfo, press);
            } else if (row == 14) {
                QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, entry);
            } else {
                QTest::keyClick(w.windowHandle(), Qt::Key_Alt, Qt::AltModifier);
                QTest::keyClick(w.windowHandle(), Qt::Key_Return);
            }
            moveOnDoor(1);
        };
        moveOnDoor(0);
        QTRY_COMPARE(w.AnzahlSpiele, 1);
        QCOMPARE(boxes, 1);
        QCOMPARE(movesUnderTheBox, 1);
        break;
    }
    case 16: {
        // Seven doors; the lower arrow, double-clicked, takes two doors away, and its
        // repeat stops when the button is let go.
        w.vscTueren->setValue(7);
        const QPoint arrow = w.vscTueren->mapTo(&w, QPoint(w.vscTueren->width() / 2, w.vscTueren->height() - 3));
        duringTheMove = [&] { QTest::mouseDClick(w.windowHandle(), Qt::LeftButton, {}, arrow); };
        moveOnDoor(0);
        QTRY_COMPARE(w.vscTueren->value(), 5);
        // An arrow held down repeats after half a second.
        QTest::qWait(800);
        QCOMPARE(w.vscTueren->value(), 5);
        break;
    }
    case 17:
        // "ganzes Spiel": Spielstart, double-clicked during a game, plays two more.
        w.Option2[1]->click();
        q.clock->onSleep = [&] {
            if (duringTheMove)
                QMetaObject::invokeMethod(&w, std::exchange(duringTheMove, nullptr), Qt::QueuedConnection);
        };
        duringTheMove = [&] {
            QTest::mouseDClick(w.windowHandle(), Qt::LeftButton, {}, w.cmdStart->mapTo(&w, w.cmdStart->rect().center()));
        };
        clickCentre(w, *w.cmdStart);
        QTRY_COMPARE(w.AnzahlSpiele, 3);
        settle(w);
        QCOMPARE(w.AnzahlSpiele, 3);
        QVERIFY(!w.cmdStart->isDown());
        break;
    case 18: {
        // A dead key and a letter in "Türen": the input method sends the text to the focus.
        w.txtTueren->setFocus();
        duringTheMove = [&] {
            QInputMethodEvent composed;
            composed.setCommitString(QStringLiteral("é"));
            QCoreApplication::sendEvent(QGuiApplication::focusObject(), &composed);
        };
        q.clock->onSleep = [&, hook = q.clock->onSleep] {
            hook();
            sound = sound && w.txtTueren->text() == QStringLiteral("3");
        };
        moveOnDoor(0);
        settle(w);
        QVERIFY(w.txtTueren->text().contains(u'é'));
        break;
    }
    }
    QVERIFY(sound);
}

void GameTest::endingDuringAMoveLeavesTheClicksBehindIt_data()
{
    QTest::addColumn<Ending>("ending");
    // Closing the window stops the move at once; "Ende" is a click and waits for it.
    QTest::newRow("window closed") << Ending::Closed;
    QTest::newRow("Ende clicked") << Ending::Ende;
#ifdef Q_OS_WIN
    // The desktop's request as Windows sends it: a message to the window, which Qt hands
    // on from its queue of the platform's events, after what the event loop has queued.
    QTest::newRow("closed by Windows") << Ending::ByWindows;
#endif
}

void GameTest::endingDuringAMoveLeavesTheClicksBehindIt()
{
    QFETCH(Ending, ending);
    if (ending == Ending::ByWindows && QGuiApplication::platformName() != u"windows")
        QSKIP("Windows' message to close a window needs Qt's Windows platform");
    auto clock = std::make_unique<FakeClock>();
    FakeClock& hooked = *clock;
    auto window = windowOn(std::move(clock));
    Wulpe& w = *window;
    showWhole(w);
    w.Option2[1]->click();
    w.vscTueren->setValue(7);
    int sleepsAfterEnding = -1;
    hooked.onSleep = [&] {
        if (sleepsAfterEnding >= 0) {
            ++sleepsAfterEnding;
        } else if (hooked.sleeps.size() == 3) {
            sleepsAfterEnding = 0;
            if (ending == Ending::Closed)
                w.close();
            else if (ending == Ending::Ende)
                clickCentre(w, *w.cmdEnde);
#ifdef Q_OS_WIN
            else
                PostMessageW(reinterpret_cast<HWND>(w.winId()), WM_CLOSE, 0, 0);
#endif
            clickCentre(w, *w.cmdStart);
            clickCentre(w, *w.imgTuer[0]);
        }
    };
    QCOMPARE(runUntilTheProgramEnds(w, [&] { clickCentre(w, *w.cmdStart); }), 0);
    if (ending == Ending::Closed)
        QCOMPARE(sleepsAfterEnding, 0);
    else if (ending == Ending::Ende)
        QVERIFY(sleepsAfterEnding > 100);
    else
        QVERIFY2(sleepsAfterEnding <= 2, qPrintable(QString::number(sleepsAfterEnding)));
    QCoreApplication::processEvents();
    QCOMPARE(w.AnzahlSpiele, 1);
}

void GameTest::doubleClickOnADoorIsOneClick()
{
    Harness h;
    showWhole(*h);
    h.random->script({drawing(2, 3)});
    h->cmdStart->click();
    settle(*h);
    const QPoint door = h->imgTuer[0]->mapTo(h.window.get(), h->imgTuer[0]->rect().center());
    QTest::mouseDClick(h->windowHandle(), Qt::LeftButton, {}, door);
    settle(*h);
    QCOMPARE(h->AnzahlWahlen, 1);
    QCOMPARE(h->shpMarker[0]->BorderWidth(), 3);
}

void GameTest::doorKeysActAsClicks_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("inTextBox");
    QTest::addColumn<int>("movedDoor");  // -1: no move
    QTest::addColumn<bool>("held");
    QTest::newRow("1") << int(Qt::Key_1) << int(Qt::NoModifier) << false << 0 << false;
    QTest::newRow("3 on the number pad") << int(Qt::Key_3) << int(Qt::KeypadModifier) << false << 2 << false;
    QTest::newRow("4 with three doors") << int(Qt::Key_4) << int(Qt::NoModifier) << false << -1 << false;
    QTest::newRow("Ctrl+1") << int(Qt::Key_1) << int(Qt::ControlModifier) << false << -1 << false;
    QTest::newRow("1 typed into the door count") << int(Qt::Key_1) << int(Qt::NoModifier) << true << -1 << false;
    QTest::newRow("1 held down, repeats unmarked") << int(Qt::Key_1) << int(Qt::NoModifier) << false << 0 << true;
    // On "Spielstart", which has the focus: one new game, no move.
    QTest::newRow("Space held down, repeats unmarked") << int(Qt::Key_Space) << int(Qt::NoModifier) << false << -1 << true;
}

void GameTest::doorKeysActAsClicks()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, inTextBox);
    QFETCH(int, movedDoor);
    QFETCH(bool, held);
    Harness h;
    showWhole(*h);
    h->activateWindow();
    h.random->script({drawing(1, 3), drawing(1, 3)});
    h->cmdStart->click();
    settle(*h);
    QWidget& focus = inTextBox ? static_cast<QWidget&>(*h->txtTueren) : static_cast<QWidget&>(*h->cmdStart);
    focus.setFocus();
    QSignalSpy starts(h->cmdStart, &QPushButton::clicked);
    if (held) {
        // The desktop repeats a key held down as a release and a press at the same time;
        // the repeats come while the move of the first press runs.
        const auto send = [&](QEvent::Type type, ulong time) {
            QKeyEvent event(type, key, Qt::KeyboardModifiers(modifiers), QString::number(key - Qt::Key_0));
            event.setTimestamp(time);
            QCoreApplication::sendEvent(h->windowHandle(), &event);
        };
        send(QEvent::KeyPress, 5000);
        for (ulong repeat = 5500; repeat <= 5600; repeat += 50) {
            send(QEvent::KeyRelease, repeat);
            send(QEvent::KeyPress, repeat);
        }
        // A button clicks only once the key is let go.
        QTest::qWait(100);
        QCOMPARE(starts.count(), 0);
        send(QEvent::KeyRelease, 5700);
    } else {
        QTest::keyClick(h->windowHandle(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    }
    settle(*h);
    QCOMPARE(starts.count(), key == Qt::Key_Space ? 1 : 0);
    QCOMPARE(h->AnzahlWahlen, movedDoor < 0 ? 0 : 1);
    if (movedDoor >= 0)
        QCOMPARE(h->shpMarker[movedDoor]->BorderWidth(), 3);
    QCOMPARE(h->vscTueren->value(), 3);

    // In "ganzes Spiel", or once the game is decided, a key does as little as a click.
    h->Option2[1]->click();
    const GameState before = stateOf(*h);
    QTest::keyClick(h->windowHandle(), Qt::Key_2);
    QVERIFY(stateOf(*h) == before);
}

void GameTest::newDoorTakesTheOneOtherClosedDoor()
{
    Harness h;
    h->Option2[1]->click();
    // Car 0, first pick 0; the host opens door 1; the new door is drawn until it is
    // neither the held door 0 nor the open door 1; door 2 then turns into a Wulpe.
    h.random->script({drawing(0, 3), drawing(0, 3), drawing(1, 3),
                      drawing(0, 3), drawing(1, 3), drawing(2, 3), drawing(2, 3)});
    h->cmdStart->click();
    settle(*h);
    QVERIFY(h.random->scriptUsedUp());
    QCOMPARE(h->GewaehlteTuer, 2);
    QCOMPARE(h->VorigeTuer, 2);
    QCOMPARE(h->ModeratorTuer, 2);
    QCOMPARE(h->shpMarker[0]->BorderWidth(), 3);
    QCOMPARE(h->shpMarker[1]->BorderWidth(), 1);
    QCOMPARE(h->shpMarker[2]->BorderWidth(), 15);
    QCOMPARE(h->AnzahlWulpen, 1);

    // Without a script: over many games the decision never stays nor takes the open door.
    for (int game = 0; game < 300; ++game) {
        h->cmdStart->click();
        settle(*h);
        std::vector<int> widths;
        for (int k = 0; k < 3; ++k)
            widths.push_back(h->shpMarker[k]->BorderWidth());
        std::sort(widths.begin(), widths.end());
        QCOMPARE(widths, (std::vector<int>{1, 3, 15}));
    }
}

void GameTest::randomRechoiceTossesThenMayDrawTheHeldDoor()
{
    struct Case {
        const char* name;
        std::initializer_list<float> decision;  // the coin, then the door draws
        int held;
    };
    // Car 2, first pick 0, the host opens door 1.
    const Case cases[] = {
        {"coin 0.5 keeps without a draw", {0.5f}, 0},
        {"coin below 0.5 may draw the held door", {0.25f, drawing(1, 3), drawing(0, 3)}, 0},
        {"coin below 0.5 may draw the other door", {0.49f, drawing(1, 3), drawing(2, 3)}, 2},
    };
    for (const Case& c : cases) {
        Harness h;
        h->Option2[1]->click();
        h->Option1[0]->click();
        h.random->script({drawing(2, 3), drawing(0, 3), drawing(1, 3)});
        h.random->script(c.decision);
        h->cmdStart->click();
        settle(*h);
        QVERIFY2(h.random->scriptUsedUp(), c.name);
        QVERIFY2(h->GewaehlteTuer == c.held, c.name);
        QVERIFY2(h->shpMarker[0]->BorderWidth() == (c.held == 0 ? 15 : 3), c.name);
        QVERIFY2(h->AnzahlAutos == (c.held == 2 ? 1 : 0), c.name);
    }
}

void GameTest::twentyGamesPerPressWithoutPauses()
{
    Harness h;
    h->Option2[2]->click();
    const int reseeds = h.random->reseeds;
    h.clock->sleeps.clear();
    h->cmdStart->click();
    settle(*h);
    QCOMPARE(h->AnzahlSpiele, 20);
    QCOMPARE(h->AnzahlAutos + h->AnzahlWulpen, 20);
    QCOMPARE(h.random->reseeds, reseeds + 20);
    QCOMPARE(h->SpielNr, 21);
    QVERIFY(h.clock->sleeps.empty());
    QCOMPARE(h->Picture1[0]->text(), QStringLiteral(" 20 "));
    // The board shows the last game, decided.
    QCOMPARE(h->SpielLaeuft, 0);
    QVERIFY(!h->imgAuto->isHidden());
    h->cmdStart->click();
    settle(*h);
    QCOMPARE(h->AnzahlSpiele, 40);
}

void GameTest::runOfSevenDoorsMakesFiveDecisions()
{
    Harness h;
    h->Option2[1]->click();
    h->vscTueren->setValue(7);
    for (int d = 0; d < 5; ++d)
        h->Option1[3 * d + 1]->click();
    // Keep everywhere: the first pick is held through six moves, five doors open on the way.
    h.random->script({drawing(3, 7), drawing(5, 7)});
    h->cmdStart->click();
    settle(*h);
    QCOMPARE(h->EntscheidungNr, 5);
    QCOMPARE(h->AnzahlWahlen, 6);
    QCOMPARE(h->GewaehlteTuer, 5);
    QCOMPARE(h->shpMarker[5]->BorderWidth(), 15);
    for (int k = 0; k < 7; ++k) {
        QVERIFY(h->imgTuer[k]->isHidden());
        QCOMPARE(h->imgWulpe[k]->isHidden(), k == 3);
        if (k != 5)
            QCOMPARE(h->shpMarker[k]->BorderWidth(), 1);
    }
    QCOMPARE(h->AnzahlWulpen, 1);
    // A changed button takes effect at the next game: change at the first decision only,
    // so the first pick is held in one move and the new door in the other five.
    h->Option1[2]->click();
    h->cmdStart->click();
    settle(*h);
    int heldOnce = 0;
    for (int k = 0; k < 7; ++k)
        heldOnce += h->shpMarker[k]->BorderWidth() == 3 ? 1 : 0;
    QCOMPARE(heldOnce, 1);
    QCOMPARE(h->shpMarker[h->GewaehlteTuer]->BorderWidth(), 15);
}

QTEST_MAIN(GameTest)
#include "test_game.moc"
