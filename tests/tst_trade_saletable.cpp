// The sales screen's sale-line table driven as a host (rebindModel, its
// public slots) and a cashier (clicks on rows and page buttons) would: the
// 15-column row layout, navigation, quantity requests, row heights, the
// amount of the current line, the coupon deduction caption, the background
// state, the single-line discount and the idle advertisement timer.

#include "TestSupport.h"

#include "trade/TradeWidget.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosModel.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/MessageWidget.h"
#include "contracts/TableModel.h"

#include <QAbstractItemModelTester>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QtTest>

#include <memory>

using namespace KxPosTest;

// Reaches the screen's private timer for the idle advertisement.
class TradeWidgetTestAccess
{
public:
    static const QTimer& adTimer(const TradeWidget& screen) { return screen.customerAdTimer; }
};

namespace {
KxPosPluDetail line(int lineNo, const QString& code, double qty, const QString& unit = QStringLiteral("个"),
                    double price = 2.5)
{
    KxPosPluDetail l;
    l.lineNo = lineNo;
    l.pluCode = code;
    l.pluName = QStringLiteral("商品") + code;
    l.saleQty = qty;
    l.quantityDecimals = 2;
    l.salePrice = price;
    l.lineAmount = qty * price;
    l.amountA = l.lineAmount;
    l.unitName = unit;
    return l;
}

QList<KxPosPluDetail> lines(int count)
{
    QList<KxPosPluDetail> out;
    for (int i = 0; i < count; ++i)
        out << line(i + 1, QString::number(6901000 + i), i + 1);
    return out;
}
} // namespace

class TradeSaleTableTest : public ScreenTestCase
{
    Q_OBJECT

private:
    static std::unique_ptr<TradeWidget> shownScreen()
    {
        auto screen = std::make_unique<TradeWidget>(0, nullptr);
        QSignalSpy started(screen.get(), &TradeWidget::SignTrdStartTrade);
        screen->show();
        if (!started.wait(1000))
            qFatal("the screen did not start its sale");
        return screen;
    }
    static void bind(TradeWidget* screen, QList<KxPosPluDetail> records)
    {
        screen->rebindModel(records, {});
    }
    static TableModel* model(TradeWidget* screen) { return screen->GetTable()->model(); }
    static QTableView* view(TradeWidget* screen) { return screen->GetTable()->view(); }
    static int current(TradeWidget* screen) { return view(screen)->currentIndex().row(); }
    static QLabel* amountLabel(TradeWidget* screen) { return screen->findChild<QLabel*>(QStringLiteral("lalMoney")); }

private slots:
    // --- Row layout ----------------------------------------------------------------

