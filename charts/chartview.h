#pragma once
#include "charts/axis.h"
#include "charts/chart.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace tw {

// What part of a chart is shown: the x range, a y range fixed by a rectangle zoom (otherwise
// the axis fits the curves shown), and which curves are hidden.
struct ChartView
{
    Range x;
    std::optional<Range> y;
    std::vector<bool> hidden; // one per curve
};

// The x range of the data; a single point gets one unit either side.
Range DataXRange(const Chart& chart);

// The whole chart, every curve shown.
ChartView FullView(const Chart& chart);

bool IsShown(const ChartView& view, std::size_t series);

// The y range of the curves shown within view.x (their points inside it, or the two either
// side when none is); all curves when none is shown; 0 to 1 for a chart without curves.
Range FitYRange(const Chart& chart, const ChartView& view);

// The narrowest x range a zoom may reach: two of the steps between points.
double MinimumXSpan(const Chart& chart);

// range scaled by factor around anchor (factor < 1 zooms in), at least minSpan wide and kept
// within limits.
Range ZoomRange(Range range, double anchor, double factor, Range limits, double minSpan);

// The narrowest y range a zoom may reach around its values: a millionth of a dollar, and a
// billionth of the values' size, so that ticks can still be told apart and the pixels of every
// value stay within reach of the arithmetic.
double MinimumYSpan(Range y);

// y scaled by factor around anchor, at least MinimumYSpan wide.
Range ZoomYRange(Range y, double anchor, double factor);

// range moved by delta and kept within limits.
Range PanRange(Range range, double delta, Range limits);

// The index of the point whose x is nearest to at among those within visible; nothing when
// no point is.
std::optional<std::size_t> NearestIndex(const std::vector<double>& x, double at, Range visible);

// The points to draw of a curve across the visible range: those inside it and the one either
// side (so the line runs to the edges); when more than four fall on a pixel column of the
// columns across, only the first, lowest, highest and last of each column, which draws the
// same picture.
std::vector<std::size_t> PointsToDraw(const std::vector<double>& x, const std::vector<double>& y,
                                      Range visible, int columns);

} // namespace tw
