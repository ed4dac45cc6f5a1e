#include "charts/graphcharts.h"

#include "charts/chartsummary.h"
#include "charts/tests/chartsamples.h"

#include "finance/format.h"

#include <gtest/gtest.h>

#include <cmath>

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

TEST(FindBreakEven, BoundsTheFormsMonthsByThePointsEitherSide)
{
    struct Case
    {
        std::vector<double> months;
        std::vector<double> existing;
        std::vector<double> refinanced;
        std::optional<std::size_t> index;
        double fewest = 0;
        double most = 0;
    };
    // A point at month x holds the net worth after x months, which the form counts as x − 1
    // months before the month that breaks even; month 0 is the start and counts for nothing.
    const Case cases[] = {
        {{0, 4, 8}, {5, 4, 3}, {1, 2, 4}, 2, 4, 7},
        {{0, 4, 8}, {5, 3, 1}, {1, 3, 0}, 1, 0, 3},     // a tie counts
        {{0, 4}, {100, 200}, {100, 150}, std::nullopt}, // a tie at the start does not
        {{0, 1, 2, 3}, {10, 10, 10, 10}, {0, 5, 12, 20}, 2, 1, 1},
        {{4, 8}, {1, 1}, {2, 2}, 0, 0, 3},
        {{0, 4}, {5, 6}, {1, 2}, std::nullopt},
        {{}, {}, {}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.months.size() << " points, expected " << c.fewest << " to " << c.most);
        const auto found = FindBreakEven(c.months, c.existing, c.refinanced);
        ASSERT_EQ(found.has_value(), c.index.has_value());
        if (!found)
            continue;
        EXPECT_EQ(found->index, *c.index);
        EXPECT_EQ(found->fewest, c.fewest);
        EXPECT_EQ(found->most, c.most);
    }
}

