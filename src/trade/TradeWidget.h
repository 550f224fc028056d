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
    // Builds the screen with its form, timers, message and change popups and
    // reads its configuration. `screenType` 1 hides the held-bill row and has
    // pay-key captions of its own; 2 lets any typed text through to the entry
    // line.
    TradeWidget(int screenType, QWidget* parent = nullptr);
    ~TradeWidget() override;

    // --- Frame -------------------------------------------------------------
    // Lays the screen out: 0 is the normal layout with the number pad, 1 the
    // preset-key layout (preset product keys in the pad's place). The mode is
    // kept and used again by show().
    void InitWidget(int layoutMode);
    // Returns the screen to an empty sale: status bar texts from KxPosConfig,
    // totals "0.00", cursors and per-sale flags reset, code box cleared. `mode`
    // picks the mode caption (true: the second sale mode's caption). Member,
    // clerk and configuration state stay.
    void initValue(bool mode);
    // Activates the window and gives the code box the focus half a second later
    // (if the screen is still shown), after the host's own dialogs have closed.
    // A window the cashier opened over the screen meanwhile keeps the keyboard
    // (a modal one blocking the screen, or another window that is active).
    void StartTimerFocus();
    // The sale-line table, for the host to set its model, columns and headers.
    // `index` is ignored.
    TableView* GetTable(int index = 0);
    // While `flag` is set, the quantity key refuses to change the last line's
    // quantity (message 2372).
    void setIsCZFunction(const bool& flag);
    // The constructor's `screenType`.
    int ScreenType() const { return screenType; }
    // The layout mode of the last InitWidget() call (0 normal, 1 preset keys).
    int LayoutMode() const { return layoutMode; }
    // Sale mode. While it is off the screen is idle (its mode name and pay
    // key say so) and the next input starts a new sale.
    void SetTradeActive(bool active);
    // True while the screen is in sale mode (see SetTradeActive()).
    bool IsTradeActive() const { return tradeActive; }

    // Component accessors. An unknown number gives a shared placeholder, never
    // null (except getUiQComboBox, which answers only 69).
    QWidget* getUiQWidget(int id);
    // 22 the function-key grid's dock, 23 the preset-key keyboard's dock; any
    // other number gives a new empty dock titled "Dock Widget", owned by the
    // screen.
    QDockWidget* getUiQDockWidget(int id);
    // 24 the sale-mode caption stack (page 0 normal, page 1 the mode caption).
    QStackedWidget* getUiQStackedWidget(int id);
    // 26 the code box.
    QLineEdit* getUiQLineEdit(int id);
    // 28 and 29 previous and next table page, 42 the sales-clerk button, 43 the
    // member button, 45 the network key, 46 the notice key.
    QPushButton* getUiQPushButton(int id);
    // 47 and 48 the first and second quick-pay keys, 49 the pay key without a
    // pay code.
    QToolButton* getUiQToolButton(int id);
    // 50 total, 51 coupon deduction, 52 item count, 53 amount due, 54 discount,
    // 56 bill number, 60 time, 61 date, 62 sale-mode caption, 63 printer state,
    // 64 offline state, 65 member name and phone, 66 points, 67 balance, 68
    // mode name.
    QLabel* getUiQLable(int id);
    // 69 the whole-bill promotion list; null for any other number.
    QComboBox* getUiQComboBox(int id);

    // --- Entry line --------------------------------------------------------
    // Confirms the entry line as the OK key does: a code in the box is sent
    // with SignTrdAddProduct(); an empty box with an incomplete last line sends
    // SignTrdSetProdWeight() with the current weight. In the idle state it
    // starts a new sale instead.
    void crHandler();
    // Places the suggestion popup with its top-left corner at (`x`, `y`) in
    // global coordinates and shows it 30 ms later when the code box holds text.
    // A `height` below 0 lets it reach down to the screen's bottom. Nothing
    // happens without a completer or while a placement is pending.
    void ShowCompleter(int x, int y, int height = -1);
    // Global x of the suggestion popup's default place: 21 pixels right of the
    // code box's right edge.
    int getCmpPtLocationX();
    // Global y of the suggestion popup's default place: the code box's top
    // edge.
    int getCmpPtLocationY();
    // Lets letters into the code box until the next OK (for a product code with
    // letters).
    void UseCharInput();
    // When letters are allowed (UseCharInput() or the "Biz/IsCharInput"
    // setting), types the last key forwarded with SignTrdKeyPressed() into the
    // code box and returns true; otherwise returns false and does nothing.
    bool HandleCharInput();
    // Emits SignTrdKeyPressed("trade", code) for a character typed into the
    // code box that is not part of a number: letters give their upper-case key
    // code, "(" and ")" 0x28, "+" and "=" 0x2B, "," 0x2C, "-" and "_" 0x2D, "<"
    // and ">" 0x3C, brackets and braces 0x7B, anything else -1.
    void nonNumberHandler(char c);
    // Deletes the character before the cursor in the code box.
    void delPreChar();
    // Empties the code box.
    void delAllChars();
    // Focuses the code box and types "-" at the cursor.
    void insertMinus();
    // State of the last sale line: 1 complete (or no line at all), 2 an empty
    // placeholder line, 0 incomplete (a product without quantity, typically
    // waiting for its weight, or a quantity typed ahead without a product).
    int IsLastRowOver();
    // Whether the last sale line can take a single-line discount: 1 it is
    // complete (or there is none) and a discount line is added after it, 2 it
    // is a placeholder line that is rewritten, 0 it has no quantity yet
    // (refused).
    int IsLastRowOver_favor();

    // --- Sale-line table ---------------------------------------------------
    // Rebuilds the sale-line table from the host's whole sale, one row per line
    // in list order, rebuilds the sales-clerk menu from `clerks` and updates
    // the table's empty or filled background. Without a table model it only
    // logs.
    void rebindModel(const QList<KxPosPluDetail>& lines, const QList<KxPosEmployeeDetail>& clerks);
    // Selects the line above the current one (none above row 0) and scrolls to
    // it.
    void previousRow();
    // Selects the line below the current one (the last line stays selected) and
    // scrolls to it.
    void nextRow();
    // Makes `row` the current, selected and visible line; a row outside the
    // table is ignored.
    void ScrollSpecifyRow(int row);
    // Shows the current line's amount beside the weighing figures, unless the
    // line is sold by weight (the weighing panel shows weight times price
    // then).
    void updateMoney();
    // Sets the table's style state for its background picture: "test" in a
    // training sale, "group" in a group sale, "capexchange" in an exchange
    // sale, "normal" with lines, otherwise the empty-sale picture of the
    // language.
    void UpdateProduBackground();
    // Shows the coupon deduction on the sale as "(caption: amount)" with
    // `amount` as given; the caption defaults to message 1548 when `caption`
    // holds no text. An amount of zero or less hides it.
    void UpdateCouponDeductAmount(const QString& amount, const QVariant& caption);
    // Applies the discount typed in the code box to the last line: `full` true
    // means 100 without reading the box. Refuses (message, nothing sent) an
    // empty or zero value, text that is not a number, a percentage above 100
    // when `type` is "1", or a last line without quantity. Otherwise emits
    // SignTradeCheckMaxValue(value, type) and, with SetDiscountLineMode() on,
    // writes a placeholder line carrying the discount.
    void InputSingleFavor(QString type, bool full);
    // Forgets that an amount was typed into the entry line for the next line
    // (amountTyped).
    void initNextValue();
    // Per-sale switch: a single-line discount is written into the table as a
    // placeholder line (on) or only reported to the host (off).
    void SetDiscountLineMode(bool on);

    // --- Weighing panel ----------------------------------------------------
    // The net weight as shown, in kg with three decimals, or the scale's error
    // text.
    QString GetlblWeightContent();
    // Asks the scale to zero (SignSendZero() with the weight shown); with
    // "WEIGHT_ZeroAndClearTare" set to "1" the tare is cleared first.
    void WeightZero();
    // Asks the scale to zero: SignSendZero() with the weight shown, without
    // touching the tare.
    void SendZero();
    // Asks the scale to take the present weight as tare: SignSendTare("去皮",
    // true).
    void SendTare();
    // The chosen preset tare in kg; 0 when none is chosen or its text is not a
    // number.
    double GetPresetTare();
    // True while a preset tare key is chosen.
    bool UsePresetTare();
    // Chooses the preset tare key `button` (the only one checked) and disables
    // the weighed-tare key; null does nothing. Emits nothing.
    void SelectPreTare(QAbstractButton* button);
    // Releases the preset tare key `button` and enables the weighed-tare key
    // again. Emits nothing.
    void DeselectPreTare(QAbstractButton* button);
    // The preset tare key whose caption is exactly `weight` (as configured in
    // "TRADE_TareOptions"), or null.
    QAbstractButton* GetButtonByWeight(const QString& weight) const;
    // Enables (`on`) or disables all preset tare keys; either way none stays
    // chosen.
    void SetTareButtonEnable(bool on);

    // --- Function keys and quick pay ---------------------------------------
    // Builds the shortcut bar and the function-key grid from gridFunctions (and
    // shortcutFunctions when shortcutsGiven is set); call once after filling
    // them. Without shortcutsGiven the first ten functions go to the bar.
    void InitFuncArea();
    // Shows the function lists again after the host has replaced them: refills
    // the shortcut bar and repaints the grid.
    void UpdateFuncShow();
    // Refills the shortcut bar from shortcutFunctions and leaves in the grid
    // only the functions not on it; outside edit mode the grid goes back to
    // page 1.
    void UpdateCutBtnInit();
    // Paints the grid's current page: captions wrapped to the key width, empty
    // cells disabled.
    void UpdateFuncPage();
    // Opens or closes the keyboard of the preset-key groups over the preset-key
    // area; refused with message 2366 while the preset keys are not shown.
    void ShowPreKeyBoard();
    // Shows the host's preset product keys `group` in the number pad's place
    // (preset-key layout). With `toggle` set and the keys already shown it
    // returns to the normal layout instead. A group without products shows
    // message 1970.
    void showFastPluKey(PrePluGroupShowWidget* group, bool toggle);
    // Captions of the quick-pay keys: `first` and `second` for the two pay
    // keys, `third` for the key button when "SYSTEM_TradeKey_PayCode" is set
    // (otherwise it keeps message 2381).
    void SetQuickPay(QString first, QString second, QString third);
    // Requests payment with `payCode` as a quick-pay key does: ignored within
    // 500 ms of the last request, starts a new sale in the idle state, refused
    // with message 1904 while the last line is incomplete, else
    // SignTrdGotoPay(0, payCode). An empty code lets the host ask for the
    // payment type.
    void pay(QString payCode);

    // Every function definition, written by the host before InitFuncArea();
    // afterwards the functions the grid shows.
    QList<dynMapButton> gridFunctions;     // written by the host before InitFuncArea()
    // The functions on the shortcut bar, in bar order, at most 10.
    QList<dynMapButton> shortcutFunctions; // functions on the shortcut bar, at most 10
    // Non-zero when the host filled shortcutFunctions itself; 0 lets
    // InitFuncArea() take the first ten functions.
    int shortcutsGiven = 0;                // non-zero: the host filled shortcutFunctions

    // --- Member and sales clerk --------------------------------------------
    // Asks the host to log a member in: confirms the entry line first, then
    // emits SignChoosedVipSysType(); in the idle state shows the start message
    // instead.
    void memberLogin();
    // A tap on the member's name: with "SYSTEM_IsQueryYzlTicket" set to "1"
    // emits SignQueryCoupon() for the member shown (nothing without one),
    // otherwise as memberLogin().
    void clickOnVipName();
    // Asks the host to show the member's details: SignShowMemberInfo().
    void MemberDetail();
    // Opens the sales-clerk menu below its button; shows the start message in
    // the idle state and message 1972 when clerks are not in use
    // ("TRADE_IsUseEmployee").
    void ICcardLogin();
    // Rebuilds the sales-clerk menu: an entry to add a clerk, then one entry
    // per clerk; the button names the clerk whose isCurrent is set (message
    // 1913 when none). Does nothing while "TRADE_IsUseEmployee" is "0".
    void RefreshEmployeeButton(const QList<KxPosEmployeeDetail>& clerks);
    // Code of the member shown last; kept after log-out.
    QString MemberCode() const { return memberCode; }

    // --- Held bills, status bar and notices --------------------------------
    // Marks the held-bill key of `bill` ("01" to "04" or "Order") as current;
    // any other text marks "01". Emits nothing.
    void UpdateBtnBillNumber(QString bill);
    // The current held-bill number ("01" to "04" or "Order"); when no bill key
    // is marked, marks "01" and returns it.
    QString GetBillNumber();
    // Selects bill "01" as a tap on its key does (SignTrdSelectBill("01")),
    // only while the bill row is shown.
    void FirstClickBill01();
    // Shows or clears the offline notice of the status bar.
    void SetOfflineStatus(bool offline);
    // Shows whether the receipt printer is ready.
    void SetPrintStatus(bool ready);
    // Shows the network state; only with "SYSTEM_IsCheckNetwork" set to "1",
    // otherwise ignored.
    void WifiConnectChanged(bool connected);
    // Shows the waiting notice (message 2365) until the host reports `done`.
    void UpdateWaitInfo(bool done);
    // The store, scale and user texts of the last SlotTrdSetStatusValue, as
    // stored (store prefix and scale caption applied). The form shows none of
    // them; hosts and tests read them here.
    QStringList StatusValues() const { return statusValues; }
    // Tells the cashier to start a sale first (message 2347).
    void ShowToBeginMessage();
    // Shows the change-due popup with the amount; its closing key comes back
    // through the entry line (digits, Enter) or SignTrdKeyPressed.
    void ShowChange(double amount);
    // Shows the caption of the sale modes set in saleModeFlag1, saleModeFlag2
    // and groupSaleMode (none set: the normal page) and updates the table's
    // background.
    void ShowGrpSaleText();
    // Accepted for older hosts and ignored; SetMsgNotice() shows the notice
    // key.
    void changeMsgNotice(int count);
    // The notice key, hidden until the host has something to announce.
    int MsgNoticeCount() const { return msgNoticeCount; }
    // Leaves to the desktop as the desktop key does: refused with message 5970
    // while the shortcut bar is edited; otherwise closes the function grid and
    // emits SignTrdReturnToDesktop(this).
    void ReturntoDesktop();

    // Sale modes set by the host and shown by ShowGrpSaleText(); all cleared by
    // initValue(). saleModeFlag1 is also cleared by every payment request.
    bool saleModeFlag1 = false;
    // Second host sale mode shown by ShowGrpSaleText().
    bool saleModeFlag2 = false;
    // Group sale: ShowGrpSaleText() shows its caption and the table its "group"
    // background.
    bool groupSaleMode = false;
    // Training sale: the table shows its "test" background.
    bool testMode = false;
    // Exchange sale: the table shows its "capexchange" background.
    bool exchangeSale = false;
    bool amountTyped = false;   // the entry line holds an amount typed for the next line

    // --- Online orders -----------------------------------------------------
    // Opens the online-order panel with `orders` (any `type` but 0; see
    // showOrderList()) or, with `type` 0, closes it and returns to the sale.
    void ShowOrderWidget(QList<OrderDetail> orders, int type);
    // Fills the order cards and chooses one: with `type` 2 the order chosen
    // before, when it is still listed, otherwise the first. An empty list shows
    // message 1154 and empties the line tables.
    void showOrderList(QList<OrderDetail> orders, int type);
    // Chooses the order at `row`: sets the operation keys by its operState and
    // emits SignalShowOrderDetail(order, mode, keep, line row), which the host
    // answers with showPluDetail().
    void ClickOrderList(int row, bool keep);
    // Outside picking, a line that was picked shows what was picked (its
    // pickQty, or its weight for a weighed line) and its lineAmount; a line
    // not picked yet shows what was ordered. A host shows an order waiting
    // for its customer with the lines it got back from SignPickUpFinish.
    void showPluDetail(OrderDetail shown, OrderDetail picking, int lineRow);
    // Adds `line` to the order being picked and redraws the pick table.
    void AddOneOrderPlu(PluDetail line);
    // The host's answer after weighing a pick line: with `what` "weight" and a
    // valid `row` the line at `row` takes the weight of `line` and counts as
    // weighed; anything else is ignored.
    void updateOrderPluDetail(PluDetail line, QString what, int row);
    // Picks one more of the line at `index`; refused with message 1140 when the
    // ordered quantity is reached.
    void pluAddOne(QModelIndex index);
    // Picks one less of the line at `index`; refused with message 1139 at a
    // quantity of 1.
    void pluMinusOne(QModelIndex index);
    // Removes the line at `index` from the pick after the cashier confirmed
    // (message 1141); only while the order can be picked and unless
    // "ORDER_SaleToverMode" is "2".
    void pluRemove(QModelIndex index);
    // Finishes the pick-up: SignPickUpFinish() with the order being picked and
    // its picked amount; message 1149 when nothing is picked.
    void PickUpFinish();
    // Keeps the pick-up for later: SignSaveTmpFinish(order being picked,
    // `keep`) when anything is picked; nothing otherwise.
    void SaveDataToSaleTmp(bool keep);
    // Sets up the order cards and both order line tables (run at construction).
    void InitTableUI();
    // Redraws the lines of the order shown, package contents under their line.
    void RefreshTableViewOn();
    // Redraws the lines being picked with their amounts and the picked total;
    // while picking, weighed lines show their weight in kg or the caption that
    // sends them to the scale. `keepRow` keeps the selected line.
    void RefreshTableViewDown(bool keepRow = false);

    // "ASC" or empty: the order of the list the cashier chose, read by the host
    // when it reloads the orders.
    QString orderSortOrder; // "ASC" or empty; read by the host when it reloads the list

    // --- Promotions --------------------------------------------------------
    // Takes the sale's promotions: the list under the key "000000" (the whole
    // bill) fills the promotion list; other keys and `mainProId` are not used.
    void SetProText(QMap<QString, QList<KxPosProRemarkHelper>> promotionsByKey, QString mainProId);
    // Refills the promotion list as "n/count remark", hidden when there is no
    // promotion.
    void SetProText();
    // Refills the promotion list when the main promotion's index is valid.
    void UpdateProShow();
    // Marks the whole-bill promotion `proId` as the main one and refills the
    // list.
    void setMainProInfo(QString proId);
    // Per-line promotion texts by sale-line row; rows outside the table are
    // skipped.
    void UpdatePluProInfo(const QHash<int, QString>& texts);

