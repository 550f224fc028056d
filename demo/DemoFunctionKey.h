#pragma once
// A function key of the demo's function grid: its code is also its id, with
// a Chinese and an English caption.

#include "contracts/KxPosModel.h"

inline dynMapButton DemoFunctionKey(const QString& code, const QString& zh, const QString& en)
{
    dynMapButton b;
    b.funcId = code;
    b.funcCode = code;
    b.funcName = zh;
    b.funcNameEn = en;
    return b;
}
