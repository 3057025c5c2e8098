// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// While a move or a run of games goes on, the window keeps answering the desktop: its
// pauses let the platform's own events through (window-manager pings, exposes, screen
// changes), so the desktop never takes it for hung and an uncovered window is painted.
// Everything the user does in that time waits: mouse, keys, wheel, touch, and actions
// that a screen reader asks for. It is handled after the move, in the order it came,
// so no handler of the game ever runs inside another.

#include <QObject>

#include <deque>
#include <functional>

class QWidget;

class InputHold : public QObject {
    Q_OBJECT

public:
    explicit InputHold(QWidget& window);
    ~InputHold() override;

    // Holds the input while it lives; holds nest, the outermost one releases.
    class Scope {
    public:
        explicit Scope(InputHold& hold);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        InputHold& m_hold;
    };

    bool holding() const { return m_depth > 0; }
    // Once the program ends, nothing the user does reaches it any more, and pauses end.
    bool ended() const { return m_ended; }
    void end();

    // Lets the platform's pending events through once, the user's input taken aside.
    // The first call in a hold shows the busy cursor, so that a class sees why its
    // clicks wait.
    void letPlatformThrough();

    // Runs an action after every input that came before it, from the event loop: at
    // once when nothing is held, otherwise after the hold. Once the program has ended
    // the action is dropped.
    void enqueue(std::function<void()> action);

    // The hold of the window that a control belongs to, or null.
    static InputHold* of(const QWidget& control);

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override;

private:
    void release();
    void replay();

    QWidget& m_window;
    int m_depth = 0;
    bool m_ended = false;
    bool m_busyCursor = false;
    bool m_replayPosted = false;
    std::deque<std::function<void()>> m_waiting;
};
