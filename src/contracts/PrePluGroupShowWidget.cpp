#include "contracts/PrePluGroupShowWidget.h"

#include "contracts/AccessibleNames.h"
#include "contracts/CaptionFit.h"
#include "contracts/KxPosConfig.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/KxWidget.h"
#include "contracts/UiTool.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Removes every widget of a layout. The widgets are deleted later because a
// key may be rebuilding the panel from inside its own clicked() signal.
void clearLayout(QLayout* layout)
{
    while (QLayoutItem* item = layout->takeAt(0)) {
        if (QWidget* widget = item->widget()) {
            widget->hide();
            widget->deleteLater();
        }
        delete item;
    }
}

// Names of the keys that show a sign or nothing; product and group keys are
// named by their captions.
constexpr AccessibleNames::Entry keyNames[] = {
    {"prePluEmpty", 7700},
    {"prePluPrev", 7730},
    {"prePluNext", 7731},
    {"preGroupPrev", 7732},
    {"preGroupNext", 7733},
};

QPushButton* makeKey(QWidget* parent, const QString& objectName, const QString& text)
{
    auto* key = new QPushButton(text, parent);
    key->setObjectName(objectName);
    key->setFocusPolicy(Qt::NoFocus);
    key->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    AccessibleNames::NameByCaption(key);
    for (const AccessibleNames::Entry& entry : keyNames) {
        if (objectName == QLatin1String(entry.objectName))
            AccessibleNames::Set(key, entry.messageId);
    }
    // Long product names wrap onto a second line rather than run off the key.
    CaptionFit::Watch(key);
    return key;
}

int indexOfCode(const QList<PrePluGroupShowWidget::Entry>& list, const QString& code)
{
    for (int i = 0; i < list.size(); ++i) {
        if (list.at(i).code == code)
            return i;
    }
    return -1;
}

} // namespace

PrePluGroupShowWidget::PrePluGroupShowWidget(QWidget* parent)
    : QWidget(parent)
    , m_groupBar(new QHBoxLayout)
    , m_grid(new QGridLayout)
    , m_gridHost(new QWidget(this))
    , m_prevPage(makeKey(this, QStringLiteral("prePluPrev"), QStringLiteral("▲")))
    , m_nextPage(makeKey(this, QStringLiteral("prePluNext"), QStringLiteral("▼")))
    , m_prevGroupPage(makeKey(this, QStringLiteral("preGroupPrev"), QStringLiteral("◀")))
    , m_nextGroupPage(makeKey(this, QStringLiteral("preGroupNext"), QStringLiteral("▶")))
{
    setObjectName(QStringLiteral("PrePluGroupShowWidget"));
    setAttribute(Qt::WA_StyledBackground, true);
    const int spacing = KxPosConfig::GetAutoWidth(8, 5);
    m_gridHost->setObjectName(QStringLiteral("prePluGrid"));
    m_gridHost->setLayout(m_grid);
    m_grid->setContentsMargins(0, 0, 0, 0);
    m_grid->setSpacing(spacing);
    m_groupBar->setSpacing(spacing);

    for (QPushButton* key : {m_prevPage, m_nextPage, m_prevGroupPage, m_nextGroupPage}) {
        key->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        key->setFixedSize(KxPosConfig::GetAutoSize(64, 56, 44, 40));
        key->setProperty("showType", QStringLiteral("page"));
    }

    auto* groupRow = new QHBoxLayout;
    groupRow->setSpacing(spacing);
    groupRow->addWidget(m_prevGroupPage);
    groupRow->addLayout(m_groupBar, 1);
    groupRow->addWidget(m_nextGroupPage);

    auto* pageRow = new QHBoxLayout;
    pageRow->addStretch(1);
    pageRow->addWidget(m_prevPage);
    pageRow->addWidget(m_nextPage);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(spacing, spacing, spacing, spacing);
    layout->setSpacing(spacing);
    layout->addLayout(groupRow);
    layout->addWidget(m_gridHost, 1);
    layout->addLayout(pageRow);

    connect(m_prevPage, &QPushButton::clicked, this, &PrePluGroupShowWidget::prevPage);
    connect(m_nextPage, &QPushButton::clicked, this, &PrePluGroupShowWidget::nextPage);
    connect(m_prevGroupPage, &QPushButton::clicked, this, &PrePluGroupShowWidget::prevGroupPage);
    connect(m_nextGroupPage, &QPushButton::clicked, this, &PrePluGroupShowWidget::nextGroupPage);
    connect(KxPosTranslator::Instance(), &KxPosTranslator::LanguageChanged, this,
            [this] { AccessibleNames::Apply(this, keyNames); });
    rebuildGroupBar();
    rebuildGrid();
}

