#pragma once
// Renders of the demo's screens: every screen in its main states, at each
// display size, as PNG files named "<screen>-<W>x<H>.png" (Chinese) or
// "<screen>-<W>x<H>-en.png" (English). Each render is the whole display as
// the till shows it (see DemoRender.h); on the offscreen platform, whose
// screen is 800x600, windows that place themselves on the screen stand
// elsewhere than on a display of another size.

#include <QDateTime>
#include <QList>
#include <QSize>
#include <QString>

// The moment the rendered screens show: the environment variable
// KXPOS_SCREENSHOT_CLOCK ("yyyy-MM-ddThh:mm:ss") when it holds one, else a
// fixed morning, so that two renders of the same screens are comparable.
QDateTime ScreenshotClock();

// Renders the screens at each size, in the current language, into `dir` and
// prints where they went.
// The clock stands at `clock` and simulated readings come from a fixed seed
// while rendering; the text cursor does not blink. Returns false when a
// file could not be written.
bool RenderScreenshots(const QString& dir, const QList<QSize>& sizes, const QDateTime& clock = ScreenshotClock());

// Copies the demo's sample config.ini and configExt.ini into `dir` where
// they are missing (the folder is created when needed).
void SeedDemoConfig(const QString& dir);

// Store, terminal, cashier and version that the demo's status bars show.
void ApplyDemoStore();
