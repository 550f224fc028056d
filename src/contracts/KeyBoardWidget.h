#pragma once
// On-screen keyboard.
//
// Type "1": the compact pad of the sales screen's dock: digits, ".", "00",
//           "clear", "backspace" and "ok" in a 5-column grid.
// Type "0": a full keyboard for forms: digits, letters A-Z (QWERTY rows),
//           "-", ".", space (" "), "clear", "backspace", "ok".
// Every key press emits SignKbwKeyPress with the key's text: the character
// for ordinary keys, "clear", "backspace" or "ok" for the special keys.
// Buttons are named "kbKey_<text>" (e.g. "kbKey_1", "kbKey_A", "kbKey_.",
// "kbKey_ok", "kbKey_space") and carry "showType" "key" or "funckey" for the style sheet.

#include "contracts/kxposcontracts_export.h"

#include <QList>
#include <QString>
#include <QWidget>

class QGridLayout;
class QPushButton;

class KXPOSCONTRACTS_EXPORT KeyBoardWidget : public QWidget
{
    Q_OBJECT
public:
    // Builds the keys of `type` ("1" the compact pad, "0" the full keyboard;
    // see above).
    KeyBoardWidget(QWidget* parent, QString type, int variant = 0);
    ~KeyBoardWidget() override;

    // The constructor's `type`.
    QString type() const { return m_type; }
    // The third constructor argument, kept for callers that tell variants apart.
    int variant() const { return m_variant; }
    // The grid holding the keys; a screen sets its spacing and margins (the coupon screens' code pad does).
    QGridLayout* gridLayout() const { return m_grid; }
    // Every key button, in grid order.
    QList<QPushButton*> keys() const { return m_keys; }
    // The button of a key text, or null.
    QPushButton* key(const QString& text) const;
    // Fixed width of the ordinary keys (special keys span their cells).
    void SetKeyWidth(int width);
    // Fixed height of a key row; keys spanning rows grow with the rows and the
    // spacing between them.
    void SetKeyHeight(int height);
    // Letters in upper case (default) or lower case.
    void SetUpperCase(bool upper);
    // True while letters show and send upper case.
    bool isUpperCase() const { return m_upper; }

signals:
    // A key was pressed: its character, or "clear", "backspace" or "ok".
    void SignKbwKeyPress(QString key);

private:
    void buildNumericPad();
    void buildFullKeyboard();
    QPushButton* addKey(const QString& text, const QString& caption, int row, int column,
                        int rowSpan = 1, int columnSpan = 1);

    QString m_type;
    int m_variant;
    bool m_upper = true;
    QGridLayout* m_grid;
    QList<QPushButton*> m_keys;
};
