// Line tables of the online-order panel: the lines of the shown order
// (tbvOnline) and the lines being picked (tbvDown) with the picked total.

#include "trade/TradeWidget.h"
#include "ui_TradeWidget.h"

#include "trade/StandardDelegate.h"

#include "contracts/AccessibleNames.h"
#include "contracts/KxPosConfig.h"
#include "contracts/KxPosTranslator.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>

namespace {
constexpr int OnlineColumns = 7;
constexpr int PickColumns = 4;
// Row height of the picked lines while the panel is not picking, for the
// 1024 x 768 design.
constexpr int PlainPickRowHeight = 60;

int styleValue(const char* name)
{
    return KxPosConfig::styleMap.value(QLatin1String(name)).toInt();
}

void setRowTexts(QStandardItemModel* model, int row, const QStringList& texts)
{
    for (int c = 0; c < texts.size() && c < model->columnCount(); ++c)
        model->setItem(row, c, new QStandardItem(texts.at(c)));
}

QString number6(double value)
{
    return QString::number(value, 'g', 6);
}

// The quantity a line shows outside picking: once picked, what was picked
// (the weight of a weighed line), so that an order waiting for its customer
// shows the goods that are packed for them; before that, what was ordered.
QString shownQuantity(const PluDetail& line)
{
    if (line.needsWeighing == QLatin1String("1")) {
        if (line.weighDone == QLatin1String("1"))
            return number6(line.weight) + QStringLiteral("kg");
    } else if (line.pickQty > 0.0) {
        return number6(line.pickQty);
    }
    return number6(line.orderQty);
}

} // namespace

void TradeWidget::InitTableUI()
{
    InitOrderSize();
    if (onlineModel)
        return; // the tables are built once; their rows change on refresh

    QTableView* orders = ui->tbvOrder;
    orders->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    orders->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    orders->horizontalScrollBar()->setEnabled(false);
    orders->setEditTriggers(QAbstractItemView::NoEditTriggers);
    orders->setSelectionBehavior(QAbstractItemView::SelectRows);
    orders->setSelectionMode(QAbstractItemView::SingleSelection);
    orders->horizontalHeader()->hide();
    orders->verticalHeader()->hide();
    orders->setShowGrid(false);
    orders->horizontalHeader()->setStretchLastSection(true);

    QTableView* online = ui->tbvOnline;
    onlineModel = new QStandardItemModel(0, OnlineColumns, this);
    online->setModel(onlineModel);
    online->setShowGrid(false);
    online->setEditTriggers(QAbstractItemView::NoEditTriggers);
    online->verticalHeader()->hide();
    online->setSelectionBehavior(QAbstractItemView::SelectRows);
    online->setSelectionMode(QAbstractItemView::SingleSelection);
    online->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    online->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int widths[OnlineColumns] = {90, 304, 110, 0, 0, 151, 0};
    for (int c = 0; c < OnlineColumns; ++c)
        online->setColumnWidth(c, KxPosConfig::GetAutoWidth(widths[c], widths[c] * 1024 / 1920));
    online->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    KxWidget::SetTableHeader(onlineModel, {0, 1453, 5012, 0, 0, 5057});
    onlineModel->setHeaderData(1, Qt::Horizontal, int(Qt::AlignLeft | Qt::AlignVCenter), Qt::TextAlignmentRole);
    onlineModel->setHeaderData(5, Qt::Horizontal, int(Qt::AlignRight | Qt::AlignVCenter), Qt::TextAlignmentRole);
    online->setColumnHidden(3, true);
    online->setColumnHidden(4, true);
    online->setColumnHidden(6, true);

    QTableView* picking = ui->tbvDown;
    pickModel = new QStandardItemModel(0, PickColumns, this);
    picking->setModel(pickModel);
    picking->setShowGrid(false);
    picking->setEditTriggers(QAbstractItemView::NoEditTriggers);
    picking->verticalHeader()->hide();
    picking->setSelectionBehavior(QAbstractItemView::SelectRows);
    picking->setSelectionMode(QAbstractItemView::SingleSelection);
    picking->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    picking->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    picking->setColumnHidden(3, true);
    KxWidget::SetTableHeader(pickModel, {0, 5058, 2361});
    InstallOrderDelegates();
    // The number column holds the remove picture, the quantity column the
    // minus and plus pictures around the quantity.
    const int picture = pickDelegate ? pickDelegate->PictureSize() : 40;
    QHeaderView* pickHeader = picking->horizontalHeader();
    pickHeader->setSectionResizeMode(QHeaderView::Fixed);
    pickHeader->setSectionResizeMode(1, QHeaderView::Stretch);
    picking->setColumnWidth(0, qMax(picture + KxPosConfig::GetAutoWidth(30, 16), KxPosConfig::GetAutoWidth(90, 56)));
    picking->setColumnWidth(2, qMax(picture * 3 + KxPosConfig::GetAutoWidth(40, 24), KxPosConfig::GetAutoWidth(230, 150)));

    {
        const QSignalBlocker blocker(ui->boxOrderSort);
        ui->boxOrderSort->clear();
        ui->boxOrderSort->addItems({KxPosTranslator::GetTranslation(1164), KxPosTranslator::GetTranslation(1165),
                                    KxPosTranslator::GetTranslation(1166)});
        ui->boxOrderSort->setCurrentIndex(0);
    }
    // Only the cashier's choice reloads the list, not a refill of the texts.
    connect(ui->boxOrderSort, &QComboBox::textActivated, this, [this](const QString& text) {
        SlotComboBoxIndexChanged(text);
    });

    // Operation buttons start with the captions of a new order.
    SetOperCaptions(1110, 1113);
    ui->lblPickAmount->setText(QStringLiteral("0.00"));

    // Texts of the panel that depend on its state follow the language.
    connect(KxPosTranslator::Instance(), &KxPosTranslator::LanguageChanged, this,
            &TradeWidget::RetranslateOrderPanel);
}

