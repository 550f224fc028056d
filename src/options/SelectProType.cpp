#include "options/SelectProType.h"
#include "ui_SelectProType.h"

#include "contracts/AccessibleNames.h"
#include "contracts/KxPosConfig.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/UIComponentGapFiller.h"

#include <QKeyEvent>
#include <QPushButton>

namespace {
constexpr int TitleMessage = 7410;
constexpr int OrdinaryMessage = 2352;
constexpr int GiftCouponMessage = 2353;
constexpr int CloseMessage = 7407; // "【Esc】返回": Escape or Page Up
constexpr int KeyCaptionMessage = 7406; // "【key】", a line break, the text
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
    // On the dialog itself too: Tab would otherwise be taken for the focus chain.
    installEventFilter(this);
    ui->widgetContent->installEventFilter(this);
    ui->widgetChoice->installEventFilter(this);
    // The arrow keys move the focus over the three keys; a tap does not.
    for (QPushButton* key : {ui->btncancel, ui->btnok, ui->btnClose}) {
        key->setFocusPolicy(Qt::TabFocus);
        key->installEventFilter(this);
    }

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
    ui->btncancel->setFocus(Qt::TabFocusReason);
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
    const bool watchedKey = watched == ui->btncancel || watched == ui->btnok || watched == ui->btnClose;
    if ((watched == this || watched == ui->widgetContent || watched == ui->widgetChoice || watchedKey) && event->type() == QEvent::KeyPress) {
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
    const QList<QPushButton*> keys{ui->btncancel, ui->btnok, ui->btnClose};
    const int current = keys.indexOf(qobject_cast<QPushButton*>(focusWidget()));
    switch (event->key()) {
    case Qt::Key_1:
        on_btnok_clicked();
        break;
    case Qt::Key_0:
        on_btncancel_clicked();
        break;
    case Qt::Key_Escape:
    case Qt::Key_PageUp:
        // Back without a choice, as the close key.
        on_btnClose_clicked();
        break;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Tab:
    case Qt::Key_Backtab: {
        const bool back = event->key() == Qt::Key_Left || event->key() == Qt::Key_Up
                       || event->key() == Qt::Key_Backtab;
        const int next = current < 0 ? 0 : (current + (back ? keys.size() - 1 : 1)) % keys.size();
        keys.at(next)->setFocus(Qt::TabFocusReason);
        break;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (current >= 0) {
            keys.at(current)->click();
            break;
        }
        emit SignSelectProTypeKeyPressed(QStringLiteral("SelectProType"), event->key());
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
    const QString caption = KxPosTranslator::GetTranslation(KeyCaptionMessage);
    ui->btncancel->setText(caption.arg(QStringLiteral("0"), KxPosTranslator::GetTranslation(OrdinaryMessage)));
    ui->btnok->setText(caption.arg(QStringLiteral("1"), KxPosTranslator::GetTranslation(GiftCouponMessage)));
    ui->btnClose->setText(KxPosTranslator::GetTranslation(CloseMessage));
    UpdateTranslation();
}

void SelectProType::UpdateTranslation()
{
    setWindowTitle(ui->lblTitle->text());
    AccessibleNames::NameButtonsByCaption(this);
}
