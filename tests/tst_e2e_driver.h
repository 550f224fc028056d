#pragma once
// What the end-to-end scenarios share: the demo checkout as a newcomer runs it (its shipped configuration,
// 1024x768, Chinese) and a cashier's hands on it. The scenario programs derive from KxPosTest::ScreenTestCase.
// Every step goes through real key events on the focused widget and mouse clicks on visible buttons; the
// scenarios check what the screens show and what the demo host recorded.

#include "TestScreens.h"
#include "TestAccess.h"
#include "TestSupport.h"

#include "DemoHost.h"
#include "DemoMemberLogin.h"
#include "Screenshots.h"

#include "coupon/CouponPluTableModel.h"
#include "coupon/CouponUsageWidget.h"
#include "options/SelectSpuWidget.h"
#include "trade/TradeWidget.h"

#include "contracts/ChangeWidget.h"
#include "contracts/KeyBoardWidget.h"
#include "contracts/KxPosConfig.h"
#include "contracts/KxPosModel.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/MessageWidget.h"
#include "contracts/QuestionMessage.h"
#include "contracts/TableModel.h"
#include "contracts/UiTool.h"

#include <QAbstractItemModelTester>
#include <QtTest>
#include <QtWidgets>

#include <functional>
#include <memory>

namespace E2e {

using KxPosTest::tapCell;

inline QString msg(int id) { return KxPosTranslator::GetTranslation(id); }

// A caption without the line breaks that key captions are wrapped with.
inline QString flat(QString text) { return text.remove(QLatin1Char('\n')).remove(QLatin1Char('\r')); }

// The widget that takes the next key, as the window system delivers it: the widget holding the keyboard grab, else
// the focused widget, else the active window (a screen whose widgets take no focus), else `fallback`.
inline QWidget* keyTarget(QWidget* fallback)
{
    if (QWidget* grabber = QWidget::keyboardGrabber())
        return grabber;
    QWidget* focus = QApplication::focusWidget();
    QWidget* active = QApplication::activeWindow();
    return focus && focus->isVisible() ? focus : active && active->isVisible() ? active : fallback;
}

// Waits until the keyboard is in `screen`: its window was activated.
inline bool keyboardIn(QWidget* s) { return QTest::qWaitFor([s] { return QApplication::activeWindow() == s->window(); }); }

// Clicks the first visible, enabled button of `root` that `pick` accepts (by default: named `name`).
inline bool clickNamed(QWidget* root, const QString& name, std::function<bool(QAbstractButton*)> pick = {})
{
    for (QAbstractButton* b : root->findChildren<QAbstractButton*>()) {
        if (b->isVisible() && b->isEnabled() && (pick ? pick(b) : b->objectName() == name))
            return QTest::mouseClick(b, Qt::LeftButton), true;
    }
    return false;
}

// A tap on `w` as the window system delivers a finger's: to an open popup first (QTest's widget clicks go to
// the widget directly, past any popup).
inline void tapOnScreen(QWidget* w)
{
    QWidget* top = w->window();
    QTest::mouseClick(top->windowHandle(), Qt::LeftButton, {}, w->mapTo(top, w->rect().center()));
}

// The open modal dialog, if any.
inline QWidget* modal() { return QApplication::activeModalWidget(); }

// Runs `answer` once a modal dialog is open (polled on the event loop, so it runs inside the dialog's exec()).
// Gives up after five seconds, or when `context` (the screen the dialog is opened from) goes.
inline void whenModal(QObject* context, std::function<void(QWidget*)> answer)
{
    auto* timer = new QTimer(context);
    QObject::connect(timer, &QTimer::timeout, [timer, answer, polls = 0]() mutable {
        if (!modal() && ++polls < 500)
            return;
        timer->deleteLater();
        timer->stop();
        if (modal())
            answer(modal());
    });
    timer->start(10);
}

// Presses the key of option `name` in one grid of the food option dialog, turning the grid's pages until it shows.
inline bool choose(QWidget* dialog, SelectSpuWidget::Grid grid, const QString& name)
{
    auto* spu = qobject_cast<SelectSpuWidget*>(dialog);
    for (int page = 0; spu && page < 5; ++page) {
        for (QPushButton* key : KxPosTestAccess::GridButtons(*spu, grid)) {
            if (key->isVisible() && key->text().section(QLatin1Char('\n'), 0, 0) == name)
                return QTest::mouseClick(key, Qt::LeftButton), true;
        }
        if (!KxPosTestAccess::PageKey(*spu, grid) || !KxPosTestAccess::PageKey(*spu, grid)->isVisible())
            return false;
        QTest::mouseClick(KxPosTestAccess::PageKey(*spu, grid), Qt::LeftButton);
    }
    return false;
}

// The row of the coupon product list that holds product `code`; -1 when none does.
inline int productRow(QAbstractItemView* products, const QString& code)
{
    for (int row = 0; row < products->model()->rowCount(); ++row)
        if (products->model()->index(row, 0).data(CouponPluTableModel::RecordRole).value<KxPosPluDetail>().pluCode == code)
            return row;
    return -1;
}

// Exchange coupon 8001 on the exchange screen by taps alone: its code on the screen's pad, apples (row 0) and milk
// (row 2) tapped among its four products, their choice confirmed. True once the product list shows the two.
inline bool tapExchangeCouponProducts(CouponUsageWidget* exchange)
{
    auto* pad = exchange->findChild<KeyBoardWidget*>();
    if (!pad || !clickNamed(exchange, QStringLiteral("btnCodePad")) || !pad->isVisible())
        return false;
    for (const char* key : {"8", "0", "0", "1", "ok"})
        QTest::mouseClick(pad->key(QLatin1String(key)), Qt::LeftButton);
    auto* choices = exchange->findChild<QTableView*>(QStringLiteral("tbvPluSelection"));
    if (choices->model()->rowCount() != 4)
        return false;
    tapCell(choices, 0, 1);
    tapCell(choices, 2, 1);
    clickNamed(exchange, QStringLiteral("btnPackConfirm"));
    return exchange->findChild<QTableView*>(QStringLiteral("tbvPluList"))->model()->rowCount() == 2;
}

// The same by keys alone, the code typed into the focused code box: Space ticks the apples, Down twice and Space the
// milk, Enter confirms.
template <class Till>
bool keyExchangeCouponProducts(Till& till, CouponUsageWidget* exchange)
{
    till.Enter(QStringLiteral("8001"));
    if (exchange->findChild<QTableView*>(QStringLiteral("tbvPluSelection"))->model()->rowCount() != 4)
        return false;
    for (Qt::Key key : {Qt::Key_Space, Qt::Key_Down, Qt::Key_Down, Qt::Key_Space, Qt::Key_Return})
        till.Key(key);
    return KxPosTestAccess::CurrentPage(*exchange) == int(CouponUsageWidget::CouponPluListType)
        && exchange->findChild<QTableView*>(QStringLiteral("tbvPluList"))->model()->rowCount() == 2;
}

// Moves the product list's current row to product `code` with Down.
template <class Till>
bool keyToProduct(Till& till, QTableView* products, const QString& code)
{
    for (int i = 0; i <= products->model()->rowCount(); ++i) {
        if (products->currentIndex().row() == productRow(products, code))
            return true;
        till.Key(Qt::Key_Down);
    }
    return false;
}

// Moves the option dialog's keyboard cursor to the key of `name` in `grid` and presses Space there, with the
// arrows and Tab only (the grid's page key is pressed with Space too). False when the grid has no such option.
inline bool keyToOption(SelectSpuWidget* dialog, SelectSpuWidget::Grid grid, const QString& name)
{
    const auto focused = [dialog] { return qobject_cast<QPushButton*>(dialog->focusWidget()); };
    const auto press = [dialog](Qt::Key key) { QTest::keyClick(keyTarget(dialog), key); };
    for (int step = 0; step < 80; ++step) {
        QPushButton* key = focused();
        if (!key || !KxPosTestAccess::GridButtons(*dialog, grid).contains(key)) {
            press(Qt::Key_Tab);
            continue;
        }
        if (key == KxPosTestAccess::PageKey(*dialog, grid)) {
            // The next page, then back to its first option: on to the next grid and back again.
            press(Qt::Key_Space);
            press(Qt::Key_Tab);
            press(Qt::Key_Backtab);
            continue;
        }
        if (key->text().section(QLatin1Char('\n'), 0, 0) == name) {
            press(Qt::Key_Space);
            return true;
        }
        press(Qt::Key_Right);
        if (focused() == key)
            return false; // the last option of the last page
    }
    return false;
}

// The row of `view` whose cell in `column` reads `text`; -1 when none does.
inline int rowOf(QAbstractItemView* view, int column, const QString& text)
{
    for (int row = 0; row < view->model()->rowCount(); ++row)
        if (view->model()->index(row, column).data().toString() == text)
            return row;
    return -1;
}

inline QString cellOf(QAbstractItemView* view, int row, int column) { return view->model()->index(row, column).data().toString(); }

// The demo's shipped configuration in the folder `dir`, its store, the texts of `language` and the application
// size `size` with its style sheet, before a demo host starts.
inline void prepareDemo(const QString& dir, const QSize& size, const QString& language,
                        const std::function<void()>& configure = {})
{
    KxPosConfig::SetConfigDir(dir);
    SeedDemoConfig(dir);
    ApplyDemoStore();
    if (configure)
        configure();
    KxPosTranslator::SetLanguage(language);
    KxPosConfig::SetAppSize(size.width(), size.height());
    UiTool::ApplyStyleSheet(qApp);
}

// The first visible top-level window of the class.
inline QWidget* shownWindow(const char* className)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->inherits(className))
            return w;
    return nullptr;
}

