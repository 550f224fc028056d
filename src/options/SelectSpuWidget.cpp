#include "options/SelectSpuWidget.h"
#include "ui_SelectSpuWidget.h"

#include "contracts/AccessibleNames.h"
#include "contracts/KxPosConfig.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/KxWidget.h"
#include "contracts/MessageWidget.h"
#include "contracts/UIComponentGapFiller.h"
#include "contracts/UiTool.h"

#include <QFile>
#include <QGridLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QMap>
#include <QPushButton>
#include <QSignalMapper>

#include <algorithm>

namespace {
constexpr int TitleMessage = 7400;
constexpr int AddTitleMessage = 7401;
constexpr int CloseMessage = 7402;
constexpr int MoreMessage = 7403;
constexpr int OkMessage = 1259;
constexpr int SpecTitleMessage = 2354;
constexpr int TasteTitleMessage = 2355;
constexpr int ChooseMessage = 2356;
constexpr int RequiredMessage = 2357;
constexpr int NoticeTitle = 1969;
constexpr int KeysMessage = 7404;
constexpr int OkKeyMessage = 7405;

// Keys have a fixed size; a grid gets one row per 100 pixels of its container.
constexpr int KeyWidth = 160;
constexpr int KeyHeight = 100;
constexpr int RowPitch = 100;
constexpr int KeySpacingH = 10;
constexpr int KeySpacingV = 20;
const char* const PageKeyIcon = ":/Images/posfast/更多.png";
constexpr int PageKeyIconSize = 48;

// Room around the grids: four keys and their spacing plus the content margins.
constexpr int DialogWidth = 4 * KeyWidth + 3 * KeySpacingH + 2 * 20 + 10;

const char* const OnStyle[3] = {"spec_on", "taste_on", "add_on"};
// Names of a grid's keys: an item key by its caption, a key with nothing on
// it as an unused key, the page key (an icon) as "more".
constexpr TransMsgId UnusedKeyName = 7700;

void nameGridKeys(const QList<QPushButton*>& keys, QPushButton* pageKey)
{
    for (QPushButton* key : keys)
        AccessibleNames::NameByCaption(key, UnusedKeyName);
    if (pageKey)
        AccessibleNames::Set(pageKey, MoreMessage);
}
} // namespace

SelectSpuWidget::SelectSpuWidget(int screenType, QWidget* parent)
    : KxDialog(parent)
    , m_screenType(screenType)
    , ui(new Ui::SelectSpuWidget)
    , messageWidget(new MessageWidget(screenType, this))
{
    ui->setupUi(this);
    // Frameless tool window (0xC0B) over the sales screen.
    setWindowFlags(Qt::Tool | Qt::X11BypassWindowManagerHint | Qt::FramelessWindowHint);
    setWindowModality(Qt::ApplicationModal);
    setWindowOpacity(1.0);
    setAttribute(Qt::WA_TranslucentBackground);
    installEventFilter(this);
    ui->btnOk->installEventFilter(this);
    ui->btnClose->installEventFilter(this);
    m_columns = 4;

    const QSize barButton = KxPosConfig::GetAutoSize(220, 64, 190, 52);
    ui->btnOk->setFixedSize(barButton);
    ui->btnClose->setFixedSize(barButton);
    // Nine tenths of the screen's height; small screens give nearly all of
    // it, so that three areas of one row each still fit.
    setFixedSize(DialogWidth, qMax(KxWidget::calcHeight(970, 1080), qMin(KxPosConfig::iAppHeight - 10, 590)));
    Retranslate();
}

SelectSpuWidget::~SelectSpuWidget()
{
    delete ui;
}

// --- Layout ---------------------------------------------------------------------

