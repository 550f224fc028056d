#include "DemoOptions.h"

#include "DemoFunctionKey.h"
#include "DemoNotice.h"
#include "DemoRender.h"

#include "DemoSale.h"

#include "options/CustomerInfoWidget.h"
#include "options/SelectProType.h"
#include "options/SelectSpuWidget.h"
#include "presetkeys/PosFloatForm.h"
#include "presetkeys/SortPluManagement.h"
#include "trade/TradeWidget.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosJson.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/PrePluGroupShowWidget.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

#include <cstdio>

const QString DemoOptions::FnPromotionType = QStringLiteral("F101");
const QString DemoOptions::FnCustomer = QStringLiteral("F102");
const QString DemoOptions::FnArrangeKeys = QStringLiteral("F103");
const QString DemoOptions::FnPresetKeys = QStringLiteral("F104");
const QString DemoOptions::FnHideScreen = QStringLiteral("F105");

namespace {
// Where the shipped province / city / district data is found.
const char* const AreasResource = ":/KxPos/data/areas.json";
const char* const LogoResource = ":/Images/pos/STD7.0_Logo.png";
// The stand-in logo: the message saying where the floating button leads, the
// room kept at its ends and the smallest type it is written in.
constexpr int BackToCheckoutMessage = 7760;
constexpr int LogoMargin = 4;
constexpr int MinLogoFont = 9;

KxPosPluSpec spec(const char* name, const char* code)
{
    KxPosPluSpec s;
    s.specName = QString::fromUtf8(name);
    s.specCode = QString::fromLatin1(code);
    return s;
}

QList<KxPosPluTaste> group(const char* id, const char* name, bool multiple, bool required,
                           std::initializer_list<const char*> tastes)
{
    QList<KxPosPluTaste> list;
    for (const char* t : tastes) {
        KxPosPluTaste taste;
        taste.tasteName = QString::fromUtf8(t);
        taste.groupId = QString::fromLatin1(id);
        taste.groupName = QString::fromUtf8(name);
        taste.isMultiple = multiple;
        taste.isRequired = required;
        list << taste;
    }
    return list;
}

KxPosPluFood addOn(const char* name, const char* price)
{
    KxPosPluFood f;
    f.foodName = QString::fromUtf8(name);
    f.foodPrice = QString::fromLatin1(price);
    return f;
}

DemoProduct foodProduct(const QString& code, const QString& name, const QString& nameEn, double price,
                        const QString& unit, const QString& unitEn)
{
    // Field by field: the product record may grow fields of its own.
    DemoProduct p;
    p.code = code;
    p.name = name;
    p.nameEn = nameEn;
    p.price = price;
    p.unit = unit;
    p.unitEn = unitEn;
    p.weighed = false;
    return p;
}

QList<DemoFood> makeFoods()
{
    QList<DemoFood> foods;
    {
        DemoFood f;
        f.product = foodProduct(QStringLiteral("3001"), QStringLiteral("珍珠奶茶"), QStringLiteral("Pearl milk tea"), 12.00,
                                QStringLiteral("杯"), QStringLiteral("cup"));
        f.options.specs = {spec("中杯", "3001M"), spec("大杯", "3001L")};
        f.specExtra = {{QStringLiteral("3001L"), 3.0}};
        f.options.tastes = group("SWEET", "甜度", false, true, {"全糖", "七分糖", "半糖", "三分糖", "无糖"})
                           + group("ICE", "冰量", false, true, {"正常冰", "少冰", "去冰", "热饮"});
        f.options.foods = {addOn("珍珠", "1"),   addOn("椰果", "1"),   addOn("布丁", "2"),
                           addOn("红豆", "1.5"), addOn("芋圆", "2"),   addOn("奶盖", "3"),
                           addOn("仙草", "1.5"), addOn("燕麦", "1"),   addOn("芦荟", "1.5")};
        foods << f;
    }
    {
        DemoFood f;
        f.product = foodProduct(QStringLiteral("3002"), QStringLiteral("牛肉拉面"), QStringLiteral("Beef noodles"), 22.00,
                                QStringLiteral("碗"), QStringLiteral("bowl"));
        f.options.specs = {spec("标准", "3002R"), spec("大份", "3002L")};
        f.specExtra = {{QStringLiteral("3002L"), 5.0}};
        f.options.tastes = group("SPICY", "辣度", false, true, {"不辣", "微辣", "中辣", "特辣"})
                           + group("TASTE", "口味", true, false, {"多葱", "不要香菜", "少盐", "多醋"});
        f.options.foods = {addOn("加牛肉", "8"), addOn("加蛋", "2"), addOn("加面", "3"), addOn("加豆皮", "2")};
        foods << f;
    }
    {
        DemoFood f;
        f.product = foodProduct(QStringLiteral("3003"), QStringLiteral("美式咖啡"), QStringLiteral("Americano"), 15.00,
                                QStringLiteral("杯"), QStringLiteral("cup"));
        f.options.specs = {spec("中杯", "3003M"), spec("大杯", "3003L"), spec("超大杯", "3003X")};
        f.specExtra = {{QStringLiteral("3003L"), 4.0}, {QStringLiteral("3003X"), 7.0}};
        f.options.tastes = group("TEMP", "温度", false, true, {"热", "冰"});
        f.options.foods = {addOn("浓缩加份", "4"), addOn("燕麦奶", "3")};
        foods << f;
    }
    {
        DemoFood f;
        f.product = foodProduct(QStringLiteral("3004"), QStringLiteral("招牌炒饭"), QStringLiteral("House fried rice"), 18.00,
                                QStringLiteral("份"), QStringLiteral("plate"));
        f.options.tastes = group("SPICY", "辣度", false, false, {"不辣", "微辣"});
        f.options.foods = {addOn("加蛋", "2"), addOn("加火腿", "3")};
        foods << f;
    }
    return foods;
}

// English captions of the option names, for the demo in English.
QString english(const QString& zh)
{
    static const QMap<QString, QString> names = {
        {"中杯", "Medium"}, {"大杯", "Large"}, {"超大杯", "Extra large"}, {"标准", "Regular"},
        {"大份", "Large"}, {"甜度", "Sweetness"}, {"全糖", "Full sugar"}, {"七分糖", "70% sugar"},
        {"半糖", "Half sugar"}, {"三分糖", "30% sugar"}, {"无糖", "No sugar"}, {"冰量", "Ice"},
        {"正常冰", "Normal ice"}, {"少冰", "Less ice"}, {"去冰", "No ice"}, {"热饮", "Hot"},
        {"珍珠", "Pearls"}, {"椰果", "Coconut jelly"}, {"布丁", "Pudding"}, {"红豆", "Red beans"},
        {"芋圆", "Taro balls"}, {"奶盖", "Milk foam"}, {"仙草", "Grass jelly"}, {"燕麦", "Oats"},
        {"芦荟", "Aloe"}, {"辣度", "Spiciness"}, {"不辣", "Not spicy"}, {"微辣", "Mild"},
        {"中辣", "Medium hot"}, {"特辣", "Extra hot"}, {"口味", "Taste"}, {"多葱", "Extra scallion"},
        {"不要香菜", "No coriander"}, {"少盐", "Less salt"}, {"多醋", "Extra vinegar"},
        {"加牛肉", "Extra beef"}, {"加蛋", "Add egg"}, {"加面", "Extra noodles"}, {"加豆皮", "Tofu skin"},
        {"温度", "Temperature"}, {"热", "Hot"}, {"冰", "Iced"}, {"浓缩加份", "Extra shot"},
        {"燕麦奶", "Oat milk"}, {"加火腿", "Add ham"},
    };
    return names.value(zh, zh);
}

KxPosPluSpu inEnglish(KxPosPluSpu spu)
{
    for (KxPosPluSpec& s : spu.specs)
        s.specName = english(s.specName);
    for (KxPosPluTaste& t : spu.tastes) {
        t.tasteName = english(t.tasteName);
        t.groupName = english(t.groupName);
    }
    for (KxPosPluFood& f : spu.foods)
        f.foodName = english(f.foodName);
    return spu;
}

// A stand-in logo for the floating button when the host's images lack it:
// where the button leads, in the checkout's language, in type small enough
// to fit across the button.
QIcon fallbackLogo(const QSize& size)
{
    QPixmap pixmap(size.isValid() ? size : QSize(360, 80));
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(0x23, 0xBA, 0xFA));
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(pixmap.rect(), 8, 8);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setBold(true);
    const QString caption = QStringLiteral("▶ ") + KxPosTranslator::GetTranslation(BackToCheckoutMessage);
    const int room = pixmap.width() - 2 * LogoMargin;
    int pixels = qMax(MinLogoFont, pixmap.height() * 2 / 5);
    font.setPixelSize(pixels);
    while (pixels > MinLogoFont && QFontMetrics(font).horizontalAdvance(caption) > room)
        font.setPixelSize(--pixels);
    painter.setFont(font);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, QFontMetrics(font).elidedText(caption, Qt::ElideRight, room));
    return QIcon(pixmap);
}

} // namespace

