// Sale-line table: rows built from the host's sale lines, navigation,
// quantity requests, the amount of the current line, the single-line
// discount and the idle advertisement trigger.

#include "trade/TradeWidget.h"
#include "ui_TradeWidget.h"

#include "trade/SaleColumnFit_p.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/TableModel.h"
#include "contracts/UiTool.h"

#include <QDebug>
#include <QHash>
#include <QTableView>

#include <cstring>

namespace {
constexpr int ColKey = 0;
constexpr int ColCode = 1;
constexpr int ColQuantity = 4;
constexpr int ColAmount = 8;
constexpr int ColUnit = 11;
const char* const TableCellFunction = "420102";

QString subItemsText(const KxPosPluDetail& line)
{
    if (line.pluType != QLatin1String("07") || line.subItems.isEmpty())
        return QString();
    QString text;
    for (const auto& item : line.subItems)
        text += item.first + QStringLiteral("×") + QString::number(item.second, 'f', 2) + QLatin1Char('@');
    text.chop(1);
    return text;
}

bool same(const QString& a, const QString& b)
{
    return a.isSharedWith(b) || a == b;
}

// What a row's texts are made of. The host hands the whole sale over after
// every scan; comparing these values (mostly shared strings, compared by
// pointer first) is far cheaper than formatting the row's numbers again.
struct RowSource
{
    explicit RowSource(const KxPosPluDetail& l)
        : lineNo(l.lineNo), decimals(l.quantityDecimals), code(l.pluCode), name(l.pluName), type(l.pluType),
          serial(l.isSerialLine), detail(l.detailText), tag(l.tagText), unit(l.unitName), remark(l.remarkText),
          quantity(l.saleQty), price(l.salePrice), amountA(l.amountA), amount(l.lineAmount), subItems(l.subItems)
    {
        if (serial == QLatin1String("1"))
            extValues = l.extValues;
    }
    bool matches(const KxPosPluDetail& l) const
    {
        return lineNo == l.lineNo && decimals == l.quantityDecimals && quantity == l.saleQty && price == l.salePrice
            && amountA == l.amountA && amount == l.lineAmount && same(code, l.pluCode) && same(name, l.pluName)
            && same(type, l.pluType) && same(serial, l.isSerialLine) && same(detail, l.detailText)
            && same(tag, l.tagText) && same(unit, l.unitName) && same(remark, l.remarkText)
            && (subItems.isSharedWith(l.subItems) || subItems == l.subItems)
            && (serial != QLatin1String("1") || extValues == l.extValues);
    }
    int lineNo;
    int decimals;
    QString code, name, type, serial, detail, tag, unit, remark;
    double quantity, price, amountA, amount;
    QList<QPair<QString, double>> subItems;
    QMap<QString, QString> extValues;
};

// The sources of the rows a rebind left in the table, kept beside the view.
// Any change of the table made elsewhere (a discount line, promotion texts,
// a cleared sale) makes them unreliable; the next rebind then compares the
// rows' texts instead.
class RowSources : public QObject
{
public:
    static constexpr const char* Name = "kxSaleRowSources";
    explicit RowSources(QObject* view, QAbstractItemModel* model)
        : QObject(view)
    {
        setObjectName(QLatin1String(Name));
        auto forget = [this] {
            if (!binding)
                valid = false;
        };
        connect(model, &QAbstractItemModel::rowsInserted, this, forget);
        connect(model, &QAbstractItemModel::rowsRemoved, this, forget);
        connect(model, &QAbstractItemModel::dataChanged, this, forget);
        connect(model, &QAbstractItemModel::modelReset, this, forget);
        connect(model, &QAbstractItemModel::layoutChanged, this, forget);
    }
    static RowSources* of(QTableView* view, QAbstractItemModel* model)
    {
        auto* found = static_cast<RowSources*>(
            view->findChild<QObject*>(QLatin1String(Name), Qt::FindDirectChildrenOnly));
        return found ? found : new RowSources(view, model);
    }
    QVector<RowSource> rows;
    bool valid = false;
    bool binding = false;
};

// Formatting a number costs more than all else a row needs; a sale shows the
// same prices, quantities and amounts over and over, so their texts are
// kept (bounded, so that a day of different figures does not pile up).
// `quantity`: the quantity form (KxWidget::formatNumber), else fixed places.
QString numberText(double value, int decimals, bool quantity = false)
{
    static QHash<QPair<quint64, int>, QString> texts;
    quint64 bits = 0;
    static_assert(sizeof(bits) == sizeof(value), "a double is 64 bits");
    std::memcpy(&bits, &value, sizeof(bits));
    const QPair<quint64, int> key(bits, decimals * 2 + (quantity ? 1 : 0));
    auto found = texts.constFind(key);
    if (found != texts.cend())
        return found.value();
    if (texts.size() >= 4096)
        texts.clear();
    const QString text = quantity ? KxWidget::formatNumber(value, decimals) : QString::number(value, 'f', decimals);
    texts.insert(key, text);
    return text;
}

QStringList saleRow(const KxPosPluDetail& line)
{
    QString name = line.pluName;
    if (line.isSerialLine == QLatin1String("1")) {
        name = line.extValues.value(QStringLiteral("SerialNo")) + QLatin1Char('/')
               + line.extValues.value(QStringLiteral("SeCode")) + QLatin1Char(' ') + line.pluName;
    }
    QStringList row;
    row.reserve(15);
    row << QString::number(line.lineNo) << line.pluCode << name << line.detailText
        << numberText(line.saleQty, line.quantityDecimals, true) << numberText(line.salePrice, 2)
        << QStringLiteral("0") << numberText(line.amountA, 2) << numberText(line.lineAmount, 2)
        << QStringLiteral("X") << line.tagText << line.unitName << subItemsText(line) << line.remarkText
        << QString();
    return row;
}
} // namespace