int SelectSpuWidget::ShowPluSpuInfo(KxPosPluSpu spu)
{
    if (isExecuting())
        return 0; // already choosing for another product
    // Centre over the host's window, else over the application area.
    const QRect host = parentWidget() ? parentWidget()->window()->geometry()
                                      : QRect(0, 0, KxPosConfig::iAppWidth, KxPosConfig::iAppHeight);
    move(host.center() - rect().center());
    show();
    activateWindow();
    selectedSpecCode.clear();
    selectedTastes.clear();

    for (int g = GridSpec; g <= GridAdd; ++g)
        clearGrid(g);
    specs = spu.specs;
    tastes = spu.tastes;
    foods = spu.foods;
    ui->widgetSpec->setVisible(!specs.isEmpty());
    ui->widgetTaste->setVisible(!tastes.isEmpty());
    ui->widgetAdd->setVisible(!foods.isEmpty());
    ui->lblSpecTitle->setText(KxPosTranslator::GetTranslation(SpecTitleMessage));
    ui->lblTasteTitle->setText(KxPosTranslator::GetTranslation(TasteTitleMessage));

    const int weight[3] = {specs.isEmpty() ? 0 : 1, tastes.isEmpty() ? 0 : 1, foods.isEmpty() ? 0 : 2};
    const int total = weight[0] + weight[1] + weight[2];
    if (total == 0) {
        // Nothing to choose: the product is sold as it is.
        setResult(0);
        hide();
        return 0;
    }

    // H: the content height left for the areas once the title, the button bar,
    // the margins and the spacing between the visible parts are taken off.
    QLayout* content = ui->widgetContent->layout();
    const QMargins margins = content->contentsMargins();
    const int visibleParts = 2 + (weight[0] ? 1 : 0) + (weight[1] ? 1 : 0) + (weight[2] ? 1 : 0);
    const int h = ui->widgetContent->height() - margins.top() - margins.bottom()
                - ui->widgetTitle->sizeHint().height() - ui->widgetButtons->sizeHint().height()
                - content->spacing() * (visibleParts - 1);
    // Shares by weight, but every visible area keeps room for its title and
    // one row of keys.
    const int oneRow = ui->lblSpecTitle->sizeHint().height() + ui->widgetSpec->layout()->spacing() + KeyHeight;
    const int specHeight = weight[0] ? qMax(h * weight[0] / total, oneRow) : 0;
    const int tasteHeight = weight[1] ? qMax(h * weight[1] / total, oneRow) : 0;
    ui->widgetSpec->setMinimumHeight(specHeight);
    ui->widgetTaste->setMinimumHeight(tasteHeight);
    ui->widgetAdd->setMinimumHeight(weight[2] ? qMax(h - specHeight - tasteHeight, oneRow) : 0);
    layout()->activate();
    content->activate();
    for (int g = GridSpec; g <= GridAdd; ++g) {
        if (area(g)->layout())
            area(g)->layout()->activate();
    }

    InitGrid();
    focusFirstKey(-1);
    return exec();
}

void SelectSpuWidget::InitGrid()
{
    for (int g = GridSpec; g <= GridAdd; ++g) {
        clearGrid(g);
        if (itemCount(g) > 0)
            buildGrid(g);
    }
}

void SelectSpuWidget::clearGrid(int g)
{
    qDeleteAll(m_buttons[g]);
    m_buttons[g].clear();
    m_pageKey[g] = nullptr;
    delete m_grid[g];
    m_grid[g] = nullptr;
    delete m_mapper[g];
    m_mapper[g] = nullptr;
    m_rows[g] = 0;
    m_page[g] = 0;
    m_pageCount[g] = 0;
    m_perPage[g] = 0;
    m_pressedSlot[g] = -1;
}

void SelectSpuWidget::buildGrid(int g)
{
    QWidget* host = container(g);
    m_rows[g] = qMax(1, host->height() / RowPitch);
    m_grid[g] = new QGridLayout(host);
    m_grid[g]->setContentsMargins(0, 0, 0, 0);
    m_grid[g]->setHorizontalSpacing(KeySpacingH);
    // Rows are counted at 100 pixels each; the 20-pixel row gap shrinks
    // where the container cannot hold it, so that no key is cut off.
    const int spare = host->height() - m_rows[g] * KeyHeight;
    m_grid[g]->setVerticalSpacing(m_rows[g] > 1 ? qBound(0, spare / (m_rows[g] - 1), KeySpacingV) : KeySpacingV);
    m_grid[g]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    const int keyCount = m_rows[g] * m_columns;
    for (int k = 0; k < keyCount; ++k) {
        auto* button = new QPushButton(host);
        button->setObjectName(QStringLiteral("PushButton"));
        button->setFixedSize(KeyWidth, KeyHeight);
        // Reached by the arrow keys and by a tap: the cursor frame is on the
        // key last used, whether by hand or by key, never on two keys.
        button->setFocusPolicy(Qt::StrongFocus);
        button->setAutoDefault(false);
        button->installEventFilter(this);
        button->setProperty("fontsize", QStringLiteral("24"));
        m_grid[g]->addWidget(button, k / m_columns, k % m_columns);
        // Shown now rather than on the next turn of the event loop, so that
        // the keyboard cursor can be put on it straight away.
        button->show();
        m_buttons[g].append(button);
    }

    const int n = itemCount(g);
    int reserved = 0;
    if (n > keyCount) {
        // More items than keys: the last key turns the page.
        QPushButton* key = m_buttons[g].last();
        m_pageKey[g] = key;
        key->setIcon(QIcon(QString::fromUtf8(PageKeyIcon)));
        key->setIconSize(QSize(PageKeyIconSize, PageKeyIconSize));
        if (!QFile::exists(QString::fromUtf8(PageKeyIcon)))
            key->setText(KxPosTranslator::GetTranslation(MoreMessage));
        UiTool::UpdateWidgetStyle(key, "showType", QStringLiteral("all_off"));
        connect(key, &QPushButton::clicked, this, [this, g] { nextPage(g); });
        reserved = 1;
    }
    m_perPage[g] = keyCount - reserved;
    for (int k = 0; k < m_perPage[g]; ++k) {
        QPushButton* button = m_buttons[g].at(k);
        connect(button, &QPushButton::clicked, this, [this, g, k, button] {
            // Remember which key it was: two items may bear the same name.
            m_pressedSlot[g] = k;
            if (m_mapper[g])
                m_mapper[g]->map(button);
            m_pressedSlot[g] = -1;
        });
    }
    m_pageCount[g] = GetPageCount(n, m_rows[g], m_columns, reserved);
    m_page[g] = 0;
    nextPage(g);
}

