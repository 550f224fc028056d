#pragma once
// The checkout screen: code entry line, sale-line table, weighing panel,
// function keys and quick pay, member and clerk panel, held bills and status
// bar, online orders and promotion display.
//
// The screen holds no sale logic. It turns the cashier's input into signals
// and shows what the host pushes in through its public slots and methods.
// Everything runs on the GUI thread.

#include "kxpostradeui_export.h"

#include "contracts/KxPosModel.h"
#include "contracts/KxWidget.h"
#include "contracts/TableView.h"
#include "trade/OrderDetail.h"
#include "trade/TareUpdateType.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QModelIndex>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QVariant>

class QAbstractButton;
class QAbstractItemView;
class QAction;
class QButtonGroup;
class QComboBox;
class QCompleter;
class QDockWidget;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QSignalMapper;
class QStackedWidget;
class QStandardItemModel;
class QToolButton;

class ChangeWidget;
class KeyBoardWidget;
class MessageWidget;
class PrePluGroupShowWidget;
class QuestionMessage;
class StandardDelegate;

namespace Ui {
class TradeWidget;
}

class KXPOSTRADEUI_EXPORT TradeWidget : public KxWidget
{
    Q_OBJECT

public:
    TradeWidget(int screenType, QWidget* parent = nullptr);
    ~TradeWidget() override;

    // --- Frame -------------------------------------------------------------
    void InitWidget(int layoutMode);
    void initValue(bool mode);
    void StartTimerFocus();
    TableView* GetTable(int index = 0);
    void setIsCZFunction(const bool& flag);
    int ScreenType() const { return screenType; }
    int LayoutMode() const { return layoutMode; }
    // Sale mode. While it is off the screen is idle (its mode name and pay
    // key say so) and the next input starts a new sale.
    void SetTradeActive(bool active);
    bool IsTradeActive() const { return tradeActive; }
    // True from showing (or a layout change) until the next sale starts, a
    // moment later, with SignTrdStartTrade.
    bool IsSaleStartPending() const { return startTradePending; }

    // Component accessors. An unknown number gives a shared placeholder, never
    // null (except getUiQComboBox, which answers only 69).
    QWidget* getUiQWidget(int id);
    QDockWidget* getUiQDockWidget(int id);
    QStackedWidget* getUiQStackedWidget(int id);
    QLineEdit* getUiQLineEdit(int id);
    QPushButton* getUiQPushButton(int id);
    QToolButton* getUiQToolButton(int id);
    QLabel* getUiQLable(int id);
    QComboBox* getUiQComboBox(int id);

    // --- Entry line --------------------------------------------------------
    void crHandler();
    void ShowCompleter(int x, int y, int height = -1);
    int getCmpPtLocationX();
    int getCmpPtLocationY();
    void UseCharInput();
    bool HandleCharInput();
    void nonNumberHandler(char c);
    void delPreChar();
    void delAllChars();
    void insertMinus();
    int IsLastRowOver();
    int IsLastRowOver_favor();

    // --- Sale-line table ---------------------------------------------------
    void rebindModel(const QList<KxPosPluDetail>& lines, const QList<KxPosEmployeeDetail>& clerks);
    void previousRow();
    void nextRow();
    void ScrollSpecifyRow(int row);
    void updateMoney();
    void UpdateProduBackground();
    void UpdateCouponDeductAmount(const QString& amount, const QVariant& caption);
    void InputSingleFavor(QString type, bool full);
    void initNextValue();
    // Per-sale switch: a single-line discount is written into the table as a
    // placeholder line (on) or only reported to the host (off).
    void SetDiscountLineMode(bool on);

    // --- Weighing panel ----------------------------------------------------
    QString GetlblWeightContent();
    void WeightZero();
    void SendZero();
    void SendTare();
    double GetPresetTare();
    bool UsePresetTare();
    void SelectPreTare(QAbstractButton* button);
    void DeselectPreTare(QAbstractButton* button);
    QAbstractButton* GetButtonByWeight(const QString& weight) const;
    void SetTareButtonEnable(bool on);