    void rowLayout_data()
    {
        QTest::addColumn<KxPosPluDetail>("record");
        QTest::addColumn<QStringList>("row");

        KxPosPluDetail plain;
        plain.lineNo = 12;
        plain.pluCode = QStringLiteral("6901234");
        plain.pluName = QStringLiteral("矿泉水");
        plain.detailText = QStringLiteral("550ml");
        plain.saleQty = 3;
        plain.quantityDecimals = 0;
        plain.salePrice = 1.5;
        plain.amountA = 4.456;
        plain.lineAmount = 4.5;
        plain.tagText = QStringLiteral("促");
        plain.unitName = QStringLiteral("瓶");
        plain.remarkText = QStringLiteral("冷藏");
        QTest::newRow("packaged line")
            << plain
            << QStringList{"12", "6901234", "矿泉水", "550ml", "3", "1.50", "0", "4.46", "4.50", "X", "促", "瓶",
                           "", "冷藏", ""};

        KxPosPluDetail weighed = plain;
        weighed.pluName = QStringLiteral("苹果");
        weighed.saleQty = 1.2345;
        weighed.quantityDecimals = 3;
        weighed.salePrice = 12.8;
        weighed.amountA = 0;
        weighed.lineAmount = 15.8;
        weighed.unitName = QStringLiteral("千克");
        weighed.detailText.clear();
        weighed.tagText.clear();
        weighed.remarkText.clear();
        QTest::newRow("weighed line, three decimals")
            << weighed
            << QStringList{"12", "6901234", "苹果", "", "1.234", "12.80", "0", "0.00", "15.80", "X", "", "千克", "",
                           "", ""};

        KxPosPluDetail serial = plain;
        serial.isSerialLine = QStringLiteral("1");
        serial.extValues.insert(QStringLiteral("SerialNo"), QStringLiteral("SN0042"));
        serial.extValues.insert(QStringLiteral("SeCode"), QStringLiteral("77"));
        QTest::newRow("serial-number line")
            << serial
            << QStringList{"12", "6901234", "SN0042/77 矿泉水", "550ml", "3", "1.50", "0", "4.46", "4.50", "X", "促",
                           "瓶", "", "冷藏", ""};

        KxPosPluDetail notSerial = serial;
        notSerial.isSerialLine = QStringLiteral("0");
        QTest::newRow("serial values without the flag")
            << notSerial
            << QStringList{"12", "6901234", "矿泉水", "550ml", "3", "1.50", "0", "4.46", "4.50", "X", "促", "瓶", "",
                           "冷藏", ""};

        KxPosPluDetail package = plain;
        package.pluType = QStringLiteral("07");
        package.pluName = QStringLiteral("早餐套餐");
        package.subItems = {{QStringLiteral("豆浆"), 1}, {QStringLiteral("油条"), 2.5}};
        QTest::newRow("package line with sub-items")
            << package
            << QStringList{"12", "6901234", "早餐套餐", "550ml", "3", "1.50", "0", "4.46", "4.50", "X", "促", "瓶",
                           "豆浆×1.00@油条×2.50", "冷藏", ""};

        KxPosPluDetail single = package;
        single.subItems = {{QStringLiteral("咖啡"), 1}};
        QTest::newRow("package line with one sub-item")
            << single
            << QStringList{"12", "6901234", "早餐套餐", "550ml", "3", "1.50", "0", "4.46", "4.50", "X", "促", "瓶",
                           "咖啡×1.00", "冷藏", ""};

        KxPosPluDetail notPackage = package;
        notPackage.pluType = QStringLiteral("01");
        QTest::newRow("sub-items of a plain product are not shown")
            << notPackage
            << QStringList{"12", "6901234", "早餐套餐", "550ml", "3", "1.50", "0", "4.46", "4.50", "X", "促", "瓶",
                           "", "冷藏", ""};

        KxPosPluDetail returned = plain;
        returned.saleQty = -2;
        returned.lineAmount = -3;
        returned.amountA = -0.001;
        QTest::newRow("returned line")
            << returned
            << QStringList{"12", "6901234", "矿泉水", "550ml", "-2", "1.50", "0", "-0.00", "-3.00", "X", "促", "瓶",
                           "", "冷藏", ""};
    }

    void rowLayout()
    {
        QFETCH(KxPosPluDetail, record);
        QFETCH(QStringList, row);
        auto screen = shownScreen();
        QAbstractItemModelTester tester(model(screen.get()), QAbstractItemModelTester::FailureReportingMode::QtTest);
        bind(screen.get(), {line(1, QStringLiteral("1"), 1), record});
        QCOMPARE(model(screen.get())->rowCount(), 2);
        QCOMPARE(model(screen.get())->rowData(1), row);
    }