// --- Construction ------------------------------------------------------------------------

DemoOptions::DemoOptions(TradeWidget* screen, QObject* parent)
    : QObject(parent)
    , m_screen(screen)
{
    m_float = std::make_unique<PosFloatForm>(nullptr);
    if (!QFile::exists(QString::fromUtf8(LogoResource))) {
        QPushButton* button = m_float->getUiQPushButton(0);
        button->setIcon(fallbackLogo(button->iconSize()));
        // The stand-in logo speaks the checkout's language.
        connect(KxPosTranslator::Instance(), &KxPosTranslator::LanguageChanged, button,
                [button] { button->setIcon(fallbackLogo(button->iconSize())); });
    }
    connect(m_float.get(), &PosFloatForm::SignTradeNormal, this, &DemoOptions::restoreSalesScreen);
    if (m_screen) {
        connect(m_screen, &TradeWidget::SignTrdReturnToDesktop, this, [this](QWidget*) { HideSalesScreen(); });
        connect(m_screen, &TradeWidget::SignTradeNormaled, m_float.get(), &PosFloatForm::SlotTradeNormaled);
    }
    buildPresetKeys();
}

DemoOptions::~DemoOptions()
{
    // The preset keys may sit on the sales screen; they are the demo's.
    delete m_presetKeys.data();
}

