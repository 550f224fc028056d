#include "contracts/KxWidget.h"

#include "contracts/KxPosConfig.h"
#include "contracts/TableModel.h"
#include "contracts/WindowPlacement.h"

#include <QAbstractItemModel>
#include <QCloseEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QHideEvent>
#include <QShowEvent>
#include <QTableView>
#include <QTableWidget>

#include <cmath>

KxWidget::KxWidget(QWidget* parent)
    : QWidget(parent)
{
    connect(KxPosTranslator::Instance(), &KxPosTranslator::LanguageChanged, this,
            &KxWidget::onLanguageChanged);
}

KxWidget::~KxWidget() = default;

void KxWidget::Retranslate() {}

void KxWidget::UpdateTranslation() {}

void KxWidget::show()
{
    QWidget::show();
}

void KxWidget::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
}

void KxWidget::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (event->spontaneous() || !isWindow())
        return;
    // A screen without a parent is placed by its host; one shown over a
    // parent screen is centred over it.
    if (QWidget* owner = WindowPlacement::OwnerWindow(this))
        WindowPlacement::PlaceOnShow(this, owner);
    WindowPlacement::BringToFront(this);
    WindowPlacement::GuardModalFocus();
}

void KxWidget::MakeSecondaryWindow()
{
    setWindowFlag(Qt::Window, true);
    if (parentWidget())
        setWindowModality(Qt::WindowModal);
}

void KxWidget::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous() && isWindow())
        WindowPlacement::HandBackFocus(this);
}

void KxWidget::onLanguageChanged(const QString& language)
{
    Q_UNUSED(language)
    Retranslate();
    UpdateTranslation();
}

static int scaleLength(int length, int appLength, int design)
{
    if (design <= 0 || appLength <= 0)
        return length;
    return static_cast<int>(std::lround(static_cast<double>(length) * appLength / design));
}

int KxWidget::calcWidth(int length, int designWidth)
{
    return scaleLength(length, KxPosConfig::iAppWidth, designWidth);
}

int KxWidget::calcHeight(int length, int designHeight)
{
    return scaleLength(length, KxPosConfig::iAppHeight, designHeight);
}

int KxWidget::DesignHeight()
{
    const int height = KxPosConfig::iAppHeight;
    if (height <= 0)
        return 768; // the form's own design size until the host sets the screen size
    if (height <= 600)
        return 600;
    if (height <= 768)
        return 768;
    return 1080;
}

int KxWidget::GetPageCount(int itemCount, int columns, int rows, int reserved)
{
    if (itemCount <= 0)
        return 1;
    // 64-bit so that absurd grid sizes cannot overflow.
    qint64 perPage = static_cast<qint64>(qMax(columns, 0)) * qMax(rows, 0) - qMax(reserved, 0);
    if (perPage < 1)
        perPage = 1;
    return static_cast<int>((itemCount + perPage - 1) / perPage);
}

QString KxWidget::formatNumber(double value, int decimals)
{
    QString text = QString::number(value, 'f', qMax(decimals, 0));
    // A tiny negative value must not show as "-0.00".
    if (text.startsWith(QLatin1Char('-'))) {
        bool allZero = true;
        for (int i = 1; i < text.size() && allZero; ++i)
            allZero = text.at(i) == QLatin1Char('0') || text.at(i) == QLatin1Char('.');
        if (allZero)
            text.remove(0, 1);
    }
    return text;
}

static QString headerText(TransMsgId id)
{
    return id > 0 ? KxPosTranslator::GetTranslation(id) : QString();
}

void KxWidget::SetTableHeader(QAbstractItemModel* model, const QVector<TransMsgId>& ids)
{
    if (!model)
        return;
    if (auto* table = qobject_cast<TableModel*>(model)) {
        table->setHeaderIds(ids); // keeps the ids so the model can retranslate
        return;
    }
    if (model->columnCount() < ids.size())
        model->insertColumns(model->columnCount(), ids.size() - model->columnCount());
    for (int i = 0; i < ids.size(); ++i)
        model->setHeaderData(i, Qt::Horizontal, headerText(ids.at(i)), Qt::DisplayRole);
}

void KxWidget::SetTableHeader(QTableWidget* table, const QVector<TransMsgId>& ids)
{
    if (!table)
        return;
    if (table->columnCount() < ids.size())
        table->setColumnCount(ids.size());
    for (int i = 0; i < ids.size(); ++i) {
        QTableWidgetItem* item = table->horizontalHeaderItem(i);
        if (!item) {
            item = new QTableWidgetItem;
            table->setHorizontalHeaderItem(i, item);
        }
        item->setText(headerText(ids.at(i)));
    }
}

// Rows that fit the viewport from `first` on (at least 1).
static int rowsPerPage(const QTableView* view, int first)
{
    const int rows = view->model()->rowCount();
    const int available = view->viewport()->height();
    int used = 0;
    int count = 0;
    for (int row = first; row < rows; ++row) {
        if (view->isRowHidden(row))
            continue;
        used += view->rowHeight(row);
        if (used > available)
            break;
        ++count;
    }
    if (count == 0) {
        // Past the end: estimate from the first row's height.
        const int height = rows > 0 ? qMax(view->rowHeight(qMin(first, rows - 1)), 1) : 1;
        count = available / height;
    }
    return qMax(count, 1);
}

static void gotoRow(QTableView* view, int row)
{
    // A view does not scroll to a cell of a hidden column; aim at the first
    // visible one (tables often hide their key column).
    int column = 0;
    const int columns = view->model()->columnCount();
    while (column < columns - 1 && view->isColumnHidden(column))
        ++column;
    const QModelIndex index = view->model()->index(row, column);
    if (!index.isValid())
        return;
    if (QItemSelectionModel* selection = view->selectionModel())
        selection->setCurrentIndex(index,
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    view->scrollTo(index, QAbstractItemView::PositionAtTop);
}

void KxWidget::TableViewPrePage(QTableView* view)
{
    if (!view || !view->model() || view->model()->rowCount() == 0)
        return;
    const int top = qMax(view->rowAt(0), 0);
    // The page above ends just before the current top row.
    int target = top;
    int used = 0;
    const int available = view->viewport()->height();
    while (target > 0) {
        const int height = view->isRowHidden(target - 1) ? 0 : view->rowHeight(target - 1);
        if (used + height > available && used > 0)
            break;
        used += height;
        --target;
    }
    if (target == top)
        target = qMax(top - 1, 0);
    gotoRow(view, target);
}

void KxWidget::TableViewNextPage(QTableView* view)
{
    if (!view || !view->model() || view->model()->rowCount() == 0)
        return;
    const int rows = view->model()->rowCount();
    const int top = qMax(view->rowAt(0), 0);
    const int target = qMin(top + rowsPerPage(view, top), rows - 1);
    gotoRow(view, target);
}
