#include "options/CustomerInfoWidget.h"
#include "ui_CustomerInfoWidget.h"

#include "contracts/AccessibleNames.h"
#include "contracts/KeyBoardWidget.h"
#include "contracts/KxPosConfig.h"
#include "contracts/KxPosJson.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/MessageWidget.h"
#include "contracts/QuestionMessage.h"
#include "contracts/UIComponentGapFiller.h"
#include "contracts/UiTool.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDebug>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeyEvent>

namespace {
constexpr int TitleMessage = 7420;
constexpr int IdCaption = 7421;
constexpr int ProvinceCaption = 7422;
constexpr int CityCaption = 7423;
constexpr int DistrictCaption = 7424;
constexpr int AddressCaption = 7425;
constexpr int KeyLineMessage = 7426;
constexpr int FinishCaption = 7427;
constexpr int CloseCaption = 7428;
constexpr int IdPlaceholder = 7429;
constexpr int AddressPlaceholder = 7430;
constexpr int ProvincePlaceholder = 7431;
constexpr int CityPlaceholder = 7432;
constexpr int DistrictPlaceholder = 7433;

// The key line breaks between its "【Fn】caption" items (separated by two
// spaces), never inside one, at the label's width once it is on screen.
void showKeyLine(QLabel* label)
{
    const QString text = KxPosTranslator::GetTranslation(KeyLineMessage);
    if (!label->isVisible()) {
        label->setText(text);
        return;
    }
    const QString gap = QStringLiteral("  ");
    const int width = label->contentsRect().width();
    const QFontMetrics metrics = label->fontMetrics();
    QStringList lines;
    for (const QString& part : text.split(gap, Qt::SkipEmptyParts)) {
        const QString item = part.trimmed();
        const QString joined = lines.isEmpty() ? item : lines.last() + gap + item;
        if (!lines.isEmpty() && metrics.horizontalAdvance(joined) <= width)
            lines.last() = joined;
        else
            lines << item;
    }
    label->setText(width > 0 ? lines.join(QLatin1Char('\n')) : text);
}

constexpr int EmptyAreasMessage = 2285;
constexpr int NotArrayMessage = 2286;
constexpr int NotJsonMessage = 2287;
constexpr int NamelessProvinceMessage = 2288;
constexpr int IdLengthMessage = 2289;
constexpr int IdMismatchBefore = 2290;
constexpr int IdMismatchAfter = 2291;
constexpr int AddressMissingMessage = 2292;
constexpr int NoticeTitle = 1969;

constexpr int IdLength = 18;
// Characters of an area name the lists keep room for.
constexpr int AreaNameLength = 6;

// The "name" of an area object, or a null string when it has none.
QString areaName(const QJsonValue& value)
{
    if (value.isString())
        return value.toString();
    const QJsonValue name = value.toObject().value(QLatin1String("name"));
    return name.isString() ? name.toString() : QString();
}
} // namespace