// The demo checkout on a fresh copy of its shipped configuration.
class Checkout
{
public:
    Checkout()
    {
        SeedDemoConfig(m_config.path());
        KxPosConfig::sOrgCode = QStringLiteral("0101");
        KxPosConfig::sPosNo = QStringLiteral("03");
        KxPosConfig::sCshName = QStringLiteral("刘洋");
        KxPosConfig::SetAppSize(1024, 768);
        UiTool::ApplyStyleSheet(qApp);
        KxPosTest::resetMessageSeams();
        host = std::make_unique<DemoHost>();
        screen = host->Screen();
        // Every change the host makes to the sale lines is checked as it happens.
        m_tester = std::make_unique<QAbstractItemModelTester>(screen->GetTable()->model(),
                                                              QAbstractItemModelTester::FailureReportingMode::QtTest);
        screen->resize(1024, 768);
        host->Show();
        screen->activateWindow();
    }
    ~Checkout() { m_tester.reset(), host.reset(); }

    // Waits until the host has opened `sales` sales (the first starts 200 ms after showing).
    bool WaitForSale(int sales = 1) const
    {
        return QTest::qWaitFor([this, sales] { return host->Log().count(QStringLiteral("new sale")) >= sales; }, 2000);
    }

    // Waits until the weighing panel shows `weight` as a stable reading (the simulated scale settles after a
    // few readings, 200 ms apart).
    bool WaitForStableWeight(const QString& weight) const
    {
        auto* stable = screen->findChild<QAbstractButton*>(QStringLiteral("btnStable"));
        return QTest::qWaitFor([&] { return stable->isChecked() && Label("lblWeight") == weight; }, 3000);
    }

