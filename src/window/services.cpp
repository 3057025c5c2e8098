// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "services.h"

#include "controls.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <bit>
#include <chrono>
#include <random>

std::uint64_t clockTicks()
{
    return static_cast<std::uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count());
}

const QScreen* SystemScreen::screen() const
{
    return m_window ? m_window->screen() : QGuiApplication::primaryScreen();
}

double SystemScreen::twipsPerPixel() const
{
    const QScreen* screen = this->screen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return Units::TwipsPerInch / (dpi > 0 ? dpi : 96.0);
}

// A maximised window may fill only what the desktop gives it, and that area is its screen.
// On Wayland Qt learns nothing of the desktop's panels, so the area is the window's own
// frame once the compositor has given it; on X11 it is the screen without the panels,
// and on Windows the frame without the sizing border that Windows puts past the screen.
// Until the maximised size has come (the window still at the geometry it had when it was
// maximised), and for a window not maximised, the whole display counts.
QSizeF SystemScreen::sizeTwips() const
{
    const QScreen* screen = this->screen();
    QSizeF pixels = screen ? QSizeF(screen->size()) : QSizeF(1024, 768);
    if (m_window && m_window->isMaximized() && m_window->geometry() != m_window->normalGeometry()) {
        QRect frame = m_window->frameGeometry();
#ifdef Q_OS_WIN
        // Windows keeps a maximised window's sizing border, beyond the screen's edges on
        // every side; what the screen shows of the frame lies within it.
        if (QGuiApplication::platformName() == u"windows") {
            const int border = frame.right() - m_window->geometry().right();
            frame -= QMargins(border, border, border, border);
        }
#endif
        pixels = pixels.boundedTo(QSizeF(frame.size()));
    }
    return pixels * twipsPerPixel();
}

double SystemClock::seconds()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

namespace {

// The finaliser of SplitMix64: every input bit affects every output bit.
std::uint64_t mixed(std::uint64_t x)
{
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9u;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBu;
    return x ^ (x >> 31);
}

} // namespace

std::uint64_t splitMix64(std::uint64_t& state)
{
    state += 0x9E3779B97F4A7C15u;
    return mixed(state);
}

std::uint64_t xoshiro256StarStar(std::array<std::uint64_t, 4>& s)
{
    const std::uint64_t result = std::rotl(s[1] * 5, 7) * 9;
    const std::uint64_t t = s[1] << 17;
    s[2] ^= s[0];
    s[3] ^= s[1];
    s[1] ^= s[2];
    s[0] ^= s[3];
    s[2] ^= t;
    s[3] = std::rotl(s[3], 45);
    return result;
}

SystemRandom::SystemRandom(std::uint64_t seed, Ticks ticks)
    : m_ticks(ticks)
{
    this->seed(seed);
}

SystemRandom::SystemRandom()
    : m_ticks(&clockTicks)
{
    std::random_device device;
    const std::uint64_t entropy = (std::uint64_t(device()) << 32) ^ device();
    seed(entropy ^ mixed(clockTicks()));
}

// The state is filled by SplitMix64, as the generator's authors advise, which never
// leaves it all zero.
void SystemRandom::seed(std::uint64_t seed)
{
    for (std::uint64_t& word : m_state)
        word = splitMix64(seed);
}

float unitFloat(std::uint64_t bits)
{
    return static_cast<float>(bits & 0xFFFFFFu) * 0x1.0p-24f;
}

float SystemRandom::next()
{
    return unitFloat(xoshiro256StarStar(m_state) >> 40);
}

void SystemRandom::reseed()
{
    const std::uint64_t ticks = m_ticks();
    const std::uint64_t carried = xoshiro256StarStar(m_state);
    ++m_reseeds;
    seed(mixed(carried ^ mixed(ticks)) ^ m_reseeds);
}

Services Services::system()
{
    return {std::make_unique<SystemScreen>(), std::make_unique<SystemClock>(),
            std::make_unique<SystemRandom>()};
}
