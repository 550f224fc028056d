#pragma once
// Pointer positions of input events under Qt 5.15 and Qt 6: Qt 6 names them
// position()/globalPosition() and deprecates the Qt 5 names, which Qt 5
// lacks the new ones of. Private to the library and its tests; not installed.

#include <QtGlobal>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPoint>

namespace KxPosQt {

// Where the pointer is, in the coordinates of the widget that got the event.
inline QPoint position(const QMouseEvent* event)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return event->position().toPoint();
#else
    return event->pos();
#endif
}

// Where the pointer is on the display, rounded to whole pixels.
inline QPoint globalPosition(const QMouseEvent* event)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return event->globalPosition().toPoint();
#else
    return event->screenPos().toPoint();
#endif
}

inline QPoint globalPosition(const QEnterEvent* event)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return event->globalPosition().toPoint();
#else
    return event->screenPos().toPoint();
#endif
}

} // namespace KxPosQt
