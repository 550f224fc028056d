#include "presetkeys/SortPluManagement.h"
#include "ui_SortPluManagement.h"

#include "contracts/AccessibleNames.h"
#include "contracts/KxPosConfig.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/PrePluGroupShowWidget.h"
#include "contracts/UIComponentGapFiller.h"

#include <QHash>
#include <QKeyEvent>
#include <QLayout>

namespace {
constexpr int TitleMessage = 7440;
constexpr int HintMessage = 7441;
constexpr int LeftMessage = 7442;
constexpr int RightMessage = 7443;
constexpr int UpMessage = 7444;
constexpr int DownMessage = 7445;
constexpr int TopMessage = 7446;
constexpr int HidePluMessage = 7447;
constexpr int HideSortMessage = 7448;
constexpr int SaveMessage = 7449;
constexpr int CloseMessage = 7450;

constexpr int ButtonCount = 9;

// One screen design: title bar, panel frame and the buttons in the order
// left, right, up, down, top, show/hide product, show/hide category, save,
// close (a column beside the panel).
struct Design {
    int width;
    int height;
    QRect title;
    QRect panel;
    QRect buttons[ButtonCount];
};

const Design designs[] = {
    {1920, 1080, QRect(0, 0, 1920, 80), QRect(20, 100, 1480, 960),
     {QRect(1540, 100, 360, 90), QRect(1540, 210, 360, 90), QRect(1540, 320, 360, 90), QRect(1540, 430, 360, 90),
      QRect(1540, 540, 360, 90), QRect(1540, 650, 360, 90), QRect(1540, 760, 360, 90), QRect(1540, 870, 360, 85),
      QRect(1540, 975, 360, 85)}},
    {1024, 768, QRect(0, 0, 1024, 56), QRect(10, 66, 800, 692),
     {QRect(824, 66, 190, 64), QRect(824, 140, 190, 64), QRect(824, 214, 190, 64), QRect(824, 288, 190, 64),
      QRect(824, 362, 190, 64), QRect(824, 436, 190, 64), QRect(824, 510, 190, 64), QRect(824, 604, 190, 70),
      QRect(824, 688, 190, 70)}},
    {800, 600, QRect(0, 0, 800, 44), QRect(8, 52, 624, 540),
     {QRect(642, 52, 150, 50), QRect(642, 110, 150, 50), QRect(642, 168, 150, 50), QRect(642, 226, 150, 50),
      QRect(642, 284, 150, 50), QRect(642, 342, 150, 50), QRect(642, 400, 150, 50), QRect(642, 474, 150, 56),
      QRect(642, 536, 150, 56)}},
};

QRect scaled(const QRect& r, double sx, double sy)
{
    const int left = qRound(r.x() * sx);
    const int top = qRound(r.y() * sy);
    const int right = qRound((r.x() + r.width()) * sx);
    const int bottom = qRound((r.y() + r.height()) * sy);
    return QRect(left, top, right - left, bottom - top);
}
} // namespace

SortPluManagement::SortPluManagement(int screenType, QWidget* parent)
    : KxDialog(parent)
    , m_screenType(screenType)
    , ui(new Ui::SortPluManagement)
{
    ui->setupUi(this);
    // Frameless tool window that stays on top (0x40C0B).
    setWindowFlags(Qt::Tool | Qt::X11BypassWindowManagerHint | Qt::FramelessWindowHint
                   | Qt::WindowStaysOnTopHint);
    setFocusPolicy(Qt::StrongFocus);
    setFocus();
    ui->lblHint->setProperty("fontsize", QStringLiteral("14"));
    setFixedSize(KxPosConfig::iAppWidth, KxPosConfig::iAppHeight);
    ApplyGeometry(KxPosConfig::iAppWidth, KxPosConfig::iAppHeight);
    Retranslate();
}

SortPluManagement::~SortPluManagement()
{
    // The panel belongs to the host: hand it back to no parent rather than
    // delete it with the dialog.
    if (m_panel) {
        m_panel->hide();
        m_panel->setParent(nullptr);
    }
    delete ui;
}

void SortPluManagement::ApplyGeometry(int width, int height)
{
    if (width <= 0 || height <= 0)
        return;
    // The design of the same width, else the nearest class scaled.
    const Design* design = &designs[2];
    if (width >= 1366)
        design = &designs[0];
    else if (width >= 1024)
        design = &designs[1];
    const double sx = double(width) / design->width;
    const double sy = double(height) / design->height;
    ui->widgetTitle->setGeometry(scaled(design->title, sx, sy));
    ui->widgetPrePlu->setGeometry(scaled(design->panel, sx, sy));
    for (int i = 0; i < ButtonCount; ++i)
        getUiQPushButton(i)->setGeometry(scaled(design->buttons[i], sx, sy));
}

