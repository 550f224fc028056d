// Layout of the sales screen: every pixel length comes from a design value
// for the large (1920x1080) and the small (1024x768) layout, scaled to the
// current screen by KxPosConfig.

#include "trade/TradeWidget.h"
#include "ui_TradeWidget.h"

#include "trade/SaleColumnFit_p.h"

#include "contracts/ChangeWidget.h"
#include "contracts/KxPosConfig.h"
#include "contracts/TableModel.h"

#include <QDockWidget>
#include <QEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

namespace {
// Sale-line columns shown by default; the host may reconfigure them through
// GetTable(). Message numbers of the 15 column headers.
const QVector<TransMsgId> saleHeaders = {7050, 7051, 7052, 7053, 7054, 7055, 7056, 7057,
                                         7058, 7059, 7060, 7061, 7062, 7063, 7064};
constexpr int hiddenSaleColumns[] = {3, 6, 7, 9, 10, 12, 13};

void setLayoutSpacing(QWidget* w, int spacing, int margin = -1)
{
    if (!w || !w->layout())
        return;
    w->layout()->setSpacing(spacing);
    if (margin >= 0)
        w->layout()->setContentsMargins(margin, margin, margin, margin);
}
} // namespace

void TradeWidget::InitWidget(int mode)
{
    layoutMode = mode;
    const bool orderPage = ui->stackedWidgetPlu->currentIndex() == 1;
    // The preset keys take the number pad's place; the shortcut column with
    // its "more" key stays on the sale page in both layouts, so that every
    // function (the way back from the preset keys among them) is reachable.
    ui->widgetPreKey->setVisible(mode == 1 || orderPage);
    ui->widgetKeypad->setVisible(mode != 1);
    ui->widgetBtn->setVisible(!orderPage);
    InitWidgetSize();
    InitTableSize(mode);
    ShowMemberDetails();
}

bool TradeWidget::event(QEvent* event)
{
    const bool handled = KxWidget::event(event);
    // A layout change (member panel, order panel, preset keys, a language)
    // may have needed more room for a moment and grown the window; the sales
    // screen returns to the display size it was given. Should the layout
    // still need more, Qt keeps the window at that minimum.
    if (event->type() == QEvent::LayoutRequest || event->type() == QEvent::Show)
        KeepAppSize();
    return handled;
}

void TradeWidget::KeepAppSize()
{
    const QSize app(KxPosConfig::iAppWidth, KxPosConfig::iAppHeight);
    if (isWindow() && !app.isEmpty() && size() != app)
        resize(app);
}

