// The pick-up screen: orders and goods, tick boxes, order and goods
// navigation, the quantity edit request and setPluNum, the confirm checks,
// keys, the table layout and its outline, driven through clicks, keys and the
// public slots as a cashier and a host would.

#include "TestSupport.h"
#include "TestRecords.h"

#include "deposit/GetDepositDelegate.h"
#include "deposit/GetDepositWidget.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosModel.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/MessageWidget.h"
#include "contracts/UIComponentGapFiller.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QtTest>

#include <memory>

using namespace KxPosTest;

namespace {
enum Button {
    BtnEditNum = 0,
    BtnPreOrder = 1,
    BtnNextOrder = 2,
    BtnPreRow = 3,
    BtnNextRow = 4,
    BtnCheck = 5,
    BtnGet = 6,
    BtnReturn = 7,
    BtnDeskTop = 8,
    BtnEditNum2 = 9,
    BtnGet2 = 10,
};

KxPosDepositPluDetail goods(const QString& code, double held, double take)
{
    KxPosDepositPluDetail line;
    line.pluCode = code;
    line.pluName = QStringLiteral("商品") + code;
    line.unitName = QStringLiteral("瓶");
    line.extraText = QStringLiteral("550ml");
    line.depositQty = held;
    line.takeQty = take;
    return line;
}

QList<KxPosDepositOrderDetail> sampleOrders()
{
    KxPosDepositOrderDetail first;
    first.orderNo = QStringLiteral("JC0001");
    first.depositPlus = {goods(QStringLiteral("A"), 6, 6), goods(QStringLiteral("B"), 2.5, 2.5),
                         goods(QStringLiteral("C"), 1, 1)};
    KxPosDepositOrderDetail second;
    second.orderNo = QStringLiteral("JC0002");
    second.depositPlus = {goods(QStringLiteral("D"), 3, 3)};
    KxPosDepositOrderDetail third;
    third.orderNo = QStringLiteral("JC0003");
    third.depositPlus = {goods(QStringLiteral("E"), 4, 4), goods(QStringLiteral("F"), 5, 5)};
    return {first, second, third};
}
} // namespace

class DepositPickupTest : public ScreenTestCase
{
    Q_OBJECT

private:
    std::unique_ptr<GetDepositWidget> makeScreen(int screenType = 0, bool withOrders = true)
    {
        auto screen = std::make_unique<GetDepositWidget>(screenType, nullptr);
        screen->resize(KxPosConfig::iAppWidth, KxPosConfig::iAppHeight);
        screen->show();
        if (withOrders)
            screen->initValue(sampleMember(), sampleOrders());
        return screen;
    }

    static void click(GetDepositWidget& screen, int button)
    {
        QTest::mouseClick(screen.getUiQPushButton(button), Qt::LeftButton);
    }

    static QTableWidget* table(GetDepositWidget& screen)
    {
        return screen.getUiQTableWidget(0);
    }

    static QString cell(GetDepositWidget& screen, int row, int column)
    {
        QTableWidgetItem* item = table(screen)->item(row, column);
        return item ? item->text() : QString();
    }

    static QList<bool> ticks(GetDepositWidget& screen)
    {
        QList<bool> out;
        for (int row = 0; row < table(screen)->rowCount(); ++row)
            out << (screen.getCheckBox(row) && screen.getCheckBox(row)->isChecked());
        return out;
    }