PrePluGroupShowWidget::~PrePluGroupShowWidget() = default;

void PrePluGroupShowWidget::SetGroups(const QList<QPair<QString, QString>>& codeAndName)
{
    QList<Entry> groups;
    for (const auto& pair : codeAndName) {
        if (indexOfCode(groups, pair.first) >= 0)
            continue; // a code names one group
        Entry entry;
        entry.code = pair.first;
        entry.name = pair.second;
        const int old = indexOfCode(m_groups, pair.first);
        entry.hidden = old >= 0 && m_groups.at(old).hidden;
        groups.append(entry);
    }
    m_groups = groups;
    for (const QString& code : m_products.keys()) {
        if (indexOfCode(m_groups, code) < 0)
            m_products.remove(code);
    }
    keepVisibleGroup();
    m_groupPage = qBound(1, m_groupPage, groupPageCount());
    rebuildGroupBar();
    rebuildGrid();
}

void PrePluGroupShowWidget::SetNames(const QHash<QString, QString>& nameByCode)
{
    const auto rename = [&nameByCode](QList<Entry>& entries) {
        for (Entry& e : entries)
            e.name = nameByCode.value(e.code, e.name);
    };
    rename(m_groups);
    for (auto it = m_products.begin(); it != m_products.end(); ++it)
        rename(it.value());
    rebuildGroupBar();
    rebuildGrid();
}

void PrePluGroupShowWidget::SetProducts(const QString& groupCode,
                                        const QList<QPair<QString, QString>>& codeAndName)
{
    QList<Entry> products;
    const QList<Entry> old = m_products.value(groupCode);
    for (const auto& pair : codeAndName) {
        Entry entry;
        entry.code = pair.first;
        entry.name = pair.second;
        const int previous = indexOfCode(old, pair.first);
        entry.hidden = previous >= 0 && old.at(previous).hidden;
        products.append(entry);
    }
    m_products.insert(groupCode, products);
    if (groupCode == m_currentGroup) {
        if (indexOfCode(products, m_selected) < 0)
            m_selected.clear();
        m_page = qBound(1, m_page, pageCount());
        rebuildGrid();
    }
}

void PrePluGroupShowWidget::ClearData()
{
    m_groups.clear();
    m_products.clear();
    m_currentGroup.clear();
    m_selected.clear();
    m_page = 1;
    m_groupPage = 1;
    rebuildGroupBar();
    rebuildGrid();
}

void PrePluGroupShowWidget::SetHidden(const QString& groupCode, const QString& productCode, bool hidden)
{
    if (productCode.isEmpty()) {
        const int index = indexOfCode(m_groups, groupCode);
        if (index < 0)
            return;
        m_groups[index].hidden = hidden;
        if (!m_editMode)
            keepVisibleGroup();
        m_groupPage = qBound(1, m_groupPage, groupPageCount());
        rebuildGroupBar();
    } else {
        auto it = m_products.find(groupCode);
        const int index = it == m_products.end() ? -1 : indexOfCode(*it, productCode);
        if (index < 0)
            return;
        (*it)[index].hidden = hidden;
        if (groupCode != m_currentGroup)
            return;
        m_page = qBound(1, m_page, pageCount());
    }
    rebuildGrid();
}

int PrePluGroupShowWidget::productCount() const
{
    int count = 0;
    for (const QList<Entry>& list : m_products)
        count += list.size();
    return count;
}

void PrePluGroupShowWidget::SetGrid(int columns, int rows)
{
    m_columns = qMax(columns, 1);
    m_rows = qMax(rows, 1);
    m_page = qBound(1, m_page, pageCount());
    rebuildGrid();
}

void PrePluGroupShowWidget::SetGroupColumns(int columns)
{
    m_groupColumns = qMax(columns, 1);
    m_groupPage = qBound(1, m_groupPage, groupPageCount());
    rebuildGroupBar();
}

bool PrePluGroupShowWidget::setCurrentGroup(const QString& groupCode)
{
    if (indexOfCode(visibleGroups(), groupCode) < 0)
        return false;
    if (groupCode != m_currentGroup) {
        m_currentGroup = groupCode;
        m_selected.clear();
        m_page = 1;
        emit SignGroupChanged(groupCode);
    }
    rebuildGroupBar();
    rebuildGrid();
    return true;
}

