// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the window needs from outside itself: the screen's size, a clock to time pauses
// by, and random numbers. Each is an interface so that tests can put in exact ones.

#include <QSizeF>

#include <array>
#include <cstdint>
#include <memory>

class QScreen;
class QWidget;

class Screen {
public:
    virtual ~Screen() = default;
    // The size in twips of the screen the window is laid out for: the whole display, not
    // the window, but for a maximised window the area the desktop has given it.
    virtual QSizeF sizeTwips() const = 0;
    virtual double twipsPerPixel() const = 0;
    // From now on reports the display that this window stands on.
    virtual void follow(const QWidget&) {}
};

class Clock {
public:
    virtual ~Clock() = default;
    // Seconds on a monotonic clock: never jumps at midnight or when the wall clock is set.
    virtual double seconds() = 0;
    // Told the length of every pause as it begins; a test's clock records it.
    virtual void pausing(double) {}
};

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // Uniform single-precision numbers in [0, 1).
    virtual float next() = 0;
    // Called once per game: stirs fresh entropy from a clock into the generator.
    virtual void reseed() = 0;
};

// The window's screen as Qt reports it, in its logical pixels (the primary screen until
// a window is followed), or the frame of the followed window while it is maximised.
class SystemScreen : public Screen {
public:
    QSizeF sizeTwips() const override;
    double twipsPerPixel() const override;
    void follow(const QWidget& window) override { m_window = &window; }

private:
    const QScreen* screen() const;
    const QWidget* m_window = nullptr;
};

class SystemClock : public Clock {
public:
    double seconds() override;
};

// The xoshiro256** generator: 256 bits of state, fast to draw from and to seed, so that
// re-seeding once per game costs next to nothing. Re-seeding mixes the high-resolution
// clock into the generator's current output instead of replacing the state by the clock,
// so two games started within the same clock tick still differ.
class SystemRandom : public RandomSource {
public:
    using Ticks = std::uint64_t (*)();
    SystemRandom();
    // A fixed start and a clock of one's own, for repeatable runs.
    SystemRandom(std::uint64_t seed, Ticks ticks);
    float next() override;
    void reseed() override;

private:
    void seed(std::uint64_t seed);

    std::array<std::uint64_t, 4> m_state{};
    Ticks m_ticks;
    std::uint64_t m_reseeds = 0;
};

// The two generators as their authors define them, each on a state of its own: the next
// output of SplitMix64, and of xoshiro256**, advancing the state.
std::uint64_t splitMix64(std::uint64_t& state);
std::uint64_t xoshiro256StarStar(std::array<std::uint64_t, 4>& state);

// The high-resolution clock's reading in its own ticks.
std::uint64_t clockTicks();

// Turns 24 random bits into a float in [0, 1): every value is exact in single precision.
float unitFloat(std::uint64_t bits);

struct Services {
    std::unique_ptr<Screen> screen;
    std::unique_ptr<Clock> clock;
    std::unique_ptr<RandomSource> random;

    static Services system();
};
