#pragma once
// Row delegate of a coupon's product list: name with price and quantity and
// the chosen package contents (column 0), quantity or weigh button (column
// 1), price (column 2) and amount (column 3). A release in column 1 of a
// weighed product asks for its weight; a release in column 3 of a package
// product asks for its details.

#include "kxpostradeui_export.h"

#include <QStyledItemDelegate>

class KXPOSTRADEUI_EXPORT CouponPluTableItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    // A delegate for the product table of CouponPluTableModel.
    explicit CouponPluTableItemDelegate(QObject* parent = nullptr);
    ~CouponPluTableItemDelegate() override;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // Grows with the number of package content lines.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // Size of the weigh button.
    static QSize WeighButtonSize();

signals:
    // The weigh button of the weighed product at `index` was released.
    void SignButtonWeightClicked(const QModelIndex& index);
    // The details of the package product at `index` were asked for.
    void SignButtonDetailClicked(const QModelIndex& index);

protected:
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;
};
