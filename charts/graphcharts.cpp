#include "charts/graphcharts.h"

#include "charts/axis.h"

namespace tw {

std::optional<std::size_t> FindBreakEven(const std::vector<double>& existing,
                                         const std::vector<double>& refinanced)
{
    const std::size_t count = std::min(existing.size(), refinanced.size());
    for (std::size_t i = 0; i < count; ++i) {
        if (!(existing[i] > refinanced[i]))
            return i;
    }
    return std::nullopt;
}

Chart RefinanceChart(const GraphFile& file)
{
    Chart chart;
    chart.title = "Refinance Analysis: Net Worth";
    chart.xTitle = "Months since refinancing";
    chart.yTitle = "Net worth";
    chart.xKind = XAxisKind::Months;
    chart.x = file.x;
    for (std::size_t k = 0; k < file.names.size(); ++k)
        chart.series.push_back({file.names[k], file.y[k]});
    if (chart.series.size() != 2 || chart.x.empty())
        return chart;

    if (const auto index = FindBreakEven(chart.series[0].y, chart.series[1].y)) {
        chart.marker = ChartMarker{1, *index, "Break-even: month " + NumberText(chart.x[*index])};
    } else {
        chart.note = "Never breaks even within " + NumberText(chart.x.back()) + " months";
    }
    return chart;
}

Chart TradeChart(const GraphFile& file)
{
    Chart chart;
    chart.title = "Trade-Off Analysis";
    chart.xTitle = "Periods";
    chart.yTitle = "Amount";
    chart.xKind = XAxisKind::Periods;
    chart.x = file.x;
    for (std::size_t k = 0; k < file.names.size(); ++k)
        chart.series.push_back({file.names[k], file.y[k]});
    if (chart.series.empty())
        chart.note = "No named options: give an option a name to see its curve";
    return chart;
}

} // namespace tw