void TradeWidget::InitWidgetSize()
{
    KeepAppSize();

    spacing = KxPosConfig::GetAutoWidth(10, 6);
    const int bigSpacing = KxPosConfig::GetAutoWidth(12, 8);

    // Bars.
    ui->widgetTop->setFixedHeight(KxPosConfig::GetAutoHeight(90, 60));
    ui->widgetBottom->setFixedHeight(KxPosConfig::GetAutoHeight(40, 28));
    setLayoutSpacing(ui->widgetTop, KxPosConfig::GetAutoWidth(12, 6), spacing);
    setLayoutSpacing(ui->widgetWeight, KxPosConfig::GetAutoWidth(8, 4), 0);
    setLayoutSpacing(ui->widgetWeightOp, KxPosConfig::GetAutoWidth(8, 4), 0);
    // On narrow screens the weighing strip needs the brand's room.
    ui->labelTitle->setVisible(KxPosConfig::iAppWidth >= 1000);
    // The order page only counts when it is shown; it must not widen the
    // sale page's column.
    ui->pageOrder->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    setLayoutSpacing(ui->widgetContent, bigSpacing, spacing);
    setLayoutSpacing(ui->widgetCenter, bigSpacing, 0);
    setLayoutSpacing(ui->widgetPlu, spacing, 0);
    setLayoutSpacing(ui->widgetSide, spacing, 0);
    if (ui->widgetBottom->layout())
        ui->widgetBottom->layout()->setContentsMargins(bigSpacing, 0, bigSpacing, 0);

    const int buttonHeight = KxPosConfig::GetAutoHeight(72, 48);
    const QSize topButton = KxPosConfig::GetAutoSize(120, 60, 72, 40);
    for (QPushButton* b : {ui->btnDeskTop, ui->btnReturn})
        b->setFixedSize(topButton);
    for (QPushButton* b : {ui->btnStable, ui->btnSetZero, ui->btnCutP})
        b->setFixedSize(KxPosConfig::GetAutoSize(72, 56, 44, 36));
    for (QLabel* l : {ui->lblWeight, ui->lblWeightP, ui->lalMoney})
        l->setMinimumWidth(KxPosConfig::GetAutoWidth(150, 72));
    ui->labelModeName->setMinimumWidth(KxPosConfig::GetAutoWidth(140, 80));

    // Function-key column: ten shortcuts and "more", sharing the height.
    ui->widgetBtn->setFixedWidth(KxPosConfig::GetAutoWidth(170, 104));
    setLayoutSpacing(ui->widgetBtn, spacing, 0);
    for (QToolButton* b : ui->widgetBtn->findChildren<QToolButton*>()) {
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        b->setMinimumHeight(KxPosConfig::GetAutoHeight(40, 30));
    }

    // Side column: totals, number pad, quick pay.
    const int sideWidth = layoutMode == 1 ? KxPosConfig::GetAutoWidth(400, 220) : KxPosConfig::GetAutoWidth(520, 300);
    ui->widgetSide->setFixedWidth(sideWidth);
    setLayoutSpacing(ui->widgetSum, KxPosConfig::GetAutoHeight(6, 2), spacing);
    // The row keys share the totals' width rather than take their captions'.
    for (QPushButton* b : {ui->btnPreRow, ui->btnNextRow}) {
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        b->setMinimumWidth(KxPosConfig::GetAutoWidth(80, 48));
    }
    setLayoutSpacing(ui->widgetKeypad, spacing, 0);
    for (QPushButton* b : ui->widgetKeypad->findChildren<QPushButton*>()) {
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        b->setMinimumHeight(KxPosConfig::GetAutoHeight(60, 36));
    }
    if (auto* grid = qobject_cast<QGridLayout*>(ui->widgetKeypad->layout())) {
        // OK spans the last two rows of the function column.
        grid->removeWidget(ui->btnOK);
        grid->addWidget(ui->btnOK, 2, 3, 2, 1);
    }
    setLayoutSpacing(ui->widgetPay, spacing, 0);
    for (QAbstractButton* b : ui->widgetPay->findChildren<QAbstractButton*>()) {
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        b->setFixedHeight(buttonHeight);
    }
    if (auto* grid = qobject_cast<QGridLayout*>(ui->widgetPay->layout())) {
        // The general pay button takes the whole last row.
        grid->removeWidget(ui->toolButtonpayother);
        grid->addWidget(ui->toolButtonpayother, 2, 0, 1, 2);
        // Without a third quick-pay button the key button takes its row.
        grid->removeWidget(ui->btnKey);
        grid->addWidget(ui->btnKey, 1, 0, 1, ui->toolButtonpaythird->isVisibleTo(ui->widgetPay) ? 1 : 2);
        ui->toolButtonpayother->setFixedHeight(KxPosConfig::GetAutoHeight(96, 60));
    }

    // Sale column.
    ui->widgetBill->setFixedHeight(KxPosConfig::GetAutoHeight(56, 38));
    // The bill keys give up some width where the row is short (the preset
    // keys beside a small screen) and the notice key shows at its end.
    for (QPushButton* b : {ui->btnBill01, ui->btnBill02, ui->btnBill03, ui->btnBill04, ui->btnBillOrder}) {
        b->setFixedHeight(KxPosConfig::GetAutoHeight(52, 36));
        b->setMinimumWidth(KxPosConfig::GetAutoWidth(96, 56));
        b->setMaximumWidth(KxPosConfig::GetAutoWidth(120, 72));
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }
    // The notice key at the end of the bill row, beside the orders it
    // usually announces; its width follows its caption (SetMsgNotice).
    ui->msgnotice->setFixedHeight(KxPosConfig::GetAutoHeight(52, 36));    ui->widgetVipLeft->setFixedHeight(KxPosConfig::GetAutoHeight(76, 50));
    for (QPushButton* b : {ui->btnVipName, ui->btncard, ui->btnphone})
        b->setFixedHeight(KxPosConfig::GetAutoHeight(60, 38));
    ui->btnVipName->setMinimumWidth(KxPosConfig::GetAutoWidth(160, 96));
    ui->btncard->setMinimumWidth(KxPosConfig::GetAutoWidth(120, 72));
    ui->btnphone->setMinimumWidth(KxPosConfig::GetAutoWidth(160, 96));
    for (QPushButton* b : {ui->pushButtonvipimg, ui->btnMemberName, ui->btnVipNameR})
        b->hide();
    ui->widgetBillNo->setFixedHeight(KxPosConfig::GetAutoHeight(40, 28));
    ui->widget_suggest->setFixedHeight(KxPosConfig::GetAutoHeight(64, 44));
    ui->txtcode->setFixedHeight(KxPosConfig::GetAutoHeight(68, 44));
    ui->widgetEntry->setFixedHeight(KxPosConfig::GetAutoHeight(68, 44));
    if (auto* page = qobject_cast<QBoxLayout*>(ui->pageSale->layout()))
        page->setStretchFactor(ui->produwidget, 1);
    ui->lblImageInput->setVisible(!ui->lblImageInput->pixmap(Qt::ReturnByValue).isNull());
    ui->lblImageInput->setFixedSize(KxPosConfig::GetAutoSize(48, 48, 32, 32));
    ui->stackedWidgetCx->setFixedWidth(KxPosConfig::GetAutoWidth(440, 200));
    ui->stackedWidgetCx->setFixedHeight(KxPosConfig::GetAutoHeight(68, 44));
    ui->boxCxTitle->setFixedHeight(KxPosConfig::GetAutoHeight(68, 44));
    standardRowHeight = KxPosConfig::GetAutoHeight(64, 44);
    if (layoutMode == 1)
        ui->widgetPreKey->setFixedWidth(KxPosConfig::GetAutoWidth(560, 280));

    // Floating docks.
    // The grid's keys share the dock's width: four of them (in edit mode)
    // narrow below their design width on small screens.
    const QSize dockKey = KxPosConfig::GetAutoSize(150, 64, 96, 44);
    for (QPushButton* b : {ui->btnEditFun, ui->btnEditCancel, ui->btnPreFunc, ui->btnNextFunc}) {
        b->setFixedHeight(dockKey.height());
        b->setMinimumWidth(dockKey.width() / 2);
        b->setMaximumWidth(dockKey.width());
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }

    InitOrderSize();
}

