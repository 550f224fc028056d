#pragma once
// The demo host's side of the option dialogs, the preset-key arrangement and
// the floating return button:
//  - food products with options (specification, tastes, add-ons) that open
//    SelectSpuWidget and go on the sale with their surcharges;
//  - the promotion-type question (SelectProType);
//  - the customer form (CustomerInfoWidget) with the shipped area data;
//  - preset product keys on the sales screen, rearranged in SortPluManagement
//    and kept in the demo's configuration;
//  - hiding the sales screen shows PosFloatForm, which brings it back.

#include "DemoCatalogue.h"

#include "contracts/KxPosModel.h"
#include "contracts/PrePluGroupShowWidget.h"

#include <QMap>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QString>

#include <functional>
#include <memory>

class CustomerInfoWidget;
class DemoSale;
class PosFloatForm;
class SelectProType;
class SelectSpuWidget;
class SortPluManagement;
class TradeWidget;

namespace DemoRender {
class Display;
}

// A food product sold with options.
struct DemoFood
{
    DemoProduct product;             // base price and captions
    KxPosPluSpu options;             // what the cashier chooses from
    QMap<QString, double> specExtra; // surcharge by specification code
};

class DemoOptions : public QObject
{
    Q_OBJECT
public:
    // Function codes handled by HandleFunction().
    static const QString FnPromotionType; // ask the promotion type
    static const QString FnCustomer;      // customer information form
    static const QString FnArrangeKeys;   // preset-key arrangement dialog
    static const QString ArrangementKey;  // configuration key of the stored arrangement
    static const QString FnPresetKeys;    // show / hide the preset keys
    static const QString FnHideScreen;    // hide the sales screen (floating button)

    explicit DemoOptions(TradeWidget* screen, QObject* parent = nullptr);
    ~DemoOptions() override;

    // The food products; null when the code is none of them.
    static const QList<DemoFood>& Foods();
    static const DemoFood* FindFood(const QString& code);

    // Runs the option dialog for a food product and adds the chosen product
    // to the sale: name with specification, tastes and add-ons, price with
    // every surcharge. Returns false when the code is no food product or the
    // cashier closed the dialog (nothing is added).
    bool SellFood(const QString& code, DemoSale& sale);
    // The same without a sale: the product as chosen and the choice text.
    bool ChooseFood(const QString& code, DemoProduct* product, QString* choice);

    // Function keys for the sales screen's function grid.
    static QList<dynMapButton> Functions();
    // Runs one of the functions above; false for other codes.
    bool HandleFunction(const QString& code);

    // -1 after the close key, else 0 ordinary promotions / 1 gift coupon.
    int AskPromotionType();
    int PromotionType() const { return m_promotionType; }

    // Runs the customer form; true when a customer was stored. The ID number
    // the reader gives (the logged-in member's on file) is preset: the form
    // shows it and takes only that number.
    bool EditCustomer();
    void SetIdReader(std::function<QString()> reader) { m_idReader = std::move(reader); }
    const KxPosCustomerInfo& Customer() const { return m_customer; }
    bool HasCustomer() const { return m_hasCustomer; }

    // Puts the preset keys on the sales screen (toggle: a second call
    // takes them off again).
    void ShowPresetKeys(bool toggle = false);
    void ArrangePresetKeys();
    PrePluGroupShowWidget* PresetKeys() const { return m_presetKeys.data(); }

    // Hides the sales screen and shows the floating return button.
    void HideSalesScreen();
    PosFloatForm* FloatButton() const { return m_float.get(); }

    // Runs each dialog of this part as the host does and renders it on
    // `display`: options-spu (the first food product), options-protype,
    // options-customer, presetkeys-arrange and presetkeys-float (the sales
    // screen hidden). Every dialog is closed without a choice and the sales
    // screen shown again. False when a file could not be written.
    bool SaveScreenshots(DemoRender::Display& display);

signals:
    // A preset product key was pressed: the host adds the product.
    void ProductKeyPressed(QString code);
    // Something happened worth a line in the host's log.
    void Log(QString entry);

private:
    bool english() const;
    void buildPresetKeys();
    void restoreArrangement();
    void saveArrangement();
    void restoreSalesScreen();

    TradeWidget* m_screen;
    std::unique_ptr<SelectSpuWidget> m_spu;
    std::unique_ptr<SelectProType> m_proType;
    std::unique_ptr<CustomerInfoWidget> m_customerForm;
    std::unique_ptr<SortPluManagement> m_arrange;
    std::unique_ptr<PosFloatForm> m_float;
    QPointer<PrePluGroupShowWidget> m_presetKeys;
    int m_promotionType = 0;
    KxPosCustomerInfo m_customer;
    bool m_hasCustomer = false;
    bool m_areasLoaded = false;
    std::function<QString()> m_idReader;
};
