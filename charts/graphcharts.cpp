#include "charts/graphcharts.h"

#include "charts/axis.h"

#include <algorithm>
#include <cstddef>

namespace tw {

std::optional<BreakEven> FindBreakEven(const std::vector<double>& months,
                                       const std::vector<double>& existing,
                                       const std::vector<double>& refinanced)
{
    const std::size_t count = std::min({months.size(), existing.size(), refinanced.size()});
    for (std::size_t i = 0; i < count; ++i) {
        if (months[i] >= 1 && !(existing[i] > refinanced[i]))
            return BreakEven{i, i > 0 ? months[i - 1] : 0, months[i] - 1};
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

    if (const auto found = FindBreakEven(chart.x, chart.series[0].y, chart.series[1].y)) {
        std::string months = NumberText(found->most);
        if (found->fewest < found->most)
            months = NumberText(found->fewest) + " to " + months;
        chart.marker = ChartMarker{1, found->index, "Months to break even: " + months};
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
    // Rows r = 0 … n + 1 for n whole periods: the last row lies past the analysis.
    const std::size_t rows = file.x.size() > 1 ? file.x.size() - 1 : file.x.size();
    chart.x.assign(file.x.begin(), file.x.begin() + static_cast<std::ptrdiff_t>(rows));
    for (std::size_t k = 0; k < file.names.size(); ++k) {
        const std::vector<double>& y = file.y[k];
        chart.series.push_back(
            {file.names[k], {y.begin(), y.begin() + static_cast<std::ptrdiff_t>(rows)}});
    }
    if (chart.series.empty())
        chart.note = "No named options: give an option a name to see its curve";
    return chart;
}

} // namespace tw
