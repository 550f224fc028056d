#pragma once
// Package-content picker: the cashier chooses the contents of one package
// product, group by group.
//
// Init() takes the possible contents; items with the same groupId form a
// group, shown in order of first appearance. A group with groupPickCount N
// requires exactly N units in total; a group with 0 takes any number. An
// item's maxQty (when above 0) caps its units. Choosing a weighed item
// (weighFlag "1") asks the host for its weight through SignalsGetWeight; the
// host answers with UpdateWeight.
//
// Weight round trip:
//   SignalsGetWeight(plu, itemIndex, pageType, count, groupIndex)
//     plu        the item as a product record (code, name, unit, price,
//                weighFlag "1")
//     itemIndex  the item's position in the list given to Init()
//     pageType   always PackPageType (2), the pack-content page
//     count      units of the item chosen so far
//     groupIndex the group's position (0-based, order of appearance)
//   UpdateWeight(weightText, itemIndex, pageType, count, groupIndex)
//     weightText the weight read from the scale, as a decimal number text
//     the four ints echo the request; the answer is applied when itemIndex
//     names a weighed, chosen item of that group; a text that is not a number
//     above zero is ignored.
//
// Object names for tests and the style sheet: each item row is
// "packItem_<i>", with buttons "packPlus_<i>", "packMinus_<i>" and, for
// weighed items, "packWeigh_<i>"; the quantity label is "packQty_<i>".

#include "contracts/KxPosModel.h"
#include "contracts/kxposcontracts_export.h"

#include <QColor>
#include <QList>
#include <QSize>
#include <QString>
#include <QWidget>

class QLabel;
class QPushButton;
class QScrollArea;
class QVBoxLayout;

class KXPOSCONTRACTS_EXPORT PackContentWidget : public QWidget
{
    Q_OBJECT
public:
    // The page type sent with SignalsGetWeight(): the pack-content page of the
    // coupon screen.
    static constexpr int PackPageType = 2;

    // An empty picker; Init() offers contents.
    explicit PackContentWidget(QWidget* parent = nullptr);
    ~PackContentWidget() override;

    // Offers the contents of the package `name`; every quantity and weight
    // starts at 0 (the offered qty of an item is ignored).
    void Init(QList<KxPosPluComDtDetail> items, QString name);
    // True when the choice is complete: at least one unit chosen, every group
    // with a pick count has exactly that many units, and every chosen weighed
    // item has a weight. Otherwise `errorText` says what is missing.
    bool Confirm(QString& errorText);
    // The chosen items (qty above 0) in offer order, with qty and weight.
    QList<KxPosPluComDtDetail> GetListInPut() const;
    // A weight answer, see the round trip above.
    void UpdateWeight(QString weightText, int itemIndex, int pageType, int count, int groupIndex);

    // Name of the package offered.
    QString packageName() const { return m_name; }
    // Items offered.
    int itemCount() const { return m_items.size(); }
    // Groups of the items offered.
    int groupCount() const { return m_groupIds.size(); }
    // Units chosen of item `itemIndex`; 0 for an unknown item.
    double chosenQty(int itemIndex) const;
    // Weight of item `itemIndex` from the scale, in kg; 0 before one is known.
    double chosenWeight(int itemIndex) const;
    // Units chosen in the group of `groupIndex`.
    double groupQty(int groupIndex) const;

    // Look: size of the +/- and weigh buttons, height of item rows, width of
    // the content column, height of the group header rows, and the two
    // alternating backgrounds of the item rows.
    //@{
    void SetBtnSize(const QSize& size);
    void SetRowHeight(int height);
    void SetContentWidth(int width);
    void SetHeaderHeight(int height);
    void SetRowBackgroundColor(const QColor& even, const QColor& odd);
    //@}

public slots:
    // One unit more / less of an item (what the + and - buttons do). More is
    // refused when the item is at its maxQty or its group is full.
    //@{
    void increase(int itemIndex);
    void decrease(int itemIndex);
    //@}
    // Asks again for the weight of a chosen weighed item.
    void requestWeight(int itemIndex);

signals:
    // Weigh a chosen weighed item; see the round trip above.
    void SignalsGetWeight(KxPosPluDetail plu, int itemIndex, int pageType, int count,
                          int groupIndex);
    // Any quantity or weight changed.
    void SignChoiceChanged();

private:
    struct Row {
        QWidget* widget = nullptr;
        QLabel* name = nullptr;
        QLabel* qty = nullptr;
        QPushButton* plus = nullptr;
        QPushButton* minus = nullptr;
        QPushButton* weigh = nullptr;
    };

    void rebuild();
    void refreshRow(int itemIndex);
    void refreshHeaders();
    void applyLook();
    int groupIndexOf(int itemIndex) const;
    QString groupTitle(int groupIndex) const;

    QString m_name;
    QList<KxPosPluComDtDetail> m_items;
    QStringList m_groupIds;
    QList<Row> m_rows;
    QList<QLabel*> m_headers;
    QLabel* m_nameLabel;
    QScrollArea* m_scroll;
    QWidget* m_content;
    QVBoxLayout* m_contentLayout;
    QSize m_btnSize;
    int m_rowHeight;
    int m_contentWidth = 0;
    int m_headerHeight;
    QColor m_evenColour;
    QColor m_oddColour;
};
