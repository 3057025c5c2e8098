// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up to first paint and peak resident memory of the program, each as a ratio to a
// bare Qt window with one label, started alternately in the same run; medians of the
// runs (21 of each unless the first argument says otherwise, and at least five).

#include "bench.h"

#include <QCoreApplication>
#include <QProcess>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <map>
#include <optional>

namespace {

struct Start {
    double milliseconds;
    double peakKilobytes;
};

std::optional<Start> startOnce(const QString& program)
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("WULPE_BENCH_STARTED_NS"),
                       QString::number(static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, {});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return std::nullopt;
    std::map<QString, double> figures;
    for (const QByteArray& line : process.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> parts = line.split(' ');
        if (parts.size() == 2)
            figures[QString::fromUtf8(parts[0])] = parts[1].toDouble();
    }
    if (!figures.count(QStringLiteral("first_paint_ms")) || !figures.count(QStringLiteral("peak_rss_kb")))
        return std::nullopt;
    return Start{figures[QStringLiteral("first_paint_ms")], figures[QStringLiteral("peak_rss_kb")]};
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = std::max(5, argc > 1 ? std::atoi(argv[1]) : 21);
    const QString folder = QCoreApplication::applicationDirPath();
    const QString program = folder + QStringLiteral("/bench_startup_program");
    const QString bare = folder + QStringLiteral("/bench_startup_bare");

    std::vector<double> programTimes, bareTimes, programMemory, bareMemory;
    for (int run = 0; run < runs; ++run) {
        const auto p = startOnce(program);
        const auto b = startOnce(bare);
        if (!p || !b)
            return 1;
        programTimes.push_back(p->milliseconds);
        programMemory.push_back(p->peakKilobytes);
        bareTimes.push_back(b->milliseconds);
        bareMemory.push_back(b->peakKilobytes);
    }
    printFigure("startup_ms_program_median", median(programTimes));
    printFigure("startup_ms_bare_median", median(bareTimes));
    printFigure("startup_over_bare", median(programTimes) / median(bareTimes));
    printFigure("peak_rss_kb_program_median", median(programMemory));
    printFigure("peak_rss_kb_bare_median", median(bareMemory));
    printFigure("peak_rss_over_bare", median(programMemory) / median(bareMemory));
    return 0;
}
