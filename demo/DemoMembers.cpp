#include "DemoMembers.h"

DemoMembers::DemoMembers()
{
    m_member.vipCode = QStringLiteral("M0008812");
    m_member.vipId = QStringLiteral("8812");
    m_member.vipName = QStringLiteral("陈晓梅");
    m_member.vipPhone = QStringLiteral("13812345678");
    m_member.vipPoints = 1268.5;
    m_member.levelName = QStringLiteral("金卡会员");
    m_member.extValues.insert(QStringLiteral("Balance"), QStringLiteral("356.80"));

    m_clerks = {
        {QStringLiteral("E01"), QStringLiteral("张敏"), true},
        {QStringLiteral("E02"), QStringLiteral("李娜"), false},
        {QStringLiteral("E03"), QStringLiteral("王强"), false},
    };
}

bool DemoMembers::ChooseClerk(const QString& code)
{
    bool found = false;
    for (const KxPosEmployeeDetail& clerk : m_clerks)
        found = found || clerk.employeeCode == code;
    if (!found)
        return false;
    for (KxPosEmployeeDetail& clerk : m_clerks)
        clerk.isCurrent = clerk.employeeCode == code;
    return true;
}

KxPosEmployeeDetail DemoMembers::AddClerk(const QString& name)
{
    KxPosEmployeeDetail clerk;
    clerk.employeeCode = QStringLiteral("E%1").arg(m_clerks.size() + 1, 2, 10, QLatin1Char('0'));
    clerk.employeeName = name;
    m_clerks.append(clerk);
    ChooseClerk(clerk.employeeCode);
    return clerk;
}

const KxPosEmployeeDetail* DemoMembers::CurrentClerk() const
{
    for (const KxPosEmployeeDetail& clerk : m_clerks) {
        if (clerk.isCurrent)
            return &clerk;
    }
    return nullptr;
}
