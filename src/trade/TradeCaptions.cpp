#include "trade/TradeCaptions_p.h"
#include "trade/KeyHintLine_p.h"

#include "contracts/KxPosTranslator.h"

#include <QAbstractButton>
#include <QLabel>
#include <QWidget>

#include <cstring>

namespace {
struct Caption {
    const char* objectName;
    int messageId;
};

// Captions that do not change with the state of the sale. Captions that do
// (mode name, pay button, member button, edit button, operation buttons) are
// set by the area that owns them.
constexpr Caption captions[] = {
    {"lblWeightTitle", 7001},
    {"lblWeightPTitle", 7002},
    {"lalMoneyTitle", 7003},
    {"btnStable", 7004},
    {"btnSetZero", 7005},
    {"btnCutP", 7006},
    {"btnZero", 7007},
    {"btnClearTare", 7008},
    {"btnCutTare", 7009},
    {"msgnotice", 7010},
    {"btnDeskTop", 7011},
    {"btnReturn", 7012},
    {"toolButtonKeyMore", 7013},
    {"btncard", 7014},
    {"lblbillnoTitle", 7015},
    {"labelFacePro", 7016},
    {"btnOrderFresh", 7017},
    {"btnOrderUp", 7018},
    {"btnOrderDown", 7019},
    {"btnLineUp", 7020},
    {"btnActUp", 7020},
    {"btnLineDown", 7021},
    {"btnActDown", 7021},
    {"lblPickAmountTitle", 7022},
    {"btnOrderPrint", 7023},
    {"lblshouldTitle", 7024},
    {"lblprodtotalTitle", 7025},
    {"lbldiscount1", 7026},
    {"lbldiscount3", 7027},
    {"btnPreRow", 7028},
    {"btnNextRow", 7029},
    {"btnPay", 7030},
    {"btnUpdNum", 7031},
    {"btnOK", 7032},
    {"btnEditCancel", 7033},
    {"btnPreFunc", 7034},
    {"btnNextFunc", 7035},
    {"lblOrderPayTitle", 7036},
    {"lblOrderKeys", 7502},
    {"btnBillOrder", 7037},
    {"lblOrgCodeTitle", 2140},
    {"lblCashierCodeTitle", 4673},
};

void setCaption(QWidget* w, const QString& text, bool withColon)
{
    const QString shown = withColon ? text + QLatin1Char(':') : text;
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        button->setText(shown);
    else if (auto* hints = qobject_cast<KeyHintLine*>(w))
        hints->SetHints(shown);
    else if (auto* label = qobject_cast<QLabel*>(w))
        label->setText(shown);
}
} // namespace

namespace TradeCaptions {

void Apply(QWidget* screen)
{
    if (!screen)
        return;
    for (const Caption& c : captions) {
        auto* w = screen->findChild<QWidget*>(QLatin1String(c.objectName));
        if (!w)
            continue;
        const bool colon = std::strcmp(c.objectName, "lblOrgCodeTitle") == 0
                           || std::strcmp(c.objectName, "lblCashierCodeTitle") == 0
                           || std::strcmp(c.objectName, "lblbillnoTitle") == 0
                           || std::strcmp(c.objectName, "lblPickAmountTitle") == 0;
        setCaption(w, KxPosTranslator::GetTranslation(c.messageId), colon);
    }
}

int MessageFor(const char* objectName)
{
    for (const Caption& c : captions) {
        if (std::strcmp(c.objectName, objectName) == 0)
            return c.messageId;
    }
    return 0;
}

} // namespace TradeCaptions
