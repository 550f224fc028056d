// Layout at the three screen sizes, where the screenshots showed faults: the sale-line table keeps every code,
// figure and promotion readable without side scrolling and leaves the product name its room; function-key
// captions fit their keys (long ones on two lines); the customer form's key line breaks between its items only.

#include "TestRecords.h"
#include "TestScreens.h"
#include "TestSupport.h"

#include "coupon/CouponUsageWidget.h"
#include "options/CustomerInfoWidget.h"
#include "trade/TradeWidget.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/UiTool.h"

#include <QtTest>
#include <QtWidgets>

#include <memory>

using namespace KxPosTest;

namespace {

KxPosPluDetail saleLine(int lineNo, const QString& code, const QString& name, double qty, double price, const QString& unit)
{
    KxPosPluDetail p = tradeLine(lineNo, code, qty, unit, price, qty == int(qty) ? 0 : 3);
    p.pluName = name;
    p.weighFlag = QString::number(qty != int(qty));
    return p;
}

// Rows for the three screen sizes, each in every variant ("" for one plain row).
void sizeRows(const QStringList& variants = {QString()})
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("variant");
    for (const QSize& size : {QSize(800, 600), QSize(1024, 768), QSize(1920, 1080)})
        for (const QString& variant : variants)
            QTest::newRow(qPrintable(QStringLiteral("%1x%2 %3").arg(size.width()).arg(size.height()).arg(variant).trimmed()))
                << size << variant;
}

// The application at `size` with its style sheet.
void applySize(const QSize& size)
{
    KxPosConfig::SetAppSize(size.width(), size.height());
    UiTool::ApplyStyleSheet(qApp);
}

// The sales screen shown at `size` with `functions`, once its first sale has started.
std::unique_ptr<TradeWidget> salesScreen(const QSize& size, const QList<dynMapButton>& functions = {})
{
    applySize(size);
    auto screen = std::make_unique<TradeWidget>(0, nullptr);
    screen->setFixedSize(size);
    screen->gridFunctions = functions;
    screen->InitFuncArea();
    screen->show();
    if (QTest::qWaitForWindowExposed(screen.get()))
        waitForSaleStart(screen.get());
    return screen;
}

// The keys of the function grid in cell order, row by row.
QList<QPushButton*> gridKeys(TradeWidget* screen)
{
    QList<QPushButton*> keys;
    auto* grid = qobject_cast<QGridLayout*>(child<QWidget>(screen, "widgetFunc")->layout());
    for (int r = 0; grid && r < grid->rowCount(); ++r)
        for (int c = 0; c < grid->columnCount(); ++c)
            if (QLayoutItem* item = grid->itemAtPosition(r, c))
                keys << qobject_cast<QPushButton*>(item->widget());
    return keys;
}

// The room a key's style leaves its caption (border and padding taken off).
int captionRoom(const QPushButton* key)
{
    QStyleOptionButton option;
    option.initFrom(key);
    option.text = key->text();
    return key->style()->subElementRect(QStyle::SE_PushButtonContents, &option, key).width();
}

// Ten functions for the shortcut bar, then a page of long captions (two
// lines on narrow keys), a page of short ones and five on a third page (at
// most 35 keys a page).
QList<dynMapButton> pagedFunctions()
{
    QList<dynMapButton> functions = functionKeys(10 + 35 + 35 + 5);
    for (int i = 10; i < 45; ++i) {
        functions[i].funcName = QStringLiteral("储值卡会员充值%1").arg(i);
        functions[i].funcNameEn = QStringLiteral("Card top-up %1").arg(i);
    }
    return functions;
}

} // namespace

