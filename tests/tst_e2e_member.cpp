// End-to-end scenarios of the demo checkout around a member: a member sale
// with a sales clerk, an exchange coupon whose weighed product is weighed and
// a deduction coupon used and cancelled again; a deposit collected in two
// visits.

#include "tst_e2e_driver.h"

#include "DemoMemberLogin.h"

#include "coupon/CouponItemDelegate.h"
#include "coupon/CouponPluTableModel.h"
#include "coupon/CouponUsageWidget.h"
#include "deposit/DepositPluNumbInputWidget.h"
#include "deposit/DepositPluWidget.h"
#include "deposit/GetDepositWidget.h"

#include "contracts/TitleWidget.h"

#include <QCheckBox>
#include <QListView>
#include <QMenu>
#include <QTableView>

using namespace E2e;

namespace {
// Clicks the cell of a table as the cashier taps it.
void tapCell(QTableView* table, int row, int column)
{
    const QRect cell = table->visualRect(table->model()->index(row, column));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
}

// Taps an area (tick, plus, action button) of a row of the coupon list.
bool tapCoupon(CouponUsageWidget* screen, int row, CouponItemDelegate::ItemArea area)
{
    auto* list = screen->findChild<QListView*>(QStringLiteral("lvCoupon"));
    auto* delegate = qobject_cast<CouponItemDelegate*>(list->itemDelegate());
    const QModelIndex index = list->model()->index(row, 0);
    const QRect rect = delegate->ItemAreaRect(area, list->visualRect(index), index);
    if (rect.isEmpty())
        return false;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    return true;
}

// The row of the coupon screen's product list that holds product `code`.
int productRow(QTableView* table, const QString& code)
{
    auto* model = qobject_cast<CouponPluTableModel*>(table->model());
    for (int row = 0; model && row < model->rowCount(); ++row) {
        if (model->PluList().at(row).pluCode == code)
            return row;
    }
    return -1;
}
// The member key (F2) and her phone number typed into the log-in box.
bool logInMember(Checkout& till, const QString& phone)
{
    till.Key(Qt::Key_F2);
    DemoMemberLogin* login = till.host->MemberLogin();
    if (!QTest::qWaitFor([login] { return QApplication::focusWidget() == login->CodeLine(); }))
        return false;
    till.Enter(phone);
    return !login->isVisible();
}
} // namespace

