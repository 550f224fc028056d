#pragma once
// The demo's member log-in box: the cashier scans a member card or types the
// member's phone number and confirms. A dialog of the UI kit, it opens
// centred over the sales screen (its parent) and is modal to it until the
// member is logged in or it is closed.

#include "contracts/KxDialog.h"

class QLabel;
class QLineEdit;

class DemoMemberLogin : public KxDialog
{
    Q_OBJECT
public:
    explicit DemoMemberLogin(QWidget* parent = nullptr);

    // Opens the box empty, over the screen that asked for it.
    void Ask();
    // Shows that no member has `code`; the box stays open.
    void Refuse(const QString& code);
    QLineEdit* CodeLine() const { return m_code; }

signals:
    void CodeEntered(const QString& code);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Confirm();
    // Sets every text in the checkout's language (again after a switch).
    void Retranslate();

    QLabel* m_hint;
    QLineEdit* m_code;
    QString m_refused; // the code last refused, shown in the hint; empty when none
};
