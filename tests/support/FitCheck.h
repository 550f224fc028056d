#pragma once
// Measures whether a shown window fits a display: the window and every
// visible widget in it lie on the display and inside their parents, and no
// caption is wider than the widget that shows it. Works on the real shown
// geometry, whatever the platform (offscreen or a real X server).

#include <QList>
#include <QRect>
#include <QSize>
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

// The display sizes to check: KXPOS_FIT_SIZES ("800x600,1024x768"), else
// 800x600, 1024x768 and 1920x1080.
QList<QSize> fitSizes();

// Test data rows "<W>x<H> <language>" of columns size (QSize) and language
// (zh_CN, en) over fitSizes().
void sizeAndLanguageRows();

// With KXPOS_FIT_SHOTS naming a folder, saves a picture of the whole display
// there, named by the running test row and `state`, to look at.
void saveFitShot(const QString& state);

// Lists `problems` on the error stream (QTest cuts long failure messages)
// and fails the running test when there are any.
void verifyNoFitProblems(QStringList problems);

// A widget's path of object names (or class names) from its window, for the
// failure messages.
QString widgetPath(const QWidget* widget);

} // namespace KxPosTest
