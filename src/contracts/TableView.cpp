#include "contracts/TableView.h"

#include "contracts/TableModel.h"
#include "contracts/UiTool.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTableView>

namespace {
// A column header that remembers its size hint. QHeaderView measures every
// section's caption again for its hint after any section was resized; the
// table asks for it on each layout (every added row, every scroll to the
// end), although only the captions, the font, the style and which sections
// show change what it is.
class ColumnHeader : public QHeaderView
{
public:
    explicit ColumnHeader(QWidget* parent)
        : QHeaderView(Qt::Horizontal, parent)
    {
    }

    QSize sizeHint() const override
    {
        const QVector<bool> hidden = hiddenSections();
        if (!m_hint.isValid() || hidden != m_hidden || count() != m_count) {
            m_hint = QHeaderView::sizeHint();
            m_hidden = hidden;
            m_count = count();
        }
        return m_hint;
    }

    void setModel(QAbstractItemModel* model) override
    {
        if (this->model())
            disconnect(this->model(), nullptr, this, nullptr);
        QHeaderView::setModel(model);
        m_hint = QSize();
        if (!model)
            return;
        auto forget = [this] { m_hint = QSize(); };
        connect(model, &QAbstractItemModel::headerDataChanged, this, forget);
        connect(model, &QAbstractItemModel::modelReset, this, forget);
        connect(model, &QAbstractItemModel::layoutChanged, this, forget);
    }

protected:
    bool event(QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::FontChange:
        case QEvent::StyleChange:
        case QEvent::LanguageChange:
        case QEvent::Polish:
            m_hint = QSize();
            break;
        default:
            break;
        }
        return QHeaderView::event(e);
    }

private:
    QVector<bool> hiddenSections() const
    {
        QVector<bool> hidden(count());
        for (int i = 0; i < hidden.size(); ++i)
            hidden[i] = isSectionHidden(i);
        return hidden;
    }

    mutable QSize m_hint;
    mutable QVector<bool> m_hidden;
    mutable int m_count = -1;
};
} // namespace

TableView::TableView(QWidget* parent)
    : QObject(parent)
    , m_view(new QTableView(parent))
    , m_model(new TableModel(this))
{
    setObjectName(QStringLiteral("TableView"));
    m_view->setObjectName(QStringLiteral("kxTableView"));
    m_view->setHorizontalHeader(new ColumnHeader(m_view));
    m_view->setModel(m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setShowGrid(false);
    m_view->setWordWrap(true);
    m_view->verticalHeader()->setVisible(false);
    m_view->horizontalHeader()->setHighlightSections(false);
    m_view->horizontalHeader()->setStretchLastSection(true);
    m_view->setFocusPolicy(Qt::NoFocus); // the screen's entry line keeps the keyboard
    m_view->installEventFilter(this);

    connect(m_view, &QTableView::clicked, this, &TableView::onViewClicked);
    connect(m_view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current, const QModelIndex&) {
                emit currentRowChanged(current.isValid() ? current.row() : -1);
            });
}

TableView::~TableView()
{
    // The view may already be gone with the widget it was placed in.
    delete m_view.data();
}

QTableView* TableView::view() const
{
    return m_view.data();
}

TableModel* TableView::model() const
{
    return m_model;
}

QItemSelectionModel* TableView::selectionModel() const
{
    return m_view ? m_view->selectionModel() : nullptr;
}

void TableView::iniHeadData(const QVector<TransMsgId>& headers, bool showHeader, int rowHeight)
{
    m_model->setHeaderIds(headers);
    if (m_view)
        m_view->horizontalHeader()->setVisible(showHeader);
    if (rowHeight > 0)
        setRowHeight(rowHeight);
}

void TableView::retranslateHeaders()
{
    m_model->retranslateHeaders();
}

void TableView::InsertRow(QStringList texts)
{
    m_model->appendRow(texts);
    // A new row has the header's default height, which is the standard one
    // unless the view was given another.
    const int row = m_model->rowCount() - 1;
    if (m_view && m_rowHeight > 0 && m_view->rowHeight(row) != m_rowHeight) {
        m_view->setRowHeight(row, m_rowHeight);
        m_rowsUniform = false; // the default height is another one
    }
    emit RowAdded();
}

void TableView::InsertRows(const QList<QStringList>& rows)
{
    if (rows.isEmpty())
        return;
    const int first = m_model->rowCount();
    m_model->appendRows(rows);
    if (m_view && m_rowHeight > 0) {
        for (int row = first; row < m_model->rowCount(); ++row) {
            if (m_view->rowHeight(row) != m_rowHeight) {
                m_view->setRowHeight(row, m_rowHeight);
                m_rowsUniform = false;
            }
        }
    }
    emit RowAdded();
}

