#pragma once
// Choice of specification, tastes and add-ons of a food product.
//
// ShowPluSpuInfo() lays out up to three paged grids of 160 x 100 keys (four
// columns, as many rows as fit) and runs the dialog modally:
//  - specifications: exactly one may be chosen;
//  - tastes: grouped by groupId; a group is single- or multi-choice and may
//    be required;
//  - add-ons: any number, each with its surcharge on the key.
// When a grid holds more items than keys, its last key turns the page.
// The dialog emits no signal: after a result of 1 the host reads
// selectedSpecCode, selectedTastes and the isSelected flags of Foods().

#include "kxpostradeui_export.h"

#include "contracts/KxDialog.h"
#include "contracts/KxPosModel.h"

#include <QList>
#include <QString>

class MessageWidget;
class QGridLayout;
class QLabel;
class QPushButton;
class QSignalMapper;

namespace Ui {
class SelectSpuWidget;
}

class KXPOSTRADEUI_EXPORT SelectSpuWidget : public KxDialog
{
    Q_OBJECT
public:
    // The three grids.
    enum Grid { GridSpec = 0, GridTaste = 1, GridAdd = 2 };

    // A frameless, application-modal dialog; ShowPluSpuInfo() fills and runs
    // it.
    SelectSpuWidget(int screenType, QWidget* parent = nullptr);
    ~SelectSpuWidget() override;

    // Lays out the grids for the product's option set and runs the dialog
    // modally. Returns the result: 1 after OK, 0 after the close key or at
    // once when the product has nothing to choose.
    int ShowPluSpuInfo(KxPosPluSpu spu);
    // Builds the grids of the visible areas and shows page 1 of each.
    void InitGrid();

    // ceil(n / (rows x cols - reserved)); 1 for negative n.
    static int GetPageCount(int n, int rows, int cols, int reserved);

    // The options as chosen so far (copies of the lists given to
    // ShowPluSpuInfo, with their isSelected flags).
    //@{
    const QList<KxPosPluSpec>& Specs() const { return specs; }
    const QList<KxPosPluTaste>& Tastes() const { return tastes; }
    const QList<KxPosPluFood>& Foods() const { return foods; }
    //@}

    // The constructor's `screenType`.
    int ScreenType() const { return m_screenType; }

    // Form widgets by number; an unknown number gives a shared placeholder.
    // Widgets: 0 content frame, 1-3 specification, taste and add-on areas,
    // 4-6 their grid containers, 7 button bar, 8 title frame.
    // Buttons: 0 OK, 1 close. Labels: 0 title, 1-3 the area titles.
    //@{
    QWidget* getUiQWidget(int id);
    QPushButton* getUiQPushButton(int id);
    QLabel* getUiQLable(int id);
    //@}

    void Retranslate() override;
    void UpdateTranslation() override;

    // Set on OK: code of the chosen specification (empty when none).
    QString selectedSpecCode;
    // Set on OK: every chosen taste's name, each preceded by one space.
    QString selectedTastes;

public slots:
    // Turns the specification, taste or add-on grid to its next page (after the
    // last comes the first).
    //@{
    void NextPageSpec();
    void NextPageTaste();
    void NextPageAdd();
    //@}
    // A choice key was pressed; the argument is the item's name (for an
    // add-on the key text, whose first line is the name).
    //@{
    void SlotBtnClickSpec(QString name);
    void SlotBtnClickTaste(QString name);
    void SlotBtnClickAdd(QString name);
    //@}
    // Accepts (also Enter and Return): sets selectedSpecCode and
    // selectedTastes and closes with result 1. A required taste group without
    // a choice keeps the dialog open with a message naming the group
    // (messages 2356 and 2357).
    void on_btnOk_clicked();
    // Closes with result 0.
    void on_btnClose_clicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Rows of keys of a grid.
    int RowCount(int grid) const;
    // The page key of a grid, or null when everything fits on one page.
    QPushButton* PageKey(int grid) const;
    // Tests read state that hosts are not offered through this class.
    friend class KxPosTestAccess;

    int CurrentPage(int grid) const;
    // The keys of a grid in slot order (the page key last, when there is one).
    QList<QPushButton*> GridButtons(int grid) const;
    void clearGrid(int grid);
    void buildGrid(int grid);
    void nextPage(int grid);
    void refreshPage(int grid);
    int itemCount(int grid) const;
    QString itemName(int grid, int index) const;
    QString itemText(int grid, int index) const;
    bool itemSelected(int grid, int index) const;
    int resolveItem(int grid, const QString& name);
    QWidget* area(int grid) const;
    QWidget* container(int grid) const;
    // Keyboard cursor: the grid a key belongs to (-1 for none), the next
    // built grid in a direction, the first enabled key of a grid (of the
    // first built grid for -1), a step of the cursor along a grid's keys
    // (Left/Right), a step up or down that keeps the column (Up/Down), and
    // the enabled key of a row nearest to a column (-1 for none).
    int gridOf(const QObject* key) const;
    int nextGrid(int from, int direction) const;
    void focusFirstKey(int grid);
    void moveCursor(int grid, int slot, int step);
    void moveCursorVertically(int grid, int slot, int direction);
    // Focuses the key nearest `column` in the first row from `row` on, going
    // `direction`, that has keys; false when no row of the grid has one.
    bool focusColumnFrom(int grid, int row, int direction, int column);
    int nearestKeyInRow(int grid, int row, int column) const;

    int m_screenType;
    Ui::SelectSpuWidget* ui;
    int m_rows[3] = {0, 0, 0};
    int m_columns = 4;
    int m_page[3] = {0, 0, 0};
    int m_pageCount[3] = {0, 0, 0};
    int m_perPage[3] = {0, 0, 0};
    QGridLayout* m_grid[3] = {nullptr, nullptr, nullptr};
    QSignalMapper* m_mapper[3] = {nullptr, nullptr, nullptr};
    QList<QPushButton*> m_buttons[3];
    QPushButton* m_pageKey[3] = {nullptr, nullptr, nullptr};
    int m_pressedSlot[3] = {-1, -1, -1};
    QList<KxPosPluSpec> specs;
    QList<KxPosPluTaste> tastes;
    QList<KxPosPluFood> foods;
    MessageWidget* messageWidget;
};
