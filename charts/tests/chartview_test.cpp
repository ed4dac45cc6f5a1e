#include "charts/chartview.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace tw {
namespace {

// Two curves over months 0, 4, …, 40.
Chart TwoCurves()
{
    Chart chart;
    chart.xKind = XAxisKind::Months;
    ChartSeries rising{"rising", {}};
    ChartSeries falling{"falling", {}};
    for (int i = 0; i <= 10; ++i) {
        chart.x.push_back(4.0 * i);
        rising.y.push_back(100.0 * i);
        falling.y.push_back(-50.0 * i);
    }
    chart.series = {rising, falling};
    return chart;
}

TEST(FullView, ShowsAllTheDataAndEveryCurve)
{
    const ChartView view = FullView(TwoCurves());
    EXPECT_EQ(view.x, (Range{0, 40}));
    EXPECT_FALSE(view.y.has_value());
    EXPECT_EQ(view.hidden, (std::vector<bool>{false, false}));
}

TEST(DataXRange, WidensASinglePoint)
{
    Chart chart;
    chart.x = {12};
    EXPECT_EQ(DataXRange(chart), (Range{11, 13}));
    EXPECT_EQ(DataXRange(Chart{}), (Range{0, 1}));
}

TEST(FitYRange, FitsTheCurvesShownWithinTheVisibleRange)
{
    const Chart chart = TwoCurves();
    ChartView view = FullView(chart);
    EXPECT_EQ(FitYRange(chart, view), (Range{-500, 1000}));

    view.x = {8, 20}; // points 2 to 5
    EXPECT_EQ(FitYRange(chart, view), (Range{-250, 500}));

    view.hidden = {false, true};
    EXPECT_EQ(FitYRange(chart, view), (Range{200, 500}));

    // Between two points the segment that crosses the view decides.
    view.x = {9, 11};
    EXPECT_EQ(FitYRange(chart, view), (Range{200, 300}));

    // With every curve hidden the axis still fits them all, so that it does not jump.
    view.x = {0, 40};
    view.hidden = {true, true};
    EXPECT_EQ(FitYRange(chart, view), (Range{-500, 1000}));

    EXPECT_EQ(FitYRange(Chart{}, FullView(Chart{})), (Range{0, 1}));
}

TEST(ZoomRange, KeepsTheAnchorWhereItWas)
{
    const Range limits{0, 360};
    const Range zoomed = ZoomRange({0, 360}, 90, 0.5, limits, 8);
    EXPECT_DOUBLE_EQ(zoomed.span(), 180);
    // 90 stood a quarter of the way across and still does.
    EXPECT_DOUBLE_EQ((90 - zoomed.lo) / zoomed.span(), 0.25);
}

TEST(ZoomRange, StaysWithinTheLimitsAndTheNarrowestSpan)
{
    const Range limits{0, 360};
    EXPECT_EQ(ZoomRange({100, 200}, 150, 10, limits, 8), limits);
    const Range narrow = ZoomRange({100, 110}, 105, 0.01, limits, 8);
    EXPECT_DOUBLE_EQ(narrow.span(), 8);
    EXPECT_DOUBLE_EQ(narrow.lo, 101);
    // Zooming out near an edge slides the range back inside rather than shrinking it.
    const Range edge = ZoomRange({0, 40}, 2, 2, limits, 8);
    EXPECT_DOUBLE_EQ(edge.lo, 0);
    EXPECT_DOUBLE_EQ(edge.span(), 80);
}

TEST(ZoomYRange, KeepsTheAnchorAndStopsAtTheNarrowestSpan)
{
    const Range zoomed = ZoomYRange({0, 1000}, 250, 0.5);
    EXPECT_DOUBLE_EQ(zoomed.span(), 500);
    EXPECT_DOUBLE_EQ(zoomed.lo, 125);
    // However often it is zoomed in, by the wheel or by ever smaller rectangles.
    Range y{-50000, 250000};
    for (int i = 0; i < 5000; ++i)
        y = ZoomYRange(y, y.lo + y.span() / 3, 0.8);
    EXPECT_GE(y.span(), MinimumYSpan(y) * (1 - 1e-6));
    EXPECT_GE(y.span(), 1e-6 * (1 - 1e-6));
    EXPECT_TRUE(std::isfinite(y.lo) && std::isfinite(y.hi));
    EXPECT_NEAR(ZoomYRange({5, 5}, 5, 1).span(), 1e-6, 1e-12);
    EXPECT_NEAR(ZoomYRange({1e30, 1e30}, 1e30, 1).span(), 1e21, 1e15);
}

TEST(PanRange, StopsAtTheEdges)
{
    const Range limits{0, 100};
    EXPECT_EQ(PanRange({10, 30}, 5, limits), (Range{15, 35}));
    EXPECT_EQ(PanRange({10, 30}, -50, limits), (Range{0, 20}));
    EXPECT_EQ(PanRange({10, 30}, 500, limits), (Range{80, 100}));
}

TEST(MinimumXSpan, IsTwoStepsBetweenPoints)
{
    EXPECT_DOUBLE_EQ(MinimumXSpan(TwoCurves()), 8);
}

TEST(NearestIndex, SnapsToTheClosestVisiblePoint)
{
    const std::vector<double> x = {0, 4, 8, 12, 16};
    const Range all{0, 16};
    struct Case
    {
        double at;
        Range visible;
        std::optional<std::size_t> index;
    };
    const Case cases[] = {
        {5.9, all, 1}, {6.1, all, 2},   {6, all, 1},     {-3, all, 0},
        {99, all, 4},  {1, {7, 16}, 2}, {15, {0, 9}, 2}, {5, {5, 7}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.at);
        EXPECT_EQ(NearestIndex(x, c.at, c.visible), c.index);
    }
    EXPECT_EQ(NearestIndex({}, 1, all), std::nullopt);
}

TEST(PointsToDraw, TakesTheVisiblePointsAndOneEitherSide)
{
    const Chart chart = TwoCurves();
    const std::vector<std::size_t> points = PointsToDraw(chart.x, chart.series[0].y, {10, 22}, 500);
    EXPECT_EQ(points, (std::vector<std::size_t>{2, 3, 4, 5, 6}));
    EXPECT_EQ(PointsToDraw(chart.x, chart.series[0].y, {0, 40}, 500).size(), 11u);
}

TEST(PointsToDraw, KeepsEachColumnsExtremesOfALargeCurve)
{
    std::vector<double> x;
    std::vector<double> y;
    for (int i = 0; i < 100000; ++i) {
        x.push_back(i);
        y.push_back(std::sin(i * 0.01) * 1000 + (i == 54321 ? 5000 : 0));
    }
    const int columns = 400;
    const std::vector<std::size_t> points = PointsToDraw(x, y, {0, 99999}, columns);
    EXPECT_LE(points.size(), 4u * columns + 8);
    EXPECT_TRUE(std::is_sorted(points.begin(), points.end()));
    EXPECT_EQ(points.front(), 0u);
    EXPECT_EQ(points.back(), 99999u);
    // The spike and the lowest value are kept however few columns there are.
    EXPECT_NE(std::find(points.begin(), points.end(), 54321u), points.end());
    const auto lowest = static_cast<std::size_t>(std::min_element(y.begin(), y.end()) - y.begin());
    EXPECT_NE(std::find(points.begin(), points.end(), lowest), points.end());
}

} // namespace
} // namespace tw