bool DemoOptions::english() const
{
    return KxPosConfig::sLanguage.startsWith(QLatin1String("en"));
}

// --- Food products -----------------------------------------------------------------------

const QList<DemoFood>& DemoOptions::Foods()
{
    static const QList<DemoFood> foods = makeFoods();
    return foods;
}

const DemoFood* DemoOptions::FindFood(const QString& code)
{
    const QString wanted = code.trimmed();
    for (const DemoFood& food : Foods()) {
        if (food.product.code == wanted)
            return &food;
    }
    return nullptr;
}

bool DemoOptions::ChooseFood(const QString& code, DemoProduct* product, QString* choice)
{
    const DemoFood* food = FindFood(code);
    if (!food || !product)
        return false;
    const KxPosPluSpu spu = english() ? inEnglish(food->options) : food->options;
    *product = food->product;
    QString chosen;
    if (spu.specs.isEmpty() && spu.tastes.isEmpty() && spu.foods.isEmpty()) {
        // Nothing to choose: sold as it is.
    } else {
        if (!m_spu)
            m_spu = std::make_unique<SelectSpuWidget>(1, m_screen);
        if (m_spu->ShowPluSpuInfo(spu) != 1)
            return false;
        QString name = DemoNotice::Text(food->product.name, food->product.nameEn);
        for (const KxPosPluSpec& s : m_spu->Specs()) {
            if (s.isSelected) {
                product->code = s.specCode;
                product->price += food->specExtra.value(s.specCode);
                name += QStringLiteral("(") + s.specName + QStringLiteral(")");
                break;
            }
        }
        chosen = m_spu->selectedTastes.trimmed();
        for (const KxPosPluFood& f : m_spu->Foods()) {
            if (f.isSelected) {
                product->price += f.foodPrice.toDouble();
                chosen += QStringLiteral(" +") + f.foodName;
            }
        }
        chosen = chosen.trimmed();
        product->name = product->nameEn = chosen.isEmpty() ? name : name + QLatin1Char(' ') + chosen;
    }
    if (choice)
        *choice = chosen;
    return true;
}

