#include "finance/format.h"
#include "tools/calculators/tradeoff.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

namespace tw {
namespace {

// Option 1 pays 1000 once and 100 a period for 250 a period; option 2 gets 500 once and 50
// a period: after 12 periods 800 and 1100 (the documented example, and by hand).
TradeInput WorkedExample(float periods)
{
    TradeInput in;
    in.options[0] = {"Buy", 1000, 100, 0, 250};
    in.options[1] = {"Rent", 0, 0, 500, 50};
    in.periods = periods;
    return in;
}

std::string Shown(double value)
{
    return Format("%-10.2f", value);
}

TEST(CompareTradeOffs, MatchesWorkedExample)
{
    const TradeResult r = CompareTradeOffs(WorkedExample(12));
    EXPECT_EQ(Shown(r.endAmounts[0]), "800.00    ");
    EXPECT_EQ(Shown(r.endAmounts[1]), "1100.00   ");
    EXPECT_EQ(Shown(r.endAmounts[2]), "0.00      ");
    EXPECT_EQ(Shown(r.differences[0]), "300.00    ");
    EXPECT_EQ(Shown(r.differences[1]), "1100.00   ");
    EXPECT_EQ(Shown(r.differences[2]), "800.00    ");
    EXPECT_TRUE(r.finite);
}

struct PeriodCase
{
    float periods;
    const char* first; // E1 "%.2f"
};

// A period count is used truncated toward zero; none at all when that is 0 or less.
TEST(CompareTradeOffs, TruncatesThePeriodCount)
{
    const PeriodCase cases[] = {
        {12.7f, "800.00"},   {12.0f, "800.00"},    {0.0f, "-1000.00"}, {0.9f, "-1000.00"},
        {-5.0f, "-1000.00"}, {-1e30f, "-1000.00"}, {1.0f, "-850.00"},
    };
    for (const PeriodCase& c : cases) {
        const TradeResult r = CompareTradeOffs(WorkedExample(c.periods));
        const std::string shown = Format("%.2f", static_cast<double>(r.endAmounts[0]));
        SCOPED_TRACE(Format("periods %g: expected %s, got %s", static_cast<double>(c.periods),
                            c.first, shown.c_str()));
        EXPECT_EQ(shown, c.first);
    }
}

TEST(CompareTradeOffs, EndsAHugePeriodCountWhereFloatSumsStopGrowing)
{
    // Adding 1 to a float stops changing it at 2^24 (16777216 + 1 is a tie, kept even), so
    // 216 periods from 16777000 reach the end value that any larger count keeps.
    TradeInput in;
    in.options[0].fixedAmount = 16777000;
    in.options[0].incomePerPeriod = 1;
    const std::pair<float, float> cases[] = {
        {215, 16777215},
        {216, 16777216},
        {1e9f, 16777216},
        {std::numeric_limits<float>::infinity(), 16777216},
    };
    for (const auto& [periods, end] : cases) {
        in.periods = periods;
        SCOPED_TRACE(Format("periods %g", static_cast<double>(periods)));
        EXPECT_EQ(CompareTradeOffs(in).endAmounts[0], end);
    }
}

TEST(CompareTradeOffs, KeepsDifferencesUnrounded)
{
    // 16777216 − 0.25 has no float value; the difference is shown from the exact one.
    TradeInput in;
    in.options[0].fixedAmount = 16777216;
    in.options[1].fixedAmount = 0.25f;
    const TradeResult r = CompareTradeOffs(in);
    EXPECT_EQ(Shown(r.differences[0]), "16777215.75");
    EXPECT_EQ(Shown(r.differences[1]), "0.25      ");
}

TEST(CompareTradeOffs, FlagsAmountsBeyondTheFloatRange)
{
    TradeInput in;
    in.options[0].incomePerPeriod = 1e37f;
    in.periods = 100;
    EXPECT_FALSE(CompareTradeOffs(in).finite);

    TradeInput both; // each end amount is finite, their difference is not
    both.options[0].fixedAmount = 3e38f;
    both.options[1].fixedCost = 3e38f;
    const TradeResult r = CompareTradeOffs(both);
    EXPECT_TRUE(std::isfinite(r.endAmounts[0]) && std::isfinite(r.endAmounts[1]));
    EXPECT_EQ(Shown(r.differences[0]).substr(0, 5), "60000"); // 6e38 fits a double
    EXPECT_TRUE(r.finite);

    TradeInput typed; // a value typed beyond the float range reads as infinity
    typed.options[2].fixedCost = std::numeric_limits<float>::infinity();
    EXPECT_FALSE(CompareTradeOffs(typed).finite);
}

// A float of any sign and magnitude, by its exponent, from 2^low to 2^high; now and then 0.
float AnyFloat(std::mt19937& random, int low, int high)
{
    std::uniform_int_distribution<int> exponent(low, high);
    std::uniform_real_distribution<float> mantissa(1.0f, 2.0f);
    std::bernoulli_distribution negative(0.5);
    if (std::uniform_int_distribution<int>(0, 15)(random) == 0)
        return 0;
    const float value = std::ldexp(mantissa(random), exponent(random));
    return negative(random) ? -value : value;
}

// The end amount without the walk must be the walk's float, bit for bit, for every option
// and count: options whose values climb or fall through many binades, cross zero, start on
// ties (whole amounts with half-unit steps), sit among the subnormals, or reach the point
// where a period no longer changes anything.
// What "a few thousand periods at most" means: the periods summed one by one, whatever the
// count.
constexpr long long kMostPeriodsWalked = 4000;

TEST(TradeEndAmount, EqualsTheWalkPeriodByPeriod)
{
    std::mt19937 random(20261209);
    std::uniform_real_distribution<double> logCount(0, 18);
    int compared = 0;
    for (int i = 0; i < 1500; ++i) {
        TradeOption option;
        switch (i % 5) {
        case 0: // anything
            option.fixedAmount = AnyFloat(random, -30, 40);
            option.fixedCost = AnyFloat(random, -30, 40);
            option.incomePerPeriod = AnyFloat(random, -30, 30);
            option.costPerPeriod = AnyFloat(random, -30, 30);
            break;
        case 1: { // a start far from zero, moving towards it and past it
            const float step = AnyFloat(random, -10, 20);
            option.incomePerPeriod = step;
            option.fixedCost =
                step * static_cast<float>(std::uniform_int_distribution<int>(1, 200000)(random));
            break;
        }
        case 2: // steps of half units: ties between two floats, which go to the even one
            option.fixedAmount =
                static_cast<float>(std::uniform_int_distribution<int>(-(1 << 25), 1 << 25)(random));
            option.incomePerPeriod = std::ldexp(
                static_cast<float>(std::uniform_int_distribution<int>(-7, 7)(random)) + 0.5f,
                std::uniform_int_distribution<int>(-2, 3)(random));
            break;
        case 3: // among the subnormals and the smallest normals
            option.fixedAmount = AnyFloat(random, -149, -120);
            option.incomePerPeriod = AnyFloat(random, -149, -125);
            option.costPerPeriod = AnyFloat(random, -149, -125);
            break;
        case 4: // income and cost that nearly cancel, in extended precision
            option.incomePerPeriod = AnyFloat(random, 0, 30);
            option.costPerPeriod = std::nextafter(option.incomePerPeriod, 0.0f);
            option.fixedAmount = AnyFloat(random, -40, 0);
            break;
        }
        const int periods = static_cast<int>(std::pow(2.0, logCount(random)));
        const Money expected = TradeEndAmountByPeriods(option, periods);
        long long walked = 0;
        const Money actual = TradeEndAmount(option, periods, &walked);
        EXPECT_LE(walked, kMostPeriodsWalked) << periods << " periods";
        if (std::memcmp(&expected, &actual, sizeof expected) != 0) {
            ADD_FAILURE() << Format("fixed amount %a, fixed cost %a, income %a, cost %a, "
                                    "periods %d: walk %a, without the walk %a",
                                    static_cast<double>(option.fixedAmount),
                                    static_cast<double>(option.fixedCost),
                                    static_cast<double>(option.incomePerPeriod),
                                    static_cast<double>(option.costPerPeriod), periods,
                                    static_cast<double>(expected), static_cast<double>(actual));
        }
        ++compared;
    }
    EXPECT_EQ(compared, 1500);
}

// Counts up to the int range's end, on options whose walk reaches its end value within a few
// million periods, so that the walk can still be the reference.
TEST(TradeEndAmount, EqualsTheWalkForHugeCounts)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> count(1 << 22, std::numeric_limits<int>::max());
    for (int i = 0; i < 200; ++i) {
        TradeOption option;
        const float step = AnyFloat(random, -20, 20);
        if (step == 0)
            continue;
        option.incomePerPeriod = step;
        // Growing away from zero from about 2^24 steps, where a step stops counting.
        const double start =
            std::ldexp(std::uniform_real_distribution<double>(0.98, 3)(random), 24);
        option.fixedAmount = static_cast<float>(start * static_cast<double>(step));
        const int periods = count(random);
        const Money expected = TradeEndAmountByPeriods(option, periods);
        long long walked = 0;
        const Money actual = TradeEndAmount(option, periods, &walked);
        EXPECT_LE(walked, kMostPeriodsWalked) << periods << " periods";
        EXPECT_EQ(expected, actual)
            << Format("start %a step %a periods %d", static_cast<double>(option.fixedAmount),
                      static_cast<double>(step), periods);
    }
}

// The case that froze the form: 999999999 periods, a fixed cost of 1.07e9 and an income of 65
// a period walk some 3·10^7 periods before the value stops changing.
TEST(TradeEndAmount, TakesAHugePeriodCountAtOnce)
{
    TradeInput in;
    in.options[0].fixedCost = 1.07e9f;
    in.options[0].incomePerPeriod = 65;
    in.options[1].fixedCost = 1.07e9f;
    in.options[1].incomePerPeriod = 64.5f;
    in.options[2].fixedAmount = -1.07e9f;
    in.options[2].costPerPeriod = -65;
    in.periods = 1e9f; // 999999999 as typed: it has no float, and reads as 1e9
    for (const TradeOption& option : in.options) {
        long long walked = 0;
        EXPECT_EQ(TradeEndAmount(option, 999999999, &walked),
                  TradeEndAmountByPeriods(option, 999999999));
        EXPECT_LE(walked, kMostPeriodsWalked);
    }

    // The form's calculation takes the typed count, truncated, for each option.
    const TradeResult result = CompareTradeOffs(in);
    for (std::size_t k = 0; k < in.options.size(); ++k)
        EXPECT_EQ(result.endAmounts[k], TradeEndAmount(in.options[k], 1000000000)) << k;
    EXPECT_TRUE(result.finite);
}

// Written by hand from the file layout: head, periods + 2, the named options, rows 0 to
// n + 1 of "0.0" lines and the running values, "Done" twice.
TEST(TradeGraphText, WritesNamedOptionsRowByRow)
{
    const std::string expected = "1\nDummy\nDummy\nDummy\n"
                                 "5.000000\n"
                                 "2\n"
                                 "Buy\nRent\n"
                                 "0.0\n0.0\n0.000000 -1000.000000 500.000000 \n"
                                 "0.0\n0.0\n1.000000 -850.000000 550.000000 \n"
                                 "0.0\n0.0\n2.000000 -700.000000 600.000000 \n"
                                 "0.0\n0.0\n3.000000 -550.000000 650.000000 \n"
                                 "0.0\n0.0\n4.000000 -400.000000 700.000000 \n"
                                 "Done\nDone\n";
    EXPECT_EQ(TradeGraphText(WorkedExample(3)), expected);
}

TEST(TradeGraphText, LeavesOutUnnamedOptions)
{
    TradeInput in = WorkedExample(3.5f);
    in.options[0].name.clear();
    in.options[2] = {"Keep \"old\" car é", 0, 10, 0, 0};
    const std::string expected = "1\nDummy\nDummy\nDummy\n"
                                 "5.500000\n"
                                 "2\n"
                                 "Rent\nKeep \"old\" car é\n"
                                 "0.0\n0.0\n0.000000 500.000000 0.000000 \n"
                                 "0.0\n0.0\n1.000000 550.000000 -10.000000 \n"
                                 "0.0\n0.0\n2.000000 600.000000 -20.000000 \n"
                                 "0.0\n0.0\n3.000000 650.000000 -30.000000 \n"
                                 "0.0\n0.0\n4.000000 700.000000 -40.000000 \n"
                                 "Done\nDone\n";
    EXPECT_EQ(TradeGraphText(in), expected);
}

TEST(TradeGraphText, WithNoNamesHoldsOnlyRowNumbers)
{
    TradeInput in = WorkedExample(3);
    for (TradeOption& option : in.options)
        option.name.clear();
    EXPECT_EQ(TradeGraphText(in), "1\nDummy\nDummy\nDummy\n5.000000\n0\n"
                                  "0.000000 \n1.000000 \n2.000000 \n3.000000 \n4.000000 \n"
                                  "Done\nDone\n");
}

TEST(TradeGraphText, RunsTwoRowsPastThePeriods)
{
    for (const auto& [periods, rows] : {std::pair{3.0f, 5}, {12.7f, 14}, {100.0f, 102}}) {
        const std::string text = TradeGraphText(WorkedExample(periods));
        // Each row is two "0.0" lines and one data line ending in a blank.
        const auto dataLines = std::count(text.begin(), text.end(), ' ');
        SCOPED_TRACE(Format("periods %g", static_cast<double>(periods)));
        EXPECT_EQ(dataLines, rows * 3); // three blanks a data line: after r and two values
    }
    const std::string text = TradeGraphText(WorkedExample(12.7f));
    EXPECT_EQ(text.substr(0, 29), "1\nDummy\nDummy\nDummy\n14.700000");
}

// Written by hand: three names, twelve amounts in field order, the periods as typed, two
// zeros.
TEST(TradeInputsText, SavesEveryInputAsTyped)
{
    TradeInput in = WorkedExample(12.7f);
    in.options[2].name = "  blanks, \"quotes\"";
    const std::string expected = "Buy\nRent\n  blanks, \"quotes\"\n"
                                 "1000.000000\n0.000000\n0.000000\n"
                                 "100.000000\n0.000000\n0.000000\n"
                                 "0.000000\n500.000000\n0.000000\n"
                                 "250.000000\n50.000000\n0.000000\n"
                                 "12.700000\n"
                                 "0.000000\n0.000000\n";
    EXPECT_EQ(TradeInputsText(in), expected);
}

TEST(TradeInputsText, KeepsAnEmptyNameAsAnEmptyLine)
{
    const std::string text = TradeInputsText(TradeInput{});
    EXPECT_EQ(text.substr(0, 3), "\n\n\n");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 18);
}

} // namespace
} // namespace tw