int SelectSpuWidget::GetPageCount(int n, int rows, int cols, int reserved)
{
    if (n < 0)
        return 1;
    const int perPage = qMax(1, rows * cols - reserved);
    return (n + perPage - 1) / perPage;
}

// --- Paging -----------------------------------------------------------------------

void SelectSpuWidget::NextPageSpec()
{
    nextPage(GridSpec);
}

void SelectSpuWidget::NextPageTaste()
{
    nextPage(GridTaste);
}

void SelectSpuWidget::NextPageAdd()
{
    nextPage(GridAdd);
}

void SelectSpuWidget::nextPage(int g)
{
    if (m_buttons[g].isEmpty())
        return; // the grid is not built
    m_page[g] = m_page[g] >= m_pageCount[g] ? 1 : m_page[g] + 1;

    if (m_mapper[g])
        m_mapper[g]->deleteLater();
    m_mapper[g] = new QSignalMapper(this);
    switch (g) {
    case GridSpec:
        connect(m_mapper[g], &QSignalMapper::mappedString, this, &SelectSpuWidget::SlotBtnClickSpec);
        break;
    case GridTaste:
        connect(m_mapper[g], &QSignalMapper::mappedString, this, &SelectSpuWidget::SlotBtnClickTaste);
        break;
    default:
        connect(m_mapper[g], &QSignalMapper::mappedString, this, &SelectSpuWidget::SlotBtnClickAdd);
        break;
    }

    const int first = (m_page[g] - 1) * m_perPage[g];
    for (int k = 0; k < m_perPage[g]; ++k) {
        QPushButton* button = m_buttons[g].at(k);
        const int index = first + k;
        if (index < itemCount(g)) {
            button->setEnabled(true);
            button->setText(itemText(g, index));
            m_mapper[g]->setMapping(button, itemName(g, index));
            UiTool::UpdateWidgetStyleDeferred(button, "showType",
                                              QString::fromLatin1(itemSelected(g, index) ? OnStyle[g] : "all_off"));
        } else {
            button->setText(QString());
            button->setEnabled(false);
            UiTool::UpdateWidgetStyleDeferred(button, "showType", QStringLiteral("empty"));
        }
    }
    UiTool::FlushDeferredStyleUpdates();
    nameGridKeys(m_buttons[g], m_pageKey[g]);
    // A disabled key cannot keep the focus: the cursor goes to the page's first key.
    if (auto* focused = qobject_cast<QPushButton*>(focusWidget());
        focused && !focused->isEnabled() && m_buttons[g].contains(focused))
        focusFirstKey(g);
}

void SelectSpuWidget::refreshPage(int g)
{
    const int first = (m_page[g] - 1) * m_perPage[g];
    for (int k = 0; k < m_perPage[g]; ++k) {
        const int index = first + k;
        if (index < itemCount(g))
            UiTool::UpdateWidgetStyleDeferred(m_buttons[g].at(k), "showType",
                                              QString::fromLatin1(itemSelected(g, index) ? OnStyle[g] : "all_off"));
    }
    UiTool::FlushDeferredStyleUpdates();
}

