// End-to-end scenarios of the demo checkout around a member, each by keys alone: a member sale with a sales
// clerk, an exchange coupon whose weighed product is weighed and a deduction coupon used and cancelled again;
// a held bill that keeps member and coupons; a deposit collected in two visits.

#include "tst_e2e_driver.h"
#include "TestAccess.h"

#include "deposit/DepositPluNumbInputWidget.h"
#include "deposit/DepositPluWidget.h"
#include "deposit/GetDepositWidget.h"

using namespace E2e;
using KxPosTest::child;

class E2eMemberTest : public KxPosTest::ScreenTestCase
{
    Q_OBJECT

private slots:
    void memberSaleWithClerkAndCoupons()
    {
        E2E_OPEN_CHECKOUT(till);
        // An unknown number is refused in the log-in box, her phone logs her in.
        QVERIFY(!till.LogInMember(QStringLiteral("13800000000")));
        QCOMPARE(till.host->Log().count(QStringLiteral("member 13800000000 not found")), 1);
        // The box is found by the names a screen reader speaks.
        DemoMemberLogin* box = till.host->MemberLogin();
        QCOMPARE(box->CodeLine()->accessibleName(), QStringLiteral("会员卡号 / 手机号"));
        QCOMPARE(child<QPushButton>(box, "memberOk")->accessibleName(), QStringLiteral("确定"));
        QCOMPARE(child<QPushButton>(box, "memberCancel")->accessibleName(), QStringLiteral("取消"));
        till.Enter(QStringLiteral("13812345678"));
        QVERIFY(!till.host->MemberLogin()->isVisible());
        QCOMPARE(till.screen->MemberCode(), QStringLiteral("M0008812"));
        QCOMPARE(till.Label("lblVipLvlName"), QStringLiteral("金卡会员"));

        // The clerk key (*) offers the store's clerks; the arrows reach 李娜, who serves this sale.
        till.Type(QStringLiteral("*"));
        auto* menu = child<QMenu>(till.screen, "employeeMenu");
        QTRY_VERIFY(menu->isVisible());
        QAction* lina = nullptr;
        for (QAction* action : menu->actions())
            lina = action->text() == QStringLiteral("李娜-E02") ? action : lina;
        QVERIFY(lina);
        for (int i = 0; i < menu->actions().size() && menu->activeAction() != lina; ++i)
            QTest::keyClick(menu, Qt::Key_Down);
        QCOMPARE(menu->activeAction(), lina);
        QTest::keyClick(menu, Qt::Key_Return);
        QTRY_VERIFY(!menu->isVisible());
        QCOMPARE(child<QPushButton>(till.screen, "btnphone")->text(), QStringLiteral("李娜-E02"));

        // Her goods: a yogurt pack and sunflower seeds.
        QTRY_COMPARE(QApplication::focusWidget(), till.screen->getUiQLineEdit(26));
        till.Enter(QStringLiteral("6901234568042"));
        till.Enter(QStringLiteral("6921168509256"));
        QCOMPARE(till.Label("lblshould"), QStringLiteral("28.60"));

        // An exchange coupon (F7): two of four products, apples (weighed, up to 1 kg) and a box of milk.
        till.Key(Qt::Key_F7);
        CouponUsageWidget* exchange = till.host->ExchangeCouponScreen();
        QAbstractItemModelTester coupons(child<QListView>(exchange, "lvCoupon")->model(),
                                         QAbstractItemModelTester::FailureReportingMode::QtTest);
        QTRY_COMPARE(QApplication::focusWidget(), child<QLineEdit>(exchange, "txtCouponCode"));
        QVERIFY(keyExchangeCouponProducts(till, exchange));
        auto* products = child<QTableView>(exchange, "tbvPluList");
        QAbstractItemModelTester productTester(products->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        // Not weighed yet: Enter (use) is refused.
        till.Key(Qt::Key_Return);
        QCOMPARE(till.Messages().size(), 1);
        KxPosTest::resetMessageSeams();
        // The apples on the scale; once it is stable Space on their row reads it.
        till.host->Scale().PlaceItem(0.75);
        QVERIFY(till.WaitForStableWeight(QStringLiteral("0.750")));
        QVERIFY(keyToProduct(till, products, QStringLiteral("1001")));
        till.Key(Qt::Key_Space);
        QVERIFY(till.host->ExchangeCoupons().Log().contains(QStringLiteral("weighed 1001: 0.750 kg")));
        QCOMPARE(child<QLabel>(exchange, "lblPayAmount")->text(), QStringLiteral("3.10")); // 13.10 less 10.00
        // Used (F12): apples and milk join the sale, the coupon pays for them.
        till.Key(Qt::Key_F12);
        QTRY_VERIFY(!exchange->isVisible());
        QCOMPARE(till.Rows(), 4);
        QCOMPARE(till.Line(2), (QStringList{"1001", "0.750", "9.60"}));
        QCOMPARE(till.Label("lbldiscount"), QStringLiteral("10.00"));
        QCOMPARE(till.Label("lblshould"), QStringLiteral("31.70"));

        // A deduction coupon of 美团 (F4): code 1001 stands for three 10-yuan coupons; "+" uses two of them.
        QTRY_COMPARE(QApplication::focusWidget(), till.screen->getUiQLineEdit(26));
        till.Key(Qt::Key_F4);
        CouponUsageWidget* deduct = till.host->DeductCouponScreen();
        QTRY_COMPARE(QApplication::focusWidget(), child<QLineEdit>(deduct, "txtCouponCode"));
        till.Enter(QStringLiteral("1001"));
        till.Type(QStringLiteral("+"));
        QCOMPARE(deduct->GetCouponWidgetData().first().useCount, 2);
        till.Key(Qt::Key_F12);
        QTRY_VERIFY(!deduct->isVisible());
        QCOMPARE(till.host->DeductCoupons().DeductedAmount(), 20.0);
        QCOMPARE(till.Label("lblshould"), QStringLiteral("11.70"));

        // She keeps the coupons for another day: Delete on the used row cancels the use, Escape leaves.
        QTRY_COMPARE(QApplication::focusWidget(), till.screen->getUiQLineEdit(26));
        till.Key(Qt::Key_F4);
        QTRY_COMPARE(QApplication::focusWidget(), child<QLineEdit>(deduct, "txtCouponCode"));
        QuestionMessage::QueueAnswers({1});
        till.Key(Qt::Key_Delete);
        QCOMPARE(QuestionMessage::History(), QStringList{msg(2283)});
        QCOMPARE(deduct->GetCouponWidgetData().first().status, CouponWidgetInfo::StatusUnused);
        QVERIFY(till.host->DeductCoupons().Log().contains(QStringLiteral("cancelled 2 coupon(s) of MT1001-01")));
        QCOMPARE(till.Label("lbldiscount"), QStringLiteral("10.00"));
        QCOMPARE(till.Label("lblshould"), QStringLiteral("31.70"));
        till.Key(Qt::Key_Escape);
        QTRY_VERIFY(!deduct->isVisible());

        // Paid in cash: what the coupons left; the member leaves with her sale.
        QTRY_COMPARE(QApplication::focusWidget(), till.screen->getUiQLineEdit(26));
        till.Key(Qt::Key_F12);
        QCOMPARE(till.host->Payments().History().first().due, 31.7);
        QVERIFY(till.host->Log().contains(QStringLiteral("member M0008812 logged out")));
        till.ChangeThenNextSale(QStringLiteral("8.30"), 2);
        QCOMPARE(till.Label("lblVipPhone"), QString());
        QCOMPARE(till.Messages(), QStringList());
    }

    // A held bill is a whole sale. Her coupon, searched again and confirmed again, is used once at the
    // service; holding her bill takes her member card and coupon along, the next customer pays without
    // them and without cancelling them, and her recalled bill still has both. Her paid coupon is spent.
    void heldBillKeepsMemberAndCoupons()
    {
        E2E_OPEN_CHECKOUT(till);
        QVERIFY(till.LogInMember(QStringLiteral("13812345678")));
        QTRY_COMPARE(QApplication::focusWidget(), till.screen->getUiQLineEdit(26));
        till.Enter(QStringLiteral("6901234568042"));
        till.Enter(QStringLiteral("6921168509256"));
        QCOMPARE(till.Label("lblshould"), QStringLiteral("28.60"));

        till.Key(Qt::Key_F4);
        CouponUsageWidget* deduct = till.host->DeductCouponScreen();
        QTRY_COMPARE(QApplication::focusWidget(), child<QLineEdit>(deduct, "txtCouponCode"));
        const auto used = [&till] { return till.host->DeductCoupons().Log().filter(QRegularExpression(QStringLiteral("^used "))); };
        // Searched and used (Enter on the empty code box) twice: used once at the service.
        for (int i = 0; i < 2; ++i)
            till.Enter(QStringLiteral("1001")), till.Key(Qt::Key_Return);
        QCOMPARE(used(), QStringList{"used MT1001-01"});
        QCOMPARE(deduct->GetCouponWidgetData().size(), 1);
        QCOMPARE(deduct->GetCouponWidgetData().first().status, CouponWidgetInfo::StatusUsed);
        till.Key(Qt::Key_F12);
        QTRY_VERIFY(!deduct->isVisible());
        QCOMPARE(used().size(), 1);
        QCOMPARE(till.Label("lbldiscount"), QStringLiteral("10.00"));
        QCOMPARE(till.Label("lblshould"), QStringLiteral("18.60"));

        // Held: the next customer's bill shows neither her card nor her coupon.
        QTRY_COMPARE(QApplication::focusWidget(), till.screen->getUiQLineEdit(26));
        till.Key(Qt::Key_F9);
        QCOMPARE(till.host->Bills().HeldBills(), QStringList{"01"});
        QCOMPARE(till.screen->MemberCode(), QString());
        QVERIFY(!child<QLabel>(till.screen, "lableDeduct")->isVisible());
        QCOMPARE(till.Label("lbldiscount"), QStringLiteral("0.00"));
        QVERIFY(deduct->GetCouponWidgetData().isEmpty());
        till.Enter(QStringLiteral("6903148042441"));
        QCOMPARE(till.Label("lblshould"), QStringLiteral("3.50"));
        till.Key(Qt::Key_F12);
        QCOMPARE(till.host->Payments().History().last().due, 3.5);
        till.ChangeThenNextSale(QStringLiteral("6.50"), 2);
        QCOMPARE(till.host->DeductCoupons().Log().filter(QStringLiteral("cancelled")), QStringList());

        // Recalled: her card and her coupon are back, paid for what the coupon left.
        till.Key(Qt::Key_F11);
        QCOMPARE(till.screen->MemberCode(), QStringLiteral("M0008812"));
        QCOMPARE(till.Label("lbldiscount"), QStringLiteral("10.00"));
        QCOMPARE(till.Label("lblshould"), QStringLiteral("18.60"));
        QVERIFY(child<QLabel>(till.screen, "lableDeduct")->isVisible());
        QCOMPARE(deduct->GetUsedCouponIdList(), QStringList{"MT1001-01"});
        QTRY_VERIFY_WITH_TIMEOUT(!TradeWidgetTestAccess::payGuard(*till.host->Screen()).isActive(), 10000);
        till.Key(Qt::Key_F12);
        QCOMPARE(till.host->Payments().History().last().due, 18.6);
        till.ChangeThenNextSale(QStringLiteral("1.40"), 3);
        QCOMPARE(till.host->DeductCoupons().Log().filter(QStringLiteral("cancelled")), QStringList());
        QCOMPARE(used().size(), 1);

        // Spent: the code offers its two coupons left.
        till.Key(Qt::Key_F4);
        QTRY_COMPARE(QApplication::focusWidget(), child<QLineEdit>(deduct, "txtCouponCode"));
        till.Enter(QStringLiteral("1001"));
        QCOMPARE(deduct->GetCouponWidgetData().first().couponId, QStringLiteral("MT1001-02"));
        QCOMPARE(deduct->GetCouponWidgetData().first().childCoupons.size(), 1);
        QCOMPARE(till.Messages(), QStringList());
    }

    // The customer form presets the logged-in member's ID number and takes only that one; without a member the
    // box is empty and any valid number passes. Finishing without an address shows what passed the ID check.
    void customerFormPresetsMemberId_data()
    {
        QTest::addColumn<bool>("member");
        QTest::addColumn<QString>("typed"); // replaces the box's number when given
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("refusal");
        const QString hers = QStringLiteral("440305199001011234");
        const QString other = QStringLiteral("110101199003071234");
        QTest::newRow("member: her number preset") << true << QString() << hers << msg(2292);
        QTest::newRow("member: another number refused") << true << other << hers << msg(2290) + hers + msg(2291);
        QTest::newRow("no member: any number") << false << other << QString() << msg(2292);
    }

    void customerFormPresetsMemberId()
    {
        QFETCH(bool, member);
        QFETCH(QString, typed);
        E2E_OPEN_CHECKOUT(till);
        if (member)
            QVERIFY(till.LogInMember(QStringLiteral("13812345678")));
        QString shown;
        whenModal(till.screen, [&](QWidget* form) {
            keyboardIn(form);
            shown = child<QLineEdit>(form, "txtIdCard")->text();
            QTest::keyClick(keyTarget(form), Qt::Key_F5);
            if (!typed.isEmpty()) {
                QTest::keyClick(keyTarget(form), Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(keyTarget(form), typed);
            }
            QTest::keyClick(keyTarget(form), Qt::Key_F6);
            QTest::keyClick(keyTarget(form), Qt::Key_F7);
        });
        QVERIFY(till.Function(QStringLiteral("顾客信息")));
        QVERIFY(!modal());
        QTEST(shown, "shown");
        QFETCH(QString, refusal);
        QCOMPARE(till.Messages(), QStringList{refusal});
    }

    // "整单寄存" deposits the last paid sale whole for its member: its lines fill the deposit list, F12 deposits
    // them. Before any paid sale the key says so.
    void wholeSaleDeposit_data()
    {
        QTest::addColumn<bool>("paidFirst");
        QTest::addColumn<int>("lines");
        QTest::newRow("after a paid sale") << true << 2;
        QTest::newRow("before any paid sale") << false << 0;
    }

    void wholeSaleDeposit()
    {
        QFETCH(bool, paidFirst);
        QFETCH(int, lines);
        E2E_OPEN_CHECKOUT(till);
        DemoDeposits& deposits = till.host->Deposits();
        if (paidFirst) {
            QVERIFY(till.LogInMember(QStringLiteral("13812345678")));
            QTRY_COMPARE(QApplication::focusWidget(), till.screen->getUiQLineEdit(26));
            till.Enter(QStringLiteral("6901234567892"));
            till.Enter(QStringLiteral("6903148042441"));
            till.Key(Qt::Key_F12);
            QCOMPARE(till.host->Payments().History().size(), 1);
            till.ChangeThenNextSale(QString::number(till.host->Payments().History().first().change, 'f', 2), 2);
        }
        QVERIFY(till.Function(QStringLiteral("整单寄存")));
        if (!lines) {
            QCOMPARE(till.Messages(), QStringList{QStringLiteral("还没有已付款的销售可整单寄存")});
            QVERIFY(!deposits.Entry()->isVisible());
            return;
        }
        DepositPluWidget* entry = deposits.Entry();
        QVERIFY(keyboardIn(entry));
        QVERIFY(entry->IsWholeSale());
        QCOMPARE(KxPosTestAccess::PluList(*entry).size(), lines);
        till.Key(Qt::Key_F12);
        QTRY_VERIFY(!entry->isVisible());
        const QList<KxPosDepositOrderDetail> orders = deposits.OrdersOf(QStringLiteral("8812"));
        QCOMPARE(orders.size(), 1);
        QCOMPARE(deposits.HeldQuantity(orders.first().orderNo, QStringLiteral("6903148042441")), 1.0);
    }

    // The deposit list suggests products from three digits on, as the sales screen does; a suggestion chosen by
    // keys or tapped enters its product's code.
    void depositListSuggestions_data()
    {
        QTest::addColumn<bool>("tapped");
        QTest::newRow("arrow and Enter") << false;
        QTest::newRow("tapped") << true;
    }

    void depositListSuggestions()
    {
        QFETCH(bool, tapped);
        E2E_OPEN_CHECKOUT(till);
        QVERIFY(till.LogInMember(QStringLiteral("13812345678")));
        whenModal(till.screen, [](QWidget* menu) { QTest::keyClick(menu, Qt::Key_0); });
        till.Key(Qt::Key_F8);
        DepositPluWidget* entry = till.host->Deposits().Entry();
        QVERIFY(keyboardIn(entry));
        till.Type(QStringLiteral("69"));
        QAbstractItemView* popup = entry->Completer()->popup();
        QVERIFY(!popup->isVisible());
        till.Type(QStringLiteral("03"));
        QTRY_VERIFY(popup->isVisible());
        const QModelIndex first = popup->model()->index(0, 0);
        const QString code = first.data(Qt::UserRole).toString();
        QVERIFY(code.startsWith(QLatin1String("6903")));
        if (tapped) {
            QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, popup->visualRect(first).center());
        } else {
            QTest::keyClick(popup, Qt::Key_Down);
            QTest::keyClick(popup, Qt::Key_Return);
        }
        QCOMPARE(KxPosTestAccess::PluList(*entry).size(), 1);
        QCOMPARE(KxPosTestAccess::PluList(*entry).first().pluCode, code);
        QCOMPARE(till.Messages(), QStringList());
    }

    // By keyboard alone: F2 logs the member in, F8 opens the deposit menu, F3 logs her out.
    void depositCollectedInTwoVisits()
    {
        E2E_OPEN_CHECKOUT(till);
        DemoDeposits& deposits = till.host->Deposits();
        // The member logs in, the deposit function opens its menu, whose key 0 deposits and key 1 collects.
        const auto open = [&till](Qt::Key menuKey) {
            if (!till.LogInMember(QStringLiteral("13812345678")))
                return false;
            whenModal(till.screen, [menuKey](QWidget* menu) { QTest::keyClick(menu, menuKey); });
            till.Key(Qt::Key_F8);
            return true;
        };

        // Visit 1: she leaves six bottles of water and four boxes of milk (quantity key F3, deposit key F12).
        QVERIFY(open(Qt::Key_0));
        DepositPluWidget* entry = deposits.Entry();
        QVERIFY(keyboardIn(entry));
        QCOMPARE(entry->Employee().employeeCode, QStringLiteral("E01"));
        for (const char* line : {"6", "6901234567892", "4", "6903148042441"}) {
            till.Type(QString::fromLatin1(line));
            till.Key(qstrlen(line) == 1 ? Qt::Key_F3 : Qt::Key_Return);
        }
        QCOMPARE(KxPosTestAccess::PluList(*entry).size(), 2);
        QCOMPARE(KxPosTestAccess::PluList(*entry).at(1).saleQty, 4.0);
        till.Key(Qt::Key_F12);
        QTRY_VERIFY(!entry->isVisible());
        QCOMPARE(deposits.OrdersOf(QStringLiteral("8812")).size(), 1);
        const QString order = deposits.OrdersOf(QStringLiteral("8812")).first().orderNo;
        QCOMPARE(deposits.HeldQuantity(order, QStringLiteral("6901234567892")), 6.0);
        QCOMPARE(till.Messages(), QStringList{QStringLiteral("寄存成功，寄存单号：%1").arg(order)});
        // She buys a bottle of water on the way out.
        QVERIFY(keyboardIn(till.screen));
        QTRY_COMPARE(QApplication::focusWidget(), till.screen->getUiQLineEdit(26));
        till.Enter(QStringLiteral("6901234567892"));
        till.Key(Qt::Key_F12);
        till.ChangeThenNextSale(QStringLiteral("8.00"), 2);

        // Visit 2: she takes two bottles; the quantity pad (F3) sets the amount, Enter collects.
        KxPosTest::resetMessageSeams();
        QVERIFY(open(Qt::Key_1));
        GetDepositWidget* pickUp = deposits.PickUp();
        QVERIFY(keyboardIn(pickUp));
        QCOMPARE(KxPosTestAccess::ShownLines(*pickUp).size(), 2);
        till.Key(Qt::Key_F3);
        DepositPluNumbInputWidget* pad = deposits.Pad();
        QVERIFY(keyboardIn(pad));
        QCOMPARE(pad->Text(), QStringLiteral("6")); // all of it, until the cashier changes it
        till.Key(Qt::Key_Backspace);
        till.Enter(QStringLiteral("2"));
        QVERIFY(!pad->isVisible());
        QVERIFY(pickUp->getCheckBox(0)->isChecked() && !pickUp->getCheckBox(1)->isChecked());
        QVERIFY(keyboardIn(pickUp));
        till.Key(Qt::Key_Return);
        QCOMPARE(deposits.HeldQuantity(order, QStringLiteral("6901234567892")), 4.0);
        QCOMPARE(KxPosTestAccess::ShownLines(*pickUp).at(0).depositQty, 4.0);
        till.Key(Qt::Key_Escape);
        QTRY_VERIFY(!pickUp->isVisible());
        QVERIFY(keyboardIn(till.screen));
        till.Key(Qt::Key_F3);
        QCOMPARE(till.Label("lblVipPhone"), QString());

        // Visit 3: the rest, both lines ticked (space, right, space).
        QVERIFY(open(Qt::Key_1));
        QVERIFY(keyboardIn(pickUp));
        for (Qt::Key key : {Qt::Key_Space, Qt::Key_Right, Qt::Key_Space, Qt::Key_Return})
            till.Key(key);
        QTRY_VERIFY(!pickUp->isVisible());
        QVERIFY(deposits.OrdersOf(QStringLiteral("8812")).isEmpty());
        QVERIFY(deposits.Log().contains(
            QStringLiteral("picked up from %1: 6901234567892 x 4.00, 6903148042441 x 4.00").arg(order)));
        QCOMPARE(till.Messages(), (QStringList{"取货成功", "取货成功"}));
        QVERIFY(keyboardIn(till.screen));
    }
};

QTEST_MAIN(E2eMemberTest)
#include "tst_e2e_member.moc"