bool DemoOptions::SellFood(const QString& code, DemoSale& sale)
{
    DemoProduct product;
    QString choice;
    if (!ChooseFood(code, &product, &choice)) {
        emit Log(QStringLiteral("options of %1 not chosen").arg(code));
        return false;
    }
    // Lines of the same code merge their quantities: the same product with
    // other options gets a code of its own.
    const QString name = DemoNotice::Text(product.name, product.nameEn);
    const QString base = product.code;
    for (int n = 2;; ++n) {
        bool clash = false;
        for (const KxPosPluDetail& line : sale.Lines())
            clash = clash || (line.pluCode == product.code && line.pluName != name);
        if (!clash)
            break;
        product.code = base + QLatin1Char('-') + QString::number(n);
    }
    sale.Add(product, 1.0, DemoNotice::Text(product.unit, product.unitEn), name);
    for (KxPosPluDetail& line : sale.Lines()) {
        if (line.pluCode == product.code)
            line.detailText = choice;
    }
    emit Log(QStringLiteral("food %1 sold as %2 at %3").arg(code, product.code).arg(product.price, 0, 'f', 2));
    return true;
}

// --- Functions ---------------------------------------------------------------------------

QList<dynMapButton> DemoOptions::Functions()
{
    const auto function = DemoFunctionKey;
    return {
        function(FnPromotionType, QStringLiteral("促销方式"), QStringLiteral("Promotion type")),
        function(FnCustomer, QStringLiteral("顾客信息"), QStringLiteral("Customer info")),
        function(FnPresetKeys, QStringLiteral("预置键"), QStringLiteral("Preset keys")),
        function(FnArrangeKeys, QStringLiteral("预置键编辑"), QStringLiteral("Arrange keys")),
        function(FnHideScreen, QStringLiteral("隐藏收银"), QStringLiteral("Hide checkout")),
    };
}

bool DemoOptions::HandleFunction(const QString& code)
{
    if (code == FnPromotionType)
        AskPromotionType();
    else if (code == FnCustomer)
        EditCustomer();
    else if (code == FnPresetKeys)
        ShowPresetKeys(true);
    else if (code == FnArrangeKeys)
        ArrangePresetKeys();
    else if (code == FnHideScreen)
        HideSalesScreen();
    else
        return false;
    return true;
}

int DemoOptions::AskPromotionType()
{
    if (!m_proType) {
        m_proType = std::make_unique<SelectProType>(1, m_screen);
        connect(m_proType.get(), &SelectProType::SignSelectProType, this, [this](int type) {
            m_promotionType = type;
            emit Log(type == 1 ? QStringLiteral("promotion: gift coupon") : QStringLiteral("promotion: ordinary"));
        });
    }
    return m_proType->show() == 1 ? m_promotionType : -1;
}

bool DemoOptions::EditCustomer()
{
    if (!m_customerForm)
        m_customerForm = std::make_unique<CustomerInfoWidget>(1, m_screen);
    if (!m_areasLoaded) {
        QFile file(QString::fromUtf8(AreasResource));
        QString error;
        if (!file.open(QIODevice::ReadOnly))
            error = QStringLiteral("%1 not found").arg(file.fileName());
        else
            m_areasLoaded = m_customerForm->GetAreas(QString::fromUtf8(file.readAll()), error);
        if (!m_areasLoaded)
            emit Log(QStringLiteral("area data: %1").arg(error));
    }
    m_customerForm->InitView(m_idReader ? m_idReader() : QString());
    if (m_customerForm->exec() != 1)
        return false;
    m_customer = m_customerForm->customerInfo;
    m_hasCustomer = true;
    emit Log(QStringLiteral("customer: %1 %2 %3 %4, ID %5")
                 .arg(m_customer.province, m_customer.city, m_customer.district, m_customer.address,
                      m_customer.idCardNo.isEmpty() ? QStringLiteral("-") : m_customer.idCardNo));
    return true;
}

// --- Preset keys ---------------------------------------------------------------------------

