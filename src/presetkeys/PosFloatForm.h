#pragma once
// Floating return button: a small always-on-top button with the product logo
// that stays on the desktop while the sales screen is hidden.
//
// The cashier drags it by the form around the button (or by the button
// itself); it stays within the application area, allowed to hang half off
// the right and bottom edges and up to (height - 20) pixels above the top.
// A click on the button emits SignTradeNormal() so that the host brings the
// sales screen back, except the first click after a drag, which only
// re-arms the button. The host answers through SlotTradeNormaled(), which
// closes the button.

#include "kxpostradeui_export.h"

#include "contracts/KxTranslateBase.h"

#include <QPoint>
#include <QString>
#include <QWidget>

class QPushButton;

namespace Ui {
class PosFloatForm;
}

class KXPOSTRADEUI_EXPORT PosFloatForm : public QWidget, public KxTranslateBase
{
    Q_OBJECT
public:
    // The floating button at (0, 0), frameless and always on top, sized by
    // InitUI().
    explicit PosFloatForm(QWidget* parent = nullptr);
    ~PosFloatForm() override;

    // Computes the size variables for the current screen and applies them.
    void InitUI();
    // Shows the button and arms the click.
    void showWidget();

    // a x iAppWidth / b and a x iAppHeight / b in integer arithmetic.
    //@{
    static int calcWidth(int a, int b);
    static int calcHeight(int a, int b);
    //@}

    // Keeps a position within the application area (see the class comment).
    QPoint CheckAndChange(QPoint position) const;

    // Buttons: 0 the floating button. An unknown number gives a shared
    // placeholder.
    QPushButton* getUiQPushButton(int id);

    void Retranslate() override;
    void UpdateTranslation() override;

signals:
    // Bring the sales screen back; the host answers with SlotTradeNormaled().
    void SignTradeNormal();

public slots:
    // The sales screen is back: the button closes.
    void SlotTradeNormaled();
    // A click on the button: SignTradeNormal(), unless a drag just ended (that
    // click only arms the button again).
    void on_BtnFloatChg_clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void dragPress(const QPoint& global);
    void dragMove(const QPoint& global);
    void dragRelease(const QPoint& global);

    Ui::PosFloatForm* ui;
    bool clickArmed = true;
    int lastX = 0;
    int lastY = 0;
    // Drag started on the button: it moves the form only once the pointer
    // has travelled the platform's drag distance, so a shaky tap still counts.
    QPoint buttonPressPoint;
    bool buttonPressed = false;
    bool buttonDragging = false;
};
