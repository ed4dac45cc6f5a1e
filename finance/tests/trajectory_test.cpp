#include "finance/format.h"
#include "finance/trajectory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace tw {
namespace {

// Every expected value below is AmortizeRange's own answer for the same arguments: the
// trajectory has to reproduce it float for float, so floats are compared by their bits
// (a NaN equals the same NaN, −0 differs from +0).
struct Loan
{
    Money principal = 0;
    float rate = 0; // per month, a fraction
    int periods = 0;
    Money extra = 0;
    int extraFrom = 0;
};

std::string Describe(const Loan& loan)
{
    return Format("principal %.9g (%a), rate %.9g (%a) a month, %d periods, extra %.9g from "
                  "month %d",
                  loan.principal, loan.principal, loan.rate, loan.rate, loan.periods, loan.extra,
                  loan.extraFrom);
}

std::uint32_t Bits(float value)
{
    return std::bit_cast<std::uint32_t>(value);
}

AmortizeResult Reference(const Loan& loan, int first, int last)
{
    return AmortizeRange(loan.principal, loan.rate, loan.periods, first, last, loan.extra,
                         loan.extraFrom);
}

LoanTrajectory TrajectoryOf(const Loan& loan)
{
    return LoanTrajectory(loan.principal, loan.rate, loan.periods, loan.extra, loan.extraFrom);
}

testing::AssertionResult SameResult(const AmortizeResult& expected, const AmortizeResult& actual)
{
    if (Bits(expected.principal) == Bits(actual.principal) &&
        expected.payments == actual.payments && Bits(expected.interest) == Bits(actual.interest))
        return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << Format("AmortizeRange gives principal %a, %d payments, interest %a; the "
                     "trajectory %a, %d, %a",
                     expected.principal, expected.payments, expected.interest, actual.principal,
                     actual.payments, actual.interest);
}

// Compares one range of the trajectory with AmortizeRange, and its principalOf when the
// range is one month.
bool Matches(const Loan& loan, const LoanTrajectory& trajectory, int first, int last)
{
    const AmortizeResult expected = Reference(loan, first, last);
    const testing::AssertionResult same = SameResult(expected, trajectory.range(first, last));
    EXPECT_TRUE(same) << "months " << first << " to " << last;
    if (first != last || !same)
        return same;
    const Money principal = trajectory.principalOf(first);
    EXPECT_EQ(Bits(principal), Bits(expected.principal)) << Format(
        "principalOf(%d): AmortizeRange %a, trajectory %a", first, expected.principal, principal);
    return Bits(principal) == Bits(expected.principal);
}

TEST(LoanTrajectory, ComputesThePaymentOnce)
{
    const LoanTrajectory trajectory(160000.0F, MonthlyRate(6.5F), 360);
    EXPECT_EQ(Bits(trajectory.payment()), Bits(MonthlyPayment(160000.0F, MonthlyRate(6.5F), 360)));
    EXPECT_EQ(trajectory.keptMonths(), 0U);
}

TEST(LoanTrajectory, AnswersTheEdgesOfARangeAsAmortizeRangeDoes)
{
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const Loan loans[] = {
        {100000.0F, MonthlyRate(8.0F), 360},
        {160000.0F, MonthlyRate(6.5F), 360, 100.0F, 0},
        {160000.0F, MonthlyRate(6.5F), 360, 100.0F, 120},
        // Month 0 repays 678.85 of 1000, month 1 only the 321.15 left: a partial payment
        // when counted, an overshoot taken back when not.
        {1000.0F, MonthlyRate(12.0F), 12, 600.0F, 0},
        // A payment of exactly 1500 at r = 0.5 clears the balance to exactly 0 in month 0.
        {1000.0F, 0.5F, 1},
        // Its mirror: a part of −1000 clears a balance of −1000 to 0 without overshooting,
        // and the negative total is reported as 0.
        {-1000.0F, 0.5F, 1},
        {0.0F, MonthlyRate(5.0F), 120},
        {-0.0F, MonthlyRate(5.0F), 120},
        {-1000.0F, MonthlyRate(5.0F), 120},
        {0.01F, MonthlyRate(0.001F), 1200, 0.0F, 0},
        // 1 + r rounds to 1: the payment is P·r/0, infinite.
        {100000.0F, 1e-9F, 360},
        {100000.0F, 0.0F, 360},
        {100000.0F, -0.0F, 360},
        {100000.0F, -1.0F, 360},
        {100000.0F, -0.5F, 24},
        {100000.0F, nan, 360},
        {100000.0F, inf, 360},
        {100000.0F, -inf, 360},
        {1e8F, 1e30F, 12},
        // (1 + r)^n overflows: the payment is the interest, the balance never moves.
        {1e8F, MonthlyRate(1000.0F), 1200},
        {1e8F, MonthlyRate(1000.0F), 1200, 5000.0F, 600},
    };
    const int ranges[][2] = {
        {0, 0},       {0, 11},
        {12, 11},     {0, -1},
        {-5, -1},     {-12, 11},
        {INT_MIN, 0}, {-1, 1},
        {1, 1},       {2, 2},
        {2, 11},      {348, 359},
        {359, 359},   {360, 360},
        {360, 371},   {280, 280},
        {281, 281},   {276, 287},
        {0, 400},     {100, 2000},
        {1000, 1000}, {600, 611},
        {599, 600},   {5, INT_MIN},
        {INT_MAX, 0}, {INT_MIN, INT_MIN},
        {-1, -1},
    };
    for (const Loan& loan : loans) {
        SCOPED_TRACE(Describe(loan));
        // Two trajectories: one asked in the order above, one asked the longest range first,
        // so that both the growing and the fully grown months are read.
        const LoanTrajectory growing = TrajectoryOf(loan);
        const LoanTrajectory grown = TrajectoryOf(loan);
        grown.range(0, 2000);
        for (const auto& r : ranges) {
            Matches(loan, growing, r[0], r[1]);
            Matches(loan, grown, r[0], r[1]);
        }
    }
}

TEST(LoanTrajectory, ReadsAClearedLoanUpToTheLargestMonth)
{
    // AmortizeRange stops at the payoff however large the last month; the trajectory keeps
    // nothing past the payoff.
    const Loan loan{100000.0F, MonthlyRate(8.0F), 360};
    const LoanTrajectory trajectory = TrajectoryOf(loan);
    for (const int first : {0, 348, 359, 360, INT_MAX - 11, INT_MAX})
        Matches(loan, trajectory, first, INT_MAX);
    Matches(loan, trajectory, INT_MAX, INT_MAX);
    EXPECT_LE(trajectory.keptMonths(), 361U);
}

TEST(LoanTrajectory, KeepsOneMonthOfALoanWhoseBalanceNeverMoves)
{
    // With (1 + r)^n overflowing, the payment is exactly the month interest: every month is
    // month 0 again, to the last month an int can name. AmortizeRange would take 2^31 steps
    // to reach the far months, but any month of this loan gives what month 5000 gives, and
    // any twelve months what months 5000 to 5011 give.
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const Loan loans[] = {
        {1e8F, MonthlyRate(1000.0F), 1200},
        {250000.0F, MonthlyRate(500.0F), 600},
        {250000.0F, nan, 360},
    };
    for (const Loan& loan : loans) {
        SCOPED_TRACE(Describe(loan));
        const LoanTrajectory trajectory = TrajectoryOf(loan);
        const Money month = trajectory.principalOf(INT_MAX);
        EXPECT_EQ(Bits(month), Bits(Reference(loan, 5000, 5000).principal));
        EXPECT_TRUE(
            SameResult(Reference(loan, 5000, 5011), trajectory.range(INT_MAX - 11, INT_MAX)));
        // A NaN rate takes one month to turn the balance into NaN.
        EXPECT_LE(trajectory.keptMonths(), 2U);
        Matches(loan, trajectory, 0, 3000);
    }
}

TEST(LoanTrajectory, StepsPastItsMemoryBoundWithoutKeeping)
{
    // The payment is the month interest, so the balance stays put until the extra of 100
    // starts at month 70000, past the months kept; from there the shortfall below the
    // balance the payment would carry grows by 1 + r, about 1.83 a month, and the loan clears
    // some twenty months later, a payoff found by stepping, counted or not.
    const Loan slow{1e6F, MonthlyRate(1000.0F), 1200, 100.0F, 70000};
    static_assert(LoanTrajectory::kMaxKeptMonths < 70000);
    const LoanTrajectory trajectory = TrajectoryOf(slow);
    SCOPED_TRACE(Describe(slow));

    const int end = Reference(slow, 0, 90000).payments - 1;
    ASSERT_GT(end, 70000);
    ASSERT_LT(end, 70100);
    const int ranges[][2] = {
        {0, 11},        {0, 90000},     {65530, 65541},  {65535, 65535},     {65536, 65536},
        {69995, 70005}, {70000, 70000}, {end - 12, end}, {end - 1, end + 1}, {end + 1, 90000},
        {90000, 90000}, {0, end},
    };
    for (const auto& r : ranges)
        Matches(slow, trajectory, r[0], r[1]);
    for (int month = end - 3; month <= end + 3; ++month)
        Matches(slow, trajectory, month, month);
    EXPECT_EQ(trajectory.keptMonths(), LoanTrajectory::kMaxKeptMonths);
}

TEST(LoanTrajectory, KeepsAGrowingBalanceUntilItStaysInfinite)
{
    // An extra of −100 a month outgrows a payment of 88.85: the balance grows by about 1 %
    // a month, becomes infinite after some 8000 months, and from then on every month is the
    // same infinite one.
    const Loan growing{1000.0F, MonthlyRate(12.0F), 12, -100.0F, 0};
    SCOPED_TRACE(Describe(growing));
    const LoanTrajectory trajectory = TrajectoryOf(growing);
    for (const auto& r : {std::pair{0, 11}, std::pair{0, 12000}, std::pair{8000, 8500},
                          std::pair{12000, 12000}, std::pair{100, 100}})
        Matches(growing, trajectory, r.first, r.second);
    EXPECT_TRUE(std::isinf(trajectory.range(12000, 12000).interest));
    EXPECT_LT(trajectory.keptMonths(), 12000U);
}

// Random loans over the whole input range of the interface.
struct LoanMaker
{
    std::mt19937 random{20261209};

