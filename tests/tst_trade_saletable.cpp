// The sales screen's sale-line table driven as a host (rebindModel, its
// public slots) and a cashier (clicks on rows and page buttons) would: the
// 15-column row layout, navigation and paging, quantity and delete requests,
// the amount of the current line, the coupon deduction caption and the
// single-line discount (its refusals are walked by tst_refusals).

#include "TestRecords.h"
#include "TestSupport.h"

#include "trade/TradeWidget.h"

#include "contracts/KxPosModel.h"
#include "contracts/MessageWidget.h"
#include "contracts/TableModel.h"

#include <QAbstractItemModelTester>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QtTest>

using namespace KxPosTest;

namespace {
TableModel* model(TradeWidget* screen) { return screen->GetTable()->model(); }
QTableView* view(TradeWidget* screen) { return screen->GetTable()->view(); }
int current(TradeWidget* screen) { return view(screen)->currentIndex().row(); }
QString amountShown(TradeWidget* screen) { return child<QLabel>(screen, "lalMoney")->text(); }

// A single-line discount typed after `lastLine` (0: none, 1: complete,
// 3: discount line), with the discount type of an earlier discount of the
// sale (`previousMode`); the value reported to the host and the discount
// column of the line written.
struct Discount {
    int lastLine;
    QString typed, previousMode, type;
    bool full, writesLine;
    double value;
    QString column7;
};

// Steps on the sale lines: "next", "previous", "scroll N" move the current
// line; "add" and "minus" are the quantity keys, "click add" and "click minus"
// the host's add and minus columns on the second line, "add first" the
// table's own signal on the first line; "delete" and "clear" ask to remove
// the current line or all. Then the current line, the quantities asked for,
// the line numbers asked to be removed and the requests to clear the sale.
struct LineSteps {
    QList<KxPosPluDetail> lines;
    QStringList steps;
    int current;
    QList<double> quantities;
    QList<int> removed;
    int clears;
};

QStringList changed(QStringList row, const QMap<int, QString>& cells)
{
    for (auto it = cells.begin(); it != cells.end(); ++it)
        row[it.key()] = it.value();
    return row;
}
} // namespace

Q_DECLARE_METATYPE(Discount)
Q_DECLARE_METATYPE(LineSteps)

class TradeSaleTableTest : public ScreenTestCase
{
    Q_OBJECT

private slots:
    void rowLayout_data()
    {
        QTest::addColumn<KxPosPluDetail>("record");
        QTest::addColumn<QStringList>("row");

        KxPosPluDetail plain = tradeLine(12, QStringLiteral("6901234"), 3, QStringLiteral("瓶"), 1.5, 0);
        plain.pluName = QStringLiteral("矿泉水");
        plain.detailText = QStringLiteral("550ml");
        plain.amountA = 4.456;
        plain.lineAmount = 4.5;
        plain.tagText = QStringLiteral("促");
        plain.remarkText = QStringLiteral("冷藏");
        const QStringList row{"12", "6901234", "矿泉水", "550ml", "3", "1.50", "0", "4.46", "4.50", "X", "促", "瓶",
                              "", "冷藏", ""};
        QTest::newRow("packaged line") << plain << row;

        KxPosPluDetail weighed = tradeLine(12, QStringLiteral("6901234"), 1.2345, QStringLiteral("千克"), 12.8, 3);
        weighed.pluName = QStringLiteral("苹果");
        weighed.amountA = 0;
        weighed.lineAmount = 15.8;
        QTest::newRow("weighed line, three decimals")
            << weighed
            << QStringList{"12", "6901234", "苹果", "", "1.234", "12.80", "0", "0.00", "15.80", "X", "", "千克", "",
                           "", ""};

        KxPosPluDetail serial = plain;
        serial.isSerialLine = QStringLiteral("1");
        serial.extValues.insert(QStringLiteral("SerialNo"), QStringLiteral("SN0042"));
        serial.extValues.insert(QStringLiteral("SeCode"), QStringLiteral("77"));
        QTest::newRow("serial-number line") << serial << changed(row, {{2, "SN0042/77 矿泉水"}});

        KxPosPluDetail package = plain;
        package.pluType = QStringLiteral("07");
        package.pluName = QStringLiteral("早餐套餐");
        package.subItems = {{QStringLiteral("豆浆"), 1}, {QStringLiteral("油条"), 2.5}};
        QTest::newRow("package line with sub-items")
            << package << changed(row, {{2, "早餐套餐"}, {12, "豆浆×1.00@油条×2.50"}});
    }

