// The sales screen's member and sales-clerk panel, driven as the host and the
// cashier would: the host pushes members and clerk lists in, the cashier
// clicks the member buttons, the member name and the clerk menu.

#include "TestSupport.h"

#include "trade/TradeWidget.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosModel.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/MessageWidget.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace KxPosTest;

namespace {
KxPosVipDetail member(const QString& name, const QString& code, const QString& phone, double points)
{
    KxPosVipDetail vip;
    vip.vipName = name;
    vip.vipCode = code;
    vip.vipPhone = phone;
    vip.vipPoints = points;
    vip.levelName = QStringLiteral("金卡");
    vip.extValues.insert(QStringLiteral("Balance"), QStringLiteral("88.50"));
    return vip;
}

KxPosEmployeeDetail clerk(const QString& name, const QString& code, bool current = false)
{
    KxPosEmployeeDetail e;
    e.employeeName = name;
    e.employeeCode = code;
    e.isCurrent = current;
    return e;
}

// The menu entries a cashier can choose (separators and section titles left out).
QList<QAction*> entries(QMenu* menu)
{
    QList<QAction*> chosen;
    for (QAction* a : menu->actions()) {
        if (!a->isSeparator())
            chosen << a;
    }
    return chosen;
}
} // namespace

class TradeMemberTest : public ScreenTestCase
{
    Q_OBJECT

private:
    static void setMember(TradeWidget* screen, KxPosVipDetail vip)
    {
        QVERIFY(QMetaObject::invokeMethod(screen, "SlotTrdSetMemberInfo", Q_ARG(KxPosVipDetail*, &vip)));
    }

    static void logOut(TradeWidget* screen)
    {
        QVERIFY(QMetaObject::invokeMethod(screen, "SlotTrdMemberLogOut"));
    }

    static QMenu* clerkMenu(TradeWidget* screen)
    {
        return screen->findChild<QMenu*>(QStringLiteral("employeeMenu"));
    }

private slots:
    // --- Showing a member ----------------------------------------------------

    void showsMember_data()
    {
        QTest::addColumn<KxPosVipDetail>("vip");
        QTest::addColumn<QString>("masking"); // "" leaves the default
        QTest::addColumn<QString>("level");
        QTest::addColumn<QString>("nameAndPhone");
        QTest::addColumn<QString>("points");
        QTest::addColumn<QString>("balance");

        const QString phone = QStringLiteral("13812345678");
        KxPosVipDetail named = member(QStringLiteral("张三丰"), QStringLiteral("M001"), phone, 1234.5);
        QTest::newRow("masked by default, short points") << named << QString() << QStringLiteral("金卡")
                                                          << QStringLiteral("张**\n138****5678")
                                                          << QStringLiteral("1234.5") << QStringLiteral("88.50");

        KxPosVipDetail rich = member(QStringLiteral("张三丰"), QStringLiteral("M001"), phone, 1234567);
        QTest::newRow("large points in exponent form")
            << rich << QStringLiteral("1") << QStringLiteral("金卡") << QStringLiteral("张**\n138****5678")
            << QStringLiteral("1.23457e+06") << QStringLiteral("88.50");

        QTest::newRow("masking off") << named << QStringLiteral("0") << QStringLiteral("金卡")
                                     << QStringLiteral("张三丰\n13812345678") << QStringLiteral("1234.5")
                                     << QStringLiteral("88.50");

        KxPosVipDetail nameless = member(QString(), QStringLiteral("M20240001"), phone, 0);
        QTest::newRow("code stands for an empty name, masked")
            << nameless << QStringLiteral("1") << QStringLiteral("金卡") << QStringLiteral("M********\n138****5678")
            << QStringLiteral("0") << QStringLiteral("88.50");
        QTest::newRow("code stands for an empty name, unmasked")
            << nameless << QStringLiteral("0") << QStringLiteral("金卡") << QStringLiteral("M20240001\n13812345678")
            << QStringLiteral("0") << QStringLiteral("88.50");

        KxPosVipDetail anonymous = member(QString(), QString(), phone, 12);
        QTest::newRow("no name and no code: phone alone")
            << anonymous << QStringLiteral("0") << QStringLiteral("金卡") << phone << QStringLiteral("12")
            << QStringLiteral("88.50");

        KxPosVipDetail alt = member(QStringLiteral("李四"), QStringLiteral("M002"), phone, 0.125);
        alt.levelName.clear();
        alt.levelNameAlt = QStringLiteral("银卡");
        alt.levelRemark = QStringLiteral("九折");
        alt.extValues.clear();
        QTest::newRow("alternative level with remark, no balance")
            << alt << QStringLiteral("0") << QStringLiteral("银卡(九折)") << QStringLiteral("李四\n13812345678")
            << QStringLiteral("0.125") << QStringLiteral("0");

        KxPosVipDetail remarked = member(QStringLiteral("王五"), QStringLiteral("M003"), QString(), 99.999999);
        remarked.levelRemark = QStringLiteral("生日月");
        remarked.extValues.insert(QStringLiteral("Balance"), QStringLiteral("-3"));
        QTest::newRow("level with remark, no phone, rounded points")
            << remarked << QStringLiteral("0") << QStringLiteral("金卡(生日月)") << QStringLiteral("王五\n")
            << QStringLiteral("100") << QStringLiteral("-3");
    }

