// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench.h"

#include "support.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>

std::unique_ptr<Wulpe> realWindow(int widthPixels, int heightPixels, std::unique_ptr<Clock> clock)
{
    constexpr double twipsPerPixel = 15;
    Services services = Services::system();
    if (clock)
        services.clock = std::move(clock);
    services.screen = std::make_unique<FakeScreen>(widthPixels * twipsPerPixel,
                                                   heightPixels * twipsPerPixel, twipsPerPixel);
    auto window = std::make_unique<Wulpe>(std::move(services));
    window->Form_Load();
    return window;
}

double wallSeconds()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

double cpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void printFigure(const char* name, double value)
{
    std::printf("%s %.6g\n", name, value);
    std::fflush(stdout);
}