CustomerInfoWidget::CustomerInfoWidget(int screenType, QWidget* parent)
    : KxDialog(parent)
    , m_screenType(screenType)
    , ui(new Ui::CustomerInfoWidget)
    , keyboard(nullptr)
    , messageWidget(new MessageWidget(screenType, this))
    , questionMessage(new QuestionMessage(screenType, this))
{
    ui->setupUi(this);
    // A full-screen form: no window frame, which would push it past the display.
    setWindowFlag(Qt::FramelessWindowHint);
    setWindowModality(Qt::ApplicationModal);
    setWindowOpacity(1.0);
    setAttribute(Qt::WA_TranslucentBackground);

    keyboard = new KeyBoardWidget(ui->widgetKeyBoard, QStringLiteral("0"), 0);
    ui->keygrid->setContentsMargins(5, 5, 5, 5);
    ui->keygrid->addWidget(keyboard, 0, 0);
    keyboard->SetKeyHeight(KxPosConfig::GetAutoHeight(70, 50));

    const int rowHeight = KxPosConfig::GetAutoHeight(56, 44);
    for (QWidget* w : {static_cast<QWidget*>(ui->txtIdCard), static_cast<QWidget*>(ui->txtAddress),
                       static_cast<QWidget*>(ui->cmbProvince), static_cast<QWidget*>(ui->cmbCity),
                       static_cast<QWidget*>(ui->cmbArea)})
        w->setMinimumHeight(rowHeight);
    // The area lists share their row: long names (provinces, districts) do
    // not widen the form past small screens; the open list shows them whole.
    for (QComboBox* box : {ui->cmbProvince, ui->cmbCity, ui->cmbArea}) {
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setMinimumContentsLength(AreaNameLength);
    }
    const QSize button = KxPosConfig::GetAutoSize(220, 64, 170, 52);
    ui->btnFinish->setFixedSize(button);
    ui->btnClose->setFixedSize(button);

    connect(keyboard, &KeyBoardWidget::SignKbwKeyPress, this, &CustomerInfoWidget::SlotOtkKeyBoardKeyPressed);
    connect(ui->cmbProvince, QOverload<int>::of(&QComboBox::activated), this,
            &CustomerInfoWidget::SlotComboBoxProvOK);
    connect(ui->cmbCity, &QComboBox::textActivated, this, &CustomerInfoWidget::SlotComboBoxCityOK);
    connect(ui->cmbArea, &QComboBox::textActivated, this, &CustomerInfoWidget::SlotComboBoxAreaOK);
    ui->txtIdCard->installEventFilter(this);
    ui->txtAddress->installEventFilter(this);
    ui->lblKeys->installEventFilter(this);
    m_currentEdit = ui->txtAddress;

    if (m_screenType == 0) {
        ui->widgetTitle->hide();
        layout()->activate();
        setFixedSize(ui->widgetContent->width(), ui->widgetContent->height() - 32);
    } else {
        // The form covers the application's area; exec() asks the window
        // system for the full screen, which a till without a window
        // manager does not give.
        resize(KxPosConfig::iAppWidth, KxPosConfig::iAppHeight);
    }
    Retranslate();
}

CustomerInfoWidget::~CustomerInfoWidget()
{
    // A running exec() returns 0 once control gets back to it.
    endLoop(0);
    delete ui;
}

// --- Area tree ---------------------------------------------------------------------

