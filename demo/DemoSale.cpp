#include "DemoSale.h"

#include "DemoCatalogue.h"

#include <cmath>

void DemoSale::Add(const DemoProduct& product, double quantity, const QString& unitCaption, const QString& name)
{
    // Packaged goods scanned again raise the quantity of their line.
    if (!product.weighed && !product.serial) {
        for (int row = 0; row < m_lines.size(); ++row) {
            const KxPosPluDetail& line = m_lines.at(row);
            if (line.pluCode == product.code && line.weighFlag != QLatin1String("1")) {
                SetQuantity(row, line.saleQty + quantity);
                return;
            }
        }
    }
    KxPosPluDetail line;
    line.lineNo = m_nextLineNo++;
    line.pluCode = product.code;
    line.pluName = name;
    line.saleQty = quantity;
    line.quantityDecimals = product.weighed ? 3 : 0;
    line.salePrice = product.price;
    line.unitName = unitCaption;
    line.weighFlag = product.weighed ? QStringLiteral("1") : QStringLiteral("0");
    Reprice(line);
    if (product.serial) {
        // Each serial-numbered item is its own line with its own number.
        line.isSerialLine = QStringLiteral("1");
        line.extValues.insert(QStringLiteral("SerialNo"), QStringLiteral("SN%1").arg(line.lineNo * 7919 % 100000, 5, 10, QLatin1Char('0')));
        line.extValues.insert(QStringLiteral("SeCode"), QStringLiteral("%1").arg(line.lineNo, 2, 10, QLatin1Char('0')));
    }
    if (!product.package.isEmpty()) {
        line.pluType = QStringLiteral("07");
        line.subItems = product.package;
    }
    m_lines.append(line);
}

bool DemoSale::SetQuantity(int row, double quantity)
{
    if (row < 0 || row >= m_lines.size() || quantity <= 0)
        return false;
    KxPosPluDetail& line = m_lines[row];
    line.saleQty = quantity;
    Reprice(line);
    return true;
}

bool DemoSale::SetPrice(int row, double price)
{
    if (row < 0 || row >= m_lines.size() || !(price > 0.0) || price > 99999.99)
        return false;
    m_lines[row].salePrice = std::round(price * 100.0) / 100.0;
    Reprice(m_lines[row]);
    return true;
}

bool DemoSale::SetLineDiscount(int row, double fraction)
{
    if (row < 0 || row >= m_lines.size() || fraction < 0.0 || fraction > MaxLineDiscount + 1e-9)
        return false;
    m_lineDiscounts.insert(m_lines.at(row).lineNo, fraction);
    Reprice(m_lines[row]);
    return true;
}

double DemoSale::LineDiscount(int row) const
{
    return row >= 0 && row < m_lines.size() ? m_lineDiscounts.value(m_lines.at(row).lineNo) : 0.0;
}

bool DemoSale::SetBillDiscount(double fraction)
{
    if (fraction < 0.0 || fraction > MaxBillDiscount + 1e-9)
        return false;
    m_billDiscount = fraction;
    for (KxPosPluDetail& line : m_lines)
        Reprice(line);
    return true;
}

void DemoSale::Reprice(KxPosPluDetail& line) const
{
    const double original = line.salePrice * line.saleQty;
    line.amountA = std::round(original * 100.0) / 100.0;
    const double kept = (1.0 - m_lineDiscounts.value(line.lineNo)) * (1.0 - m_billDiscount);
    line.lineAmount = std::round(original * kept * 100.0) / 100.0;
}

double DemoSale::Original() const
{
    double total = 0.0;
    for (const KxPosPluDetail& line : m_lines)
        total += line.amountA;
    return total;
}

bool DemoSale::Remove(int row)
{
    if (row < 0 || row >= m_lines.size())
        return false;
    m_lines.removeAt(row);
    return true;
}

void DemoSale::Clear()
{
    m_lines.clear();
    m_deduction = 0.0;
    m_billDiscount = 0.0;
    m_lineDiscounts.clear();
    m_nextLineNo = 1;
}

double DemoSale::Total() const
{
    double total = 0.0;
    for (const KxPosPluDetail& line : m_lines)
        total += line.lineAmount;
    return total;
}

double DemoSale::Due() const
{
    const double due = Total() - m_deduction;
    return due > 0.0 ? std::round(due * 100.0) / 100.0 : 0.0;
}

double DemoSale::ItemCount() const
{
    double count = 0.0;
    for (const KxPosPluDetail& line : m_lines)
        count += line.weighFlag == QLatin1String("1") ? 1.0 : line.saleQty;
    return count;
}
