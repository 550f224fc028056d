// The online-order panel of the sales screen, driven as a host and a cashier
// would: the host lists orders and answers each choice with the order's
// lines; the cashier clicks cards, operation buttons and picked lines.

#include "TestAccess.h"
#include "TestRecords.h"
#include "TestSupport.h"

#include "trade/StandardDelegate.h"
#include "trade/TradeWidget.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosModel.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/MessageWidget.h"
#include "contracts/QuestionMessage.h"

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTableView>
#include <QtTest>

#include <algorithm>
#include <memory>

using namespace KxPosTest;

namespace {
OrderDetail makeOrder(const QString& id, const QString& operState, const QString& status = QStringLiteral("0"),
                      const QString& delivery = QStringLiteral("22"), const QString& detail = QStringLiteral("人民路1号"))
{
    OrderDetail o;
    o.orderId = id;
    o.orderStatus = status;
    o.operState = operState;
    o.deliveryType = delivery;
    o.deliveryDetail = detail;
    o.pickupNo = QStringLiteral("12");
    return o;
}

PluDetail makeLine(const QString& name, double orderQty, double pickQty, double price, bool weighed = false)
{
    PluDetail l;
    l.pluName = name;
    l.orderQty = orderQty;
    l.pickQty = pickQty;
    l.salePrice = price;
    l.lineAmount = price * orderQty;
    l.needsWeighing = weighed ? QStringLiteral("1") : QStringLiteral("0");
    l.unitText = weighed ? QStringLiteral("kg") : QStringLiteral("个");
    return l;
}

// An operation button pressed on an order in `operState`, with the answer to
// its question (-1: none asked); the signal expected and its order's id.
struct Operation {
    QString operState, button;
    int answer, question;
    QByteArray signal;
    QString orderId;
};
} // namespace

Q_DECLARE_METATYPE(Operation)

class TradeOrdersTest : public ScreenTestCase
{
    Q_OBJECT

private:
    std::unique_ptr<TradeWidget> screen;
    // What the host hands back for the order being picked: the same order
    // under an id of its own, so that tests see which of the two a signal
    // carries.
    QList<PluDetail> pickingLines;

    QTableView* view(const char* name) { return child<QTableView>(screen.get(), name); }
    QPushButton* button(const char* name) { return child<QPushButton>(screen.get(), name); }
    QString pickAmount() { return child<QLabel>(screen.get(), "lblPickAmount")->text(); }
    QString cell(const char* table, int row, int column) { return view(table)->model()->index(row, column).data().toString(); }
    void clickCell(const char* table, int row, int column = 0)
    {
        QTableView* v = view(table);
        QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, v->visualRect(v->model()->index(row, column)).center());
    }
    // Opens the panel on one pick-up order whose lines are `lines`.
    void openPickUp(const QList<PluDetail>& lines, const OrderDetail& base = makeOrder("P1", "1", "1"))
    {
        pickingLines = lines;
        OrderDetail order = base;
        order.lines = lines;
        screen->ShowOrderWidget({order}, 1);
    }