    double Uniform(double low, double high)
    {
        return std::uniform_real_distribution<double>(low, high)(random);
    }
    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }
    double LogUniform(double low, double high)
    {
        return std::exp(Uniform(std::log(low), std::log(high)));
    }

    Money Principal()
    {
        static constexpr Money kEdges[] = {0.01F, 1.0F, 0.0F, -1000.0F, 1e8F, 100000.0F};
        const int kind = Between(0, 9);
        if (kind == 0)
            return kEdges[Between(0, static_cast<int>(std::size(kEdges)) - 1)];
        if (kind == 1)
            return static_cast<Money>(Uniform(-1000, 0));
        return static_cast<Money>(LogUniform(0.01, 1e8));
    }

    float Rate()
    {
        static constexpr float kRaw[] = {1e-9F, 5e-8F, 6e-8F, 1e-7F, 1e-5F, 0.5F, 1.0F, 2.0F};
        if (Between(0, 9) == 0)
            return kRaw[Between(0, static_cast<int>(std::size(kRaw)) - 1)];
        return MonthlyRate(static_cast<Percent>(LogUniform(0.001, 1000)));
    }

    Loan Make()
    {
        Loan loan;
        loan.principal = Principal();
        loan.rate = Rate();
        loan.periods = Between(1, 100) * 12;
        if (Between(0, 1) == 1) {
            loan.extra = static_cast<Money>(Uniform(0, 5000));
            loan.extraFrom = Between(0, loan.periods);
        }
        return loan;
    }
};

