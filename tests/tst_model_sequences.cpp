// Random sequences of cashier actions and host answers against a small
// reference model (state-machine testing with RapidCheck's rc::state).
//
// One rig holds the screens a till shows at once: the sales screen, the
// deposit list and the pick-up screen with its quantity pad, all wired to a
// careful host written here (catalogue, scale, sale, deposit store). Each
// command drives a screen through its keys, clicks and public slots, as a
// cashier or a host would, and then checks that the screens, the signals
// they sent and the model agree: no goods deposited or collected twice or
// beyond what is held, no preset quantity applied where the cashier does not
// see it, no weighed line paid unweighed, the weight sent being the stable
// reading of this sale.
//
// RC_PARAMS controls the run ("seed=N max_success=N max_size=N"); a failing
// sequence is printed shrunk, command by command, with the seed that replays
// it. KXPOS_MODEL_REPORT=1 prints the number of sequences and steps.

#include "model/CouponCommands.h"
#include "model/DepositCommands.h"
#include "model/SalesCommands.h"

#include <QApplication>

#include <iostream>
#include <memory>

using namespace ModelSeq;

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("KXPOS_NONINTERACTIVE", "1");
    QApplication app(argc, argv);
    qInstallMessageHandler(recordWarning);
    KxPosTest::ScopedConfigDir config;
    config.set(QStringLiteral("TRADE_LenovoLength"), QStringLiteral("3"));
    KxPosConfig::SetAppSize(1024, 768);
    KxPosModel::RegisterMetaTypes();
    if (!KxPosTranslator::SetLanguage(QStringLiteral("zh_CN")))
        return 2;

    // The screens are built once and reset for each sequence.
    auto rig = std::make_unique<Rig>();
    const bool ok = rc::check("cashier and host sequences keep goods and sales whole", [&rig] {
        rig->reset();
        const Model initial;
        agree(initial, *rig);
        // Three groups of equal weight, so that the coupon and held-bill
        // commands are not drowned by the many deposit commands.
        rc::state::check(initial, *rig, [](const Model& state) {
            return rc::gen::oneOf(
                rc::state::gen::execOneOfWithArgs<OpenDeposit, LeaveDeposit, DepositSuggestion, HandOverCompleter,
                                                  DepositQuantity, DepositDeleteRow, DepositClearAll,
                                                  DepositMemberAndClerk, DepositConfirm, OpenPickup, PickupChooseOrder,
                                                  PickupTick, PickupQuantity, PickupConfirm, LeavePickup>()(state),
                rc::state::gen::execOneOfWithArgs<ScaleReading, Scan, SalesSuggestion, SalesQuantity, WeighLast,
                                                  PayOrNewSale>()(state),
                rc::state::gen::execOneOfWithArgs<CouponSearch, CouponConfirm, CouponTick, CouponAction, VoidSale,
                                                  HoldBill, RecallBill, PayOrNewSale, Scan>()(state));
        });
    });
    rig.reset();
    if (qEnvironmentVariableIntValue("KXPOS_MODEL_REPORT"))
        std::cout << "model sequences: " << g_sequences << " sequences, " << g_steps << " steps" << std::endl;
    return ok ? 0 : 1;
}
