// "TRADE_TareOptions": the preset tare keys of the sales screen, a JSON array
// of {"weight": ...}. Each input becomes the configured text and the screen
// builds its tare keys from it again; every key is then selected and read.

#include "FuzzSupport.h"

#include "contracts/KxPosConfig.h"
#include "trade/TradeWidget.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QPushButton>

// Rebuilds the tare keys the way the screen builds them when it starts.
class TradeWidgetTestAccess
{
public:
    static void reloadTareKeys(TradeWidget& screen)
    {
        screen.selectedTare = nullptr;
        delete screen.tareGroup;
        screen.tareGroup = nullptr;
        qDeleteAll(screen.findChildren<QPushButton*>(QStringLiteral("buttonTare")));
        screen.InitTareButtons();
    }
    static QList<QAbstractButton*> tareKeys(TradeWidget& screen) { return screen.tareGroup->buttons(); }
};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    KxPosFuzz::ensureApplication();
    static TradeWidget* screen = [] {
        auto* s = new TradeWidget(0, nullptr);
        s->show();
        return s;
    }();
    KxPosConfig::SetValue(QStringLiteral("TRADE_TareOptions"), KxPosFuzz::text(data, size));
    TradeWidgetTestAccess::reloadTareKeys(*screen);
    for (QAbstractButton* key : TradeWidgetTestAccess::tareKeys(*screen)) {
        screen->SelectPreTare(key);
        (void)screen->GetPresetTare();
        (void)screen->GetButtonByWeight(key->text());
        screen->DeselectPreTare(key);
    }
    return 0;
}
