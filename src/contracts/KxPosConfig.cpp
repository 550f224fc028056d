#include "contracts/KxPosConfig.h"
#include "contracts/KxPosJson.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonDocument>
#include <QMutex>
#include <QMutexLocker>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringList>
#include <QtGlobal>

#include <cmath>

// ---------------------------------------------------------------------------
// Statics
// ---------------------------------------------------------------------------

namespace {

// Design sizes of the two layouts that every screen is drawn for.
constexpr int kLargeDesignWidth = 1920;
constexpr int kLargeDesignHeight = 1080;
constexpr int kSmallDesignWidth = 1024;
constexpr int kSmallDesignHeight = 768;
// Screens wider than this use the large (16:9, 1920x1080) design; all others
// (800x600, 1024x768, 1280x1024, 1366x768) the small (4:3, 1024x768) one.
// The choice is made from the width alone so that a size from GetAutoSize()
// never mixes the two designs.
constexpr int kLargeDesignMinWidth = 1367;
// Width/height ratio (x1000) below which a screen counts as narrow
// (iRatioType 1): 4:3 (1333), 5:4 (1250) and 3:2 (1500 excluded) are narrow;
// 16:10 (1600) and 16:9 (1777) are wide.
constexpr int kNarrowRatioLimit = 1500;

bool useLargeDesign()
{
    return KxPosConfig::iAppWidth >= kLargeDesignMinWidth;
}

int scaled(int length, int screen, int design)
{
    if (design <= 0 || screen <= 0)
        return length;
    return static_cast<int>(std::lround(static_cast<double>(length) * screen / design));
}

int autoWidth(int large, int small, int screenWidth)
{
    if (screenWidth >= kLargeDesignMinWidth)
        return scaled(large, screenWidth, kLargeDesignWidth);
    return scaled(small, screenWidth, kSmallDesignWidth);
}

int ratioTypeFor(int width, int height)
{
    if (width <= 0 || height <= 0)
        return 0;
    const qint64 ratio = static_cast<qint64>(width) * 1000 / height;
    return ratio < kNarrowRatioLimit ? 1 : 0;
}

// Pixel style variable: design value of the large and of the small layout.
struct PixelStyle
{
    const char* name;
    int large;
    int small;
};

// Pixel lengths used by the painting code and the style sheet. Values are
// plain integers (no "px"), so painting code can read them with toInt() and
// a style sheet writes e.g. "font-size: $size2px;".
// Smallest pixel size of a font style variable on a small screen.
constexpr int kMinFontPixels = 11;

const PixelStyle kPixelStyles[] = {
    // font pixel sizes, smallest first
    {"$size1", 16, 12}, {"$size2", 18, 13}, {"$size3", 20, 14}, {"$size4", 22, 16},
    {"$size5", 24, 18}, {"$size6", 26, 20}, {"$size7", 30, 22}, {"$size8", 36, 26},
    // corner radii
    {"$radius1", 4, 3}, {"$radius2", 8, 6}, {"$radius3", 12, 8},
    // the style sheet's box lengths: button paddings (vertical, horizontal)
    // and minimum heights of buttons, line edits, the code box, pay keys,
    // message-box keys and preset product keys
    {"$padV", 4, 2}, {"$padH", 10, 6},
    {"$minButton", 48, 32}, {"$minEdit", 52, 36}, {"$minCode", 68, 44},
    {"$minPay", 80, 56}, {"$minDialogKey", 64, 48}, {"$minBillKey", 96, 64},
    // online order cards (order list delegate)
    {"$OrderTable_Height", 150, 96},
    {"$fontSize", 20, 14}, {"$fontDownSize", 16, 12}, {"$fontOtherSize", 18, 13},
    {"$fontTypeSize", 16, 11}, {"$fontWeightSize", 18, 13},
    {"$listX", 20, 12}, {"$listLeftX", 60, 40}, {"$listRightX", 220, 140},
    {"$listUpY0", 10, 6}, {"$listUpY", 15, 8}, {"$listMidY0", 45, 28},
    {"$listMidY", 55, 34}, {"$listDownY", 95, 60},
    // status caption and channel tag rectangles: offsets from the card's
    // top-left (Up) and bottom-right (Down) corners
    {"$typeUpX", 15, 10}, {"$typeDownX", -180, -110},
    {"$typeUpSX", 220, 130}, {"$typeDownSX", -15, -10},
    {"$typeUpY", 12, 8}, {"$typeDownY", -108, -68},
    // online order line tables
    {"$OnTable_Height", 70, 46}, {"$pack_height", 26, 18}, {"$DownTable_Height", 80, 52},
};

// Colours; they do not depend on the screen.
const char* const kColourStyles[][2] = {
    {"$color1", "#0E8FD8"},  // dark brand blue (pressed states)
    {"$color2", "#23BAFA"},  // brand blue: buttons, selected tabs, accents
    {"$color3", "#FF8A00"},  // orange accent (promotions, warnings)
    {"$color4", "#F5F7FA"},  // light panel background
    {"$color5", "#4A4A4A"},  // body text
    {"$colorD", "#E6F6FE"},  // current row of lists and cards
    {"$colorText", "#4A4A4A"},
    {"$colorGray", "#979797"},
    {"$colorLine", "#EDEDED"},
    {"$colorRed", "#C5292B"},
    {"$colorBackground", "#EDEEF0"},
};

void fillStyleMap(QMap<QString, QString>& map, int width, int height)
{
    for (const PixelStyle& style : kPixelStyles) {
        int value = autoWidth(style.large, style.small, width);
        // Fonts shrink with the screen only down to a size that still reads:
        // Chinese glyphs below about 11 pixels lose their strokes.
        const QLatin1String name(style.name);
        if (name.startsWith(QLatin1String("$size")) || name.startsWith(QLatin1String("$font")))
            value = qMax(value, qMin(style.small, kMinFontPixels));
        map.insert(name, QString::number(value));
    }
    for (const auto& colour : kColourStyles)
        map.insert(QLatin1String(colour[0]), QLatin1String(colour[1]));
    // Scale factors of the picked-lines fonts.
    map.insert(QStringLiteral("$titleScale"), QStringLiteral("1.0"));
    map.insert(QStringLiteral("$titleScaleDel"), QStringLiteral("0.8"));

    // Floating return button: near-square screens use the 1024x768 design,
    // all others the 1920x1080 one.
    const int w = qMax(width, 1);
    const int h = qMax(height, 1);
    const qint64 r = static_cast<qint64>(w) * 1000 / h;
    const bool nearSquare = r > 1233 && r <= 1432;
    map.insert(QStringLiteral("$btnHeight"), QString::number(nearSquare ? h * 40 / 768 : h * 80 / 1080));
    map.insert(QStringLiteral("$btnWidth"), QString::number(nearSquare ? w * 180 / 1024 : w * 360 / 1920));
    map.insert(QStringLiteral("$backHeight"), QString::number(nearSquare ? h * 50 / 768 : h * 100 / 1080));
    map.insert(QStringLiteral("$backWidth"), QString::number(nearSquare ? w * 190 / 1024 : w * 380 / 1920));
}

QMap<QString, QString> initialStyleMap()
{
    QMap<QString, QString> map;
    fillStyleMap(map, kSmallDesignWidth, kSmallDesignHeight);
    return map;
}

} // namespace

