#include "contracts/UIComponentGapFiller.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPointer>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QTableWidget>
#include <QToolButton>

namespace {

// Every placeholder made so far; deleted together before the application
// object goes away.
QList<QPointer<QWidget>>& placeholders()
{
    static QList<QPointer<QWidget>> list;
    return list;
}

bool& cleanupRegistered()
{
    static bool registered = false;
    return registered;
}

void deletePlaceholders()
{
    const QList<QPointer<QWidget>> list = placeholders();
    placeholders().clear();
    for (const QPointer<QWidget>& widget : list)
        delete widget.data();
}

void postRoutine()
{
    deletePlaceholders();
    cleanupRegistered() = false; // a later application registers again
}

void registerCleanup()
{
    if (cleanupRegistered())
        return;
    cleanupRegistered() = true;
    // ~QApplication runs the post routines before it tears down widgets;
    // aboutToQuit frees them earlier when the event loop ends normally.
    qAddPostRoutine(postRoutine);
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit,
                     &deletePlaceholders);
}

template <typename T>
T* placeholder(QPointer<T>& slot, const char* name)
{
    if (!slot) {
        registerCleanup();
        slot = new T;
        slot->setObjectName(QString::fromLatin1(name));
        slot->setAttribute(Qt::WA_DontShowOnScreen, true);
        slot->hide();
        placeholders().append(QPointer<QWidget>(slot.data()));
    }
    return slot.data();
}

} // namespace

#define KXPOS_PLACEHOLDER(Type, getter)                                                            \
    Type* UIComponentGapFiller::getter()                                                           \
    {                                                                                              \
        static QPointer<Type> slot;                                                                \
        return placeholder(slot, "gapFiller" #Type);                                               \
    }

KXPOS_PLACEHOLDER(QWidget, getQWidget)
KXPOS_PLACEHOLDER(QLabel, getQLabel)
KXPOS_PLACEHOLDER(QLineEdit, getQLineEdit)
KXPOS_PLACEHOLDER(QPushButton, getQPushButton)
KXPOS_PLACEHOLDER(QToolButton, getQToolButton)
KXPOS_PLACEHOLDER(QComboBox, getQComboBox)
KXPOS_PLACEHOLDER(QListView, getQListView)
KXPOS_PLACEHOLDER(QTableView, getQTableView)
KXPOS_PLACEHOLDER(QTableWidget, getQTableWidget)
KXPOS_PLACEHOLDER(QStackedWidget, getQStackedWidget)

#undef KXPOS_PLACEHOLDER
