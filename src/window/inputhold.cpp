// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "inputhold.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QWidget>

#include <memory>

InputHold::InputHold(QWidget& window) : QObject(&window), m_window(window)
{
    QCoreApplication::instance()->installEventFilter(this);
}

InputHold::~InputHold()
{
    if (m_busyCursor)
        QGuiApplication::restoreOverrideCursor();
}

InputHold::Scope::Scope(InputHold& hold) : m_hold(hold)
{
    ++m_hold.m_depth;
}

InputHold::Scope::~Scope()
{
    if (--m_hold.m_depth == 0)
        m_hold.release();
}

void InputHold::end()
{
    m_ended = true;
    m_waiting.clear();
}

void InputHold::letPlatformThrough()
{
    if (!m_busyCursor) {
        QGuiApplication::setOverrideCursor(Qt::BusyCursor);
        m_busyCursor = true;
    }
    // Every event goes through, so that closing the window ends the program at once (the
    // platform would count the close as user input and keep it back); the filter below
    // takes the user's input aside.
    QCoreApplication::processEvents();
}

void InputHold::enqueue(std::function<void()> action)
{
    if (m_ended)
        return;
    m_waiting.push_back(std::move(action));
    if (!holding() && !m_replayPosted) {
        m_replayPosted = true;
        QMetaObject::invokeMethod(this, &InputHold::replay, Qt::QueuedConnection);
    }
}

InputHold* InputHold::of(const QWidget& control)
{
    return control.window()->findChild<InputHold*>(QString(), Qt::FindDirectChildrenOnly);
}

void InputHold::release()
{
    if (m_busyCursor) {
        QGuiApplication::restoreOverrideCursor();
        m_busyCursor = false;
    }
    if (!m_waiting.empty() && !m_replayPosted) {
        m_replayPosted = true;
        QMetaObject::invokeMethod(this, &InputHold::replay, Qt::QueuedConnection);
    }
}

// An action that starts a move holds the input again; what waits behind it stays queued
// and follows when that move is over.
void InputHold::replay()
{
    m_replayPosted = false;
    while (!holding() && !m_ended && !m_waiting.empty()) {
        const std::function<void()> action = std::move(m_waiting.front());
        m_waiting.pop_front();
        action();
    }
}

bool InputHold::eventFilter(QObject* receiver, QEvent* event)
{
    if (!holding() && !m_ended)
        return false;
    // Taken aside where they reach the window's controls: the window itself still sees
    // them when they come, so that it knows where the mouse is and which control a
    // press belongs to.
    const auto* widget = qobject_cast<QWidget*>(receiver);
    if (!widget || widget->window() != &m_window)
        return false;
    // A button pressed or a slider stepped through the accessibility interface acts on a
    // repeating timer of its own: skipped now, it fires again once the hold is over.
    if (event->type() == QEvent::Timer)
        return qobject_cast<QAbstractButton*>(receiver) || qobject_cast<QAbstractSlider*>(receiver);
    if (!event->isInputEvent())
        return false;
    // A key's shortcut is looked for before the key is delivered: claimed here, the key
    // itself comes, waits and is handled as a key.
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    if (!m_ended) {
        std::shared_ptr<QEvent> held(event->clone());
        QPointer<QObject> target(receiver);
        m_waiting.push_back([target, held] {
            if (target)
                QCoreApplication::sendEvent(target, held.get());
        });
    }
    return true;
}