    // --- Function keys and quick pay ---------------------------------------
    void InitFuncArea();
    void UpdateFuncShow();
    void UpdateCutBtnInit();
    void UpdateFuncPage();
    void ShowPreKeyBoard();
    void showFastPluKey(PrePluGroupShowWidget* group, bool toggle);
    void SetQuickPay(QString first, QString second, QString third);
    void pay(QString payCode);

    QList<dynMapButton> gridFunctions;     // written by the host before InitFuncArea()
    QList<dynMapButton> shortcutFunctions; // functions on the shortcut bar, at most 10
    int shortcutsGiven = 0;                // non-zero: the host filled shortcutFunctions

    // --- Member and sales clerk --------------------------------------------
    void memberLogin();
    void clickOnVipName();
    void MemberDetail();
    void ICcardLogin();
    void RefreshEmployeeButton(const QList<KxPosEmployeeDetail>& clerks);
    QString MemberCode() const { return memberCode; }

    // --- Held bills, status bar and notices --------------------------------
    void UpdateBtnBillNumber(QString bill);
    QString GetBillNumber();
    void FirstClickBill01();
    void SetOfflineStatus(bool offline);
    void SetPrintStatus(bool ready);
    void WifiConnectChanged(bool connected);
    void UpdateWaitInfo(bool done);
    // The store, scale and user texts of the last SlotTrdSetStatusValue, as
    // stored (store prefix and scale caption applied). The form shows none of
    // them; hosts and tests read them here.
    QStringList StatusValues() const { return statusValues; }
    void ShowToBeginMessage();
    // Shows the change-due popup with the amount; its closing key comes back
    // through the entry line (digits, Enter) or SignTrdKeyPressed.
    void ShowChange(double amount);
    void ShowGrpSaleText();
    void changeMsgNotice(int count);
    // The notice key, hidden until the host has something to announce.
    int MsgNoticeCount() const { return msgNoticeCount; }
    void ReturntoDesktop();

    bool saleModeFlag1 = false;
    bool saleModeFlag2 = false;
    bool groupSaleMode = false;
    bool testMode = false;      // training sale: the table shows its "test" background
    bool exchangeSale = false;  // exchange sale: the table shows its "capexchange" background
    bool amountTyped = false;   // the entry line holds an amount typed for the next line

    // --- Online orders -----------------------------------------------------
    void ShowOrderWidget(QList<OrderDetail> orders, int type);
    void showOrderList(QList<OrderDetail> orders, int type);
    void ClickOrderList(int row, bool keep);
    // Outside picking, a line that was picked shows what was picked (its
    // pickQty, or its weight for a weighed line) and its lineAmount; a line
    // not picked yet shows what was ordered. A host shows an order waiting
    // for its customer with the lines it got back from SignPickUpFinish.
    void showPluDetail(OrderDetail shown, OrderDetail picking, int lineRow);
    void AddOneOrderPlu(PluDetail line);
    void updateOrderPluDetail(PluDetail line, QString what, int row);
    void pluAddOne(QModelIndex index);
    void pluMinusOne(QModelIndex index);
    void pluRemove(QModelIndex index);
    void PickUpFinish();
    void SaveDataToSaleTmp(bool keep);
    void InitTableUI();
    void RefreshTableViewOn();
    void RefreshTableViewDown(bool keepRow = false);

    QString orderSortOrder; // "ASC" or empty; read by the host when it reloads the list

