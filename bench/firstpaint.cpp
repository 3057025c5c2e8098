// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "firstpaint.h"

#include <QApplication>
#include <QEvent>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include <sys/resource.h>

namespace {

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
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("first_paint_ms %.3f\npeak_rss_kb %ld\n", double(since) / 1e6, usage.ru_maxrss);
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
