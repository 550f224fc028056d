// Delegates of the online-order panel: click areas of the picked-line
// delegate, channel and colour tags (their painting is compared by the
// screenshot program).

#include "TestAccess.h"
#include "TestSupport.h"

#include "trade/OrderListDelegate.h"
#include "trade/StandardDelegate.h"

#include "contracts/KxPosConfig.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QStyleOptionViewItem>
#include <QtTest>

using namespace KxPosTest;

namespace {
const QRect QuantityCell(100, 0, 300, 52);
const QRect NumberCell(0, 0, 80, 52);
const QColor Background(QStringLiteral("#808080"));

QImage blankImage(const QSize& size)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Background);
    return image;
}

QStyleOptionViewItem optionFor(const QRect& rect, bool current = false)
{
    QStyleOptionViewItem option;
    option.rect = rect;
    option.state = QStyle::State_Enabled;
    if (current)
        option.state |= QStyle::State_Selected;
    return option;
}

template<class Delegate>
void paintCell(Delegate* delegate, QImage& image, const QRect& rect, const QModelIndex& index, bool current = false)
{
    QPainter painter(&image);
    delegate->paint(&painter, optionFor(rect, current), index);
}

// A click on the picked-line delegate: where (row, column, the picture it is
// measured from and the offset) and how; the signal expected, empty: none.
struct Click {
    int row, column;
    QString anchor;
    int offset, button, eventType;
    bool showButtons;
    QString modeText, expected;
};
} // namespace

Q_DECLARE_METATYPE(Click)

class TradeDelegatesTest : public ScreenTestCase
{
    Q_OBJECT

private:
    QStandardItemModel pickModel{3, 4};

private slots:
    void init()
    {
        KxPosConfig::dRate = 1.0;
        ScreenTestCase::init();
        const QStringList rows[] = {{"1", "可乐", "2", "0"},
                                    {"2", "西瓜", StandardDelegate::WeighCaption(), "0"},
                                    {"3", "葡萄", "0.5kg", "1"}};
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 4; ++c)
                pickModel.setItem(r, c, new QStandardItem(rows[r].at(c)));
    }

    void cleanup()
    {
        ScreenTestCase::cleanup();
        KxPosConfig::dRate = 1.0;
    }

    void clickAreas_data()
    {
        QTest::addColumn<Click>("c");
        const int left = Qt::LeftButton;
        const int release = QEvent::MouseButtonRelease;
        QTest::newRow("remove +1") << Click{0, 0, "remove", 1, left, release, true, "", "remove"};
        QTest::newRow("remove locked") << Click{0, 0, "minus", 5, left, release, true, "0", ""};
        QTest::newRow("minus +1") << Click{0, 2, "minus", 1, left, release, true, "", "minus"};
        QTest::newRow("minus +0") << Click{0, 2, "minus", 0, left, release, true, "", ""};
        QTest::newRow("between pictures") << Click{0, 2, "minus", 40, left, release, true, "", ""};
        QTest::newRow("plus -1") << Click{0, 2, "plus", -1, left, release, true, "", "add"};
        QTest::newRow("weighed row on minus") << Click{2, 2, "minus", 5, left, release, true, "", "weigh"};
        QTest::newRow("weigh caption text") << Click{1, 2, "minus", 5, left, release, true, "", "weigh"};
        QTest::newRow("press") << Click{0, 2, "minus", 5, left, int(QEvent::MouseButtonPress), true, "", ""};
        QTest::newRow("not picking") << Click{0, 2, "minus", 5, left, release, false, "", ""};
        QTest::newRow("name column") << Click{0, 1, "minus", 5, left, release, true, "", ""};
    }

    void clickAreas()
    {
        QFETCH(Click, c);
        // A delegate as the panel leaves it while picking, painted once so
        // that its picture positions are known.
        StandardDelegate delegate;
        delegate.SetShowButtons(c.showButtons);
        delegate.SetWeighRows({{0, "0"}, {1, "0"}, {2, "1"}});
        delegate.SetModeText(c.modeText);
        QImage image = blankImage(QSize(420, 60));
        paintCell(&delegate, image, NumberCell, pickModel.index(0, 0));
        paintCell(&delegate, image, QuantityCell, pickModel.index(0, 2));
        if (c.showButtons) {
            QVERIFY(KxPosTestAccess::PlusPosition(delegate) - KxPosTestAccess::MinusPosition(delegate) > 2 * StandardDelegate::ClickWidth);
            QCOMPARE(KxPosTestAccess::RemovePosition(delegate) == KxPosTestAccess::NoPosition, c.modeText == QLatin1String("0"));
        }
        QSignalSpy minus(&delegate, &StandardDelegate::signMinusOne);
        QSignalSpy add(&delegate, &StandardDelegate::signAddOne);
        QSignalSpy weigh(&delegate, &StandardDelegate::signWeightProd);
        QSignalSpy remove(&delegate, &StandardDelegate::signRemove);
        const int base = c.anchor == QLatin1String("remove") ? KxPosTestAccess::RemovePosition(delegate)
            : c.anchor == QLatin1String("plus")              ? KxPosTestAccess::PlusPosition(delegate)
                                                             : KxPosTestAccess::MinusPosition(delegate);
        const QRect cell = c.column == 0 ? NumberCell : QuantityCell;
        const QPoint at(base + c.offset, cell.center().y());
        QMouseEvent event(QEvent::Type(c.eventType), at, at, Qt::MouseButton(c.button), Qt::MouseButton(c.button),
                          Qt::NoModifier);
        const QModelIndex index = pickModel.index(c.row, c.column);
        const bool consumed = delegate.editorEvent(&event, &pickModel, optionFor(cell), index);

        QCOMPARE(remove.count(), c.expected == QLatin1String("remove") ? 1 : 0);
        QCOMPARE(minus.count(), c.expected == QLatin1String("minus") ? 1 : 0);
        QCOMPARE(add.count(), c.expected == QLatin1String("add") ? 1 : 0);
        QCOMPARE(weigh.count(), c.expected == QLatin1String("weigh") ? 1 : 0);
        QCOMPARE(consumed, !c.expected.isEmpty());
        if (weigh.count())
            QCOMPARE(weigh.at(0).at(0).toInt(), c.row);
        for (QSignalSpy* spy : {&remove, &minus, &add}) {
            if (spy->count())
                QCOMPARE(spy->at(0).at(0).value<QModelIndex>(), index);
        }
    }

};

QTEST_MAIN(TradeDelegatesTest)
#include "tst_trade_delegates.moc"