// --- Items ------------------------------------------------------------------------

int SelectSpuWidget::itemCount(int g) const
{
    switch (g) {
    case GridSpec: return specs.size();
    case GridTaste: return tastes.size();
    case GridAdd: return foods.size();
    default: return 0;
    }
}

QString SelectSpuWidget::itemName(int g, int i) const
{
    switch (g) {
    case GridSpec: return specs.at(i).specName;
    case GridTaste: return tastes.at(i).tasteName;
    default: return foods.at(i).foodName;
    }
}

QString SelectSpuWidget::itemText(int g, int i) const
{
    if (g != GridAdd)
        return itemName(g, i);
    return foods.at(i).foodName + QStringLiteral("\n+") + QString::number(foods.at(i).foodPrice.toDouble(), 'f', 2);
}

bool SelectSpuWidget::itemSelected(int g, int i) const
{
    switch (g) {
    case GridSpec: return specs.at(i).isSelected;
    case GridTaste: return tastes.at(i).isSelected;
    default: return foods.at(i).isSelected;
    }
}

int SelectSpuWidget::resolveItem(int g, const QString& name)
{
    if (m_perPage[g] <= 0 || m_page[g] <= 0)
        return -1;
    const int first = (m_page[g] - 1) * m_perPage[g];
    // The key that was pressed names its item exactly.
    const int slot = m_pressedSlot[g];
    if (slot >= 0 && first + slot < itemCount(g) && itemName(g, first + slot) == name)
        return first + slot;
    // Called by name alone: the first item of that name on the page, else anywhere.
    const int last = qMin(itemCount(g), first + m_perPage[g]);
    for (int i = first; i < last; ++i) {
        if (itemName(g, i) == name)
            return i;
    }
    for (int i = 0; i < itemCount(g); ++i) {
        if (itemName(g, i) == name)
            return i;
    }
    return -1;
}

// --- Choice -----------------------------------------------------------------------

void SelectSpuWidget::SlotBtnClickSpec(QString name)
{
    const int index = resolveItem(GridSpec, name);
    if (index < 0)
        return;
    for (int i = 0; i < specs.size(); ++i)
        specs[i].isSelected = i == index;
    refreshPage(GridSpec);
}

void SelectSpuWidget::SlotBtnClickTaste(QString name)
{
    const int index = resolveItem(GridTaste, name);
    if (index < 0)
        return;
    KxPosPluTaste& pressed = tastes[index];
    if (pressed.isMultiple) {
        pressed.isSelected = !pressed.isSelected;
    } else {
        const QString group = pressed.groupId;
        for (KxPosPluTaste& taste : tastes) {
            if (taste.groupId == group)
                taste.isSelected = false;
        }
        pressed.isSelected = true;
    }
    refreshPage(GridTaste);
}

void SelectSpuWidget::SlotBtnClickAdd(QString name)
{
    // The key text carries the surcharge on its second line.
    const int index = resolveItem(GridAdd, name.section(QLatin1Char('\n'), 0, 0));
    if (index < 0)
        return;
    foods[index].isSelected = !foods[index].isSelected;
    refreshPage(GridAdd);
}

void SelectSpuWidget::on_btnOk_clicked()
{
    selectedSpecCode.clear();
    for (const KxPosPluSpec& spec : qAsConst(specs)) {
        if (spec.isSelected) {
            selectedSpecCode = spec.specCode;
            break;
        }
    }
    if (!tastes.isEmpty()) {
        selectedTastes.clear();
        for (const KxPosPluTaste& taste : qAsConst(tastes)) {
            if (taste.isSelected)
                selectedTastes += QLatin1Char(' ') + taste.tasteName;
        }
    }

    // Required groups, checked in ascending order of their names.
    struct Group {
        QString id;
        QString name;
        bool required = false;
        bool chosen = false;
    };
    QList<Group> groups;
    for (const KxPosPluTaste& taste : qAsConst(tastes)) {
        auto it = std::find_if(groups.begin(), groups.end(), [&](const Group& g) { return g.id == taste.groupId; });
        if (it == groups.end()) {
            groups.append(Group{taste.groupId, taste.groupName, false, false});
            it = groups.end() - 1;
        }
        it->required = it->required || taste.isRequired;
        it->chosen = it->chosen || taste.isSelected;
    }
    std::stable_sort(groups.begin(), groups.end(),
                     [](const Group& a, const Group& b) { return a.name < b.name; });
    for (const Group& group : qAsConst(groups)) {
        if (group.required && !group.chosen) {
            messageWidget->showMessage(KxPosTranslator::GetTranslation(ChooseMessage) + group.name
                                           + KxPosTranslator::GetTranslation(RequiredMessage),
                                       KxPosTranslator::GetTranslation(NoticeTitle), 3, false);
            return;
        }
    }
    done(1);
}

