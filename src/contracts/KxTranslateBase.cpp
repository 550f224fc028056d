#include "contracts/KxTranslateBase.h"

// Defined out of line so that the vtable and type information of the
// interface live in this library only (one identity across DLL boundaries,
// which dynamic_cast and signal connections rely on).
KxTranslateBase::~KxTranslateBase() = default;
