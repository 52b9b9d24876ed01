#pragma once

#include "chart/chart_state.h"
#include "text/box_texts.h"

#include <array>
#include <string_view>

class Surface;

// Where the chart prints the texts that stand beside the main window's boxes
// (the result panel's headings and the state boxes' labels) and at what
// size, so that every one is whole and no box covers it, on a chart of any
// size.
//
// The chart's faces (SimSun on Windows, AR PL UMing on Debian) give a wide
// character (Chinese, full-width, Greek) one em and any other half an em;
// the placing reckons ASCII letters at 0.6 em and blanks at a quarter em
// where a narrower face would shift a text's first letter to the left, so
// that it holds in the browser's faces too.

// The width a text takes at most, in pixels at 96 dots per inch.
double PrintedWidthAtMost(std::string_view text, float points);
// The width its leading blanks take at least.
double LeadingBlanksAtLeast(std::string_view text, float points);

// A printed text's top-left corner in user coordinates and its font size.
struct PrintedPlace {
    float x = 0.0f;
    float y = 0.0f;
    float fontSize = 0.0f;
};

// The result panel's headings keep their rows; the block keeps its designed
// left edge (d = 20.5) where the texts fit between the state boxes and the
// result boxes, moves right or left as little as it must otherwise, and
// takes a smaller size only where no place is wide enough. Each state box's
// label stands level with its box, at its designed place where nothing
// covers it, else just clear of the box column on its left.
struct PanelTextPlaces {
    float headingX = 0.0f;
    float headingFontSize = 0.0f;
    std::array<PrintedPlace, kStateBoxCount> labels {};
};
PanelTextPlaces PlacePanelTexts(const PanelHeadings &headings, Surface &picture);
