#pragma once
// Held bills: the demo keeps one sale per bill number ("01" ... "04") and
// switches between them when the cashier picks another bill button. A bill
// is a whole sale: its lines, its member and clerk, and its coupons with
// what they deduct. Switching touches nothing of the other bills, at the
// screen or at the services.

#include "DemoCoupons.h"
#include "DemoSale.h"

#include "contracts/KxPosModel.h"

#include <QMap>
#include <QString>

struct DemoBill
{
    DemoSale sale;
    bool memberLoggedIn = false;
    KxPosVipDetail member;
    QString clerkCode;
    DemoCoupons::HeldSale deductCoupons;
    DemoCoupons::HeldSale exchangeCoupons;

    bool IsEmpty() const
    {
        return sale.IsEmpty() && !memberLoggedIn && deductCoupons.IsEmpty() && exchangeCoupons.IsEmpty();
    }
};

class DemoBills
{
public:
    QString Current() const { return m_current; }
    // Parks `bill` under the current bill number and hands back the bill
    // held under `number` (an empty bill when none). Returns false, and
    // nothing changes, when `number` is already current or empty.
    bool Switch(const QString& number, DemoBill& bill);
    // Bills other than the current one that hold anything.
    QStringList HeldBills() const;

private:
    QString m_current = QStringLiteral("01");
    QMap<QString, DemoBill> m_held;
};
