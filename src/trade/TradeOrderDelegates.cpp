// Delegates of the online-order tables: the order cards, the lines of the
// shown order and the picked lines with their click areas.

#include "trade/TradeWidget.h"
#include "ui_TradeWidget.h"

#include "trade/OrderListDelegate.h"
#include "trade/PluOrderDelegate.h"
#include "trade/StandardDelegate.h"

#include <QTableView>

void TradeWidget::InstallOrderDelegates()
{
    // The style tables of the card delegates are filled here, once, for the
    // screen size the screen was built for.
    auto* cards = new OrderListDelegate(this);
    cards->setObjectName(QStringLiteral("orderListDelegate"));
    ui->tbvOrder->setItemDelegateForColumn(0, cards);

    auto* lines = new PluOrderDelegate(this);
    lines->setObjectName(QStringLiteral("pluOrderDelegate"));
    ui->tbvOnline->setItemDelegate(lines);

    pickDelegate = new StandardDelegate(this);
    pickDelegate->setObjectName(QStringLiteral("pickDelegate"));
    // Name and quantity columns, and the line-number column that carries the
    // remove picture while picking.
    for (int column : {0, 1, 2})
        ui->tbvDown->setItemDelegateForColumn(column, pickDelegate);
    connect(pickDelegate, &StandardDelegate::signRemove, this, &TradeWidget::pluRemove);
    connect(pickDelegate, &StandardDelegate::signMinusOne, this, &TradeWidget::pluMinusOne);
    connect(pickDelegate, &StandardDelegate::signAddOne, this, &TradeWidget::pluAddOne);
    connect(pickDelegate, &StandardDelegate::signWeightProd, this, &TradeWidget::SlotWeightProd);
}

void TradeWidget::SetPickDelegateState(bool showButtons, const QMap<int, QString>& weighRows, const QString& modeText)
{
    if (!pickDelegate)
        return;
    pickDelegate->SetShowButtons(showButtons);
    pickDelegate->SetWeighRows(weighRows);
    pickDelegate->SetModeText(modeText);
    ui->tbvDown->viewport()->update();
}
