#include "contracts/KxDialog.h"

#include "contracts/KxPosTranslator.h"
#include "contracts/WindowPlacement.h"

#include <QApplication>
#include <QPointer>
#include <QHideEvent>
#include <QShowEvent>

KxDialog::KxDialog(QWidget* parent)
    : QDialog(parent)
{
    // Modal to the screen that opened it, not to every window of the host.
    if (parent)
        setWindowModality(Qt::WindowModal);
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

void KxDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous() || !isWindow())
        return;
    QWidget* owner = WindowPlacement::OwnerWindow(this);
    if (!owner) {
        QWidget* active = QApplication::activeWindow();
        if (active && active != this && active->isVisible())
            owner = active;
    }
    WindowPlacement::PlaceOnShow(this, owner);
    WindowPlacement::BringToFront(this);
    WindowPlacement::GuardModalFocus();
}

void KxDialog::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    if (!event->spontaneous() && isWindow())
        WindowPlacement::HandBackFocus(this);
}

void KxDialog::onLanguageChanged(const QString& language)
{
    Q_UNUSED(language)
    Retranslate();
    UpdateTranslation();
}