    // --- Promotions --------------------------------------------------------
    void SetProText(QMap<QString, QList<KxPosProRemarkHelper>> promotionsByKey, QString mainProId);
    void SetProText();
    void UpdateProShow();
    void setMainProInfo(QString proId);
    void UpdatePluProInfo(const QHash<int, QString>& texts);

public slots:
    void show();
    void updateDynData(int datatype, QString datacontent, QVariant exParam = QVariant());
    void SlotTrdSwitchKey(bool FixFstPage = false);
    void SlotResizeChangeWidget();
    void SlotGetWeight();
    void SlotNumMousePress(QString key);
    void SlotNumMouseRelease(QString key);
    void SlotAddOne(QModelIndex index);
    void SlotMinusOne(QModelIndex index);
    void SlotAdd();
    void SlotMinus();
    void SlotHideTrade();
    void SlotUpdateWeightData(TareUpdateType type, QVariant data);
    void SlotUpdateProSuggest(QString& sSuggestMsg);
    // Shows the notice key with what waits for the cashier: `text` (the
    // host's words, in the cashier's language; empty: the key's own caption)
    // and the count after it. A count of 0 or less hides the key. Pressing
    // it emits SignShowAllNotice().
    void SetMsgNotice(int count, const QString& text = QString());

signals:
    void SignShowAllNotice();
    void SignShowKeyEntryWidget();
    void SignTrdAddProduct(QString code);
    void SignTrdSetProdWeight(int line, QString code, double weight);
    void SignSetPludWeight(double weight);
    void SignTrdAddNum2Grid(double quantity);
    void SignTrdSubProduct(int row);
    void SignTrdClearSaleList();
    void SignTrdShowPresetBoard();
    void SignTrdSaveAccount(QString billNo);
    void SignTrdGetAccount();
    void SignChoosedVipSysType();
    void SignTrdShowExtend(int x, int y);
    void SignTrdGotoPay(int kind, QString payCode);
    void SignTrdHideChange();
    void SignTrdReturnToDesktop(QWidget* screen);
    void SignTrdKeyPressed(QString screenName, int key);
    void SignTrdDynFunc(QString funcCode);
    void SignTrdStartTrade();
    void SignSendTare(QString s, bool isTare);
    void SignSendZero(QString weight, bool zero);
    void SignTrdRebindModel();
    void SignNextEmployee();
    void SignPreviousEmployee();
    void SignShowMemberInfo();
    void SignSelectEmployee(QString empCode);
    void SignNewEmployee();
    void SignTradeCheckMaxValue(double value, QString type);
    void SignRefreshTradeUi();
    void SignModifyNumb(double quantity);
    void SignalShowOrderDetail(OrderDetail order, int mode, bool keep, int lineRow);
    void SignShowOrderWeight(PluDetail line);
    void SignPickUpFinish(OrderDetail order);
    void SignUpdateOrderList();
    void SignSaveTmpFinish(OrderDetail order, bool keep);
    void SignAcceptRefund(OrderDetail order);
    void SignGetPluRefund(OrderDetail order);
    void SignAcceptSelfTake(OrderDetail order);
    void SignRejectNewOrder(OrderDetail order);
    void SignRejectRefund(OrderDetail order);
    void SignRejectSelfTake(OrderDetail order);
    void SignDoReturn(OrderDetail order);
    void SignAcceptNewOrder(OrderDetail order);
    void SignPrintOrder(OrderDetail order);
    void SignRequestRefundPick(OrderDetail order);
    void SignQueryCoupon(QString memberCode);
    void SignSaveBtnEdit(QList<dynMapButton> shortcuts);
    void SignTrdSelectBill(QString billNo);
    void SignTrdPreGroupMN(QString text);
    void SignUpdateWeighWidget(TareUpdateType type, QVariant data);
    void SignTradeNormaled();
    void SignShowFullScreenAd(bool show);
    void SignShowProSuggest(QString& msg);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void Retranslate() override;
    void UpdateTranslation() override;

private slots:
    // Entry line
    void SlotTrdCheckStart(QString sNo);
    void SlotTrdKeyPress(QString key, int p_iKeyValue = 0);
    void SlotTrdSubProduct();
    void SlotTrdAddProduct();
    void SlotTrdBackCompleterModel(QCompleter* completer);
    void SlotKeyBoardClick(QString key);
    void SlotTrdBackspace();
    void SlotTxtSelected();
    void SlotCompleterHighlighted(QString text);
    void SlotCompleterActivated(QString text);
    void on_btnOK_released();
    void on_btnUpdNum_released();
    void on_txtcode_textChanged(const QString& text);
    void on_txtcode_textEdited(const QString& text);
    // Sale-line table
    void SlotTrdClearSaleList();
    void CurrentRowChanged(const QModelIndex& current, const QModelIndex& previous);
    void SlotSetrowHeight();
    void TableViewClicked(const QModelIndex& index);
    void SlotTableDataChanged();
    void on_btnPreRow_clicked();
    void on_btnNextRow_clicked();
    // Weighing panel
    void SlotShowProdWeight(double weight, double tareweight, bool stable, bool tareSet, bool atZero, int status);
    void SlotBtnZeroCliecked();
    void SlotBtnClearTareClicked();
    void SlotBtnCutTareClicked();
    void SlotTareButtonClicked(QAbstractButton* button);
    void SlotWeightProd(int m);
    void on_btnSetZero_clicked();
    void on_btnCutP_clicked();
    // Member and sales clerk
    void SlotTrdSetMemberInfo(KxPosVipDetail* vip);
    void SlotTrdMemberLogOut();
    void SlotEmployeeSelected(QAction* action);
    void on_btncard_clicked();
    void on_btnVipName_clicked();
    void on_btnVipNameR_clicked();
    void on_btnMemberName_clicked();
    void on_pushButtonvipimg_clicked();
    void on_btnphone_clicked();
    // Held bills and status
    void SlotTrdSaveAccount();
    void SlotTrdGetAccount();
    void SlotTrdSetStatusValue(QString orgcode, QString wgtcode, QString username);
    void SlotChgClosed(int p_iKeyValue, QString p_sKeyText);
    void on_btnBill01_clicked();
    void on_btnBill02_clicked();
    void on_btnBill03_clicked();
    void on_btnBill04_clicked();
    void on_msgnotice_clicked();
    void on_btnDeskTop_clicked();
    void on_btnReturn_clicked();
    // Function keys and quick pay
    void SlotFuncCheck(QString sNo);
    void AmountTotal(QString p_sPayType = QString());
    void SlotTrdExtendxy();
    void SlotTrdShowHideRightMenu();
    void on_btnPreFunc_clicked();
    void on_btnNextFunc_clicked();
    void on_btnEditFun_clicked();
    void on_btnEditCancel_clicked();
    void on_toolButtonKeyMore_clicked();
    void on_btnKey_clicked();
    void on_toolButtonpayfirst_clicked();
    void on_toolButtonpaysecond_clicked();
    void on_toolButtonpaythird_clicked();
    void on_toolButtonpayother_clicked();
    void on_btnPay_released();
    // Online orders and promotions
    void SlotComboBoxIndexChanged(QString text);
    void on_btnOper1_clicked();
    void on_btnOper2_clicked();
    void on_btnOrderUp_clicked();
    void on_btnOrderDown_clicked();
    void on_btnLineUp_clicked();
    void on_btnLineDown_clicked();
    void on_btnActUp_clicked();
    void on_btnActDown_clicked();
    void on_tbvOrder_clicked(const QModelIndex& index);
    void on_tbvOnline_clicked(const QModelIndex& index);
    void on_btnOrderFresh_clicked();
    void on_btnOrderPrint_clicked();
    void on_btnBillOrder_clicked();
    // Frame
    void SlotResizeGrid();
    void SlotTimeUpd(QString s);
    void SlotTimeout();
    void SlotTimeoutPrint();
    void SlotTimeoutF();
    void SlotTimeoutPay();
    void SlotCusAdTimerTimeout();

private:
    // "*" or x after a number in the code box: that number is the quantity
    // of the next product (as the quantity key).
    bool IsQuantityKey(const QKeyEvent* event) const;
    // Frame helpers
    void InitWidgetSize();
    void KeepAppSize();
    void ShowMemberDetails();
    void InitOrderSize();
    void InitTableSize(int layout);
    void ReadConfiguration();
    void ApplyVariants();
    void RemoveAllSaleRows();
    QString SaleCell(int row, int column) const;
    int SaleRowCount() const;
    // The current sale row, or the last one when none is current; -1 when empty.
    int CurrentSaleRow() const;
    // Function-key helpers
    QList<QAbstractButton*> ShortcutButtons() const;
    QList<QPushButton*> GridButtons() const;
    void SetFuncEditMode(bool edit);
    // Online-order helpers
    bool AskQuestion(int messageId);
    void InstallOrderDelegates();
    void SetPickDelegateState(bool showButtons, const QMap<int, QString>& weighRows, const QString& modeText);
    // Sets the panel texts that depend on its state again after a language switch.
    void RetranslateOrderPanel();
    // Bill helpers
    void RestoreBillButtons();
    // Weighing helpers
    void InitWeightWidget();
    void InitTareButtons();
    bool IsWeightUnit(const QString& unit) const;
    // Shows a notice in the screen's message box, titled with message 1969.
    void ShowNotice(int messageId);
    // Entry helpers
    void StartTradeFromIdle();
    int LenovoLength() const;
    QAbstractItemView* Popup() const;
    void CompletionStep(QLineEdit* line, const QString& text, bool placeAtKeyboard);
    void PlacePopup(QLineEdit* line, int x, int y, int height);
    bool PopupKeyPress(QKeyEvent* event);

