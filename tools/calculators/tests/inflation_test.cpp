#include "finance/format.h"
#include "tools/calculators/inflation.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

struct InflationCase
{
    InflationInput input;
    const char* shown; // "%.2f" of the result
    int years;
};

// Expected figures: the documented worked examples (30/40/3/1000 and 37/105/2/50000, the
// latter only right with 0.01 as a double and extended sums), and hand counts of the
// compounding years for fractional ages.
TEST(InflateAmount, MatchesWorkedFiguresAndCountsWholeYears)
{
    const InflationCase cases[] = {
        {{30, 40, 3, 1000}, "1343.92", 10},
        {{37, 105, 2, 50000}, "192212.59", 68},
        {{30.2f, 30.9f, 3, 1000}, "1000.00", 0},
        {{30.9f, 31.1f, 3, 1000}, "1030.00", 1},
        {{30, 40, 0, 1234.56f}, "1234.56", 10},
        {{30, 31, -100, 1000}, "-0.00", 1}, // −2e-14: 0.01 is a little above a hundredth
        {{30, 32, -100, 1000}, "0.00", 2},
        {{30, 40, -100, 12345.67f}, "0.00", 10},
        {{1, 120, 1, 1}, "3.27", 119},
    };
    for (const InflationCase& c : cases) {
        const InflationResult result = InflateAmount(c.input);
        const std::string shown = Format("%.2f", static_cast<double>(result.amount));
        SCOPED_TRACE(Format("start %g end %g rate %g amount %g: expected %s, got %s",
                            static_cast<double>(c.input.startAge),
                            static_cast<double>(c.input.endAge), static_cast<double>(c.input.rate),
                            static_cast<double>(c.input.amount), c.shown, shown.c_str()));
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(result.years, c.years);
        EXPECT_TRUE(result.finite);
    }
}

TEST(InflateAmount, ReportsAnAmountBeyondTheFloatRange)
{
    // 2^119 × 1e8 is far beyond 3.4e38, yet every input lies within the form's limits.
    const InflationResult result = InflateAmount({1, 120, 100, 99999998.0f});
    EXPECT_FALSE(result.finite);
    // Just inside the range: 2^119 × 600 ≈ 4e38 overflows, 2^119 × 500 ≈ 3.3e38 does not.
    EXPECT_TRUE(InflateAmount({1, 120, 100, 500}).finite);
    EXPECT_FALSE(InflateAmount({1, 120, 100, 600}).finite);
}

} // namespace
} // namespace tw