private slots:
    void initTestCase()
    {
        ScreenTestCase::initTestCase();
        qRegisterMetaType<OrderDetail>();
        qRegisterMetaType<PluDetail>();
    }

    void init()
    {
        ScreenTestCase::init();
        KxPosConfig::SetWeightUpper = 15.0;
        pickingLines.clear();
        screen = std::make_unique<TradeWidget>(0, nullptr);
        // The host: answers every choice of an order with its lines.
        connect(screen.get(), &TradeWidget::SignalShowOrderDetail, this, [this](OrderDetail order, int, bool, int row) {
            OrderDetail picking = order;
            picking.orderId += QStringLiteral("-P");
            if (!pickingLines.isEmpty())
                picking.lines = pickingLines;
            screen->showPluDetail(order, picking, row);
        });
        screen->show();
        // The picked lines' buttons answer clicks where they were last
        // painted, and a window paints only once it is exposed.
        QVERIFY(QTest::qWaitForWindowExposed(screen.get()));
    }

    void cleanup()
    {
        screen.reset();
        ScreenTestCase::cleanup();
    }

    void emptyListClearsThePanel()
    {
        openPickUp({makeLine("苹果", 2, 2, 3.0)});
        screen->showOrderList({}, 2);
        for (const char* table : {"tbvOrder", "tbvOnline", "tbvDown"})
            QCOMPARE(view(table)->model()->rowCount(), 0);
        QCOMPARE(pickAmount(), QStringLiteral("0.00"));
        QVERIFY(!button("btnOper1")->isEnabled());
        // A new list brings the buttons back.
        screen->showOrderList({makeOrder("N", "0")}, 2);
        QVERIFY(button("btnOper1")->isEnabled());
    }

    // Accepting a new order or a refund and finishing a pick are driven by the
    // end-to-end order desk.
    void operationButtons_data()
    {
        QTest::addColumn<Operation>("op");
        QTest::newRow("new reject") << Operation{"0", "btnOper2", -1, 0, "SignRejectNewOrder", "A"};
        QTest::newRow("self-take accept") << Operation{"2", "btnOper1", -1, 0, "SignAcceptSelfTake", "A"};
        // The second button is hidden for a self pick-up; a host may still press it.
        QTest::newRow("self-take reject") << Operation{"2", "on_btnOper2_clicked", -1, 0, "SignRejectSelfTake", "A"};
        QTest::newRow("refund reject") << Operation{"4", "btnOper2", -1, 0, "SignRejectRefund", "A"};
        QTest::newRow("return refund yes") << Operation{"5", "btnOper1", 1, 1147, "SignGetPluRefund", "A-P"};
        QTest::newRow("return yes") << Operation{"5", "btnOper2", 1, 1161, "SignDoReturn", "A"};
        QTest::newRow("pick keep yes") << Operation{"1", "btnOper2", 1, 1162, "SignSaveTmpFinish", "A-P"};
        // The same by the keys the operation buttons show: Enter the first, Delete the second.
        QTest::newRow("new accept by Enter") << Operation{"0", "key:Return", -1, 0, "SignAcceptNewOrder", "A"};
        QTest::newRow("new reject by Delete") << Operation{"0", "key:Delete", -1, 0, "SignRejectNewOrder", "A"};
        QTest::newRow("refund accept by keypad Enter") << Operation{"4", "key:Enter", -1, 0, "SignAcceptRefund", "A"};
        QTest::newRow("return refund by Enter") << Operation{"5", "key:Return", 1, 1147, "SignGetPluRefund", "A-P"};
        QTest::newRow("pick keep by Delete") << Operation{"1", "key:Delete", 1, 1162, "SignSaveTmpFinish", "A-P"};
        // A self pick-up has no second button, so Delete does nothing; Escape and Space take nothing.
        QTest::newRow("self-take Delete") << Operation{"2", "key:Delete", -1, 0, "", ""};
        QTest::newRow("new order Escape") << Operation{"0", "key:Escape", -1, 0, "", ""};
        QTest::newRow("new order Space") << Operation{"0", "key:Space", -1, 0, "", ""};
    }

    void operationButtons()
    {
        QFETCH(Operation, op);
        pickingLines = {makeLine("牛奶", 2, 2, 4.5)};
        screen->ShowOrderWidget({makeOrder("A", op.operState, "1")}, 1);
        // One spy on every operation signal, by name.
        std::vector<std::pair<QByteArray, std::unique_ptr<QSignalSpy>>> spies;
        const QMetaObject* mo = screen->metaObject();
        for (const char* name : {"SignAcceptNewOrder", "SignRejectNewOrder", "SignAcceptSelfTake", "SignRejectSelfTake",
                                 "SignAcceptRefund", "SignRejectRefund", "SignGetPluRefund", "SignDoReturn",
                                 "SignPickUpFinish", "SignSaveTmpFinish"}) {
            for (int i = mo->methodOffset(); i < mo->methodCount(); ++i) {
                if (mo->method(i).name() == name)
                    spies.emplace_back(name, std::make_unique<QSignalSpy>(
                                                 screen.get(), ("2" + mo->method(i).methodSignature()).constData()));
            }
        }
        QCOMPARE(spies.size(), size_t(10));
        if (op.answer >= 0)
            QuestionMessage::QueueAnswers({op.answer});
        if (op.button.startsWith(QLatin1String("key:"))) {
            const QMetaEnum keys = QMetaEnum::fromType<Qt::Key>();
            const int key = keys.keyToValue(("Key_" + op.button.mid(4)).toLatin1().constData());
            QVERIFY(key > 0);
            QTest::keyClick(screen->findChild<QTableView*>(QStringLiteral("tbvOrder")), Qt::Key(key));
        } else if (op.button.startsWith(QLatin1String("on_")))
            QVERIFY(QMetaObject::invokeMethod(screen.get(), op.button.toLatin1().constData()));
        else
            QTest::mouseClick(button(op.button.toLatin1().constData()), Qt::LeftButton);

        QCOMPARE(QuestionMessage::History(), op.question ? QStringList{translated(op.question)} : QStringList{});
        for (const auto& [name, spy] : spies) {
            QCOMPARE(spy->count(), name == op.signal ? 1 : 0);
            if (spy->count()) {
                const OrderDetail order = spy->at(0).at(0).value<OrderDetail>();
                QCOMPARE(order.orderId, op.orderId);
                if (name == "SignSaveTmpFinish")
                    QCOMPARE(spy->at(0).at(1).toBool(), false);
            }
        }
        QVERIFY(MessageWidget::History().isEmpty());
    }

    // Escape leaves the order panel for the sale's own bill, also when the
    // panel was opened with the order bill key; Up and Down choose orders.
    void panelKeys_data()
    {
        QTest::addColumn<QString>("saleBill");
        QTest::addColumn<bool>("orderBillKey");
        QTest::newRow("bill 01, opened by the host") << "01" << false;
        QTest::newRow("bill 03, opened by the order bill key") << "03" << true;
    }

    void panelKeys()
    {
        QFETCH(QString, saleBill);
        QFETCH(bool, orderBillKey);
        screen->UpdateBtnBillNumber(saleBill);
        if (orderBillKey)
            screen->UpdateBtnBillNumber(QStringLiteral("Order"));
        QSignalSpy chosen(screen.get(), &TradeWidget::SignalShowOrderDetail);
        screen->ShowOrderWidget({makeOrder("A", "0"), makeOrder("B", "4"), makeOrder("C", "0")}, 1);
        auto* cards = screen->findChild<QTableView*>(QStringLiteral("tbvOrder"));
        QStringList ids;
        for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up}) {
            QTest::keyClick(cards, key);
            ids << chosen.last().at(0).value<OrderDetail>().orderId;
        }
        QCOMPARE(ids, (QStringList{"B", "C", "C", "B"}));
        QCOMPARE(button("btnOper1")->text(), translated(7500).arg(translated(1111)));

        QSignalSpy bills(screen.get(), &TradeWidget::SignTrdSelectBill);
        QTest::keyClick(cards, Qt::Key_Escape);
        QCOMPARE(bills.count(), 1);
        QCOMPARE(bills.at(0).at(0).toString(), saleBill);
        QCOMPARE(screen->GetBillNumber(), saleBill);
    }

    // The order desk's key hints wrap only between two hints, each line as
    // full as the width allows, and never wider than the label; a hint wider
    // than the whole label is shortened with the whole text in the tooltip.
    // `width` is the label's width as a share of the hints' own widths:
    // "whole" all on one line, "widest" the widest hint, "pair" the widest
    // two neighbours, "half" half the widest hint; "laid out" keeps the
    // screen's own width, where every line must also fit the label's height.
    // A host's own hints that end in "…" themselves are not taken for
    // shortened ones while shown whole.
    void keyHintsWrapBetweenHints_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("width");
        for (const char* language : {"zh_CN", "en", "host"}) {
            for (const char* width : {"laid out", "whole", "pair", "widest", "half"})
                QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(language, width))) << language << width;
        }
    }

    void keyHintsWrapBetweenHints()
    {
        QFETCH(QString, language);
        QFETCH(QString, width);
        if (language == QLatin1String("host"))
            KxPosTranslator::AddTexts(language, {{7502, QStringLiteral("【↑↓】Orders…  【F5】More…  【Esc】Back…")}});
        QVERIFY(KxPosTranslator::SetLanguage(language));
        screen->ShowOrderWidget({makeOrder("A", "0"), makeOrder("B", "4")}, 1);
        auto* label = child<QLabel>(screen.get(), "lblOrderKeys");
        QTRY_VERIFY(label->isVisible());
        const QStringList hints = translated(7502).split(QRegularExpression(QStringLiteral("\\s{2,}")), Qt::SkipEmptyParts);
        QVERIFY(hints.size() > 1);
        const QFontMetrics metrics = label->fontMetrics();
        const auto advance = [&metrics](const QString& text) { return metrics.horizontalAdvance(text); };
        int widest = 0, pair = 0;
        for (int i = 0; i < hints.size(); ++i) {
            widest = qMax(widest, advance(hints.at(i)));
            if (i > 0)
                pair = qMax(pair, advance(hints.at(i - 1) + QStringLiteral("  ") + hints.at(i)));
        }
        const int frame = label->width() - label->contentsRect().width();
        const QMap<QString, int> widths{{"whole", advance(hints.join(QStringLiteral("  ")))},
                                        {"pair", pair},
                                        {"widest", widest},
                                        {"half", widest / 2}};
        if (widths.contains(width))
            label->resize(widths.value(width) + frame, label->height());
        const int room = label->contentsRect().width();

        const QStringList lines = label->text().split(QLatin1Char('\n'));
        QStringList shownHints;
        for (int i = 0; i < lines.size(); ++i) {
            QVERIFY2(advance(lines.at(i)) <= room, qPrintable(lines.at(i)));
            const QStringList onLine = lines.at(i).split(QStringLiteral("  "));
            // A line takes every hint that fits: the next line's first would not have.
            if (i + 1 < lines.size())
                QVERIFY2(advance(lines.at(i) + QStringLiteral("  ") + lines.at(i + 1).split(QStringLiteral("  ")).first()) > room,
                         qPrintable(lines.join(QLatin1Char('|'))));
            shownHints << onLine;
        }
        if (width == QLatin1String("half")) {
            // Each hint on its own line, shortened.
            QCOMPARE(lines.size(), hints.size());
            QVERIFY(std::any_of(lines.cbegin(), lines.cend(), [](const QString& l) { return l.endsWith(QChar(0x2026)); }));
            QCOMPARE(label->toolTip(), hints.join(QStringLiteral("  ")));
        } else {
            QCOMPARE(shownHints, hints); // every hint whole, in order
            QCOMPARE(label->toolTip(), QString());
        }
        if (width == QLatin1String("whole"))
            QCOMPARE(lines.size(), 1);
        if (width == QLatin1String("widest") || width == QLatin1String("pair"))
            QVERIFY(lines.size() > 1);
        if (width == QLatin1String("laid out"))
            QVERIFY2(lines.size() * metrics.lineSpacing() - metrics.leading() <= label->contentsRect().height(),
                     qPrintable(label->text()));
        QCOMPARE(label->accessibleName(), hints.join(QLatin1Char(' ')));
    }

    // Finishing a pick-up: a weighed line at the weight limit, or one whose
    // order weight is taken when matching weights is switched on.
    void finishingChecksWeights_data()
    {
        QTest::addColumn<QString>("match");
        QTest::addColumn<double>("orderWeight");
        QTest::addColumn<double>("weighed"); // 0: not weighed on the scale
        QTest::addColumn<double>("amount");
        QTest::newRow("at the limit") << "0" << 0.0 << 15.0 << 95.0;
        QTest::newRow("order weight taken") << "1" << 0.5 << 0.0 << 8.0;
    }

    void finishingChecksWeights()
    {
        QFETCH(QString, match);
        QFETCH(double, orderWeight);
        QFETCH(double, weighed);
        QFETCH(double, amount);
        config().set(QStringLiteral("ORDER_IsMatchWeight"), match);
        PluDetail banana = makeLine("香蕉", 1, orderWeight > 0 ? 1 : 0, 6.0, true);
        banana.orderWeight = orderWeight;
        openPickUp({banana, makeLine("面包", 1, 1, 5.0)});
        if (weighed > 0) {
            PluDetail answer;
            answer.weight = weighed;
            answer.pickQty = 1;
            screen->updateOrderPluDetail(answer, QStringLiteral("weight"), 0);
        }
        QSignalSpy finished(screen.get(), &TradeWidget::SignPickUpFinish);
        QuestionMessage::QueueAnswers({1});
        clickChild(screen.get(), "btnOper1");
        QVERIFY(MessageWidget::History().isEmpty());
        QCOMPARE(QuestionMessage::History(), QStringList{translated(1146)});
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).value<OrderDetail>().pickAmount, amount);
    }

    void pickedQuantitiesAndAmounts()
    {
        openPickUp({makeLine("可乐", 3, 1, 2.5), makeLine("西瓜", 1, 0, 8.0, true)});
        QAbstractItemModel* model = view("tbvDown")->model();
        QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(cell("tbvDown", 1, 2), translated(1106));
        QCOMPARE(pickAmount(), QStringLiteral("2.50"));
        screen->pluAddOne(model->index(0, 2));
        screen->pluAddOne(model->index(0, 2));
        QCOMPARE(pickAmount(), QStringLiteral("7.50"));
        screen->pluMinusOne(model->index(0, 2));
        QCOMPARE(cell("tbvDown", 0, 2), QStringLiteral("2"));

        // The host's answer after weighing; other answers and rows are ignored.
        PluDetail weighed;
        weighed.weight = 1.25;
        weighed.pickQty = 1;
        screen->updateOrderPluDetail(weighed, QStringLiteral("price"), 1);
        screen->updateOrderPluDetail(weighed, QStringLiteral("weight"), 2);
        QCOMPARE(cell("tbvDown", 1, 2), translated(1106));
        screen->updateOrderPluDetail(weighed, QStringLiteral("weight"), 1);
        QCOMPARE(cell("tbvDown", 1, 2), QStringLiteral("1.25kg"));
        QCOMPARE(pickAmount(), QStringLiteral("15.00"));

        // A line added while picking is appended and becomes the current one.
        screen->AddOneOrderPlu(makeLine("酸奶", 2, 2, 3.0));
        QCOMPARE(cell("tbvDown", 2, 0), QStringLiteral("3"));
        QCOMPARE(view("tbvDown")->currentIndex().row(), 2);
        QCOMPARE(pickAmount(), QStringLiteral("21.00"));

        QSignalSpy finished(screen.get(), &TradeWidget::SignPickUpFinish);
        screen->PickUpFinish();
        QCOMPARE(finished.count(), 1);
        const OrderDetail order = finished.at(0).at(0).value<OrderDetail>();
        QCOMPARE(order.pickAmount, 21.0);
        QCOMPARE(order.lines.size(), 3);
        QCOMPARE(order.lines.at(2).lineNo, 2);
    }

    void linesOfAnOrderNotBeingPicked()
    {
        PluDetail pack = makeLine("早餐套餐", 1, 1, 18.0);
        pack.subItems = {{QStringLiteral("豆浆(大杯加糖热饮)"), 1}, {QStringLiteral("油条"), 2}};
        OrderDetail order = makeOrder("K", "0");
        order.lines = {makeLine("鸡蛋", 6, 0, 1.0), pack};
        pickingLines = {makeLine("茶", 4, 0, 1.5), makeLine("鱼", 1, 0, 30.0, true)};
        screen->ShowOrderWidget({order}, 1);
        // A package with its contents cut to their width.
        QCOMPARE(cell("tbvOnline", 1, 1), QStringLiteral("早餐套餐\r\n--豆浆(大杯加糖热饮\u00d71\r\n--油条\u00d72"));
        // The lines to pick count at their ordered quantities, without the pick buttons.
        QCOMPARE(pickAmount(), QStringLiteral("36.00"));
        QVERIFY(!qobject_cast<StandardDelegate*>(view("tbvDown")->itemDelegateForColumn(2))->ShowButtons());
    }

    // A picked line's name in a column narrower than the name: it goes on
    // over the lines the row has room for instead of losing its end. Counted
    // as bands of ink in the painted name cell.
    void pickedNameUsesTheRowsLines_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("bands");
        QTest::newRow("fits on one line") << QStringLiteral("薯片") << 1;
        QTest::newRow("two words") << QStringLiteral("乐事薯片原味 黄瓜味") << 2;
    }

    void pickedNameUsesTheRowsLines()
    {
        QFETCH(QString, name);
        auto* delegate = qobject_cast<StandardDelegate*>(view("tbvDown")->itemDelegateForColumn(1));
        QVERIFY(delegate);
        QStandardItemModel model(1, 3);
        model.setData(model.index(0, 1), name);
        QStyleOptionViewItem option;
        option.rect = QRect(0, 0, 130, 64);
        QImage image(option.rect.size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            delegate->paint(&painter, option, model.index(0, 1));
        }
        const QRgb background = image.pixel(0, 0);
        int bands = 0;
        bool inked = false;
        for (int y = 0; y < image.height() - 2; ++y) { // the row's separator is at its foot
            bool row = false;
            for (int x = 0; x < image.width() && !row; ++x)
                row = qGray(image.pixel(x, y)) < qGray(background) - 60;
            bands += row && !inked;
            inked = row;
        }
        QTEST(bands, "bands");
    }

    // An order shown outside picking (here waiting for its customer): a line
    // shows what was picked once it was picked, what was ordered before.
    void quantitiesOutsidePicking_data()
    {
        QTest::addColumn<PluDetail>("line");
        QTest::addColumn<QString>("shown");
        QTest::newRow("not picked yet") << makeLine("可乐", 3, 0, 2.5) << "3";
        QTest::newRow("picked short") << makeLine("可乐", 3, 2, 2.5) << "2";
        PluDetail weighed = makeLine("苹果", 1, 1, 12.8, true);
        weighed.weight = 1.95;
        weighed.weighDone = QStringLiteral("1");
        QTest::newRow("weighed") << weighed << "1.95kg";
        weighed.weighDone.clear();
        QTest::newRow("weighed line not on the scale yet") << weighed << "1";
    }

    void quantitiesOutsidePicking()
    {
        QFETCH(PluDetail, line);
        OrderDetail order = makeOrder("W", "2", "2", "21", "");
        order.lines = {line};
        pickingLines = order.lines;
        screen->ShowOrderWidget({order}, 1);
        QTEST(cell("tbvDown", 0, 2), "shown");
        QTEST(cell("tbvOnline", 0, 2), "shown");
    }

    // A picked line stays when the order is locked by the hand-over mode or
    // already delivered (removal with the question: below).
    void removalRules_data()
    {
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("saleTover");
        QTest::newRow("locked by mode 2") << "1" << "2";
        QTest::newRow("delivered order") << "7" << "0";
    }

    void removalRules()
    {
        QFETCH(QString, status);
        QFETCH(QString, saleTover);
        config().set(QStringLiteral("ORDER_SaleToverMode"), saleTover);
        openPickUp({makeLine("盐", 1, 1, 2.0), makeLine("糖", 1, 1, 3.0)}, makeOrder("D", "1", status, "22", ""));
        QuestionMessage::QueueAnswers({1});
        screen->pluRemove(view("tbvDown")->model()->index(0, 0));
        QVERIFY(QuestionMessage::History().isEmpty());
        QCOMPARE(view("tbvDown")->model()->rowCount(), 2);
        QCOMPARE(pickAmount(), QStringLiteral("5.00"));
    }

    void clicksOnPickedLinesReachThePanel()
    {
        QList<PluDetail> lines{makeLine("桃", 3, 1, 2.5), makeLine("肉", 1, 0, 30.0, true)};
        lines[1].lineNo = 1;
        openPickUp(lines);
        QTableView* table = view("tbvDown");
        auto* delegate = qobject_cast<StandardDelegate*>(table->itemDelegateForColumn(2));
        QVERIFY(delegate && delegate->ShowButtons());
        table->viewport()->repaint();
        const int y0 = table->visualRect(table->model()->index(0, 2)).center().y();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, QPoint(KxPosTestAccess::PlusPosition(*delegate) - 10, y0));
        QCOMPARE(cell("tbvDown", 0, 2), QStringLiteral("2"));

        QSignalSpy toScale(screen.get(), &TradeWidget::SignShowOrderWeight);
        clickCell("tbvDown", 1, 2);
        QCOMPARE(toScale.count(), 1);
        QCOMPARE(toScale.at(0).at(0).value<PluDetail>().pluName, QStringLiteral("肉"));

        QuestionMessage::QueueAnswers({1});
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, QPoint(KxPosTestAccess::RemovePosition(*delegate) + 20, y0));
        QCOMPARE(QuestionMessage::History(), QStringList{translated(1141)});
        QCOMPARE(cell("tbvDown", 0, 1), QStringLiteral("肉"));
        // The remaining line moved up and is numbered by its new position.
        clickCell("tbvDown", 0, 2);
        QCOMPARE(toScale.count(), 2);
        QCOMPARE(toScale.at(1).at(0).value<PluDetail>().lineNo, 0);
    }

    void printGuardDropsSecondPress()
    {
        screen->ShowOrderWidget({makeOrder("A", "0"), makeOrder("B", "4")}, 1);
        clickCell("tbvOrder", 1);
        QSignalSpy printed(screen.get(), &TradeWidget::SignPrintOrder);
        clickChild(screen.get(), "btnOrderPrint");
        clickChild(screen.get(), "btnOrderPrint");
        QCOMPARE(printed.count(), 1);
        QCOMPARE(printed.at(0).at(0).value<OrderDetail>().orderId, QStringLiteral("B"));
        QTRY_COMPARE_WITH_TIMEOUT((clickChild(screen.get(), "btnOrderPrint"), printed.count()), 2, 1000);
    }

    void orderBillButton()
    {
        config().set(QStringLiteral("ORDER_ModeSwitch"), QStringLiteral("1"));
        screen->getUiQDockWidget(22)->show();
        QSignalSpy selected(screen.get(), &TradeWidget::SignTrdSelectBill);
        clickChild(screen.get(), "btnBillOrder");
        QVERIFY(!screen->getUiQDockWidget(22)->isVisible());
        QVERIFY(button("btnBillOrder")->isCheckable());
        QCOMPARE(firstArguments(selected), QStringList{"Order"});
    }

};

QTEST_MAIN(TradeOrdersTest)
#include "tst_trade_orders.moc"