void SelectSpuWidget::on_btnClose_clicked()
{
    done(0);
}

// --- Keys -------------------------------------------------------------------------

bool SelectSpuWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress
        && (watched == this || watched == ui->btnOk || watched == ui->btnClose || gridOf(watched) >= 0)) {
        keyPressEvent(static_cast<QKeyEvent*>(event));
        return true;
    }
    return KxDialog::eventFilter(watched, event);
}

void SelectSpuWidget::keyPressEvent(QKeyEvent* event)
{
    // Enter confirms, Page Up and Escape go back without taking anything,
    // the arrows and Tab move over the keys, Space presses the current key.
    // Other keys are ignored so that a stray key cannot drop the choice.
    event->accept();
    auto* current = qobject_cast<QPushButton*>(focusWidget());
    const int g = gridOf(current);
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        on_btnOk_clicked();
        break;
    case Qt::Key_Escape:
    case Qt::Key_PageUp:
        on_btnClose_clicked();
        break;
    case Qt::Key_Space:
        if (g >= 0 && current->isEnabled())
            current->click();
        break;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down: {
        if (g < 0) {
            focusFirstKey(-1);
            break;
        }
        const int slot = m_buttons[g].indexOf(current);
        if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)
            moveCursorVertically(g, slot, event->key() == Qt::Key_Up ? -1 : 1);
        else
            moveCursor(g, slot, event->key() == Qt::Key_Left ? -1 : 1);
        break;
    }
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        focusFirstKey(nextGrid(g, event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier) ? 1 : -1));
        break;
    default:
        break;
    }
}

int SelectSpuWidget::gridOf(const QObject* key) const
{
    for (int g = GridSpec; g <= GridAdd; ++g) {
        if (key && m_buttons[g].contains(static_cast<QPushButton*>(const_cast<QObject*>(key))))
            return g;
    }
    return -1;
}

int SelectSpuWidget::nextGrid(int from, int direction) const
{
    for (int i = 1; i <= 3; ++i) {
        const int g = ((from < 0 ? (direction > 0 ? -1 : 0) : from) + direction * i + 3) % 3;
        if (!m_buttons[g].isEmpty())
            return g;
    }
    return -1;
}

