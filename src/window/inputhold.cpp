// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "inputhold.h"

#include <QAbstractSlider>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>

#include <memory>
#include <utility>

namespace {

// What the user does with the pointer and the keyboard. Touch and tablet pass: no
// control of the window takes them itself, so the platform turns them into mouse
// events, and those wait; a touchpad's gestures mean nothing to it. The pointer
// entering and leaving the window waits with the moves around it; a control shown or
// hidden under the pointer is told so by the toolkit at once, which is no input of the
// user's.
bool isUserInput(const QEvent& event, bool atWindow)
{
    switch (event.type()) {
    case QEvent::Enter:
    case QEvent::Leave:
        return atWindow;
    case QEvent::HoverEnter:
    case QEvent::HoverLeave:
    case QEvent::HoverMove:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
    case QEvent::NativeGesture:
        return false;
    // Text composed from several keys (a dead key and a letter, compose, an on-screen
    // keyboard) comes from the input method, not as keys.
    case QEvent::InputMethod:
        return true;
    default:
        return event.isInputEvent();
    }
}

// The press that completes a double-click, as the platform hands it to the window: the
// window takes the pointer for the control under it, as at every press, and leaves that
// control to the double-click event that follows.
class DoubleClickPress : public QMouseEvent {
public:
    template <class... Arguments>
    explicit DoubleClickPress(Arguments&&... arguments) : QMouseEvent(std::forward<Arguments>(arguments)...)
    {
        m_doubleClick = true;
    }
};

// Makes the held event again when it is handed back. A pointer event's point belongs to
// its pointing device, which moves it on with every later event: a mouse, wheel or
// enter event is kept as its values and made anew, which also tells the device where
// the pointer is then. A double-click comes back whole: press, release, the press that
// completes it with the toolkit's double-click event, and the release.
std::function<std::unique_ptr<QEvent>()> keep(const QEvent& event)
{
    switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        const auto& m = static_cast<const QMouseEvent&>(event);
        const bool completesDoubleClick = m.type() == QEvent::MouseButtonPress
            && m.flags().testFlag(Qt::MouseEventCreatedDoubleClick);
        return [completesDoubleClick, type = m.type(), position = m.position(), scene = m.scenePosition(),
                global = m.globalPosition(), button = m.button(), buttons = m.buttons(), modifiers = m.modifiers(),
                device = m.pointingDevice(), time = m.timestamp()]() -> std::unique_ptr<QEvent> {
            std::unique_ptr<QMouseEvent> mouse;
            if (completesDoubleClick)
                mouse = std::make_unique<DoubleClickPress>(type, position, scene, global, button, buttons, modifiers,
                                                           device);
            else
                mouse = std::make_unique<QMouseEvent>(type, position, scene, global, button, buttons, modifiers,
                                                      device);
            mouse->setTimestamp(time);
            return mouse;
        };
    }
    case QEvent::Wheel: {
        const auto& w = static_cast<const QWheelEvent&>(event);
        return [position = w.position(), global = w.globalPosition(), pixels = w.pixelDelta(), angle = w.angleDelta(),
                buttons = w.buttons(), modifiers = w.modifiers(), phase = w.phase(), inverted = w.inverted(),
                device = w.pointingDevice(), time = w.timestamp()] {
            auto wheel = std::make_unique<QWheelEvent>(position, global, pixels, angle, buttons, modifiers, phase,
                                                       inverted, Qt::MouseEventNotSynthesized, device);
            wheel->setTimestamp(time);
            return wheel;
        };
    }
    case QEvent::Enter: {
        const auto& e = static_cast<const QEnterEvent&>(event);
        return [position = e.position(), scene = e.scenePosition(), global = e.globalPosition(),
                device = e.pointingDevice()] {
            return std::make_unique<QEnterEvent>(position, scene, global, device);
        };
    }
    default:
        return [held = std::shared_ptr<QEvent>(event.clone())] { return std::unique_ptr<QEvent>(held->clone()); };
    }
}

} // namespace

InputHold::InputHold(QWidget& window) : QObject(&window), m_window(window)
{
    QCoreApplication::instance()->installEventFilter(this);
}

InputHold::~InputHold()
{
    if (m_busyCursor)
        QGuiApplication::restoreOverrideCursor();
}

InputHold::Scope::Scope(InputHold& hold, Kind kind) : m_hold(hold), m_kind(kind)
{
    // A menu that is open would act at once, in the middle of what begins now.
    if (m_hold.m_depth++ == 0) {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    }
    if (m_kind == Kind::Box)
        ++m_hold.m_boxes;
}

