// The sales screen's member and sales-clerk panel, driven as the host and the
// cashier would: the host pushes members and clerk lists in, the cashier
// clicks the member buttons, the member name and the clerk menu.

#include "TestRecords.h"
#include "TestSupport.h"

#include "trade/TradeWidget.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosModel.h"
#include "contracts/MessageWidget.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using namespace KxPosTest;

namespace {
using Clerks = QList<KxPosEmployeeDetail>;

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

void setMember(TradeWidget* screen, KxPosVipDetail vip)
{
    QVERIFY(QMetaObject::invokeMethod(screen, "SlotTrdSetMemberInfo", Q_ARG(KxPosVipDetail*, &vip)));
}

QString text(TradeWidget* screen, const char* label) { return child<QLabel>(screen, label)->text(); }

// A member key pressed ("name": a press on the member's name) with `typed`
// in the code box, with a member logged in, one logged out or none: the
// log-in requests, the coupon queries (member codes) and the codes confirmed
// first. The refusals are walked by tst_refusals.
struct MemberKey {
    QString queryCoupons, member, typed;
    QByteArray key;
    int logins;
    QStringList coupons, added;
};

// The menu entries a cashier can choose (separators and section titles left out).
QList<QAction*> entries(TradeWidget* screen)
{
    QList<QAction*> chosen;
    for (QAction* a : child<QMenu>(screen, "employeeMenu")->actions()) {
        if (!a->isSeparator())
            chosen << a;
    }
    return chosen;
}
} // namespace

Q_DECLARE_METATYPE(MemberKey)

class TradeMemberTest : public ScreenTestCase
{
    Q_OBJECT

private slots:
    void showsMember_data()
    {
        QTest::addColumn<KxPosVipDetail>("vip");
        QTest::addColumn<QString>("masking"); // "" leaves the default
        QTest::addColumn<QStringList>("shown"); // level, name and phone, points, balance

        const QString phone = QStringLiteral("13812345678");
        const KxPosVipDetail named = member(QStringLiteral("张三丰"), QStringLiteral("M001"), phone, 1234.5);
        QTest::newRow("masked by default") << named << QString()
                                           << QStringList{"金卡", "张**\n138****5678", "1234.5", "88.50"};
        QTest::newRow("code stands for an empty name, masked")
            << member(QString(), QStringLiteral("M20240001"), phone, 0) << "1"
            << QStringList{"金卡", "M********\n138****5678", "0", "88.50"};

        KxPosVipDetail alt = member(QStringLiteral("李四"), QStringLiteral("M002"), phone, 0.125);
        alt.levelName.clear();
        alt.levelNameAlt = QStringLiteral("银卡");
        alt.levelRemark = QStringLiteral("九折");
        alt.extValues.clear();
        QTest::newRow("alternative level with remark, no balance")
            << alt << "0" << QStringList{"银卡(九折)", "李四\n13812345678", "0.125", "0"};

        // A host may keep the balance as a number: it shows as money.
        const QList<QPair<QVariant, QString>> balances = {
            {QVariant(356.8), "356.80"}, {QVariant(5000), "5000.00"}, {QVariant(qlonglong(12)), "12.00"},
            {QVariant(-0.5), "-0.50"},   {QVariant(QStringLiteral("余额不足")), "余额不足"}};
        for (const auto& b : balances) {
            KxPosVipDetail numeric = member(QStringLiteral("张三丰"), QStringLiteral("M001"), phone, 1);
            numeric.extValues.insert(QStringLiteral("Balance"), b.first);
            QTest::addRow("balance %s of type %s", qPrintable(b.second), b.first.typeName())
                << numeric << "0" << QStringList{"金卡", "张三丰\n13812345678", "1", b.second};
        }
    }

    void showsMember()
    {
        QFETCH(KxPosVipDetail, vip);
        QFETCH(QString, masking);
        QFETCH(QStringList, shown);
        if (!masking.isEmpty())
            KxPosConfig::SetValue(QStringLiteral("SYSTEM_VIPMsgEncyShow"), masking);
        TradeWidget screen(0, nullptr);
        QSignalSpy rebind(&screen, &TradeWidget::SignTrdRebindModel);
        setMember(&screen, vip);
        QCOMPARE(rebind.count(), 1);
        QCOMPARE(screen.MemberCode(), vip.vipCode);
        QCOMPARE((QStringList{text(&screen, "lblVipLvlName"), text(&screen, "lblVipPhone"),
                              text(&screen, "lblVipIntegral"), text(&screen, "lblVipMoney")}),
                 (QStringList{shown.at(0), shown.at(1), translated(5059) + shown.at(2), translated(5060) + shown.at(3)}));
        QVERIFY(child<QPushButton>(&screen, "btnVipName")->isHidden());
        QVERIFY(!child<QLabel>(&screen, "lblVipPhone")->isHidden());
    }

