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

class Fitter : public QObject
{
public:
    Fitter(QTableView* view, const QHash<int, int>& widths, int nameColumn, const QSet<int>& wrapping,
           const QList<int>& droppable)
        : QObject(view)
        , m_view(view)
        , m_widths(widths)
        , m_nameColumn(nameColumn)
        , m_wrapping(wrapping)
        , m_droppable(droppable)
    {
        setObjectName(QLatin1String(FitterName));
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
    }

    void fit()
    {
        if (!m_view || m_fitting)
            return;
        m_fitting = true;
        // Columns dropped for want of room come back when there is room again.
        for (int column : qAsConst(m_dropped))
            m_view->setColumnHidden(column, false);
        m_dropped.clear();
        const int available = m_view->viewport()->width();
        // Where even the narrowest widths leave the name too little, the
        // columns the cashier can best do without leave, in their order.
        for (int column : qAsConst(m_droppable)) {
            if (available <= 0 || floorTotal() + nameNeeds(available) <= available)
                break;
            if (!m_view->isColumnHidden(column)) {
                m_view->setColumnHidden(column, true);
                m_dropped << column;
            }
        }
        QHash<int, int> widths;
        QHash<int, int> floors;
        int total = 0;
        for (auto it = m_widths.cbegin(); it != m_widths.cend(); ++it) {
            if (it.key() == m_nameColumn || m_view->isColumnHidden(it.key()))
                continue;
            // A column whose texts need more than its design width gets it.
            const int floor = neededWidth(it.key());
            const int width = std::max(it.value(), floor);
            widths.insert(it.key(), width);
            floors.insert(it.key(), floor);
            total += width;
        }
        const int excess = total + nameNeeds(available) - available;
        if (excess > 0 && available > 0) {
            int slack = 0;
            for (auto it = widths.cbegin(); it != widths.cend(); ++it)
                slack += it.value() - floors.value(it.key());
            const int taken = std::min(excess, slack);
            for (auto it = widths.begin(); it != widths.end(); ++it) {
                const int own = it.value() - floors.value(it.key());
                if (slack > 0)
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
    int nameNeeds(int available) const
    {
        return std::max(neededHeaderWidth(m_nameColumn), int(available * SaleColumnFit::NameShare));
    }

    // The narrowest the shown columns but the name can be.
    int floorTotal() const
    {
        int total = 0;
        for (auto it = m_widths.cbegin(); it != m_widths.cend(); ++it) {
            if (it.key() != m_nameColumn && !m_view->isColumnHidden(it.key()))
                total += neededWidth(it.key());
        }
        return total;
    }

    // The cell's padding of the style sheet ("QTableView::item", 6 px on
    // each side), the style's text margins and a little air.
    int cellPadding() const
    {
        return 2 * 6 + 2 * (m_view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_view) + 1) + 4;
    }
    // The header section's padding of the style sheet and a little air.
    static int headerPadding() { return 2 * 6 + 4; }

    int neededHeaderWidth(int column) const
    {
        const QAbstractItemModel* model = m_view->model();
        if (!model || column < 0 || column >= model->columnCount())
            return 0;
        const QString header = model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        const QFontMetrics metrics(m_view->horizontalHeader()->font());
        return metrics.horizontalAdvance(header) + headerPadding();
    }

    // What the header and the longest text of a column need to be read
    // whole; texts of a wrapping column may take two lines.
    int neededWidth(int column) const
    {
        int needed = neededHeaderWidth(column);
        const QAbstractItemModel* model = m_view->model();
        if (!model)
            return needed;
        const QFontMetrics metrics(m_view->font());
        const int lines = m_wrapping.contains(column) ? 2 : 1;
        for (int row = 0; row < model->rowCount(); ++row) {
            const QString text = model->index(row, column).data(Qt::DisplayRole).toString();
            for (const QString& line : text.split(QLatin1Char('\n')))
                needed = std::max(needed, (metrics.horizontalAdvance(line) + lines - 1) / lines + cellPadding());
        }
        return needed;
    }

    QPointer<QTableView> m_view;
    QHash<int, int> m_widths;
    int m_nameColumn;
    QSet<int> m_wrapping;
    QList<int> m_droppable;
    QList<int> m_dropped;
    bool m_fitting = false;
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
