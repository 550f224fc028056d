// The host hands the whole sale to the sales screen after every change. The
// screen keeps the rows and the column widths it has and changes only what
// differs; whatever the order of the changes, the table must end exactly as
// a screen that was handed the final sale at once: the same rows, the same
// column widths, every code and figure readable in its column. A day of
// scans leaves nothing behind in the code box either.

#include "TestRecords.h"
#include "TestSupport.h"

#include "trade/TradeWidget.h"

#include "contracts/KxPosModel.h"
#include "contracts/TableModel.h"

#include <QAbstractItemModelTester>
#include <QFontMetrics>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QtTest>

using namespace KxPosTest;

namespace {
using Sale = QList<KxPosPluDetail>;

KxPosPluDetail line(int no, const QString& code, double qty, double price, const QString& name = QStringLiteral("商品"))
{
    KxPosPluDetail l = tradeLine(no, code, qty, QStringLiteral("个"), price, 0);
    l.pluName = name;
    l.lineAmount = l.amountA = qty * price;
    return l;
}

QList<QStringList> rows(TradeWidget* screen)
{
    QList<QStringList> all;
    for (int r = 0; r < screen->GetTable()->model()->rowCount(); ++r)
        all << screen->GetTable()->model()->rowData(r);
    return all;
}

QList<int> widths(TradeWidget* screen)
{
    QList<int> all;
    QTableView* view = screen->GetTable()->view();
    for (int c = 0; c < view->model()->columnCount(); ++c)
        all << (view->isColumnHidden(c) ? -1 : view->columnWidth(c));
    return all;
}
} // namespace

class TradeSaleRebindTest : public ScreenTestCase
{
    Q_OBJECT

private slots:
    // Sales handed over one after another; the last one is compared.
    void rebindEndsAsAFreshScreen_data()
    {
        QTest::addColumn<QList<Sale>>("sales");
        const QString longCode = QStringLiteral("69012345678901234567890");
        Sale three{line(1, "6901", 1, 2.5), line(2, "6902", 2, 3), line(3, "6903", 1, 9.9)};
        Sale scanned;
        QList<Sale> oneByOne;
        for (int i = 1; i <= 12; ++i) {
            scanned << line(i, QString::number(6900 + i), 1, i * 1.25);
            oneByOne << scanned;
        }
        QTest::newRow("scanned one line at a time") << oneByOne;
        Sale repriced = three;
        repriced[1].salePrice = 12345.67;
        QTest::newRow("a line in the middle changes its price") << QList<Sale>{three, repriced};
        Sale longOne = three;
        longOne[2].pluCode = longCode;
        QTest::newRow("a long code widens its column") << QList<Sale>{three, longOne};
        QTest::newRow("the long code leaves, the column narrows again") << QList<Sale>{longOne, three};
        QTest::newRow("the line with the long code is removed")
            << QList<Sale>{longOne, three.mid(0, 2)};
        Sale bigQuantity = three;
        bigQuantity[0].saleQty = 1234567;
        QTest::newRow("the sale shrinks to nothing and grows again") << QList<Sale>{bigQuantity, Sale{}, three};
        Sale serial = three;
        serial[0].isSerialLine = QStringLiteral("1");
        serial[0].extValues.insert(QStringLiteral("SerialNo"), QStringLiteral("SN1"));
        Sale serial2 = serial;
        serial2[0].extValues.insert(QStringLiteral("SerialNo"), QStringLiteral("SN2-LONGER"));
        QTest::newRow("only the serial number of a line changes") << QList<Sale>{serial, serial2};
        Sale renamed = three;
        renamed[0].pluName = QStringLiteral("换了名字的商品");
        QTest::newRow("same lines, one renamed, after an unchanged hand-over")
            << QList<Sale>{three, three, renamed};
    }

    void rebindEndsAsAFreshScreen()
    {
        QFETCH(QList<Sale>, sales);
        auto screen = startedTradeScreen();
        QAbstractItemModelTester tester(screen->GetTable()->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        for (const Sale& sale : sales)
            bindTradeLines(screen.get(), sale);
        auto fresh = startedTradeScreen();
        bindTradeLines(fresh.get(), sales.last());

        QCOMPARE(rows(screen.get()), rows(fresh.get()));
        QCOMPARE(widths(screen.get()), widths(fresh.get()));
        // Every text but the stretching name is whole in its column.
        QTableView* view = screen->GetTable()->view();
        const QFontMetrics metrics(view->font());
        for (int r = 0; r < view->model()->rowCount(); ++r) {
            for (int c : {1, 4, 5, 8}) {
                const QString text = view->model()->index(r, c).data().toString();
                if (view->isColumnHidden(c) || text.isEmpty())
                    continue;
                QVERIFY2(metrics.horizontalAdvance(text) < view->columnWidth(c),
                         qPrintable(QStringLiteral("row %1 column %2: \"%3\" in %4 px")
                                        .arg(r).arg(c).arg(text).arg(view->columnWidth(c))));
            }
        }
        if (!sales.last().isEmpty())
            QCOMPARE(view->currentIndex().row(), sales.last().size() - 1);
    }

    // Codes scanned one after another, typed into the code box or sent to
    // the screen as keys, and confirmed with Enter: each reaches the host
    // and the box keeps no undo history of them (it grew with every code).
    void scannedCodesLeaveNoHistory_data()
    {
        QTest::addColumn<bool>("intoTheBox");
        QTest::addColumn<QStringList>("codes");
        const QStringList codes{"6901234567892", "6920202888883", "1001", "6903148042441"};
        QTest::newRow("keys into the code box") << true << codes;
        QTest::newRow("keys to the screen") << false << codes;
    }

    void scannedCodesLeaveNoHistory()
    {
        QFETCH(bool, intoTheBox);
        QFETCH(QStringList, codes);
        auto screen = startedTradeScreen();
        QLineEdit* box = screen->getUiQLineEdit(26);
        QSignalSpy added(screen.get(), &TradeWidget::SignTrdAddProduct);
        QWidget* target = intoTheBox ? static_cast<QWidget*>(box) : screen.get();
        for (const QString& code : codes) {
            QTest::keyClicks(target, code);
            QTest::keyClick(target, Qt::Key_Return);
            QCOMPARE(box->text(), QString());
            QVERIFY2(!box->isUndoAvailable(), qPrintable(code));
        }
        QCOMPARE(firstArguments(added), codes);
    }

    // Texts the screen wrote itself (promotion texts, a marked row) do not
    // survive the host's next hand-over of the sale, as with a new table.
    void changesMadeBetweenRebindsAreReplaced()
    {
        auto screen = startedTradeScreen();
        const Sale sale{line(1, "6901", 1, 2.5), line(2, "6902", 2, 3)};
        bindTradeLines(screen.get(), sale);
        screen->UpdatePluProInfo({{1, QStringLiteral("满100减10")}});
        screen->GetTable()->SetGridStyle(0, Qt::yellow);
        QCOMPARE(screen->GetTable()->model()->data(1, 14), QStringLiteral("满100减10"));
        bindTradeLines(screen.get(), sale);
        QCOMPARE(screen->GetTable()->model()->data(1, 14), QString());
        QVERIFY(!screen->GetTable()->model()->rowBackground(0).isValid());
    }
};

QTEST_MAIN(TradeSaleRebindTest)
#include "tst_trade_salerebind.moc"
