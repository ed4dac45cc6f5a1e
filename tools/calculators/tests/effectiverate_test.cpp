#include "finance/format.h"
#include "tools/calculators/effectiverate.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

struct EffectiveCase
{
    Percent nominal;
    int compoundings;
    const char* shown; // "%-8.4f"
};

// Expected figures: the documented single-precision values for 6 % (the daily one differs
// from the exact 6.1831 because of the 364 rounded products), and 0 % for every choice.
TEST(EffectiveYearlyRate, MatchesSinglePrecisionRepeatedMultiplication)
{
    const EffectiveCase cases[] = {
        {6, 365, "6.1834  "}, {6, 12, "6.1678  "}, {6, 4, "6.1363  "},
        {6, 2, "6.0900  "},   {6, 1, "6.0000  "},  {0, 365, "0.0000  "},
        {0, 12, "0.0000  "},  {0, 1, "0.0000  "},  {-199.99f, 1, "-199.9900"}};
    for (const EffectiveCase& c : cases) {
        const std::string shown =
            Format("%-8.4f", static_cast<double>(EffectiveYearlyRate({c.nominal, c.compoundings})));
        SCOPED_TRACE(Format("nominal %g, %d a year: expected '%s', got '%s'",
                            static_cast<double>(c.nominal), c.compoundings, c.shown,
                            shown.c_str()));
        EXPECT_EQ(shown, c.shown);
    }
}

} // namespace
} // namespace tw