    void Key(Qt::Key key) { QTest::keyClick(keyTarget(screen), key); }
    // Key by key, each to the widget that has the keyboard at that moment (a key may close a popup).
    void Type(const QString& text)
    {
        for (const QChar c : text)
            QTest::keyClicks(keyTarget(screen), QString(c));
    }
    // A code typed (or scanned) and confirmed.
    void Enter(const QString& code) { Type(code), Key(Qt::Key_Return); }
    bool Click(const char* objectName) { return clickNamed(screen, QLatin1String(objectName)); }

    // Presses the function key with this caption: on the shortcut bar when it is there, else in the function
    // grid (paging through it).
    bool Function(const QString& caption)
    {
        if (clickNamed(screen, {}, [&caption](QAbstractButton* b) {
                return b->objectName().startsWith(QLatin1String("toolButtonKey")) && flat(b->property("caption").toString()) == caption;
            }))
            return true;
        QDockWidget* grid = screen->getUiQDockWidget(22);
        if (grid->isHidden())
            Click("toolButtonKeyMore");
        for (int page = 0; page < 5 && grid->isVisible(); ++page) {
            if (clickNamed(screen->findChild<QWidget*>(QStringLiteral("widgetFunc")), {},
                           [&caption](QAbstractButton* b) { return flat(b->text()) == caption; }))
                return true;
            Click("btnNextFunc");
        }
        return false;
    }

