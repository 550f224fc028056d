// The till's own duties behind the demo's function keys: line and bill
// discounts within their limits, a price change, a return sale, the cash
// drawer, a reprint of the last receipt, pausing the till and depositing the
// last paid sale whole. Each answers on the screen.

#include "DemoHost.h"

#include "DemoFunctionKey.h"
#include "DemoNotice.h"

#include "trade/TradeWidget.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosJson.h"
#include "contracts/KxPosTranslator.h"

#include <QAbstractButton>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMenu>

const QString DemoHost::FnLineDiscount = QStringLiteral("F011");
const QString DemoHost::FnBillDiscount = QStringLiteral("F012");
const QString DemoHost::FnDrawer = QStringLiteral("F016");
const QString DemoHost::FnReprint = QStringLiteral("F017");
const QString DemoHost::FnReturnSale = QStringLiteral("F026");
const QString DemoHost::FnChangePrice = QStringLiteral("F027");
const QString DemoHost::FnKeyboard = QStringLiteral("F028");
const QString DemoHost::FnIdle = QStringLiteral("F029");
const QString DemoHost::FnDepositSale = QStringLiteral("F030");
const QString DemoHost::FnMenu = QStringLiteral("F031");

namespace {
// Function-menu entries that press a key of the weighing strip.
const QString ScaleKeyPrefix = QStringLiteral("scale:");
// The function menu's own entries, captioned in pairs as the function keys
// are: the submenu of the weighing strip's tare keys, and a preset tare in it
// (%1: its weight).
const dynMapButton TareKeysEntry = DemoFunctionKey(ScaleKeyPrefix, QStringLiteral("皮重键"), QStringLiteral("Tare keys"));
const dynMapButton PresetTareEntry =
    DemoFunctionKey(ScaleKeyPrefix, QStringLiteral("预置皮重 %1"), QStringLiteral("Preset tare %1"));
// Caption of the sales screen's weighed-tare key.
constexpr int CutTareCaptionId = 7009;
// Caption of its clear-tare key.
constexpr int ClearTareCaptionId = 7008;
// Each press of a discount key takes this much more off.
constexpr double LineDiscountStep = 0.1;
constexpr double BillDiscountStep = 0.05;

// A menu entry's caption in the language shown (the Chinese one where a key
// has no English caption).
QString menuCaption(const dynMapButton& entry)
{
    const bool english = KxPosConfig::sLanguage.startsWith(QLatin1String("en"));
    return english && !entry.funcNameEn.isEmpty() ? entry.funcNameEn : entry.funcName;
}

QString percent(double fraction)
{
    return QString::number(qRound(fraction * 100.0));
}
} // namespace

void DemoHost::Notify(const QString& zh, const QString& en)
{
    DemoNotice::Show(m_screen.get(), DemoNotice::Text(zh, en));
}

