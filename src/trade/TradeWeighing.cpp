// Weighing panel: shows what the host's scale reports, computes the amount of
// a weighed line and turns zero and tare actions into requests for the host.

#include "trade/TradeWidget.h"
#include "ui_TradeWidget.h"

#include "contracts/AccessibleNames.h"
#include "contracts/CaptionFit.h"
#include "contracts/KxPosConfig.h"
#include "contracts/KxPosJson.h"
#include "contracts/KxPosTranslator.h"

#include <QButtonGroup>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLayout>
#include <QPushButton>

namespace {
double roundedTo3(double value)
{
    return QString::number(value, 'f', 3).toDouble();
}

// The lamps follow the scale, not the cashier's clicks.
void setLamp(QAbstractButton* lamp, bool on)
{
    lamp->setProperty("lampOn", on);
    lamp->setChecked(on);
}

void restoreLamp(QAbstractButton* lamp)
{
    lamp->setChecked(lamp->property("lampOn").toBool());
}
} // namespace

void TradeWidget::InitWeightWidget()
{
    // Hosts whose scale driver runs in another thread queue the tare state.
    qRegisterMetaType<TareUpdateType>("TareUpdateType");
    InitTareButtons();
    if (QLayout* layout = ui->widgetWeighBtn->layout())
        layout->setSpacing(KxPosConfig::GetAutoWidth(10, 4));
    const QSize buttonSize = KxPosConfig::GetAutoSize(100, 60, 50, 44);
    for (QPushButton* b : {ui->btnZero, ui->btnClearTare, ui->btnCutTare})
        b->setFixedSize(buttonSize);
    ui->widgetWeighBtn->setFixedWidth(KxPosConfig::GetAutoWidth(320, 158));
    connect(ui->btnZero, &QPushButton::clicked, this, &TradeWidget::SlotBtnZeroCliecked);
    connect(ui->btnClearTare, &QPushButton::clicked, this, &TradeWidget::SlotBtnClearTareClicked);
    connect(ui->btnCutTare, &QPushButton::clicked, this, &TradeWidget::SlotBtnCutTareClicked);
}

void TradeWidget::InitTareButtons()
{
    tareGroup = new QButtonGroup(this);
    tareGroup->setExclusive(true);
    connect(tareGroup, SIGNAL(buttonClicked(QAbstractButton*)), this, SLOT(SlotTareButtonClicked(QAbstractButton*)));

    const QString options = KxPosConfig::GetValue(QStringLiteral("TRADE_TareOptions"), QString());
    QJsonParseError error{};
    const QJsonDocument doc = KxPosJson::Parse(options.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isArray())
        return;
    QLayout* layout = ui->widgetTare->layout();
    if (!layout)
        return;
    layout->setSpacing(KxPosConfig::GetAutoWidth(10, 4));
    const QSize size = KxPosConfig::GetAutoSize(80, 60, 50, 44);
    for (const QJsonValue& element : doc.array()) {
        if (!element.isObject())
            continue;
        auto* button = new QPushButton(ui->widgetTare);
        button->setObjectName(QStringLiteral("buttonTare"));
        button->setCheckable(true);
        button->setChecked(false);
        button->setFocusPolicy(Qt::NoFocus);
        button->setFixedSize(size);
        // Written as text by convention; a bare JSON number is taken as well.
        button->setText(element.toObject().value(QStringLiteral("weight")).toVariant().toString());
        tareGroup->addButton(button);
        layout->addWidget(button);
        AccessibleNames::NameByCaption(button);
    }
}

void TradeWidget::SlotShowProdWeight(double weight, double tareweight, bool stable, bool tareSet, bool atZero,
                                     int status)
{
    setLamp(ui->btnStable, stable);
    setLamp(ui->btnSetZero, atZero);
    setLamp(ui->btnCutP, tareSet);

    ui->lblWeightP->setText(QString::number(tareweight, 'f', 3));
    ui->lblWeight->setText(QString::number(weight, 'f', 3));

    const int row = CurrentSaleRow();
    if (row >= 0) {
        if (IsWeightUnit(SaleCell(row, 11)))
            ui->lalMoney->setText(QString::number(SaleCell(row, 5).toDouble() * weight, 'f', 2));
    } else {
        ui->lalMoney->setText(QStringLiteral("0.00"));
    }
    updateMoney();

    if (status == -1)
        ui->lblWeight->setText(KxPosTranslator::GetTranslation(1731));
    else if (status == -2)
        ui->lblWeight->setText(KxPosTranslator::GetTranslation(1732));

    if (!stable) {
        currentWeight = 0.0;
    } else {
        currentWeight = roundedTo3(weight);
        if (tareSet)
            SetTareButtonEnable(false);
    }
    if (tareweight <= 0)
        SetTareButtonEnable(true);
}

void TradeWidget::SlotGetWeight()
{
    emit SignSetPludWeight(currentWeight);
}

QString TradeWidget::GetlblWeightContent()
{
    return ui->lblWeight->text();
}

// --- Zero ------------------------------------------------------------------------