void TradeWidget::rebindModel(const QList<KxPosPluDetail>& lines, const QList<KxPosEmployeeDetail>& clerks)
{
    if (!saleTable.model()) {
        qDebug() << "TradeWidget::rebindModel: ProductTbl.m_model is null, skip rebind";
        return;
    }
    // The host hands over the whole sale after every change, mostly one line
    // more or one line changed: rows whose texts are unchanged stay, changed
    // rows get their new texts, and only the difference in length is added or
    // removed. The per-row follow-ups (row heights, the advertisement
    // request) run once at the end.
    rebinding = true;
    TableModel* model = saleTable.model();
    RowSources* sources = RowSources::of(saleTable.view(), model);
    if (!sources->valid || sources->rows.size() != model->rowCount())
        sources->rows.clear();
    sources->binding = true;
    QVector<RowSource>& known = sources->rows;
    if (known.size() > lines.size())
        known.erase(known.begin() + lines.size(), known.end());
    const int kept = qMin(model->rowCount(), lines.size());
    if (model->rowCount() > lines.size())
        saleTable.RemoveRows(lines.size(), model->rowCount() - lines.size());
    for (int row = 0; row < kept; ++row) {
        const KxPosPluDetail& line = lines.at(row);
        if (row < known.size() && known.at(row).matches(line))
            continue;
        model->setRowData(row, saleRow(line));
        if (row < known.size())
            known[row] = RowSource(line);
        else
            known.append(RowSource(line));
    }
    // A rebuilt sale shows no row marked by an earlier one.
    if (kept > 0)
        saleTable.ClearGridStyle(0, kept - 1);
    QList<QStringList> added;
    added.reserve(lines.size() - kept);
    for (int row = kept; row < lines.size(); ++row) {
        added.append(saleRow(lines.at(row)));
        known.append(RowSource(lines.at(row)));
    }
    saleTable.InsertRows(added);
    sources->valid = true;
    sources->binding = false;
    rebinding = false;
    if (!lines.isEmpty())
        SlotSetrowHeight();
    SlotTableDataChanged();
    // Longer codes or names may need other column widths.
    SaleColumnFit::Refit(saleTable.view());

    RefreshEmployeeButton(clerks);
    UpdateProduBackground();
}

int TradeWidget::CurrentSaleRow() const
{
    const int rows = SaleRowCount();
    if (rows == 0)
        return -1;
    return (currentRow >= 0 && currentRow < rows) ? currentRow : rows - 1;
}

// --- Navigation ----------------------------------------------------------------