void TradeWidget::InitOrderSize()
{
    const int navHeight = KxPosConfig::GetAutoHeight(60, 40);
    for (QPushButton* b : {ui->btnOrderUp, ui->btnOrderDown, ui->btnLineUp, ui->btnLineDown, ui->btnActUp,
                           ui->btnActDown, ui->btnOrderFresh, ui->btnOrderPrint, ui->btnOper1, ui->btnOper2})
        b->setFixedHeight(navHeight);
    for (QPushButton* b : {ui->btnOper1, ui->btnOper2})
        b->setMinimumWidth(KxPosConfig::GetAutoWidth(180, 110));
    ui->widgetOrderList->setFixedWidth(KxPosConfig::GetAutoWidth(420, 230));
    ui->boxOrderSort->setFixedHeight(navHeight);
    ui->widgetOrderPay->setFixedHeight(KxPosConfig::GetAutoHeight(80, 52));
}

void TradeWidget::InitTableSize(int)
{
    QTableView* view = saleTable.view();
    TableModel* model = saleTable.model();
    if (!view || !model)
        return;
    if (model->columnCount() < saleHeaders.size())
        saleTable.iniHeadData(saleHeaders, true, standardRowHeight);
    saleTable.setRowHeight(standardRowHeight);
    saleTable.setHeaderHeight(KxPosConfig::GetAutoHeight(52, 36));
    for (int c = 0; c < model->columnCount(); ++c)
        saleTable.setColumnHidden(c, false);
    for (int c : hiddenSaleColumns)
        saleTable.setColumnHidden(c, true);
    saleTable.setColumnHidden(0, !showLineSerial);
    // Promotion texts appear only when the host pushes some.
    saleTable.setColumnHidden(14, true);
    for (int c = 0; c < model->columnCount(); ++c) {
        if (!view->isColumnHidden(c))
            model->setColumnAlignment(c, c == 1 || c == 2 ? Qt::AlignLeft | Qt::AlignVCenter
                                                          : Qt::AlignRight | Qt::AlignVCenter);
    }

    QHeaderView* header = view->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setSectionResizeMode(2, QHeaderView::Stretch);
    // The name column alone stretches (a stretched last column would take
    // half of the spare width from it and leave it blank on a wide display);
    // the others narrow where the table is too narrow for their design widths.
    header->setStretchLastSection(false);
    SaleColumnFit::Apply(view,
                         {{0, KxPosConfig::GetAutoWidth(70, 44)},
                          {1, KxPosConfig::GetAutoWidth(250, 134)},
                          {4, KxPosConfig::GetAutoWidth(130, 70)},
                          {5, KxPosConfig::GetAutoWidth(140, 76)},
                          {8, KxPosConfig::GetAutoWidth(150, 84)},
                          {11, KxPosConfig::GetAutoWidth(90, 48)},
                          {14, KxPosConfig::GetAutoWidth(200, 110)}},
                         2, {14},
                         // serial number, unit, then code leave a narrow table first
                         {0, 11, 1});
    saleTable.applyRowHeights();
}

void TradeWidget::SlotResizeGrid()
{
    InitTableSize(layoutMode);
    UpdateFuncPage();
}

void TradeWidget::SlotResizeChangeWidget()
{
    // The change popup sits centred over the screen at a fixed design size.
    if (!changeWidget)
        return;
    const QSize size = KxPosConfig::GetAutoSize(720, 420, 480, 300);
    changeWidget->resize(size);
    const QPoint centre = mapToGlobal(rect().center());
    changeWidget->move(centre.x() - size.width() / 2, centre.y() - size.height() / 2);
}
