// Online order panel: the order cards, choosing an order, the two operation
// buttons by operation mode, picking, and the order list buttons.

#include "trade/TradeWidget.h"
#include "ui_TradeWidget.h"

#include "contracts/AccessibleNames.h"
#include "contracts/KxPosConfig.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/QuestionMessage.h"

#include <QComboBox>
#include <QDockWidget>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStandardItemModel>
#include <QTableView>

#include <cmath>

namespace {
constexpr int OrderColumns = 13;

bool isPickable(const OrderDetail& order)
{
    return order.orderStatus == QLatin1String("1")
           || (order.orderStatus == QLatin1String("7") && order.deliveryType == QLatin1String("21")
               && order.deliveryDetail.isEmpty());
}

int statusCaption(const OrderDetail& order)
{
    const QString& s = order.orderStatus;
    if (s == QLatin1String("0"))
        return 1131;
    if (s == QLatin1String("1"))
        return 1137;
    if (s == QLatin1String("2"))
        return 1126;
    if (s == QLatin1String("4"))
        return 1169;
    if (s == QLatin1String("5"))
        return 1132;
    if (s == QLatin1String("7") && order.deliveryType == QLatin1String("22"))
        return 5002;
    if (s == QLatin1String("7") && order.deliveryType == QLatin1String("21") && order.deliveryDetail.isEmpty())
        return 2378;
    if (s == QLatin1String("9") && order.deliveryType == QLatin1String("22"))
        return 1117;
    return 0;
}

// Operation-button captions by operation mode.
struct OperCaptions
{
    int mode;
    int first;
    int second;
};
// The operation keys show the key that presses them: "%1【Enter】", "%1【Del】".
constexpr int FirstOperKeyCaption = 7500;
constexpr int SecondOperKeyCaption = 7501;
constexpr OperCaptions operCaptions[] = {
    {0, 1110, 1113}, {1, 1136, 2362}, {2, 2363, 2364}, {4, 1111, 1112}, {5, 1117, 5002},
};

// The remark line above the order's lines: which order they belong to.
void showRemark(Ui::TradeWidget* ui, const OrderDetail& shown)
{
    if (shown.orderId.isEmpty())
        ui->lbRemark->setText(KxPosTranslator::GetTranslation(1154));
    else
        ui->lbRemark->setText(KxPosTranslator::GetTranslation(5997) + QStringLiteral("  ") + shown.orderId);
}

bool sameQuantity(double a, double b)
{
    return std::fabs(a - b) < 1e-9;
}

double pickedSum(const QList<PluDetail>& lines)
{
    double sum = 0.0;
    for (const PluDetail& l : lines)
        sum += l.pickQty;
    return sum;
}

// Moves `row` one step within [0, count) and selects it in `view`.
bool stepRow(QTableView* view, int& row, int count, int delta)
{
    const int next = row + delta;
    if (count <= 0 || next < 0 || next >= count)
        return false;
    row = next;
    view->selectRow(row);
    return true;
}
} // namespace

void TradeWidget::SetOperCaptions(int first, int second)
{
    ui->btnOper1->setText(
        KxPosTranslator::GetTranslation(FirstOperKeyCaption).arg(KxPosTranslator::GetTranslation(first)));
    ui->btnOper2->setText(
        KxPosTranslator::GetTranslation(SecondOperKeyCaption).arg(KxPosTranslator::GetTranslation(second)));
    AccessibleNames::NameByCaption(ui->btnOper1);
    AccessibleNames::NameByCaption(ui->btnOper2);
}

bool TradeWidget::AskQuestion(int messageId)
{
    return questionMessage->ShowMessage(KxPosTranslator::GetTranslation(1969), KxPosTranslator::GetTranslation(messageId))
           == 1;
}

