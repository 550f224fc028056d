// The secondary screens of the demo checkout, opened as a cashier opens them,
// at each supported display size and in each language: the coupon screen in
// both modes, the deposit menu, deposit list, pick-up and quantity pad, the
// option, promotion-type and customer dialogs, the preset-key arrangement,
// the floating button and the member log-in box. In every state the cashier
// can reach, every window lies on the display, no caption is cut, and in
// English no caption is left in Chinese. Where a screen stays open across a
// language switch, it is switched there and back while open.
// KXPOS_FIT_SIZES (for example "800x600") limits the sizes, so that a real X
// server of exactly that size can run its rows; KXPOS_FIT_SHOTS names a
// folder for a picture of the whole display after every checked step.
// The sales screen behind the others is measured by tst_screens_fit.

#include "FitCheck.h"
#include "TestAccess.h"
#include "tst_e2e_driver.h"

#include "coupon/CouponUsageWidget.h"
#include "deposit/DepositPluNumbInputWidget.h"
#include "deposit/DepositPluWidget.h"
#include "deposit/DepositWidget.h"
#include "deposit/GetDepositWidget.h"
#include "options/CustomerInfoWidget.h"
#include "options/SelectProType.h"
#include "presetkeys/PosFloatForm.h"
#include "presetkeys/SortPluManagement.h"

#include "contracts/PackContentWidget.h"
#include "contracts/TitleWidget.h"

#include <cstdio>

using namespace KxPosTest;
using E2e::clickNamed;
using E2e::keyTarget;
using E2e::whenModal;

namespace {


bool hasHan(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x3400 && c.unicode() <= 0x9FFF)
            return true;
    }
    return false;
}

// Whether `w` and its ancestors up to its window are shown and it is not
// scrolled out of sight.
bool onShow(const QWidget* w)
{
    if (!w->isVisible())
        return false;
    const QRect inWindow(w->mapTo(w->window(), QPoint(0, 0)), w->size());
    for (const QWidget* p = w->parentWidget(); p && !p->isWindow(); p = p->parentWidget()) {
        if (!QRect(p->mapTo(w->window(), QPoint(0, 0)), p->size()).intersects(inWindow))
            return false;
    }
    return true;
}

} // namespace

class ScreensFitDialogsTest : public ScreenTestCase
{
    Q_OBJECT

    QRect m_display;
    QStringList m_problems;
    // Object names (or their beginnings) of widgets that show the host's
    // data, which keeps the language it was given in.
    QStringList m_hostData;
    std::unique_ptr<DemoHost> m_host;

    // The demo checkout at the running row's size and language, on a fresh
    // copy of its configuration, changed by `configure` before the host starts.
    void open(const std::function<void()>& configure = {})
    {
        QFETCH(QSize, size);
        QFETCH(QString, language);
        m_problems.clear();
        m_hostData.clear();
        E2e::prepareDemo(config().path(), size, language, configure);
        m_display = displayRect(size);
        m_host = std::make_unique<DemoHost>();
        m_host->Show();
        QVERIFY(QTest::qWaitForWindowExposed(m_host->Screen()));
        QVERIFY(QTest::qWaitFor([this] { return m_host->Log().contains(QStringLiteral("new sale")); }, 2000));
    }

    bool isHostData(const QWidget* w) const
    {
        for (const QString& name : m_hostData) {
            if (w->objectName().startsWith(name))
                return true;
        }
        return false;
    }

