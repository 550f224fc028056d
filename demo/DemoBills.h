#pragma once
// Held bills: the demo keeps one sale per bill number ("01" ... "04") and
// switches between them when the cashier picks another bill button.

#include "DemoSale.h"

#include <QMap>
#include <QString>

class DemoBills
{
public:
    QString Current() const { return m_current; }
    // Parks `sale` under the current bill and hands back the sale held under
    // `bill` (empty when none). Returns false when `bill` is already current.
    bool Switch(const QString& bill, DemoSale& sale);
    // Bills other than the current one that hold lines.
    QStringList HeldBills() const;

private:
    QString m_current = QStringLiteral("01");
    QMap<QString, DemoSale> m_held;
};
