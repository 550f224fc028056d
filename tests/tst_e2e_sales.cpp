// End-to-end scenarios of the demo checkout at the till: a sale of packaged
// and weighed goods paid by a quick-pay key, a held bill recalled after
// another sale, and a food product with its options.

#include "tst_e2e_driver.h"

#include "options/SelectSpuWidget.h"

using namespace E2e;

namespace {
// Presses the key of option `name` in one grid of the option dialog, turning
// the grid's pages with its page key until the option shows.
bool choose(QWidget* dialog, SelectSpuWidget::Grid grid, const QString& name)
{
    auto* spu = qobject_cast<SelectSpuWidget*>(dialog);
    if (!spu)
        return false;
    for (int page = 0; page < 5; ++page) {
        for (QPushButton* key : spu->GridButtons(grid)) {
            if (key->isVisible() && key->isEnabled() && key->text().section(QLatin1Char('\n'), 0, 0) == name) {
                QTest::mouseClick(key, Qt::LeftButton);
                return true;
            }
        }
        if (!spu->PageKey(grid) || !spu->PageKey(grid)->isVisible())
            return false;
        QTest::mouseClick(spu->PageKey(grid), Qt::LeftButton);
    }
    return false;
}
} // namespace

class E2eSalesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        KxPosTest::installStrictMessageHandler();
        KxPosModel::RegisterMetaTypes();
        QVERIFY(KxPosTranslator::SetLanguage(QStringLiteral("zh_CN")));
    }

    void packagedAndWeighedSalePaidByQuickPay()
    {
        Checkout till;
        QVERIFY(till.WaitForSale());
        QCOMPARE(till.Rows(), 0);

        // Two packaged products scanned.
        till.Enter(QStringLiteral("6901234567892"));
        till.Enter(QStringLiteral("6920202888883"));
        QCOMPARE(till.Rows(), 2);
        QCOMPARE(till.Line(0), (QStringList{QStringLiteral("6901234567892"), QStringLiteral("1"), QStringLiteral("2.00")}));
        QCOMPARE(till.Line(1), (QStringList{QStringLiteral("6920202888883"), QStringLiteral("1"), QStringLiteral("4.50")}));

        // Apples on the scale; their code once the weight is stable.
        till.host->Scale().PlaceItem(0.862);
        QVERIFY(till.WaitForStableWeight(QStringLiteral("0.862")));
        till.Enter(QStringLiteral("1001"));
        QCOMPARE(till.Rows(), 3);
        QCOMPARE(till.Line(2), (QStringList{QStringLiteral("1001"), QStringLiteral("0.862"), QStringLiteral("11.03")}));

        // Two more bottles: up to the water line, plus key twice; the line
        // stays the cashier's line between the presses.
        till.Key(Qt::Key_Up);
        till.Key(Qt::Key_Up);
        till.Key(Qt::Key_Plus);
        till.Key(Qt::Key_Plus);
        QCOMPARE(till.Line(0), (QStringList{QStringLiteral("6901234567892"), QStringLiteral("3"), QStringLiteral("6.00")}));
        QCOMPARE(till.Line(2), (QStringList{QStringLiteral("1001"), QStringLiteral("0.862"), QStringLiteral("11.03")}));
        // The noodles go: down one line, delete key.
        till.Key(Qt::Key_Down);
        till.Key(Qt::Key_Delete);
        QCOMPARE(till.Rows(), 2);
        QCOMPARE(till.Cell(1, 1), QStringLiteral("1001"));
        QCOMPARE(till.Label("lblprodcount"), QStringLiteral("4"));
        QCOMPARE(till.Label("lblshould"), QStringLiteral("17.03"));

        // Cash by its quick-pay key (F12): 20 yuan handed over, 2.97 back.
        till.Key(Qt::Key_F12);
        QCOMPARE(till.host->Payments().History().size(), 1);
        const DemoPayment paid = till.host->Payments().History().first();
        QCOMPARE(paid.payCode, QStringLiteral("CashPay"));
        QCOMPARE(paid.due, 17.03);
        QCOMPARE(paid.tendered, 20.0);
        QCOMPARE(paid.change, 2.97);
        QVERIFY(till.host->Log().contains(QStringLiteral("paid 17.03 by CashPay, change 2.97")));
        ChangeWidget* change = till.ChangePopup();
        QVERIFY(change);
        QCOMPARE(change->amount(), QStringLiteral("2.97"));
        QVERIFY(QTest::qWaitForWindowActive(change));
        QCOMPARE(till.Rows(), 0);
        QVERIFY(!till.screen->IsTradeActive());

        // The cashier's Enter closes the change and opens the next sale.
        till.Key(Qt::Key_Return);
        QVERIFY(till.WaitForSale(2));
        QVERIFY(!change->isVisible());
        QVERIFY(till.screen->IsTradeActive());
        QCOMPARE(till.Messages(), QStringList());
    }

    void heldBillRecalledAfterAnotherSale()
    {
        Checkout till;
        QVERIFY(till.WaitForSale());
        auto* bill01 = till.screen->findChild<QPushButton*>(QStringLiteral("btnBill01"));
        auto* bill02 = till.screen->findChild<QPushButton*>(QStringLiteral("btnBill02"));
        QVERIFY(bill01->isChecked());

        // The first customer's goods, then the hold key: the sale is parked
        // under bill 01 and the till carries on with an empty bill 02.
        till.Enter(QStringLiteral("6901234567892"));
        till.Enter(QStringLiteral("6920202888883"));
        QCOMPARE(till.Label("lblshould"), QStringLiteral("6.50"));
        QVERIFY(till.Function(QStringLiteral("挂单")));
        QCOMPARE(till.Rows(), 0);
        QVERIFY(bill02->isChecked());
        QVERIFY(!bill01->isChecked());
        QCOMPARE(till.Label("lblbillno"), QStringLiteral("02"));
        QCOMPARE(till.Label("lblshould"), QStringLiteral("0.00"));
        QCOMPARE(till.host->Bills().HeldBills(), QStringList{QStringLiteral("01")});

        // The next customer: two boxes of milk, paid by the WeChat quick-pay key.
        till.Enter(QStringLiteral("6903148042441"));
        till.Enter(QStringLiteral("6903148042441"));
        QCOMPARE(till.Rows(), 1);
        QCOMPARE(till.Line(0), (QStringList{QStringLiteral("6903148042441"), QStringLiteral("2"), QStringLiteral("7.00")}));
        QVERIFY(till.Click("toolButtonpayfirst"));
        QCOMPARE(till.host->Payments().History().size(), 1);
        QCOMPARE(till.host->Payments().History().first().payCode, QStringLiteral("WxPay"));
        QCOMPARE(till.host->Payments().History().first().due, 7.0);
        ChangeWidget* change = till.ChangePopup();
        QVERIFY(change);
        QCOMPARE(change->amount(), QStringLiteral("0.00"));
        QVERIFY(QTest::qWaitForWindowActive(change));
        till.Key(Qt::Key_Return);
        QVERIFY(till.WaitForSale(2));
        QVERIFY(!change->isVisible());

        // The first customer is back: the recall key brings bill 01 with its lines.
        QVERIFY(till.Function(QStringLiteral("取单")));
        QVERIFY(bill01->isChecked());
        QCOMPARE(till.Label("lblbillno"), QStringLiteral("01"));
        QCOMPARE(till.Rows(), 2);
        QCOMPARE(till.Line(0), (QStringList{QStringLiteral("6901234567892"), QStringLiteral("1"), QStringLiteral("2.00")}));
        QCOMPARE(till.Line(1), (QStringList{QStringLiteral("6920202888883"), QStringLiteral("1"), QStringLiteral("4.50")}));
        QCOMPARE(till.Label("lblshould"), QStringLiteral("6.50"));
        QCOMPARE(till.host->Bills().HeldBills(), QStringList());

        // Paid in cash (F12) after the pay key's guard time has passed.
        QTest::qWait(500);
        till.Key(Qt::Key_F12);
        QCOMPARE(till.host->Payments().History().size(), 2);
        QCOMPARE(till.host->Payments().History().last().due, 6.5);
        QCOMPARE(till.host->Payments().History().last().change, 3.5);
        QVERIFY(till.ChangePopup());
        QCOMPARE(till.ChangePopup()->amount(), QStringLiteral("3.50"));
        QCOMPARE(till.Messages(), QStringList());
    }

    void foodWithSpecificationTasteAndAddOns()
    {
        Checkout till;
        QVERIFY(till.WaitForSale());

        // Beef noodles: large, and the required spiciness forgotten at first.
        QStringList clicked;
        QString refusal;
        whenModal(till.screen, [&](QWidget* dialog) {
            const auto press = [&](SelectSpuWidget::Grid grid, const char* key) {
                clicked << (choose(dialog, grid, QString::fromUtf8(key)) ? QString::fromUtf8(key) : QString());
            };
            press(SelectSpuWidget::GridSpec, "大份");
            clickNamed(dialog, QStringLiteral("btnOk"));
            refusal = MessageWidget::History().isEmpty() ? QString() : MessageWidget::History().last().first;
            const bool stillOpen = modal() == dialog;
            press(SelectSpuWidget::GridTaste, "微辣");
            press(SelectSpuWidget::GridTaste, "不要香菜");
            press(SelectSpuWidget::GridAdd, "加牛肉");
            press(SelectSpuWidget::GridAdd, "加蛋");
            clicked << (stillOpen ? QStringLiteral("open") : QStringLiteral("closed"));
            if (!clickNamed(dialog, QStringLiteral("btnOk")) || modal() == dialog)
                clickNamed(dialog, QStringLiteral("btnClose"));
        });
        till.Enter(QStringLiteral("3002"));
        QCOMPARE(clicked, (QStringList{QStringLiteral("大份"), QStringLiteral("微辣"), QStringLiteral("不要香菜"),
                                       QStringLiteral("加牛肉"), QStringLiteral("加蛋"), QStringLiteral("open")}));
        QVERIFY2(refusal.contains(QStringLiteral("辣度")), qPrintable(refusal));
        QVERIFY(!modal());
        QCOMPARE(till.Rows(), 1);
        QCOMPARE(till.Cell(0, 1), QStringLiteral("3002L"));
        QCOMPARE(till.Cell(0, 2), QStringLiteral("牛肉拉面(大份) 微辣 不要香菜 +加牛肉 +加蛋"));
        QCOMPARE(till.Cell(0, 3), QStringLiteral("微辣 不要香菜 +加牛肉 +加蛋"));
        QCOMPARE(till.Cell(0, 5), QStringLiteral("37.00")); // 22 + 5 large + 8 beef + 2 egg
        QCOMPARE(till.Label("lblshould"), QStringLiteral("37.00"));

        // A second bowl, regular and not spicy, without add-ons: a line of its own.
        whenModal(till.screen, [](QWidget* dialog) {
            choose(dialog, SelectSpuWidget::GridSpec, QStringLiteral("标准"));
            choose(dialog, SelectSpuWidget::GridTaste, QStringLiteral("不辣"));
            clickNamed(dialog, QStringLiteral("btnOk"));
            if (modal() == dialog)
                clickNamed(dialog, QStringLiteral("btnClose"));
        });
        till.Enter(QStringLiteral("3002"));
        QCOMPARE(till.Rows(), 2);
        QCOMPARE(till.Cell(1, 1), QStringLiteral("3002R"));
        QCOMPARE(till.Cell(1, 2), QStringLiteral("牛肉拉面(标准) 不辣"));
        QCOMPARE(till.Cell(1, 5), QStringLiteral("22.00"));

        // A milk tea the customer changes their mind about: closed, nothing added.
        whenModal(till.screen, [](QWidget* dialog) {
            choose(dialog, SelectSpuWidget::GridSpec, QStringLiteral("大杯"));
            clickNamed(dialog, QStringLiteral("btnClose"));
        });
        till.Enter(QStringLiteral("3001"));
        QVERIFY(!modal());
        QCOMPARE(till.Rows(), 2);
        QCOMPARE(till.Label("lblshould"), QStringLiteral("59.00"));
        QVERIFY(till.host->Log().contains(QStringLiteral("options of 3001 not chosen")));
        QVERIFY(till.host->Log().contains(QStringLiteral("food 3002 sold as 3002L at 37.00")));
        QCOMPARE(till.Messages().size(), 1);
    }
};

QTEST_MAIN(E2eSalesTest)
#include "tst_e2e_sales.moc"
