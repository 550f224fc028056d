#pragma once
// The deposit list: the cashier collects the goods a member leaves at the
// store, then hands the list to the host with the deposit key.
//
// Every code entered goes out as SignDepositAddPlu(code); the host looks the
// product up and calls AddPlu(). The quantity key presets the quantity of
// the next product (nextQuantity, read by the host). The deposit key hands
// the list over with SignDepositPlus once a member (setVIP) and a sales
// clerk (setEmployee) are set. In whole-sale mode (setSaleNo) the goods come
// from an existing sale and cannot be changed here. Keys the screen does not
// handle go to the host as SignDepositPluKeyPressed("DepositPluWidget", key).
//
// A chosen suggestion enters its code once, however often the host hands the
// completer over (SlotTrdBackCompleterModel), and only while this list is
// shown and the completer works for its code box: a completer shared with the
// sales screen does not deposit the sales screen's choices. The quantity key
// checks its range on the number as typed (up to 999999, at least half a
// piece) before it rounds to whole pieces.

#include "kxpostradeui_export.h"

#include "contracts/KxPosModel.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/KxWidget.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QVector>

#include <memory>

class DepositPluTableDelegate;
class QCompleter;
class QLabel;
class QLineEdit;
class QModelIndex;
class QPushButton;
class QSignalMapper;
class QStandardItemModel;
class QTableView;
class ScreenFrame;

namespace Ui {
class DepositPluWidget;
}

class KXPOSTRADEUI_EXPORT DepositPluWidget : public KxWidget
{
    Q_OBJECT

public:
    // Screen type 1 shows a second group of large keys (member login, clerk,
    // import, clear list).
    DepositPluWidget(int screenType, QWidget* parent = nullptr);
    ~DepositPluWidget() override;

    // Quantity preset with the quantity key for the next product; 0 = none.
    // The host reads it when it builds the next line and then calls
    // initNextValue().
    int nextQuantity = 0;

    // The constructor's `screenType`.
    int ScreenType() const;
    // The member set with setVIP() (an empty record after Clear()).
    const KxPosVipDetail& Member() const { return vipDetail; }
    // The sales clerk set with setEmployee() (an empty record after Clear()).
    const KxPosEmployeeDetail& Employee() const { return employeeDetail; }
    // The sale number of setSaleNo(); empty outside whole-sale mode.
    QString SaleNo() const { return saleNo; }
    // The sale serial of setSaleNo(), shown after "流水号:".
    QString SaleSerial() const { return saleSerial; }
    // Goods come from an existing sale (setSaleNo with a non-empty value).
    bool IsWholeSale() const;
    // The row chosen with previous(), next() or a tap; -1 before any.
    int CurrentRow() const { return currentRow; }
    // The code suggestions handed over with SlotTrdBackCompleterModel(), or
    // null.
    QCompleter* Completer() const;

    // Form widgets by number; an unknown number gives a shared placeholder.
    // Widgets: 0 title bar, 1 content, 2 list panel, 3 right-hand panel,
    // 4 entry panel, 5 keypad, 6 second key group, 7 status bar, 8 logo frame.
    // Line edits: 0 code box. Tables: 0 deposit list.
    // Labels: 0 title, 1 logo, 2 serial caption, 3 serial, 4 time, 5 date,
    // 6 store, 7 terminal, 8 cashier.
    // Buttons: 0 OK, 1 quantity, 2 backspace, 3 clear row, 4 clear all,
    // 5 clear without asking, 6 deposit, 7 import, 8 member, 9 clerk,
    // 10 desktop, 11 return, 12 previous row, 13 next row, 14-23 keys "0"-"9",
    // 24 key ".", 25-27 second group (member login, clerk, import).
    //@{
    QWidget* getUiQWidget(int id);
    QLineEdit* getUiQLineEdit(int id);
    QTableView* getUiQTableView(int id);
    QLabel* getUiQLable(int id);
    QPushButton* getUiQPushButton(int id);
    //@}

    // Starts a new deposit: empties the list, member, clerk and sale, shows
    // them and focuses the empty code box (disabled when deposits come from
    // sales, "TRADE_IsDepositUseSaleNo" = "1").
    void initValue();
    // Forgets the preset quantity: nextQuantity becomes 0.
    void initNextValue();
    // Stores the member; refresh() shows it.
    void setVIP(KxPosVipDetail member);
    // Stores the sales clerk; refresh() shows it.
    void setEmployee(KxPosEmployeeDetail clerk);
    // Whole-sale mode while either text is non-empty; the serial is shown.
    void setSaleNo(QString saleNo, QString saleSerial);

    // The host's answer to SignDepositAddPlu(): appends `line` (its lineNo
    // becomes its position) and selects it.
    void AddPlu(KxPosPluDetail line);
    // Removes the selected line (none selected: nothing) and numbers the lines
    // again from 0.
    void RemovePlu();
    // Rebuilds the table from the lines (name, code, quantity with 3 decimals,
    // unit), dropping a preset-quantity row, and selects the last line.
    void RefreshDepositPluWidget();
    // Shows the member's phone (message 1912 when none), the clerk's name
    // (message 1913 when none) and the sale serial.
    void refresh();
    // Empties the list, member, clerk and sale numbers and emits
    // SignDepositClearAll().
    void Clear();

