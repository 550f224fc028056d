#pragma once
// Colours, font sizes and images of the coupon screen's painted rows, read
// from the style variables of the configuration so that rows follow the
// application's look and the screen size.

#include "contracts/KxPosConfig.h"

#include <QColor>
#include <QFont>
#include <QString>

namespace CouponPaintStyle {

// Colour of a style variable ("$color2"), or `fallback` when it is unknown.
inline QColor Color(const char* variable, const char* fallback)
{
    const QString value = KxPosConfig::styleMap.value(QLatin1String(variable));
    const QColor colour(value);
    return colour.isValid() ? colour : QColor(QLatin1String(fallback));
}

// Pixel size of a style variable ("$size2"), or `fallback`.
inline int Size(const char* variable, int fallback)
{
    bool ok = false;
    const int value = KxPosConfig::styleMap.value(QLatin1String(variable)).toInt(&ok);
    return ok && value > 0 ? value : fallback;
}

// `base` with the pixel size of a style variable.
inline QFont Font(const QFont& base, const char* sizeVariable, int fallback, bool bold = false)
{
    QFont font(base);
    font.setPixelSize(Size(sizeVariable, fallback));
    font.setBold(bold);
    return font;
}

// Fixed colours of the rows.
inline QColor RowBackground() { return QColor(QStringLiteral("#FFFFFF")); }
inline QColor Separator() { return QColor(QStringLiteral("#EDEDED")); }
inline QColor MainText() { return QColor(QStringLiteral("#4A4A4A")); }
inline QColor SecondText() { return QColor(QStringLiteral("#979797")); }
inline QColor LabelText() { return QColor(QStringLiteral("#A4A4A4")); }

// Images of the use-count buttons.
inline QString MinusImage() { return QStringLiteral(":/Images/posfast/40减.png"); }
inline QString PlusImage() { return QStringLiteral(":/Images/posfast/40加.png"); }

} // namespace CouponPaintStyle
