#include "deposit/DepositPluNumbInputWidget.h"
#include "ui_DepositPluNumbInputWidget.h"

#include "deposit/ScreenFrame_p.h"

#include "contracts/AccessibleNames.h"
#include "contracts/KxPosConfig.h"
#include "contracts/UIComponentGapFiller.h"
#include "contracts/UiTool.h"

#include <QKeyEvent>
#include <QSignalMapper>

#include <cmath>

namespace {
constexpr ScreenFrame::Caption captions[] = {
    {"lblTitle", 7319},
    {"btnClear", 9110},
    {"btnOK", 1259},
    {"btnClose", 7300},
};

constexpr int MaxDecimals = 3;
// Comparisons of typed quantities ignore representation noise below this.
constexpr double Epsilon = 1e-9;
} // namespace

DepositPluNumbInputWidget::DepositPluNumbInputWidget(int screenType, QWidget* parent)
    : KxWidget(parent)
    , ui(new Ui::DepositPluNumbInputWidget)
    , frame(std::make_unique<ScreenFrame>(screenType, this))
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("DepositPluNumbInputWidget"));
    ui->txtNum->installEventFilter(this);

    // A frameless tool window above everything, modal for the application.
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::BypassWindowManagerHint);
    setWindowModality(Qt::ApplicationModal);
    setWindowOpacity(1.0);
    setAttribute(Qt::WA_TranslucentBackground);

    initFuncArea();

    const QSize keySize = KxPosConfig::GetAutoSize(110, 76, 76, 52);
    for (QPushButton* key : findChildren<QPushButton*>())
        key->setMinimumSize(keySize);
    ui->txtNum->setMinimumHeight(KxPosConfig::GetAutoHeight(72, 50));
    // The design height, or more where the title's font needs it (small screens).
    ScreenFrame::setBarHeight(ui->widgetTitle, KxPosConfig::GetAutoHeight(56, 40));
    const int gap = KxPosConfig::GetAutoWidth(14, 10);
    ui->layout_widgetContent->setContentsMargins(gap, gap, gap, gap);
    ui->layout_widgetContent->setSpacing(KxPosConfig::GetAutoWidth(10, 6));

    Retranslate();
    if (screenType == 0) {
        ui->widgetTitle->hide();
        setFixedSize(ui->widgetContent->sizeHint());
    } else {
        resize(sizeHint());
    }
}

DepositPluNumbInputWidget::~DepositPluNumbInputWidget()
{
    delete ui;
}

int DepositPluNumbInputWidget::ScreenType() const
{
    return frame->screenType();
}

QString DepositPluNumbInputWidget::Text() const
{
    return ui->txtNum->text();
}

QWidget* DepositPluNumbInputWidget::getUiQWidget(int id)
{
    return ScreenFrame::pick<QWidget>({ui->widgetTitle, ui->widgetContent}, id, UIComponentGapFiller::getQWidget());
}

QLineEdit* DepositPluNumbInputWidget::getUiQLineEdit(int id)
{
    return ScreenFrame::pick<QLineEdit>({ui->txtNum}, id, UIComponentGapFiller::getQLineEdit());
}

QLabel* DepositPluNumbInputWidget::getUiQLable(int id)
{
    return ScreenFrame::pick<QLabel>({ui->lblTitle}, id, UIComponentGapFiller::getQLabel());
}

QPushButton* DepositPluNumbInputWidget::getUiQPushButton(int id)
{
    return ScreenFrame::pick<QPushButton>({ui->btn0, ui->btn1, ui->btn2, ui->btn3, ui->btn4, ui->btn5, ui->btn6, ui->btn7,
                                           ui->btn8, ui->btn9, ui->btn00, ui->btnDot, ui->btnClear, ui->btnOK,
                                           ui->btnClose},
                                          id, UIComponentGapFiller::getQPushButton());
}