public slots:
    // Shows the screen for a new sale: captions of sale or idle mode, table
    // emptied now and again 200 ms later followed by SignTrdStartTrade(), code
    // box cleared and focused, weighing panel hidden without a scale.
    void show();
    // One status value from the host: 1 item count, 2 discount, 3 amount due, 4
    // total, 5 bill number, 6 date, 11 coupon deduction (`datacontent` the
    // amount, `exParam` the caption; see UpdateCouponDeductAmount()). Other
    // types are ignored.
    void updateDynData(int datatype, QString datacontent, QVariant exParam = QVariant());
    // Accepted for older hosts and ignored.
    void SlotTrdSwitchKey(bool FixFstPage = false);
    // Sizes the change-due popup and centres it over the screen.
    void SlotResizeChangeWidget();
    // Answers with SignSetPludWeight() and the net weight of the last stable
    // reading in kg (0 while unstable).
    void SlotGetWeight();
    // A key of the host's number pad pressed: types `key` into the code box (in
    // the idle state a new sale starts first).
    void SlotNumMousePress(QString key);
    // A key of the host's number pad released: offers suggestions for the code
    // box's text.
    void SlotNumMouseRelease(QString key);
    // Asks for one more of the line at `index`: SignModifyNumb(its quantity +
    // 1).
    void SlotAddOne(QModelIndex index);
    // Asks for one less of the line at `index`: SignModifyNumb(its quantity -
    // 1); the host decides what zero means.
    void SlotMinusOne(QModelIndex index);
    // SlotAddOne() for the current line; nothing on an empty table.
    void SlotAdd();
    // SlotMinusOne() for the current line; nothing on an empty table.
    void SlotMinus();
    // Hides the screen.
    void SlotHideTrade();
    // Tare state from the host (see TareUpdateType; `data` is the preset's
    // caption for the preset kinds): a preset chosen or released elsewhere, or
    // the tare cleared. Emits nothing.
    void SlotUpdateWeightData(TareUpdateType type, QVariant data);
    // Shows a promotion suggestion: its first two wrapped lines, "..." when
    // there are more. A tap on it emits SignShowProSuggest() with the whole
    // text.
    void SlotUpdateProSuggest(QString& sSuggestMsg);
    // Shows the notice key with what waits for the cashier: `text` (the
    // host's words, in the cashier's language; empty: the key's own caption)
    // and the count after it. A count of 0 or less hides the key. Pressing
    // it emits SignShowAllNotice().
    void SetMsgNotice(int count, const QString& text = QString());

