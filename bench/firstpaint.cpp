// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "firstpaint.h"

#include <QApplication>
#include <QEvent>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#ifdef Q_OS_WIN
#define PSAPI_VERSION 2
#include <windows.h>
#include <psapi.h>
#else
#include <sys/resource.h>
#endif

namespace {

// The most memory the process has held in RAM, in kilobytes.
long peakResidentKilobytes()
{
#ifdef Q_OS_WIN
    PROCESS_MEMORY_COUNTERS counters{};
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
        return -1;
    return static_cast<long>(counters.PeakWorkingSetSize / 1024);
#else
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
#endif
}

long long monotonicNanoseconds()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

// The first paint event starts the painting of the whole window; the report follows
// once the event loop is back, when every widget is painted and the window flushed.
class FirstPaint : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QMetaObject::invokeMethod(this, &FirstPaint::report, Qt::QueuedConnection);
        }
        return false;
    }

private:
    void report()
    {
        const long long now = monotonicNanoseconds();
        const char* started = std::getenv("WULPE_BENCH_STARTED_NS");
        const long long since = started ? now - std::atoll(started) : -1;
        std::printf("first_paint_ms %.3f\npeak_rss_kb %ld\n", double(since) / 1e6, peakResidentKilobytes());
        std::fflush(stdout);
        QCoreApplication::exit(0);
    }

    bool m_seen = false;
};

} // namespace

void reportFirstPaint(QApplication& app)
{
    app.installEventFilter(new FirstPaint(&app));
}