    void rowLayout()
    {
        QFETCH(KxPosPluDetail, record);
        QFETCH(QStringList, row);
        auto screen = startedTradeScreen();
        QAbstractItemModelTester tester(model(screen.get()), QAbstractItemModelTester::FailureReportingMode::QtTest);
        bindTradeLines(screen.get(), {tradeLine(1, QStringLiteral("1"), 1), record});
        QCOMPARE(model(screen.get())->rowCount(), 2);
        QCOMPARE(model(screen.get())->rowData(1), row);
    }

    void lineRequests_data()
    {
        QTest::addColumn<LineSteps>("c");
        const QList<KxPosPluDetail> four = tradeLines(4); // quantities 1 to 4
        const auto second = [](double quantity, int decimals) {
            return QList<KxPosPluDetail>{tradeLine(1, QStringLiteral("6901"), 7),
                                         tradeLine(3, QStringLiteral("6903"), quantity, QStringLiteral("个"), 2.5, decimals)};
        };
        const QStringList keys{"add", "minus", "click add", "click minus", "add first"};
        QTest::newRow("next on the last line stays") << LineSteps{four, {"next", "add"}, 3, {5}, {}, 0};
        QTest::newRow("previous at row 0 stays")
            << LineSteps{four, {"previous", "previous", "previous", "previous", "add"}, 0, {2}, {}, 0};
        QTest::newRow("chosen row out of range") << LineSteps{four, {"scroll 1", "scroll 4", "minus"}, 1, {1}, {}, 0};
        QTest::newRow("empty table asks nothing")
            << LineSteps{{}, {"previous", "next", "scroll 0", "add", "minus", "delete"}, -1, {}, {}, 0};
        QTest::newRow("quantity 2.5") << LineSteps{second(2.5, 3), keys, 1, {3.5, 1.5, 3.5, 1.5, 8}, {}, 0};
        QTest::newRow("shown rounded") << LineSteps{second(0.126, 2), keys, 1, {1.13, -0.87, 1.13, -0.87, 8}, {}, 0};
        QTest::newRow("delete and clear") << LineSteps{four, {"delete", "scroll 1", "delete", "clear"}, 1, {}, {3, 1}, 1};
    }

