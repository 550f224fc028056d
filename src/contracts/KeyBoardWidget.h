#pragma once
// On-screen keyboard.
//
// Type "1": the compact pad of the sales screen's dock: digits, ".", "00",
//           "clear", "backspace" and "ok" in a 5-column grid.
// Type "0": a full keyboard for forms: digits, letters A-Z (QWERTY rows),
//           "-", ".", space (" "), "clear", "backspace", "ok".
// Every key press emits SignKbwKeyPress with the key's text: the character
// for ordinary keys, ClearKey ("clear"), BackspaceKey ("backspace") or OkKey
// ("ok") for the special keys.
// ApplyKey() turns such a text into an edit of a line edit, so a screen that
// types into a QLineEdit only adds what its confirm key does.
// Buttons are named "kbKey_<text>" (e.g. "kbKey_1", "kbKey_A", "kbKey_.",
// "kbKey_ok", "kbKey_space") and carry "showType" "key" or "funckey" for the style sheet.

#include "contracts/kxposcontracts_export.h"

#include <QList>
#include <QString>
#include <QWidget>

class QGridLayout;
class QLineEdit;
class QPushButton;

class KXPOSCONTRACTS_EXPORT KeyBoardWidget : public QWidget
{
    Q_OBJECT
public:
    // Key text of the key that empties the line.
    static constexpr char ClearKey[] = "clear";
    // Key text of the key that deletes the character before the cursor (or
    // the selection).
    static constexpr char BackspaceKey[] = "backspace";
    // Key text of the confirm key: the screen decides what it does.
    static constexpr char OkKey[] = "ok";

    // Builds the keys of `type` ("1" the compact pad, "0" the full keyboard;
    // see above).
    KeyBoardWidget(QWidget* parent, QString type, int variant = 0);
    ~KeyBoardWidget() override;

    // The constructor's `type`.
    QString type() const { return m_type; }
    // The third constructor argument, kept for callers that tell variants apart.
    int variant() const { return m_variant; }
    // Every key button, in grid order.
    QList<QPushButton*> keys() const { return m_keys; }
    // The button of a key text, or null.
    QPushButton* key(const QString& text) const;
    // Fixed width of the ordinary keys (special keys span their cells).
    void SetKeyWidth(int width);
    // Fixed height of a key row; keys spanning rows grow with the rows and the
    // spacing between them.
    void SetKeyHeight(int height);
    // Least height of a key row: the keys may grow taller with the keyboard,
    // never shorter (keys spanning rows also cover the spacing between them).
    // A fixed height from SetKeyHeight() wins over it.
    void SetMinimumKeyHeight(int height);
    // Room between neighbouring keys (`spacing`, 6 by default) and between
    // the keys and the keyboard's edge (`margin`, 0 by default), in pixels.
    // Key widths and heights set before are kept, spans included.
    void SetKeySpacing(int spacing, int margin);
    // The room between neighbouring keys.
    int keySpacing() const;
    // Letters in upper case (default) or lower case.
    void SetUpperCase(bool upper);
    // True while letters show and send upper case.
    bool isUpperCase() const { return m_upper; }

    // Applies the key text `key`, as SignKbwKeyPress sends it, to `line`:
    // ClearKey empties it, BackspaceKey deletes the selection or the character
    // before the cursor, any other text replaces the selection or is inserted
    // at the cursor. OkKey leaves the line as it is and makes it return true,
    // so the caller confirms in its own way; every other key returns false.
    // A null `line` is left alone.
    static bool ApplyKey(QLineEdit* line, const QString& key);

signals:
    // A key was pressed: its character, or "clear", "backspace" or "ok".
    void SignKbwKeyPress(QString key);

private:
    void buildNumericPad();
    void buildFullKeyboard();
    QPushButton* addKey(const QString& text, const QString& caption, int row, int column,
                        int rowSpan = 1, int columnSpan = 1);
    void applyKeySizes();

    QString m_type;
    int m_variant;
    bool m_upper = true;
    QGridLayout* m_grid;
    QList<QPushButton*> m_keys;
    int m_keyWidth = 0;         // fixed width of a key column, 0 for none
    int m_keyHeight = 0;        // fixed height of a key row, 0 for none
    int m_minimumKeyHeight = 0; // least height of a key row, 0 for none
};
