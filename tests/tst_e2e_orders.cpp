// End-to-end scenario of the demo checkout's online-order desk by keys alone: a new order accepted, picked with
// its weighed line on the scale and handed over; a refund request answered; Escape back to the sale.

#include "tst_e2e_driver.h"

using namespace E2e;
using KxPosTest::child;

class E2eOrdersTest : public KxPosTest::ScreenTestCase
{
    Q_OBJECT

private slots:
    void orderPickedWithWeighedLineAndRefundAnswered()
    {
        E2E_OPEN_CHECKOUT(till);
        DemoOrders& desk = till.host->Orders();
        auto* cards = child<QTableView>(till.screen, "tbvOrder");
        auto* picked = child<QTableView>(till.screen, "tbvDown");
        auto* oper1 = child<QPushButton>(till.screen, "btnOper1");
        auto* pages = child<QStackedWidget>(till.screen, "stackedWidgetPlu");
        const auto status = [cards](const QString& id) { return cellOf(cards, rowOf(cards, 0, id), 1); };
        const auto withEnter = [](int id) { return msg(7500).arg(msg(id)); };
        // Down (or Up) until the order `id` is the chosen one; the remark above its lines names it.
        const auto toOrder = [&](const QString& id) {
            const int target = rowOf(cards, 0, id);
            for (int i = 0; i < cards->model()->rowCount() && till.Label("lbRemark").endsWith(id) == false; ++i)
                till.Key(cards->currentIndex().row() < target ? Qt::Key_Down : Qt::Key_Up);
            return till.Label("lbRemark").endsWith(id) && cards->selectionModel()->isRowSelected(target, {});
        };

        // The order desk (F1): eight sample orders. Escape goes back to the sale and takes nothing.
        till.Key(Qt::Key_F1);
        QCOMPARE(pages->currentIndex(), 1);
        QCOMPARE(cards->model()->rowCount(), 8);
        QCOMPARE(flat(till.Label("lblOrderKeys")), flat(msg(7502)));
        till.Key(Qt::Key_Down);
        till.Key(Qt::Key_Escape);
        QCOMPARE(pages->currentIndex(), 0);
        QVERIFY(!desk.IsOpen());
        QCOMPARE(desk.CountInStatus(QStringLiteral("0")), 3);
        till.Key(Qt::Key_F1);
        QVERIFY(desk.IsOpen());

        // Apples, 2 kg, picked up at the store; the operation keys show their keys.
        const QString order = QStringLiteral("TG2024008");
        QVERIFY(toOrder(order));
        QCOMPARE(oper1->text(), withEnter(1110));
        QCOMPARE(child<QPushButton>(till.screen, "btnOper2")->text(), msg(7501).arg(msg(1113)));

        // Accepted (Enter): the order moves on to picking; finishing before the apples are weighed is refused.
        till.Key(Qt::Key_Return);
        QCOMPARE(status(order), msg(1137));
        QCOMPARE(oper1->text(), withEnter(1136));
        QCOMPARE(cellOf(picked, 0, 2), msg(1106)); // still to be weighed
        till.Key(Qt::Key_Return);
        QCOMPARE(till.Messages(), QStringList{msg(1144)});
        QCOMPARE(desk.CountInStatus(QStringLiteral("1")), 2);

        // The apples on the scale; Space weighs the picked line with the stable weight.
        till.host->Scale().PlaceItem(1.95);
        QVERIFY(till.WaitForStableWeight(QStringLiteral("1.950")));
        till.Key(Qt::Key_Space);
        QCOMPARE(cellOf(picked, 0, 2), QStringLiteral("1.95kg"));
        QCOMPARE(till.Label("lblPickAmount"), QStringLiteral("24.96")); // 12.80 x 1.95

        // Picking finished (the cashier confirms): the order waits for its customer, who collects it.
        QuestionMessage::QueueAnswers({1});
        till.Key(Qt::Key_Return);
        QCOMPARE(QuestionMessage::History(), QStringList{msg(1146)});
        QVERIFY(desk.Log().contains(QStringLiteral("order %1 picked, 1 lines, amount 24.96").arg(order)));
        QCOMPARE(status(order), msg(1126));
        QCOMPARE(oper1->text(), withEnter(2363));
        // Waiting for its customer, the order shows what was picked, not what was ordered (1 x 2 kg, 25.60).
        till.Key(Qt::Key_Down);
        QVERIFY(toOrder(order));
        auto* lines = child<QTableView>(till.screen, "tbvOnline");
        QCOMPARE(cellOf(picked, 0, 2), QStringLiteral("1.95kg"));
        QCOMPARE(till.Label("lblPickAmount"), QStringLiteral("24.96"));
        QCOMPARE(cellOf(lines, 0, 2), QStringLiteral("1.95kg"));
        QCOMPARE(cellOf(lines, 0, 5), QStringLiteral("24.96"));
        till.Key(Qt::Key_Enter);
        QVERIFY(desk.Log().contains(QStringLiteral("order %1 collected by the customer").arg(order)));
        QCOMPARE(rowOf(cards, 0, order), -1);

        // A refund request: the cashier agrees, the order leaves the desk.
        const QString refund = QStringLiteral("WM2024006");
        QVERIFY(toOrder(refund));
        QCOMPARE(status(refund), msg(1169));
        QCOMPARE(oper1->text(), withEnter(1111));
        till.Key(Qt::Key_Return);
        QVERIFY(desk.Log().contains(QStringLiteral("order %1 refunded").arg(refund)));
        QCOMPARE(rowOf(cards, 0, refund), -1);
        QCOMPARE(desk.Orders().size(), 6);

        // Back to the sale with Escape; codes go to the code box again.
        till.Key(Qt::Key_Escape);
        QVERIFY(!desk.IsOpen());
        QCOMPARE(pages->currentIndex(), 0);
        QCOMPARE(till.Messages(), QStringList{msg(1144)});
        till.Enter(QStringLiteral("6901234567892"));
        QCOMPARE(till.Rows(), 1);
    }
};

QTEST_MAIN(E2eOrdersTest)
#include "tst_e2e_orders.moc"
