// The demo checkout's windows behave as on a till without a window manager:
// every secondary screen and dialog opens centred over the sales screen, on
// the display, modal to the sales screen (its keys take no click and it
// cannot keep the keyboard), and gives the keyboard back when it closes; a
// message of the coupon screen opens above it and takes the click; the
// customer-display advertisement covers no key and takes no click or focus;
// the code line's suggestion list lies on the display.
//
// Works on the real shown geometry, offscreen and under an X server. Under
// xcb with xdotool installed, clicks are also made as real pointer clicks.
// KXPOS_FIT_SIZES (for example "1920x1080") limits the application sizes.

#include "FitCheck.h"
#include "tst_e2e_driver.h"

#include "DemoDeposits.h"
#include "DemoOptions.h"
#include "DemoOrders.h"

#include "deposit/DepositPluWidget.h"
#include "deposit/GetDepositWidget.h"

#include "contracts/TableView.h"
#include "contracts/QtCompat_p.h"

#include <iterator>

using namespace KxPosTest;
using E2e::shownWindow;

namespace {


QByteArray sizeName(const QSize& size)
{
    return QByteArray::number(size.width()) + 'x' + QByteArray::number(size.height());
}

void sizeRows()
{
    QTest::addColumn<QSize>("size");
    for (const QSize& size : fitSizes())
        QTest::newRow(sizeName(size).constData()) << size;
}

bool onX11()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

// Real pointer clicks need an X server and xdotool.
bool canClickForReal()
{
    return onX11() && !QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty();
}

// Sees the pointer enter a widget at a given place on the display.
class EnterWatch : public QObject
{
public:
    explicit EnterWatch(const QPoint& at) : at(at) {}
    const QPoint at;
    bool entered = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Enter && KxPosQt::globalPosition(static_cast<QEnterEvent*>(event)) == at)
            entered = true;
        return false;
    }
};

// Clicks at `global` through the X server, then moves the pointer on to `after` (in a window that takes the
// pointer, away from the widget clicked). The window system delivers the click before the move, so once a
// widget sees the pointer enter at `after`, the click has been handled, whatever it did.
void realClick(const QPoint& global, const QPoint& after)
{
    EnterWatch watch(after);
    qApp->installEventFilter(&watch);
    const auto number = [](int n) { return QString::number(n); };
    QProcess::execute(QStringLiteral("xdotool"),
                      {QStringLiteral("mousemove"), number(global.x()), number(global.y()), QStringLiteral("click"),
                       QStringLiteral("1"), QStringLiteral("mousemove"), number(after.x()), number(after.y())});
    const bool arrived = QTest::qWaitFor([&watch] { return watch.entered; }, 10000);
    qApp->removeEventFilter(&watch);
    if (!arrived)
        QTest::qFail("the pointer's move after a real click never arrived", __FILE__, __LINE__);
}

// The display the windows must lie on: the sales screen's screen.
QRect displayOf(const QWidget* sales)
{
    return sales->screen()->availableGeometry();
}

QRect globalRect(const QWidget* w)
{
    return QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
}