    // Chooses the function with this caption in the function menu ("/"): Down until it is current, then Enter.
    bool FunctionByKeys(const QString& caption, const QString& submenu = QString())
    {
        Type(QStringLiteral("/"));
        QMenu* menu = host->FunctionMenu();
        if (!menu || !QTest::qWaitFor([menu] { return menu->isVisible(); }))
            return false;
        // Down until the caption is the active entry, as a cashier would.
        auto reach = [](QMenu* m, const QString& text) {
            auto active = [m, &text] { return m->activeAction() && flat(m->activeAction()->text()) == text; };
            for (int i = 0; i < m->actions().size() && !active(); ++i)
                QTest::keyClick(m, Qt::Key_Down);
            return active();
        };
        if (!submenu.isEmpty()) {
            if (!reach(menu, submenu)) {
                QTest::keyClick(menu, Qt::Key_Escape);
                return false;
            }
            QTest::keyClick(menu, Qt::Key_Right);
            QMenu* sub = menu->activeAction()->menu();
            if (!sub || !QTest::qWaitFor([sub] { return sub->isVisible(); })) {
                QTest::keyClick(menu, Qt::Key_Escape);
                return false;
            }
            menu = sub;
        }
        const bool found = reach(menu, caption);
        if (found) {
            QTest::keyClick(menu, Qt::Key_Return);
        } else {
            while (QWidget* popup = QApplication::activePopupWidget())
                QTest::keyClick(popup, Qt::Key_Escape);
        }
        return found;
    }

    // The member key (F2) and her phone number typed into the log-in box; true once she is logged in.
    bool LogInMember(const QString& phone)
    {
        Key(Qt::Key_F2);
        if (!QTest::qWaitFor([this] { return QApplication::focusWidget() == host->MemberLogin()->CodeLine(); }))
            return false;
        Enter(phone);
        return !host->MemberLogin()->isVisible();
    }

    // The change popup after a payment, checked to show `change`; null when none shows.
    ChangeWidget* Change(const QString& change)
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* popup = qobject_cast<ChangeWidget*>(w); popup && popup->isVisible() && popup->amount() == change)
                return popup;
        return nullptr;
    }

    // After a payment: the change popup shows `change`; the cashier's Enter closes it while it waits for one,
    // and the next sale (number `sale`) starts.
    void ChangeThenNextSale(const QString& change, int sale)
    {
        ChangeWidget* popup = Change(change);
        QVERIFY(popup);
        if (QTest::qWaitFor([popup] { return !popup->isVisible() || QApplication::activeWindow() == popup; }, 2000)
            && popup->isVisible())
            Key(Qt::Key_Return);
        QVERIFY(WaitForSale(sale));
        QTRY_VERIFY(!popup->isVisible());
        QTRY_VERIFY(screen->IsTradeActive());
    }

    int Rows() const { return screen->GetTable()->model()->rowCount(); }
    QString Cell(int row, int column) const { return screen->GetTable()->model()->data(row, column); }
    // Code, quantity and amount of a sale line, as the table shows them.
    QStringList Line(int row) const { return {Cell(row, 1), Cell(row, 4), Cell(row, 8)}; }
    QString Label(const char* objectName) const
    {
        const auto* label = screen->findChild<QLabel*>(QLatin1String(objectName));
        return label ? label->text() : QString();
    }
    QStringList Messages() const { return KxPosTest::messageTexts(); }

    KxPosTest::ScopedConfigDir m_config;
    std::unique_ptr<QAbstractItemModelTester> m_tester;
    std::unique_ptr<DemoHost> host;
    TradeWidget* screen = nullptr;
};

} // namespace E2e

// Opens the demo checkout as `till` in the running test function and waits for its first sale, which fails the
// test when none starts.
#define E2E_OPEN_CHECKOUT(till)                                                                                        \
    E2e::Checkout till;                                                                                                \
    QVERIFY(till.WaitForSale())
