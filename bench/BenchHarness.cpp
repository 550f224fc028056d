#include "BenchHarness.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>

#if defined(__has_include)
#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#define KXPOS_BENCH_HAS_CALLGRIND 1
#endif
#endif

namespace KxPosBench {

namespace {
bool countingMode = false;
}

void setCounting(bool on)
{
    countingMode = on;
}

bool counting()
{
    return countingMode;
}

double measure(const QString& key, const Side& side, int reps)
{
    if (!countingMode)
        return medianMs(side, reps);
    for (int pass = 0; pass < 2; ++pass) {
        if (side.setup)
            side.setup();
        if (pass == 0) {
            side.run();
            continue;
        }
#ifdef KXPOS_BENCH_HAS_CALLGRIND
        const QByteArray name = key.toLatin1();
        CALLGRIND_ZERO_STATS;
        CALLGRIND_TOGGLE_COLLECT;
        side.run();
        CALLGRIND_TOGGLE_COLLECT;
        CALLGRIND_DUMP_STATS_AT(name.constData());
#else
        Q_UNUSED(key)
        side.run();
#endif
    }
    return 0.0;
}

double medianMs(const Side& side, int reps)
{
    QVector<double> times;
    times.reserve(reps);
    for (int i = 0; i < reps; ++i) {
        if (side.setup)
            side.setup();
        QElapsedTimer timer;
        timer.start();
        side.run();
        times.append(timer.nsecsElapsed() / 1.0e6);
    }
    std::sort(times.begin(), times.end());
    return times.at(times.size() / 2);
}

int Table::print() const
{
    int missed = 0;
    std::printf("%-44s %10s %10s %7s  %s\n", "case", "ours ms", "floor ms", "ratio", "target");
    for (const Result& r : m_results) {
        QString verdict;
        if (r.floorMs > 0.0) {
            const double ratio = r.oursMs / r.floorMs;
            const bool ok = ratio <= r.limitRatio;
            verdict += QStringLiteral("<=%1x %2").arg(r.limitRatio).arg(ok ? QStringLiteral("ok") : QStringLiteral("MISSED"));
            missed += ok ? 0 : 1;
        }
        if (r.frameLimitMs > 0.0) {
            const bool ok = r.oursMs <= r.frameLimitMs;
            verdict += QStringLiteral("%1<%2ms %3")
                           .arg(verdict.isEmpty() ? QString() : QStringLiteral(", "))
                           .arg(r.frameLimitMs)
                           .arg(ok ? QStringLiteral("ok") : QStringLiteral("MISSED"));
            missed += ok ? 0 : 1;
        }
        const QString ratio = r.floorMs > 0.0 ? QString::number(r.oursMs / r.floorMs, 'f', 2) : QStringLiteral("-");
        const QString floor = r.floorMs > 0.0 ? QString::number(r.floorMs, 'f', 3) : QStringLiteral("-");
        std::printf("%-44s %10.3f %10s %7s  %s\n", qPrintable(r.name), r.oursMs, qPrintable(floor), qPrintable(ratio),
                    qPrintable(verdict));
    }
    if (!m_growth.isEmpty()) {
        std::printf("\n%-44s %8s %12s %12s %7s  %s\n", "growth case", "actions", "ms/action", "ms/action/10",
                    "growth", "target");
        for (const Growth& g : m_growth) {
            const bool ok = g.factor() <= g.limit;
            missed += ok ? 0 : 1;
            std::printf("%-44s %8d %12.4f %12.4f %7.2f  <=%gx%s %s\n", qPrintable(g.name), g.actions,
                        g.fullMs / g.actions, g.tenthMs / (g.actions / 10), g.factor(), g.limit,
                        g.perAction ? " per action" : "", ok ? "ok" : "MISSED");
        }
    }
    return missed;
}

} // namespace KxPosBench
