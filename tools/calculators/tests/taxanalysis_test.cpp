#include "finance/format.h"
#include "finance/money.h"
#include "tools/calculators/taxanalysis.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

std::string Cents(float value)
{
    return Format("%.2f", static_cast<double>(value));
}

struct TaxCase
{
    TaxInput input;
    const char* endValue;   // W, "%.2f"
    const char* todayValue; // T
    const char* realRate;   // e
};

// Expected figures: the documented worked example (10000, 10 years, 8 % taxed at 28 %, 3 %
// inflation), the case where W and T part by two cents under single-precision rounding
// (3.7 %), the simple average of 10 % over 10 years, and one year by hand (a = 7.2,
// r = 1.072 / 1.02 − 1).
TEST(AnalyzeTaxes, MatchesWorkedFigures)
{
    const TaxCase cases[] = {
        {{10000, 10, 8, 28, 3}, "17507.11", "13026.93", "3.03"},
        {{10000, 10, 3.7f, 0, 0}, "14380.96", "14380.94", "4.38"},
        {{10000, 10, 10, 0, 0}, "25937.43", "25937.43", "15.94"},
        {{1000, 1, 10, 28, 2}, "1072.00", "1050.98", "5.10"},
        {{10000, 5, -100, 0, 0}, "0.00", "0.00", "-20.00"},
    };
    for (const TaxCase& c : cases) {
        const TaxResult r = AnalyzeTaxes(c.input);
        SCOPED_TRACE(Format("A %g n %d y %g t %g f %g: expected W %s T %s e %s, got %s %s %s",
                            static_cast<double>(c.input.amount), c.input.years,
                            static_cast<double>(c.input.returnRate),
                            static_cast<double>(c.input.taxRate),
                            static_cast<double>(c.input.inflationRate), c.endValue, c.todayValue,
                            c.realRate, Cents(r.endValue).c_str(), Cents(r.todayValue).c_str(),
                            Cents(r.realYearlyRate).c_str()));
        EXPECT_EQ(Cents(r.endValue), c.endValue);
        EXPECT_EQ(Cents(r.todayValue), c.todayValue);
        EXPECT_EQ(Cents(r.realYearlyRate), c.realRate);
        EXPECT_TRUE(IsShowable(r));
    }
}

TEST(AnalyzeTaxes, TaxesTheReturnBeforeCompounding)
{
    const TaxResult r = AnalyzeTaxes({10000, 10, 8, 28, 3});
    EXPECT_EQ(Format("%.4f", static_cast<double>(r.afterTaxReturn)), "5.7600");
    EXPECT_EQ(FormatMoney(Format("%13.2f", static_cast<double>(r.endValue))), "$17,507.11");
}

TEST(AnalyzeTaxes, OneYearLeavesThePowerAtItsBase)
{
    // Equal up to the roundings of the stores in between, so equal as shown.
    const TaxResult r = AnalyzeTaxes({5000, 1, 9, 25, 4});
    EXPECT_NEAR(r.nominalGrowth, r.afterTaxReturn / 100, 1e-7);
    EXPECT_EQ(Cents(r.realYearlyRate), Cents(r.realRate * 100));
    EXPECT_EQ(Cents(r.realYearlyRate), "2.64"); // 1.0675 / 1.04 − 1 by hand
}

TEST(AnalyzeTaxes, FlagsResultsBeyondTheFloatRange)
{
    const TaxInput unusable[] = {
        {10000, 10, 1e30f, 0, 0}, // the growth factor overflows
        {10000, 10, 5, 0, -100},  // the real rate's divisor is next to nothing
        {10000, 999, -300, 0, 0}, // a factor of −2 compounded 999 times
        {3e38f, 10, 10, 0, 0},    // the amount itself is near the top
    };
    for (const TaxInput& in : unusable) {
        SCOPED_TRACE(Format("A %g n %d y %g f %g", static_cast<double>(in.amount), in.years,
                            static_cast<double>(in.returnRate),
                            static_cast<double>(in.inflationRate)));
        EXPECT_FALSE(IsShowable(AnalyzeTaxes(in)));
    }
}

} // namespace
} // namespace tw