void TableView::RemoveRow(int row)
{
    m_model->removeRow(row);
}

void TableView::RemoveRows(int first, int count)
{
    if (first < 0 || count <= 0 || first >= m_model->rowCount())
        return;
    m_model->removeRows(first, qMin(count, m_model->rowCount() - first));
}

void TableView::RemoveAllRows()
{
    m_model->clear();
}

int TableView::rowCount() const
{
    return m_model->rowCount();
}

void TableView::SetGridStyle(int row, const QColor& colour)
{
    m_model->setRowBackground(row, colour);
}

void TableView::ClearGridStyle(int first, int last)
{
    m_model->clearRowBackground(first, last);
}

int TableView::currentRow() const
{
    if (!m_view)
        return -1;
    const QModelIndex current = m_view->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void TableView::selectRow(int row)
{
    if (!m_view || row < 0 || row >= m_model->rowCount())
        return;
    m_view->selectionModel()->setCurrentIndex(
        m_model->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void TableView::scrollTo(int row)
{
    if (!m_view || row < 0 || row >= m_model->rowCount())
        return;
    // QTableView ignores cells of hidden columns; aim at the first visible one.
    int column = 0;
    while (column < m_model->columnCount() - 1 && m_view->isColumnHidden(column))
        ++column;
    m_view->scrollTo(m_model->index(row, column));
}

void TableView::scrollToBottom()
{
    if (m_view)
        m_view->scrollToBottom();
}

void TableView::scrollToTop()
{
    if (m_view)
        m_view->scrollToTop();
}

void TableView::setRowHeight(int height)
{
    if (height <= 0)
        return;
    m_rowHeight = height;
    if (!m_view)
        return;
    m_view->verticalHeader()->setDefaultSectionSize(height);
    applyRowHeights();
}

void TableView::setRowHeight(int row, int height)
{
    if (m_view && row >= 0 && row < m_model->rowCount() && height >= 0) {
        m_view->setRowHeight(row, height);
        if (height != m_rowHeight)
            m_rowsUniform = false;
    }
}

void TableView::applyRowHeights()
{
    if (!m_view || m_rowHeight <= 0)
        return;
    // New rows take the header's default height; while no row was given
    // another, there is nothing to walk through (a long sale costs nothing).
    if (m_rowsUniform && m_view->verticalHeader()->defaultSectionSize() == m_rowHeight)
        return;
    for (int row = 0; row < m_model->rowCount(); ++row) {
        if (m_view->isRowHidden(row) || m_view->rowHeight(row) != m_rowHeight)
            m_view->setRowHeight(row, m_rowHeight);
    }
    m_rowsUniform = true;
}

void TableView::setColumnWidth(int column, int width)
{
    if (m_view && column >= 0 && width >= 0)
        m_view->setColumnWidth(column, width);
}

void TableView::setColumnWidths(const QVector<int>& widths)
{
    for (int column = 0; column < widths.size(); ++column)
        setColumnWidth(column, widths.at(column));
}

void TableView::setColumnHidden(int column, bool hidden)
{
    if (m_view && column >= 0)
        m_view->setColumnHidden(column, hidden);
}

void TableView::setHeaderHeight(int height)
{
    if (m_view && height > 0)
        m_view->horizontalHeader()->setFixedHeight(height);
}

void TableView::setColumnAlignment(int column, Qt::Alignment alignment)
{
    m_model->setColumnAlignment(column, alignment);
}

void TableView::setAddMinusColumns(int addColumn, int minusColumn)
{
    m_addColumn = addColumn;
    m_minusColumn = minusColumn;
}

void TableView::setShowType(const QString& showType)
{
    UiTool::UpdateWidgetStyle(m_view, "showType", showType);
}

void TableView::onViewClicked(const QModelIndex& index)
{
    emit clicked(index);
    if (!index.isValid())
        return;
    if (index.column() == m_addColumn)
        emit SignAddOne(index);
    else if (index.column() == m_minusColumn)
        emit SignMinusOne(index);
}

bool TableView::eventFilter(QObject* watched, QEvent* event)
{
    // The type first: while the view is being destroyed it still sends events
    // here, and reading m_view then would cast a half-destroyed object.
    if (event->type() == QEvent::KeyPress && watched == m_view) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QModelIndex current = m_view->currentIndex();
        if (current.isValid() && (key->key() == Qt::Key_Plus || key->key() == Qt::Key_Minus)) {
            if (key->key() == Qt::Key_Plus)
                emit SignAddOne(current);
            else
                emit SignMinusOne(current);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
