// End-to-end scenario of the demo checkout's online-order desk: a new order
// accepted, picked with its weighed line on the scale and handed over; a
// refund request answered.

#include "tst_e2e_driver.h"

#include <QStackedWidget>
#include <QTableView>

using namespace E2e;

namespace {
// Taps a cell of a table as the cashier does.
void tapCell(QTableView* table, int row, int column)
{
    const QRect cell = table->visualRect(table->model()->index(row, column));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
}

// The card of order `id` in the order list; -1 when it is not listed.
int cardOf(QTableView* cards, const QString& id)
{
    for (int row = 0; row < cards->model()->rowCount(); ++row) {
        if (cards->model()->index(row, 0).data().toString() == id)
            return row;
    }
    return -1;
}

QString cell(QTableView* table, int row, int column)
{
    return table->model()->index(row, column).data().toString();
}
} // namespace

class E2eOrdersTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        KxPosTest::installStrictMessageHandler();
        KxPosModel::RegisterMetaTypes();
        QVERIFY(KxPosTranslator::SetLanguage(QStringLiteral("zh_CN")));
    }

    void orderPickedWithWeighedLineAndRefundAnswered()
    {
        Checkout till;
        QVERIFY(till.WaitForSale());
        DemoOrders& desk = till.host->Orders();
        auto* cards = till.screen->findChild<QTableView*>(QStringLiteral("tbvOrder"));
        auto* picked = till.screen->findChild<QTableView*>(QStringLiteral("tbvDown"));
        auto* oper1 = till.screen->findChild<QPushButton*>(QStringLiteral("btnOper1"));
        auto* oper2 = till.screen->findChild<QPushButton*>(QStringLiteral("btnOper2"));
        auto* page = till.screen->findChild<QStackedWidget*>(QStringLiteral("stackedWidgetPlu"));
        QVERIFY(page);

        // The order desk: eight sample orders, the newest on top.
        QVERIFY(till.Function(QStringLiteral("线上订单")));
        QCOMPARE(page->currentIndex(), 1);
        QCOMPARE(cards->model()->rowCount(), 8);
        const QString order = QStringLiteral("TG2024008"); // apples, 2 kg, picked up at the store
        const int card = cardOf(cards, order);
        QVERIFY(card >= 0);
        tapCell(cards, card, 0);
        QCOMPARE(oper1->text(), msg(1110));
        QCOMPARE(oper2->text(), msg(1113));

        // Accepted: the order moves on to picking, still chosen.
        QVERIFY(clickNamed(till.screen, QStringLiteral("btnOper1")));
        QVERIFY(desk.Log().contains(QStringLiteral("order %1 accepted, picking").arg(order)));
        QCOMPARE(cell(cards, cardOf(cards, order), 1), msg(1137));
        QCOMPARE(oper1->text(), msg(1136));
        QCOMPARE(picked->model()->rowCount(), 1);
        QCOMPARE(cell(picked, 0, 2), msg(1106)); // still to be weighed

        // Finishing before the apples are weighed is refused.
        MessageWidget::ClearHistory();
        QVERIFY(clickNamed(till.screen, QStringLiteral("btnOper1")));
        QCOMPARE(till.Messages(), QStringList{msg(1144)});
        QCOMPARE(desk.CountInStatus(QStringLiteral("1")), 2);

        // The apples on the scale; the line's weigh button reads the stable weight.
        till.host->Scale().PlaceItem(1.95);
        QVERIFY(till.WaitForStableWeight(QStringLiteral("1.950")));
        tapCell(picked, 0, 2);
        QVERIFY(desk.Log().contains(QStringLiteral("weighed 红富士苹果: 1.950 kg")));
        QCOMPARE(cell(picked, 0, 2), QStringLiteral("1.95kg"));
        QCOMPARE(till.Label("lblPickAmount"), QStringLiteral("24.96")); // 12.80 x 1.95

        // Picking finished (the cashier confirms the question): the order
        // waits for its customer, who then collects it.
        QuestionMessage::QueueAnswers({1});
        QVERIFY(clickNamed(till.screen, QStringLiteral("btnOper1")));
        QCOMPARE(QuestionMessage::History(), QStringList{msg(1146)});
        QVERIFY(desk.Log().contains(QStringLiteral("order %1 picked, 1 lines, amount 24.96").arg(order)));
        QVERIFY(desk.Log().contains(QStringLiteral("order %1 waits for the customer").arg(order)));
        QCOMPARE(cell(cards, cardOf(cards, order), 1), msg(1126));
        QCOMPARE(oper1->text(), msg(2363));
        QVERIFY(clickNamed(till.screen, QStringLiteral("btnOper1")));
        QVERIFY(desk.Log().contains(QStringLiteral("order %1 collected by the customer").arg(order)));
        QCOMPARE(cardOf(cards, order), -1);
        QCOMPARE(cards->model()->rowCount(), 7);

        // A refund request: the cashier agrees, the order leaves the desk.
        const QString refund = QStringLiteral("WM2024006");
        tapCell(cards, cardOf(cards, refund), 0);
        QCOMPARE(cell(cards, cardOf(cards, refund), 1), msg(1169));
        QCOMPARE(oper1->text(), msg(1111));
        QCOMPARE(oper2->text(), msg(1112));
        QVERIFY(clickNamed(till.screen, QStringLiteral("btnOper1")));
        QVERIFY(desk.Log().contains(QStringLiteral("order %1 refunded").arg(refund)));
        QCOMPARE(cardOf(cards, refund), -1);
        QCOMPARE(cards->model()->rowCount(), 6);
        QCOMPARE(desk.Orders().size(), 6);

        // Back to the sale with the first bill key.
        QVERIFY(till.Click("btnBill01"));
        QCOMPARE(page->currentIndex(), 0);
        QVERIFY(!desk.IsOpen());
        QCOMPARE(till.Messages(), QStringList{msg(1144)});
    }
};

QTEST_MAIN(E2eOrdersTest)
#include "tst_e2e_orders.moc"
