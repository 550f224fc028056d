#pragma once
// Shown deposit screens and their numbered keys, for the deposit test
// programs. Header only: nothing here needs the support library's build.

#include "contracts/KxPosConfig.h"

#include <QPushButton>
#include <QtTest>

#include <memory>

namespace KxPosTest {

// A deposit screen of `screenType` at the application size, shown.
template<class Screen>
std::unique_ptr<Screen> shownScreen(int screenType)
{
    auto screen = std::make_unique<Screen>(screenType, nullptr);
    screen->resize(KxPosConfig::iAppWidth, KxPosConfig::iAppHeight);
    screen->show();
    return screen;
}

// Clicks the screen's key number `button` (its getUiQPushButton numbering).
template<class Screen>
void clickButton(Screen& screen, int button)
{
    QTest::mouseClick(screen.getUiQPushButton(button), Qt::LeftButton);
}

} // namespace KxPosTest
