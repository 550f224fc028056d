#include "coupon/CouponPluSelectionModel.h"

#include "contracts/KxPosTranslator.h"

CouponPluSelectionModel::CouponPluSelectionModel(QObject* parent)
    : QAbstractTableModel(parent)
{
    CouponWidgetInfo::RegisterMetaTypes();
    RetranslateHeaders();
}

CouponPluSelectionModel::~CouponPluSelectionModel() = default;

bool CouponPluSelectionModel::isValidIndex(const QModelIndex& index) const
{
    // Bad indexes are refused quietly: hosts and views may pass stale ones.
    return index.isValid() && index.model() == this && index.row() < m_entries.size()
        && index.column() < m_headers.size();
}

void CouponPluSelectionModel::RetranslateHeaders()
{
    // The first column holds the selection mark and has no caption.
    m_headers = QStringList{QStringLiteral(" "), KxPosTranslator::GetTranslation(1453),
                            KxPosTranslator::GetTranslation(5012)};
    emit headerDataChanged(Qt::Horizontal, 0, m_headers.size() - 1);
}

int CouponPluSelectionModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_entries.size();
}

int CouponPluSelectionModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_headers.size();
}

QVariant CouponPluSelectionModel::data(const QModelIndex& index, int role) const
{
    if (!isValidIndex(index) || role != RecordRole)
        return QVariant();
    return QVariant::fromValue(m_entries.at(index.row()));
}

bool CouponPluSelectionModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !isValidIndex(index))
        return false;
    m_entries[index.row()].selected = value.toBool();
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
    return true;
}

QVariant CouponPluSelectionModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_headers.size())
        return QVariant();
    if (role == Qt::DisplayRole)
        return m_headers.at(section);
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    return QVariant();
}

void CouponPluSelectionModel::SetPluList(const QList<CouponWidgetInfo::CouponPluInfo>& list)
{
    beginResetModel();
    m_entries = list;
    endResetModel();
}

void CouponPluSelectionModel::Clear()
{
    SetPluList({});
}