int PrePluGroupShowWidget::pageCount() const
{
    return KxWidget::GetPageCount(visibleProducts().size(), m_columns, m_rows, 0);
}

int PrePluGroupShowWidget::groupPageCount() const
{
    return KxWidget::GetPageCount(visibleGroups().size(), m_groupColumns, 1, 0);
}

void PrePluGroupShowWidget::SetEditMode(bool edit)
{
    if (m_editMode == edit)
        return;
    m_editMode = edit;
    if (!edit) {
        m_selected.clear();
        keepVisibleGroup();
    }
    m_page = qBound(1, m_page, pageCount());
    m_groupPage = qBound(1, m_groupPage, groupPageCount());
    rebuildGroupBar();
    rebuildGrid();
}

void PrePluGroupShowWidget::showProd()
{
    keepVisibleGroup();
    m_page = 1;
    rebuildGroupBar();
    rebuildGrid();
    show();
}

void PrePluGroupShowWidget::nextPage()
{
    m_page = m_page >= pageCount() ? 1 : m_page + 1; // wraps to the first page
    rebuildGrid();
}

void PrePluGroupShowWidget::prevPage()
{
    m_page = m_page <= 1 ? pageCount() : m_page - 1;
    rebuildGrid();
}

void PrePluGroupShowWidget::nextGroupPage()
{
    m_groupPage = m_groupPage >= groupPageCount() ? 1 : m_groupPage + 1;
    rebuildGroupBar();
}

void PrePluGroupShowWidget::prevGroupPage()
{
    m_groupPage = m_groupPage <= 1 ? groupPageCount() : m_groupPage - 1;
    rebuildGroupBar();
}

QList<PrePluGroupShowWidget::Entry> PrePluGroupShowWidget::visibleProducts() const
{
    QList<Entry> list;
    for (const Entry& entry : m_products.value(m_currentGroup)) {
        if (m_editMode || !entry.hidden)
            list.append(entry);
    }
    return list;
}

QList<PrePluGroupShowWidget::Entry> PrePluGroupShowWidget::visibleGroups() const
{
    QList<Entry> list;
    for (const Entry& entry : m_groups) {
        if (m_editMode || !entry.hidden)
            list.append(entry);
    }
    return list;
}

void PrePluGroupShowWidget::rebuildGroupBar()
{
    clearLayout(m_groupBar);
    const QList<Entry> groups = visibleGroups();
    const int first = (m_groupPage - 1) * m_groupColumns;
    for (int i = first; i < groups.size() && i < first + m_groupColumns; ++i) {
        const Entry& entry = groups.at(i);
        QPushButton* key = makeKey(this, QStringLiteral("preGroup_") + entry.code, entry.name);
        key->setProperty("kitRole", QStringLiteral("preGroup"));
        key->setProperty("showType", entry.code == m_currentGroup ? QStringLiteral("choose")
                                     : entry.hidden               ? QStringLiteral("hidden")
                                                                  : QStringLiteral("normal"));
        const QString code = entry.code;
        connect(key, &QPushButton::clicked, this, [this, code] { onGroupKey(code); });
        m_groupBar->addWidget(key);
        key->show(); // keys made while the panel is visible start hidden
    }
    const bool paged = groupPageCount() > 1;
    m_prevGroupPage->setVisible(paged);
    m_nextGroupPage->setVisible(paged);
}

void PrePluGroupShowWidget::rebuildGrid()
{
    clearLayout(m_grid);
    const QList<Entry> products = visibleProducts();
    const int perPage = m_columns * m_rows;
    const int first = (m_page - 1) * perPage;
    for (int cell = 0; cell < perPage; ++cell) {
        const int index = first + cell;
        QPushButton* key = nullptr;
        if (index < products.size()) {
            const Entry& entry = products.at(index);
            key = makeKey(m_gridHost, QStringLiteral("prePlu_") + entry.code, entry.name);
            key->setProperty("kitRole", QStringLiteral("prePlu"));
            const bool selected = entry.code == m_selected;
            key->setProperty("showType", selected && entry.hidden ? QStringLiteral("hiddenchoose")
                                         : selected               ? QStringLiteral("choose")
                                         : entry.hidden           ? QStringLiteral("hidden")
                                                                  : QStringLiteral("normal"));
            const QString code = entry.code;
            connect(key, &QPushButton::clicked, this, [this, code] { onProductKey(code); });
        } else {
            key = makeKey(m_gridHost, QStringLiteral("prePluEmpty"), QString());
            key->setEnabled(false);
            key->setProperty("showType", QStringLiteral("init"));
        }
        m_grid->addWidget(key, cell / m_columns, cell % m_columns);
        key->show(); // keys made while the panel is visible start hidden
    }
    const bool paged = pageCount() > 1;
    m_prevPage->setVisible(paged);
    m_nextPage->setVisible(paged);
}

