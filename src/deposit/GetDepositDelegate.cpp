#include "deposit/GetDepositDelegate.h"

#include <QApplication>
#include <QFontMetrics>
#include <QStyle>

#include <algorithm>

namespace {
// A text a little too wide for its column (a 13-digit code on an 800-wide
// screen) is drawn in a smaller font rather than cut; one much too wide (a
// long name) keeps the font and is elided.
constexpr double SmallestShrink = 0.75;

QStyleOptionViewItem fitted(const QStyleOptionViewItem& option, const QString& text)
{
    QStyleOptionViewItem out = option;
    const int margin = QApplication::style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1;
    const int room = option.rect.width() - 2 * margin;
    const int needed = QFontMetrics(option.font).horizontalAdvance(text);
    if (room <= 0 || needed <= room)
        return out;
    const double shrink = double(room) / double(needed);
    if (shrink < SmallestShrink)
        return out;
    if (out.font.pixelSize() > 0)
        out.font.setPixelSize(std::max(1, int(out.font.pixelSize() * shrink)));
    else
        out.font.setPointSizeF(out.font.pointSizeF() * shrink);
    return out;
}
} // namespace

GetDepositDelegate::GetDepositDelegate(QObject* parent)
    : DepositPluTableDelegate(1, 6, parent)
{
}

GetDepositDelegate::~GetDepositDelegate() = default;

void GetDepositDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const
{
    if (index.column() == 0) {
        QItemDelegate::paint(painter, option, index);
        return;
    }
    const QStyleOptionViewItem shown = fitted(option, index.data(Qt::DisplayRole).toString());
    if (!(option.state & QStyle::State_Selected)) {
        QItemDelegate::paint(painter, shown, index);
        return;
    }
    paintOutlined(painter, shown, index);
}
