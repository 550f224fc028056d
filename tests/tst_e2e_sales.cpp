// End-to-end scenarios of the demo checkout at the till. By keys alone: a sale of packaged and weighed goods paid
// by a quick-pay key; a held bill recalled after another sale; food with its options, one option dialog after
// another; refusals seen; product names in the language shown; the preset keys' arrangement. By taps: a
// suggestion (tst_e2e_keys taps through the option dialog).

#include "tst_e2e_driver.h"

#include "presetkeys/SortPluManagement.h"

#include "DemoOptions.h"

#include "contracts/PrePluGroupShowWidget.h"

using namespace E2e;
using KxPosTest::child;

class E2eSalesTest : public KxPosTest::ScreenTestCase
{
    Q_OBJECT

private slots:
    void packagedAndWeighedSaleByKeyboard()
    {
        E2E_OPEN_CHECKOUT(till);
        // Two packaged products scanned, apples on the scale and their code once the weight is stable.
        till.Enter(QStringLiteral("6901234567892"));
        till.Enter(QStringLiteral("6920202888883"));
        till.host->Scale().PlaceItem(0.862);
        QVERIFY(till.WaitForStableWeight(QStringLiteral("0.862")));
        till.Enter(QStringLiteral("1001"));
        QCOMPARE(till.Rows(), 3);
        QCOMPARE(till.Line(1), (QStringList{"6920202888883", "1", "4.50"}));
        QCOMPARE(till.Line(2), (QStringList{"1001", "0.862", "11.03"}));
        // Two more bottles: up to the water line, plus key twice; then the noodles go (down, delete).
        for (Qt::Key key : {Qt::Key_Up, Qt::Key_Up, Qt::Key_Plus, Qt::Key_Plus, Qt::Key_Down, Qt::Key_Delete})
            till.Key(key);
        QCOMPARE(till.Rows(), 2);
        QCOMPARE(till.Line(0), (QStringList{"6901234567892", "3", "6.00"}));
        QCOMPARE(till.Line(1), (QStringList{"1001", "0.862", "11.03"}));
        QCOMPARE(till.Label("lblprodcount"), QStringLiteral("4"));
        // The promotion strip's second bottle at half price is taken off: 17.03 less 1.00.
        QCOMPARE(till.Label("lbldiscount"), QStringLiteral("1.00"));
        QCOMPARE(till.Label("lblshould"), QStringLiteral("16.03"));

        // Cash by its quick-pay key (F12): 20 yuan handed over, 3.97 back.
        till.Key(Qt::Key_F12);
        QCOMPARE(till.host->Payments().History().size(), 1);
        const DemoPayment paid = till.host->Payments().History().first();
        QCOMPARE(paid.payCode, QStringLiteral("CashPay"));
        QCOMPARE(paid.due, 16.03);
        QCOMPARE(paid.tendered, 20.0);
        QCOMPARE(paid.change, 3.97);
        QCOMPARE(till.Rows(), 0);
        // The next customer's milk is scanned while the change still shows: its first digit closes the popup and
        // the whole code is the new sale's first line.
        ChangeWidget* popup = till.Change(QStringLiteral("3.97"));
        QVERIFY(popup);
        QTRY_COMPARE(QApplication::activeWindow(), popup);
        QVERIFY(till.WaitForSale(2));
        till.Enter(QStringLiteral("6903148042441"));
        QVERIFY(!popup->isVisible());
        QCOMPARE(till.Rows(), 1);
        QCOMPARE(till.Line(0), (QStringList{"6903148042441", "1", "3.50"}));
        QCOMPARE(till.Messages(), QStringList());
    }

