#pragma once
// Members and sales clerks of the demo store.

#include "contracts/KxPosModel.h"

#include <QList>

class DemoMembers
{
public:
    DemoMembers();

    // The member of the sale (the last one logged in).
    KxPosVipDetail& Member() { return m_member; }
    const KxPosVipDetail& Member() const { return m_member; }
    // The member as the sales screen shows them: level names in English
    // when `english`, else as stored (Chinese).
    KxPosVipDetail Shown(bool english) const;
    bool LoggedIn() const { return m_loggedIn; }
    void SetLoggedIn(bool on) { m_loggedIn = on; }
    // Logs in the member whose card number (vipCode) or phone is `code`;
    // false, and nothing changes, for an unknown code.
    bool LogIn(const QString& code);
    const QList<KxPosVipDetail>& Members() const { return m_members; }
    // The ID number on file for the logged-in member; empty when none is.
    QString IdNumber() const;

    QList<KxPosEmployeeDetail> Clerks() const { return m_clerks; }
    // Makes the clerk with `code` the clerk of the sale; false for an unknown code.
    bool ChooseClerk(const QString& code);
    // Adds a clerk with the next free code and makes them current.
    KxPosEmployeeDetail AddClerk(const QString& name);
    const KxPosEmployeeDetail* CurrentClerk() const;
    // No clerk is the clerk of the sale.
    void ClearClerk();

private:
    QList<KxPosVipDetail> m_members;
    KxPosVipDetail m_member;
    bool m_loggedIn = false;
    QList<KxPosEmployeeDetail> m_clerks;
};
