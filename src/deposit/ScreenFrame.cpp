#include "deposit/ScreenFrame_p.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/MessageWidget.h"
#include "contracts/QuestionMessage.h"
#include "contracts/UiTool.h"

#include <QAbstractButton>
#include <QDateTime>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QTableView>
#include <QWidget>

#include <cstring>

namespace {
// The padding a column head's section keeps on each side (style sheet).
constexpr int HeadPadding = 6;

bool isHan(QChar c)
{
    return c.script() == QChar::Script_Han;
}

// `text` on two lines of about equal width, broken at a space or between two
// Chinese characters, when both lines then fit `room`; otherwise broken
// wherever the lines fit.
QString twoLines(const QString& text, int room, const QFontMetrics& metrics)
{
    int best = -1;
    int bestWidth = 0;
    for (int i = 1; i < text.size(); ++i) {
        const bool atSpace = text.at(i) == QLatin1Char(' ');
        if (!atSpace && !(isHan(text.at(i - 1)) && isHan(text.at(i))))
            continue;
        const int width = qMax(metrics.horizontalAdvance(text.left(i).trimmed()),
                               metrics.horizontalAdvance(text.mid(i).trimmed()));
        if (best < 0 || width < bestWidth) {
            best = i;
            bestWidth = width;
        }
    }
    if (best > 0 && bestWidth <= room)
        return text.left(best).trimmed() + QLatin1Char('\n') + text.mid(best).trimmed();
    return UiTool::GetFeedText(text, room, metrics);
}
} // namespace

ScreenFrame::ScreenFrame(int screenType, QWidget* screen)
    : m_screenType(screenType)
    , m_screen(screen)
{
}

MessageWidget* ScreenFrame::messageBox()
{
    if (!m_messageBox)
        m_messageBox = new MessageWidget(m_screenType, m_screen);
    return m_messageBox;
}

QuestionMessage* ScreenFrame::questionBox()
{
    if (!m_questionBox)
        m_questionBox = new QuestionMessage(m_screenType, m_screen);
    return m_questionBox;
}

void ScreenFrame::showMessage(TransMsgId messageId)
{
    showText(KxPosTranslator::GetTranslation(messageId));
}

void ScreenFrame::showText(const QString& text)
{
    messageBox()->showMessage(text, KxPosTranslator::GetTranslation(MessageTitleId), 3, false);
}

bool ScreenFrame::ask(TransMsgId messageId)
{
    return questionBox()->ShowMessage(KxPosTranslator::GetTranslation(MessageTitleId),
                                      KxPosTranslator::GetTranslation(messageId))
           == 1;
}

void ScreenFrame::applyCaptions(QWidget* root, const Caption* captions, std::size_t count)
{
    if (!root || !captions)
        return;
    for (std::size_t i = 0; i < count; ++i) {
        const Caption& c = captions[i];
        QWidget* widget = root->objectName() == QLatin1String(c.objectName)
                              ? root
                              : root->findChild<QWidget*>(QLatin1String(c.objectName));
        if (!widget)
            continue;
        const QString text = KxPosTranslator::GetTranslation(c.messageId);
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            button->setText(text);
        else if (auto* label = qobject_cast<QLabel*>(widget))
            label->setText(text);
    }
}

TransMsgId ScreenFrame::captionFor(const char* objectName, const Caption* captions, std::size_t count)
{
    if (!objectName || !captions)
        return 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (std::strcmp(captions[i].objectName, objectName) == 0)
            return captions[i].messageId;
    }
    return 0;
}

void ScreenFrame::applyProjectCode(QLabel* logo, QWidget* logoFrame)
{
    if (!logo)
        return;
    if (KxPosConfig::sProjectCode == QLatin1String("1")) {
        logo->setText(QStringLiteral("STD7.0"));
    } else if (KxPosConfig::sProjectCode == QLatin1String("2")) {
        logo->setText(QString());
        const QSize size = KxPosConfig::GetAutoSize(120, 40, 75, 25);
        logo->setFixedSize(size);
        logo->resize(size);
        UiTool::UpdateWidgetStyle(logoFrame, "showType", QStringLiteral("KRVA"));
    }
}

