#pragma once
// The demo host's deposit duty: opens the deposit menu; runs deposit entry,
// collecting goods from the catalogue for the logged-in member with a sales
// clerk; keeps the deposits in memory; and runs pick-up of that member's
// deposits, where the cashier ticks lines, changes quantities on the pad and
// collects a deposit in part or in full. What is collected is taken off what
// is held, so the rest can be collected on a later visit.
//
// The host hands in how to read its member and clerks and how to look a
// product up; the deposit screens are created on first use.

#include "DemoCatalogue.h"

#include "contracts/KxPosModel.h"

#include <QMap>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>

class DepositPluNumbInputWidget;
class DepositPluWidget;
class DepositWidget;
class GetDepositWidget;
class QAbstractItemModel;
class QWidget;

namespace DemoRender {
class Display;
}

class DemoDeposits : public QObject
{
    Q_OBJECT
public:
    // What the deposit duty reads from the host, when it needs it.
    struct Host {
        // The logged-in member, or null when no member is logged in.
        std::function<const KxPosVipDetail*()> member;
        // Logs the member in (the member key of the deposit screens); may be
        // empty, then the cashier is told to log a member in first.
        std::function<void()> loginMember;
        // The store's sales clerks; the clerk of the sale is marked isCurrent.
        std::function<QList<KxPosEmployeeDetail>()> clerks;
        // The catalogue product with this code, or null.
        std::function<const DemoProduct*(const QString& code)> findProduct;
        // Optional: the lines of the current sale, offered by the import key.
        std::function<QList<KxPosPluDetail>()> saleLines;
        // Optional: the product suggestions of the deposit list's code box
        // (the code in Qt::UserRole, what is entered when one is chosen).
        QAbstractItemModel* suggestions = nullptr;
    };

    // The screens are child windows of `anchor` (the sales screen): they
    // open over it, modal to it, and the full screens take its size.
    DemoDeposits(Host host, QWidget* anchor, QObject* parent = nullptr);
    ~DemoDeposits() override;

    // Runs the deposit menu modally; the choice opens deposit entry or pick-up.
    void OpenMenu();
    void StartDeposit();
    void StartPickUp();
    // Deposits the goods of a paid sale whole: the list shows them under the
    // sale's number and takes no other goods; `member` may be empty.
    void StartWholeSaleDeposit(const QString& saleNo, const QString& serial, const QList<KxPosPluDetail>& lines,
                               const KxPosVipDetail& member);

    // The member's deposits still holding goods, oldest first.
    QList<KxPosDepositOrderDetail> OrdersOf(const QString& vipId) const;
    // Quantity of `code` still held under `orderNo` (0 when none).
    double HeldQuantity(const QString& orderNo, const QString& code) const;
    QStringList Log() const { return m_log; }

    // The screens, created on first use.
    DepositWidget* Menu();
    DepositPluWidget* Entry();
    GetDepositWidget* PickUp();
    DepositPluNumbInputWidget* Pad();

    // Renders the four screens with sample content on `display`, each
    // where the host shows it: deposit-menu, deposit-entry, deposit-pickup
    // and deposit-pad (over the pick-up). The deposits kept are left as they
    // were. False when a file could not be written.
    bool SaveScreenshots(DemoRender::Display& display);

public slots:
    // The clock text of the host ("yyyy-MM-dd ddd hh:mm:ss") for the open screens.
    void SlotTimeUpd(const QString& now);

signals:
    // A line for the host's log.
    void Logged(const QString& entry);
    // A deposit screen was left; the host takes the focus back.
    void Finished();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Record(const QString& entry);
    void Notify(QWidget* over, const QString& text);
    void Place(QWidget* screen) const;
    KxPosEmployeeDetail CurrentClerk() const;

    void OnAddCode(const QString& code);
    void OnMemberKey();
    void OnClerkKey();
    void OnImport();
    void OnDeposit(const QList<KxPosPluDetail>& lines);
    void OnEntryKey(int key);
    void OnEditQuantity(double held, double take);
    void OnPadQuantity(double quantity);
    void OnPickUp(const KxPosVipDetail& member, const KxPosDepositOrderDetail& picked);
    void OnPickUpKey(int key);

    Host m_host;
    QPointer<QWidget> m_anchor;
    std::unique_ptr<DepositWidget> m_menu;
    std::unique_ptr<DepositPluWidget> m_entry;
    std::unique_ptr<GetDepositWidget> m_pickUp;
    std::unique_ptr<DepositPluNumbInputWidget> m_pad;
    // Deposits by member id, oldest first.
    QMap<QString, QList<KxPosDepositOrderDetail>> m_orders;
    int m_nextOrder = 1;
    int m_clerkIndex = -1;
    QStringList m_log;
};
