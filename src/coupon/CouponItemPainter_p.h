#pragma once
// Geometry and painting of one coupon row, as a value built from the row's
// record, its rectangle and the screen's mode. The delegate asks it both
// where to paint and what a click hit, so the two always agree.

#include "coupon/CouponWidgetInfo.h"

#include <QRect>
#include <QSize>
#include <QString>

class QFont;
class QPainter;

class CouponItemPainter
{
public:
    enum Area { NoArea, TickArea, MinusArea, PlusArea, ActionArea };

    CouponItemPainter(const CouponWidgetInfo& coupon, const QRect& rowRect, bool deductMode);

    // The strip at the row's left edge that ticks and unticks the coupon.
    QRect tickRect() const { return m_tick; }
    // Use-count buttons and the count between them (deduction mode only;
    // empty rectangles otherwise).
    QRect minusRect() const { return m_minus; }
    QRect countRect() const { return m_count; }
    QRect plusRect() const { return m_plus; }
    // The action button at the right; empty when the state has none.
    QRect actionRect() const { return m_action; }
    Area hitTest(const QPoint& pos) const;

    void paint(QPainter* painter, const QFont& baseFont, bool selected) const;

    // Caption of the action button for a state, empty when there is none:
    // cancel use (1), refresh (2), remove (0, deduction mode only).
    static QString ActionCaption(int status, bool deductMode);
    static QSize RowSize();

private:
    void paintTick(QPainter* painter) const;
    void paintTexts(QPainter* painter, const QFont& baseFont, bool selected) const;
    void paintUseCount(QPainter* painter, const QFont& baseFont) const;
    void paintAction(QPainter* painter, const QFont& baseFont) const;

    CouponWidgetInfo m_coupon;
    QRect m_row;
    bool m_deductMode;
    QRect m_tick;
    QRect m_minus;
    QRect m_count;
    QRect m_plus;
    QRect m_action;
    QRect m_text;
    QRect m_amount;
};
