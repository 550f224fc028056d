#pragma once
// The coupon list of the coupon screen: one row per coupon code searched.
//
// data() hands out the whole record for Qt::UserRole; setData() changes one
// part of a row by role (see Role) and reports every write as a change of
// that row.

#include "kxpostradeui_export.h"

#include "coupon/CouponWidgetInfo.h"

#include <QAbstractListModel>
#include <QList>

class KXPOSTRADEUI_EXPORT CouponListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    // Roles of data() and setData().
    enum Role {
        RecordRole = Qt::UserRole,   // 256: the whole CouponWidgetInfo (data)
        ConfirmedRole = 257,         // bool
        StatusRole = 258,            // int, the row's own state
        ChildStatusRole = 259,       // list (child couponId, int state)
        AddedRole = 260,             // bool
        UseCountRole = 261,          // int
        CheckedRole = 262            // bool
    };

    // An empty list.
    explicit CouponListModel(QObject* parent = nullptr);
    ~CouponListModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    // The row's whole CouponWidgetInfo for RecordRole; an invalid QVariant for
    // any other role or a row outside the list.
    QVariant data(const QModelIndex& index, int role) const override;
    // Qt::EditRole takes a whole CouponWidgetInfo; the other roles above set
    // one field. Any write to a row in the list returns true and emits
    // dataChanged for the row, a role without an effect included.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // Appends `info` as the last row.
    void AppendCoupon(const CouponWidgetInfo& info);
    // Replaces every row (a model reset).
    void SetCouponList(const QList<CouponWidgetInfo>& list);
    // False for a row outside the list.
    bool RemoveCoupon(int row);
    // Removes every row (a model reset).
    void Clear();
    // The record of `row`, or a default record for a row outside the list.
    CouponWidgetInfo GetCoupon(int row) const;
    // Every row's record, in row order.
    const QList<CouponWidgetInfo>& Coupons() const { return m_coupons; }

private:
    bool isValidRow(const QModelIndex& index) const;

    QList<CouponWidgetInfo> m_coupons;
};
