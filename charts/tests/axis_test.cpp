#include "charts/axis.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <set>

namespace tw {
namespace {

TEST(NiceStep, TakesTheSmallestRoundStepThatFits)
{
    struct Case
    {
        double span;
        int maxTicks;
        double step;
    };
    // By hand: span / maxTicks, rounded up to 1, 2 or 5 times a power of ten.
    const Case cases[] = {
        {100, 5, 20},        {1000, 10, 100},     {7, 7, 1},  {0.3, 3, 0.1},
        {360000, 6, 100000}, {501784, 8, 100000}, {12, 4, 5}, {1, 10, 0.1},
        {6.8e38, 8, 1e38},   {0, 5, 1},           {-4, 5, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.span << " in " << c.maxTicks);
        EXPECT_DOUBLE_EQ(NiceStep(c.span, c.maxTicks), c.step);
    }
}

// Values a subnormal apart, a range as wide as a double goes, and everything between: the
// step search ends in a few steps with a step that is finite and fits.
TEST(NiceStep, EndsForAnyFiniteSpan)
{
    const double spans[] = {5e-324, 1e-320, 2.2250738585072014e-308, 1e-300, 1e-12, 0.7, 1,
                            1e39,   1e300,  1.7976931348623157e308};
    for (const double span : spans) {
        for (const int maxTicks : {1, 5, 200}) {
            SCOPED_TRACE(::testing::Message() << span << " in " << maxTicks);
            const double step = NiceStep(span, maxTicks);
            EXPECT_GT(step, 0);
            EXPECT_TRUE(std::isfinite(step));
            EXPECT_LE(span / step, maxTicks * (1 + 1e-9));
        }
    }
}

// Every axis over every such range ends, with finite ticks, no more than an axis holds.
TEST(Axes, EndForAnyFiniteRange)
{
    const Range ranges[] = {{0, 5e-324},  {-5e-324, 5e-324}, {1, 1 + 2.2e-16},
                            {0, 1e-300},  {1e38, 1e38},      {-1e39, 1e39},
                            {0, 1.7e308}, {-1e308, 1e308},   {1e300, 1e300 * (1 + 1e-15)}};
    for (const Range& range : ranges) {
        SCOPED_TRACE(::testing::Message() << range.lo << " to " << range.hi);
        const Axis axes[] = {MoneyAxis(range, 8, true), MoneyAxis(range, 8, false),
                             MonthAxis(range, 10), PeriodAxis(range, 10)};
        for (const Axis& axis : axes) {
            EXPECT_LE(axis.ticks.size(), 200u);
            EXPECT_LE(axis.minor.size(), 200u);
            for (const Tick& tick : axis.ticks)
                EXPECT_TRUE(std::isfinite(tick.value)) << tick.label;
        }
    }
}

TEST(MoneyLabel, WritesDollarsWithThousandsCommas)
{
    struct Case
    {
        double value;
        double step;
        const char* label;
    };
    const Case cases[] = {
        {150000, 50000, "$150,000"}, {-50000, 50000, "\u2212$50,000"}, {0, 1000, "$0"},
        {-0.0, 1000, "$0"},          {-1e-12, 0.5, "$0.00"},           {1234567, 1, "$1,234,567"},
        {0.5, 0.5, "$0.50"},         {-0.2, 0.1, "\u2212$0.20"},       {0.005, 0.005, "$0.005"},
        {3.4e38, 1e38, "$3.4e+38"},  {-2e15, 1e15, "\u2212$2e+15"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(MoneyLabel(c.value, c.step), c.label);
    }
}

TEST(MoneyText, WritesCentsWithTheMinusSignBeforeTheDollar)
{
    EXPECT_EQ(MoneyText(1234.5), "$1,234.50");
    EXPECT_EQ(MoneyText(-655.25), "\u2212$655.25");
    EXPECT_EQ(MoneyText(-4433.41), "\u2212$4,433.41");
    EXPECT_EQ(MoneyText(-3.4e38), "\u2212$3.4e+38");
    EXPECT_EQ(MoneyText(-0.004), "$0.00");
    EXPECT_EQ(MoneyText(506685.5), "$506,685.50");
    EXPECT_EQ(MoneyText(3.4028234663852886e38), "$3.40282e+38");
}

TEST(NumberText, WritesWholeNumbersWithoutDecimals)
{
    EXPECT_EQ(NumberText(20), "20");
    EXPECT_EQ(NumberText(-0.0), "0");
    EXPECT_EQ(NumberText(14.7), "14.7");
    EXPECT_EQ(NumberText(0.000001), "0.000001");
    EXPECT_EQ(NumberText(1e20), "1e+20");
}

TEST(MoneyAxis, EndsOnRoundTicksAroundTheData)
{
    struct Case
    {
        Range data;
        int maxTicks;
    };
    const Case cases[] = {
        {{4901.4, 506685.5}, 8},
        {{-200, 102}, 8},
        {{0, 0}, 5},
        {{1234.5, 1234.5}, 5},
        {{-3e38, 3.4e38}, 6},
        {{0.001, 0.004}, 4},
        {{-1e6, -999990}, 10},
        {{0, 1}, 1},
        // Values a subnormal or a hair apart are drawn as the flat line they look like.
        {{0, 5e-324}, 5},
        {{1, 1 + 2.2e-16}, 5},
        {{1e38, 1e38 + 1e25}, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.data.lo << " to " << c.data.hi);
        const Axis axis = MoneyAxis(c.data, c.maxTicks, true);
        EXPECT_LE(axis.range.lo, c.data.lo);
        EXPECT_GE(axis.range.hi, c.data.hi);
        ASSERT_GE(axis.ticks.size(), 2u);
        EXPECT_LE(axis.ticks.size(), static_cast<std::size_t>(c.maxTicks) + 2);
        EXPECT_DOUBLE_EQ(axis.ticks.front().value, axis.range.lo);
        EXPECT_DOUBLE_EQ(axis.ticks.back().value, axis.range.hi);
        const double step = axis.ticks[1].value - axis.ticks[0].value;
        std::set<std::string> labels;
        for (std::size_t i = 1; i < axis.ticks.size(); ++i) {
            EXPECT_NEAR(axis.ticks[i].value - axis.ticks[i - 1].value, step, step * 1e-9);
            labels.insert(axis.ticks[i].label);
        }
        labels.insert(axis.ticks[0].label);
        EXPECT_EQ(labels.size(), axis.ticks.size()) << "labels repeat";
    }
}

TEST(MoneyAxis, KeepsAFixedRangeAsGiven)
{
    const Axis axis = MoneyAxis({1234, 5678}, 5, false);
    EXPECT_EQ(axis.range, (Range{1234, 5678}));
    ASSERT_FALSE(axis.ticks.empty());
    EXPECT_EQ(axis.ticks.front().label, "$2,000");
    EXPECT_EQ(axis.ticks.back().label, "$5,000");
}

TEST(MonthAxis, MarksYearsOverLongRanges)
{
    const Axis axis = MonthAxis({0, 360}, 8);
    ASSERT_EQ(axis.ticks.size(), 7u); // every 5 years
    for (std::size_t i = 0; i < axis.ticks.size(); ++i) {
        EXPECT_EQ(axis.ticks[i].value, 60.0 * static_cast<double>(i));
        EXPECT_EQ(axis.ticks[i].label, std::to_string(60 * i));
        EXPECT_EQ(axis.ticks[i].sublabel, "year " + std::to_string(5 * i));
    }
    // A mark at each of the other 24 years.
    EXPECT_EQ(axis.minor.size(), 24u);
    for (const double month : axis.minor)
        EXPECT_EQ(std::fmod(month, 12), 0) << month;
}

TEST(MonthAxis, StepsByMonthsOverShortRanges)
{
    const Axis axis = MonthAxis({4, 22}, 10);
    ASSERT_FALSE(axis.ticks.empty());
    EXPECT_EQ(axis.ticks.front().value, 4);
    EXPECT_EQ(axis.ticks[1].value - axis.ticks[0].value, 2);
    for (const Tick& tick : axis.ticks)
        EXPECT_EQ(tick.sublabel, tick.value == 12 ? "year 1" : "") << tick.value;
    EXPECT_TRUE(axis.minor.empty());
}

TEST(PeriodAxis, StepsByWholePeriods)
{
    Axis axis = PeriodAxis({0, 14}, 10);
    ASSERT_EQ(axis.ticks.size(), 8u);
    EXPECT_EQ(axis.ticks[1].label, "2");
    axis = PeriodAxis({0.5, 2.5}, 10);
    ASSERT_EQ(axis.ticks.size(), 2u);
    EXPECT_EQ(axis.ticks[0].label, "1");
}

TEST(MoneyLabel, IgnoresTheProcessLocale)
{
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr)
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed (scripts/setup.sh makes it)";
    const std::string label = MoneyLabel(0.5, 0.5);
    const std::string text = MoneyText(1234.5);
    const std::string number = NumberText(14.7);
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(label, "$0.50");
    EXPECT_EQ(text, "$1,234.50");
    EXPECT_EQ(number, "14.7");
}

} // namespace
} // namespace tw
