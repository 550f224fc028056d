#pragma once
// The coupon redemption screen.
//
// The cashier scans or types coupon codes; each search goes to the host
// (SignSearchCoupon), which answers with AddCouponInfo. The screen lists the
// coupons, keeps coupons of different channels apart, and works in one of two
// modes chosen by KxPosConfig::m_isCouponForDeduct when it is built:
//
//  - deduction mode: a coupon deducts an amount. A channel bar says where the
//    next code comes from; a row may stand for several coupons of one code
//    (useCount); used coupons can be cancelled, refreshed or removed.
//  - exchange mode: a coupon is exchanged for products. The cashier chooses
//    the products (page 0), weighs weighed ones on the product list (page 1)
//    and fills package contents (page 2) before the coupons are used.
//
// Confirm (SignUseCouponAndAddPlu) and submit (SignUseCouponFinished) hand the
// ticked coupons and their products to the host, which uses them and reports
// each result back through CacheCouponUseResult. The results are kept per
// main coupon so that a cancellation names every coupon used with it.
//
// What the screen guarantees a store, whatever the order of taps and answers:
//  - a coupon is handed over for use once. A row that is used, in doubt
//    (the service did not say), pending from a pay record or already added
//    is never part of a use request again, nor is any coupon id with a
//    cached use result; a ticked coupon in doubt refuses confirm until the
//    cashier refreshes or cancels it.
//  - a search answer for a coupon already listed refreshes an unused row
//    only; a row that holds what this sale did with its coupon keeps it until
//    the cashier cancels or refreshes it.
//  - weighings belong to one delivery of one sale: a new product list for a
//    coupon (AddPluList) and ClearData forget them, a reading of zero or less
//    is refused, and a used coupon's goods are not weighed again.
//  - in exchange mode a coupon deducts at most the value of the goods it
//    brings; the screen shows that capped figure.
//  - a held bill takes its coupons with it (TakeSaleState) and gets them back
//    (RestoreSaleState); nothing is cancelled or used on the way.
//
// The screen talks to no server; everything runs on the GUI thread.

#include "kxpostradeui_export.h"

#include "coupon/CouponWidgetInfo.h"

#include "contracts/KxPosModel.h"
#include "contracts/KxWidget.h"

#include <QList>
#include <QMap>
#include <QMultiMap>
#include <QPair>
#include <QPersistentModelIndex>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <memory>

class QAbstractButton;
class QButtonGroup;
class QKeyEvent;
class QTableView;

class CouponItemDelegate;
class CouponListModel;
class CouponPluSelectionItemDelegate;
class CouponPluSelectionModel;
class CouponPluTableItemDelegate;
class CouponPluTableModel;
class KeyBoardWidget;
class MessageWidget;
class QuestionMessage;

namespace Ui {
class CouponUsageWidget;
}

// Products per coupon code.
using CouponPluListMap = QMap<QString, QList<KxPosPluDetail>>;
// A configured channel: (channelName, channelCode).
using CouponChannelEntry = QPair<QString, QString>;

class KXPOSTRADEUI_EXPORT CouponUsageWidget : public KxWidget
{
    Q_OBJECT

public:
    // The page the product area shows.
    // Typed, so that any number a host passes is a value of the type (an
    // unknown page is then refused, not undefined).
    enum CouponUsageType : int {
        PluSelectionType = 0, // the coupon's selectable products
        CouponPluListType = 1, // the products delivered, with weighing and totals
        ExchangePluListType = 2 // package contents, one package after another
    };
    Q_ENUM(CouponUsageType)

    // Builds the screen in the mode KxPosConfig::m_isCouponForDeduct says
    // (deduction when set, exchange otherwise), with the channel bar from
    // "TRADE_CertificateChannel" (deduction mode only) and an empty list.
    explicit CouponUsageWidget(QWidget* parent = nullptr);
    ~CouponUsageWidget() override;

    // --- Frame ---------------------------------------------------------------
    // Shows the screen with keyboard focus on the code line. With
    // `refuseSubmit` the submit button only explains that confirm is to be
    // used.
    void Show(bool refuseSubmit);
    // Hides the screen; the coupons, products and use results stay for the
    // sale.
    void Close();
    void Retranslate() override;
    void UpdateTranslation() override;
    // True in deduction mode, false in exchange mode; fixed at construction.
    bool IsDeductMode() const { return deductMode; }

