// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A procedure that waits without blocking: a move pauses between the steps of a walk,
// a menu entry waits for its box to be closed. It runs at once, up to its first wait,
// and returns to the event loop there; the event loop goes on with it when what it
// waits for comes. A caller that awaits it goes on once it has ended; a caller that
// drops it lets it run to its end on its own.

#include <QTimer>

#include <coroutine>
#include <exception>
#include <utility>

class Clock;

class Task {
public:
    struct promise_type {
        std::coroutine_handle<> continuation;
        bool dropped = false;

        Task get_return_object() { return Task(Handle::from_promise(*this)); }
        std::suspend_never initial_suspend() noexcept { return {}; }
        auto final_suspend() noexcept
        {
            struct Ended {
                bool await_ready() noexcept { return false; }
                std::coroutine_handle<> await_suspend(Handle self) noexcept
                {
                    promise_type& promise = self.promise();
                    if (promise.continuation)
                        return promise.continuation;
                    if (promise.dropped)
                        self.destroy();
                    return std::noop_coroutine();
                }
                void await_resume() noexcept {}
            };
            return Ended{};
        }
        void return_void() noexcept {}
        void unhandled_exception() noexcept { std::terminate(); }
    };
    using Handle = std::coroutine_handle<promise_type>;

    Task(Task&& other) noexcept : m_handle(std::exchange(other.m_handle, {})) {}
    Task& operator=(Task&&) = delete;
    ~Task()
    {
        if (!m_handle)
            return;
        if (m_handle.done())
            m_handle.destroy();
        else
            m_handle.promise().dropped = true;
    }

    bool done() const { return !m_handle || m_handle.done(); }

    bool await_ready() const noexcept { return done(); }
    void await_suspend(std::coroutine_handle<> caller) noexcept { m_handle.promise().continuation = caller; }
    void await_resume() const noexcept {}

private:
    explicit Task(Handle handle) : m_handle(handle) {}
    Handle m_handle;
};

// Wakes the one procedure that waits on it when the clock reaches a reading: a precise
// timer, set to wake a millisecond early, and the rest slept exactly, so that a pause of
// 0.05 s ends within a small fraction of a millisecond of its time. Every wait returns
// to the event loop at least once, however little time is left.
class Alarm {
public:
    explicit Alarm(Clock& clock);

    auto at(double reading)
    {
        struct Wait {
            Alarm& alarm;
            double reading;
            bool await_ready() const noexcept { return false; }
            void await_suspend(std::coroutine_handle<> waiting) { alarm.set(reading, waiting); }
            void await_resume() const noexcept {}
        };
        return Wait{*this, reading};
    }

    // Wakes the waiting procedure now, if one waits.
    void ringNow();

private:
    void set(double reading, std::coroutine_handle<> waiting);
    void ring();

    Clock& m_clock;
    QTimer m_timer;
    double m_reading = 0;
    std::coroutine_handle<> m_waiting;
};