void TradeWidget::ShowOrderWidget(QList<OrderDetail> orders, int type)
{
    if (type != 0) {
        showOrderList(orders, type);
        ui->stackedWidgetPlu->setCurrentIndex(1);
        ui->widgetSum->hide();
        ui->widgetPay->hide();
        ui->widgetBtn->hide();
        ui->widgetKeypad->hide();
        ui->widgetSide->hide();
        ui->widgetOrderPay->show();
        const bool narrow = KxPosConfig::iRatioType == 1;
        ui->widgetPlu->setFixedWidth(narrow ? calcWidth(584, 1024) : calcWidth(988, 1920));
        ui->widgetPreKey->setFixedWidth(narrow ? calcWidth(428, 1024) : calcWidth(902, 1920));
        ui->widgetPreKey->show();
        InitTableSize(layoutMode);
        // The keyboard goes to the order cards (the code box is hidden with
        // the keypad), so the panel's keys work at once.
        if (isActiveWindow())
            ui->tbvOrder->setFocus(Qt::OtherFocusReason);
        return;
    }
    ui->stackedWidgetPlu->setCurrentIndex(0);
    ui->widgetSum->show();
    ui->widgetPay->show();
    ui->widgetBtn->show();
    ui->widgetSide->show();
    ui->widgetOrderPay->hide();
    ui->widgetPlu->setMinimumWidth(0);
    ui->widgetPlu->setMaximumWidth(QWIDGETSIZE_MAX);
    ui->widgetPreKey->setMinimumWidth(0);
    ui->widgetPreKey->setMaximumWidth(QWIDGETSIZE_MAX);
    InitWidget(layoutMode);
    // Back on the sale page codes are typed into the code box again.
    if (QWidget* focus = focusWidget(); focus && ui->stackedWidgetPlu->widget(1)->isAncestorOf(focus))
        ui->txtcode->setFocus(Qt::OtherFocusReason);
}

void TradeWidget::showOrderList(QList<OrderDetail> orders, int type)
{
    orderList = orders;
    QStandardItemModel* old = orderModel;
    QItemSelectionModel* oldSelection = ui->tbvOrder->selectionModel();
    orderModel = new QStandardItemModel(0, OrderColumns, this);
    ui->tbvOrder->setModel(orderModel);
    delete oldSelection;
    if (old) {
        old->clear();
        delete old;
    }
    // The card delegate of column 0 draws the whole card from the row's
    // cells; the other columns only carry data.
    for (int c = 1; c < OrderColumns; ++c)
        ui->tbvOrder->setColumnHidden(c, true);
    ui->tbvOrder->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);

    const int rowHeight = KxPosConfig::styleMap.value(QStringLiteral("$OrderTable_Height")).toInt();
    for (const OrderDetail& order : qAsConst(orderList)) {
        QList<QStandardItem*> row;
        for (int c = 0; c < OrderColumns; ++c)
            row << new QStandardItem;
        row[0]->setText(order.orderId);
        row[12]->setText(order.orderSource);
        row[6]->setText(order.cardText1);
        row[10]->setText(order.cardText2);
        row[9]->setText(QLatin1Char('#') + order.pickupNo);
        row[11]->setText(order.tagCodeA + QStringLiteral("--")
                         + (order.deliveryType == QLatin1String("22") ? QStringLiteral("1") : QStringLiteral("0"))
                         + QStringLiteral("--") + order.tagCodeC);
        if (const int caption = statusCaption(order))
            row[1]->setText(KxPosTranslator::GetTranslation(caption));
        // A narrow card shortens its texts; its tooltip has them whole.
        QStringList whole;
        for (int c : {1, 9, 6, 10}) {
            if (!row[c]->text().isEmpty())
                whole << row[c]->text();
        }
        row[0]->setToolTip(whole.join(QStringLiteral(" · ")));
        orderModel->appendRow(row);
    }
    for (int r = 0; r < orderModel->rowCount(); ++r) {
        if (rowHeight > 0)
            ui->tbvOrder->setRowHeight(r, rowHeight);
    }

    if (orderList.isEmpty()) {
        shownLines.clear();
        pickLines.clear();
        selectedOrderId.clear();
        // Nothing is shown any more, so the operation buttons have nothing
        // to act on until an order is listed again.
        shownOrder = OrderDetail();
        pickOrder = OrderDetail();
        orderRow = -1;
        ui->btnOper1->setEnabled(false);
        ui->btnOper2->setEnabled(false);
        RefreshTableViewOn();
        RefreshTableViewDown(false);
        ui->lbRemark->setText(KxPosTranslator::GetTranslation(1154));
        return;
    }
    if (type == 2) {
        for (int r = 0; r < orderList.size(); ++r) {
            if (orderList.at(r).orderId == selectedOrderId) {
                orderRow = r;
                ui->tbvOrder->selectRow(r);
                ClickOrderList(r, true);
                return;
            }
        }
    }
    orderRow = 0;
    ui->tbvOrder->selectRow(0);
    ClickOrderList(0, false);
}

