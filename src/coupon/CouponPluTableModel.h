#pragma once
// The products a coupon delivers (KxPosPluDetail), four columns: product,
// quantity, price, amount. data() hands out the whole record for
// Qt::UserRole; setData() replaces a record or sets its quantity or scale
// value.

#include "kxpostradeui_export.h"

#include "contracts/KxPosModel.h"

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

class KXPOSTRADEUI_EXPORT CouponPluTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Role {
        RecordRole = Qt::UserRole, // 256: the whole KxPosPluDetail (data)
        SaleQtyRole = 257,         // double
        ScaleValueRole = 258       // double
    };

    explicit CouponPluTableModel(QObject* parent = nullptr);
    ~CouponPluTableModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // Qt::EditRole takes a whole KxPosPluDetail; SaleQtyRole and
    // ScaleValueRole a double. Every write to an index of the model returns
    // true and emits dataChanged for it.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    void SetPluList(const QList<KxPosPluDetail>& list);
    const QList<KxPosPluDetail>& PluList() const { return m_products; }
    void Clear();
    void RetranslateHeaders();

private:
    bool isValidIndex(const QModelIndex& index) const;
    QList<KxPosPluDetail> m_products;
    QStringList m_headers;
};
