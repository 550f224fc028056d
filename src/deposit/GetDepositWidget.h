#pragma once
// Pick-up of deposited goods: the member's deposit orders on the left, the
// goods of the selected order on the right. The cashier ticks the lines to
// collect, may change the quantity to collect (SignDepositEditNum asks the
// host to open the quantity pad; the host writes the result back with
// setPluNum) and confirms; SignGetDepositPlus then hands the member and the
// order, reduced to the ticked lines, to the host. Digit keys are ignored;
// every other key goes to the host as
// SignDepositGetKeyPressed("GetDepositPluWidget", key).

#include "kxpostradeui_export.h"

#include "contracts/KxPosModel.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/KxWidget.h"

#include <QList>
#include <QPointer>
#include <QStringList>
#include <QVector>

#include <memory>

class GetDepositDelegate;
class QCheckBox;
class QLabel;
class QListView;
class QModelIndex;
class QPushButton;
class QStringListModel;
class QTableWidget;
class ScreenFrame;

namespace Ui {
class GetDepositWidget;
}

class KXPOSTRADEUI_EXPORT GetDepositWidget : public KxWidget
{
    Q_OBJECT

public:
    // Screen type 1 shows a second group of large keys (edit quantity,
    // confirm pick-up).
    GetDepositWidget(int screenType, QWidget* parent = nullptr);
    ~GetDepositWidget() override;

    // The constructor's `screenType`.
    int ScreenType() const;
    // The orders given to initValue(), with the quantities to collect as
    // edited.
    const QList<KxPosDepositOrderDetail>& Orders() const { return orderList; }
    // The member given to initValue().
    const KxPosVipDetail& Member() const { return vipDetail; }
    // Goods row selected in the table; -1 when the table is empty.
    int CurrentRow() const;
    // Form widgets by number; an unknown number gives a shared placeholder.
    // Widgets: 0 title bar, 1 content, 2 order panel, 3 goods panel, 4 key
    // bar, 5 second key group, 6 status bar, 7 logo frame. List views: 0
    // orders. Table widgets: 0 goods. Labels: 0 title, 1 logo, 2 time, 3
    // date, 4 orders caption, 5 goods caption, 6-8 captions of phone, customer and
    // order number, 9 phone, 10 customer, 11 order number, 12 store, 13
    // terminal, 14 cashier. Buttons: 0 edit quantity, 1 previous order,
    // 2 next order, 3 previous goods, 4 next goods, 5 tick, 6 confirm,
    // 7 return, 8 desktop, 9 second-group edit, 10 second-group confirm.
    //@{
    QWidget* getUiQWidget(int id);
    QListView* getUiQListView(int id);
    QTableWidget* getUiQTableWidget(int id);
    QLabel* getUiQLable(int id);
    QPushButton* getUiQPushButton(int id);
    //@}

    // Shows the member's orders and selects the first. An empty list leaves
    // the screen unchanged.
    void initValue(KxPosVipDetail member, QList<KxPosDepositOrderDetail> orders);
    // Rebuilds the goods table from `lines`.
    void RefreshOrderParticulars(QList<KxPosDepositPluDetail> lines);
    // The tick box in column 0 of `row`; null for a row that does not exist.
    QCheckBox* getCheckBox(int row);

    // Selects the previous order (none before the first) and shows its goods.
    void previousAccount();
    // Selects the next order (none after the last) and shows its goods.
    void nextAccount();
    // Toggles the tick box of the current goods row.
    void changestate();
    // Quantity to collect of the current goods row, as text ("1.50"); a
    // text of "0.00" unticks the row, any other ticks it.
    void setPluNum(QString num);

    void Retranslate() override;
    void UpdateTranslation() override;

public slots:
    // Shows the screen and activates its window.
    void show();
    // The host's clock tick, "yyyy-MM-dd ddd hh:mm:ss": shows time and date.
    void SlotTimeUpd(QString s);
    // Store, terminal and cashier texts of the status bar.
    void SlotTrdSetStatusValue(QString orgcode, QString wgtcode, QString username);

    // A tap on the order list: shows that order's goods and number.
    void on_OrderListView_clicked(const QModelIndex& index);
    // Selects the goods row above (none above the first).
    void on_btnPreRow_clicked();
    // Selects the goods row below (none below the last).
    void on_btnNextRow_clicked();
    // Asks the host to open the quantity pad for the current goods row:
    // SignDepositEditNum().
    void on_btnEditNum_clicked();
    // Confirms the pick-up: SignGetDepositPlus() with the order reduced to its
    // ticked lines. Refused with message 2311 when a ticked line's quantity to
    // collect is not above 0.00, 2312 when none is ticked.
    void on_btnGet_clicked();
    // Leaves the screen: SignGetDepositReturn().
    void on_btnReturn_clicked();
    // As on_btnReturn_clicked().
    void on_btnDeskTop_clicked();

signals:
    // Open the quantity pad for the current line: the quantity still held and
    // the quantity to collect now.
    void SignDepositEditNum(double depositQty, double takeQty);
    // Hand out goods: `order` holds only the ticked lines with their quantities
    // to collect. The screen stays as it is; the host calls initValue() again
    // or leaves.
    void SignGetDepositPlus(KxPosVipDetail member, KxPosDepositOrderDetail order);
    // The cashier left the pick-up screen.
    void SignGetDepositReturn();
    // A key other than a digit: `screenName` is "GetDepositPluWidget", `key`
    // the Qt key code; the host maps it to the keys shown.
    void SignDepositGetKeyPressed(QString screenName, int key);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Tests read state that hosts are not offered through this class.
    friend class KxPosTestAccess;

    void InitOrderTableWidget();
    void selectOrder(int row);
    void selectGoodsRow(int row);
    void leave();

    QList<KxPosDepositOrderDetail> orderList;
    QStringList orderNumbers;
    KxPosVipDetail vipDetail;
    int currentOrder = -1;
    // Order whose lines the table shows (-1: lines handed in directly).
    int shownOrder = -1;
    QList<KxPosDepositPluDetail> shownLines;
    QVector<TransMsgId> headerIds;
    QStringListModel* orderModel = nullptr;
    QList<QPointer<GetDepositDelegate>> rowDelegates;

    Ui::GetDepositWidget* ui;
    std::unique_ptr<ScreenFrame> frame;
};
