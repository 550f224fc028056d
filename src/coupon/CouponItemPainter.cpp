#include "coupon/CouponItemPainter_p.h"

#include "coupon/CouponPaintStyle_p.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosTranslator.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {
QRect centredIn(const QRect& outer, const QSize& size)
{
    return QRect(outer.left() + (outer.width() - size.width()) / 2, outer.top() + (outer.height() - size.height()) / 2,
                 size.width(), size.height());
}
} // namespace

CouponItemPainter::CouponItemPainter(const CouponWidgetInfo& coupon, const QRect& rowRect, bool deductMode)
    : m_coupon(coupon)
    , m_row(rowRect)
    , m_deductMode(deductMode)
{
    const int margin = KxPosConfig::GetAutoWidth(20, 12);
    const int gap = KxPosConfig::GetAutoWidth(12, 8);
    const int tickWidth = KxPosConfig::GetAutoWidth(80, 50);
    m_tick = QRect(m_row.left(), m_row.top(), tickWidth, m_row.height());

    int right = m_row.right() - margin + 1;
    if (!ActionCaption(m_coupon.status, m_deductMode).isEmpty()) {
        const QSize button(KxPosConfig::GetAutoWidth(120, 76), KxPosConfig::GetAutoHeight(56, 40));
        m_action = QRect(right - button.width(), m_row.top() + (m_row.height() - button.height()) / 2,
                         button.width(), button.height());
        right = m_action.left() - gap;
    }
    if (m_deductMode) {
        const QSize image = KxPosConfig::GetAutoSize(40, 40, 28, 28);
        const int countWidth = KxPosConfig::GetAutoWidth(56, 36);
        const int top = m_row.top() + (m_row.height() - image.height()) / 2;
        m_plus = QRect(right - image.width(), top, image.width(), image.height());
        m_count = QRect(m_plus.left() - countWidth, top, countWidth, image.height());
        m_minus = QRect(m_count.left() - image.width(), top, image.width(), image.height());
        right = m_minus.left() - gap;
    }
    const int amountWidth = KxPosConfig::GetAutoWidth(150, 96);
    m_amount = QRect(right - amountWidth, m_row.top(), amountWidth, m_row.height());
    m_text = QRect(m_tick.right() + 1, m_row.top(), qMax(0, m_amount.left() - gap - m_tick.right() - 1),
                   m_row.height());
}

QSize CouponItemPainter::RowSize()
{
    return KxPosConfig::GetAutoSize(828, 100, 516, 80);
}

QString CouponItemPainter::ActionCaption(int status, bool deductMode)
{
    switch (status) {
    case CouponBaseInfo::StatusUsed: return KxPosTranslator::GetTranslation(2266);
    case CouponBaseInfo::StatusInDoubt: return KxPosTranslator::GetTranslation(2139);
    case CouponBaseInfo::StatusUnused: return deductMode ? KxPosTranslator::GetTranslation(1455) : QString();
    default: return QString();
    }
}

CouponItemPainter::Area CouponItemPainter::hitTest(const QPoint& pos) const
{
    if (m_tick.contains(pos))
        return TickArea;
    if (m_minus.contains(pos))
        return MinusArea;
    if (m_plus.contains(pos))
        return PlusArea;
    if (m_action.contains(pos))
        return ActionArea;
    return NoArea;
}

void CouponItemPainter::paint(QPainter* painter, const QFont& baseFont, bool selected) const
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->fillRect(m_row, selected ? CouponPaintStyle::Color("$colorD", "#E6F6FE")
                                      : CouponPaintStyle::RowBackground());
    if (selected) {
        // An accent bar marks the current coupon.
        painter->fillRect(QRect(m_row.left(), m_row.top(), KxPosConfig::GetAutoWidth(6, 4), m_row.height()),
                          CouponPaintStyle::Color("$color2", "#23BAFA"));
    }
    painter->setPen(CouponPaintStyle::Separator());
    painter->drawLine(m_row.bottomLeft(), m_row.bottomRight());

    paintTick(painter);
    paintTexts(painter, baseFont, selected);
    if (m_deductMode)
        paintUseCount(painter, baseFont);
    paintAction(painter, baseFont);
    painter->restore();
}

