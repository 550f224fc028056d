#pragma once

#include "contracts/kxposcontracts_export.h"

// Interface of every screen whose texts follow the current language.
class KXPOSCONTRACTS_EXPORT KxTranslateBase
{
public:
    virtual ~KxTranslateBase();
    // Sets every visible text again from the translator.
    virtual void Retranslate() = 0;
    // Refreshes texts that depend on data, such as table headers.
    virtual void UpdateTranslation() = 0;
};