void DepositPluNumbInputWidget::initFuncArea()
{
    if (keyMapper)
        return;
    keyMapper = new QSignalMapper(this);
    const struct {
        QPushButton* button;
        const char* key;
    } keys[] = {
        {ui->btn0, "0"}, {ui->btn1, "1"}, {ui->btn2, "2"}, {ui->btn3, "3"},   {ui->btn4, "4"},   {ui->btn5, "5"},
        {ui->btn6, "6"}, {ui->btn7, "7"}, {ui->btn8, "8"}, {ui->btn9, "9"}, {ui->btn00, "00"}, {ui->btnDot, "."},
    };
    for (const auto& k : keys) {
        connect(k.button, &QPushButton::clicked, keyMapper, qOverload<>(&QSignalMapper::map));
        keyMapper->setMapping(k.button, QString::fromLatin1(k.key));
    }
    connect(keyMapper, &QSignalMapper::mappedString, this, &DepositPluNumbInputWidget::SlotKeyPressed);
}

void DepositPluNumbInputWidget::initValue(double maximum, double current)
{
    maxQuantity = maximum;
    ui->txtNum->setText(QString::number(current, 'g', 6));
    ui->txtNum->setFocus();
}

void DepositPluNumbInputWidget::SlotKeyPressed(QString key)
{
    // The text as it would read with the key appended: one decimal point at
    // most, and at most three decimals after it.
    const QString candidate = ui->txtNum->text() + key;
    if (candidate.count(QLatin1Char('.')) > 1)
        return;
    const int point = candidate.indexOf(QLatin1Char('.'));
    if (point >= 0 && candidate.size() - point - 1 > MaxDecimals)
        return;
    ui->txtNum->insert(key);
}

void DepositPluNumbInputWidget::on_btnOK_clicked()
{
    bool ok = false;
    const double quantity = ui->txtNum->text().trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(quantity)) {
        frame->showMessage(2297);
        return;
    }
    if (quantity < MinimumQuantity - Epsilon) {
        frame->showMessage(2295);
        return;
    }
    // Written so that a maximum that is no number (NaN from the host) refuses
    // every quantity instead of letting any through.
    if (!(quantity - maxQuantity <= Tolerance + Epsilon)) {
        frame->showMessage(2296);
        return;
    }
    emit SignDepositPluNumbInputWidget(quantity);
    UiTool::EmptyLine(ui->txtNum);
}

void DepositPluNumbInputWidget::on_btnClear_clicked()
{
    clear();
}

void DepositPluNumbInputWidget::on_btnClose_clicked()
{
    close();
}

void DepositPluNumbInputWidget::backspace()
{
    ui->txtNum->backspace();
}

void DepositPluNumbInputWidget::clear()
{
    UiTool::EmptyLine(ui->txtNum);
}

void DepositPluNumbInputWidget::Retranslate()
{
    ui->retranslateUi(this);
    ScreenFrame::applyCaptions(this, captions);
    setWindowTitle(ui->lblTitle->text());
    UpdateTranslation();
    static constexpr AccessibleNames::Entry names[] = {
        {"txtNum", 7754},
        {"btnDot", 7702},
    };
    AccessibleNames::NameButtonsByCaption(this);
    AccessibleNames::Apply(this, names);
}

void DepositPluNumbInputWidget::UpdateTranslation() {}

void DepositPluNumbInputWidget::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    emit SignDepositPluNumbInputWidgetKeyPress(QStringLiteral("DepositPluNumbInput"), event->key());
}

bool DepositPluNumbInputWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->txtNum && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            on_btnOK_clicked();
            return true;
        }
        if (ScreenFrame::isDigitText(text) || text == QLatin1String(".")) {
            SlotKeyPressed(text);
            return true;
        }
        // Other keys whose text is a keypad caption ("00" from a keypad
        // that sends it as one key).
        if (text == QLatin1String("00")) {
            SlotKeyPressed(text);
            return true;
        }
    }
    return KxWidget::eventFilter(watched, event);
}
