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

    bool DeductMode() const { return m_deductMode; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // Where an area of the row at `index` lies when the row occupies
    // `rowRect`; an empty rectangle when the row has no such area in its
    // state and mode.
    QRect ItemAreaRect(ItemArea area, const QRect& rowRect, const QModelIndex& index) const;

signals:
    void SignCheckCoupon(const QModelIndex& index, bool checked);
    void SignButtonMinusClicked(const QModelIndex& index);
    void SignButtonPlusClicked(const QModelIndex& index);
    void SignButtonUnuseClicked(const QModelIndex& index);
    void SignButtonRefreshClicked(const QModelIndex& index);
    void SignButtonRemoveClicked(const QModelIndex& index);

protected:
    // Mouse button releases only: the tick strip inverts `checked` of a
    // coupon that is neither added nor used; in deduction mode the minus,
    // plus and action buttons emit their signals.
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

private:
    bool m_deductMode;
};