void PrePluGroupShowWidget::onGroupKey(const QString& code)
{
    setCurrentGroup(code);
}

void PrePluGroupShowWidget::onProductKey(const QString& code)
{
    if (!m_editMode) {
        emit SignPluClicked(code);
        return;
    }
    m_selected = code;
    rebuildGrid();
}

void PrePluGroupShowWidget::selectNextProduct(int steps)
{
    if (!m_editMode)
        return;
    const QList<Entry> products = visibleProducts();
    const int index = indexOfCode(products, m_selected);
    const int next = index < 0 ? 0 : index + steps;
    if (next < 0 || next >= products.size())
        return;
    m_selected = products.at(next).code;
    pageToSelected();
    rebuildGrid();
}

void PrePluGroupShowWidget::selectNextGroup(int steps)
{
    const QList<Entry> groups = visibleGroups();
    const int next = indexOfCode(groups, m_currentGroup) + steps;
    if (next < 0 || next >= groups.size())
        return;
    m_groupPage = next / qMax(1, m_groupColumns) + 1;
    setCurrentGroup(groups.at(next).code);
}

void PrePluGroupShowWidget::keepVisibleGroup()
{
    const QList<Entry> visible = visibleGroups();
    if (indexOfCode(visible, m_currentGroup) >= 0)
        return;
    m_currentGroup = visible.isEmpty() ? QString() : visible.first().code;
    m_selected.clear();
    m_page = 1;
}

bool PrePluGroupShowWidget::moveSelected(int delta)
{
    auto it = m_products.find(m_currentGroup);
    if (it == m_products.end() || m_selected.isEmpty())
        return false;
    QList<Entry>& list = it.value();
    const int from = indexOfCode(list, m_selected);
    if (from < 0)
        return false;
    const int to = qBound(0, from + delta, list.size() - 1);
    if (to == from)
        return false;
    list.move(from, to);
    pageToSelected();
    rebuildGrid();
    emit SignArrangementChanged();
    return true;
}

void PrePluGroupShowWidget::pageToSelected()
{
    const int index = indexOfCode(visibleProducts(), m_selected);
    if (index >= 0)
        m_page = index / (m_columns * m_rows) + 1;
}

void PrePluGroupShowWidget::SlotMoveLeft()
{
    moveSelected(-1);
}

void PrePluGroupShowWidget::SlotMoveRight()
{
    moveSelected(1);
}

void PrePluGroupShowWidget::SlotMoveUp()
{
    moveSelected(-m_columns);
}

void PrePluGroupShowWidget::SlotMoveDown()
{
    moveSelected(m_columns);
}

void PrePluGroupShowWidget::SlotMoveTop()
{
    const int from = indexOfCode(m_products.value(m_currentGroup), m_selected);
    if (from > 0)
        moveSelected(-from);
}

void PrePluGroupShowWidget::SlotHidePlu()
{
    auto it = m_products.find(m_currentGroup);
    if (it == m_products.end())
        return;
    const int index = indexOfCode(it.value(), m_selected);
    if (index < 0)
        return;
    Entry& entry = it.value()[index];
    entry.hidden = !entry.hidden;
    if (entry.hidden && !m_editMode)
        m_selected.clear();
    m_page = qBound(1, m_page, pageCount());
    rebuildGrid();
    emit SignArrangementChanged();
}

void PrePluGroupShowWidget::SlotHideSort()
{
    const int index = indexOfCode(m_groups, m_currentGroup);
    if (index < 0)
        return;
    m_groups[index].hidden = !m_groups.at(index).hidden;
    if (!m_editMode)
        keepVisibleGroup();
    m_groupPage = qBound(1, m_groupPage, groupPageCount());
    rebuildGroupBar();
    rebuildGrid();
    emit SignArrangementChanged();
}
