#include "deposit/GetDepositDelegate.h"

GetDepositDelegate::GetDepositDelegate(QObject* parent)
    : DepositPluTableDelegate(1, 6, parent)
{
}

GetDepositDelegate::~GetDepositDelegate() = default;

void GetDepositDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const
{
    if (index.column() == 0 || !(option.state & QStyle::State_Selected)) {
        QItemDelegate::paint(painter, option, index);
        return;
    }
    paintOutlined(painter, option, index);
}
