#include "contracts/PackContentWidget.h"

#include "contracts/AccessibleNames.h"
#include "contracts/KxPosConfig.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/UiTool.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <cmath>

namespace {
constexpr int GroupCountErrorId = 9103;   // "%1：需选 %2 份，已选 %3 份"
constexpr int NotWeighedErrorId = 9104;   // "%1 尚未称重"
constexpr int NothingChosenErrorId = 9105; // "请选择套餐内容"
constexpr int WeighCaptionId = 9106;      // "称重"
constexpr TransMsgId LessName = 7735;      // name of a row's "−" key
constexpr TransMsgId MoreName = 7736;      // name of a row's "+" key
constexpr int GroupPickHeaderId = 9107;   // "%1（选 %2 份，已选 %3 份）"
constexpr int GroupAnyHeaderId = 9108;    // "%1（任选，已选 %2 份）"

bool isWeighed(const KxPosPluComDtDetail& item)
{
    return item.weighFlag == QLatin1String("1");
}

QString quantityText(double qty)
{
    return QString::number(qty, 'g', 6);
}

// Units compare as whole numbers; a fraction below a thousandth is noise.
bool sameQty(double a, double b)
{
    return std::fabs(a - b) < 0.001;
}
} // namespace

PackContentWidget::PackContentWidget(QWidget* parent)
    : QWidget(parent)
    , m_nameLabel(new QLabel(this))
    , m_scroll(new QScrollArea(this))
    , m_content(new QWidget)
    , m_contentLayout(new QVBoxLayout(m_content))
    , m_btnSize(KxPosConfig::GetAutoSize(64, 64, 44, 44))
    , m_rowHeight(KxPosConfig::GetAutoHeight(88, 60))
    , m_headerHeight(KxPosConfig::GetAutoHeight(56, 40))
    , m_evenColour(QStringLiteral("#FFFFFF"))
    , m_oddColour(QStringLiteral("#F5F7FA"))
{
    setObjectName(QStringLiteral("PackContentWidget"));
    m_nameLabel->setObjectName(QStringLiteral("packName"));
    m_content->setObjectName(QStringLiteral("packContent"));
    m_contentLayout->setContentsMargins(0, 0, 0, 0);
    m_contentLayout->setSpacing(0);
    m_scroll->setObjectName(QStringLiteral("packScroll"));
    m_scroll->setWidgetResizable(true);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setWidget(m_content);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_nameLabel);
    layout->addWidget(m_scroll, 1);

    // Weigh captions, group titles and key names follow the language.
    connect(KxPosTranslator::Instance(), &KxPosTranslator::LanguageChanged, this, [this] {
        for (int i = 0; i < m_rows.size(); ++i) {
            AccessibleNames::Set(m_rows.at(i).minus, LessName);
            AccessibleNames::Set(m_rows.at(i).plus, MoreName);
            refreshRow(i);
        }
        refreshHeaders();
    });
}

PackContentWidget::~PackContentWidget() = default;

void PackContentWidget::Init(QList<KxPosPluComDtDetail> items, QString name)
{
    m_name = name;
    m_items = items;
    m_groupIds.clear();
    for (KxPosPluComDtDetail& item : m_items) {
        item.qty = 0.0;
        item.weight = 0.0;
        if (!m_groupIds.contains(item.groupId))
            m_groupIds.append(item.groupId);
    }
    m_nameLabel->setText(name);
    rebuild();
}

