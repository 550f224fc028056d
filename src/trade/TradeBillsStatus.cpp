// Held bills, status values, the sale-mode caption, notices, leaving to the
// desktop and the keys that come back from the change popup.

#include "trade/TradeWidget.h"
#include "ui_TradeWidget.h"

#include "contracts/CaptionFit.h"
#include "contracts/ChangeWidget.h"
#include "contracts/KxPosConfig.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/MessageWidget.h"

#include <QDockWidget>
#include <QLabel>

namespace {
// Caption of the sale-mode strip by (flag1, flag2, group); 0 keeps the normal page.
int saleModeCaption(bool flag1, bool flag2, bool group)
{
    static const int captions[2][2][2] = {
        {{0, 2341}, {2370, 2368}},
        {{608, 2340}, {2369, 2367}},
    };
    return captions[flag1][flag2][group];
}
} // namespace

// --- Bills ------------------------------------------------------------------------

void TradeWidget::UpdateBtnBillNumber(QString bill)
{
    QPushButton* const buttons[] = {ui->btnBill01, ui->btnBill02, ui->btnBill03, ui->btnBill04, ui->btnBillOrder};
    for (QPushButton* b : buttons) {
        // Unchecking one button of a row at a time must not be undone by
        // auto-exclusivity, so each button is handled on its own.
        const bool wasAuto = b->autoExclusive();
        b->setAutoExclusive(false);
        b->setChecked(false);
        b->setAutoExclusive(wasAuto);
    }
    QPushButton* target = ui->btnBill01;
    if (bill == QLatin1String("02"))
        target = ui->btnBill02;
    else if (bill == QLatin1String("03"))
        target = ui->btnBill03;
    else if (bill == QLatin1String("04"))
        target = ui->btnBill04;
    else if (bill == QLatin1String("Order"))
        target = ui->btnBillOrder;
    target->setCheckable(true);
    target->setChecked(true);
    currentBill = target == ui->btnBill01 ? QStringLiteral("01") : bill;
    // The sale's own bill, which leaving the order panel goes back to.
    if (target != ui->btnBillOrder)
        saleBill = currentBill;
}

void TradeWidget::RestoreBillButtons()
{
    // A click toggles the button at once; the current bill changes only when
    // the host has switched sales and calls UpdateBtnBillNumber.
    UpdateBtnBillNumber(currentBill);
}

QString TradeWidget::GetBillNumber()
{
    if (ui->btnBill02->isChecked())
        return QStringLiteral("02");
    if (ui->btnBill03->isChecked())
        return QStringLiteral("03");
    if (ui->btnBill04->isChecked())
        return QStringLiteral("04");
    if (ui->btnBillOrder->isChecked())
        return QStringLiteral("Order");
    if (!ui->btnBill01->isChecked())
        UpdateBtnBillNumber(QStringLiteral("01"));
    return QStringLiteral("01");
}

void TradeWidget::on_btnBill01_clicked()
{
    RestoreBillButtons();
    emit SignTrdSelectBill(QStringLiteral("01"));
}

void TradeWidget::on_btnBill02_clicked()
{
    RestoreBillButtons();
    emit SignTrdSelectBill(QStringLiteral("02"));
}

void TradeWidget::on_btnBill03_clicked()
{
    RestoreBillButtons();
    emit SignTrdSelectBill(QStringLiteral("03"));
}

void TradeWidget::on_btnBill04_clicked()
{
    RestoreBillButtons();
    emit SignTrdSelectBill(QStringLiteral("04"));
}

void TradeWidget::FirstClickBill01()
{
    // The bill row counts as visible when it is shown on the screen, even
    // before the screen itself is shown.
    if (ui->widgetBill->isVisibleTo(this))
        on_btnBill01_clicked();
}

void TradeWidget::SlotTrdSaveAccount()
{
    emit SignTrdSaveAccount(ui->lblbillno->text());
}

void TradeWidget::SlotTrdGetAccount()
{
    emit SignTrdGetAccount();
}

// --- Status values -------------------------------------------------------------------

void TradeWidget::updateDynData(int datatype, QString datacontent, QVariant exParam)
{
    switch (datatype) {
    case 1: ui->lblprodcount->setText(datacontent); break;
    case 2: ui->lbldiscount->setText(datacontent); break;
    case 3: ui->lblshould->setText(datacontent); break;
    case 4: ui->lblprodtotal->setText(datacontent); break;
    case 5: ui->lblbillno->setText(datacontent); break;
    case 6: ui->lblDate->setText(KxPosTranslator::GetTranslation(2109) + QLatin1Char(':') + datacontent); break;
    case 11: UpdateCouponDeductAmount(datacontent, exParam); break;
    default: break;
    }
}

