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

    int ScreenType() const;
    const KxPosVipDetail& Member() const { return vipDetail; }
    const KxPosEmployeeDetail& Employee() const { return employeeDetail; }
    QString SaleNo() const { return saleNo; }
    QString SaleSerial() const { return saleSerial; }
    // Goods come from an existing sale (setSaleNo with a non-empty value).
    bool IsWholeSale() const;
    int CurrentRow() const { return currentRow; }
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
    QWidget* getUiQWidget(int id);
    QLineEdit* getUiQLineEdit(int id);
    QTableView* getUiQTableView(int id);
    QLabel* getUiQLable(int id);
    QPushButton* getUiQPushButton(int id);

    // Starts a new deposit: empties the list, member, clerk and sale, shows
    // them and focuses the empty code box (disabled when deposits come from
    // sales, "TRADE_IsDepositUseSaleNo" = "1").
    void initValue();
    void initNextValue();
    // Stores the member; refresh() shows it.
    void setVIP(KxPosVipDetail member);
    // Stores the sales clerk; refresh() shows it.
    void setEmployee(KxPosEmployeeDetail clerk);
    // Whole-sale mode while either text is non-empty; the serial is shown.
    void setSaleNo(QString saleNo, QString saleSerial);

    void AddPlu(KxPosPluDetail line);
    void RemovePlu();
    void RefreshDepositPluWidget();
    void refresh();
    void Clear();

    void previous();
    void next();
    void setTableDefaultLine();

    void Retranslate() override;
    void UpdateTranslation() override;

public slots:
    void show();
    void billTableViewDetailClicked(const QModelIndex& index);
    void SlotTrdBackCompleterModel(QCompleter* completer);
    void SlotCompleterHighlighted(QString text);
    void SlotKeyPressed(QString p_sKey);
    void SlotTimeUpd(QString s);
    void SlotTrdSetStatusValue(QString orgcode, QString wgtcode, QString username);

    void on_btnOK_clicked();
    void on_btnCount_clicked();
    void on_btnbackspace_clicked();
    void on_btnClearRow_clicked();
    void on_btnClearAll_clicked();
    void on_btnclearall_clicked();
    void on_btnDeposit_clicked();
    void on_btnImport_clicked();
    void on_btncard_clicked();
    void on_btnphone_clicked();
    void on_btnDeskTop_clicked();
    void on_btnReturn_clicked();
    void on_btnPreRow_clicked();
    void on_btnNextRow_clicked();
    void on_txtcode_textEdited(const QString& text);
    void on_txtcode_textChanged(const QString& text);

signals:
    void SignDepositAddPlu(QString p_sCode);
    void SignPickUpFinish(QString);
    void SignDepositClearAllPlu();
    void SignDepositReturn();
    void SignDepositPlus(QList<KxPosPluDetail> p_PluList);
    void SignMembLogin();
    void SignEmployeeLogin();
    void SignDepositPluKeyPressed(QString screenName, int key);
    void SignDepositPluImport();
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
