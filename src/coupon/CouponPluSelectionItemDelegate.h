#pragma once
// Row delegate of the coupon product choice: a round mark that is filled
// when the product is chosen (column 0), the product's name above its code
// (column 1) and the quantity granted (column 2).

#include "kxpostradeui_export.h"

#include <QStyledItemDelegate>

class KXPOSTRADEUI_EXPORT CouponPluSelectionItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    // A delegate for the product choice of CouponPluSelectionModel.
    explicit CouponPluSelectionItemDelegate(QObject* parent = nullptr);
    ~CouponPluSelectionItemDelegate() override;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // A fixed row height.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
