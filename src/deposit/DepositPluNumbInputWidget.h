#pragma once
// Quantity pad of the pick-up screen: the cashier enters the quantity to
// collect of one deposited line. Up to 3 decimals and one decimal point are
// accepted while typing; OK accepts a number from 0.01 up to the quantity
// still held (a surplus of up to 0.01 is tolerated) and emits
// SignDepositPluNumbInputWidget(quantity). The host writes the quantity back
// to the pick-up screen and closes the pad. Keys that reach the pad itself go
// to the host as SignDepositPluNumbInputWidgetKeyPress("DepositPluNumbInput", key).

#include "kxpostradeui_export.h"

#include "contracts/KxWidget.h"

#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QSignalMapper;
class ScreenFrame;

namespace Ui {
class DepositPluNumbInputWidget;
}

class KXPOSTRADEUI_EXPORT DepositPluNumbInputWidget : public KxWidget
{
    Q_OBJECT

public:
    // Screen type 0 hides the title and sizes the pad to its keys.
    DepositPluNumbInputWidget(int screenType, QWidget* parent = nullptr);
    ~DepositPluNumbInputWidget() override;

    // A quantity up to this much above the maximum is still accepted.
    static constexpr double Tolerance = 0.01;
    // The smallest quantity accepted.
    static constexpr double MinimumQuantity = 0.01;

    // The constructor's `screenType`.
    int ScreenType() const;
    // The quantity box's text.
    QString Text() const;

    // Form widgets by number; an unknown number gives a shared placeholder.
    // Widgets: 0 title frame, 1 content frame. Line edits: 0 quantity box.
    // Labels: 0 title. Buttons: 0-9 keys "0"-"9", 10 key "00", 11 key ".",
    // 12 clear, 13 OK, 14 return.
    //@{
    QWidget* getUiQWidget(int id);
    QLineEdit* getUiQLineEdit(int id);
    QLabel* getUiQLable(int id);
    QPushButton* getUiQPushButton(int id);
    //@}

    // `maximum` is the quantity still held; the box shows `current`.
    void initValue(double maximum, double current);
    // Wires the keypad keys to SlotKeyPressed().
    void initFuncArea();

    void Retranslate() override;
    void UpdateTranslation() override;

public slots:
    // Types a keypad key; refused when it would make a second "." or a fourth
    // decimal.
    void SlotKeyPressed(QString key);
    // Accepts the quantity: SignDepositPluNumbInputWidget(quantity) and an
    // empty box. Refused with message 2297 for text that is not a number, 2295
    // below 0.01, 2296 above the quantity held by more than 0.01.
    void on_btnOK_clicked();
    // Empties the quantity box.
    void on_btnClear_clicked();
    // Closes the pad without a quantity.
    void on_btnClose_clicked();
    // Deletes the character before the cursor.
    void backspace();
    // Empties the quantity box.
    void clear();

signals:
    // The accepted quantity to collect; the host writes it back with
    // GetDepositWidget::setPluNum().
    void SignDepositPluNumbInputWidget(double quantity);
    // A key that reached the pad itself: `screenName` is "DepositPluNumbInput",
    // `key` the Qt key code.
    void SignDepositPluNumbInputWidgetKeyPress(QString screenName, int key);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Tests read state that hosts are not offered through this class.
    friend class KxPosTestAccess;

    double maxQuantity = 0.0;
    QSignalMapper* keyMapper = nullptr;

    Ui::DepositPluNumbInputWidget* ui;
    std::unique_ptr<ScreenFrame> frame;
};