TEST(RefinanceChart, MarksTheBreakEvenOfTheWorkedCase)
{
    RefinanceOutcome outcome;
    const Chart chart = ChartOfRun(samples::WorkedRefinance(), outcome);
    ASSERT_TRUE(outcome.brokeEven);
    ASSERT_EQ(chart.series.size(), 2u);
    EXPECT_EQ(chart.series[0].name, "Existing Mortgage");
    EXPECT_EQ(chart.series[1].name, "Refinanced Mortgage");
    EXPECT_EQ(chart.xKind, XAxisKind::Months);
    ASSERT_TRUE(chart.marker.has_value());
    EXPECT_TRUE(chart.note.empty());

    // The form counts the whole months before the one that breaks even (17 here); the file
    // has every fourth month: behind after 16 months, ahead after 20, so 16 to 19.
    const double month = chart.x[chart.marker->index];
    EXPECT_EQ(outcome.breakEvenMonths, 17);
    EXPECT_EQ(month, 20);
    EXPECT_EQ(chart.marker->label, "Months to break even: 16 to 19");
    EXPECT_EQ(chart.marker->series, 1u);
    const std::size_t i = chart.marker->index;
    EXPECT_GE(chart.series[1].y[i], chart.series[0].y[i]);
    EXPECT_LT(chart.series[1].y[i - 1], chart.series[0].y[i - 1]);
    EXPECT_EQ(ChartSummary(chart), "Net worth of Existing Mortgage and Refinanced Mortgage over "
                                   "months since refinancing 0 to 360; Months to break even: 16 "
                                   "to 19.");
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

// Over many analyses, some breaking even early, some late, some never: the chart's range
// always holds the form's Months to Break Even, and it says "never" only when the form does.
TEST(RefinanceChart, NeverContradictsTheFormsMonthsToBreakEven)
{
    int brokeEven = 0;
    int never = 0;
    for (const float existingRate : {5.0f, 8.0f, 12.0f}) {
        for (const float refinancedRate : {4.0f, 6.5f, 9.0f}) {
            for (const float closingCosts : {0.0f, 3000.0f, 25000.0f}) {
                for (const float savingsRate : {-20.0f, 0.0f, 5.0f, 30.0f}) {
                    for (const float taxRate : {1.0f, 40.0f}) {
                        RefinanceInput input = samples::WorkedRefinance();
                        input.existingRate = existingRate;
                        input.refinancedRate = refinancedRate;
                        input.closingCosts = closingCosts;
                        input.savingsRate = savingsRate;
                        input.taxRate = taxRate;
                        input.refinancedYears = existingRate > 6 ? 15 : 30;
                        SCOPED_TRACE(::testing::Message()
                                     << existingRate << " % to " << refinancedRate << " %, costs "
                                     << closingCosts << ", savings " << savingsRate << " %, tax "
                                     << taxRate << " %");
                        RefinanceOutcome outcome;
                        const Chart chart = ChartOfRun(input, outcome);
                        ASSERT_EQ(chart.marker.has_value(), outcome.brokeEven) << chart.note;
                        if (!outcome.brokeEven) {
                            ++never;
                            continue;
                        }
                        ++brokeEven;
                        const auto found =
                            FindBreakEven(chart.x, chart.series[0].y, chart.series[1].y);
                        ASSERT_TRUE(found.has_value());
                        EXPECT_LE(found->fewest, outcome.breakEvenMonths);
                        EXPECT_GE(found->most, outcome.breakEvenMonths);
                    }
                }
            }
        }
    }
    EXPECT_GT(brokeEven, 20);
    EXPECT_GT(never, 20);
}

// A file whose points lie a month apart pins the month down; month 0 is only the start.
TEST(RefinanceChart, NamesTheMonthWhenThePointsPinItDown)
{
    GraphFile file;
    file.extent = 3;
    file.names = {"Existing Mortgage", "Refinanced Mortgage"};
    file.x = {0, 1, 2, 3};
    file.y = {{100, 100, 100, 100}, {100, 90, 101, 120}};
    Chart chart = RefinanceChart(file);
    ASSERT_TRUE(chart.marker.has_value());
    EXPECT_EQ(chart.marker->index, 2u);
    EXPECT_EQ(chart.marker->label, "Months to break even: 1");

    file.y = {{100, 200, 200, 200}, {100, 150, 150, 150}};
    chart = RefinanceChart(file);
    EXPECT_FALSE(chart.marker.has_value());
    EXPECT_EQ(chart.note, "Never breaks even within 3 months");
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
    // The documented end amounts after 12 periods: 800 and 1100, the last points.
    ASSERT_EQ(chart.x.size(), 13u);
    EXPECT_EQ(chart.series[0].y.back(), 800);
    EXPECT_EQ(chart.series[1].y.back(), 1100);
    EXPECT_EQ(ChartSummary(chart),
              "Amount of Buy and Lease over periods 0 to 12; at period 12 Buy $800.00 and Lease "
              "$1,100.00.");
}

// The file runs a row past the periods; the chart ends where the form does, on its End
// Amounts to the cent, whatever the periods and the amounts.
TEST(TradeChart, EndsOnTheFormsEndAmounts)
{
    const float periodCounts[] = {3, 12, 12.7f, 36, 99.99f, 100, 3.9999995f};
    for (const float periods : periodCounts) {
        TradeInput input = samples::ThreeOptions();
        input.periods = periods;
        input.options[1].incomePerPeriod = 0.37f;
        input.options[2].fixedAmount = -1234567.89f;
        SCOPED_TRACE(::testing::Message() << periods << " periods");
        const Chart chart = samples::TradeChartOf(input);
        const TradeResult form = CompareTradeOffs(input);
        ASSERT_EQ(chart.series.size(), 3u);
        ASSERT_FALSE(chart.x.empty());
        EXPECT_EQ(chart.x.back(), std::trunc(periods));
        for (std::size_t k = 0; k < 3; ++k) {
            ASSERT_EQ(chart.series[k].y.size(), chart.x.size());
            EXPECT_EQ(Format("%.2f", chart.series[k].y.back()),
                      Format("%.2f", static_cast<double>(form.endAmounts[k])))
                << chart.series[k].name;
        }
    }
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
    EXPECT_EQ(chart.x.size(), 4u);
}

} // namespace
} // namespace tw
