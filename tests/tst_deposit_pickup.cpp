// The pick-up screen: orders and goods, tick boxes, order and goods
// navigation, the quantity edit request and setPluNum, what the confirm key
// hands over and leaving, driven through clicks and the public slots as a
// host would. The keyboard-only pick-ups of tst_e2e_member cover the keys.

#include "TestAccess.h"
#include "TestDeposits.h"
#include "TestRecords.h"
#include "TestSupport.h"

#include "deposit/GetDepositWidget.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QLabel>
#include <QListView>
#include <QSignalSpy>
#include <QTableWidget>
#include <QtTest>

using namespace KxPosTest;

namespace {
// The screen's keys by their getUiQPushButton numbers.
enum Button { BtnEditNum, BtnPreOrder, BtnNextOrder, BtnPreRow, BtnNextRow, BtnCheck, BtnGet, BtnReturn, BtnDeskTop,
              BtnEditNum2 };

KxPosDepositPluDetail goods(const QString& code, double held)
{
    KxPosDepositPluDetail line;
    line.pluCode = code;
    line.pluName = QStringLiteral("商品") + code;
    line.unitName = QStringLiteral("瓶");
    line.depositQty = line.takeQty = held;
    return line;
}

// Orders JC0001 (A 6, B 2.5, C 1), JC0002 (D 3) and JC0003 (E 4, F 5).
QList<KxPosDepositOrderDetail> sampleOrders()
{
    const QList<QList<KxPosDepositPluDetail>> goodsPerOrder{
        {goods("A", 6), goods("B", 2.5), goods("C", 1)}, {goods("D", 3)}, {goods("E", 4), goods("F", 5)}};
    QList<KxPosDepositOrderDetail> orders;
    for (int i = 0; i < goodsPerOrder.size(); ++i) {
        orders << KxPosDepositOrderDetail();
        orders.last().orderNo = QStringLiteral("JC000%1").arg(i + 1);
        orders.last().depositPlus = goodsPerOrder.at(i);
    }
    return orders;
}

QString cell(GetDepositWidget& screen, int row, int column)
{
    QTableWidgetItem* item = screen.getUiQTableWidget(0)->item(row, column);
    return item ? item->text() : QString();
}

QList<bool> ticks(GetDepositWidget& screen)
{
    QList<bool> out;
    for (int row = 0; row < screen.getUiQTableWidget(0)->rowCount(); ++row)
        out << (screen.getCheckBox(row) && screen.getCheckBox(row)->isChecked());
    return out;
}

void tick(GetDepositWidget& screen, int row)
{
    QVERIFY(screen.getCheckBox(row));
    QTest::mouseClick(screen.getCheckBox(row), Qt::LeftButton);
}
} // namespace

