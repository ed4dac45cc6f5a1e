// libFuzzer entry: any bytes as a refinance graph file ("ref.tmp"). Links with twchartmodel.

#include "charts/fuzz/fuzzchecks.h"
#include "charts/graphcharts.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const tw::GraphRead read = tw::ReadRefFile(text);
    if (!read.graph) {
        tw::fuzz::Require(!read.error.what.empty() && read.error.line >= 0);
        tw::fuzz::Require(!tw::DescribeReadError(read.error, "ref.tmp").empty());
        return 0;
    }
    tw::fuzz::CheckGraph(*read.graph);
    tw::fuzz::Require(read.graph->names.size() == 2);
    for (const double month : read.graph->x)
        tw::fuzz::Require(month >= 0 &&
                          month == static_cast<double>(static_cast<long long>(month)));
    tw::fuzz::CheckChart(tw::RefinanceChart(*read.graph));
    const auto found = tw::FindBreakEven(read.graph->x, read.graph->y[0], read.graph->y[1]);
    tw::fuzz::Require(!found || (found->fewest <= found->most && found->most >= 0));
    return 0;
}
