#pragma once
// The demo's product file, shipped as a resource (data/catalogue.json):
// packaged goods, goods sold by weight, goods with serial numbers and
// package products with their contents.

#include <QList>
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
    // "code name" of every product, for the code box's suggestions.
    QStringList Suggestions(bool english) const;

private:
    QList<DemoProduct> m_products;
};
