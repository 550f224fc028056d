#include "deposit/DepositPluTableDelegate.h"

#include <QPainter>
#include <QPen>

DepositPluTableDelegate::DepositPluTableDelegate(QObject* parent)
    : DepositPluTableDelegate(0, 3, parent)
{
}

DepositPluTableDelegate::DepositPluTableDelegate(int firstColumn, int lastColumn, QObject* parent)
    : QItemDelegate(parent)
    , m_firstColumn(firstColumn)
    , m_lastColumn(lastColumn)
{
}

DepositPluTableDelegate::~DepositPluTableDelegate() = default;

void DepositPluTableDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const
{
    if (!(option.state & QStyle::State_Selected)) {
        QItemDelegate::paint(painter, option, index);
        return;
    }
    paintOutlined(painter, option, index);
}

void DepositPluTableDelegate::paintOutlined(QPainter* painter, const QStyleOptionViewItem& option,
                                            const QModelIndex& index) const
{
    if (!painter)
        return;
    const QRect cell = option.rect;
    painter->save();
    painter->fillRect(cell, FillColor());
    painter->setPen(QPen(LineColor(), 1, Qt::SolidLine));
    painter->drawLine(cell.topLeft(), cell.topRight());
    painter->drawLine(cell.bottomLeft(), cell.bottomRight());
    if (index.column() == m_firstColumn)
        painter->drawLine(cell.topLeft(), cell.bottomLeft());
    if (index.column() == m_lastColumn)
        painter->drawLine(cell.topRight(), cell.bottomRight());
    painter->restore();

    // The text in the normal text colour over the fill, centred.
    QStyleOptionViewItem textOption = setOptions(index, option);
    textOption.state &= ~QStyle::State_Selected;
    textOption.displayAlignment = Qt::AlignCenter;
    drawDisplay(painter, textOption, cell, index.data(Qt::DisplayRole).toString());
}
