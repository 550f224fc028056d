#pragma once
// Preset-key arrangement dialog: a full-screen frame around the preset-key
// panel of the sales screen, with one button for each arrangement step.
//
// The panel (PrePluGroupShowWidget) does the moving, hiding and saving; the
// dialog hosts it (showFastPluKey) and turns each button into a signal that
// the host connects to the panel. Leaving the dialog, by the close or the
// save button (or Escape), emits signalPreShow(): the host then puts the
// panel back on the sales screen and stores the arrangement.

#include "kxpostradeui_export.h"

#include "contracts/KxDialog.h"
#include "contracts/PrePluGroupShowWidget.h"

#include <QPointer>
#include <QRect>

class QLabel;
class QPushButton;

namespace Ui {
class SortPluManagement;
}

class KXPOSTRADEUI_EXPORT SortPluManagement : public KxDialog
{
    Q_OBJECT
public:
    SortPluManagement(int screenType, QWidget* parent = nullptr);
    ~SortPluManagement() override;

    // Shows and activates the dialog.
    void showWidget();
    // Moves the preset-key panel into the dialog and shows its keys. Null is
    // ignored.
    void showFastPluKey(PrePluGroupShowWidget* panel);

    // Lays the title, the panel frame and the buttons out for a screen of
    // that size (own designs for 1920, 1024 and 800 wide screens, the
    // nearest one scaled for others). The constructor applies it for
    // KxPosConfig::iAppWidth x iAppHeight.
    void ApplyGeometry(int width, int height);

    int ScreenType() const { return m_screenType; }

    // Form widgets by number; an unknown number gives a shared placeholder.
    // Widgets: 0 panel frame, 1 title frame.
    // Buttons: 0 left, 1 right, 2 up, 3 down, 4 to top, 5 show/hide product,
    // 6 show/hide category, 7 save, 8 close.
    // Labels: 0 title, 1 hint.
    //@{
    QWidget* getUiQWidget(int id);
    QPushButton* getUiQPushButton(int id);
    QLabel* getUiQLable(int id);
    //@}

    void Retranslate() override;
    void UpdateTranslation() override;

signals:
    void signalLeftBtn();
    void signalRightBtn();
    void signalPreShow();
    void signalUpBtn();
    void signalDownBtn();
    void signalTopData();
    void signalHideSort();
    void signalHidePlu();

public slots:
    void on_btnLeft_clicked();
    void on_btnRight_clicked();
    void on_btnClose_clicked();
    void on_btnSaveData_clicked();
    void on_btnUp_clicked();
    void on_btnDown_clicked();
    void on_btnTop_clicked();
    void on_btnHide_clicked();
    void on_btnHidePlu_clicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Tests read state that hosts are not offered through this class.
    friend class KxPosTestAccess;

    void leave();

    int m_screenType;
    Ui::SortPluManagement* ui;
    QPointer<PrePluGroupShowWidget> m_panel;
};
