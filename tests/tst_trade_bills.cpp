// The sales screen's held bills, status values, sale-mode caption, notices,
// leaving to the desktop and the keys coming back from the change popup.

#include "TestSupport.h"

#include "trade/TradeWidget.h"

#include "contracts/ChangeWidget.h"
#include "contracts/KxPosConfig.h"
#include "contracts/KxPosModel.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/MessageWidget.h"

#include <QApplication>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QtTest>

#include <memory>

using namespace KxPosTest;

namespace {
const char* const billButtons[] = {"btnBill01", "btnBill02", "btnBill03", "btnBill04", "btnBillOrder"};

const char* const statusLabelNames[] = {"lblprodcount", "lbldiscount", "lblshould", "lblprodtotal", "lblbillno",
                                    "lblDate",      "lblPrintStatus", "lblOffline", "lblNetwork", "lblWaitInfo",
                                    "lblGrpText",   "lableDeduct"};
} // namespace

class TradeBillsTest : public ScreenTestCase
{
    Q_OBJECT

private:
    static QStringList checkedBills(QWidget* screen)
    {
        QStringList checked;
        for (const char* name : billButtons) {
            if (child<QPushButton>(screen, name)->isChecked())
                checked << QString::fromLatin1(name);
        }
        return checked;
    }

    static QMap<QString, QString> statusTexts(QWidget* screen)
    {
        QMap<QString, QString> texts;
        for (const char* name : statusLabelNames)
            texts.insert(QString::fromLatin1(name), child<QLabel>(screen, name)->text());
        return texts;
    }

    static ChangeWidget* changePopup()
    {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* change = qobject_cast<ChangeWidget*>(w); change && change->isVisible())
                return change;
        }
        return nullptr;
    }

