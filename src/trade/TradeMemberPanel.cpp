// Member and sales-clerk panel: shows the member the host logged in, asks the
// host for log-ins and details, and offers the menu of sales clerks.

#include "trade/TradeWidget.h"
#include "ui_TradeWidget.h"

#include "trade/TradeAccessibility_p.h"


#include "contracts/AccessibleNames.h"
#include "contracts/KxPosConfig.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/WindowPlacement.h"

#include <QAction>
#include <QIcon>
#include <QMenu>

namespace {
const QString FourSpaces = QStringLiteral("    ");

bool employeesInUse()
{
    return KxPosConfig::GetValue(QStringLiteral("TRADE_IsUseEmployee"), QStringLiteral("0")) != QLatin1String("0");
}

// The member's balance as shown: a number with two decimals (money), the
// host's own text as given, "0" when the host gave none.
QString BalanceText(const QVariant& balance)
{
    if (!balance.isValid() || balance.isNull())
        return QStringLiteral("0");
    switch (static_cast<QMetaType::Type>(balance.userType())) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return QString::number(balance.toDouble(), 'f', 2);
    default:
        return balance.toString();
    }
}
} // namespace

void TradeWidget::SlotTrdSetMemberInfo(KxPosVipDetail* vip)
{
    if (!vip)
        return;
    memberDetail = *vip;
    memberCode = vip->vipCode;
    ShowMemberDetails();
    emit SignTrdRebindModel();
}

// The member's details in the form of the current layout: compact in the
// preset-key layout, with the level and full captions in the normal one. A
// layout change shows them again in its own form.
void TradeWidget::ShowMemberDetails()
{
    if (memberCode.isEmpty())
        return;
    const KxPosVipDetail* vip = &memberDetail;
    QString level = vip->levelName.isEmpty() ? vip->levelNameAlt : vip->levelName;
    if (!vip->levelRemark.isEmpty())
        level += QLatin1Char('(') + vip->levelRemark + QLatin1Char(')');
    ui->lblVipLvlName->setText(level);

    memberPointsText = QString::number(vip->vipPoints, 'g', 6);
    memberBalanceText = BalanceText(vip->extValues.value(QStringLiteral("Balance")));

    QString name = vip->vipName.isEmpty() ? vip->vipCode : vip->vipName;
    QString phone = vip->vipPhone;
    if (KxPosConfig::GetValue(QStringLiteral("SYSTEM_VIPMsgEncyShow"), QStringLiteral("1")) == QLatin1String("1")) {
        phone = KxPosConfig::desensitizePhone(phone);
        name = KxPosConfig::desensitizeName(name);
    }

    // The member button gives its place to the member's details: the name
    // label takes its click (clickOnVipName), so an empty box would only
    // crowd the strip on small screens.
    ui->btnVipName->setText(QString());
    ui->btnVipName->hide();
    ui->lblVipPhone->show();
    ui->lblVipIntegral->show();
    QString nameAndPhone = name.isEmpty() ? phone : name + QLatin1Char('\n') + phone;

    if (layoutMode == 1) {
        ui->lblVipLvlName->hide();
        nameAndPhone.replace(QLatin1Char('\n'), FourSpaces);
        ui->lblVipIntegral->setText(KxPosTranslator::GetTranslation(2371) + memberPointsText);
        ui->lblVipMoney->setText(KxPosTranslator::GetTranslation(1950) + memberBalanceText);
    } else {
        ui->lblVipLvlName->show();
        nameAndPhone.replace(FourSpaces, QStringLiteral("\n"));
        ui->lblVipIntegral->setText(KxPosTranslator::GetTranslation(5059) + memberPointsText);
        ui->lblVipMoney->setText(KxPosTranslator::GetTranslation(5060) + memberBalanceText);
    }
    ui->lblVipPhone->setText(nameAndPhone);
    // The hidden member button keeps a name, though it has no caption now.
    AccessibleNames::Set(ui->btnVipName, 1951);
}

