#include "charts/graphcharts.h"

#include "charts/chartsummary.h"
#include "charts/tests/chartsamples.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

Chart ChartOfRun(const RefinanceInput& input, RefinanceOutcome& outcome)
{
    outcome = RunRefinanceAnalysis(input, RefinanceMode::Graph);
    EXPECT_FALSE(outcome.refusal.has_value());
    const GraphRead read = ReadRefFile(outcome.graphText);
    EXPECT_TRUE(read.graph) << read.error.line << ": " << read.error.what;
    return read.graph ? RefinanceChart(*read.graph) : Chart{};
}

TEST(FindBreakEven, FindsTheFirstPointAtOrAboveAndCountsATie)
{
    EXPECT_EQ(FindBreakEven({5, 4, 3}, {1, 2, 4}), 2u);
    EXPECT_EQ(FindBreakEven({5, 3, 1}, {1, 3, 0}), 1u);
    EXPECT_EQ(FindBreakEven({0}, {0}), 0u);
    EXPECT_EQ(FindBreakEven({5, 6}, {1, 2}), std::nullopt);
    EXPECT_EQ(FindBreakEven({}, {}), std::nullopt);
}

TEST(RefinanceChart, MarksTheBreakEvenOfTheWorkedCase)
{
    RefinanceOutcome outcome;
    const Chart chart = ChartOfRun(samples::WorkedCase(), outcome);
    ASSERT_TRUE(outcome.brokeEven);
    ASSERT_EQ(chart.series.size(), 2u);
    EXPECT_EQ(chart.series[0].name, "Existing Mortgage");
    EXPECT_EQ(chart.series[1].name, "Refinanced Mortgage");
    EXPECT_EQ(chart.xKind, XAxisKind::Months);
    ASSERT_TRUE(chart.marker.has_value());
    EXPECT_TRUE(chart.note.empty());

    // The form counts the whole months before the one that breaks even (17 here); the file
    // has every fourth month, so the chart finds the first of those at or after it.
    const double month = chart.x[chart.marker->index];
    EXPECT_EQ(outcome.breakEvenMonths, 17);
    EXPECT_EQ(month, 20);
    EXPECT_EQ(chart.marker->label, "Break-even: month 20");
    EXPECT_EQ(chart.marker->series, 1u);
    const std::size_t i = chart.marker->index;
    EXPECT_GE(chart.series[1].y[i], chart.series[0].y[i]);
    EXPECT_LT(chart.series[1].y[i - 1], chart.series[0].y[i - 1]);
    EXPECT_EQ(ChartSummary(chart), "Net worth of Existing Mortgage and Refinanced Mortgage over "
                                   "months since refinancing 0 to 360; Break-even: month 20.");
}

TEST(RefinanceChart, NotesARefinancingThatNeverBreaksEven)
{
    // A higher rate and large costs: the refinanced future stays behind for all 30 years.
    const RefinanceInput input = samples::NeverBreaksEven();
    RefinanceOutcome outcome;
    const Chart chart = ChartOfRun(input, outcome);
    ASSERT_FALSE(outcome.brokeEven);
    EXPECT_FALSE(chart.marker.has_value());
    EXPECT_EQ(chart.note, "Never breaks even within 360 months");
    EXPECT_EQ(ChartSummary(chart), "Net worth of Existing Mortgage and Refinanced Mortgage over "
                                   "months since refinancing 0 to 360; Never breaks even within "
                                   "360 months.");
}

TEST(RefinanceChart, BreaksEvenAtMonthZeroWhenAheadFromTheStart)
{
    GraphFile file;
    file.extent = 4;
    file.names = {"Existing Mortgage", "Refinanced Mortgage"};
    file.x = {0, 4};
    file.y = {{100, 200}, {100, 150}};
    const Chart chart = RefinanceChart(file);
    ASSERT_TRUE(chart.marker.has_value());
    EXPECT_EQ(chart.marker->label, "Break-even: month 0");
}

TEST(TradeChart, DrawsOneCurvePerNamedOption)
{
    TradeInput input;
    input.periods = 12;
    input.options[0] = {"Buy", 1000, 100, 0, 250};
    input.options[2] = {"Lease", 0, 0, 500, 50};
    const GraphRead read = ReadTradeFile(TradeGraphText(input));
    ASSERT_TRUE(read.graph) << read.error.what;
    const Chart chart = TradeChart(*read.graph);
    ASSERT_EQ(chart.series.size(), 2u);
    EXPECT_EQ(chart.series[0].name, "Buy");
    EXPECT_EQ(chart.series[1].name, "Lease");
    EXPECT_EQ(chart.xKind, XAxisKind::Periods);
    EXPECT_FALSE(chart.marker.has_value());
    EXPECT_TRUE(chart.note.empty());
    // The documented end amounts after 12 periods: 800 and 1100.
    EXPECT_EQ(chart.series[0].y[12], 800);
    EXPECT_EQ(chart.series[1].y[12], 1100);
    EXPECT_EQ(ChartSummary(chart),
              "Amount of Buy and Lease over periods 0 to 13; at period 13 Buy $950.00 and Lease "
              "$1,150.00.");
}

TEST(TradeChart, SaysWhyAFileWithoutOptionsHasNoCurves)
{
    TradeInput input;
    input.periods = 3;
    const GraphRead read = ReadTradeFile(TradeGraphText(input));
    ASSERT_TRUE(read.graph) << read.error.what;
    const Chart chart = TradeChart(*read.graph);
    EXPECT_TRUE(chart.series.empty());
    EXPECT_FALSE(chart.note.empty());
    EXPECT_EQ(chart.x.size(), 5u);
}

} // namespace
} // namespace tw
