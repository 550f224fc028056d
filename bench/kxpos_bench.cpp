// Times the screens' operations next to the bare-Qt floor for the same work
// and prints one table with the ratios, then the growth cases. Run headless:
//   QT_QPA_PLATFORM=offscreen bin/kxpos_bench [--count] [reps] [group]
// Exits with the number of missed targets (0: all met).

#include "BenchData.h"
#include "BenchHarness.h"

#include "coupon/CouponUsageWidget.h"
#include "coupon/CouponWidgetInfo.h"
#include "trade/OrderDetail.h"
#include "trade/TradeWidget.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosModel.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/TableModel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <memory>

using namespace KxPosBench;

namespace {

constexpr double FrameMs = 1000.0 / 60.0;
int reps = 21;

} // namespace

KxPosPluDetail KxPosBench::saleLine(int i)
{
    KxPosPluDetail l;
    l.lineNo = i + 1;
    l.pluCode = QString::number(6901000 + i);
    l.pluName = QStringLiteral("商品%1 特价装").arg(i);
    l.saleQty = 1 + i % 7;
    l.quantityDecimals = 2;
    l.salePrice = 2.5 + i % 13;
    l.lineAmount = l.saleQty * l.salePrice;
    l.amountA = l.lineAmount;
    l.unitName = QStringLiteral("个");
    return l;
}

QList<CouponWidgetInfo> KxPosBench::coupons(int count, QChar prefix, const QString& nameFormat, double amount)
{
    QList<CouponWidgetInfo> list;
    list.reserve(count);
    for (int i = 0; i < count; ++i) {
        CouponWidgetInfo c;
        c.couponId = prefix + QString::number(i);
        c.couponCode = QStringLiteral("code-") + c.couponId;
        c.couponName = nameFormat.arg(i);
        c.channelCode = QStringLiteral("MT");
        c.channelName = QStringLiteral("美团");
        c.couponAmount = amount;
        list << c;
    }
    return list;
}

namespace {

// The same 15 texts a sale row shows.
QStringList saleTexts(const KxPosPluDetail& l)
{
    return {QString::number(l.lineNo), l.pluCode, l.pluName, l.detailText, QString::number(l.saleQty, 'f', 2),
            QString::number(l.salePrice, 'f', 2), QStringLiteral("0"), QString::number(l.amountA, 'f', 2),
            QString::number(l.lineAmount, 'f', 2), QStringLiteral("X"), l.tagText, l.unitName, QString(),
            l.remarkText, QString()};
}

void fillStandardModel(QStandardItemModel& model, const QList<QStringList>& rows)
{
    model.removeRows(0, model.rowCount());
    for (const QStringList& texts : rows) {
        QList<QStandardItem*> items;
        items.reserve(texts.size());
        for (const QString& t : texts)
            items << new QStandardItem(t);
        model.appendRow(items);
    }
}

} // namespace

std::unique_ptr<TradeWidget> KxPosBench::shownTradeScreen(int functions)
{
    auto screen = std::make_unique<TradeWidget>(0, nullptr);
    for (int i = 1; i <= functions; ++i) {
        dynMapButton f;
        f.funcId = QString::number(i);
        f.funcCode = QStringLiteral("F%1").arg(i, 4, 10, QLatin1Char('0'));
        f.funcName = QStringLiteral("功能%1").arg(i);
        f.funcNameEn = QStringLiteral("Function %1").arg(i);
        screen->gridFunctions << f;
    }
    if (functions > 0)
        screen->InitFuncArea();
    QSignalSpy started(screen.get(), &TradeWidget::SignTrdStartTrade);
    screen->show();
    started.wait(1000);
    return screen;
}

