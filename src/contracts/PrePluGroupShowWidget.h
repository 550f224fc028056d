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
    struct Entry {
        QString code;
        QString name;
        bool hidden = false;
    };

    explicit PrePluGroupShowWidget(QWidget* parent = nullptr);
    ~PrePluGroupShowWidget() override;

    // Groups as (code, name) in display order; keeps the products of groups
    // that remain, makes the first visible group current when the current
    // one is gone.
    void SetGroups(const QList<QPair<QString, QString>>& codeAndName);
    // Products of a group as (code, name) in display order.
    void SetProducts(const QString& groupCode, const QList<QPair<QString, QString>>& codeAndName);
    void ClearData();
    // Hides or shows a group (empty `productCode`) or one product of a group,
    // as a stored arrangement says. Unknown codes are ignored.
    void SetHidden(const QString& groupCode, const QString& productCode, bool hidden);
    // Renames the groups and products whose codes `nameByCode` holds (a
    // language switch), keeping their order, hidden flags and the page.
    void SetNames(const QHash<QString, QString>& nameByCode);

    QList<Entry> Groups() const { return m_groups; }
    QList<Entry> Products(const QString& groupCode) const { return m_products.value(groupCode); }
    // Products over all groups (hidden ones included).
    int productCount() const;

    // Grid of product keys per page, and group keys per bar page.
    void SetGrid(int columns, int rows);
    void SetGroupColumns(int columns);
    int columns() const { return m_columns; }
    int rows() const { return m_rows; }

    QString currentGroup() const { return m_currentGroup; }
    bool setCurrentGroup(const QString& groupCode);
    QString selectedProduct() const { return m_selected; }

    int currentPage() const { return m_page; }
    int pageCount() const;
    int groupPage() const { return m_groupPage; }
    int groupPageCount() const;

    void SetEditMode(bool edit);
    bool editMode() const { return m_editMode; }

public slots:
    // Shows the product keys of the current group (first visible group when
    // none is current) from their first page, and shows the panel.
    void showProd();
    void nextPage();
    void prevPage();
    void nextGroupPage();
    void prevGroupPage();
    // Arrangement (edit mode or not): on the selected product of the current
    // group, or on the current group.
    void SlotMoveLeft();
    void SlotMoveRight();
    void SlotMoveUp();
    void SlotMoveDown();
    void SlotMoveTop();
    void SlotHidePlu();
    void SlotHideSort();

signals:
    void SignPluClicked(QString pluCode);
    void SignGroupChanged(QString groupCode);
    void SignArrangementChanged();

private:
    QList<Entry> visibleProducts() const;
    QList<Entry> visibleGroups() const;
    void rebuildGroupBar();
    void rebuildGrid();
    void onGroupKey(const QString& code);
    void onProductKey(const QString& code);
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