    void showsMember()
    {
        QFETCH(KxPosVipDetail, vip);
        QFETCH(QString, masking);
        QFETCH(QString, level);
        QFETCH(QString, nameAndPhone);
        QFETCH(QString, points);
        QFETCH(QString, balance);
        if (!masking.isEmpty())
            KxPosConfig::SetValue(QStringLiteral("SYSTEM_VIPMsgEncyShow"), masking);

        TradeWidget screen(0, nullptr);
        QSignalSpy rebind(&screen, &TradeWidget::SignTrdRebindModel);
        setMember(&screen, vip);

        QCOMPARE(rebind.count(), 1);
        QCOMPARE(screen.MemberCode(), vip.vipCode);
        QCOMPARE(child<QLabel>(&screen, "lblVipLvlName")->text(), level);
        QCOMPARE(child<QLabel>(&screen, "lblVipPhone")->text(), nameAndPhone);
        QCOMPARE(child<QLabel>(&screen, "lblVipIntegral")->text(), translated(5059) + points);
        QCOMPARE(child<QLabel>(&screen, "lblVipMoney")->text(), translated(5060) + balance);
        QCOMPARE(child<QPushButton>(&screen, "btnVipName")->text(), QString());
        QVERIFY(child<QPushButton>(&screen, "btnVipName")->isHidden());
        QVERIFY(!child<QLabel>(&screen, "lblVipLvlName")->isHidden());
        QVERIFY(!child<QLabel>(&screen, "lblVipPhone")->isHidden());
        QVERIFY(!child<QLabel>(&screen, "lblVipIntegral")->isHidden());
    }

    void presetLayoutPutsMemberOnOneLine()
    {
        KxPosConfig::SetValue(QStringLiteral("SYSTEM_VIPMsgEncyShow"), QStringLiteral("0"));
        TradeWidget screen(0, nullptr);
        screen.show();
        const KxPosVipDetail vip = member(QStringLiteral("张三"), QStringLiteral("M001"),
                                          QStringLiteral("13812345678"), 1234.5);

        screen.InitWidget(1);
        setMember(&screen, vip);
        QCOMPARE(child<QLabel>(&screen, "lblVipPhone")->text(), QStringLiteral("张三    13812345678"));
        QCOMPARE(child<QLabel>(&screen, "lblVipIntegral")->text(), translated(2371) + QStringLiteral("1234.5"));
        QCOMPARE(child<QLabel>(&screen, "lblVipMoney")->text(), translated(1950) + QStringLiteral("88.50"));
        QVERIFY(child<QLabel>(&screen, "lblVipLvlName")->isHidden());

        // Back in the normal layout the next member shows on two lines again.
        screen.InitWidget(0);
        setMember(&screen, vip);
        QCOMPARE(child<QLabel>(&screen, "lblVipPhone")->text(), QStringLiteral("张三\n13812345678"));
        QCOMPARE(child<QLabel>(&screen, "lblVipIntegral")->text(), translated(5059) + QStringLiteral("1234.5"));
        QVERIFY(!child<QLabel>(&screen, "lblVipLvlName")->isHidden());
    }