int KxPosConfig::iAppWidth = kSmallDesignWidth;
int KxPosConfig::iAppHeight = kSmallDesignHeight;
int KxPosConfig::iRatioType = ratioTypeFor(kSmallDesignWidth, kSmallDesignHeight);
QString KxPosConfig::sProjectCode;
QString KxPosConfig::sLanguage = QStringLiteral("zh_CN");
QString KxPosConfig::sPosNo;
QString KxPosConfig::sCshCode;
QString KxPosConfig::sCshName;
QString KxPosConfig::sOrgCode;
QString KxPosConfig::sOrgName;
QString KxPosConfig::sOfficialFileVersion;
double KxPosConfig::dRate = 1.0;
double KxPosConfig::SetWeightUpper = 15.0;
bool KxPosConfig::m_isCouponForDeduct = false;
QMap<QString, QString> KxPosConfig::styleMap = initialStyleMap();

// ---------------------------------------------------------------------------
// INI files
//
// The files are read and written here rather than through QSettings so that
// a value is always one text: QSettings splits an unquoted value at commas
// into a list and drops quotes, which would destroy JSON values typed into
// the file by hand. Written files stay readable by QSettings: sections and
// keys are escaped the same way, and a value holding commas, quotes,
// backslashes or control characters is written as one quoted, escaped text.
// Non-ASCII text is written as UTF-8.
// ---------------------------------------------------------------------------

