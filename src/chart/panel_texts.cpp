#include "chart/panel_texts.h"

#include "draw/surface.h"
#include "layout/layout.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

// Pixels of one em at a font size in points, at 96 dots per inch; faces
// keep whole pixels, and a fraction is taken as the next pixel.
double EmPixels(float points)
{
    return std::ceil(static_cast<double>(points) * 96.0 / 72.0);
}

// A text's code points by their part of an em: wide, ASCII blank, other ASCII.
struct Ems {
    double atMost = 0.0;
    double leadingAtLeast = 0.0;
};

Ems Measure(std::string_view text)
{
    Ems ems;
    bool leading = true;
    for (std::size_t k = 0; k < text.size(); ++k) {
        const auto byte = static_cast<unsigned char>(text[k]);
        if (byte >= 0x80 && byte < 0xC0)
            continue; // the rest of a character already counted
        if (byte < 0x80) {
            const bool blank = byte == ' ';
            ems.atMost += blank ? 0.5 : 0.6;
            if (leading && blank)
                ems.leadingAtLeast += 0.25;
            leading = leading && blank;
            continue;
        }
        ems.atMost += 1.0;
        // U+3000, the full-width blank, is one em in every face.
        const bool fullWidthBlank = text.substr(k, 3) == "\u3000";
        if (leading && fullWidthBlank)
            ems.leadingAtLeast += 1.0;
        leading = leading && fullWidthBlank;
    }
    return ems;
}

constexpr float kHeadingDesignedX = 20.5f;
constexpr float kHeadingFirstTop = 57.0f;
constexpr float kHeadingPitch = 9.0f;
constexpr float kHeadingPoints = 14.0f;

// The state boxes' labels as designed: text, place (d, i), three columns of four.
struct DesignedLabel {
    const char *text;
    float x;
    float y;
};
constexpr std::array<DesignedLabel, kStateBoxCount> kLabels = {{
    {" d_n:", 10.0f, 22.0f},
    {" i_n:", 10.0f, 15.0f},
    {" d_w:", 10.0f, 8.0f},
    {" i_w:", 10.0f, 1.0f},
    {" d_c:", 14.5f, 22.0f},
    {" i_c:", 14.5f, 15.0f},
    {" d_L:", 14.5f, 8.0f},
    {" i_L:", 14.5f, 1.0f},
    {" d_o:", 19.0f, 22.0f},
    {" i_o:", 19.0f, 15.0f},
    {" B0 :", 19.0f, 8.0f},
    {"精度:", 19.0f, 1.0f},
}};
constexpr float kLabelPoints = 10.0f;
// The panel's lower part begins at d = 10.1.
constexpr float kPanelLeft = 10.1f;

// Pixels kept clear between a text and a box.
constexpr double kGap = 4.0;
// The smallest size a text is printed at, and the steps between sizes.
constexpr float kSmallestPoints = 6.0f;
constexpr float kPointStep = 0.5f;

double LinePixels(Surface &picture, float points)
{
    const float kept = picture.FontSize();
    picture.SetFontSize(points);
    const ScaleMap &map = picture.Map();
    const double pixels = std::fabs(map.ToPixelY(picture.LineHeight()) - map.ToPixelY(0.0));
    picture.SetFontSize(kept);
    return pixels;
}

} // namespace

double PrintedWidthAtMost(std::string_view text, float points)
{
    return Measure(text).atMost * EmPixels(points);
}

double LeadingBlanksAtLeast(std::string_view text, float points)
{
    return Measure(text).leadingAtLeast * EmPixels(points);
}

PanelTextPlaces PlacePanelTexts(const PanelHeadings &headings, Surface &picture)
{
    const ScaleMap &map = picture.Map();
    const ChartBoxRects boxes = ChartBoxesIn(static_cast<int>(std::lround(map.pixelWidth())),
                                             static_cast<int>(std::lround(map.pixelHeight())));
    PanelTextPlaces places;

    // The headings: between the state boxes beside a row and the result boxes.
    int resultsLeft = boxes.results[0].x;
    for (const BoxPlace &box : boxes.results)
        resultsLeft = std::min(resultsLeft, box.x);
    const double designedX = map.ToPixelX(kHeadingDesignedX);
    const double pitch = std::fabs(map.ToPixelY(0.0) - map.ToPixelY(kHeadingPitch));
    double x = designedX;
    float points = kHeadingPoints;
    for (; points >= kSmallestPoints; points -= kPointStep) {
        const double line = LinePixels(picture, points);
        double widest = 0.0;
        double lowest = 0.0; // the block's left edge may not lie left of this
        for (std::size_t row = 0; row < headings.size(); ++row) {
            widest = std::max(widest, PrintedWidthAtMost(headings[row], points));
            const double top
                = map.ToPixelY(kHeadingFirstTop - kHeadingPitch * static_cast<float>(row));
            for (const BoxPlace &box : boxes.states)
                if (box.y < top + line && top < box.Bottom() && box.x < resultsLeft)
                    lowest = std::max(
                        lowest, box.Right() + kGap - LeadingBlanksAtLeast(headings[row], points));
        }
        const double highest = resultsLeft - kGap - widest;
        x = std::clamp(designedX, std::min(lowest, highest), highest);
        if (lowest <= highest && line <= pitch)
            break;
    }
    // Where nothing moves the block, its designed place is kept as it is.
    places.headingX = x == designedX ? kHeadingDesignedX : static_cast<float>(map.FromPixelX(x));
    places.headingFontSize = std::max(points, kSmallestPoints);

    // The labels: level with their boxes, clear of the column on their left.
    const double panelLeft = map.ToPixelX(kPanelLeft);
    for (points = kLabelPoints; points >= kSmallestPoints; points -= kPointStep) {
        const double line = LinePixels(picture, points);
        bool fits = true;
        for (std::size_t k = 0; k < kLabels.size(); ++k) {
            const BoxPlace &box = boxes.states[k];
            const double left = (k < 4 ? panelLeft - kGap : boxes.states[k - 4].Right() + kGap)
                - LeadingBlanksAtLeast(kLabels[k].text, points);
            const double right = box.x - kGap - PrintedWidthAtMost(kLabels[k].text, points);
            const double at = std::clamp(map.ToPixelX(kLabels[k].x), std::min(left, right), right);
            const double designed = map.ToPixelX(kLabels[k].x);
            places.labels[k]
                = {at == designed ? kLabels[k].x : static_cast<float>(map.FromPixelX(at)),
                   static_cast<float>(map.FromPixelY(box.y + (box.height - line) / 2.0)), points};
            fits = fits && left <= right && line <= box.height + 1.0;
        }
        if (fits)
            break;
    }
    return places;
}
