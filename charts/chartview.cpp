#include "charts/chartview.h"

#include <algorithm>
#include <cmath>

namespace tw {

namespace {

// The first index with x at or after value (x increases).
std::size_t LowerIndex(const std::vector<double>& x, double value)
{
    return static_cast<std::size_t>(std::lower_bound(x.begin(), x.end(), value) - x.begin());
}

// The first index with x after value.
std::size_t UpperIndex(const std::vector<double>& x, double value)
{
    return static_cast<std::size_t>(std::upper_bound(x.begin(), x.end(), value) - x.begin());
}

} // namespace

Range DataXRange(const Chart& chart)
{
    if (chart.x.empty())
        return {0, 1};
    Range range{chart.x.front(), chart.x.back()};
    if (!(range.span() > 0))
        range = {range.lo - 1, range.hi + 1};
    return range;
}

ChartView FullView(const Chart& chart)
{
    ChartView view;
    view.x = DataXRange(chart);
    view.hidden.assign(chart.series.size(), false);
    return view;
}

bool IsShown(const ChartView& view, std::size_t series)
{
    return series >= view.hidden.size() || !view.hidden[series];
}

Range FitYRange(const Chart& chart, const ChartView& view)
{
    bool anyShown = false;
    for (std::size_t k = 0; k < chart.series.size(); ++k)
        anyShown = anyShown || IsShown(view, k);

    std::size_t first = LowerIndex(chart.x, view.x.lo);
    std::size_t last = UpperIndex(chart.x, view.x.hi);
    if (first >= last) {
        // Zoomed in between two points: the segment crossing the view decides.
        first = first > 0 ? first - 1 : first;
        last = std::min(last + 1, chart.x.size());
    }

    double lo = INFINITY;
    double hi = -INFINITY;
    for (std::size_t k = 0; k < chart.series.size(); ++k) {
        if (anyShown && !IsShown(view, k))
            continue;
        const std::vector<double>& y = chart.series[k].y;
        for (std::size_t i = first; i < last && i < y.size(); ++i) {
            lo = std::min(lo, y[i]);
            hi = std::max(hi, y[i]);
        }
    }
    if (!(lo <= hi))
        return {0, 1};
    return {lo, hi};
}

double MinimumXSpan(const Chart& chart)
{
    const Range data = DataXRange(chart);
    if (chart.x.size() < 2)
        return data.span();
    return 2 * data.span() / static_cast<double>(chart.x.size() - 1);
}

Range ZoomRange(Range range, double anchor, double factor, Range limits, double minSpan)
{
    minSpan = std::min(minSpan, limits.span());
    double span = std::clamp(range.span() * factor, minSpan, limits.span());
    const double share =
        range.span() > 0 ? std::clamp((anchor - range.lo) / range.span(), 0.0, 1.0) : 0.5;
    Range zoomed{anchor - share * span, anchor - share * span + span};
    return PanRange(zoomed, 0, limits);
}

double MinimumYSpan(Range y)
{
    constexpr double kNarrowest = 1e-6;
    constexpr double kShare = 1e-9;
    const double size = std::max(std::fabs(y.lo), std::fabs(y.hi));
    return std::max(kNarrowest, size * kShare);
}

Range ZoomYRange(Range y, double anchor, double factor)
{
    const double share = y.span() > 0 ? std::clamp((anchor - y.lo) / y.span(), 0.0, 1.0) : 0.5;
    const double span = std::max(y.span() * factor, MinimumYSpan(y));
    return {anchor - share * span, anchor - share * span + span};
}

Range PanRange(Range range, double delta, Range limits)
{
    const double span = std::min(range.span(), limits.span());
    double lo = range.lo + delta;
    lo = std::clamp(lo, limits.lo, limits.hi - span);
    return {lo, lo + span};
}

std::optional<std::size_t> NearestIndex(const std::vector<double>& x, double at, Range visible)
{
    const std::size_t first = LowerIndex(x, visible.lo);
    const std::size_t last = UpperIndex(x, visible.hi);
    if (first >= last)
        return std::nullopt;
    std::size_t i = std::clamp(LowerIndex(x, at), first, last - 1);
    if (i > first && std::fabs(x[i - 1] - at) <= std::fabs(x[i] - at))
        --i;
    return i;
}

std::vector<std::size_t> PointsToDraw(const std::vector<double>& x, const std::vector<double>& y,
                                      Range visible, int columns)
{
    std::vector<std::size_t> points;
    const std::size_t count = std::min(x.size(), y.size());
    if (count == 0)
        return points;
    std::size_t first = LowerIndex(x, visible.lo);
    std::size_t last = UpperIndex(x, visible.hi);
    first = first > 0 ? first - 1 : 0;
    last = std::min(last + 1, count);
    if (first >= last)
        return points;

    columns = std::max(columns, 1);
    if (last - first <= 4 * static_cast<std::size_t>(columns)) {
        for (std::size_t i = first; i < last; ++i)
            points.push_back(i);
        return points;
    }

    const double width = visible.span() > 0 ? visible.span() : 1;
    auto columnOf = [&](std::size_t i) {
        return std::clamp(static_cast<long long>(std::floor((x[i] - visible.lo) / width * columns)),
                          -1LL, static_cast<long long>(columns));
    };
    std::size_t i = first;
    while (i < last) {
        const long long column = columnOf(i);
        std::size_t end = i;
        std::size_t lowest = i;
        std::size_t highest = i;
        while (end < last && columnOf(end) == column) {
            if (y[end] < y[lowest])
                lowest = end;
            if (y[end] > y[highest])
                highest = end;
            ++end;
        }
        std::size_t kept[4] = {i, std::min(lowest, highest), std::max(lowest, highest), end - 1};
        for (const std::size_t k : kept) {
            if (points.empty() || points.back() != k)
                points.push_back(k);
        }
        i = end;
    }
    return points;
}

} // namespace tw
