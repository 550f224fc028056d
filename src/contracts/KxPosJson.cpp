#include "contracts/KxPosJson.h"

namespace KxPosJson {

namespace {
// The depth reached and the offset where it passed `stopAbove` (or -1).
struct Measure {
    int depth = 0;
    int offset = -1;
};

Measure measure(const QByteArray& text, int stopAbove)
{
    Measure result;
    int depth = 0;
    bool inString = false;
    bool escaped = false;
    for (int i = 0; i < text.size(); ++i) {
        const char c = text.at(i);
        if (inString) {
            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == '"')
                inString = false;
            continue;
        }
        switch (c) {
        case '"':
            inString = true;
            break;
        case '[':
        case '{':
            if (++depth > result.depth) {
                result.depth = depth;
                if (depth > stopAbove) {
                    result.offset = i;
                    return result;
                }
            }
            break;
        case ']':
        case '}':
            if (depth > 0)
                --depth;
            break;
        default:
            break;
        }
    }
    return result;
}
} // namespace

int NestingDepth(const QByteArray& text, int stopAbove)
{
    return measure(text, stopAbove).depth;
}

QJsonDocument Parse(const QByteArray& text, QJsonParseError* error)
{
    const Measure depth = measure(text, MaxDepth);
    if (depth.offset >= 0) {
        if (error) {
            error->error = QJsonParseError::DeepNesting;
            error->offset = depth.offset;
        }
        return QJsonDocument();
    }
    return QJsonDocument::fromJson(text, error);
}

} // namespace KxPosJson
