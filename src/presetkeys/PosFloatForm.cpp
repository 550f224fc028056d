#include "presetkeys/PosFloatForm.h"
#include "ui_PosFloatForm.h"

#include "contracts/AccessibleNames.h"
#include "contracts/KxPosConfig.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/UIComponentGapFiller.h"
#include "contracts/QtCompat_p.h"

#include <QApplication>
#include <QGraphicsDropShadowEffect>
#include <QMap>
#include <QMouseEvent>

namespace {
constexpr TransMsgId BackToCheckoutName = 7760;

// Pointer position in global coordinates, rounded to whole pixels.
QPoint globalPoint(const QMouseEvent* event)
{
    return KxPosQt::globalPosition(event);
}
} // namespace

PosFloatForm::PosFloatForm(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::PosFloatForm)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::NoFocus);
    // Frameless tool window that stays on top (0x4080B).
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    move(0, 0);

    auto* shadow = new QGraphicsDropShadowEffect(this);
    shadow->setBlurRadius(10);
    shadow->setColor(QColor(0, 0, 0, 160));
    shadow->setOffset(3, 3);
    ui->BtnFloatChg->setGraphicsEffect(shadow);
    ui->BtnFloatChg->installEventFilter(this);
    InitUI();
    Retranslate();
    connect(KxPosTranslator::Instance(), &KxPosTranslator::LanguageChanged, this, [this] { Retranslate(); });
}

PosFloatForm::~PosFloatForm()
{
    delete ui;
}

int PosFloatForm::calcWidth(int a, int b)
{
    return b == 0 ? a : a * KxPosConfig::iAppWidth / b;
}

int PosFloatForm::calcHeight(int a, int b)
{
    return b == 0 ? a : a * KxPosConfig::iAppHeight / b;
}

void PosFloatForm::InitUI()
{
    const int w = KxPosConfig::iAppWidth;
    const int h = KxPosConfig::iAppHeight;
    const int ratio = h > 0 ? w * 1000 / h : 0;
    QMap<QString, int> sizeVariables;
    // Near-square screens (4:3, 5:4) use the 1024 x 768 design, the others
    // the 1920 x 1080 one.
    if (ratio > 1233 && ratio <= 1432) {
        sizeVariables[QStringLiteral("$btnHeight")] = calcHeight(40, 768);
        sizeVariables[QStringLiteral("$btnWidth")] = calcWidth(180, 1024);
        sizeVariables[QStringLiteral("$backHeight")] = calcHeight(50, 768);
        sizeVariables[QStringLiteral("$backWidth")] = calcWidth(190, 1024);
    } else {
        sizeVariables[QStringLiteral("$btnHeight")] = calcHeight(80, 1080);
        sizeVariables[QStringLiteral("$btnWidth")] = calcWidth(360, 1920);
        sizeVariables[QStringLiteral("$backHeight")] = calcHeight(100, 1080);
        sizeVariables[QStringLiteral("$backWidth")] = calcWidth(380, 1920);
    }
    const QSize back(sizeVariables.value(QStringLiteral("$backWidth")),
                     sizeVariables.value(QStringLiteral("$backHeight")));
    const QSize button(sizeVariables.value(QStringLiteral("$btnWidth")),
                       sizeVariables.value(QStringLiteral("$btnHeight")));
    setFixedSize(back);
    ui->BtnFloatChg->setMaximumSize(button);
    ui->BtnFloatChg->setFixedSize(button);
    ui->BtnFloatChg->setIconSize(button);
}

void PosFloatForm::showWidget()
{
    show();
    clickArmed = true;
}

void PosFloatForm::SlotTradeNormaled()
{
    close();
}

void PosFloatForm::on_BtnFloatChg_clicked()
{
    if (!clickArmed) {
        // The release that ended a drag: swallowed, the next click counts.
        clickArmed = true;
        return;
    }
    emit SignTradeNormal();
}

// --- Dragging ----------------------------------------------------------------------------

QPoint PosFloatForm::CheckAndChange(QPoint position) const
{
    int x = qMin(position.x(), KxPosConfig::iAppWidth - width() / 2);
    x = qMax(x, 0);
    int y = qMin(position.y(), KxPosConfig::iAppHeight - height() / 2);
    y = qMax(y, 20 - height());
    return QPoint(x, y);
}

void PosFloatForm::dragPress(const QPoint& global)
{
    lastX = global.x();
    lastY = global.y();
}

void PosFloatForm::dragMove(const QPoint& global)
{
    const QPoint d(global.x() - lastX, global.y() - lastY);
    lastX = global.x();
    lastY = global.y();
    const QPoint target = CheckAndChange(pos() + d);
    move(target);
    clickArmed = false;
}

void PosFloatForm::dragRelease(const QPoint& global)
{
    const QPoint d(global.x() - lastX, global.y() - lastY);
    const QPoint target = CheckAndChange(pos() + d);
    move(target);
}

void PosFloatForm::mousePressEvent(QMouseEvent* event)
{
    dragPress(globalPoint(event));
    event->accept();
}

void PosFloatForm::mouseMoveEvent(QMouseEvent* event)
{
    dragMove(globalPoint(event));
    event->accept();
}

void PosFloatForm::mouseReleaseEvent(QMouseEvent* event)
{
    dragRelease(globalPoint(event));
    event->accept();
}

bool PosFloatForm::eventFilter(QObject* watched, QEvent* event)
{
    // The button is the biggest part of the form: dragging it moves the form
    // too. The button still sees every event, so the release that ends such
    // a drag reaches on_BtnFloatChg_clicked and is swallowed there.
    if (watched == ui->BtnFloatChg) {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton) {
                buttonPressed = true;
                buttonDragging = false;
                buttonPressPoint = globalPoint(mouse);
                dragPress(buttonPressPoint);
            }
            break;
        }
        case QEvent::MouseMove: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (!buttonPressed)
                break;
            const QPoint global = globalPoint(mouse);
            if (!buttonDragging
                && (global - buttonPressPoint).manhattanLength() >= QApplication::startDragDistance())
                buttonDragging = true;
            if (buttonDragging) {
                dragMove(global);
                // The button keeps its pressed state: it moves with the pointer.
                return true;
            }
            break;
        }
        case QEvent::MouseButtonRelease: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (buttonPressed && buttonDragging) {
                dragRelease(globalPoint(mouse));
                // Released off the button (the form stopped at an edge): no
                // click follows to swallow, so the next click must count.
                if (!ui->BtnFloatChg->rect().contains(KxPosQt::position(mouse)))
                    clickArmed = true;
            }
            buttonPressed = false;
            buttonDragging = false;
            break;
        }
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

QPushButton* PosFloatForm::getUiQPushButton(int id)
{
    return id == 0 ? ui->BtnFloatChg : UIComponentGapFiller::getQPushButton();
}

void PosFloatForm::Retranslate()
{
    // The button carries the logo only; nothing to translate but the form.
    ui->retranslateUi(this);
    UpdateTranslation();
}

void PosFloatForm::UpdateTranslation()
{
    // The button shows the logo only; its name and tooltip say where it leads.
    AccessibleNames::Set(ui->BtnFloatChg, BackToCheckoutName);
    ui->BtnFloatChg->setToolTip(KxPosTranslator::GetTranslation(BackToCheckoutName));
    setWindowTitle(ui->BtnFloatChg->toolTip());
}