bool DemoHost::HandleTillDuty(const QString& code)
{
    static const QStringList duties{FnLineDiscount, FnBillDiscount, FnChangePrice, FnReturnSale,
                                    FnKeyboard,     FnDrawer,       FnReprint,     FnIdle,
                                    FnDepositSale};
    if (!duties.contains(code))
        return false;
    // The line the cashier is on; the last one when none is chosen.
    int row = m_screen->GetTable()->currentRow();
    if (row < 0 || row >= m_sale.Lines().size())
        row = m_sale.Lines().size() - 1;

    if (code == FnLineDiscount) {
        if (row < 0) {
            Notify(QStringLiteral("没有可打折的商品"), QStringLiteral("There is no line to discount"));
            return true;
        }
        const double next = m_sale.LineDiscount(row) + LineDiscountStep;
        if (!m_sale.SetLineDiscount(row, next)) {
            Notify(QStringLiteral("单品折扣最多 %1%").arg(percent(DemoSale::MaxLineDiscount)),
                   QStringLiteral("A line discount may not exceed %1%").arg(percent(DemoSale::MaxLineDiscount)));
            return true;
        }
        Record(QStringLiteral("line %1 discounted %2%").arg(row).arg(percent(next)));
        Rebind();
        m_screen->ScrollSpecifyRow(row);
    } else if (code == FnBillDiscount) {
        if (m_sale.IsEmpty()) {
            Notify(QStringLiteral("没有可打折的商品"), QStringLiteral("There is no line to discount"));
            return true;
        }
        const double next = m_sale.BillDiscount() + BillDiscountStep;
        if (!m_sale.SetBillDiscount(next)) {
            Notify(QStringLiteral("整单折扣最多 %1%").arg(percent(DemoSale::MaxBillDiscount)),
                   QStringLiteral("A bill discount may not exceed %1%").arg(percent(DemoSale::MaxBillDiscount)));
            return true;
        }
        Record(QStringLiteral("bill discounted %1%").arg(percent(next)));
        Rebind();
    } else if (code == FnChangePrice) {
        // The new price is typed first, then the key pressed.
        QLineEdit* box = m_screen->getUiQLineEdit(26);
        bool ok = false;
        const double price = box ? box->text().trimmed().toDouble(&ok) : 0.0;
        if (row < 0 || !ok || !m_sale.SetPrice(row, price)) {
            Notify(QStringLiteral("请先输入新单价，再按改价"), QStringLiteral("Type the new price, then press Change price"));
            return true;
        }
        box->clear();
        Record(QStringLiteral("line %1 priced %2").arg(row).arg(price, 0, 'f', 2));
        Rebind();
        m_screen->ScrollSpecifyRow(row);
    } else if (code == FnReturnSale) {
        if (!m_sale.IsEmpty()) {
            Notify(QStringLiteral("请先结束当前销售，再开始退货"), QStringLiteral("Finish the current sale before a return"));
            return true;
        }
        m_returnSale = !m_returnSale;
        m_screen->initValue(m_returnSale);
        PushTotals();
        Record(m_returnSale ? QStringLiteral("return sale started") : QStringLiteral("back to sale"));
    } else if (code == FnKeyboard) {
        // The preset-key keyboard (the key under the quick-pay keys pays cash).
        m_screen->ShowPreKeyBoard();
    } else if (code == FnIdle) {
        // The till waits for the next customer; the start key or the next
        // scan starts a sale (SignTrdStartTrade).
        if (!m_sale.IsEmpty()) {
            Notify(QStringLiteral("请先结束当前销售，再暂停收银"), QStringLiteral("Finish the current sale before pausing"));
            return true;
        }
        m_screen->SetTradeActive(false);
        Record(QStringLiteral("till idle"));
    } else if (code == FnDepositSale) {
        const QString serial = m_lastPaid.saleNo.mid(1);
        m_deposits->StartWholeSaleDeposit(m_lastPaid.saleNo, serial, m_lastPaid.lines, m_lastPaid.member);
    } else if (code == FnDrawer) {
        Record(QStringLiteral("drawer opened"));
        Notify(QStringLiteral("钱箱已打开"), QStringLiteral("The cash drawer is open"));
    } else if (code == FnReprint) {
        const QList<DemoPayment>& history = m_payments.History();
        if (history.isEmpty()) {
            Notify(QStringLiteral("还没有可重打的小票"), QStringLiteral("There is no receipt to reprint yet"));
            return true;
        }
        const DemoPayment& last = history.last();
        Record(QStringLiteral("receipt reprinted"));
        Notify(QStringLiteral("已重打小票：应收 %1，找零 %2").arg(last.due, 0, 'f', 2).arg(last.change, 0, 'f', 2),
               QStringLiteral("Receipt reprinted: due %1, change %2").arg(last.due, 0, 'f', 2).arg(last.change, 0, 'f', 2));
    }
    return true;
}

// The preset tares the weighing strip shows (configured as a JSON list of
// {"weight": "0.010"}).
QStringList DemoHost::PresetTares() const
{
    QStringList weights;
    const QJsonArray list =
        KxPosJson::Parse(KxPosConfig::GetValue(QStringLiteral("TRADE_TareOptions"), QString()).toUtf8()).array();
    for (const QJsonValue& element : list) {
        const QString weight = element.toObject().value(QStringLiteral("weight")).toVariant().toString();
        if (m_screen->GetButtonByWeight(weight))
            weights << weight;
    }
    return weights;
}