    Ui::TradeWidget* ui = nullptr;
    const int screenType;

    // Owned helpers (constructed before the form).
    TableView saleTable;
    QTimer payGuardTimer;
    QTimer printGuardTimer;
    QTimer focusTimer;
    QTimer startTradeTimer;
    QTimer customerAdTimer;
    MessageWidget* messageWidget = nullptr;
    QuestionMessage* questionMessage = nullptr;
    ChangeWidget* changeWidget = nullptr;

    // Frame state
    bool payGuard = false;
    bool printGuard = false;
    bool startTradePending = false;
    bool weighingEnabled = false;
    int rowsPerPage = 10;
    bool showLineSerial = false;
    bool charInputMode = false;
    QString quickPayColour1;
    QString quickPayColour2;
    QString quickPayColour3;
    bool tradeActive = true;
    // What the notice key announces (SetMsgNotice).
    int msgNoticeCount = 0;
    QString msgNoticeText;
    void ShowMsgNoticeCaption();
    // The mode name and the pay key's caption by whether a sale is on.
    void ShowTradeState();
    QStringList statusValues{QString(), QString(), QString()};
    bool modeFlag = false;
    int layoutMode = 0;
    int spacing = 8;
    bool czFunction = false;

    // Entry line
    QPointer<QCompleter> completer;
    bool popupPending = false;
    int popupWidth = 0;
    QString highlightedText;
    bool wholeTextSelected = false;
    bool charInputOnce = false;
    QString lastKeyText;
    bool inTextChanged = false;
    bool programEdit = false; // the screen itself edits the code box, not the cashier's hand

