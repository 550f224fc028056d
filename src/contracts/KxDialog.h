#pragma once
// Base of the menus and dialog screens: a QDialog that follows the current
// language like KxWidget does (Retranslate() then UpdateTranslation() on a
// language change).

#include "contracts/KxTranslateBase.h"
#include "contracts/kxposcontracts_export.h"

#include <QDialog>

class KXPOSCONTRACTS_EXPORT KxDialog : public QDialog, public KxTranslateBase
{
    Q_OBJECT
public:
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

private slots:
    void onLanguageChanged(const QString& language);

private:
    bool m_executing = false;
};
