#include "finance/format.h"
#include "tools/calculators/creditcard.h"

#include <gtest/gtest.h>

#include <limits>

namespace tw {
namespace {

struct CardCase
{
    CardPayoffInput input;
    int months;
    const char* years;    // "%-5.2f"
    const char* interest; // "%.2f"
};

// Expected figures: the documented worked examples (5000 at 18 % paying 150 with and
// without 50 of purchases; 1000 at 12 % paying 600, cleared at once with one month's
// interest 1000 × 12 × 30 / 36500 = 9.86; a zero balance; a payment that never covers the
// interest), and 3000 at 24 % paying 100 with 40 of purchases, which only extended sums
// with 0.01 as a double give to the cent. The interest of the purchases case and of the
// 1200 months comes from a reading of the same rules in exact fractions, rounded by hand
// to 64 and 24 significant bits.
TEST(PayOffCard, MatchesWorkedFigures)
{
    const CardCase cases[] = {
        {{5000, 18, 150, 0}, 46, "3.83 ", "1940.26"},
        {{5000, 18, 150, 50}, 92, "7.67 ", "4308.49"},
        {{1000, 12, 600, 0}, 1, "0.08 ", "9.86"},
        {{0, 18, 150, 0}, 1, "0.08 ", "0.00"},
        {{3000, 24, 100, 40}, 382, "31.83", "20021.20"},
        {{5000, 18, 50, 0}, 1200, "100.00", "73004703744.00"},
    };
    for (const CardCase& c : cases) {
        const CardPayoffResult r = PayOffCard(c.input);
        SCOPED_TRACE(Format("balance %g rate %g payment %g purchases %g: expected %d months, "
                            "interest %s; got %g, %.2f",
                            static_cast<double>(c.input.balance), static_cast<double>(c.input.rate),
                            static_cast<double>(c.input.payment),
                            static_cast<double>(c.input.purchases), c.months, c.interest,
                            static_cast<double>(r.months), static_cast<double>(r.interest)));
        EXPECT_EQ(r.months, static_cast<float>(c.months));
        EXPECT_EQ(Format("%-5.2f", static_cast<double>(r.years)), c.years);
        EXPECT_EQ(Format("%.2f", static_cast<double>(r.interest)), c.interest);
        EXPECT_TRUE(r.finite);
        EXPECT_EQ(r.cleared, c.months < 1200);
    }
}

TEST(PayOffCard, TellsABalanceStillOwedAfterTheLastMonthFromOneClearedInIt)
{
    struct Case
    {
        CardPayoffInput input;
        bool cleared;
    };
    // The first month's interest on 5000 at 18 % is 5000 × 18 × 30 / 36500 = 73.97: a payment
    // of 74 pays it off in the end (in about 530 months), 73 never does. 100 of purchases and a
    // payment of 100 leave the debt growing by its interest.
    const Case cases[] = {
        {{5000, 18, 74, 0}, true},
        {{5000, 18, 73, 0}, false},
        {{5000, 18, 100, 100}, false},
        {{0, 18, 0, 0}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Format("balance %g rate %g payment %g purchases %g",
                            static_cast<double>(c.input.balance), static_cast<double>(c.input.rate),
                            static_cast<double>(c.input.payment),
                            static_cast<double>(c.input.purchases)));
        const CardPayoffResult r = PayOffCard(c.input);
        EXPECT_EQ(r.cleared, c.cleared) << r.months << " months";
        EXPECT_TRUE(r.finite);
    }
    EXPECT_FALSE(PayOffCard({1000, 1000, 0, 0}).cleared); // outgrew the float range
}

TEST(PayOffCard, ClearsABalanceNoMoreThanTwiceThePaymentInOneMonth)
{
    // 300 is exactly twice 150: not above it, so the rest is paid at once.
    const CardPayoffResult r = PayOffCard({300, 18, 150, 0});
    EXPECT_EQ(r.months, 1.0f);
    EXPECT_EQ(Format("%.2f", static_cast<double>(r.interest)), "4.44"); // 300 × 18 × 30 / 36500
}

TEST(PayOffCard, FlagsABalanceThatOutgrowsTheFloatRange)
{
    const float huge = std::numeric_limits<float>::infinity();
    const CardPayoffInput unusable[] = {
        {1000, 1000, 0, 0},   // 82 % interest a month and nothing paid
        {5000, 500, 10, 100}, // the payment never catches up
        {0, huge, 0, 0},      // a rate typed beyond the float range: 0 × ∞
        {3e38f, 0, 0, 3e38f}, // purchases alone pass the largest float
    };
    for (const CardPayoffInput& in : unusable) {
        SCOPED_TRACE(Format("balance %g rate %g payment %g purchases %g",
                            static_cast<double>(in.balance), static_cast<double>(in.rate),
                            static_cast<double>(in.payment), static_cast<double>(in.purchases)));
        EXPECT_FALSE(PayOffCard(in).finite);
    }
}

} // namespace
} // namespace tw
