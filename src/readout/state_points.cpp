#include "readout/state_points.h"

#include "designs/plotting.h"
#include "draw/rgb.h"
#include "draw/surface.h"
#include "psychro/air_states.h"
#include "psychro/arithmetic_fault.h"
#include "psychro/moist_air.h"
#include "text/captions.h"
#include "text/leading_number.h"
#include "text/number_text.h"

#include <algorithm>
#include <cmath>
#include <set>

using state_solver::Property;

namespace {

// Typed points and their lines are blue, apart from the red and black dots
// and the green lines of a calculation; the lines as wide as a design's, the
// names in the chart's small print.
constexpr Rgb kPointColour {0, 0, 255};
constexpr int kLineWidth = 2;
constexpr float kNamePoints = 12.0f;

// The printed quantities of a state, with the state command's headings.
struct Quantity {
    const char *heading;
    const char *column;
};
constexpr Quantity kQuantities[] = {
    {"干球温度 t (℃)", "t (℃)"},           {"湿球温度 ts (℃)", "ts (℃)"},
    {"露点温度 td (℃)", "td (℃)"},         {"相对湿度 φ (%)", "φ (%)"},
    {"含湿量 d (g/kg干空气)", "d (g/kg)"}, {"焓 i (kJ/kg干空气)", "i (kJ/kg)"},
    {"水蒸气分压力 Pq (Pa)", "Pq (Pa)"},   {"饱和水蒸气分压力 Pqb (Pa)", "Pqb (Pa)"},
    {"比容 v (m³/kg干空气)", "v (m³/kg)"}, {"密度 ρ (kg/m³)", "ρ (kg/m³)"},
};

std::vector<std::string> Values(const MoistAirState &s)
{
    const auto text
        = [](std::optional<float> v) { return v ? SingleText(*v) : std::string("超范围"); };
    return {text(s.t), text(s.ts), text(s.td),  text(s.phi), text(s.d),
            text(s.i), text(s.Pq), text(s.Pqb), text(s.v),   text(s.rho)};
}

} // namespace

std::optional<std::string> StatePoints::Add(double B, GivenProperty first, GivenProperty second,
                                            std::string name)
{
    StateSolution solution = SolveState(B, first, second);
    if (!solution.state)
        return solution.message;
    if (name.empty())
        name = "P" + std::to_string(nextNumber_);
    ++nextNumber_;
    points_.push_back({std::move(name), first, second, std::move(solution)});
    return std::nullopt;
}

void StatePoints::Restore(const std::vector<Kept> &points, const std::vector<Line> &lines, double B)
{
    points_.clear();
    lines_.clear();
    nextNumber_ = 1;
    for (const Kept &kept : points) {
        points_.push_back(
            {kept.name, kept.first, kept.second, SolveState(B, kept.first, kept.second)});
        // "P7" takes the default names past 7.
        if (kept.name.size() > 1 && kept.name[0] == 'P'
            && kept.name.find_first_not_of("0123456789", 1) == std::string::npos
            && kept.name.size() < 10)
            nextNumber_ = std::max(nextNumber_, std::stoi(kept.name.substr(1)) + 1);
    }
    std::set<Line> seen;
    for (const Line &line : lines)
        if (line.first < points_.size() && line.second < points_.size() && line.first != line.second
            && seen.insert(line).second)
            lines_.push_back(line);
}

void StatePoints::Remove(std::size_t index)
{
    if (index >= points_.size())
        return;
    points_.erase(points_.begin() + static_cast<std::ptrdiff_t>(index));
    std::vector<Line> kept;
    for (auto [from, to] : lines_) {
        if (from == index || to == index)
            continue;
        kept.emplace_back(from > index ? from - 1 : from, to > index ? to - 1 : to);
    }
    lines_ = std::move(kept);
}

void StatePoints::Clear()
{
    points_.clear();
    lines_.clear();
    nextNumber_ = 1;
}

bool StatePoints::Connect(std::size_t from, std::size_t to)
{
    if (from >= points_.size() || to >= points_.size() || from == to
        || !points_[from].solution.state || !points_[to].solution.state)
        return false;
    const Line line {from, to};
    if (std::find(lines_.begin(), lines_.end(), line) != lines_.end())
        return false;
    lines_.push_back(line);
    return true;
}

void StatePoints::Recompute(double B)
{
    for (Point &point : points_)
        point.solution = SolveState(B, point.first, point.second);
}

std::optional<std::size_t> StatePoints::PointNear(const PixelMapping &pixels, double x, double y,
                                                  double reach) const
{
    std::optional<std::size_t> nearest;
    double best = reach * reach;
    for (std::size_t k = 0; k < points_.size(); ++k) {
        const std::optional<MoistAirState> &state = points_[k].solution.state;
        if (!state)
            continue;
        const PlanePoint at = pixels.ToPixel(state->d, state->i);
        const double dx = at.x - x;
        const double dy = at.y - y;
        const double distance = dx * dx + dy * dy;
        if (distance <= best) {
            best = distance;
            nearest = k;
        }
    }
    return nearest;
}

