// TableModel, TableView and the table helpers of KxWidget.

#include "TestSupport.h"

#include "contracts/KxWidget.h"
#include "contracts/TableModel.h"
#include "contracts/TableView.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>

// Receives the table's signals in the connection checks.
class IndexReceiver : public QObject
{
    Q_OBJECT
public slots:
    void onSignal() {}
    void onIndex(const QModelIndex&) {}
};

class TableModelTest : public QObject
{
    Q_OBJECT

private:
    static QStringList row(const QString& prefix, int columns)
    {
        QStringList texts;
        for (int c = 0; c < columns; ++c)
            texts << QStringLiteral("%1-%2").arg(prefix).arg(c);
        return texts;
    }

private slots:
    void initTestCase()
    {
        KxPosTest::installStrictMessageHandler();
    }

    void cellAccess_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("expected");
        QTest::newRow("first cell") << 0 << 0 << "a-0";
        QTest::newRow("last cell") << 2 << 3 << "c-3";
        QTest::newRow("beyond a short row") << 1 << 3 << "";
        QTest::newRow("negative row") << -1 << 0 << "";
        QTest::newRow("row past the end") << 3 << 0 << "";
        QTest::newRow("negative column") << 0 << -1 << "";
        QTest::newRow("column past the end") << 0 << 4 << "";
    }

    void cellAccess()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, expected);
        TableModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.appendRow(this->row(QStringLiteral("a"), 4));
        model.appendRow(this->row(QStringLiteral("b"), 2)); // narrower row
        model.appendRow(this->row(QStringLiteral("c"), 4));
        QCOMPARE(model.columnCount(), 4);
        QCOMPARE(model.data(row, column), expected);
        const QModelIndex index = model.index(row, column);
        QCOMPARE(model.data(index, Qt::DisplayRole).toString(), expected);
    }

    void setCell_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("applies");
        QTest::newRow("inside") << 1 << 2 << true;
        QTest::newRow("pads a short row") << 1 << 14 << true;
        QTest::newRow("negative row") << -1 << 0 << false;
        QTest::newRow("row past the end") << 2 << 0 << false;
        QTest::newRow("column past the end") << 0 << 15 << false;
    }

    void setCell()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(bool, applies);
        TableModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setColumnCount(15);
        model.appendRow(this->row(QStringLiteral("a"), 15));
        model.appendRow(this->row(QStringLiteral("b"), 3));
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        model.setData(row, column, QStringLiteral("new"));
        QCOMPARE(changed.count(), applies ? 1 : 0);
        QCOMPARE(model.data(row, column), applies ? QStringLiteral("new") : QString());
        if (applies)
            QCOMPARE(changed.at(0).at(0).toModelIndex(), model.index(row, column));
        // Writing the same text again changes nothing.
        model.setData(row, column, QStringLiteral("new"));
        QCOMPARE(changed.count(), applies ? 1 : 0);
    }

    // Operations: "a" appends a row, "i" inserts at 0, "r" removes row 0,
    // "c" clears, "n" inserts an empty row through insertRows().
    void firstRowAndClearedSignals_data()
    {
        QTest::addColumn<QString>("operations");
        QTest::addColumn<int>("firstRowAdded");
        QTest::addColumn<int>("cleared");
        QTest::addColumn<int>("rowsLeft");
        QTest::newRow("one append") << "a" << 1 << 0 << 1;
        QTest::newRow("appends to a filled model") << "aaa" << 1 << 0 << 3;
        QTest::newRow("append then remove") << "ar" << 1 << 1 << 0;
        QTest::newRow("remove only the last") << "aarr" << 1 << 1 << 0;
        QTest::newRow("twice through empty") << "arar" << 2 << 2 << 0;
        QTest::newRow("clear a filled model") << "aaac" << 1 << 1 << 0;
        QTest::newRow("clear an empty model") << "c" << 0 << 0 << 0;
        QTest::newRow("remove from an empty model") << "r" << 0 << 0 << 0;
        QTest::newRow("insert at front") << "ii" << 1 << 0 << 2;
        QTest::newRow("generic insertRows") << "nr" << 1 << 1 << 0;
    }

    void firstRowAndClearedSignals()
    {
        QFETCH(QString, operations);
        QFETCH(int, firstRowAdded);
        QFETCH(int, cleared);
        QFETCH(int, rowsLeft);
        TableModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy first(&model, &TableModel::SignFirstRowAdded);
        QSignalSpy empty(&model, &TableModel::SignDataCleard);
        for (const QChar op : operations) {
            switch (op.toLatin1()) {
            case 'a': model.appendRow(row(QStringLiteral("x"), 3)); break;
            case 'i': model.insertRow(0, row(QStringLiteral("y"), 3)); break;
            case 'r': model.removeRow(0); break;
            case 'c': model.clear(); break;
            case 'n': QVERIFY(model.insertRows(0, 1)); break;
            default: QFAIL("unknown operation");
            }
        }
        QCOMPARE(first.count(), firstRowAdded);
        QCOMPARE(empty.count(), cleared);
        QCOMPARE(model.rowCount(), rowsLeft);
    }

    void insertOrder()
    {
        TableModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.appendRow({QStringLiteral("b")});
        model.insertRow(0, {QStringLiteral("a")});
        model.insertRow(99, {QStringLiteral("c")}); // clamped to the end
        model.insertRow(-5, {QStringLiteral("0")});  // clamped to the front
        QCOMPARE(model.rowCount(), 4);
        QStringList order;
        for (int r = 0; r < model.rowCount(); ++r)
            order << model.data(r, 0);
        QCOMPARE(order, QStringList({"0", "a", "b", "c"}));
    }

    void widerRowsAddColumns()
    {
        TableModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy columns(&model, &QAbstractItemModel::columnsInserted);
        model.appendRow(row(QStringLiteral("a"), 3));
        model.appendRow(row(QStringLiteral("b"), 5));
        model.appendRow(row(QStringLiteral("c"), 2));
        QCOMPARE(model.columnCount(), 5);
        QCOMPARE(columns.count(), 2);
        QCOMPARE(model.data(0, 4), QString()); // the first row stays short
        QCOMPARE(model.data(1, 4), QStringLiteral("b-4"));
    }

    void headers()
    {
        TableModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setHeaderIds({1969, 0, 1453});
        QCOMPARE(model.columnCount(), 3);
        QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), KxPosTranslator::GetTranslation(1969));
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QString());
        QVERIFY(!model.headerData(2, Qt::Horizontal).toString().isEmpty());
        // A text set by hand survives retranslation; the others follow the language.
        QVERIFY(model.setHeaderData(2, Qt::Horizontal, QStringLiteral("own")));
        const QString before = KxPosTranslator::Language();
        QVERIFY(KxPosTranslator::SetLanguage(before == QLatin1String("en") ? QStringLiteral("zh_CN")
                                                                            : QStringLiteral("en")));
        model.retranslateHeaders();
        QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), KxPosTranslator::GetTranslation(1969));
        QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("own"));
        QVERIFY(KxPosTranslator::SetLanguage(before));
        QVERIFY(!model.setHeaderData(3, Qt::Horizontal, QStringLiteral("x")));
    }

    void gridStyle_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<QList<bool>>("stillStyled");
        QTest::newRow("all rows") << 0 << 2 << QList<bool>{false, false, false};
        QTest::newRow("past the end is clamped") << 1 << 99 << QList<bool>{true, false, false};
        QTest::newRow("negative start is clamped") << -3 << 0 << QList<bool>{false, true, true};
        QTest::newRow("empty range") << 2 << 1 << QList<bool>{true, true, true};
    }

    void gridStyle()
    {
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(QList<bool>, stillStyled);
        TableView table;
        QAbstractItemModelTester tester(table.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        for (int r = 0; r < 3; ++r) {
            table.InsertRow(row(QString::number(r), 4));
            table.SetGridStyle(r, QColor(Qt::yellow));
        }
        table.ClearGridStyle(first, last);
        for (int r = 0; r < 3; ++r) {
            const QVariant background = table.model()->data(table.model()->index(r, 2), Qt::BackgroundRole);
            QCOMPARE(background.isValid(), stillStyled.at(r));
            if (stillStyled.at(r))
                QCOMPARE(background.value<QColor>(), QColor(Qt::yellow));
        }
        TableView empty;
        empty.ClearGridStyle(0, 10); // nothing to clear, must not fail
        QCOMPARE(empty.rowCount(), 0);
    }

    void removeRows_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("all") << 0 << 3 << QStringList();
        QTest::newRow("count past the end") << 1 << 10 << QStringList({"0"});
        QTest::newRow("middle") << 1 << 1 << QStringList({"0", "2"});
        QTest::newRow("negative first") << -1 << 2 << QStringList({"0", "1", "2"});
        QTest::newRow("first past the end") << 3 << 1 << QStringList({"0", "1", "2"});
        QTest::newRow("zero count") << 0 << 0 << QStringList({"0", "1", "2"});
    }

    void removeRows()
    {
        QFETCH(int, first);
        QFETCH(int, count);
        QFETCH(QStringList, left);
        TableView table;
        QAbstractItemModelTester tester(table.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        for (int r = 0; r < 3; ++r)
            table.InsertRow({QString::number(r), QStringLiteral("x")});
        table.RemoveRows(first, count);
        QStringList keys;
        for (int r = 0; r < table.rowCount(); ++r)
            keys << table.model()->data(r, 0);
        QCOMPARE(keys, left);
    }

    void oldStyleSignalsExist_data()
    {
        QTest::addColumn<QByteArray>("signal");
        QTest::addColumn<QByteArray>("slot");
        QTest::newRow("RowAdded") << QByteArray(SIGNAL(RowAdded())) << QByteArray(SLOT(onSignal()));
        QTest::newRow("SignAddOne")
            << QByteArray(SIGNAL(SignAddOne(QModelIndex))) << QByteArray(SLOT(onIndex(QModelIndex)));
        QTest::newRow("SignMinusOne")
            << QByteArray(SIGNAL(SignMinusOne(QModelIndex))) << QByteArray(SLOT(onIndex(QModelIndex)));
        QTest::newRow("clicked")
            << QByteArray(SIGNAL(clicked(const QModelIndex&))) << QByteArray(SLOT(onIndex(QModelIndex)));
    }

    void oldStyleSignalsExist()
    {
        QFETCH(QByteArray, signal);
        QFETCH(QByteArray, slot);
        TableView table;
        IndexReceiver receiver;
        QVERIFY(QObject::connect(&table, signal.constData(), &receiver, slot.constData()));
    }

    void clicksAskForMoreOrLess_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("adds");
        QTest::addColumn<int>("minuses");
        QTest::newRow("add column") << 5 << 1 << 0;
        QTest::newRow("minus column") << 6 << 0 << 1;
        QTest::newRow("other column") << 1 << 0 << 0;
    }

    void clicksAskForMoreOrLess()
    {
        QFETCH(int, column);
        QFETCH(int, adds);
        QFETCH(int, minuses);
        QWidget host;
        auto* layout = new QVBoxLayout(&host);
        TableView table;
        layout->addWidget(table.view());
        host.resize(800, 400);
        table.iniHeadData({1453, 5012, 0, 0, 0, 0, 0}, true, 40);
        table.setAddMinusColumns(5, 6);
        for (int c = 0; c < 7; ++c)
            table.setColumnWidth(c, 90);
        table.InsertRow(row(QStringLiteral("a"), 7));
        table.InsertRow(row(QStringLiteral("b"), 7));
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));

        QSignalSpy clicked(&table, SIGNAL(clicked(const QModelIndex&)));
        QSignalSpy add(&table, SIGNAL(SignAddOne(QModelIndex)));
        QSignalSpy minus(&table, SIGNAL(SignMinusOne(QModelIndex)));
        const QModelIndex target = table.model()->index(1, column);
        QTest::mouseClick(table.view()->viewport(), Qt::LeftButton, Qt::NoModifier,
                          table.view()->visualRect(target).center());
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(clicked.at(0).at(0).toModelIndex(), target);
        QCOMPARE(add.count(), adds);
        QCOMPARE(minus.count(), minuses);
        QCOMPARE(table.currentRow(), 1);
    }

    void plusMinusKeysOnCurrentRow()
    {
        TableView table;
        table.InsertRow(row(QStringLiteral("a"), 3));
        table.InsertRow(row(QStringLiteral("b"), 3));
        QSignalSpy add(&table, &TableView::SignAddOne);
        QSignalSpy minus(&table, &TableView::SignMinusOne);
        QTest::keyClick(table.view(), Qt::Key_Plus); // no current row yet
        QCOMPARE(add.count(), 0);
        table.selectRow(1);
        QTest::keyClick(table.view(), Qt::Key_Plus);
        QTest::keyClick(table.view(), Qt::Key_Minus);
        QCOMPARE(add.count(), 1);
        QCOMPARE(minus.count(), 1);
        QCOMPARE(add.at(0).at(0).toModelIndex().row(), 1);
    }

    void rowAddedAndCurrentRow()
    {
        TableView table;
        table.iniHeadData({1453}, false, 36);
        QSignalSpy added(&table, SIGNAL(RowAdded()));
        QSignalSpy current(&table, &TableView::currentRowChanged);
        table.InsertRow({QStringLiteral("a")});
        table.InsertRow({QStringLiteral("b")});
        QCOMPARE(added.count(), 2);
        QCOMPARE(table.view()->rowHeight(1), 36);
        QCOMPARE(table.currentRow(), -1);
        table.selectRow(1);
        QCOMPARE(table.currentRow(), 1);
        QCOMPARE(current.count(), 1);
        QCOMPARE(current.at(0).at(0).toInt(), 1);
        table.selectRow(7); // ignored
        QCOMPARE(table.currentRow(), 1);
        table.setRowHeight(50);
        QCOMPARE(table.view()->rowHeight(0), 50);
        QVERIFY(table.view()->horizontalHeader()->isHidden());
    }

    void viewOwnership()
    {
        // The view dies with the widget it was placed in: the wrapper must
        // notice and keep working without it.
        auto host = std::make_unique<QWidget>();
        TableView table;
        auto* layout = new QVBoxLayout(host.get());
        layout->addWidget(table.view());
        table.InsertRow({QStringLiteral("a")});
        host.reset();
        QVERIFY(table.view() == nullptr);
        table.selectRow(0);
        table.scrollTo(0);
        table.setRowHeight(20);
        QCOMPARE(table.currentRow(), -1);
        QCOMPARE(table.rowCount(), 1);

        // The wrapper dies first: its view leaves the host.
        QWidget other;
        auto* otherLayout = new QVBoxLayout(&other);
        {
            TableView inner;
            otherLayout->addWidget(inner.view());
            QCOMPARE(other.findChildren<QTableView*>().size(), 1);
        }
        QCOMPARE(other.findChildren<QTableView*>().size(), 0);
    }

    void paging()
    {
        QWidget host;
        auto* layout = new QVBoxLayout(&host);
        layout->setContentsMargins(0, 0, 0, 0);
        TableView table;
        layout->addWidget(table.view());
        table.iniHeadData({1453}, false, 30);
        for (int r = 0; r < 40; ++r)
            table.InsertRow({QString::number(r)});
        host.resize(300, 30 * 10 + 2 * table.view()->frameWidth());
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        QTableView* view = table.view();
        QCOMPARE(view->rowAt(0), 0);

        KxWidget::TableViewNextPage(view);
        QCOMPARE(table.currentRow(), 10);
        QCOMPARE(view->rowAt(0), 10);
        KxWidget::TableViewNextPage(view);
        KxWidget::TableViewNextPage(view);
        KxWidget::TableViewNextPage(view);
        KxWidget::TableViewNextPage(view); // past the end stays on the last row
        QCOMPARE(table.currentRow(), 39);
        KxWidget::TableViewPrePage(view);
        QCOMPARE(table.currentRow(), view->rowAt(0));
        QVERIFY(table.currentRow() < 39 && table.currentRow() >= 20);
        for (int i = 0; i < 5; ++i)
            KxWidget::TableViewPrePage(view);
        QCOMPARE(table.currentRow(), 0);

        KxWidget::TableViewNextPage(nullptr);
        KxWidget::TableViewPrePage(nullptr);
        TableView empty;
        KxWidget::TableViewNextPage(empty.view());
        QCOMPARE(empty.currentRow(), -1);
    }

    void setTableHeaderOnOtherModels()
    {
        QStandardItemModel standard(0, 1);
        QAbstractItemModelTester tester(&standard, QAbstractItemModelTester::FailureReportingMode::QtTest);
        KxWidget::SetTableHeader(&standard, {0, 1453, 5012});
        QCOMPARE(standard.columnCount(), 3);
        QCOMPARE(standard.headerData(0, Qt::Horizontal).toString(), QString());
        QCOMPARE(standard.headerData(2, Qt::Horizontal).toString(), KxPosTranslator::GetTranslation(5012));

        QTableWidget widget(0, 1);
        KxWidget::SetTableHeader(&widget, {1453, 5012});
        QCOMPARE(widget.columnCount(), 2);
        QCOMPARE(widget.horizontalHeaderItem(1)->text(), KxPosTranslator::GetTranslation(5012));
        KxWidget::SetTableHeader(&widget, {5012, 1453}); // existing items are reused
        QCOMPARE(widget.horizontalHeaderItem(0)->text(), KxPosTranslator::GetTranslation(5012));

        KxWidget::SetTableHeader(static_cast<QAbstractItemModel*>(nullptr), {1});
        KxWidget::SetTableHeader(static_cast<QTableWidget*>(nullptr), {1});
    }
};

QTEST_MAIN(TableModelTest)
#include "tst_tablemodel.moc"
