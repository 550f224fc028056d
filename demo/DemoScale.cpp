#include "DemoScale.h"

#include "DemoClock.h"

#include <QRandomGenerator>

DemoScale::DemoScale(QObject* parent)
    : QObject(parent)
{
    m_timer.setInterval(200);
    connect(&m_timer, &QTimer::timeout, this, &DemoScale::Tick);
}

void DemoScale::Start()
{
    m_timer.start();
    Tick();
}

void DemoScale::PlaceItem(double kilograms)
{
    m_gross = m_tare + kilograms;
    m_settleTicks = 3;
    m_stable = false;
}

void DemoScale::RemoveItem()
{
    m_gross = m_tare;
    m_settleTicks = 1;
    m_stable = false;
}

void DemoScale::Zero()
{
    if (NetWeight() < 0.5) {
        m_gross = m_tare;
        m_settleTicks = 0;
    }
}

void DemoScale::TakeTare()
{
    m_tare = m_gross;
}

void DemoScale::ClearTare()
{
    m_gross -= m_tare;
    m_tare = 0.0;
}

void DemoScale::SetPresetTare(double kilograms)
{
    m_gross = m_gross - m_tare + kilograms;
    m_tare = kilograms;
}

void DemoScale::Tick()
{
    // Unstable readings wobble around the weight; the first stable one is
    // the weight itself, so that what the screen shows as stable is what the
    // sale records.
    double net = NetWeight();
    const bool stable = m_settleTicks == 0;
    m_stable = stable;
    if (!stable) {
        --m_settleTicks;
        net += (DemoClock::Random().bounded(200) - 100) / 10000.0;
    }
    emit Reading(net, m_tare, stable, m_tare > 0.0, qAbs(NetWeight()) < 0.0005 && stable, 0);
}
