#include "contracts/KxPosCom.h"
#include "contracts/TextBreaks_p.h"

#include <QChar>
#include <QFontMetrics>
#include <QStringList>
#include <QVector>

namespace {

enum class TokenKind { Space, Word, Cjk };

struct Token
{
    QString text;
    TokenKind kind;
};

// Scripts written without spaces, where a line may break between any two
// characters, and the punctuation and full-width forms used with them.
bool breaksAnywhere(uint ucs4)
{
    switch (QChar::script(ucs4)) {
    case QChar::Script_Han:
    case QChar::Script_Hiragana:
    case QChar::Script_Katakana:
    case QChar::Script_Hangul:
    case QChar::Script_Bopomofo:
        return true;
    default:
        break;
    }
    return (ucs4 >= 0x2E80 && ucs4 <= 0x2FFF)    // radicals
        || (ucs4 >= 0x3000 && ucs4 <= 0x303F)    // CJK punctuation
        || (ucs4 >= 0x3200 && ucs4 <= 0x33FF)    // enclosed and compatibility
        || (ucs4 >= 0xFE30 && ucs4 <= 0xFE4F)    // compatibility forms
        || (ucs4 >= 0xFF00 && ucs4 <= 0xFFEF);   // full-width forms
}

// One user-visible character (a surrogate pair counts as one) at `i`.
QString characterAt(const QString& text, int i)
{
    if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
        return text.mid(i, 2);
    return QString(text.at(i));
}

// Splits a paragraph into runs of blanks, Latin words and single CJK
// characters: the places between tokens are where a line may break.
QVector<Token> tokenize(const QString& paragraph)
{
    QVector<Token> tokens;
    for (int i = 0; i < paragraph.size();) {
        const QString ch = characterAt(paragraph, i);
        i += ch.size();
        const uint ucs4 = ch.size() == 2 ? QChar::surrogateToUcs4(ch.at(0), ch.at(1)) : ch.at(0).unicode();
        // A no-break space binds like a letter.
        const bool blank = QChar::isSpace(ucs4) && ucs4 != 0x00A0 && ucs4 != 0x202F;
        const TokenKind kind = blank ? TokenKind::Space
                                     : (breaksAnywhere(ucs4) ? TokenKind::Cjk : TokenKind::Word);
        if (kind != TokenKind::Cjk && !tokens.isEmpty() && tokens.last().kind == kind)
            tokens.last().text += ch;
        else
            tokens.append({ch, kind});
    }
    return tokens;
}

// Joins the tokens that must stay on one line: a closing mark to the token
// before it, the token after an opening mark to that mark ("杯。", "（大", a
// Latin word after a Chinese one with "!" or "(" between them), also across
// a blank ("tea )", "( large"). Any other blank stays a place to break.
QVector<Token> bindPunctuation(const QVector<Token>& tokens)
{
    QVector<Token> bound;
    for (const Token& token : tokens) {
        if (token.kind == TokenKind::Space || bound.isEmpty()) {
            bound.append(token);
            continue;
        }
        const bool afterBlank = bound.last().kind == TokenKind::Space && bound.size() >= 2;
        const Token& before = afterBlank ? bound.at(bound.size() - 2) : bound.last();
        if (before.kind == TokenKind::Space || KxPosText::mayBreakBetween(before.text, token.text)) {
            bound.append(token);
            continue;
        }
        const QString blank = afterBlank ? bound.takeLast().text : QString();
        bound.last().text += blank + token.text;
        bound.last().kind = TokenKind::Word;
    }
    return bound;
}

QStringList wrapParagraph(const QString& paragraph, const QFontMetrics& metrics, int width)
{
    // Most captions fit as they are: one measurement instead of one per word.
    if (metrics.horizontalAdvance(paragraph) <= width)
        return {paragraph};
    QStringList lines;
    QString line;
    const auto fits = [&](const QString& candidate) { return metrics.horizontalAdvance(candidate) <= width; };
    const auto endLine = [&] {
        lines << KxPosText::withoutTrailingBlanks(line);
        line.clear();
    };

    for (const Token& token : bindPunctuation(tokenize(paragraph))) {
        if (token.kind == TokenKind::Space) {
            if (line.isEmpty() && !lines.isEmpty())
                continue; // a wrapped line does not start with blanks
            if (fits(line + token.text))
                line += token.text;
            else if (!line.isEmpty())
                endLine(); // the blank at the break is dropped
            continue;
        }
        if (fits(line + token.text)) {
            line += token.text;
            continue;
        }
        if (KxPosText::withoutTrailingBlanks(line).isEmpty())
            line.clear(); // only leading blanks so far: give them up
        else
            endLine();
        if (fits(token.text)) {
            line = token.text;
            continue;
        }
        // A word longer than a line: cut it between characters, not before a
        // closing mark nor after an opening one where an earlier cut on the
        // line will do. A character that is wider than the line on its own
        // still gets a line.
        QStringList pieces; // the characters of `line`
        for (int i = 0; i < token.text.size();) {
            const QString ch = characterAt(token.text, i);
            i += ch.size();
            if (pieces.isEmpty() || fits(line + ch)) {
                pieces << ch;
                line += ch;
                continue;
            }
            int cut = pieces.size();
            while (cut > 0 && !KxPosText::mayBreakBetween(pieces.at(cut - 1), cut < pieces.size() ? pieces.at(cut) : ch))
                --cut;
            QString carried = pieces.mid(cut).join(QString());
            // No good place, or what moves down would not fit: cut here.
            if (cut == 0 || !fits(carried + ch)) {
                cut = pieces.size();
                carried.clear();
            }
            line.chop(carried.size());
            endLine();
            pieces = pieces.mid(cut) << ch;
            line = carried + ch;
        }
    }
    if (!line.isEmpty() || lines.isEmpty())
        lines << line;
    return lines;
}

} // namespace

void KxPosCom::AutoWrap(QString& text, QFont font, int width)
{
    if (width <= 0 || text.isEmpty())
        return;
    const QFontMetrics metrics(font);
    QStringList out;
    for (QString paragraph : text.split(QLatin1Char('\n'))) {
        const bool carriageReturn = paragraph.endsWith(QLatin1Char('\r'));
        if (carriageReturn)
            paragraph.chop(1);
        QStringList lines = wrapParagraph(paragraph, metrics, width);
        if (carriageReturn)
            lines.last() += QLatin1Char('\r');
        out << lines;
    }
    text = out.join(QLatin1Char('\n'));
}
