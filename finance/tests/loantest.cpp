#include "finance/loan.h"
#include "finance/format.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>

namespace tw {
namespace {

std::string Cents(float value)
{
    return Format("%.2f", value);
}

// The spacing of floats at value: one rounding to float moves a value by at most half of it.
double Ulp(float value)
{
    return std::nextafter(std::fabs(value), std::numeric_limits<float>::infinity()) -
           std::fabs(value);
}

// The closed-form annuity in double with std::pow, as a spreadsheet's PMT computes it.
double SpreadsheetPayment(double principal, double yearlyPercent, int years)
{
    const double rate = yearlyPercent / 1200.0;
    const int periods = years * 12;
    return principal * rate / (1.0 - std::pow(1.0 + rate, -periods));
}

// How far the single-precision payment may stray from the exact annuity. Rounding 1 + r to
// float and each of the n − 1 products moves (1 + r)^n by up to (2n − 1)·2^-24 relatively;
// 1 − 1/t magnifies that by 1/(t − 1); the rounding of r, d and the payment adds a few 2^-24.
double PaymentTolerance(double exact, double yearlyPercent, int years)
{
    const double rate = yearlyPercent / 1200.0;
    const int periods = years * 12;
    const double growth = std::pow(1.0 + rate, periods);
    const double epsilon = std::ldexp(1.0, -24);
    return exact * epsilon * (8.0 + 3.0 * periods / (growth - 1.0));
}

TEST(PowerInt, ReturnsXItselfForNAtMostOne)
{
    EXPECT_EQ(PowerInt(1.5F, 0), 1.5F);
    EXPECT_EQ(PowerInt(1.5F, 1), 1.5F);
    EXPECT_EQ(PowerInt(1.5F, -3), 1.5F);
    EXPECT_EQ(PowerInt(1.5F, 3), 3.375F);
}

TEST(PowerInt, MultipliesNMinusOneTimes)
{
    struct Case
    {
        float x;
        int n;
        float expected;
    };
    // Powers of two and of −1 are exact, so any missing or extra product shows.
    const Case cases[] = {
        {2.0F, 2, 4.0F},
        {2.0F, 5, 32.0F},
        {2.0F, 10, 1024.0F},
        {-1.0F, 4, 1.0F},
        {-1.0F, 5, -1.0F},
        {0.5F, 3, 0.125F},
        {2.0F, 127, std::ldexp(1.0F, 127)},
        {0.5F, 149, std::ldexp(1.0F, -149)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Format("x %g n %d expected %g", c.x, c.n, c.expected));
        EXPECT_EQ(PowerInt(c.x, c.n), c.expected);
    }
}

TEST(PowerInt, RoundsEachProductToSinglePrecision)
{
    // x = 1 + 2^-23. While k < 2^22 the product (1 + k·2^-23)·x = 1 + (k+1)·2^-23 + k·2^-46
    // rounds to 1 + (k+1)·2^-23, so the n-th power stored step by step is exactly
    // 1 + n·2^-23. The true power keeps the n(n−1)/2·2^-46 term: for n = 10000 about 6 units
    // in the last place more.
    const float x = 1.0F + std::ldexp(1.0F, -23);
    const float stepwise = 1.0F + 10000 * std::ldexp(1.0F, -23);
    EXPECT_EQ(PowerInt(x, 10000), stepwise);
    EXPECT_GT(static_cast<float>(std::pow(static_cast<double>(x), 10000)), stepwise);
}

TEST(PowerInt, OverflowsToInfinityAndUnderflowsToZero)
{
    EXPECT_EQ(PowerInt(2.0F, 128), std::numeric_limits<float>::infinity());
    // 2^-150 lies halfway between 0 and the smallest denormal; the tie goes to even, 0.
    EXPECT_EQ(PowerInt(0.5F, 150), 0.0F);
}

TEST(MonthlyPayment, GivesTheDocumentedPayments)
{
    struct Case
    {
        Money principal;
        Percent rate;
        int years;
        const char* expected;
    };
    const Case cases[] = {
        {100000.0F, 8.0F, 30, "733.76"},
        {160000.0F, 6.5F, 30, "1011.31"},
        {200000.0F - 40000.0F, 6.5F, 30, "1011.31"},
        // Plain float arithmetic gives 17006.98; the exact annuity is 17007.33.
        {768369.0F, 3.0F, 4, "17006.97"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Format("%.2f at %g %% for %d years, expected %s", c.principal, c.rate, c.years,
                            c.expected));
        EXPECT_EQ(Cents(MonthlyPayment(c.principal, MonthlyRate(c.rate), c.years * 12)),
                  c.expected);
    }
}

TEST(MonthlyPayment, MatchesAnExactRationalModelToTheCent)
{
    // Expected cents from a separate exact-rational model of the roundings: every store
    // rounded to the nearest float, every operation between stores to a 64-bit significand.
    struct Case
    {
        Money principal;
        Percent rate;
        int years;
        const char* expected;
    };
    const Case cases[] = {
        {200000.0F, 5.0F, 30, "1073.64"},
        {250000.0F, 4.0F, 30, "1193.54"},
        {10000.0F, 12.0F, 5, "222.44"},
        {300000.0F, 3.5F, 15, "2144.63"},
        {1000.0F, 1.0F, 1, "83.78"},
        {50000000.0F, 15.0F, 10, "806673.38"},
        {99999.0F, 7.25F, 20, "790.37"},
        {123456.0F, 4.125F, 25, "660.20"},
        {187500.0F, 3.75F, 25, "964.00"},
        {1.0F, 1000.0F, 1, "0.83"},
        {100000000.0F, 1000.0F, 12, "83333328.00"},
        // Here rounding P × r to float before the division would move the cent.
        {296000.0F, 3.0F, 15, "2044.08"},
        {240000.0F, 4.0F, 10, "2429.89"},
        {169000.0F, 4.0F, 5, "3112.39"},
        {352000.0F, 3.0F, 30, "1484.02"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Format("%.2f at %g %% for %d years, expected %s", c.principal, c.rate, c.years,
                            c.expected));
        EXPECT_EQ(Cents(MonthlyPayment(c.principal, MonthlyRate(c.rate), c.years * 12)),
                  c.expected);
    }
}

TEST(MonthlyPayment, StaysWithinFloatRoundingOfTheSpreadsheetAnnuity)
{
    struct Case
    {
        Money principal;
        Percent rate;
        int years;
    };
    const Case cases[] = {
        {100000.0F, 8.0F, 30}, {768369.0F, 3.0F, 4},   {1000.0F, 1.0F, 1},
        {300000.0F, 3.5F, 15}, {5000.0F, 0.25F, 3},    {75000.0F, 18.0F, 7},
        {1e8F, 49.0F, 50},     {250000.0F, 2.0F, 100}, {42.0F, 999.0F, 2},
    };
    for (const Case& c : cases) {
        const double exact = SpreadsheetPayment(c.principal, c.rate, c.years);
        const Money actual = MonthlyPayment(c.principal, MonthlyRate(c.rate), c.years * 12);
        SCOPED_TRACE(Format("%.2f at %g %% for %d years: exact %.6f, got %.6f", c.principal, c.rate,
                            c.years, exact, actual));
        EXPECT_NEAR(actual, exact, PaymentTolerance(exact, c.rate, c.years));
    }
}

TEST(MonthlyPayment, KeepsTheSignOfThePrincipal)
{
    const float rate = MonthlyRate(8.0F);
    EXPECT_EQ(MonthlyPayment(0.0F, rate, 360), 0.0F);
    EXPECT_EQ(MonthlyPayment(-100000.0F, rate, 360), -MonthlyPayment(100000.0F, rate, 360));
}

TEST(MonthlyPayment, RoundsTheDivisorBeforeDividing)
{
    // Worked by hand with r = 0.5. One period: d = float(1/3), and 500/d = 1499.99995…
    // rounds to 1500. Two periods: d = float(5/9) = 9320676·2^-24, and 500/d = 899.9999573…
    // lies nearer 900 − 2^-14 than 900.
    EXPECT_EQ(MonthlyPayment(1000.0F, 0.5F, 1), 1500.0F);
    EXPECT_EQ(MonthlyPayment(1000.0F, 0.5F, 2), 900.0F - std::ldexp(1.0F, -14));
}

TEST(AmortizeRange, GivesTheDocumentedFirstAndLastYear)
{
    const float rate = MonthlyRate(8.0F);

    const AmortizeResult first = AmortizeRange(100000.0F, rate, 360, 0, 11);
    EXPECT_EQ(Cents(first.principal), "835.37");
    EXPECT_EQ(first.payments, 12);
    EXPECT_EQ(Cents(first.interest), "7969.81");

    const AmortizeResult last = AmortizeRange(100000.0F, rate, 360, 348, 359);
    EXPECT_EQ(Cents(last.principal), "8435.09");
    EXPECT_EQ(last.payments, 12);
    EXPECT_EQ(Cents(last.interest), "369.97");
}

TEST(AmortizeRange, MatchesAnExactRationalModelToTheCent)
{
    // Expected values from the same exact-rational model as the payments above.
    struct Case
    {
        Money principal;
        Percent rate;
        int years;
        int first;
        int last;
        Money extra;
        int extraFrom;
        const char* principalPaid;
        int payments;
        const char* interest;
    };
    const Case cases[] = {
        {100000.0F, 8.0F, 30, 120, 131, 0.0F, 0, "1854.21", 12, "6950.97"},
        {100000.0F, 8.0F, 30, 0, 359, 0.0F, 0, "99999.98", 360, "164155.12"},
        {160000.0F, 6.5F, 30, 0, 11, 0.0F, 0, "1788.39", 12, "10347.35"},
        {160000.0F, 6.5F, 30, 348, 359, 0.0F, 0, "11716.98", 12, "416.56"},
        {160000.0F, 6.5F, 30, 0, 359, 0.0F, 0, "160000.00", 360, "204069.72"},
        {187500.0F, 3.75F, 25, 0, 11, 0.0F, 0, "4615.60", 12, "6952.46"},
        {187500.0F, 3.75F, 25, 288, 299, 0.0F, 0, "11332.21", 12, "231.43"},
        // An extra 100 a month: paid off in month 280, with the documented accelerated
        // interest; the last row holds only five payments.
        {160000.0F, 6.5F, 30, 0, 400, 100.0F, 0, "160000.08", 281, "151356.11"},
        {160000.0F, 6.5F, 30, 276, 287, 100.0F, 0, "4569.80", 5, "64.59"},
        {160000.0F, 6.5F, 30, 0, 400, 100.0F, 120, "159999.95", 321, "183977.66"},
        // The extra is added to the stored principal part and stored again; one rounding of
        // payment − interest + extra would move these cents.
        {160000.0F, 6.5F, 30, 228, 239, 200.0F, 0, "5582.15", 5, "86.86"},
        {285000.0F, 6.5F, 30, 192, 203, 333.33F, 0, "20614.76", 12, "5001.97"},
        {120000.0F, 6.5F, 30, 144, 155, 333.33F, 0, "11891.44", 12, "1210.32"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Format("%.2f at %g %% for %d years, months %d to %d, extra %.2f from %d",
                            c.principal, c.rate, c.years, c.first, c.last, c.extra, c.extraFrom));
        const AmortizeResult result = AmortizeRange(c.principal, MonthlyRate(c.rate), c.years * 12,
                                                    c.first, c.last, c.extra, c.extraFrom);
        EXPECT_EQ(Cents(result.principal), c.principalPaid);
        EXPECT_EQ(result.payments, c.payments);
        EXPECT_EQ(Cents(result.interest), c.interest);
    }
}

TEST(AmortizeRange, ReturnsZeroWhenRangeStartsAfterLastPayment)
{
    const AmortizeResult result = AmortizeRange(100000.0F, MonthlyRate(8.0F), 360, 360, 371);
    EXPECT_EQ(result.principal, 0.0F);
    EXPECT_EQ(result.payments, 0);
    EXPECT_EQ(result.interest, 0.0F);
}

TEST(AmortizeRange, CountsNothingForAnEmptyRange)
{
    const AmortizeResult result = AmortizeRange(100000.0F, MonthlyRate(8.0F), 360, 12, 11);
    EXPECT_EQ(result.principal, 0.0F);
    EXPECT_EQ(result.payments, 0);
    EXPECT_EQ(result.interest, 0.0F);
    EXPECT_EQ(AmortizeRange(100000.0F, MonthlyRate(8.0F), 360, 0, -1).payments, 0);
}

TEST(AmortizeRange, RepaysOnlyTheBalanceWithThePartialLastPayment)
{
    // 1000 at 1 % a month over 12 months with 600 extra from month 0: the payment is about
    // 88.85, so month 0 repays about 678.85 and leaves about 321.15, less than month 1's
    // principal part. 1000 − part0 is exact in float, so the two months repay exactly 1000.
    // Interest by hand: 1000 × 0.01 + 321.1512 × 0.01.
    const float rate = MonthlyRate(12.0F);
    const AmortizeResult all = AmortizeRange(1000.0F, rate, 12, 0, 11, 600.0F, 0);
    EXPECT_EQ(all.principal, 1000.0F);
    EXPECT_EQ(all.payments, 2);
    EXPECT_NEAR(all.interest, 13.2115, 0.0005);

    const AmortizeResult second = AmortizeRange(1000.0F, rate, 12, 1, 11, 600.0F, 0);
    EXPECT_NEAR(second.principal, 321.1512, 0.0005);
    EXPECT_EQ(second.payments, 1);
    EXPECT_NEAR(second.interest, 3.2115, 0.0005);

    // Paid off in month 1, which is not counted: the overshoot is taken back, nothing is left.
    const AmortizeResult after = AmortizeRange(1000.0F, rate, 12, 2, 11, 600.0F, 0);
    EXPECT_EQ(after.principal, 0.0F);
    EXPECT_EQ(after.payments, 0);
    EXPECT_EQ(after.interest, 0.0F);
}

TEST(AmortizeRange, StopsWhenTheBalanceReachesExactlyZero)
{
    // One period at r = 0.5: the payment is exactly 1500 (worked above), the interest 500,
    // so the principal part 1000 clears the balance to exactly 0 in month 0.
    const AmortizeResult result = AmortizeRange(1000.0F, 0.5F, 1, 0, 5);
    EXPECT_EQ(result.principal, 1000.0F);
    EXPECT_EQ(result.payments, 1);
    EXPECT_EQ(result.interest, 500.0F);
}

TEST(AmortizeRange, EndsAtPayoffEvenForTheLargestLastMonth)
{
    const float rate = MonthlyRate(8.0F);
    const AmortizeResult bounded = AmortizeRange(100000.0F, rate, 360, 0, 400);
    const AmortizeResult unbounded = AmortizeRange(100000.0F, rate, 360, 0, INT_MAX);
    EXPECT_EQ(unbounded.principal, bounded.principal);
    EXPECT_EQ(unbounded.payments, bounded.payments);
    EXPECT_EQ(unbounded.interest, bounded.interest);
}

TEST(AmortizeRange, LeavesMonthsBeforeTheExtraUntouched)
{
    const float rate = MonthlyRate(6.5F);
    const AmortizeResult plain = AmortizeRange(160000.0F, rate, 360, 0, 119);
    const AmortizeResult extra = AmortizeRange(160000.0F, rate, 360, 0, 119, 100.0F, 120);
    EXPECT_EQ(extra.principal, plain.principal);
    EXPECT_EQ(extra.interest, plain.interest);
    // From month 120 on, each month repays 100 more.
    const AmortizeResult month = AmortizeRange(160000.0F, rate, 360, 120, 120);
    const AmortizeResult monthExtra = AmortizeRange(160000.0F, rate, 360, 120, 120, 100.0F, 120);
    EXPECT_NEAR(monthExtra.principal - month.principal, 100.0F, 0.01F);
}

struct Loan
{
    Money principal;
    Percent rate;
    int years;
};

const Loan kLoans[] = {
    {100000.0F, 8.0F, 30}, {160000.0F, 6.5F, 30},    {768369.0F, 3.0F, 4},
    {1000.0F, 1.0F, 1},    {50000000.0F, 15.0F, 10}, {250000.0F, 3.75F, 25},
};

TEST(AmortizeRange, FullScheduleRepaysThePrincipal)
{
    for (const Loan& loan : kLoans) {
        SCOPED_TRACE(Format("%.2f at %g %% for %d years", loan.principal, loan.rate, loan.years));
        const int periods = loan.years * 12;
        const AmortizeResult full =
            AmortizeRange(loan.principal, MonthlyRate(loan.rate), periods, 0, periods - 1);
        // The single-precision payment is off the exact annuity by up to PaymentTolerance; a
        // payment too small by δ each month leaves δ·((1 + r)^n − 1)/r unpaid at the end.
        // Besides, every month rounds the balance and the total once, by at most half a unit
        // in the last place of the principal each.
        const double exact = SpreadsheetPayment(loan.principal, loan.rate, loan.years);
        const double rate = loan.rate / 1200.0;
        const double accumulation = (std::pow(1.0 + rate, periods) - 1.0) / rate;
        const double tolerance = PaymentTolerance(exact, loan.rate, loan.years) * accumulation +
                                 periods * Ulp(loan.principal);
        EXPECT_NEAR(full.principal, loan.principal, tolerance);
        EXPECT_EQ(full.payments, periods);
    }
}

TEST(AmortizeRange, YearRowsAddUpToTheWholeLoan)
{
    for (const Loan& loan : kLoans) {
        SCOPED_TRACE(Format("%.2f at %g %% for %d years", loan.principal, loan.rate, loan.years));
        const float rate = MonthlyRate(loan.rate);
        const int periods = loan.years * 12;
        const Money payment = MonthlyPayment(loan.principal, rate, periods);
        double principal = 0;
        double interest = 0;
        int payments = 0;
        for (int year = 0; year < loan.years; ++year) {
            SCOPED_TRACE(Format("year %d", year));
            const AmortizeResult row =
                AmortizeRange(loan.principal, rate, periods, year * 12, year * 12 + 11);
            // A row is twelve payments, split between principal and interest; each of the
            // two running totals is rounded twelve times. The last payment of the loan may
            // be partial.
            EXPECT_EQ(row.payments, 12);
            const double tolerance = 24 * Ulp(12 * payment);
            if (year + 1 < loan.years)
                EXPECT_NEAR(row.principal + row.interest, 12.0 * payment, tolerance);
            else
                EXPECT_LE(row.principal + row.interest, 12.0 * payment + tolerance);
            principal += row.principal;
            interest += row.interest;
            payments += row.payments;
        }
        const AmortizeResult full = AmortizeRange(loan.principal, rate, periods, 0, periods - 1);
        EXPECT_NEAR(principal, full.principal, periods * Ulp(loan.principal));
        EXPECT_NEAR(interest, full.interest, periods * Ulp(full.interest));
        EXPECT_EQ(payments, full.payments);
    }
}

TEST(AmortizeRange, ChargesEachMonthBalanceTimesRate)
{
    // The balance is P less the principal repaid so far, up to the roundings of the running
    // balance and total (half a unit of P's last place each, every month).
    const float rate = MonthlyRate(8.0F);
    for (const int month : {1, 12, 100, 200, 359}) {
        SCOPED_TRACE(Format("month %d", month));
        const double balance =
            100000.0 - AmortizeRange(100000.0F, rate, 360, 0, month - 1).principal;
        const Money interest = AmortizeRange(100000.0F, rate, 360, month, month).interest;
        EXPECT_NEAR(interest, balance * rate, month * Ulp(100000.0F) * rate + Ulp(interest));
    }
}

TEST(PaymentLimitFor, RefusesARateThatVanishesNextToOne)
{
    struct Case
    {
        float rate;
        PaymentLimit expected;
    };
    // 1 + 2^-24 is halfway between 1 and the next float and rounds to even, to 1.
    const float half = std::ldexp(1.0F, -24);
    const Case cases[] = {
        {half, PaymentLimit::RateTooSmall},
        {std::nextafter(half, 1.0F), PaymentLimit::Ok},
        // A yearly 0.00007 % gives r ≈ 5.8e-8, below 2^-24 ≈ 5.96e-8; 0.0001 % gives 8.3e-8.
        {MonthlyRate(0.00007F), PaymentLimit::RateTooSmall},
        {MonthlyRate(0.0001F), PaymentLimit::Ok},
        {0.0F, PaymentLimit::RateTooSmall},
        {-0.01F, PaymentLimit::RateTooSmall},
        {std::numeric_limits<float>::quiet_NaN(), PaymentLimit::RateTooSmall},
        {std::numeric_limits<float>::infinity(), PaymentLimit::PowerOverflows},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Format("rate %g", c.rate));
        EXPECT_EQ(PaymentLimitFor(c.rate, 360), c.expected);
    }
}

TEST(PaymentLimitFor, RefusesAPowerBeyondSinglePrecision)
{
    struct Case
    {
        Percent rate;
        int years;
        PaymentLimit expected;
    };
    // log10 of (1 + r)^n: 1000 % over 12 years 37.9, over 13 years 41.1; 330 % over 30 years
    // 38.0, 340 % 39.0. Floats end near 3.4e38.
    const Case cases[] = {
        {1000.0F, 12, PaymentLimit::Ok},
        {1000.0F, 13, PaymentLimit::PowerOverflows},
        {1000.0F, 100, PaymentLimit::PowerOverflows},
        {330.0F, 30, PaymentLimit::Ok},
        {340.0F, 30, PaymentLimit::PowerOverflows},
        {8.0F, 30, PaymentLimit::Ok},
        {50.0F, 50, PaymentLimit::Ok},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Format("%g %% for %d years", c.rate, c.years));
        EXPECT_EQ(PaymentLimitFor(MonthlyRate(c.rate), c.years * 12), c.expected);
    }
}