void TradeWidget::SlotTrdMemberLogOut()
{
    memberCode.clear();
    memberDetail = KxPosVipDetail();
    memberPointsText.clear();
    memberBalanceText.clear();
    ui->btnVipName->setText(KxPosTranslator::GetTranslation(1951));
    AccessibleNames::NameByCaption(ui->btnVipName);
    ui->btnVipName->show();
    for (QLabel* l : {ui->lblVipLvlName, ui->lblVipPhone, ui->lblVipIntegral, ui->lblVipMoney})
        l->clear();
    ui->lblVipLvlName->hide();
    ui->lblVipPhone->hide();
    ui->lblVipIntegral->hide();
    // The member is often cleared while a window over the screen (the pick-up
    // screen) is still in use: that window keeps the keyboard.
    WindowPlacement::ReclaimKeyboard(this);
}

// --- Log-in and details --------------------------------------------------------

void TradeWidget::memberLogin()
{
    on_btnOK_released();
    if (tradeActive)
        emit SignChoosedVipSysType();
    else
        ShowToBeginMessage();
}

void TradeWidget::on_btncard_clicked()
{
    memberLogin();
}

void TradeWidget::on_btnVipName_clicked()
{
    memberLogin();
}

void TradeWidget::on_btnVipNameR_clicked()
{
    memberLogin();
}

void TradeWidget::clickOnVipName()
{
    if (KxPosConfig::GetValue(QStringLiteral("SYSTEM_IsQueryYzlTicket"), QStringLiteral("0")) != QLatin1String("1")) {
        on_btnVipName_clicked();
        return;
    }
    if (!ui->lblVipPhone->text().isEmpty() && !memberCode.isEmpty())
        emit SignQueryCoupon(memberCode);
}

void TradeWidget::MemberDetail()
{
    emit SignShowMemberInfo();
}

void TradeWidget::on_btnMemberName_clicked()
{
    MemberDetail();
}

void TradeWidget::on_pushButtonvipimg_clicked()
{
    MemberDetail();
}

// --- Sales clerks ------------------------------------------------------------------

void TradeWidget::RefreshEmployeeButton(const QList<KxPosEmployeeDetail>& clerks)
{
    if (!employeesInUse())
        return;
    employeeMenu->clear();
    QAction* add = employeeMenu->addAction(QIcon(QStringLiteral(":/images/Images/AddEmp.png")),
                                           KxPosTranslator::GetTranslation(1968));
    add->setStatusTip(QStringLiteral("-1"));
    employeeMenu->addSeparator();
    ui->btnphone->setText(KxPosTranslator::GetTranslation(1913));
    ui->btnphone->setProperty(TradeAccessibility::CaptionIdProperty, 1913);
    for (const KxPosEmployeeDetail& clerk : clerks) {
        const QString caption = clerk.employeeName + QLatin1Char('-') + clerk.employeeCode;
        QAction* entry = employeeMenu->addAction(QIcon(QStringLiteral(":/images/Images/Emp.png")), caption);
        entry->setStatusTip(clerk.employeeCode);
        employeeMenu->addSection(clerk.employeeName);
        employeeMenu->addSeparator();
        if (clerk.isCurrent) {
            ui->btnphone->setText(caption);
            ui->btnphone->setProperty(TradeAccessibility::CaptionIdProperty, 0);
        }
    }
    AccessibleNames::NameByCaption(ui->btnphone);
}

void TradeWidget::SlotEmployeeSelected(QAction* action)
{
    if (!action)
        return;
    const QString code = action->statusTip();
    if (code == QLatin1String("-1"))
        emit SignNewEmployee();
    else
        emit SignSelectEmployee(code);
}

void TradeWidget::on_btnphone_clicked()
{
    ICcardLogin();
}

void TradeWidget::ICcardLogin()
{
    if (!tradeActive) {
        ShowToBeginMessage();
        return;
    }
    if (!employeesInUse()) {
        ShowNotice(1972);
        return;
    }
    const QPoint below = ui->btnphone->mapToGlobal(QPoint(0, ui->btnphone->height() + 1));
    employeeMenu->popup(below);
}
