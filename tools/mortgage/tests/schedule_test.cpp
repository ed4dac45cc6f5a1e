#include "tools/mortgage/schedule.h"
#include "tools/mortgage/scheduletable.h"

#include "finance/format.h"
#include "tools/mortgage/tests/referenceschedule.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tw {
namespace {

struct Mortgage
{
    Age start = 35;
    Age payoff = 65;
    Age sell = 0;
    Money amount = 200000;
    Money down = 40000;
    Percent rate = 6.5F;
    int years = 30;
    Percent appreciation = 3;
};

MortgageRecord RecordOf(const Mortgage& m)
{
    MortgageRecord record;
    record.startAge = m.start;
    record.payoffAge = m.payoff;
    record.sellAge = m.sell;
    record.amount = m.amount;
    record.downPayment = m.down;
    record.rate = m.rate;
    record.years = static_cast<std::int16_t>(m.years);
    record.appreciation = m.appreciation;
    return record;
}

std::string Describe(const Mortgage& m)
{
    return Format("start %g payoff %g sell %g, %.2f down %.2f at %g %% for %d years, "
                  "appreciation %g %%",
                  m.start, m.payoff, m.sell, m.amount, m.down, m.rate, m.years, m.appreciation);
}

// The cells of a row with the list's widths, from the figures as written.
std::vector<std::string> Cells(int age, const std::vector<const char*>& money)
{
    std::vector<std::string> cells{Format("%3d", age)};
    for (std::size_t i = 0; i < money.size(); ++i) {
        const std::size_t width = i < 2 ? 14 : 16;
        const std::string text = money[i];
        cells.push_back(std::string(width - text.size(), ' ') + text);
    }
    return cells;
}

TEST(Schedule, ShowsTheDocumentedYearCellByCell)
{
    // 200000, down 40000, 6.5 % for 30 years from age 35 to 65, appreciation 3 %.
    MortgageRecord record = RecordOf({});
    const auto rows = ComputeSchedule(record);
    ASSERT_EQ(rows.size(), 31U);

    EXPECT_EQ(ScheduleCells(rows[0]), Cells(35, {"0.00", "0.00", "0.00", "0.00", "0.00", "40000.00",
                                                 "40000.00", "200000.00", "160000.00"}));
    // The year's principal and interest are the floats 1788.3857 and 10347.3457: shown as
    // 1788.39 and 10347.35, their sum 12135.7314 as 12135.73.
    EXPECT_EQ(ScheduleCells(rows[1]),
              Cells(36, {"1788.39", "10347.35", "1788.39", "10347.35", "12135.73", "41788.39",
                         "47788.39", "206000.00", "158211.61"}));
}

TEST(Schedule, RepaysTheLoanByTheLastYear)
{
    MortgageRecord record = RecordOf({});
    const auto rows = ComputeSchedule(record);
    ASSERT_EQ(rows.size(), 31U);
    const ScheduleRow& last = rows.back();
    EXPECT_EQ(last.age, 65);
    // Single-precision sums reach the loan of 160000 to within a few cents.
    EXPECT_NEAR(last.totalPrincipal, 160000.0, 0.25);
    EXPECT_GE(last.liability, 0.0);
    EXPECT_LT(last.liability, 0.25);

    // The record keeps the totals and the months of the last row.
    EXPECT_EQ(record.totalPrincipal, last.totalPrincipal);
    EXPECT_EQ(record.totalInterest, last.totalInterest);
    EXPECT_EQ(record.monthsScheduled, 360);
}

TEST(Schedule, KeepsItsRunningTotalsConsistentRowByRow)
{
    MortgageRecord record = RecordOf({30, 80, 0, 350000, 20000, 7.25F, 40, 2.5F});
    const auto rows = ComputeSchedule(record);
    ASSERT_EQ(rows.size(), 41U);
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const ScheduleRow& before = rows[i - 1];
        const ScheduleRow& row = rows[i];
        SCOPED_TRACE(Format("age %d", row.age));
        EXPECT_EQ(row.age, before.age + 1);
        EXPECT_EQ(row.totalPrincipal, StoreFloat(Extended{before.totalPrincipal} + row.principal));
        EXPECT_EQ(row.totalInterest, StoreFloat(Extended{before.totalInterest} + row.interest));
        EXPECT_EQ(row.propertyValue,
                  StoreFloat(Extended{before.propertyValue} +
                             Extended{before.propertyValue} * 2.5F * kHundredth));
        EXPECT_GE(row.liability, 0.0);
        EXPECT_NEAR(row.equity, 20000.0 + row.totalPrincipal, 0.01);
    }
}

TEST(Schedule, RoundsTiesAsExtendedArithmeticDoes)
{
    // 250000, down 62500, 3.75 % for 25 years, appreciation 10 %, ages 30 to 55: the age-39
    // property value is 589486.94 (589486.88 when ties are rounded to even).
    MortgageRecord record = RecordOf({30, 55, 0, 250000, 62500, 3.75F, 25, 10});
    const auto rows = ComputeSchedule(record);
    ASSERT_EQ(rows.size(), 26U);
    EXPECT_EQ(rows[9].age, 39);
    EXPECT_EQ(Format("%.2f", rows[9].propertyValue), "589486.94");
}