namespace {
const QString GroupFood = QStringLiteral("FOOD");
const QString GroupPackaged = QStringLiteral("PACK");
const QString GroupFresh = QStringLiteral("FRESH");

// The preset keys' captions in the language shown, by code.
QHash<QString, QString> presetKeyNames(bool english)
{
    QHash<QString, QString> names{
        {GroupFood, english ? QStringLiteral("Food") : QStringLiteral("餐饮")},
        {GroupPackaged, english ? QStringLiteral("Packaged") : QStringLiteral("包装食品")},
        {GroupFresh, english ? QStringLiteral("By weight") : QStringLiteral("生鲜称重")},
    };
    const auto add = [&names, english](const DemoProduct& p) {
        names.insert(p.code, english && !p.nameEn.isEmpty() ? p.nameEn : p.name);
    };
    for (const DemoFood& food : DemoOptions::Foods())
        add(food.product);
    const DemoCatalogue catalogue;
    for (const DemoProduct& p : catalogue.Products())
        add(p);
    return names;
}
} // namespace

void DemoOptions::buildPresetKeys()
{
    auto* panel = new PrePluGroupShowWidget(nullptr);
    m_presetKeys = panel;
    const QHash<QString, QString> names = presetKeyNames(english());
    QList<QPair<QString, QString>> foods, packaged, fresh;
    for (const DemoFood& food : Foods())
        foods << qMakePair(food.product.code, names.value(food.product.code));
    const DemoCatalogue catalogue;
    for (const DemoProduct& p : catalogue.Products())
        (p.weighed ? fresh : packaged) << qMakePair(p.code, names.value(p.code));
    panel->SetGroups({{GroupFood, names.value(GroupFood)},
                      {GroupPackaged, names.value(GroupPackaged)},
                      {GroupFresh, names.value(GroupFresh)}});
    panel->SetProducts(GroupFood, foods);
    panel->SetProducts(GroupPackaged, packaged);
    panel->SetProducts(GroupFresh, fresh);
    restoreArrangement();
    panel->SetGrid(3, 4);
    panel->SetGroupColumns(3);
    connect(panel, &PrePluGroupShowWidget::SignPluClicked, this, [this](const QString& code) {
        // In the arrangement dialog a key only selects its product.
        if (m_presetKeys && !m_presetKeys->editMode())
            emit ProductKeyPressed(code);
    });
    // The keys follow a language switch, keeping the cashier's arrangement.
    connect(KxPosTranslator::Instance(), &KxPosTranslator::LanguageChanged, panel,
            [this, panel] { panel->SetNames(presetKeyNames(english())); });
}

// The cashier's arrangement is kept in the demo's configuration as JSON:
// {"groups": [{"code", "hidden"}...], "products": {"<group>": [{"code", "hidden"}...]}},
// each list in the order shown. Restored when the keys are built; codes the
// store no longer sells are dropped, new ones follow the arranged ones.
const QString DemoOptions::ArrangementKey = QStringLiteral("DEMO_PresetKeyArrangement");

void DemoOptions::saveArrangement()
{
    if (!m_presetKeys)
        return;
    const auto list = [](const QList<PrePluGroupShowWidget::Entry>& entries) {
        QJsonArray array;
        for (const PrePluGroupShowWidget::Entry& e : entries)
            array.append(QJsonObject{{QStringLiteral("code"), e.code}, {QStringLiteral("hidden"), e.hidden}});
        return array;
    };
    QJsonObject products;
    for (const PrePluGroupShowWidget::Entry& group : m_presetKeys->Groups())
        products.insert(group.code, list(m_presetKeys->Products(group.code)));
    const QJsonObject arrangement{{QStringLiteral("groups"), list(m_presetKeys->Groups())},
                                  {QStringLiteral("products"), products}};
    KxPosConfig::SetValue(ArrangementKey, QString::fromUtf8(QJsonDocument(arrangement).toJson(QJsonDocument::Compact)));
}