void TradeWidget::RefreshTableViewOn()
{
    if (!onlineModel)
        return;
    onlineModel->removeRows(0, onlineModel->rowCount());
    const int rowHeight = styleValue("$OnTable_Height");
    const int packHeight = styleValue("$pack_height");
    for (int i = 0; i < shownLines.size(); ++i) {
        const PluDetail& line = shownLines.at(i);
        QString name = line.pluName;
        for (const auto& sub : line.subItems)
            name += QStringLiteral("\r\n--") + sub.first.left(9) + QStringLiteral("×") + number6(sub.second);
        onlineModel->insertRow(i);
        setRowTexts(onlineModel, i,
                    {QString::number(i + 1), name, shownQuantity(line), line.lineKey,
                     QString::number(line.salePrice, 'f', 2) + QLatin1Char('/') + line.unitText,
                     QString::number(line.lineAmount, 'f', 2), QString::number(line.subItems.size())});
        const int height = rowHeight + line.subItems.size() * packHeight;
        if (height > 0)
            ui->tbvOnline->setRowHeight(i, height);
    }
    if (tbvOnlineRow >= onlineModel->rowCount())
        tbvOnlineRow = -1;
}

void TradeWidget::RefreshTableViewDown(bool keepRow)
{
    if (!pickModel)
        return;
    pickModel->removeRows(0, pickModel->rowCount());
    // "2": the lines of a pick-up cannot be removed; the delegate then draws
    // no remove picture.
    const QString modeText =
        KxPosConfig::GetValue(QStringLiteral("ORDER_SaleToverMode"), QStringLiteral("0")) == QLatin1String("2")
            ? QStringLiteral("0")
            : QString();
    double total = 0.0;
    if (operMode != 1) {
        SetPickDelegateState(false, {}, modeText);
        const int rowHeight = KxWidget::calcHeight(PlainPickRowHeight, 768);
        for (int i = 0; i < pickLines.size(); ++i) {
            const PluDetail& line = pickLines.at(i);
            pickModel->insertRow(i);
            setRowTexts(pickModel, i, {QString::number(i + 1), line.pluName, shownQuantity(line), line.needsWeighing});
            ui->tbvDown->setRowHeight(i, rowHeight);
            total += line.lineAmount;
        }
    } else {
        const bool matchWeight =
            KxPosConfig::GetValue(QStringLiteral("ORDER_IsMatchWeight"), QStringLiteral("0")) == QLatin1String("1");
        const int rowHeight = styleValue("$DownTable_Height");
        QMap<int, QString> weighRows;
        for (int i = 0; i < pickLines.size(); ++i) {
            PluDetail line = pickLines.at(i);
            weighRows.insert(i, line.needsWeighing);
            QString quantity;
            const bool weighed = line.needsWeighing == QLatin1String("1");
            if (weighed && line.weighDone != QLatin1String("1")) {
                if (matchWeight && line.orderWeight >= 0.001) {
                    line.weight = line.orderWeight;
                    line.weighDone = QStringLiteral("1");
                    quantity = number6(line.orderWeight) + QStringLiteral("kg");
                } else {
                    line.weight = 0.0;
                    quantity = KxPosTranslator::GetTranslation(1106);
                }
            } else if (weighed) {
                quantity = number6(line.weight) + QStringLiteral("kg");
            } else {
                quantity = number6(line.pickQty);
            }
            const double factor = weighed ? line.weight : line.pickQty;
            line.lineAmount = line.salePrice * factor;
            line.secondAmount = line.secondPrice * factor;
            total += line.lineAmount;
            pickLines[i] = line;

            pickModel->insertRow(i);
            setRowTexts(pickModel, i, {QString::number(i + 1), line.pluName, quantity, line.needsWeighing});
            if (rowHeight > 0)
                ui->tbvDown->setRowHeight(i, rowHeight);
        }
        SetPickDelegateState(true, weighRows, modeText);
    }
    pickedAmount = total;
    ui->lblPickAmount->setText(QString::number(total, 'f', 2));

    // A line just added becomes the current one; otherwise the current line
    // stays where it was while it still exists.
    const int rows = pickModel->rowCount();
    if (keepRow && rows > 0)
        lineRow = rows - 1;
    if (lineRow >= 0 && lineRow < rows)
        ui->tbvDown->selectRow(lineRow);
}