bool CustomerInfoWidget::GetAreas(QString json, QString& error)
{
    areaJson = json;
    error.clear();
    if (json.trimmed().isEmpty()) {
        error = KxPosTranslator::GetTranslation(EmptyAreasMessage);
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument document = KxPosJson::Parse(json.toUtf8(), &parseError);
    if (parseError.error != QJsonParseError::NoError || document.isNull()) {
        error = KxPosTranslator::GetTranslation(NotJsonMessage);
        return false;
    }
    if (!document.isArray()) {
        error = KxPosTranslator::GetTranslation(NotArrayMessage);
        return false;
    }

    const QJsonArray array = document.array();
    QList<Province> loaded;
    loaded.reserve(array.size());
    for (int p = 0; p < array.size(); ++p) {
        const QJsonValue provinceValue = array.at(p);
        const QJsonObject provinceObject = provinceValue.toObject();
        if (!provinceValue.isObject() || !provinceObject.value(QLatin1String("name")).isString()) {
            error = KxPosTranslator::GetTranslation(NamelessProvinceMessage) + QString::number(p);
            return false;
        }
        Province province;
        province.name = provinceObject.value(QLatin1String("name")).toString();
        const QJsonArray cities = provinceObject.value(QLatin1String("child")).toArray();
        for (int c = 0; c < cities.size(); ++c) {
            City city;
            city.name = areaName(cities.at(c));
            if (city.name.isNull()) {
                qDebug() << "CustomerInfoWidget::GetAreas: city" << c << "of" << province.name << "has no name, skipped";
                continue;
            }
            const QJsonArray districts = cities.at(c).toObject().value(QLatin1String("child")).toArray();
            for (const QJsonValue& district : districts) {
                const QString name = areaName(district);
                if (!name.isNull())
                    city.districts << name;
            }
            province.cities << city;
        }
        loaded << province;
    }

    provinces = loaded;
    currentCities.clear();
    QStringList names;
    names.reserve(provinces.size());
    for (const Province& province : qAsConst(provinces))
        names << province.name;
    ui->cmbProvince->clear();
    ui->cmbProvince->addItems(names);
    // No province is preselected: the customer chooses one.
    ui->cmbProvince->setCurrentIndex(-1);
    ui->cmbCity->clear();
    ui->cmbArea->clear();
    return true;
}

void CustomerInfoWidget::SlotComboBoxProvOK(int index)
{
    ui->cmbCity->clear();
    ui->cmbArea->clear();
    currentCities = index >= 0 && index < provinces.size() ? provinces.at(index).cities : QList<City>();
    QStringList names;
    for (const City& city : qAsConst(currentCities))
        names << city.name;
    ui->cmbCity->addItems(names);
    ui->cmbCity->setCurrentIndex(-1);
}

void CustomerInfoWidget::SlotComboBoxCityOK(QString name)
{
    ui->cmbArea->clear();
    for (const City& city : qAsConst(currentCities)) {
        if (city.name == name) {
            ui->cmbArea->addItems(city.districts);
            break;
        }
    }
    ui->cmbArea->setCurrentIndex(-1);
}

void CustomerInfoWidget::SlotComboBoxAreaOK(QString name)
{
    Q_UNUSED(name)
    focusEdit(ui->txtAddress);
}

void CustomerInfoWidget::ChooseProvince()
{
    ui->cmbProvince->showPopup();
}

void CustomerInfoWidget::ChooseCity()
{
    ui->cmbCity->showPopup();
}

void CustomerInfoWidget::ChooseArea()
{
    ui->cmbArea->showPopup();
}

// --- Run ------------------------------------------------------------------------------

void CustomerInfoWidget::InitView(QString id)
{
    presetId = id.trimmed().toUpper();
    ui->txtIdCard->setText(presetId);
}

int CustomerInfoWidget::exec()
{
    if (m_loop)
        return 0; // already running
    UiTool::EmptyLine(ui->txtAddress);
    activateWindow();
    showFullScreen();
    focusEdit(ui->txtAddress);

    QEventLoop loop;
    m_loop = &loop;
    QPointer<CustomerInfoWidget> alive(this);
    const int result = loop.exec(QEventLoop::DialogExec);
    if (alive)
        m_loop = nullptr;
    return result;
}

void CustomerInfoWidget::endLoop(int code)
{
    // The preset number belongs to one customer's run: the next customer
    // enters their own unless the host presets one again.
    presetId.clear();
    // Only the first end counts: closing after a finish must not turn the
    // result back to 0.
    if (QEventLoop* loop = m_loop.data()) {
        m_loop = nullptr;
        loop->exit(code);
    }
}

void CustomerInfoWidget::hideEvent(QHideEvent* event)
{
    // However the form disappears, a running exec() must return, and as on
    // the return key nothing of this customer stays in the boxes.
    if (m_loop) {
        UiTool::EmptyLine(ui->txtIdCard);
        UiTool::EmptyLine(ui->txtAddress);
    }
    endLoop(0);
    KxDialog::hideEvent(event);
}

void CustomerInfoWidget::on_btnFinish_clicked()
{
    customerInfo.idCardNo = ui->txtIdCard->text().trimmed().toUpper();
    customerInfo.province = ui->cmbProvince->currentText();
    customerInfo.city = ui->cmbCity->currentText();
    customerInfo.district = ui->cmbArea->currentText();
    customerInfo.address = ui->txtAddress->text().trimmed();

    const QString& id = customerInfo.idCardNo;
    if (!id.isEmpty()) {
        if (id.size() != IdLength) {
            showError(KxPosTranslator::GetTranslation(IdLengthMessage));
            return;
        }
        if (!presetId.isEmpty() && id != presetId) {
            showError(KxPosTranslator::GetTranslation(IdMismatchBefore) + presetId
                      + KxPosTranslator::GetTranslation(IdMismatchAfter));
            return;
        }
    }
    if (customerInfo.province.isEmpty() || customerInfo.city.isEmpty() || customerInfo.address.isEmpty()) {
        showError(KxPosTranslator::GetTranslation(AddressMissingMessage));
        return;
    }
    UiTool::EmptyLine(ui->txtIdCard);
    UiTool::EmptyLine(ui->txtAddress);
    endLoop(1);
    close();
}

void CustomerInfoWidget::on_btnClose_clicked()
{
    CloseCustomerInfoWidget();
}

void CustomerInfoWidget::CloseCustomerInfoWidget()
{
    UiTool::EmptyLine(ui->txtIdCard);
    UiTool::EmptyLine(ui->txtAddress);
    endLoop(0);
    close();
}

void CustomerInfoWidget::showError(const QString& text)
{
    messageWidget->showMessage(text, KxPosTranslator::GetTranslation(NoticeTitle), 3, false);
}

// --- Typing ---------------------------------------------------------------------------

QLineEdit* CustomerInfoWidget::focusedEdit() const
{
    if (ui->txtIdCard->hasFocus())
        return ui->txtIdCard;
    if (ui->txtAddress->hasFocus())
        return ui->txtAddress;
    return m_currentEdit;
}

void CustomerInfoWidget::focusEdit(QLineEdit* edit)
{
    m_currentEdit = edit;
    edit->setFocus();
}

void CustomerInfoWidget::SlotCustomerInfoWidgetPress(QString text)
{
    if (QLineEdit* edit = focusedEdit())
        edit->insert(text);
}

void CustomerInfoWidget::Backpace()
{
    if (QLineEdit* edit = focusedEdit())
        edit->backspace();
}

void CustomerInfoWidget::crHandler()
{
    if (focusedEdit() == ui->txtIdCard)
        on_btnFinish_clicked();
    else
        focusEdit(ui->txtIdCard);
}

void CustomerInfoWidget::SlotOtkKeyBoardKeyPressed(QString key)
{
    OtkKeyBoardKeyPressed(key);
}

void CustomerInfoWidget::OtkKeyBoardKeyPressed(QString key)
{
    // A host may also send "space" by name and the input-method switch
    // "input", which does nothing: the form types what the keys show.
    if (key == QLatin1String("input"))
        return;
    if (key == QLatin1String("space"))
        key = QStringLiteral(" ");
    if (KeyBoardWidget::ApplyKey(focusedEdit(), key))
        crHandler();
}

bool CustomerInfoWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn && (watched == ui->txtIdCard || watched == ui->txtAddress))
        m_currentEdit = static_cast<QLineEdit*>(watched);
    if ((event->type() == QEvent::Resize || event->type() == QEvent::Show) && watched == ui->lblKeys)
        showKeyLine(ui->lblKeys);
    return KxDialog::eventFilter(watched, event);
}