    // --- Coupon list and channels --------------------------------------------
    // The host's answer to a search: adds the coupon, or refreshes the row of
    // the same couponId (with `warnIfAdded` the duplicate is refused), then
    // selects the last row. A listed row that is used, in doubt, pending or
    // added keeps its data and state: only the cashier's cancel or refresh
    // changes those.
    void AddCouponInfo(const CouponWidgetInfo& info, bool warnIfAdded);
    // Replaces the whole list and makes row 0 current.
    void UpdateCouponInfo(const QList<CouponWidgetInfo>& list);
    // True when `info` may join the list: no channel bar, an empty list, or
    // every listed coupon of the same channel.
    bool CheckCouponMutex(const CouponWidgetInfo& info);
    // True when no row has the couponId of `info` yet.
    bool CheckCouponAdded(const CouponWidgetInfo& info);
    // Ticks or unticks the first row of `couponId`; an unknown id is ignored.
    void SetCouponChecked(const QString& couponId, bool checked);
    // Marks the current row as handed to the host for use in this sale
    // (`added`), so that it is not requested again.
    void SetCurrentCouponAdded(bool added);
    // Every ticked, used row is marked added.
    void SetCheckedCouponAdded();
    // Marks the coupon at `index` as having its products confirmed (exchange
    // mode); an invalid index is ignored.
    void SetCouponConfirmed(const QModelIndex& index);
    // A copy of every listed coupon, in list order.
    QList<CouponWidgetInfo> GetCouponWidgetData();
    // The current row's coupon, or a default record when no row is current.
    CouponWidgetInfo GetCurrentCouponInfo();
    // The current row's couponCode (the key of its products), empty when none.
    QString GetCurrentCouponCode();
    // Name of the channel the next code comes from; empty without a channel
    // bar (exchange mode, or no channels configured).
    QString GetCurrentChannelName();
    // The configured channels, in configuration order.
    QList<CouponChannelEntry> GetChannelList() const;
    // Reads "TRADE_CertificateChannel" (a JSON array of objects with
    // "ChannelName" and "ChannelCode") and builds the channel bar with the
    // first channel chosen; no channels hide the bar. Run at construction.
    void InitCouponChannel();
    // Rebuilds the channel buttons of the current page.
    void RefreshChannelWidget();
    // Pages of the channel bar: 1 with up to 5 channels, otherwise 4 channels a
    // page.
    int ChannelPageCount();
    // The channel button of `channelCode` on the current page, or null.
    QAbstractButton* GetChannelButton(const QString& channelCode);
    // Empties the coupon list, the product pages, the product map, the
    // weighings and the use results. Cancels nothing.
    void ClearData();

    // --- Held bills ------------------------------------------------------------
    // Everything the screen holds for one sale.
    struct SaleState
    {
        // The listed coupons with their flags and states.
        QList<CouponWidgetInfo> coupons;
        // Use results by main coupon id.
        QMultiMap<QString, KxPosPayResult> useResults;
        // Products delivered per coupon code.
        CouponPluListMap pluMap;
        // Per coupon code, the product rows whose weight was accepted.
        QMap<QString, QList<int>> weighedRows;
        // The channel chosen on the channel bar.
        QString channelCode;
        // True when the state holds no coupon and no use result.
        bool IsEmpty() const { return coupons.isEmpty() && useResults.isEmpty(); }
    };
    // Hands the current sale's coupons over (for a held bill) and empties
    // the screen; nothing is cancelled.
    SaleState TakeSaleState();
    // Gives a held bill's coupons back. Refused (false, screen unchanged)
    // while the screen holds coupons of the current sale, so that none is
    // lost: take those first.
    bool RestoreSaleState(const SaleState& state);

