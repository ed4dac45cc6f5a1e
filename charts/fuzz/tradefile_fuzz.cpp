// libFuzzer entry: any bytes as a trade-off graph file ("trade.tmp"). Links with twchartmodel.

#include "charts/fuzz/fuzzchecks.h"
#include "charts/graphcharts.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const tw::GraphRead read = tw::ReadTradeFile(text);
    if (!read.graph) {
        tw::fuzz::Require(!read.error.what.empty() && read.error.line >= 0);
        tw::fuzz::Require(!tw::DescribeReadError(read.error, "trade.tmp").empty());
        return 0;
    }
    tw::fuzz::CheckGraph(*read.graph);
    tw::fuzz::Require(read.graph->names.size() <= 3);
    const tw::Chart chart = tw::TradeChart(*read.graph);
    // The periods the form analysed: every row but the one past them.
    tw::fuzz::Require(chart.x.size() + (read.graph->x.size() > 1 ? 1 : 0) == read.graph->x.size());
    tw::fuzz::CheckChart(chart);
    return 0;
}
