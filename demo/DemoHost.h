#pragma once
// The demo host: owns the sales screen and does the host's duties for it
// (product look-up, the sale and its totals, the scale, members and clerks,
// payment with change, the clock), wired to the screen's signals.

#include "DemoBills.h"
#include "DemoCatalogue.h"
#include "DemoCoupons.h"
#include "DemoDeposits.h"
#include "DemoMembers.h"
#include "DemoOptions.h"
#include "DemoOrders.h"
#include "DemoPayments.h"
#include "DemoSale.h"
#include "DemoScale.h"

#include "contracts/KxPosModel.h"

#include <QObject>
#include <QTimer>
#include <QVector>

#include <memory>

class CouponUsageWidget;
class DemoMemberLogin;
class QCompleter;
class QMenu;
class QStandardItemModel;
class TradeWidget;

class DemoHost : public QObject
{
    Q_OBJECT
public:
    explicit DemoHost(QObject* parent = nullptr);
    ~DemoHost() override;

    TradeWidget* Screen() const { return m_screen.get(); }
    // Shows the sales screen; `kiosk`: frameless over the whole display.
    void Show(bool kiosk = false);

    // Types a code into the screen key by key and confirms it, as a scanner does.
    void Scan(const QString& code);
    // Sends one key press to the sales screen, as the keyboard would.
    void PressKey(int key, const QString& text = QString());
    DemoScale& Scale() { return m_scale; }
    const DemoSale& Sale() const { return m_sale; }
    // The host's last steps (at most LogLimit), oldest first.
    QStringList Log() const { return m_log; }
    static constexpr int LogLimit = 2000;
    const KxPosVipDetail& Member() const { return m_members.Member(); }
    DemoMemberLogin* MemberLogin() const { return m_memberLogin; }
    const DemoPayments& Payments() const { return m_payments; }
    const DemoBills& Bills() const { return m_bills; }
    DemoDeposits& Deposits() { return *m_deposits; }
    DemoOptions& Options() { return *m_options; }
    DemoOrders& Orders() { return *m_orders; }
    DemoCoupons& DeductCoupons() { return *m_deductCoupons; }
    DemoCoupons& ExchangeCoupons() { return *m_exchangeCoupons; }
    CouponUsageWidget* DeductCouponScreen() const { return m_deductScreen.get(); }
    CouponUsageWidget* ExchangeCouponScreen() const { return m_exchangeScreen.get(); }
    // The function menu ("/"): every function of the grid in a list that the
    // arrows and Enter choose from, for a cashier without a mouse.
    QMenu* FunctionMenu() const { return m_functionMenu; }

private:
    void Wire();
    void WireDeposits();
    void WireCoupons();
    void OnCouponProducts(const QList<KxPosPluDetail>& products);
    void Tick();
    void InitFunctions();
    void Rebind();
    // Texts of the host's own on the screen, in the current language.
    void PushHostTexts();
    // The catalogue's and the food products' suggestions, in the language shown.
    void FillSuggestions();
    void ShowMember();
    void PushTotals();
    // A new sale; the coupons of the last one are spent when it was paid,
    // cancelled when it was abandoned.
    void StartSale(bool previousPaid = false);
    // Forgets the sale's lines and cancels its coupons.
    void AbandonSale();
    void PushCouponDeduction();
    void Record(const QString& entry);

    void OnAddProduct(const QString& code);
    void OnSetWeight(int lineNo, const QString& code, double weight);
    void OnModifyQuantity(double quantity);
    void OnRemoveLine(int row);
    void OnPay(int kind, const QString& payCode);
    void OnFunction(const QString& code);
    // The till's own duties behind function keys (discounts, price change,
    // return sale, drawer, reprint); false for a code that is none of them.
    bool HandleTillDuty(const QString& code);
    static const QString FnLineDiscount;
    static const QString FnBillDiscount;
    static const QString FnDrawer;
    static const QString FnReprint;
    static const QString FnReturnSale;
    static const QString FnChangePrice;
    static const QString FnKeyboard;
    static const QString FnIdle;
    static const QString FnDepositSale;
    // The function menu's own key, the demo's "/" shown on the shortcut bar
    // so that a cashier sees the key and can also tap it.
    static const QString FnMenu;
    void Notify(const QString& zh, const QString& en);
    // A key of the sales screen the demo answers: the function it stands for
    // (empty for a key of no function) and what it does, the function itself
    // when `action` is empty.
    struct KeyBinding {
        int key;
        QString function;
        void (*action)(DemoHost&);
    };
    // The one table of the keys: OnKey dispatches from it, HasOwnKey reads it.
    static const QVector<KeyBinding>& Keys();
    void OnKey(const QString& screen, int key);
    // True for a function the sales screen's keys reach directly (OnKey), so
    // that the function menu need not list it.
    static bool HasOwnKey(const QString& code);
    void OpenFunctionMenu();
    QStringList PresetTares() const;
    void PressScaleKey(const QString& key);
    // The notice key announces the new online orders; pressing it opens them.
    void UpdateNotice();
    void OnMemberLogin();
    void LogInMember(const QString& code);
    void OnSelectClerk(const QString& code);
    void OnSelectBill(const QString& bill);
    void OpenOrders();
    void CloseOrders();

    // Registers the demo's resources (they live in a static library) before
    // any member below reads them: it must stay the first member.
    struct Resources {
        Resources();
    } m_resources;
    std::unique_ptr<TradeWidget> m_screen;
    DemoCatalogue m_catalogue;
    DemoSale m_sale;
    DemoScale m_scale;
    QTimer m_clock;
    DemoMembers m_members;
    DemoMemberLogin* m_memberLogin = nullptr; // child of the sales screen
    QMenu* m_functionMenu = nullptr;          // child of the sales screen
    QStandardItemModel* m_suggestions = nullptr;
    QCompleter* m_completer = nullptr;
    DemoBills m_bills;
    bool m_returnSale = false; // the current sale gives goods back
    DemoPayments m_payments;
    std::unique_ptr<DemoDeposits> m_deposits;
    std::unique_ptr<DemoOptions> m_options;
    std::unique_ptr<DemoOrders> m_orders;
    std::unique_ptr<CouponUsageWidget> m_deductScreen;
    std::unique_ptr<CouponUsageWidget> m_exchangeScreen;
    std::unique_ptr<DemoCoupons> m_deductCoupons;
    std::unique_ptr<DemoCoupons> m_exchangeCoupons;
    QStringList m_log;
    bool m_presetKeysBeforeOrders = false;
    int m_noticeCount = -1; // new orders the notice key announces
    // The last paid sale, for its whole-sale deposit.
    struct PaidSale {
        QString saleNo;
        QList<KxPosPluDetail> lines;
        KxPosVipDetail member;
    } m_lastPaid;
};
