#include "tools/mortgage/loanpayment.h"

#include "finance/format.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

struct PaymentCase
{
    LoanTerms terms;
    const char* expected; // "%.2f"
    const char* source;
};

TEST(LoanPayment, MatchesTheDocumentedPayments)
{
    const PaymentCase cases[] = {
        {{768369, 0, 3, 4}, "17006.97", "extended arithmetic; plain float gives 17006.98"},
        {{100000, 0, 8, 30}, "733.76", "documented loan calculator example"},
        {{200000, 40000, 6.5F, 30}, "1011.31", "documented mortgage example"},
        {{160000, 0, 6.5F, 30}, "1011.31", "documented accelerated example"},
    };
    for (const PaymentCase& c : cases) {
        const std::string actual = Format("%.2f", LoanPayment(c.terms));
        SCOPED_TRACE(Format("%.2f - %.2f at %.3f %% over %d years (%s)", c.terms.amount,
                            c.terms.downPayment, c.terms.rate, c.terms.years, c.source));
        EXPECT_EQ(actual, c.expected);
    }
}

TEST(LoanPayment, IsNotPositiveWhenTheDownPaymentCoversTheAmount)
{
    EXPECT_EQ(LoanPayment({50000, 50000, 8, 30}), 0.0F);
    EXPECT_LT(LoanPayment({50000, 60000, 8, 30}), 0.0F);
}

TEST(LoanPaymentLimit, RefusesRatesWhosePowerOverflowsOrVanishes)
{
    struct Case
    {
        Percent rate;
        int years;
        PaymentLimit expected;
    };
    // (1 + r)^(12 × years) against the largest float, about 3.4e38 (e^88.7):
    // 1000 % a year is r = 0.8333, ln 1.8333 = 0.606: 144 months give e^87.3, 156 give e^94.6;
    // 340 % is r = 0.2833, 360 months give e^89.8; 320 % gives e^85.1.
    const Case cases[] = {
        {1000, 12, PaymentLimit::Ok},
        {1000, 13, PaymentLimit::PowerOverflows},
        {340, 30, PaymentLimit::PowerOverflows},
        {320, 30, PaymentLimit::Ok},
        {100, 100, PaymentLimit::PowerOverflows},
        {1, 100, PaymentLimit::Ok},
        {0.000001F, 30, PaymentLimit::RateTooSmall},
        {0, 30, PaymentLimit::RateTooSmall},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Format("%g %% over %d years", c.rate, c.years));
        EXPECT_EQ(LoanPaymentLimit({100000, 0, c.rate, c.years}), c.expected);
    }
}

} // namespace
} // namespace tw
