#include "trade/StandardDelegate.h"

#include "contracts/KxPosConfig.h"
#include "contracts/QtCompat_p.h"
#include "contracts/UiTool.h"
#include "trade/OrderStyle_p.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include <cmath>

namespace {
const QColor TextColour(QStringLiteral("#4A4A4A"));
const QColor SeparatorColour(QStringLiteral("#DCDDDD"));
const QString CaptionStyle = QStringLiteral("background: %1;border-radius:4px; color: #FFFFFF; font-size: %2px;");

QString styleText(const char* name, const char* fallback)
{
    return KxPosConfig::styleMap.value(QLatin1String(name), QLatin1String(fallback));
}

double styleScale(const char* name)
{
    bool ok = false;
    const double scale = KxPosConfig::styleMap.value(QLatin1String(name)).toDouble(&ok);
    return ok && scale > 0.0 ? scale : 1.0;
}

QPixmap picture(const char* path, int side)
{
    const QPixmap source(QString::fromUtf8(path));
    if (source.isNull() || side <= 0)
        return source;
    return source.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}
} // namespace

StandardDelegate::StandardDelegate(QObject* parent)
    : QItemDelegate(parent)
    , m_textSize(static_cast<int>(std::lround(KxPosConfig::dRate * 12 + 13)))
    , m_pictureSize(static_cast<int>(std::lround(KxPosConfig::dRate * 20 + 20)))
{
    const QFont base = QApplication::font();
    m_nameFont = base;
    m_nameFont.setPixelSize(qMax(8, static_cast<int>(std::lround(Style("$fontSize", 14) * styleScale("$titleScale")))));
    m_quantityFont = base;
    m_quantityFont.setPixelSize(
        qMax(8, static_cast<int>(std::lround(Style("$fontWeightSize", 13) * styleScale("$titleScale")))));
    m_captionFont = base;
    m_captionFont.setPixelSize(
        qMax(8, static_cast<int>(std::lround(Style("$fontWeightSize", 13) * styleScale("$titleScale")))));
    m_numberFont = base;
    m_numberFont.setPixelSize(
        qMax(8, static_cast<int>(std::lround(Style("$fontWeightSize", 13) * styleScale("$titleScaleDel")))));

    m_minusPicture = picture(":/Images/order/减.png", m_pictureSize);
    m_plusPicture = picture(":/Images/order/加.png", m_pictureSize);
    m_removePicture = picture(":/Images/order/删除商品.png", m_pictureSize);

    m_captionButton = std::make_unique<QPushButton>();
    m_captionButton->setObjectName(QStringLiteral("orderWeighCaption"));
    m_captionButton->setAttribute(Qt::WA_DontShowOnScreen);
    m_captionButton->setStyleSheet(
        CaptionStyle.arg(styleText("$color2", "#23BAFA")).arg(m_captionFont.pixelSize()));
}

StandardDelegate::~StandardDelegate() = default;

QString StandardDelegate::WeighCaption()
{
    return QStringLiteral("去称重");
}

int StandardDelegate::Style(const char* name, int fallback) const
{
    bool ok = false;
    const int value = KxPosConfig::styleMap.value(QLatin1String(name)).toInt(&ok);
    return ok ? value : fallback;
}

void StandardDelegate::SetShowButtons(bool show)
{
    m_showButtons = show;
}

void StandardDelegate::SetWeighRows(const QMap<int, QString>& rows)
{
    m_weighRows = rows;
}

void StandardDelegate::SetModeText(const QString& text)
{
    m_modeText = text;
}

void StandardDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    if (!painter || !index.isValid())
        return;
    painter->save();
    const QRect cell = option.rect;
    painter->fillRect(cell, OrderStyle::RowBackground(option, index));
    painter->setPen(TextColour);

    const int listX = Style("$listX", 12);
    const QString text = index.data(Qt::DisplayRole).toString();
    switch (index.column()) {
    case 0:
        if (m_showButtons && m_modeText != QLatin1String("0") && !m_removePicture.isNull()) {
            const int x = cell.left() + qMax(0, (cell.width() - m_removePicture.width()) / 2);
            painter->drawPixmap(x, cell.top() + (cell.height() - m_removePicture.height()) / 2, m_removePicture);
            m_removeX = x;
        } else {
            if (!m_showButtons || m_modeText == QLatin1String("0"))
                m_removeX = NoPosition;
            painter->setFont(m_numberFont);
            painter->drawText(cell.adjusted(listX, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
        }
        break;
    case 1: {
        // The name column is narrow on small displays: a long name takes the
        // lines the row has room for ("乐事薯片 / 原味") before it is cut, as
        // the flavour or size at its end is what the picker looks for.
        painter->setFont(m_nameFont);
        const QRect area = cell.adjusted(listX, 0, -listX, 0);
        const QFontMetrics metrics(m_nameFont);
        const int lines = qMax(1, area.height() / qMax(1, metrics.lineSpacing()));
        painter->drawText(area, Qt::AlignLeft | Qt::AlignVCenter,
                          UiTool::GetFeedElidedText(text, area.width(), lines, metrics));
        break;
    }
    case 2:
        if (m_showButtons)
            PaintQuantity(painter, cell, index);
        else {
            painter->setFont(m_quantityFont);
            painter->drawText(cell.adjusted(0, 0, -Style("$listLeftX", 40), 0), Qt::AlignRight | Qt::AlignVCenter,
                              text);
        }
        break;
    default:
        painter->setFont(m_quantityFont);
        painter->drawText(cell.adjusted(listX, 0, -listX, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
        break;
    }
    painter->setPen(SeparatorColour);
    painter->drawLine(cell.bottomLeft(), cell.bottomRight());
    painter->restore();
}

void StandardDelegate::PaintQuantity(QPainter* painter, const QRect& cell, const QModelIndex& index) const
{
    const QString text = index.data(Qt::DisplayRole).toString();
    if (m_weighRows.value(index.row()) == QLatin1String("1") || text == WeighCaption()) {
        PaintWeighCaption(painter, cell, text);
        return;
    }
    const int margin = Style("$listX", 12) / 2;
    const int side = m_pictureSize;
    const int top = cell.top() + (cell.height() - side) / 2;
    const int minusLeft = cell.left() + margin;
    const int plusRight = cell.right() - margin;
    painter->drawPixmap(minusLeft, top, m_minusPicture);
    painter->drawPixmap(plusRight - side, top, m_plusPicture);
    m_minusX = minusLeft;
    m_plusX = plusRight;

    painter->setFont(m_quantityFont);
    const QRect between(minusLeft + side, cell.top(), qMax(0, plusRight - side - (minusLeft + side)), cell.height());
    painter->drawText(between, Qt::AlignCenter, text);
}

void StandardDelegate::PaintWeighCaption(QPainter* painter, const QRect& cell, const QString& caption) const
{
    QPushButton* button = m_captionButton.get();
    button->setText(caption);
    button->ensurePolished();
    const QFontMetrics metrics(m_captionFont);
    const int height = qMin(cell.height() - 4, qMax(m_textSize, metrics.height() + 14));
    const int width = qMin(cell.width() - 8, metrics.horizontalAdvance(caption) + 4 * metrics.averageCharWidth() + 8);
    const QRect area(cell.left() + (cell.width() - width) / 2, cell.top() + (cell.height() - height) / 2, width,
                     height);

    // The caption is a real push button with the caption style, rendered
    // off screen (rounded corners stay transparent) and drawn into the cell.
    button->setFixedSize(area.size());
    QPixmap face(area.size());
    face.fill(Qt::transparent);
    button->render(&face, QPoint(), QRegion(), QWidget::DrawChildren);
    painter->drawPixmap(area.topLeft(), face);
}

bool StandardDelegate::editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                                   const QModelIndex& index)
{
    if (!event)
        return false;
    if (event->type() == QEvent::MouseButtonDblClick)
        return QItemDelegate::editorEvent(event, model, option, index);
    if (event->type() != QEvent::MouseButtonRelease)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton || !index.isValid() || !m_showButtons)
        return false;

    const int x = KxPosQt::position(mouse).x();
    const auto rightOf = [x](int position) {
        return position != NoPosition && x - position >= 1 && x - position <= ClickWidth;
    };
    const auto leftOf = [x](int position) {
        return position != NoPosition && position - x >= 1 && position - x <= ClickWidth;
    };

    if (index.column() == 0) {
        if (!rightOf(m_removeX))
            return false;
        emit signRemove(index);
        return true;
    }
    if (index.column() != 2)
        return false;
    if (m_weighRows.value(index.row()) == QLatin1String("1")
        || index.data(Qt::DisplayRole).toString() == WeighCaption()) {
        emit signWeightProd(index.row());
        return true;
    }
    if (rightOf(m_minusX)) {
        emit signMinusOne(index);
        return true;
    }
    if (leftOf(m_plusX)) {
        emit signAddOne(index);
        return true;
    }
    return false;
}
