// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "task.h"

#include "services.h"

#include <chrono>
#include <cmath>
#include <thread>

namespace {

// The event loop's timers wake to the millisecond and may be late by about as much.
constexpr double TimerSlack = 0.001;

} // namespace

Alarm::Alarm(Clock& clock) : m_clock(clock)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setSingleShot(true);
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { ring(); });
}

void Alarm::set(double reading, std::coroutine_handle<> waiting)
{
    m_reading = reading;
    m_waiting = waiting;
    const double left = reading - m_clock.seconds() - TimerSlack;
    m_timer.start(left > 0 ? int(std::floor(left * 1000)) : 0);
}

void Alarm::ring()
{
    const double left = m_reading - m_clock.seconds();
    if (left > 0 && left < 2 * TimerSlack)
        std::this_thread::sleep_for(std::chrono::duration<double>(left));
    ringNow();
}

void Alarm::ringNow()
{
    m_timer.stop();
    if (const std::coroutine_handle<> waiting = std::exchange(m_waiting, {}))
        waiting.resume();
}
