// The coupon screen's product area in exchange mode: the choice among a
// coupon's products, the delivered product list with weighing and totals,
// package contents, row navigation by keys and the product models; deduction
// coupons need none of it.

#include "TestCoupons.h"
#include "TestAccess.h"
#include "TestScreens.h"
#include "TestSupport.h"

#include "coupon/CouponPluSelectionModel.h"
#include "coupon/CouponPluTableItemDelegate.h"
#include "coupon/CouponPluTableModel.h"
#include "coupon/CouponUsageWidget.h"

#include "contracts/KxPosConfig.h"
#include "contracts/MessageWidget.h"
#include "contracts/PackContentWidget.h"

#include <QAbstractItemModelTester>
#include <QLabel>
#include <QSignalSpy>
#include <QTableView>
#include <QtTest>

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

// A package of two items of group `group`, the second one weighed.
KxPosPluDetail package(int lineNo, const QString& code, const QString& group)
{
    KxPosPluDetail p = product(lineNo, code, 30.0);
    p.pluType = QStringLiteral("07");
    for (int i = 0; i < 2; ++i) {
        KxPosPluComDtDetail item;
        item.groupId = item.groupName = group;
        item.groupPickCount = 1;
        item.pluCode = code + QStringLiteral("-%1").arg(i);
        item.pluName = QStringLiteral("配菜%1").arg(i);
        item.weighFlag = i == 1 ? QStringLiteral("1") : QStringLiteral("0");
        p.packItems << item;
    }
    return p;
}
void pressKeys(QWidget* screen, const QList<int>& keys)
{
    for (int code : keys) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : screen->focusWidget();
        QTest::keyClick(target ? target : screen, Qt::Key(code));
    }
}
} // namespace

class CouponProductsTest : public ScreenTestCase
{
    Q_OBJECT

private:
    // An exchange screen showing coupon EX1 (code QX-100, worth 20.00) with
    // `selectCount` of `entries` to choose; `products`, when given, are the
    // host's answer (the product list page, or the package page first).
    static std::unique_ptr<CouponUsageWidget> exchangeScreen(int selectCount,
                                                             const QList<CouponWidgetInfo::CouponPluInfo>& entries,
                                                             const QList<KxPosPluDetail>& products = {},
                                                             bool packages = false)
    {
        KxPosConfig::m_isCouponForDeduct = false;
        auto screen = std::make_unique<CouponUsageWidget>(nullptr);
        screen->Show(false);
        CouponWidgetInfo c;
        c.couponId = QStringLiteral("EX1");
        c.couponCode = Code;
        c.channelCode = QStringLiteral("jh");
        c.couponAmount = 20.0;
        c.selectCount = selectCount;
        c.pluInfoList = entries;
        screen->AddCouponInfo(c, true);
        if (!products.isEmpty())
            screen->AddPluList(Code, products, packages);
        return screen;
    }
    static QString label(CouponUsageWidget* screen, const char* name) { return child<QLabel>(screen, name)->text(); }

private slots:
    // Two of three: a chosen product can be given back and another chosen
    // (going over the choice is walked by tst_refusals).
    void choiceCanBeChanged()
    {
        auto screen = exchangeScreen(2, {entry("A"), entry("B"), entry("C")});
        QCOMPARE(KxPosTestAccess::CurrentPage(*screen), 0);
        auto* view = child<QTableView>(screen.get(), "tbvPluSelection");
        QAbstractItemModelTester tester(view->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        for (int tap : {0, 1, 0, 2})
            tapCell(view, tap, 1);
        QList<bool> flags;
        for (const auto& e : qobject_cast<CouponPluSelectionModel*>(view->model())->PluList())
            flags << e.selected;
        QCOMPARE(flags, (QList<bool>{false, true, true}));
        QVERIFY(MessageWidget::History().isEmpty());
        QCOMPARE(label(screen.get(), "lblSelectCount"), translated(5054).arg(2).arg(2));
        // Until confirmed the coupon's own record keeps its flags.
        for (const auto& e : screen->GetCurrentCouponInfo().pluInfoList)
            QVERIFY(!e.selected);
    }

    // Choosing two of three products by keys alone; the focus starts in
    // the code box.
    void choiceByKeys_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QList<bool>>("ticked");
        QTest::addColumn<bool>("confirmed"); // the choice went to the host
        QTest::addColumn<int>("message");    // 0: none
        using K = QList<int>;
        using F = QList<bool>;
        QTest::newRow("Space ticks the first") << K{Qt::Key_Space} << F{true, false, false} << false << 0;
        QTest::newRow("Down, Space twice, Enter confirms")
            << K{Qt::Key_Down, Qt::Key_Space, Qt::Key_Down, Qt::Key_Space, Qt::Key_Return} << F{false, true, true}
            << true << 0;
        QTest::newRow("Up wraps to the last") << K{Qt::Key_Up, Qt::Key_Space} << F{false, false, true} << false << 0;
        QTest::newRow("Space again unticks") << K{Qt::Key_Space, Qt::Key_Space} << F{false, false, false} << false << 0;
        QTest::newRow("Tab, Tab to the products, Down, Space")
            << K{Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Down, Qt::Key_Space, Qt::Key_Enter} << F{false, true, false}
            << true << 0;
        QTest::newRow("a third is refused")
            << K{Qt::Key_Space, Qt::Key_Down, Qt::Key_Space, Qt::Key_Down, Qt::Key_Space} << F{true, true, false}
            << false << 1411;
        QTest::newRow("Enter with nothing chosen") << K{Qt::Key_Enter} << F{false, false, false} << false << 2276;
    }

