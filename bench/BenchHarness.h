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

// Counting mode (run under callgrind with --collect-atstart=no): every
// measured side runs once to warm the caches, then once more with the
// instruction counter on, and the count is written out under `key`.
void setCounting(bool on);
bool counting();
// Times `side` (median of `reps` runs) or, when counting, counts one run of
// it under `key` and answers 0.
double measure(const QString& key, const Side& side, int reps);

// A case of growth: `actions` cashier actions on a state that grows with
// them, run at full size and at a tenth of it. The growth factor is the
// full run's time over the tenth's; linear work gives 10.
struct Growth
{
    QString name;
    int actions = 0;
    double fullMs = 0.0;
    double tenthMs = 0.0;
    double limit = 11.0;
    // Where every action hands over the whole state (the host's rebind of
    // the whole sale), an action's own work is at least linear in the state;
    // the factor is then the time per action, full over tenth.
    bool perAction = false;
    double factor() const
    {
        if (tenthMs <= 0.0)
            return 0.0;
        return perAction ? fullMs / tenthMs / 10.0 : fullMs / tenthMs;
    }
};

class Table
{
public:
    void add(const Result& result) { m_results.append(result); }
    void add(const Growth& growth) { m_growth.append(growth); }
    // Prints the table; answers the number of missed targets.
    int print() const;
    const QVector<Result>& results() const { return m_results; }

private:
    QVector<Result> m_results;
    QVector<Growth> m_growth;
};

} // namespace KxPosBench
