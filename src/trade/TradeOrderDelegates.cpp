// Delegates of the online-order tables.

#include "trade/TradeWidget.h"

void TradeWidget::InstallOrderDelegates()
{
}

void TradeWidget::SetPickDelegateState(bool, const QMap<int, QString>&, const QString&)
{
}