class E2eMemberTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        KxPosTest::installStrictMessageHandler();
        KxPosModel::RegisterMetaTypes();
        QVERIFY(KxPosTranslator::SetLanguage(QStringLiteral("zh_CN")));
    }

    void memberSaleWithClerkAndCoupons()
    {
        Checkout till;
        QVERIFY(till.WaitForSale());

        // The member key (F2) opens the log-in box; an unknown number is
        // refused in the box, the member's phone logs her in.
        till.Key(Qt::Key_F2);
        DemoMemberLogin* login = till.host->MemberLogin();
        QVERIFY(login->isVisible());
        // The box takes the keyboard once the window system has activated it.
        QTRY_COMPARE(QApplication::focusWidget(), login->CodeLine());
        till.Enter(QStringLiteral("13800000000"));
        QVERIFY(login->isVisible());
        QCOMPARE(till.host->Log().count(QStringLiteral("member 13800000000 not found")), 1);
        till.Enter(QStringLiteral("13812345678"));
        QVERIFY(!login->isVisible());
        QCOMPARE(till.host->Member().vipCode, QStringLiteral("M0008812"));
        QCOMPARE(till.screen->MemberCode(), QStringLiteral("M0008812"));
        QCOMPARE(till.Label("lblVipLvlName"), QStringLiteral("金卡会员"));
        QVERIFY(till.Label("lblVipPhone").contains(QStringLiteral("138****5678")));

        // The clerk button offers the store's clerks; 李娜 serves this sale.
        QVERIFY(till.Click("btnphone"));
        auto* menu = till.screen->findChild<QMenu*>(QStringLiteral("employeeMenu"));
        QTRY_VERIFY(menu->isVisible());
        QAction* lina = nullptr;
        for (QAction* action : menu->actions())
            lina = action->text() == QStringLiteral("李娜-E02") ? action : lina;
        QVERIFY(lina);
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(lina).center());
        QTRY_VERIFY(!menu->isVisible());
        QVERIFY(till.host->Log().contains(QStringLiteral("clerk E02 chosen")));
        QCOMPARE(till.screen->findChild<QPushButton*>(QStringLiteral("btnphone"))->text(), QStringLiteral("李娜-E02"));

        // Her goods: a yogurt pack and sunflower seeds.
        QTRY_COMPARE(QApplication::focusWidget(), till.screen->getUiQLineEdit(26));
        till.Enter(QStringLiteral("6901234568042"));
        till.Enter(QStringLiteral("6921168509256"));
        QCOMPARE(till.Rows(), 2);
        QCOMPARE(till.Label("lblshould"), QStringLiteral("28.60"));

        // An exchange coupon for fruit and drinks: two of four products,
        // apples (weighed, up to 1 kg) and a box of milk.
        QVERIFY(till.Function(QStringLiteral("券兑换")));
        CouponUsageWidget* exchange = till.host->ExchangeCouponScreen();
        QVERIFY(exchange->isVisible());
        QAbstractItemModelTester exchangeCoupons(exchange->findChild<QListView*>(QStringLiteral("lvCoupon"))->model(),
                                                 QAbstractItemModelTester::FailureReportingMode::QtTest);
        auto* couponCode = exchange->findChild<QLineEdit*>(QStringLiteral("txtCouponCode"));
        QTRY_COMPARE(QApplication::focusWidget(), couponCode);
        till.Enter(QStringLiteral("8001"));
        QCOMPARE(exchange->GetCouponWidgetData().size(), 1);
        QCOMPARE(exchange->CurrentPage(), int(CouponUsageWidget::PluSelectionType));
        auto* choices = exchange->findChild<QTableView*>(QStringLiteral("tbvPluSelection"));
        QCOMPARE(choices->model()->rowCount(), 4);
        tapCell(choices, 0, 1);
        tapCell(choices, 2, 1);
        QVERIFY(clickNamed(exchange, QStringLiteral("btnPackConfirm")));
        QCOMPARE(exchange->CurrentPage(), int(CouponUsageWidget::CouponPluListType));
        auto* products = exchange->findChild<QTableView*>(QStringLiteral("tbvPluList"));
        QAbstractItemModelTester productTester(products->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(products->model()->rowCount(), 2);
        const int apples = productRow(products, QStringLiteral("1001"));
        QVERIFY(apples >= 0);

        // Not weighed yet: the coupon cannot be used.
        MessageWidget::ClearHistory();
        QVERIFY(clickNamed(exchange, QStringLiteral("btnConfirm")));
        QCOMPARE(MessageWidget::History().size(), 1);
        QCOMPARE(exchange->GetUsedCouponAmount(), 0.0);

        // The apples on the scale; once it is stable the weigh button reads it.
        till.host->Scale().PlaceItem(0.75);
        QVERIFY(till.WaitForStableWeight(QStringLiteral("0.750")));
        tapCell(products, apples, 1);
        QVERIFY(till.host->ExchangeCoupons().Log().contains(QStringLiteral("weighed 1001: 0.750 kg")));
        QCOMPARE(exchange->findChild<QLabel*>(QStringLiteral("lblTotalAmount"))->text(), QStringLiteral("13.10"));
        QCOMPARE(exchange->findChild<QLabel*>(QStringLiteral("lblDeductAmount"))->text(), QStringLiteral("10.00"));
        QCOMPARE(exchange->findChild<QLabel*>(QStringLiteral("lblPayAmount"))->text(), QStringLiteral("3.10"));

        // Used: apples and milk join the sale, the coupon pays for them.
        QVERIFY(clickNamed(exchange, QStringLiteral("btnSubmit")));
        QTRY_VERIFY(!exchange->isVisible());
        QCOMPARE(till.Rows(), 4);
        QCOMPARE(till.Line(2), (QStringList{QStringLiteral("1001"), QStringLiteral("0.750"), QStringLiteral("9.60")}));
        QCOMPARE(till.Line(3), (QStringList{QStringLiteral("6903148042441"), QStringLiteral("1"), QStringLiteral("3.50")}));
        QCOMPARE(till.Label("lbldiscount"), QStringLiteral("10.00"));
        QCOMPARE(till.Label("lblshould"), QStringLiteral("31.70")); // 41.70 less the coupon's 10.00

        // A deduction coupon of 美团: code 1001 stands for three 10-yuan
        // coupons; the customer uses two of them.
        MessageWidget::ClearHistory();
        QVERIFY(till.Function(QStringLiteral("优惠券")));
        CouponUsageWidget* deduct = till.host->DeductCouponScreen();
        QVERIFY(deduct->isVisible());
        QAbstractItemModelTester deductCoupons(deduct->findChild<QListView*>(QStringLiteral("lvCoupon"))->model(),
                                               QAbstractItemModelTester::FailureReportingMode::QtTest);
        QTRY_COMPARE(QApplication::focusWidget(), deduct->findChild<QLineEdit*>(QStringLiteral("txtCouponCode")));
        till.Enter(QStringLiteral("1001"));
        QCOMPARE(deduct->GetCouponWidgetData().size(), 1);
        QCOMPARE(deduct->GetCouponWidgetData().first().useCount, 1);
        QVERIFY(tapCoupon(deduct, 0, CouponItemDelegate::PlusArea));
        QCOMPARE(deduct->GetCouponWidgetData().first().useCount, 2);
        QVERIFY(clickNamed(deduct, QStringLiteral("btnSubmit")));
        QTRY_VERIFY(!deduct->isVisible());
        QCOMPARE(till.host->DeductCoupons().DeductedAmount(), 20.0);
        QCOMPARE(till.Label("lbldiscount"), QStringLiteral("30.00"));
        QCOMPARE(till.Label("lblshould"), QStringLiteral("11.70"));

        // She keeps the coupons for another day: the coupon screen cancels the use.
        QVERIFY(till.Function(QStringLiteral("优惠券")));
        QVERIFY(deduct->isVisible());
        QCOMPARE(deduct->GetCouponWidgetData().first().status, CouponWidgetInfo::StatusUsed);
        QuestionMessage::QueueAnswers({1});
        QVERIFY(tapCoupon(deduct, 0, CouponItemDelegate::ActionArea));
        QCOMPARE(QuestionMessage::History(), QStringList{msg(2283)});
        QCOMPARE(deduct->GetCouponWidgetData().first().status, CouponWidgetInfo::StatusUnused);
        QVERIFY(till.host->DeductCoupons().Log().contains(QStringLiteral("cancelled 2 coupon(s) of MT1001-01")));
        QCOMPARE(till.host->DeductCoupons().DeductedAmount(), 0.0);
        QCOMPARE(till.Label("lbldiscount"), QStringLiteral("10.00"));
        QCOMPARE(till.Label("lblshould"), QStringLiteral("31.70"));
        QTest::mouseClick(deduct->findChild<TitleWidget*>()->closeButton(), Qt::LeftButton);
        QTRY_VERIFY(!deduct->isVisible());

        // Paid in cash: the member's sale, her clerk, what the coupons left.
        QTRY_COMPARE(QApplication::focusWidget(), till.screen->getUiQLineEdit(26));
        till.Key(Qt::Key_F12);
        QCOMPARE(till.host->Payments().History().size(), 1);
        QCOMPARE(till.host->Payments().History().first().due, 31.7);
        QCOMPARE(till.host->Payments().History().first().change, 8.3);
        QVERIFY(till.ChangePopup());
        QCOMPARE(till.ChangePopup()->amount(), QStringLiteral("8.30"));
        // The member leaves with her sale: the next customer starts without her.
        QVERIFY(till.host->Log().contains(QStringLiteral("member M0008812 logged out")));
        QCOMPARE(till.Label("lblVipPhone"), QString());
        QVERIFY(till.screen->findChild<QPushButton*>(QStringLiteral("btnVipName"))->isVisible());
        QCOMPARE(till.Messages(), QStringList());
    }

    void depositCollectedInTwoVisits()
    {
        Checkout till;
        QVERIFY(till.WaitForSale());
        DemoDeposits& deposits = till.host->Deposits();

        // Visit 1: the member leaves six bottles of water and four boxes of milk.
        QVERIFY(logInMember(till, QStringLiteral("13812345678")));
        whenModal(till.screen, [](QWidget* menu) { QTest::keyClick(menu, Qt::Key_0); });
        QVERIFY(till.Function(QStringLiteral("寄存")));
        DepositPluWidget* entry = deposits.Entry();
        QVERIFY(entry->isVisible());
        QVERIFY(keyboardIn(entry));
        QCOMPARE(entry->Member().vipId, QStringLiteral("8812"));
        QCOMPARE(entry->Employee().employeeCode, QStringLiteral("E01"));
        till.Type(QStringLiteral("6"));
        till.Key(Qt::Key_F3); // quantity key
        till.Enter(QStringLiteral("6901234567892"));
        till.Type(QStringLiteral("4"));
        till.Key(Qt::Key_F3);
        till.Enter(QStringLiteral("6903148042441"));
        QCOMPARE(entry->PluList().size(), 2);
        QCOMPARE(entry->PluList().at(0).saleQty, 6.0);
        QCOMPARE(entry->PluList().at(1).saleQty, 4.0);
        till.Key(Qt::Key_F12); // deposit key
        QTRY_VERIFY(!entry->isVisible());
        QCOMPARE(deposits.OrdersOf(QStringLiteral("8812")).size(), 1);
        const QString order = deposits.OrdersOf(QStringLiteral("8812")).first().orderNo;
        QCOMPARE(deposits.HeldQuantity(order, QStringLiteral("6901234567892")), 6.0);
        QCOMPARE(deposits.HeldQuantity(order, QStringLiteral("6903148042441")), 4.0);
        QCOMPARE(till.Messages(), QStringList{QStringLiteral("寄存成功，寄存单号：%1").arg(order)});
        QVERIFY(keyboardIn(till.screen));
        // She buys a bottle of water on the way out.
        QTRY_COMPARE(QApplication::focusWidget(), till.screen->getUiQLineEdit(26));
        till.Enter(QStringLiteral("6901234567892"));
        till.Key(Qt::Key_F12);
        QCOMPARE(till.host->Payments().History().size(), 1);
        QVERIFY(QTest::qWaitForWindowActive(till.ChangePopup()));
        till.Key(Qt::Key_Return);
        QVERIFY(till.WaitForSale(2));

        // Visit 2: she takes two bottles; the quantity pad sets the amount.
        MessageWidget::ClearHistory();
        QVERIFY(logInMember(till, QStringLiteral("13812345678")));
        whenModal(till.screen, [](QWidget* menu) { QTest::keyClick(menu, Qt::Key_1); });
        QVERIFY(till.Function(QStringLiteral("寄存")));
        GetDepositWidget* pickUp = deposits.PickUp();
        QVERIFY(pickUp->isVisible());
        QVERIFY(keyboardIn(pickUp));
        QCOMPARE(pickUp->Orders().size(), 1);
        QCOMPARE(pickUp->ShownLines().size(), 2);
        QCOMPARE(pickUp->CurrentRow(), 0);
        till.Key(Qt::Key_F3); // edit quantity: the pad
        DepositPluNumbInputWidget* pad = deposits.Pad();
        QVERIFY(pad->isVisible());
        QVERIFY(keyboardIn(pad));
        QCOMPARE(pad->Text(), QStringLiteral("6")); // all of it, until the cashier changes it
        till.Key(Qt::Key_Backspace);
        till.Enter(QStringLiteral("2"));
        QVERIFY(!pad->isVisible());
        QVERIFY(pickUp->getCheckBox(0)->isChecked());
        QVERIFY(!pickUp->getCheckBox(1)->isChecked());
        QVERIFY(keyboardIn(pickUp));
        till.Key(Qt::Key_Return); // collect
        QCOMPARE(deposits.HeldQuantity(order, QStringLiteral("6901234567892")), 4.0);
        QCOMPARE(deposits.HeldQuantity(order, QStringLiteral("6903148042441")), 4.0);
        QVERIFY(pickUp->isVisible());
        QCOMPARE(pickUp->ShownLines().at(0).depositQty, 4.0);
        till.Key(Qt::Key_Escape);
        QTRY_VERIFY(!pickUp->isVisible());
        QVERIFY(keyboardIn(till.screen));
        QVERIFY(till.Function(QStringLiteral("会员退出")));

        // Visit 3: the rest, both lines ticked.
        QVERIFY(logInMember(till, QStringLiteral("13812345678")));
        whenModal(till.screen, [](QWidget* menu) { QTest::keyClick(menu, Qt::Key_1); });
        QVERIFY(till.Function(QStringLiteral("寄存")));
        QVERIFY(pickUp->isVisible());
        QVERIFY(keyboardIn(pickUp));
        till.Key(Qt::Key_Space);
        till.Key(Qt::Key_Right);
        till.Key(Qt::Key_Space);
        QVERIFY(pickUp->getCheckBox(0)->isChecked());
        QVERIFY(pickUp->getCheckBox(1)->isChecked());
        till.Key(Qt::Key_Return);
        QTRY_VERIFY(!pickUp->isVisible());
        QVERIFY(deposits.OrdersOf(QStringLiteral("8812")).isEmpty());
        QCOMPARE(deposits.HeldQuantity(order, QStringLiteral("6901234567892")), 0.0);
        QVERIFY(deposits.Log().contains(QStringLiteral("picked up from %1: 6901234567892 x 2.00").arg(order)));
        QVERIFY(deposits.Log().contains(
            QStringLiteral("picked up from %1: 6901234567892 x 4.00, 6903148042441 x 4.00").arg(order)));
        QCOMPARE(till.Messages(), (QStringList{QStringLiteral("取货成功"), QStringLiteral("取货成功")}));
        QVERIFY(keyboardIn(till.screen));
    }
};

QTEST_MAIN(E2eMemberTest)
#include "tst_e2e_member.moc"
