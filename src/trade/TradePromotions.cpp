// Promotion display: whole-bill promotions in the drop-down list, per-line
// promotion texts, the two-line suggestion, and the customer-display
// advertisement request.

#include "trade/TradeWidget.h"
#include "ui_TradeWidget.h"

#include "trade/SaleColumnFit_p.h"

#include "contracts/KxPosTranslator.h"
#include "contracts/TableModel.h"
#include "contracts/UiTool.h"

#include <QComboBox>
#include <QDebug>
#include <QTableView>

namespace {
const QString WholeBillKey = QStringLiteral("000000");
constexpr int ColPromotion = 14;
} // namespace

void TradeWidget::SetProText(QMap<QString, QList<KxPosProRemarkHelper>> promotionsByKey, QString)
{
    billPromotions = promotionsByKey.value(WholeBillKey);
    for (const KxPosProRemarkHelper& p : billPromotions)
        qDebug() << "TradeWidget::SetProText:" << p.proId << p.proRemark;
    SetProText();
}

void TradeWidget::SetProText()
{
    // Rebuilding the list must not look like a choice of the cashier.
    const QSignalBlocker blocker(ui->boxCxTitle);
    ui->boxCxTitle->clear();
    if (billPromotions.isEmpty()) {
        ui->boxCxTitle->hide();
        return;
    }
    ui->boxCxTitle->show();
    const int count = billPromotions.size();
    for (int i = 0; i < count; ++i) {
        ui->boxCxTitle->addItem(QString::number(i + 1) + QLatin1Char('/') + QString::number(count) + QLatin1Char(' ')
                                + billPromotions.at(i).proRemark);
    }
    // The main promotion stands out in the list without being chosen.
    if (proIndex >= 0 && proIndex < count) {
        QFont font = ui->boxCxTitle->font();
        font.setBold(true);
        ui->boxCxTitle->setItemData(proIndex, font, Qt::FontRole);
    }
    ui->boxCxTitle->setCurrentIndex(-1);
    ShowProPlaceholder();
}

void TradeWidget::ShowProPlaceholder()
{
    // Nothing is chosen in the list; without a placeholder it would show as
    // an empty box that gives no hint of the promotions behind it.
    ui->boxCxTitle->setPlaceholderText(KxPosTranslator::GetTranslation(7714)
                                       + QStringLiteral(" (%1)").arg(billPromotions.size()));
}

void TradeWidget::UpdateProShow()
{
    if (!billPromotions.isEmpty() && proIndex >= 0 && proIndex < billPromotions.size())
        SetProText();
}

void TradeWidget::setMainProInfo(QString proId)
{
    for (int i = 0; i < billPromotions.size(); ++i) {
        if (billPromotions.at(i).proId == proId) {
            proIndex = i;
            SetProText();
        }
    }
}

void TradeWidget::UpdatePluProInfo(const QHash<int, QString>& texts)
{
    TableModel* model = saleTable.model();
    if (!model)
        return;
    const int rows = model->rowCount();
    for (auto it = texts.cbegin(); it != texts.cend(); ++it) {
        if (it.key() < 0 || it.key() >= rows)
            continue;
        model->setData(it.key(), ColPromotion, it.value());
    }
    // The promotion column takes room only while some line has a text.
    bool any = false;
    for (int row = 0; row < rows && !any; ++row)
        any = !model->data(row, ColPromotion).isEmpty();
    saleTable.setColumnHidden(ColPromotion, !any);
    SaleColumnFit::Refit(saleTable.view());
}

void TradeWidget::SlotUpdateProSuggest(QString& sSuggestMsg)
{
    QLabel* label = ui->label_ProSuggest;
    const int width = label->contentsRect().width();
    const QFontMetrics metrics(label->font());
    QStringList lines;
    for (const QString& part : sSuggestMsg.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        lines += UiTool::GetFeedText(part, width + 1, metrics).split(QLatin1Char('\n'));
    QString shown = lines.mid(0, 2).join(QLatin1Char('\n'));
    if (lines.size() > 2)
        shown += QStringLiteral("...");
    label->setText(shown);
    label->setProperty("allText", sSuggestMsg);
}

void TradeWidget::SlotCusAdTimerTimeout()
{
    customerAdTimer.stop();
    if (isVisible())
        emit SignShowFullScreenAd(true);
}