void TradeWidget::SlotTrdSetStatusValue(QString orgcode, QString wgtcode, QString username)
{
    // The form has no labels for these three texts: they are kept as they
    // would be shown, for hosts that read them back through StatusValues().
    if (KxPosConfig::GetValue(QStringLiteral("TRADE_ShowOrgPosType"), QStringLiteral("0")) == QLatin1String("2"))
        orgcode = KxPosConfig::sOrgName + orgcode;
    statusValues = QStringList{orgcode, KxPosTranslator::GetTranslation(1247) + QLatin1Char('-') + wgtcode, username};
}

void TradeWidget::SetOfflineStatus(bool offline)
{
    ui->lblOffline->setText(offline ? KxPosTranslator::GetTranslation(6285) : QString());
}

void TradeWidget::SetPrintStatus(bool ready)
{
    ui->lblPrintStatus->setText(KxPosTranslator::GetTranslation(ready ? 2379 : 2380));
}

void TradeWidget::WifiConnectChanged(bool connected)
{
    if (KxPosConfig::GetValue(QStringLiteral("SYSTEM_IsCheckNetwork"), QStringLiteral("0")) != QLatin1String("1"))
        return;
    ui->lblNetwork->setText(KxPosTranslator::GetTranslation(connected ? 5977 : 5978));
}

void TradeWidget::UpdateWaitInfo(bool done)
{
    ui->lblWaitInfo->setText(done ? QString() : KxPosTranslator::GetTranslation(2365));
}

void TradeWidget::ShowGrpSaleText()
{
    const int caption = saleModeCaption(saleModeFlag1, saleModeFlag2, groupSaleMode);
    if (caption == 0) {
        ui->stackedWidgetCx->setCurrentIndex(0);
    } else {
        ui->stackedWidgetCx->setCurrentIndex(1);
        ui->lblGrpText->setText(KxPosTranslator::GetTranslation(caption));
    }
    UpdateProduBackground();
}

// --- Notices and exits ------------------------------------------------------------------

void TradeWidget::ShowToBeginMessage()
{
    ShowNotice(2347);
}

void TradeWidget::ShowChange(double amount)
{
    SlotResizeChangeWidget();
    changeWidget->showMessage(KxWidget::formatNumber(amount, 2), 0);
}

void TradeWidget::changeMsgNotice(int)
{
    // The notice count is shown by the host's own notice centre.
}

void TradeWidget::SetMsgNotice(int count, const QString& text)
{
    msgNoticeCount = qMax(0, count);
    msgNoticeText = text;
    ShowMsgNoticeCaption();
    ui->msgnotice->setVisible(msgNoticeCount > 0);
}

void TradeWidget::ShowMsgNoticeCaption()
{
    if (msgNoticeCount <= 0)
        return;
    const QString what = msgNoticeText.isEmpty() ? KxPosTranslator::GetTranslation(7010) : msgNoticeText;
    const QString caption = QStringLiteral("%1 (%2)").arg(what).arg(msgNoticeCount);
    // As wide as its caption where the bill row has the room; where it has
    // not (the preset keys beside a small screen) the caption wraps or is
    // elided, whole in the tooltip, and the row keeps its width.
    ui->msgnotice->ensurePolished();
    const int least = KxPosConfig::GetAutoWidth(72, 48);
    const int needed = ui->msgnotice->fontMetrics().horizontalAdvance(caption) + KxPosConfig::GetAutoWidth(32, 20);
    ui->msgnotice->setMinimumWidth(least);
    ui->msgnotice->setMaximumWidth(qMax(least, needed));
    ui->msgnotice->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    CaptionFit::SetCaption(ui->msgnotice, caption);
}

void TradeWidget::on_msgnotice_clicked()
{
    emit SignShowAllNotice();
}

void TradeWidget::SlotChgClosed(int p_iKeyValue, QString p_sKeyText)
{
    // The popup was the active window: the keyboard comes back to the sales
    // screen, so that the rest of a scan lands in the entry line.
    activateWindow();
    if (p_iKeyValue < 58) {
        SlotTrdKeyPress(p_sKeyText, 0);
    } else if (p_iKeyValue == Qt::Key_Return || p_iKeyValue == Qt::Key_Enter) {
        on_btnOK_released();
    } else {
        emit SignTrdKeyPressed(QStringLiteral("trade"), p_iKeyValue);
    }
}

void TradeWidget::on_btnDeskTop_clicked()
{
    ReturntoDesktop();
}

void TradeWidget::ReturntoDesktop()
{
    if (funcEditMode) {
        ShowNotice(5970);
        return;
    }
    if (!ui->dockWidget->isHidden())
        ui->dockWidget->hide();
    if (screenType == 1)
        InitWidget(0);
    emit SignTrdReturnToDesktop(this);
}

void TradeWidget::on_btnReturn_clicked()
{
    emit SignTrdReturnToDesktop(this);
}
