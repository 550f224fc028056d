#include "DemoClock.h"

#include <QLocale>
#include <QRandomGenerator>

namespace {
struct State {
    QDateTime pinned;
    QRandomGenerator seeded;
};

State& state()
{
    static State s;
    return s;
}
} // namespace

namespace DemoClock {

QDateTime Now()
{
    return state().pinned.isValid() ? state().pinned : QDateTime::currentDateTime();
}

QDate Today()
{
    return Now().date();
}

QString ClockText()
{
    // The C locale keeps the weekday readable by the screens' parser.
    return QLocale::c().toString(Now(), QStringLiteral("yyyy-MM-dd ddd hh:mm:ss"));
}

QRandomGenerator& Random()
{
    return state().pinned.isValid() ? state().seeded : *QRandomGenerator::global();
}

void Pin(const QDateTime& moment, quint32 seed)
{
    state().pinned = moment.isValid() ? moment : QDateTime::currentDateTime();
    state().seeded.seed(seed);
}

void Unpin()
{
    state().pinned = QDateTime();
}

bool IsPinned()
{
    return state().pinned.isValid();
}

} // namespace DemoClock
