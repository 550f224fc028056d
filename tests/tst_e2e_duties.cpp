// End-to-end: the demo till's own duties behind its function keys, each chosen by keys alone in the function
// menu ("/", arrows, Enter) on a sale of three products: discounts within their limits, a price change, a return
// sale refunded, the cash drawer and a reprint. Every key answers: a change on the bill or a message. The menu's
// own key on the shortcut bar, tapped or typed.

#include "tst_e2e_driver.h"

#include "contracts/CaptionFit.h"

using namespace E2e;
using KxPosTest::child;

class E2eDutiesTest : public KxPosTest::ScreenTestCase
{
    Q_OBJECT

private slots:
    void functionKeysAnswer_data()
    {
        QTest::addColumn<QString>("typed");     // typed into the code box before the keys
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("total");     // goods before discounts
        QTest::addColumn<QString>("discount");
        QTest::addColumn<QString>("due");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("line discount, twice") << QString() << QStringList{"单品折扣", "单品折扣"}
                                              << "9.50" << "0.40" << "9.10" << QStringList{};
        QTest::newRow("line discount past its limit")
            << QString() << QStringList{"单品折扣", "单品折扣", "单品折扣", "单品折扣"} << "9.50" << "0.60" << "8.90"
            << QStringList{QStringLiteral("单品折扣最多 30%")};
        QTest::newRow("bill discount") << QString() << QStringList{"整单折扣"} << "9.50" << "0.48" << "9.02"
                                       << QStringList{};
        QTest::newRow("bill discount past its limit")
            << QString() << QStringList{"整单折扣", "整单折扣", "整单折扣", "整单折扣", "整单折扣"} << "9.50" << "1.90" << "7.60"
            << QStringList{QStringLiteral("整单折扣最多 20%")};
        QTest::newRow("price change") << "2.5" << QStringList{"改价"} << "10.00" << "0.00" << "10.00" << QStringList{};
        QTest::newRow("price change without a price")
            << QString() << QStringList{"改价"} << "9.50" << "0.00" << "9.50"
            << QStringList{QStringLiteral("请先输入新单价，再按改价")};
        QTest::newRow("return refused during a sale")
            << QString() << QStringList{"退货"} << "9.50" << "0.00" << "9.50"
            << QStringList{QStringLiteral("请先结束当前销售，再开始退货")};
        QTest::newRow("drawer") << QString() << QStringList{"打开钱箱"} << "9.50" << "0.00" << "9.50"
                                << QStringList{QStringLiteral("钱箱已打开")};
        QTest::newRow("reprint before any receipt") << QString() << QStringList{"重打小票"} << "9.50" << "0.00"
                                                    << "9.50" << QStringList{QStringLiteral("还没有可重打的小票")};
    }

