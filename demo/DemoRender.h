#pragma once
// What the demo's screenshot renders share: letting the event loop run while
// screens settle, and the display of the till the renders show.
//
// Every render is the whole display, as a till with no window manager shows
// it: the desktop window (the sales screen, which sizes itself to the
// application size), the other visible windows over it where they stand on
// the display (a dialog or secondary screen keeps its own size and position;
// no window has a frame), and a dark desktop wherever no window is. Parts of a window beyond the
// display are cut off there, as on the till. Nothing is resized for a render.

#include <QList>
#include <QPixmap>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>

class QWidget;

namespace DemoRender {

// Runs the event loop for `ms` milliseconds (timers, deferred layouts and
// paints happen meanwhile).
void Settle(int ms);

// Writes `pixmap` to `path` and prints the path; on failure prints why and
// returns false.
bool Save(const QPixmap& pixmap, const QString& path);

// The variant of a render: "<W>x<H>" for Chinese, "<W>x<H>-en" for English.
QString Variant(const QSize& size, const QString& language);

// The display of one size in the current language, rendered into a folder as
// "<screen>-<variant>.png" files.
class Display
{
public:
    Display(const QString& dir, const QSize& size);

    // The window below all others (the sales screen).
    void SetDesktop(QWidget* desktop) { m_desktop = desktop; }
    QSize Size() const { return m_rect.size(); }
    // The display on the screen coordinates of the windows: the primary
    // screen when it has exactly this size, else this size at the origin.
    QRect Rect() const { return m_rect; }
    // True when the display is the primary screen (it has this size): only
    // then do windows that place themselves on the screen stand as on a till.
    bool IsScreen() const { return m_isScreen; }
    QString Path(const QString& screen) const;

    // What the display shows: the desktop window, every other visible
    // window, then `onTop` in this order (bottom to top) above them.
    QPixmap Grab(const QList<QWidget*>& onTop = {}) const;
    // Grab() written as `screen`, once the event loop ran for 600 ms (the
    // screens' delayed refocus has happened); a failed write is remembered
    // in Ok().
    bool Save(const QString& screen, const QList<QWidget*>& onTop = {});
    bool Ok() const { return m_ok; }

private:
    QString m_dir;
    QString m_variant;
    QRect m_rect;
    bool m_isScreen = false;
    QPointer<QWidget> m_desktop;
    bool m_ok = true;
};

} // namespace DemoRender