QString describe(const QRect& r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// One axis of a window over the sales screen: centred on `centre` unless
// that leaves the display, then moved just onto it; a window larger than the
// display starts at its edge.
QString axisProblem(const char* axis, int start, int length, int centre, int displayStart, int displayLength)
{
    const int displayEnd = displayStart + displayLength;
    if (length >= displayLength)
        return start == displayStart ? QString()
                                     : QStringLiteral("%1: larger than the display but starts at %2, not %3")
                                           .arg(QLatin1String(axis)).arg(start).arg(displayStart);
    if (start < displayStart || start + length > displayEnd)
        return QStringLiteral("%1: %2..%3 leaves the display %4..%5")
            .arg(QLatin1String(axis)).arg(start).arg(start + length).arg(displayStart).arg(displayEnd);
    const int centred = centre - length / 2;
    const int wanted = qBound(displayStart, centred, displayEnd - length);
    return qAbs(start - wanted) <= 1 ? QString()
                                     : QStringLiteral("%1: starts at %2, centred over the sales screen it starts at %3")
                                           .arg(QLatin1String(axis)).arg(start).arg(wanted);
}

// The visible keys of the sales screen's own window.
QList<QAbstractButton*> salesKeys(QWidget* sales)
{
    QList<QAbstractButton*> keys;
    for (QAbstractButton* b : sales->findChildren<QAbstractButton*>()) {
        if (b->window() == sales && b->isVisible() && b->isEnabled() && b->width() > 4 && b->height() > 4)
            keys << b;
    }
    return keys;
}

// Problems of the shown secondary window `w` over the sales screen: where it
// lies, whether it is modal, whether a key of the sales screen takes a click
// and whether the sales screen can keep the keyboard.
QStringList secondaryProblems(QWidget* w, QWidget* sales)
{
    QStringList problems;
    waitUntilStill();
    if (!w || !w->isVisible())
        return {QStringLiteral("not shown")};
    const QRect display = displayOf(sales);
    const QRect r = w->frameGeometry();
    if (w->windowState() & Qt::WindowFullScreen) {
        // It covers the sales screen's screen from its corner (a window that
        // cannot be made that small may keep its least size).
        const QRect screen = sales->screen()->geometry();
        const QRect g = w->geometry();
        if (g.topLeft() != screen.topLeft() || !g.contains(screen)
            || g.width() > qMax(screen.width(), w->minimumWidth())
            || g.height() > qMax(screen.height(), w->minimumHeight()))
            problems << QStringLiteral("full screen at %1, not over the sales screen's screen %2")
                            .arg(describe(w->geometry()), describe(screen));
    } else {
        const QPoint centre = sales->frameGeometry().center();
        for (const QString& p : {axisProblem("x", r.x(), r.width(), centre.x(), display.x(), display.width()),
                                 axisProblem("y", r.y(), r.height(), centre.y(), display.y(), display.height())}) {
            if (!p.isEmpty())
                problems << QStringLiteral("at %1: %2").arg(describe(r), p);
        }
    }
    if (QApplication::activeModalWidget() != w->window())
        problems << QStringLiteral("not the modal window (the modal one is %1)")
                        .arg(QApplication::activeModalWidget() ? QApplication::activeModalWidget()->objectName()
                                                               : QStringLiteral("none"));

    // Every key of the sales screen, clicked through its window as the
    // window system delivers a click: none may react.
    for (QAbstractButton* key : salesKeys(sales)) {
        QSignalSpy pressed(key, &QAbstractButton::pressed);
        QTest::mouseClick(sales->windowHandle(), Qt::LeftButton, {}, key->mapTo(sales, key->rect().center()));
        if (!pressed.isEmpty())
            problems << QStringLiteral("the sales screen's key %1 (%2) took a click")
                            .arg(key->objectName(), key->text());
        if (!w->isVisible())
            return problems << QStringLiteral("closed by a click on the sales screen");
    }

    // A real click on a key that no other window covers.
    if (canClickForReal()) {
        for (QAbstractButton* key : salesKeys(sales)) {
            const QPoint at = key->mapToGlobal(key->rect().center());
            bool covered = !display.contains(at);
            for (QWidget* top : QApplication::topLevelWidgets())
                covered = covered || (top != sales && top->isVisible() && top->frameGeometry().contains(at));
            if (covered)
                continue;
            QSignalSpy pressed(key, &QAbstractButton::pressed);
            realClick(at, w->mapToGlobal(QPoint(2, 2)));
            if (!pressed.isEmpty())
                problems << QStringLiteral("the sales screen's key %1 took a real click").arg(key->objectName());
            break;
        }
    }

    // Whatever activates the sales screen (a touch, a timer of the host),
    // the keyboard goes back to the modal window.
    sales->activateWindow();
    if (!QTest::qWaitFor([w] { return QApplication::activeWindow() == w->window(); }, 5000))
        problems << QStringLiteral("the keyboard stays with %1")
                        .arg(QApplication::activeWindow() ? QApplication::activeWindow()->objectName()
                                                          : QStringLiteral("no window"));
    return problems;
}


void closeWindow(QWidget* w)
{
    if (auto* dialog = qobject_cast<QDialog*>(w))
        dialog->done(0);
    else if (w)
        w->close();
}

// Runs `step` with the message boxes filled but not run (as without a user),
// so that set-up steps that tell the cashier something do not wait.
void withoutUser(const std::function<void()>& step)
{
    const QByteArray previous = qgetenv("KXPOS_NONINTERACTIVE");
    qputenv("KXPOS_NONINTERACTIVE", "1");
    step();
    qputenv("KXPOS_NONINTERACTIVE", previous);
}

// Watches which widget a mouse press reaches.
class PressWatch : public QObject
{
public:
    QList<QPointer<QObject>> targets;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType())
            targets << watched;
        return false;
    }
};

