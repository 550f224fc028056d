#pragma once
// The product choice of an exchange coupon: the coupon's selectable products
// (CouponWidgetInfo::CouponPluInfo), three columns (mark, product, quantity).
// data() hands out the whole entry for Qt::UserRole; setData() with
// Qt::EditRole sets an entry's `selected` flag.

#include "kxpostradeui_export.h"

#include "coupon/CouponWidgetInfo.h"

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

class KXPOSTRADEUI_EXPORT CouponPluSelectionModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    // Role of data() that gives an entry's whole
    // CouponWidgetInfo::CouponPluInfo.
    static constexpr int RecordRole = Qt::UserRole;

    // An empty choice with its translated headers.
    explicit CouponPluSelectionModel(QObject* parent = nullptr);
    ~CouponPluSelectionModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    // The entry for RecordRole; an invalid QVariant otherwise.
    QVariant data(const QModelIndex& index, int role) const override;
    // Only Qt::EditRole on an index of the model: the bool value becomes the
    // entry's `selected` flag.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Replaces the entries (a model reset).
    void SetPluList(const QList<CouponWidgetInfo::CouponPluInfo>& list);
    // The entries with their `selected` flags as chosen.
    const QList<CouponWidgetInfo::CouponPluInfo>& PluList() const { return m_entries; }
    // Removes every entry (a model reset).
    void Clear();
    // Reads the header texts again from the translator.
    void RetranslateHeaders();

private:
    bool isValidIndex(const QModelIndex& index) const;
    QList<CouponWidgetInfo::CouponPluInfo> m_entries;
    QStringList m_headers;
};
