#pragma once
// Row outline of the pick-up goods table: column 0 (the tick box) is painted
// the default way; columns 1 to 6 of a selected row are filled and outlined
// like the deposit list (DepositPluTableDelegate), with the text centred.

#include "kxpostradeui_export.h"

#include "deposit/DepositPluTableDelegate.h"

class KXPOSTRADEUI_EXPORT GetDepositDelegate : public DepositPluTableDelegate
{
    Q_OBJECT

public:
    // Outlines columns 1 to 6 of the pick-up goods table.
    explicit GetDepositDelegate(QObject* parent = nullptr);
    ~GetDepositDelegate() override;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
