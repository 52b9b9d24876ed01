#pragma once

#include "draw/rgb.h"
#include "qt/picture_overlay.h"
#include "text/box_texts.h"

#include <QFont>
#include <QPalette>
#include <QSize>
#include <QStringList>

// The result and state boxes over the chart as the main window shows them,
// and the same boxes over a saved, printed or copied picture of the chart,
// made from their texts and the window's arrangement alone.

// The main window's back colour, which its boxes' palette carries too.
inline constexpr Rgb kMainWindowBack {255, 192, 192};

// The boxes' font and palette, as the window's line edits have them.
QFont ChartBoxFont();
QPalette ChartBoxPalette();

// The boxes' font made only as much smaller as the widest of the texts needs
// to show whole in a box of the given size (logical pixels), never below 5
// points; the font of a group of boxes (the results, the states), so that a
// column keeps one size.
QFont FittedBoxFont(const QStringList &texts, QSize box);

// The boxes over a chart of `chart` logical pixels where the main window's
// arrangement puts them, holding `texts` as the window's boxes show them
// (from their start). Their font sizes are for a screen of `logicalDpi`
// logical dots per inch, as the window's boxes have them.
PictureOverlay OverlayFor(const BoxTexts &texts, QSize chart, double logicalDpi);

// The logical dots per inch of the screen the windows open on.
double ScreenLogicalDpi();
