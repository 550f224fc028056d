// The demo checkout shown as real windows at each supported display size and
// in each language: after every change a cashier can make, every window lies
// on the display and no caption is cut. Measures the shown geometry; nothing
// is forced to a size. KXPOS_FIT_SIZES (for example "800x600") limits the
// sizes, so that a real X server of exactly that size can run its rows;
// KXPOS_FIT_SHOTS=<folder> saves the display after every state and
// KXPOS_FIT_DUMP=<state> prints the widget tree at that state.

#include "FitCheck.h"
#include "tst_e2e_driver.h"

#include "DemoClock.h"
#include "DemoOptions.h"
#include "DemoOrders.h"

#include <cstdio>

using namespace KxPosTest;

class ScreensFitTest : public ScreenTestCase
{
    Q_OBJECT

    QRect m_display;
    QStringList m_problems;

    void prepare(const QSize& size, const QString& language)
    {
        m_problems.clear();
        E2e::prepareDemo(config().path(), size, language);
        m_display = displayRect(size);
    }

    // Records what does not fit after the step named `state`.
    void check(const QString& state)
    {
        // A step's layout, a queued return to the application size and the X server's answer come after it.
        if (!waitUntilStill())
            m_problems << state + QStringLiteral(": the windows did not come to rest");
        saveFitShot(state);
        if (qEnvironmentVariable("KXPOS_FIT_DUMP") == state) {
            for (QWidget* w : QApplication::topLevelWidgets())
                dump(w, 0);
        }
        for (const QString& p : fitProblemsOfAllWindows(m_display))
            m_problems << state + QStringLiteral(": ") + p;
    }

    // The shown widget tree with geometry and minimum sizes, to find what
    // widens a window (KXPOS_FIT_DUMP names the state to dump).
    static void dump(const QWidget* w, int depth)
    {
        if (!w->isVisible())
            return;
        const QSize hint = w->minimumSizeHint();
        const QSize minimum = w->minimumSize();
        std::fprintf(stderr, "%*s%s %s %dx%d+%d+%d minimum hint %dx%d minimum %dx%d\n", depth * 2, "",
                     w->metaObject()->className(), qPrintable(w->objectName()), w->width(), w->height(), w->x(), w->y(),
                     hint.width(), hint.height(), minimum.width(), minimum.height());
        for (QObject* o : w->children()) {
            if (auto* c = qobject_cast<QWidget*>(o); c && !c->isWindow())
                dump(c, depth + 1);
        }
    }


    // The texts a cashier sees on a screen, "<object path>: <text>", sorted:
    // every shown key (by its whole caption), label and column head.
    static QStringList shownTexts(const QWidget* screen)
    {
        QStringList texts;
        for (const QWidget* w : screen->findChildren<QWidget*>()) {
            if (!w->isVisible())
                continue;
            QString text;
            if (auto* b = qobject_cast<const QAbstractButton*>(w)) {
                const QVariant caption = b->property("caption");
                text = caption.isValid() ? caption.toString() : b->text();
            } else if (auto* l = qobject_cast<const QLabel*>(w)) {
                text = l->text();
            } else if (auto* h = qobject_cast<const QHeaderView*>(w); h && h->model()) {
                for (int c = 0; c < h->count(); ++c) {
                    if (!h->isSectionHidden(c))
                        text += h->model()->headerData(c, h->orientation()).toString() + QLatin1Char('|');
                }
            }
            if (!text.isEmpty())
                texts << widgetPath(w) + QStringLiteral(": ") + text;
        }
        texts.sort();
        return texts;
    }

