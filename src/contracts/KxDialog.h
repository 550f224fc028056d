#pragma once
// Base of the menus and dialog screens: a QDialog that follows the current
// language like KxWidget does (Retranslate() then UpdateTranslation() on a
// language change).
//
// A dialog is a secondary window of the screen it is given as parent: it is
// modal to that screen's window (WindowModal, unless the dialog chooses
// another modality), and whenever it is shown it is centred over that window,
// kept on the same display and brought to the front with the keyboard. A
// dialog without a parent is centred over the application's active window,
// else on the display. A position set explicitly with move() is kept, only
// moved back onto the display.
// When it is hidden the keyboard goes back to the window beneath (the modal
// window now on top, else its parent's window).

#include "contracts/KxTranslateBase.h"
#include "contracts/kxposcontracts_export.h"

#include <QDialog>

class KXPOSCONTRACTS_EXPORT KxDialog : public QDialog, public KxTranslateBase
{
    Q_OBJECT
public:
    // A dialog that follows the translator's language changes; see above for
    // its placement.
    explicit KxDialog(QWidget* parent = nullptr);
    ~KxDialog() override;

    void Retranslate() override;
    void UpdateTranslation() override;

public slots:
    // Runs the dialog modally and returns its result code. Guarded against
    // re-entry: a second exec() while the dialog is already running returns
    // QDialog::Rejected at once instead of nesting event loops.
    int exec() override;

    // True while exec() runs.
    bool isExecuting() const { return m_executing; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private slots:
    void onLanguageChanged(const QString& language);

private:
    bool m_executing = false;
};
