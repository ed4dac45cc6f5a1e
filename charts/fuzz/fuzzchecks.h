#pragma once
// What both fuzz targets hold a read graph to, and the chart work the programs do with it, so
// that a file which reads but cannot be drawn is found too.

#include "charts/axis.h"
#include "charts/chartview.h"
#include "charts/graphfile.h"
#include "charts/plotlines.h"

#include <cstdlib>

namespace tw::fuzz {

inline void Require(bool condition)
{
    if (!condition)
        std::abort();
}

inline void CheckGraph(const GraphFile& graph)
{
    Require(graph.y.size() == graph.names.size());
    Require(graph.x.size() <= kMaxGraphPoints);
    for (const auto& values : graph.y)
        Require(values.size() == graph.x.size());
    for (std::size_t i = 1; i < graph.x.size(); ++i)
        Require(graph.x[i] > graph.x[i - 1]);
}

inline void CheckChart(const Chart& chart)
{
    const ChartView view = FullView(chart);
    const Range y = FitYRange(chart, view);
    Require(y.lo <= y.hi);
    const Axis money = MoneyAxis(y, 8, true);
    Require(money.range.lo <= y.lo && money.range.hi >= y.hi);
    const Axis x =
        chart.xKind == XAxisKind::Months ? MonthAxis(view.x, 10) : PeriodAxis(view.x, 10);
    Require(x.ticks.size() <= 200);
    // A money range zoomed in as far as the window lets it still makes an axis that ends.
    const Range zoomed = ZoomYRange(y, (y.lo + y.hi) / 2, 1e-30);
    Require(zoomed.span() >= MinimumYSpan(zoomed) * 0.5);
    Require(MoneyAxis(zoomed, 8, false).ticks.size() <= 200);
    for (const Range& shown : {money.range, zoomed}) {
        // The curves in an 800 by 500 plot: every run cut to it lies inside it.
        constexpr PlotBox kBox{0, 0, 800, 500};
        const auto pixelX = [&](double v) { return (v - view.x.lo) / view.x.span() * 800; };
        const auto pixelY = [&](double v) { return 500 - (v - shown.lo) / shown.span() * 500; };
        for (const ChartSeries& series : chart.series) {
            const auto points = PointsToDraw(chart.x, series.y, view.x, 300);
            Require(points.size() <= chart.x.size());
            std::vector<PlotPoint> line;
            for (const std::size_t i : points)
                line.push_back({pixelX(chart.x[i]), pixelY(series.y[i])});
            const std::vector<PlotRun> runs = ClipPolyline(line, kBox);
            for (const PlotRun& run : runs) {
                for (const PlotPoint& p : run)
                    Require(p.x >= 0 && p.x <= 800 && p.y >= 0 && p.y <= 500);
            }
            StrokeFor(RunsLength(runs), 800, 500);
        }
    }
    if (!chart.x.empty()) {
        const auto nearest = NearestIndex(chart.x, (view.x.lo + view.x.hi) / 2, view.x);
        Require(nearest.has_value() && *nearest < chart.x.size());
    }
    if (chart.marker)
        Require(chart.marker->index < chart.x.size() && chart.marker->series < chart.series.size());
}

} // namespace tw::fuzz
