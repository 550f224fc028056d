#include "options/SelectProType.h"
#include "ui_SelectProType.h"

#include "contracts/AccessibleNames.h"
#include "contracts/KxPosConfig.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/UIComponentGapFiller.h"

#include <QKeyEvent>

namespace {
constexpr int TitleMessage = 7410;
constexpr int OrdinaryMessage = 2352;
constexpr int GiftCouponMessage = 2353;
constexpr int CloseMessage = 7402;
} // namespace

SelectProType::SelectProType(int screenType, QWidget* parent)
    : KxDialog(parent)
    , m_screenType(screenType)
    , ui(new Ui::SelectProType)
{
    ui->setupUi(this);
    // Frameless dialog. The splash-screen window type would also hide the
    // frame, but a modal run of such a window never returns from exec().
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setFocusPolicy(Qt::StrongFocus);
    setFocus();
    ui->widgetContent->installEventFilter(this);
    ui->widgetChoice->installEventFilter(this);

    const int choiceHeight = KxPosConfig::GetAutoHeight(150, 100);
    ui->btncancel->setMinimumHeight(choiceHeight);
    ui->btnok->setMinimumHeight(choiceHeight);
    ui->btnClose->setMinimumSize(KxPosConfig::GetAutoSize(220, 56, 160, 44));

    if (m_screenType == 0) {
        // Shown as a strip across the sales screen, without its own title.
        ui->widgetTitle->hide();
        layout()->activate();
        setFixedSize(KxPosConfig::iAppWidth, qMax(ui->widgetContent->height() - 32, choiceHeight + 40));
    }
    Retranslate();
}

SelectProType::~SelectProType()
{
    delete ui;
}

int SelectProType::show()
{
    activateWindow();
    ui->widgetChoice->setFocus();
    return KxDialog::exec();
}

void SelectProType::on_btnok_clicked()
{
    emit SignSelectProType(1);
    done(1);
}

void SelectProType::on_btncancel_clicked()
{
    // The ordinary promotions are a choice too, not a cancel.
    emit SignSelectProType(0);
    done(1);
}

void SelectProType::on_btnClose_clicked()
{
    done(0);
}

bool SelectProType::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == ui->widgetContent || watched == ui->widgetChoice) && event->type() == QEvent::KeyPress) {
        handleKey(static_cast<QKeyEvent*>(event));
        return true;
    }
    return KxDialog::eventFilter(watched, event);
}

void SelectProType::keyPressEvent(QKeyEvent* event)
{
    // The dialog itself holds the focus when none of its panels has it.
    handleKey(event);
}

void SelectProType::handleKey(QKeyEvent* event)
{
    event->accept();
    switch (event->key()) {
    case Qt::Key_1:
        on_btnok_clicked();
        break;
    case Qt::Key_0:
        on_btncancel_clicked();
        break;
    default:
        emit SignSelectProTypeKeyPressed(QStringLiteral("SelectProType"), event->key());
        break;
    }
}

QWidget* SelectProType::getUiQWidget(int id)
{
    switch (id) {
    case 0: return ui->widgetContent;
    case 1: return ui->widgetChoice;
    case 2: return ui->widgetTitle;
    default: return UIComponentGapFiller::getQWidget();
    }
}

QPushButton* SelectProType::getUiQPushButton(int id)
{
    switch (id) {
    case 0: return ui->btncancel;
    case 1: return ui->btnok;
    case 2: return ui->btnClose;
    default: return UIComponentGapFiller::getQPushButton();
    }
}

QLabel* SelectProType::getUiQLable(int id)
{
    return id == 0 ? ui->lblTitle : UIComponentGapFiller::getQLabel();
}

void SelectProType::Retranslate()
{
    ui->retranslateUi(this);
    ui->lblTitle->setText(KxPosTranslator::GetTranslation(TitleMessage));
    ui->btncancel->setText(KxPosTranslator::GetTranslation(OrdinaryMessage));
    ui->btnok->setText(KxPosTranslator::GetTranslation(GiftCouponMessage));
    ui->btnClose->setText(KxPosTranslator::GetTranslation(CloseMessage));
    UpdateTranslation();
}

void SelectProType::UpdateTranslation()
{
    setWindowTitle(ui->lblTitle->text());
    AccessibleNames::NameButtonsByCaption(this);
}