void SortPluManagement::showWidget()
{
    show();
    raise();
    activateWindow();
    setFocus();
}

void SortPluManagement::showFastPluKey(PrePluGroupShowWidget* panel)
{
    if (!panel)
        return;
    m_panel = panel;
    // The arrangement as the dialog found it: going back without saving
    // puts it back.
    m_openedGroups = panel->Groups();
    m_openedProducts.clear();
    for (const PrePluGroupShowWidget::Entry& group : m_openedGroups)
        m_openedProducts.insert(group.code, panel->Products(group.code));
    m_openedGroup = panel->currentGroup();
    panel->setParent(ui->widgetPrePlu);
    ui->widgetPrePlu->layout()->addWidget(panel);
    panel->show();
    panel->showProd();
}

// --- Buttons --------------------------------------------------------------------------

void SortPluManagement::on_btnLeft_clicked()
{
    emit signalLeftBtn();
}

void SortPluManagement::on_btnRight_clicked()
{
    emit signalRightBtn();
}

void SortPluManagement::on_btnClose_clicked()
{
    restoreArrangement();
    leave(0);
}

void SortPluManagement::on_btnSaveData_clicked()
{
    leave(1);
}

void SortPluManagement::on_btnUp_clicked()
{
    emit signalUpBtn();
}

void SortPluManagement::on_btnDown_clicked()
{
    emit signalDownBtn();
}

void SortPluManagement::on_btnTop_clicked()
{
    emit signalTopData();
}

void SortPluManagement::on_btnHide_clicked()
{
    emit signalHideSort();
}

void SortPluManagement::on_btnHidePlu_clicked()
{
    emit signalHidePlu();
}

void SortPluManagement::leave(int result)
{
    // Closed first, so the host can put the panel back on a visible screen.
    done(result);
    emit signalPreShow();
}

namespace {
using Entry = PrePluGroupShowWidget::Entry;

// Same codes in the same order with the same hidden flags.
bool sameEntries(const QList<Entry>& a, const QList<Entry>& b)
{
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i) {
        if (a.at(i).code != b.at(i).code || a.at(i).hidden != b.at(i).hidden)
            return false;
    }
    return true;
}

// Gives one list of keys (the groups, or a group's products) the order and
// hidden flags it had when opened, when they differ from `now`: the order
// first through setOrder(code-name pairs), read back through readBack() as
// the hidden flags follow their codes, then the flags that still differ
// through setHidden(code, hidden). Names stay as the panel has them now (a
// language switch while the dialog was open renamed the keys).
template <typename SetOrder, typename ReadBack, typename SetHidden>
void restoreEntries(const QList<Entry>& opened, const QList<Entry>& now, SetOrder setOrder, ReadBack readBack,
                    SetHidden setHidden)
{
    if (sameEntries(now, opened))
        return;
    QHash<QString, QString> names;
    for (const Entry& e : now)
        names.insert(e.code, e.name);
    QList<QPair<QString, QString>> order;
    for (const Entry& e : opened)
        order << qMakePair(e.code, names.value(e.code, e.name));
    setOrder(order);
    const QList<Entry> reordered = readBack();
    for (int i = 0; i < opened.size() && i < reordered.size(); ++i) {
        if (reordered.at(i).hidden != opened.at(i).hidden)
            setHidden(opened.at(i).code, opened.at(i).hidden);
    }
}
} // namespace

void SortPluManagement::restoreArrangement()
{
    if (!m_panel)
        return;
    // Only what changed is set again: a store's panel may hold thousands of
    // keys, and each call rebuilds the shown page.
    PrePluGroupShowWidget* panel = m_panel;
    restoreEntries(
        m_openedGroups, panel->Groups(), [panel](const QList<QPair<QString, QString>>& order) { panel->SetGroups(order); },
        [panel] { return panel->Groups(); },
        [panel](const QString& group, bool hidden) { panel->SetHidden(group, QString(), hidden); });
    for (const Entry& group : m_openedGroups) {
        const QString code = group.code;
        restoreEntries(
            m_openedProducts.value(code), panel->Products(code),
            [panel, code](const QList<QPair<QString, QString>>& order) { panel->SetProducts(code, order); },
            [panel, code] { return panel->Products(code); },
            [panel, code](const QString& product, bool hidden) { panel->SetHidden(code, product, hidden); });
    }
    if (!m_openedGroup.isEmpty() && panel->currentGroup() != m_openedGroup)
        panel->setCurrentGroup(m_openedGroup);
}