// A tare key of the weighing strip chosen in the function menu does what a
// tap on it does.
void DemoHost::PressScaleKey(const QString& key)
{
    // The strip's slots answer its own keys; they are invoked by name.
    if (key == QLatin1String("cut"))
        QMetaObject::invokeMethod(m_screen.get(), "SlotBtnCutTareClicked");
    else if (key == QLatin1String("clear"))
        QMetaObject::invokeMethod(m_screen.get(), "SlotBtnClearTareClicked");
    else if (QAbstractButton* preset = m_screen->GetButtonByWeight(key))
        preset->click(); // toggles the key as a tap does; a disabled key stays as it is
}

void DemoHost::OpenFunctionMenu()
{
    if (!m_functionMenu) {
        m_functionMenu = new QMenu(m_screen.get());
        m_functionMenu->setObjectName(QStringLiteral("functionMenu"));
        // A chosen function does what its key in the grid does.
        connect(m_functionMenu, &QMenu::triggered, this,
                [this](QAction* action) {
                    const QString code = action->data().toString();
                    if (code.startsWith(ScaleKeyPrefix)) {
                        PressScaleKey(code.mid(ScaleKeyPrefix.size()));
                        return;
                    }
                    // While the till pauses, the screen answers as it answers the grid's keys.
                    if (!m_screen->IsTradeActive())
                        m_screen->ShowToBeginMessage();
                    else
                        OnFunction(action->data().toString());
                });
    }
    // Built when opened: the captions follow the language shown.
    m_functionMenu->clear();
    for (const dynMapButton& f : m_screen->gridFunctions) {
        if (f.funcCode == FnMenu)
            continue; // a cashier who moved the menu key into the grid: the menu does not list itself
        m_functionMenu->addAction(menuCaption(f))->setData(f.funcCode);
    }
    // Then the shortcut bar's functions that no key reaches (the void-sale
    // key, or whichever the cashier moved onto the bar).
    for (const dynMapButton& f : m_screen->shortcutFunctions) {
        if (!HasOwnKey(f.funcCode))
            m_functionMenu->addAction(menuCaption(f))->setData(f.funcCode);
    }
    // Then the weighing strip's tare keys, which have no key of their own, in
    // a submenu (Right arrow or Enter opens it) that keeps the menu within
    // an 800x600 display: the weighed tare, clearing it, each preset tare.
    // The submenu lives as long as the menu (its entry survives clear()).
    QMenu* tare = m_functionMenu->findChild<QMenu*>(QStringLiteral("tareMenu"));
    if (!tare) {
        tare = new QMenu(m_functionMenu);
        tare->setObjectName(QStringLiteral("tareMenu"));
    }
    tare->clear();
    tare->setTitle(menuCaption(TareKeysEntry));
    m_functionMenu->addMenu(tare);
    tare->addAction(KxPosTranslator::GetTranslation(CutTareCaptionId))->setData(ScaleKeyPrefix + QStringLiteral("cut"));
    tare->addAction(KxPosTranslator::GetTranslation(ClearTareCaptionId))->setData(ScaleKeyPrefix + QStringLiteral("clear"));
    for (const QString& weight : PresetTares())
        tare->addAction(menuCaption(PresetTareEntry).arg(weight))
            ->setData(PresetTareEntry.funcCode + weight);
    // Over the middle of the sales screen; the first function is current.
    const QSize size = m_functionMenu->sizeHint();
    const QPoint centre = m_screen->mapToGlobal(m_screen->rect().center());
    m_functionMenu->popup(centre - QPoint(size.width() / 2, size.height() / 2));
    if (!m_functionMenu->actions().isEmpty())
        m_functionMenu->setActiveAction(m_functionMenu->actions().first());
    Record(QStringLiteral("function menu"));
}
