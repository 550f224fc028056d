#include "DemoMembers.h"

#include <QHash>
#include <QVariant>

namespace {
KxPosVipDetail member(const QString& code, const QString& id, const QString& name, const QString& phone, double points,
                      const QString& level, const QString& remark, const QVariant& balance)
{
    KxPosVipDetail m;
    m.vipCode = code;
    m.vipId = id;
    m.vipName = name;
    m.vipPhone = phone;
    m.vipPoints = points;
    m.levelName = level;
    m.levelRemark = remark;
    if (balance.isValid())
        m.extValues.insert(QStringLiteral("Balance"), balance);
    return m;
}
} // namespace

DemoMembers::DemoMembers()
{
    m_members = {
        member(QStringLiteral("M0008812"), QStringLiteral("8812"), QStringLiteral("陈晓梅"), QStringLiteral("13812345678"),
               1268.5, QStringLiteral("金卡会员"), QString(), 356.8),
        member(QStringLiteral("M0001024"), QStringLiteral("1024"), QStringLiteral("王建国"), QStringLiteral("13900001111"),
               56, QStringLiteral("普通会员"), QStringLiteral("新客"), QVariant()),
        member(QStringLiteral("M0000007"), QStringLiteral("7"), QString(), QStringLiteral("13600007777"), 1234567,
               QString(), QString(), 5000),
    };
    m_members[2].levelNameAlt = QStringLiteral("钻石会员");
    m_member = m_members.first();

    m_clerks = {
        {QStringLiteral("E01"), QStringLiteral("张敏"), true},
        {QStringLiteral("E02"), QStringLiteral("李娜"), false},
        {QStringLiteral("E03"), QStringLiteral("王强"), false},
    };
}

KxPosVipDetail DemoMembers::Shown(bool english) const
{
    KxPosVipDetail shown = m_member;
    if (!english)
        return shown;
    static const QHash<QString, QString> levels = {
        {QStringLiteral("金卡会员"), QStringLiteral("Gold member")},
        {QStringLiteral("普通会员"), QStringLiteral("Member")},
        {QStringLiteral("钻石会员"), QStringLiteral("Diamond member")},
        {QStringLiteral("新客"), QStringLiteral("new")},
    };
    for (QString* text : {&shown.levelName, &shown.levelNameAlt, &shown.levelRemark})
        *text = levels.value(*text, *text);
    return shown;
}

QString DemoMembers::IdNumber() const
{
    static const QHash<QString, QString> idNumbers = {
        {QStringLiteral("M0008812"), QStringLiteral("440305199001011234")},
    };
    return m_loggedIn ? idNumbers.value(m_member.vipCode) : QString();
}

bool DemoMembers::LogIn(const QString& code)
{
    for (const KxPosVipDetail& m : m_members) {
        if (m.vipCode.compare(code, Qt::CaseInsensitive) == 0 || m.vipPhone == code) {
            m_member = m;
            m_loggedIn = true;
            return true;
        }
    }
    return false;
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

void DemoMembers::ClearClerk()
{
    for (KxPosEmployeeDetail& clerk : m_clerks)
        clerk.isCurrent = false;
}