    void heldBillRecalledAfterAnotherSale()
    {
        E2E_OPEN_CHECKOUT(till);
        auto* bill01 = child<QPushButton>(till.screen, "btnBill01");
        auto* bill02 = child<QPushButton>(till.screen, "btnBill02");
        // The first customer's goods, then the hold key: the sale is parked under bill 01 and the till carries
        // on with an empty bill 02.
        till.Enter(QStringLiteral("6901234567892"));
        till.Enter(QStringLiteral("6920202888883"));
        till.Key(Qt::Key_F9);
        QCOMPARE(till.Rows(), 0);
        QVERIFY(bill02->isChecked() && !bill01->isChecked());
        QCOMPARE(till.Label("lblbillno"), QStringLiteral("02"));
        QCOMPARE(till.Label("lblshould"), QStringLiteral("0.00"));
        QCOMPARE(till.host->Bills().HeldBills(), QStringList{"01"});

        // The next customer: two boxes of milk on one line, the second at half price, paid in cash (F12).
        till.Enter(QStringLiteral("6903148042441"));
        till.Enter(QStringLiteral("6903148042441"));
        QCOMPARE(till.Rows(), 1);
        QCOMPARE(till.Line(0), (QStringList{"6903148042441", "2", "7.00"}));
        QCOMPARE(till.Label("lblshould"), QStringLiteral("5.25"));
        till.Key(Qt::Key_F12);
        QCOMPARE(till.host->Payments().History().first().due, 5.25);
        till.ChangeThenNextSale(QStringLiteral("4.75"), 2);

        // The first customer is back: the recall key (F11) brings bill 01 with its lines, paid in cash after the pay
        // key's guard time.
        till.Key(Qt::Key_F11);
        QVERIFY(bill01->isChecked());
        QCOMPARE(till.Rows(), 2);
        QCOMPARE(till.Line(1), (QStringList{"6920202888883", "1", "4.50"}));
        QCOMPARE(till.Label("lblshould"), QStringLiteral("6.50"));
        QCOMPARE(till.host->Bills().HeldBills(), QStringList());
        QTRY_VERIFY_WITH_TIMEOUT(!TradeWidgetTestAccess::payGuard(*till.host->Screen()).isActive(), 10000);
        till.Key(Qt::Key_F12);
        QCOMPARE(till.host->Payments().History().size(), 2);
        QCOMPARE(till.host->Payments().History().last().due, 6.5);
        till.ChangeThenNextSale(QStringLiteral("3.50"), 3);
        QCOMPARE(till.Messages(), QStringList());
    }

    // Food with options by keys alone, several dialogs in one sale: each time the option dialog opens it has
    // the keyboard. Each entry of `dialogs` is one product code entered and the keys pressed on its dialog:
    // "S", "T", "A" and an option's name move the cursor there by arrows and Tab and press Space; "!" and a
    // group's name press Enter while that required group is open (refused, the dialog stays); "Esc" backs out.
    // Every dialog not left with Escape is confirmed with Enter.
    void foodOptionsByKeys_data()
    {
        QTest::addColumn<QStringList>("dialogs");
        QTest::addColumn<QStringList>("codes");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("amounts");
        QTest::addColumn<QString>("due");
        QTest::newRow("noodles, a tea, a tea not wanted")
            << QStringList{"3002 S大份 !辣度 T微辣 T不要香菜 A加牛肉 A加蛋", "3001 S中杯 !冰量 T七分糖 T去冰 A椰果",
                           "3001 S大杯 T半糖 Esc"}
            << QStringList{"3002L", "3001M"}
            << QStringList{"牛肉拉面(大份) 微辣 不要香菜 +加牛肉 +加蛋", "珍珠奶茶(中杯) 七分糖 去冰 +椰果"}
            << QStringList{"37.00", "13.00"}
            << "45.00"; // 50.00 of food reaches the 5 off from 50 exactly
        QTest::newRow("the same tea twice with other options, then noodles")
            << QStringList{"3001 S大杯 T半糖 T少冰 A珍珠", "3001 S大杯 T无糖 T热饮", "3002 S标准 T不辣"}
            << QStringList{"3001L", "3001L-2", "3002R"}
            << QStringList{"珍珠奶茶(大杯) 半糖 少冰 +珍珠", "珍珠奶茶(大杯) 无糖 热饮", "牛肉拉面(标准) 不辣"}
            << QStringList{"16.00", "15.00", "22.00"}
            << "48.00";
        QTest::newRow("backed out at once, then a tea with the last add-on")
            << QStringList{"3002 Esc", "3001 Esc", "3001 T全糖 T正常冰 A芦荟"}
            << QStringList{"3001"}
            << QStringList{"珍珠奶茶 全糖 正常冰 +芦荟"}
            << QStringList{"13.50"}
            << "13.50";
    }

