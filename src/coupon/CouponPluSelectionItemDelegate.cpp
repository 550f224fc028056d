#include "coupon/CouponPluSelectionItemDelegate.h"

#include "coupon/CouponPaintStyle_p.h"
#include "coupon/CouponPluSelectionModel.h"
#include "coupon/CouponWidgetInfo.h"

#include "contracts/KxPosConfig.h"

#include <QPainter>

CouponPluSelectionItemDelegate::CouponPluSelectionItemDelegate(QObject* parent)
    : QStyledItemDelegate(parent)
{
    CouponWidgetInfo::RegisterMetaTypes();
}

CouponPluSelectionItemDelegate::~CouponPluSelectionItemDelegate() = default;

QSize CouponPluSelectionItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const
{
    return QSize(option.rect.width(), KxPosConfig::GetAutoHeight(90, 60));
}

void CouponPluSelectionItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                           const QModelIndex& index) const
{
    if (!index.isValid())
        return;
    const auto entry = index.data(CouponPluSelectionModel::RecordRole).value<CouponWidgetInfo::CouponPluInfo>();
    const bool current = option.state.testFlag(QStyle::State_Selected);
    const QColor accent = CouponPaintStyle::Color("$color2", "#23BAFA");
    const QRect cell = option.rect;

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->fillRect(cell, current ? CouponPaintStyle::Color("$colorD", "#E6F6FE") : CouponPaintStyle::RowBackground());
    painter->setPen(CouponPaintStyle::Separator());
    painter->drawLine(cell.bottomLeft(), cell.bottomRight());

    const int pad = KxPosConfig::GetAutoWidth(16, 10);
    switch (index.column()) {
    case 0: {
        const int side = qMin(KxPosConfig::GetAutoWidth(34, 24), cell.height() - 4);
        const QRect mark(cell.left() + (cell.width() - side) / 2, cell.top() + (cell.height() - side) / 2, side, side);
        painter->setPen(QPen(entry.selected ? accent : CouponPaintStyle::SecondText(), 2));
        painter->setBrush(entry.selected ? accent : QColor(Qt::white));
        painter->drawEllipse(mark);
        if (entry.selected) {
            painter->setPen(Qt::NoPen);
            painter->setBrush(Qt::white);
            painter->drawEllipse(mark.adjusted(side / 3, side / 3, -side / 3, -side / 3));
        }
        break;
    }
    case 1: {
        const QRect text = cell.adjusted(pad, 0, -pad, 0);
        const QRect upper(text.left(), text.top(), text.width(), text.height() / 2);
        const QRect lower(text.left(), text.top() + text.height() / 2, text.width(), text.height() / 2);
        const QFont nameFont = CouponPaintStyle::Font(option.font, "$size3", 20, true);
        painter->setFont(nameFont);
        painter->setPen(current ? accent : CouponPaintStyle::MainText());
        painter->drawText(upper, Qt::AlignLeft | Qt::AlignBottom,
                          QFontMetrics(nameFont).elidedText(entry.pluName, Qt::ElideRight, upper.width()));
        painter->setFont(CouponPaintStyle::Font(option.font, "$size1", 16));
        painter->setPen(CouponPaintStyle::SecondText());
        painter->drawText(lower.adjusted(0, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop, entry.pluCode);
        break;
    }
    case 2:
        painter->setFont(CouponPaintStyle::Font(option.font, "$size3", 20));
        painter->setPen(current ? accent : CouponPaintStyle::MainText());
        painter->drawText(cell.adjusted(pad, 0, -pad, 0), Qt::AlignLeft | Qt::AlignVCenter,
                          QString::number(entry.quantity));
        break;
    default:
        break;
    }
    painter->restore();
}