void DemoOptions::restoreArrangement()
{
    const QString stored = KxPosConfig::GetValue(ArrangementKey);
    if (!m_presetKeys || stored.isEmpty())
        return;
    QJsonParseError error{};
    const QJsonObject arrangement = KxPosJson::Parse(stored.toUtf8(), &error).object();
    if (error.error != QJsonParseError::NoError) {
        emit Log(QStringLiteral("preset-key arrangement not restored: %1").arg(error.errorString()));
        return;
    }
    // Entries in the stored order first, then the ones the store added since.
    const auto arranged = [](const QList<PrePluGroupShowWidget::Entry>& current, const QJsonArray& order,
                             QHash<QString, bool>& hidden) {
        QList<QPair<QString, QString>> result;
        QHash<QString, QString> names;
        for (const PrePluGroupShowWidget::Entry& e : current)
            names.insert(e.code, e.name);
        for (const QJsonValue& value : order) {
            const QString code = value.toObject().value(QStringLiteral("code")).toString();
            if (names.contains(code) && !hidden.contains(code)) {
                result << qMakePair(code, names.value(code));
                hidden.insert(code, value.toObject().value(QStringLiteral("hidden")).toBool());
            }
        }
        for (const PrePluGroupShowWidget::Entry& e : current) {
            if (!hidden.contains(e.code)) {
                result << qMakePair(e.code, e.name);
                hidden.insert(e.code, false);
            }
        }
        return result;
    };
    QHash<QString, bool> hiddenGroups;
    const QList<PrePluGroupShowWidget::Entry> groups = m_presetKeys->Groups();
    QHash<QString, QList<PrePluGroupShowWidget::Entry>> productsOf;
    for (const PrePluGroupShowWidget::Entry& group : groups)
        productsOf.insert(group.code, m_presetKeys->Products(group.code));
    m_presetKeys->SetGroups(arranged(groups, arrangement.value(QStringLiteral("groups")).toArray(), hiddenGroups));
    const QJsonObject products = arrangement.value(QStringLiteral("products")).toObject();
    for (const PrePluGroupShowWidget::Entry& group : groups) {
        QHash<QString, bool> hiddenProducts;
        m_presetKeys->SetProducts(group.code, arranged(productsOf.value(group.code),
                                                       products.value(group.code).toArray(), hiddenProducts));
        for (auto it = hiddenProducts.cbegin(); it != hiddenProducts.cend(); ++it)
            m_presetKeys->SetHidden(group.code, it.key(), it.value());
        m_presetKeys->SetHidden(group.code, QString(), hiddenGroups.value(group.code));
    }
}

void DemoOptions::ShowPresetKeys(bool toggle)
{
    if (m_screen && m_presetKeys)
        m_screen->showFastPluKey(m_presetKeys, toggle);
}

void DemoOptions::ArrangePresetKeys()
{
    if (!m_presetKeys)
        return;
    if (!m_arrange) {
        m_arrange = std::make_unique<SortPluManagement>(0, m_screen);
        PrePluGroupShowWidget* panel = m_presetKeys;
        connect(m_arrange.get(), &SortPluManagement::signalLeftBtn, panel, &PrePluGroupShowWidget::SlotMoveLeft);
        connect(m_arrange.get(), &SortPluManagement::signalRightBtn, panel, &PrePluGroupShowWidget::SlotMoveRight);
        connect(m_arrange.get(), &SortPluManagement::signalUpBtn, panel, &PrePluGroupShowWidget::SlotMoveUp);
        connect(m_arrange.get(), &SortPluManagement::signalDownBtn, panel, &PrePluGroupShowWidget::SlotMoveDown);
        connect(m_arrange.get(), &SortPluManagement::signalTopData, panel, &PrePluGroupShowWidget::SlotMoveTop);
        connect(m_arrange.get(), &SortPluManagement::signalHideSort, panel, &PrePluGroupShowWidget::SlotHideSort);
        connect(m_arrange.get(), &SortPluManagement::signalHidePlu, panel, &PrePluGroupShowWidget::SlotHidePlu);
        connect(m_arrange.get(), &SortPluManagement::signalPreShow, this, [this] {
            if (!m_presetKeys)
                return;
            m_presetKeys->SetEditMode(false);
            QStringList order;
            for (const PrePluGroupShowWidget::Entry& g : m_presetKeys->Groups()) {
                QStringList products;
                for (const PrePluGroupShowWidget::Entry& p : m_presetKeys->Products(g.code))
                    products << (p.hidden ? QLatin1Char('(') + p.code + QLatin1Char(')') : p.code);
                order << (g.hidden ? QLatin1Char('(') + g.code + QLatin1Char(')') : g.code)
                             + QLatin1Char(':') + products.join(QLatin1Char(','));
            }
            emit Log(QStringLiteral("preset keys arranged: %1").arg(order.join(QStringLiteral("; "))));
            saveArrangement();
            ShowPresetKeys(false);
        });
    }
    m_presetKeys->SetEditMode(true);
    m_arrange->showWidget();
    m_arrange->showFastPluKey(m_presetKeys);
}

