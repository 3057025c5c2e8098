// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Exact stand-ins for the screen, the clock and the random numbers, and a window built
// on them, so that tests of the real window are fast and repeatable.

#include "window/wulpe.h"

#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <memory>
#include <random>
#include <vector>

class FakeScreen : public Screen {
public:
    FakeScreen(double widthTwips, double heightTwips, double twipsPerPixel)
        : m_size(widthTwips, heightTwips), m_twipsPerPixel(twipsPerPixel) {}
    QSizeF sizeTwips() const override { return m_size; }
    double twipsPerPixel() const override { return m_twipsPerPixel; }

private:
    QSizeF m_size;
    double m_twipsPerPixel;
};

// A clock that stands still but for the pauses: each one it records, and its time runs
// on by the pause's length at once, so the pause ends at its first return to the event
// loop. A test may act as each pause begins.
class FakeClock : public Clock {
public:
    double seconds() override { ++reads; return now; }
    void pausing(double length) override;

    double now = 1000.0;
    int reads = 0;
    std::vector<double> sleeps;
    std::function<void()> onSleep;
};

// Hands out the scripted numbers first, then numbers of a fixed-seed generator.
class ScriptedRandom : public RandomSource {
public:
    explicit ScriptedRandom(unsigned seed = 20261209) : m_engine(seed) {}
    float next() override;
    void reseed() override { ++reseeds; }
    void script(std::initializer_list<float> values) { m_script.insert(m_script.end(), values); }
    bool scriptUsedUp() const { return m_script.empty(); }

    int reseeds = 0;
    int draws = 0;

private:
    std::deque<float> m_script;
    std::mt19937_64 m_engine;
};

// A value r that draws door `door` of `doorCount` as Int(r x N).
float drawing(int door, int doorCount);

// Pearson's statistic of counts against equal expected counts.
double chiSquare(const std::vector<int>& counts);
// The value that a fair draw's statistic exceeds with probability 1e-6 (degrees 1..6).
double chiSquareBound(int degrees);

struct ScreenSpec {
    double widthTwips = 12288;
    double heightTwips = 9216;
    double twipsPerPixel = 12;
};

// The real window on fake services; the fakes stay owned by the window.
struct Harness {
    explicit Harness(bool load = true, ScreenSpec screen = {}, unsigned seed = 20261209);
    Wulpe& operator*() { return *window; }
    Wulpe* operator->() { return window.get(); }

    FakeClock* clock = nullptr;
    ScriptedRandom* random = nullptr;
    std::unique_ptr<Wulpe> window;
};

// Runs the event loop until the window is idle: no move runs and no input waits.
void settle(Wulpe& window);

// What a screen reader finds of a control; a menu entry among the menu bar's children.
class QAccessibleInterface;
QAccessibleInterface* accessibleOf(QObject* control);

// The message box the window shows, or null.
class QMessageBox;
QMessageBox* shownBox(const Wulpe& window);

// Opens a quiz game with N doors whose car stands behind `car`.
void openQuiz(Harness& h, int doorCount, int car);

// Scripts draws that name the given doors, in order.
void scriptDoors(Harness& h, const QList<int>& doors, int doorCount);

// Plays a quiz game through the door handler: N doors, the car behind `car`, the player
// clicks the doors of `clicks` and the host opens those of `hosts`, in order. N - 1
// clicks decide the game.
void playQuiz(Harness& h, int doorCount, int car, const QList<int>& clicks, const QList<int>& hosts);

// Clicks door `door` through the handler until the open game is decided: the host never
// opens the held door.
void clickUntilDecided(Wulpe& window, int door);

// What the user can see of the game and what the game holds: the counters, the open
// game, the door board, the settings and the statistics boxes. A box, typed text or a
// click that counts for nothing must leave it as it was.
struct GameState {
    std::int64_t spiele, autos, wulpen;
    int autoTuer, gewaehlteTuer, wahlen, doors;
    std::int16_t laeuft;
    QString prompt;
    QStringList tags, boxes;
    QList<bool> shown, selected;
    QList<int> markerWidths;
    QList<QRgb> markerColors;

    bool operator==(const GameState&) const = default;
};

GameState stateOf(const Wulpe& w);

// Shows the window large enough for every control and waits until it is on screen.
void showWhole(Wulpe& window);

// A left click at a point of a widget, sent through the window as a user's click is,
// so that whatever lies on top at that point receives it.
void clickAt(Wulpe& window, QWidget& widget, QPoint point);
void clickCentre(Wulpe& window, QWidget& widget);

// Types each character (each code point) as one key press with its text, as a keyboard
// does; control characters come with their own keys.
void typeInto(QWidget& widget, const QString& text);

template <class T>
T* controlOf(const Wulpe& window, const QString& name)
{
    return dynamic_cast<T*>(window.control(name));
}

// Runs the program's event loop, does the action in it, and returns the loop's exit
// code: 0 if the action ended the program, 1 if it was still running five seconds later
// (for instance because a question waits for an answer).
int runUntilTheProgramEnds(Wulpe& window, const std::function<void()>& action);
