#pragma once
// Payments of the demo: every tender pays the sale; cash is rounded up to the
// next 10 yuan note the customer hands over, and the change is what is left.

#include <QList>
#include <QString>

struct DemoPayment
{
    QString payCode;   // "WxPay", "ZfbPay", "CashPay" or "" (cashier's choice: cash)
    double due = 0.0;
    double tendered = 0.0;
    double change = 0.0;
};

class DemoPayments
{
public:
    DemoPayment Pay(const QString& payCode, double due);
    // Money handed back for returned goods: `amount` is the change.
    DemoPayment Refund(double amount);
    const QList<DemoPayment>& History() const { return m_history; }

private:
    QList<DemoPayment> m_history;
};
