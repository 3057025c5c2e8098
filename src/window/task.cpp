// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "task.h"

#include "services.h"

#include <chrono>
#include <cmath>
#include <thread>

#ifdef Q_OS_WIN
#include <windows.h>
#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif
#endif

namespace {

// The event loop's timers wake to the millisecond and may be late by about as much.
constexpr double TimerSlack = 0.001;

#ifdef Q_OS_WIN
// Sleep() and the sleeps built on it end at a tick of the system's timer, every 15.6 ms
// unless some program has raised its rate; a waitable timer of high resolution ends
// within a fraction of a millisecond whatever the tick. Where the system has none, the
// rest, less than two milliseconds, is waited out on the clock.
void sleepExactly(double seconds)
{
    static const HANDLE timer = CreateWaitableTimerExW(
        nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS);
    LARGE_INTEGER due;
    due.QuadPart = -static_cast<LONGLONG>(std::ceil(seconds * 1e7)); // relative, in 100 ns
    if (timer && SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE)
        && WaitForSingleObject(timer, INFINITE) == WAIT_OBJECT_0)
        return;
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < end) {
    }
}
#else
void sleepExactly(double seconds)
{
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}
#endif

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
        sleepExactly(left);
    ringNow();
}

void Alarm::ringNow()
{
    m_timer.stop();
    if (const std::coroutine_handle<> waiting = std::exchange(m_waiting, {}))
        waiting.resume();
}
