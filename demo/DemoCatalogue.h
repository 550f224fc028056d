#pragma once
// The demo's product file: a handful of packaged and weighed goods.

#include <QList>
#include <QString>

struct DemoProduct
{
    QString code;
    QString name;
    QString nameEn;
    double price = 0.0;
    QString unit;      // unit caption in Chinese
    QString unitEn;
    bool weighed = false;
};

class DemoCatalogue
{
public:
    DemoCatalogue();
    // The product with this code, or null.
    const DemoProduct* Find(const QString& code) const;
    const QList<DemoProduct>& Products() const { return m_products; }

private:
    QList<DemoProduct> m_products;
};