    void rebindReplacesTheRows()
    {
        config().set(QStringLiteral("DISPLAY_IdleTimeout"), QStringLiteral("30"));
        auto screen = shownScreen();
        QAbstractItemModelTester tester(model(screen.get()), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy ad(screen.get(), &TradeWidget::SignShowFullScreenAd);

        QList<KxPosPluDetail> five = lines(5);
        screen->rebindModel(five, {});
        QCOMPARE(model(screen.get())->rowCount(), 5);
        QCOMPARE(model(screen.get())->data(4, 1), QStringLiteral("6901004"));
        QCOMPARE(current(screen.get()), 4);

        QList<KxPosPluDetail> two = lines(2);
        screen->rebindModel(two, {});
        QCOMPARE(model(screen.get())->rowCount(), 2);
        QCOMPARE(model(screen.get())->data(1, 1), QStringLiteral("6901001"));
        QCOMPARE(current(screen.get()), 1);
        for (int r = 0; r < 2; ++r)
            QCOMPARE(view(screen.get())->rowHeight(r), screen->GetTable()->rowHeight());
        QVERIFY(screen->GetTable()->rowHeight() > 0);

        // One advertisement request per rebind, not one per line.
        QCOMPARE(ad.count(), 2);
        for (const auto& args : ad)
            QCOMPARE(args.at(0).toBool(), false);
        QVERIFY(!TradeWidgetTestAccess::adTimer(*screen).isActive());

        QList<KxPosPluDetail> none;
        screen->rebindModel(none, {});
        QCOMPARE(model(screen.get())->rowCount(), 0);
        QCOMPARE(current(screen.get()), -1);
        QCOMPARE(ad.count(), 2);
        QVERIFY(TradeWidgetTestAccess::adTimer(*screen).isActive());
    }

    void longSaleRebindsOnce()
    {
        auto screen = shownScreen();
        QSignalSpy ad(screen.get(), &TradeWidget::SignShowFullScreenAd);
        QList<KxPosPluDetail> many = lines(3000);
        QElapsedTimer timer;
        timer.start();
        screen->rebindModel(many, {});
        screen->rebindModel(many, {});
        const qint64 elapsed = timer.elapsed();
        QCOMPARE(model(screen.get())->rowCount(), 3000);
        QCOMPARE(current(screen.get()), 2999);
        QCOMPARE(ad.count(), 2);
        // A few milliseconds on a desktop; the bound only catches work that
        // grows with the square of the lines.
        QVERIFY2(elapsed < 1500, qPrintable(QStringLiteral("%1 ms").arg(elapsed)));
    }

    // --- Background ---------------------------------------------------------------

    void background_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("test");
        QTest::addColumn<bool>("group");
        QTest::addColumn<bool>("exchange");
        QTest::addColumn<QString>("showType");
        QTest::newRow("empty, Chinese") << "zh_CN" << 0 << false << false << false << "nullplu";
        QTest::newRow("empty, English") << "en" << 0 << false << false << false << "nullpluEn";
        QTest::newRow("lines") << "zh_CN" << 2 << false << false << false << "normal";
        QTest::newRow("exchange sale") << "zh_CN" << 0 << false << false << true << "capexchange";
        QTest::newRow("group sale before exchange") << "zh_CN" << 2 << false << true << true << "group";
        QTest::newRow("test mode first") << "en" << 2 << true << true << true << "test";
    }

    void background()
    {
        QFETCH(QString, language);
        QFETCH(int, rows);
        QFETCH(bool, test);
        QFETCH(bool, group);
        QFETCH(bool, exchange);
        QFETCH(QString, showType);
        auto screen = shownScreen();
        QVERIFY(KxPosTranslator::SetLanguage(language));
        screen->testMode = test;
        screen->groupSaleMode = group;
        screen->exchangeSale = exchange;
        bind(screen.get(), lines(rows));
        QCOMPARE(view(screen.get())->property("showType").toString(), showType);
    }

    // --- Navigation --------------------------------------------------------------

