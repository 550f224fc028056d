#include "contracts/KxPosTranslator.h"

#include "contracts/KxPosConfig.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QMutex>
#include <QMutexLocker>
#include <QtGlobal>

#include <algorithm>
#include <mutex>

namespace {

const QString kChinese = QStringLiteral("zh_CN");
const QString kEnglish = QStringLiteral("en");

using Texts = QHash<TransMsgId, QString>;

struct TranslatorData
{
    QMutex mutex;
    QString language;
    QMap<QString, Texts> texts; // by language code
};

TranslatorData& data()
{
    static TranslatorData d;
    return d;
}

KxPosTranslator* g_instance = nullptr;
std::once_flag g_once;

// Message texts of one language from a JSON object {"2358": "销售", ...}.
// Keys that are not numbers and values that are not texts are skipped.
Texts loadTexts(const QString& resource)
{
    Texts texts;
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("KxPosTranslator: cannot open %s", qUtf8Printable(resource));
        return texts;
    }
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
    if (!doc.isObject()) {
        qWarning("KxPosTranslator: %s is not a JSON object: %s", qUtf8Printable(resource),
                 qUtf8Printable(error.errorString()));
        return texts;
    }
    const QJsonObject object = doc.object();
    for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
        bool ok = false;
        const int id = it.key().toInt(&ok);
        if (ok && it.value().isString())
            texts.insert(id, it.value().toString());
    }
    return texts;
}

// The language code that `language` names among the loaded ones, or a null
// string. Case and "-" / "_" do not matter; any English variant ("en_US")
// names English.
QString resolveLanguage(const TranslatorData& d, const QString& language)
{
    QString code = language.trimmed();
    code.replace(QLatin1Char('-'), QLatin1Char('_'));
    if (code.isEmpty())
        return QString();
    for (auto it = d.texts.constBegin(); it != d.texts.constEnd(); ++it) {
        if (it.key().compare(code, Qt::CaseInsensitive) == 0)
            return it.key();
    }
    if (code.startsWith(QLatin1String("en_"), Qt::CaseInsensitive) && d.texts.contains(kEnglish))
        return kEnglish;
    return QString();
}

} // namespace

KxPosTranslator::KxPosTranslator()
{
    // The texts are resources of this library. Registering them again is
    // harmless and makes a static build work too.
    Q_INIT_RESOURCE(contracts);

    TranslatorData& d = data();
    QMutexLocker lock(&d.mutex);
    for (const QString& language : {kChinese, kEnglish}) {
        auto texts = loadTexts(QStringLiteral(":/KxPos/translations/%1.json").arg(language));
        // Screens ship their own captions beside the shared texts as
        // "<area>.<language>.json"; a shared text wins over a screen's.
        const QDir extra(QStringLiteral(":/KxPos/translations/extra"));
        const QStringList files = extra.entryList({QStringLiteral("*.%1.json").arg(language)}, QDir::Files, QDir::Name);
        for (const QString& file : files) {
            const auto more = loadTexts(extra.filePath(file));
            for (auto it = more.cbegin(); it != more.cend(); ++it) {
                if (!texts.contains(it.key()))
                    texts.insert(it.key(), it.value());
            }
        }
        d.texts.insert(language, texts);
    }

    // Initial language: KXPOS_LANG, else the configured language, else Chinese.
    QString initial = resolveLanguage(d, qEnvironmentVariable("KXPOS_LANG"));
    if (initial.isEmpty())
        initial = resolveLanguage(d, KxPosConfig::sLanguage);
    if (initial.isEmpty())
        initial = kChinese;
    d.language = initial;
    KxPosConfig::sLanguage = initial;
}

KxPosTranslator* KxPosTranslator::Instance()
{
    // Created once and deliberately never deleted: screens may still ask for
    // texts while the host tears down after main() returns.
    std::call_once(g_once, [] { g_instance = new KxPosTranslator(); });
    return g_instance;
}

QString KxPosTranslator::GetTranslation(TransMsgId id)
{
    Instance();
    TranslatorData& d = data();
    QMutexLocker lock(&d.mutex);
    const Texts current = d.texts.value(d.language);
    auto it = current.constFind(id);
    if (it != current.constEnd() && !it->isEmpty())
        return *it;
    // A text missing in the current language is shown in another language
    // rather than not at all: Chinese (the complete set) first, then English,
    // then any language the host added.
    QStringList order{kChinese, kEnglish};
    order += d.texts.keys();
    for (const QString& language : qAsConst(order)) {
        if (language == d.language)
            continue;
        const QString text = d.texts.value(language).value(id);
        if (!text.isEmpty())
            return text;
    }
    // Unknown number: a visible marker that names it, so a missing text is
    // noticed and can be reported.
    return QStringLiteral("[#%1]").arg(id);
}

bool KxPosTranslator::SetLanguage(const QString& language)
{
    KxPosTranslator* self = Instance();
    QString resolved;
    {
        TranslatorData& d = data();
        QMutexLocker lock(&d.mutex);
        resolved = resolveLanguage(d, language);
        if (resolved.isEmpty())
            return false;
        if (resolved == d.language) {
            KxPosConfig::sLanguage = resolved;
            return true; // already current: nothing changes, nothing announced
        }
        d.language = resolved;
        KxPosConfig::sLanguage = resolved;
    }
    // Emitted outside the lock: receivers read texts at once.
    emit self->LanguageChanged(resolved);
    return true;
}

QString KxPosTranslator::Language()
{
    Instance();
    TranslatorData& d = data();
    QMutexLocker lock(&d.mutex);
    return d.language;
}

QStringList KxPosTranslator::AvailableLanguages()
{
    Instance();
    TranslatorData& d = data();
    QMutexLocker lock(&d.mutex);
    return d.texts.keys();
}

QList<TransMsgId> KxPosTranslator::MessageIds(const QString& language)
{
    Instance();
    TranslatorData& d = data();
    QMutexLocker lock(&d.mutex);
    const QString resolved = language.isEmpty() ? d.language : resolveLanguage(d, language);
    QList<TransMsgId> ids = d.texts.value(resolved).keys();
    std::sort(ids.begin(), ids.end());
    return ids;
}

bool KxPosTranslator::HasTranslation(TransMsgId id, const QString& language)
{
    Instance();
    TranslatorData& d = data();
    QMutexLocker lock(&d.mutex);
    const QString resolved = language.isEmpty() ? d.language : resolveLanguage(d, language);
    return !d.texts.value(resolved).value(id).isEmpty();
}

void KxPosTranslator::AddTexts(const QString& language, const QHash<TransMsgId, QString>& texts)
{
    QString code = language.trimmed();
    code.replace(QLatin1Char('-'), QLatin1Char('_'));
    if (code.isEmpty())
        return;
    Instance();
    TranslatorData& d = data();
    QMutexLocker lock(&d.mutex);
    const QString known = resolveLanguage(d, code);
    Texts& target = d.texts[known.isEmpty() ? code : known];
    for (auto it = texts.constBegin(); it != texts.constEnd(); ++it)
        target.insert(it.key(), it.value());
}