    static void tick(GetDepositWidget& screen, int row)
    {
        QCheckBox* box = screen.getCheckBox(row);
        QVERIFY(box);
        QTest::mouseClick(box, Qt::LeftButton);
    }

private slots:
    void initValueShowsTheFirstOrder()
    {
        auto screen = makeScreen();
        QAbstractItemModelTester orderTester(screen->getUiQListView(0)->model(),
                                             QAbstractItemModelTester::FailureReportingMode::QtTest);
        QAbstractItemModelTester goodsTester(table(*screen)->model(),
                                             QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(screen->CurrentOrder(), 0);
        QCOMPARE(screen->getUiQListView(0)->model()->rowCount(), 3);
        QCOMPARE(screen->getUiQListView(0)->model()->index(2, 0).data().toString(), QStringLiteral("JC0003"));
        QCOMPARE(screen->getUiQListView(0)->currentIndex().row(), 0);
        QCOMPARE(screen->getUiQLable(9)->text(), QStringLiteral("13812345678"));
        QCOMPARE(screen->getUiQLable(10)->text(), QStringLiteral("陈晓梅"));
        QCOMPARE(screen->getUiQLable(11)->text(), QStringLiteral("JC0001"));
        QCOMPARE(table(*screen)->rowCount(), 3);
        QCOMPARE(cell(*screen, 1, 1), QStringLiteral("商品B"));
        QCOMPARE(cell(*screen, 1, 2), QStringLiteral("B"));
        QCOMPARE(cell(*screen, 1, 3), QStringLiteral("550ml"));
        QCOMPARE(cell(*screen, 1, 4), QStringLiteral("瓶"));
        QCOMPARE(cell(*screen, 1, 5), QStringLiteral("2.50"));
        QCOMPARE(cell(*screen, 1, 6), QStringLiteral("2.50"));
        QCOMPARE(table(*screen)->item(1, 6)->textAlignment(), int(Qt::AlignCenter));
        QCOMPARE(ticks(*screen), (QList<bool>{false, false, false}));
        QCOMPARE(screen->CurrentRow(), 0);
        QCOMPARE(screen->getCheckBox(0)->objectName(), QStringLiteral("check"));
        QCOMPARE(screen->getCheckBox(0)->focusPolicy(), Qt::NoFocus);
        QVERIFY(!screen->getCheckBox(3));
        QVERIFY(!screen->getCheckBox(-1));
    }

    void initValueWithoutOrdersChangesNothing()
    {
        auto fresh = makeScreen(0, false);
        fresh->initValue(sampleMember(), {});
        QCOMPARE(fresh->CurrentOrder(), -1);
        QCOMPARE(table(*fresh)->rowCount(), 0);
        QCOMPARE(fresh->getUiQListView(0)->model()->rowCount(), 0);
        QVERIFY(fresh->getUiQLable(9)->text().isEmpty());

        auto screen = makeScreen();
        screen->nextAccount();
        tick(*screen, 0);
        KxPosVipDetail other = sampleMember();
        other.vipPhone = QStringLiteral("13900000000");
        screen->initValue(other, {});
        QCOMPARE(screen->CurrentOrder(), 1);
        QCOMPARE(screen->Orders().size(), 3);
        QCOMPARE(screen->getUiQLable(9)->text(), QStringLiteral("13812345678"));
        QCOMPARE(ticks(*screen), QList<bool>{true});
    }

    void orderNavigation_data()
    {
        QTest::addColumn<QList<int>>("presses"); // button numbers
        QTest::addColumn<int>("order");
        QTest::newRow("next") << QList<int>{BtnNextOrder} << 1;
        QTest::newRow("next twice") << QList<int>{BtnNextOrder, BtnNextOrder} << 2;
        QTest::newRow("no wrap at the end") << QList<int>{BtnNextOrder, BtnNextOrder, BtnNextOrder} << 2;
        QTest::newRow("no wrap at the start") << QList<int>{BtnPreOrder} << 0;
        QTest::newRow("there and back") << QList<int>{BtnNextOrder, BtnNextOrder, BtnPreOrder} << 1;
    }

    void orderNavigation()
    {
        QFETCH(QList<int>, presses);
        QFETCH(int, order);
        auto screen = makeScreen();
        for (int button : presses)
            click(*screen, button);
        QCOMPARE(screen->CurrentOrder(), order);
        QCOMPARE(screen->getUiQListView(0)->currentIndex().row(), order);
        QCOMPARE(screen->getUiQLable(11)->text(), sampleOrders().at(order).orderNo);
        QCOMPARE(table(*screen)->rowCount(), sampleOrders().at(order).depositPlus.size());
        QCOMPARE(cell(*screen, 0, 2), sampleOrders().at(order).depositPlus.at(0).pluCode);
    }

    void clickingAnOrderShowsIt()
    {
        auto screen = makeScreen();
        QListView* list = screen->getUiQListView(0);
        const QRect rect = list->visualRect(list->model()->index(2, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
        QCOMPARE(screen->CurrentOrder(), 2);
        QCOMPARE(screen->getUiQLable(11)->text(), QStringLiteral("JC0003"));
        QCOMPARE(cell(*screen, 1, 2), QStringLiteral("F"));
    }

    void goodsNavigationAndTicks()
    {
        auto screen = makeScreen();
        click(*screen, BtnPreRow);
        QCOMPARE(screen->CurrentRow(), 0);
        click(*screen, BtnNextRow);
        click(*screen, BtnNextRow);
        click(*screen, BtnNextRow);
        QCOMPARE(screen->CurrentRow(), 2);
        click(*screen, BtnCheck);
        QCOMPARE(ticks(*screen), (QList<bool>{false, false, true}));
        click(*screen, BtnPreRow);
        screen->changestate();
        QCOMPARE(ticks(*screen), (QList<bool>{false, true, true}));
        click(*screen, BtnCheck);
        QCOMPARE(ticks(*screen), (QList<bool>{false, false, true}));
        tick(*screen, 0);
        QCOMPARE(ticks(*screen), (QList<bool>{true, false, true}));
    }

    void editRequestAndSetPluNum()
    {
        auto screen = makeScreen();
        QSignalSpy edit(screen.get(), &GetDepositWidget::SignDepositEditNum);
        click(*screen, BtnNextRow);
        click(*screen, BtnEditNum);
        QCOMPARE(edit.count(), 1);
        QCOMPARE(edit.at(0).at(0).toDouble(), 2.5);
        QCOMPARE(edit.at(0).at(1).toDouble(), 2.5);

        screen->setPluNum(QStringLiteral("1.50"));
        QCOMPARE(cell(*screen, 1, 6), QStringLiteral("1.50"));
        QCOMPARE(table(*screen)->item(1, 6)->textAlignment(), int(Qt::AlignCenter));
        QCOMPARE(ticks(*screen), (QList<bool>{false, true, false}));
        QCOMPARE(screen->ShownLines().at(1).takeQty, 1.5);
        click(*screen, BtnEditNum);
        QCOMPARE(edit.at(1).at(1).toDouble(), 1.5);

        screen->setPluNum(QStringLiteral("0.00"));
        QCOMPARE(ticks(*screen), (QList<bool>{false, false, false}));
        screen->setPluNum(QStringLiteral("abc")); // not a quantity: ignored
        QCOMPARE(cell(*screen, 1, 6), QStringLiteral("0.00"));

        // The edited quantity stays with the order while another is looked at.
        screen->setPluNum(QStringLiteral("2.00"));
        screen->nextAccount();
        screen->previousAccount();
        QCOMPARE(cell(*screen, 1, 6), QStringLiteral("2.00"));
        QCOMPARE(screen->Orders().at(0).depositPlus.at(1).takeQty, 2.0);
    }

    void confirm_data()
    {
        QTest::addColumn<QList<int>>("ticked");
        QTest::addColumn<QString>("secondTake"); // quantity to collect of row 1, "" to keep
        QTest::addColumn<int>("message");
        QTest::addColumn<QStringList>("picked");
        QTest::newRow("nothing ticked") << QList<int>{} << QString() << 2312 << QStringList();
        QTest::newRow("one line") << QList<int>{1} << QString() << 0 << QStringList{QStringLiteral("B")};
        QTest::newRow("row order") << QList<int>{2, 0} << QString() << 0
                                   << QStringList{QStringLiteral("A"), QStringLiteral("C")};
        QTest::newRow("ticked at 0.004 shows as 0.00") << QList<int>{0, 1} << QStringLiteral("0.004") << 2311
                                                     << QStringList();
        QTest::newRow("ticked at zero") << QList<int>{1} << QStringLiteral("0") << 2311 << QStringList();
        QTest::newRow("0.004 not ticked") << QList<int>{0} << QStringLiteral("0.004") << 0
                                          << QStringList{QStringLiteral("A")};
    }

    void confirm()
    {
        QFETCH(QList<int>, ticked);
        QFETCH(QString, secondTake);
        QFETCH(int, message);
        QFETCH(QStringList, picked);
        auto screen = makeScreen();
        if (!secondTake.isEmpty()) {
            click(*screen, BtnNextRow);
            screen->setPluNum(secondTake); // ticks row 1 unless it reads "0.00"
            if (screen->getCheckBox(1)->isChecked())
                tick(*screen, 1);
        }
        for (int row : ticked)
            tick(*screen, row);
        QSignalSpy handed(screen.get(), &GetDepositWidget::SignGetDepositPlus);
        click(*screen, BtnGet);
        QCOMPARE(messageTexts(), message ? QStringList{translated(message)} : QStringList());
        QCOMPARE(handed.count(), message ? 0 : 1);
        if (!message) {
            const auto who = handed.at(0).at(0).value<KxPosVipDetail>();
            const auto order = handed.at(0).at(1).value<KxPosDepositOrderDetail>();
            QCOMPARE(who.vipId, QStringLiteral("8812"));
            QCOMPARE(order.orderNo, QStringLiteral("JC0001"));
            QStringList codes;
            for (const KxPosDepositPluDetail& line : order.depositPlus)
                codes << line.pluCode;
            QCOMPARE(codes, picked);
        }
        // The screen keeps its orders and ticks after confirm.
        QCOMPARE(screen->Orders().at(0).depositPlus.size(), 3);
    }

    void confirmSendsTheEditedQuantity()
    {
        auto screen = makeScreen();
        click(*screen, BtnNextRow);
        screen->setPluNum(QStringLiteral("1.25"));
        QSignalSpy handed(screen.get(), &GetDepositWidget::SignGetDepositPlus);
        click(*screen, BtnGet);
        QCOMPARE(handed.count(), 1);
        const auto order = handed.at(0).at(1).value<KxPosDepositOrderDetail>();
        QCOMPARE(order.depositPlus.size(), 1);
        QCOMPARE(order.depositPlus.at(0).takeQty, 1.25);
        QCOMPARE(order.depositPlus.at(0).depositQty, 2.5);
    }

    void keys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("target"); // 0 table, 1 order list, 2 goods panel
        QTest::addColumn<bool>("forwarded");
        QTest::newRow("digit on the table") << int(Qt::Key_5) << 0 << false;
        QTest::newRow("digit on the list") << int(Qt::Key_0) << 1 << false;
        QTest::newRow("up on the list") << int(Qt::Key_Up) << 1 << true;
        QTest::newRow("right on the table") << int(Qt::Key_Right) << 0 << true;
        QTest::newRow("end on the panel") << int(Qt::Key_End) << 2 << true;
        QTest::newRow("asterisk on the table") << int(Qt::Key_Asterisk) << 0 << true;
    }

    void keys()
    {
        QFETCH(int, key);
        QFETCH(int, target);
        QFETCH(bool, forwarded);
        auto screen = makeScreen();
        QSignalSpy keysSpy(screen.get(), &GetDepositWidget::SignDepositGetKeyPressed);
        QWidget* widgets[] = {table(*screen), screen->getUiQListView(0), screen->getUiQWidget(3)};
        QTest::keyClick(widgets[target], Qt::Key(key));
        QCOMPARE(keysSpy.count(), forwarded ? 1 : 0);
        if (forwarded) {
            QCOMPARE(keysSpy.at(0).at(0).toString(), QStringLiteral("GetDepositPluWidget"));
            QCOMPARE(keysSpy.at(0).at(1).toInt(), key);
        }
        // The watched views do not act on keys themselves.
        QCOMPARE(screen->CurrentOrder(), 0);
        QCOMPARE(screen->CurrentRow(), 0);
    }

    void leaving_data()
    {
        QTest::addColumn<int>("button");
        QTest::newRow("return") << int(BtnReturn);
        QTest::newRow("desktop") << int(BtnDeskTop);
    }

    void leaving()
    {
        QFETCH(int, button);
        auto screen = makeScreen();
        QSignalSpy left(screen.get(), &GetDepositWidget::SignGetDepositReturn);
        click(*screen, button);
        QCOMPARE(left.count(), 1);
        QVERIFY(!screen->isVisible());
    }

    void tableLayout()
    {
        auto screen = makeScreen();
        QTableWidget* t = table(*screen);
        const int width = KxPosConfig::iAppWidth;
        const int u = (width - 266) / 10;
        QCOMPARE(t->columnCount(), 7);
        QCOMPARE(t->columnWidth(0), u / 2);
        QCOMPARE(t->columnWidth(1), width - 274 - 7 * u);
        QCOMPARE(t->columnWidth(2), qRound(1.5 * u));
        QCOMPARE(t->columnWidth(3), 2 * u);
        for (int c = 4; c < 7; ++c)
            QCOMPARE(t->columnWidth(c), u);
        QCOMPARE(t->horizontalHeaderItem(0)->text(), QString());
        const int ids[] = {402, 1181, 1182, 1456, 2310, 2309};
        for (int c = 1; c < 7; ++c)
            QCOMPARE(t->horizontalHeaderItem(c)->text(), translated(ids[c - 1]));
        QVERIFY(t->verticalHeader()->isHidden());
        QVERIFY(!t->showGrid());
        QCOMPARE(t->editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(t->rowHeight(0), KxPosConfig::GetAutoHeight(44, 30));
        QVERIFY(qobject_cast<GetDepositDelegate*>(t->itemDelegateForRow(2)));
        screen->nextAccount(); // one line: the delegates of rows 1 and 2 go
        QVERIFY(!t->itemDelegateForRow(1));
    }

    void selectedRowIsOutlinedBesideTheTickBox()
    {
        auto screen = makeScreen();
        QTableWidget* t = table(*screen);
        click(*screen, BtnNextRow);
        const QImage image = t->viewport()->grab().toImage();
        const QColor line = GetDepositDelegate::LineColor();
        const QRect tickCell = t->visualRect(t->model()->index(1, 0));
        const QRect first = t->visualRect(t->model()->index(1, 1));
        const QRect last = t->visualRect(t->model()->index(1, 6));
        QCOMPARE(image.pixelColor(first.left(), first.center().y()), line);
        QCOMPARE(image.pixelColor(first.left() + 5, first.top()), line);
        QCOMPARE(image.pixelColor(last.right(), last.center().y()), line);
        QVERIFY(image.pixelColor(tickCell.left() + 2, tickCell.top()) != line);
    }

    void screenTypeOneShowsTheSecondGroup()
    {
        auto plain = makeScreen(0);
        QVERIFY(plain->getUiQWidget(5)->isHidden());
        auto large = makeScreen(1);
        QVERIFY(!large->getUiQWidget(5)->isHidden());
        QCOMPARE(large->getUiQPushButton(BtnEditNum2)->text(), translated(1916));
        QCOMPARE(large->getUiQPushButton(BtnGet2)->text(), translated(2308));
        QSignalSpy edit(large.get(), &GetDepositWidget::SignDepositEditNum);
        click(*large, BtnEditNum2);
        QCOMPARE(edit.count(), 1);
    }

    void frameAndAccessors()
    {
        auto screen = makeScreen();
        QCOMPARE(screen->getUiQLable(6)->text(), translated(7309));
        QCOMPARE(screen->getUiQLable(7)->text(), translated(7310));
        QCOMPARE(screen->getUiQLable(8)->text(), translated(7311));
        QCOMPARE(screen->getUiQPushButton(BtnGet)->text(), translated(2308));
        QCOMPARE(screen->getUiQPushButton(11), UIComponentGapFiller::getQPushButton());
        QCOMPARE(screen->getUiQLable(15), UIComponentGapFiller::getQLabel());
        QCOMPARE(screen->getUiQListView(1), UIComponentGapFiller::getQListView());
        QCOMPARE(screen->getUiQTableWidget(1), UIComponentGapFiller::getQTableWidget());
        QCOMPARE(screen->getUiQWidget(8), UIComponentGapFiller::getQWidget());

        screen->SlotTimeUpd(QStringLiteral("2024-05-06 Mon 21:30:00"));
        QCOMPARE(screen->getUiQLable(2)->text(), QStringLiteral("21:30:00"));
        screen->SlotTrdSetStatusValue(QStringLiteral("0101"), QStringLiteral("03"), QStringLiteral("刘洋"));
        QCOMPARE(screen->getUiQLable(13)->text(), translated(1247) + QStringLiteral("-03"));
        QCOMPARE(screen->getUiQLable(14)->text(), QStringLiteral("刘洋"));

        QVERIFY(KxPosTranslator::SetLanguage(QStringLiteral("en")));
        QCOMPARE(screen->getUiQPushButton(BtnGet)->text(), QStringLiteral("Confirm pick-up"));
        QCOMPARE(table(*screen)->horizontalHeaderItem(5)->text(), translated(2310));
    }
};

QTEST_MAIN(DepositPickupTest)
#include "tst_deposit_pickup.moc"
