#include "contracts/KxPosModel.h"

#include <QMetaType>

#include <mutex>

QString dynMapButton::GetCaption(const QString& language) const
{
    // Every language other than English shows the Chinese caption; English
    // falls back to it when the key has no English caption.
    if (language.startsWith(QLatin1String("en"), Qt::CaseInsensitive) && !funcNameEn.isEmpty())
        return funcNameEn;
    return funcName;
}

namespace KxPosModel {

void RegisterMetaTypes()
{
    static std::once_flag once;
    std::call_once(once, [] {
        qRegisterMetaType<KxPosPluComDtDetail>("KxPosPluComDtDetail");
        qRegisterMetaType<KxPosPluDetail>("KxPosPluDetail");
        qRegisterMetaType<KxPosVipDetail>("KxPosVipDetail");
        qRegisterMetaType<KxPosEmployeeDetail>("KxPosEmployeeDetail");
        qRegisterMetaType<KxPosPayResult>("KxPosPayResult");
        qRegisterMetaType<KxPosCustomerInfo>("KxPosCustomerInfo");
        qRegisterMetaType<KxPosDepositPluDetail>("KxPosDepositPluDetail");
        qRegisterMetaType<KxPosDepositOrderDetail>("KxPosDepositOrderDetail");
        qRegisterMetaType<KxPosPluSpu>("KxPosPluSpu");
        qRegisterMetaType<KxPosProRemarkHelper>("KxPosProRemarkHelper");
        qRegisterMetaType<dynMapButton>("dynMapButton");

        // Containers that travel in signals. Registering them without an
        // explicit name lets Qt build the normalised name ("QList<T>",
        // "QMap<QString,QList<T> >") that signal signatures use.
        qRegisterMetaType<QList<KxPosPluDetail>>();
        qRegisterMetaType<QList<KxPosEmployeeDetail>>();
        qRegisterMetaType<QList<dynMapButton>>();
        qRegisterMetaType<QList<KxPosDepositOrderDetail>>();
        qRegisterMetaType<QList<KxPosDepositPluDetail>>();
        qRegisterMetaType<QList<KxPosPluComDtDetail>>();
        qRegisterMetaType<QList<KxPosProRemarkHelper>>();
        qRegisterMetaType<QList<KxPosVipDetail>>();
        qRegisterMetaType<QList<KxPosPayResult>>();
        qRegisterMetaType<QMap<QString, QList<KxPosPluDetail>>>();
        qRegisterMetaType<QMap<QString, QList<KxPosProRemarkHelper>>>();
    });
}

} // namespace KxPosModel

namespace {
// Registers the records when the library is loaded, so that a host that
// never calls RegisterMetaTypes() can still queue them.
void registerMetaTypesAtLoad()
{
    KxPosModel::RegisterMetaTypes();
}
} // namespace
Q_CONSTRUCTOR_FUNCTION(registerMetaTypesAtLoad)