TEST(LoanTrajectory, MatchesAmortizeRangeOnRandomLoans)
{
    // Single months, years and random ranges (empty, starting before month 0, reaching far
    // past the payoff), asked in random order of one trajectory. AmortizeRange costs the
    // last month of the range each time, so only every 50th loan is swept month by month and
    // year by year from 0 to n + 24; the others get the months and years around the start,
    // the end of the term and the payoff, and random ones.
    constexpr int kLoans = 2000;
    LoanMaker maker;
    int failures = 0;
    for (int index = 0; index < kLoans && failures < 10; ++index) {
        const Loan loan = maker.Make();
        SCOPED_TRACE(Format("loan %d: ", index) + Describe(loan));
        const int n = loan.periods;

        std::set<std::pair<int, int>> asked;
        const auto single = [&asked](int month) { asked.emplace(month, month); };
        const auto year = [&asked](int month) {
            const int first = month - month % 12;
            asked.emplace(first, first + 11);
        };
        if (index % 50 == 0) {
            for (int month = 0; month <= n + 24; ++month) {
                single(month);
                year(month);
            }
        } else {
            // The last month counted from month 0: the payoff, or n + 24 if there is none.
            const int end = Reference(loan, 0, n + 24).payments - 1;
            for (const int around : {2, n - 1, end})
                for (int month = around - 2; month <= around + 2; ++month)
                    single(month);
            for (const int month : {0, n - 1, end, end + 12})
                year(month);
            for (int i = 0; i < 3; ++i) {
                single(maker.Between(0, n + 24));
                year(maker.Between(0, n + 24));
            }
        }
        for (int i = 0; i < 6; ++i) {
            const int first = maker.Between(-30, n + 30);
            const int last = maker.Between(0, 9) == 0 ? maker.Between(n, 3 * n + 2000)
                                                      : first + maker.Between(-5, 30);
            asked.emplace(first, last);
        }
        std::vector<std::pair<int, int>> ranges(asked.begin(), asked.end());
        std::shuffle(ranges.begin(), ranges.end(), maker.random);

        const LoanTrajectory trajectory = TrajectoryOf(loan);
        for (const auto& [first, last] : ranges) {
            if (!Matches(loan, trajectory, first, last)) {
                ++failures;
                break;
            }
        }
    }
}

} // namespace
} // namespace tw
