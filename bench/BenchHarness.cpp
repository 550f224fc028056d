#include "BenchHarness.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>

namespace KxPosBench {

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
    return missed;
}

} // namespace KxPosBench