    // Captions still in Chinese while the checkout speaks English. The
    // host's data keeps the language it was given in and is skipped.
    QStringList untranslated() const
    {
        QStringList found;
        if (!KxPosConfig::sLanguage.startsWith(QLatin1String("en")))
            return found;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window == m_host->Screen() || !window->isVisible() || window->inherits("QTipLabel"))
                continue;
            QList<QWidget*> widgets = window->findChildren<QWidget*>();
            widgets.prepend(window);
            for (QWidget* w : qAsConst(widgets)) {
                if (w->window() != window || !onShow(w) || isHostData(w))
                    continue;
                QString text;
                if (auto* button = qobject_cast<QAbstractButton*>(w))
                    text = button->text();
                else if (auto* label = qobject_cast<QLabel*>(w))
                    text = label->text();
                else if (auto* edit = qobject_cast<QLineEdit*>(w))
                    text = edit->placeholderText();
                else if (auto* header = qobject_cast<QHeaderView*>(w); header && header->model())
                    for (int s = 0; s < header->count(); ++s)
                        text += header->model()->headerData(s, header->orientation()).toString();
                if (w == window)
                    text = window->windowTitle();
                // What the tooltip shows and what a screen reader says are texts too.
                for (const QString& t : {text, w->toolTip(), w->accessibleName()}) {
                    if (hasHan(t))
                        found << QStringLiteral("%1: \"%2\" is not in English").arg(widgetPath(w), t);
                }
            }
        }
        return found;
    }

    // Records what does not fit, or is not translated, after the step named `state`.
    void check(const QString& state)
    {
        // A step's layout, a queued return to the application size and the X server's answer come after it.
        if (!waitUntilStill())
            m_problems << state + QStringLiteral(": the windows did not come to rest");
        // The sales screen behind has a fit program of its own.
        QStringList found;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window != m_host->Screen() && window->isVisible() && !window->inherits("QTipLabel"))
                found << fitProblems(window, m_display);
        }
        for (const QString& p : found + untranslated())
            m_problems << state + QStringLiteral(": ") + p;
        saveFitShot(state);
    }

    // The host switches the language while the screen is open, and back.
    void switchLanguageThereAndBack(const QString& state)
    {
        const QString first = KxPosTranslator::Language();
        const QString other = first.startsWith(QLatin1String("en")) ? QStringLiteral("zh_CN") : QStringLiteral("en");
        for (const QString& language : {other, first}) {
            KxPosTranslator::SetLanguage(language);
            check(QStringLiteral("%1, switched to %2").arg(state, language));
        }
    }


    void key(Qt::Key k) { QTest::keyClick(keyTarget(m_host->Screen()), k); }
    void type(const QString& text)
    {
        for (const QChar c : text)
            QTest::keyClicks(keyTarget(m_host->Screen()), QString(c));
    }
    void enter(const QString& code) { type(code), key(Qt::Key_Return); }

    bool logInMember()
    {
        m_host->PressKey(Qt::Key_F2);
        DemoMemberLogin* box = m_host->MemberLogin();
        if (!QTest::qWaitFor([box] { return QApplication::focusWidget() == box->CodeLine(); }))
            return false;
        enter(QStringLiteral("13812345678"));
        return !box->isVisible();
    }

    // Runs `steps` on the modal dialog of class T that `open` brings up, once
    // it is on the display; `steps` closes it. False when none came.
    template <class T>
    bool whileModal(const std::function<void()>& open, const std::function<void(T*)>& steps)
    {
        bool ran = false;
        whenModal(m_host->Screen(), [this, &ran, &steps](QWidget* modal) {
            auto* dialog = qobject_cast<T*>(modal);
            if (!dialog) {
                m_problems << widgetPath(modal) + QStringLiteral(": opened instead of ") + QLatin1String(T::staticMetaObject.className());
                modal->close();
                return;
            }
            // The cashier answers what is on the display.
            if (!QTest::qWaitForWindowExposed(dialog))
                m_problems << widgetPath(dialog) + QStringLiteral(": never shown on the display");
            steps(dialog);
            ran = true;
        });
        open();
        return QTest::qWaitFor([&ran] { return ran; });
    }

    // F8 opens the deposit menu (for the logged-in member), where key 0
    // deposits and key 1 picks up.
    bool depositMenu(Qt::Key choice)
    {
        return whileModal<DepositWidget>([this] { m_host->PressKey(Qt::Key_F8); },
                                         [this, choice](DepositWidget* menu) {
                                             check(QStringLiteral("deposit menu, a member logged in"));
                                             QTest::keyClick(menu, choice);
                                         })
               && !m_host->Deposits().Menu()->isVisible();
    }

    // The member leaves goods on the deposit list: a quantity preset, then
    // each code; the deposit key stores them.
    bool deposit(const QStringList& codes, const QString& state = QString())
    {
        if (!depositMenu(Qt::Key_0))
            return false;
        DepositPluWidget* entry = m_host->Deposits().Entry();
        if (!E2e::keyboardIn(entry))
            return false;
        if (!state.isEmpty())
            check(state + QStringLiteral(", empty"));
        type(QStringLiteral("6"));
        key(Qt::Key_F3);
        for (const QString& code : codes)
            enter(code);
        type(QStringLiteral("12"));
        if (!state.isEmpty()) {
            check(state + QStringLiteral(", goods listed"));
            switchLanguageThereAndBack(state);
        }
        key(Qt::Key_Backspace);
        key(Qt::Key_Backspace);
        key(Qt::Key_F12);
        // Stored: the list closes and the sales screen takes the keyboard back.
        return QTest::qWaitFor([entry] { return !entry->isVisible(); }) && E2e::keyboardIn(m_host->Screen())
               && QTest::qWaitFor([this] { return QApplication::focusWidget() == m_host->Screen()->getUiQLineEdit(26); });
    }

