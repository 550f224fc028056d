#include "DemoBills.h"

bool DemoBills::Switch(const QString& number, DemoBill& bill)
{
    if (number == m_current || number.isEmpty())
        return false;
    m_held.insert(m_current, bill);
    bill = m_held.take(number);
    m_current = number;
    return true;
}

QStringList DemoBills::HeldBills() const
{
    QStringList bills;
    for (auto it = m_held.cbegin(); it != m_held.cend(); ++it) {
        if (!it.value().IsEmpty())
            bills << it.key();
    }
    return bills;
}
