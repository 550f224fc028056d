#pragma once
// Row delegate of the coupon list: paints a coupon with its tick box, name,
// number, channel and face value, the use-count buttons (deduction mode) and
// the action button of its state, and turns releases on those areas into
// signals.

#include "kxpostradeui_export.h"

#include <QRect>
#include <QStyledItemDelegate>

class KXPOSTRADEUI_EXPORT CouponItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    // The click areas of a row.
    enum ItemArea { TickArea, MinusArea, PlusArea, ActionArea };

    // `deductMode`: the screen's mode (true: deduction, false: exchange).
    explicit CouponItemDelegate(bool deductMode, QObject* parent = nullptr);
    ~CouponItemDelegate() override;

    // The mode given at construction.
    bool DeductMode() const { return m_deductMode; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

signals:
    // Not emitted: a tap on the tick strip writes `checked` straight into the
    // model. Kept for hosts that connect it.
    void SignCheckCoupon(const QModelIndex& index, bool checked);
    // Deduction mode: the minus button of the row at `index` (use one coupon
    // less).
    void SignButtonMinusClicked(const QModelIndex& index);
    // Deduction mode: the plus button of the row at `index` (use one coupon
    // more).
    void SignButtonPlusClicked(const QModelIndex& index);
    // Deduction mode: the action button of a used coupon (cancel its use).
    void SignButtonUnuseClicked(const QModelIndex& index);
    // Deduction mode: the action button of a coupon in doubt (ask for its
    // state).
    void SignButtonRefreshClicked(const QModelIndex& index);
    // Deduction mode: the action button of an unused coupon (remove it from the
    // list).
    void SignButtonRemoveClicked(const QModelIndex& index);

protected:
    // Mouse button releases only: the tick strip inverts `checked` of a
    // coupon that is neither added nor used; in deduction mode the minus,
    // plus and action buttons emit their signals.
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

private:
    // Tests read state that hosts are not offered through this class.
    friend class KxPosTestAccess;

    // Where an area of the row at `index` lies when the row occupies
    // `rowRect`; an empty rectangle when the row has no such area in its
    // state and mode.
    QRect ItemAreaRect(ItemArea area, const QRect& rowRect, const QModelIndex& index) const;

    bool m_deductMode;
};