namespace {

void benchRebind(Table& table)
{
    auto screen = shownTradeScreen();
    // The floor is a plain table shown like the sale table: the same size,
    // row height and headers, so that as many rows fit on a page and the
    // scroll bar comes and goes at the same length of sale.
    QTableView* saleView = screen->GetTable()->view();
    QTableView floorView;
    QStandardItemModel floorModel;
    floorView.setModel(&floorModel);
    floorView.verticalHeader()->setDefaultSectionSize(saleView->verticalHeader()->defaultSectionSize());
    floorView.verticalHeader()->setVisible(saleView->verticalHeader()->isVisible());
    floorView.resize(saleView->size());
    floorView.show();
    // Handing a sale to a plain table takes more than filling its model:
    // the cashier must see the last line, current and scrolled into view.
    // Scrolling makes the view lay its rows out and set its scroll bar at
    // once; without it that work waits for the event loop, which never runs
    // between two timed repetitions, so it would never be timed at all.
    auto showSale = [&](const QList<QStringList>& rows) {
        fillStandardModel(floorModel, rows);
        floorView.selectRow(floorModel.rowCount() - 1);
        floorView.scrollToBottom();
    };
    double at100 = 0.0;
    for (int count : {10, 100, 300, 1000}) {
        QList<KxPosPluDetail> lines;
        QList<QStringList> rows;
        for (int i = 0; i < count; ++i) {
            lines << saleLine(i);
            rows << saleTexts(lines.last());
        }
        const int n = reps;
        // Both sides replace a table of one other line: every row is new
        // (the switch from an empty sale's background happens once a sale
        // and is not part of it).
        QList<KxPosPluDetail> other{saleLine(count + 1)};
        QList<QStringList> otherRows{saleTexts(other.first())};
        Result r;
        r.name = QStringLiteral("rebindModel %1 lines").arg(count);
        r.oursMs = measure(QStringLiteral("rebind_%1").arg(count),
                           {[&] { screen->rebindModel(other, {}); }, [&] { screen->rebindModel(lines, {}); }}, n);
        r.floorMs = measure(QStringLiteral("rebind_%1_floor").arg(count),
                            {[&] { showSale(otherRows); }, [&] { showSale(rows); }}, n);
        // The column fitting is kept and still costs no more than the floor.
        r.limitRatio = 1.0;
        if (count == 300)
            r.frameLimitMs = FrameMs;
        table.add(r);
        if (count == 100)
            at100 = r.oursMs;
        if (count == 1000) {
            Result growth;
            growth.name = QStringLiteral("rebindModel growth 1000/100 lines (x)");
            growth.oursMs = r.oursMs / at100;
            growth.floorMs = 1.0; // ratio column: growth factor against the limit of 11
            growth.limitRatio = 11.0;
            table.add(growth);
        }
    }
    // Texts never seen before are shaped once each; a sale of new products
    // still fits in one frame.
    int fresh = 0;
    QList<KxPosPluDetail> none{saleLine(0)};
    QList<KxPosPluDetail> lines;
    Result cold;
    cold.name = QStringLiteral("rebindModel 300 lines, all texts new");
    cold.oursMs = measure(QStringLiteral("rebind_300_new"),
                          {[&] {
                               screen->rebindModel(none, {});
                               lines.clear();
                               ++fresh;
                               for (int i = 0; i < 300; ++i) {
                                   lines << saleLine(i);
                                   lines.last().pluCode = QStringLiteral("%1-%2").arg(fresh).arg(i);
                                   lines.last().pluName = QStringLiteral("新品%1号 %2").arg(fresh).arg(i);
                               }
                           },
                           [&] { screen->rebindModel(lines, {}); }},
                          reps);
    cold.frameLimitMs = FrameMs;
    table.add(cold);
}

void benchScan(Table& table)
{
    auto screen = shownTradeScreen();
    QLineEdit* box = screen->getUiQLineEdit(26);
    QSignalSpy added(screen.get(), &TradeWidget::SignTrdAddProduct);
    const QString code = QStringLiteral("6901234567892");
    auto scan = [](QWidget* target) {
        for (QChar c : QStringLiteral("6901234567892"))
            QTest::keyClick(target, c.toLatin1());
        QTest::keyClick(target, Qt::Key_Return);
    };
    QLineEdit bare;
    int returns = 0;
    QObject::connect(&bare, &QLineEdit::returnPressed, &bare, [&] {
        ++returns;
        bare.clear();
    });
    bare.show();
    Result r;
    r.name = QStringLiteral("scan 13 digits + Enter to SignTrdAddProduct");
    r.oursMs = measure(QStringLiteral("scan"), {nullptr, [&] { scan(box); }}, reps * 4);
    r.floorMs = measure(QStringLiteral("scan_floor"), {nullptr, [&] { scan(&bare); }}, reps * 4);
    table.add(r);
    const int scans = counting() ? 2 : reps * 4;
    if (added.count() != scans || added.last().at(0).toString() != code || returns != scans)
        std::fprintf(stderr, "scan: %d products, %d returns for %d scans\n", int(added.count()), returns, scans);

    Result key;
    key.name = QStringLiteral("one key into the code box");
    key.oursMs = measure(QStringLiteral("key"), {[&] { box->clear(); }, [&] { QTest::keyClick(box, '7'); }}, reps * 4);
    key.floorMs = measure(QStringLiteral("key_floor"), {[&] { bare.clear(); }, [&] { QTest::keyClick(&bare, '7'); }}, reps * 4);
    key.frameLimitMs = FrameMs;
    table.add(key);
}

} // namespace