    void memberKeys_data()
    {
        QTest::addColumn<MemberKey>("c");
        QTest::newRow("card key") << MemberKey{"", "", "", "btncard", 1, {}, {}};
        QTest::newRow("member key confirms the code typed first")
            << MemberKey{"", "", "6901", "btnVipName", 1, {}, {"6901"}};
        // The form keeps this twin hidden; the host may still call its slot.
        QTest::newRow("hidden twin") << MemberKey{"", "", "", "btnVipNameR", 1, {}, {}};
        QTest::newRow("name asks for a log-in") << MemberKey{"", "logged in", "", "name", 1, {}, {}};
        QTest::newRow("name queries the member's coupons") << MemberKey{"1", "logged in", "", "name", 0, {"M001"}, {}};
        QTest::newRow("no coupons after a log-out") << MemberKey{"1", "logged out", "", "name", 0, {}, {}};
    }

    void memberKeys()
    {
        QFETCH(MemberKey, c);
        if (!c.queryCoupons.isEmpty())
            KxPosConfig::SetValue(QStringLiteral("SYSTEM_IsQueryYzlTicket"), c.queryCoupons);
        auto screen = startedTradeScreen();
        if (!c.member.isEmpty())
            setMember(screen.get(), member(QStringLiteral("张三"), QStringLiteral("M001"), QStringLiteral("138"), 1));
        if (c.member == QLatin1String("logged out"))
            QVERIFY(QMetaObject::invokeMethod(screen.get(), "SlotTrdMemberLogOut"));
        screen->getUiQLineEdit(26)->setText(c.typed);
        QSignalSpy login(screen.get(), &TradeWidget::SignChoosedVipSysType);
        QSignalSpy coupons(screen.get(), &TradeWidget::SignQueryCoupon);
        QSignalSpy add(screen.get(), &TradeWidget::SignTrdAddProduct);
        auto* button = screen->findChild<QPushButton*>(QString::fromLatin1(c.key));
        if (c.key == "name")
            QTest::mousePress(child<QLabel>(screen.get(), "lblVipPhone"), Qt::LeftButton);
        else if (button && button->isVisible())
            QTest::mouseClick(button, Qt::LeftButton);
        else
            QVERIFY(QMetaObject::invokeMethod(screen.get(), ("on_" + c.key + "_clicked").constData()));
        QCOMPARE(login.count(), c.logins);
        QCOMPARE(firstArguments(coupons), c.coupons);
        QCOMPARE(firstArguments(add), c.added);
        QVERIFY(MessageWidget::History().isEmpty());
        QVERIFY(screen->getUiQLineEdit(26)->text().isEmpty());
    }

    // --- Sales clerks --------------------------------------------------------------

    void choosingFromClerkMenu_data()
    {
        QTest::addColumn<Clerks>("clerks");
        QTest::addColumn<int>("entry");
        QTest::addColumn<QStringList>("selected");
        QTest::addColumn<int>("added");
        const Clerks two{clerk(QStringLiteral("王芳"), QStringLiteral("001")),
                         clerk(QStringLiteral("赵强"), QStringLiteral("002"), true)};
        QTest::newRow("add entry") << two << 0 << QStringList{} << 1;
        QTest::newRow("clerk 002") << two << 2 << QStringList{"002"} << 0;
        QTest::newRow("clerk coded -1 counts as add") << Clerks{clerk(QStringLiteral("测试"), QStringLiteral("-1"))} << 1
                                                      << QStringList{} << 1;
    }

    void choosingFromClerkMenu()
    {
        QFETCH(Clerks, clerks);
        QFETCH(int, entry);
        QFETCH(QStringList, selected);
        QFETCH(int, added);
        KxPosConfig::SetValue(QStringLiteral("TRADE_IsUseEmployee"), QStringLiteral("1"));
        TradeWidget screen(0, nullptr);
        screen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        screen.RefreshEmployeeButton(clerks);
        QSignalSpy select(&screen, &TradeWidget::SignSelectEmployee);
        QSignalSpy newClerk(&screen, &TradeWidget::SignNewEmployee);
        // The clerk key opens the menu; a click on an entry chooses it.
        auto* menu = child<QMenu>(&screen, "employeeMenu");
        clickChild(&screen, "btnphone");
        QTRY_VERIFY(menu->isVisible());
        QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(entries(&screen).at(entry)).center());
        QTRY_VERIFY(!menu->isVisible());
        QCOMPARE(firstArguments(select), selected);
        QCOMPARE(newClerk.count(), added);
        QVERIFY(MessageWidget::History().isEmpty());
    }

    void hostRebindRefreshesClerks()
    {
        KxPosConfig::SetValue(QStringLiteral("TRADE_IsUseEmployee"), QStringLiteral("1"));
        TradeWidget screen(0, nullptr);
        QList<KxPosPluDetail> lines;
        screen.rebindModel(lines, {clerk(QStringLiteral("王芳"), QStringLiteral("001"), true)});
        QCOMPARE(child<QPushButton>(&screen, "btnphone")->text(), QStringLiteral("王芳-001"));
        QCOMPARE(entries(&screen).size(), 2);
    }
};

QTEST_MAIN(TradeMemberTest)
#include "tst_trade_member.moc"
