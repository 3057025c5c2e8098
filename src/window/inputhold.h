// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The one gate through which the user reaches the game. A move waits in the event loop
// between its steps, so the window keeps answering the desktop (window-manager pings,
// exposes, screen changes, a screen reader's questions) while it runs; but everything
// the user does waits: mouse, wheel and keys are held where they enter the window, and
// the actions a screen reader asks for join them in the same queue. After the move they
// are handed back in the order they came, input to the window, so that the toolkit
// routes it afresh: to the control under the pointer then, to the focus then. No
// handler of the game ever runs inside another. While a message box is open, what the
// user does in the window is dropped, as a modal box would, and nothing queued runs.

#include <QObject>

#include <cstddef>
#include <deque>
#include <functional>

class QEvent;
class QWidget;

class InputHold : public QObject {
    Q_OBJECT

public:
    explicit InputHold(QWidget& window);
    ~InputHold() override;

    // Holds the input while it lives; holds nest, the outermost one releases. A box's
    // hold drops the window's input instead of keeping it.
    enum class Kind { Move, Box };
    class Scope {
    public:
        explicit Scope(InputHold& hold, Kind kind = Kind::Move);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        InputHold& m_hold;
        Kind m_kind;
    };

    bool holding() const { return m_depth > 0; }
    // Whether input waits: held now, or queued and not yet handed back.
    bool waiting() const { return holding() || !m_waiting.empty(); }
    // Once the program ends, nothing the user does reaches it any more, and pauses end.
    bool ended() const { return m_ended; }
    void end();

    // Shows the busy cursor until the hold ends, so that a class sees why its clicks wait.
    void showBusy();

    // Runs an action in its place in the queue, from the event loop: soon when nothing
    // is held or waiting, otherwise after what came before it; set off by an event
    // handed back, right after that event. Once the program has ended the action is
    // dropped.
    void enqueue(std::function<void()> action);

    // The hold of the window that a control belongs to, or null.
    static InputHold* of(const QWidget& control);

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override;

private:
    void hold(QObject* receiver, const QEvent& event);
    void holdForFocus(const QEvent& event);
    void handBack(QObject& target, QEvent& event);
    void postReplay();
    void replay();

    QWidget& m_window;
    int m_depth = 0;
    int m_boxes = 0;
    bool m_ended = false;
    bool m_busyCursor = false;
    bool m_replayPosted = false;
    // The held event that is being handed back; it passes the gate.
    const QEvent* m_handingBack = nullptr;
    // How many actions the event being handed back has set off so far.
    std::ptrdiff_t m_setOff = 0;
    std::deque<std::function<void()>> m_waiting;
};
