#include "tools/mortgage/scheduletable.h"

#include "finance/format.h"

#include <gtest/gtest.h>

#include <clocale>

namespace tw {
namespace {

MortgageRecord OneYearFromAge35()
{
    // The documented mortgage (200000, down 40000, 6.5 % for 30 years, appreciation 3 %)
    // paid off at 36: the opening row and the documented age-36 row, whose total payment is
    // the sum of the floats 1788.3857 and 10347.3457.
    MortgageRecord record;
    record.startAge = 35;
    record.payoffAge = 36;
    record.amount = 200000;
    record.downPayment = 40000;
    record.rate = 6.5F;
    record.years = 30;
    record.appreciation = 3;
    return record;
}

const char* const kOneYearFile =
    "Age\tPrincipal\tInterest\tTotal Principal\tTotal Interest\tTotal Payment\tEquity\t"
    "Inflated Equity\tProperty Value\tProperty Liability\t\n"
    " 35\t          0.00\t          0.00\t            0.00\t            0.00\t"
    "            0.00\t        40000.00\t        40000.00\t       200000.00\t"
    "       160000.00\t\n"
    " 36\t       1788.39\t      10347.35\t         1788.39\t        10347.35\t"
    "        12135.73\t        41788.39\t        47788.39\t       206000.00\t"
    "       158211.61\t\n"
    "Dooone";

TEST(ScheduleFile, HoldsHeaderRowsAndEndMarkerByteForByte)
{
    MortgageRecord record = OneYearFromAge35();
    EXPECT_EQ(ScheduleFileText(ComputeSchedule(record)), kOneYearFile);
}

TEST(ScheduleFile, HoldsOnlyHeaderAndEndMarkerWithoutRows)
{
    EXPECT_EQ(ScheduleFileText({}),
              "Age\tPrincipal\tInterest\tTotal Principal\tTotal Interest\tTotal Payment\t"
              "Equity\tInflated Equity\tProperty Value\tProperty Liability\t\nDooone");
}

TEST(ScheduleFile, KeepsItsDecimalPointUnderADecimalCommaLocale)
{
    const char* hostile = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "C.UTF-8"}) {
        if (std::setlocale(LC_ALL, name) != nullptr) {
            hostile = name;
            break;
        }
    }
    if (hostile == nullptr)
        GTEST_SKIP() << "no other locale installed";
    MortgageRecord record = OneYearFromAge35();
    const std::string text = ScheduleFileText(ComputeSchedule(record));
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(text, kOneYearFile) << "locale " << hostile;
}

TEST(ScheduleCells, UseTheListWidths)
{
    MortgageRecord record = OneYearFromAge35();
    const auto rows = ComputeSchedule(record);
    ASSERT_EQ(rows.size(), 2U);
    const auto cells = ScheduleCells(rows[1]);
    ASSERT_EQ(cells.size(), 10U);
    const std::size_t widths[] = {3, 14, 14, 16, 16, 16, 16, 16, 16, 16};
    for (std::size_t i = 0; i < cells.size(); ++i)
        EXPECT_EQ(cells[i].size(), widths[i]) << "column " << i << ": '" << cells[i] << "'";
}

TEST(ScheduleColumnWidths, TruncatesEachShareOfTheListWidth)
{
    struct Case
    {
        int width;
        std::array<int, 10> expected;
    };
    // W × 33/625, 77/625, 77/625, 85/625 six times, 90/625, truncated.
    const Case cases[] = {
        {625, {33, 77, 77, 85, 85, 85, 85, 85, 85, 90}},
        {620, {32, 76, 76, 84, 84, 84, 84, 84, 84, 89}}, // 32.7, 76.4, 84.3, 89.3
        {100, {5, 12, 12, 13, 13, 13, 13, 13, 13, 14}},  // 5.28, 12.3, 13.6, 14.4
        {0, {}},
        {-15, {}},
        {2000000000,
         {105600000, 246400000, 246400000, 272000000, 272000000, 272000000, 272000000, 272000000,
          272000000, 288000000}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Format("W = %d", c.width));
        EXPECT_EQ(ScheduleColumnWidths(c.width), c.expected);
    }
}

TEST(ScheduleWidthsForBuild, RecomputesOnlyWhenTheListGrowsPastItsFirstWidth)
{
    ScheduleColumnsState state;
    struct Step
    {
        int width;
        bool forget; // the window was closed with its close box before this build
        int sizedFor;
    };
    const Step steps[] = {
        {600, false, 600}, // first build after start-up
        {500, false, 600}, // narrower: the widths stay
        {700, false, 700}, // wider than the first width: afresh
        {650, false, 650}, // still wider than the first 600
        {550, false, 650}, // narrower than 600: the last widths stay
        {550, false, 650}, // the next opening after OK
        {500, true, 500},  // after the close box: afresh, and 500 is the new first width
        {550, false, 550},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(Format("W = %d%s", step.width, step.forget ? " after the close box" : ""));
        if (step.forget)
            state.known = false;
        EXPECT_EQ(ScheduleWidthsForBuild(state, step.width), ScheduleColumnWidths(step.sizedFor));
    }
}

} // namespace
} // namespace tw
