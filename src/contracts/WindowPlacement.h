#pragma once
// Where the screens' windows go on the display.
//
// A till runs the checkout full screen, often without a window manager: no
// one else centres a dialog over the sales screen, keeps it on the display or
// brings it to the front. The base classes (KxDialog, KxWidget) call these
// helpers when one of their windows is shown; screens with popups of their
// own use them to keep the popups on the display.

#include "contracts/kxposcontracts_export.h"

#include <QRect>

class QWidget;

namespace WindowPlacement {

// The window `window` belongs to: the window of its parent widget, or null
// for a window without a parent.
KXPOSCONTRACTS_EXPORT QWidget* OwnerWindow(const QWidget* window);

// The part of the display a window over `reference` may use: the available
// geometry of the screen `reference`'s window is on (the primary screen when
// `reference` is null). Empty when the application has no screen.
KXPOSCONTRACTS_EXPORT QRect DisplayArea(const QWidget* reference);

// `rect` moved the least that puts it inside `area`, its size unchanged. A
// rect wider or higher than the area is aligned with the area's left or top
// edge, so that its title and first keys stay reachable. An empty area
// leaves the rect as it is.
KXPOSCONTRACTS_EXPORT QRect KeepInside(const QRect& rect, const QRect& area);

// Places the top-level `window` as it is being shown. A window that nobody
// moved explicitly is centred over `owner` (over the display area when
// `owner` is null); every window is then kept on the display area of the
// owner's screen. A full-screen window covers the owner's screen. Does
// nothing for a widget that is not a window.
KXPOSCONTRACTS_EXPORT void PlaceOnShow(QWidget* window, QWidget* owner);

// Where a list popup of an entry line goes on the display `area`. `wanted` is
// the place the screen would give it (top-left corner, width, and the height
// it would take); `anchor` is the line's rectangle; the list holds `rows`
// rows of `rowHeight` pixels plus `frame` pixels of border. The popup keeps
// its place when that lies on the display; with too little room below for a
// few rows it opens above the line instead (when there is more room there),
// never covering the line. A height cut by the edge of the display is a whole
// number of rows; above the line it is no more than the rows need.
KXPOSCONTRACTS_EXPORT QRect PopupRect(const QRect& wanted, const QRect& anchor, int rowHeight, int frame,
                                      int rows, const QRect& area);

// Raises the top-level `window` above the application's other windows and,
// unless it is shown without activation or refuses the focus, makes it the
// active window so that it takes the keyboard.
KXPOSCONTRACTS_EXPORT void BringToFront(QWidget* window);

// Gives the keyboard back to `widget`'s window (a screen may be a window of
// its own or embedded in the host's) some time after it lost it (from a
// timer, once the host's dialogs closed): activates it unless a
// shown modal window blocks it or another shown window of the application is
// the active one, since the cashier went on in that window meanwhile. True
// when the window has the keyboard or asked for it; false when left alone.
KXPOSCONTRACTS_EXPORT bool ReclaimKeyboard(QWidget* widget);

// Keeps the keyboard with the modal window. Without a window manager a
// click on a window that a modal window blocks still makes that window the
// active one, and the keys typed or scanned next would go to a window that
// drops them. From the first call on, the application hands the activation
// of a blocked window back to the modal window that blocks it. Called by the
// base classes whenever one of their windows is shown.
KXPOSCONTRACTS_EXPORT void GuardModalFocus();

// Gives the keyboard back after the top-level `window` was hidden: to the
// modal window now on top, else to the window `window` belonged to. Without
// a window manager the keyboard would otherwise go to no window at all and
// the next scan would be lost. Runs once control returns to the event loop,
// and leaves a window alone that took the activation in the meantime.
KXPOSCONTRACTS_EXPORT void HandBackFocus(QWidget* window);

// True when the modal window `modal` blocks input to `window` while it is
// shown: an application-modal window blocks every window but its own
// children; a window-modal one blocks the windows its parent windows belong
// to.
KXPOSCONTRACTS_EXPORT bool IsBlockedBy(const QWidget* window, const QWidget* modal);

} // namespace WindowPlacement
