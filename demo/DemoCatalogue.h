#pragma once
// The demo's product file, shipped as a resource (data/catalogue.json):
// packaged goods, goods sold by weight, goods with serial numbers and
// package products with their contents.

#include <QList>

class QStandardItemModel;
#include <QPair>
#include <QString>
#include <QStringList>

struct DemoProduct
{
    QString code;
    QString name;
    QString nameEn;
    double price = 0.0;
    QString unit;      // unit caption in Chinese
    QString unitEn;
    bool weighed = false;
    bool serial = false;                       // each sale records a serial number
    QList<QPair<QString, double>> package;     // contents of a package product
};

class DemoCatalogue
{
public:
    // Loads the shipped catalogue; `path` may name another JSON file of the
    // same shape. A file that cannot be read leaves the catalogue empty.
    explicit DemoCatalogue(const QString& path = QStringLiteral(":/demo/catalogue.json"));

    // The product whose code is `code` or starts `code` followed by a space
    // (a suggestion reads "code name"); null when there is none.
    const DemoProduct* Find(const QString& code) const;
    const QList<DemoProduct>& Products() const { return m_products; }
    // The code box's suggestions: one row per product that shows "code name"
    // and completes to the code alone (Qt::UserRole, the completer's
    // completion role), so that a chosen suggestion enters its code.
    void FillSuggestions(QStandardItemModel* model, bool english) const;

private:
    QList<DemoProduct> m_products;
};