TEST(PaymentLimitFor, AcceptedInputsGiveAFinitePaymentCoveringTheInterest)
{
    // Across the limits the calculators allow, an accepted input gives a finite payment of at
    // least the first month's interest, so the loan never grows.
    for (const Percent percent : {0.5F, 1.0F, 8.0F, 50.0F, 100.0F, 250.0F, 500.0F, 1000.0F}) {
        for (const int years : {1, 5, 12, 13, 30, 50, 100}) {
            const float rate = MonthlyRate(percent);
            if (PaymentLimitFor(rate, years * 12) != PaymentLimit::Ok)
                continue;
            SCOPED_TRACE(Format("%g %% for %d years", percent, years));
            const Money payment = MonthlyPayment(1e8F, rate, years * 12);
            EXPECT_TRUE(std::isfinite(payment));
            // 1e8 × rate has at most 51 significant bits: exact in double.
            EXPECT_GE(payment, static_cast<float>(1e8 * static_cast<double>(rate)));
        }
    }
}

TEST(PaymentLimitMessage, ExplainsEachRefusal)
{
    EXPECT_STREQ(PaymentLimitMessage(PaymentLimit::Ok), "");
    const std::string tooSmall = PaymentLimitMessage(PaymentLimit::RateTooSmall);
    const std::string overflows = PaymentLimitMessage(PaymentLimit::PowerOverflows);
    EXPECT_NE(tooSmall.find("larger rate"), std::string::npos);
    EXPECT_NE(overflows.find("lower rate or fewer years"), std::string::npos);
}

} // namespace
} // namespace tw