void TradeWidget::previousRow()
{
    if (currentPageRow > 0)
        --currentPageRow;
    QTableView* view = saleTable.view();
    if (!view->hasFocus())
        view->setFocus();
    if (currentRow > 0) {
        --currentRow;
        saleTable.selectRow(currentRow);
    }
    if (currentRow >= 0)
        saleTable.scrollTo(currentRow);
}

void TradeWidget::nextRow()
{
    if (currentPageRow < rowsPerPage - 1)
        ++currentPageRow;
    QTableView* view = saleTable.view();
    if (!view->hasFocus())
        view->setFocus();
    if (currentRow < SaleRowCount() - 1) {
        ++currentRow;
        saleTable.selectRow(currentRow);
    }
    if (currentRow >= 0)
        saleTable.scrollTo(currentRow);
}

void TradeWidget::ScrollSpecifyRow(int row)
{
    if (row < 0 || row >= SaleRowCount())
        return;
    currentRow = row;
    saleTable.selectRow(row);
    saleTable.scrollTo(row);
}

void TradeWidget::on_btnPreRow_clicked()
{
    KxWidget::TableViewPrePage(saleTable.view());
}

void TradeWidget::on_btnNextRow_clicked()
{
    KxWidget::TableViewNextPage(saleTable.view());
}

void TradeWidget::CurrentRowChanged(const QModelIndex& current, const QModelIndex&)
{
    currentRow = current.isValid() ? current.row() : -1;
    updateMoney();
}

void TradeWidget::SlotSetrowHeight()
{
    if (rebinding)
        return;
    saleTable.setRowHeight(standardRowHeight); // applies it to every row
    const int rows = SaleRowCount();
    if (rows > 0) {
        currentRow = rows - 1;
        currentPageRow = qMin(rows, rowsPerPage) - 1;
        saleTable.selectRow(currentRow);
    }
    saleTable.scrollToBottom();
}

// --- Quantity requests ---------------------------------------------------------------

void TradeWidget::SlotAddOne(QModelIndex index)
{
    if (!index.isValid() || index.row() >= SaleRowCount())
        return;
    emit SignModifyNumb(SaleCell(index.row(), ColQuantity).toDouble() + 1);
}

void TradeWidget::SlotMinusOne(QModelIndex index)
{
    if (!index.isValid() || index.row() >= SaleRowCount())
        return;
    emit SignModifyNumb(SaleCell(index.row(), ColQuantity).toDouble() - 1);
}

void TradeWidget::SlotAdd()
{
    const int row = CurrentSaleRow();
    if (row >= 0)
        SlotAddOne(saleTable.model()->index(row, ColQuantity));
}

void TradeWidget::SlotMinus()
{
    const int row = CurrentSaleRow();
    if (row >= 0)
        SlotMinusOne(saleTable.model()->index(row, ColQuantity));
}

void TradeWidget::SlotTrdSubProduct()
{
    const int row = CurrentSaleRow();
    if (row >= 0)
        emit SignTrdSubProduct(row);
}

void TradeWidget::SlotTrdClearSaleList()
{
    emit SignTrdClearSaleList();
}

void TradeWidget::TableViewClicked(const QModelIndex& index)
{
    if (index.isValid() && index.column() == ColKey)
        emit SignTrdDynFunc(QString::fromLatin1(TableCellFunction));
}

// --- Amounts and background -----------------------------------------------------------

bool TradeWidget::IsWeightUnit(const QString& unit) const
{
    if (unit.isEmpty())
        return false;
    for (int id : {673, 2373, 672, 1610}) {
        if (unit == KxPosTranslator::GetTranslation(id))
            return true;
    }
    return false;
}

void TradeWidget::updateMoney()
{
    const int row = CurrentSaleRow();
    if (row < 0)
        return;
    const double amount = SaleCell(row, ColAmount).toDouble();
    if (!IsWeightUnit(SaleCell(row, ColUnit)))
        ui->lalMoney->setText(QString::number(amount, 'f', 2));
}