namespace KxPosIni {
namespace {

using Values = QHash<QString, QString>;

// Files larger than this are not configuration files; they are ignored.
constexpr qint64 kMaxFileSize = 8 * 1024 * 1024;

bool isHexDigit(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
        || (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

// Section or key name as QSettings writes it: "/" becomes "\", characters
// other than letters, digits, "_", "-" and "." become %XX or %UXXXX.
QString escapeName(const QString& name)
{
    QString out;
    for (const QChar c : name) {
        const ushort u = c.unicode();
        if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_' || u == '-'
            || u == '.')
            out += c;
        else if (u == '/')
            out += QLatin1Char('\\');
        else if (u <= 0xFF)
            out += QStringLiteral("%%1").arg(u, 2, 16, QLatin1Char('0')).toUpper();
        else
            out += QStringLiteral("%U%1").arg(u, 4, 16, QLatin1Char('0')).toUpper();
    }
    return out;
}

QString unescapeName(const QString& name)
{
    QString out;
    for (int i = 0; i < name.size(); ++i) {
        const QChar c = name.at(i);
        if (c == QLatin1Char('\\')) {
            out += QLatin1Char('/');
            continue;
        }
        if (c == QLatin1Char('%')) {
            bool ok = false;
            if (i + 5 < name.size() && name.at(i + 1) == QLatin1Char('U')) {
                const ushort u = name.mid(i + 2, 4).toUShort(&ok, 16);
                if (ok) {
                    out += QChar(u);
                    i += 5;
                    continue;
                }
            }
            if (i + 2 < name.size() && isHexDigit(name.at(i + 1)) && isHexDigit(name.at(i + 2))) {
                out += QChar(name.mid(i + 1, 2).toUShort(&ok, 16));
                i += 2;
                continue;
            }
        }
        out += c;
    }
    return out;
}

// Decodes one backslash escape starting at text[i] == '\\'; returns the
// index of the last character consumed.
int decodeEscape(const QString& text, int i, QString& out)
{
    if (i + 1 >= text.size()) {
        out += QLatin1Char('\\');
        return i;
    }
    const QChar e = text.at(i + 1);
    switch (e.unicode()) {
    case 'a': out += QChar(0x07); return i + 1;
    case 'b': out += QChar(0x08); return i + 1;
    case 'f': out += QChar(0x0C); return i + 1;
    case 'n': out += QLatin1Char('\n'); return i + 1;
    case 'r': out += QLatin1Char('\r'); return i + 1;
    case 't': out += QLatin1Char('\t'); return i + 1;
    case 'v': out += QChar(0x0B); return i + 1;
    case '"':
    case '\'':
    case '?':
    case '\\': out += e; return i + 1;
    case 'x': {
        int j = i + 2;
        ushort value = 0;
        while (j < text.size() && j < i + 6 && isHexDigit(text.at(j))) {
            value = static_cast<ushort>(value * 16 + QString(text.at(j)).toUShort(nullptr, 16));
            ++j;
        }
        if (j == i + 2)
            break; // "\x" without digits: keep as typed
        out += QChar(value);
        return j - 1;
    }
    default:
        if (e >= QLatin1Char('0') && e <= QLatin1Char('7')) {
            int j = i + 1;
            ushort value = 0;
            while (j < text.size() && j < i + 4 && text.at(j) >= QLatin1Char('0') && text.at(j) <= QLatin1Char('7')) {
                value = static_cast<ushort>(value * 8 + (text.at(j).unicode() - '0'));
                ++j;
            }
            out += QChar(value);
            return j - 1;
        }
        break;
    }
    // Unknown escape (a Windows path such as "D:\pos"): keep both characters.
    out += QLatin1Char('\\');
    out += e;
    return i + 1;
}

QString decodeEscapes(const QString& text)
{
    if (!text.contains(QLatin1Char('\\')))
        return text;
    QString out;
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('\\'))
            i = decodeEscape(text, i, out);
        else
            out += text.at(i);
    }
    return out;
}

// The text inside a value that is one quoted token ("..."), or a null
// string when `text` is not exactly one quoted token.
QString unquote(const QString& text)
{
    if (text.size() < 2 || !text.startsWith(QLatin1Char('"')))
        return QString();
    QString out;
    for (int i = 1; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\\')) {
            i = decodeEscape(text, i, out);
        } else if (c == QLatin1Char('"')) {
            if (i != text.size() - 1)
                return QString();
            return out.isNull() ? QString(QLatin1String("")) : out;
        } else {
            out += c;
        }
    }
    return QString();
}

