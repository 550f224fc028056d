#include "contracts/KxDialog.h"

#include "contracts/KxPosTranslator.h"

#include <QPointer>

KxDialog::KxDialog(QWidget* parent)
    : QDialog(parent)
{
    connect(KxPosTranslator::Instance(), &KxPosTranslator::LanguageChanged, this,
            &KxDialog::onLanguageChanged);
}

KxDialog::~KxDialog() = default;

void KxDialog::Retranslate() {}

void KxDialog::UpdateTranslation() {}

int KxDialog::exec()
{
    if (m_executing)
        return QDialog::Rejected;
    m_executing = true;
    QPointer<KxDialog> alive(this); // the dialog may be deleted while it runs
    const int result = QDialog::exec();
    if (alive)
        m_executing = false;
    return result;
}

void KxDialog::onLanguageChanged(const QString& language)
{
    Q_UNUSED(language)
    Retranslate();
    UpdateTranslation();
}