InputHold::Scope::~Scope()
{
    if (m_kind == Kind::Box)
        --m_hold.m_boxes;
    if (--m_hold.m_depth > 0)
        return;
    if (m_hold.m_busyCursor) {
        QGuiApplication::restoreOverrideCursor();
        m_hold.m_busyCursor = false;
    }
    if (!m_hold.m_waiting.empty())
        m_hold.postReplay();
}

void InputHold::end()
{
    m_ended = true;
    m_waiting.clear();
}

void InputHold::showBusy()
{
    if (!m_busyCursor && holding()) {
        QGuiApplication::setOverrideCursor(Qt::BusyCursor);
        m_busyCursor = true;
    }
}

void InputHold::enqueue(std::function<void()> action)
{
    if (m_ended)
        return;
    // An action that a handed-back event sets off (a menu entry chosen by the mouse or
    // the keyboard) was made with that event: it comes before what was made after it.
    if (m_handingBack) {
        m_waiting.insert(m_waiting.begin() + m_setOff++, std::move(action));
        return;
    }
    m_waiting.push_back(std::move(action));
    if (!holding())
        postReplay();
}

InputHold* InputHold::of(const QWidget& control)
{
    return control.window()->findChild<InputHold*>(QString(), Qt::FindDirectChildrenOnly);
}

void InputHold::postReplay()
{
    if (m_replayPosted)
        return;
    m_replayPosted = true;
    QMetaObject::invokeMethod(this, &InputHold::replay, Qt::QueuedConnection);
}

// An action that starts a move or opens a message box holds the input again; what
// waits behind it stays queued and follows when that is over.
void InputHold::replay()
{
    m_replayPosted = false;
    while (!holding() && !m_ended && !m_waiting.empty()) {
        const std::function<void()> action = std::move(m_waiting.front());
        m_waiting.pop_front();
        action();
    }
}

void InputHold::hold(QObject* receiver, const QEvent& event)
{
    m_waiting.push_back([this, target = QPointer<QObject>(receiver), make = keep(event)] {
        if (target)
            handBack(*target, *make());
    });
}

void InputHold::holdForFocus(const QEvent& event)
{
    m_waiting.push_back([this, make = keep(event)] {
        QWidget* focus = QApplication::focusWidget();
        if (focus && focus->window() == &m_window)
            handBack(*focus, *make());
    });
}

void InputHold::handBack(QObject& target, QEvent& event)
{
    const QEvent* before = std::exchange(m_handingBack, &event);
    m_setOff = 0;
    QCoreApplication::sendEvent(&target, &event);
    m_handingBack = before;
}

bool InputHold::eventFilter(QObject* receiver, QEvent* event)
{
    if (event == m_handingBack)
        return false;
    // Where the input enters: the window as the platform hands it over. Whatever came
    // while a move ran, or is still waiting, goes to the back of the queue.
    if (receiver->isWindowType()) {
        if (receiver != m_window.windowHandle() || !isUserInput(*event, true))
            return false;
        if (m_ended || m_boxes > 0)
            return true;
        if (!waiting())
            return false;
        hold(receiver, *event);
        return true;
    }
    // Composed text goes from the input method to the focus, past the window: it waits
    // as the keys it was typed with would, and goes to the focus then.
    if (event->type() == QEvent::InputMethod && (waiting() || m_ended)) {
        const auto* widget = qobject_cast<QWidget*>(receiver);
        if (!widget || widget->window() != &m_window)
            return false;
        if (!m_ended)
            holdForFocus(*event);
        return true;
    }
    if (!holding() && !m_ended)
        return false;
    const auto* widget = qobject_cast<QWidget*>(receiver);
    if (!widget || widget->window() != &m_window)
        return false;
    // A slider's arrow held down repeats on a timer of its own, which would change the
    // door count under a move: skipped now, it fires again once the hold is over.
    if (event->type() == QEvent::Timer)
        return qobject_cast<QAbstractSlider*>(receiver) != nullptr;
    // A key's shortcut is looked for before the key enters the window: claimed here, no
    // shortcut acts during a move, and the key itself comes, waits and is handled as a key.
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    // Input sent straight to a control, past the window, waits all the same.
    if (!isUserInput(*event, false))
        return false;
    if (!m_ended)
        hold(receiver, *event);
    return true;
}
