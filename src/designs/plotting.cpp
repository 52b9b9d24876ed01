#include "designs/plotting.h"

#include "draw/rgb.h"
#include "draw/surface.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

namespace {

// Width of the process lines in pixels (1.5 rounded to whole pixels).
constexpr int kProcessLineWidth = 2;

// The letters are printed bold at 12 points, their nearest edge this many
// pixels beyond the dot's rim.
constexpr float kLabelFontSize = 12.0f;
constexpr double kLabelGap = 3.0;
// A printed character's width as a share of the line height (the letters are
// Latin capitals, digits and a prime).
constexpr double kCharacterWidth = 0.6;
constexpr double kPi = 3.14159265358979323846;
// The directions tried for a label, every 45° from straight right.
constexpr int kLabelDirections = 8;

bool SamePoint(StatePoint a, StatePoint b)
{
    return a.d == b.d && a.i == b.i;
}

// The smallest angle between two directions, radians.
double AngleBetween(double a, double b)
{
    const double difference = std::fabs(std::remainder(a - b, 2.0 * kPi));
    return difference;
}

void DrawDot(Surface &picture, Rgb outline, Rgb fill, StatePoint state)
{
    picture.SetForeColor(outline);
    picture.SetFillColor(fill);
    DrawStatePoint(picture, state);
}

} // namespace

void DrawStatePoint(Surface &picture, StatePoint state)
{
    picture.Circle(state.d, state.i, kStatePointRadius);
}

void MarkState(Surface &picture, StatePoint state)
{
    picture.SetForeColor(colours::kRed);
    DrawStatePoint(picture, state);
}

void MarkMachineDewPoint(Surface &picture, StatePoint state)
{
    DrawDot(picture, colours::kGreen, colours::kGreen, state);
}

void DrawProcessLines(Surface &picture, const std::vector<ChartLine> &lines)
{
    picture.SetDrawWidth(kProcessLineWidth);
    picture.SetForeColor(colours::kGreen);
    for (const auto &[from, to] : lines)
        picture.Line(from.d, from.i, to.d, to.i);
}

std::vector<StateLabel> LabelsOf(const std::vector<FoundState> &states, StateName dewPoint,
                                 bool complete, Rgb endColour)
{
    std::vector<StateLabel> labels;
    for (const FoundState &state : states) {
        const Rgb colour = state.name != dewPoint ? colours::kRed
            : complete                            ? endColour
                                                  : colours::kGreen;
        labels.push_back({state.name, state.point, colour});
    }
    return labels;
}

void LabelStates(Surface &picture, const std::vector<StateLabel> &labels,
                 const std::vector<ChartLine> &lines)
{
    LabelStates(picture, labels, lines,
                {kStatePointRadius * picture.Map().PixelsPerUnitX(), kLabelFontSize});
}

void LabelStates(Surface &picture, const std::vector<StateLabel> &labels,
                 const std::vector<ChartLine> &lines, const LabelLook &look)
{
    const ScaleMap &map = picture.Map();
    const PixelMapping pixels = picture.Pixels();
    const Rgb colour = picture.ForeColor();
    const float fontSize = picture.FontSize();
    const bool bold = picture.FontBold();
    picture.SetFontSize(look.fontSize);
    picture.SetFontBold(true);
    const double height
        = std::fabs(picture.LineHeight() * (map.pixelHeight() / (map.bottom() - map.top())));
    const double rim = look.dotRadiusPixels + kLabelGap;

    for (const StateLabel &label : labels) {
        const PlanePoint dotAt = pixels.ToPixel(label.point.d, label.point.i);
        const double x = dotAt.x, y = dotAt.y;
        // The directions, in pixels, of the lines that leave this dot.
        std::vector<double> taken;
        for (const auto &[from, to] : lines) {
            const bool atFrom = SamePoint(from, label.point), atTo = SamePoint(to, label.point);
            if (atFrom == atTo)
                continue;
            const StatePoint other = atFrom ? to : from;
            const PlanePoint otherAt = pixels.ToPixel(other.d, other.i);
            taken.push_back(std::atan2(otherAt.y - y, otherAt.x - x));
        }
        // The label's box for a direction: its centre pushed out along the
        // direction until its edge clears the dot.
        const std::string text = StateLetter(label.name);
        const double width = kCharacterWidth * height * static_cast<double>(text.size());
        const auto centreFor = [&](double direction) {
            const double cx = std::cos(direction), cy = std::sin(direction);
            const double reach
                = std::min(std::fabs(cx) > 1e-9 ? width / 2.0 / std::fabs(cx) : 1e300,
                           std::fabs(cy) > 1e-9 ? height / 2.0 / std::fabs(cy) : 1e300);
            return std::pair {x + cx * (rim + reach), y + cy * (rim + reach)};
        };
        const auto onPicture = [&](double direction) {
            const auto [cx, cy] = centreFor(direction);
            return cx - width / 2.0 >= 0.0 && cx + width / 2.0 <= map.pixelWidth()
                && cy - height / 2.0 >= 0.0 && cy + height / 2.0 <= map.pixelHeight();
        };
        // Up and to the right unless a line runs there; never off the
        // picture's edge where another side keeps the letter on it.
        double best = -kPi / 4.0, bestClearance = -2.0;
        for (int k = 0; k < kLabelDirections; ++k) {
            const double direction = -kPi / 4.0 + k * (2.0 * kPi / kLabelDirections);
            double clearance = kPi;
            for (double line : taken)
                clearance = std::min(clearance, AngleBetween(direction, line));
            if (!onPicture(direction))
                clearance -= 2.0 * kPi;
            if (clearance > bestClearance + 1e-9) {
                best = direction;
                bestClearance = clearance;
            }
        }
        const auto [centreX, centreY] = centreFor(best);
        picture.SetForeColor(label.colour);
        picture.SetTextAnchor(SurfacePoint {label.point.d, label.point.i});
        const PlanePoint corner = pixels.FromPixel(centreX - width / 2.0, centreY - height / 2.0);
        picture.SetCurrentX(static_cast<float>(corner.x));
        picture.SetCurrentY(static_cast<float>(corner.y));
        picture.Print(text);
    }
    picture.SetTextAnchor(std::nullopt);
    picture.SetForeColor(colour);
    picture.SetFontSize(fontSize);
    picture.SetFontBold(bold);
}

void DrawFinalPoints(Surface &picture, std::initializer_list<StatePoint> states,
                     StatePoint dewPoint, Rgb endColour)
{
    for (const StatePoint &state : states)
        DrawDot(picture, colours::kRed, colours::kRed, state);
    DrawDot(picture, endColour, endColour, dewPoint);
}
