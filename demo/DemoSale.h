#pragma once
// The sale the demo host keeps: its lines and totals. The sales screen only
// shows what this class hands it.

#include "contracts/KxPosModel.h"

#include <QList>
#include <QMap>

struct DemoProduct;

class DemoSale
{
public:
    // Adds a product; weighed goods take `quantity` as their weight.
    void Add(const DemoProduct& product, double quantity, const QString& unitCaption, const QString& name);
    bool SetQuantity(int row, double quantity);
    // A new unit price for a line (above 0).
    bool SetPrice(int row, double price);
    // Discounts as fractions of the line's or every line's amount, each up
    // to its limit; false, and nothing changes, beyond it.
    static constexpr double MaxLineDiscount = 0.3;
    static constexpr double MaxBillDiscount = 0.2;
    bool SetLineDiscount(int row, double fraction);
    double LineDiscount(int row) const;
    bool SetBillDiscount(double fraction);
    double BillDiscount() const { return m_billDiscount; }
    // Goods at their prices before discounts.
    double Original() const;
    bool Remove(int row);
    void Clear();

    QList<KxPosPluDetail>& Lines() { return m_lines; }
    const QList<KxPosPluDetail>& Lines() const { return m_lines; }
    bool IsEmpty() const { return m_lines.isEmpty(); }
    double Total() const;
    // Amount taken off by coupons; the customer pays Total() less this.
    void SetDeduction(double amount) { m_deduction = amount > 0 ? amount : 0.0; }
    double Deduction() const { return m_deduction; }
    double Due() const;
    double ItemCount() const;

private:
    QList<KxPosPluDetail> m_lines;
    int m_nextLineNo = 1;
    double m_deduction = 0.0;
    double m_billDiscount = 0.0;
    QMap<int, double> m_lineDiscounts; // by line number

    // Amounts of a line from price, quantity and discounts.
    void Reprice(KxPosPluDetail& line) const;
};