// --- Floating return button ----------------------------------------------------------------

void DemoOptions::HideSalesScreen()
{
    if (m_screen)
        m_screen->hide();
    m_float->showWidget();
    emit Log(QStringLiteral("sales screen hidden"));
}

void DemoOptions::restoreSalesScreen()
{
    if (m_screen) {
        // The plain widget show: the screen's own show() would start a new sale.
        m_screen->QWidget::show();
        m_screen->raise();
        m_screen->activateWindow();
    }
    m_float->SlotTradeNormaled();
    emit Log(QStringLiteral("sales screen back"));
}

// --- Screenshots ---------------------------------------------------------------------------

bool DemoOptions::SaveScreenshots(DemoRender::Display& display)
{
    bool ok = true;
    const auto save = [&](const QString& name, QWidget* onTop) { ok &= display.Save(name, {onTop}); };

    // The dialogs run modally: each is rendered and closed from inside its run.
    QTimer::singleShot(0, this, [&] {
        // A grid's keys are the direct children of its container (form
        // widgets 4, 5, 6 for specification, taste, add-ons), in slot order.
        const auto key = [this](int grid, int slot) {
            return m_spu->getUiQWidget(4 + grid)->findChildren<QPushButton*>(QString(), Qt::FindDirectChildrenOnly).value(slot);
        };
        key(SelectSpuWidget::GridTaste, 2)->click();
        key(SelectSpuWidget::GridSpec, 1)->click();
        key(SelectSpuWidget::GridAdd, 0)->click();
        key(SelectSpuWidget::GridAdd, 2)->click();
        save(QStringLiteral("options-spu"), m_spu.get());
        m_spu->done(0);
    });
    DemoProduct food;
    ChooseFood(Foods().first().product.code, &food, nullptr);

    QTimer::singleShot(0, this, [&] {
        save(QStringLiteral("options-protype"), m_proType.get());
        m_proType->done(0);
    });
    AskPromotionType();

    QTimer::singleShot(0, this, [&] {
        CustomerInfoWidget& form = *m_customerForm;
        form.InitView(QStringLiteral("440305199001011234"));
        QComboBox* province = form.getUiQComboBox(0);
        const int gd = province->findText(QStringLiteral("广东省"));
        province->setCurrentIndex(gd);
        form.SlotComboBoxProvOK(gd);
        form.getUiQComboBox(1)->setCurrentText(QStringLiteral("深圳市"));
        form.SlotComboBoxCityOK(QStringLiteral("深圳市"));
        form.getUiQComboBox(2)->setCurrentText(QStringLiteral("南山区"));
        form.getUiQLineEdit(1)->setText(QStringLiteral("科技园科苑路 15 号 3 栋 1201"));
        save(QStringLiteral("options-customer"), &form);
        form.CloseCustomerInfoWidget();
    });
    EditCustomer();

    // The arrangement dialog with one key chosen; its close key gives the
    // panel back to the sales screen, and the panel goes off it again.
    ArrangePresetKeys();
    if (m_arrange) {
        if (auto* key = m_presetKeys ? m_presetKeys->findChild<QPushButton*>(QStringLiteral("prePlu_3002")) : nullptr)
            key->click();
        save(QStringLiteral("presetkeys-arrange"), m_arrange.get());
        m_arrange->getUiQPushButton(8)->click();
        ShowPresetKeys(true);
    }

    // The floating button on the desktop while the sales screen is hidden.
    HideSalesScreen();
    save(QStringLiteral("presetkeys-float"), m_float.get());
    emit m_float->SignTradeNormal();
    DemoRender::Settle(100);
    return ok;
}
