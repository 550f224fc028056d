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
}

void DemoScale::RemoveItem()
{
    m_gross = m_tare;
    m_settleTicks = 1;
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
    double net = NetWeight();
    if (m_settleTicks > 0) {
        --m_settleTicks;
        net += (DemoClock::Random().bounded(200) - 100) / 10000.0;
    }
    const bool stable = m_settleTicks == 0;
    emit Reading(net, m_tare, stable, m_tare > 0.0, qAbs(NetWeight()) < 0.0005 && stable, 0);
}
