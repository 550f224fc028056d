#pragma once
// Members and sales clerks of the demo store.

#include "contracts/KxPosModel.h"

#include <QList>

class DemoMembers
{
public:
    DemoMembers();

    KxPosVipDetail& Member() { return m_member; }
    const KxPosVipDetail& Member() const { return m_member; }
    bool LoggedIn() const { return m_loggedIn; }
    void SetLoggedIn(bool on) { m_loggedIn = on; }

    QList<KxPosEmployeeDetail> Clerks() const { return m_clerks; }
    // Makes the clerk with `code` the clerk of the sale; false for an unknown code.
    bool ChooseClerk(const QString& code);
    // Adds a clerk with the next free code and makes them current.
    KxPosEmployeeDetail AddClerk(const QString& name);
    const KxPosEmployeeDetail* CurrentClerk() const;

private:
    KxPosVipDetail m_member;
    bool m_loggedIn = false;
    QList<KxPosEmployeeDetail> m_clerks;
};
