// Layout at the three screen sizes, where the screenshots showed faults: the
// sale-line table keeps every code, figure and promotion readable without
// side scrolling and leaves the product name its room; function-key captions
// fit their keys (long ones on two lines); the customer form's key line
// breaks between its key items only.

#include "TestSupport.h"

#include "options/CustomerInfoWidget.h"
#include "trade/TradeWidget.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosModel.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/UiTool.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <memory>

namespace {

KxPosPluDetail saleLine(int lineNo, const QString& code, const QString& name, double qty, double price,
                        const QString& unit)
{
    KxPosPluDetail p;
    p.lineNo = lineNo;
    p.pluCode = code;
    p.pluName = name;
    p.saleQty = qty;
    p.quantityDecimals = qty == int(qty) ? 0 : 3;
    p.salePrice = price;
    p.lineAmount = qty * price;
    p.unitName = unit;
    p.weighFlag = qty == int(qty) ? QStringLiteral("0") : QStringLiteral("1");
    return p;
}

dynMapButton function(const QString& code, const QString& zh, const QString& en)
{
    dynMapButton b;
    b.funcId = b.funcCode = code;
    b.funcName = zh;
    b.funcNameEn = en;
    return b;
}

QList<QSize> sizes()
{
    return {QSize(800, 600), QSize(1024, 768), QSize(1920, 1080)};
}

QString sizeName(const QSize& size)
{
    return QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
}

void settle(int ms)
{
    QTest::qWait(ms);
}

} // namespace

class ScreensLayoutTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        KxPosTest::installStrictMessageHandler();
        KxPosModel::RegisterMetaTypes();
        m_config = std::make_unique<KxPosTest::ScopedConfigDir>();
        QVERIFY(KxPosTranslator::SetLanguage(QStringLiteral("zh_CN")));
    }

    void cleanup()
    {
        KxPosConfig::SetAppSize(1024, 768);
        UiTool::ApplyStyleSheet(qApp);
    }

    void saleColumnsFitTheTable_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("promotion");
        for (const QSize& size : sizes()) {
            QTest::newRow(qPrintable(sizeName(size))) << size << false;
            QTest::newRow(qPrintable(sizeName(size) + QStringLiteral(" with a promotion"))) << size << true;
        }
    }

    void saleColumnsFitTheTable()
    {
        QFETCH(QSize, size);
        QFETCH(bool, promotion);
        KxPosConfig::SetAppSize(size.width(), size.height());
        UiTool::ApplyStyleSheet(qApp);
        TradeWidget screen(0, nullptr);
        screen.setFixedSize(size);
        screen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        settle(300); // the screen starts its sale 200 ms after showing
        QList<KxPosPluDetail> lines{
            saleLine(1, QStringLiteral("6901234567892"), QStringLiteral("农夫山泉饮用天然水 550ml"), 1, 2.0, QStringLiteral("瓶")),
            saleLine(2, QStringLiteral("6920202888883"), QStringLiteral("康师傅红烧牛肉面"), 12, 4.5, QStringLiteral("袋")),
            saleLine(3, QStringLiteral("1001"), QStringLiteral("红富士苹果"), 0.862, 12.8, QStringLiteral("千克")),
        };
        screen.rebindModel(lines, {});
        if (promotion)
            screen.UpdatePluProInfo({{1, QStringLiteral("第二件半价")}});
        settle(50);

        auto* view = screen.findChild<QTableView*>(QStringLiteral("tbvSale"));
        QVERIFY(view);
        QHeaderView* header = view->horizontalHeader();
        const int room = view->viewport()->width();
        QVERIFY2(header->length() <= room + 1, qPrintable(QStringLiteral("columns take %1 px of a %2 px table")
                                                               .arg(header->length())
                                                               .arg(room)));
        QCOMPARE(view->isColumnHidden(14), !promotion);

        // Every figure, code, unit and promotion is read whole: its column is
        // wider than its text (a promotion may take two lines).
        const QFontMetrics metrics(view->font());
        QAbstractItemModel* model = view->model();
        for (int column = 0; column < model->columnCount(); ++column) {
            if (column == 2 || view->isColumnHidden(column))
                continue;
            const int lines = column == 14 ? 2 : 1;
            for (int row = 0; row < model->rowCount(); ++row) {
                const QString text = model->index(row, column).data().toString();
                const int needed = (metrics.horizontalAdvance(text) + lines - 1) / lines;
                QVERIFY2(view->columnWidth(column) > needed,
                         qPrintable(QStringLiteral("column %1 is %2 px for \"%3\" (%4 px)")
                                        .arg(column)
                                        .arg(view->columnWidth(column))
                                        .arg(text)
                                        .arg(needed)));
            }
        }
        // The product name keeps room for at least five characters a line.
        const int nameWidth = view->columnWidth(2);
        QVERIFY2(nameWidth >= metrics.horizontalAdvance(QStringLiteral("康师傅红烧")),
                 qPrintable(QStringLiteral("the name column has %1 px").arg(nameWidth)));
    }

    void functionCaptionsFitTheirKeys_data()
    {
        QTest::addColumn<QSize>("size");
        for (const QSize& size : sizes())
            QTest::newRow(qPrintable(sizeName(size))) << size;
    }

    void functionCaptionsFitTheirKeys()
    {
        QFETCH(QSize, size);
        KxPosConfig::SetAppSize(size.width(), size.height());
        UiTool::ApplyStyleSheet(qApp);
        TradeWidget screen(0, nullptr);
        screen.setFixedSize(size);
        QStringList captions{QStringLiteral("撤销券支付"), QStringLiteral("储值卡支付"), QStringLiteral("单品折扣"),
                             QStringLiteral("会员充值"), QStringLiteral("预置键编辑"), QStringLiteral("交班")};
        // The first keys go to the shortcut bar; the rest to the grid.
        for (int i = 0; i < 12; ++i)
            screen.gridFunctions << function(QStringLiteral("F0%1").arg(i, 2, 10, QLatin1Char('0')),
                                             QStringLiteral("快捷%1").arg(i), QStringLiteral("Shortcut %1").arg(i));
        for (int i = 0; i < captions.size(); ++i)
            screen.gridFunctions << function(QStringLiteral("F1%1").arg(i, 2, 10, QLatin1Char('0')), captions.at(i),
                                             QStringLiteral("Function %1").arg(i));
        screen.InitFuncArea();
        screen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        settle(300);
        auto* more = screen.findChild<QToolButton*>(QStringLiteral("toolButtonKeyMore"));
        QVERIFY(more);
        QTest::mouseClick(more, Qt::LeftButton);
        settle(100);

        int checked = 0;
        int whole = 0;
        for (QPushButton* key : screen.findChildren<QPushButton*>(QStringLiteral("funcButton"))) {
            if (key->text().isEmpty() || !key->isVisible())
                continue;
            ++checked;
            // The caption's room: the key's contents as its style lays them
            // out (the style sheet's border and padding taken off).
            QStyleOptionButton option;
            option.initFrom(key);
            option.text = key->text();
            const int room = key->style()->subElementRect(QStyle::SE_PushButtonContents, &option, key).width();
            const QStringList lines = key->text().split(QLatin1Char('\n'));
            QVERIFY2(lines.size() <= 2, qPrintable(key->text()));
            for (const QString& line : lines) {
                QVERIFY2(key->fontMetrics().horizontalAdvance(line) <= room,
                         qPrintable(QStringLiteral("\"%1\" is %2 px on a key with %3 px room")
                                        .arg(line)
                                        .arg(key->fontMetrics().horizontalAdvance(line))
                                        .arg(room)));
            }
            // The caption is the function's, whole.
            if (captions.contains(lines.join(QString())))
                ++whole;
        }
        QVERIFY(checked >= captions.size());
        QCOMPARE(whole, captions.size());
    }

    void customerKeyLineBreaksBetweenItems_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("language");
        for (const QSize& size : sizes()) {
            QTest::newRow(qPrintable(sizeName(size) + QStringLiteral(" zh_CN"))) << size << QStringLiteral("zh_CN");
            QTest::newRow(qPrintable(sizeName(size) + QStringLiteral(" en"))) << size << QStringLiteral("en");
        }
    }

    void customerKeyLineBreaksBetweenItems()
    {
        QFETCH(QSize, size);
        QFETCH(QString, language);
        KxPosConfig::SetAppSize(size.width(), size.height());
        UiTool::ApplyStyleSheet(qApp);
        QVERIFY(KxPosTranslator::SetLanguage(language));
        CustomerInfoWidget form(1, nullptr);
        QStringList shown;
        int width = 0;
        QFontMetrics metrics(form.font());
        QTimer::singleShot(0, &form, [&] {
            settle(50);
            QLabel* keys = form.getUiQLable(1);
            shown = keys->text().split(QLatin1Char('\n'));
            width = keys->contentsRect().width();
            metrics = keys->fontMetrics();
            form.CloseCustomerInfoWidget();
        });
        QTimer::singleShot(10000, &form, [&] { form.done(0); }); // a watchdog
        form.exec();
        const QStringList items =
            KxPosTranslator::GetTranslation(7426).split(QStringLiteral("  "), Qt::SkipEmptyParts);
        QVERIFY(KxPosTranslator::SetLanguage(QStringLiteral("zh_CN")));
        QVERIFY(items.size() > 3);
        QStringList again;
        for (const QString& line : qAsConst(shown)) {
            QVERIFY2(metrics.horizontalAdvance(line) <= width,
                     qPrintable(QStringLiteral("\"%1\" is wider than the %2 px line").arg(line).arg(width)));
            for (const QString& item : line.split(QStringLiteral("  "), Qt::SkipEmptyParts))
                again << item.trimmed();
        }
        // The items, each whole and in order.
        for (QString& item : again)
            item = item.trimmed();
        QStringList expected;
        for (const QString& item : items)
            expected << item.trimmed();
        QCOMPARE(again, expected);
    }

private:
    std::unique_ptr<KxPosTest::ScopedConfigDir> m_config;
};

QTEST_MAIN(ScreensLayoutTest)
#include "tst_screens_layout.moc"
