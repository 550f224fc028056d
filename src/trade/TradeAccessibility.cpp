#include "trade/TradeAccessibility_p.h"

#include "contracts/AccessibleNames.h"

#include <QWidget>

namespace {
constexpr AccessibleNames::Entry names[] = {
    {"txtcode", 7710},
    {"lineEdit", 7711},
    {"btnLeft", 7712},
    {"btnRight", 7713},
    {"boxCxTitle", 7714},
    {"boxOrderSort", 7715},
    {"tbvSale", 7716},
    {"tbvOrder", 7717},
    {"tbvOnline", 7718},
    {"tbvDown", 7719},
    {"btnInform", 7720},
    {"btnWIFI", 7721},
    {"pushButtonvipimg", 7722},
    {"btnMemberName", 7722},
    {"btnVipNameR", 1951},
    {"btnNumDot", 7702},
};
} // namespace

namespace TradeAccessibility {

void Apply(QWidget* screen)
{
    if (!screen)
        return;
    AccessibleNames::NameButtonsByCaption(screen);
    for (const char* area : {"widgetFunc", "widgetBtn"}) {
        if (auto* keys = screen->findChild<QWidget*>(QLatin1String(area)))
            AccessibleNames::NameButtonsByCaption(keys, UnusedKey);
    }
    AccessibleNames::Apply(screen, names);
}

} // namespace TradeAccessibility
