// TableModel and TableView of the UI kit.

#include "TestSupport.h"

#include "contracts/TableModel.h"
#include "contracts/TableView.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTableView>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>

namespace {
QStringList row(const QString& prefix, int columns)
{
    QStringList texts;
    for (int c = 0; c < columns; ++c)
        texts << QStringLiteral("%1-%2").arg(prefix).arg(c);
    return texts;
}
} // namespace

class TableModelTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { KxPosTest::installStrictMessageHandler(); }

    // Rows "a" (4 cells), "b" (2 cells), "c" (4 cells): reads and writes by
    // row and column; a write past a short row pads it.
    void cells_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("writable");
        QTest::newRow("inside") << 2 << 3 << "c-3" << true;
        QTest::newRow("beyond a short row") << 1 << 3 << "" << true;
        QTest::newRow("column past the end") << 0 << 4 << "" << false;
    }

    void cells()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, before);
        QFETCH(bool, writable);
        TableModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.appendRow(::row(QStringLiteral("a"), 4));
        model.appendRow(::row(QStringLiteral("b"), 2));
        model.appendRow(::row(QStringLiteral("c"), 4));
        QCOMPARE(model.data(row, column), before);
        QCOMPARE(model.data(model.index(row, column), Qt::DisplayRole).toString(), before);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        model.setData(row, column, QStringLiteral("new"));
        model.setData(row, column, QStringLiteral("new")); // the same text again changes nothing
        QCOMPARE(changed.count(), writable ? 1 : 0);
        QCOMPARE(model.data(row, column), writable ? QStringLiteral("new") : QString());
    }

    // The + and - keys ask for one more or less of the current row (clicks
    // on the add and minus columns are driven on the sales screen by
    // tst_trade_saletable, which also connects the signals by signature).
    void keysAskForMoreOrLess()
    {
        QWidget host;
        TableView table;
        (new QVBoxLayout(&host))->addWidget(table.view());
        table.iniHeadData({1453, 5012, 0}, true, 40);
        table.InsertRow(row(QStringLiteral("a"), 3));
        table.InsertRow(row(QStringLiteral("b"), 3));
        host.resize(800, 400);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        QSignalSpy clicked(&table, &TableView::clicked);
        QSignalSpy add(&table, &TableView::SignAddOne);
        QSignalSpy minus(&table, &TableView::SignMinusOne);
        QTest::keyClick(table.view(), Qt::Key_Plus); // no current row yet
        QCOMPARE(add.count(), 0);
        const QModelIndex target = table.model()->index(1, 1);
        QTest::mouseClick(table.view()->viewport(), Qt::LeftButton, {}, table.view()->visualRect(target).center());
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(clicked.at(0).at(0).toModelIndex(), target);
        QCOMPARE(table.currentRow(), 1);
        QTest::keyClick(table.view(), Qt::Key_Plus);
        QTest::keyClick(table.view(), Qt::Key_Minus);
        QCOMPARE(add.count(), 1);
        QCOMPARE(minus.count(), 1);
        QCOMPARE(add.at(0).at(0).toModelIndex().row(), 1);
    }

    // The view dies with the widget it was placed in: the wrapper notices and
    // keeps working without it. When the wrapper dies first, its view leaves.
    void viewOwnership()
    {
        auto host = std::make_unique<QWidget>();
        TableView table;
        (new QVBoxLayout(host.get()))->addWidget(table.view());
        table.InsertRow({QStringLiteral("a")});
        host.reset();
        QVERIFY(table.view() == nullptr);
        table.selectRow(0);
        table.setRowHeight(20);
        QCOMPARE(table.currentRow(), -1);
        QCOMPARE(table.rowCount(), 1);

        QWidget other;
        {
            TableView inner;
            (new QVBoxLayout(&other))->addWidget(inner.view());
        }
        QCOMPARE(other.findChildren<QTableView*>().size(), 0);
    }
};

QTEST_MAIN(TableModelTest)
#include "tst_tablemodel.moc"