TEST(Schedule, EndsAtTheEarliestOfTermPayoffAndSale)
{
    struct Case
    {
        Mortgage mortgage;
        std::size_t rows;
        int lastAge;
    };
    const Case cases[] = {
        {{35, 65, 0}, 31, 65},                       // payoff at the end of the term
        {{35, 65, 45}, 11, 45},                      // sold at 45
        {{35, 35, 0}, 2, 36},                        // payoff age equal to the start age
        {{35, 50, 60}, 16, 50},                      // payoff before the sale
        {{35, 120, 0}, 31, 65},                      // payoff after the term: the term ends it
        {{35, 0, 0}, 31, 65},                        // no payoff age, no sale
        {{1, 0, 0, 100000, 0, 5, 100, 1}, 101, 101}, // a 100-year term
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Describe(c.mortgage));
        MortgageRecord record = RecordOf(c.mortgage);
        const auto rows = ComputeSchedule(record);
        ASSERT_EQ(rows.size(), c.rows);
        EXPECT_EQ(rows.front().age, static_cast<int>(c.mortgage.start));
        EXPECT_EQ(rows.back().age, c.lastAge);
    }
}

TEST(Schedule, IsEmptyForAMortgageItCannotShow)
{
    struct Case
    {
        Mortgage mortgage;
        const char* why;
    };
    const Case cases[] = {
        {{35, 65, 0, 200000, 40000, 150}, "rate above 100 (the mortgage form allows it)"},
        {{35, 30}, "payoff age below the start age"},
        {{35, 65, 34}, "sell age below the start age"},
        {{0, 65}, "start age 0"},
        {{121, 0}, "start age above 120"},
        {{35, 65, 0, 200000, 200000}, "down payment as large as the amount"},
        {{35, 65, 0, 200000, 250000}, "down payment above the amount"},
        {{35, 65, 0, 200000, 40000, -1}, "negative rate"},
        {{35, 65, 0, 200000, 40000, 0}, "rate 0: no annuity payment"},
        {{35, 65, 0, 200000, 40000, 100, 100}, "the payment's power overflows"},
        {{35, 65, 0, 200000, 40000, 6.5F, 0}, "no years"},
        {{35, 65, 0, 200000, 40000, 6.5F, 101}, "more than 100 years"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        MortgageRecord record = RecordOf(c.mortgage);
        record.totalPrincipal = 1;
        record.totalInterest = 2;
        record.monthsScheduled = 3;
        EXPECT_TRUE(ComputeSchedule(record).empty());
        // A refused record is left as it was.
        EXPECT_EQ(record.totalPrincipal, 1.0F);
        EXPECT_EQ(record.totalInterest, 2.0F);
        EXPECT_EQ(record.monthsScheduled, 3);
    }
}

TEST(Schedule, GivesTheRowsOfEveryYearAmortizedFromMonthZero)
{
    const Mortgage mortgages[] = {
        {},
        {35, 65, 45},
        {1, 0, 0, 500000, 50000, 6.5F, 100, 3},
        {20, 0, 0, 3e7F, 0, 19.75F, 40, -2},
        {60, 61, 0, 1000, 999, 1, 1, 0},
    };
    for (const Mortgage& m : mortgages) {
        SCOPED_TRACE(Describe(m));
        MortgageRecord record = RecordOf(m);
        const auto rows = ComputeSchedule(record);
        MortgageRecord reference = RecordOf(m);
        std::vector<ScheduleRow> expected;
        testing::ReferenceSchedule(reference,
                                   [&](const ScheduleRow& row) { expected.push_back(row); });
        ASSERT_EQ(rows.size(), expected.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const ScheduleRow& a = rows[i];
            const ScheduleRow& b = expected[i];
            EXPECT_TRUE(a.age == b.age && a.principal == b.principal && a.interest == b.interest &&
                        a.totalPrincipal == b.totalPrincipal &&
                        a.totalInterest == b.totalInterest && a.totalPayment == b.totalPayment &&
                        a.equity == b.equity && a.inflatedEquity == b.inflatedEquity &&
                        a.propertyValue == b.propertyValue && a.liability == b.liability)
                << "row " << i;
        }
        EXPECT_EQ(record.totalPrincipal, reference.totalPrincipal);
        EXPECT_EQ(record.totalInterest, reference.totalInterest);
        EXPECT_EQ(record.monthsScheduled, reference.monthsScheduled);
    }
}

TEST(Schedule, GivesTheSameRowsEveryTime)
{
    MortgageRecord record = RecordOf({40, 70, 0, 180000, 30000, 5.5F, 30, 4});
    const auto first = ComputeSchedule(record);
    const auto second = ComputeSchedule(record);
    EXPECT_EQ(ScheduleFileText(first), ScheduleFileText(second));
}

TEST(Schedule, StopsAtTheRowWhoseHandlerRefuses)
{
    MortgageRecord record = RecordOf({});
    int handed = 0;
    const int rows = RunSchedule(record, [&handed](const ScheduleRow&) { return ++handed < 5; });
    EXPECT_EQ(handed, 5);
    EXPECT_EQ(rows, 4);
}

TEST(Schedule, StopsBeforeThePropertyValueLeavesTheFloatRange)
{
    // 200000 × 11^31 is about 3.8e37 and × 11^32 about 4.2e38, past the largest float
    // (3.4e38): 31 appreciated years. With −1000 % the value is multiplied by −9 each year:
    // 200000 × 9^34 is about 5.6e37, × 9^35 about 5.0e38: 34 years.
    struct Case
    {
        Percent appreciation;
        std::size_t rows;
    };
    for (const Case c : {Case{1000, 32}, Case{-1000, 35}}) {
        SCOPED_TRACE(Format("appreciation %g %%", c.appreciation));
        MortgageRecord record = RecordOf({20, 0, 0, 200000, 0, 5, 100, c.appreciation});
        const auto rows = ComputeSchedule(record);
        EXPECT_EQ(rows.size(), c.rows);
        for (const ScheduleRow& row : rows) {
            EXPECT_TRUE(std::isfinite(row.propertyValue)) << "age " << row.age;
            EXPECT_TRUE(std::isfinite(row.inflatedEquity)) << "age " << row.age;
        }
    }
}

} // namespace
} // namespace tw
