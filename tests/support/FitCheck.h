#pragma once
// Measures whether a shown window fits a display: the window and every
// visible widget in it lie on the display and inside their parents, and no
// caption is wider than the widget that shows it. Works on the real shown
// geometry, whatever the platform (offscreen or a real X server).

#include <QRect>
#include <QStringList>

class QWidget;

namespace KxPosTest {

// The display the windows must lie on: the primary screen's geometry when it
// has exactly `size`, else the rectangle of `size` at the origin (the
// offscreen platform's screen has one size only).
QRect displayRect(const QSize& size);

// Every fault of the shown top-level `window` on `display`, one line each
// ("<object path>: <what>"); empty when it fits.
QStringList fitProblems(const QWidget* window, const QRect& display);

// fitProblems() of every visible top-level window of the application.
QStringList fitProblemsOfAllWindows(const QRect& display);

// A widget's path of object names (or class names) from its window, for the
// failure messages.
QString widgetPath(const QWidget* widget);

} // namespace KxPosTest
