// Screenshot regression: the demo host renders every screen in its main states as the till's display shows it
// (Chinese at 800x600, 1024x768 and 1920x1080, English at 1024x768, clock pinned); each render is compared with
// its reference in tests/screenshots/reference. A render that differs is written, with an image that marks the
// differing pixels, to the failure folder named in the message.
//
// A display size is rendered only on a real screen of exactly that size, where windows stand as on the till:
// ctest -L xcb runs this program on an X server of each size. The offscreen platform renders nothing (its
// screen is a stand-in); KXPOS_SCREENSHOT_SIZES ("1024x768,1920x1080") names the sizes to render instead.
//
// Refreshing the references after a deliberate change of a screen (every size, each on its own X server):
//   scripts/update-screenshots.sh                     (Qt 5)
//   QT_MAJOR_VERSION=6 scripts/update-screenshots.sh  (Qt 6)
// Look at every changed image before committing it.
//
// Each Qt major version keeps references of its own: tests/screenshots/reference holds Qt 5.15 renders,
// tests/screenshots/reference-qt6 Qt 6 renders. Qt 6 lays the screens out the same but draws bold text with
// other glyphs and rounds some key corners one pixel apart, so its renders differ from the Qt 5 ones in 1 to
// 5 % of the pixels, far beyond what one comparison may allow.

#include "TestSupport.h"

#include "DemoClock.h"
#include "DemoHost.h"
#include "DemoRender.h"
#include "Screenshots.h"

#include "trade/TradeWidget.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosModel.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/UiTool.h"

#include <QtTest>
#include <QtWidgets>

#include <cstdio>
#include <memory>

#ifndef KXPOS_SCREENSHOT_REFERENCE_DIR
#error "KXPOS_SCREENSHOT_REFERENCE_DIR names the folder of the reference images"
#endif
#ifndef KXPOS_SCREENSHOT_FAILURE_DIR
#error "KXPOS_SCREENSHOT_FAILURE_DIR names the folder for renders that differ"
#endif

namespace {

// A pixel differs when one of its colour channels is further than this from the reference (0..255). Renders
// are the same to the pixel from run to run; the tolerance takes in faint smoothing differences, while a
// current-row highlight, a border or a text colour stands 20 and more apart from what it replaced.
constexpr int ChannelTolerance = 8;
// A render passes while at most this share of its pixels differ ...
constexpr double MaxDifferingShare = 0.00005;
// ... and none of them lies in a patch: a differing pixel with at least PatchNeighbours of its eight
// neighbours differing too. A caret or a stray anti-aliased pixel is a thin line or a speck; a moved
// highlight, a changed figure, even a decimal point, is a patch.
constexpr int PatchNeighbours = 4;

const QString ReferenceDir = QStringLiteral(KXPOS_SCREENSHOT_REFERENCE_DIR);
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
const QString UpdateCommand = QStringLiteral("QT_MAJOR_VERSION=6 scripts/update-screenshots.sh");
#else
const QString UpdateCommand = QStringLiteral("scripts/update-screenshots.sh");
#endif

// One display the screens are rendered for: a size and a language.
struct Variant {
    QSize size;
    QString language;
    QString name() const { return DemoRender::Variant(size, language); }
};

const QList<Variant> Variants{{QSize(800, 600), QStringLiteral("zh_CN")},
                              {QSize(1024, 768), QStringLiteral("zh_CN")},
                              {QSize(1920, 1080), QStringLiteral("zh_CN")},
                              {QSize(1024, 768), QStringLiteral("en")}};

// The sizes this run renders: KXPOS_SCREENSHOT_SIZES, else the size of the screen. The offscreen platform's
// screen is a stand-in (always 800x600, and it gives windows a frame of 2 pixels that no till has, which moves
// every window placed after another): nothing is rendered there unless named.
QList<QSize> renderedSizes()
{
    QList<QSize> sizes;
    const QString requested = qEnvironmentVariable("KXPOS_SCREENSHOT_SIZES");
    if (requested.isEmpty()) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        if (screen && QGuiApplication::platformName() != QLatin1String("offscreen")
            && QGuiApplication::platformName() != QLatin1String("minimal"))
            sizes << screen->geometry().size();
        return sizes;
    }
    for (const QString& part : requested.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList wh = part.trimmed().split(QLatin1Char('x'));
        if (wh.size() == 2)
            sizes << QSize(wh[0].toInt(), wh[1].toInt());
    }
    return sizes;
}

