#pragma once
// The deposit menu: asks whether goods are to be deposited ("寄存") or picked
// up ("取货"). Key "0" chooses deposit, key "1" pick-up; every other key goes
// to the host through SignDepositWidgetKeyPressed("DepositWidget", key).
//
// The host connects SignGotoDeposit to showing the deposit list and
// SignGotoMembLogin to its member login, then runs the menu with show().

#include "kxpostradeui_export.h"

#include "contracts/KxDialog.h"

#include <memory>

class QLabel;
class QPushButton;
class ScreenFrame;

namespace Ui {
class DepositWidget;
}

class KXPOSTRADEUI_EXPORT DepositWidget : public KxDialog
{
    Q_OBJECT

public:
    // Screen type 0 hides the title and stretches the menu over the
    // application's width.
    explicit DepositWidget(int screenType, QWidget* parent = nullptr);
    ~DepositWidget() override;

    // The constructor's `screenType`.
    int ScreenType() const;

    // Form widgets by number; an unknown number gives a shared placeholder.
    // Widgets: 0 content frame, 1 deposit button, 2 pick-up button, 3 close
    // button, 4 title frame, 5 logo frame. Buttons: 0 deposit, 1 pick-up,
    // 2 close. Labels: 0 title, 1 logo.
    //@{
    QWidget* getUiQWidget(int id);
    QPushButton* getUiQPushButton(int id);
    QLabel* getUiQLable(int id);
    //@}

    void Retranslate() override;
    void UpdateTranslation() override;

public slots:
    // Activates the menu, focuses the deposit button and runs it modally.
    // True when the menu closed with a non-zero result (a choice was made or
    // close() was called).
    bool show();
    // Closes the menu with result 1.
    bool close();

    // Deposit chosen (key "0"): closes the menu with result 1 and emits
    // SignGotoDeposit().
    void on_btnDeposit_clicked();
    // Pick-up chosen (key "1"): closes the menu with result 1 and emits
    // SignGotoMembLogin().
    void on_btnGet_clicked();
    // Closes the menu with result 0.
    void on_btnClose_clicked();

signals:
    // Show the deposit list.
    void SignGotoDeposit();
    // Log the member in whose deposits are to be picked up; the host then shows
    // the pick-up screen.
    void SignGotoMembLogin();
    // A key other than "0" and "1": `screenName` is "DepositWidget", `key` the
    // Qt key code.
    void SignDepositWidgetKeyPressed(QString screenName, int key);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Ui::DepositWidget* ui;
    std::unique_ptr<ScreenFrame> frame;
};
