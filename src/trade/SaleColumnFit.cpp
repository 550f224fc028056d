#include "trade/SaleColumnFit_p.h"

#include <QAbstractItemModel>
#include <QEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QPointer>
#include <QStyle>
#include <QTableView>

#include <algorithm>

namespace {

constexpr auto FitterName = "kxSaleColumnFit";
// Distinct texts whose widths are kept; past it the cache starts again, so
// that a long day of trading does not grow it without bound.
constexpr int TextCacheLimit = 4096;

// Fitting runs on every rebind of the sale, so the widths the cells' texts
// need are kept per row and column and measured only when a row is added
// or a cell changes; each distinct text is shaped once per font.
class Fitter : public QObject
{
public:
    Fitter(QTableView* view, const QHash<int, int>& widths, int nameColumn, const QSet<int>& wrapping,
           const QList<int>& droppable)
        : QObject(view)
        , m_view(view)
    {
        setObjectName(QLatin1String(FitterName));
        setWidths(widths, nameColumn, wrapping, droppable);
        view->viewport()->installEventFilter(this);
    }

    // The screen has just set which columns show: none is dropped by the
    // fitter any more.
    void setWidths(const QHash<int, int>& widths, int nameColumn, const QSet<int>& wrapping,
                   const QList<int>& droppable)
    {
        m_widths = widths;
        m_nameColumn = nameColumn;
        m_wrapping = wrapping;
        m_droppable = droppable;
        m_dropped.clear();
        m_columns = m_widths.keys();
        m_columns.removeAll(m_nameColumn);
        std::sort(m_columns.begin(), m_columns.end());
        forgetMeasured(); // measured again, with the new set of columns, on the next fit
    }

    void fit()
    {
        if (!m_view || m_fitting)
            return;
        m_fitting = true;
        watchModel();
        checkFont();
        if (m_measured.isEmpty() && !m_columns.isEmpty())
            measureAll();

        QHash<int, int> needed;
        for (int column : qAsConst(m_columns))
            needed.insert(column, neededWidth(column));
        const int available = m_view->viewport()->width();
        const int nameNeeds = std::max(headerWidth(m_nameColumn), int(available * SaleColumnFit::NameShare));

        // A column the screen hid stays hidden; those the fitter dropped for
        // want of room are candidates again.
        auto shownByScreen = [&](int column) { return !m_view->isColumnHidden(column) || m_dropped.contains(column); };
        // Where even the narrowest widths leave the name too little, the
        // columns the cashier can best do without leave, in their order.
        QList<int> drop;
        for (int column : qAsConst(m_droppable)) {
            int floorTotal = 0;
            for (int c : qAsConst(m_columns)) {
                if (shownByScreen(c) && !drop.contains(c))
                    floorTotal += needed.value(c);
            }
            if (available <= 0 || floorTotal + nameNeeds <= available)
                break;
            if (shownByScreen(column) && !drop.contains(column))
                drop << column;
        }
        // Only what changes is touched: hiding and showing a column lays the
        // header out again.
        for (int column : qAsConst(m_dropped)) {
            if (!drop.contains(column))
                m_view->setColumnHidden(column, false);
        }
        for (int column : qAsConst(drop)) {
            if (!m_view->isColumnHidden(column))
                m_view->setColumnHidden(column, true);
        }
        m_dropped = drop;

        QHash<int, int> widths;
        int total = 0;
        int slack = 0;
        for (int column : qAsConst(m_columns)) {
            if (m_view->isColumnHidden(column))
                continue;
            // A column whose texts need more than its design width gets it.
            const int width = std::max(m_widths.value(column), needed.value(column));
            widths.insert(column, width);
            total += width;
            slack += width - needed.value(column);
        }
        const int excess = total + nameNeeds - available;
        if (excess > 0 && available > 0 && slack > 0) {
            const int taken = std::min(excess, slack);
            for (auto it = widths.begin(); it != widths.end(); ++it) {
                const int own = it.value() - needed.value(it.key());
                it.value() -= int(qint64(own) * taken / slack);
            }
        }
        for (auto it = widths.cbegin(); it != widths.cend(); ++it)
            m_view->setColumnWidth(it.key(), it.value());

        m_fitting = false;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Resize && m_view && watched == m_view->viewport())
            fit();
        return QObject::eventFilter(watched, event);
    }

private:
    // Follows the model's changes so that only added or changed cells are
    // measured; a reset or a new model measures everything again.
    void watchModel()
    {
        QAbstractItemModel* model = m_view->model();
        if (model == m_model)
            return;
        if (m_model)
            disconnect(m_model, nullptr, this, nullptr);
        m_model = model;
        forgetMeasured();
        if (!model)
            return;
        connect(model, &QAbstractItemModel::rowsInserted, this, &Fitter::rowsInserted);
        connect(model, &QAbstractItemModel::rowsRemoved, this, &Fitter::rowsRemoved);
        connect(model, &QAbstractItemModel::dataChanged, this, &Fitter::dataChanged);
        connect(model, &QAbstractItemModel::headerDataChanged, this, [this] { m_headerWidths.clear(); });
        auto forget = [this] { forgetMeasured(); };
        connect(model, &QAbstractItemModel::modelReset, this, forget);
        connect(model, &QAbstractItemModel::layoutChanged, this, forget);
        connect(model, &QAbstractItemModel::columnsInserted, this, forget);
        connect(model, &QAbstractItemModel::columnsRemoved, this, forget);
        connect(model, &QAbstractItemModel::rowsMoved, this, forget);
    }