OrderDetail KxPosBench::order(int i)
{
    OrderDetail o;
    o.orderId = QStringLiteral("WX%1").arg(202400000 + i);
    o.orderStatus = QString::number(i % 4);
    o.operState = QString::number(i % 3);
    o.deliveryType = i % 2 ? QStringLiteral("21") : QStringLiteral("22");
    o.deliveryDetail = QStringLiteral("人民路%1号").arg(i);
    o.orderSource = QStringLiteral("133");
    o.pickupNo = QString::number(i);
    o.cardText1 = QStringLiteral("张先生 138****1234");
    o.cardText2 = QStringLiteral("12:30 送达");
    o.tagCodeA = QStringLiteral("0");
    o.tagCodeC = QStringLiteral("1");
    return o;
}

namespace {

void benchOrders(Table& table)
{
    auto screen = shownTradeScreen();
    QList<OrderDetail> orders;
    for (int i = 0; i < 500; ++i)
        orders << order(i);
    screen->ShowOrderWidget(orders, 1);
    QTableView* view = screen->findChild<QTableView*>(QStringLiteral("tbvOrder"));
    QImage image(view->size(), QImage::Format_ARGB32_Premultiplied);
    // The floor: the same cells in a plain model behind a default delegate.
    QList<QStringList> rows;
    QAbstractItemModel* model = view->model();
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList texts;
        for (int c = 0; c < model->columnCount(); ++c)
            texts << model->index(r, c).data().toString();
        rows << texts;
    }
    QTableView floorView;
    QStandardItemModel floorModel;
    floorView.setModel(&floorModel);
    floorView.resize(view->size());
    floorView.show();
    Result r;
    r.name = QStringLiteral("showOrderList 500 orders + paint");
    r.oursMs = measure(QStringLiteral("orders"), {nullptr,
                         [&] {
                             screen->showOrderList(orders, 1);
                             view->render(&image);
                         }},
                        reps);
    r.floorMs = measure(QStringLiteral("orders_floor"), {nullptr,
                          [&] {
                              fillStandardModel(floorModel, rows);
                              floorView.render(&image);
                          }},
                         reps);
    table.add(r);
}