signals:
    // The notice key was pressed: the host shows what waits for the cashier.
    void SignShowAllNotice();
    // The key button asks for the host's key entry screen
    // ("TRADE_TradeKeyShowType" "1").
    void SignShowKeyEntryWidget();
    // A product code was confirmed, exactly as typed or scanned (not trimmed):
    // the host adds the product and rebinds the table.
    void SignTrdAddProduct(QString code);
    // OK on an empty code box while the last line waits for its weight: the
    // line's key, its product code and the net weight in kg (0 while the scale
    // is unstable).
    void SignTrdSetProdWeight(int line, QString code, double weight);
    // Answer to SlotGetWeight(): net weight in kg.
    void SignSetPludWeight(double weight);
    // Not emitted by the screen; kept for hosts that connect it.
    void SignTrdAddNum2Grid(double quantity);
    // Delete the sale line at `row` (the current line).
    void SignTrdSubProduct(int row);
    // Clear the whole sale.
    void SignTrdClearSaleList();
    // Not emitted by the screen; kept for hosts that connect it.
    void SignTrdShowPresetBoard();
    // Hold the current sale under `billNo`.
    void SignTrdSaveAccount(QString billNo);
    // Bring back a held sale.
    void SignTrdGetAccount();
    // Log a member in (a member key pressed during a sale).
    void SignChoosedVipSysType();
    // Show the host's extended function menu at global position (`x`, `y`).
    void SignTrdShowExtend(int x, int y);
    // Pay the sale; `kind` is always 0, `payCode` the quick-pay code ("WxPay",
    // "ZfbPay", "CashPay" or the host's), empty to let the cashier choose.
    void SignTrdGotoPay(int kind, QString payCode);
    // Not emitted by the screen; kept for hosts that connect it.
    void SignTrdHideChange();
    // Leave to the desktop; `screen` is this screen.
    void SignTrdReturnToDesktop(QWidget* screen);
    // A key the screen does not handle itself: `screenName` is always "trade",
    // `key` the Qt key code (letters typed into the code box as their
    // upper-case key code). The host maps keys to functions.
    void SignTrdKeyPressed(QString screenName, int key);
    // Run the function `funcCode` of a function key or shortcut (a tap on the
    // first table column sends "420102").
    void SignTrdDynFunc(QString funcCode);
    // A new sale starts: emitted a moment after show() and on the first input
    // in the idle state. The host starts a sale and its table is already empty.
    void SignTrdStartTrade();
    // A tare request for the scale: `isTare` true takes the present weight as
    // tare ("去皮"); false carries the caption of the tare key pressed (take or
    // clear tare).
    void SignSendTare(QString s, bool isTare);
    // Zero the scale; `weight` is the weight as shown, `zero` always true.
    void SignSendZero(QString weight, bool zero);
    // A member was shown: the host rebinds the sale lines so that member prices
    // show.
    void SignTrdRebindModel();
    // Not emitted by the screen; kept for hosts that connect it.
    void SignNextEmployee();
    // Not emitted by the screen; kept for hosts that connect it.
    void SignPreviousEmployee();
    // Show the logged-in member's details.
    void SignShowMemberInfo();
    // The clerk `empCode` was chosen from the sales-clerk menu.
    void SignSelectEmployee(QString empCode);
    // The entry for adding a sales clerk was chosen.
    void SignNewEmployee();
    // A single-line discount for the last line: `value` and the discount `type`
    // ("1" a percentage); the host checks its limit and applies it.
    void SignTradeCheckMaxValue(double value, QString type);
    // Not emitted by the screen; kept for hosts that connect it.
    void SignRefreshTradeUi();
    // Set the current line's quantity to `quantity` (plus or minus key); the
    // host changes the sale and rebinds.
    void SignModifyNumb(double quantity);
    // An order was chosen: `mode` is its operation mode (0 new, 1 pick-up, 2
    // self pick-up, 4 refund request, 5 return), `keep` true when a refresh
    // kept it chosen, `lineRow` the line selected. The host answers with
    // showPluDetail().
    void SignalShowOrderDetail(OrderDetail order, int mode, bool keep, int lineRow);
    // Weigh the pick line `line`; the host answers with updateOrderPluDetail().
    void SignShowOrderWeight(PluDetail line);
    // The pick-up of `order` is finished; its pickAmount holds the picked
    // amount.
    void SignPickUpFinish(OrderDetail order);
    // Reload the orders (refresh key or a new sort order, see orderSortOrder).
    void SignUpdateOrderList();
    // Keep the pick-up of `order` for later; `keep` as given to
    // SaveDataToSaleTmp().
    void SignSaveTmpFinish(OrderDetail order, bool keep);
    // Accept the refund request of `order`.
    void SignAcceptRefund(OrderDetail order);
    // Take back the goods of the returned `order` (after the cashier
    // confirmed).
    void SignGetPluRefund(OrderDetail order);
    // Accept the self pick-up of `order`.
    void SignAcceptSelfTake(OrderDetail order);
    // Reject the new `order`.
    void SignRejectNewOrder(OrderDetail order);
    // Reject the refund request of `order`.
    void SignRejectRefund(OrderDetail order);
    // Reject the self pick-up of `order`.
    void SignRejectSelfTake(OrderDetail order);
    // Complete the return of `order` (after the cashier confirmed).
    void SignDoReturn(OrderDetail order);
    // Accept the new `order`.
    void SignAcceptNewOrder(OrderDetail order);
    // Print the order shown; a second request within 500 ms is dropped.
    void SignPrintOrder(OrderDetail order);
    // Not emitted by the screen; kept for hosts that connect it.
    void SignRequestRefundPick(OrderDetail order);
    // Look up the coupons of the member `memberCode` (a tap on the member's
    // name with "SYSTEM_IsQueryYzlTicket" "1").
    void SignQueryCoupon(QString memberCode);
    // The cashier changed the shortcut bar in edit mode: `shortcuts` is the
    // whole new bar for the host to store.
    void SignSaveBtnEdit(QList<dynMapButton> shortcuts);
    // Switch to the held bill `billNo` ("01" to "04", or "Order" for the
    // online-order sale).
    void SignTrdSelectBill(QString billNo);
    // The text of the preset-key keyboard's line after each key, for the host
    // to filter its preset keys.
    void SignTrdPreGroupMN(QString text);
    // The preset tare state changed on this screen (see TareUpdateType); `data`
    // is the preset's caption or true.
    void SignUpdateWeighWidget(TareUpdateType type, QVariant data);
    // The window came back from being minimised.
    void SignTradeNormaled();
    // Show (true, after the idle time with an empty table) or hide (false, a
    // line was added) the customer display's advertisement.
    void SignShowFullScreenAd(bool show);
    // The cashier tapped the promotion suggestion: `msg` is the whole
    // suggestion on one line.
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
    // What the bill promotions' list reads while none is chosen: its name and
    // how many promotions it holds.
    void ShowProPlaceholder();
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
    bool OrderPanelKey(QKeyEvent* event);
    void SetOperCaptions(int first, int second);
    void LeaveOrderPanel();

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
    QString saleBill = QStringLiteral("01");

    // Promotions
    QList<KxPosProRemarkHelper> billPromotions;
    int proIndex = 0;

    friend class TradeWidgetTestAccess;
};
