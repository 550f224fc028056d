#pragma once
// Style and text helpers shared by the screens.

#include "contracts/kxposcontracts_export.h"

#include <QFontMetrics>
#include <QString>
#include <QStringList>
#include <QVariant>

class QApplication;
class QWidget;

class QAbstractItemView;
class QLineEdit;

class KXPOSCONTRACTS_EXPORT UiTool
{
public:
    // Sets a dynamic property that the style sheet keys on and re-polishes
    // the widget at once. Null-safe.
    static void UpdateWidgetStyle(QWidget* widget, const char* property, const QVariant& value);

    // The same, collected and applied together by FlushDeferredStyleUpdates()
    // (one re-polish per widget). A later value for the same widget and
    // property replaces an earlier one; widgets destroyed before the flush
    // are skipped.
    //@{
    static void UpdateWidgetStyleDeferred(QWidget* widget, const char* property,
                                          const QVariant& value);
    static void FlushDeferredStyleUpdates();
    //@}
    // Number of updates waiting for the flush.
    static int PendingStyleUpdates();

    // `text` broken into lines ("\n") that each fit `width` pixels in the
    // font of `metrics`: at spaces where possible, else between characters
    // (Chinese text has no spaces). Existing line breaks are kept. A single
    // character wider than `width` stands alone on its line.
    static QString GetFeedText(const QString& text, int width, const QFontMetrics& metrics);
    // The same cut to at most `lines` lines; when text was cut, the last line
    // ends in "…" and still fits `width`.
    static QString GetFeedElidedText(const QString& text, int width, int lines,
                                     const QFontMetrics& metrics);

    // The application style sheet (":/KxPos/style/kxpos.qss") with every
    // "$name" known to KxPosConfig::styleMap replaced by its value. Unknown
    // variables are left in place and logged once per load.
    static QString LoadStyleSheet();
    // Substitutes the style variables of `sheet` (longest names first, so
    // "$size10" is not taken for "$size1").
    static QString ApplyStyleVariables(const QString& sheet, QStringList* unknown = nullptr);
    // Sets LoadStyleSheet() on the application (qApp when null).
    static void ApplyStyleSheet(QApplication* app = nullptr);

    // True when no user can answer a dialog: Qt platform "offscreen" or the
    // environment variable KXPOS_NONINTERACTIVE set to "1". Message boxes
    // then record instead of blocking.
    static bool IsNonInteractive();

    // Text of message `id`, or `fallback` when the translator has no text
    // for it (the kit's own captions keep working with partial translations).
    static QString TranslateOr(int id, const QString& fallback);

    // Gives a suggestion popup (a completer's list) the object name
    // "mycompleter" and a styled item delegate, so that the style sheet's row
    // rules (a row tall enough to tap, its padding) apply: the delegate
    // QCompleter installs ignores them.
    static void StyleSuggestionPopup(QAbstractItemView* popup);

    // Empties an entry line together with its undo history. QLineEdit::clear()
    // records the removal as an undoable edit, so a line that is typed into
    // and emptied all day (a code box) would hold every code of the day.
    // Null-safe.
    static void EmptyLine(QLineEdit* line);
};