void benchFunctionPage(Table& table)
{
    auto screen = shownTradeScreen(200);
    auto* more = screen->findChild<QAbstractButton*>(QStringLiteral("toolButtonKeyMore"));
    auto* next = screen->findChild<QPushButton*>(QStringLiteral("btnNextFunc"));
    auto* previous = screen->findChild<QPushButton*>(QStringLiteral("btnPreFunc"));
    QWidget* grid = screen->findChild<QWidget*>(QStringLiteral("widgetFunc"));
    if (!grid || !more || !next || !previous) {
        std::fprintf(stderr, "functions: the grid or its keys are missing\n");
        return;
    }
    // The cashier turns pages of the grid the "more" key opened, laid out at
    // its size on the screen.
    QTest::mouseClick(more, Qt::LeftButton);
    QApplication::processEvents();
    if (!grid->isVisible()) {
        std::fprintf(stderr, "functions: the grid did not open\n");
        return;
    }
    const int buttons = grid->findChildren<QPushButton*>().size();
    auto* cells = qobject_cast<QGridLayout*>(grid->layout());
    const int columns = cells ? cells->columnCount() : 4;
    // The floor: the same number of captions set on plain buttons in a grid
    // of the same size, the keys filling their cells as the grid's keys do.
    QWidget floorGrid;
    floorGrid.resize(grid->size());
    auto* layout = new QGridLayout(&floorGrid);
    layout->setContentsMargins(grid->layout()->contentsMargins());
    layout->setSpacing(grid->layout()->spacing());
    QList<QPushButton*> plain;
    for (int i = 0; i < buttons; ++i) {
        plain << new QPushButton(&floorGrid);
        plain.last()->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        layout->addWidget(plain.last(), i / columns, i % columns);
    }
    floorGrid.show();
    // Each turn starts from a screen that has caught up with the turn before
    // (laid out and painted, as between two taps), and ends with the grid
    // painted once, as the cashier sees it.
    const auto settle = [] { QApplication::processEvents(); };
    QImage image(grid->size(), QImage::Format_ARGB32_Premultiplied);
    int page = 0;
    bool forward = true;
    Result r;
    r.name = QStringLiteral("function grid page turn, 200 functions");
    r.oursMs = measure(QStringLiteral("functions"), {settle,
                         [&] {
                             QTest::mouseClick(forward ? next : previous, Qt::LeftButton);
                             if (++page % 5 == 0)
                                 forward = !forward;
                             grid->render(&image);
                         }},
                        reps * 2);
    int floorPage = 0;
    r.floorMs = measure(QStringLiteral("functions_floor"), {settle,
                          [&] {
                              ++floorPage;
                              for (int i = 0; i < plain.size(); ++i)
                                  plain[i]->setText(QStringLiteral("功能%1").arg(floorPage * plain.size() + i));
                              floorGrid.render(&image);
                          }},
                         reps * 2);
    r.frameLimitMs = FrameMs;
    table.add(r);
}

void benchPromotions(Table& table)
{
    auto screen = shownTradeScreen();
    QMap<QString, QList<KxPosProRemarkHelper>> map;
    QList<KxPosProRemarkHelper> list;
    for (int i = 1; i <= 50; ++i)
        list.append({QStringLiteral("P%1").arg(i), QStringLiteral("满%1减%2").arg(i * 50).arg(i * 5)});
    map.insert(QStringLiteral("000000"), list);
    QComboBox floorBox;
    floorBox.show();
    Result r;
    r.name = QStringLiteral("SetProText 50 promotions");
    r.oursMs = measure(QStringLiteral("promotions"), {nullptr, [&] { screen->SetProText(map, QString()); }}, reps);
    r.floorMs = measure(QStringLiteral("promotions_floor"), {nullptr,
                          [&] {
                              floorBox.clear();
                              for (int i = 0; i < list.size(); ++i)
                                  floorBox.addItem(QStringLiteral("%1/%2 %3").arg(i + 1).arg(list.size()).arg(
                                      list.at(i).proRemark));
                          }},
                         reps);
    table.add(r);
}

void benchCoupons(Table& table)
{
    const QList<CouponWidgetInfo> coupons = KxPosBench::coupons(500, QLatin1Char('Q'), QStringLiteral("券%1 满100减10"), 10.0);
    // Deduction mode: coupons of one channel are listed one after another.
    KxPosConfig::m_isCouponForDeduct = true;
    std::unique_ptr<CouponUsageWidget> screen;
    QListView floorView;
    QStandardItemModel floorModel;
    floorView.setModel(&floorModel);
    floorView.setUniformItemSizes(true);
    floorView.show();
    Result r;
    r.name = QStringLiteral("AddCouponInfo 500 coupons");
    r.oursMs = measure(QStringLiteral("coupons"), {[&] {
                             screen.reset();
                             screen = std::make_unique<CouponUsageWidget>(nullptr);
                             screen->Show(false);
                         },
                         [&] {
                             for (const CouponWidgetInfo& c : coupons)
                                 screen->AddCouponInfo(c, true);
                         }},
                        qMax(5, reps / 2));
    r.floorMs = measure(QStringLiteral("coupons_floor"), {[&] { floorModel.clear(); },
                          [&] {
                              for (const CouponWidgetInfo& c : coupons) {
                                  // A lookup of the coupon among the rows, as every add must do,
                                  // then the new row is appended and made current.
                                  if (floorModel.findItems(c.couponName).isEmpty())
                                      floorModel.appendRow(new QStandardItem(c.couponName));
                                  floorView.setCurrentIndex(floorModel.index(floorModel.rowCount() - 1, 0));
                              }
                          }},
                         qMax(5, reps / 2));
    table.add(r);
    screen.reset();
}