void CouponItemPainter::paintTick(QPainter* painter) const
{
    const int side = KxPosConfig::GetAutoWidth(32, 22);
    const QRect box = centredIn(m_tick, QSize(side, side));
    const bool locked = m_coupon.added || m_coupon.status == CouponBaseInfo::StatusUsed;
    const QColor accent = locked ? CouponPaintStyle::LabelText() : CouponPaintStyle::Color("$color2", "#23BAFA");
    painter->setPen(QPen(m_coupon.checked ? accent : CouponPaintStyle::SecondText(), 2));
    painter->setBrush(m_coupon.checked ? accent : QColor(Qt::white));
    painter->drawRoundedRect(box, side / 6.0, side / 6.0);
    if (m_coupon.checked) {
        QPainterPath tick;
        tick.moveTo(box.left() + side * 0.22, box.top() + side * 0.52);
        tick.lineTo(box.left() + side * 0.42, box.top() + side * 0.72);
        tick.lineTo(box.left() + side * 0.78, box.top() + side * 0.30);
        painter->setPen(QPen(Qt::white, qMax(2, side / 10), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter->setBrush(Qt::NoBrush);
        painter->drawPath(tick);
    }
}

void CouponItemPainter::paintTexts(QPainter* painter, const QFont& baseFont, bool selected) const
{
    const int upY = CouponPaintStyle::Size("$listUpY", 15);
    const QRect upper(m_text.left(), m_text.top() + upY, m_text.width(), m_text.height() / 2 - upY);
    const QRect lower(m_text.left(), m_text.top() + m_text.height() / 2, m_text.width(), m_text.height() / 2 - upY);

    // Name on the first line.
    const QFont nameFont = CouponPaintStyle::Font(baseFont, "$size5", 24, true);
    const QFont smallFont = CouponPaintStyle::Font(baseFont, "$size1", 16);
    painter->setFont(nameFont);
    painter->setPen(selected ? CouponPaintStyle::Color("$color2", "#23BAFA") : CouponPaintStyle::MainText());
    painter->drawText(upper, Qt::AlignLeft | Qt::AlignTop,
                      QFontMetrics(nameFont).elidedText(m_coupon.couponName, Qt::ElideRight, upper.width()));

    // Coupon number, labelled, and the channel as a tag on the second line.
    const QFont idFont = CouponPaintStyle::Font(baseFont, "$size2", 18);
    const QFontMetrics idMetrics(idFont);
    const int pad = KxPosConfig::GetAutoWidth(8, 5);
    int channelWidth =
        m_coupon.channelName.isEmpty() ? 0 : QFontMetrics(smallFont).horizontalAdvance(m_coupon.channelName) + 2 * pad;
    painter->setFont(idFont);
    painter->setPen(CouponPaintStyle::LabelText());
    const QString label = KxPosTranslator::GetTranslation(1217) + QLatin1Char(' ');
    const int labelWidth = idMetrics.horizontalAdvance(label);
    painter->drawText(lower, Qt::AlignLeft | Qt::AlignTop, label);
    painter->setPen(CouponPaintStyle::SecondText());
    // The number comes first; the channel tag only where both fit.
    if (labelWidth + idMetrics.horizontalAdvance(m_coupon.couponId) + pad + channelWidth > lower.width())
        channelWidth = 0;
    const QRect idRect = lower.adjusted(labelWidth, 0, -(channelWidth > 0 ? channelWidth + pad : 0), 0);
    const QString id = idMetrics.elidedText(m_coupon.couponId, Qt::ElideMiddle, qMax(0, idRect.width()));
    painter->drawText(idRect, Qt::AlignLeft | Qt::AlignTop, id);
    if (channelWidth > 0) {
        const QRect tag(idRect.left() + idMetrics.horizontalAdvance(id) + pad, lower.top(), channelWidth,
                        QFontMetrics(smallFont).height() + pad / 2);
        painter->setPen(CouponPaintStyle::Color("$color2", "#23BAFA"));
        painter->setBrush(Qt::NoBrush);
        painter->drawRoundedRect(tag, pad / 2.0, pad / 2.0);
        painter->setFont(smallFont);
        painter->drawText(tag, Qt::AlignCenter, m_coupon.channelName);
    }

    // Face value, labelled, in the amount column.
    const QRect amountUpper(m_amount.left(), upper.top(), m_amount.width(), upper.height());
    const QRect amountLower(m_amount.left(), lower.top(), m_amount.width(), lower.height());
    painter->setFont(CouponPaintStyle::Font(baseFont, "$size7", 30, true));
    painter->setPen(CouponPaintStyle::Color("$color3", "#FF8A00"));
    painter->drawText(amountUpper, Qt::AlignRight | Qt::AlignTop, QString::number(m_coupon.couponAmount, 'f', 2));
    painter->setFont(CouponPaintStyle::Font(baseFont, "$size1", 16));
    painter->setPen(CouponPaintStyle::LabelText());
    painter->drawText(amountLower, Qt::AlignRight | Qt::AlignTop, KxPosTranslator::GetTranslation(2265));
}

void CouponItemPainter::paintUseCount(QPainter* painter, const QFont& baseFont) const
{
    const bool locked = m_coupon.status == CouponBaseInfo::StatusUsed;
    const auto drawImage = [&](const QRect& rect, const QString& path, bool plus) {
        const QPixmap pixmap(path);
        if (!pixmap.isNull()) {
            painter->setOpacity(locked ? 0.4 : 1.0);
            painter->drawPixmap(rect, pixmap);
            painter->setOpacity(1.0);
            return;
        }
        // Without the image a drawn round button stands in.
        const QColor colour = locked ? CouponPaintStyle::LabelText() : CouponPaintStyle::Color("$color2", "#23BAFA");
        painter->setPen(QPen(colour, 2));
        painter->setBrush(Qt::white);
        painter->drawEllipse(rect.adjusted(1, 1, -1, -1));
        const QPoint c = rect.center();
        const int arm = rect.width() / 4;
        painter->drawLine(c.x() - arm, c.y(), c.x() + arm, c.y());
        if (plus)
            painter->drawLine(c.x(), c.y() - arm, c.x(), c.y() + arm);
    };
    drawImage(m_minus, CouponPaintStyle::MinusImage(), false);
    drawImage(m_plus, CouponPaintStyle::PlusImage(), true);
    painter->setFont(CouponPaintStyle::Font(baseFont, "$size5", 24, true));
    painter->setPen(CouponPaintStyle::MainText());
    painter->drawText(m_count, Qt::AlignCenter, QString::number(m_coupon.useCount));
}

void CouponItemPainter::paintAction(QPainter* painter, const QFont& baseFont) const
{
    const QString caption = ActionCaption(m_coupon.status, m_deductMode);
    if (caption.isEmpty() || m_action.isEmpty())
        return;
    const QColor accent = m_coupon.status == CouponBaseInfo::StatusInDoubt
        ? CouponPaintStyle::Color("$color3", "#FF8A00")
        : m_coupon.status == CouponBaseInfo::StatusUsed ? CouponPaintStyle::Color("$color2", "#23BAFA")
                                                        : CouponPaintStyle::SecondText();
    const qreal radius = CouponPaintStyle::Size("$radius2", 8);
    painter->setFont(CouponPaintStyle::Font(baseFont, "$size2", 18));
    if (m_deductMode) {
        painter->setPen(QPen(accent, 1.5));
        painter->setBrush(Qt::white);
        painter->drawRoundedRect(QRectF(m_action).adjusted(0.75, 0.75, -0.75, -0.75), radius, radius);
    }
    // In exchange mode the state is only shown, as a flat tag.
    painter->setPen(accent);
    painter->drawText(m_action, Qt::AlignCenter, caption);
}