struct Comparison {
    int differing = 0;
    qint64 pixels = 0;
    int inPatches = 0; // differing pixels inside a patch
    QPoint firstPatch;
    QImage marked; // the reference faded, differing pixels in red
    double share() const { return pixels > 0 ? double(differing) / double(pixels) : 1.0; }
    bool passes() const { return share() <= MaxDifferingShare && inPatches == 0; }
    QString verdict() const
    {
        QString text = QStringLiteral("%1 of %2 pixels differ (%3 %, at most %4 %)")
                           .arg(differing).arg(pixels).arg(share() * 100.0, 0, 'f', 4).arg(MaxDifferingShare * 100.0, 0, 'f', 4);
        if (inPatches > 0)
            text += QStringLiteral(", %1 of them in patches, the first at %2,%3 (none allowed)")
                        .arg(inPatches).arg(firstPatch.x()).arg(firstPatch.y());
        return text;
    }
};

Comparison compareImages(const QImage& reference, const QImage& render)
{
    Comparison result;
    const QImage a = reference.convertToFormat(QImage::Format_ARGB32);
    const QImage b = render.convertToFormat(QImage::Format_ARGB32);
    const int w = a.width(), h = a.height();
    result.pixels = qint64(w) * h;
    result.marked = QImage(a.size(), QImage::Format_ARGB32);
    QVector<bool> differs(w * h, false);
    for (int y = 0; y < h; ++y) {
        const auto* ra = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* rb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(result.marked.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const QRgb p = ra[x], q = rb[x];
            const int delta = qMax(qMax(qAbs(qRed(p) - qRed(q)), qAbs(qGreen(p) - qGreen(q))),
                                   qMax(qAbs(qBlue(p) - qBlue(q)), qAbs(qAlpha(p) - qAlpha(q))));
            const int grey = 160 + qGray(p) * 95 / 255;
            differs[y * w + x] = delta > ChannelTolerance;
            result.differing += delta > ChannelTolerance;
            out[x] = delta > ChannelTolerance ? qRgb(255, 0, 0) : qRgb(grey, grey, grey);
        }
    }
    for (int y = 0; y < h && result.differing > 0; ++y) {
        for (int x = 0; x < w; ++x) {
            if (!differs[y * w + x])
                continue;
            int neighbours = 0;
            for (int ny = qMax(0, y - 1); ny <= qMin(h - 1, y + 1); ++ny)
                for (int nx = qMax(0, x - 1); nx <= qMin(w - 1, x + 1); ++nx)
                    neighbours += (nx != x || ny != y) && differs[ny * w + nx];
            if (neighbours >= PatchNeighbours && result.inPatches++ == 0)
                result.firstPatch = QPoint(x, y);
        }
    }
    return result;
}

// The screens rendered into (or kept in) `dir` by variant: "sales-1024x768-en.png" is screen "sales" of
// variant "1024x768-en".
QMap<QString, QSet<QString>> screensIn(const QString& dir)
{
    QMap<QString, QSet<QString>> screens;
    for (const QString& file : QDir(dir).entryList({QStringLiteral("*.png")}, QDir::Files)) {
        for (const Variant& variant : Variants) {
            const QString suffix = QLatin1Char('-') + variant.name() + QStringLiteral(".png");
            if (file.endsWith(suffix))
                screens[variant.name()].insert(file.chopped(suffix.size()));
        }
    }
    return screens;
}

// The demo's sales screen at 800x600 with three lines, the last one current at first, and the rectangle of its
// sale table on the display.
class SaleOnDisplay
{
public:
    SaleOnDisplay()
        : m_display(QString(), QSize(800, 600))
    {
        KxPosConfig::SetAppSize(800, 600);
        UiTool::ApplyStyleSheet(qApp);
        m_display.SetDesktop(m_host.Screen());
        m_host.Show();
        DemoRender::Settle(600); // the screen starts a new sale 200 ms after showing
        for (const QString& code : {QStringLiteral("6901234567892"), QStringLiteral("6920202888883"),
                                    QStringLiteral("6903148042441")})
            m_host.Scan(code);
        DemoRender::Settle(600); // the code box takes the focus back after 500 ms
    }
    DemoHost& host() { return m_host; }
    QImage grab() const { return m_display.Grab().toImage(); }
    QRect saleTable() const
    {
        const auto* view = m_host.Screen()->findChild<QTableView*>(QStringLiteral("tbvSale"));
        if (!view || !view->isVisible() || !view->model() || view->model()->rowCount() != 3)
            return QRect();
        const QWidget* window = view->window();
        return QRect(view->mapTo(window, QPoint(0, 0)) + window->frameGeometry().topLeft() - m_display.Rect().topLeft(),
                     view->size());
    }

private:
    DemoRender::Display m_display;
    DemoHost m_host;
};

} // namespace

