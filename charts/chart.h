#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tw {

// How the x axis is marked: months since refinancing with a mark at every year, or periods.
enum class XAxisKind { Months, Periods };

struct ChartSeries
{
    std::string name;
    std::vector<double> y; // one value per x of the chart
};

// A point the chart points out, with its label beside it.
struct ChartMarker
{
    std::size_t series = 0;
    std::size_t index = 0;
    std::string label;
};

// A line chart over one shared x: every curve has a value at every x, and x increases.
struct Chart
{
    std::string title;
    std::string xTitle;
    std::string yTitle;
    XAxisKind xKind = XAxisKind::Periods;
    std::vector<double> x;
    std::vector<ChartSeries> series;
    std::optional<ChartMarker> marker;
    std::string note; // shown in the plot when set: what the curves do not show by themselves
};

} // namespace tw
