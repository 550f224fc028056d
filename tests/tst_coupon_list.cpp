// The coupon screen's list: search, the keyboard, channel bar and mutual exclusion,
// duplicates and clearing, driven as a host and a cashier would. The
// refusals themselves are walked by tst_refusals.

#include "TestAccess.h"
#include "TestRecords.h"
#include "TestScreens.h"
#include "TestSupport.h"

#include "coupon/CouponUsageWidget.h"

#include "contracts/KeyBoardWidget.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/MessageWidget.h"
#include "contracts/TitleWidget.h"

#include <QAbstractItemModelTester>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QtTest>

using namespace KxPosTest;

namespace {
const QString ChannelsJson = QStringLiteral(
    R"([{"ChannelName":"美团","ChannelCode":"MT"},{"ChannelName":"抖音","ChannelCode":"DY"},)"
    R"({"ChannelName":"快手","ChannelCode":"KS"}])");

QString channelsJson(int count)
{
    QStringList items;
    for (int i = 0; i < count; ++i)
        items << QStringLiteral(R"({"ChannelName":"渠道%1","ChannelCode":"C%1"})").arg(i);
    return QLatin1Char('[') + items.join(QLatin1Char(',')) + QLatin1Char(']');
}
// Sends each key of `keys` (a key code, with modifier bits) to the focused
// widget of `screen`, as a cashier's keyboard would.
void pressKeys(QWidget* screen, const QList<int>& keys)
{
    for (int code : keys) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : screen->focusWidget();
        if (!target)
            target = screen;
        QTest::keyClick(target, Qt::Key(code & ~int(Qt::KeyboardModifierMask)),
                        Qt::KeyboardModifiers(code & int(Qt::KeyboardModifierMask)));
    }
}

// The coupon ids of each use request the screen hands over by "use coupons"
// (used) and by "finish" (finished). The signals pass the product map by
// reference, which QSignalSpy cannot hold.
struct UseRecorder
{
    QObject context;
    QList<QStringList> used;
    QList<QStringList> finished;
    explicit UseRecorder(CouponUsageWidget* screen)
    {
        const auto ids = [](const QList<QVariantMap>& requests) {
            QStringList list;
            for (const QVariantMap& request : requests)
                list << request.value(QStringLiteral("CouponID")).toString();
            return list;
        };
        QObject::connect(screen, &CouponUsageWidget::SignUseCouponAndAddPlu, &context,
                         [this, ids](CouponPluListMap&, const QList<QVariantMap>& r) { used << ids(r); });
        QObject::connect(screen, &CouponUsageWidget::SignUseCouponFinished, &context,
                         [this, ids](CouponPluListMap&, const QList<QVariantMap>& r) { finished << ids(r); });
    }
};
} // namespace

class CouponListTest : public ScreenTestCase
{
    Q_OBJECT

private slots:
    void searchSendsCodeAndChannel_data()
    {
        QTest::addColumn<bool>("deduct");
        QTest::addColumn<QString>("channels");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key"); // 0: the search button
        QTest::addColumn<QString>("channel");
        QTest::newRow("return, first channel") << true << ChannelsJson << "889900" << int(Qt::Key_Return) << "MT";
        QTest::newRow("search button, no channels") << true << QString() << "5566" << 0 << "";
        QTest::newRow("exchange sends jh") << false << ChannelsJson << "5566" << int(Qt::Key_Return) << "jh";
        QTest::newRow("blanks send nothing") << true << ChannelsJson << "   " << 0 << "MT";
    }