    // --- Products, weighing and package contents -----------------------------
    // Appends a product to the product list of its couponCode.
    void AddPlu(const KxPosPluDetail& plu);
    // Replaces the products of `couponCode` and shows them: the package
    // contents first when `isExchange`, else the product list.
    void AddPluList(const QString& couponCode, const QList<KxPosPluDetail>& list, bool isExchange);
    // A scale result for product row `row` of the product list. Refused with
    // a message when above the coupon's limit, zero or less, or when the
    // coupon is already used (its goods are in the sale).
    void UpdatePluWeight(double weight, double value, int row);
    // A scale result for a package content item: the weight as text, passed
    // with the request's numbers to the picker. A reading of zero or less,
    // or one that is not a number, is refused with a message.
    void UpdatePackPluWeight(const QString& weightText, int itemIndex, int pageType, int count, int groupIndex);
    // Shows the product page `type` with the current coupon's data; a value
    // outside the type is only logged.
    void UpdateUIData(CouponUsageWidget::CouponUsageType type);
    // Shows the current coupon's selectable products (page 0) with the choice
    // counter; a coupon without any empties the page.
    void UpdatePluSelectionData();
    // Shows the current coupon's delivered products (page 1), marks the coupon
    // confirmed and shows total, deduction (couponAmount x useCount) and their
    // difference in yuan.
    void UpdatePluListData();
    // Offers the contents of the next package product still to fill (page 2);
    // when none is left, shows the product list.
    void UpdateExchangePluListData();
    // Empties the product selection page and its labels.
    void ClearSelectionPluData();
    // Shows the bottom buttons of the page shown.
    void UpdateBottomArea();
    // The product list of the current coupon (created empty for a new code).
    QList<KxPosPluDetail>& GetCurCouponPluDetailList();
    // Sum of price x quantity over the current coupon's products.
    double GetCurCouponTotalValue();
    // The weight the current coupon grants for a weighed product; 0.0 when it
    // names none.
    double GetCurCouponPluLimitWeight(const QString& pluCode);
    // Number of entries of `list` with `selected` set.
    int GetSelectedPluCount(const QList<CouponWidgetInfo::CouponPluInfo>& list);
    // True when every weighed product of `list` (a coupon's product list, in
    // its order) has been weighed in this delivery (always in deduction mode).
    bool CheckUnWeightPlu(const QList<KxPosPluDetail>& list);
    // Makes `row` of a product table current and scrolls it to the centre; a
    // row outside the table is ignored.
    void SelectPluAreaRow(QTableView* view, int row);
    // Moves the current row of a product table one row down or up, wrapping at
    // either end; nothing on an empty table.
    void DoPluAreaRowChange(QTableView* view, bool down);

