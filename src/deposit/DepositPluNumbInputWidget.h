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

    int ScreenType() const;
    double MaxQuantity() const { return maxQuantity; }
    QString Text() const;

    // Form widgets by number; an unknown number gives a shared placeholder.
    // Widgets: 0 title frame, 1 content frame. Line edits: 0 quantity box.
    // Labels: 0 title. Buttons: 0-9 keys "0"-"9", 10 key "00", 11 key ".",
    // 12 clear, 13 OK, 14 return.
    QWidget* getUiQWidget(int id);
    QLineEdit* getUiQLineEdit(int id);
    QLabel* getUiQLable(int id);
    QPushButton* getUiQPushButton(int id);

    // `maximum` is the quantity still held; the box shows `current`.
    void initValue(double maximum, double current);
    void initFuncArea();

    void Retranslate() override;
    void UpdateTranslation() override;

public slots:
    void SlotKeyPressed(QString key);
    void on_btnOK_clicked();
    void on_btnClear_clicked();
    void on_btnClose_clicked();
    void backspace();
    void clear();

signals:
    void SignDepositPluNumbInputWidget(double quantity);
    void SignDepositPluNumbInputWidgetKeyPress(QString screenName, int key);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    double maxQuantity = 0.0;
    QSignalMapper* keyMapper = nullptr;

    Ui::DepositPluNumbInputWidget* ui;
    std::unique_ptr<ScreenFrame> frame;
};