// The keys shown on the buttons and in the hint: Tab and Shift+Tab choose
// the product, Page Up and Page Down the group, the arrows and Home move the
// chosen product, Delete and Insert show or hide it and its group, Enter
// saves and Escape goes back to the sale.
void SortPluManagement::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    switch (event->key()) {
    case Qt::Key_Tab:
        if (m_panel)
            m_panel->selectNextProduct(1);
        break;
    case Qt::Key_Backtab:
        if (m_panel)
            m_panel->selectNextProduct(-1);
        break;
    case Qt::Key_PageUp:
        if (m_panel)
            m_panel->selectNextGroup(-1);
        break;
    case Qt::Key_PageDown:
        if (m_panel)
            m_panel->selectNextGroup(1);
        break;
    case Qt::Key_Left: on_btnLeft_clicked(); break;
    case Qt::Key_Right: on_btnRight_clicked(); break;
    case Qt::Key_Up: on_btnUp_clicked(); break;
    case Qt::Key_Down: on_btnDown_clicked(); break;
    case Qt::Key_Home: on_btnTop_clicked(); break;
    case Qt::Key_Delete: on_btnHidePlu_clicked(); break;
    case Qt::Key_Insert: on_btnHide_clicked(); break;
    case Qt::Key_Return:
    case Qt::Key_Enter: on_btnSaveData_clicked(); break;
    // Escape goes back to the sale without taking the changes, and still
    // gives the panel back.
    case Qt::Key_Escape: on_btnClose_clicked(); break;
    default: KxDialog::keyPressEvent(event); break;
    }
}

// The dialog covers the whole screen, so the keys belong to it while it is
// shown, whichever window the system activates under it (a closing menu
// hands the activation back to the window it was opened from).
void SortPluManagement::showEvent(QShowEvent* event)
{
    KxDialog::showEvent(event);
    grabKeyboard();
}

void SortPluManagement::hideEvent(QHideEvent* event)
{
    releaseKeyboard();
    KxDialog::hideEvent(event);
}

// Tab and Shift+Tab choose products here instead of moving the focus.
bool SortPluManagement::focusNextPrevChild(bool)
{
    return false;
}

// --- Accessors --------------------------------------------------------------------------

QWidget* SortPluManagement::getUiQWidget(int id)
{
    switch (id) {
    case 0: return ui->widgetPrePlu;
    case 1: return ui->widgetTitle;
    default: return UIComponentGapFiller::getQWidget();
    }
}

QPushButton* SortPluManagement::getUiQPushButton(int id)
{
    switch (id) {
    case 0: return ui->btnLeft;
    case 1: return ui->btnRight;
    case 2: return ui->btnUp;
    case 3: return ui->btnDown;
    case 4: return ui->btnTop;
    case 5: return ui->btnHidePlu;
    case 6: return ui->btnHide;
    case 7: return ui->btnSaveData;
    case 8: return ui->btnClose;
    default: return UIComponentGapFiller::getQPushButton();
    }
}

QLabel* SortPluManagement::getUiQLable(int id)
{
    switch (id) {
    case 0: return ui->lblTitle;
    case 1: return ui->lblHint;
    default: return UIComponentGapFiller::getQLabel();
    }
}

void SortPluManagement::Retranslate()
{
    ui->retranslateUi(this);
    ui->lblTitle->setText(KxPosTranslator::GetTranslation(TitleMessage));
    ui->lblHint->setText(KxPosTranslator::GetTranslation(HintMessage));
    ui->btnLeft->setText(KxPosTranslator::GetTranslation(LeftMessage));
    ui->btnRight->setText(KxPosTranslator::GetTranslation(RightMessage));
    ui->btnUp->setText(KxPosTranslator::GetTranslation(UpMessage));
    ui->btnDown->setText(KxPosTranslator::GetTranslation(DownMessage));
    ui->btnTop->setText(KxPosTranslator::GetTranslation(TopMessage));
    ui->btnHidePlu->setText(KxPosTranslator::GetTranslation(HidePluMessage));
    ui->btnHide->setText(KxPosTranslator::GetTranslation(HideSortMessage));
    ui->btnSaveData->setText(KxPosTranslator::GetTranslation(SaveMessage));
    ui->btnClose->setText(KxPosTranslator::GetTranslation(CloseMessage));
    UpdateTranslation();
}

void SortPluManagement::UpdateTranslation()
{
    setWindowTitle(ui->lblTitle->text());
    // The preset keys it hosts name themselves.
    AccessibleNames::NameButtonsByCaption(this);
}
