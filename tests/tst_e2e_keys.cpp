// End-to-end by keys alone: every step is a key event on the widget that has the keyboard. A quantity typed
// before the product, a milk tea with its required tastes chosen on the option dialog, the option dialog left
// with Escape, and an exchange coupon with a weighed product (the demo's scale: F5 puts an item on it, F6 takes
// it off) chosen, weighed and used on the coupon screen. Then the same by taps alone: the notice key, a pause
// and a sale started by its key, a suggestion tapped in the completer's list, the tastes, the scale's function
// key, the coupon's products and the weighing, and cash.

#include "tst_e2e_driver.h"
#include "TestAccess.h"

#include "coupon/CouponPluTableModel.h"
#include "coupon/CouponUsageWidget.h"

using namespace E2e;
using KxPosTest::child;


class E2eKeysTest : public KxPosTest::ScreenTestCase
{
    Q_OBJECT

private slots:
    void wholeSaleByKeysAlone()
    {
        E2E_OPEN_CHECKOUT(till);

        // Two bottles of water: the quantity first ("2*"), then the code.
        till.Type(QStringLiteral("2*"));
        till.Enter(QStringLiteral("6901234567892"));
        QCOMPARE(till.Rows(), 1);
        QCOMPARE(till.Line(0), (QStringList{"6901234567892", "2", "4.00"}));

        // A large pearl milk tea, half sugar, less ice, with pearls: both taste groups are required.
        QStringList chosen;
        bool refusedFirst = false;
        whenModal(till.screen, [&](QWidget* widget) {
            auto* dialog = qobject_cast<SelectSpuWidget*>(widget);
            if (!dialog || !keyboardIn(dialog))
                return;
            // Enter with the tastes still open is refused; the dialog stays.
            keyToOption(dialog, SelectSpuWidget::GridSpec, QStringLiteral("大杯"));
            QTest::keyClick(keyTarget(dialog), Qt::Key_Return);
            refusedFirst = modal() == dialog && KxPosTest::lastMessageText().contains(QStringLiteral("冰量"));
            for (const auto& [grid, name] : {std::make_pair(SelectSpuWidget::GridTaste, QStringLiteral("半糖")),
                                             std::make_pair(SelectSpuWidget::GridTaste, QStringLiteral("少冰")),
                                             std::make_pair(SelectSpuWidget::GridAdd, QStringLiteral("珍珠"))})
                chosen << (keyToOption(dialog, grid, name) ? name : QStringLiteral("?"));
            QTest::keyClick(keyTarget(dialog), Qt::Key_Return);
            if (modal() == dialog) // a failed step: leave rather than hang
                QTest::keyClick(keyTarget(dialog), Qt::Key_Escape);
        });
        till.Enter(QStringLiteral("3001"));
        QVERIFY(!modal());
        QVERIFY(refusedFirst);
        QCOMPARE(chosen, (QStringList{"半糖", "少冰", "珍珠"}));
        QCOMPARE(till.Rows(), 2);
        QCOMPARE(till.Cell(1, 1), QStringLiteral("3001L"));
        QCOMPARE(till.Cell(1, 2), QStringLiteral("珍珠奶茶(大杯) 半糖 少冰 +珍珠"));
        QCOMPARE(till.Cell(1, 5), QStringLiteral("16.00")); // 12 + 3 large + 1 pearls

        // Another tea the customer does not want after all: Escape, nothing is added.
        whenModal(till.screen, [](QWidget* dialog) {
            keyboardIn(dialog);
            QTest::keyClick(keyTarget(dialog), Qt::Key_Down);
            QTest::keyClick(keyTarget(dialog), Qt::Key_Space);
            QTest::keyClick(keyTarget(dialog), Qt::Key_Escape);
        });
        till.Enter(QStringLiteral("3001"));
        QVERIFY(!modal());
        QCOMPARE(till.Rows(), 2);
        QVERIFY(till.host->Log().contains(QStringLiteral("options of 3001 not chosen")));
        KxPosTest::resetMessageSeams();

        // The exchange coupon screen (F7): Escape leaves it untouched, F7 opens it again.
        till.Key(Qt::Key_F7);
        CouponUsageWidget* exchange = till.host->ExchangeCouponScreen();
        QTRY_VERIFY(exchange->isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), child<QLineEdit>(exchange, "txtCouponCode"));
        till.Key(Qt::Key_Escape);
        QTRY_VERIFY(!exchange->isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), till.screen->getUiQLineEdit(26));
        till.Key(Qt::Key_F7);
        QTRY_VERIFY(exchange->isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), child<QLineEdit>(exchange, "txtCouponCode"));

        // Coupon 8001: two of four products. Apples (row 0) and milk (row 2) ticked with Space, Enter confirms;
        // Down to the apples, Space weighs them.
        QVERIFY(keyExchangeCouponProducts(till, exchange));
        QVERIFY(keyToProduct(till, child<QTableView>(exchange, "tbvPluList"), QStringLiteral("1001")));
        // Apples on the scale (F5, which works over the coupon screen as the scale stands beside any screen) until
        // the reading is within the coupon's 1 kg; F6 takes them off again.
        auto* stable = till.screen->findChild<QAbstractButton*>(QStringLiteral("btnStable"));
        QVERIFY(stable);
        bool onScale = false;
        for (int attempt = 0; attempt < 12 && !onScale; ++attempt) {
            QVERIFY(keyboardIn(exchange));
            till.Key(Qt::Key_F5);
            QVERIFY(QTest::qWaitFor([&] { return stable->isChecked() && till.Label("lblWeight").toDouble() > 0.0; }, 3000));
            onScale = till.Label("lblWeight").toDouble() <= 1.0;
            if (!onScale) {
                till.Key(Qt::Key_F6);
                QVERIFY(QTest::qWaitFor([&] { return till.Label("lblWeight").toDouble() <= 0.0; }, 3000));
            }
        }
        QVERIFY(onScale);
        const double weight = till.Label("lblWeight").toDouble();
        till.Key(Qt::Key_Space);
        QVERIFY(till.host->ExchangeCoupons().Log().contains(
            QStringLiteral("weighed 1001: %1 kg").arg(weight, 0, 'f', 3)));
        // F12 finishes: the coupon is used, apples and milk join the sale.
        till.Key(Qt::Key_F12);
        QTRY_VERIFY(!exchange->isVisible());
        QCOMPARE(till.Rows(), 4);
        QCOMPARE(till.Cell(2, 1), QStringLiteral("1001"));
        QCOMPARE(till.Cell(2, 4).toDouble(), weight);
        // The coupon is worth 10.00, but never more than the goods it brings (apples and a 3.50 milk).
        const double goods = till.Cell(2, 8).toDouble() + till.Cell(3, 8).toDouble();
        QCOMPARE(till.Cell(3, 8), QStringLiteral("3.50"));
        // The discount adds the second water at half price (1.00) to what the coupon pays.
        QCOMPARE(till.Label("lbldiscount"), QString::number(1.0 + qMin(10.0, goods), 'f', 2));

        // Paid in cash by F12; the next sale starts.
        QTRY_COMPARE(QApplication::focusWidget(), till.screen->getUiQLineEdit(26));
        const double due = till.Label("lblshould").toDouble();
        till.Key(Qt::Key_F12);
        QCOMPARE(till.host->Payments().History().size(), 1);
        QCOMPARE(till.host->Payments().History().first().due, due);
        QCOMPARE(till.Messages(), QStringList());
    }

    void wholeSaleByTouchAlone()
    {
        E2E_OPEN_CHECKOUT(till);
        const auto tap = [](QWidget* root, const QString& caption) {
            return clickNamed(root, {}, [&caption](QAbstractButton* b) { return flat(b->text()) == caption; });
        };

        // The notice key announces the new online orders and opens them; bill 01 is the way back.
        auto* notice = child<QPushButton>(till.screen, "msgnotice");
        QVERIFY(notice->isVisible());
        QVERIFY(notice->text().endsWith(QStringLiteral("(%1)").arg(till.host->Orders().CountInStatus("0"))));
        QTest::mouseClick(notice, Qt::LeftButton);
        QVERIFY(till.host->Orders().IsOpen());
        QVERIFY(till.Click("btnBill01"));
        QVERIFY(!till.host->Orders().IsOpen());
        // The till paused, and the next sale started by its key.
        QVERIFY(till.Function(QStringLiteral("暂停收银")));
        QVERIFY(!till.screen->IsTradeActive());
        QVERIFY(till.Click("toolButtonpayother"));
        QVERIFY(till.WaitForSale(2));

        // "3001" on the screen's pad (its last digit is tapped while the suggestions for "300" show, and still
        // counts), its tastes on the option dialog.
        QStringList chosen;
        whenModal(till.screen, [&](QWidget* dialog) {
            for (const auto& [grid, name] : {std::make_pair(SelectSpuWidget::GridSpec, QStringLiteral("大杯")),
                                             std::make_pair(SelectSpuWidget::GridTaste, QStringLiteral("半糖")),
                                             std::make_pair(SelectSpuWidget::GridTaste, QStringLiteral("少冰")),
                                             std::make_pair(SelectSpuWidget::GridAdd, QStringLiteral("珍珠"))})
                chosen << (choose(dialog, grid, name) ? name : QStringLiteral("?"));
            if (!clickNamed(dialog, QStringLiteral("btnOk")) || modal() == dialog)
                clickNamed(dialog, QStringLiteral("btnClose"));
        });
        const auto padKey = [&till](const char* key) {
            for (QAbstractButton* b : till.screen->findChildren<QAbstractButton*>())
                if (b->isVisible() && b->property("keyText") == key)
                    return tapOnScreen(b), true;
            return false;
        };
        for (const char* digit : {"3", "0", "0"})
            QVERIFY(padKey(digit));
        QAbstractItemView* popup = nullptr;
        QVERIFY(QTest::qWaitFor([&popup] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* list = qobject_cast<QAbstractItemView*>(w); list && list->isVisible())
                    popup = list;
            return popup != nullptr;
        }));
        QAbstractButton* one = nullptr;
        for (QAbstractButton* b : till.screen->findChildren<QAbstractButton*>())
            one = b->isVisible() && b->property("keyText") == "1" ? b : one;
        QVERIFY(one);
        if (!popup->geometry().intersects(QRect(one->mapToGlobal(QPoint(0, 0)), one->size()))) {
            QVERIFY(padKey("1"));
            QCOMPARE(till.screen->getUiQLineEdit(26)->text(), QStringLiteral("3001"));
            QVERIFY(till.Click("btnOK"));
        } else {
            // A screen too small to show the suggestions beside the pad (offscreen): the tea is tapped there.
            const QModelIndexList tea = popup->model()->match(popup->model()->index(0, 0), Qt::UserRole, "3001");
            QCOMPARE(tea.size(), 1);
            QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, popup->visualRect(tea.first()).center());
        }
        QTRY_COMPARE(till.Rows(), 1);
        QCOMPARE(chosen, (QStringList{"大杯", "半糖", "少冰", "珍珠"}));
        QCOMPARE(till.Cell(0, 2), QStringLiteral("珍珠奶茶(大杯) 半糖 少冰 +珍珠"));

        // Apples on the scale by its function key, again until the reading is within the coupon's 1 kg.
        auto* stable = till.screen->findChild<QAbstractButton*>(QStringLiteral("btnStable"));
        double weight = 0.0;
        for (int attempt = 0; attempt < 12 && (weight <= 0.0 || weight > 1.0); ++attempt) {
            QVERIFY(till.Function(QStringLiteral("模拟称重")));
            QTest::qWait(250); // the scale reports the new item as unstable first
            QVERIFY(QTest::qWaitFor([&] { return stable->isChecked() && till.Label("lblWeight").toDouble() > 0.0; }, 3000));
            weight = till.Label("lblWeight").toDouble();
        }
        QVERIFY(weight > 0.0 && weight <= 1.0);

        // Coupon 8001 (scanned: the customer's code): apples and milk tapped, the apples weighed, the coupon used.
        QVERIFY(till.Function(QStringLiteral("券兑换")));
        CouponUsageWidget* exchange = till.host->ExchangeCouponScreen();
        QTRY_VERIFY(exchange->isVisible());
        QVERIFY(tapExchangeCouponProducts(exchange));
        auto* products = child<QTableView>(exchange, "tbvPluList");
        const int applesRow = productRow(products, QStringLiteral("1001"));
        QVERIFY(applesRow >= 0);
        tapCell(products, applesRow, 1);
        QVERIFY(till.host->ExchangeCoupons().Log().contains(QStringLiteral("weighed 1001: %1 kg").arg(weight, 0, 'f', 3)));
        QVERIFY(clickNamed(exchange, QStringLiteral("btnSubmit")));
        QTRY_VERIFY(!exchange->isVisible());
        QCOMPARE(till.Rows(), 3);
        QCOMPARE(till.Cell(1, 1), QStringLiteral("1001"));
        QCOMPARE(till.Cell(1, 4).toDouble(), weight);

        // Cash by its quick-pay key.
        const double due = till.Label("lblshould").toDouble();
        QVERIFY(tap(till.screen, QStringLiteral("现金")));
        QCOMPARE(till.host->Payments().History().size(), 1);
        QCOMPARE(till.host->Payments().History().first().due, due);
        QCOMPARE(till.Messages(), QStringList());
    }
};

QTEST_MAIN(E2eKeysTest)
#include "tst_e2e_keys.moc"
