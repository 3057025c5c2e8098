#include "services.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <chrono>
#include <thread>

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
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}

QSizeF SystemScreen::sizeTwips() const
{
    const QScreen* screen = this->screen();
    const QSizeF pixels = screen ? QSizeF(screen->size()) : QSizeF(1024, 768);
    return pixels * twipsPerPixel();
}

double SystemClock::seconds()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void SystemClock::sleepUntil(double reading)
{
    using namespace std::chrono;
    const auto target = steady_clock::time_point(
        duration_cast<steady_clock::duration>(duration<double>(reading)));
    std::this_thread::sleep_until(target);
}

SystemRandom::SystemRandom(std::uint64_t seed, Ticks ticks)
    : m_engine(seed), m_ticks(ticks)
{
}

SystemRandom::SystemRandom()
    : m_ticks(&clockTicks)
{
    std::random_device device;
    std::seed_seq seed{device(), device(), static_cast<unsigned>(clockTicks()),
                       static_cast<unsigned>(clockTicks() >> 32)};
    m_engine.seed(seed);
}

float unitFloat(std::uint64_t bits)
{
    return static_cast<float>(bits & 0xFFFFFFu) * 0x1.0p-24f;
}

float SystemRandom::next()
{
    return unitFloat(m_engine() >> 40);
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

// A seed sequence over the whole state would cost more than the rest of a game; one
// well-mixed 64-bit word of the carried output, the clock and a count serves as well.
void SystemRandom::reseed()
{
    const std::uint64_t ticks = m_ticks();
    const std::uint64_t carried = m_engine();
    ++m_reseeds;
    m_engine.seed(mixed(mixed(carried ^ mixed(ticks)) ^ m_reseeds));
}

Services Services::system()
{
    return {std::make_unique<SystemScreen>(), std::make_unique<SystemClock>(),
            std::make_unique<SystemRandom>()};
}
