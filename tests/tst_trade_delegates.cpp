// Delegates of the online-order panel: click areas of the picked-line
// delegate, painting of cards and lines, channel and colour tags.

#include "TestSupport.h"

#include "trade/OrderListDelegate.h"
#include "trade/PluOrderDelegate.h"
#include "trade/StandardDelegate.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosTranslator.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QStyleOptionViewItem>
#include <QtTest>

#include <memory>

using namespace KxPosTest;

namespace {
const QRect QuantityCell(100, 0, 300, 52);
const QRect NumberCell(0, 0, 80, 52);

QImage blankImage(const QSize& size)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(QColor(QStringLiteral("#808080")));
    return image;
}

QStyleOptionViewItem optionFor(const QRect& rect, bool current)
{
    QStyleOptionViewItem option;
    option.rect = rect;
    option.state = QStyle::State_Enabled;
    if (current)
        option.state |= QStyle::State_Selected;
    return option;
}

void paintCell(QStyledItemDelegate* styled, QItemDelegate* item, QImage& image, const QRect& rect,
               const QModelIndex& index, bool current = false)
{
    QPainter painter(&image);
    if (styled)
        styled->paint(&painter, optionFor(rect, current), index);
    else
        item->paint(&painter, optionFor(rect, current), index);
}

// Bounding box of the pixels of exactly `colour`; null when none.
QRect pixelsOf(const QImage& image, const QColor& colour)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) == colour)
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}
} // namespace

class TradeDelegatesTest : public ScreenTestCase
{
    Q_OBJECT

private:
    QStandardItemModel pickModel{3, 4};
    QStandardItemModel cardModel{1, 13};
    QStandardItemModel lineModel{1, 7};

    void fillPickModel()
    {
        const QStringList rows[] = {
            {"1", "可乐", "2", "0"},
            {"2", "西瓜", StandardDelegate::WeighCaption(), "0"},
            {"3", "葡萄", "0.5kg", "1"},
        };
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 4; ++c)
                pickModel.setItem(r, c, new QStandardItem(rows[r].at(c)));
    }

    void fillCard(const QString& tagCodes, const QString& pickupNo = QStringLiteral("#12"))
    {
        const QMap<int, QString> cells{{0, "A1"},        {1, KxPosTranslator::GetTranslation(1131)},
                                       {6, "张先生 138****1234"}, {9, pickupNo},
                                       {10, "12:30 送达"}, {11, tagCodes},
                                       {12, "133"}};
        for (int c = 0; c < 13; ++c)
            cardModel.setItem(0, c, new QStandardItem(cells.value(c)));
    }

    // A delegate as the panel leaves it while picking, painted once so that
    // its picture positions are known.
    std::unique_ptr<StandardDelegate> pickingDelegate(bool showButtons, const QString& modeText = QString())
    {
        auto delegate = std::make_unique<StandardDelegate>();
        delegate->SetShowButtons(showButtons);
        delegate->SetWeighRows({{0, "0"}, {1, "0"}, {2, "1"}});
        delegate->SetModeText(modeText);
        QImage image = blankImage(QSize(420, 60));
        paintCell(nullptr, delegate.get(), image, NumberCell, pickModel.index(0, 0));
        paintCell(nullptr, delegate.get(), image, QuantityCell, pickModel.index(0, 2));
        return delegate;
    }

