#include "contracts/TextBreaks_p.h"

namespace KxPosText {

bool closesPhrase(QChar ch)
{
    switch (ch.unicode()) {
    case u'.': case u',': case u';': case u':': case u'!': case u'?': case u')': case u']': case u'}':
    case u'\u3001': case u'\u3002':                                   // 、 。
    case u'\uFF0C': case u'\uFF0E': case u'\uFF1A': case u'\uFF1B':   // ， ． ： ；
    case u'\uFF01': case u'\uFF1F':                                   // ！ ？
    case u'\uFF09': case u'\uFF3D': case u'\uFF5D':                    // ） ］ ｝
    case u'\u3011': case u'\u300B': case u'\u3009': case u'\u300D':   // 】 》 〉 」
    case u'\u300F': case u'\u3015': case u'\u3017':                    // 』 〕 〗
    case u'\u201D': case u'\u2019': case u'\u2026':                    // ” ’ …
        return true;
    default:
        return false;
    }
}

bool opensPhrase(QChar ch)
{
    switch (ch.unicode()) {
    case u'(': case u'[': case u'{':
    case u'\uFF08': case u'\uFF3B': case u'\uFF5B':                    // （ ［ ｛
    case u'\u3010': case u'\u300A': case u'\u3008': case u'\u300C':   // 【 《 〈 「
    case u'\u300E': case u'\u3014': case u'\u3016':                    // 『 〔 〖
    case u'\u201C': case u'\u2018':                                   // “ ‘
        return true;
    default:
        return false;
    }
}

bool mayBreakBetween(const QString& before, const QString& after)
{
    return before.isEmpty() || after.isEmpty() || (!opensPhrase(before.back()) && !closesPhrase(after.front()));
}

QString withoutTrailingBlanks(const QString& text)
{
    int end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    return text.left(end);
}

} // namespace KxPosText