void ScreenFrame::showClock(QLabel* time, QLabel* date, const QString& text)
{
    static const QString format = QStringLiteral("yyyy-MM-dd ddd hh:mm:ss");
    // The host may write the weekday in any of the screens' languages or in
    // the C locale.
    QDateTime when = QLocale::c().toDateTime(text, format);
    for (const QString& name : {QStringLiteral("zh_CN"), QStringLiteral("en_US")}) {
        if (when.isValid())
            break;
        when = QLocale(name).toDateTime(text, format);
    }
    if (!when.isValid())
        when = QLocale::system().toDateTime(text, format);

    const QLocale locale(KxPosConfig::sLanguage);
    if (time)
        time->setText(when.isValid() ? locale.toString(when, QStringLiteral("hh:mm:ss")) : QString());
    const QString dateFormat = KxPosConfig::iRatioType == 1 ? QStringLiteral("yyyy-MM-dd")
                                                            : QStringLiteral("yyyy-MM-dd ddd");
    if (date)
        date->setText(when.isValid() ? locale.toString(when, dateFormat) : QString());
}

void ScreenFrame::showStatus(QLabel* store, QLabel* terminal, QLabel* cashier, const QString& orgcode,
                             const QString& wgtcode, const QString& username)
{
    QString storeText = orgcode;
    if (KxPosConfig::GetValue(QStringLiteral("TRADE_ShowOrgPosType"), QStringLiteral("0")) == QLatin1String("2"))
        storeText = KxPosConfig::sOrgName + orgcode;
    if (store)
        store->setText(storeText);
    if (terminal)
        terminal->setText(KxPosTranslator::GetTranslation(1247) + QLatin1Char('-') + wgtcode);
    if (cashier)
        cashier->setText(username);
}

void ScreenFrame::setClock(QLabel* time, QLabel* date, const QString& text)
{
    m_time = time;
    m_date = date;
    m_clockText = text;
    m_clockSet = true;
    showClock(time, date, text);
}

void ScreenFrame::setStatus(QLabel* store, QLabel* terminal, QLabel* cashier, const QString& orgcode,
                            const QString& wgtcode, const QString& username)
{
    m_store = store;
    m_terminal = terminal;
    m_cashier = cashier;
    m_status[0] = orgcode;
    m_status[1] = wgtcode;
    m_status[2] = username;
    m_statusSet = true;
    showStatus(store, terminal, cashier, orgcode, wgtcode, username);
}

void ScreenFrame::refreshStatusBar()
{
    if (m_clockSet)
        showClock(m_time, m_date, m_clockText);
    if (m_statusSet)
        showStatus(m_store, m_terminal, m_cashier, m_status[0], m_status[1], m_status[2]);
}

void ScreenFrame::wrapColumnHeads(QTableView* view)
{
    QAbstractItemModel* model = view ? view->model() : nullptr;
    if (!model)
        return;
    QHeaderView* header = view->horizontalHeader();
    header->ensurePolished();
    const QFontMetrics metrics = header->fontMetrics();
    for (int column = 0; column < model->columnCount(); ++column) {
        QString head = model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        head.replace(QLatin1Char('\n'), QLatin1Char(' '));
        model->setHeaderData(column, Qt::Horizontal, head, Qt::DisplayRole);
        // The section's own hint knows the font and padding it is drawn with.
        const int room = header->sectionSize(column) - 2 * HeadPadding;
        if (room > 0 && header->sectionSizeHint(column) > header->sectionSize(column))
            model->setHeaderData(column, Qt::Horizontal, twoLines(head, room, metrics), Qt::DisplayRole);
    }
}

void ScreenFrame::setBarHeight(QWidget* bar, int height)
{
    if (!bar)
        return;
    bar->setMinimumHeight(height);
    bar->setSizePolicy(bar->sizePolicy().horizontalPolicy(), QSizePolicy::Fixed);
}

void ScreenFrame::setFontSize(QWidget* widget, const char* size)
{
    UiTool::UpdateWidgetStyle(widget, "fontsize", QString::fromLatin1(size));
}

bool ScreenFrame::isDigitText(const QString& text)
{
    return text.size() == 1 && text.at(0) >= QLatin1Char('0') && text.at(0) <= QLatin1Char('9');
}