void benchConstruction(Table& table)
{
    int childCount = 0;
    {
        TradeWidget probe(0, nullptr);
        childCount = probe.findChildren<QWidget*>().size();
    }
    std::unique_ptr<TradeWidget> screen;
    std::unique_ptr<QWidget> plain;
    Result r;
    r.name = QStringLiteral("TradeWidget construction + first show");
    r.oursMs = measure(QStringLiteral("construction"), {[&] { screen.reset(); },
                         [&] {
                             screen = std::make_unique<TradeWidget>(0, nullptr);
                             screen->show();
                             QApplication::processEvents();
                         }},
                        qMax(5, reps / 2));
    screen.reset();
    // The floor: a window with the same number of plain widgets.
    r.floorMs = measure(QStringLiteral("construction_floor"), {[&] { plain.reset(); },
                          [&] {
                              plain = std::make_unique<QWidget>();
                              auto* layout = new QGridLayout(plain.get());
                              for (int i = 0; i < childCount; ++i)
                                  layout->addWidget(new QPushButton(QStringLiteral("键%1").arg(i)), i / 12, i % 12);
                              plain->resize(1024, 768);
                              plain->show();
                              QApplication::processEvents();
                          }},
                         qMax(5, reps / 2));
    plain.reset();
    table.add(r);
    std::printf("(TradeWidget has %d child widgets; the floor builds as many push buttons)\n", childCount);
}

} // namespace

int main(int argc, char** argv)
{
    // Debug lines of the screens and the offscreen platform's notes would
    // only add console time to the figures; warnings are still shown.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type != QtDebugMsg && type != QtInfoMsg && !message.startsWith(QLatin1String("This plugin does not")))
            std::fprintf(stderr, "%s\n", qUtf8Printable(message));
        if (type == QtFatalMsg)
            std::abort();
    });
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    // --count: one warm run and one counted run of each side, with a smaller
    // workload for the growth cases (see scripts/bench-gate.sh).
    if (args.removeAll(QStringLiteral("--count")) > 0)
        setCounting(true);
    if (!args.isEmpty())
        reps = qMax(3, args.at(0).toInt());
    // An optional second argument runs only the cases whose group name
    // contains it (rebind, scan, orders, functions, promotions, coupons,
    // construction, growth), e.g. for a profile of one case.
    const QString only = args.size() > 1 ? args.at(1) : QString();
    auto wanted = [&](const char* group) { return only.isEmpty() || QLatin1String(group).contains(only); };
    QTemporaryDir configDir;
    KxPosConfig::SetConfigDir(configDir.path());
    KxPosConfig::SetAppSize(1024, 768);
    KxPosModel::RegisterMetaTypes();
    CouponWidgetInfo::RegisterMetaTypes();
    KxPosTranslator::SetLanguage(QStringLiteral("zh_CN"));

    Table table;
    if (wanted("rebind"))
        benchRebind(table);
    if (wanted("scan"))
        benchScan(table);
    if (wanted("orders"))
        benchOrders(table);
    if (wanted("functions"))
        benchFunctionPage(table);
    if (wanted("promotions"))
        benchPromotions(table);
    if (wanted("coupons"))
        benchCoupons(table);
    if (wanted("construction"))
        benchConstruction(table);
    if (wanted("growth"))
        benchGrowth(table);
    const int missed = table.print();
    std::printf("%d target(s) missed\n", missed);
    return missed;
}
