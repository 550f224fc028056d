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
    // Roles of data() and setData().
    enum Role {
        RecordRole = Qt::UserRole, // 256: the whole KxPosPluDetail (data)
        SaleQtyRole = 257,         // double
        ScaleValueRole = 258       // double
    };

    // An empty product list with its translated headers.
    explicit CouponPluTableModel(QObject* parent = nullptr);
    ~CouponPluTableModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    // The row's whole KxPosPluDetail for RecordRole; an invalid QVariant
    // otherwise.
    QVariant data(const QModelIndex& index, int role) const override;
    // Qt::EditRole takes a whole KxPosPluDetail; SaleQtyRole and
    // ScaleValueRole a double. Every write to an index of the model returns
    // true and emits dataChanged for it.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Replaces the products (a model reset).
    void SetPluList(const QList<KxPosPluDetail>& list);
    // The products in row order, with quantities and weights as written.
    const QList<KxPosPluDetail>& PluList() const { return m_products; }
    // Removes every product (a model reset).
    void Clear();
    // Reads the header texts again from the translator.
    void RetranslateHeaders();

private:
    bool isValidIndex(const QModelIndex& index) const;
    QList<KxPosPluDetail> m_products;
    QStringList m_headers;
};
