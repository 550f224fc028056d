#include "coupon/CouponItemDelegate.h"

#include "coupon/CouponItemPainter_p.h"
#include "coupon/CouponListModel.h"
#include "coupon/CouponWidgetInfo.h"
#include "contracts/QtCompat_p.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
CouponWidgetInfo couponOf(const QModelIndex& index)
{
    return index.data(CouponListModel::RecordRole).value<CouponWidgetInfo>();
}
} // namespace

CouponItemDelegate::CouponItemDelegate(bool deductMode, QObject* parent)
    : QStyledItemDelegate(parent)
    , m_deductMode(deductMode)
{
    CouponWidgetInfo::RegisterMetaTypes();
}

CouponItemDelegate::~CouponItemDelegate() = default;

void CouponItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    if (!index.isValid())
        return;
    const CouponItemPainter rowPainter(couponOf(index), option.rect, m_deductMode);
    rowPainter.paint(painter, option.font, option.state.testFlag(QStyle::State_Selected));
}

QSize CouponItemDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const
{
    return CouponItemPainter::RowSize();
}

QRect CouponItemDelegate::ItemAreaRect(ItemArea area, const QRect& rowRect, const QModelIndex& index) const
{
    const CouponItemPainter rowPainter(couponOf(index), rowRect, m_deductMode);
    switch (area) {
    case TickArea: return rowPainter.tickRect();
    case MinusArea: return rowPainter.minusRect();
    case PlusArea: return rowPainter.plusRect();
    case ActionArea: return rowPainter.actionRect();
    }
    return QRect();
}

bool CouponItemDelegate::editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                                     const QModelIndex& index)
{
    if (!event || event->type() != QEvent::MouseButtonRelease || !model || !index.isValid())
        return QStyledItemDelegate::editorEvent(event, model, option, index);

    const auto* mouse = static_cast<QMouseEvent*>(event);
    CouponWidgetInfo coupon = couponOf(index);
    const CouponItemPainter rowPainter(coupon, option.rect, m_deductMode);
    const CouponItemPainter::Area area = rowPainter.hitTest(KxPosQt::position(mouse));

    if (area == CouponItemPainter::TickArea) {
        // A coupon handed over or used stays ticked: its use is under way.
        if (!coupon.added && coupon.status != CouponBaseInfo::StatusUsed) {
            coupon.checked = !coupon.checked;
            model->setData(index, QVariant::fromValue(coupon), Qt::EditRole);
        }
        return true;
    }
    if (!m_deductMode)
        return QStyledItemDelegate::editorEvent(event, model, option, index);

    switch (area) {
    case CouponItemPainter::MinusArea:
        emit SignButtonMinusClicked(index);
        return true;
    case CouponItemPainter::PlusArea:
        emit SignButtonPlusClicked(index);
        return true;
    case CouponItemPainter::ActionArea:
        switch (coupon.status) {
        case CouponBaseInfo::StatusUsed: emit SignButtonUnuseClicked(index); break;
        case CouponBaseInfo::StatusInDoubt: emit SignButtonRefreshClicked(index); break;
        case CouponBaseInfo::StatusUnused: emit SignButtonRemoveClicked(index); break;
        default: break;
        }
        return true;
    default:
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    }
}
