#pragma once
// What the demo's screenshot renders share: letting the event loop run while
// screens settle, grabbing a screen with the windows floating over it, and
// writing the PNG files.

#include <QList>
#include <QPixmap>
#include <QString>

class QWidget;

namespace DemoRender {

// Runs the event loop for `ms` milliseconds (timers, deferred layouts and
// paints happen meanwhile).
void Settle(int ms);

// Writes `pixmap` to `path` and prints the path; on failure prints why and
// returns false.
bool Save(const QPixmap& pixmap, const QString& path);

// `screen` with the visible windows of `floating` (docks, dialogs) painted
// where they float over it.
QPixmap GrabWithFloating(QWidget* screen, const QList<QWidget*>& floating);

} // namespace DemoRender