void TradeWidget::ClickOrderList(int row, bool keep)
{
    if (row < 0 || row >= orderList.size())
        return;
    const OrderDetail order = orderList.at(row);
    ui->btnOper1->setEnabled(true);
    ui->btnOper2->setEnabled(true);
    ui->btnOper2->show();
    selectedOrderId = order.orderId;
    const QString& state = order.operState;
    int mode = -1;
    if (state == QLatin1String("1")
        || (state == QLatin1String("7") && order.deliveryType == QLatin1String("21") && order.deliveryDetail.isEmpty()))
        mode = 1;
    else if (state == QLatin1String("0"))
        mode = 0;
    else if (state == QLatin1String("2"))
        mode = 2;
    else if (state == QLatin1String("4"))
        mode = 4;
    else if (state == QLatin1String("5"))
        mode = 5;
    // Any other state keeps the mode and captions of the order chosen before.
    if (mode >= 0) {
        operMode = mode;
        for (const OperCaptions& c : operCaptions) {
            if (c.mode == mode)
                SetOperCaptions(c.first, c.second);
        }
    }
    if (mode == 2)
        ui->btnOper2->hide();
    emit SignalShowOrderDetail(order, operMode, keep, lineRow);
}

void TradeWidget::on_tbvOrder_clicked(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    orderRow = index.row();
    ClickOrderList(orderRow, false);
}

void TradeWidget::on_tbvOnline_clicked(const QModelIndex& index)
{
    if (index.isValid())
        tbvOnlineRow = index.row();
}

void TradeWidget::showPluDetail(OrderDetail shown, OrderDetail picking, int row)
{
    shownOrder = shown;
    lineRow = row;
    shownLines = shown.lines;
    pickOrder = picking;
    pickLines = picking.lines;
    showRemark(ui, shownOrder);
    RefreshTableViewOn();
    RefreshTableViewDown(false);
}

// --- Operations ---------------------------------------------------------------

void TradeWidget::on_btnOper1_clicked()
{
    if (orderList.isEmpty())
        return;
    switch (operMode) {
    case 0: emit SignAcceptNewOrder(shownOrder); break;
    case 1:
        for (const PluDetail& line : pickLines) {
            if (line.needsWeighing != QLatin1String("1"))
                continue;
            if (line.weighDone != QLatin1String("1")) {
                ShowNotice(1144);
                return;
            }
            if (line.weight > KxPosConfig::SetWeightUpper) {
                ShowNotice(1145);
                return;
            }
        }
        if (AskQuestion(1146))
            PickUpFinish();
        break;
    case 2: emit SignAcceptSelfTake(shownOrder); break;
    case 4: emit SignAcceptRefund(shownOrder); break;
    case 5:
        if (AskQuestion(1147))
            emit SignGetPluRefund(pickOrder);
        break;
    default: break;
    }
}

void TradeWidget::on_btnOper2_clicked()
{
    if (orderList.isEmpty())
        return;
    switch (operMode) {
    case 0: emit SignRejectNewOrder(shownOrder); break;
    case 1:
        if (!AskQuestion(1162))
            return;
        if (pickLines.isEmpty())
            ShowNotice(1163);
        else
            SaveDataToSaleTmp(false);
        break;
    case 2: emit SignRejectSelfTake(shownOrder); break;
    case 4: emit SignRejectRefund(shownOrder); break;
    case 5:
        if (AskQuestion(1161))
            emit SignDoReturn(shownOrder);
        break;
    default: break;
    }
}