    void secondMemberReplacesFirst()
    {
        TradeWidget screen(0, nullptr);
        QSignalSpy rebind(&screen, &TradeWidget::SignTrdRebindModel);
        setMember(&screen, member(QStringLiteral("张三"), QStringLiteral("M001"), QStringLiteral("13800000001"), 5));
        setMember(&screen, member(QStringLiteral("李四"), QStringLiteral("M002"), QStringLiteral("13900000002"), 7));
        QCOMPARE(rebind.count(), 2);
        QCOMPARE(screen.MemberCode(), QStringLiteral("M002"));
        QCOMPARE(child<QLabel>(&screen, "lblVipPhone")->text(), QStringLiteral("李*\n139****0002"));
        QCOMPARE(child<QLabel>(&screen, "lblVipIntegral")->text(), translated(5059) + QStringLiteral("7"));
    }

    void nullMemberChangesNothing()
    {
        TradeWidget screen(0, nullptr);
        QSignalSpy rebind(&screen, &TradeWidget::SignTrdRebindModel);
        QVERIFY(QMetaObject::invokeMethod(&screen, "SlotTrdSetMemberInfo",
                                          Q_ARG(KxPosVipDetail*, static_cast<KxPosVipDetail*>(nullptr))));
        QCOMPARE(rebind.count(), 0);
        QCOMPARE(child<QPushButton>(&screen, "btnVipName")->text(), translated(1951));
        QVERIFY(screen.MemberCode().isEmpty());
    }

    void logOutClearsPanel()
    {
        TradeWidget screen(0, nullptr);
        // A fresh screen starts logged out.
        QCOMPARE(child<QPushButton>(&screen, "btnVipName")->text(), translated(1951));
        QVERIFY(child<QLabel>(&screen, "lblVipPhone")->isHidden());

        setMember(&screen, member(QStringLiteral("张三"), QStringLiteral("M001"), QStringLiteral("13812345678"), 5));
        logOut(&screen);
        QCOMPARE(child<QPushButton>(&screen, "btnVipName")->text(), translated(1951));
        QVERIFY(!child<QPushButton>(&screen, "btnVipName")->isHidden());
        for (const char* name : {"lblVipLvlName", "lblVipPhone", "lblVipIntegral", "lblVipMoney"})
            QVERIFY2(child<QLabel>(&screen, name)->text().isEmpty(), name);
        for (const char* name : {"lblVipLvlName", "lblVipPhone", "lblVipIntegral"})
            QVERIFY2(child<QLabel>(&screen, name)->isHidden(), name);
        // The last member's code is kept; the host decides what it means.
        QCOMPARE(screen.MemberCode(), QStringLiteral("M001"));
    }

    // --- Log-in requests and the member name ---------------------------------------

