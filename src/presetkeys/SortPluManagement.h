#pragma once
// Preset-key arrangement dialog: a full-screen frame around the preset-key
// panel of the sales screen, with one button for each arrangement step.
//
// The panel (PrePluGroupShowWidget) does the moving, hiding and saving; the
// dialog hosts it (showFastPluKey) and turns each button into a signal that
// the host connects to the panel. Leaving the dialog, by the close or the
// save button (or Escape, Enter), emits signalPreShow(): the host then puts
// the panel back on the sales screen and stores the arrangement. Saving
// (the save button, Enter) keeps the cashier's changes; going back to the
// sale (the close button, Escape) first puts the panel's arrangement back as
// it was when showFastPluKey() handed the panel over, so that what the host
// stores is unchanged.

#include "kxpostradeui_export.h"

#include "contracts/KxDialog.h"
#include "contracts/PrePluGroupShowWidget.h"

#include <QList>
#include <QMap>
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
    // A frameless, always-on-top dialog over the whole application area; it
    // arranges nothing itself, its keys only emit signals for the host to pass
    // to the panel.
    SortPluManagement(int screenType, QWidget* parent = nullptr);
    ~SortPluManagement() override;

    // Shows and activates the dialog.
    void showWidget();
    // Moves the preset-key panel into the dialog and shows its keys, noting
    // its arrangement (order and hidden flags of groups and products, the
    // current group) for going back without saving. Null is ignored.
    void showFastPluKey(PrePluGroupShowWidget* panel);

    // Lays the title, the panel frame and the buttons out for a screen of
    // that size (own designs for 1920, 1024 and 800 wide screens, the
    // nearest one scaled for others). The constructor applies it for
    // KxPosConfig::iAppWidth x iAppHeight.
    void ApplyGeometry(int width, int height);

    // The constructor's `screenType`.
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
    // Move the selected product one place back
    // (PrePluGroupShowWidget::SlotMoveLeft()).
    void signalLeftBtn();
    // Move the selected product one place on (SlotMoveRight()).
    void signalRightBtn();
    // The dialog was left (close or save) and is closed: the host puts the
    // panel back on the sales screen and stores its arrangement (after the
    // close button, the one it had when the dialog got it).
    void signalPreShow();
    // Move the selected product one row up (SlotMoveUp()).
    void signalUpBtn();
    // Move the selected product one row down (SlotMoveDown()).
    void signalDownBtn();
    // Move the selected product to the first place (SlotMoveTop()).
    void signalTopData();
    // Hide or show the current category (SlotHideSort()).
    void signalHideSort();
    // Hide or show the selected product (SlotHidePlu()).
    void signalHidePlu();

public slots:
    // Emits signalLeftBtn().
    void on_btnLeft_clicked();
    // Emits signalRightBtn().
    void on_btnRight_clicked();
    // Back to the sale without saving (Escape): puts the panel's arrangement
    // back as showFastPluKey() found it, closes the dialog (result 0), then
    // emits signalPreShow().
    void on_btnClose_clicked();
    // Saves (Enter): closes the dialog (result 1), then emits
    // signalPreShow(), on which the host stores the changed arrangement.
    void on_btnSaveData_clicked();
    // Emits signalUpBtn().
    void on_btnUp_clicked();
    // Emits signalDownBtn().
    void on_btnDown_clicked();
    // Emits signalTopData().
    void on_btnTop_clicked();
    // Emits signalHideSort().
    void on_btnHide_clicked();
    // Emits signalHidePlu().
    void on_btnHidePlu_clicked();

protected:
    // The arrangement keys: Tab/Shift+Tab product, Page Up/Down group, arrows and Home move,
    // Delete/Insert show or hide, Enter saves, Escape goes back.
    void keyPressEvent(QKeyEvent* event) override;
    // False: Tab and Shift+Tab choose products instead of moving the focus.
    bool focusNextPrevChild(bool next) override;
    // Takes the keyboard while shown (the dialog covers the whole screen).
    void showEvent(QShowEvent* event) override;
    // Gives the keyboard back.
    void hideEvent(QHideEvent* event) override;

private:
    // Tests read state that hosts are not offered through this class.
    friend class KxPosTestAccess;

    void leave(int result);
    // Gives the panel the arrangement noted by showFastPluKey().
    void restoreArrangement();

    int m_screenType;
    Ui::SortPluManagement* ui;
    QPointer<PrePluGroupShowWidget> m_panel;
    QList<PrePluGroupShowWidget::Entry> m_openedGroups;
    QMap<QString, QList<PrePluGroupShowWidget::Entry>> m_openedProducts;
    QString m_openedGroup;
};
