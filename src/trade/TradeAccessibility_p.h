#pragma once
// Accessible names of the sales screen: its keys by their captions, keys of
// the function areas that have nothing on them, and the widgets without a
// readable caption (code box, tables, lists, symbol and icon keys) by their
// message numbers.

#include "contracts/KxPosTranslator.h"

class QWidget;

namespace TradeAccessibility {
// A key of the function grid or the shortcut bar with no function on it.
constexpr TransMsgId UnusedKey = 7700;
// The list of code suggestions under the code box.
constexpr TransMsgId CompleterName = 7723;
// Dynamic property of a key whose caption is a message chosen by the state
// of the screen (pay key, keyboard key, clerk key): the message number, set
// again when the language changes; 0 when the caption is the host's text.
constexpr const char* CaptionIdProperty = "kxCaptionId";

// Names every actionable widget of the screen from its current texts.
// Called whenever the screen sets its texts and after the captions of its
// keys change (function pages, shortcut bar, quick pay, member and order
// panels).
void Apply(QWidget* screen);
} // namespace TradeAccessibility