QString decodeValue(const QString& raw)
{
    if (raw.isEmpty())
        return QString(QLatin1String(""));
    QString text;
    const QChar first = raw.at(0);
    if ((first == QLatin1Char('{') || first == QLatin1Char('['))
        && !KxPosJson::Parse(raw.toUtf8()).isNull()) {
        // JSON typed into the file by hand: taken exactly as written.
        return raw;
    }
    const QString quoted = unquote(raw);
    text = quoted.isNull() ? decodeEscapes(raw) : quoted;
    // QSettings marks its typed values with "@Type(...)" and doubles a
    // leading "@" of plain text.
    if (text.startsWith(QLatin1String("@@")))
        return text.mid(1);
    if (text.startsWith(QLatin1String("@ByteArray(")) && text.endsWith(QLatin1Char(')')))
        return text.mid(11, text.size() - 12);
    return text;
}

QString encodeValue(const QString& value)
{
    const QString text = value.startsWith(QLatin1Char('@')) ? QLatin1Char('@') + value : value;
    bool needsQuotes = !text.isEmpty() && (text.at(0).isSpace() || text.at(text.size() - 1).isSpace());
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if (u == ',' || u == ';' || u == '=' || u == '"' || u == '\\' || u < 0x20 || u == 0x7F) {
            needsQuotes = true;
            break;
        }
    }
    if (!needsQuotes)
        return text;
    QString out = QStringLiteral("\"");
    bool escapeNextHex = false;
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if (escapeNextHex && isHexDigit(c)) {
            out += QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
            continue;
        }
        escapeNextHex = false;
        switch (u) {
        case '"': out += QLatin1String("\\\""); break;
        case '\\': out += QLatin1String("\\\\"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\r': out += QLatin1String("\\r"); break;
        case '\t': out += QLatin1String("\\t"); break;
        default:
            if (u < 0x20 || u == 0x7F) {
                out += QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
                escapeNextHex = true;
            } else {
                out += c;
            }
        }
    }
    out += QLatin1Char('"');
    return out;
}

QStringList readLines(QFile& file)
{
    QString text = QString::fromUtf8(file.readAll());
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    return lines;
}

// Section of a header line "[name]"; a null string for other lines.
// "[General]" is the top level ("" ), "[%General]" a section named General.
QString sectionOf(const QString& trimmedLine)
{
    if (!trimmedLine.startsWith(QLatin1Char('[')))
        return QString();
    const int end = trimmedLine.indexOf(QLatin1Char(']'));
    if (end < 1)
        return QString();
    const QString raw = trimmedLine.mid(1, end - 1).trimmed();
    if (raw.compare(QLatin1String("General"), Qt::CaseInsensitive) == 0)
        return QString(QLatin1String(""));
    if (raw == QLatin1String("%General"))
        return QStringLiteral("General");
    return unescapeName(raw);
}

bool isComment(const QString& trimmedLine)
{
    return trimmedLine.startsWith(QLatin1Char(';')) || trimmedLine.startsWith(QLatin1Char('#'));
}

QString normalizedKey(const QString& key)
{
    QString out = key;
    out.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (out.startsWith(QLatin1Char('/')))
        out.remove(0, 1);
    return out;
}

Values readFile(const QString& path)
{
    Values values;
    QFile file(path);
    if (file.size() > kMaxFileSize || !file.open(QIODevice::ReadOnly))
        return values;
    QString section;
    for (const QString& line : readLines(file)) {
        const QString t = line.trimmed();
        if (t.isEmpty() || isComment(t))
            continue;
        const QString header = sectionOf(t);
        if (!header.isNull()) {
            section = header;
            continue;
        }
        const int eq = t.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue; // not a key line: skipped, the rest of the file still counts
        const QString key = unescapeName(t.left(eq).trimmed());
        if (key.isEmpty())
            continue;
        values.insert(section.isEmpty() ? key : section + QLatin1Char('/') + key,
                      decodeValue(t.mid(eq + 1).trimmed()));
    }
    return values;
}

QString lookup(const Values& values, const QString& key, bool* found)
{
    const QString wanted = normalizedKey(key);
    auto it = values.constFind(wanted);
    if (it == values.constEnd()) {
        // INI keys are case-insensitive on Windows; accept any case here too.
        for (it = values.constBegin(); it != values.constEnd(); ++it) {
            if (it.key().compare(wanted, Qt::CaseInsensitive) == 0)
                break;
        }
    }
    *found = it != values.constEnd();
    return *found ? it.value() : QString();
}

