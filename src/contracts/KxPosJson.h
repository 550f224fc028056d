#pragma once
// Reading the JSON texts that arrive from configuration and from the host
// (tare keys, coupon channels, the area tree, coupon use results).

#include "contracts/kxposcontracts_export.h"

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonParseError>

namespace KxPosJson {

// The deepest nesting of arrays and objects a text may have. The texts this
// system reads nest a few levels (the area tree, the deepest, about seven);
// a deeper one is refused before Qt's recursive parser walks into it.
constexpr int MaxDepth = 32;

// How deeply the arrays and objects of `text` nest (brackets inside strings
// do not count), stopping early once `stopAbove` is exceeded. Malformed
// text is measured as far as it goes.
KXPOSCONTRACTS_EXPORT int NestingDepth(const QByteArray& text, int stopAbove = MaxDepth);

// QJsonDocument::fromJson, except that a text nested deeper than MaxDepth
// gives a null document and QJsonParseError::DeepNesting.
KXPOSCONTRACTS_EXPORT QJsonDocument Parse(const QByteArray& text, QJsonParseError* error = nullptr);

} // namespace KxPosJson
