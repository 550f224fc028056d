// End-to-end scenarios of the demo checkout at the till: a sale of packaged
// and weighed goods paid by a quick-pay key, a held bill recalled after
// another sale, and a food product with its options.

#include "tst_e2e_driver.h"

using namespace E2e;

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
        QTRY_COMPARE(till.Label("lblWeight"), QStringLiteral("0.862"));
        QTRY_VERIFY(till.screen->findChild<QAbstractButton*>(QStringLiteral("btnStable"))->isChecked());
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
};

QTEST_MAIN(E2eSalesTest)
#include "tst_e2e_sales.moc"
