#include "trade/OrderListDelegate.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosTranslator.h"
#include "trade/OrderStyle_p.h"

#include <QPainter>
#include <QPainterPath>

namespace {
using OrderStyle::DesignValue;
using OrderStyle::PixelFont;

const DesignValue CardValues[] = {
    {"$fontSize", 20, 14},      {"$fontDownSize", 16, 12},  {"$fontOtherSize", 18, 13},
    {"$fontTypeSize", 16, 11},  {"$listUpY", 15, 8},        {"$listDownY", 95, 60},
    {"$typeUpY", 12, 8},        {"$typeDownY", -108, -68},  {"$listMidY0", 45, 28},
    {"$listMidY", 55, 34},      {"$listRightX", 220, 140},  {"$listX", 20, 12},
    {"$typeUpX", 15, 10},       {"$typeDownX", -180, -110}, {"$typeUpSX", 220, 130},
    {"$typeDownSX", -15, -10},
};

const QColor TextColour(QStringLiteral("#4A4A4A"));
const QColor AccentColour(QStringLiteral("#BF9F7F"));
const QColor RedColour(QStringLiteral("#C5292B"));
const QColor SeparatorColour(QStringLiteral("#DCDDDD"));

QString cell(const QModelIndex& index, int column)
{
    return index.sibling(index.row(), column).data(Qt::DisplayRole).toString();
}

void drawElided(QPainter* painter, const QRect& rect, const QFont& font, const QString& text, Qt::Alignment align)
{
    if (text.isEmpty() || rect.width() <= 0)
        return;
    painter->setFont(font);
    painter->drawText(rect, int(align), QFontMetrics(font).elidedText(text, Qt::ElideRight, rect.width()));
}

// Smallest pixel size a card's caption shrinks to before it is elided.
constexpr int SmallestCaptionPixels = 11;

// A short caption in a narrow rectangle (status, channel): drawn whole in a
// smaller font where that is enough, elided only below the smallest one.
void drawShrunk(QPainter* painter, const QRect& rect, QFont font, const QString& text, Qt::Alignment align)
{
    if (text.isEmpty() || rect.width() <= 0)
        return;
    int pixels = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
    font.setPixelSize(pixels);
    while (pixels > SmallestCaptionPixels && QFontMetrics(font).horizontalAdvance(text) > rect.width())
        font.setPixelSize(--pixels);
    drawElided(painter, rect, font, text, align);
}
} // namespace

OrderListDelegate::OrderListDelegate(QObject* parent)
    : QStyledItemDelegate(parent)
{
    LoadStyle();
}

QStringList OrderListDelegate::StyleNames()
{
    return OrderStyle::Names(CardValues);
}

void OrderListDelegate::LoadStyle()
{
    m_style = OrderStyle::Load(CardValues);
    m_titleFont = PixelFont(StyleValue(QStringLiteral("$fontSize")), true);
    m_bodyFont = PixelFont(StyleValue(QStringLiteral("$fontOtherSize")));
    m_smallFont = PixelFont(StyleValue(QStringLiteral("$fontDownSize")));
}

QString OrderListDelegate::ChannelText(const QString& code)
{
    int id = 708;
    if (code == QLatin1String("133") || code == QLatin1String("133f"))
        id = 32;
    else if (code == QLatin1String("132") || code == QLatin1String("132f") || code == QLatin1String("132o"))
        id = 31;
    else if (code == QLatin1String("134"))
        id = 1155;
    else if (code == QLatin1String("139") || code == QLatin1String("TMP"))
        id = 34;
    else if (code == QLatin1String("WMP") || code == QLatin1String("01"))
        id = 1156;
    else if (code == QLatin1String("AMP"))
        id = 1157;
    else if (code == QLatin1String("141"))
        id = 1158;
    else if (code == QLatin1String("142"))
        id = 1159;
    return KxPosTranslator::GetTranslation(id);
}

OrderListDelegate::ColourTag OrderListDelegate::ColourTagFor(const QString& codes)
{
    const QStringList parts = codes.split(QStringLiteral("--"), Qt::KeepEmptyParts);
    if (parts.size() >= 3) {
        if (parts.at(0) == QLatin1String("1"))
            return {KxPosTranslator::GetTranslation(2348), QColor(QStringLiteral("#C5292B"))};
        if (parts.at(1) == QLatin1String("1"))
            return {KxPosTranslator::GetTranslation(2349), QColor(QStringLiteral("#F77F42"))};
        if (parts.at(2) == QLatin1String("2"))
            return {KxPosTranslator::GetTranslation(2350), QColor(QStringLiteral("#51B484"))};
    }
    return {KxPosTranslator::GetTranslation(2351), QColor(QStringLiteral("#517BF7"))};
}

QSize OrderListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    bool ok = false;
    const int height = KxPosConfig::styleMap.value(QStringLiteral("$OrderTable_Height")).toInt(&ok);
    size.setHeight(ok && height > 0 ? height : KxPosConfig::GetAutoHeight(150, 96));
    return size;
}

void OrderListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    if (!painter || !index.isValid())
        return;
    const auto v = [this](const char* name) { return StyleValue(QLatin1String(name)); };
    const QRect card = option.rect;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setRenderHint(QPainter::TextAntialiasing);

    // 1. Background.
    painter->fillRect(card, OrderStyle::RowBackground(option, index));

    // 2. Channel tag, top right.
    const QRect channelRect(card.topLeft() + QPoint(v("$typeUpSX"), v("$typeUpY")),
                            card.bottomRight() + QPoint(v("$typeDownSX"), v("$typeDownY")));
    if (channelRect.width() > 0 && channelRect.height() > 0) {
        QFont tagFont = m_smallFont;
        tagFont.setPixelSize(qMax(8, v("$fontTypeSize")));
        painter->setPen(QPen(AccentColour, 1));
        painter->setBrush(QColor(QStringLiteral("#FBF7F2")));
        const qreal radius = channelRect.height() / 2.0;
        painter->drawRoundedRect(QRectF(channelRect).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
        painter->setPen(AccentColour);
        drawShrunk(painter, channelRect.adjusted(4, 0, -4, 0), tagFont, ChannelText(cell(index, 12)),
                   Qt::AlignCenter);
    }

    // 3. Status caption, top left.
    const QString status = cell(index, 1);
    QRect statusRect(card.topLeft() + QPoint(v("$typeUpX"), v("$typeUpY")),
                     card.bottomRight() + QPoint(v("$typeDownX"), v("$typeDownY")));
    // On a narrow card the caption may run up to the channel tag.
    if (channelRect.width() > 0 && channelRect.height() > 0)
        statusRect.setRight(channelRect.left() - 6);
    painter->setPen(TextColour);
    drawShrunk(painter, statusRect, m_titleFont, status, Qt::AlignCenter);

    // 5. Card texts at the left, below the top strip; without a status
    //    caption they move up into it.
    // The card texts may run up to the pick-up number and the colour tag at
    // the right, never under them.
    const int left = card.left() + v("$listX");
    const int rightEdge = card.right() - 15;
    const QString number = cell(index, 9);
    const ColourTag tag = ColourTagFor(cell(index, 11));
    QFont tagFont = m_smallFont;
    tagFont.setPixelSize(qMax(8, v("$fontTypeSize")));
    const QFontMetrics tagMetrics(tagFont);
    const int rightWidth = qMax(QFontMetrics(m_titleFont).horizontalAdvance(number),
                                tagMetrics.horizontalAdvance(tag.text) + tagMetrics.averageCharWidth() * 2);
    const int textWidth = qMax(v("$listRightX") - v("$listX") - 4, rightEdge - rightWidth - 8 - left);
    const int rowHeight = qMax(QFontMetrics(m_bodyFont).height(), v("$listDownY") - v("$listMidY"));
    const int firstY = status.isEmpty() ? v("$listUpY") : v("$listMidY");
    const int secondY = status.isEmpty() ? v("$listMidY0") : v("$listDownY");
    painter->setPen(TextColour);
    drawElided(painter, QRect(left, card.top() + firstY, textWidth, rowHeight), m_bodyFont, cell(index, 6),
               Qt::AlignLeft | Qt::AlignVCenter);
    drawElided(painter, QRect(left, card.top() + secondY, textWidth, rowHeight), m_smallFont, cell(index, 10),
               Qt::AlignLeft | Qt::AlignVCenter);

    // Pick-up number in red at the right, from 20 px below the top down to
    // the row of the colour tag.
    const QRect numberRect(card.left() + v("$listRightX"), card.top() + 20,
                           qMax(0, rightEdge - card.left() - v("$listRightX")), qMax(0, secondY - 20));
    painter->setPen(RedColour);
    drawElided(painter, numberRect, m_titleFont, number, Qt::AlignRight | Qt::AlignVCenter);

    // 4. Colour tag at the right of the second text row.
    const int tagHeight = qMin(rowHeight, tagMetrics.height() + 6);
    const int tagWidth = qMin(qMax(0, rightEdge - card.left() - v("$listRightX")),
                              tagMetrics.horizontalAdvance(tag.text) + tagMetrics.averageCharWidth() * 2);
    if (tagWidth > 0) {
        const QRect tagRect(rightEdge - tagWidth, card.top() + secondY + (rowHeight - tagHeight) / 2, tagWidth,
                            tagHeight);
        painter->setPen(Qt::NoPen);
        painter->setBrush(tag.colour);
        painter->drawRoundedRect(tagRect, 4, 4);
        painter->setPen(QColor(QStringLiteral("#FFFFFF")));
        drawElided(painter, tagRect, tagFont, tag.text, Qt::AlignCenter);
    }

    // 6. Separator along the bottom of the card.
    painter->setPen(QPen(SeparatorColour, 1));
    painter->drawLine(card.bottomLeft(), card.bottomRight());
    painter->restore();
}