    // Sale-line table
    bool rebinding = false;
    int currentRow = -1;
    int currentPageRow = -1;
    int standardRowHeight = 0;
    bool discountLineMode = false; // SetDiscountLineMode, reset with every sale
    QString discountMode;

    // Weighing panel
    double currentWeight = 0.0;
    QButtonGroup* tareGroup = nullptr;
    QAbstractButton* selectedTare = nullptr;

    // Function keys
    QList<dynMapButton> allFunctions;
    int funcRows = 7;
    int funcColumns = 4;
    int shortcutCapacity = 10;
    int funcPage = 1;
    int funcPageCount = 1;
    bool funcEditMode = false;
    bool presetKeysShown = false;
    QSignalMapper* shortcutMapper = nullptr;
    QSignalMapper* gridMapper = nullptr;
    QSignalMapper* keypadPressMapper = nullptr;
    QSignalMapper* keypadReleaseMapper = nullptr;
    KeyBoardWidget* presetKeyboard = nullptr;
    QPointer<PrePluGroupShowWidget> presetGroup;

    // Member and clerk
    QString memberCode;
    KxPosVipDetail memberDetail; // the member shown, while one is logged in
    QString memberPointsText;
    QString memberBalanceText;
    QMenu* employeeMenu = nullptr;

    // Online orders
    QList<OrderDetail> orderList;
    QStandardItemModel* orderModel = nullptr;
    QStandardItemModel* onlineModel = nullptr;
    QStandardItemModel* pickModel = nullptr;
    StandardDelegate* pickDelegate = nullptr;
    int orderRow = -1;
    int lineRow = -1;
    int tbvOnlineRow = -1;
    QString selectedOrderId;
    int operMode = 0;
    OrderDetail shownOrder;
    OrderDetail pickOrder;
    QList<PluDetail> shownLines;
    QList<PluDetail> pickLines;
    double pickedAmount = 0.0;

    // Held bills
    QString currentBill = QStringLiteral("01");

    // Promotions
    QList<KxPosProRemarkHelper> billPromotions;
    int proIndex = 0;

    friend class TradeWidgetTestAccess;
};
