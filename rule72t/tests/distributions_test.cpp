// The three methods, the rate cap, the end of the series, the projection and the checks.

#include "rule72t/distributions.h"
#include "rule72t/inputcheck.h"

#include <gtest/gtest.h>

namespace tw::rule72t {
namespace {

// The IRS worked example: $400,000, age 50 in the first distribution year, single life, 4 %.
InputTexts WorkedExample()
{
    InputTexts texts;
    texts.balance = "400000";
    texts.born = "1975-03";
    texts.start = "2025-01";
    texts.table = "single";
    texts.rate = "4";
    return texts;
}

DistributionInput Read(const InputTexts& texts)
{
    const auto read = ReadInput(texts);
    if (const auto* problem = std::get_if<Problem>(&read))
        ADD_FAILURE() << problem->message;
    return std::holds_alternative<DistributionInput>(read) ? std::get<DistributionInput>(read)
                                                           : DistributionInput{};
}

TEST(ComputeDistributions, GivesTheWorkedExampleToTheCent)
{
    const DistributionResult result = ComputeDistributions(Read(WorkedExample()));
    EXPECT_EQ(result.age, 50);
    const struct
    {
        double factor;
        double tolerance; // the factor as published: one or four decimals
        Money annual;
    } expected[] = {{36.2, 1e-12, 11049.72}, {18.9559, 5e-5, 21101.63}, {18.1568, 5e-5, 22030.33}};
    for (std::size_t m = 0; m < kMethods.size(); ++m) {
        SCOPED_TRACE(MethodName(kMethods[m]));
        EXPECT_NEAR(result.methods[m].factor, expected[m].factor, expected[m].tolerance);
        EXPECT_DOUBLE_EQ(result.methods[m].annual, expected[m].annual);
        EXPECT_DOUBLE_EQ(result.methods[m].perPayment, expected[m].annual);
    }
}

TEST(ComputeDistributions, DividesTheAnnualAmountAmongThePayments)
{
    InputTexts texts = WorkedExample();
    texts.paymentsPerYear = "12";
    const DistributionResult monthly = ComputeDistributions(Read(texts));
    EXPECT_DOUBLE_EQ(monthly.methods[0].perPayment, 920.81);  // 11,049.72 / 12 = 920.81
    EXPECT_DOUBLE_EQ(monthly.methods[1].perPayment, 1758.47); // 21,101.63 / 12 = 1,758.469…
    texts.paymentsPerYear = "4";
    EXPECT_DOUBLE_EQ(ComputeDistributions(Read(texts)).methods[2].perPayment, 5507.58);
}

TEST(RateCap, IsFivePercentOrOneHundredTwentyPercentOfTheHigherMidTermRate)
{
    EXPECT_DOUBLE_EQ(RateCap({}), 5.0);
    EXPECT_DOUBLE_EQ(RateCap({4.1, 3.9}), 5.0); // 120 % of 4.1 is 4.92
    EXPECT_DOUBLE_EQ(RateCap({3.0, 4.5}), 5.4);
    EXPECT_DOUBLE_EQ(RateCap({4.5, 3.0}), 5.4);
}

TEST(ReadInput, AcceptsARateAtTheCapAndRefusesAHundredthOfAPercentMore)
{
    struct Case
    {
        std::vector<std::string> midTerm;
        const char* rate;
        bool accepted;
    };
    const Case cases[] = {
        {{}, "5", true},
        {{}, "5.01", false},
        {{"4.1", "3.9"}, "5", true},
        {{"4.1", "3.9"}, "5.01", false},
        {{"3.0", "4.5"}, "5.4", true},
        {{"4.5", ""}, "5.41", false},
        {{"3.55", "3.61"}, "5", true},
        {{"4.55", "4.61"}, "5.532", true},
        {{"4.55", "4.61"}, "5.542", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("rate ") + c.rate + ", mid-term rates " +
                     std::to_string(c.midTerm.size()));
        InputTexts texts = WorkedExample();
        texts.rate = c.rate;
        texts.midTerm = c.midTerm;
        const auto read = ReadInput(texts);
        EXPECT_EQ(std::holds_alternative<DistributionInput>(read), c.accepted);
        if (const auto* problem = std::get_if<Problem>(&read)) {
            EXPECT_EQ(problem->field, Field::Rate);
            EXPECT_NE(problem->message.find("at most"), std::string::npos) << problem->message;
            EXPECT_NE(problem->message.find("120 %"), std::string::npos) << problem->message;
        }
    }
}

TEST(EarliestChange, IsTheLaterOfFiveYearsAndFiftyNineAndAHalfForBirthsInEveryMonth)
{
    for (int month = 1; month <= 12; ++month) {
        SCOPED_TRACE(month);
        // Age 59½ decides: it comes six months after the 59th birthday's month.
        const Month halfYear = month <= 6 ? Month{2034, month + 6} : Month{2035, month - 6};
        EXPECT_EQ(EarliestChange({1975, month}, {2025, 1}), halfYear);
        // Five years after the first payment decides.
        EXPECT_EQ(EarliestChange({1960, month}, {2022, month}), (Month{2027, month}));

        InputTexts texts = WorkedExample();
        texts.born = "1975-" + std::string(month < 10 ? "0" : "") + std::to_string(month);
        const DistributionResult result = ComputeDistributions(Read(texts));
        // The projection's last year holds the month the series may be changed.
        ASSERT_FALSE(result.projection.empty());
        const Month last = result.projection.back().from;
        EXPECT_LE(last, halfYear);
        EXPECT_GE(Month::FromCount(last.count() + 12), halfYear);
        EXPECT_EQ(result.projection.front().from, (Month{2025, 1}));
        EXPECT_EQ(result.projection.back().age,
                  50 + static_cast<int>(result.projection.size()) - 1);
    }
}

TEST(ComputeDistributions, RecomputesTheMinimumDistributionFromTheBalanceAndNextAge)
{
    InputTexts texts = WorkedExample();
    texts.growth = "6";
    const DistributionResult result = ComputeDistributions(Read(texts));
    ASSERT_GE(result.projection.size(), 2u);
    const ProjectedPayment first = result.projection[0].methods[0];
    EXPECT_DOUBLE_EQ(first.payment, 11049.72);
    EXPECT_DOUBLE_EQ(first.balance, 424000.0 - 11049.72);
    // Age 51: 35.3 years in the Single Life Table.
    EXPECT_DOUBLE_EQ(result.projection[1].methods[0].payment, ToCents(first.balance / 35.3));
    // The fixed amounts stay.
    for (const ProjectionYear& year : result.projection) {
        EXPECT_DOUBLE_EQ(year.methods[1].payment, 21101.63);
        EXPECT_DOUBLE_EQ(year.methods[2].payment, 22030.33);
    }
}

TEST(ComputeDistributions, ShowsABalanceThatRunsOutAsSuchNeverBelowZero)
{
    InputTexts texts = WorkedExample();
    texts.born = "1985-01"; // age 40: twenty years to 59½
    texts.rate = "5";
    texts.growth = "-20";
    const DistributionResult result = ComputeDistributions(Read(texts));
    int runOutYear = 0;
    Money before = 400000;
    for (const ProjectionYear& year : result.projection) {
        SCOPED_TRACE(year.number);
        const ProjectedPayment& fixed = year.methods[1];
        EXPECT_GE(fixed.payment, 0);
        EXPECT_GE(fixed.balance, 0);
        if (fixed.runOut && runOutYear == 0) {
            runOutYear = year.number;
            // The year pays what the account held, less than the fixed amount.
            EXPECT_NEAR(fixed.payment, before * 0.8, 0.006);
            EXPECT_LT(fixed.payment, result.methods[1].annual);
        } else if (runOutYear != 0) {
            EXPECT_TRUE(fixed.runOut);
            EXPECT_EQ(fixed.payment, 0);
        }
        EXPECT_EQ(fixed.balance == 0, fixed.runOut);
        // The minimum distribution divides what is there, so it never runs out.
        EXPECT_FALSE(year.methods[0].runOut);
        before = fixed.balance;
    }
    EXPECT_GT(runOutYear, 1);
    EXPECT_LT(runOutYear, static_cast<int>(result.projection.size()));
}

TEST(ReadInput, RefusesTheFirstFieldOutsideItsRuleInTheFormsOrder)
{
    struct Case
    {
        const char* what;
        void (*change)(InputTexts&);
        Field field; // the field refused; Rate with an empty text: accepted
        const char* says;
    };
    const Case cases[] = {
        {"no balance", [](InputTexts& t) { t.balance = ""; }, Field::Balance, "above 0"},
        {"balance 0", [](InputTexts& t) { t.balance = "0"; }, Field::Balance, "above 0"},
        {"a billion and a cent", [](InputTexts& t) { t.balance = "1000000000.01"; }, Field::Balance,
         "1,000,000,000"},
        {"comma", [](InputTexts& t) { t.balance = "400,000"; }, Field::Balance, "number"},
        {"balance and rate wrong", [](InputTexts& t) { t.balance = "-1", t.rate = "x"; },
         Field::Balance, "above 0"},
        {"month 13", [](InputTexts& t) { t.born = "1975-13"; }, Field::Born, "YYYY-MM"},
        {"start before birth", [](InputTexts& t) { t.start = "1975-02"; }, Field::Start, "before"},
        {"uniform at 9", [](InputTexts& t) { t.born = "2016-01", t.table = "uniform"; },
         Field::Table, "age 10"},
        {"no table", [](InputTexts& t) { t.table = "both"; }, Field::Table, "uniform"},
        {"joint alone", [](InputTexts& t) { t.table = "joint"; }, Field::BeneficiaryBorn,
         "beneficiary"},
        {"beneficiary unborn",
         [](InputTexts& t) { t.table = "joint", t.beneficiaryBorn = "2025-02"; },
         Field::BeneficiaryBorn, "born by"},
        {"beneficiary, single", [](InputTexts& t) { t.beneficiaryBorn = "1980-01"; },
         Field::BeneficiaryBorn, "Joint"},
        {"rate 0", [](InputTexts& t) { t.rate = "0"; }, Field::Rate, "above 0"},
        {"mid-term text",
         [](InputTexts& t) {
             t.midTerm = {"a", "3"};
         },
         Field::MidTerm, "from 0 to 25"},
        {"three mid-term",
         [](InputTexts& t) {
             t.midTerm = {"1", "2", "3"};
         },
         Field::MidTerm, "two"},
        {"two a year", [](InputTexts& t) { t.paymentsPerYear = "2"; }, Field::PaymentsPerYear,
         "1, 4 or 12"},
        {"growth 51", [](InputTexts& t) { t.growth = "51"; }, Field::Growth, "-50 to 50"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        InputTexts texts = WorkedExample();
        c.change(texts);
        const auto read = ReadInput(texts);
        const auto* problem = std::get_if<Problem>(&read);
        ASSERT_NE(problem, nullptr);
        EXPECT_EQ(problem->field, c.field);
        EXPECT_NE(problem->message.find(c.says), std::string::npos) << problem->message;
    }
}

TEST(ReadInput, ComputesAFirstDistributionAtFiftyNineAndAHalfAndSaysSo)
{
    InputTexts texts = WorkedExample();
    texts.born = "1965-01";
    texts.start = "2024-06"; // 713 months
    EXPECT_FALSE(ComputeDistributions(Read(texts)).taxFree);
    texts.start = "2024-07"; // 714 months: 59½
    const DistributionResult result = ComputeDistributions(Read(texts));
    EXPECT_TRUE(result.taxFree);
    EXPECT_EQ(result.mayChange, (Month{2029, 7}));
    EXPECT_EQ(result.projection.size(), 5u);
}

} // namespace
} // namespace tw::rule72t
