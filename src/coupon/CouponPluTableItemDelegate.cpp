#include "coupon/CouponPluTableItemDelegate.h"

#include "coupon/CouponPaintStyle_p.h"
#include "coupon/CouponPluTableModel.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosModel.h"
#include "contracts/KxPosTranslator.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr int WeighColumn = 1;
constexpr int DetailColumn = 3;

const QString WeighedFlag = QStringLiteral("1");
const QString PackageType = QStringLiteral("07");

KxPosPluDetail productOf(const QModelIndex& index)
{
    return index.data(CouponPluTableModel::RecordRole).value<KxPosPluDetail>();
}

int baseRowHeight()
{
    return KxPosConfig::GetAutoHeight(100, 64);
}

int contentLineHeight()
{
    return KxPosConfig::GetAutoHeight(30, 22);
}

QString quantityText(const KxPosPluDetail& product)
{
    return product.weighFlag == WeighedFlag ? QString::number(product.saleQty, 'f', 3)
                                            : QString::number(product.saleQty, 'g', 8);
}
} // namespace

CouponPluTableItemDelegate::CouponPluTableItemDelegate(QObject* parent)
    : QStyledItemDelegate(parent)
{
    KxPosModel::RegisterMetaTypes();
}

CouponPluTableItemDelegate::~CouponPluTableItemDelegate() = default;

QSize CouponPluTableItemDelegate::WeighButtonSize()
{
    return QSize(KxPosConfig::GetAutoWidth(140, 80), KxPosConfig::GetAutoHeight(60, 40));
}

QSize CouponPluTableItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const KxPosPluDetail product = productOf(index);
    return QSize(option.rect.width(), baseRowHeight() + product.packSelection.size() * contentLineHeight());
}

void CouponPluTableItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                       const QModelIndex& index) const
{
    if (!index.isValid())
        return;
    const KxPosPluDetail product = productOf(index);
    const bool current = option.state.testFlag(QStyle::State_Selected);
    const QColor accent = CouponPaintStyle::Color("$color2", "#23BAFA");
    const QColor text = CouponPaintStyle::MainText();
    const QRect cell = option.rect;
    const int pad = KxPosConfig::GetAutoWidth(16, 10);
    // The row's own line; package contents follow below it.
    const QRect head(cell.left() + pad, cell.top(), cell.width() - 2 * pad, qMin(cell.height(), baseRowHeight()));

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->fillRect(cell, current ? CouponPaintStyle::Color("$colorD", "#E6F6FE") : QColor(QStringLiteral("#FFFFFF")));
    painter->setPen(QColor(QStringLiteral("#EDEDED")));
    painter->drawLine(cell.bottomLeft(), cell.bottomRight());

    switch (index.column()) {
    case 0: {
        const QFont nameFont = CouponPaintStyle::Font(option.font, "$size3", 20, true);
        const QRect upper(head.left(), head.top(), head.width(), head.height() / 2);
        const QRect lower(head.left(), head.top() + head.height() / 2, head.width(), head.height() / 2);
        painter->setFont(nameFont);
        painter->setPen(current ? accent : text);
        painter->drawText(upper, Qt::AlignLeft | Qt::AlignBottom,
                          QFontMetrics(nameFont).elidedText(product.pluName, Qt::ElideRight, upper.width()));
        const QString detail = KxPosTranslator::GetTranslation(1107) + QString::number(product.salePrice, 'f', 2)
            + QStringLiteral("   ") + KxPosTranslator::GetTranslation(1123) + quantityText(product);
        const QFont detailFont = CouponPaintStyle::Font(option.font, "$size1", 16);
        painter->setFont(detailFont);
        painter->setPen(CouponPaintStyle::SecondText());
        painter->drawText(lower.adjusted(0, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                          QFontMetrics(detailFont).elidedText(detail, Qt::ElideRight, lower.width()));
        // One line per chosen package content.
        int y = head.bottom() + 1;
        for (const KxPosPluComDtDetail& item : product.packSelection) {
            const QRect line(head.left() + pad, y, head.width() - pad, contentLineHeight());
            const double quantity = item.weighFlag == WeighedFlag && item.weight > 0.0 ? item.weight : item.qty;
            painter->drawText(line, Qt::AlignLeft | Qt::AlignVCenter,
                              QStringLiteral("-%1 x %2").arg(item.pluName, QString::number(quantity, 'g', 8)));
            y += contentLineHeight();
        }
        break;
    }
    case WeighColumn:
        if (product.weighFlag == WeighedFlag) {
            const QSize size = WeighButtonSize();
            const QRect button(head.left() + (head.width() - size.width()) / 2,
                               head.top() + (head.height() - size.height()) / 2, size.width(), size.height());
            const qreal radius = CouponPaintStyle::Size("$radius2", 8);
            painter->setPen(Qt::NoPen);
            painter->setBrush(accent);
            painter->drawRoundedRect(button, radius, radius);
            painter->setFont(CouponPaintStyle::Font(option.font, "$size2", 18));
            painter->setPen(QColor(QStringLiteral("#FFFFFF")));
            // Once weighed the key shows the weight (a press weighs again):
            // the detail line beside it, which also holds the weight, is cut
            // short on a small display.
            painter->drawText(button, Qt::AlignCenter,
                              product.saleQty > 0.0 ? quantityText(product) + QStringLiteral("kg")
                                                    : KxPosTranslator::GetTranslation(9106));
        } else {
            painter->setFont(CouponPaintStyle::Font(option.font, "$size3", 20));
            painter->setPen(text);
            painter->drawText(head, Qt::AlignCenter, quantityText(product));
        }
        break;
    case 2:
        painter->setFont(CouponPaintStyle::Font(option.font, "$size3", 20));
        painter->setPen(text);
        painter->drawText(head, Qt::AlignRight | Qt::AlignVCenter, QString::number(product.salePrice, 'f', 2));
        break;
    case DetailColumn: {
        const QRect upper(head.left(), head.top(), head.width(), head.height() / 2);
        const QRect lower(head.left(), head.top() + head.height() / 2, head.width(), head.height() / 2);
        painter->setFont(CouponPaintStyle::Font(option.font, "$size7", 30, true));
        painter->setPen(text);
        painter->drawText(product.pluType == PackageType ? upper : head,
                          product.pluType == PackageType ? (Qt::AlignHCenter | Qt::AlignBottom) : Qt::AlignCenter,
                          QString::number(product.salePrice * product.saleQty, 'f', 2));
        if (product.pluType == PackageType) {
            painter->setFont(CouponPaintStyle::Font(option.font, "$size1", 16));
            painter->setPen(accent);
            painter->drawText(lower.adjusted(0, 2, 0, 0), Qt::AlignHCenter | Qt::AlignTop,
                              KxPosTranslator::GetTranslation(7062));
        }
        break;
    }
    default:
        break;
    }
    painter->restore();
}

bool CouponPluTableItemDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                                             const QStyleOptionViewItem& option, const QModelIndex& index)
{
    if (event && event->type() == QEvent::MouseButtonRelease && index.isValid()) {
        const KxPosPluDetail product = productOf(index);
        if (index.column() == WeighColumn && product.weighFlag == WeighedFlag) {
            emit SignButtonWeightClicked(index);
            return true;
        }
        if (index.column() == DetailColumn && product.pluType == PackageType) {
            emit SignButtonDetailClicked(index);
            return true;
        }
    }
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}