void TradeWidget::PickUpFinish()
{
    if (pickedSum(pickLines) == 0.0) {
        ShowNotice(1149);
        return;
    }
    pickOrder.lines = pickLines;
    pickOrder.pickAmount = pickedAmount;
    emit SignPickUpFinish(pickOrder);
}

void TradeWidget::SaveDataToSaleTmp(bool keep)
{
    if (pickedSum(pickLines) == 0.0)
        return;
    pickOrder.lines = pickLines;
    emit SignSaveTmpFinish(pickOrder, keep);
}

// --- Picking --------------------------------------------------------------------

void TradeWidget::pluAddOne(QModelIndex index)
{
    if (!index.isValid() || index.row() >= pickLines.size())
        return;
    PluDetail& line = pickLines[index.row()];
    if (sameQuantity(line.pickQty, line.orderQty)) {
        ShowNotice(1140);
        return;
    }
    line.pickQty += 1;
    RefreshTableViewDown(false);
}

void TradeWidget::pluMinusOne(QModelIndex index)
{
    if (!index.isValid() || index.row() >= pickLines.size())
        return;
    PluDetail& line = pickLines[index.row()];
    // A picked quantity never drops below 1 through the minus button.
    if (QString::number(line.pickQty, 'g', 6) == QLatin1String("1") || line.pickQty < 1.0) {
        ShowNotice(1139);
        return;
    }
    line.pickQty -= 1;
    RefreshTableViewDown(false);
}

void TradeWidget::pluRemove(QModelIndex index)
{
    if (!isPickable(pickOrder))
        return;
    if (KxPosConfig::GetValue(QStringLiteral("ORDER_SaleToverMode"), QStringLiteral("0")) == QLatin1String("2"))
        return;
    if (!AskQuestion(1141))
        return;
    const int row = index.row();
    if (row >= 0 && row < pickLines.size()) {
        pickLines.removeAt(row);
        // A line's number is its position in the pick list.
        for (int i = row; i < pickLines.size(); ++i)
            pickLines[i].lineNo = i;
    }
    if (pickModel && row >= 0 && row < pickModel->rowCount())
        pickModel->removeRow(row);
    RefreshTableViewDown(false);
}

void TradeWidget::updateOrderPluDetail(PluDetail line, QString what, int row)
{
    if (what != QLatin1String("weight") || row < 0 || row >= pickLines.size())
        return;
    PluDetail& target = pickLines[row];
    target.weighDone = QStringLiteral("1");
    target.pickQty = line.pickQty;
    target.weight = line.weight;
    RefreshTableViewDown(false);
}

void TradeWidget::AddOneOrderPlu(PluDetail line)
{
    line.lineNo = pickLines.size();
    pickLines.append(line);
    RefreshTableViewDown(true);
}

void TradeWidget::RetranslateOrderPanel()
{
    {
        QComboBox* box = ui->boxOrderSort;
        const QSignalBlocker blocker(box);
        const int current = qMax(0, box->currentIndex());
        box->clear();
        box->addItems({KxPosTranslator::GetTranslation(1164), KxPosTranslator::GetTranslation(1165),
                       KxPosTranslator::GetTranslation(1166)});
        box->setCurrentIndex(current);
    }
    for (const OperCaptions& c : operCaptions) {
        if (c.mode == operMode)
            SetOperCaptions(c.first, c.second);
    }
    if (orderModel) {
        for (int r = 0; r < orderModel->rowCount() && r < orderList.size(); ++r) {
            const int caption = statusCaption(orderList.at(r));
            if (QStandardItem* item = orderModel->item(r, 1))
                item->setText(caption ? KxPosTranslator::GetTranslation(caption) : QString());
        }
    }
    showRemark(ui, shownOrder);
    // The weigh caption of unweighed lines is a translated text.
    RefreshTableViewDown(false);
}

void TradeWidget::SlotWeightProd(int m)
{
    if (operMode != 1 || m < 0 || m >= pickLines.size())
        return;
    emit SignShowOrderWeight(pickLines.at(m));
}

// --- Moving -------------------------------------------------------------------------

