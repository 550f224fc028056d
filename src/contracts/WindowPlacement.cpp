#include "contracts/WindowPlacement.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>

namespace {

QScreen* screenOf(const QWidget* reference)
{
    if (reference) {
        const QWidget* window = reference->window();
        // The screen holding the window's centre; a window larger than its
        // screen (or not placed yet) falls back to the screen Qt gave it.
        if (QScreen* screen = QGuiApplication::screenAt(window->geometry().center()))
            return screen;
        return window->screen();
    }
    return QGuiApplication::primaryScreen();
}

int keepSpan(int start, int length, int areaStart, int areaLength)
{
    if (length >= areaLength)
        return areaStart;
    if (start < areaStart)
        return areaStart;
    if (start + length > areaStart + areaLength)
        return areaStart + areaLength - length;
    return start;
}

// True when `ancestor` is `widget` or one of its parents.
bool within(const QWidget* widget, const QWidget* ancestor)
{
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (w == ancestor)
            return true;
    }
    return false;
}

// Hands the activation of a blocked window back to the modal window.
class ModalFocusGuard : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::WindowActivate || !watched->isWidgetType())
            return false;
        auto* window = static_cast<QWidget*>(watched);
        QWidget* modal = QApplication::activeModalWidget();
        if (!window->isWindow() || !modal || !modal->isVisible()
            || !WindowPlacement::IsBlockedBy(window, modal))
            return false;
        // Queued: the window system is still busy with this activation.
        QPointer<QWidget> target(modal);
        QTimer::singleShot(0, modal, [target] {
            if (target && target->isVisible() && QApplication::activeWindow() != target)
                target->activateWindow();
        });
        return false;
    }
};

// True when a shown window other than `except` has the keyboard.
bool otherWindowActive(const QWidget* except)
{
    const QWidget* active = QApplication::activeWindow();
    return active && active != except && active->isVisible();
}

} // namespace