private slots:
    // --- Bill buttons ---------------------------------------------------------------

    void billButtonAsksHost_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("bill");
        QTest::newRow("01") << QStringLiteral("btnBill01") << QStringLiteral("01");
        QTest::newRow("02") << QStringLiteral("btnBill02") << QStringLiteral("02");
        QTest::newRow("03") << QStringLiteral("btnBill03") << QStringLiteral("03");
        QTest::newRow("04") << QStringLiteral("btnBill04") << QStringLiteral("04");
    }

    void billButtonAsksHost()
    {
        QFETCH(QString, button);
        QFETCH(QString, bill);
        TradeWidget screen(0, nullptr);
        screen.show();
        QSignalSpy select(&screen, &TradeWidget::SignTrdSelectBill);
        QTest::mouseClick(child<QPushButton>(&screen, button.toLatin1().constData()), Qt::LeftButton);
        QCOMPARE(select.count(), 1);
        QCOMPARE(select.at(0).at(0).toString(), bill);
        // Until the host has switched sales the current bill stays marked.
        QCOMPARE(checkedBills(&screen), QStringList{QStringLiteral("btnBill01")});
        QCOMPARE(screen.GetBillNumber(), QStringLiteral("01"));

        // The host switched and marks the new bill.
        screen.UpdateBtnBillNumber(bill);
        QCOMPARE(checkedBills(&screen), QStringList{button});
        QCOMPARE(screen.GetBillNumber(), bill);
    }

    void hostSwitchesBillsOnRequest()
    {
        // A host that holds the sale and recalls the chosen one at once.
        TradeWidget screen(0, nullptr);
        screen.show();
        QStringList asked;
        connect(&screen, &TradeWidget::SignTrdSelectBill, &screen, [&](QString bill) {
            asked << screen.GetBillNumber() + QLatin1String("->") + bill;
            screen.UpdateBtnBillNumber(bill);
        });
        QTest::mouseClick(child<QPushButton>(&screen, "btnBill03"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(&screen, "btnBill03"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(&screen, "btnBill01"), Qt::LeftButton);
        QCOMPARE(asked, (QStringList{QStringLiteral("01->03"), QStringLiteral("03->03"), QStringLiteral("03->01")}));
        QCOMPARE(checkedBills(&screen), QStringList{QStringLiteral("btnBill01")});
    }

    void updateBtnBillNumber_data()
    {
        QTest::addColumn<QString>("bill");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("number");
        QTest::newRow("01") << QStringLiteral("01") << QStringLiteral("btnBill01") << QStringLiteral("01");
        QTest::newRow("02") << QStringLiteral("02") << QStringLiteral("btnBill02") << QStringLiteral("02");
        QTest::newRow("03") << QStringLiteral("03") << QStringLiteral("btnBill03") << QStringLiteral("03");
        QTest::newRow("04") << QStringLiteral("04") << QStringLiteral("btnBill04") << QStringLiteral("04");
        QTest::newRow("Order") << QStringLiteral("Order") << QStringLiteral("btnBillOrder") << QStringLiteral("Order");
        QTest::newRow("05 falls back to 01") << QStringLiteral("05") << QStringLiteral("btnBill01")
                                             << QStringLiteral("01");
        QTest::newRow("empty falls back to 01") << QString() << QStringLiteral("btnBill01") << QStringLiteral("01");
        QTest::newRow("lower-case order falls back") << QStringLiteral("order") << QStringLiteral("btnBill01")
                                                     << QStringLiteral("01");
    }

    void updateBtnBillNumber()
    {
        QFETCH(QString, bill);
        QFETCH(QString, button);
        QFETCH(QString, number);
        TradeWidget screen(0, nullptr);
        screen.UpdateBtnBillNumber(QStringLiteral("04"));
        screen.UpdateBtnBillNumber(bill);
        QCOMPARE(checkedBills(&screen), QStringList{button});
        QCOMPARE(screen.GetBillNumber(), number);
    }

    void getBillNumberRepairsEmptyRow()
    {
        TradeWidget screen(0, nullptr);
        screen.UpdateBtnBillNumber(QStringLiteral("03"));
        child<QPushButton>(&screen, "btnBill03")->setChecked(false);
        QVERIFY(checkedBills(&screen).isEmpty());
        QCOMPARE(screen.GetBillNumber(), QStringLiteral("01"));
        QCOMPARE(checkedBills(&screen), QStringList{QStringLiteral("btnBill01")});
    }

    void firstClickBill01_data()
    {
        QTest::addColumn<int>("screenType");
        QTest::addColumn<QString>("hideBills");
        QTest::addColumn<int>("requests");
        QTest::newRow("bill row shown") << 0 << QStringLiteral("0") << 1;
        QTest::newRow("hidden by configuration") << 0 << QStringLiteral("1") << 0;
        QTest::newRow("hidden for screen type 1") << 1 << QStringLiteral("0") << 0;
    }

    void firstClickBill01()
    {
        QFETCH(int, screenType);
        QFETCH(QString, hideBills);
        QFETCH(int, requests);
        KxPosConfig::SetValue(QStringLiteral("TRADE_IsHideBillNumber"), hideBills);
        TradeWidget screen(screenType, nullptr);
        QSignalSpy select(&screen, &TradeWidget::SignTrdSelectBill);
        // Before and after the screen is shown.
        screen.FirstClickBill01();
        screen.show();
        screen.FirstClickBill01();
        QCOMPARE(select.count(), 2 * requests);
        for (const QList<QVariant>& args : select)
            QCOMPARE(args.at(0).toString(), QStringLiteral("01"));
    }

    void heldSaleRequests()
    {
        TradeWidget screen(0, nullptr);
        QSignalSpy save(&screen, &TradeWidget::SignTrdSaveAccount);
        QSignalSpy get(&screen, &TradeWidget::SignTrdGetAccount);
        screen.updateDynData(5, QStringLiteral("B20240001"));
        QVERIFY(QMetaObject::invokeMethod(&screen, "SlotTrdSaveAccount"));
        QVERIFY(QMetaObject::invokeMethod(&screen, "SlotTrdGetAccount"));
        QCOMPARE(save.count(), 1);
        QCOMPARE(save.at(0).at(0).toString(), QStringLiteral("B20240001"));
        QCOMPARE(get.count(), 1);
    }

    // --- Status values --------------------------------------------------------------

    void updateDynData_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("label"); // empty: nothing changes
        QTest::addColumn<QString>("shown");
        QTest::newRow("1 count") << 1 << QStringLiteral("3") << QStringLiteral("lblprodcount") << QStringLiteral("3");
        QTest::newRow("2 discount") << 2 << QStringLiteral("1.50") << QStringLiteral("lbldiscount")
                                    << QStringLiteral("1.50");
        QTest::newRow("3 due") << 3 << QStringLiteral("18.50") << QStringLiteral("lblshould")
                               << QStringLiteral("18.50");
        QTest::newRow("4 total") << 4 << QStringLiteral("20.00") << QStringLiteral("lblprodtotal")
                                 << QStringLiteral("20.00");
        QTest::newRow("5 bill number") << 5 << QStringLiteral("B0001") << QStringLiteral("lblbillno")
                                       << QStringLiteral("B0001");
        QTest::newRow("6 date") << 6 << QStringLiteral("2024-05-01") << QStringLiteral("lblDate")
                                << translated(2109) + QStringLiteral(":2024-05-01");
        for (int type : {0, 7, 8, 9, 10, 12, 99, -1})
            QTest::addRow("%d ignored", type) << type << QStringLiteral("X") << QString() << QString();
    }

    void updateDynData()
    {
        QFETCH(int, type);
        QFETCH(QString, text);
        QFETCH(QString, label);
        QFETCH(QString, shown);
        TradeWidget screen(0, nullptr);
        QMap<QString, QString> expected = statusTexts(&screen);
        if (!label.isEmpty())
            expected[label] = shown;
        screen.updateDynData(type, text);
        QCOMPARE(statusTexts(&screen), expected);
    }

    void statusLabels_data()
    {
        QTest::addColumn<QString>("checkNetwork");
        QTest::addColumn<bool>("flag");
        QTest::addColumn<QString>("offline");
        QTest::addColumn<QString>("print");
        QTest::addColumn<QString>("network");
        QTest::addColumn<QString>("wait");
        QTest::newRow("all well, network watched") << QStringLiteral("1") << true << QString() << translated(2379) << translated(5977)
                                                   << QString();
        QTest::newRow("all bad, network watched") << QStringLiteral("1") << false << translated(6285) << translated(2380) << translated(5978)
                                                  << translated(2365);
        QTest::newRow("network not watched") << QStringLiteral("0") << false << translated(6285) << translated(2380)
                                             << QStringLiteral("untouched") << translated(2365);
    }

    void statusLabels()
    {
        QFETCH(QString, checkNetwork);
        QFETCH(bool, flag);
        QFETCH(QString, offline);
        QFETCH(QString, print);
        QFETCH(QString, network);
        QFETCH(QString, wait);
        KxPosConfig::SetValue(QStringLiteral("SYSTEM_IsCheckNetwork"), checkNetwork);
        TradeWidget screen(0, nullptr);
        child<QLabel>(&screen, "lblNetwork")->setText(QStringLiteral("untouched"));
        // "flag" means: online, printer ready, network up, work done.
        screen.SetOfflineStatus(!flag);
        screen.SetPrintStatus(flag);
        screen.WifiConnectChanged(flag);
        screen.UpdateWaitInfo(flag);
        QCOMPARE(child<QLabel>(&screen, "lblOffline")->text(), offline);
        QCOMPARE(child<QLabel>(&screen, "lblPrintStatus")->text(), print);
        QCOMPARE(child<QLabel>(&screen, "lblNetwork")->text(), network);
        QCOMPARE(child<QLabel>(&screen, "lblWaitInfo")->text(), wait);
        QCOMPARE(child<QLabel>(&screen, "lblNetwork")->isHidden(), checkNetwork != QLatin1String("1"));
    }

    void statusTextsHaveNoLabels()
    {
        KxPosConfig::SetValue(QStringLiteral("TRADE_ShowOrgPosType"), QStringLiteral("2"));
        TradeWidget screen(0, nullptr);
        const QMap<QString, QString> before = statusTexts(&screen);
        QVERIFY(QMetaObject::invokeMethod(&screen, "SlotTrdSetStatusValue", Q_ARG(QString, QStringLiteral("S01")),
                                          Q_ARG(QString, QStringLiteral("W1")), Q_ARG(QString, QStringLiteral("u"))));
        QCOMPARE(statusTexts(&screen), before);
    }

    // --- Sale-mode caption ---------------------------------------------------------------

    void saleModeCaption_data()
    {
        QTest::addColumn<bool>("flag1");
        QTest::addColumn<bool>("flag2");
        QTest::addColumn<bool>("group");
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("messageId"); // 0: caption left as it was
        QTest::newRow("none") << false << false << false << 0 << 0;
        QTest::newRow("group") << false << false << true << 1 << 2341;
        QTest::newRow("flag2") << false << true << false << 1 << 2370;
        QTest::newRow("flag2 + group") << false << true << true << 1 << 2368;
        QTest::newRow("flag1") << true << false << false << 1 << 608;
        QTest::newRow("flag1 + group") << true << false << true << 1 << 2340;
        QTest::newRow("flag1 + flag2") << true << true << false << 1 << 2369;
        QTest::newRow("all three") << true << true << true << 1 << 2367;
    }

    void saleModeCaption()
    {
        QFETCH(bool, flag1);
        QFETCH(bool, flag2);
        QFETCH(bool, group);
        QFETCH(int, page);
        QFETCH(int, messageId);
        TradeWidget screen(0, nullptr);
        QStackedWidget* stack = screen.getUiQStackedWidget(24);
        QLabel* caption = screen.getUiQLable(62);
        // Start from another mode so that every row has to change something.
        screen.groupSaleMode = !group;
        screen.saleModeFlag1 = !flag1;
        screen.saleModeFlag2 = !flag2;
        screen.ShowGrpSaleText();
        const QString previous = caption->text();

        screen.saleModeFlag1 = flag1;
        screen.saleModeFlag2 = flag2;
        screen.groupSaleMode = group;
        screen.ShowGrpSaleText();
        QCOMPARE(stack->currentIndex(), page);
        QCOMPARE(caption->text(), messageId ? translated(messageId) : previous);
    }

    // --- Change popup keys ----------------------------------------------------------------

    void changePopupKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("typedBefore");
        QTest::addColumn<QString>("codeAfter");
        QTest::addColumn<QString>("added");     // SignTrdAddProduct argument, empty: none
        QTest::addColumn<int>("forwardedKey");  // SignTrdKeyPressed key, 0: none
        QTest::newRow("digit 5 starts the entry") << int(Qt::Key_5) << QStringLiteral("5") << QString()
                                                  << QStringLiteral("5") << QString() << 0;
        QTest::newRow("digit appends") << int(Qt::Key_0) << QStringLiteral("0") << QStringLiteral("69")
                                       << QStringLiteral("690") << QString() << 0;
        QTest::newRow("period") << int(Qt::Key_Period) << QStringLiteral(".") << QStringLiteral("1")
                                << QStringLiteral("1.") << QString() << 0;
        QTest::newRow("closed by a click") << 0 << QString() << QString() << QString() << QString() << 0;
        QTest::newRow("enter confirms") << int(Qt::Key_Enter) << QString() << QStringLiteral("6901")
                                        << QString() << QStringLiteral("6901") << 0;
        QTest::newRow("return confirms") << int(Qt::Key_Return) << QString() << QStringLiteral("42") << QString()
                                         << QStringLiteral("42") << 0;
        QTest::newRow("F1 goes to the host") << int(Qt::Key_F1) << QString() << QStringLiteral("7")
                                             << QStringLiteral("7") << QString() << int(Qt::Key_F1);
        QTest::newRow("letter goes to the host") << int(Qt::Key_A) << QStringLiteral("a") << QString() << QString()
                                                 << QString() << int(Qt::Key_A);
        QTest::newRow("colon goes to the host") << int(Qt::Key_Colon) << QStringLiteral(":") << QString()
                                                << QString() << QString() << int(Qt::Key_Colon);
    }

    void changePopupKeys()
    {
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(QString, typedBefore);
        QFETCH(QString, codeAfter);
        QFETCH(QString, added);
        QFETCH(int, forwardedKey);
        TradeWidget screen(0, nullptr);
        screen.show();
        QTest::qWait(250);
        QLineEdit* code = screen.getUiQLineEdit(26);
        code->setText(typedBefore);
        QSignalSpy add(&screen, &TradeWidget::SignTrdAddProduct);
        QSignalSpy forwarded(&screen, &TradeWidget::SignTrdKeyPressed);
        QSignalSpy start(&screen, &TradeWidget::SignTrdStartTrade);

        QVERIFY(QMetaObject::invokeMethod(&screen, "SlotChgClosed", Q_ARG(int, key), Q_ARG(QString, text)));

        QCOMPARE(code->text(), codeAfter);
        QCOMPARE(add.count(), added.isEmpty() ? 0 : 1);
        if (!added.isEmpty())
            QCOMPARE(add.at(0).at(0).toString(), added);
        QCOMPARE(forwarded.count(), forwardedKey ? 1 : 0);
        if (forwardedKey) {
            QCOMPARE(forwarded.at(0).at(0).toString(), QStringLiteral("trade"));
            QCOMPARE(forwarded.at(0).at(1).toInt(), forwardedKey);
        }
        QCOMPARE(start.count(), 0);
    }

    void changePopupClosedByCashier()
    {
        // The host shows the change after payment; the cashier's next digit
        // both closes the popup and starts the next entry.
        TradeWidget screen(0, nullptr);
        screen.show();
        QTest::qWait(250);
        screen.ShowChange(3.5);
        ChangeWidget* popup = changePopup();
        QVERIFY(popup);
        QCOMPARE(popup->amount(), QStringLiteral("3.50"));
        QSignalSpy forwarded(&screen, &TradeWidget::SignTrdKeyPressed);
        QTest::keyClick(popup, Qt::Key_7, Qt::NoModifier);
        QVERIFY(!popup->isVisible());
        QCOMPARE(screen.getUiQLineEdit(26)->text(), QStringLiteral("7"));
        QCOMPARE(forwarded.count(), 0);

        screen.ShowChange(0.2);
        popup = changePopup();
        QVERIFY(popup);
        QTest::keyClick(popup, Qt::Key_F5);
        QCOMPARE(forwarded.count(), 1);
        QCOMPARE(forwarded.at(0).at(1).toInt(), int(Qt::Key_F5));
    }

    void changePopupKeysWhileIdle_data()
    {
        QTest::addColumn<QString>("clerks");
        QTest::addColumn<int>("starts");
        QTest::addColumn<int>("messages");
        QTest::addColumn<QString>("codeAfter");
        QTest::newRow("digit starts the next sale") << QStringLiteral("0") << 1 << 0 << QStringLiteral("8");
        QTest::newRow("with clerks the cashier must start") << QStringLiteral("1") << 0 << 1 << QString();
    }

    void changePopupKeysWhileIdle()
    {
        QFETCH(QString, clerks);
        QFETCH(int, starts);
        QFETCH(int, messages);
        QFETCH(QString, codeAfter);
        KxPosConfig::SetValue(QStringLiteral("TRADE_IsUseEmployee"), clerks);
        TradeWidget screen(0, nullptr);
        screen.show();
        QTest::qWait(250);
        screen.SetTradeActive(false);
        QSignalSpy start(&screen, &TradeWidget::SignTrdStartTrade);
        QVERIFY(QMetaObject::invokeMethod(&screen, "SlotChgClosed", Q_ARG(int, Qt::Key_8),
                                          Q_ARG(QString, QStringLiteral("8"))));
        QCOMPARE(start.count(), starts);
        QCOMPARE(MessageWidget::History().size(), messages);
        if (messages)
            QCOMPARE(MessageWidget::History().last().first, translated(2347));
        QCOMPARE(screen.getUiQLineEdit(26)->text(), codeAfter);
    }

    // --- Notices and leaving ----------------------------------------------------------------

    void startMessageAndNotices()
    {
        TradeWidget screen(0, nullptr);
        QSignalSpy notices(&screen, &TradeWidget::SignShowAllNotice);
        screen.ShowToBeginMessage();
        QCOMPARE(MessageWidget::History().size(), 1);
        QCOMPARE(MessageWidget::History().last().first, translated(2347));
        QCOMPARE(MessageWidget::History().last().second, translated(1969));
        QVERIFY(QMetaObject::invokeMethod(&screen, "on_msgnotice_clicked"));
        QCOMPARE(notices.count(), 1);
        screen.changeMsgNotice(5);
        QCOMPARE(MessageWidget::History().size(), 1);
    }

    void leavingToDesktop_data()
    {
        QTest::addColumn<int>("screenType");
        QTest::addColumn<bool>("gridOpen");
        QTest::addColumn<bool>("editing");
        QTest::newRow("plain") << 0 << false << false;
        QTest::newRow("grid open") << 0 << true << false;
        QTest::newRow("screen type 1, grid open") << 1 << true << false;
        QTest::newRow("screen type 1, preset layout") << 1 << false << false;
        QTest::newRow("editing the bar: refused") << 0 << true << true;
    }

    void leavingToDesktop()
    {
        QFETCH(int, screenType);
        QFETCH(bool, gridOpen);
        QFETCH(bool, editing);
        TradeWidget screen(screenType, nullptr);
        screen.gridFunctions.clear();
        for (int i = 0; i < 12; ++i) {
            dynMapButton f;
            f.funcCode = QString::number(i);
            f.funcName = QStringLiteral("功能") + f.funcCode;
            screen.gridFunctions << f;
        }
        screen.InitFuncArea();
        screen.show();
        if (screenType == 1)
            screen.InitWidget(1);
        QDockWidget* dock = screen.getUiQDockWidget(22);
        if (gridOpen)
            QTest::mouseClick(child<QAbstractButton>(&screen, "toolButtonKeyMore"), Qt::LeftButton);
        if (editing)
            QTest::mouseClick(child<QPushButton>(&screen, "btnEditFun"), Qt::LeftButton);
        QCOMPARE(dock->isVisible(), gridOpen);
        const int layoutBefore = screen.LayoutMode();
        QSignalSpy leave(&screen, &TradeWidget::SignTrdReturnToDesktop);

        QTest::mouseClick(child<QPushButton>(&screen, "btnDeskTop"), Qt::LeftButton);

        if (editing) {
            QCOMPARE(leave.count(), 0);
            QCOMPARE(MessageWidget::History().size(), 1);
            QCOMPARE(MessageWidget::History().last().first, translated(5970));
            QCOMPARE(MessageWidget::History().last().second, translated(1969));
            QVERIFY(dock->isVisible());
            QCOMPARE(screen.LayoutMode(), layoutBefore);
            return;
        }
        QCOMPARE(leave.count(), 1);
        QCOMPARE(leave.at(0).at(0).value<QWidget*>(), static_cast<QWidget*>(&screen));
        QVERIFY(dock->isHidden());
        QCOMPARE(screen.LayoutMode(), screenType == 1 ? 0 : layoutBefore);
        QVERIFY(MessageWidget::History().isEmpty());
    }

    void returnButtonLeaves()
    {
        TradeWidget screen(0, nullptr);
        QSignalSpy leave(&screen, &TradeWidget::SignTrdReturnToDesktop);
        QVERIFY(QMetaObject::invokeMethod(&screen, "on_btnReturn_clicked"));
        screen.ReturntoDesktop();
        QCOMPARE(leave.count(), 2);
    }
};

QTEST_MAIN(TradeBillsTest)
#include "tst_trade_bills.moc"