    void loginRequest_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("active");
        QTest::addColumn<QString>("typed");
        for (const char* b : {"btncard", "btnVipName", "btnVipNameR"}) {
            QTest::addRow("%s, sale open", b) << QString::fromLatin1(b) << true << QString();
            QTest::addRow("%s, sale open, code typed", b) << QString::fromLatin1(b) << true << QStringLiteral("6901");
            QTest::addRow("%s, idle", b) << QString::fromLatin1(b) << false << QString();
        }
    }

    void loginRequest()
    {
        QFETCH(QString, button);
        QFETCH(bool, active);
        QFETCH(QString, typed);
        TradeWidget screen(0, nullptr);
        screen.show();
        QTest::qWait(250); // the start of the first sale after showing has passed
        screen.SetTradeActive(active);
        screen.getUiQLineEdit(26)->setText(typed);
        QSignalSpy login(&screen, &TradeWidget::SignChoosedVipSysType);
        QSignalSpy add(&screen, &TradeWidget::SignTrdAddProduct);
        QSignalSpy start(&screen, &TradeWidget::SignTrdStartTrade);

        auto* b = child<QPushButton>(&screen, button.toLatin1().constData());
        if (b->isVisible())
            QTest::mouseClick(b, Qt::LeftButton);
        else // the form keeps this twin hidden; the host may still call its slot
            QVERIFY(QMetaObject::invokeMethod(&screen, QByteArray("on_" + button.toLatin1() + "_clicked").constData()));

        if (active) {
            QCOMPARE(login.count(), 1);
            QCOMPARE(start.count(), 0);
            QCOMPARE(add.count(), typed.isEmpty() ? 0 : 1);
            if (!typed.isEmpty())
                QCOMPARE(add.at(0).at(0).toString(), typed);
            QVERIFY(MessageWidget::History().isEmpty());
        } else {
            // The pending entry is confirmed first, which starts the sale;
            // the log-in itself is refused until the host has opened it.
            QCOMPARE(login.count(), 0);
            QCOMPARE(start.count(), 1);
            QCOMPARE(add.count(), 0);
            QCOMPARE(MessageWidget::History().size(), 1);
            QCOMPARE(MessageWidget::History().last().first, translated(2347));
            QCOMPARE(MessageWidget::History().last().second, translated(1969));
        }
        QVERIFY(screen.getUiQLineEdit(26)->text().isEmpty());
    }

    void memberNameClick_data()
    {
        QTest::addColumn<QString>("queryCoupons");
        QTest::addColumn<bool>("loggedIn");
        QTest::addColumn<bool>("loggedOutAfter");
        QTest::addColumn<int>("loginRequests");
        QTest::addColumn<int>("couponQueries");
        QTest::newRow("default: asks for a log-in") << QString() << true << false << 1 << 0;
        QTest::newRow("query off: asks for a log-in") << QStringLiteral("0") << true << false << 1 << 0;
        QTest::newRow("query on: member's coupons") << QStringLiteral("1") << true << false << 0 << 1;
        QTest::newRow("query on, never logged in") << QStringLiteral("1") << false << false << 0 << 0;
        QTest::newRow("query on, after log-out") << QStringLiteral("1") << true << true << 0 << 0;
    }

    void memberNameClick()
    {
        QFETCH(QString, queryCoupons);
        QFETCH(bool, loggedIn);
        QFETCH(bool, loggedOutAfter);
        QFETCH(int, loginRequests);
        QFETCH(int, couponQueries);
        if (!queryCoupons.isEmpty())
            KxPosConfig::SetValue(QStringLiteral("SYSTEM_IsQueryYzlTicket"), queryCoupons);
        TradeWidget screen(0, nullptr);
        screen.show();
        if (loggedIn)
            setMember(&screen, member(QStringLiteral("张三"), QStringLiteral("M001"), QStringLiteral("138"), 1));
        if (loggedOutAfter)
            logOut(&screen);
        QSignalSpy login(&screen, &TradeWidget::SignChoosedVipSysType);
        QSignalSpy coupons(&screen, &TradeWidget::SignQueryCoupon);

        QTest::mousePress(child<QLabel>(&screen, "lblVipPhone"), Qt::LeftButton);

        QCOMPARE(login.count(), loginRequests);
        QCOMPARE(coupons.count(), couponQueries);
        if (couponQueries)
            QCOMPARE(coupons.at(0).at(0).toString(), QStringLiteral("M001"));
    }

    void memberDetails()
    {
        TradeWidget screen(0, nullptr);
        QSignalSpy details(&screen, &TradeWidget::SignShowMemberInfo);
        QVERIFY(QMetaObject::invokeMethod(&screen, "on_btnMemberName_clicked"));
        QVERIFY(QMetaObject::invokeMethod(&screen, "on_pushButtonvipimg_clicked"));
        screen.MemberDetail();
        QCOMPARE(details.count(), 3);
    }

    // --- Sales clerks ------------------------------------------------------------

    void clerkMenuOff()
    {
        TradeWidget screen(0, nullptr);
        screen.show();
        auto* button = child<QPushButton>(&screen, "btnphone");
        const QString caption = button->text();
        screen.RefreshEmployeeButton({clerk(QStringLiteral("王芳"), QStringLiteral("001"), true)});
        QVERIFY(clerkMenu(&screen)->actions().isEmpty());
        QCOMPARE(button->text(), caption);

        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(!clerkMenu(&screen)->isVisible());
        QCOMPARE(MessageWidget::History().size(), 1);
        QCOMPARE(MessageWidget::History().last().first, translated(1972));
        QCOMPARE(MessageWidget::History().last().second, translated(1969));
    }

    void clerkMenuEntries_data()
    {
        QTest::addColumn<QList<KxPosEmployeeDetail>>("clerks");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("caption");
        const QString add = translated(1968);
        QTest::newRow("empty list: only the add entry") << QList<KxPosEmployeeDetail>{} << QStringList{add}
                                                       << translated(1913);
        QTest::newRow("no current clerk")
            << QList<KxPosEmployeeDetail>{clerk(QStringLiteral("王芳"), QStringLiteral("001")),
                                          clerk(QStringLiteral("赵强"), QStringLiteral("002"))}
            << QStringList{add, QStringLiteral("王芳-001"), QStringLiteral("赵强-002")} << translated(1913);
        QTest::newRow("second is current")
            << QList<KxPosEmployeeDetail>{clerk(QStringLiteral("王芳"), QStringLiteral("001")),
                                          clerk(QStringLiteral("赵强"), QStringLiteral("002"), true)}
            << QStringList{add, QStringLiteral("王芳-001"), QStringLiteral("赵强-002")} << QStringLiteral("赵强-002");
    }

    void clerkMenuEntries()
    {
        QFETCH(QList<KxPosEmployeeDetail>, clerks);
        QFETCH(QStringList, texts);
        QFETCH(QString, caption);
        KxPosConfig::SetValue(QStringLiteral("TRADE_IsUseEmployee"), QStringLiteral("1"));
        TradeWidget screen(0, nullptr);
        // A stale list is replaced, not extended.
        screen.RefreshEmployeeButton({clerk(QStringLiteral("旧"), QStringLiteral("900"), true)});
        screen.RefreshEmployeeButton(clerks);

        QMenu* menu = clerkMenu(&screen);
        const QList<QAction*> chosen = entries(menu);
        QStringList shown;
        QStringList tips;
        for (QAction* a : chosen) {
            shown << a->text();
            tips << a->statusTip();
        }
        QCOMPARE(shown, texts);
        QCOMPARE(tips.first(), QStringLiteral("-1"));
        for (int i = 0; i < clerks.size(); ++i)
            QCOMPARE(tips.at(i + 1), clerks.at(i).employeeCode);
        // The add entry is set apart from the clerks; every clerk has its section.
        QVERIFY(menu->actions().at(1)->isSeparator());
        QCOMPARE(child<QPushButton>(&screen, "btnphone")->text(), caption);
    }

    void choosingFromClerkMenu_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("added");
        QTest::newRow("add entry") << QStringLiteral("-1") << 0 << 1;
        QTest::newRow("clerk 001") << QStringLiteral("001") << 1 << 0;
        QTest::newRow("clerk 002") << QStringLiteral("002") << 1 << 0;
    }

    void choosingFromClerkMenu()
    {
        QFETCH(QString, code);
        QFETCH(int, selected);
        QFETCH(int, added);
        KxPosConfig::SetValue(QStringLiteral("TRADE_IsUseEmployee"), QStringLiteral("1"));
        TradeWidget screen(0, nullptr);
        screen.RefreshEmployeeButton({clerk(QStringLiteral("王芳"), QStringLiteral("001")),
                                      clerk(QStringLiteral("赵强"), QStringLiteral("002"), true)});
        QSignalSpy select(&screen, &TradeWidget::SignSelectEmployee);
        QSignalSpy newClerk(&screen, &TradeWidget::SignNewEmployee);

        QAction* target = nullptr;
        for (QAction* a : entries(clerkMenu(&screen))) {
            if (a->statusTip() == code)
                target = a;
        }
        QVERIFY(target);
        target->trigger();

        QCOMPARE(select.count(), selected);
        QCOMPARE(newClerk.count(), added);
        if (selected)
            QCOMPARE(select.at(0).at(0).toString(), code);
    }

    void clerkCodedMinusOneCountsAsAdd()
    {
        KxPosConfig::SetValue(QStringLiteral("TRADE_IsUseEmployee"), QStringLiteral("1"));
        TradeWidget screen(0, nullptr);
        screen.RefreshEmployeeButton({clerk(QStringLiteral("测试"), QStringLiteral("-1"))});
        QSignalSpy select(&screen, &TradeWidget::SignSelectEmployee);
        QSignalSpy newClerk(&screen, &TradeWidget::SignNewEmployee);
        const QList<QAction*> chosen = entries(clerkMenu(&screen));
        QCOMPARE(chosen.size(), 2);
        chosen.at(1)->trigger();
        QCOMPARE(select.count(), 0);
        QCOMPARE(newClerk.count(), 1);
    }

    void clerkMenuOpensBelowButtonAndPicksByClick()
    {
        KxPosConfig::SetValue(QStringLiteral("TRADE_IsUseEmployee"), QStringLiteral("1"));
        TradeWidget screen(0, nullptr);
        screen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        screen.RefreshEmployeeButton({clerk(QStringLiteral("王芳"), QStringLiteral("001")),
                                      clerk(QStringLiteral("赵强"), QStringLiteral("002"))});
        QSignalSpy select(&screen, &TradeWidget::SignSelectEmployee);
        auto* button = child<QPushButton>(&screen, "btnphone");
        QMenu* menu = clerkMenu(&screen);

        QTest::mouseClick(button, Qt::LeftButton);
        QTRY_VERIFY(menu->isVisible());
        const QPoint below = button->mapToGlobal(QPoint(0, button->height() + 1));
        // The menu hangs from the button unless the screen's edge pushes it up.
        QCOMPARE(menu->pos().x(), below.x());
        QVERIFY(menu->pos().y() == below.y() || menu->geometry().bottom() < below.y());

        QAction* second = entries(menu).at(2);
        QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(second).center());
        QCOMPARE(select.count(), 1);
        QCOMPARE(select.at(0).at(0).toString(), QStringLiteral("002"));
        QTRY_VERIFY(!menu->isVisible());
        QVERIFY(MessageWidget::History().isEmpty());
    }

    void clerkMenuIdleShowsStartMessage()
    {
        KxPosConfig::SetValue(QStringLiteral("TRADE_IsUseEmployee"), QStringLiteral("1"));
        TradeWidget screen(0, nullptr);
        screen.show();
        screen.RefreshEmployeeButton({clerk(QStringLiteral("王芳"), QStringLiteral("001"))});
        screen.SetTradeActive(false);
        QTest::mouseClick(child<QPushButton>(&screen, "btnphone"), Qt::LeftButton);
        QVERIFY(!clerkMenu(&screen)->isVisible());
        QCOMPARE(MessageWidget::History().size(), 1);
        QCOMPARE(MessageWidget::History().last().first, translated(2347));
    }

    void hostRebindRefreshesClerks()
    {
        KxPosConfig::SetValue(QStringLiteral("TRADE_IsUseEmployee"), QStringLiteral("1"));
        TradeWidget screen(0, nullptr);
        QList<KxPosPluDetail> lines;
        screen.rebindModel(lines, {clerk(QStringLiteral("王芳"), QStringLiteral("001"), true)});
        QCOMPARE(child<QPushButton>(&screen, "btnphone")->text(), QStringLiteral("王芳-001"));
        QCOMPARE(entries(clerkMenu(&screen)).size(), 2);
    }
};

QTEST_MAIN(TradeMemberTest)
#include "tst_trade_member.moc"
