#include "finance/format.h"
#include "tools/loansolver/loansolver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>

namespace tw {
namespace {

constexpr LoanUnknown kUnknowns[] = {LoanUnknown::Amount, LoanUnknown::Rate, LoanUnknown::Count,
                                     LoanUnknown::Payment, LoanUnknown::Balloon};

LoanTerms Monthly(double amount, double rate, int count, double payment)
{
    LoanTerms terms;
    terms.amount = amount;
    terms.ratePercent = rate;
    terms.count = count;
    terms.payment = payment;
    return terms;
}

// The one helper: solves terms for the unknown (whatever the terms hold there) and checks
// that the solved value is what the terms held, within a cent (a millionth of a percent for
// the rate, the whole count for the number of payments).
void ExpectSolvesBack(const LoanTerms& terms, LoanUnknown unknown)
{
    SCOPED_TRACE(::testing::Message()
                 << "unknown " << static_cast<int>(unknown) << ": amount " << terms.amount
                 << " rate " << terms.ratePercent << " compounding " << terms.compounding
                 << " per year " << terms.paymentsPerYear << " count " << terms.count << " payment "
                 << terms.payment << " balloon " << terms.balloon << " timing "
                 << static_cast<int>(terms.timing));
    const LoanSolution solved = SolveLoan(terms, unknown);
    ASSERT_FALSE(solved.failure) << *solved.failure;
    const LoanTerms& back = solved.terms;
    switch (unknown) {
    case LoanUnknown::Amount:
        EXPECT_NEAR(back.amount, terms.amount, 0.01);
        break;
    case LoanUnknown::Rate:
        EXPECT_NEAR(back.ratePercent, terms.ratePercent, 1e-6);
        break;
    case LoanUnknown::Count:
        EXPECT_EQ(back.count, terms.count);
        EXPECT_NEAR(solved.exactCount, terms.count, 1e-6);
        break;
    case LoanUnknown::Payment:
        EXPECT_NEAR(back.payment, terms.payment, 0.01);
        break;
    case LoanUnknown::Balloon:
        EXPECT_NEAR(back.balloon, terms.balloon, 0.01);
        break;
    case LoanUnknown::Extra:
        EXPECT_NEAR(back.extra, terms.extra, 0.01);
        break;
    }
}

// Published figures of the common loan calculators, each solved forward (the payment, or the
// term) and then back from the exact payment for the amount, the rate and the term.
TEST(LoanSolver, GivesThePublishedFiguresAndSolvesThemBack)
{
    struct Case
    {
        double amount;
        double rate;
        int count;
        const char* payment; // as published
    } cases[] = {
        {200000, 7.5, 180, "1854.02"},
        {100000, 5, 180, "790.79"},
        {25000, 5.5, 60, "477.53"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.payment);
        const LoanSolution forward =
            SolveLoan(Monthly(c.amount, c.rate, c.count, 0), LoanUnknown::Payment);
        ASSERT_FALSE(forward.failure);
        EXPECT_EQ(Format("%.2f", forward.terms.payment), c.payment);
        for (LoanUnknown unknown : {LoanUnknown::Amount, LoanUnknown::Rate, LoanUnknown::Count})
            ExpectSolvesBack(forward.terms, unknown);
    }

    // $8,000 at 7 % with $150 a month: 64.07 payments, 65 whole ones with a smaller last.
    const LoanSolution term = SolveLoan(Monthly(8000, 7, 0, 150), LoanUnknown::Count);
    ASSERT_FALSE(term.failure);
    EXPECT_EQ(Format("%.2f", term.exactCount), "64.07");
    EXPECT_EQ(term.terms.count, 65);
    const LoanSchedule schedule = RunLoanSchedule(ScheduleOf(term.terms));
    EXPECT_EQ(schedule.paymentsMade, 65);
    EXPECT_LT(schedule.rows[schedule.rows.size() - 2].payment, 150);
    EXPECT_NEAR(schedule.finalBalance, 0, 1e-6);
    // Back from the fractional term to the amount and the rate.
    const Annuity loan{8000, PeriodicRate(7, 12, 12), term.exactCount, 150, 0, PaymentTiming::End};
    EXPECT_NEAR(SolveAmount(loan), 8000, 0.01);
    EXPECT_NEAR(*SolveRate({8000, 0, term.exactCount, 150, 0, PaymentTiming::End}, 1).rate,
                loan.rate, 1e-9 / 12 / 100);
}

TEST(LoanSolver, ConvertsRatesBetweenCompoundings)
{
    struct Case
    {
        double yearly;
        int compounding;
        int perYear;
        double periodic; // (1 + r/c)^(c/p) − 1 or e^(r/p) − 1, worked in Python's math
    } cases[] = {
        {12, 12, 12, 0.01},
        {12, 1, 12, 0.009488792934582973},           // 1.12^(1/12) − 1
        {12, kContinuous, 12, 0.010050167084168058}, // e^0.01 − 1
        {10, 2, 26, 0.003760141211162494},           // 1.05^(2/26) − 1
        {0, 365, 52, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.yearly << " " << c.compounding << " " << c.perYear);
        EXPECT_NEAR(PeriodicRate(c.yearly, c.compounding, c.perYear), c.periodic, 1e-15);
        EXPECT_NEAR(YearlyPercent(c.periodic, c.compounding, c.perYear), c.yearly, 1e-12);
    }
}

// Many random loans over every frequency, both timings, with and without balloon and fees:
// each unknown solved from the others gives the input back, and the lender's schedule ends at
// the balloon to the cent with totals that are the sums of its rows.
TEST(LoanSolver, SolvesRandomLoansBackAndKeepsTheLendersCents)
{
    constexpr int kPerYear[] = {1, 2, 4, 12, 24, 26, 52};
    constexpr int kCompounding[] = {1, 2, 4, 12, 24, 26, 52, 365, kContinuous, 0};
    std::mt19937_64 random(20261211);
    const auto uniform = [&](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    for (int trial = 0; trial < 400; ++trial) {
        LoanTerms terms;
        terms.paymentsPerYear = kPerYear[random() % 7];
        terms.compounding = kCompounding[random() % 10];
        if (terms.compounding == 0)
            terms.compounding = terms.paymentsPerYear; // "as payments"
        terms.amount = std::round(uniform(1000, 2e6) * 100) / 100;
        terms.ratePercent = trial % 10 == 0 ? 0 : std::round(uniform(0.5, 25) * 1000) / 1000;
        terms.timing = trial % 2 == 0 ? PaymentTiming::End : PaymentTiming::Beginning;
        // One payment in advance repays the amount at once whatever the rate: no rate to
        // solve back (its own case is below).
        const int least = terms.timing == PaymentTiming::End ? 1 : 2;
        terms.count = least + static_cast<int>(random() % (30 * terms.paymentsPerYear));
        terms.balloon = trial % 3 == 0 ? std::round(uniform(0, 0.8) * terms.amount) : 0;
        terms.fees = trial % 4 == 0 ? uniform(0, 0.05) * terms.amount : 0;
        terms.pointsPercent = trial % 5 == 0 ? uniform(0, 3) : 0;

        const LoanSolution solved = SolveLoan(terms, LoanUnknown::Payment);
        ASSERT_FALSE(solved.failure) << *solved.failure;
        for (LoanUnknown unknown : kUnknowns)
            ExpectSolvesBack(solved.terms, unknown);
        EXPECT_GE(solved.aprPercent + 1e-9,
                  PeriodicRate(terms.ratePercent, terms.compounding, terms.paymentsPerYear) *
                      terms.paymentsPerYear * 100);

        LoanTerms lender = solved.terms;
        lender.rounding = LoanRounding::Cents;
        const LoanSchedule schedule = RunLoanSchedule(ScheduleOf(lender));
        const auto cents = [](double dollars) { return std::llround(dollars * 100); };
        std::int64_t paid = 0;
        std::int64_t interest = 0;
        std::int64_t yearPaid = 0;
        for (const LoanRow& row : schedule.rows) {
            EXPECT_EQ(cents(row.payment) * 100, std::llround(row.payment * 10000));
            if (row.kind == LoanRowKind::YearTotal) {
                yearPaid += cents(row.payment + row.extra);
                continue;
            }
            paid += cents(row.payment) + cents(row.extra);
            interest += cents(row.interest);
            EXPECT_EQ(cents(row.payment) - cents(row.interest), cents(row.principal));
        }
        EXPECT_EQ(schedule.paymentsMade, lender.count);
        EXPECT_EQ(cents(schedule.finalBalance), cents(lender.balloon));
        EXPECT_EQ(paid, cents(schedule.totalPayments));
        EXPECT_EQ(yearPaid, paid);
        EXPECT_EQ(interest, cents(schedule.totalInterest));
    }
}

// What no loan can do is refused with a reason, never an inf or nan.
TEST(LoanSolver, ExplainsLoansWithoutSolution)
{
    struct Case
    {
        LoanTerms terms;
        LoanUnknown unknown;
        const char* reason; // the start of the message
    } cases[] = {
        {Monthly(100000, 12, 0, 900), LoanUnknown::Count,
         "The payment of $900.00 does not even cover the interest of the first period, which "
         "is $1,000.00"},
        {Monthly(100000, 5, 120, 500), LoanUnknown::Rate,
         "The payments and the balloon add up to $60,000.00, less than the amount of "
         "$100,000.00, so no rate of 0 % or more repays it."},
        {Monthly(1000, 5, 12, 500), LoanUnknown::Rate,
         "These payments would need a rate above 100 % a year."},
        {Monthly(1000, 5, 12, 500), LoanUnknown::Balloon,
         "The payments repay the loan before the end of the term"},
        {Monthly(0, 5, 12, 0), LoanUnknown::Amount, "With no payment and no balloon"},
        {Monthly(1e9, 100, 1200, 0), LoanUnknown::Balloon, "The balloon would be $"},
        {Monthly(100, 0, 0, 0.01), LoanUnknown::Count,
         "Paying the loan off takes 10000 payments, more than 100 years of payments (1200)."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        const LoanSolution solved = SolveLoan(c.terms, c.unknown);
        ASSERT_TRUE(solved.failure);
        EXPECT_EQ(solved.failure->rfind(c.reason, 0), 0U) << *solved.failure;
    }
}

// Figures of the edges the form must handle, each against a hand computation.
TEST(LoanSolver, HandlesExtraPaymentsBalloonsAndPaymentsInAdvance)
{
    // Rate 0: the payment is the amount less the balloon over the count.
    LoanTerms free = Monthly(12000, 0, 12, 0);
    free.balloon = 2400;
    EXPECT_DOUBLE_EQ(SolveLoan(free, LoanUnknown::Payment).terms.payment, 800);

    // A payment far above the amount is still one whole payment, not none.
    EXPECT_EQ(SolveLoan(Monthly(100, 0, 0, 1e9), LoanUnknown::Count).terms.count, 1);

    // One payment in advance repays the amount at once: no interest at all.
    LoanTerms once = Monthly(5000, 9, 1, 0);
    once.timing = PaymentTiming::Beginning;
    const LoanSolution single = SolveLoan(once, LoanUnknown::Payment);
    EXPECT_DOUBLE_EQ(single.terms.payment, 5000);
    EXPECT_DOUBLE_EQ(single.totalInterest, 0);

    // A balloon larger than the amount: the interest is paid only in part and the balance
    // grows to it. 100000 at 12 %, 12 payments of 500 end at 100000 × 1.01^12 − 500 s(12).
    LoanTerms growing = Monthly(100000, 12, 12, 500);
    const LoanSolution grown = SolveLoan(growing, LoanUnknown::Balloon);
    EXPECT_NEAR(grown.terms.balloon,
                100000 * std::pow(1.01, 12) - 500 * (std::pow(1.01, 12) - 1) / 0.01, 1e-6);
    EXPECT_GT(grown.terms.balloon, growing.amount);
    growing.balloon = grown.terms.balloon;
    ExpectSolvesBack(growing, LoanUnknown::Count);

    // The extra that pays $200,000 at 7.5 % over 30 years off in 15: the 15-year payment less
    // the 30-year one (1854.02472 − 1398.42902, worked in Python), and the schedule stops at
    // payment 180.
    LoanTerms mortgage = Monthly(200000, 7.5, 360, 0);
    mortgage = SolveLoan(mortgage, LoanUnknown::Payment).terms;
    mortgage.target = 180;
    const LoanSolution extra = SolveLoan(mortgage, LoanUnknown::Extra);
    ASSERT_FALSE(extra.failure);
    EXPECT_NEAR(extra.terms.extra, 1854.02472 - 1398.42902, 1e-5);
    EXPECT_EQ(extra.paymentsMade, 180);
    EXPECT_NEAR(extra.interestSaved,
                360 * mortgage.payment - 180 * (mortgage.payment + extra.terms.extra), 0.01);

    // The same to the cent: the extra is rounded up and still pays off in 180 payments.
    mortgage.rounding = LoanRounding::Cents;
    const LoanSolution lender = SolveLoan(mortgage, LoanUnknown::Extra);
    EXPECT_EQ(lender.paymentsMade, 180);
    EXPECT_EQ(Format("%.2f", lender.terms.extra), "455.60");
}

} // namespace
} // namespace tw
