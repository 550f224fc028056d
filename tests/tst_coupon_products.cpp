// The coupon screen's product area in exchange mode: the choice among a
// coupon's products, the delivered product list with weighing and totals,
// package contents, row navigation and the product models.

#include "TestSupport.h"

#include "coupon/CouponPluSelectionModel.h"
#include "coupon/CouponPluTableItemDelegate.h"
#include "coupon/CouponPluTableModel.h"
#include "coupon/CouponUsageWidget.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosLog.h"
#include "contracts/KxPosModel.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/MessageWidget.h"
#include "contracts/PackContentWidget.h"

#include <QAbstractItemModelTester>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTableView>
#include <QtTest>

#include <spdlog/sinks/ringbuffer_sink.h>

#include <memory>

using namespace KxPosTest;

namespace {
const QString Code = QStringLiteral("QX-100");

CouponWidgetInfo::CouponPluInfo entry(const QString& code, bool weighed = false, double limit = 0.0)
{
    CouponWidgetInfo::CouponPluInfo e;
    e.pluCode = code;
    e.pluName = QStringLiteral("商品") + code;
    e.weighFlag = weighed ? QStringLiteral("1") : QStringLiteral("0");
    e.limitWeight = limit;
    e.quantity = 1;
    return e;
}

CouponWidgetInfo exchangeCoupon(int selectCount, const QList<CouponWidgetInfo::CouponPluInfo>& entries)
{
    CouponWidgetInfo c;
    c.couponId = QStringLiteral("EX1");
    c.couponCode = Code;
    c.couponName = QStringLiteral("水果兑换券");
    c.channelCode = QStringLiteral("jh");
    c.couponAmount = 20.0;
    c.selectCount = selectCount;
    c.pluInfoList = entries;
    return c;
}

KxPosPluDetail product(int lineNo, const QString& code, double price, bool weighed = false)
{
    KxPosPluDetail p;
    p.lineNo = lineNo;
    p.pluCode = code;
    p.pluName = QStringLiteral("商品") + code;
    p.salePrice = price;
    p.saleQty = 1.0;
    p.weighFlag = weighed ? QStringLiteral("1") : QStringLiteral("0");
    p.couponCode = Code;
    return p;
}

KxPosPluDetail package(int lineNo, const QString& code, const QString& group)
{
    KxPosPluDetail p = product(lineNo, code, 30.0);
    p.pluType = QStringLiteral("07");
    for (int i = 0; i < 2; ++i) {
        KxPosPluComDtDetail item;
        item.groupId = group;
        item.groupName = group;
        item.groupPickCount = 1;
        item.pluCode = code + QStringLiteral("-%1").arg(i);
        item.pluName = QStringLiteral("配菜%1").arg(i);
        item.weighFlag = i == 1 ? QStringLiteral("1") : QStringLiteral("0");
        p.packItems << item;
    }
    return p;
}
} // namespace

class CouponProductsTest : public ScreenTestCase
{
    Q_OBJECT

private:
    std::unique_ptr<CouponUsageWidget> makeScreen()
    {
        KxPosConfig::m_isCouponForDeduct = false;
        auto screen = std::make_unique<CouponUsageWidget>(nullptr);
        screen->Show(false);
        return screen;
    }
    static void clickCell(QTableView* view, int row, int column)
    {
        const QRect rect = view->visualRect(view->model()->index(row, column));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    }
    static QList<bool> selectedFlags(CouponUsageWidget* screen)
    {
        QList<bool> flags;
        for (const auto& e : screen->GetCurrentCouponInfo().pluInfoList)
            flags << e.selected;
        return flags;
    }
    static void click(CouponUsageWidget* screen, const char* button)
    {
        QTest::mouseClick(child<QPushButton>(screen, button), Qt::LeftButton);
    }
    // An exchange coupon whose products the host delivered: page 1.
    std::unique_ptr<CouponUsageWidget> productListScreen(const QList<KxPosPluDetail>& products,
                                                         const QList<CouponWidgetInfo::CouponPluInfo>& entries)
    {
        auto screen = makeScreen();
        screen->AddCouponInfo(exchangeCoupon(entries.size(), entries), true);
        screen->AddPluList(Code, products, false);
        return screen;
    }

private slots:
    // --- Models ----------------------------------------------------------------

