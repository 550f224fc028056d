#pragma once
// Informational message box of the screens: a frameless box with a title, the
// text and one OK button. Enter, Return, Escape or the button close it.
//
// Every message is also recorded (History()). When the application runs
// without a user (Qt platform "offscreen" or KXPOS_NONINTERACTIVE=1) the box
// is filled but not run, so callers never block.

#include "contracts/KxDialog.h"
#include "contracts/kxposcontracts_export.h"

#include <QList>
#include <QPair>
#include <QString>

class QLabel;
class QPushButton;
class QTimer;

class KXPOSCONTRACTS_EXPORT MessageWidget : public KxDialog
{
    Q_OBJECT
public:
    // The message box of a screen of type `screenType`, hidden until
    // showMessage().
    explicit MessageWidget(int screenType, QWidget* parent = nullptr);
    ~MessageWidget() override;

    // Shows `text` under `title`. `kind` selects the look (the style sheet
    // keys on it through the "showType" property: 1 "error", 2 "warning",
    // anything else "info"). With `autoClose` the box closes itself after a
    // few seconds. Interactive: runs modally until closed.
    void showMessage(QString text, QString title, int kind = 3, bool autoClose = false);

    // The constructor's `screenType`.
    int screenType() const { return m_screenType; }
    // The text of the last message shown.
    QString text() const;
    // The title of the last message shown.
    QString title() const;

    void Retranslate() override;
    void UpdateTranslation() override;

    // Messages shown by any message box as (text, title), oldest first. The
    // most recent 500 are kept.
    static QList<QPair<QString, QString>> History();
    // Empties History().
    static void ClearHistory();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    int m_screenType;
    QLabel* m_titleLabel;
    QLabel* m_textLabel;
    QPushButton* m_okButton;
    QTimer* m_autoCloseTimer;
};
