#include "DemoBills.h"

bool DemoBills::Switch(const QString& bill, DemoSale& sale)
{
    if (bill == m_current || bill.isEmpty())
        return false;
    m_held.insert(m_current, sale);
    sale = m_held.take(bill);
    m_current = bill;
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
