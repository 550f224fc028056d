#include "DemoCatalogue.h"

DemoCatalogue::DemoCatalogue()
{
    // Codes are what a scanner would send: EAN-13 for packaged goods, short
    // store codes for goods sold by weight.
    m_products = {
        {QStringLiteral("6901234567892"), QStringLiteral("农夫山泉 550ml"), QStringLiteral("Spring water 550ml"), 2.00,
         QStringLiteral("瓶"), QStringLiteral("btl"), false},
        {QStringLiteral("6902083881405"), QStringLiteral("娃哈哈 AD钙奶 220g×4"), QStringLiteral("AD calcium milk 4-pack"),
         9.90, QStringLiteral("组"), QStringLiteral("pack"), false},
        {QStringLiteral("6920202888883"), QStringLiteral("康师傅红烧牛肉面"), QStringLiteral("Braised beef noodles"), 4.50,
         QStringLiteral("袋"), QStringLiteral("bag"), false},
        {QStringLiteral("6903148042441"), QStringLiteral("伊利纯牛奶 250ml"), QStringLiteral("Whole milk 250ml"), 3.50,
         QStringLiteral("盒"), QStringLiteral("box"), false},
        {QStringLiteral("6921168509256"), QStringLiteral("洽洽香瓜子 260g"), QStringLiteral("Roasted sunflower seeds"), 11.80,
         QStringLiteral("袋"), QStringLiteral("bag"), false},
        {QStringLiteral("1001"), QStringLiteral("红富士苹果"), QStringLiteral("Fuji apples"), 12.80, QStringLiteral("千克"),
         QStringLiteral("kg"), true},
        {QStringLiteral("1002"), QStringLiteral("香蕉"), QStringLiteral("Bananas"), 6.98, QStringLiteral("千克"),
         QStringLiteral("kg"), true},
        {QStringLiteral("1003"), QStringLiteral("五花肉"), QStringLiteral("Pork belly"), 32.00, QStringLiteral("千克"),
         QStringLiteral("kg"), true},
        {QStringLiteral("2001"), QStringLiteral("购物袋（大）"), QStringLiteral("Shopping bag (large)"), 0.30,
         QStringLiteral("个"), QStringLiteral("pc"), false},
    };
}

const DemoProduct* DemoCatalogue::Find(const QString& code) const
{
    const QString wanted = code.trimmed();
    for (const DemoProduct& p : m_products) {
        if (p.code == wanted)
            return &p;
    }
    return nullptr;
}