    void foodOptionsByKeys()
    {
        QFETCH(QStringList, dialogs);
        QFETCH(QStringList, codes);
        QFETCH(QStringList, names);
        QFETCH(QStringList, amounts);
        QFETCH(QString, due);
        E2E_OPEN_CHECKOUT(till);
        for (const QString& dialogKeys : dialogs) {
            QStringList steps = dialogKeys.split(QLatin1Char(' '));
            const QString code = steps.takeFirst();
            const int rowsBefore = till.Rows();
            const QString dueBefore = till.Label("lblshould");
            QStringList done;
            whenModal(till.screen, [&](QWidget* widget) {
                auto* dialog = qobject_cast<SelectSpuWidget*>(widget);
                if (!dialog || !keyboardIn(dialog)) {
                    done << QStringLiteral("no keyboard");
                    return QTest::keyClick(widget, Qt::Key_Escape);
                }
                for (const QString& step : qAsConst(steps))
                    done << pressOnDialog(dialog, step);
                if (modal() == dialog && !steps.endsWith(QStringLiteral("Esc")))
                    QTest::keyClick(keyTarget(dialog), Qt::Key_Return);
                if (modal() == dialog) { // a failed step: leave rather than hang
                    done << QStringLiteral("still open");
                    QTest::keyClick(dialog, Qt::Key_Escape);
                }
            });
            till.Enter(code);
            QVERIFY(!modal());
            QCOMPARE(done, steps);
            if (steps.endsWith(QStringLiteral("Esc"))) {
                // Backed out: the sale is as it was, and the host was told nothing was chosen.
                QCOMPARE(till.Rows(), rowsBefore);
                QCOMPARE(till.Label("lblshould"), dueBefore);
                QVERIFY(till.host->Log().endsWith(QStringLiteral("options of %1 not chosen").arg(code)));
            } else {
                QCOMPARE(till.Rows(), rowsBefore + 1);
            }
            // The keyboard is back on the sales screen for the next code.
            QVERIFY(keyboardIn(till.screen));
        }
        QCOMPARE(till.Rows(), codes.size());
        for (int row = 0; row < codes.size(); ++row) {
            QCOMPARE(till.Cell(row, 1), codes.at(row));
            QCOMPARE(till.Cell(row, 2), names.at(row));
            QCOMPARE(till.Cell(row, 5), amounts.at(row));
        }
        QCOMPARE(till.Label("lblshould"), due);
    }