class ScreensLayoutTest : public ScreenTestCase
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        applySize(QSize(1024, 768));
        ScreenTestCase::cleanup();
    }

    void saleColumnsFitTheTable_data() { sizeRows({QString(), QStringLiteral("with a promotion")}); }

    void saleColumnsFitTheTable()
    {
        QFETCH(QSize, size);
        QFETCH(QString, variant);
        const bool promotion = !variant.isEmpty();
        auto screen = salesScreen(size);
        QList<KxPosPluDetail> lines{
            saleLine(1, QStringLiteral("6901234567892"), QStringLiteral("农夫山泉饮用天然水 550ml"), 1, 2.0, QStringLiteral("瓶")),
            saleLine(2, QStringLiteral("6920202888883"), QStringLiteral("康师傅红烧牛肉面"), 12, 4.5, QStringLiteral("袋")),
            saleLine(3, QStringLiteral("1001"), QStringLiteral("红富士苹果"), 0.862, 12.8, QStringLiteral("千克"))};
        screen->rebindModel(lines, {});
        if (promotion)
            screen->UpdatePluProInfo({{1, QStringLiteral("第二件半价")}});
        QVERIFY(waitUntilStill());

        auto* view = child<QTableView>(screen.get(), "tbvSale");
        QVERIFY2(view->horizontalHeader()->length() <= view->viewport()->width() + 1,
                 qPrintable(QStringLiteral("columns take %1 px of a %2 px table")
                                .arg(view->horizontalHeader()->length()).arg(view->viewport()->width())));
        QCOMPARE(view->isColumnHidden(14), !promotion);
        // Every figure, code, unit and promotion is read whole: its column is wider than its text (a promotion
        // may take two lines); the product name keeps room for five characters a line.
        const QFontMetrics metrics(view->font());
        for (int column = 0; column < view->model()->columnCount(); ++column) {
            const int textLines = column == 14 ? 2 : 1;
            for (int row = 0; column != 2 && !view->isColumnHidden(column) && row < view->model()->rowCount(); ++row) {
                const QString text = view->model()->index(row, column).data().toString();
                const int needed = (metrics.horizontalAdvance(text) + textLines - 1) / textLines;
                QVERIFY2(view->columnWidth(column) > needed, qPrintable(QStringLiteral("column %1 is %2 px for \"%3\" (%4 px)")
                                                                          .arg(column).arg(view->columnWidth(column)).arg(text).arg(needed)));
            }
        }
        QVERIFY(view->columnWidth(2) >= metrics.horizontalAdvance(QStringLiteral("康师傅红烧")));
    }

    void functionCaptionsFitTheirKeys_data() { sizeRows(); }

    void functionCaptionsFitTheirKeys()
    {
        QFETCH(QSize, size);
        // The first twelve keys fill the shortcut bar and more; the long captions go to the grid.
        const QStringList captions{QStringLiteral("撤销券支付"), QStringLiteral("储值卡支付"), QStringLiteral("单品折扣"),
                                   QStringLiteral("会员充值"), QStringLiteral("预置键编辑"), QStringLiteral("交班")};
        QList<dynMapButton> functions = functionKeys(12 + captions.size());
        for (int i = 0; i < captions.size(); ++i)
            functions[12 + i].funcName = captions.at(i);
        auto screen = salesScreen(size, functions);
        clickChild(screen.get(), "toolButtonKeyMore");
        QVERIFY(waitUntilStill());

        int checked = 0, whole = 0;
        for (QPushButton* key : screen->findChildren<QPushButton*>(QStringLiteral("funcButton"))) {
            if (key->text().isEmpty() || !key->isVisible())
                continue;
            ++checked;
            // The caption's room: the key's contents as its style lays them out (border and padding taken off).
            QStyleOptionButton option;
            option.initFrom(key);
            option.text = key->text();
            const int room = key->style()->subElementRect(QStyle::SE_PushButtonContents, &option, key).width();
            const QStringList lines = key->text().split(QLatin1Char('\n'));
            QVERIFY2(lines.size() <= 2, qPrintable(key->text()));
            for (const QString& line : lines)
                QVERIFY2(key->fontMetrics().horizontalAdvance(line) <= room,
                         qPrintable(QStringLiteral("\"%1\" on a key with %2 px room").arg(line).arg(room)));
            whole += captions.contains(lines.join(QString())) ? 1 : 0; // the function's caption, whole
        }
        QVERIFY(checked >= captions.size());
        QCOMPARE(whole, captions.size());
    }

    // --- The function grid's pages -------------------------------------------------------------------------------

    void functionPagesKeepTheirCells_data() { sizeRows({QStringLiteral("zh_CN"), QStringLiteral("en")}); }

    // Paging through long, short and missing captions moves no key, every caption is the page's own and fits its
    // key (a short one on one line), and a page shows the same texts on every visit. The rows run at widths one
    // after another in one program, so a caption wrapped for one width must not come back at another.
    void functionPagesKeepTheirCells()
    {
        QFETCH(QSize, size);
        QFETCH(QString, variant);
        const QList<dynMapButton> functions = pagedFunctions();
        auto screen = salesScreen(size, functions);
        QVERIFY(KxPosTranslator::SetLanguage(variant));
        clickChild(screen.get(), "toolButtonKeyMore");
        QVERIFY(waitUntilStill());

        const QList<QPushButton*> keys = gridKeys(screen.get());
        QVERIFY(keys.size() == 28 || keys.size() == 35); // four or five columns of seven
        QVector<QRect> cells;
        for (QPushButton* key : keys)
            cells << key->geometry();
        for (const QRect& cell : qAsConst(cells)) {
            QVERIFY2(qAbs(cell.width() - cells.first().width()) <= 1 && qAbs(cell.height() - cells.first().height()) <= 1,
                     "the keys do not share the grid evenly");
        }
        const auto pageTexts = [&keys] {
            QStringList texts;
            for (QPushButton* key : keys)
                texts << key->text();
            return texts;
        };
        QVector<QStringList> firstVisit;
        for (int page = 1; page <= 3; ++page) {
            for (int k = 0; k < keys.size(); ++k) {
                QPushButton* key = keys.at(k);
                QCOMPARE(key->geometry(), cells.at(k));
                const int j = 10 + (page - 1) * keys.size() + k;
                const QString caption = j < functions.size() ? functions.at(j).GetCaption(variant) : QString();
                const QString flat = variant == QLatin1String("en") ? QString(key->text()).replace('\n', ' ')
                                                                     : QString(key->text()).remove('\n');
                QCOMPARE(flat, caption);
                const QFontMetrics metrics = key->fontMetrics();
                const int room = captionRoom(key);
                for (const QString& line : key->text().split('\n'))
                    QVERIFY2(metrics.horizontalAdvance(line) <= room,
                             qPrintable(QStringLiteral("\"%1\" on a key with %2 px room").arg(line).arg(room)));
                if (metrics.horizontalAdvance(caption) * 2 <= room)
                    QVERIFY2(!key->text().contains('\n'), qPrintable(key->text() + QStringLiteral(" wrapped needlessly")));
            }
            firstVisit << pageTexts();
            clickChild(screen.get(), "btnNextFunc");
            QVERIFY(waitUntilStill());
        }
        // Past the last page the grid starts over; backwards it visits 3, 2, 1.
        QCOMPARE(pageTexts(), firstVisit.at(0));
        for (int page = 3; page >= 1; --page) {
            clickChild(screen.get(), "btnPreFunc");
            QVERIFY(waitUntilStill());
            QCOMPARE(pageTexts(), firstVisit.at(page - 1));
            for (int k = 0; k < keys.size(); ++k)
                QCOMPARE(keys.at(k)->geometry(), cells.at(k));
        }
    }

    // The coupon screen's lists are reached with Tab: the one holding the
    // keyboard is framed in the accent colour, the others are not, and the
    // frame does not move the rows.
    void couponListsShowTheKeyboard_data()
    {
        QTest::addColumn<QString>("focused");
        QTest::newRow("coupon list") << "lvCoupon";
        QTest::newRow("coupon's products") << "tbvPluSelection";
    }

    void couponListsShowTheKeyboard()
    {
        QFETCH(QString, focused);
        applySize(QSize(1024, 768));
        auto screen = couponScreen(false);
        QVERIFY(QTest::qWaitForWindowActive(screen.get()));
        const QStringList lists{QStringLiteral("lvCoupon"), QStringLiteral("tbvPluSelection")};
        QHash<QString, QRect> viewports;
        for (const QString& name : lists)
            viewports.insert(name, child<QAbstractItemView>(screen.get(), qPrintable(name))->viewport()->geometry());
        child<QWidget>(screen.get(), qPrintable(focused))->setFocus(Qt::TabFocusReason);
        QVERIFY(waitUntilStill());
        for (const QString& name : lists) {
            auto* view = child<QAbstractItemView>(screen.get(), qPrintable(name));
            QVERIFY2(view->isVisible(), qPrintable(name));
            const QImage image = view->grab().toImage();
            const QColor frame = image.pixelColor(0, image.height() / 2);
            QCOMPARE(frame == QColor(QStringLiteral("#23BAFA")), name == focused);
            QCOMPARE(view->viewport()->geometry(), viewports.value(name));
        }
    }

    void functionKeysShowTheirState_data() { sizeRows(); }

    // A key's look follows its state as pages turn in and out of edit mode: chosen (on the bar), normal, or empty;
    // the keys of one state look alike and the states apart.
    void functionKeysShowTheirState()
    {
        QFETCH(QSize, size);
        auto screen = salesScreen(size, functionKeys(40)); // ten on the bar, thirty in the grid
        clickChild(screen.get(), "toolButtonKeyMore");
        QVERIFY(waitUntilStill());
        const QList<QPushButton*> keys = gridKeys(screen.get());
        QVERIFY(keys.size() == 28 || keys.size() == 35);
        QHash<QString, QRgb> looks; // state -> the background of its keys
        // In edit mode the grid offers all forty, the bar's ten chosen; outside it the thirty others. Entering and
        // leaving edit mode shows page 1; the page keys go round.
        bool edit = false;
        int page = 1;
        for (const char* name : {"btnEditFun", "btnNextFunc", "btnPreFunc", "btnNextFunc", "btnEditFun", "btnNextFunc",
                                 "btnNextFunc", "btnPreFunc"}) {
            const int pages = ((edit ? 40 : 30) + keys.size() - 1) / keys.size();
            if (qstrcmp(name, "btnEditFun") == 0) {
                edit = !edit;
                page = 1;
            } else if (qstrcmp(name, "btnNextFunc") == 0) {
                page = page >= pages ? 1 : page + 1;
            } else {
                page = page > 1 ? page - 1 : pages;
            }
            clickChild(screen.get(), name);
            QVERIFY(waitUntilStill());
            for (int k = 0; k < keys.size(); ++k) {
                const int j = (page - 1) * keys.size() + k;
                const QString state = edit ? (j < 10 ? QStringLiteral("choose") : j < 40 ? QStringLiteral("normal")
                                                                                          : QStringLiteral("init"))
                                           : (j < 30 ? QStringLiteral("normal") : QStringLiteral("init"));
                const QString where = QStringLiteral("%1, page %2, key %3").arg(edit ? "edit" : "sale").arg(page).arg(k);
                QVERIFY2(showType(keys.at(k)) == state, qPrintable(where + QStringLiteral(": ") + showType(keys.at(k))));
                const QImage image = keys.at(k)->grab().toImage();
                const QRgb background = image.pixel(image.width() / 2, 3);
                if (!looks.contains(state))
                    looks.insert(state, background);
                QVERIFY2(looks.value(state) == background, qPrintable(where + QStringLiteral(" looks unlike its state")));
            }
        }
        QCOMPARE(looks.size(), 3);
        QVERIFY(looks.value("choose") != looks.value("normal") && looks.value("normal") != looks.value("init")
                && looks.value("choose") != looks.value("init"));
    }
};

QTEST_MAIN(ScreensLayoutTest)
#include "tst_screens_layout.moc"