// How each secondary screen opens, as the cashier or the host opens it, and
// which window it is. The pick-up and its quantity pad need goods on deposit
// first, the pad an open pick-up.
struct SecondaryScreen {
    const char* name;
    void (*open)(DemoHost&);
    QWidget* (*window)(DemoHost&);
};

void hostFunction(DemoHost& host, const QString& code) { emit host.Screen()->SignTrdDynFunc(code); }

const SecondaryScreen SecondaryScreens[] = {
    {"coupon deduction", [](DemoHost& h) { h.PressKey(Qt::Key_F4); },
     [](DemoHost& h) -> QWidget* { return h.DeductCouponScreen(); }},
    {"coupon exchange", [](DemoHost& h) { h.PressKey(Qt::Key_F7); },
     [](DemoHost& h) -> QWidget* { return h.ExchangeCouponScreen(); }},
    {"deposit menu", [](DemoHost& h) { h.PressKey(Qt::Key_F8); }, [](DemoHost&) { return shownWindow("DepositWidget"); }},
    {"deposit entry", [](DemoHost& h) { h.Deposits().StartDeposit(); },
     [](DemoHost& h) -> QWidget* { return h.Deposits().Entry(); }},
    {"pick-up", [](DemoHost& h) { h.Deposits().StartPickUp(); },
     [](DemoHost& h) -> QWidget* { return h.Deposits().PickUp(); }},
    {"quantity pad",
     [](DemoHost& h) {
         h.Deposits().PickUp()->on_btnNextRow_clicked();
         h.Deposits().PickUp()->on_btnEditNum_clicked();
     },
     [](DemoHost&) { return shownWindow("DepositPluNumbInputWidget"); }},
    {"options", [](DemoHost& h) { h.Scan(QStringLiteral("3001")); }, [](DemoHost&) { return shownWindow("SelectSpuWidget"); }},
    {"promotion type", [](DemoHost& h) { hostFunction(h, DemoOptions::FnPromotionType); },
     [](DemoHost&) { return shownWindow("SelectProType"); }},
    {"customer form", [](DemoHost& h) { hostFunction(h, DemoOptions::FnCustomer); },
     [](DemoHost&) { return shownWindow("CustomerInfoWidget"); }},
    {"preset-key arrangement", [](DemoHost& h) { hostFunction(h, DemoOptions::FnArrangeKeys); },
     [](DemoHost&) { return shownWindow("SortPluManagement"); }},
    {"member log-in", [](DemoHost& h) { h.PressKey(Qt::Key_F2); },
     [](DemoHost& h) -> QWidget* { return h.MemberLogin(); }},
};

} // namespace

class ScreensWindowsTest : public ScreenTestCase
{
    Q_OBJECT

    void prepare(const QSize& size)
    {
        E2e::prepareDemo(config().path(), size, QStringLiteral("en"));
    }

    // Shows the demo's sales screen and waits until it has the keyboard.
    void showSales(DemoHost& host)
    {
        host.Show();
        QVERIFY(QTest::qWaitForWindowExposed(host.Screen()));
        host.Screen()->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(host.Screen()));
        QVERIFY(waitUntilStill());
    }