void PackContentWidget::rebuild()
{
    // Drop the widgets of the previous package.
    while (QLayoutItem* item = m_contentLayout->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    m_rows.clear();
    m_headers.clear();
    for (int i = 0; i < m_items.size(); ++i)
        m_rows.append(Row());

    for (int g = 0; g < m_groupIds.size(); ++g) {
        auto* header = new QLabel(m_content);
        header->setObjectName(QStringLiteral("packGroup_%1").arg(g));
        header->setProperty("kitRole", QStringLiteral("packGroup"));
        m_contentLayout->addWidget(header);
        header->show(); // rows made while the picker is visible start hidden
        m_headers.append(header);
        for (int i = 0; i < m_items.size(); ++i) {
            if (m_items.at(i).groupId != m_groupIds.at(g))
                continue;
            Row& row = m_rows[i];
            row.widget = new QWidget(m_content);
            row.widget->setObjectName(QStringLiteral("packItem_%1").arg(i));
            row.widget->setProperty("kitRole", QStringLiteral("packItem"));
            row.widget->setAutoFillBackground(true);
            auto* rowLayout = new QHBoxLayout(row.widget);
            rowLayout->setContentsMargins(KxPosConfig::GetAutoWidth(16, 10), 0,
                                          KxPosConfig::GetAutoWidth(16, 10), 0);
            const KxPosPluComDtDetail& item = m_items.at(i);
            row.name = new QLabel(item.pluName, row.widget);
            row.name->setObjectName(QStringLiteral("packItemName"));
            row.name->setWordWrap(true);
            rowLayout->addWidget(row.name, 1);
            if (isWeighed(item)) {
                row.weigh = new QPushButton(row.widget);
                row.weigh->setObjectName(QStringLiteral("packWeigh_%1").arg(i));
                row.weigh->setProperty("kitRole", QStringLiteral("packWeigh"));
                row.weigh->setFocusPolicy(Qt::NoFocus);
                connect(row.weigh, &QPushButton::clicked, this, [this, i] { requestWeight(i); });
                rowLayout->addWidget(row.weigh);
            }
            row.minus = new QPushButton(QStringLiteral("−"), row.widget);
            row.minus->setObjectName(QStringLiteral("packMinus_%1").arg(i));
            row.qty = new QLabel(row.widget);
            row.qty->setObjectName(QStringLiteral("packQty_%1").arg(i));
            row.qty->setAlignment(Qt::AlignCenter);
            row.plus = new QPushButton(QStringLiteral("+"), row.widget);
            row.plus->setObjectName(QStringLiteral("packPlus_%1").arg(i));
            row.minus->setProperty("kitRole", QStringLiteral("packMinus"));
            row.plus->setProperty("kitRole", QStringLiteral("packPlus"));
            row.minus->setFocusPolicy(Qt::NoFocus);
            row.plus->setFocusPolicy(Qt::NoFocus);
            AccessibleNames::Set(row.minus, LessName);
            AccessibleNames::Set(row.plus, MoreName);
            connect(row.minus, &QPushButton::clicked, this, [this, i] { decrease(i); });
            connect(row.plus, &QPushButton::clicked, this, [this, i] { increase(i); });
            rowLayout->addWidget(row.minus);
            rowLayout->addWidget(row.qty);
            rowLayout->addWidget(row.plus);
            m_contentLayout->addWidget(row.widget);
            row.widget->show();
        }
    }
    m_contentLayout->addStretch(1);
    applyLook();
    for (int i = 0; i < m_items.size(); ++i)
        refreshRow(i);
    refreshHeaders();
}

void PackContentWidget::applyLook()
{
    for (QLabel* header : qAsConst(m_headers))
        header->setFixedHeight(m_headerHeight);
    for (int i = 0; i < m_rows.size(); ++i) {
        const Row& row = m_rows.at(i);
        if (!row.widget)
            continue;
        row.widget->setFixedHeight(m_rowHeight);
        QPalette palette = row.widget->palette();
        palette.setColor(QPalette::Window, i % 2 == 0 ? m_evenColour : m_oddColour);
        row.widget->setPalette(palette);
        row.plus->setFixedSize(m_btnSize);
        row.minus->setFixedSize(m_btnSize);
        row.qty->setFixedWidth(m_btnSize.width());
        if (row.weigh)
            row.weigh->setFixedSize(m_btnSize.width() * 2, m_btnSize.height());
        if (m_contentWidth > 0)
            row.name->setFixedWidth(m_contentWidth);
    }
}

void PackContentWidget::refreshRow(int itemIndex)
{
    const Row& row = m_rows.value(itemIndex);
    if (!row.widget)
        return;
    const KxPosPluComDtDetail& item = m_items.at(itemIndex);
    row.qty->setText(quantityText(item.qty));
    row.minus->setEnabled(item.qty > 0.0);
    UiTool::UpdateWidgetStyle(row.widget, "showType",
                              item.qty > 0.0 ? QStringLiteral("choose") : QStringLiteral("normal"));
    if (row.weigh) {
        row.weigh->setText(item.weight > 0.0
                               ? QString::number(item.weight, 'f', 3)
                               : UiTool::TranslateOr(WeighCaptionId, QStringLiteral("称重")));
        // Named for what it does, also while it shows the weight taken.
        row.weigh->setAccessibleName(UiTool::TranslateOr(WeighCaptionId, QStringLiteral("称重")));
        row.weigh->setEnabled(item.qty > 0.0);
    }
}

void PackContentWidget::refreshHeaders()
{
    for (int g = 0; g < m_headers.size(); ++g)
        m_headers.at(g)->setText(groupTitle(g));
}

QString PackContentWidget::groupTitle(int groupIndex) const
{
    int pick = 0;
    QString name;
    for (const KxPosPluComDtDetail& item : m_items) {
        if (item.groupId == m_groupIds.value(groupIndex)) {
            pick = item.groupPickCount;
            name = item.groupName;
            break;
        }
    }
    const QString chosen = quantityText(groupQty(groupIndex));
    if (pick > 0)
        return UiTool::TranslateOr(GroupPickHeaderId, QStringLiteral("%1（选 %2 份，已选 %3 份）"))
            .arg(name, QString::number(pick), chosen);
    return UiTool::TranslateOr(GroupAnyHeaderId, QStringLiteral("%1（任选，已选 %2 份）"))
        .arg(name, chosen);
}

int PackContentWidget::groupIndexOf(int itemIndex) const
{
    if (itemIndex < 0 || itemIndex >= m_items.size())
        return -1;
    return m_groupIds.indexOf(m_items.at(itemIndex).groupId);
}

double PackContentWidget::chosenQty(int itemIndex) const
{
    return (itemIndex >= 0 && itemIndex < m_items.size()) ? m_items.at(itemIndex).qty : 0.0;
}

double PackContentWidget::chosenWeight(int itemIndex) const
{
    return (itemIndex >= 0 && itemIndex < m_items.size()) ? m_items.at(itemIndex).weight : 0.0;
}

double PackContentWidget::groupQty(int groupIndex) const
{
    const QString id = m_groupIds.value(groupIndex);
    if (groupIndex < 0 || groupIndex >= m_groupIds.size())
        return 0.0;
    double total = 0.0;
    for (const KxPosPluComDtDetail& item : m_items) {
        if (item.groupId == id)
            total += item.qty;
    }
    return total;
}

void PackContentWidget::increase(int itemIndex)
{
    if (itemIndex < 0 || itemIndex >= m_items.size())
        return;
    KxPosPluComDtDetail& item = m_items[itemIndex];
    const int group = groupIndexOf(itemIndex);
    if (isWeighed(item) && item.qty > 0.0) {
        requestWeight(itemIndex); // a weighed item is chosen once and weighed again
        return;
    }
    if (item.maxQty > 0.0 && item.qty + 1.0 > item.maxQty + 0.0005)
        return;
    const int pick = item.groupPickCount;
    if (pick > 0 && groupQty(group) + 1.0 > pick + 0.0005) {
        if (pick != 1)
            return;
        // A one-of group: choosing another item replaces the earlier choice.
        for (int i = 0; i < m_items.size(); ++i) {
            if (i != itemIndex && m_items.at(i).groupId == item.groupId && m_items.at(i).qty > 0.0) {
                m_items[i].qty = 0.0;
                m_items[i].weight = 0.0;
                refreshRow(i);
            }
        }
    }
    item.qty += 1.0;
    refreshRow(itemIndex);
    refreshHeaders();
    emit SignChoiceChanged();
    if (isWeighed(item))
        requestWeight(itemIndex);
}

void PackContentWidget::decrease(int itemIndex)
{
    if (itemIndex < 0 || itemIndex >= m_items.size() || m_items.at(itemIndex).qty <= 0.0)
        return;
    KxPosPluComDtDetail& item = m_items[itemIndex];
    item.qty = qMax(item.qty - 1.0, 0.0);
    if (item.qty <= 0.0)
        item.weight = 0.0;
    refreshRow(itemIndex);
    refreshHeaders();
    emit SignChoiceChanged();
}

void PackContentWidget::requestWeight(int itemIndex)
{
    if (itemIndex < 0 || itemIndex >= m_items.size())
        return;
    const KxPosPluComDtDetail& item = m_items.at(itemIndex);
    if (!isWeighed(item) || item.qty <= 0.0)
        return;
    KxPosPluDetail plu;
    plu.pluCode = item.pluCode;
    plu.pluName = item.pluName;
    plu.unitName = item.unitName;
    plu.salePrice = item.price;
    plu.weighFlag = item.weighFlag;
    plu.saleQty = item.qty;
    plu.scaleValue = item.weight;
    emit SignalsGetWeight(plu, itemIndex, PackPageType, static_cast<int>(std::lround(item.qty)),
                          groupIndexOf(itemIndex));
}

void PackContentWidget::UpdateWeight(QString weightText, int itemIndex, int pageType, int count,
                                     int groupIndex)
{
    Q_UNUSED(count) // the count at request time; the current choice decides
    if (pageType != PackPageType || itemIndex < 0 || itemIndex >= m_items.size()
        || groupIndexOf(itemIndex) != groupIndex)
        return;
    KxPosPluComDtDetail& item = m_items[itemIndex];
    if (!isWeighed(item) || item.qty <= 0.0)
        return;
    bool ok = false;
    const double weight = weightText.trimmed().toDouble(&ok);
    if (!ok || !(weight > 0.0))
        return;
    item.weight = weight;
    refreshRow(itemIndex);
    emit SignChoiceChanged();
}

bool PackContentWidget::Confirm(QString& errorText)
{
    bool anyChosen = false;
    for (const KxPosPluComDtDetail& item : qAsConst(m_items))
        anyChosen = anyChosen || item.qty > 0.0;
    if (!anyChosen) {
        errorText = UiTool::TranslateOr(NothingChosenErrorId, QStringLiteral("请选择套餐内容"));
        return false;
    }
    for (int g = 0; g < m_groupIds.size(); ++g) {
        int pick = 0;
        QString name;
        for (const KxPosPluComDtDetail& item : qAsConst(m_items)) {
            if (item.groupId == m_groupIds.at(g)) {
                pick = item.groupPickCount;
                name = item.groupName;
                break;
            }
        }
        const double chosen = groupQty(g);
        if (pick > 0 && !sameQty(chosen, pick)) {
            errorText = UiTool::TranslateOr(GroupCountErrorId,
                                            QStringLiteral("%1：需选 %2 份，已选 %3 份"))
                            .arg(name, QString::number(pick), quantityText(chosen));
            return false;
        }
    }
    for (const KxPosPluComDtDetail& item : qAsConst(m_items)) {
        if (isWeighed(item) && item.qty > 0.0 && !(item.weight > 0.0)) {
            errorText = UiTool::TranslateOr(NotWeighedErrorId, QStringLiteral("%1 尚未称重"))
                            .arg(item.pluName);
            return false;
        }
    }
    errorText.clear();
    return true;
}

QList<KxPosPluComDtDetail> PackContentWidget::GetListInPut() const
{
    QList<KxPosPluComDtDetail> chosen;
    for (const KxPosPluComDtDetail& item : m_items) {
        if (item.qty > 0.0)
            chosen.append(item);
    }
    return chosen;
}

void PackContentWidget::SetBtnSize(const QSize& size)
{
    if (!size.isValid())
        return;
    m_btnSize = size;
    applyLook();
}

void PackContentWidget::SetRowHeight(int height)
{
    if (height <= 0)
        return;
    m_rowHeight = height;
    applyLook();
}

void PackContentWidget::SetContentWidth(int width)
{
    m_contentWidth = qMax(width, 0);
    applyLook();
}

void PackContentWidget::SetHeaderHeight(int height)
{
    if (height <= 0)
        return;
    m_headerHeight = height;
    applyLook();
}

void PackContentWidget::SetRowBackgroundColor(const QColor& even, const QColor& odd)
{
    m_evenColour = even;
    m_oddColour = odd;
    applyLook();
}