    void navigation_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<int>("row");
        QTest::newRow("starts on the last line") << 4 << QStringList{} << 3;
        QTest::newRow("next on the last line stays") << 4 << QStringList{"next"} << 3;
        QTest::newRow("previous") << 4 << QStringList{"previous"} << 2;
        QTest::newRow("previous to the top") << 4 << QStringList{"previous", "previous", "previous"} << 0;
        QTest::newRow("previous at row 0 stays") << 4 << QStringList{"previous", "previous", "previous", "previous"}
                                                 << 0;
        QTest::newRow("back down") << 4 << QStringList{"previous", "previous", "next"} << 2;
        QTest::newRow("chosen row") << 4 << QStringList{"scroll 1"} << 1;
        QTest::newRow("chosen row out of range") << 4 << QStringList{"scroll 1", "scroll 4"} << 1;
        QTest::newRow("negative row ignored") << 4 << QStringList{"scroll -1"} << 3;
        QTest::newRow("single line") << 1 << QStringList{"previous", "next"} << 0;
        QTest::newRow("empty table") << 0 << QStringList{"previous", "next", "scroll 0"} << -1;
    }

    void navigation()
    {
        QFETCH(int, rows);
        QFETCH(QStringList, steps);
        QFETCH(int, row);
        auto screen = shownScreen();
        bind(screen.get(), lines(rows));
        for (const QString& step : steps) {
            if (step == QLatin1String("next"))
                screen->nextRow();
            else if (step == QLatin1String("previous"))
                screen->previousRow();
            else
                screen->ScrollSpecifyRow(step.section(QLatin1Char(' '), 1).toInt());
        }
        QCOMPARE(current(screen.get()), row);
        if (row >= 0) {
            QVERIFY(view(screen.get())->selectionModel()->isRowSelected(row, QModelIndex()));
            QCOMPARE(view(screen.get())->selectionModel()->selectedRows().size(), 1);
        }
        // The row the cashier moved to is the one the quantity keys work on.
        QSignalSpy modify(screen.get(), &TradeWidget::SignModifyNumb);
        screen->SlotAdd();
        QCOMPARE(modify.count(), rows ? 1 : 0);
        if (rows)
            QCOMPARE(modify.at(0).at(0).toDouble(), double(row + 1) + 1);
    }

    void pageButtons()
    {
        auto screen = shownScreen();
        bind(screen.get(), lines(40));
        QTableView* table = view(screen.get());
        QVERIFY(table->rowAt(0) > 0); // the last line is in view
        auto* up = qobject_cast<QPushButton*>(screen->getUiQPushButton(28));
        auto* down = qobject_cast<QPushButton*>(screen->getUiQPushButton(29));
        QCOMPARE(up->objectName(), QStringLiteral("btnPreRow"));
        const int bottomTop = table->rowAt(0);
        QTest::mouseClick(up, Qt::LeftButton);
        const int pageUp = table->rowAt(0);
        QVERIFY(pageUp < bottomTop);
        for (int i = 0; i < 40; ++i)
            QTest::mouseClick(up, Qt::LeftButton);
        QCOMPARE(table->rowAt(0), 0);
        QTest::mouseClick(down, Qt::LeftButton);
        QVERIFY(table->rowAt(0) > 0);
    }

    void movedLineIsScrolledIntoView()
    {
        auto screen = shownScreen();
        bind(screen.get(), lines(40));
        QTableView* table = view(screen.get());
        const auto inView = [&](int row) {
            const QRect cell = table->visualRect(model(screen.get())->index(row, 2));
            return table->viewport()->rect().contains(cell);
        };
        QVERIFY(inView(39));
        screen->ScrollSpecifyRow(0);
        QCOMPARE(table->rowAt(0), 0);
        for (int i = 0; i < 25; ++i)
            screen->nextRow();
        QCOMPARE(current(screen.get()), 25);
        QVERIFY(inView(25));
        screen->ScrollSpecifyRow(39);
        for (int i = 0; i < 30; ++i)
            screen->previousRow();
        QCOMPARE(current(screen.get()), 9);
        QVERIFY(inView(9));
    }

    void rowHeights()
    {
        auto screen = shownScreen();
        bind(screen.get(), lines(3));
        const int standard = screen->GetTable()->rowHeight();
        QVERIFY(standard > 0);
        // A host that changed a height gets the standard back with the next line.
        screen->GetTable()->setRowHeight(0, standard * 2);
        screen->GetTable()->InsertRow({"9", "6909", "x", "", "1", "1.00", "0", "1.00", "1.00", "X", "", "个", "", "",
                                       ""});
        for (int r = 0; r < 4; ++r)
            QCOMPARE(view(screen.get())->rowHeight(r), standard);
        QCOMPARE(current(screen.get()), 3);
    }

    // --- Quantity requests ----------------------------------------------------------

    void plusMinus_data()
    {
        QTest::addColumn<double>("quantity");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<double>("plus");
        QTest::addColumn<double>("minus");
        QTest::newRow("2.5") << 2.5 << 3 << 3.5 << 1.5;
        QTest::newRow("one piece") << 1.0 << 0 << 2.0 << 0.0;
        QTest::newRow("zero goes negative") << 0.0 << 0 << 1.0 << -1.0;
        QTest::newRow("returned piece") << -1.0 << 0 << 0.0 << -2.0;
        QTest::newRow("shown rounded") << 0.126 << 2 << 1.13 << -0.87;
    }

    void plusMinus()
    {
        QFETCH(double, quantity);
        QFETCH(int, decimals);
        QFETCH(double, plus);
        QFETCH(double, minus);
        auto screen = shownScreen();
        KxPosPluDetail l = line(3, QStringLiteral("6903"), quantity);
        l.quantityDecimals = decimals;
        bind(screen.get(), {line(1, QStringLiteral("6901"), 7), l});
        QSignalSpy modify(screen.get(), &TradeWidget::SignModifyNumb);

        screen->SlotAdd();
        screen->SlotMinus();
        // The host's add and minus columns on the row itself.
        screen->GetTable()->setAddMinusColumns(6, 9);
        QTableView* table = view(screen.get());
        table->setColumnHidden(6, false);
        table->setColumnHidden(9, false);
        table->scrollTo(model(screen.get())->index(1, 0));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          table->visualRect(model(screen.get())->index(1, 6)).center());
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          table->visualRect(model(screen.get())->index(1, 9)).center());
        // The first line through the table's own signal.
        screen->SlotAddOne(model(screen.get())->index(0, 4));

        QCOMPARE(modify.count(), 5);
        QCOMPARE(modify.at(0).at(0).toDouble(), plus);
        QCOMPARE(modify.at(1).at(0).toDouble(), minus);
        QCOMPARE(modify.at(2).at(0).toDouble(), plus);
        QCOMPARE(modify.at(3).at(0).toDouble(), minus);
        QCOMPARE(modify.at(4).at(0).toDouble(), 8.0);
    }

    void requestsOnEmptyTable()
    {
        auto screen = shownScreen();
        QSignalSpy modify(screen.get(), &TradeWidget::SignModifyNumb);
        QSignalSpy sub(screen.get(), &TradeWidget::SignTrdSubProduct);
        screen->SlotAdd();
        screen->SlotMinus();
        screen->SlotAddOne(QModelIndex());
        screen->SlotMinusOne(QModelIndex());
        QVERIFY(QMetaObject::invokeMethod(screen.get(), "SlotTrdSubProduct"));
        QCOMPARE(modify.count(), 0);
        QCOMPARE(sub.count(), 0);
    }

    void deleteAndClearRequests()
    {
        auto screen = shownScreen();
        bind(screen.get(), lines(4));
        QSignalSpy sub(screen.get(), &TradeWidget::SignTrdSubProduct);
        QSignalSpy clear(screen.get(), &TradeWidget::SignTrdClearSaleList);
        QVERIFY(QMetaObject::invokeMethod(screen.get(), "SlotTrdSubProduct"));
        screen->ScrollSpecifyRow(1);
        QVERIFY(QMetaObject::invokeMethod(screen.get(), "SlotTrdSubProduct"));
        QVERIFY(QMetaObject::invokeMethod(screen.get(), "SlotTrdClearSaleList"));
        QCOMPARE(sub.count(), 2);
        QCOMPARE(sub.at(0).at(0).toInt(), 3);
        QCOMPARE(sub.at(1).at(0).toInt(), 1);
        QCOMPARE(clear.count(), 1);
        // The screen only asks; the host removes and rebinds.
        QCOMPARE(model(screen.get())->rowCount(), 4);
    }

    void clickOnLineKeyOpensFunction_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("functions");
        QTest::newRow("line key") << 0 << 1;
        QTest::newRow("name") << 2 << 0;
        QTest::newRow("amount") << 8 << 0;
    }

    void clickOnLineKeyOpensFunction()
    {
        QFETCH(int, column);
        QFETCH(int, functions);
        config().set(QStringLiteral("Display/ShowPluSeriNum"), QStringLiteral("1"), QStringLiteral("configExt.ini"));
        auto screen = shownScreen();
        bind(screen.get(), lines(2));
        QTableView* table = view(screen.get());
        QVERIFY(!table->isColumnHidden(column));
        QSignalSpy func(screen.get(), &TradeWidget::SignTrdDynFunc);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          table->visualRect(model(screen.get())->index(1, column)).center());
        QCOMPARE(func.count(), functions);
        if (functions)
            QCOMPARE(func.at(0).at(0).toString(), QStringLiteral("420102"));
    }

    // --- Amount of the current line ----------------------------------------------------

    void amountOfCurrentLine_data()
    {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("shown");
        QTest::newRow("piece") << "个" << "7.50";
        QTest::newRow("bottle") << "瓶" << "7.50";
        QTest::newRow("kilogram") << KxPosTranslator::GetTranslation(673) << "keep";
        QTest::newRow("kilo") << KxPosTranslator::GetTranslation(2373) << "keep";
        QTest::newRow("gram") << KxPosTranslator::GetTranslation(672) << "keep";
        QTest::newRow("jin") << KxPosTranslator::GetTranslation(1610) << "keep";
    }

    void amountOfCurrentLine()
    {
        QFETCH(QString, unit);
        QFETCH(QString, shown);
        auto screen = shownScreen();
        amountLabel(screen.get())->setText(QStringLiteral("1.11"));
        KxPosPluDetail l = line(2, QStringLiteral("6902"), 3, unit);
        bind(screen.get(), {l});
        screen->updateMoney();
        QCOMPARE(amountLabel(screen.get())->text(), shown == QLatin1String("keep") ? QStringLiteral("1.11") : shown);
    }

    void amountFollowsTheCurrentLine()
    {
        auto screen = shownScreen();
        QList<KxPosPluDetail> records{line(1, QStringLiteral("6901"), 2, QStringLiteral("个"), 1.25),
                                      line(2, QStringLiteral("6902"), 1, QStringLiteral("个"), 9.9)};
        screen->rebindModel(records, {});
        QCOMPARE(amountLabel(screen.get())->text(), QStringLiteral("9.90"));
        screen->previousRow();
        screen->updateMoney();
        QCOMPARE(amountLabel(screen.get())->text(), QStringLiteral("2.50"));
    }

    // --- Coupon deduction caption -----------------------------------------------------

    void couponDeduction_data()
    {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QVariant>("caption");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<QString>("text");
        const QString defaultCaption = KxPosTranslator::GetTranslation(1548);
        const QString none = KxPosTranslator::GetTranslation(5056);
        QTest::newRow("host caption") << "5.00" << QVariant(QStringLiteral("会员券")) << true
                                      << QStringLiteral("（会员券：5.00）");
        QTest::newRow("no caption") << "12.5" << QVariant() << true << QStringLiteral("（%1：12.5）").arg(defaultCaption);
        QTest::newRow("empty caption") << "3" << QVariant(QString()) << true
                                       << QStringLiteral("（%1：3）").arg(defaultCaption);
        QTest::newRow("caption with a placeholder sign") << "1.00" << QVariant(QStringLiteral("%2券")) << true
                                                         << QStringLiteral("（%2券：1.00）");
        QTest::newRow("zero") << "0" << QVariant(QStringLiteral("会员券")) << false << none;
        QTest::newRow("below a cent") << "0.004" << QVariant() << false << none;
        QTest::newRow("negative") << "-2" << QVariant() << false << none;
        QTest::newRow("not a number") << "abc" << QVariant() << false << none;
    }

    void couponDeduction()
    {
        QFETCH(QString, amount);
        QFETCH(QVariant, caption);
        QFETCH(bool, visible);
        QFETCH(QString, text);
        auto screen = shownScreen();
        QLabel* label = screen->getUiQLable(51);
        QCOMPARE(label->objectName(), QStringLiteral("lableDeduct"));
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
        QTest::addColumn<int>("lastLine");    // 0: none, 1: complete, 2: weighed without weight, 3: discount line
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("previousMode");
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("full");
        QTest::addColumn<bool>("writesLine");
        QTest::addColumn<int>("message");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("column7");

        QTest::newRow("percentage") << 1 << "15" << "" << "1" << false << true << 0 << 15.0 << "15%";
        QTest::newRow("amount") << 1 << "2.5" << "" << "0" << false << true << 0 << 2.5 << "2.5";
        QTest::newRow("full discount") << 1 << "" << "" << "1" << true << true << 0 << 100.0 << "100%";
        QTest::newRow("first line of the sale") << 0 << "8" << "" << "2" << false << true << 0 << 8.0 << "8%";
        QTest::newRow("replaces a discount line") << 3 << "20" << "1" << "1" << false << true << 0 << 20.0 << "20%";
        QTest::newRow("reported only") << 1 << "15" << "" << "1" << false << false << 0 << 15.0 << "";
        QTest::newRow("blank") << 1 << "" << "" << "1" << false << true << 2342 << 0.0 << "";
        QTest::newRow("shows as zero") << 1 << "0.004" << "" << "1" << false << true << 2342 << 0.0 << "";
        QTest::newRow("not a number") << 1 << "1.2.3" << "" << "1" << false << true << 1500 << 0.0 << "";
        QTest::newRow("above 100 in percent mode") << 1 << "101" << "1" << "1" << false << true << 2343 << 0.0
                                                   << "";
        QTest::newRow("above 100 in amount mode") << 1 << "101" << "0" << "0" << false << true << 0 << 101.0
                                                  << "101";
        QTest::newRow("last line incomplete") << 2 << "10" << "" << "1" << false << true << 1904 << 0.0 << "";
    }

    void singleDiscount()
    {
        QFETCH(int, lastLine);
        QFETCH(QString, typed);
        QFETCH(QString, previousMode);
        QFETCH(QString, type);
        QFETCH(bool, full);
        QFETCH(bool, writesLine);
        QFETCH(int, message);
        QFETCH(double, value);
        QFETCH(QString, column7);
        auto screen = shownScreen();
        QAbstractItemModelTester tester(model(screen.get()), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QList<KxPosPluDetail> records;
        if (lastLine == 1 || lastLine == 3)
            records << line(1, QStringLiteral("6901"), 2);
        if (lastLine == 2)
            records << line(2, QStringLiteral("2001"), 0);
        bind(screen.get(), records);
        QLineEdit* box = screen->getUiQLineEdit(26);
        if (!previousMode.isEmpty()) {
            // An earlier discount of this sale, only reported, sets the mode.
            screen->SetDiscountLineMode(false);
            box->setText(QStringLiteral("5"));
            screen->InputSingleFavor(previousMode, false);
        }
        if (lastLine == 3) {
            screen->SetDiscountLineMode(true);
            box->setText(QStringLiteral("5"));
            screen->InputSingleFavor(previousMode, false);
            QCOMPARE(model(screen.get())->rowCount(), 2);
        }
        QVERIFY(MessageWidget::History().isEmpty());
        screen->SetDiscountLineMode(writesLine);
        box->setText(typed);
        QCOMPARE(box->text(), typed);
        const int rowsBefore = model(screen.get())->rowCount();
        QList<QStringList> before;
        for (int r = 0; r < rowsBefore; ++r)
            before << model(screen.get())->rowData(r);
        QSignalSpy check(screen.get(), &TradeWidget::SignTradeCheckMaxValue);

        screen->InputSingleFavor(type, full);

        if (message) {
            QCOMPARE(MessageWidget::History(), (QList<QPair<QString, QString>>{notice(message)}));
            QCOMPARE(check.count(), 0);
            QCOMPARE(box->text(), typed);
            QCOMPARE(model(screen.get())->rowCount(), rowsBefore);
            for (int r = 0; r < rowsBefore; ++r)
                QCOMPARE(model(screen.get())->rowData(r), before.at(r));
            return;
        }
        QVERIFY(MessageWidget::History().isEmpty());
        QCOMPARE(check.count(), 1);
        QCOMPARE(check.at(0).at(0).toDouble(), value);
        QCOMPARE(check.at(0).at(1).toString(), type);
        if (!writesLine) {
            QCOMPARE(model(screen.get())->rowCount(), rowsBefore);
            QCOMPARE(box->text(), typed);
            return;
        }
        QCOMPARE(box->text(), QString());
        const int expectedRows = lastLine == 3 ? rowsBefore : rowsBefore + 1;
        QCOMPARE(model(screen.get())->rowCount(), expectedRows);
        const QStringList last = model(screen.get())->rowData(expectedRows - 1);
        QCOMPARE(last, (QStringList{"-1", "0", "0", "0", "0", "0", "0", column7, "0", "X", "0", "0", "", "", ""}));
        QCOMPARE(screen->IsLastRowOver(), 2);
        QCOMPARE(current(screen.get()), expectedRows - 1);
        QCOMPARE(view(screen.get())->rowHeight(expectedRows - 1), screen->GetTable()->rowHeight());
    }

    void discountKeepsTypedQuantity()
    {
        auto screen = shownScreen();
        bind(screen.get(), {line(1, QStringLiteral("6901"), 1)});
        screen->SetDiscountLineMode(true);
        QLineEdit* box = screen->getUiQLineEdit(26);
        // The cashier first types a quantity, then a discount, for the next product.
        QTest::keyClicks(box, QStringLiteral("3"));
        QTest::mouseClick(screen->findChild<QPushButton*>(QStringLiteral("btnUpdNum")), Qt::LeftButton);
        QTest::keyClicks(box, QStringLiteral("10"));
        screen->InputSingleFavor(QStringLiteral("1"), false);
        QVERIFY(MessageWidget::History().isEmpty());
        QCOMPARE(model(screen.get())->rowCount(), 2);
        QCOMPARE(model(screen.get())->data(1, 4), QStringLiteral("3"));
        QCOMPARE(model(screen.get())->data(1, 7), QStringLiteral("10%"));
    }

    // --- Idle advertisement --------------------------------------------------------------

    void idleTimer_data()
    {
        QTest::addColumn<QString>("timeout");
        QTest::addColumn<int>("interval"); // 0: never starts
        QTest::newRow("default") << QString() << 0;
        QTest::newRow("30 seconds") << "30" << 30000;
        QTest::newRow("one second") << "1" << 1000;
        QTest::newRow("zero") << "0" << 0;
        QTest::newRow("negative") << "-5" << 0;
        QTest::newRow("not a number") << "soon" << 0;
    }

    void idleTimer()
    {
        QFETCH(QString, timeout);
        QFETCH(int, interval);
        if (!timeout.isNull())
            config().set(QStringLiteral("DISPLAY_IdleTimeout"), timeout);
        auto screen = shownScreen();
        QSignalSpy ad(screen.get(), &TradeWidget::SignShowFullScreenAd);
        bind(screen.get(), lines(2));
        QCOMPARE(ad.count(), 1);
        QVERIFY(!TradeWidgetTestAccess::adTimer(*screen).isActive());

        bind(screen.get(), {});
        QCOMPARE(TradeWidgetTestAccess::adTimer(*screen).isActive(), interval > 0);
        if (interval > 0)
            QCOMPARE(TradeWidgetTestAccess::adTimer(*screen).interval(), interval);

        // A line typed before the product also stops it.
        screen->getUiQLineEdit(26)->setText(QStringLiteral("2"));
        QTest::mouseClick(screen->findChild<QPushButton*>(QStringLiteral("btnUpdNum")), Qt::LeftButton);
        QVERIFY(!TradeWidgetTestAccess::adTimer(*screen).isActive());
        QCOMPARE(ad.count(), 2);
        QCOMPARE(ad.last().at(0).toBool(), false);
    }

    void idleAdvertisementIsRequested()
    {
        config().set(QStringLiteral("DISPLAY_IdleTimeout"), QStringLiteral("1"));
        auto screen = shownScreen();
        bind(screen.get(), lines(1));
        QSignalSpy ad(screen.get(), &TradeWidget::SignShowFullScreenAd);
        bind(screen.get(), {});
        QTest::qWait(300);
        QCOMPARE(ad.count(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(ad.count(), 1, 2000);
        QCOMPARE(ad.at(0).at(0).toBool(), true);
        QVERIFY(!TradeWidgetTestAccess::adTimer(*screen).isActive());
    }
};

QTEST_MAIN(TradeSaleTableTest)
#include "tst_trade_saletable.moc"