void StatePoints::Draw(Surface &surface) const
{
    const Rgb fore = surface.ForeColor();
    const Rgb fill = surface.FillColor();
    const int width = surface.DrawWidth();
    const float size = surface.FontSize();
    const float x = surface.CurrentX(), y = surface.CurrentY();
    surface.SetForeColor(kPointColour);
    surface.SetDrawWidth(kLineWidth);
    for (const auto &[from, to] : lines_) {
        const auto &a = points_[from].solution.state;
        const auto &b = points_[to].solution.state;
        if (a && b)
            surface.Line(a->d, a->i, b->d, b->i);
    }
    surface.SetDrawWidth(1);
    surface.SetFontSize(kNamePoints);
    for (const Point &point : points_) {
        if (!point.solution.state)
            continue;
        const MoistAirState &s = *point.solution.state;
        surface.SetForeColor(kPointColour);
        surface.SetFillColor(kPointColour);
        DrawStatePoint(surface, {s.d, s.i});
        // The name to the upper right of the dot.
        const SurfacePoint at
            = surface.Shifted(s.d, s.i, 2.0f * kStatePointRadius, -surface.LineHeight() / 2.0f);
        surface.SetCurrentX(at.x);
        surface.SetCurrentY(at.y);
        surface.SetTextAnchor(SurfacePoint {s.d, s.i});
        surface.Print(point.name);
        surface.SetTextAnchor(std::nullopt);
    }
    surface.SetForeColor(fore);
    surface.SetFillColor(fill);
    surface.SetDrawWidth(width);
    surface.SetFontSize(size);
    surface.SetCurrentX(x);
    surface.SetCurrentY(y);
}

namespace state_points {

PointEntries ReadPointEntries(const std::array<int, 2> &choices,
                              const std::array<std::string, 2> &values)
{
    PointEntries entries;
    std::array<GivenProperty, 2> given;
    for (int k = 0; k < 2; ++k) {
        const int choice = std::clamp(choices[k], 0, state_solver::kPropertyCount - 1);
        const std::optional<double> number = WholeNumberValue(values[k]);
        if (!number) {
            entries.message = std::string("请输入") + captions::kPointChoices[choice] + "的数值!";
            entries.correct = k;
            return entries;
        }
        given[k] = {static_cast<Property>(choice), *number};
    }
    if (const auto refused = state_solver::OneQuantityOnly(given[0].property, given[1].property)) {
        entries.message = *refused;
        entries.correct = 2;
        return entries;
    }
    entries.given = given;
    return entries;
}

std::vector<std::vector<std::string>> PropertyRows(const MoistAirState &state)
{
    const std::vector<std::string> values = Values(state);
    std::vector<std::vector<std::string>> rows;
    for (std::size_t k = 0; k < std::size(kQuantities); ++k)
        rows.push_back({kQuantities[k].heading, values[k]});
    return rows;
}

std::vector<std::vector<std::string>> PointsTable(const StatePoints &points)
{
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> heading {"名称"};
    for (const Quantity &q : kQuantities)
        heading.push_back(q.column);
    rows.push_back(heading);
    for (const StatePoints::Point &point : points.Points()) {
        std::vector<std::string> row {point.name};
        if (point.solution.state) {
            const std::vector<std::string> values = Values(*point.solution.state);
            row.insert(row.end(), values.begin(), values.end());
        } else {
            row.push_back(point.solution.message);
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

ProcessLine LineBetween(const MoistAirState &from, const MoistAirState &to)
{
    ProcessLine line;
    line.di = static_cast<float>(static_cast<double>(to.i) - from.i);
    line.dd = static_cast<float>(static_cast<double>(to.d) - from.d);
    if (line.dd != 0.0f)
        line.epsilon = moist_air::kGramsPerKilogram * line.di / line.dd;
    return line;
}

StateSolution Mixture(double B, const MoistAirState &first, const MoistAirState &second,
                      double share)
{
    if (!(share >= 0.0 && share <= 100.0))
        return {std::nullopt, "混合比例应在 0 至 100% 之间。"};
    try {
        // share % of the first stream in the mixture: the mixing rule of the designs.
        const StatePoint mix
            = MixedByShare({second.d, second.i}, {first.d, first.i}, share / moist_air::kPercent);
        StateSolution mixed = SolveState(B, {Property::d, mix.d}, {Property::i, mix.i});
        if (!mixed.state)
            mixed.message = "混合点：" + mixed.message;
        return mixed;
    } catch (const ArithmeticFault &) {
        return {std::nullopt, "数值超出范围，无法计算混合点。"};
    }
}

} // namespace state_points