void TradeWidget::on_btnOrderUp_clicked()
{
    if (orderModel && stepRow(ui->tbvOrder, orderRow, orderModel->rowCount(), -1))
        ClickOrderList(orderRow, false);
}

void TradeWidget::on_btnOrderDown_clicked()
{
    if (orderModel && stepRow(ui->tbvOrder, orderRow, orderModel->rowCount(), +1))
        ClickOrderList(orderRow, false);
}

void TradeWidget::on_btnLineUp_clicked()
{
    if (onlineModel)
        stepRow(ui->tbvOnline, tbvOnlineRow, onlineModel->rowCount(), -1);
}

void TradeWidget::on_btnLineDown_clicked()
{
    if (onlineModel)
        stepRow(ui->tbvOnline, tbvOnlineRow, onlineModel->rowCount(), +1);
}

void TradeWidget::on_btnActUp_clicked()
{
    if (pickModel)
        stepRow(ui->tbvDown, lineRow, pickModel->rowCount(), -1);
}

void TradeWidget::on_btnActDown_clicked()
{
    if (pickModel)
        stepRow(ui->tbvDown, lineRow, pickModel->rowCount(), +1);
}

// --- Keys -----------------------------------------------------------------------------

// The order panel's keys: Up and Down choose the order, Page Up and Page Down
// the picked line, Space weighs that line, Enter and Delete press the two
// operation keys, Escape goes back to the sale. Any other key keeps its
// meaning on the screen (digits and codes for goods added while picking).
bool TradeWidget::OrderPanelKey(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up: on_btnOrderUp_clicked(); return true;
    case Qt::Key_Down: on_btnOrderDown_clicked(); return true;
    case Qt::Key_PageUp: on_btnActUp_clicked(); return true;
    case Qt::Key_PageDown: on_btnActDown_clicked(); return true;
    case Qt::Key_Space: {
        // Without a chosen line the first one is weighed.
        const int row = lineRow >= 0 && lineRow < pickLines.size() ? lineRow : 0;
        if (row < pickLines.size() && pickLines.at(row).needsWeighing == QLatin1String("1")) {
            ui->tbvDown->selectRow(row);
            lineRow = row;
            SlotWeightProd(row);
        }
        return true;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // A code typed while picking is entered as on the sale page.
        if (!ui->txtcode->text().isEmpty())
            return false;
        if (ui->btnOper1->isEnabled())
            on_btnOper1_clicked();
        return true;
    case Qt::Key_Delete:
        if (ui->btnOper2->isEnabled() && !ui->btnOper2->isHidden())
            on_btnOper2_clicked();
        return true;
    case Qt::Key_Escape: LeaveOrderPanel(); return true;
    default: return false;
    }
}

// Back to the sale the cashier was on: as a press of that sale's bill key.
void TradeWidget::LeaveOrderPanel()
{
    const QString bill = saleBill;
    UpdateBtnBillNumber(bill);
    emit SignTrdSelectBill(bill);
}

// --- Other buttons -------------------------------------------------------------------

void TradeWidget::on_btnOrderFresh_clicked()
{
    emit SignUpdateOrderList();
}

void TradeWidget::on_btnOrderPrint_clicked()
{
    if (printGuard)
        return;
    printGuard = true;
    printGuardTimer.start(500);
    if (!orderList.isEmpty())
        emit SignPrintOrder(shownOrder);
}

void TradeWidget::on_btnBillOrder_clicked()
{
    ui->dockWidget->hide();
    ui->dockWidgetKeyBoard->hide();
    if (KxPosConfig::GetValue(QStringLiteral("ORDER_ModeSwitch"), QStringLiteral("0")) == QLatin1String("1")) {
        ui->btnBillOrder->setCheckable(true);
        emit SignTrdSelectBill(QStringLiteral("Order"));
        return;
    }
    ui->btnBillOrder->setChecked(false);
    ui->btnBillOrder->setCheckable(false);
    ShowNotice(2383);
}

void TradeWidget::SlotComboBoxIndexChanged(QString text)
{
    orderSortOrder = text == KxPosTranslator::GetTranslation(1165) ? QStringLiteral("ASC") : QString();
    emit SignUpdateOrderList();
}