void TradeWidget::SlotBtnZeroCliecked()
{
    if (KxPosConfig::GetValue(QStringLiteral("WEIGHT_ZeroAndClearTare"), QStringLiteral("0")) == QLatin1String("1"))
        SlotBtnClearTareClicked();
    emit SignSendZero(ui->lblWeight->text(), true);
}

void TradeWidget::WeightZero()
{
    SlotBtnZeroCliecked();
}

void TradeWidget::on_btnSetZero_clicked()
{
    restoreLamp(ui->btnSetZero);
    SendZero();
}

void TradeWidget::SendZero()
{
    emit SignSendZero(ui->lblWeight->text(), true);
}

// --- Tare ------------------------------------------------------------------------

void TradeWidget::on_btnCutP_clicked()
{
    restoreLamp(ui->btnCutP);
    SendTare();
}

void TradeWidget::SendTare()
{
    emit SignSendTare(QStringLiteral("去皮"), true);
}

void TradeWidget::SlotBtnCutTareClicked()
{
    bool ok = false;
    const double weight = ui->lblWeight->text().toDouble(&ok);
    if (!ok || weight <= 0) {
        ShowNotice(1724);
        return;
    }
    if (!selectedTare) {
        // The key's whole caption (not a wrapped or shortened one) tells the
        // host which tare key was pressed.
        emit SignSendTare(CaptionFit::Caption(ui->btnCutTare), false);
        return;
    }
    SetTareButtonEnable(false);
    emit SignUpdateWeighWidget(TareTaken, true);
}

void TradeWidget::SlotBtnClearTareClicked()
{
    const bool presetChosen = selectedTare != nullptr;
    // Clearing the tare frees every tare key, however the tare was taken (a
    // preset tare taken with the tare key left them disabled).
    SetTareButtonEnable(true);
    ui->btnCutTare->setEnabled(true);
    if (!presetChosen) {
        emit SignSendTare(CaptionFit::Caption(ui->btnClearTare), false);
        return;
    }
    emit SignUpdateWeighWidget(TareCleared, true);
}

void TradeWidget::SlotTareButtonClicked(QAbstractButton* button)
{
    if (!button)
        return;
    if (GetPresetTare() <= 0) {
        // Undo the press: the previous choice stays.
        QAbstractButton* previous = selectedTare == button ? nullptr : selectedTare;
        DeselectPreTare(button);
        SelectPreTare(previous);
        ShowNotice(1723);
        return;
    }
    if (button == selectedTare) {
        DeselectPreTare(button);
        emit SignUpdateWeighWidget(PresetTareReleased, button->text());
    } else {
        SelectPreTare(button);
        emit SignUpdateWeighWidget(PresetTareSelected, button->text());
    }
}

void TradeWidget::SlotUpdateWeightData(TareUpdateType type, QVariant data)
{
    switch (type) {
    case PresetTareSelected:
        SelectPreTare(GetButtonByWeight(data.toString()));
        break;
    case PresetTareReleased:
        if (QAbstractButton* b = GetButtonByWeight(data.toString()))
            DeselectPreTare(b);
        SetTareButtonEnable(true);
        ui->btnCutTare->setEnabled(true);
        break;
    case TareCleared:
        SetTareButtonEnable(true);
        ui->btnCutTare->setEnabled(true);
        break;
    default:
        break;
    }
}

// --- Preset helpers ----------------------------------------------------------------

void TradeWidget::SelectPreTare(QAbstractButton* button)
{
    if (!button)
        return;
    tareGroup->setExclusive(false);
    for (QAbstractButton* b : tareGroup->buttons())
        b->setChecked(b == button);
    tareGroup->setExclusive(true);
    selectedTare = button;
    ui->btnCutTare->setEnabled(false);
}

void TradeWidget::DeselectPreTare(QAbstractButton* button)
{
    tareGroup->setExclusive(false);
    if (button)
        button->setChecked(false);
    tareGroup->setExclusive(true);
    selectedTare = nullptr;
    ui->btnCutTare->setEnabled(true);
}

void TradeWidget::SetTareButtonEnable(bool on)
{
    selectedTare = nullptr;
    tareGroup->setExclusive(false);
    for (QAbstractButton* b : tareGroup->buttons()) {
        b->setEnabled(on);
        b->setChecked(false);
        b->setCheckable(on);
    }
    tareGroup->setExclusive(true);
}

double TradeWidget::GetPresetTare()
{
    for (QAbstractButton* b : tareGroup->buttons()) {
        if (b->isChecked()) {
            bool ok = false;
            const double tare = b->text().toDouble(&ok);
            return ok ? tare : 0.0;
        }
    }
    return 0.0;
}

bool TradeWidget::UsePresetTare()
{
    for (QAbstractButton* b : tareGroup->buttons()) {
        if (b->isChecked())
            return true;
    }
    return false;
}

QAbstractButton* TradeWidget::GetButtonByWeight(const QString& weight) const
{
    for (QAbstractButton* b : tareGroup->buttons()) {
        if (b->text() == weight)
            return b;
    }
    return nullptr;
}