    void lineRequests()
    {
        QFETCH(LineSteps, c);
        auto screen = startedTradeScreen();
        bindTradeLines(screen.get(), c.lines);
        QTableView* table = view(screen.get());
        QSignalSpy modify(screen.get(), &TradeWidget::SignModifyNumb);
        QSignalSpy sub(screen.get(), &TradeWidget::SignTrdSubProduct);
        QSignalSpy clear(screen.get(), &TradeWidget::SignTrdClearSaleList);
        const auto clickCell = [&](int column) {
            screen->GetTable()->setAddMinusColumns(6, 9);
            table->setColumnHidden(column, false);
            table->scrollTo(model(screen.get())->index(1, column));
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(model(screen.get())->index(1, column)).center());
        };
        for (const QString& step : c.steps) {
            if (step == QLatin1String("next"))
                screen->nextRow();
            else if (step == QLatin1String("previous"))
                screen->previousRow();
            else if (step.startsWith(QLatin1String("scroll")))
                screen->ScrollSpecifyRow(step.section(QLatin1Char(' '), 1).toInt());
            else if (step == QLatin1String("add"))
                screen->SlotAdd();
            else if (step == QLatin1String("minus"))
                screen->SlotMinus();
            else if (step == QLatin1String("click add"))
                clickCell(6);
            else if (step == QLatin1String("click minus"))
                clickCell(9);
            else if (step == QLatin1String("add first"))
                screen->SlotAddOne(model(screen.get())->index(0, 4));
            else
                QVERIFY(QMetaObject::invokeMethod(screen.get(), step == QLatin1String("delete") ? "SlotTrdSubProduct"
                                                                                                 : "SlotTrdClearSaleList"));
        }
        // The row the cashier moved to is the one the keys work on.
        QCOMPARE(current(screen.get()), c.current);
        if (c.current >= 0)
            QCOMPARE(table->selectionModel()->selectedRows().value(0).row(), c.current);
        QList<double> quantities;
        for (const QList<QVariant>& args : modify)
            quantities << args.at(0).toDouble();
        QCOMPARE(quantities, c.quantities);
        QList<int> removed;
        for (const QList<QVariant>& args : sub)
            removed << args.at(0).toInt();
        QCOMPARE(removed, c.removed);
        QCOMPARE(clear.count(), c.clears);
        // The screen only asks; the host removes and rebinds.
        QCOMPARE(model(screen.get())->rowCount(), c.lines.size());
    }

    void pagingKeepsTheCurrentLineInView()
    {
        auto screen = startedTradeScreen();
        bindTradeLines(screen.get(), tradeLines(40));
        QTableView* table = view(screen.get());
        const auto inView = [&](int row) {
            return table->viewport()->rect().contains(table->visualRect(model(screen.get())->index(row, 2)));
        };
        QVERIFY(inView(39));
        const int bottomTop = table->rowAt(0);
        clickChild(screen.get(), "btnPreRow");
        QVERIFY(table->rowAt(0) < bottomTop);
        for (int i = 0; i < 40; ++i)
            clickChild(screen.get(), "btnPreRow");
        QCOMPARE(table->rowAt(0), 0);
        clickChild(screen.get(), "btnNextRow");
        QVERIFY(table->rowAt(0) > 0);
        // A line moved to by the keys is scrolled into view.
        screen->ScrollSpecifyRow(0);
        for (int i = 0; i < 25; ++i)
            screen->nextRow();
        QCOMPARE(current(screen.get()), 25);
        QVERIFY(inView(25));
    }

    void clickOnLineKeyOpensFunction()
    {
        config().set(QStringLiteral("Display/ShowPluSeriNum"), QStringLiteral("1"), QStringLiteral("configExt.ini"));
        auto screen = startedTradeScreen();
        bindTradeLines(screen.get(), tradeLines(2));
        QTableView* table = view(screen.get());
        QSignalSpy func(screen.get(), &TradeWidget::SignTrdDynFunc);
        for (int column : {2, 0}) // the name, then the line key
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                              table->visualRect(model(screen.get())->index(1, column)).center());
        QCOMPARE(firstArguments(func), QStringList{"420102"});
    }

    // --- Amount of the current line -------------------------------------------------

    void amountOfTheCurrentLine()
    {
        auto screen = startedTradeScreen();
        bindTradeLines(screen.get(), {tradeLine(1, QStringLiteral("6901"), 2, QStringLiteral("个"), 1.25),
                                      tradeLine(2, QStringLiteral("6902"), 1, QStringLiteral("个"), 9.9),
                                      tradeLine(3, QStringLiteral("2001"), 3, translated(673), 4.0)});
        child<QLabel>(screen.get(), "lalMoney")->setText(QStringLiteral("1.11"));
        screen->updateMoney();
        QCOMPARE(amountShown(screen.get()), QStringLiteral("1.11")); // a weighed line leaves the scale's amount
        screen->previousRow();
        screen->updateMoney();
        QCOMPARE(amountShown(screen.get()), QStringLiteral("9.90"));
        screen->previousRow();
        screen->updateMoney();
        QCOMPARE(amountShown(screen.get()), QStringLiteral("2.50"));
    }

    void couponDeduction_data()
    {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QVariant>("caption");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<QString>("text");
        const QString none = translated(5056);
        QTest::newRow("host caption") << "5.00" << QVariant(QStringLiteral("会员券")) << true
                                      << QStringLiteral("（会员券：5.00）");
        QTest::newRow("no caption") << "12.5" << QVariant() << true << QStringLiteral("（%1：12.5）").arg(translated(1548));
        QTest::newRow("below a cent") << "0.004" << QVariant() << false << none;
    }

    void couponDeduction()
    {
        QFETCH(QString, amount);
        QFETCH(QVariant, caption);
        QFETCH(bool, visible);
        QFETCH(QString, text);
        auto screen = startedTradeScreen();
        QLabel* label = screen->getUiQLable(51);
        QVERIFY(!label->isVisible());
        // Shown first, so that hiding is observable too.
        screen->UpdateCouponDeductAmount(QStringLiteral("1"), QVariant());
        QVERIFY(label->isVisible());
        screen->UpdateCouponDeductAmount(amount, caption);
        QCOMPARE(label->isVisible(), visible);
        QCOMPARE(label->text(), text);
    }

    // --- Single-line discount -----------------------------------------------------------

    void singleDiscount_data()
    {
        QTest::addColumn<Discount>("d");
        QTest::newRow("percentage") << Discount{1, "15", "", "1", false, true, 15.0, "15%"};
        QTest::newRow("amount") << Discount{1, "2.5", "", "0", false, true, 2.5, "2.5"};
        QTest::newRow("full discount") << Discount{1, "", "", "1", true, true, 100.0, "100%"};
        QTest::newRow("first line of the sale") << Discount{0, "8", "", "2", false, true, 8.0, "8%"};
        QTest::newRow("replaces a discount line") << Discount{3, "20", "1", "1", false, true, 20.0, "20%"};
        QTest::newRow("reported only") << Discount{1, "15", "", "1", false, false, 15.0, ""};
        QTest::newRow("above 100 in amount mode") << Discount{1, "101", "0", "0", false, true, 101.0, "101"};
    }

    void singleDiscount()
    {
        QFETCH(Discount, d);
        auto screen = startedTradeScreen();
        TableModel* rows = model(screen.get());
        QAbstractItemModelTester tester(rows, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QList<KxPosPluDetail> records;
        if (d.lastLine == 1 || d.lastLine == 3)
            records << tradeLine(1, QStringLiteral("6901"), 2);
        bindTradeLines(screen.get(), records);
        QLineEdit* box = screen->getUiQLineEdit(26);
        if (!d.previousMode.isEmpty()) {
            // An earlier discount of this sale, only reported, sets the mode.
            screen->SetDiscountLineMode(false);
            box->setText(QStringLiteral("5"));
            screen->InputSingleFavor(d.previousMode, false);
        }
        if (d.lastLine == 3) {
            screen->SetDiscountLineMode(true);
            box->setText(QStringLiteral("5"));
            screen->InputSingleFavor(d.previousMode, false);
            QCOMPARE(rows->rowCount(), 2);
        }
        screen->SetDiscountLineMode(d.writesLine);
        box->setText(d.typed);
        const int rowsBefore = rows->rowCount();
        QSignalSpy check(screen.get(), &TradeWidget::SignTradeCheckMaxValue);

        screen->InputSingleFavor(d.type, d.full);

        QVERIFY(MessageWidget::History().isEmpty());
        QCOMPARE(check.count(), 1);
        QCOMPARE(check.at(0).at(0).toDouble(), d.value);
        QCOMPARE(check.at(0).at(1).toString(), d.type);
        if (!d.writesLine) {
            QCOMPARE(rows->rowCount(), rowsBefore);
            QCOMPARE(box->text(), d.typed);
            return;
        }
        QCOMPARE(box->text(), QString());
        const int expectedRows = d.lastLine == 3 ? rowsBefore : rowsBefore + 1;
        QCOMPARE(rows->rowCount(), expectedRows);
        QCOMPARE(rows->rowData(expectedRows - 1),
                 (QStringList{"-1", "0", "0", "0", "0", "0", "0", d.column7, "0", "X", "0", "0", "", "", ""}));
        QCOMPARE(screen->IsLastRowOver(), 2);
        QCOMPARE(current(screen.get()), expectedRows - 1);
    }

    void discountKeepsTypedQuantity()
    {
        auto screen = startedTradeScreen();
        bindTradeLines(screen.get(), tradeLines(1));
        screen->SetDiscountLineMode(true);
        // The cashier first types a quantity, then a discount, for the next product.
        QTest::keyClicks(screen->getUiQLineEdit(26), QStringLiteral("3"));
        clickChild(screen.get(), "btnUpdNum");
        QTest::keyClicks(screen->getUiQLineEdit(26), QStringLiteral("10"));
        screen->InputSingleFavor(QStringLiteral("1"), false);
        QVERIFY(MessageWidget::History().isEmpty());
        QCOMPARE(model(screen.get())->rowCount(), 2);
        QCOMPARE(model(screen.get())->data(1, 4), QStringLiteral("3"));
        QCOMPARE(model(screen.get())->data(1, 7), QStringLiteral("10%"));
    }
};

QTEST_MAIN(TradeSaleTableTest)
#include "tst_trade_saletable.moc"
