#include "DemoPayments.h"

#include <cmath>

DemoPayment DemoPayments::Pay(const QString& payCode, double due)
{
    DemoPayment p;
    p.payCode = payCode;
    p.due = due;
    const bool cash = payCode == QLatin1String("CashPay") || payCode.isEmpty();
    // Round to cents first so that 25.53 is not tendered as 25.5300000001.
    const double cents = std::round(due * 100.0);
    p.tendered = cash ? std::ceil(cents / 1000.0) * 10.0 : cents / 100.0;
    p.change = std::round((p.tendered * 100.0) - cents) / 100.0;
    m_history.append(p);
    return p;
}

DemoPayment DemoPayments::Refund(double amount)
{
    DemoPayment p;
    p.payCode = QStringLiteral("Refund");
    p.change = std::round(amount * 100.0) / 100.0;
    m_history.append(p);
    return p;
}
