// Captions and panel texts wrapped to a width: product names, promotion and
// deposit texts arrive from the host and may hold anything. The first byte
// sets the width (1 to 511 pixels), the rest is the text. Both wrappers must
// keep every character that is not a blank, and give lines no wider than the
// width unless a line is a single character wider than it on its own.

#include "FuzzSupport.h"

#include "contracts/KxPosCom.h"
#include "contracts/UiTool.h"

#include <QApplication>
#include <QFontMetrics>
#include <QTextBoundaryFinder>

#include <cstdio>
#include <cstdlib>

namespace {
QString withoutBlanks(QString text)
{
    text.remove(QLatin1Char('\n'));
    int kept = 0;
    for (int i = 0; i < text.size(); ++i) {
        if (!text.at(i).isSpace())
            text[kept++] = text.at(i);
    }
    text.truncate(kept);
    return text;
}

int graphemes(const QString& text)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    int count = 0;
    while (finder.toNextBoundary() > 0)
        ++count;
    return count;
}

void check(bool condition, const char* what, const QString& text)
{
    if (!condition) {
        fprintf(stderr, "%s: %s\n", what, qUtf8Printable(text));
        abort();
    }
}

void checkLines(const QString& wrapped, const QString& text, int width, const QFontMetrics& metrics)
{
    check(withoutBlanks(wrapped) == withoutBlanks(text), "characters lost or added", wrapped);
    for (const QString& line : wrapped.split(QLatin1Char('\n')))
        check(metrics.horizontalAdvance(line) <= width || graphemes(line.trimmed()) <= 1, "line too wide", line);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    KxPosFuzz::ensureApplication();
    if (size < 1)
        return 0;
    const int width = 1 + 2 * int(data[0]);
    const QString text = KxPosFuzz::text(data + 1, size - 1);
    const QFont font = QApplication::font();
    const QFontMetrics metrics(font);

    QString wrapped = text;
    KxPosCom::AutoWrap(wrapped, font, width);
    checkLines(QString(wrapped).remove(QLatin1Char('\r')), QString(text).remove(QLatin1Char('\r')), width, metrics);

    const QString fed = UiTool::GetFeedText(text, width, metrics);
    checkLines(fed, QString(text).remove(QLatin1Char('\r')), width, metrics);

    // Two lines of the same text: as fed when they hold it all, else the
    // first as fed and the second ending in "…".
    const QStringList all = fed.split(QLatin1Char('\n'));
    const QStringList shown = UiTool::GetFeedElidedText(text, width, 2, metrics).split(QLatin1Char('\n'));
    if (all.size() <= 2)
        check(shown == all, "cut although it fits", text);
    else
        check(shown.size() == 2 && shown.first() == all.first() && shown.last().endsWith(QChar(0x2026)),
              "cut without an ellipsis", text);
    return 0;
}