    // Selects the line above the current one (none above the first) and scrolls
    // to it.
    void previous();
    // Selects the line below the current one (none below the last) and scrolls
    // to it.
    void next();
    // Selects the first line and scrolls to it.
    void setTableDefaultLine();

    void Retranslate() override;
    void UpdateTranslation() override;

public slots:
    // Shows the list and activates its window.
    void show();
    // A tap on the list: the tapped line becomes current.
    void billTableViewDetailClicked(const QModelIndex& index);
    // Code suggestions for the code box, built by the host; shown from
    // "TRADE_LenovoLength" typed digits on.
    void SlotTrdBackCompleterModel(QCompleter* completer);
    // Remembers the suggestion highlighted last; OK enters it when it contains
    // what was typed.
    void SlotCompleterHighlighted(QString text);
    // A digit or "." from the keypad or the keyboard: typed into the code box
    // and suggestions offered. Ignored when deposits come from sales
    // ("TRADE_IsDepositUseSaleNo" "1").
    void SlotKeyPressed(QString p_sKey);
    // The host's clock tick, "yyyy-MM-dd ddd hh:mm:ss": shows time and date.
    void SlotTimeUpd(QString s);
    // Store, terminal and cashier texts of the status bar.
    void SlotTrdSetStatusValue(QString orgcode, QString wgtcode, QString username);

    // Enters the code (or the suggestion chosen): SignDepositAddPlu(code).
    // Refused with message 1901 for an empty box and 2300 in whole-sale mode.
    void on_btnOK_clicked();
    // Presets the quantity typed in the code box for the next product
    // (nextQuantity, rounded to whole pieces) and shows it as a placeholder
    // row. Refused: 2300 in whole-sale mode, 1903 for an empty box or 0, 604
    // above 999999, 1904 when a quantity is already preset.
    void on_btnCount_clicked();
    // Deletes the character before the cursor in the code box.
    void on_btnbackspace_clicked();
    // Removes the selected line after the cashier confirmed (message 1908);
    // 1909 without lines, 2300 in whole-sale mode.
    void on_btnClearRow_clicked();
    // Clear() after the cashier confirmed (message 1910).
    void on_btnClearAll_clicked();
    // Clear() without asking.
    void on_btnclearall_clicked();
    // Hands the list over with SignDepositPlus(). Refused without a member with
    // a vipId (2302), without a clerk (1905) or without lines (2303).
    void on_btnDeposit_clicked();
    // Asks the host to import goods (SignDepositPluImport()) into the empty
    // list; 2305 when lines are listed, 2300 in whole-sale mode.
    void on_btnImport_clicked();
    // Asks the host to log a member in (SignMembLogin()); refused with message
    // 2304 when deposits come from sales.
    void on_btncard_clicked();
    // Asks the host to choose a sales clerk: SignEmployeeLogin().
    void on_btnphone_clicked();
    // Leaves the list (closes it and emits SignDepositReturn()) when it is
    // empty; message 2301 otherwise.
    void on_btnDeskTop_clicked();
    // As on_btnDeskTop_clicked().
    void on_btnReturn_clicked();
    // previous().
    void on_btnPreRow_clicked();
    // next().
    void on_btnNextRow_clicked();
    // Typing by hand: offers suggestions once the text ends in a digit and is
    // at least "TRADE_LenovoLength" long.
    void on_txtcode_textEdited(const QString& text);
    // An emptied code box hides the suggestions.
    void on_txtcode_textChanged(const QString& text);

signals:
    // A product code was entered; the host looks it up and answers with
    // AddPlu().
    void SignDepositAddPlu(QString p_sCode);
    // Not emitted by this screen; kept for hosts that connect it.
    void SignPickUpFinish(QString);
    // Not emitted by this screen; kept for hosts that connect it.
    void SignDepositClearAllPlu();
    // The cashier left the (empty) list.
    void SignDepositReturn();
    // Deposit these goods for the member and clerk set; the list stays until
    // the host calls initValue() or Clear().
    void SignDepositPlus(QList<KxPosPluDetail> p_PluList);
    // Log the depositing member in; the host answers with setVIP() and
    // refresh().
    void SignMembLogin();
    // Choose the sales clerk; the host answers with setEmployee() and
    // refresh().
    void SignEmployeeLogin();
    // A key the list does not handle: `screenName` is "DepositPluWidget", `key`
    // the Qt key code.
    void SignDepositPluKeyPressed(QString screenName, int key);
    // Import the goods of an existing sale into the empty list.
    void SignDepositPluImport();
    // The list was emptied (Clear()).
    void SignDepositClearAll();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Tests read state that hosts are not offered through this class.
    friend class KxPosTestAccess;

    void initView();
    void initKeypad();
    void selectRow(int row);
    void leave();
    bool popupVisible() const;
    void placePopup();
    void SlotCompleterActivated(const QString& text);
    static bool useSaleNo();
    static int suggestLength();

    KxPosVipDetail vipDetail;
    KxPosEmployeeDetail employeeDetail;
    QPointer<QCompleter> completer;
    QString highlighted;
    QString saleNo;
    QString saleSerial;
    QVector<TransMsgId> headerIds;
    QStandardItemModel* model = nullptr;
    QSignalMapper* keyMapper = nullptr;
    int currentRow = -1;
    QList<KxPosPluDetail> pluList;
    QList<QPointer<DepositPluTableDelegate>> rowDelegates;

    Ui::DepositPluWidget* ui;
    std::unique_ptr<ScreenFrame> frame;
};