    // A new cell font (style sheet, language) makes every kept width stale.
    void checkFont()
    {
        const QFont cellFont = m_view->font();
        const QFont headerFont = m_view->horizontalHeader()->font();
        const int padding = cellPadding();
        if (cellFont == m_cellFont && headerFont == m_headerFont && padding == m_padding)
            return;
        m_cellFont = cellFont;
        m_headerFont = headerFont;
        m_padding = padding;
        m_textWidths.clear();
        m_headerWidths.clear();
        forgetMeasured();
    }

    void rowsInserted(const QModelIndex& parent, int first, int last)
    {
        if (parent.isValid() || m_measured.isEmpty())
            return;
        checkFont();
        if (m_measured.isEmpty())
            return;
        for (auto it = m_measured.begin(); it != m_measured.end(); ++it) {
            QVector<int>& cells = it.value();
            if (first > cells.size()) { // out of step with the model: measure anew
                forgetMeasured();
                return;
            }
            cells.insert(first, last - first + 1, 0);
            auto longest = m_longest.find(it.key());
            for (int row = first; row <= last; ++row) {
                cells[row] = cellWidth(row, it.key());
                if (longest != m_longest.end())
                    longest.value() = std::max(longest.value(), cells.at(row));
            }
        }
    }

    void rowsRemoved(const QModelIndex& parent, int first, int last)
    {
        if (parent.isValid())
            return;
        for (auto it = m_measured.begin(); it != m_measured.end(); ++it) {
            QVector<int>& cells = it.value();
            if (last >= cells.size()) {
                forgetMeasured();
                return;
            }
            // The longest stays known unless it was among the removed.
            auto longest = m_longest.find(it.key());
            for (int row = first; row <= last && longest != m_longest.end(); ++row) {
                if (cells.at(row) >= longest.value()) {
                    m_longest.erase(longest);
                    longest = m_longest.end();
                }
            }
            cells.remove(first, last - first + 1);
        }
    }

    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QVector<int>& roles)
    {
        if (m_measured.isEmpty() || topLeft.parent().isValid())
            return;
        if (!roles.isEmpty() && !roles.contains(Qt::DisplayRole))
            return;
        checkFont();
        for (auto it = m_measured.begin(); it != m_measured.end(); ++it) {
            if (it.key() < topLeft.column() || it.key() > bottomRight.column())
                continue;
            QVector<int>& cells = it.value();
            if (bottomRight.row() >= cells.size()) {
                forgetMeasured();
                return;
            }
            for (int row = topLeft.row(); row <= bottomRight.row(); ++row)
                cells[row] = cellWidth(row, it.key());
            m_longest.remove(it.key());
        }
    }

    void forgetMeasured()
    {
        m_measured.clear();
        m_longest.clear();
    }

    void measureAll()
    {
        forgetMeasured();
        const int rows = m_model ? m_model->rowCount() : 0;
        for (int column : qAsConst(m_columns)) {
            QVector<int> cells(rows);
            for (int row = 0; row < rows; ++row)
                cells[row] = cellWidth(row, column);
            m_measured.insert(column, cells);
        }
    }

    // The cell's padding of the style sheet ("QTableView::item", 6 px on
    // each side), the style's text margins and a little air.
    int cellPadding() const
    {
        return 2 * 6 + 2 * (m_view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_view) + 1) + 4;
    }
    // The header section's padding of the style sheet and a little air.
    static int headerPadding() { return 2 * 6 + 4; }

    int textWidth(const QString& text)
    {
        auto found = m_textWidths.constFind(text);
        if (found != m_textWidths.cend())
            return found.value();
        if (m_textWidths.size() >= TextCacheLimit)
            m_textWidths.clear();
        const int width = QFontMetrics(m_cellFont).horizontalAdvance(text);
        m_textWidths.insert(text, width);
        return width;
    }

    // What one cell's text needs to be read whole; texts of a wrapping
    // column may take two lines.
    int cellWidth(int row, int column)
    {
        const QString text = m_model->index(row, column).data(Qt::DisplayRole).toString();
        if (text.isEmpty())
            return 0;
        const int lines = m_wrapping.contains(column) ? 2 : 1;
        if (!text.contains(QLatin1Char('\n')))
            return (textWidth(text) + lines - 1) / lines + m_padding;
        int needed = 0;
        for (const QString& line : text.split(QLatin1Char('\n')))
            needed = std::max(needed, (textWidth(line) + lines - 1) / lines + m_padding);
        return needed;
    }

    int headerWidth(int column)
    {
        if (!m_model || column < 0 || column >= m_model->columnCount())
            return 0;
        auto found = m_headerWidths.constFind(column);
        if (found != m_headerWidths.cend())
            return found.value();
        const QString header = m_model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        const int width = QFontMetrics(m_headerFont).horizontalAdvance(header) + headerPadding();
        m_headerWidths.insert(column, width);
        return width;
    }

    // What the header and the longest text of a column need. The longest
    // is kept; it is looked for again only after a cell of the column was
    // removed or changed.
    int neededWidth(int column)
    {
        auto longest = m_longest.find(column);
        if (longest == m_longest.end()) {
            int widest = 0;
            for (int width : m_measured.value(column))
                widest = std::max(widest, width);
            longest = m_longest.insert(column, widest);
        }
        return std::max(headerWidth(column), longest.value());
    }

    QPointer<QTableView> m_view;
    QPointer<QAbstractItemModel> m_model;
    QHash<int, int> m_widths;
    QList<int> m_columns; // the fitted columns: all with a design width but the name
    int m_nameColumn = -1;
    QSet<int> m_wrapping;
    QList<int> m_droppable;
    QList<int> m_dropped;
    bool m_fitting = false;

    QFont m_cellFont;
    QFont m_headerFont;
    int m_padding = 0;
    QHash<QString, int> m_textWidths;      // advance of a line of text in the cell font
    QHash<int, int> m_headerWidths;        // column -> what its header needs
    QHash<int, QVector<int>> m_measured;   // column -> what each row's text needs
    QHash<int, int> m_longest;             // column -> the most of m_measured, while known
};

Fitter* fitterOf(QTableView* view)
{
    // The name is the fitter's own; no other child of the view carries it.
    QObject* found = view ? view->findChild<QObject*>(QLatin1String(FitterName), Qt::FindDirectChildrenOnly) : nullptr;
    return static_cast<Fitter*>(found);
}

} // namespace

namespace SaleColumnFit {

void Apply(QTableView* view, const QHash<int, int>& designWidths, int nameColumn, const QSet<int>& wrapping,
           const QList<int>& droppable)
{
    if (!view)
        return;
    Fitter* fitter = fitterOf(view);
    if (fitter)
        fitter->setWidths(designWidths, nameColumn, wrapping, droppable);
    else
        fitter = new Fitter(view, designWidths, nameColumn, wrapping, droppable);
    fitter->fit();
}

void Refit(QTableView* view)
{
    if (Fitter* fitter = fitterOf(view))
        fitter->fit();
}

} // namespace SaleColumnFit
