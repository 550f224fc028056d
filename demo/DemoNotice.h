#pragma once
// What the demo host refuses (an unknown code, a coupon the service will not
// take) is said on the screen the cashier works at, in their language, not
// only in the host's log.

#include <QString>

class QWidget;

namespace DemoNotice {
// Shows `text` in a message box over `over` (the screen that asked); one box
// per screen, made on first use.
void Show(QWidget* over, const QString& text);
// `zh` or `en`, by the checkout's language.
QString Text(const QString& zh, const QString& en);
} // namespace DemoNotice