private slots:
    void init()
    {
        KxPosConfig::dRate = 1.0;
        ScreenTestCase::init();
        fillPickModel();
    }

    void cleanup()
    {
        ScreenTestCase::cleanup();
        KxPosConfig::dRate = 1.0;
    }

    void clickAreas_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("anchor");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("eventType");
        QTest::addColumn<bool>("showButtons");
        QTest::addColumn<QString>("modeText");
        QTest::addColumn<QString>("expected");
        const int left = Qt::LeftButton;
        const int release = QEvent::MouseButtonRelease;
        QTest::newRow("remove +1") << 0 << 0 << "remove" << 1 << left << release << true << "" << "remove";
        QTest::newRow("remove +39") << 0 << 0 << "remove" << 39 << left << release << true << "" << "remove";
        QTest::newRow("remove +0") << 0 << 0 << "remove" << 0 << left << release << true << "" << "";
        QTest::newRow("remove +40") << 0 << 0 << "remove" << 40 << left << release << true << "" << "";
        QTest::newRow("remove locked") << 0 << 0 << "minus" << 5 << left << release << true << "0" << "";
        QTest::newRow("minus +1") << 0 << 2 << "minus" << 1 << left << release << true << "" << "minus";
        QTest::newRow("minus +39") << 0 << 2 << "minus" << 39 << left << release << true << "" << "minus";
        QTest::newRow("minus +0") << 0 << 2 << "minus" << 0 << left << release << true << "" << "";
        QTest::newRow("between pictures") << 0 << 2 << "minus" << 40 << left << release << true << "" << "";
        QTest::newRow("plus -1") << 0 << 2 << "plus" << -1 << left << release << true << "" << "add";
        QTest::newRow("plus -39") << 0 << 2 << "plus" << -39 << left << release << true << "" << "add";
        QTest::newRow("plus -40") << 0 << 2 << "plus" << -40 << left << release << true << "" << "";
        QTest::newRow("plus edge") << 0 << 2 << "plus" << 0 << left << release << true << "" << "";
        QTest::newRow("weighed row on minus") << 2 << 2 << "minus" << 5 << left << release << true << "" << "weigh";
        QTest::newRow("weighed row on plus") << 2 << 2 << "plus" << -5 << left << release << true << "" << "weigh";
        QTest::newRow("weigh caption text") << 1 << 2 << "minus" << 5 << left << release << true << "" << "weigh";
        QTest::newRow("right button") << 0 << 2 << "minus" << 5 << int(Qt::RightButton) << release << true << ""
                                      << "";
        QTest::newRow("press") << 0 << 2 << "minus" << 5 << left << int(QEvent::MouseButtonPress) << true << ""
                               << "";
        QTest::newRow("double click") << 0 << 2 << "minus" << 5 << left << int(QEvent::MouseButtonDblClick) << true
                                      << "" << "";
        QTest::newRow("not picking") << 0 << 2 << "minus" << 5 << left << release << false << "" << "";
        QTest::newRow("weighed, not picking") << 2 << 2 << "minus" << 5 << left << release << false << "" << "";
        QTest::newRow("name column") << 0 << 1 << "minus" << 5 << left << release << true << "" << "";
    }

    void clickAreas()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, anchor);
        QFETCH(int, offset);
        QFETCH(int, button);
        QFETCH(int, eventType);
        QFETCH(bool, showButtons);
        QFETCH(QString, modeText);
        QFETCH(QString, expected);
        auto delegate = pickingDelegate(showButtons, modeText);
        if (showButtons) {
            QVERIFY(delegate->MinusPosition() != StandardDelegate::NoPosition);
            QVERIFY(delegate->PlusPosition() - delegate->MinusPosition() > 2 * StandardDelegate::ClickWidth);
            QCOMPARE(delegate->RemovePosition() == StandardDelegate::NoPosition, modeText == QLatin1String("0"));
        }
        QSignalSpy minus(delegate.get(), &StandardDelegate::signMinusOne);
        QSignalSpy add(delegate.get(), &StandardDelegate::signAddOne);
        QSignalSpy weigh(delegate.get(), &StandardDelegate::signWeightProd);
        QSignalSpy remove(delegate.get(), &StandardDelegate::signRemove);

        int base = delegate->MinusPosition();
        if (anchor == QLatin1String("remove"))
            base = delegate->RemovePosition();
        else if (anchor == QLatin1String("plus"))
            base = delegate->PlusPosition();
        const QRect cell = column == 0 ? NumberCell : QuantityCell;
        const QPoint pos(base + offset, cell.center().y());
        QMouseEvent event(QEvent::Type(eventType), pos, Qt::MouseButton(button), Qt::MouseButton(button),
                          Qt::NoModifier);
        const QModelIndex index = pickModel.index(row, column);
        const bool consumed = delegate->editorEvent(&event, &pickModel, optionFor(cell, false), index);

        QCOMPARE(remove.count(), expected == QLatin1String("remove") ? 1 : 0);
        QCOMPARE(minus.count(), expected == QLatin1String("minus") ? 1 : 0);
        QCOMPARE(add.count(), expected == QLatin1String("add") ? 1 : 0);
        QCOMPARE(weigh.count(), expected == QLatin1String("weigh") ? 1 : 0);
        QCOMPARE(consumed, !expected.isEmpty());
        if (expected == QLatin1String("weigh"))
            QCOMPARE(weigh.at(0).at(0).toInt(), row);
        for (QSignalSpy* spy : {&remove, &minus, &add}) {
            if (spy->count())
                QCOMPARE(spy->at(0).at(0).value<QModelIndex>(), index);
        }
    }

    void sizesFollowTheRate_data()
    {
        QTest::addColumn<double>("rate");
        QTest::addColumn<int>("textSize");
        QTest::addColumn<int>("pictureSize");
        QTest::newRow("1.0") << 1.0 << 25 << 40;
        QTest::newRow("1.5") << 1.5 << 31 << 50;
        QTest::newRow("0.5") << 0.5 << 19 << 30;
    }

    void sizesFollowTheRate()
    {
        QFETCH(double, rate);
        QFETCH(int, textSize);
        QFETCH(int, pictureSize);
        KxPosConfig::dRate = rate;
        StandardDelegate delegate;
        QCOMPARE(delegate.TextSize(), textSize);
        QCOMPARE(delegate.PictureSize(), pictureSize);
    }

    void currentRowIsHighlighted_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("current");
        for (const char* kind : {"card", "line", "picked"}) {
            QTest::addRow("%s current", kind) << kind << true;
            QTest::addRow("%s other", kind) << kind << false;
        }
    }

    void currentRowIsHighlighted()
    {
        QFETCH(QString, kind);
        QFETCH(bool, current);
        fillCard(QStringLiteral("0--0--1"));
        lineModel.setItem(0, 1, new QStandardItem(QStringLiteral("可乐")));
        QImage image = blankImage(QSize(320, 120));
        const QRect rect(0, 0, 300, 100);
        if (kind == QLatin1String("card")) {
            OrderListDelegate delegate;
            paintCell(&delegate, nullptr, image, rect, cardModel.index(0, 0), current);
        } else if (kind == QLatin1String("line")) {
            PluOrderDelegate delegate;
            paintCell(&delegate, nullptr, image, rect, lineModel.index(0, 1), current);
        } else {
            StandardDelegate delegate;
            paintCell(nullptr, &delegate, image, rect, pickModel.index(0, 1), current);
        }
        const QColor expected(current ? KxPosConfig::styleMap.value(QStringLiteral("$colorD")) : QStringLiteral("#FFFFFF"));
        QCOMPARE(image.pixelColor(1, 1), expected);
        QCOMPARE(image.pixelColor(rect.right() - 1, rect.top() + 1), expected);
        // Nothing is painted outside the row.
        QCOMPARE(image.pixelColor(310, 50), QColor(QStringLiteral("#808080")));
    }

    void channelTexts_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("message");
        QTest::newRow("133") << "133" << 32;
        QTest::newRow("133f") << "133f" << 32;
        QTest::newRow("132") << "132" << 31;
        QTest::newRow("132f") << "132f" << 31;
        QTest::newRow("132o") << "132o" << 31;
        QTest::newRow("134") << "134" << 1155;
        QTest::newRow("139") << "139" << 34;
        QTest::newRow("TMP") << "TMP" << 34;
        QTest::newRow("WMP") << "WMP" << 1156;
        QTest::newRow("01") << "01" << 1156;
        QTest::newRow("AMP") << "AMP" << 1157;
        QTest::newRow("141") << "141" << 1158;
        QTest::newRow("142") << "142" << 1159;
        QTest::newRow("unknown") << "135" << 708;
        QTest::newRow("lower case") << "tmp" << 708;
        QTest::newRow("empty") << "" << 708;
    }

    void channelTexts()
    {
        QFETCH(QString, code);
        QFETCH(int, message);
        QCOMPARE(OrderListDelegate::ChannelText(code), KxPosTranslator::GetTranslation(message));
    }

    void colourTags_data()
    {
        QTest::addColumn<QString>("codes");
        QTest::addColumn<int>("message");
        QTest::addColumn<QString>("colour");
        QTest::newRow("scheduled") << "1--1--2" << 2348 << "#C5292B";
        QTest::newRow("delivery") << "0--1--2" << 2349 << "#F77F42";
        QTest::newRow("pick-up") << "0--0--2" << 2350 << "#51B484";
        QTest::newRow("instant") << "0--0--1" << 2351 << "#517BF7";
        QTest::newRow("empty parts") << "--1--" << 2349 << "#F77F42";
        QTest::newRow("no third code") << "0--0--" << 2351 << "#517BF7";
        QTest::newRow("two parts") << "1--1" << 2351 << "#517BF7";
        QTest::newRow("one part") << "1" << 2351 << "#517BF7";
        QTest::newRow("empty") << "" << 2351 << "#517BF7";
    }

    void colourTags()
    {
        QFETCH(QString, codes);
        QFETCH(int, message);
        QFETCH(QString, colour);
        const OrderListDelegate::ColourTag tag = OrderListDelegate::ColourTagFor(codes);
        QCOMPARE(tag.text, KxPosTranslator::GetTranslation(message));
        QCOMPARE(tag.colour, QColor(colour));

        // The tag is painted in its colour, inside the card, and no other
        // tag colour appears. The pick-up number (also red) is left out.
        fillCard(codes, QString());
        OrderListDelegate delegate;
        QImage image = blankImage(QSize(300, 140));
        const QRect card(20, 20, 230, 96);
        paintCell(&delegate, nullptr, image, card, cardModel.index(0, 0));
        const QRect painted = pixelsOf(image, QColor(colour));
        QVERIFY(!painted.isNull());
        QVERIFY2(card.contains(painted), "colour tag outside the card");
        for (const char* other : {"#C5292B", "#F77F42", "#51B484", "#517BF7"}) {
            if (QColor(QLatin1String(other)) != QColor(colour))
                QVERIFY2(pixelsOf(image, QColor(QLatin1String(other))).isNull(), other);
        }
    }

    void cardTagsStayInsideTheCard_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<int>("cardWidth");
        QTest::newRow("1024x768") << QSize(1024, 768) << 230;
        QTest::newRow("1920x1080") << QSize(1920, 1080) << 420;
        QTest::newRow("800x600") << QSize(800, 600) << 180;
    }

    void cardTagsStayInsideTheCard()
    {
        QFETCH(QSize, screen);
        QFETCH(int, cardWidth);
        KxPosConfig::SetAppSize(screen.width(), screen.height());
        fillCard(QStringLiteral("0--1--0"));
        OrderListDelegate delegate;
        const int height = KxPosConfig::styleMap.value(QStringLiteral("$OrderTable_Height")).toInt();
        QImage image = blankImage(QSize(cardWidth + 40, height + 40));
        const QRect card(20, 20, cardWidth, height);
        paintCell(&delegate, nullptr, image, card, cardModel.index(0, 0));
        const QRect channel = pixelsOf(image, QColor(QStringLiteral("#BF9F7F")));
        const QRect colourTag = pixelsOf(image, QColor(QStringLiteral("#F77F42")));
        QVERIFY(!channel.isNull());
        QVERIFY(!colourTag.isNull());
        QVERIFY2(card.contains(channel), "channel tag outside the card");
        QVERIFY2(card.contains(colourTag), "colour tag outside the card");
        QVERIFY2(!channel.intersects(colourTag), "tags overlap");
        QCOMPARE(image.pixelColor(5, 5), QColor(QStringLiteral("#808080")));
    }

    void weighCaptionIsAButton()
    {
        StandardDelegate delegate;
        delegate.SetShowButtons(true);
        delegate.SetWeighRows({{2, "1"}});
        QImage image = blankImage(QSize(420, 60));
        paintCell(nullptr, &delegate, image, QuantityCell, pickModel.index(2, 2));
        const QRect button = pixelsOf(image, QColor(KxPosConfig::styleMap.value(QStringLiteral("$color2"))));
        QVERIFY(!button.isNull());
        QVERIFY(QuantityCell.contains(button));
        // Only the caption is drawn: no quantity pictures, so no click areas.
        QCOMPARE(delegate.MinusPosition(), StandardDelegate::NoPosition);
        QCOMPARE(delegate.PlusPosition(), StandardDelegate::NoPosition);
        // Without the buttons the weight is plain text.
        delegate.SetShowButtons(false);
        QImage plain = blankImage(QSize(420, 60));
        paintCell(nullptr, &delegate, plain, QuantityCell, pickModel.index(2, 2));
        QVERIFY(pixelsOf(plain, QColor(KxPosConfig::styleMap.value(QStringLiteral("$color2")))).isNull());
    }

    void styleTablesComeFromTheStyleMap_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::newRow("small") << QSize(1024, 768);
        QTest::newRow("large") << QSize(1920, 1080);
    }

    void styleTablesComeFromTheStyleMap()
    {
        QFETCH(QSize, screen);
        KxPosConfig::SetAppSize(screen.width(), screen.height());
        OrderListDelegate cards;
        PluOrderDelegate lines;
        for (const QString& name : OrderListDelegate::StyleNames())
            QCOMPARE(cards.StyleValue(name), KxPosConfig::styleMap.value(name).toInt());
        for (const QString& name : PluOrderDelegate::StyleNames())
            QCOMPARE(lines.StyleValue(name), KxPosConfig::styleMap.value(name).toInt());
        // A value the host removed falls back to the design value of the size.
        KxPosConfig::styleMap.remove(QStringLiteral("$typeUpSX"));
        cards.LoadStyle();
        QCOMPARE(cards.StyleValue(QStringLiteral("$typeUpSX")), KxPosConfig::GetAutoWidth(220, 130));
        QCOMPARE(cards.StyleValue(QStringLiteral("$unknown")), 0);
        KxPosConfig::RefreshStyleMap();
    }

    void packageContentsGetTheirOwnLines()
    {
        PluOrderDelegate delegate;
        const int pack = delegate.StyleValue(QStringLiteral("$pack_height"));
        lineModel.setItem(0, 1, new QStandardItem(QStringLiteral("套餐\r\n--豆浆×1\r\n--油条×2")));
        lineModel.setItem(0, 6, new QStandardItem(QStringLiteral("2")));
        const int height = 46 + 2 * pack;
        QImage image = blankImage(QSize(300, height));
        paintCell(&delegate, nullptr, image, QRect(0, 0, 300, height), lineModel.index(0, 1));
        // Dark text appears in each of the two package bands below the first.
        for (int band = 0; band < 2; ++band) {
            bool found = false;
            for (int y = 46 + band * pack; y < 46 + (band + 1) * pack && !found; ++y)
                for (int x = 0; x < 300 && !found; ++x)
                    found = image.pixelColor(x, y).value() < 160;
            QVERIFY2(found, qPrintable(QStringLiteral("no text in package band %1").arg(band)));
        }
    }
};

QTEST_MAIN(TradeDelegatesTest)
#include "tst_trade_delegates.moc"
