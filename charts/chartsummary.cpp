#include "charts/chartsummary.h"

#include "charts/axis.h"

#include <cctype>

namespace tw {

namespace {

std::string Lowered(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// "A", "A and B", "A, B and C".
std::string Listed(const std::vector<std::string>& items)
{
    std::string listed;
    for (std::size_t k = 0; k < items.size(); ++k) {
        if (k > 0)
            listed += k + 1 == items.size() ? " and " : ", ";
        listed += items[k];
    }
    return listed;
}

} // namespace

std::string ChartSummary(const Chart& chart)
{
    std::vector<std::string> names;
    for (const ChartSeries& series : chart.series)
        names.push_back(series.name);
    std::string summary = chart.yTitle;
    if (!names.empty())
        summary += " of " + Listed(names);
    if (!chart.x.empty()) {
        summary += " over " + Lowered(chart.xTitle) + " " + NumberText(chart.x.front()) + " to " +
                   NumberText(chart.x.back());
    }
    if (chart.marker)
        summary += "; " + chart.marker->label;
    if (!chart.note.empty())
        summary += "; " + chart.note;
    if (chart.xKind == XAxisKind::Periods && !chart.x.empty() && !names.empty()) {
        std::vector<std::string> ends;
        for (const ChartSeries& series : chart.series) {
            if (!series.y.empty())
                ends.push_back(series.name + " " + MoneyText(series.y.back()));
        }
        summary += "; at period " + NumberText(chart.x.back()) + " " + Listed(ends);
    }
    return summary + ".";
}

} // namespace tw
