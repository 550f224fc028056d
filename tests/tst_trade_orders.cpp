// The online-order panel of the sales screen, driven as a host and a cashier
// would: the host lists orders and answers each choice with the order's
// lines; the cashier clicks cards, operation buttons and picked lines.

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
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTableView>
#include <QtTest>

#include <memory>
#include <vector>

using namespace KxPosTest;

namespace {
using Messages = QList<QPair<QString, QString>>;

OrderDetail makeOrder(const QString& id, const QString& operState, const QString& status = QStringLiteral("0"),
                      const QString& delivery = QStringLiteral("22"), const QString& detail = QStringLiteral("人民路1号"))
{
    OrderDetail o;
    o.orderId = id;
    o.orderStatus = status;
    o.operState = operState;
    o.deliveryType = delivery;
    o.deliveryDetail = detail;
    o.orderSource = QStringLiteral("133");
    o.pickupNo = QStringLiteral("12");
    o.tagCodeA = QStringLiteral("0");
    o.tagCodeC = QStringLiteral("1");
    return o;
}

// An order of `status` and delivery type as the host lists it.
struct OrderCase {
    QString status, delivery, detail;
};

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
} // namespace

Q_DECLARE_METATYPE(OrderCase)

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
    QString cell(const char* table, int row, int column)
    {
        return view(table)->model()->index(row, column).data().toString();
    }
    void clickRow(const char* table, int row)
    {
        QTableView* v = view(table);
        QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, v->visualRect(v->model()->index(row, 0)).center());
    }
    // Opens the panel on one pick-up order whose lines are `lines`.
    void openPickUp(const QList<PluDetail>& lines, const QString& status = QStringLiteral("1"))
    {
        pickingLines = lines;
        OrderDetail order = makeOrder(QStringLiteral("P1"), QStringLiteral("1"), status);
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
        connect(screen.get(), &TradeWidget::SignalShowOrderDetail, this,
                [this](OrderDetail order, int, bool, int lineRow) {
                    OrderDetail picking = order;
                    picking.orderId += QStringLiteral("-P");
                    if (!pickingLines.isEmpty())
                        picking.lines = pickingLines;
                    screen->showPluDetail(order, picking, lineRow);
                });
        screen->show();
    }

    void cleanup()
    {
        screen.reset();
        ScreenTestCase::cleanup();
    }

    void orderCardsByStatus_data()
    {
        QTest::addColumn<OrderCase>("order");
        QTest::addColumn<int>("caption"); // 0: no caption
        QTest::newRow("new") << OrderCase{"0", "22", "x"} << 1131;
        QTest::newRow("picking") << OrderCase{"1", "22", "x"} << 1137;
        QTest::newRow("7 delivered") << OrderCase{"7", "22", "x"} << 5002;
        QTest::newRow("7 to pick") << OrderCase{"7", "21", ""} << 2378;
        QTest::newRow("7 pick-up with detail") << OrderCase{"7", "21", "x"} << 0;
        QTest::newRow("9 delivered") << OrderCase{"9", "22", "x"} << 1117;
        QTest::newRow("unknown") << OrderCase{"3", "22", "x"} << 0;
    }

    void orderCardsByStatus()
    {
        QFETCH(OrderCase, order);
        QFETCH(int, caption);
        OrderDetail listed = makeOrder(QStringLiteral("A1"), QStringLiteral("0"), order.status, order.delivery, order.detail);
        listed.tagCodeA = QStringLiteral("1");
        listed.tagCodeC = QStringLiteral("2");
        screen->ShowOrderWidget({listed, makeOrder(QStringLiteral("B"), QStringLiteral("0"))}, 1);
        QAbstractItemModelTester tester(view("tbvOrder")->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(view("tbvOrder")->model()->rowCount(), 2);
        QCOMPARE(cell("tbvOrder", 0, 1), caption ? translated(caption) : QString());
        QCOMPARE(cell("tbvOrder", 0, 9), QStringLiteral("#12"));
        // The colour tag codes: scheduled, delivery (not a pick-up), channel tag.
        QCOMPARE(cell("tbvOrder", 0, 11), order.delivery == QLatin1String("22") ? QStringLiteral("1--1--2")
                                                                                : QStringLiteral("1--0--2"));
    }

    void reselectionAfterRefresh_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("orderId");
        QTest::addColumn<bool>("keep");
        QTest::newRow("type 2 follows the order") << 2 << 2 << "B" << true;
        QTest::newRow("type 1 starts at the top") << 1 << 0 << "C" << false;
    }

    void reselectionAfterRefresh()
    {
        QFETCH(int, type);
        QFETCH(int, row);
        QFETCH(QString, orderId);
        QFETCH(bool, keep);
        const OrderDetail a = makeOrder(QStringLiteral("A"), QStringLiteral("0"));
        const OrderDetail b = makeOrder(QStringLiteral("B"), QStringLiteral("4"));
        const OrderDetail c = makeOrder(QStringLiteral("C"), QStringLiteral("5"));
        screen->ShowOrderWidget({a, b, c}, 1);
        QSignalSpy shown(screen.get(), &TradeWidget::SignalShowOrderDetail);
        clickRow("tbvOrder", 1);
        QCOMPARE(shown.count(), 1);
        QCOMPARE(shown.at(0).at(0).value<OrderDetail>().orderId, QStringLiteral("B"));
        screen->showOrderList({c, a, b}, type);
        QCOMPARE(shown.count(), 2);
        QCOMPARE(shown.at(1).at(0).value<OrderDetail>().orderId, orderId);
        QCOMPARE(shown.at(1).at(2).toBool(), keep);
        QCOMPARE(view("tbvOrder")->currentIndex().row(), row);
    }

    void emptyListClearsThePanel()
    {
        openPickUp({makeLine(QStringLiteral("苹果"), 2, 2, 3.0)});
        QSignalSpy shown(screen.get(), &TradeWidget::SignalShowOrderDetail);
        QSignalSpy finished(screen.get(), &TradeWidget::SignPickUpFinish);
        QSignalSpy printed(screen.get(), &TradeWidget::SignPrintOrder);
        screen->showOrderList({}, 2);
        QCOMPARE(shown.count(), 0);
        QCOMPARE(child<QLabel>(screen.get(), "lbRemark")->text(), translated(1154));
        for (const char* table : {"tbvOrder", "tbvOnline", "tbvDown"})
            QCOMPARE(view(table)->model()->rowCount(), 0);
        QCOMPARE(pickAmount(), QStringLiteral("0.00"));
        // Nothing is left to act on.
        QuestionMessage::QueueAnswers({1});
        QVERIFY(QMetaObject::invokeMethod(screen.get(), "on_btnOper1_clicked"));
        clickChild(screen.get(), "btnOrderPrint");
        QCOMPARE(finished.count() + printed.count(), 0);
        QVERIFY(!button("btnOper1")->isEnabled());
        // A new list brings the buttons back.
        screen->showOrderList({makeOrder(QStringLiteral("N"), QStringLiteral("0"))}, 2);
        QVERIFY(button("btnOper1")->isEnabled());
        QCOMPARE(shown.count(), 1);
    }

    // The operation mode reported for the chosen order and its two buttons'
    // captions (0: the second is hidden).
    void operationModesAndCaptions_data()
    {
        QTest::addColumn<QString>("operState");
        QTest::addColumn<OrderCase>("order");
        QTest::addColumn<QList<int>>("modeAndCaptions");
        QTest::newRow("pick-up") << "1" << OrderCase{"0", "22", "x"} << QList<int>{1, 1136, 2362};
        QTest::newRow("7 to pick") << "7" << OrderCase{"0", "21", ""} << QList<int>{1, 1136, 2362};
        QTest::newRow("new order") << "0" << OrderCase{"0", "22", "x"} << QList<int>{0, 1110, 1113};
        QTest::newRow("self pick-up, second hidden") << "2" << OrderCase{"0", "21", "x"} << QList<int>{2, 2363, 0};
        QTest::newRow("return") << "5" << OrderCase{"0", "22", "x"} << QList<int>{5, 1117, 5002};
        // Other states keep the mode of the order chosen before (a refund).
        QTest::newRow("7 delivered keeps") << "7" << OrderCase{"0", "22", "x"} << QList<int>{4, 1111, 1112};
    }

    void operationModesAndCaptions()
    {
        QFETCH(QString, operState);
        QFETCH(OrderCase, order);
        QFETCH(QList<int>, modeAndCaptions);
        screen->ShowOrderWidget({makeOrder(QStringLiteral("R"), QStringLiteral("4")),
                                 makeOrder(QStringLiteral("T"), operState, order.status, order.delivery, order.detail)},
                                1);
        QSignalSpy shown(screen.get(), &TradeWidget::SignalShowOrderDetail);
        clickRow("tbvOrder", 1);
        QCOMPARE(shown.count(), 1);
        QCOMPARE(shown.at(0).at(1).toInt(), modeAndCaptions.at(0));
        QCOMPARE(button("btnOper1")->text(), translated(modeAndCaptions.at(1)));
        QCOMPARE(button("btnOper2")->isVisible(), modeAndCaptions.at(2) != 0);
        if (modeAndCaptions.at(2))
            QCOMPARE(button("btnOper2")->text(), translated(modeAndCaptions.at(2)));
        // Choosing another order shows the second button again.
        clickRow("tbvOrder", 0);
        QVERIFY(button("btnOper2")->isVisible());
    }

    void operationButtons_data()
    {
        QTest::addColumn<QString>("operState");
        QTest::addColumn<QString>("buttonName");
        QTest::addColumn<int>("answer");    // -1: no question expected
        QTest::addColumn<int>("question");  // message of the question, 0: none
        QTest::addColumn<QString>("signal"); // empty: nothing emitted
        QTest::addColumn<QString>("orderId");
        QTest::newRow("new accept") << "0" << "btnOper1" << -1 << 0 << "SignAcceptNewOrder" << "A";
        QTest::newRow("new reject") << "0" << "btnOper2" << -1 << 0 << "SignRejectNewOrder" << "A";
        QTest::newRow("self-take accept") << "2" << "btnOper1" << -1 << 0 << "SignAcceptSelfTake" << "A";
        // The second button is hidden for a self pick-up; a host may still press it.
        QTest::newRow("self-take reject") << "2" << "on_btnOper2_clicked" << -1 << 0 << "SignRejectSelfTake" << "A";
        QTest::newRow("refund accept") << "4" << "btnOper1" << -1 << 0 << "SignAcceptRefund" << "A";
        QTest::newRow("refund reject") << "4" << "btnOper2" << -1 << 0 << "SignRejectRefund" << "A";
        QTest::newRow("return refund yes") << "5" << "btnOper1" << 1 << 1147 << "SignGetPluRefund" << "A-P";
        QTest::newRow("return refund no") << "5" << "btnOper1" << 0 << 1147 << "" << "";
        QTest::newRow("return yes") << "5" << "btnOper2" << 1 << 1161 << "SignDoReturn" << "A";
        QTest::newRow("pick finish yes") << "1" << "btnOper1" << 1 << 1146 << "SignPickUpFinish" << "A-P";
        QTest::newRow("pick keep yes") << "1" << "btnOper2" << 1 << 1162 << "SignSaveTmpFinish" << "A-P";
        QTest::newRow("pick keep no") << "1" << "btnOper2" << 0 << 1162 << "" << "";
    }

    void operationButtons()
    {
        QFETCH(QString, operState);
        QFETCH(QString, buttonName);
        QFETCH(int, answer);
        QFETCH(int, question);
        QFETCH(QString, signal);
        QFETCH(QString, orderId);
        pickingLines = {makeLine(QStringLiteral("牛奶"), 2, 2, 4.5)};
        screen->ShowOrderWidget({makeOrder(QStringLiteral("A"), operState, QStringLiteral("1"))}, 1);
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
        if (answer >= 0)
            QuestionMessage::QueueAnswers({answer});
        if (buttonName.startsWith(QLatin1String("on_")))
            QVERIFY(QMetaObject::invokeMethod(screen.get(), buttonName.toLatin1().constData()));
        else
            QTest::mouseClick(button(buttonName.toLatin1().constData()), Qt::LeftButton);

        QCOMPARE(QuestionMessage::History(), question ? QStringList{translated(question)} : QStringList{});
        for (const auto& [name, spy] : spies) {
            QCOMPARE(spy->count(), name == signal.toLatin1() ? 1 : 0);
            if (spy->count()) {
                const OrderDetail order = spy->at(0).at(0).value<OrderDetail>();
                QCOMPARE(order.orderId, orderId);
                if (name == "SignSaveTmpFinish")
                    QCOMPARE(spy->at(0).at(1).toBool(), false);
                if (name == "SignPickUpFinish")
                    QCOMPARE(order.pickAmount, 9.0);
            }
        }
        QVERIFY(MessageWidget::History().isEmpty());
    }

    void weightChecksBeforeFinishing_data()
    {
        QTest::addColumn<bool>("weighIt");
        QTest::addColumn<double>("weight");
        QTest::addColumn<int>("refusal"); // 0: the question is asked
        QTest::newRow("not weighed") << false << 0.0 << 1144;
        QTest::newRow("above the limit") << true << 16.0 << 1145;
        QTest::newRow("at the limit") << true << 15.0 << 0;
    }

    void weightChecksBeforeFinishing()
    {
        QFETCH(bool, weighIt);
        QFETCH(double, weight);
        QFETCH(int, refusal);
        openPickUp({makeLine(QStringLiteral("香蕉"), 1, 0, 6.0, true), makeLine(QStringLiteral("面包"), 1, 1, 5.0)});
        if (weighIt) {
            PluDetail weighed;
            weighed.weight = weight;
            weighed.pickQty = 1;
            screen->updateOrderPluDetail(weighed, QStringLiteral("weight"), 0);
        }
        QSignalSpy finished(screen.get(), &TradeWidget::SignPickUpFinish);
        QuestionMessage::QueueAnswers({1});
        clickChild(screen.get(), "btnOper1");
        QCOMPARE(MessageWidget::History(), refusal ? Messages{notice(refusal)} : Messages{});
        QCOMPARE(QuestionMessage::History(), refusal ? QStringList{} : QStringList{translated(1146)});
        QCOMPARE(finished.count(), refusal ? 0 : 1);
        if (!refusal)
            QCOMPARE(finished.at(0).at(0).value<OrderDetail>().pickAmount, 6.0 * weight + 5.0);
    }

    void refusalsLeaveThePickAsItWas_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("message");
        QTest::newRow("finish with nothing picked") << "finish" << 1149;
        QTest::newRow("keep without lines") << "keep" << 1163;
        QTest::newRow("minus at one") << "minus" << 1139;
        QTest::newRow("plus at ordered") << "plus" << 1140;
    }

    void refusalsLeaveThePickAsItWas()
    {
        QFETCH(QString, action);
        QFETCH(int, message);
        QList<PluDetail> lines;
        if (action == QLatin1String("finish"))
            lines = {makeLine(QStringLiteral("水"), 2, 0, 2.0)};
        else if (action != QLatin1String("keep"))
            lines = {makeLine(QStringLiteral("水"), 2, action == QLatin1String("minus") ? 1 : 2, 2.0)};
        openPickUp(lines);
        const QString before = cell("tbvDown", 0, 2);
        const QString amountBefore = pickAmount();
        QSignalSpy finished(screen.get(), &TradeWidget::SignPickUpFinish);
        QSignalSpy kept(screen.get(), &TradeWidget::SignSaveTmpFinish);
        QuestionMessage::QueueAnswers({1});
        const QModelIndex index = view("tbvDown")->model()->index(0, 2);
        if (action == QLatin1String("finish"))
            clickChild(screen.get(), "btnOper1");
        else if (action == QLatin1String("keep"))
            clickChild(screen.get(), "btnOper2");
        else if (action == QLatin1String("minus"))
            screen->pluMinusOne(index);
        else
            screen->pluAddOne(index);
        QCOMPARE(MessageWidget::History(), Messages{notice(message)});
        QCOMPARE(finished.count() + kept.count(), 0);
        QCOMPARE(cell("tbvDown", 0, 2), before);
        QCOMPARE(pickAmount(), amountBefore);
    }

    void pickedQuantitiesAndAmounts()
    {
        openPickUp({makeLine(QStringLiteral("可乐"), 3, 1, 2.5), makeLine(QStringLiteral("西瓜"), 1, 0, 8.0, true)});
        QAbstractItemModel* model = view("tbvDown")->model();
        QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(cell("tbvDown", 1, 2), translated(1106));
        QCOMPARE(pickAmount(), QStringLiteral("2.50"));
        screen->pluAddOne(model->index(0, 2));
        screen->pluAddOne(model->index(0, 2));
        QCOMPARE(cell("tbvDown", 0, 2), QStringLiteral("3"));
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
        screen->AddOneOrderPlu(makeLine(QStringLiteral("酸奶"), 2, 2, 3.0));
        QCOMPARE(model->rowCount(), 3);
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

    void keepingAPickForLater_data()
    {
        QTest::addColumn<double>("picked");
        QTest::addColumn<bool>("flag");
        QTest::newRow("picked, kept") << 2.0 << true;
        QTest::newRow("picked, not kept") << 1.0 << false;
        QTest::newRow("nothing picked") << 0.0 << true;
    }

    void keepingAPickForLater()
    {
        QFETCH(double, picked);
        QFETCH(bool, flag);
        openPickUp({makeLine(QStringLiteral("米"), 2, picked, 10.0)});
        QSignalSpy kept(screen.get(), &TradeWidget::SignSaveTmpFinish);
        screen->SaveDataToSaleTmp(flag);
        QCOMPARE(kept.count(), picked > 0 ? 1 : 0);
        if (picked > 0) {
            QCOMPARE(kept.at(0).at(0).value<OrderDetail>().orderId, QStringLiteral("P1-P"));
            QCOMPARE(kept.at(0).at(1).toBool(), flag);
        }
        QVERIFY(MessageWidget::History().isEmpty());
    }

    void orderWeightIsTaken_data()
    {
        QTest::addColumn<QString>("match");
        QTest::addColumn<double>("orderWeight");
        QTest::addColumn<bool>("taken");
        QTest::newRow("half a kilo") << "1" << 0.5 << true;
        QTest::newRow("below a gram") << "1" << 0.0005 << false;
        QTest::newRow("switched off") << "0" << 0.5 << false;
    }

    void orderWeightIsTaken()
    {
        QFETCH(QString, match);
        QFETCH(double, orderWeight);
        QFETCH(bool, taken);
        config().set(QStringLiteral("ORDER_IsMatchWeight"), match);
        PluDetail line = makeLine(QStringLiteral("葡萄"), 1, 1, 20.0, true);
        line.orderWeight = orderWeight;
        openPickUp({line});
        QCOMPARE(cell("tbvDown", 0, 2), taken ? QStringLiteral("0.5kg") : translated(1106));
        QCOMPARE(pickAmount(), taken ? QStringLiteral("10.00") : QStringLiteral("0.00"));
        // A taken weight counts as weighed when the pick-up is finished.
        QuestionMessage::QueueAnswers({0});
        clickChild(screen.get(), "btnOper1");
        QCOMPARE(QuestionMessage::History(), taken ? QStringList{translated(1146)} : QStringList{});
        QCOMPARE(MessageWidget::History(), taken ? Messages{} : Messages{notice(1144)});
    }

    void notPickingShowsOrderedQuantities()
    {
        pickingLines = {makeLine(QStringLiteral("茶"), 4, 0, 1.5), makeLine(QStringLiteral("鱼"), 1, 0, 30.0, true)};
        screen->ShowOrderWidget({makeOrder(QStringLiteral("N"), QStringLiteral("0"))}, 1);
        QCOMPARE(cell("tbvDown", 0, 2), QStringLiteral("4"));
        QCOMPARE(cell("tbvDown", 1, 2), QStringLiteral("1"));
        QCOMPARE(pickAmount(), QStringLiteral("36.00"));
        auto* delegate = qobject_cast<StandardDelegate*>(view("tbvDown")->itemDelegateForColumn(2));
        QVERIFY(delegate);
        QVERIFY(!delegate->ShowButtons());
    }

    void packageLinesListTheirContents()
    {
        PluDetail pack = makeLine(QStringLiteral("早餐套餐"), 1, 1, 18.0);
        pack.subItems = {{QStringLiteral("豆浆(大杯加糖热饮)"), 1}, {QStringLiteral("油条"), 2}};
        OrderDetail order = makeOrder(QStringLiteral("K"), QStringLiteral("0"));
        order.lines = {makeLine(QStringLiteral("鸡蛋"), 6, 0, 1.0), pack};
        screen->ShowOrderWidget({order}, 1);
        QCOMPARE(cell("tbvOnline", 1, 1), QStringLiteral("早餐套餐\r\n--豆浆(大杯加糖热饮\u00d71\r\n--油条\u00d72"));
        QCOMPARE(cell("tbvOnline", 1, 6), QStringLiteral("2"));
        QCOMPARE(cell("tbvOnline", 1, 4), QStringLiteral("18.00/个"));
        QCOMPARE(cell("tbvOnline", 0, 5), QStringLiteral("6.00"));
        QCOMPARE(child<QLabel>(screen.get(), "lbRemark")->text(), translated(5997) + QStringLiteral("  K"));
    }

    void removalRules_data()
    {
        QTest::addColumn<OrderCase>("order");
        QTest::addColumn<QString>("saleTover");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("asked");
        QTest::newRow("picking, yes") << OrderCase{"1", "22", "x"} << "0" << 1 << true;
        QTest::newRow("picking, no") << OrderCase{"1", "22", "x"} << "0" << 0 << true;
        QTest::newRow("to pick, yes") << OrderCase{"7", "21", ""} << "0" << 1 << true;
        QTest::newRow("locked by mode 2") << OrderCase{"1", "22", "x"} << "2" << 1 << false;
        QTest::newRow("delivered order") << OrderCase{"7", "22", ""} << "0" << 1 << false;
    }

    void removalRules()
    {
        QFETCH(OrderCase, order);
        QFETCH(QString, saleTover);
        QFETCH(int, answer);
        QFETCH(bool, asked);
        config().set(QStringLiteral("ORDER_SaleToverMode"), saleTover);
        pickingLines = {makeLine(QStringLiteral("盐"), 1, 1, 2.0), makeLine(QStringLiteral("糖"), 1, 1, 3.0)};
        screen->ShowOrderWidget(
            {makeOrder(QStringLiteral("D"), QStringLiteral("1"), order.status, order.delivery, order.detail)}, 1);
        QuestionMessage::QueueAnswers({answer});
        screen->pluRemove(view("tbvDown")->model()->index(0, 0));
        QCOMPARE(QuestionMessage::History(), asked ? QStringList{translated(1141)} : QStringList{});
        const int rowsLeft = asked && answer ? 1 : 2;
        QCOMPARE(view("tbvDown")->model()->rowCount(), rowsLeft);
        QCOMPARE(cell("tbvDown", rowsLeft - 1, 1), QStringLiteral("糖"));
        QCOMPARE(pickAmount(), rowsLeft == 1 ? QStringLiteral("3.00") : QStringLiteral("5.00"));
    }

    void clicksOnPickedLinesReachThePanel()
    {
        QList<PluDetail> lines{makeLine(QStringLiteral("桃"), 3, 1, 2.5), makeLine(QStringLiteral("肉"), 1, 0, 30.0, true)};
        lines[1].lineNo = 1;
        openPickUp(lines);
        QTableView* table = view("tbvDown");
        auto* delegate = qobject_cast<StandardDelegate*>(table->itemDelegateForColumn(2));
        QVERIFY(delegate && delegate->ShowButtons());
        QCOMPARE(table->itemDelegateForColumn(0), delegate);
        table->viewport()->repaint();
        QVERIFY(delegate->PlusPosition() != StandardDelegate::NoPosition);
        const int y0 = table->visualRect(table->model()->index(0, 2)).center().y();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, QPoint(delegate->PlusPosition() - 10, y0));
        QCOMPARE(cell("tbvDown", 0, 2), QStringLiteral("2"));

        QSignalSpy toScale(screen.get(), &TradeWidget::SignShowOrderWeight);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          table->visualRect(table->model()->index(1, 2)).center());
        QCOMPARE(toScale.count(), 1);
        QCOMPARE(toScale.at(0).at(0).value<PluDetail>().pluName, QStringLiteral("肉"));

        QuestionMessage::QueueAnswers({1});
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, QPoint(delegate->RemovePosition() + 20, y0));
        QCOMPARE(QuestionMessage::History(), QStringList{translated(1141)});
        QCOMPARE(table->model()->rowCount(), 1);
        QCOMPARE(cell("tbvDown", 0, 1), QStringLiteral("肉"));
        // The remaining line moved up and is numbered by its new position.
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          table->visualRect(table->model()->index(0, 2)).center());
        QCOMPARE(toScale.count(), 2);
        QCOMPARE(toScale.at(1).at(0).value<PluDetail>().lineNo, 0);
    }

    void moving_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("up");
        QTest::addColumn<QString>("down");
        QTest::newRow("orders") << "tbvOrder" << "btnOrderUp" << "btnOrderDown";
        QTest::newRow("order lines") << "tbvOnline" << "btnLineUp" << "btnLineDown";
        QTest::newRow("picked lines") << "tbvDown" << "btnActUp" << "btnActDown";
    }

    void moving()
    {
        QFETCH(QString, table);
        QFETCH(QString, up);
        QFETCH(QString, down);
        pickingLines = {makeLine(QStringLiteral("一"), 1, 1, 1), makeLine(QStringLiteral("二"), 1, 1, 1),
                        makeLine(QStringLiteral("三"), 1, 1, 1)};
        QList<OrderDetail> orders;
        for (const QString& id : {QStringLiteral("O1"), QStringLiteral("O2"), QStringLiteral("O3")}) {
            orders << makeOrder(id, QStringLiteral("1"), QStringLiteral("1"));
            orders.last().lines = pickingLines;
        }
        screen->ShowOrderWidget(orders, 1);
        QTableView* v = view(table.toLatin1().constData());
        const auto click = [this](const QString& name) { clickChild(screen.get(), name.toLatin1().constData()); };
        const auto row = [v] { return v->selectionModel()->selectedRows().value(0).row(); };
        const bool isOrders = table == QLatin1String("tbvOrder");
        QSignalSpy shown(screen.get(), &TradeWidget::SignalShowOrderDetail);
        if (!isOrders) // the line cursors start on no line
            click(down);
        QCOMPARE(row(), 0);
        click(up);
        QCOMPARE(row(), 0);
        for (int i = 0; i < 3; ++i)
            click(down);
        QCOMPARE(row(), 2);
        click(up);
        QCOMPARE(row(), 1);
        // Each move chooses the order as a click would; blocked moves do not.
        QCOMPARE(shown.count(), isOrders ? 3 : 0);
        if (isOrders)
            QCOMPARE(shown.last().at(0).value<OrderDetail>().orderId, QStringLiteral("O2"));
    }

    void printGuardDropsSecondPress()
    {
        screen->ShowOrderWidget({makeOrder(QStringLiteral("A"), QStringLiteral("0")),
                                 makeOrder(QStringLiteral("B"), QStringLiteral("4"))}, 1);
        clickRow("tbvOrder", 1);
        QSignalSpy printed(screen.get(), &TradeWidget::SignPrintOrder);
        clickChild(screen.get(), "btnOrderPrint");
        clickChild(screen.get(), "btnOrderPrint");
        QCOMPARE(printed.count(), 1);
        QCOMPARE(printed.at(0).at(0).value<OrderDetail>().orderId, QStringLiteral("B"));
        QTRY_COMPARE_WITH_TIMEOUT((clickChild(screen.get(), "btnOrderPrint"), printed.count()), 2, 1000);
    }

    void orderBillButton_data()
    {
        QTest::addColumn<QString>("modeSwitch");
        QTest::newRow("order mode on") << "1";
        QTest::newRow("order mode off") << "0";
    }

    void orderBillButton()
    {
        QFETCH(QString, modeSwitch);
        const bool switches = modeSwitch == QLatin1String("1");
        config().set(QStringLiteral("ORDER_ModeSwitch"), modeSwitch);
        screen->getUiQDockWidget(22)->show();
        QSignalSpy selected(screen.get(), &TradeWidget::SignTrdSelectBill);
        clickChild(screen.get(), "btnBillOrder");
        QVERIFY(!screen->getUiQDockWidget(22)->isVisible());
        QCOMPARE(button("btnBillOrder")->isCheckable(), switches);
        if (!switches)
            QVERIFY(!button("btnBillOrder")->isChecked());
        QCOMPARE(selected.count(), switches ? 1 : 0);
        if (switches)
            QCOMPARE(selected.at(0).at(0).toString(), QStringLiteral("Order"));
        QCOMPARE(MessageWidget::History(), switches ? Messages{} : Messages{notice(2383)});
    }

    void sortChoiceAndRefresh()
    {
        screen->ShowOrderWidget({makeOrder(QStringLiteral("A"), QStringLiteral("4"))}, 1);
        auto* sort = child<QComboBox>(screen.get(), "boxOrderSort");
        QSignalSpy reload(screen.get(), &TradeWidget::SignUpdateOrderList);
        sort->setFocus();
        QTest::keyClick(sort, Qt::Key_Down);
        QCOMPARE(sort->currentText(), translated(1165));
        QCOMPARE(screen->orderSortOrder, QStringLiteral("ASC"));
        QTest::keyClick(sort, Qt::Key_Down);
        QCOMPARE(screen->orderSortOrder, QString());
        QCOMPARE(reload.count(), 2);
        clickChild(screen.get(), "btnOrderFresh");
        QCOMPARE(reload.count(), 3);
        // The captions follow the language.
        QVERIFY(KxPosTranslator::SetLanguage(QStringLiteral("en")));
        QCOMPARE(button("btnOper1")->text(), translated(1111));
        QCOMPARE(cell("tbvOrder", 0, 1), translated(1131));
        QCOMPARE(sort->itemText(1), translated(1165));
    }
};

QTEST_MAIN(TradeOrdersTest)
#include "tst_trade_orders.moc"