    // --- Use and cancellation bookkeeping ------------------------------------
    // Checks the ticked coupons and fills `couponInfoList` with one use
    // request per ticked row not yet added. False (after a message) when
    // refused.
    bool PrepareForCouponUse(QList<QVariantMap>& couponInfoList);
    // A use result of the host: "PayDetails", main coupon first.
    void CacheCouponUseResult(const QVariantMap& result);
    // A use result recovered from a pay record ("UDP21" JSON text).
    void CacheCouponUseResult(const QString& couponId, const KxPosPayResult& payResult);
    // The used-coupon records of a main coupon, its own first.
    QList<QVariantMap> GetCouponUsedData(const QString& mainCouponId);
    // Drops cached use results of `mainCouponId`: all of them when
    // `subCouponId` is empty, else the first one of that coupon. An unknown id
    // is ignored.
    void RemoveCacheCouponUseResult(const QString& mainCouponId, const QString& subCouponId);
    // The host's outcome of cancelling one coupon: `status` 0 (cancelled) drops
    // its cached result; for a child (`subCouponId` other than `mainCouponId`)
    // the child takes `status`. The main row's own state is not changed.
    void ProcessCouponUnuseReqResult(const QString& mainCouponId, const QString& subCouponId,
                                     CouponWidgetInfo::CouponStatus status);
    // Returns the main id the row is known under afterwards.
    QString ProcessMultiCouponUnuseFailed(const QString& mainCouponId);
    // A pay record of `couponId` was cancelled in the sale: a main coupon used
    // alone leaves the list, a main coupon used with children hands its role to
    // a child, a child goes back to unused.
    void HandleCancelPayResult(const QString& couponId);
    // HandleCancelPayResult() for a main coupon at `row`; false when `couponId`
    // is not a main coupon with cached results.
    bool ProcessMainCouponCancel(const QString& couponId, int row);
    // HandleCancelPayResult() for a child coupon at `row`: its result is
    // dropped, it goes back to unused and the row's useCount follows the
    // results left.
    void ProcessSubCouponCancel(const QString& couponId, int row);
    // Makes the child `newMainCouponId` of `row` the row's main coupon (its
    // fields replace the main coupon's).
    void ReplaceMainCouponData(int row, const QString& newMainCouponId);
    // Removes from the row of `mainCouponId` every child that is not used.
    void ClearUnuseChildCoupon(const QString& mainCouponId);
    // After the host cancelled `couponId`: drops its cached results, unticks
    // its row and emits SignRemovePayRecord() with the cancelled ids (when
    // there were results).
    void DeselectCouponAfterUnuse(const QString& couponId);
    // Asks the host to cancel every used coupon, then empties the screen.
    // For a sale that is abandoned; after a paid sale use ClearData, which
    // cancels nothing.
    void UnuseAndClearData(bool needHint);
    // Removes the row of `couponId` and its cached results; the first row
    // becomes current, or the screen is emptied when none is left.
    void RemoveCoupon(const QString& couponId);
    // Asks the cashier again to cancel the current coupon and, on yes, emits
    // SignButtonUnuseClicked() for it.
    void RetryCurrentCouponUnuse();
    // Emits SignButtonRefreshClicked() for the current coupon.
    void RefreshCurrentCouponStatus();
    // Sets the state of the row of `couponId`, or of its child `subCouponId`
    // when that is not empty; an unknown id is ignored.
    void UpdateCouponStatus(const QString& couponId, CouponWidgetInfo::CouponStatus status,
                            const QString& subCouponId);
    // UpdateCouponStatus() for the coupon at `row`.
    void UpdateCouponItemStatus(int row, CouponWidgetInfo::CouponStatus status, const QString& subCouponId);
    // True while any use result is cached.
    bool HasUsedCoupon();
    // Sum of couponAmount over the used coupons and used children, in yuan.
    double GetUsedCouponAmount();
    // Ids of the used coupons, each followed by its used children.
    QStringList GetUsedCouponIdList();
    // Row of `couponId` (also as a child when `withChildren`), or -1.
    int GetRowByCouponId(const QString& couponId, bool withChildren);
    // True when at least one row is ticked; otherwise shows message 2279.
    bool CheckUnCheckedCoupon();
    // True in deduction mode, or when every coupon's products were confirmed;
    // otherwise shows message 2278.
    bool CheckCouponConfirmed();
    // Reads the coupon at `index` into `out`; false (message 2281) when it is
    // used and its use count cannot change.
    bool CheckCouponUseNumModify(const QModelIndex& index, CouponWidgetInfo& out);

signals:
    // The cashier searched `couponCode` from the channel `channelCode` ("jh" in
    // exchange mode); the host answers with AddCouponInfo().
    void SignSearchCoupon(const QString& couponCode, const QString& channelCode);
    // The products of `couponInfo` are needed (its chosen products are in
    // pluInfoList); the host answers with AddPluList().
    void SignGetCouponPlu(const CouponWidgetInfo& couponInfo);
    // Weigh the product at `row`; the host answers with UpdatePluWeight().
    void SignGetCouponPluWeight(const KxPosPluDetail& pluDetail, int row);
    // Weigh a package content item; the host answers with UpdatePackPluWeight()
    // and the same numbers.
    void SignGetPackPluWeight(KxPosPluDetail p_PluDetail, int row, int iPageType, int iCount, int iGroup);
    // Confirm: use the coupons of `couponInfoList` (one use request per ticked
    // row not yet added) and add the products of `pluMap` to the sale. Connect
    // directly: `pluMap` is the screen's own map. The host reports each result
    // with CacheCouponUseResult().
    void SignUseCouponAndAddPlu(CouponPluListMap& pluMap, const QList<QVariantMap>& couponInfoList);
    // Submit: as SignUseCouponAndAddPlu(), and the cashier is done with the
    // coupons.
    void SignUseCouponFinished(CouponPluListMap& pluMap, const QList<QVariantMap>& couponInfoList);
    // Cancel every used coupon of `resultList` (used-coupon records);
    // `needHint` as given to UnuseAndClearData().
    void SignUnuseCouponList(const QList<QVariantMap>& resultList, bool needHint);
    // The cashier cancels the use of one row: the used-coupon records of its
    // main coupon, its own first.
    void SignButtonUnuseClicked(const QList<QVariantMap>& couponInfoList);
    // The cashier asks for the state of a coupon in doubt: its used-coupon
    // records (possibly none).
    void SignButtonRefreshClicked(const QList<QVariantMap>& couponInfoList);
    // Drop the sale's pay records of the cancelled coupons `couponIdList`.
    void SignRemovePayRecord(const QStringList& couponIdList);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void SlotButtonSearchClicked();
    void SlotButtonConfirmClicked();
    void SlotButtonSubmitClicked();
    void SlotButtonCloseClicked();
    void SlotChannelNextPage();
    void SlotChannelButtonClicked(QAbstractButton* button);
    void SlotCouponListClicked(const QModelIndex& index);
    void SlotButtonPackConfirmClicked();
    void SlotSelectCouponPlu(const QModelIndex& index);
    void SlotButtonPreClicked();
    void SlotButtonNextClicked();
    void SlotPluWeightButtonClicked(const QModelIndex& index);
    void SlotPluDetailButtonClicked(const QModelIndex& index);
    void SlotCouponMinusButtonClicked(const QModelIndex& index);
    void SlotCouponPlusButtonClicked(const QModelIndex& index);
    void SlotCouponUnuseButtonClicked(const QModelIndex& index);
    void SlotCouponRefreshButtonClicked(const QModelIndex& index);
    void SlotCouponRemoveButtonClicked(const QModelIndex& index);

private:
    // Tests read state that hosts are not offered through this class.
    friend class KxPosTestAccess;

