#pragma once
// A small timing harness: every case runs our operation and its bare-Qt
// floor alternately, takes the median of each and reports the ratio.

#include <QString>
#include <QVector>

#include <functional>

namespace KxPosBench {

struct Result
{
    QString name;
    double oursMs = 0.0;
    double floorMs = 0.0; // 0 when the case has no floor
    double limitRatio = 2.0;
    double frameLimitMs = 0.0; // > 0: a single cashier action, must fit one 60 Hz frame
};

// One timed side: `setup` (not timed) prepares a fresh state, `run` is timed.
struct Side
{
    std::function<void()> setup;
    std::function<void()> run;
};

// Median wall time in milliseconds of `reps` runs of `side`.
double medianMs(const Side& side, int reps);

class Table
{
public:
    void add(const Result& result) { m_results.append(result); }
    // Prints the table; answers the number of missed targets.
    int print() const;
    const QVector<Result>& results() const { return m_results; }

private:
    QVector<Result> m_results;
};

} // namespace KxPosBench
