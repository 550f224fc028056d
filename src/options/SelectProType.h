#pragma once
// Promotion-type question: does the current sale use the ordinary promotions
// or a gift coupon?
//
// The host runs the dialog with show() and connects SignSelectProType: 0 for
// the ordinary promotions, 1 for the gift coupon. Both choices close the
// dialog with result 1; the close key closes it with result 0 and emits
// nothing. Keys "0" and "1" choose; the arrows and Tab move over the three
// keys and Enter or Space presses the current one; Escape and Page Up close
// as the close key does; every other key goes to the host through
// SignSelectProTypeKeyPressed.

#include "kxpostradeui_export.h"

#include "contracts/KxDialog.h"

class QLabel;
class QPushButton;

namespace Ui {
class SelectProType;
}

class KXPOSTRADEUI_EXPORT SelectProType : public KxDialog
{
    Q_OBJECT
public:
    // A frameless dialog; screen type 0 hides the title and sizes it like the
    // deposit menu.
    SelectProType(int screenType, QWidget* parent = nullptr);
    ~SelectProType() override;

    // Runs the dialog modally and returns its result (1 after a choice, 0
    // after the close key).
    int show();

    // The constructor's `screenType`.
    int ScreenType() const { return m_screenType; }

    // Form widgets by number; an unknown number gives a shared placeholder.
    // Widgets: 0 content frame, 1 choice panel, 2 title frame.
    // Buttons: 0 ordinary promotions, 1 gift coupon, 2 close.
    // Labels: 0 title.
    //@{
    QWidget* getUiQWidget(int id);
    QPushButton* getUiQPushButton(int id);
    QLabel* getUiQLable(int id);
    //@}

    void Retranslate() override;
    void UpdateTranslation() override;

signals:
    // The promotion type chosen: 0 the ordinary promotions, 1 a gift coupon.
    void SignSelectProType(int type);
    // A key other than "0" and "1": `screenName` is "SelectProType", `key` the
    // Qt key code.
    void SignSelectProTypeKeyPressed(QString screenName, int key);

public slots:
    // Gift coupon (key "1"): SignSelectProType(1), closes with result 1.
    void on_btnok_clicked();
    // Ordinary promotions (key "0"): SignSelectProType(0), closes with result
    // 1.
    void on_btncancel_clicked();
    // Closes with result 0; emits nothing.
    void on_btnClose_clicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void handleKey(QKeyEvent* event);

    int m_screenType;
    Ui::SelectProType* ui;
};