private slots:
    void cleanup()
    {
        m_host.reset();
        ScreenTestCase::cleanup();
    }

    void couponDeduction_data() { sizeAndLanguageRows(); }
    void couponDeduction()
    {
        // Five channels fill the bar without paging; the host's channel
        // names may be long.
        open([] {
            KxPosConfig::SetValue(QStringLiteral("TRADE_CertificateChannel"),
                                  QStringLiteral(R"([{"ChannelName":"美团","ChannelCode":"MT"},)"
                                                 R"({"ChannelName":"抖音","ChannelCode":"DY"},)"
                                                 R"({"ChannelName":"快手","ChannelCode":"KS"},)"
                                                 R"({"ChannelName":"Neighbourhood group buying","ChannelCode":"NG"},)"
                                                 R"({"ChannelName":"会员积分商城兑换","ChannelCode":"JF"}])"));
        });
        m_hostData << QStringLiteral("btnChannel"); // channel names come from the host's setting

        m_host->PressKey(Qt::Key_F4);
        CouponUsageWidget* coupons = m_host->DeductCouponScreen();
        QVERIFY(QTest::qWaitFor([coupons] { return coupons->isVisible(); }));
        QTRY_COMPARE(QApplication::focusWidget(), child<QLineEdit>(coupons, "txtCouponCode"));
        check(QStringLiteral("coupon screen, empty"));
        for (const char* code : {"1001", "1002", "1003"})
            enter(QLatin1String(code));
        QCOMPARE(coupons->GetCouponWidgetData().size(), 3);
        QVERIFY(tapCouponArea(coupons, 0, CouponItemDelegate::PlusArea));
        check(QStringLiteral("coupon screen, coupons listed"));
        QVERIFY(clickNamed(coupons, QStringLiteral("btnCodePad")));
        check(QStringLiteral("coupon screen, its pad open"));
        QVERIFY(clickNamed(coupons, QStringLiteral("btnCodePad")));
        QVERIFY(clickNamed(coupons, QStringLiteral("btnConfirm")));
        check(QStringLiteral("coupon screen, a coupon used"));
        switchLanguageThereAndBack(QStringLiteral("coupon screen"));

        QTest::mouseClick(coupons->findChild<TitleWidget*>()->closeButton(), Qt::LeftButton);
        QTRY_VERIFY(!coupons->isVisible());
        verifyNoFitProblems(m_problems);
    }

    void couponExchange_data() { sizeAndLanguageRows(); }
    void couponExchange()
    {
        open();

        m_host->PressKey(Qt::Key_F7);
        CouponUsageWidget* coupons = m_host->ExchangeCouponScreen();
        QVERIFY(QTest::qWaitFor([coupons] { return coupons->isVisible(); }));
        QTRY_COMPARE(QApplication::focusWidget(), child<QLineEdit>(coupons, "txtCouponCode"));
        check(QStringLiteral("exchange screen, empty"));

        // Two of four products are chosen; their list shows, a weighed one is weighed.
        enter(QStringLiteral("8001"));
        auto* choices = child<QTableView>(coupons, "tbvPluSelection");
        QCOMPARE(choices->model()->rowCount(), 4);
        check(QStringLiteral("exchange screen, product choice"));
        tapCell(choices, 0, 1);
        tapCell(choices, 2, 1);
        check(QStringLiteral("exchange screen, two products chosen"));
        QVERIFY(clickNamed(coupons, QStringLiteral("btnPackConfirm")));
        auto* products = child<QTableView>(coupons, "tbvPluList");
        QTRY_VERIFY(products->isVisible());
        QCOMPARE(products->model()->rowCount(), 2);
        check(QStringLiteral("exchange screen, products page"));
        QVERIFY(clickNamed(coupons, QStringLiteral("btnCodePad")));
        check(QStringLiteral("exchange screen, products page, pad open"));
        QVERIFY(clickNamed(coupons, QStringLiteral("btnCodePad")));
        switchLanguageThereAndBack(QStringLiteral("exchange screen, products page"));

        // A package whose contents are chosen; its name and its items' are the host's.
        m_hostData << QStringLiteral("lblPackTitle") << QStringLiteral("packName") << QStringLiteral("packGroup_")
                   << QStringLiteral("packItemName");
        enter(QStringLiteral("8002"));
        QTRY_VERIFY(coupons->findChild<PackContentWidget*>()->isVisible());
        check(QStringLiteral("exchange screen, package contents"));
        switchLanguageThereAndBack(QStringLiteral("exchange screen, package contents"));

        QTest::mouseClick(coupons->findChild<TitleWidget*>()->closeButton(), Qt::LeftButton);
        QTRY_VERIFY(!coupons->isVisible());
        verifyNoFitProblems(m_problems);
    }

    void depositMenu_data() { sizeAndLanguageRows(); }
    void depositMenu()
    {
        open();

        QVERIFY(whileModal<DepositWidget>([this] { m_host->PressKey(Qt::Key_F8); }, [this](DepositWidget* menu) {
            check(QStringLiteral("deposit menu"));
            switchLanguageThereAndBack(QStringLiteral("deposit menu"));
            QTest::mouseClick(child<QPushButton>(menu, "btnClose"), Qt::LeftButton);
        }));
        QTRY_VERIFY(!m_host->Deposits().Menu()->isVisible());
        verifyNoFitProblems(m_problems);
    }

    void depositEntry_data() { sizeAndLanguageRows(); }
    void depositEntry()
    {
        open();
        m_hostData << QStringLiteral("btnphone") << QStringLiteral("lblCashier"); // the clerk's and cashier's names

        QVERIFY(logInMember());
        QVERIFY(deposit({QStringLiteral("6901234568301"), QStringLiteral("6921168509256"), QStringLiteral("1001")},
                        QStringLiteral("deposit list")));
        verifyNoFitProblems(m_problems);
    }

    void depositPickUp_data() { sizeAndLanguageRows(); }
    void depositPickUp()
    {
        open();
        m_hostData << QStringLiteral("lblName") << QStringLiteral("lblCashier"); // the member's and cashier's names

        QVERIFY(logInMember());
        QVERIFY(deposit({QStringLiteral("6901234568301"), QStringLiteral("6902083881405")}));
        QVERIFY(deposit({QStringLiteral("6921168509256"), QStringLiteral("1001"), QStringLiteral("6901234569476")}));
        QVERIFY(depositMenu(Qt::Key_1));
        GetDepositWidget* pickUp = m_host->Deposits().PickUp();
        QVERIFY(E2e::keyboardIn(pickUp));
        QCOMPARE(KxPosTestAccess::ShownLines(*pickUp).size(), 2);
        check(QStringLiteral("pick-up, first order"));
        key(Qt::Key_Down);
        QCOMPARE(KxPosTestAccess::ShownLines(*pickUp).size(), 3);
        key(Qt::Key_Space);
        check(QStringLiteral("pick-up, second order, a line ticked"));
        switchLanguageThereAndBack(QStringLiteral("pick-up"));

        // The quantity pad over the pick-up screen.
        key(Qt::Key_F3);
        DepositPluNumbInputWidget* pad = m_host->Deposits().Pad();
        QVERIFY(E2e::keyboardIn(pad));
        check(QStringLiteral("quantity pad"));
        switchLanguageThereAndBack(QStringLiteral("quantity pad"));
        key(Qt::Key_Backspace);
        enter(QStringLiteral("2"));
        QVERIFY(!pad->isVisible());
        check(QStringLiteral("pick-up, quantity changed"));

        QVERIFY(E2e::keyboardIn(pickUp));
        key(Qt::Key_Escape);
        QTRY_VERIFY(!pickUp->isVisible());
        verifyNoFitProblems(m_problems);
    }

    void foodOptions_data() { sizeAndLanguageRows(); }
    void foodOptions()
    {
        open();
        m_hostData << QStringLiteral("PushButton"); // option names are the host's

        // Pearl milk tea: two sizes, nine tastes in two groups, nine add-ons.
        QVERIFY(whileModal<SelectSpuWidget>([this] { m_host->Scan(QStringLiteral("3001")); }, [this](SelectSpuWidget* spu) {
            check(QStringLiteral("option dialog"));
            for (int grid : {SelectSpuWidget::GridTaste, SelectSpuWidget::GridAdd}) {
                if (QPushButton* page = KxPosTestAccess::PageKey(*spu, grid); page && page->isVisible()) {
                    QTest::mouseClick(page, Qt::LeftButton);
                    check(QStringLiteral("option dialog, grid %1 on its next page").arg(grid));
                }
            }
            QTest::mouseClick(KxPosTestAccess::GridButtons(*spu, SelectSpuWidget::GridSpec).value(1), Qt::LeftButton);
            check(QStringLiteral("option dialog, a size chosen"));
            switchLanguageThereAndBack(QStringLiteral("option dialog"));
            QTest::mouseClick(child<QPushButton>(spu, "btnClose"), Qt::LeftButton);
        }));
        QVERIFY(m_host->Log().contains(QStringLiteral("options of 3001 not chosen")));
        verifyNoFitProblems(m_problems);
    }

    void promotionType_data() { sizeAndLanguageRows(); }
    void promotionType()
    {
        open();

        QVERIFY(whileModal<SelectProType>([this] { emit m_host->Screen()->SignTrdDynFunc(DemoOptions::FnPromotionType); },
                                          [this](SelectProType* dialog) {
                                              check(QStringLiteral("promotion type"));
                                              switchLanguageThereAndBack(QStringLiteral("promotion type"));
                                              QTest::mouseClick(child<QPushButton>(dialog, "btnClose"), Qt::LeftButton);
                                          }));
        verifyNoFitProblems(m_problems);
    }

    void customerForm_data() { sizeAndLanguageRows(); }
    void customerForm()
    {
        open();

        m_hostData << QStringLiteral("cmb"); // the area names are the host's
        const auto open = [this] { emit m_host->Screen()->SignTrdDynFunc(DemoOptions::FnCustomer); };
        QVERIFY(whileModal<CustomerInfoWidget>(open, [this](CustomerInfoWidget* form) {
            check(QStringLiteral("customer form"));
            // The longest district name there is, in a box narrower than it
            // on every screen: it is cut on purpose and whole in the tooltip.
            const QStringList place = {QStringLiteral("甘肃省"), QStringLiteral("临夏回族自治州"),
                                       QStringLiteral("积石山保安族东乡族撒拉族自治县")};
            for (int level = 0; level < 3; ++level) {
                QComboBox* box = form->getUiQComboBox(level);
                const int index = box->findText(place.at(level));
                box->setCurrentIndex(index);
                emit box->activated(index);
                emit box->textActivated(place.at(level));
            }
            QTest::keyClicks(form->getUiQLineEdit(1), QStringLiteral("1201"));
            for (int level = 0; level < 3; ++level) {
                QComboBox* box = form->getUiQComboBox(level);
                QStyleOptionComboBox option;
                option.initFrom(box);
                const int room = box->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                              QStyle::SC_ComboBoxEditField, box).width();
                if (box->currentText() != place.at(level))
                    m_problems << QStringLiteral("customer form: %1 not chosen").arg(place.at(level));
                else if (box->fontMetrics().horizontalAdvance(place.at(level)) > room && box->toolTip() != place.at(level))
                    m_problems << QStringLiteral("customer form: \"%1\" is cut without its tooltip").arg(place.at(level));
            }
            check(QStringLiteral("customer form, a district chosen"));
            switchLanguageThereAndBack(QStringLiteral("customer form"));
            QTest::mouseClick(child<QPushButton>(form, "btnClose"), Qt::LeftButton);
        }));
        verifyNoFitProblems(m_problems);
    }

    void presetKeyArrangement_data() { sizeAndLanguageRows(); }
    void presetKeyArrangement()
    {
        open();
        m_hostData << QStringLiteral("preGroup_") << QStringLiteral("prePlu_"); // the store's groups and products

        emit m_host->Screen()->SignTrdDynFunc(DemoOptions::FnArrangeKeys);
        SortPluManagement* arrange = nullptr;
        QVERIFY(QTest::qWaitFor(
            [&arrange] { return (arrange = qobject_cast<SortPluManagement*>(E2e::shownWindow("SortPluManagement"))); }));
        check(QStringLiteral("preset-key arrangement"));
        PrePluGroupShowWidget* keys = m_host->Options().PresetKeys();
        QVERIFY(keys && keys->window() == arrange);
        if (auto* key = keys->findChild<QPushButton*>(QStringLiteral("prePlu_3002")))
            QTest::mouseClick(key, Qt::LeftButton);
        QVERIFY(clickNamed(arrange, QStringLiteral("btnDown")));
        check(QStringLiteral("preset-key arrangement, a key moved"));
        switchLanguageThereAndBack(QStringLiteral("preset-key arrangement"));
        QVERIFY(clickNamed(arrange, QStringLiteral("btnClose")));
        QTRY_VERIFY(!arrange->isVisible());
        verifyNoFitProblems(m_problems);
    }

    void floatingButton_data() { sizeAndLanguageRows(); }
    void floatingButton()
    {
        open();

        emit m_host->Screen()->SignTrdDynFunc(DemoOptions::FnHideScreen);
        PosFloatForm* button = m_host->Options().FloatButton();
        QTRY_VERIFY(button->isVisible());
        QVERIFY(!m_host->Screen()->isVisible());
        check(QStringLiteral("floating button"));
        switchLanguageThereAndBack(QStringLiteral("floating button"));
        QTest::mouseClick(button->getUiQPushButton(0), Qt::LeftButton);
        QTRY_VERIFY(m_host->Screen()->isVisible());
        QVERIFY(!button->isVisible());
        verifyNoFitProblems(m_problems);
    }

    void memberLogin_data() { sizeAndLanguageRows(); }
    void memberLogin()
    {
        open();

        m_host->PressKey(Qt::Key_F2);
        DemoMemberLogin* box = m_host->MemberLogin();
        QTRY_COMPARE(QApplication::focusWidget(), box->CodeLine());
        check(QStringLiteral("member log-in"));
        switchLanguageThereAndBack(QStringLiteral("member log-in"));
        enter(QStringLiteral("13800000000"));
        QVERIFY(box->isVisible());
        check(QStringLiteral("member log-in, code refused"));
        switchLanguageThereAndBack(QStringLiteral("member log-in, code refused"));
        QVERIFY(clickNamed(box, QStringLiteral("memberCancel")));
        QTRY_VERIFY(!box->isVisible());
        verifyNoFitProblems(m_problems);
    }
};

QTEST_MAIN(ScreensFitDialogsTest)
#include "tst_screens_fit_dialogs.moc"
