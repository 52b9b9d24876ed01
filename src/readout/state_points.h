#pragma once

#include "draw/plane_transform.h"
#include "psychro/state_solver.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class Surface;

// The state points the user typed onto the chart, and the process lines drawn
// between them. Each point keeps its two typed properties and its name; its
// state is solved again at every pressure the chart is drawn at, so that it
// survives redraws, a new pressure and calculations until it is removed.
class StatePoints {
public:
    struct Point {
        std::string name;
        GivenProperty first, second;
        // The state at the pressure of the last Add or Recompute; without a
        // state there (a pressure at which the pair has none) the point is
        // kept but not drawn, and the message says why.
        StateSolution solution;
    };

    // Adds the point solved at B, named "P1", "P2", … when no name is given.
    // A pair without a state at B is not added: the message says why.
    std::optional<std::string> Add(double B /* Pa */, GivenProperty first, GivenProperty second,
                                   std::string name = {});
    // Removes the point and the lines from and to it.
    void Remove(std::size_t index);
    // Removes every point and line; the default names start again at P1.
    void Clear();
    // A process line from one point to another, each with a state; answers
    // whether it is new.
    bool Connect(std::size_t from, std::size_t to);
    using Line = std::pair<std::size_t, std::size_t>;
    const std::vector<Line> &Lines() const { return lines_; }
    // Solves every point again at the pressure B.
    void Recompute(double B /* Pa */);

    // What is kept of a point in a project: its name and its two properties.
    struct Kept {
        std::string name;
        GivenProperty first, second;
    };
    // Puts back points and lines as a project kept them, each point solved
    // at B (a point without a state there is kept, not drawn); a line between
    // points that do not both exist is dropped. Later unnamed points go on
    // after the highest "P" number in use.
    void Restore(const std::vector<Kept> &points, const std::vector<Line> &lines, double B);

    const std::vector<Point> &Points() const { return points_; }
    bool Empty() const { return points_.empty(); }

    // The drawn point whose dot centre lies nearest the pixel (x, y), within
    // reach pixels, for a point's own context menu and its tool tip.
    std::optional<std::size_t> PointNear(const PixelMapping &pixels, double x, double y,
                                         double reach) const;

    // The process lines (blue, 2 pixels wide), then each point with a state as
    // a dot with its name beside it in 12-point print, on top of whatever the
    // surface holds. Leaves the surface's colours, width, font size and
    // current point as it found them.
    void Draw(Surface &surface) const;

private:
    std::vector<Point> points_;
    std::vector<Line> lines_;
    int nextNumber_ = 1;
};

namespace state_points {

// The entries of 标注状态点 read as its OK reads them: each value a number as a
// whole (WholeNumberValue), of the property chosen (indexes in the order of
// state_solver::Property), and two properties that fix two quantities.
// Otherwise the message, and which entry to correct: 0 or 1 the value, 2 the
// second property.
struct PointEntries {
    std::optional<std::array<GivenProperty, 2>> given;
    std::string message;
    int correct = 0;
};
PointEntries ReadPointEntries(const std::array<int, 2> &choices,
                              const std::array<std::string, 2> &values);

// Rows (heading, value) of every property of a state, as the state command
// prints them, for 状态点参数 and the tool tip.
std::vector<std::vector<std::string>> PropertyRows(const MoistAirState &state);

// The second table of 复制结果 and 导出结果: a heading row (名称, t, ts, td,
// φ, d, i, Pq, Pqb, v, ρ) and one row per point; a point without a state at
// the current pressure has its message in place of the values.
std::vector<std::vector<std::string>> PointsTable(const StatePoints &points);

// The process line from one state to another: its heat-moisture ratio
// ε = 1000 · Δi / Δd (kJ/kg; nothing when Δd = 0), Δi (kJ/kg) and Δd (g/kg).
struct ProcessLine {
    std::optional<double> epsilon;
    float di = 0.0f;
    float dd = 0.0f;
};
ProcessLine LineBetween(const MoistAirState &from, const MoistAirState &to);

// The mixture of two streams, share % of the mass flow from the first (0…100),
// found by the chart's mixing rule on d and i and solved as the state with
// that d and i; no state when the mixture lies beyond saturation.
StateSolution Mixture(double B /* Pa */, const MoistAirState &first, const MoistAirState &second,
                      double share /* % */);

} // namespace state_points