    // What the host refuses is said on the screen, in the cashier's language: a mistyped code at the sales
    // screen, a coupon code the service does not know at the coupon screen, a coupon whose threshold the sale
    // does not reach when it is used.
    void refusalsAreSeen_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("coupon");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown product") << "zh_CN" << false << "12345" << QStringLiteral("未找到商品：12345");
        QTest::newRow("unknown product, English") << "en" << false << "12345" << "No product with code 12345";
        QTest::newRow("unknown coupon") << "zh_CN" << true << "9999" << QStringLiteral("未找到券：9999");
        QTest::newRow("unknown coupon, English") << "en" << true << "9999" << "No coupon with code 9999";
        QTest::newRow("coupon below its threshold")
            << "zh_CN" << true << "1004" << QStringLiteral("券 MT1004-01 需消费满 50.00 元才能使用");
    }

    void refusalsAreSeen()
    {
        QFETCH(QString, language);
        QFETCH(bool, coupon);
        QFETCH(QString, code);
        QFETCH(QString, message);
        KxPosTranslator::SetLanguage(language);
        E2E_OPEN_CHECKOUT(till);
        if (coupon) {
            till.Key(Qt::Key_F4);
            QTRY_COMPARE(QApplication::focusWidget(), child<QLineEdit>(till.host->DeductCouponScreen(), "txtCouponCode"));
        }
        till.Enter(code);
        if (code == QLatin1String("1004")) {
            till.Key(Qt::Key_Return); // "use coupons" with the code box empty
            QCOMPARE(till.host->DeductCouponScreen()->GetUsedCouponIdList(), QStringList());
        }
        QCOMPARE(till.Messages(), QStringList{message});
        QCOMPARE(till.Rows(), 0);
    }

    // The goods of the sale are named in the language the checkout shows, both ways.
    void productNamesFollowTheLanguage()
    {
        E2E_OPEN_CHECKOUT(till);
        till.Enter(QStringLiteral("6901234567656"));
        QCOMPARE(till.Cell(0, 2), QStringLiteral("可口可乐 330ml"));
        till.Key(Qt::Key_F10);
        QCOMPARE(till.Cell(0, 2), QStringLiteral("Cola 330ml"));
        till.Key(Qt::Key_F10);
        QCOMPARE(till.Cell(0, 2), QStringLiteral("可口可乐 330ml"));
    }

    // A tap on a suggestion sells its product: the list shows code and name, the code is entered.
    void tappedSuggestionSellsItsProduct()
    {
        E2E_OPEN_CHECKOUT(till);
        till.Type(QStringLiteral("6901"));
        QAbstractItemView* list = nullptr;
        QVERIFY(QTest::qWaitFor([&list] {
            for (QWidget* w : QApplication::topLevelWidgets())
                list = w->isVisible() && qobject_cast<QListView*>(w) ? qobject_cast<QListView*>(w) : list;
            return list != nullptr;
        }));
        const int row = rowOf(list, 0, QStringLiteral("6901234567656 可口可乐 330ml"));
        QVERIFY2(row >= 0, "the suggestion shows code and name");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(row, 0)).center());
        QCOMPARE(till.Rows(), 1);
        QCOMPARE(till.Cell(0, 1), QStringLiteral("6901234567656"));
        QCOMPARE(till.Messages(), QStringList());
    }

    // The cashier's arrangement of the preset keys outlives the till: a packaged product pinned first, another
    // hidden, the weighed goods' group hidden and saved by Enter, a later change left by Escape, and after a
    // restart the keys come back as saved. A stored arrangement that is not JSON leaves the
    // keys in the store's order.
    void presetKeyArrangementKeptAcrossRestarts()
    {
        E2E_OPEN_CHECKOUT(till);
        QVERIFY(till.FunctionByKeys(QStringLiteral("预置键编辑")));
        PrePluGroupShowWidget* keys = till.host->Options().PresetKeys();
        QTRY_VERIFY(keys->isVisible());
        QWidget* dialog = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            dialog = w->isVisible() && qobject_cast<SortPluManagement*>(w) ? w : dialog;
        QVERIFY(dialog);
        // The dialog holds the keyboard while it is shown.
        QCOMPARE(keyTarget(till.screen), dialog);
        // By keys alone: Page Down to a group, Tab to a product, Home pins it, Delete hides one, Insert a group.
        const auto press = [dialog](Qt::Key key, int times = 1) {
            for (int i = 0; i < times; ++i)
                QTest::keyClick(keyTarget(dialog), key);
        };
        const auto toGroup = [&](const QString& group) {
            for (int i = 0; i < keys->Groups().size() && keys->currentGroup() != group; ++i)
                press(Qt::Key_PageDown);
            return keys->currentGroup() == group;
        };
        QVERIFY(toGroup(QStringLiteral("PACK")));
        const QString pinned = keys->Products(QStringLiteral("PACK")).value(2).code;
        press(Qt::Key_Tab, 3);
        QCOMPARE(keys->selectedProduct(), pinned);
        press(Qt::Key_Home);
        const QString hidden = keys->Products(QStringLiteral("PACK")).value(2).code;
        press(Qt::Key_Tab, 2);
        QCOMPARE(keys->selectedProduct(), hidden);
        press(Qt::Key_Delete);
        QVERIFY(toGroup(QStringLiteral("FRESH")));
        press(Qt::Key_Insert);
        press(Qt::Key_Return);
        QTRY_VERIFY(!dialog->isVisible());
        const QStringList arranged = arrangement(keys);
        QCOMPARE(arranged.mid(arranged.indexOf(QStringLiteral("PACK")) + 1, 1), QStringList{pinned});
        QVERIFY(arranged.contains(QStringLiteral("-") + hidden));
        QVERIFY(arranged.contains(QStringLiteral("-FRESH")));

        // Opened again, changes taken back by Escape leave the keys and the store as they were.
        QVERIFY(till.FunctionByKeys(QStringLiteral("预置键编辑")));
        QTRY_VERIFY(dialog->isVisible());
        QVERIFY(toGroup(QStringLiteral("PACK")));
        press(Qt::Key_Tab, 2);
        press(Qt::Key_Home);
        press(Qt::Key_Insert);
        QVERIFY(arrangement(keys) != arranged);
        press(Qt::Key_Escape);
        QTRY_VERIFY(!dialog->isVisible());
        QCOMPARE(arrangement(keys), arranged);

        // The same store opens again (the configuration folder is the till's).
        QCOMPARE(arrangement(DemoHost().Options().PresetKeys()), arranged);
        KxPosConfig::SetValue(DemoOptions::ArrangementKey, QStringLiteral("{\"groups\": [oops"));
        QCOMPARE(arrangement(DemoHost().Options().PresetKeys()).first(), QStringLiteral("FOOD"));
    }

