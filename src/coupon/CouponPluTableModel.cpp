#include "coupon/CouponPluTableModel.h"

#include "contracts/KxPosTranslator.h"

CouponPluTableModel::CouponPluTableModel(QObject* parent)
    : QAbstractTableModel(parent)
{
    KxPosModel::RegisterMetaTypes();
    RetranslateHeaders();
}

CouponPluTableModel::~CouponPluTableModel() = default;

bool CouponPluTableModel::isValidIndex(const QModelIndex& index) const
{
    // Bad indexes are refused quietly: hosts and views may pass stale ones.
    return index.isValid() && index.model() == this && index.row() < m_products.size()
        && index.column() < m_headers.size();
}

void CouponPluTableModel::RetranslateHeaders()
{
    m_headers = QStringList{KxPosTranslator::GetTranslation(1453), KxPosTranslator::GetTranslation(5012),
                 KxPosTranslator::GetTranslation(1420), KxPosTranslator::GetTranslation(1515)};
    emit headerDataChanged(Qt::Horizontal, 0, m_headers.size() - 1);
}

int CouponPluTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_products.size();
}

int CouponPluTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_headers.size();
}

QVariant CouponPluTableModel::data(const QModelIndex& index, int role) const
{
    if (!isValidIndex(index) || role != RecordRole)
        return QVariant();
    return QVariant::fromValue(m_products.at(index.row()));
}

bool CouponPluTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!isValidIndex(index))
        return false;
    KxPosPluDetail& product = m_products[index.row()];
    switch (role) {
    case Qt::EditRole:
        if (value.canConvert<KxPosPluDetail>())
            product = value.value<KxPosPluDetail>();
        break;
    case SaleQtyRole:
        product.saleQty = value.toDouble();
        break;
    case ScaleValueRole:
        product.scaleValue = value.toDouble();
        break;
    default:
        break;
    }
    // A product's quantity and amount show in cells of their own: the whole
    // row changed, or a weighing would leave the old amount painted.
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
    return true;
}

QVariant CouponPluTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_headers.size())
        return QVariant();
    if (role == Qt::DisplayRole)
        return m_headers.at(section);
    if (role == Qt::TextAlignmentRole) {
        const Qt::Alignment horizontal = section == 0 ? Qt::AlignLeft : section == 2 ? Qt::AlignRight : Qt::AlignHCenter;
        return int(horizontal | Qt::AlignVCenter);
    }
    return QVariant();
}

void CouponPluTableModel::SetPluList(const QList<KxPosPluDetail>& list)
{
    beginResetModel();
    m_products = list;
    endResetModel();
}

void CouponPluTableModel::Clear()
{
    SetPluList({});
}
