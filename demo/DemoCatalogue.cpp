#include "DemoCatalogue.h"

#include <QStandardItemModel>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

DemoCatalogue::DemoCatalogue(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QJsonArray products = QJsonDocument::fromJson(file.readAll()).object().value(QStringLiteral("products")).toArray();
    for (const QJsonValue& value : products) {
        const QJsonObject o = value.toObject();
        DemoProduct p;
        p.code = o.value(QStringLiteral("code")).toString();
        p.name = o.value(QStringLiteral("name")).toString();
        p.nameEn = o.value(QStringLiteral("nameEn")).toString(p.name);
        p.price = o.value(QStringLiteral("price")).toDouble();
        p.unit = o.value(QStringLiteral("unit")).toString();
        p.unitEn = o.value(QStringLiteral("unitEn")).toString(p.unit);
        p.weighed = o.value(QStringLiteral("weighed")).toBool();
        p.serial = o.value(QStringLiteral("serial")).toBool();
        for (const QJsonValue& item : o.value(QStringLiteral("package")).toArray()) {
            const QJsonObject i = item.toObject();
            p.package.append({i.value(QStringLiteral("name")).toString(), i.value(QStringLiteral("qty")).toDouble(1)});
        }
        if (!p.code.isEmpty())
            m_products.append(p);
    }
}

const DemoProduct* DemoCatalogue::Find(const QString& code) const
{
    // Suggestions complete to the code alone, so the code is matched whole.
    const QString wanted = code.trimmed();
    for (const DemoProduct& p : m_products) {
        if (p.code == wanted)
            return &p;
    }
    return nullptr;
}

void DemoCatalogue::FillSuggestions(QStandardItemModel* model, bool english) const
{
    if (!model)
        return;
    model->clear();
    for (const DemoProduct& p : m_products) {
        auto* item = new QStandardItem(p.code + QLatin1Char(' ') + (english && !p.nameEn.isEmpty() ? p.nameEn : p.name));
        item->setData(p.code, Qt::UserRole);
        item->setEditable(false);
        model->appendRow(item);
    }
}
