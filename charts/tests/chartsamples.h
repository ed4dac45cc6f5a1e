#pragma once
// Charts made from the files the suite's own analyses write, for the drawing tests.

#include "charts/graphcharts.h"
#include "tests/support/workedrefinance.h"
#include "tools/calculators/tradeoff.h"
#include "tools/refinance/refinance.h"

#include <gtest/gtest.h>

#include <string>

namespace tw::samples {

// The documented worked case, which breaks even (in the file's month 20).
using tw::testing::WorkedRefinance;

// A higher rate and large costs: never breaks even.
inline RefinanceInput NeverBreaksEven()
{
    RefinanceInput input = WorkedRefinance();
    input.refinanceAge = 40;
    input.existingRate = 5;
    input.refinancedRate = 9;
    input.closingCosts = 20000;
    return input;
}

inline std::string RefFileOf(const RefinanceInput& input)
{
    return RunRefinanceAnalysis(input, RefinanceMode::Graph).graphText;
}

inline Chart RefChartOf(const RefinanceInput& input)
{
    const GraphRead read = ReadRefFile(RefFileOf(input));
    EXPECT_TRUE(read.graph) << read.error.what;
    return read.graph ? RefinanceChart(*read.graph) : Chart{};
}

// Three options over 24 periods that cross one another.
inline TradeInput ThreeOptions()
{
    TradeInput input;
    input.periods = 24;
    input.options[0] = {"Buy a new car", 18000, 150, 0, 0};
    input.options[1] = {"Lease", 2000, 420, 0, 0};
    input.options[2] = {"Keep the old car", 0, 610, 2500, 0};
    return input;
}

inline Chart TradeChartOf(const TradeInput& input)
{
    const GraphRead read = ReadTradeFile(TradeGraphText(input));
    EXPECT_TRUE(read.graph) << read.error.what;
    return read.graph ? TradeChart(*read.graph) : Chart{};
}

} // namespace tw::samples