class DepositPickupTest : public ScreenTestCase
{
    Q_OBJECT

private:
    static std::unique_ptr<GetDepositWidget> makeScreen(int screenType = 0)
    {
        auto screen = shownScreen<GetDepositWidget>(screenType);
        screen->initValue(sampleMember(), sampleOrders());
        return screen;
    }

private slots:
    void initValueShowsTheFirstOrder()
    {
        auto screen = makeScreen();
        QAbstractItemModelTester orderTester(screen->getUiQListView(0)->model(),
                                             QAbstractItemModelTester::FailureReportingMode::QtTest);
        QAbstractItemModelTester goodsTester(screen->getUiQTableWidget(0)->model(),
                                             QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(screen->getUiQListView(0)->model()->rowCount(), 3);
        QCOMPARE(screen->getUiQLable(11)->text(), QStringLiteral("JC0001"));
        QCOMPARE(cell(*screen, 1, 2), QStringLiteral("B"));
        QCOMPARE(cell(*screen, 1, 5), QStringLiteral("2.50"));
        QCOMPARE(cell(*screen, 1, 6), QStringLiteral("2.50"));
        QCOMPARE(ticks(*screen), (QList<bool>{false, false, false}));
        QCOMPARE(screen->CurrentRow(), 0); // an empty order list keeping all this is the input storm's
    }

    // Order keys stop at both ends; a click on the list shows that order.
    void orderNavigation()
    {
        auto screen = makeScreen();
        QList<int> visited;
        for (int button : {BtnPreOrder, BtnNextOrder, BtnNextOrder, BtnNextOrder, BtnPreOrder}) {
            clickButton(*screen, button);
            visited << KxPosTestAccess::CurrentOrder(*screen);
            QCOMPARE(screen->getUiQLable(11)->text(), sampleOrders().at(KxPosTestAccess::CurrentOrder(*screen)).orderNo);
        }
        QCOMPARE(visited, (QList<int>{0, 1, 2, 2, 1}));
        QListView* list = screen->getUiQListView(0);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(2, 0)).center());
        QCOMPARE(KxPosTestAccess::CurrentOrder(*screen), 2);
        QCOMPARE(cell(*screen, 1, 2), QStringLiteral("F"));
    }

    // The quantity pad's answer ticks its line (the end-to-end pick-up
    // covers the request and the pad).
    void editedQuantityIsTickedAndHandedOver()
    {
        auto screen = makeScreen(1);
        QSignalSpy edit(screen.get(), &GetDepositWidget::SignDepositEditNum);
        QSignalSpy handed(screen.get(), &GetDepositWidget::SignGetDepositPlus);
        clickButton(*screen, BtnNextRow);
        screen->setPluNum(QStringLiteral("1.25"));
        QCOMPARE(ticks(*screen), (QList<bool>{false, true, false}));
        screen->setPluNum(QStringLiteral("0.00")); // nothing to collect: unticked
        QCOMPARE(ticks(*screen), (QList<bool>{false, false, false}));
        screen->setPluNum(QStringLiteral("abc")); // not a quantity: ignored
        QCOMPARE(cell(*screen, 1, 6), QStringLiteral("0.00"));
        screen->setPluNum(QStringLiteral("1.25"));
        QCOMPARE(cell(*screen, 1, 6), QStringLiteral("1.25"));
        clickButton(*screen, BtnEditNum2); // the second group of screen type 1
        QCOMPARE(edit.count(), 1);
        QCOMPARE(edit.at(0), (QList<QVariant>{2.5, 1.25}));
        clickButton(*screen, BtnGet);
        QCOMPARE(handed.count(), 1);
        QCOMPARE(handed.at(0).at(0).value<KxPosVipDetail>().vipId, QStringLiteral("8812"));
        const auto order = handed.at(0).at(1).value<KxPosDepositOrderDetail>();
        QCOMPARE(order.orderNo, QStringLiteral("JC0001"));
        QCOMPARE(order.depositPlus.size(), 1);
        QCOMPARE(order.depositPlus.at(0).takeQty, 1.25);
        QCOMPARE(order.depositPlus.at(0).depositQty, 2.5);
        // The edited quantity stays with the order while another is looked at.
        screen->nextAccount();
        screen->previousAccount();
        QCOMPARE(cell(*screen, 1, 6), QStringLiteral("1.25"));
    }

    void confirm_data()
    {
        QTest::addColumn<QList<int>>("ticked");
        QTest::addColumn<QString>("secondTake"); // quantity to collect of row 1, "" to keep
        QTest::addColumn<QStringList>("picked");
        QTest::newRow("ticked lines in row order") << QList<int>{2, 0} << QString() << QStringList{"A", "C"};
        QTest::newRow("an unticked line at 0.004 is no obstacle") << QList<int>{0} << QStringLiteral("0.004")
                                                                << QStringList{"A"};
    }

    void confirm()
    {
        QFETCH(QList<int>, ticked);
        QFETCH(QString, secondTake);
        auto screen = makeScreen();
        if (!secondTake.isEmpty()) {
            clickButton(*screen, BtnNextRow);
            screen->setPluNum(secondTake); // ticks row 1 unless it reads "0.00"
            if (screen->getCheckBox(1)->isChecked())
                tick(*screen, 1);
        }
        for (int row : ticked)
            tick(*screen, row);
        QSignalSpy handed(screen.get(), &GetDepositWidget::SignGetDepositPlus);
        clickButton(*screen, BtnGet);
        QVERIFY(messageTexts().isEmpty());
        QCOMPARE(handed.count(), 1);
        QStringList codes;
        for (const KxPosDepositPluDetail& line : handed.at(0).at(1).value<KxPosDepositOrderDetail>().depositPlus)
            codes << line.pluCode;
        QTEST(codes, "picked");
        QCOMPARE(screen->Orders().at(0).depositPlus.size(), 3); // the screen keeps its orders
    }

    void leaving()
    {
        for (int button : {BtnReturn, BtnDeskTop}) {
            auto screen = makeScreen();
            QSignalSpy left(screen.get(), &GetDepositWidget::SignGetDepositReturn);
            clickButton(*screen, button);
            QCOMPARE(left.count(), 1);
            QVERIFY(!screen->isVisible());
        }
    }
};

QTEST_MAIN(DepositPickupTest)
#include "tst_deposit_pickup.moc"