bool writeValue(const QString& path, const QString& key, const QString& value, QString* error)
{
    const QString full = normalizedKey(key);
    const int slash = full.indexOf(QLatin1Char('/'));
    const QString section = slash < 0 ? QString(QLatin1String("")) : full.left(slash);
    const QString name = slash < 0 ? full : full.mid(slash + 1);
    const QString newLine = escapeName(name) + QLatin1Char('=') + encodeValue(value);

    QStringList lines;
    QFile in(path);
    if (in.exists()) {
        if (!in.open(QIODevice::ReadOnly)) {
            *error = in.errorString(); // never overwrite a file we cannot read
            return false;
        }
        lines = readLines(in);
        in.close();
    }

    QString current(QLatin1String("")); // keys before any header are top-level
    int sectionEnd = -1;                 // last line of the target section seen
    bool sectionSeen = false;
    for (int i = 0; i < lines.size(); ++i) {
        const QString t = lines.at(i).trimmed();
        const QString header = sectionOf(t);
        if (!header.isNull()) {
            current = header;
            if (current == section && !sectionSeen) {
                sectionSeen = true;
                sectionEnd = i;
            }
            continue;
        }
        if (current != section || t.isEmpty() || isComment(t))
            continue;
        const int eq = t.indexOf(QLatin1Char('='));
        if (eq > 0 && unescapeName(t.left(eq).trimmed()) == name) {
            lines[i] = newLine;
            sectionSeen = true;
            sectionEnd = -2; // replaced
            break;
        }
        sectionSeen = true;
        sectionEnd = i;
    }
    if (sectionEnd >= 0 && sectionSeen) {
        lines.insert(sectionEnd + 1, newLine);
    } else if (sectionEnd != -2) {
        if (section.isEmpty()) {
            QStringList head{QStringLiteral("[General]"), newLine};
            if (!lines.isEmpty())
                head << QString();
            lines = head + lines;
        } else {
            if (!lines.isEmpty())
                lines << QString();
            lines << QLatin1Char('[') + (section == QLatin1String("General") ? QStringLiteral("%General")
                                                                               : escapeName(section))
                         + QLatin1Char(']')
                  << newLine;
        }
    }

    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Text)) {
        *error = out.errorString();
        return false;
    }
    out.write((lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    if (!out.commit()) {
        *error = out.errorString();
        return false;
    }
    return true;
}

} // namespace
} // namespace KxPosIni

// ---------------------------------------------------------------------------
// Configuration files
// ---------------------------------------------------------------------------

namespace {

struct ConfigState
{
    QMutex mutex;
    bool hasExplicitDir = false;
    QString explicitDir;
    // Parsed files by absolute path; values written by SetValue() are kept
    // here too, so they are seen even when the file could not be written.
    QHash<QString, KxPosIni::Values> cache;
};

ConfigState& configState()
{
    static ConfigState state;
    return state;
}

const KxPosIni::Values& valuesLocked(ConfigState& state, const QString& path)
{
    auto it = state.cache.find(path);
    if (it == state.cache.end())
        it = state.cache.insert(path, KxPosIni::readFile(path));
    return it.value();
}

} // namespace

QString KxPosConfig::GetValue(const QString& key, const QString& defaultValue, const QString& file)
{
    if (key.isEmpty())
        return defaultValue;
    const QString path = FilePath(file);
    ConfigState& state = configState();
    QMutexLocker lock(&state.mutex);
    const KxPosIni::Values& values = valuesLocked(state, path);
    bool found = false;
    const QString value = KxPosIni::lookup(values, key, &found);
    return found ? value : defaultValue;
}

void KxPosConfig::SetValue(const QString& key, const QString& value, const QString& file)
{
    if (key.isEmpty())
        return;
    const QString path = FilePath(file);
    ConfigState& state = configState();
    QMutexLocker lock(&state.mutex);
    valuesLocked(state, path); // load the other keys before the first write
    state.cache[path].insert(KxPosIni::normalizedKey(key), value);
    QString error;
    if (!KxPosIni::writeValue(path, key, value, &error))
        qWarning("KxPosConfig::SetValue: %s kept in memory only: %s", qUtf8Printable(key),
                 qUtf8Printable(error));
}

void KxPosConfig::SetConfigDir(const QString& dir)
{
    ConfigState& state = configState();
    QMutexLocker lock(&state.mutex);
    state.hasExplicitDir = !dir.isEmpty();
    state.explicitDir = dir.isEmpty() ? QString() : QDir::cleanPath(QDir(dir).absolutePath());
    state.cache.clear();
}

