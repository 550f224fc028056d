// End-to-end scenario of the demo checkout's online-order desk: a new order accepted, picked with its weighed
// line on the scale and handed over; a refund request answered.

#include "tst_e2e_driver.h"

using namespace E2e;
using KxPosTest::child;

class E2eOrdersTest : public KxPosTest::ScreenTestCase
{
    Q_OBJECT

private slots:
    void orderPickedWithWeighedLineAndRefundAnswered()
    {
        Checkout till;
        QVERIFY(till.WaitForSale());
        DemoOrders& desk = till.host->Orders();
        auto* cards = child<QTableView>(till.screen, "tbvOrder");
        auto* picked = child<QTableView>(till.screen, "tbvDown");
        auto* oper1 = child<QPushButton>(till.screen, "btnOper1");
        const auto status = [cards](const QString& id) { return cellOf(cards, rowOf(cards, 0, id), 1); };

        // The order desk: eight sample orders; apples, 2 kg, picked up at the store.
        QVERIFY(till.Function(QStringLiteral("线上订单")));
        QCOMPARE(child<QStackedWidget>(till.screen, "stackedWidgetPlu")->currentIndex(), 1);
        QCOMPARE(cards->model()->rowCount(), 8);
        const QString order = QStringLiteral("TG2024008");
        tapCell(cards, rowOf(cards, 0, order), 0);
        QCOMPARE(oper1->text(), msg(1110));
        QCOMPARE(child<QPushButton>(till.screen, "btnOper2")->text(), msg(1113));

        // Accepted: the order moves on to picking; finishing before the apples are weighed is refused.
        QVERIFY(clickNamed(till.screen, QStringLiteral("btnOper1")));
        QCOMPARE(status(order), msg(1137));
        QCOMPARE(oper1->text(), msg(1136));
        QCOMPARE(cellOf(picked, 0, 2), msg(1106)); // still to be weighed
        QVERIFY(clickNamed(till.screen, QStringLiteral("btnOper1")));
        QCOMPARE(till.Messages(), QStringList{msg(1144)});
        QCOMPARE(desk.CountInStatus(QStringLiteral("1")), 2);

        // The apples on the scale; the line's weigh button reads the stable weight.
        till.host->Scale().PlaceItem(1.95);
        QVERIFY(till.WaitForStableWeight(QStringLiteral("1.950")));
        tapCell(picked, 0, 2);
        QCOMPARE(cellOf(picked, 0, 2), QStringLiteral("1.95kg"));
        QCOMPARE(till.Label("lblPickAmount"), QStringLiteral("24.96")); // 12.80 x 1.95

        // Picking finished (the cashier confirms): the order waits for its customer, who collects it.
        QuestionMessage::QueueAnswers({1});
        QVERIFY(clickNamed(till.screen, QStringLiteral("btnOper1")));
        QCOMPARE(QuestionMessage::History(), QStringList{msg(1146)});
        QVERIFY(desk.Log().contains(QStringLiteral("order %1 picked, 1 lines, amount 24.96").arg(order)));
        QCOMPARE(status(order), msg(1126));
        QCOMPARE(oper1->text(), msg(2363));
        // Waiting for its customer, the order shows what was picked, not what was ordered (1 x 2 kg, 25.60).
        tapCell(cards, rowOf(cards, 0, order), 0);
        auto* lines = child<QTableView>(till.screen, "tbvOnline");
        QCOMPARE(cellOf(picked, 0, 2), QStringLiteral("1.95kg"));
        QCOMPARE(till.Label("lblPickAmount"), QStringLiteral("24.96"));
        QCOMPARE(cellOf(lines, 0, 2), QStringLiteral("1.95kg"));
        QCOMPARE(cellOf(lines, 0, 5), QStringLiteral("24.96"));
        QVERIFY(clickNamed(till.screen, QStringLiteral("btnOper1")));
        QVERIFY(desk.Log().contains(QStringLiteral("order %1 collected by the customer").arg(order)));
        QCOMPARE(rowOf(cards, 0, order), -1);

        // A refund request: the cashier agrees, the order leaves the desk.
        const QString refund = QStringLiteral("WM2024006");
        tapCell(cards, rowOf(cards, 0, refund), 0);
        QCOMPARE(status(refund), msg(1169));
        QCOMPARE(oper1->text(), msg(1111));
        QVERIFY(clickNamed(till.screen, QStringLiteral("btnOper1")));
        QVERIFY(desk.Log().contains(QStringLiteral("order %1 refunded").arg(refund)));
        QCOMPARE(rowOf(cards, 0, refund), -1);
        QCOMPARE(desk.Orders().size(), 6);

        // Back to the sale with the first bill key.
        QVERIFY(till.Click("btnBill01"));
        QVERIFY(!desk.IsOpen());
        QCOMPARE(till.Messages(), QStringList{msg(1144)});
    }
};

QTEST_MAIN(E2eOrdersTest)
#include "tst_e2e_orders.moc"