    // Lines of `actual` missing from `expected` and the other way round.
    static QString textDifferences(const QStringList& expected, const QStringList& actual)
    {
        QStringList lines;
        for (const QString& t : actual) {
            if (!expected.contains(t))
                lines << QStringLiteral("  shown:    ") + t;
        }
        for (const QString& t : expected) {
            if (!actual.contains(t))
                lines << QStringLiteral("  expected: ") + t;
        }
        return lines.join(QLatin1Char('\n'));
    }

private slots:
    void salesScreen_data() { sizeAndLanguageRows(); }
    void salesScreen()
    {
        QFETCH(QSize, size);
        QFETCH(QString, language);
        prepare(size, language);

        DemoHost host;
        TradeWidget* screen = host.Screen();
        host.Show();

        QVERIFY(QTest::qWaitForWindowExposed(screen));
        QVERIFY(waitUntilStill());
        check(QStringLiteral("empty sale"));

        host.PressKey(Qt::Key_F2);
        QVERIFY(waitUntilStill());
        check(QStringLiteral("member log-in box"));
        host.MemberLogin()->CodeLine()->setText(QStringLiteral("13812345678"));
        emit host.MemberLogin()->CodeLine()->returnPressed();
        QVERIFY(waitUntilStill());
        check(QStringLiteral("member logged in"));

        host.Scan(QStringLiteral("6901234567892"));
        host.Scan(QStringLiteral("6920202888883"));
        host.Scan(QStringLiteral("1001"));
        check(QStringLiteral("sale with lines"));

        host.PressKey(Qt::Key_F3);
        check(QStringLiteral("member logged out"));

        // The function menu by its key: every function behind "More" in one list over the screen.
        host.PressKey(Qt::Key_Slash);
        QVERIFY(host.FunctionMenu() && host.FunctionMenu()->isVisible());
        check(QStringLiteral("function menu open"));
        host.FunctionMenu()->hide();

        QMetaObject::invokeMethod(screen, "on_toolButtonKeyMore_clicked");
        check(QStringLiteral("function grid"));
        QMetaObject::invokeMethod(screen, "on_btnEditFun_clicked");
        check(QStringLiteral("function grid in edit mode"));
        QMetaObject::invokeMethod(screen, "on_btnEditFun_clicked");
        QMetaObject::invokeMethod(screen, "on_toolButtonKeyMore_clicked");
        check(QStringLiteral("function grid closed"));

        // Online orders by their key, left by the cashier's tap on bill 01.
        host.PressKey(Qt::Key_F1);
        check(QStringLiteral("online orders open"));
        clickChild(screen, "btnBill01");
        check(QStringLiteral("online orders closed"));

        emit screen->SignTrdDynFunc(DemoOptions::FnPresetKeys);
        check(QStringLiteral("preset keys shown"));
        clickChild(screen, "btnBillOrder");
        check(QStringLiteral("online orders beside the preset keys"));
        clickChild(screen, "btnBill01");
        check(QStringLiteral("online orders closed beside the preset keys"));
        emit screen->SignTrdDynFunc(DemoOptions::FnPresetKeys);
        check(QStringLiteral("preset keys hidden"));

        host.PressKey(Qt::Key_F10);
        check(QStringLiteral("language switched"));
        host.PressKey(Qt::Key_F10);
        check(QStringLiteral("language switched back"));

        verifyNoFitProblems(m_problems);
    }

    // A language switched while the screen is open shows the same texts as a
    // screen opened in that language, and switched back, the texts it had.
    void languageFollowedBothWays_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("Chinese, English, Chinese") << QStringLiteral("zh_CN") << QStringLiteral("en");
        QTest::newRow("English, Chinese, English") << QStringLiteral("en") << QStringLiteral("zh_CN");
    }
    void languageFollowedBothWays()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        const QSize size(1024, 768);
        // A member on a sale with a promotion, at a clock that stands still.
        DemoClock::Pin(ScreenshotClock());
        const auto unpin = qScopeGuard([] { DemoClock::Unpin(); });
        const auto startSale = [](DemoHost& host) {
            host.Show();
            QVERIFY(waitUntilStill());
            host.PressKey(Qt::Key_F2);
            QVERIFY(waitUntilStill()); // the log-in box is on the display before it takes the code
            host.MemberLogin()->CodeLine()->setText(QStringLiteral("M0008812"));
            emit host.MemberLogin()->CodeLine()->returnPressed();
            host.Scan(QStringLiteral("6901234567892"));
            emit host.Screen()->SignTrdDynFunc(DemoOptions::FnPresetKeys);
            QVERIFY(waitUntilStill());
        };
        const auto textsOfFreshScreen = [&](const QString& language) {
            prepare(size, language);
            DemoHost host;
            startSale(host);
            return shownTexts(host.Screen());
        };
        const QStringList inSecond = textsOfFreshScreen(second);
        const QStringList inFirst = textsOfFreshScreen(first);

        prepare(size, first);
        DemoHost host;
        startSale(host);
        host.PressKey(Qt::Key_F10);
        QVERIFY(waitUntilStill());
        const QStringList switched = shownTexts(host.Screen());
        QVERIFY2(switched == inSecond, qPrintable(QStringLiteral("after switching to %1:\n").arg(second)
                                                  + textDifferences(inSecond, switched)));
        host.PressKey(Qt::Key_F10);
        QVERIFY(waitUntilStill());
        const QStringList back = shownTexts(host.Screen());
        QVERIFY2(back == inFirst, qPrintable(QStringLiteral("after switching back to %1:\n").arg(first)
                                             + textDifferences(inFirst, back)));
    }
};

QTEST_MAIN(ScreensFitTest)
#include "tst_screens_fit.moc"
