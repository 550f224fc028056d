#include "coupon/CouponListModel.h"

#include <QVariantList>

CouponListModel::CouponListModel(QObject* parent)
    : QAbstractListModel(parent)
{
    CouponWidgetInfo::RegisterMetaTypes();
}

CouponListModel::~CouponListModel() = default;

int CouponListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_coupons.size();
}

bool CouponListModel::isValidRow(const QModelIndex& index) const
{
    return index.isValid() && index.model() == this && index.row() >= 0 && index.row() < m_coupons.size()
        && index.column() == 0;
}

QVariant CouponListModel::data(const QModelIndex& index, int role) const
{
    if (!isValidRow(index) || role != RecordRole)
        return QVariant();
    return QVariant::fromValue(m_coupons.at(index.row()));
}

bool CouponListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!isValidRow(index))
        return false;
    CouponWidgetInfo& coupon = m_coupons[index.row()];
    switch (role) {
    case Qt::EditRole:
        if (value.canConvert<CouponWidgetInfo>())
            coupon = value.value<CouponWidgetInfo>();
        break;
    case ConfirmedRole:
        coupon.confirmed = value.toBool();
        break;
    case StatusRole:
        coupon.status = static_cast<CouponWidgetInfo::CouponStatus>(value.toInt());
        break;
    case ChildStatusRole: {
        const QVariantList pair = value.toList();
        if (pair.size() >= 2) {
            const QString childId = pair.at(0).toString();
            for (CouponBaseInfo& child : coupon.childCoupons) {
                if (child.couponId == childId) {
                    child.status = static_cast<CouponWidgetInfo::CouponStatus>(pair.at(1).toInt());
                    break;
                }
            }
        }
        break;
    }
    case AddedRole:
        coupon.added = value.toBool();
        break;
    case UseCountRole:
        coupon.useCount = value.toInt();
        break;
    case CheckedRole:
        coupon.checked = value.toBool();
        break;
    default:
        break;
    }
    emit dataChanged(index, index);
    return true;
}

void CouponListModel::AppendCoupon(const CouponWidgetInfo& info)
{
    const int row = m_coupons.size();
    beginInsertRows(QModelIndex(), row, row);
    m_coupons.append(info);
    endInsertRows();
}

void CouponListModel::SetCouponList(const QList<CouponWidgetInfo>& list)
{
    beginResetModel();
    m_coupons = list;
    endResetModel();
}

bool CouponListModel::RemoveCoupon(int row)
{
    if (row < 0 || row >= m_coupons.size())
        return false;
    beginRemoveRows(QModelIndex(), row, row);
    m_coupons.removeAt(row);
    endRemoveRows();
    return true;
}

void CouponListModel::Clear()
{
    beginResetModel();
    m_coupons.clear();
    endResetModel();
}

CouponWidgetInfo CouponListModel::GetCoupon(int row) const
{
    return m_coupons.value(row);
}
