#include "chart/chart_drawing.h"
#include "draw/scene.h"
#include "readout/state_points.h"

#include <gtest/gtest.h>

using state_solver::Property;

// Typed points keep their pair: a new pressure solves them again, a pair
// without a state there keeps the point undrawn until a pressure brings it back.
TEST(StatePoints, PointsFollowThePressureAndKeepTheirNames)
{
    StatePoints points;
    EXPECT_FALSE(points.Add(101325, {Property::t, 32}, {Property::phi, 65}));
    EXPECT_FALSE(points.Add(101325, {Property::ts, 20}, {Property::d, 10}, "室外"));
    EXPECT_FALSE(points.Add(101325, {Property::t, 99}, {Property::phi, 95}));
    EXPECT_TRUE(points.Add(101325, {Property::t, 20}, {Property::phi, 120}));
    ASSERT_EQ(points.Points().size(), 3u);
    EXPECT_EQ(points.Points()[0].name, "P1");
    EXPECT_EQ(points.Points()[1].name, "室外");
    EXPECT_EQ(points.Points()[2].name, "P3");

    points.Recompute(90000);
    for (std::size_t k = 0; k < 2; ++k) {
        const StatePoints::Point &p = points.Points()[k];
        const StateSolution expected = SolveState(90000, p.first, p.second);
        ASSERT_TRUE(p.solution.state);
        EXPECT_EQ(p.solution.state->d, expected.state->d);
        EXPECT_EQ(p.solution.state->i, expected.state->i);
    }
    // 99 °C at 95 % needs more than 90000 Pa of vapour pressure.
    EXPECT_FALSE(points.Points()[2].solution.state);
    EXPECT_EQ(state_points::PointsTable(points)[3][1], points.Points()[2].solution.message);
    points.Recompute(101325);
    EXPECT_TRUE(points.Points()[2].solution.state);

    points.Remove(0);
    EXPECT_FALSE(points.Add(101325, {Property::t, 25}, {Property::i, 50}));
    EXPECT_EQ(points.Points().back().name, "P4");
    points.Clear();
    EXPECT_FALSE(points.Add(101325, {Property::t, 25}, {Property::i, 50}));
    EXPECT_EQ(points.Points().back().name, "P1");
}

// Each point with a state is a dot with its name where the chart puts (d, i),
// and the pointer finds it there.
TEST(StatePoints, DotsWithNamesWhereTheStateLies)
{
    Scene surface;
    SetChartScale(surface);
    StatePoints points;
    ASSERT_FALSE(points.Add(101325, {Property::t, 32}, {Property::phi, 65}));
    ASSERT_FALSE(points.Add(101325, {Property::t, 15}, {Property::td, 5}, "A"));
    points.Recompute(101325);
    points.Draw(surface);
    const std::vector<Scene::Op> ops = surface.Ops();
    ASSERT_EQ(ops.size(), 4u);
    const MoistAirState &first = *points.Points()[0].solution.state;
    EXPECT_EQ(ops[0].kind, Scene::Kind::Circle);
    EXPECT_EQ(ops[1].kind, Scene::Kind::Text);
    EXPECT_EQ(ops[1].text, "P1");
    EXPECT_EQ(ops[3].text, "A");
    EXPECT_EQ(ops[0].x1, first.d); // chart units: x = d, y = i
    EXPECT_EQ(ops[0].y1, first.i);
    EXPECT_GT(ops[1].x1, first.d); // the name to the right of its dot
    const ScaleMap &map = surface.Map();

    const double x = map.ToPixelX(first.d) + 3, y = map.ToPixelY(first.i) - 2;
    EXPECT_EQ(points.PointNear(surface.Pixels(), x, y, 6), std::optional<std::size_t>(0));
    EXPECT_FALSE(points.PointNear(surface.Pixels(), x + 20, y, 6));
}

// A process line between two points, and their mixture at a share of the first.
TEST(StatePoints, ProcessLineAndMixture)
{
    const MoistAirState outdoor
        = *SolveState(101325, {Property::t, 35}, {Property::ts, 26.5}).state;
    const MoistAirState indoor = *SolveState(101325, {Property::t, 26}, {Property::phi, 60}).state;
    const state_points::ProcessLine line = state_points::LineBetween(indoor, outdoor);
    EXPECT_FLOAT_EQ(line.dd, outdoor.d - indoor.d);
    EXPECT_FLOAT_EQ(line.di, outdoor.i - indoor.i);
    ASSERT_TRUE(line.epsilon);
    EXPECT_NEAR(*line.epsilon, 1000.0 * line.di / line.dd, 1e-9);
    EXPECT_FALSE(state_points::LineBetween(indoor, indoor).epsilon);

    // 30 % outdoor air: 30 % of the way from the indoor to the outdoor state.
    const StateSolution mixed = state_points::Mixture(101325, outdoor, indoor, 30);
    ASSERT_TRUE(mixed.state) << mixed.message;
    EXPECT_NEAR(mixed.state->d, indoor.d + 0.3 * (outdoor.d - indoor.d), 1e-4);
    EXPECT_NEAR(mixed.state->i, indoor.i + 0.3 * (outdoor.i - indoor.i), 1e-4);
    EXPECT_FALSE(state_points::Mixture(101325, outdoor, indoor, 120).state);
}
