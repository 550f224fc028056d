#include "deposit/DepositWidget.h"
#include "ui_DepositWidget.h"

#include "deposit/ScreenFrame_p.h"

#include "contracts/AccessibleNames.h"
#include "contracts/KxPosConfig.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/UIComponentGapFiller.h"

#include <QKeyEvent>

namespace {
constexpr ScreenFrame::Caption captions[] = {
    {"lblTitle", 7301},
    {"btnClose", 7300},
};

// The two choices show the key that makes them ("【0】", a line break, the
// text), as the promotion-type menu does.
constexpr int KeyCaptionMessage = 7406;
constexpr int DepositMessage = 2306;
constexpr int PickUpMessage = 2307;

// The menu without its title keeps the height of its content less the strip
// the title would have taken.
constexpr int TitleStrip = 32;
// Design height of the content frame, large and small layout.
constexpr int ContentHeightLarge = 392;
constexpr int ContentHeightSmall = 292;
} // namespace

DepositWidget::DepositWidget(int screenType, QWidget* parent)
    : KxDialog(parent)
    , ui(new Ui::DepositWidget)
    , frame(std::make_unique<ScreenFrame>(screenType, this))
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("DepositWidget"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);

    // Keys typed on the choice buttons go through the menu's own key map.
    getUiQWidget(0)->installEventFilter(this);
    getUiQWidget(1)->installEventFilter(this);

    const int gap = KxPosConfig::GetAutoWidth(32, 20);
    ui->layout_widgetContent->setContentsMargins(gap, gap, gap, KxPosConfig::GetAutoHeight(20, 12));
    ui->layout_widgetContent->setSpacing(KxPosConfig::GetAutoHeight(20, 12));
    ui->layout_choices->setSpacing(gap);
    for (QPushButton* choice : {ui->btnDeposit, ui->btnGet})
        choice->setMinimumSize(KxPosConfig::GetAutoSize(360, 200, 240, 130));
    ui->btnClose->setMinimumSize(KxPosConfig::GetAutoSize(220, 60, 150, 40));
    ScreenFrame::setBarHeight(ui->widgetTop, KxPosConfig::GetAutoHeight(60, 40));

    ScreenFrame::applyProjectCode(ui->lblLogo, ui->widgetLogo);
    if (screenType == 0) {
        ui->widgetTop->hide();
        setFixedSize(KxPosConfig::iAppWidth, KxPosConfig::GetAutoHeight(ContentHeightLarge, ContentHeightSmall) - TitleStrip);
    } else {
        resize(KxPosConfig::GetAutoSize(900, 460, 640, 340));
    }
    Retranslate();
}

DepositWidget::~DepositWidget()
{
    delete ui;
}

int DepositWidget::ScreenType() const
{
    return frame->screenType();
}

QWidget* DepositWidget::getUiQWidget(int id)
{
    return ScreenFrame::pick<QWidget>({ui->widgetContent, ui->btnDeposit, ui->btnGet, ui->btnClose, ui->widgetTop,
                                       ui->widgetLogo},
                                      id, UIComponentGapFiller::getQWidget());
}

QPushButton* DepositWidget::getUiQPushButton(int id)
{
    return ScreenFrame::pick<QPushButton>({ui->btnDeposit, ui->btnGet, ui->btnClose}, id,
                                          UIComponentGapFiller::getQPushButton());
}

QLabel* DepositWidget::getUiQLable(int id)
{
    return ScreenFrame::pick<QLabel>({ui->lblTitle, ui->lblLogo}, id, UIComponentGapFiller::getQLabel());
}

void DepositWidget::Retranslate()
{
    ui->retranslateUi(this);
    ScreenFrame::applyCaptions(this, captions);
    const QString keyCaption = KxPosTranslator::GetTranslation(KeyCaptionMessage);
    ui->btnDeposit->setText(keyCaption.arg(QStringLiteral("0"), KxPosTranslator::GetTranslation(DepositMessage)));
    ui->btnGet->setText(keyCaption.arg(QStringLiteral("1"), KxPosTranslator::GetTranslation(PickUpMessage)));
    setWindowTitle(ui->lblTitle->text());
    ScreenFrame::applyProjectCode(ui->lblLogo, ui->widgetLogo);
    UpdateTranslation();
    // Every key of the menu shows its own caption.
    AccessibleNames::NameButtonsByCaption(this);
}

void DepositWidget::UpdateTranslation() {}

bool DepositWidget::show()
{
    activateWindow();
    getUiQWidget(1)->setFocus();
    return KxDialog::exec() != 0;
}

bool DepositWidget::close()
{
    done(1);
    return true;
}

void DepositWidget::on_btnDeposit_clicked()
{
    done(1);
    emit SignGotoDeposit();
}

void DepositWidget::on_btnGet_clicked()
{
    // Pick-up starts by identifying the member.
    done(1);
    emit SignGotoMembLogin();
}

void DepositWidget::on_btnClose_clicked()
{
    done(0);
}

void DepositWidget::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_0:
        on_btnDeposit_clicked();
        break;
    case Qt::Key_1:
        on_btnGet_clicked();
        break;
    default:
        emit SignDepositWidgetKeyPressed(QStringLiteral("DepositWidget"), event->key());
        break;
    }
}

bool DepositWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress
        && (watched == ui->widgetContent || watched == ui->btnDeposit)) {
        keyPressEvent(static_cast<QKeyEvent*>(event));
        return true;
    }
    return KxDialog::eventFilter(watched, event);
}
