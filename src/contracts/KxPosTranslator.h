#pragma once
// Visible texts by message number, in Simplified Chinese ("zh_CN", default)
// and English ("en"). Switching the language notifies every screen, which
// then sets its texts again.

#include "contracts/kxposcontracts_export.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

using TransMsgId = int;

class KXPOSCONTRACTS_EXPORT KxPosTranslator : public QObject
{
    Q_OBJECT
public:
    // The shared translator, created on first use and never destroyed.
    static KxPosTranslator* Instance();

    // Text of message `id` in the current language. A number without a text
    // in the current language gives its text in another language; an
    // unknown number gives the visible marker "[#<id>]". Never empty.
    static QString GetTranslation(TransMsgId id);

    // Switches the language ("zh_CN" or "en"); emits LanguageChanged and keeps
    // KxPosConfig::sLanguage in step. Unknown codes are refused (returns false).
    // Case and "-"/"_" do not matter, "en_US" names English. Choosing the
    // current language returns true and emits nothing. The first language is
    // taken from the environment variable KXPOS_LANG, else from
    // KxPosConfig::sLanguage, else "zh_CN".
    static bool SetLanguage(const QString& language);
    // The current language code.
    static QString Language();
    // Language codes that have texts ("zh_CN", "en" and any added with
    // AddTexts()).
    static QStringList AvailableLanguages();

    // Message numbers that have a text in `language` (the current language
    // when empty), ascending. Empty for an unknown language.
    static QList<TransMsgId> MessageIds(const QString& language = QString());
    // True when message `id` has its own non-empty text in `language` (the
    // current language when empty), without falling back to another one.
    static bool HasTranslation(TransMsgId id, const QString& language = QString());

    // Adds or replaces texts of `language` (for example texts of the host's
    // own messages). A new language code becomes available to SetLanguage().
    // Screens are not notified; call it before they are built, or switch
    // the language afterwards.
    static void AddTexts(const QString& language, const QHash<TransMsgId, QString>& texts);

signals:
    // The language switched to `language`; every screen sets its texts again.
    void LanguageChanged(const QString& language);

private:
    KxPosTranslator();
};