private:
    // One step on the option dialog by keys (see foodOptionsByKeys); returns the step when it did what it says.
    static QString pressOnDialog(SelectSpuWidget* dialog, const QString& step)
    {
        if (step == QLatin1String("Esc")) {
            QTest::keyClick(keyTarget(dialog), Qt::Key_Escape);
            return modal() != dialog ? step : QStringLiteral("not closed");
        }
        if (step.startsWith(QLatin1Char('!'))) {
            QTest::keyClick(keyTarget(dialog), Qt::Key_Return);
            return modal() == dialog && KxPosTest::lastMessageText() == msg(2356) + step.mid(1) + msg(2357)
                       ? step : QStringLiteral("not refused: ") + KxPosTest::lastMessageText();
        }
        const SelectSpuWidget::Grid grid = step.startsWith(QLatin1Char('S')) ? SelectSpuWidget::GridSpec
                                         : step.startsWith(QLatin1Char('T')) ? SelectSpuWidget::GridTaste
                                                                              : SelectSpuWidget::GridAdd;
        return keyToOption(dialog, grid, step.mid(1)) ? step : QStringLiteral("not found: ") + step;
    }

    // Groups and their products in the order shown, hidden ones marked "-".
    static QStringList arrangement(const PrePluGroupShowWidget* keys)
    {
        QStringList entries;
        for (const PrePluGroupShowWidget::Entry& group : keys->Groups()) {
            entries << (group.hidden ? QStringLiteral("-") : QString()) + group.code;
            for (const PrePluGroupShowWidget::Entry& p : keys->Products(group.code))
                entries << (p.hidden ? QStringLiteral("-") : QString()) + p.code;
        }
        return entries;
    }
};

QTEST_MAIN(E2eSalesTest)
#include "tst_e2e_sales.moc"