void CustomerInfoWidget::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    const int key = event->key();
    switch (key) {
    case Qt::Key_F1: ChooseProvince(); return;
    case Qt::Key_F2: ChooseCity(); return;
    case Qt::Key_F3: ChooseArea(); return;
    case Qt::Key_F4: focusEdit(ui->txtAddress); return;
    case Qt::Key_F5: focusEdit(ui->txtIdCard); return;
    case Qt::Key_F6: on_btnFinish_clicked(); return;
    case Qt::Key_F7: CloseCustomerInfoWidget(); return;
    case Qt::Key_Return:
    case Qt::Key_Enter: crHandler(); return;
    default: break;
    }
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || key == Qt::Key_Space) {
        SlotCustomerInfoWidgetPress(key == Qt::Key_Space ? QStringLiteral(" ") : QString(QChar(key)));
        return;
    }
    emit SignCustomerInfoWidgetKeyPressed(QStringLiteral("CustomerInfoWidget"), key);
}

// --- Accessors ------------------------------------------------------------------------

QLineEdit* CustomerInfoWidget::getUiQLineEdit(int id)
{
    switch (id) {
    case 0: return ui->txtIdCard;
    case 1: return ui->txtAddress;
    default: return UIComponentGapFiller::getQLineEdit();
    }
}