private slots:
    void secondaryWindows_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("screen");
        for (const QSize& size : fitSizes()) {
            for (int i = 0; i < int(std::size(SecondaryScreens)); ++i)
                QTest::newRow((sizeName(size) + ' ' + SecondaryScreens[i].name).constData()) << size << i;
        }
    }
    void secondaryWindows()
    {
        QFETCH(QSize, size);
        QFETCH(int, screen);
        const SecondaryScreen& secondary = SecondaryScreens[screen];
        prepare(size);
        DemoHost host;
        TradeWidget* sales = host.Screen();
        showSales(host);

        QWidget* beneath = sales; // the window that gets the keyboard back
        const QByteArray name = secondary.name;
        if (name == "pick-up" || name == "quantity pad") {
            // A member with goods on deposit.
            // Each window is let come up before it goes, as with a cashier.
            withoutUser([&] {
                host.PressKey(Qt::Key_F2);
                QVERIFY(QTest::qWaitForWindowExposed(host.MemberLogin()));
                host.MemberLogin()->CodeLine()->setText(QStringLiteral("13812345678"));
                emit host.MemberLogin()->CodeLine()->returnPressed();
                host.Deposits().StartDeposit();
                QVERIFY(QTest::qWaitForWindowExposed(host.Deposits().Entry()));
                emit host.Deposits().Entry()->SignDepositAddPlu(QStringLiteral("6901234567892"));
                host.Deposits().Entry()->on_btnDeposit_clicked();
            });
            QVERIFY2(!host.Deposits().OrdersOf(host.Member().vipId).isEmpty(), "the set-up deposit was not taken");
            // The member shown may change the sales screen's size: the
            // screens open over it as it is then.
            QVERIFY(waitUntilStill());
            if (name == "quantity pad") {
                host.Deposits().StartPickUp();
                QTRY_VERIFY(host.Deposits().PickUp()->isVisible());
                beneath = host.Deposits().PickUp();
            }
        }

        QStringList problems;
        bool inspected = false;
        QWidget* shown = nullptr;
        const auto inspect = [&] {
            if (inspected)
                return;
            inspected = true;
            shown = secondary.window(host);
            problems = secondaryProblems(shown, sales);
            closeWindow(shown);
        };
        // A modal run returns only after the inspection closed the window.
        QTimer::singleShot(400, sales, inspect);
        secondary.open(host);
        QTRY_VERIFY_WITH_TIMEOUT(inspected, 10000);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QStringLiteral("; "))));
        QVERIFY(shown && !shown->isVisible());
        // Closed, it gives the keyboard back to the window beneath.
        QTRY_COMPARE(QApplication::activeWindow(), beneath);
        QCOMPARE(QApplication::activeModalWidget(), beneath == sales ? nullptr : beneath);
    }

    // A message of the coupon screen opens above it, centred over it, and
    // takes the cashier's click; the keyboard then goes back to the screen.
    void couponMessage_data() { sizeRows(); }
    void couponMessage()
    {
        QFETCH(QSize, size);
        if (UiTool::IsNonInteractive())
            QSKIP("message boxes are only filled, not shown, without a user (offscreen, or on an X server unless "
                  "KXPOS_NONINTERACTIVE=0)");
        if (!canClickForReal())
            QSKIP("stacking is seen through a real click: needs an X server (xcb) and xdotool");
        prepare(size);
        DemoHost host;
        showSales(host);
        host.PressKey(Qt::Key_F4);
        CouponUsageWidget* coupons = host.DeductCouponScreen();
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(coupons));
        auto* code = child<QLineEdit>(coupons, "txtCouponCode");

        // Coupons of two channels: the screen refuses the second with a message.
        QTest::keyClicks(code, QStringLiteral("1001"));
        QTest::keyClick(code, Qt::Key_Return);
        QString where;
        bool clickClosed = false;
        QTimer::singleShot(400, coupons, [&] {
            auto* box = qobject_cast<MessageWidget*>(QApplication::activeModalWidget());
            if (!box) {
                where = QStringLiteral("no message box is the modal window");
                return;
            }
            const QRect r = box->frameGeometry();
            const QPoint centre = coupons->frameGeometry().center();
            const QRect display = displayOf(coupons);
            where = axisProblem("x", r.x(), r.width(), centre.x(), display.x(), display.width())
                    + axisProblem("y", r.y(), r.height(), centre.y(), display.y(), display.height());
            if (box->parentWidget() != coupons)
                where += QStringLiteral(" not a window of the coupon screen");
            auto* ok = child<QPushButton>(box, "messageOk");
            realClick(ok->mapToGlobal(ok->rect().center()), box->mapToGlobal(QPoint(2, 2)));
            clickClosed = !box->isVisible();
            if (!clickClosed)
                box->done(0); // under the coupon screen the click went to the screen
        });
        QTest::keyClicks(code, QStringLiteral("2001"));
        QTest::keyClick(code, Qt::Key_Return);
        QVERIFY2(where.isEmpty(), qPrintable(where));
        QVERIFY2(clickClosed, "the click on the message's key did not reach it");
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(coupons));
        coupons->Close();
    }

    // The advertisement asked for after an idle empty sale covers no key of
    // the sales screen and takes neither a click nor the keyboard.
    void advertisement_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("secondScreen");
        for (const QSize& size : fitSizes()) {
            QTest::newRow((sizeName(size) + " one display").constData()) << size << false;
            QTest::newRow((sizeName(size) + " second screen").constData()) << size << true;
        }
    }
    void advertisement()
    {
        QFETCH(QSize, size);
        QFETCH(bool, secondScreen);
        if (secondScreen && QGuiApplication::screens().size() < 2)
            QSKIP("needs a second screen (for example Xvfb -screen 0 ... -screen 1 ...)");
        prepare(size);
        KxPosConfig::SetValue(QStringLiteral("DISPLAY_IdleTimeout"), QStringLiteral("1"));
        DemoHost host;
        TradeWidget* sales = host.Screen();
        showSales(host);
        if (!secondScreen && QGuiApplication::screens().size() > 1)
            QSKIP("with a second screen the advertisement never shows on the cashier's display");

        // A sale that empties again: after a second the screen asks.
        host.Scan(QStringLiteral("6901234567892"));
        host.PressKey(Qt::Key_Delete);
        QWidget* focusBefore = QApplication::focusWidget();
        QTRY_VERIFY_WITH_TIMEOUT(host.Orders().CustomerDisplay() && host.Orders().CustomerDisplay()->isVisible(), 5000);
        QLabel* display = host.Orders().CustomerDisplay();
        QVERIFY(waitUntilStill());

        QCOMPARE(QApplication::activeWindow(), static_cast<QWidget*>(sales));
        QCOMPARE(QApplication::focusWidget(), focusBefore);
        QVERIFY(!display->hasFocus());

        if (secondScreen) {
            QVERIFY(display->isWindow());
            QVERIFY(display->screen() != sales->screen());
            QCOMPARE(display->geometry(), display->screen()->geometry());
            QVERIFY(display->windowFlags() & Qt::WindowTransparentForInput);
            QVERIFY(display->windowFlags() & Qt::WindowDoesNotAcceptFocus);
        } else {
            const QRect shown = globalRect(display);
            for (QAbstractButton* key : salesKeys(sales))
                QVERIFY2(!globalRect(key).intersects(shown),
                         qPrintable(QStringLiteral("covers the key %1 (%2) at %3")
                                        .arg(key->objectName(), key->text(), describe(globalRect(key)))));
            // A click on it reaches what lies below, not the advertisement.
            PressWatch watch;
            qApp->installEventFilter(&watch);
            const QPoint centre = sales->mapFromGlobal(shown.center());
            QTest::mouseClick(sales->windowHandle(), Qt::LeftButton, {}, centre);
            if (canClickForReal())
                realClick(shown.center(), sales->mapToGlobal(QPoint(2, 2)));
            qApp->removeEventFilter(&watch);
            QVERIFY(!watch.targets.isEmpty());
            for (const QPointer<QObject>& target : watch.targets)
                QVERIFY2(target != display, "the advertisement took a click");
        }

        // The next scan takes the advertisement away.
        host.Scan(QStringLiteral("6901234567892"));
        QTRY_VERIFY(!display->isVisible());
    }

    // The code line's suggestions lie on the display, whole rows of them tall
    // enough to tap, without covering the line.
    void suggestionPopup_data() { sizeRows(); }
    void suggestionPopup()
    {
        QFETCH(QSize, size);
        prepare(size);
        DemoHost host;
        TradeWidget* sales = host.Screen();
        showSales(host);
        for (const QChar c : QStringLiteral("690"))
            host.PressKey(Qt::Key_0 + (c.unicode() - '0'), QString(c));
        // The screen names its suggestion list "mycompleter".
        QAbstractItemView* popup = nullptr;
        QTRY_VERIFY((popup = qobject_cast<QAbstractItemView*>(shownWindow("QAbstractItemView")))
                    && popup->objectName() == QLatin1String("mycompleter"));
        QVERIFY(waitUntilStill());

        const QRect display = displayOf(sales);
        const QRect r = popup->frameGeometry();
        QVERIFY2(display.contains(r), qPrintable(QStringLiteral("the list at %1 leaves the display %2")
                                                     .arg(describe(r), describe(display))));
        // Rows a finger can tap (the style's 40 px), and no row cut at the list's foot.
        const int row = popup->sizeHintForRow(0);
        QVERIFY2(row >= 40, qPrintable(QStringLiteral("rows of %1 px are too small to tap").arg(row)));
        QVERIFY2(popup->viewport()->height() >= row && popup->viewport()->height() % row == 0,
                 qPrintable(QStringLiteral("%1 px high, rows of %2").arg(popup->viewport()->height()).arg(row)));
        auto* line = child<QLineEdit>(sales, "txtcode");
        QVERIFY2(!r.intersects(globalRect(line)), "the list covers the code line");
    }
};

QTEST_MAIN(ScreensWindowsTest)
#include "tst_screens_windows.moc"
