#pragma once
// Preset product-key panel: a paged bar of groups (categories) above a paged
// grid of product keys of the current group.
//
// Outside edit mode a product key emits SignPluClicked(code). In edit mode a
// key only selects the product, and the arrangement slots move, pin and hide
// the selected product or hide the current group; hidden entries are shown
// (marked "showType" "hidden") only in edit mode. The arrangement is read
// back with Groups()/Products() and announced by SignArrangementChanged().
//
// Object names: group keys "preGroup_<code>", product keys
// "prePlu_<code>", paging keys "prePluPrev"/"prePluNext" and
// "preGroupPrev"/"preGroupNext". Keys carry "showType": "normal",
// "choose" (current group / selected product), "hidden", "hiddenchoose"
// (selected hidden product), "init" (empty cell), "page" (paging keys).

#include "contracts/kxposcontracts_export.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QWidget>

class QGridLayout;
class QHBoxLayout;
class QPushButton;

class KXPOSCONTRACTS_EXPORT PrePluGroupShowWidget : public QWidget
{
    Q_OBJECT
public:
    // A group or a product key of the panel.
    struct Entry {
        // Group or product code.
        QString code;
        // Caption of the key.
        QString name;
        // Hidden outside edit mode.
        bool hidden = false;
    };

    // An empty panel of 5 x 6 product keys and 6 group keys a page.
    explicit PrePluGroupShowWidget(QWidget* parent = nullptr);
    ~PrePluGroupShowWidget() override;

    // Groups as (code, name) in display order; keeps the products of groups
    // that remain, makes the first visible group current when the current
    // one is gone.
    void SetGroups(const QList<QPair<QString, QString>>& codeAndName);
    // Products of a group as (code, name) in display order.
    void SetProducts(const QString& groupCode, const QList<QPair<QString, QString>>& codeAndName);
    // Removes every group and product; no group is current.
    void ClearData();
    // Hides or shows a group (empty `productCode`) or one product of a group,
    // as a stored arrangement says. Unknown codes are ignored.
    void SetHidden(const QString& groupCode, const QString& productCode, bool hidden);
    // Renames the groups and products whose codes `nameByCode` holds (a
    // language switch), keeping their order, hidden flags and the page.
    void SetNames(const QHash<QString, QString>& nameByCode);

    // The groups in display order, hidden ones included (the arrangement to
    // store).
    QList<Entry> Groups() const { return m_groups; }
    // The products of `groupCode` in display order, hidden ones included; empty
    // for an unknown group.
    QList<Entry> Products(const QString& groupCode) const { return m_products.value(groupCode); }
    // Products over all groups (hidden ones included).
    int productCount() const;

    // Grid of product keys per page, and group keys per bar page.
    void SetGrid(int columns, int rows);
    // Group keys per page of the group bar (at least 1).
    void SetGroupColumns(int columns);
    // Product key columns of a page.
    int columns() const { return m_columns; }
    // Product key rows of a page.
    int rows() const { return m_rows; }

    // Code of the group whose products are shown; empty when none.
    QString currentGroup() const { return m_currentGroup; }
    // Shows the products of `groupCode` from their first page and emits
    // SignGroupChanged() when it changed; false (nothing changes) for a group
    // that is unknown or hidden outside edit mode.
    bool setCurrentGroup(const QString& groupCode);
    // Code of the product selected in edit mode; empty when none.
    QString selectedProduct() const { return m_selected; }

    // Page of product keys shown, from 1.
    int currentPage() const { return m_page; }
    // Pages of product keys of the current group (at least 1).
    int pageCount() const;
    // Page of the group bar shown, from 1.
    int groupPage() const { return m_groupPage; }
    // Pages of the group bar (at least 1).
    int groupPageCount() const;

    // Edit mode: product keys select instead of emitting SignPluClicked(), and
    // hidden entries are shown. Leaving it forgets the selection.
    void SetEditMode(bool edit);
    // True in edit mode.
    bool editMode() const { return m_editMode; }

public slots:
    // Shows the product keys of the current group (first visible group when
    // none is current) from their first page, and shows the panel.
    void showProd();
    // Next page of product keys; after the last comes the first.
    void nextPage();
    // Previous page of product keys; before the first comes the last.
    void prevPage();
    // Next page of the group bar, wrapping to the first.
    void nextGroupPage();
    // Previous page of the group bar, wrapping to the last.
    void prevGroupPage();
    // Edit mode, by keys: selects the product `steps` places on (back when
    // negative) among the current group's keys, the first one when none is
    // selected, and turns to its page. No wrapping past either end.
    void selectNextProduct(int steps = 1);
    // Makes the group `steps` places on (back when negative) the current one,
    // turning the group bar to it. No wrapping past either end.
    void selectNextGroup(int steps = 1);
    // Arrangement (edit mode or not): the move and SlotHidePlu() slots act on
    // the selected product of the current group, SlotHideSort() on the
    // current group; each change emits SignArrangementChanged().
    // SlotMoveLeft() moves the selected product one place back.
    void SlotMoveLeft();
    // Moves the selected product one place on.
    void SlotMoveRight();
    // Moves the selected product one row up (a row's worth of places back).
    void SlotMoveUp();
    // Moves the selected product one row down.
    void SlotMoveDown();
    // Moves the selected product to the first place of its group.
    void SlotMoveTop();
    // Hides the selected product, or shows it again when it is hidden.
    void SlotHidePlu();
    // Hides the current group, or shows it again when it is hidden.
    void SlotHideSort();

signals:
    // A product key was pressed outside edit mode; the host adds the product to
    // the sale.
    void SignPluClicked(QString pluCode);
    // Another group became current.
    void SignGroupChanged(QString groupCode);
    // The order or the hidden flags changed; the host stores Groups() and
    // Products().
    void SignArrangementChanged();

private:
    QList<Entry> visibleProducts() const;
    QList<Entry> visibleGroups() const;
    void rebuildGroupBar();
    void rebuildGrid();
    void onGroupKey(const QString& code);
    void onProductKey(const QString& code);
    // When the current group is hidden or gone, the first visible group
    // becomes current (none when every group is hidden) with its first page
    // and no selection.
    void keepVisibleGroup();
    bool moveSelected(int delta);
    void pageToSelected();

    QList<Entry> m_groups;
    QMap<QString, QList<Entry>> m_products;
    QString m_currentGroup;
    QString m_selected;
    int m_columns = 5;
    int m_rows = 6;
    int m_groupColumns = 6;
    int m_page = 1;
    int m_groupPage = 1;
    bool m_editMode = false;
    QHBoxLayout* m_groupBar;
    QGridLayout* m_grid;
    QWidget* m_gridHost;
    QPushButton* m_prevPage;
    QPushButton* m_nextPage;
    QPushButton* m_prevGroupPage;
    QPushButton* m_nextGroupPage;
};