QString KxPosConfig::ConfigDir()
{
    {
        ConfigState& state = configState();
        QMutexLocker lock(&state.mutex);
        if (state.hasExplicitDir)
            return state.explicitDir;
    }
    const QString fromEnv = qEnvironmentVariable("KXPOS_CONFIG_DIR");
    if (!fromEnv.isEmpty())
        return QDir::cleanPath(QDir(fromEnv).absolutePath());
    if (QCoreApplication::instance())
        return QDir::cleanPath(QCoreApplication::applicationDirPath());
    return QDir::cleanPath(QDir::currentPath());
}

QString KxPosConfig::FilePath(const QString& file)
{
    QString name = file.trimmed();
    if (name.isEmpty())
        name = QStringLiteral("config.ini");
    else if (QFileInfo(name).suffix().isEmpty())
        name += QStringLiteral(".ini"); // "configExt" names "configExt.ini"
    if (QDir::isAbsolutePath(name))
        return QDir::cleanPath(name);
    return QDir::cleanPath(ConfigDir() + QLatin1Char('/') + name);
}

void KxPosConfig::Reload()
{
    ConfigState& state = configState();
    QMutexLocker lock(&state.mutex);
    state.cache.clear();
}

// ---------------------------------------------------------------------------
// Scaling
// ---------------------------------------------------------------------------

int KxPosConfig::GetAutoWidth(int large, int small)
{
    return autoWidth(large, small, iAppWidth);
}

int KxPosConfig::GetAutoHeight(int large, int small)
{
    if (useLargeDesign())
        return scaled(large, iAppHeight, kLargeDesignHeight);
    return scaled(small, iAppHeight, kSmallDesignHeight);
}

QSize KxPosConfig::GetAutoSize(int largeW, int largeH, int smallW, int smallH)
{
    return QSize(GetAutoWidth(largeW, smallW), GetAutoHeight(largeH, smallH));
}

void KxPosConfig::SetAppSize(int width, int height)
{
    if (width <= 0 || height <= 0)
        return; // a window that is not laid out yet keeps the previous size
    iAppWidth = width;
    iAppHeight = height;
    iRatioType = ratioTypeFor(width, height);
    RefreshStyleMap();
}

void KxPosConfig::RefreshStyleMap()
{
    fillStyleMap(styleMap, iAppWidth, iAppHeight);
}

// ---------------------------------------------------------------------------
// Text helpers
// ---------------------------------------------------------------------------

namespace {

// Splits into user-visible characters so that a character outside the
// basic plane (a rare surname, an emoji) is masked as one.
QStringList characters(const QString& text)
{
    QStringList out;
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out << text.mid(i, 2);
            ++i;
        } else {
            out << QString(text.at(i));
        }
    }
    return out;
}

} // namespace

QString KxPosConfig::desensitizeName(const QString& name)
{
    const QStringList chars = characters(name);
    if (chars.size() <= 1)
        return name; // nothing left to hide without hiding the whole name
    return chars.first() + QString(chars.size() - 1, QLatin1Char('*'));
}

QString KxPosConfig::desensitizePhone(const QString& phone)
{
    const QStringList chars = characters(phone);
    const int n = chars.size();
    if (n == 0)
        return phone;
    if (n == 1)
        return QStringLiteral("*");
    int keepHead;
    int keepTail;
    if (n >= 11) {
        // Mobile numbers (with or without a country prefix): hide the four
        // digits before the last four, "138****5678".
        keepTail = 4;
        keepHead = n - 8;
    } else {
        // Shorter numbers (landlines, extensions): keep a quarter at each end.
        keepHead = qMax(1, n / 4);
        keepTail = qMax(n == 2 ? 0 : 1, n / 4);
    }
    QString out;
    for (int i = 0; i < n; ++i)
        out += (i < keepHead || i >= n - keepTail) ? chars.at(i) : QStringLiteral("*");
    return out;
}

bool KxPosConfig::IsNumber(const QString& text)
{
    // Optional sign, ASCII digits with at most one decimal point and at least
    // one digit. No blanks, no exponent, no thousands separators.
    static const QRegularExpression pattern(QStringLiteral("^[+-]?(?:[0-9]+\\.?[0-9]*|\\.[0-9]+)$"));
    return pattern.match(text).hasMatch();
}

bool MoneyUtils::LessOrEqualZero(double amount)
{
    // Amounts are shown with two decimals: below half a cent nothing is left.
    return amount < 0.005;
}
