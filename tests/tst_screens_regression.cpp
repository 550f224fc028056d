// Screenshot regression: the demo host renders every screen in its main states at 800x600, 1024x768 and
// 1920x1080 (Chinese, clock pinned); each render is compared with its reference in tests/screenshots/reference
// within a small tolerance. A render that differs is written, with an image that marks the differing pixels, to
// the failure folder named in the message.
//
// Refreshing the references after a deliberate change of a screen:
//   KXPOS_UPDATE_SCREENSHOTS=1 build/bin/tst_screens_regression   (or scripts/update-screenshots.sh)
// Look at every changed image before committing it.

#include "TestSupport.h"

#include "Screenshots.h"

#include "contracts/KxPosModel.h"
#include "contracts/KxPosTranslator.h"

#include <QtGui>
#include <QtTest>

#include <memory>

#ifndef KXPOS_SCREENSHOT_REFERENCE_DIR
#error "KXPOS_SCREENSHOT_REFERENCE_DIR names the folder of the reference images"
#endif
#ifndef KXPOS_SCREENSHOT_FAILURE_DIR
#error "KXPOS_SCREENSHOT_FAILURE_DIR names the folder for renders that differ"
#endif

namespace {

// A pixel differs when one of its colour channels is further than this from the reference (0..255); smaller
// steps are anti-aliasing and hinting noise.
constexpr int ChannelTolerance = 40;
// A render passes while at most this share of its pixels differ: a caret or a stray anti-aliased edge, not a
// changed digit, caption or layout.
constexpr double MaxDifferingShare = 0.00005;

const QList<QSize> ScreenSizes{QSize(800, 600), QSize(1024, 768), QSize(1920, 1080)};

QString sizeText(const QSize& size) { return QStringLiteral("%1x%2").arg(size.width()).arg(size.height()); }

struct Comparison {
    int differing = 0;
    qint64 pixels = 0;
    QImage marked; // the reference faded, differing pixels in red
    double share() const { return pixels > 0 ? double(differing) / double(pixels) : 1.0; }
    bool passes() const { return share() <= MaxDifferingShare; }
};

Comparison compareImages(const QImage& reference, const QImage& render)
{
    Comparison result;
    const QImage a = reference.convertToFormat(QImage::Format_ARGB32);
    const QImage b = render.convertToFormat(QImage::Format_ARGB32);
    result.pixels = qint64(a.width()) * a.height();
    result.marked = QImage(a.size(), QImage::Format_ARGB32);
    for (int y = 0; y < a.height(); ++y) {
        const auto* ra = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* rb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(result.marked.scanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = ra[x], q = rb[x];
            const int delta = qMax(qMax(qAbs(qRed(p) - qRed(q)), qAbs(qGreen(p) - qGreen(q))),
                                   qMax(qAbs(qBlue(p) - qBlue(q)), qAbs(qAlpha(p) - qAlpha(q))));
            const int grey = 160 + qGray(p) * 95 / 255;
            result.differing += delta > ChannelTolerance;
            out[x] = delta > ChannelTolerance ? qRgb(255, 0, 0) : qRgb(grey, grey, grey);
        }
    }
    return result;
}

// The screens rendered into (or kept in) `dir`: "sales-1024x768.png" is screen "sales" at one of the sizes.
QSet<QString> screensIn(const QString& dir)
{
    QSet<QString> screens;
    for (const QString& file : QDir(dir).entryList({QStringLiteral("*.png")}, QDir::Files))
        for (const QSize& size : ScreenSizes)
            if (file.endsWith(QLatin1Char('-') + sizeText(size) + QStringLiteral(".png")))
                screens.insert(file.chopped(sizeText(size).size() + 5));
    return screens;
}

} // namespace

