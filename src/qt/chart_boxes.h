#pragma once

#include "draw/rgb.h"
#include "qt/picture_overlay.h"
#include "text/box_texts.h"

#include <QFont>
#include <QPalette>
#include <QSize>

// The result and state boxes over the chart as the main window shows them,
// and the same boxes over a saved, printed or copied picture of the chart,
// made from their texts and the window's arrangement alone.

// The main window's back colour, which its boxes' palette carries too.
inline constexpr Rgb kMainWindowBack {255, 192, 192};

// The boxes' font and palette, as the window's line edits have them.
QFont ChartBoxFont();
QPalette ChartBoxPalette();

// The boxes over a chart of `chart` logical pixels where the main window's
// arrangement puts them, holding `texts` as the window's boxes show them
// (from their start). Their font sizes are for a screen of `logicalDpi`
// logical dots per inch, as the window's boxes have them.
PictureOverlay OverlayFor(const BoxTexts &texts, QSize chart, double logicalDpi);

// The logical dots per inch of the screen the windows open on.
double ScreenLogicalDpi();