QComboBox* CustomerInfoWidget::getUiQComboBox(int id)
{
    switch (id) {
    case 0: return ui->cmbProvince;
    case 1: return ui->cmbCity;
    case 2: return ui->cmbArea;
    default: return UIComponentGapFiller::getQComboBox();
    }
}

QWidget* CustomerInfoWidget::getUiQWidget(int id)
{
    switch (id) {
    case 0: return ui->widgetContent;
    case 1: return ui->widgetKeyBoard;
    case 2: return ui->widgetTitle;
    default: return UIComponentGapFiller::getQWidget();
    }
}

QPushButton* CustomerInfoWidget::getUiQPushButton(int id)
{
    switch (id) {
    case 0: return ui->btnFinish;
    case 1: return ui->btnClose;
    default: return UIComponentGapFiller::getQPushButton();
    }
}

QLabel* CustomerInfoWidget::getUiQLable(int id)
{
    switch (id) {
    case 0: return ui->lblTitle;
    case 1: return ui->lblKeys;
    default: return UIComponentGapFiller::getQLabel();
    }
}

void CustomerInfoWidget::Retranslate()
{
    // The form's own texts are kept where the boxes hold input.
    const QString id = ui->txtIdCard->text();
    const QString address = ui->txtAddress->text();
    ui->retranslateUi(this);
    ui->txtIdCard->setText(id);
    ui->txtAddress->setText(address);
    ui->lblTitle->setText(KxPosTranslator::GetTranslation(TitleMessage));
    ui->lblIdCard->setText(KxPosTranslator::GetTranslation(IdCaption));
    ui->lblProvince->setText(KxPosTranslator::GetTranslation(ProvinceCaption));
    ui->lblCity->setText(KxPosTranslator::GetTranslation(CityCaption));
    ui->lblArea->setText(KxPosTranslator::GetTranslation(DistrictCaption));
    ui->lblAddress->setText(KxPosTranslator::GetTranslation(AddressCaption));
    showKeyLine(ui->lblKeys);
    ui->btnFinish->setText(KxPosTranslator::GetTranslation(FinishCaption));
    ui->btnClose->setText(KxPosTranslator::GetTranslation(CloseCaption));
    UpdateTranslation();
}

void CustomerInfoWidget::UpdateTranslation()
{
    setWindowTitle(ui->lblTitle->text());
    ui->txtIdCard->setPlaceholderText(KxPosTranslator::GetTranslation(IdPlaceholder));
    ui->txtAddress->setPlaceholderText(KxPosTranslator::GetTranslation(AddressPlaceholder));
    ui->cmbProvince->setPlaceholderText(KxPosTranslator::GetTranslation(ProvincePlaceholder));
    ui->cmbCity->setPlaceholderText(KxPosTranslator::GetTranslation(CityPlaceholder));
    ui->cmbArea->setPlaceholderText(KxPosTranslator::GetTranslation(DistrictPlaceholder));
    // Keys by their captions; each field by the caption beside it.
    AccessibleNames::NameButtonsByCaption(this);
    AccessibleNames::Set(ui->txtIdCard, IdCaption);
    AccessibleNames::Set(ui->cmbProvince, ProvinceCaption);
    AccessibleNames::Set(ui->cmbCity, CityCaption);
    AccessibleNames::Set(ui->cmbArea, DistrictCaption);
    AccessibleNames::Set(ui->txtAddress, AddressCaption);
}
