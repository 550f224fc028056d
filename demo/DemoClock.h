#pragma once
// The demo host's time and chance: the wall clock and the system's random
// source, or, once pinned, one fixed moment and a seeded generator, so that a
// render of the screens comes out the same on every run and every machine.

#include <QDate>
#include <QDateTime>
#include <QString>

class QRandomGenerator;

namespace DemoClock {
// The moment the demo shows: the pinned one, else the current local time.
QDateTime Now();
QDate Today();
// Now() as the screens' clock slots take it: "yyyy-MM-dd ddd hh:mm:ss".
QString ClockText();

// The random source of simulated readings (scale jitter, weighed items).
QRandomGenerator& Random();

// Stops the clock at `moment` and restarts the random source from `seed`.
void Pin(const QDateTime& moment, quint32 seed = 1);
// Back to the wall clock and the system's random source.
void Unpin();
bool IsPinned();
} // namespace DemoClock