class TestScreensRegression : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        KxPosTest::installStrictMessageHandler();
        KxPosModel::RegisterMetaTypes();
        QVERIFY(m_renders.isValid());
        m_config = std::make_unique<KxPosTest::ScopedConfigDir>();
        SeedDemoConfig(m_config->path());
        QVERIFY(KxPosTranslator::SetLanguage(QStringLiteral("zh_CN")));
        QVERIFY2(RenderScreenshots(m_renders.path(), ScreenSizes, ScreenshotClock()),
                 "the demo could not write every screenshot");
        QVERIFY2(!screensIn(m_renders.path()).isEmpty(), "the demo rendered no screen");
    }

    // Every screen of either side: a render without reference and a reference without render are both faults.
    void screenMatchesReference_data()
    {
        QTest::addColumn<QString>("file");
        QStringList screens = (screensIn(m_renders.path()) + screensIn(QStringLiteral(KXPOS_SCREENSHOT_REFERENCE_DIR))).values();
        screens.sort();
        for (const QString& screen : qAsConst(screens))
            for (const QSize& size : ScreenSizes)
                QTest::newRow(qPrintable(screen + QLatin1Char('@') + sizeText(size))) << screen + QLatin1Char('-') + sizeText(size);
    }

    void screenMatchesReference()
    {
        QFETCH(QString, file);
        const QString renderPath = QDir(m_renders.path()).filePath(file + QStringLiteral(".png"));
        const QString referencePath = QDir(QStringLiteral(KXPOS_SCREENSHOT_REFERENCE_DIR)).filePath(file + QStringLiteral(".png"));
        if (qEnvironmentVariable("KXPOS_UPDATE_SCREENSHOTS") == QLatin1String("1")) {
            QFile::remove(referencePath);
            if (!QFile::exists(renderPath))
                return qInfo("removed the reference of a screen no longer rendered: %s", qPrintable(referencePath));
            QVERIFY2(QFile::copy(renderPath, referencePath), qPrintable(QStringLiteral("cannot write ") + referencePath));
            QFile::setPermissions(referencePath, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
            return;
        }
        const QImage render(renderPath);
        QVERIFY2(!render.isNull(), qPrintable(QStringLiteral("the demo no longer renders %1 (reference %2)").arg(file, referencePath)));
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
            QFAIL(qPrintable(QStringLiteral("no reference; run with KXPOS_UPDATE_SCREENSHOTS=1 to take the render: ") + keep({})));
        if (reference.size() != render.size())
            QFAIL(qPrintable(QStringLiteral("%1x%2 against a reference of %3x%4; ").arg(render.width()).arg(render.height())
                                 .arg(reference.width()).arg(reference.height()) + keep({})));
        const Comparison comparison = compareImages(reference, render);
        if (!comparison.passes())
            QFAIL(qPrintable(QStringLiteral("%1 of %2 pixels differ (%3 %, at most %4 %); differences in red in %5.diff.png; ")
                                 .arg(comparison.differing).arg(comparison.pixels).arg(comparison.share() * 100.0, 0, 'f', 3)
                                 .arg(MaxDifferingShare * 100.0, 0, 'f', 3).arg(file) + keep(comparison.marked)));
    }

    // The comparison itself, at its edges: noise and a caret pass, one changed figure does not.
    void comparisonCatchesChanges_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("passes");
        QTest::newRow("faint noise everywhere") << QStringLiteral("noise") << true;
        QTest::newRow("a caret") << QStringLiteral("caret") << true;
        QTest::newRow("one figure changed") << QStringLiteral("digit") << false;
    }

    void comparisonCatchesChanges()
    {
        QFETCH(QString, change);
        QFETCH(bool, passes);
        const QImage base(QDir(m_renders.path()).filePath(QStringLiteral("sales-800x600.png")));
        QVERIFY(!base.isNull());
        QImage changed = base.convertToFormat(QImage::Format_ARGB32);
        QPainter painter(&changed);
        if (change == QLatin1String("noise")) {
            for (int y = 0; y < changed.height(); ++y)
                for (int x = 0, d = y % 2 ? 12 : -12; x < changed.width(); ++x, d = -d) {
                    const QRgb p = changed.pixel(x, y);
                    changed.setPixel(x, y, qRgb(qBound(0, qRed(p) + d, 255), qBound(0, qGreen(p) + d, 255), qBound(0, qBlue(p) + d, 255)));
                }
        } else if (change == QLatin1String("caret")) {
            painter.fillRect(QRect(20, 540, 1, 22), Qt::black);
        } else {
            // A total's last digit, in the size of the screen's amount texts.
            QFont font = painter.font();
            font.setPixelSize(18);
            painter.setFont(font);
            painter.drawText(QPoint(300, 300), QStringLiteral("8"));
        }
        painter.end();
        QCOMPARE(compareImages(base, changed).passes(), passes);
    }

private:
    std::unique_ptr<KxPosTest::ScopedConfigDir> m_config;
    QTemporaryDir m_renders;
};

QTEST_MAIN(TestScreensRegression)
#include "tst_screens_regression.moc"