    void searchSendsCodeAndChannel()
    {
        QFETCH(bool, deduct);
        QFETCH(QString, channels);
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(QString, channel);
        auto screen = couponScreen(deduct, channels);
        QCOMPARE(child<QWidget>(screen.get(), "widgetChannel")->isVisible(), !channel.isEmpty() && deduct);
        QSignalSpy search(screen.get(), &CouponUsageWidget::SignSearchCoupon);
        auto* line = child<QLineEdit>(screen.get(), "txtCouponCode");
        QTest::keyClicks(line, typed);
        if (key)
            QTest::keyClick(line, Qt::Key(key));
        else
            clickChild(screen.get(), "btnSearch");
        const bool sent = !typed.trimmed().isEmpty();
        QCOMPARE(search.count(), sent ? 1 : 0);
        if (sent) {
            QCOMPARE(search.at(0), (QList<QVariant>{typed, channel}));
            QCOMPARE(line->text(), QString());
            // The box keeps no undo history of searched codes (it grew all day).
            QVERIFY(!line->isUndoAvailable());
        }
        QVERIFY(MessageWidget::History().isEmpty());
    }

    // Deduction mode by keys alone: coupons A1 and A2 are listed, both
    // ticked, A2 current, the focus in the code box.
    void keysOnly_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QStringList>("used");     // ids handed over by "use coupons"
        QTest::addColumn<QStringList>("finished"); // ids handed over by "finish"
        QTest::addColumn<bool>("open");
        QTest::addColumn<QString>("searched");
        using K = QList<int>;
        QTest::newRow("Enter on the empty code box uses both")
            << K{Qt::Key_Return} << QStringList{"A1", "A2"} << QStringList{} << true << "";
        QTest::newRow("Space unticks the current coupon")
            << K{Qt::Key_Space, Qt::Key_Enter} << QStringList{"A1"} << QStringList{} << true << "";
        QTest::newRow("Up, Space unticks the first")
            << K{Qt::Key_Up, Qt::Key_Space, Qt::Key_Return} << QStringList{"A2"} << QStringList{} << true << "";
        QTest::newRow("Tab to the list, Up, Space, Enter")
            << K{Qt::Key_Tab, Qt::Key_Up, Qt::Key_Space, Qt::Key_Return} << QStringList{"A2"} << QStringList{}
            << true << "";
        QTest::newRow("F12 finishes") << K{Qt::Key_F12} << QStringList{} << QStringList{"A1", "A2"} << true << "";
        QTest::newRow("Ctrl+Enter finishes")
            << K{int(Qt::Key_Return) | int(Qt::ControlModifier)} << QStringList{} << QStringList{"A1", "A2"} << true
            << "";
        QTest::newRow("Escape leaves, using nothing")
            << K{Qt::Key_Space, Qt::Key_Escape} << QStringList{} << QStringList{} << false << "";
        QTest::newRow("Escape from the list") << K{Qt::Key_Tab, Qt::Key_Escape} << QStringList{} << QStringList{}
                                              << false << "";
        QTest::newRow("typed code is searched, not used")
            << K{Qt::Key_7, Qt::Key_7, Qt::Key_Return} << QStringList{} << QStringList{} << true << "77";
        QTest::newRow("typing on the list goes to the code box")
            << K{Qt::Key_Tab, Qt::Key_8, Qt::Key_Return} << QStringList{} << QStringList{} << true << "8";
    }

    void keysOnly()
    {
        QFETCH(QList<int>, keys);
        auto screen = couponScreen(true, ChannelsJson);
        screen->AddCouponInfo(channelCoupon(QStringLiteral("A1")), true);
        screen->AddCouponInfo(channelCoupon(QStringLiteral("A2")), true);
        UseRecorder requests(screen.get());
        QSignalSpy search(screen.get(), &CouponUsageWidget::SignSearchCoupon);
        pressKeys(screen.get(), keys);
        QTEST(requests.used.value(0), "used");
        QTEST(requests.finished.value(0), "finished");
        QVERIFY(requests.used.size() + requests.finished.size() <= 1);
        QTEST(screen->isVisible(), "open");
        QFETCH(QString, searched);
        QCOMPARE(search.count(), searched.isEmpty() ? 0 : 1);
        if (!searched.isEmpty())
            QCOMPARE(search.at(0).at(0).toString(), searched);
        QVERIFY(MessageWidget::History().isEmpty());
    }

    // Touch alone: the pad's key opens the pad under the code box, its keys
    // type the code and its confirm key does what Enter does. Coupon A1 is
    // listed and ticked beforehand.
    void codeByPad_data()
    {
        QTest::addColumn<bool>("deduct");
        QTest::addColumn<QStringList>("taps"); // pad keys by their key text; "pad" is the pad's own key
        QTest::addColumn<QString>("searched");
        QTest::addColumn<QStringList>("used");
        QTest::addColumn<bool>("padShown");
        QTest::newRow("digits, then confirm searches")
            << true << QStringList{"pad", "1", "0", "0", "1", "ok"} << "1001" << QStringList{} << true;
        QTest::newRow("double zero and backspace")
            << true << QStringList{"pad", "8", "00", "backspace", "ok"} << "80" << QStringList{} << true;
        QTest::newRow("clear starts again")
            << true << QStringList{"pad", "5", "5", "clear", "7", "ok"} << "7" << QStringList{} << true;
        QTest::newRow("confirm with no code uses the ticked coupons")
            << true << QStringList{"pad", "ok"} << "" << QStringList{"A1"} << true;
        QTest::newRow("the pad's key closes it again")
            << true << QStringList{"pad", "3", "pad"} << "" << QStringList{} << false;
        QTest::newRow("exchange mode") << false << QStringList{"pad", "8", "0", "0", "1", "ok"} << "8001"
                                       << QStringList{} << true;
    }

    void codeByPad()
    {
        QFETCH(bool, deduct);
        QFETCH(QStringList, taps);
        QFETCH(QString, searched);
        auto screen = couponScreen(deduct, ChannelsJson);
        if (deduct)
            screen->AddCouponInfo(channelCoupon(QStringLiteral("A1")), true);
        UseRecorder requests(screen.get());
        QSignalSpy search(screen.get(), &CouponUsageWidget::SignSearchCoupon);
        auto* pad = screen->findChild<KeyBoardWidget*>();
        QVERIFY(pad && !pad->isVisible());
        auto* line = child<QLineEdit>(screen.get(), "txtCouponCode");
        for (const QString& tap : taps) {
            QAbstractButton* key = tap == QLatin1String("pad") ? child<QPushButton>(screen.get(), "btnCodePad")
                                                                : pad->key(tap);
            QVERIFY2(key && key->isVisible(), qPrintable(tap));
            QTest::mouseClick(key, Qt::LeftButton);
            // The keyboard stays in the code box: a scanner still works.
            QCOMPARE(screen->focusWidget(), line);
        }
        QCOMPARE(search.count(), searched.isEmpty() ? 0 : 1);
        if (!searched.isEmpty())
            QCOMPARE(search.at(0), (QList<QVariant>{searched, deduct ? "MT" : "jh"}));
        QTEST(requests.used.value(0), "used");
        QTEST(pad->isVisible(), "padShown");
        QVERIFY(MessageWidget::History().isEmpty());
    }

    // The bottom keys, the title, the channel page key and the list's keys
    // show their keys in both languages and both modes.
    void captionsShowKeys_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("deduct");
        QTest::addColumn<QStringList>("listKeys");
        QTest::newRow("zh_CN, deduction") << QStringLiteral("zh_CN") << true << QStringList{"↑↓", "空格", "+-", "Del", "Tab"};
        QTest::newRow("en, deduction") << QStringLiteral("en") << true << QStringList{"↑↓", "Space", "+-", "Del", "Tab"};
        QTest::newRow("zh_CN, exchange") << QStringLiteral("zh_CN") << false << QStringList{"Tab"};
        QTest::newRow("en, exchange") << QStringLiteral("en") << false << QStringList{"Tab"};
    }

    void captionsShowKeys()
    {
        QFETCH(QString, language);
        QFETCH(bool, deduct);
        QFETCH(QStringList, listKeys);
        QVERIFY(KxPosTranslator::SetLanguage(language));
        auto screen = couponScreen(deduct, ChannelsJson);
        const QString listCaption = child<QLabel>(screen.get(), "lblListKeys")->text();
        for (const QString& key : listKeys)
            QVERIFY2(listCaption.contains(key), qPrintable(listCaption));
        QVERIFY(child<QPushButton>(screen.get(), "btnChannelNext")->text().contains(QStringLiteral("PgDn")));
        QVERIFY(child<QPushButton>(screen.get(), "btnConfirm")->text().contains(QStringLiteral("Enter")));
        QVERIFY(child<QPushButton>(screen.get(), "btnSubmit")->text().contains(QStringLiteral("F12")));
        QVERIFY(child<QPushButton>(screen.get(), "btnConfirm")->text().startsWith(translated(7202)));
        QVERIFY(child<TitleWidget>(screen.get(), "TitleWidget")->title().contains(QStringLiteral("Esc")));
    }

    void mutualExclusion_data()
    {
        QTest::addColumn<bool>("deduct");
        QTest::addColumn<QString>("channels");
        QTest::addColumn<QString>("listed");
        QTest::addColumn<bool>("settled"); // the listed coupon's products confirmed
        QTest::addColumn<QString>("current");
        QTest::addColumn<int>("message");
        QTest::newRow("empty list takes any channel") << true << ChannelsJson << "" << true << "B1" << 0;
        QTest::newRow("no channel bar") << true << QString() << "MT" << true << "B1" << 0;
        QTest::newRow("exchange mode ignores channels") << false << ChannelsJson << "MT" << true << "B1" << 0;
        // Listed, but the unsettled coupon stays current.
        QTest::newRow("exchange, first coupon unsettled") << false << ChannelsJson << "MT" << false << "A1" << 2278;
    }

    // A coupon of 抖音 (DY) comes in while coupons of `listed` are on the
    // list (the refusal of another channel is walked by tst_refusals).
    void mutualExclusion()
    {
        QFETCH(bool, deduct);
        QFETCH(QString, channels);
        QFETCH(QString, listed);
        QFETCH(bool, settled);
        QFETCH(QString, current);
        QFETCH(int, message);
        auto screen = couponScreen(deduct, channels);
        QAbstractItemModelTester tester(child<QListView>(screen.get(), "lvCoupon")->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        if (!listed.isEmpty()) {
            CouponWidgetInfo first = channelCoupon(QStringLiteral("A1"), listed);
            first.confirmed = settled;
            screen->AddCouponInfo(first, true);
        }
        const int before = screen->GetCouponWidgetData().size();
        const CouponWidgetInfo incoming = channelCoupon(QStringLiteral("B1"), QStringLiteral("DY"));
        QVERIFY(screen->CheckCouponMutex(incoming));
        screen->AddCouponInfo(incoming, true);
        QCOMPARE(screen->GetCouponWidgetData().size(), before + 1);
        QCOMPARE(screen->GetCurrentCouponInfo().couponId, current);
        QStringList shown;
        for (const auto& m : MessageWidget::History())
            shown << m.first;
        QCOMPARE(shown, message ? QStringList{KxPosTranslator::GetTranslation(message)} : QStringList());
    }

    // A coupon that comes again without the warning refreshes its row in
    // place; the last row becomes current.
    void duplicateRefreshesItsRow()
    {
        auto screen = couponScreen(true);
        screen->AddCouponInfo(channelCoupon(QStringLiteral("A1")), true);
        screen->AddCouponInfo(channelCoupon(QStringLiteral("A2")), true);
        auto* list = child<QListView>(screen.get(), "lvCoupon");
        list->setCurrentIndex(list->model()->index(0, 0));
        CouponWidgetInfo again = channelCoupon(QStringLiteral("A1"));
        again.couponAmount = 25.0;
        QVERIFY(!screen->CheckCouponAdded(again));
        screen->AddCouponInfo(again, false);
        QCOMPARE(screen->GetCouponWidgetData().size(), 2);
        QCOMPARE(screen->GetCouponWidgetData().at(0).couponAmount, 25.0);
        QVERIFY(MessageWidget::History().isEmpty());
        QCOMPARE(list->currentIndex().row(), 1);
    }

    // Nine channels: pages of 4 + 4 + 1 buttons, the next key wraps.
    void channelPaging()
    {
        auto screen = couponScreen(true, channelsJson(9));
        QCOMPARE(screen->ChannelPageCount(), 3);
        const QList<int> buttonsPerPress{4, 4, 1, 4}; // at start and after each press
        for (int press = 0; press < buttonsPerPress.size(); ++press) {
            if (press > 0)
                clickChild(screen.get(), "btnChannelNext");
            const auto buttons = child<QWidget>(screen.get(), "widgetChannelButtons")->findChildren<QPushButton*>();
            QCOMPARE(buttons.size(), buttonsPerPress.at(press));
            QCOMPARE(KxPosTestAccess::ChannelPage(*screen), press % 3);
            // Buttons carry their channel, in configuration order.
            const int first = KxPosTestAccess::ChannelPage(*screen) * 4;
            QCOMPARE(buttons.first()->property("channelCode").toString(), QStringLiteral("C%1").arg(first));
            QCOMPARE(buttons.first()->isChecked(), first == 0);
        }
        QCOMPARE(KxPosTestAccess::ChannelCode(*screen), QStringLiteral("C0")); // paging keeps the channel in use
    }

    void channelSwitchFollowsTheList()
    {
        auto screen = couponScreen(true, ChannelsJson);
        QSignalSpy search(screen.get(), &CouponUsageWidget::SignSearchCoupon);
        QTest::mouseClick(screen->GetChannelButton(QStringLiteral("DY")), Qt::LeftButton); // empty list: any
        QCOMPARE(screen->GetCurrentChannelName(), QStringLiteral("抖音"));
        QTest::keyClicks(child<QLineEdit>(screen.get(), "txtCouponCode"), QStringLiteral("123"));
        QTest::keyClick(child<QLineEdit>(screen.get(), "txtCouponCode"), Qt::Key_Return);
        QCOMPARE(search.at(0).at(1).toString(), QStringLiteral("DY"));
        // The listed coupons' own channel stays available.
        screen->AddCouponInfo(channelCoupon(QStringLiteral("D1"), QStringLiteral("DY")), true);
        QTest::mouseClick(screen->GetChannelButton(QStringLiteral("DY")), Qt::LeftButton);
        QVERIFY(MessageWidget::History().isEmpty());
        // Once the list is empty again the bar is free.
        screen->ClearData();
        QTest::mouseClick(screen->GetChannelButton(QStringLiteral("KS")), Qt::LeftButton);
        QCOMPARE(KxPosTestAccess::ChannelCode(*screen), QStringLiteral("KS"));
        QVERIFY(MessageWidget::History().isEmpty());
    }

    void clearDataEmptiesTheScreen()
    {
        auto screen = couponScreen(true, channelsJson(7));
        clickChild(screen.get(), "btnChannelNext");
        QTest::mouseClick(screen->GetChannelButton(QStringLiteral("C5")), Qt::LeftButton);
        screen->AddCouponInfo(channelCoupon(QStringLiteral("A1"), QStringLiteral("C5")), true);
        QTest::keyClicks(child<QLineEdit>(screen.get(), "txtCouponCode"), QStringLiteral("99"));
        screen->ClearData();
        QVERIFY(screen->GetCouponWidgetData().isEmpty());
        QCOMPARE(child<QLineEdit>(screen.get(), "txtCouponCode")->text(), QString());
        QVERIFY(!child<QLineEdit>(screen.get(), "txtCouponCode")->isUndoAvailable());
        for (const char* total : {"lblTotalAmount", "lblDeductAmount", "lblPayAmount"})
            QCOMPARE(child<QLabel>(screen.get(), total)->text(), QStringLiteral("0.00"));
        QCOMPARE(KxPosTestAccess::ChannelPage(*screen), 0);
        QCOMPARE(KxPosTestAccess::ChannelCode(*screen), QStringLiteral("C5")); // the channel chosen stays
    }
};

QTEST_MAIN(CouponListTest)
#include "tst_coupon_list.moc"