    void choiceByKeys()
    {
        QFETCH(QList<int>, keys);
        QFETCH(int, message);
        auto screen = exchangeScreen(2, {entry("A"), entry("B"), entry("C")});
        QSignalSpy askProducts(screen.get(), &CouponUsageWidget::SignGetCouponPlu);
        pressKeys(screen.get(), keys);
        QList<bool> flags;
        auto* view = child<QTableView>(screen.get(), "tbvPluSelection");
        for (const auto& e : qobject_cast<CouponPluSelectionModel*>(view->model())->PluList())
            flags << e.selected;
        QTEST(flags, "ticked");
        QTEST(askProducts.count() == 1, "confirmed");
        if (message)
            QVERIFY(!MessageWidget::History().isEmpty() && MessageWidget::History().last().first.contains(translated(message)));
        else
            QVERIFY(MessageWidget::History().isEmpty());
        QVERIFY(screen->isVisible());
    }

    // The delivered products by keys: Up and Down move the row (as the row
    // keys do), Enter uses the coupon, F12 finishes, Escape leaves.
    void productListByKeys_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("used");
        QTest::addColumn<int>("finished");
        QTest::addColumn<int>("weighed"); // weight requests for W (row 1)
        using K = QList<int>;
        QTest::newRow("Down moves") << K{Qt::Key_Down} << 1 << 0 << 0 << 0;
        QTest::newRow("Up wraps") << K{Qt::Key_Up} << 1 << 0 << 0 << 0;
        QTest::newRow("Space weighs a weighed product") << K{Qt::Key_Down, Qt::Key_Space} << 1 << 0 << 0 << 1;
        QTest::newRow("Space on a counted one does not") << K{Qt::Key_Space} << 0 << 0 << 0 << 0;
        QTest::newRow("Enter uses") << K{Qt::Key_Return} << 0 << 1 << 0 << 0;
        QTest::newRow("F12 finishes") << K{Qt::Key_F12} << 0 << 0 << 1 << 0;
        QTest::newRow("from the table too")
            << K{Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Down, Qt::Key_Space, Qt::Key_F12} << 1 << 0 << 1 << 1;
        QTest::newRow("Escape leaves") << K{Qt::Key_Down, Qt::Key_Escape} << 1 << 0 << 0 << 0;
    }

    void productListByKeys()
    {
        QFETCH(QList<int>, keys);
        auto screen = exchangeScreen(1, {entry(QStringLiteral("W"), true, 1.0)},
                                     {product(0, QStringLiteral("A"), 8.0), product(1, QStringLiteral("W"), 4.0, true)});
        // W weighed before the keys: the use itself is not held up by the scale.
        screen->UpdatePluWeight(0.5, 2.0, 1);
        QSignalSpy weight(screen.get(), &CouponUsageWidget::SignGetCouponPluWeight);
        int used = 0;
        int finished = 0;
        connect(screen.get(), &CouponUsageWidget::SignUseCouponAndAddPlu, this, [&] { ++used; });
        connect(screen.get(), &CouponUsageWidget::SignUseCouponFinished, this, [&] { ++finished; });
        pressKeys(screen.get(), keys);
        QTEST(child<QTableView>(screen.get(), "tbvPluList")->currentIndex().row(), "row");
        QTEST(used, "used");
        QTEST(finished, "finished");
        QTEST(int(weight.count()), "weighed");
        for (const QList<QVariant>& request : qAsConst(weight))
            QCOMPARE(request.at(0).value<KxPosPluDetail>().pluCode, QStringLiteral("W"));
        QCOMPARE(screen->isVisible(), keys.last() != Qt::Key_Escape);
    }

    void productListShowsTotals()
    {
        KxPosPluDetail two = product(1, QStringLiteral("B"), 12.5);
        two.saleQty = 2.0;
        auto screen = exchangeScreen(0, {}, {product(0, QStringLiteral("A"), 8.0), two});
        QAbstractItemModelTester tester(child<QTableView>(screen.get(), "tbvPluList")->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(KxPosTestAccess::CurrentPage(*screen), 1);
        QVERIFY(screen->GetCurrentCouponInfo().confirmed);
        QCOMPARE(screen->GetCurCouponTotalValue(), 33.0);
        QCOMPARE(label(screen.get(), "lblTotalAmount"), QStringLiteral("33.00"));
        QCOMPARE(label(screen.get(), "lblDeductAmount"), QStringLiteral("20.00"));
        QCOMPARE(label(screen.get(), "lblPayAmount"), QStringLiteral("13.00"));
        QCOMPARE(label(screen.get(), "lblPluCount"), translated(2274).arg(2));

        // Products added one by one go to their coupon's list without a page change.
        KxPosPluDetail extra = product(2, QStringLiteral("C"), 1.0);
        screen->AddPlu(extra);
        extra.couponCode = QStringLiteral("OTHER");
        screen->AddPlu(extra);
        QCOMPARE(KxPosTestAccess::PluMap(*screen).value(Code).size(), 3);
        QCOMPARE(KxPosTestAccess::PluMap(*screen).value(QStringLiteral("OTHER")).size(), 1);
        QCOMPARE(child<QTableView>(screen.get(), "tbvPluList")->model()->rowCount(), 2);
    }

    // The weigh column of a weighed product asks the host; the answer counts
    // only on the product list page, up to the limit (above it is walked by
    // tst_refusals).
    void weighingAndDetails()
    {
        auto screen = exchangeScreen(1, {entry(QStringLiteral("W"), true, 1.5)},
                                     {product(0, QStringLiteral("A"), 8.0), product(1, QStringLiteral("W"), 20.0, true),
                                      package(2, QStringLiteral("P"), QStringLiteral("g"))});
        auto* table = child<QTableView>(screen.get(), "tbvPluList");
        auto* delegate = qobject_cast<CouponPluTableItemDelegate*>(table->itemDelegate());
        QVERIFY(delegate);
        QSignalSpy weight(screen.get(), &CouponUsageWidget::SignGetCouponPluWeight);
        QSignalSpy detail(delegate, &CouponPluTableItemDelegate::SignButtonDetailClicked);
        tapCell(table, 0, 1); // not weighed
        tapCell(table, 1, 0); // weighed, but not the weigh column
        QCOMPARE(weight.count(), 0);
        tapCell(table, 1, 1);
        QCOMPARE(weight.count(), 1);
        QCOMPARE(weight.at(0).at(0).value<KxPosPluDetail>().pluCode, QStringLiteral("W"));
        QCOMPARE(weight.at(0).at(1).toInt(), 1);
        tapCell(table, 2, 3);
        tapCell(table, 0, 3);
        QCOMPARE(detail.count(), 1);
        QCOMPARE(detail.at(0).at(0).toModelIndex().row(), 2);

        screen->UpdateUIData(CouponUsageWidget::PluSelectionType);
        screen->UpdatePluWeight(0.5, 1.0, 1);
        screen->UpdateUIData(CouponUsageWidget::CouponPluListType);
        QVERIFY(KxPosTestAccess::WeighedRows(*screen, Code).isEmpty());
        screen->UpdatePluWeight(1.5, 77.0, 1); // exactly the limit
        const KxPosPluDetail stored = KxPosTestAccess::PluMap(*screen).value(Code).at(1);
        QCOMPARE(stored.saleQty, 1.5);
        QCOMPARE(table->model()->index(1, 0).data(CouponPluTableModel::RecordRole).value<KxPosPluDetail>().saleQty, 1.5);
        QCOMPARE(stored.scaleValue, 77.0);
        QCOMPARE(KxPosTestAccess::WeighedRows(*screen, Code), QList<int>{1});
        QVERIFY(MessageWidget::History().isEmpty());
        QCOMPARE(label(screen.get(), "lblTotalAmount"), QStringLiteral("68.00")); // 8 + 20 x 1.5 + 30
    }

    // Weighings belong to one delivery of one sale. A reading of nothing is
    // refused; an accepted one counts at its row whatever line number the
    // host gave the product; a new delivery of the coupon's goods, or a new
    // sale with the same coupon, needs weighing again.
    void weighingBelongsToOneDelivery_data()
    {
        QTest::addColumn<double>("reading");
        QTest::addColumn<QString>("then");
        QTest::addColumn<int>("refusal"); // message of the reading, 0 when accepted
        QTest::addColumn<bool>("usable");
        QTest::newRow("accepted") << 0.8 << QString() << 0 << true;
        QTest::newRow("nothing on the scale") << 0.0 << QString() << 7204 << false;
        QTest::newRow("scale below zero") << -0.2 << QString() << 7204 << false;
        QTest::newRow("delivered again") << 0.8 << "deliver" << 0 << false;
        QTest::newRow("next sale, same coupon") << 0.8 << "next sale" << 0 << false;
    }

    // A weighing changes the row's quantity and amount: the view is told of
    // the whole row, or a tap on the weigh key leaves the old amount painted.
    void weighingRepaintsTheRow()
    {
        auto screen = exchangeScreen(1, {entry(QStringLiteral("W"), true, 1.0)},
                                     {product(0, QStringLiteral("W"), 4.0, true)});
        QAbstractItemModel* model = child<QTableView>(screen.get(), "tbvPluList")->model();
        QSignalSpy changed(model, &QAbstractItemModel::dataChanged);
        screen->UpdatePluWeight(0.5, 2.0, 0);
        QVERIFY(!changed.isEmpty());
        QCOMPARE(changed.last().at(0).toModelIndex(), model->index(0, 0));
        QCOMPARE(changed.last().at(1).toModelIndex(), model->index(0, model->columnCount() - 1));
    }

    void weighingBelongsToOneDelivery()
    {
        QFETCH(double, reading);
        QFETCH(QString, then);
        QFETCH(int, refusal);
        QFETCH(bool, usable);
        const QList<KxPosPluDetail> goods{product(0, QStringLiteral("A"), 8.0),
                                          product(7, QStringLiteral("W"), 12.8, true)};
        auto screen = exchangeScreen(2, {entry(QStringLiteral("A")), entry(QStringLiteral("W"), true, 1.0)}, goods);
        screen->UpdatePluWeight(reading, reading * 12.8, 1);
        if (refusal) {
            QCOMPARE(lastMessageText(), translated(refusal));
            QCOMPARE(KxPosTestAccess::PluMap(*screen).value(Code).at(1).saleQty, 1.0);
        }
        if (then == QLatin1String("deliver")) {
            screen->AddPluList(Code, goods, false);
        } else if (then == QLatin1String("next sale")) {
            const CouponWidgetInfo coupon = screen->GetCurrentCouponInfo();
            screen->ClearData();
            screen->AddCouponInfo(coupon, true);
            screen->AddPluList(Code, goods, false);
        }
        MessageWidget::ClearHistory();
        UseRequests use(screen.get());
        clickChild(screen.get(), "btnConfirm");
        QCOMPARE(use.count(), usable ? 1 : 0);
        if (!usable)
            QCOMPARE(lastMessageText(), translated(2280).arg(Code));
    }

    // Once the coupon is used its goods are in the sale: weighing them again
    // is refused, so the screen and the sale keep one weight. An exchange
    // coupon deducts at most the goods it brings, and nothing is due below
    // zero.
    void usedGoodsKeepTheirWeightAndDeduction_data()
    {
        QTest::addColumn<double>("weight");
        QTest::addColumn<QString>("deducted");
        QTest::addColumn<QString>("due");
        QTest::newRow("light apples") << 0.6 << "7.68" << "0.00";
        QTest::newRow("heavy apples") << 1.5 << "19.20" << "0.00";
        QTest::newRow("apples and more") << 1.0 << "20.00" << "0.80";
    }

    void usedGoodsKeepTheirWeightAndDeduction()
    {
        QFETCH(double, weight);
        QFETCH(QString, deducted);
        QFETCH(QString, due);
        const bool withMilk = QByteArray(QTest::currentDataTag()) == "apples and more";
        QList<KxPosPluDetail> goods{product(0, QStringLiteral("W"), 12.8, true)};
        if (withMilk)
            goods << product(1, QStringLiteral("M"), 8.0);
        auto screen = exchangeScreen(1, {entry(QStringLiteral("W"), true, 2.0)}, goods);
        screen->UpdatePluWeight(weight, weight * 12.8, 0);
        QCOMPARE(label(screen.get(), "lblDeductAmount"), deducted);
        QCOMPARE(label(screen.get(), "lblPayAmount"), due);

        UseRequests use(screen.get());
        clickChild(screen.get(), "btnConfirm");
        QCOMPARE(use.count(), 1);
        screen->CacheCouponUseResult(payDetails({"EX1"}));
        screen->SetCheckedCouponAdded();
        screen->UpdatePluWeight(weight / 2, weight * 6.4, 0);
        QCOMPARE(lastMessageText(), translated(7205).arg(QStringLiteral("EX1")));
        QCOMPARE(KxPosTestAccess::PluMap(*screen).value(Code).at(0).saleQty, weight);
        QCOMPARE(label(screen.get(), "lblDeductAmount"), deducted);
    }

    // Each package of the list is filled in turn, its weighed items weighed
    // through the host, before the product list shows.
    void packagesAreFilledOneAfterTheOther()
    {
        auto screen = exchangeScreen(0, {},
                                     {package(0, QStringLiteral("P1"), QStringLiteral("g1")),
                                      product(1, QStringLiteral("A"), 3.0), package(2, QStringLiteral("P2"), QStringLiteral("g2"))},
                                     true);
        auto* picker = screen->findChild<PackContentWidget*>();
        QVERIFY(picker);
        QSignalSpy ask(screen.get(), &CouponUsageWidget::SignGetPackPluWeight);
        QCOMPARE(KxPosTestAccess::CurrentPage(*screen), 2);
        QCOMPARE(KxPosTestAccess::PackPluRow(*screen), 0);
        QCOMPARE(picker->packageName(), QStringLiteral("商品P1"));
        picker->increase(1); // the weighed item
        QCOMPARE(ask.count(), 1);
        QCOMPARE(ask.at(0).at(0).value<KxPosPluDetail>().pluCode, QStringLiteral("P1-1"));
        QCOMPARE(ask.at(0).at(2).toInt(), int(PackContentWidget::PackPageType));
        QString error;
        QVERIFY(!picker->Confirm(error)); // not weighed yet
        const QList<QVariant> a = ask.at(0);
        for (const QString& nothing : {QStringLiteral("0.000"), QStringLiteral("-0.1"), QStringLiteral("秤")}) {
            screen->UpdatePackPluWeight(nothing, a.at(1).toInt(), a.at(2).toInt(), a.at(3).toInt(), a.at(4).toInt());
            QCOMPARE(lastMessageText(), translated(7204));
            QVERIFY(!picker->Confirm(error));
        }
        screen->UpdatePackPluWeight(QStringLiteral("0.350"), a.at(1).toInt(), a.at(2).toInt(), a.at(3).toInt(),
                                    a.at(4).toInt());
        clickChild(screen.get(), "btnPackConfirm");
        QCOMPARE(KxPosTestAccess::CurrentPage(*screen), 2);
        QCOMPARE(KxPosTestAccess::PackPluRow(*screen), 2);
        QCOMPARE(picker->packageName(), QStringLiteral("商品P2"));
        QCOMPARE(KxPosTestAccess::PluMap(*screen).value(Code).at(0).packSelection.size(), 1);
        QCOMPARE(KxPosTestAccess::PluMap(*screen).value(Code).at(0).packSelection.at(0).pluCode, QStringLiteral("P1-1"));
        QCOMPARE(KxPosTestAccess::PluMap(*screen).value(Code).at(0).packSelection.at(0).weight, 0.35);

        picker->increase(0);
        clickChild(screen.get(), "btnPackConfirm");
        QCOMPARE(KxPosTestAccess::CurrentPage(*screen), 1);
        QVERIFY(screen->GetCurrentCouponInfo().confirmed);
        QCOMPARE(KxPosTestAccess::PluMap(*screen).value(Code).at(2).packSelection.size(), 1);
    }

    // The row keys wrap around, on the choice (page 0) and the product list (page 1).
    void rowNavigation()
    {
        QList<CouponWidgetInfo::CouponPluInfo> entries{entry("E0"), entry("E1"), entry("E2")};
        QList<KxPosPluDetail> products{product(0, "E0", 1.0), product(1, "E1", 1.0), product(2, "E2", 1.0)};
        for (int page : {0, 1}) {
            // A choice to make (selectCount differs from the entries) opens page 0.
            auto screen = exchangeScreen(2, entries, page ? products : QList<KxPosPluDetail>());
            QCOMPARE(KxPosTestAccess::CurrentPage(*screen), page);
            auto* view = child<QTableView>(screen.get(), page == 0 ? "tbvPluSelection" : "tbvPluList");
            QList<int> visited{view->currentIndex().row()};
            for (const char* key : {"btnPre", "btnPre", "btnNext", "btnNext", "btnNext"}) {
                clickChild(screen.get(), key);
                visited << view->currentIndex().row();
            }
            QCOMPARE(visited, (QList<int>{0, 2, 1, 2, 0, 1}));
        }
    }

    void deductionCouponsNeedNoWeighingOrConfirmation()
    {
        KxPosConfig::m_isCouponForDeduct = true;
        CouponUsageWidget screen(nullptr);
        screen.Show(false);
        QVERIFY(screen.CheckUnWeightPlu({product(7, QStringLiteral("W"), 1.0, true)}));
        QVERIFY(screen.CheckCouponConfirmed());
    }
};

QTEST_MAIN(CouponProductsTest)
#include "tst_coupon_products.moc"