    void functionKeysAnswer()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, keys);
        QFETCH(QString, total);
        QFETCH(QString, discount);
        QFETCH(QString, due);
        QFETCH(QStringList, messages);
        E2E_OPEN_CHECKOUT(till);
        till.Enter(QStringLiteral("6920202888883")); // noodles 4.50
        till.Enter(QStringLiteral("6901234567656")); // cola 3.00
        till.Enter(QStringLiteral("6901234567892")); // water 2.00, the current line
        QCOMPARE(till.Label("lblshould"), QStringLiteral("9.50"));
        till.Type(typed);
        for (const QString& key : keys)
            QVERIFY2(till.FunctionByKeys(key), qPrintable(key));
        QCOMPARE(till.Label("lblprodtotal"), total);
        QCOMPARE(till.Label("lbldiscount"), discount);
        QCOMPARE(till.Label("lblshould"), due);
        QCOMPARE(till.Messages(), messages);
    }

    // A return: started on an empty bill, its goods are refunded as the change, and the next sale is a sale.
    void returnSaleIsRefunded()
    {
        E2E_OPEN_CHECKOUT(till);
        QVERIFY(till.FunctionByKeys(QStringLiteral("退货")));
        QCOMPARE(till.Label("labelModeName"), msg(2359));
        till.Enter(QStringLiteral("6920202888883"));
        till.Key(Qt::Key_F12);
        QCOMPARE(till.host->Payments().History().last().payCode, QStringLiteral("Refund"));
        till.ChangeThenNextSale(QStringLiteral("4.50"), 2);
        QCOMPARE(till.Label("labelModeName"), msg(2358));
        QVERIFY(till.FunctionByKeys(QStringLiteral("重打小票")));
        QCOMPARE(till.Messages(), QStringList{QStringLiteral("已重打小票：应收 0.00，找零 4.50")});
    }

    // The tare keys are told apart, pressed by keys alone in the function menu ("/"), where the weighing strip's
    // keys follow the functions: clear tare with nothing on the scale takes nothing as tare; the tare key takes the
    // box on the scale, clear tare gives it back; a preset tare is taken and released by its own entry.
    void tareKeysToldApart()
    {
        E2E_OPEN_CHECKOUT(till);
        QVERIFY(till.FunctionByKeys(msg(7008), QStringLiteral("皮重键")));
        QCOMPARE(till.host->Scale().Tare(), 0.0);
        till.host->Scale().PlaceItem(0.25);
        QVERIFY(till.WaitForStableWeight(QStringLiteral("0.250")));
        QVERIFY(till.FunctionByKeys(msg(7009), QStringLiteral("皮重键")));
        QTRY_COMPARE(till.host->Scale().Tare(), 0.25);
        QVERIFY(till.FunctionByKeys(msg(7008), QStringLiteral("皮重键")));
        QTRY_COMPARE(till.host->Scale().Tare(), 0.0);

        auto* preset = till.screen->GetButtonByWeight(QStringLiteral("0.025"));
        QVERIFY(till.FunctionByKeys(QStringLiteral("预置皮重 0.025"), QStringLiteral("皮重键")));
        QTRY_COMPARE(till.host->Scale().Tare(), 0.025);
        QVERIFY(preset->isChecked());
        QVERIFY(!child<QPushButton>(till.screen, "btnCutTare")->isEnabled());
        QVERIFY(till.FunctionByKeys(QStringLiteral("预置皮重 0.025"), QStringLiteral("皮重键")));
        QTRY_COMPARE(till.host->Scale().Tare(), 0.0);
        QVERIFY(!preset->isChecked());
        QVERIFY(child<QPushButton>(till.screen, "btnCutTare")->isEnabled());
        QCOMPARE(till.Messages(), QStringList());
    }

    // The function menu is the demo's "/" key, and the key is shown on the shortcut bar in the cashier's language,
    // whole: a tap on it and the "/" key both open the menu over the sales screen with its first function current.
    // It lists the functions behind "More" (not itself); arrows and Enter choose one, Escape closes it with nothing
    // done.
    void functionMenuKeyShownAndOpens_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("caption");   // of the menu key
        // Functions the menu lists: behind "More", the bar's void-sale key that
        // has no key of its own, a tare key of the weighing strip.
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QString>("presetTare"); // in the tare keys' submenu
        QTest::addColumn<bool>("tapped");       // the key tapped, else "/" typed
        QTest::addColumn<QString>("chosen");    // chosen with Down and Enter; none: Escape
        QTest::addColumn<QStringList>("messages");
        const QStringList zhListed{QStringLiteral("会员退出"), QStringLiteral("整单取消"), QStringLiteral("皮重键")};
        const QStringList enListed{"Member logout", "Void sale", "Tare keys"};
        const QString zhPreset = QStringLiteral("预置皮重 0.025");
        QTest::newRow("tapped, the drawer chosen")
            << "zh_CN" << QStringLiteral("功能菜单【/】") << zhListed << zhPreset << true << QStringLiteral("打开钱箱")
            << QStringList{QStringLiteral("钱箱已打开")};
        QTest::newRow("typed, closed") << "zh_CN" << QStringLiteral("功能菜单【/】") << zhListed << zhPreset << false
                                       << QString() << QStringList{};
        QTest::newRow("tapped, closed, English")
            << "en" << "Menu [/]" << enListed << "Preset tare 0.025" << true << QString() << QStringList{};
        QTest::newRow("typed, a reprint chosen, English")
            << "en" << "Menu [/]" << enListed << "Preset tare 0.025" << false << "Reprint receipt"
            << QStringList{"There is no receipt to reprint yet"};
    }

    void functionMenuKeyShownAndOpens()
    {
        QFETCH(QString, language);
        QFETCH(QString, caption);
        QFETCH(QStringList, listed);
        QFETCH(QString, presetTare);
        QFETCH(bool, tapped);
        QFETCH(QString, chosen);
        QFETCH(QStringList, messages);
        KxPosTranslator::SetLanguage(language);
        E2E_OPEN_CHECKOUT(till);
        till.Enter(QStringLiteral("6901234567892"));
        QAbstractButton* key = nullptr;
        for (QAbstractButton* b : till.screen->findChildren<QAbstractButton*>())
            key = b->objectName().startsWith(QLatin1String("toolButtonKey")) && flat(CaptionFit::Caption(b)) == caption ? b : key;
        QVERIFY2(key && key->isVisible() && key->isEnabled(), "the menu key is on the shortcut bar");
        QCOMPARE(flat(key->text()), caption); // shown whole

        if (tapped)
            QTest::mouseClick(key, Qt::LeftButton);
        else
            till.Type(QStringLiteral("/"));
        QMenu* menu = till.host->FunctionMenu();
        QVERIFY(menu);
        QTRY_COMPARE(QApplication::activePopupWidget(), menu);
        QVERIFY(till.screen->window()->geometry().contains(menu->geometry()));
        QStringList inMenu;
        for (QAction* action : menu->actions())
            inMenu << flat(action->text());
        for (const QString& function : listed)
            QVERIFY2(inMenu.contains(function), qPrintable(function + QLatin1String(" not in ") + inMenu.join(QLatin1Char('|'))));
        QVERIFY(!inMenu.contains(caption));
        QStringList tares;
        for (QAction* action : menu->actions())
            if (action->menu())
                for (QAction* tare : action->menu()->actions())
                    tares << flat(tare->text());
        QVERIFY2(tares.contains(presetTare), qPrintable(tares.join(QLatin1Char('|'))));
        // A bar function with a key of its own (F9) is not listed again.
        QVERIFY(!inMenu.contains(language == QLatin1String("en") ? QStringLiteral("Hold bill") : QStringLiteral("挂单")));
        QCOMPARE(menu->activeAction(), menu->actions().value(0));

        // The keys go to the open menu, as the window system delivers them.
        if (chosen.isEmpty()) {
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
        } else {
            for (int i = 0; i < inMenu.size() && flat(menu->activeAction()->text()) != chosen; ++i)
                QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Down);
            QCOMPARE(flat(menu->activeAction()->text()), chosen);
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Return);
        }
        QTRY_VERIFY(!menu->isVisible());
        QCOMPARE(till.Messages(), messages);
        QCOMPARE(till.Rows(), 1);
        QCOMPARE(till.host->Log().count(QStringLiteral("function menu")), 1);
    }

    // Every function on the shortcut bar is reached without a tap: either a key of the keyboard does it, or the
    // function menu lists it, never both. Two bottles of water on the bill, then the bar's function by its key.
    void barFunctionsReachedByKeyOrMenu_data()
    {
        QTest::addColumn<QString>("caption"); // on the shortcut bar
        QTest::addColumn<int>("key");         // its own key; 0: none, chosen in the menu instead
        QTest::addColumn<int>("rows");        // then on the bill
        QTest::addColumn<QString>("quantity"); // of the first line
        QTest::addColumn<QString>("logged");  // by the host; empty: nothing more than the key's effect
        QTest::newRow("plus") << QStringLiteral("数量加一") << int(Qt::Key_Plus) << 1 << "3" << QString();
        QTest::newRow("minus") << QStringLiteral("数量减一") << int(Qt::Key_Minus) << 1 << "1" << QString();
        QTest::newRow("delete") << QStringLiteral("删除商品") << int(Qt::Key_Delete) << 0 << QString() << QString();
        QTest::newRow("hold") << QStringLiteral("挂单") << int(Qt::Key_F9) << 0 << QString() << "function F006";
        QTest::newRow("recall") << QStringLiteral("取单") << int(Qt::Key_F11) << 1 << "2" << "function F007";
        QTest::newRow("scale") << QStringLiteral("模拟称重") << int(Qt::Key_F5) << 1 << "2" << "function F008";
        QTest::newRow("void sale, no key") << QStringLiteral("整单取消") << 0 << 0 << QString() << "function F002";
    }

    void barFunctionsReachedByKeyOrMenu()
    {
        QFETCH(QString, caption);
        QFETCH(int, key);
        QFETCH(int, rows);
        QFETCH(QString, quantity);
        QFETCH(QString, logged);
        E2E_OPEN_CHECKOUT(till);
        QStringList bar;
        for (const dynMapButton& f : till.screen->shortcutFunctions)
            bar << flat(f.funcName);
        QVERIFY2(bar.contains(caption), qPrintable(bar.join(QLatin1Char('|'))));
        till.Type(QStringLiteral("2*"));
        till.Enter(QStringLiteral("6901234567892"));
        QCOMPARE(till.Rows(), 1);

        if (key) {
            till.Type(QStringLiteral("/"));
            QMenu* menu = till.host->FunctionMenu();
            QTRY_COMPARE(QApplication::activePopupWidget(), menu);
            QStringList inMenu;
            for (QAction* action : menu->actions())
                inMenu << flat(action->text());
            QTest::keyClick(menu, Qt::Key_Escape);
            QTRY_VERIFY(!menu->isVisible());
            QVERIFY2(!inMenu.contains(caption), qPrintable(inMenu.join(QLatin1Char('|'))));
            till.Key(Qt::Key(key));
        } else {
            QVERIFY(till.FunctionByKeys(caption));
        }
        QCOMPARE(till.Rows(), rows);
        if (rows)
            QCOMPARE(till.Cell(0, 4), quantity);
        if (!logged.isEmpty())
            QVERIFY2(till.host->Log().contains(logged), qPrintable(till.host->Log().join(QLatin1Char('|'))));
        QVERIFY(!till.host->Log().join(QLatin1Char('|')).contains(QStringLiteral("not mapped")));
        QCOMPARE(till.Messages(), QStringList());
    }
};

QTEST_MAIN(E2eDutiesTest)
#include "tst_e2e_duties.moc"