    void selectionModel()
    {
        CouponPluSelectionModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.SetPluList({entry(QStringLiteral("A")), entry(QStringLiteral("B"))});
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(model.columnCount(), 3);
        QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral(" "));
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), translated(1453));
        QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), translated(5012));
        for (int column = 0; column < 3; ++column)
            QCOMPARE(model.headerData(column, Qt::Horizontal, Qt::TextAlignmentRole).toInt(),
                     int(Qt::AlignLeft | Qt::AlignVCenter));
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        QVERIFY(!model.setData(model.index(1, 0), true, Qt::DisplayRole));
        QVERIFY(!model.setData(QModelIndex(), true, Qt::EditRole));
        QCOMPARE(changed.count(), 0);
        QVERIFY(model.setData(model.index(1, 2), true, Qt::EditRole));
        QCOMPARE(changed.count(), 1);
        const auto second = model.data(model.index(1, 1), CouponPluSelectionModel::RecordRole)
                                .value<CouponWidgetInfo::CouponPluInfo>();
        QVERIFY(second.selected);
        QCOMPARE(second.pluCode, QStringLiteral("B"));
        QVERIFY(!model.PluList().at(0).selected);
        QVERIFY(!model.data(model.index(0, 0), Qt::DisplayRole).isValid());
        model.Clear();
        QCOMPARE(model.rowCount(), 0);
    }

    void tableModelRoles_data()
    {
        QTest::addColumn<int>("role");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<double>("qty");
        QTest::addColumn<double>("scale");
        QTest::addColumn<QString>("name");
        KxPosPluDetail replacement = product(0, QStringLiteral("R"), 5.0);
        replacement.saleQty = 4.0;
        QTest::newRow("whole record") << int(Qt::EditRole) << QVariant::fromValue(replacement) << 4.0 << 0.0
                                      << "商品R";
        QTest::newRow("quantity") << 257 << QVariant(0.75) << 0.75 << 0.0 << "商品B";
        QTest::newRow("scale value") << 258 << QVariant(12.5) << 1.0 << 12.5 << "商品B";
        QTest::newRow("unknown role") << 400 << QVariant(3.0) << 1.0 << 0.0 << "商品B";
    }

    void tableModelRoles()
    {
        QFETCH(int, role);
        QFETCH(QVariant, value);
        QFETCH(double, qty);
        QFETCH(double, scale);
        QFETCH(QString, name);
        CouponPluTableModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.SetPluList({product(0, QStringLiteral("A"), 1.0), product(1, QStringLiteral("B"), 2.0)});
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        QVERIFY(!model.setData(QModelIndex(), value, role));
        QCOMPARE(changed.count(), 0);
        QVERIFY(model.setData(model.index(1, 3), value, role));
        QCOMPARE(changed.count(), 1);
        const KxPosPluDetail row = model.data(model.index(1, 0), CouponPluTableModel::RecordRole).value<KxPosPluDetail>();
        QCOMPARE(row.saleQty, qty);
        QCOMPARE(row.scaleValue, scale);
        QCOMPARE(row.pluName, name);
        QCOMPARE(model.PluList().at(0).pluName, QStringLiteral("商品A"));
    }

    void tableModelHeaders()
    {
        CouponPluTableModel model;
        QCOMPARE(model.columnCount(), 4);
        const QList<int> ids{1453, 5012, 1420, 1515};
        const QList<int> align{int(Qt::AlignLeft), int(Qt::AlignHCenter), int(Qt::AlignRight), int(Qt::AlignHCenter)};
        for (int column = 0; column < 4; ++column) {
            QCOMPARE(model.headerData(column, Qt::Horizontal).toString(), translated(ids.at(column)));
            QCOMPARE(model.headerData(column, Qt::Horizontal, Qt::TextAlignmentRole).toInt(),
                     align.at(column) | int(Qt::AlignVCenter));
        }
        QVERIFY(!model.headerData(4, Qt::Horizontal).isValid());
        QVERIFY(!model.headerData(0, Qt::Vertical).isValid());
    }

    // --- Product choice --------------------------------------------------------

    void choiceLimit_data()
    {
        QTest::addColumn<int>("selectCount");
        QTest::addColumn<QList<int>>("taps");
        QTest::addColumn<QList<bool>>("selected");
        QTest::addColumn<int>("refusals");
        QTest::newRow("two of three: the third is refused")
            << 2 << QList<int>{0, 1, 2} << QList<bool>{true, true, false} << 1;
        QTest::newRow("a chosen one can be given back")
            << 2 << QList<int>{0, 1, 0, 2} << QList<bool>{false, true, true} << 0;
        QTest::newRow("one of three, tapped twice") << 1 << QList<int>{1, 1} << QList<bool>{false, false, false} << 0;
        QTest::newRow("one of three, changed mind")
            << 1 << QList<int>{1, 2, 1, 2} << QList<bool>{false, false, true} << 1;
    }

    void choiceLimit()
    {
        QFETCH(int, selectCount);
        QFETCH(QList<int>, taps);
        QFETCH(QList<bool>, selected);
        QFETCH(int, refusals);
        auto screen = makeScreen();
        screen->AddCouponInfo(
            exchangeCoupon(selectCount, {entry(QStringLiteral("A")), entry(QStringLiteral("B")), entry(QStringLiteral("C"))}),
            true);
        QCOMPARE(screen->CurrentPage(), 0);
        QCOMPARE(child<QLabel>(screen.get(), "lblSelectTitle")->text(), translated(2272).arg(QStringLiteral("EX1")));
        auto* view = child<QTableView>(screen.get(), "tbvPluSelection");
        for (int tap : taps)
            clickCell(view, tap, 1);
        QList<bool> flags;
        auto* model = qobject_cast<CouponPluSelectionModel*>(view->model());
        for (const auto& e : model->PluList())
            flags << e.selected;
        QCOMPARE(flags, selected);
        QCOMPARE(MessageWidget::History().size(), refusals);
        if (refusals)
            QCOMPARE(lastMessageText(), translated(1411));
        QCOMPARE(child<QLabel>(screen.get(), "lblSelectCount")->text(),
                 translated(5054).arg(selectCount).arg(int(selected.count(true))));
        // Until confirmed the coupon's own record keeps its flags.
        QCOMPARE(selectedFlags(screen.get()), (QList<bool>{false, false, false}));
    }

    void confirmingTheChoiceAsksForProducts()
    {
        auto screen = makeScreen();
        screen->AddCouponInfo(exchangeCoupon(1, {entry(QStringLiteral("A")), entry(QStringLiteral("B"))}), true);
        QSignalSpy products(screen.get(), &CouponUsageWidget::SignGetCouponPlu);
        QVERIFY(child<QPushButton>(screen.get(), "btnPackConfirm")->isVisible());
        click(screen.get(), "btnPackConfirm");
        QCOMPARE(lastMessageText(), translated(2276));
        QCOMPARE(products.count(), 0);

        clickCell(child<QTableView>(screen.get(), "tbvPluSelection"), 1, 0);
        click(screen.get(), "btnPackConfirm");
        QCOMPARE(products.count(), 1);
        const CouponWidgetInfo sent = products.at(0).at(0).value<CouponWidgetInfo>();
        QCOMPARE(sent.pluInfoList.size(), 2);
        QVERIFY(!sent.pluInfoList.at(0).selected);
        QVERIFY(sent.pluInfoList.at(1).selected);
        QCOMPARE(selectedFlags(screen.get()), (QList<bool>{false, true}));
        QVERIFY(!screen->GetCurrentCouponInfo().confirmed);
    }

    // --- Product list ----------------------------------------------------------

    void productListShowsTotals()
    {
        auto screen = makeScreen();
        CouponWidgetInfo info = exchangeCoupon(0, {});
        info.useCount = 1;
        screen->AddCouponInfo(info, true);
        KxPosPluDetail two = product(1, QStringLiteral("B"), 12.5);
        two.saleQty = 2.0;
        screen->AddPluList(Code, {product(0, QStringLiteral("A"), 8.0), two}, false);
        QCOMPARE(screen->CurrentPage(), 1);
        QVERIFY(screen->GetCurrentCouponInfo().confirmed);
        QCOMPARE(screen->GetCurCouponTotalValue(), 33.0);
        QCOMPARE(child<QLabel>(screen.get(), "lblTotalAmount")->text(), QStringLiteral("33.00"));
        QCOMPARE(child<QLabel>(screen.get(), "lblDeductAmount")->text(), QStringLiteral("20.00"));
        QCOMPARE(child<QLabel>(screen.get(), "lblPayAmount")->text(), QStringLiteral("13.00"));
        QCOMPARE(child<QLabel>(screen.get(), "lblPluCount")->text(), translated(2274).arg(2));
        QCOMPARE(child<QTableView>(screen.get(), "tbvPluList")->currentIndex().row(), 0);
        // The page's bottom group: row keys and the use buttons.
        QVERIFY(child<QPushButton>(screen.get(), "btnConfirm")->isVisible());
        QVERIFY(child<QPushButton>(screen.get(), "btnSubmit")->isVisible());
        QVERIFY(child<QPushButton>(screen.get(), "btnNext")->isVisible());
        QVERIFY(!child<QPushButton>(screen.get(), "btnPackConfirm")->isVisible());

        // Products added one by one go to their coupon's list without a page change.
        KxPosPluDetail extra = product(2, QStringLiteral("C"), 1.0);
        screen->AddPlu(extra);
        extra.couponCode = QStringLiteral("OTHER");
        screen->AddPlu(extra);
        QCOMPARE(screen->PluMap().value(Code).size(), 3);
        QCOMPARE(screen->PluMap().value(QStringLiteral("OTHER")).size(), 1);
        QCOMPARE(child<QTableView>(screen.get(), "tbvPluList")->model()->rowCount(), 2);
    }

    void weightLimit_data()
    {
        QTest::addColumn<QString>("entryCode");
        QTest::addColumn<bool>("entryWeighed");
        QTest::addColumn<double>("weight");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("shownLimit");
        QTest::newRow("below the limit") << "W" << true << 0.862 << true << "";
        QTest::newRow("equal to the limit") << "W" << true << 1.5 << true << "";
        QTest::newRow("0.01 above") << "W" << true << 1.51 << false << "1.50";
        QTest::newRow("no entry of that code: limit 0") << "X" << true << 0.2 << false << "0.00";
        QTest::newRow("entry not weighed: limit 0") << "W" << false << 0.2 << false << "0.00";
    }

    void weightLimit()
    {
        QFETCH(QString, entryCode);
        QFETCH(bool, entryWeighed);
        QFETCH(double, weight);
        QFETCH(bool, accepted);
        QFETCH(QString, shownLimit);
        auto screen = productListScreen({product(0, QStringLiteral("A"), 8.0), product(1, QStringLiteral("W"), 20.0, true)},
                                        {entry(entryCode, entryWeighed, 1.5)});
        QCOMPARE(screen->GetCurCouponPluLimitWeight(QStringLiteral("W")), entryCode == QLatin1String("W") && entryWeighed ? 1.5 : 0.0);
        screen->UpdatePluWeight(weight, 77.0, 1);
        const KxPosPluDetail stored = screen->PluMap().value(Code).at(1);
        auto* table = child<QTableView>(screen.get(), "tbvPluList");
        const KxPosPluDetail shown =
            table->model()->index(1, 0).data(CouponPluTableModel::RecordRole).value<KxPosPluDetail>();
        if (accepted) {
            QVERIFY(MessageWidget::History().isEmpty());
            QCOMPARE(stored.saleQty, weight);
            QCOMPARE(stored.scaleValue, 77.0);
            QCOMPARE(shown.saleQty, weight);
            QCOMPARE(screen->WeighedRows(Code), QList<int>{1});
            QCOMPARE(child<QLabel>(screen.get(), "lblTotalAmount")->text(),
                     QString::number(8.0 + 20.0 * weight, 'f', 2));
        } else {
            QCOMPARE(lastMessageText(), translated(2269).arg(shownLimit));
            QCOMPARE(stored.saleQty, 1.0);
            QCOMPARE(shown.saleQty, 1.0);
            QVERIFY(screen->WeighedRows(Code).isEmpty());
        }
    }

    void weighButtonAsksForTheWeight()
    {
        auto screen = productListScreen({product(0, QStringLiteral("A"), 8.0), product(1, QStringLiteral("W"), 20.0, true),
                                         package(2, QStringLiteral("P"), QStringLiteral("g"))},
                                        {entry(QStringLiteral("W"), true, 1.5)});
        auto* table = child<QTableView>(screen.get(), "tbvPluList");
        auto* delegate = qobject_cast<CouponPluTableItemDelegate*>(table->itemDelegate());
        QVERIFY(delegate);
        QSignalSpy weight(screen.get(), &CouponUsageWidget::SignGetCouponPluWeight);
        QSignalSpy detail(delegate, &CouponPluTableItemDelegate::SignButtonDetailClicked);
        clickCell(table, 0, 1); // not weighed
        clickCell(table, 1, 0); // weighed, but not the weigh column
        QCOMPARE(weight.count(), 0);
        clickCell(table, 1, 1);
        QCOMPARE(weight.count(), 1);
        QCOMPARE(weight.at(0).at(0).value<KxPosPluDetail>().pluCode, QStringLiteral("W"));
        QCOMPARE(weight.at(0).at(1).toInt(), 1);
        clickCell(table, 2, 3);
        clickCell(table, 0, 3);
        QCOMPARE(detail.count(), 1);
        QCOMPARE(detail.at(0).at(0).toModelIndex().row(), 2);
        // The answer counts only on the product list page.
        screen->UpdateUIData(CouponUsageWidget::PluSelectionType);
        screen->UpdatePluWeight(0.5, 1.0, 1);
        QVERIFY(screen->WeighedRows(Code).isEmpty());
        screen->UpdateUIData(CouponUsageWidget::CouponPluListType);
        screen->UpdatePluWeight(0.5, 1.0, 9); // no such row
        screen->UpdatePluWeight(0.5, 1.0, -1);
        QVERIFY(screen->WeighedRows(Code).isEmpty());
        QVERIFY(MessageWidget::History().isEmpty());
    }

    // A weighed product counts as weighed when its lineNo is a row whose
    // weight was accepted.
    void weighedRowsAreMatchedByLineNo_data()
    {
        QTest::addColumn<int>("lineNo");
        QTest::addColumn<bool>("weigh");
        QTest::addColumn<bool>("ready");
        QTest::newRow("weighed, lineNo equals its row") << 1 << true << true;
        QTest::newRow("weighed, lineNo differs from its row") << 5 << true << false;
        QTest::newRow("not weighed") << 1 << false << false;
    }

    void weighedRowsAreMatchedByLineNo()
    {
        QFETCH(int, lineNo);
        QFETCH(bool, weigh);
        QFETCH(bool, ready);
        auto screen = productListScreen({product(0, QStringLiteral("A"), 8.0), product(lineNo, QStringLiteral("W"), 20.0, true)},
                                        {entry(QStringLiteral("W"), true, 2.0)});
        if (weigh)
            screen->UpdatePluWeight(1.0, 20.0, 1);
        QCOMPARE(screen->CheckUnWeightPlu(screen->PluMap().value(Code)), ready);
        QList<QVariantMap> requests;
        QCOMPARE(screen->PrepareForCouponUse(requests), ready);
        if (!ready)
            QCOMPARE(lastMessageText(), translated(2280).arg(Code));
        QCOMPARE(requests.size(), ready ? 1 : 0);
    }

    // --- Package contents ------------------------------------------------------

    void packagesAreFilledOneAfterTheOther()
    {
        auto screen = makeScreen();
        screen->AddCouponInfo(exchangeCoupon(0, {}), true);
        screen->AddPluList(Code,
                           {package(0, QStringLiteral("P1"), QStringLiteral("g1")), product(1, QStringLiteral("A"), 3.0),
                            package(2, QStringLiteral("P2"), QStringLiteral("g2"))},
                           true);
        auto* picker = screen->findChild<PackContentWidget*>();
        QVERIFY(picker);
        QCOMPARE(screen->CurrentPage(), 2);
        QCOMPARE(screen->PackPluRow(), 0);
        QCOMPARE(picker->packageName(), QStringLiteral("商品P1"));
        QCOMPARE(child<QLabel>(screen.get(), "lblPackTitle")->text(), translated(2275).arg(QStringLiteral("商品P1")));
        QVERIFY(child<QPushButton>(screen.get(), "btnPackConfirm")->isVisible());
        QVERIFY(!child<QPushButton>(screen.get(), "btnConfirm")->isVisible());
        QVERIFY(!child<QPushButton>(screen.get(), "btnPre")->isVisible());

        // Nothing chosen: the picker's own reason is shown.
        click(screen.get(), "btnPackConfirm");
        QVERIFY(!lastMessageText().isEmpty());
        QCOMPARE(MessageWidget::History().last().second, translated(1969));
        QCOMPARE(screen->PackPluRow(), 0);

        picker->increase(0);
        click(screen.get(), "btnPackConfirm");
        QCOMPARE(screen->CurrentPage(), 2);
        QCOMPARE(screen->PackPluRow(), 2);
        QCOMPARE(picker->packageName(), QStringLiteral("商品P2"));
        QCOMPARE(screen->PluMap().value(Code).at(0).packSelection.size(), 1);
        QCOMPARE(screen->PluMap().value(Code).at(0).packSelection.at(0).pluCode, QStringLiteral("P1-0"));

        picker->increase(0);
        click(screen.get(), "btnPackConfirm");
        QCOMPARE(screen->CurrentPage(), 1);
        QVERIFY(screen->GetCurrentCouponInfo().confirmed);
        QCOMPARE(screen->PluMap().value(Code).at(2).packSelection.size(), 1);
        // Package rows grow by their content lines.
        auto* table = child<QTableView>(screen.get(), "tbvPluList");
        QVERIFY(table->rowHeight(0) > table->rowHeight(1));
    }

    void packWeightRoundTrip()
    {
        auto screen = makeScreen();
        screen->AddCouponInfo(exchangeCoupon(0, {}), true);
        screen->AddPluList(Code, {package(0, QStringLiteral("P1"), QStringLiteral("g1"))}, true);
        auto* picker = screen->findChild<PackContentWidget*>();
        QSignalSpy ask(screen.get(), &CouponUsageWidget::SignGetPackPluWeight);
        picker->increase(1); // the weighed item
        QCOMPARE(ask.count(), 1);
        QCOMPARE(ask.at(0).at(0).value<KxPosPluDetail>().pluCode, QStringLiteral("P1-1"));
        QCOMPARE(ask.at(0).at(1).toInt(), 1);
        QCOMPARE(ask.at(0).at(2).toInt(), int(PackContentWidget::PackPageType));
        QString error;
        QVERIFY(!picker->Confirm(error)); // not weighed yet
        screen->UpdatePackPluWeight(QStringLiteral("0.350"), ask.at(0).at(1).toInt(), ask.at(0).at(2).toInt(),
                                    ask.at(0).at(3).toInt(), ask.at(0).at(4).toInt());
        QCOMPARE(picker->chosenWeight(1), 0.35);
        click(screen.get(), "btnPackConfirm");
        QCOMPARE(screen->CurrentPage(), 1);
        QCOMPARE(screen->PluMap().value(Code).at(0).packSelection.at(0).weight, 0.35);
    }

    // --- Navigation, page types ------------------------------------------------

    void rowNavigation_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("presses"); // n: next, p: previous
        QTest::addColumn<QList<int>>("visited");
        QTest::newRow("down wraps to the top") << 3 << "nnn" << QList<int>{1, 2, 0};
        QTest::newRow("up from the top wraps to the bottom") << 3 << "ppp" << QList<int>{2, 1, 0};
        QTest::newRow("single row stays") << 1 << "np" << QList<int>{0, 0};
        QTest::newRow("mixed") << 4 << "nnpn" << QList<int>{1, 2, 1, 2};
    }

    void rowNavigation()
    {
        QFETCH(int, rows);
        QFETCH(QString, presses);
        QFETCH(QList<int>, visited);
        for (int page : {0, 1}) {
            auto screen = makeScreen();
            QList<CouponWidgetInfo::CouponPluInfo> entries;
            QList<KxPosPluDetail> products;
            for (int i = 0; i < rows; ++i) {
                entries << entry(QStringLiteral("E%1").arg(i));
                products << product(i, QStringLiteral("E%1").arg(i), 1.0);
            }
            // A choice to make (selectCount differs from the entries) opens page 0.
            screen->AddCouponInfo(exchangeCoupon(qMax(0, rows - 1), entries), true);
            if (page == 1)
                screen->AddPluList(Code, products, false);
            QCOMPARE(screen->CurrentPage(), page);
            auto* view = child<QTableView>(screen.get(), page == 0 ? "tbvPluSelection" : "tbvPluList");
            QCOMPARE(view->currentIndex().row(), 0);
            for (int i = 0; i < presses.size(); ++i) {
                click(screen.get(), presses.at(i) == QLatin1Char('n') ? "btnNext" : "btnPre");
                QCOMPARE(view->currentIndex().row(), visited.at(i));
            }
        }
    }

    void rowNavigationWithoutCurrentRow()
    {
        auto screen = makeScreen();
        screen->AddCouponInfo(exchangeCoupon(1, {entry(QStringLiteral("A")), entry(QStringLiteral("B")),
                                                 entry(QStringLiteral("C"))}),
                              true);
        auto* view = child<QTableView>(screen.get(), "tbvPluSelection");
        view->setCurrentIndex(QModelIndex());
        screen->DoPluAreaRowChange(view, false);
        QCOMPARE(view->currentIndex().row(), 2);
        view->setCurrentIndex(QModelIndex());
        screen->DoPluAreaRowChange(view, true);
        QCOMPARE(view->currentIndex().row(), 0);
        screen->SelectPluAreaRow(view, 3);
        screen->SelectPluAreaRow(view, -1);
        QCOMPARE(view->currentIndex().row(), 0);
        screen->SelectPluAreaRow(nullptr, 0);
        screen->DoPluAreaRowChange(nullptr, true);
        // An empty table has nowhere to go.
        screen->ClearSelectionPluData();
        screen->DoPluAreaRowChange(view, true);
        QVERIFY(!view->currentIndex().isValid());
    }

    void unknownPageTypeIsLogged()
    {
        auto screen = makeScreen();
        screen->AddCouponInfo(exchangeCoupon(1, {entry(QStringLiteral("A")), entry(QStringLiteral("B"))}), true);
        auto sink = std::make_shared<spdlog::sinks::ringbuffer_sink_mt>(8);
        auto logger = KxPosLog::GetSpdLogger(LogTypeTrade);
        logger->sinks().push_back(sink);
        screen->UpdateUIData(static_cast<CouponUsageWidget::CouponUsageType>(7));
        logger->sinks().pop_back();
        const auto messages = sink->last_raw();
        QCOMPARE(int(messages.size()), 1);
        const auto& message = messages.front();
        QVERIFY(message.level == spdlog::level::warn);
        QCOMPARE(QString::fromUtf8(message.payload.data(), int(message.payload.size())),
                 QStringLiteral("CouponUsageWidget::UpdateUIData: 未知类型"));
        QCOMPARE(QString::fromUtf8(message.source.funcname), QStringLiteral("UpdateUIData"));
        QVERIFY(QString::fromUtf8(message.source.filename).contains(QStringLiteral("CouponUsage")));
        QVERIFY(message.source.line > 0);
        // Nothing else changes.
        QCOMPARE(screen->CurrentPage(), 0);
        QVERIFY(MessageWidget::History().isEmpty());
    }

    void deductionModeHasNoProductPages()
    {
        KxPosConfig::m_isCouponForDeduct = true;
        CouponUsageWidget screen(nullptr);
        screen.Show(false);
        // Deduction coupons always count as weighed and confirmed.
        QVERIFY(screen.CheckUnWeightPlu({product(7, QStringLiteral("W"), 1.0, true)}));
        QVERIFY(screen.CheckCouponConfirmed());
        QVERIFY(!child<QWidget>(&screen, "widgetRight")->isVisible());
        QVERIFY(!child<QPushButton>(&screen, "btnPackConfirm")->isVisible());
        QVERIFY(child<QPushButton>(&screen, "btnConfirm")->isVisible());
    }
};

QTEST_MAIN(CouponProductsTest)
#include "tst_coupon_products.moc"
