#include "trade/PluOrderDelegate.h"

#include "contracts/KxPosConfig.h"
#include "trade/OrderStyle_p.h"

#include <QPainter>

namespace {
using OrderStyle::DesignValue;
using OrderStyle::PixelFont;

const DesignValue LineValues[] = {
    {"$fontOtherSize", 18, 13}, {"$listUpY0", 10, 6},   {"$listUpY", 15, 8},
    {"$listDownY", 95, 60},     {"$pack_height", 26, 18}, {"$listMidY0", 45, 28},
    {"$listMidY", 55, 34},      {"$listRightX", 220, 140}, {"$listX", 20, 12},
};

const QColor TextColour(QStringLiteral("#4A4A4A"));
const QColor SeparatorColour(QStringLiteral("#DCDDDD"));
} // namespace

PluOrderDelegate::PluOrderDelegate(QObject* parent)
    : QStyledItemDelegate(parent)
{
    LoadStyle();
}

QStringList PluOrderDelegate::StyleNames()
{
    return OrderStyle::Names(LineValues);
}

void PluOrderDelegate::LoadStyle()
{
    m_style = OrderStyle::Load(LineValues);
    const int size = StyleValue(QStringLiteral("$fontOtherSize"));
    m_nameFont = PixelFont(size);
    m_numberFont = PixelFont(size);
    m_packFont = PixelFont(size * 5 / 6);
}

void PluOrderDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    if (!painter || !index.isValid())
        return;
    const QRect rect = option.rect;
    painter->save();
    painter->setRenderHint(QPainter::TextAntialiasing);
    painter->fillRect(rect, OrderStyle::RowBackground(option, index));
    painter->setPen(TextColour);

    // The first band holds the line itself; each package content adds a
    // band of "$pack_height" below it.
    const int packHeight = StyleValue(QStringLiteral("$pack_height"));
    const int contents = qMax(0, index.sibling(index.row(), 6).data().toInt());
    int band = rect.height() - contents * packHeight;
    if (band < QFontMetrics(m_nameFont).height())
        band = rect.height();
    const QRect first(rect.left(), rect.top(), rect.width(), band);
    const int pad = StyleValue(QStringLiteral("$listX")) / 2;
    const QString text = index.data(Qt::DisplayRole).toString();

    switch (index.column()) {
    case 1: {
        const QStringList lines = text.split(QStringLiteral("\r\n"));
        painter->setFont(m_nameFont);
        const QRect nameRect = first.adjusted(pad, StyleValue(QStringLiteral("$listUpY0")) / 2, -pad, 0);
        painter->drawText(nameRect, Qt::AlignLeft | Qt::AlignVCenter,
                          QFontMetrics(m_nameFont).elidedText(lines.value(0), Qt::ElideRight, nameRect.width()));
        painter->setFont(m_packFont);
        for (int i = 1; i < lines.size(); ++i) {
            const QRect packRect(rect.left() + pad * 2, rect.top() + band + (i - 1) * packHeight,
                                 rect.width() - pad * 3, packHeight);
            if (packRect.bottom() > rect.bottom() + 1)
                break;
            painter->drawText(packRect, Qt::AlignLeft | Qt::AlignVCenter,
                              QFontMetrics(m_packFont).elidedText(lines.at(i), Qt::ElideRight, packRect.width()));
        }
        break;
    }
    case 5:
        painter->setFont(m_numberFont);
        painter->drawText(first.adjusted(pad, 0, -pad, 0), Qt::AlignRight | Qt::AlignVCenter, text);
        break;
    case 0:
    case 2:
        painter->setFont(m_numberFont);
        painter->drawText(first, Qt::AlignCenter, text);
        break;
    default:
        painter->setFont(m_numberFont);
        painter->drawText(first.adjusted(pad, 0, -pad, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
        break;
    }

    painter->setPen(SeparatorColour);
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    painter->restore();
}