class TestScreensRegression : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        KxPosTest::installStrictMessageHandler();
        KxPosTest::answerNoMessageBoxes();
        KxPosModel::RegisterMetaTypes();
        QVERIFY(m_renders.isValid());
        m_config = std::make_unique<KxPosTest::ScopedConfigDir>();
        SeedDemoConfig(m_config->path());
        const QList<QSize> sizes = renderedSizes();
        QStringList elsewhere;
        for (const Variant& variant : Variants) {
            if (!sizes.contains(variant.size)) {
                elsewhere << variant.name();
                continue;
            }
            m_rendered << variant.name();
            QVERIFY(KxPosTranslator::SetLanguage(variant.language));
            QVERIFY2(RenderScreenshots(m_renders.path(), {variant.size}, ScreenshotClock()),
                     "the demo could not write every screenshot");
        }
        QVERIFY(KxPosTranslator::SetLanguage(QStringLiteral("zh_CN")));
        if (!elsewhere.isEmpty())
            std::fprintf(stderr, "Not compared here: %s, rendered on a real screen of that size only (ctest -L xcb "
                                 "starts one; KXPOS_SCREENSHOT_SIZES renders them anyway)\n",
                         qPrintable(elsewhere.join(QStringLiteral(", "))));
    }

    // Every screen of either side in every variant rendered here: a render without reference and a reference
    // without render are both faults.
    void screenMatchesReference_data()
    {
        QTest::addColumn<QString>("file");
        if (m_rendered.isEmpty())
            QTest::newRow("no screen of a display size") << QString();
        const auto rendered = screensIn(m_renders.path());
        const auto kept = screensIn(ReferenceDir);
        QSet<QString> all;
        for (const QString& variant : qAsConst(m_rendered))
            all += rendered.value(variant) + kept.value(variant);
        QStringList screens = all.values();
        screens.sort();
        for (const QString& screen : qAsConst(screens))
            for (const QString& variant : qAsConst(m_rendered))
                QTest::newRow(qPrintable(screen + QLatin1Char('@') + variant)) << screen + QLatin1Char('-') + variant;
    }

    void screenMatchesReference()
    {
        QFETCH(QString, file);
        if (file.isEmpty())
            QSKIP(qPrintable(QStringLiteral("the %1 platform's screen is no display of the till; the renders are compared "
                                            "on an X server of each size (ctest -L xcb)").arg(QGuiApplication::platformName())));
        const QString renderPath = QDir(m_renders.path()).filePath(file + QStringLiteral(".png"));
        const QString referencePath = QDir(ReferenceDir).filePath(file + QStringLiteral(".png"));
        if (qEnvironmentVariable("KXPOS_UPDATE_SCREENSHOTS") == QLatin1String("1")) {
            QFile::remove(referencePath);
            if (!QFile::exists(renderPath))
                return void(std::fprintf(stderr, "removed the reference of a screen no longer rendered: %s\n",
                                         qPrintable(referencePath)));
            QVERIFY2(QFile::copy(renderPath, referencePath), qPrintable(QStringLiteral("cannot write ") + referencePath));
            QFile::setPermissions(referencePath, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
            return;
        }
        const QImage render(renderPath);
        QVERIFY2(!render.isNull(), qPrintable(QStringLiteral("the demo no longer renders %1 (reference %2; %3 "
                                                             "removes it)").arg(file, referencePath, UpdateCommand)));
        // A render that differs is kept in the failure folder, with its differences marked.
        const QDir failures(QStringLiteral(KXPOS_SCREENSHOT_FAILURE_DIR));
        const auto keep = [&](const QImage& marked) {
            failures.mkpath(QStringLiteral("."));
            QFile::remove(failures.filePath(file + QStringLiteral(".png")));
            QFile::copy(renderPath, failures.filePath(file + QStringLiteral(".png")));
            if (!marked.isNull())
                marked.save(failures.filePath(file + QStringLiteral(".diff.png")));
            return QStringLiteral("new render in %1, reference %2").arg(failures.filePath(file + QStringLiteral(".png")), referencePath);
        };
        const QImage reference(referencePath);
        if (reference.isNull())
            QFAIL(qPrintable(QStringLiteral("no reference image for %1: %2 renders every reference, each size on an X "
                                            "server of that size; look at it before committing it. ")
                                 .arg(file, UpdateCommand) + keep({})));
        if (reference.size() != render.size())
            QFAIL(qPrintable(QStringLiteral("%1x%2 against a reference of %3x%4; ").arg(render.width()).arg(render.height())
                                 .arg(reference.width()).arg(reference.height()) + keep({})));
        const Comparison comparison = compareImages(reference, render);
        if (!comparison.passes())
            QFAIL(qPrintable(comparison.verdict() + QStringLiteral("; differences in red in %1.diff.png; ").arg(file)
                             + keep(comparison.marked)));
    }

    // The comparison itself, on the demo's sales screen: the same sale rendered again and noise pass; the current
    // row moved by one, a changed figure or a line drawn across pass not.
    void comparisonCatchesChanges_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("passes");
        QTest::newRow("the same sale rendered again") << QStringLiteral("again") << true;
        QTest::newRow("current row one up") << QStringLiteral("up") << false;
        QTest::newRow("faint noise everywhere") << QStringLiteral("noise") << true;
        QTest::newRow("a caret") << QStringLiteral("caret") << true;
        QTest::newRow("stray pixels far apart") << QStringLiteral("stray") << true;
        QTest::newRow("one figure changed") << QStringLiteral("digit") << false;
        QTest::newRow("a decimal point") << QStringLiteral("point") << false;
        QTest::newRow("a thin line across the table") << QStringLiteral("line") << false;
    }

    void comparisonCatchesChanges()
    {
        QFETCH(QString, change);
        QFETCH(bool, passes);
        SaleOnDisplay& sale = saleOnDisplay();
        const QRect table = sale.saleTable();
        QVERIFY2(table.isValid(), "the sale table with three lines is not shown");
        const QImage base = sale.grab();
        QImage changed;
        if (change == QLatin1String("again") || change == QLatin1String("up")) {
            if (change == QLatin1String("up"))
                sale.host().PressKey(Qt::Key_Up);
            DemoRender::Settle(600);
            changed = sale.grab();
            // Only the table: the current line's figures elsewhere on the screen would fail the comparison
            // even with a lax tolerance.
            QCOMPARE(compareImages(base.copy(table), changed.copy(table)).passes(), passes);
            return;
        }
        changed = base.convertToFormat(QImage::Format_ARGB32);
        QPainter painter(&changed);
        if (change == QLatin1String("noise")) {
            for (int y = 0; y < changed.height(); ++y)
                for (int x = 0, d = y % 2 ? 6 : -6; x < changed.width(); ++x, d = -d) {
                    const QRgb p = changed.pixel(x, y);
                    changed.setPixel(x, y, qRgb(qBound(0, qRed(p) + d, 255), qBound(0, qGreen(p) + d, 255), qBound(0, qBlue(p) + d, 255)));
                }
        } else if (change == QLatin1String("caret")) {
            painter.fillRect(QRect(table.left() + 20, table.bottom() - 40, 1, 22), Qt::black);
        } else if (change == QLatin1String("stray")) {
            for (int i = 0; i < 20; ++i)
                changed.setPixel((37 + i * 37) % changed.width(), (29 + i * 29) % changed.height(),
                                 ~changed.pixel((37 + i * 37) % changed.width(), (29 + i * 29) % changed.height()) | 0xFF000000);
        } else if (change == QLatin1String("digit")) {
            // A figure in the size of the table's amounts, on an empty part of the table.
            QFont font = painter.font();
            font.setPixelSize(18);
            painter.setFont(font);
            painter.drawText(table.center(), QStringLiteral("8"));
        } else if (change == QLatin1String("point")) {
            painter.fillRect(QRect(table.center(), QSize(3, 3)), Qt::black);
        } else {
            painter.setPen(QColor(0x80, 0x80, 0x80));
            painter.drawLine(table.left(), table.center().y(), table.right(), table.center().y());
        }
        painter.end();
        const Comparison comparison = compareImages(base, changed);
        QVERIFY2(comparison.passes() == passes, qPrintable(comparison.verdict()));
    }

    void cleanupTestCase()
    {
        if (!m_sale)
            return;
        m_sale.reset();
        DemoClock::Unpin();
        QApplication::setCursorFlashTime(m_flashTime);
    }

private:
    // One sale for every row of comparisonCatchesChanges, the clock stopped and the caret always drawn
    // while it lives.
    SaleOnDisplay& saleOnDisplay()
    {
        if (!m_sale) {
            DemoClock::Pin(ScreenshotClock());
            m_flashTime = QApplication::cursorFlashTime();
            QApplication::setCursorFlashTime(0);
            m_sale = std::make_unique<SaleOnDisplay>();
        }
        return *m_sale;
    }

    std::unique_ptr<KxPosTest::ScopedConfigDir> m_config;
    std::unique_ptr<SaleOnDisplay> m_sale;
    int m_flashTime = 0;
    QTemporaryDir m_renders;
    QStringList m_rendered; // the variants rendered in this run
};

QTEST_MAIN(TestScreensRegression)
#include "tst_screens_regression.moc"