namespace WindowPlacement {

bool IsBlockedBy(const QWidget* window, const QWidget* modal)
{
    if (!window || !modal || window == modal || within(window, modal))
        return false;
    switch (modal->windowModality()) {
    case Qt::ApplicationModal:
        return true;
    case Qt::WindowModal:
        // Blocked when the window and the modal one share a parent window.
        for (const QWidget* p = modal->parentWidget(); p; p = p->parentWidget()) {
            if (p->isWindow() && within(window, p))
                return true;
        }
        return false;
    default:
        return false;
    }
}

void HandBackFocus(QWidget* window)
{
    if (!window || !window->isWindow())
        return;
    QPointer<QWidget> hidden(window);
    QPointer<QWidget> owner(OwnerWindow(window));
    QTimer::singleShot(0, qApp, [hidden, owner] {
        if (otherWindowActive(hidden))
            return; // another window has the keyboard already
        QWidget* target = QApplication::activeModalWidget();
        if (!target || !target->isVisible())
            target = owner;
        if (target && target != hidden && target->isVisible()
            && !(target->windowFlags() & Qt::WindowDoesNotAcceptFocus))
            target->activateWindow();
    });
}

void GuardModalFocus()
{
    static QPointer<ModalFocusGuard> guard;
    if (guard || !qApp)
        return;
    guard = new ModalFocusGuard(qApp);
    qApp->installEventFilter(guard);
}


QWidget* OwnerWindow(const QWidget* window)
{
    if (!window)
        return nullptr;
    QWidget* parent = window->parentWidget();
    return parent ? parent->window() : nullptr;
}

QRect DisplayArea(const QWidget* reference)
{
    QScreen* screen = screenOf(reference);
    return screen ? screen->availableGeometry() : QRect();
}

QRect KeepInside(const QRect& rect, const QRect& area)
{
    if (area.isEmpty())
        return rect;
    return QRect(QPoint(keepSpan(rect.x(), rect.width(), area.x(), area.width()),
                        keepSpan(rect.y(), rect.height(), area.y(), area.height())),
                 rect.size());
}

void PlaceOnShow(QWidget* window, QWidget* owner)
{
    if (!window || !window->isWindow())
        return;
    if (owner == window)
        owner = nullptr;
    const QWidget* reference = owner ? owner : window;

    if (window->windowState() & Qt::WindowFullScreen) {
        // Without a window manager nobody else gives a full-screen window
        // its screen; with one, this is the geometry it gives anyway.
        if (QScreen* screen = screenOf(reference)) {
            if (window->geometry() != screen->geometry())
                window->setGeometry(screen->geometry());
        }
        return;
    }
    if (window->windowState() & Qt::WindowMaximized)
        return; // the window system sizes it

    // Frame geometry throughout: move() places the frame, and a window
    // manager's decoration belongs on the display too.
    const QRect area = DisplayArea(reference);
    QRect target = window->frameGeometry();
    const bool placedByCaller = window->testAttribute(Qt::WA_Moved);
    if (!placedByCaller) {
        const QRect over = owner ? owner->frameGeometry() : area;
        target.moveCenter(over.center());
    }
    target = KeepInside(target, area);
    if (target.topLeft() != window->frameGeometry().topLeft())
        window->move(target.topLeft());
    // A position chosen here is no explicit position: the next showing
    // centres the window again over wherever its owner is then.
    if (!placedByCaller)
        window->setAttribute(Qt::WA_Moved, false);
}

QRect PopupRect(const QRect& wanted, const QRect& anchor, int rowHeight, int frame, int rows,
                const QRect& area)
{
    if (area.isEmpty() || wanted.width() <= 0)
        return wanted;
    rowHeight = qMax(rowHeight, 1);
    frame = qMax(frame, 0);
    rows = qMax(rows, 1);
    // Whole rows that fit `room` pixels, at least one.
    const auto wholeRows = [&](int room) {
        const int fitting = qMax((room - frame) / rowHeight, 1);
        return frame + fitting * rowHeight;
    };

    QRect rect = KeepInside(QRect(wanted.topLeft(), QSize(wanted.width(), 1)), area);
    // Moved back onto the display the popup may come to lie over the line:
    // then it goes below or above the line, not across it.
    const bool overLine = rect.left() <= anchor.right() && rect.right() >= anchor.left();
    // Both stay on the display even when the line itself does not.
    const int belowTop = qMax(overLine ? anchor.bottom() + 1 : wanted.top(), area.top());
    const int aboveBottom = qMin(overLine ? anchor.top() : anchor.bottom() + 1, area.bottom() + 1);

    const int roomBelow = area.bottom() + 1 - belowTop;
    const int roomAbove = aboveBottom - area.top();
    const int enough = frame + rowHeight * qMin(rows, 3);
    if (roomBelow >= enough || roomBelow >= roomAbove) {
        // The wanted height stands while it fits; none wanted, the rows decide.
        int height = wanted.height();
        if (height <= 0 || height > roomBelow || belowTop != wanted.top())
            height = qMin(wholeRows(roomBelow), height > 0 ? height : frame + rowHeight * rows);
        // Whole rows only: a row cut at the foot is hard to read and to tap.
        if (height >= frame + rowHeight)
            height = wholeRows(height);
        rect.setTop(belowTop);
        rect.setHeight(height);
        return rect;
    }
    const int height = qMin(wholeRows(roomAbove), frame + rowHeight * rows);
    rect.setTop(aboveBottom - height);
    rect.setHeight(height);
    return rect;
}

void BringToFront(QWidget* window)
{
    if (!window || !window->isWindow())
        return;
    if (window->windowFlags() & Qt::WindowStaysOnBottomHint)
        return;
    window->raise();
    if (window->testAttribute(Qt::WA_ShowWithoutActivating)
        || (window->windowFlags() & Qt::WindowDoesNotAcceptFocus))
        return;
    window->activateWindow();
}

bool ReclaimKeyboard(QWidget* widget)
{
    QWidget* window = widget ? widget->window() : nullptr;
    if (!window || !window->isVisible()
        || (window->windowFlags() & Qt::WindowDoesNotAcceptFocus))
        return false;
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal->isVisible() && IsBlockedBy(window, modal))
        return false; // the modal window keeps it
    if (otherWindowActive(window))
        return false; // the cashier went on in another window
    if (QApplication::activeWindow() != window)
        window->activateWindow();
    return true;
}

} // namespace WindowPlacement