    // The page of the screen's stack shown (a CouponUsageWidget page type).
    int CurrentPage() const;
    void InitUI();
    void InitWidgetSize();
    void InitListView();
    void InitPluTableView();
    void InitConnections();
    void InitDefaultData();
    void ApplyCaptions();
    // Keys (CouponUsageKeys.cpp): watched widgets, captions with their keys,
    // the key handling shared by the screen and its watched widgets (true
    // when the key was used), the product table of the page shown (exchange
    // mode), Space on the coupon list and on the product list.
    void InitKeys();
    void ApplyKeyCaptions();
    bool HandleKey(QKeyEvent* event);
    // Enter, and the pad's confirm key: searches the typed code, or presses
    // the page's default key when the code box is empty.
    void ConfirmCode();
    // The on-screen pad under the code box, shown and hidden by its key, for
    // a cashier without a keyboard: its keys type into the code box.
    void InitCodePad();
    void CodePadKey(const QString& key);
    QTableView* CurrentPluView() const;
    void ToggleCurrentCoupon();
    // Delete: the current row's own key (cancel use, refresh or remove).
    void PressCurrentRowKey();
    void WeighCurrentPlu();
    void ShowMessage(const QString& text);
    void HandlePluSelectionConfirm();
    void HandleExchangePluConfirm();
    // Writes total, deduction and difference of the current coupon.
    void UpdateAmountLabels();
    // Writes the translated texts of the page shown again (language change).
    void RefreshPageTexts();
    void UpdateSelectionCounter(int selected);
    void SelectCouponRow(int row, bool emitClicked);
    QVariantMap UsedCouponRecord(const QString& mainCouponId, const KxPosPayResult& result) const;
    // Moves every cached result of `oldId` under `newId`, keeping their order;
    // with `skipCouponId` set the result of that coupon is dropped.
    void MoveCacheEntries(const QString& oldId, const QString& newId, const QString& skipCouponId);
    // True when a coupon of the row is used, in doubt or pending, or the row
    // was handed to the host: the row then belongs to this sale as it is.
    static bool HoldsSaleState(const CouponWidgetInfo& coupon);
    // True when some cached use result names `couponId`.
    bool HasUseResult(const QString& couponId) const;
    // True when the current coupon's goods may still change (not used, not
    // in doubt, not handed over); otherwise says why not.
    bool CheckCurrentCouponOpen();

    Ui::CouponUsageWidget* ui;
    bool deductMode;
    MessageWidget* messageWidget;
    QuestionMessage* questionMessage;
    KeyBoardWidget* codePad = nullptr;
    QAbstractButton* codePadKey = nullptr;
    QButtonGroup* channelGroup = nullptr;
    QList<CouponChannelEntry> channelList;
    int channelPage = 0;
    QPersistentModelIndex lastCouponIndex;
    QString currentChannelCode;
    std::shared_ptr<CouponListModel> couponModel;
    std::shared_ptr<CouponItemDelegate> couponDelegate;
    std::shared_ptr<CouponPluTableModel> pluTableModel;
    std::shared_ptr<CouponPluTableItemDelegate> pluTableDelegate;
    std::shared_ptr<CouponPluSelectionModel> pluSelectionModel;
    std::shared_ptr<CouponPluSelectionItemDelegate> pluSelectionDelegate;
    CouponPluListMap pluMap;
    QMap<QString, QList<int>> weighedRows;
    QMultiMap<QString, KxPosPayResult> useCache;
    int packPluRow = -1;
    bool submitRefused = false;
};