void SelectSpuWidget::focusFirstKey(int g)
{
    if (g < 0 || m_buttons[g].isEmpty())
        g = nextGrid(-1, 1);
    if (g < 0)
        return;
    for (QPushButton* key : qAsConst(m_buttons[g])) {
        if (key->isEnabled()) {
            key->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void SelectSpuWidget::moveCursor(int g, int slot, int step)
{
    // Along the keys in reading order: past a row's end onto the next row's
    // start and back; the first and last keys of a grid stop the cursor.
    const QList<QPushButton*>& keys = m_buttons[g];
    int target = qBound(0, slot + step, keys.size() - 1);
    // Skip the empty keys of a last page.
    while (target >= 0 && target < keys.size() && !keys.at(target)->isEnabled())
        target += step > 0 ? 1 : -1;
    if (target >= 0 && target < keys.size())
        keys.at(target)->setFocus(Qt::TabFocusReason);
}

void SelectSpuWidget::moveCursorVertically(int g, int slot, int direction)
{
    // The grids line up column by column (the same key width and count,
    // centred), so a column number means the same place in every grid. The
    // cursor goes to the nearest key of that column in the next row that has
    // keys: further down the grid, else in the neighbouring grid (the last
    // grid's bottom leads to the first grid's top and back, as Tab does).
    const int column = slot % m_columns;
    if (focusColumnFrom(g, slot / m_columns + direction, direction, column))
        return;
    const int other = nextGrid(g, direction);
    if (other >= 0 && other != g) // a single grid: its edge stops the cursor
        focusColumnFrom(other, direction > 0 ? 0 : m_rows[other] - 1, direction, column);
}

bool SelectSpuWidget::focusColumnFrom(int g, int row, int direction, int column)
{
    for (; row >= 0 && row < m_rows[g]; row += direction) {
        const int target = nearestKeyInRow(g, row, column);
        if (target >= 0) {
            m_buttons[g].at(target)->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return false;
}

int SelectSpuWidget::nearestKeyInRow(int g, int row, int column) const
{
    // A shorter row (the last page's items, the page key alone at the end)
    // gives its key closest to the column; on a tie the left one.
    int best = -1;
    for (int c = 0; c < m_columns; ++c) {
        const int slot = row * m_columns + c;
        if (slot < m_buttons[g].size() && m_buttons[g].at(slot)->isEnabled()
            && (best < 0 || qAbs(c - column) < qAbs(best - row * m_columns - column)))
            best = slot;
    }
    return best;
}

// --- Accessors --------------------------------------------------------------------

QWidget* SelectSpuWidget::area(int g) const
{
    switch (g) {
    case GridSpec: return ui->widgetSpec;
    case GridTaste: return ui->widgetTaste;
    default: return ui->widgetAdd;
    }
}

QWidget* SelectSpuWidget::container(int g) const
{
    switch (g) {
    case GridSpec: return ui->widgetSpecGrid;
    case GridTaste: return ui->widgetTasteGrid;
    default: return ui->widgetAddGrid;
    }
}

int SelectSpuWidget::RowCount(int grid) const
{
    return grid >= GridSpec && grid <= GridAdd ? m_rows[grid] : 0;
}

int SelectSpuWidget::CurrentPage(int grid) const
{
    return grid >= GridSpec && grid <= GridAdd ? m_page[grid] : 0;
}

QList<QPushButton*> SelectSpuWidget::GridButtons(int grid) const
{
    return grid >= GridSpec && grid <= GridAdd ? m_buttons[grid] : QList<QPushButton*>();
}

QPushButton* SelectSpuWidget::PageKey(int grid) const
{
    return grid >= GridSpec && grid <= GridAdd ? m_pageKey[grid] : nullptr;
}

QWidget* SelectSpuWidget::getUiQWidget(int id)
{
    switch (id) {
    case 0: return ui->widgetContent;
    case 1: return ui->widgetSpec;
    case 2: return ui->widgetTaste;
    case 3: return ui->widgetAdd;
    case 4: return ui->widgetSpecGrid;
    case 5: return ui->widgetTasteGrid;
    case 6: return ui->widgetAddGrid;
    case 7: return ui->widgetButtons;
    case 8: return ui->widgetTitle;
    default: return UIComponentGapFiller::getQWidget();
    }
}

QPushButton* SelectSpuWidget::getUiQPushButton(int id)
{
    switch (id) {
    case 0: return ui->btnOk;
    case 1: return ui->btnClose;
    default: return UIComponentGapFiller::getQPushButton();
    }
}

QLabel* SelectSpuWidget::getUiQLable(int id)
{
    switch (id) {
    case 0: return ui->lblTitle;
    case 1: return ui->lblSpecTitle;
    case 2: return ui->lblTasteTitle;
    case 3: return ui->lblAddTitle;
    default: return UIComponentGapFiller::getQLabel();
    }
}

void SelectSpuWidget::Retranslate()
{
    ui->retranslateUi(this);
    ui->lblTitle->setText(KxPosTranslator::GetTranslation(TitleMessage));
    ui->lblSpecTitle->setText(KxPosTranslator::GetTranslation(SpecTitleMessage));
    ui->lblTasteTitle->setText(KxPosTranslator::GetTranslation(TasteTitleMessage));
    ui->lblAddTitle->setText(KxPosTranslator::GetTranslation(AddTitleMessage));
    ui->btnOk->setText(KxPosTranslator::GetTranslation(OkKeyMessage).arg(KxPosTranslator::GetTranslation(OkMessage)));
    ui->lblKeys->setText(KxPosTranslator::GetTranslation(KeysMessage));
    ui->btnClose->setText(KxPosTranslator::GetTranslation(CloseMessage));
    UpdateTranslation();
}

void SelectSpuWidget::UpdateTranslation()
{
    setWindowTitle(ui->lblTitle->text());
    for (int g = GridSpec; g <= GridAdd; ++g) {
        if (m_pageKey[g] && !QFile::exists(QString::fromUtf8(PageKeyIcon)))
            m_pageKey[g]->setText(KxPosTranslator::GetTranslation(MoreMessage));
    }
    AccessibleNames::NameButtonsByCaption(this);
    for (int g = GridSpec; g <= GridAdd; ++g)
        nameGridKeys(m_buttons[g], m_pageKey[g]);
}