void TradeWidget::UpdateCouponDeductAmount(const QString& amount, const QVariant& caption)
{
    QString title = caption.toString();
    if (title.isEmpty())
        title = KxPosTranslator::GetTranslation(1548);
    if (MoneyUtils::LessOrEqualZero(amount.toDouble())) {
        ui->lableDeduct->setText(KxPosTranslator::GetTranslation(5056));
        ui->lableDeduct->hide();
        return;
    }
    ui->lableDeduct->setText(QStringLiteral("（%1：%2）").arg(title, amount));
    ui->lableDeduct->show();
}

void TradeWidget::UpdateProduBackground()
{
    QString state;
    if (testMode)
        state = QStringLiteral("test");
    else if (groupSaleMode)
        state = QStringLiteral("group");
    else if (exchangeSale)
        state = QStringLiteral("capexchange");
    else if (SaleRowCount() > 0)
        state = QStringLiteral("normal");
    else
        state = KxPosConfig::sLanguage == QLatin1String("zh_CN") ? QStringLiteral("nullplu")
                                                                 : QStringLiteral("nullpluEn");
    // Polishing the table again restyles every cell; it runs only when the
    // state changes, not on every rebind of a sale.
    if (saleTable.view()->property("showType").toString() == state)
        return;
    UiTool::UpdateWidgetStyle(saleTable.view(), "showType", state);
}

// --- Single-line discount ----------------------------------------------------------------

int TradeWidget::IsLastRowOver_favor()
{
    const int rows = SaleRowCount();
    if (rows == 0)
        return 1;
    if (SaleCell(rows - 1, ColCode) == QLatin1String("0"))
        return 2;
    return qAbs(SaleCell(rows - 1, ColQuantity).toDouble()) < 1e-9 ? 0 : 1;
}

void TradeWidget::SetDiscountLineMode(bool on)
{
    discountLineMode = on;
}

void TradeWidget::InputSingleFavor(QString type, bool full)
{
    double value = 100;
    if (!full) {
        const QString text = ui->txtcode->text().trimmed();
        bool ok = false;
        value = text.toDouble(&ok);
        if (text.isEmpty()) {
            ShowNotice(2342);
            return;
        }
        if (!ok) {
            ShowNotice(1500);
            return;
        }
        if (QString::number(value, 'f', 2) == QLatin1String("0.00")) {
            ShowNotice(2342);
            return;
        }
        if (discountMode == QLatin1String("1") && value > 100) {
            ShowNotice(2343);
            return;
        }
    }
    const int lastState = IsLastRowOver_favor();
    if (lastState == 0) {
        ShowNotice(1904);
        return;
    }
    discountMode = type;
    emit SignTradeCheckMaxValue(value, type);

    if (!discountLineMode) {
        initNextValue();
        return;
    }
    QString shown = QString::number(value, 'g', 6);
    if (discountMode != QLatin1String("0"))
        shown += QLatin1Char('%');
    QStringList row;
    row << QStringLiteral("-1");
    for (int c = 1; c <= 6; ++c)
        row << QStringLiteral("0");
    row << shown << QStringLiteral("0") << QStringLiteral("X") << QStringLiteral("0") << QStringLiteral("0")
        << QString() << QString() << QString();
    if (lastState == 2) {
        // The placeholder may already carry a quantity typed before the
        // product; the discount joins it instead of dropping it.
        const int last = SaleRowCount() - 1;
        const QString quantity = SaleCell(last, ColQuantity);
        if (!quantity.isEmpty())
            row[ColQuantity] = quantity;
        saleTable.RemoveRow(last);
        SlotSetrowHeight();
    }
    saleTable.InsertRow(row);
    UiTool::EmptyLine(ui->txtcode);
}

void TradeWidget::initNextValue()
{
    amountTyped = false;
}

// --- Idle advertisement ----------------------------------------------------------------

void TradeWidget::SlotTableDataChanged()
{
    if (rebinding)
        return;
    if (customerAdTimer.isActive())
        customerAdTimer.stop();
    if (SaleRowCount() > 0) {
        emit SignShowFullScreenAd(false);
        return;
    }
    bool ok = false;
    const int seconds = KxPosConfig::GetValue(QStringLiteral("DISPLAY_IdleTimeout"), QStringLiteral("0")).toInt(&ok);
    if (ok && seconds >= 1)
        customerAdTimer.start(seconds * 1000);
}
