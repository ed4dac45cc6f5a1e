#include "tools/refinance/refinance.h"

#include "finance/format.h"
#include "finance/loan.h"
#include "finance/money.h"
#include "tools/refinance/tests/referencemonths.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

namespace tw {
namespace {

// The documented worked case: 200000 at 8 % for 30 years from age 40, refinanced at 45 into
// 6 % for 30 years with closing costs 3000 and one point; tax 15 %, savings 5 %.
RefinanceInput WorkedCase()
{
    RefinanceInput input;
    input.startAge = 40;
    input.existingAmount = 200000;
    input.existingRate = 8;
    input.existingYears = 30;
    input.refinanceAge = 45;
    input.refinancedAmount = 0;
    input.cashOut = 0;
    input.refinancedRate = 6;
    input.refinancedYears = 30;
    input.closingCosts = 3000;
    input.points = 1;
    input.taxRate = 15;
    input.savingsRate = 5;
    return input;
}

double Number(const std::string& text)
{
    std::string plain;
    for (char c : text) {
        if (c != '$' && c != ',')
            plain += c;
    }
    return std::strtod(plain.c_str(), nullptr);
}

// The balance at the start of the year of refinancing, by the reference amortization: the
// principal of the months before it, summed as the loan repays it.
Money BalanceBefore(const RefinanceInput& in, int months)
{
    const AmortizeResult repaid = AmortizeRange(in.existingAmount, MonthlyRate(in.existingRate),
                                                in.existingYears * 12, 0, months - 1);
    return StoreFloat(Extended{in.existingAmount} - repaid.principal + in.cashOut);
}

TEST(RunRefinanceAnalysis, WorkedCaseBreaksEvenInTheSecondYearOverSixtyTwoRows)
{
    const RefinanceInput in = WorkedCase();
    const RefinanceOutcome out = RunRefinanceAnalysis(in, RefinanceMode::Table);
    ASSERT_FALSE(out.refusal);

    const Money amount = BalanceBefore(in, 60);
    ASSERT_TRUE(out.amountText);
    EXPECT_EQ(*out.amountText, Format("%-12.2f", amount));
    EXPECT_EQ(out.refinancedAmount, FormatMoney(Format("%-12.2f", amount)));
    // 200000 at 8 % over 30 years: the textbook payment.
    EXPECT_EQ(out.existingPayment, "$1,467.53");
    const Money refinancedPayment = MonthlyPayment(amount, MonthlyRate(6), 360);
    EXPECT_EQ(out.refinancedPayment, FormatMoney(Format("%-12.2f", refinancedPayment)));
    const Money costs = StoreFloat(Extended{1} * 0.01 * amount + 3000);
    EXPECT_EQ(out.totalCosts, FormatMoney(Format("%-12.2f", costs)));

    EXPECT_EQ(out.rows.size(), 62U); // two at age 45, then two a year to age 75
    EXPECT_TRUE(out.brokeEven);
    EXPECT_GE(out.breakEvenMonths, 12);
    EXPECT_LT(out.breakEvenMonths, 24);
    EXPECT_EQ(out.breakEven, Format("%-3d", out.breakEvenMonths));

    EXPECT_EQ(out.rows[0][0], " 45 O");
    EXPECT_EQ(out.rows[1][0], " 45 R");
    EXPECT_EQ(out.rows[60][0], " 75 O");
    EXPECT_EQ(out.rows[61][0], " 75 R");
    // The existing future starts with what the refinancing would have cost.
    EXPECT_EQ(out.rows[0][1], Format("%16.2f", costs));
    EXPECT_EQ(out.rows[0][2], Format("%16.2f", costs));
    EXPECT_EQ(out.rows[0][4], "0.00");
    EXPECT_EQ(out.rows[1][1], Format("%16.2f", 0.0));
}

TEST(RunRefinanceAnalysis, RowsHoldTheirInvariants)
{
    const RefinanceInput in = WorkedCase();
    const RefinanceOutcome out = RunRefinanceAnalysis(in, RefinanceMode::Table);
    ASSERT_FALSE(out.refusal);
    double existingEquity = 0;
    for (std::size_t r = 2; r < out.rows.size(); ++r) {
        const RefinanceRow& row = out.rows[r];
        SCOPED_TRACE(row[0]);
        // Net worth is savings plus equity, to the printed cent.
        EXPECT_NEAR(Number(row[1]), Number(row[2]) + Number(row[3]), 0.011);
        // The tax columns are the year's interest and savings interest at 15 %.
        EXPECT_NEAR(Number(row[7]), Number(row[6]) * 0.15, 0.011);
        EXPECT_NEAR(Number(row[9]), Number(row[8]) * 0.15, 0.011);
        if (r % 2 == 0) {
            existingEquity += Number(row[5]);
            EXPECT_NEAR(Number(row[3]), existingEquity, 0.16) << "30 years of printed cents";
            EXPECT_EQ(row[4], Format("%16.2f", 0.0)) << "the existing payment is the budget";
        } else {
            EXPECT_EQ(row[4], out.rows[3][4]) << "the same difference every year";
        }
    }
    // The existing mortgage ends at 70: no interest after it, its equity is the whole loan.
    EXPECT_EQ(out.rows[52][6], Format("%16.2f", 0.0));
    EXPECT_NEAR(Number(out.rows[60][3]), Number(*out.amountText), 0.05);
}

TEST(RunRefinanceAnalysis, PrintAndGraphTextsFollowTheMode)
{
    const RefinanceInput in = WorkedCase();
    const RefinanceOutcome form = RunRefinanceAnalysis(in, RefinanceMode::Form);
    EXPECT_TRUE(form.rows.empty());
    EXPECT_TRUE(form.printRows.empty());
    EXPECT_TRUE(form.graphText.empty());
    EXPECT_EQ(form.printHeader, kRefinancePrintHeader);

    const RefinanceOutcome table = RunRefinanceAnalysis(in, RefinanceMode::Table);
    std::string expected;
    for (const RefinanceRow& row : table.rows) {
        for (std::size_t i = 0; i < row.size(); ++i)
            expected += (i == 0 ? "" : "\t") + row[i];
        expected += '\n';
    }
    EXPECT_EQ(table.printRows, expected);
    EXPECT_EQ(table.breakEven, form.breakEven);

    const RefinanceOutcome graph = RunRefinanceAnalysis(in, RefinanceMode::Graph);
    const std::string& text = graph.graphText;
    EXPECT_EQ(text.rfind("1\nDummy\nDummy\nDummy\n360.000000\n2\nExisting Mortgage\n"
                         "Refinanced Mortgage\n0.0\n0.0\n0.000000 ",
                         0),
              0U);
    EXPECT_EQ(text.substr(text.size() - 10), "Done\nDone\n");
    // One point before the first month and one every fourth month: 1 + 3 × 30.
    std::size_t points = 0;
    for (std::size_t at = text.find("0.0\n0.0\n"); at != std::string::npos;
         at = text.find("0.0\n0.0\n", at + 1))
        ++points;
    EXPECT_EQ(points, 91U);
    EXPECT_NE(text.find("\n0.0\n0.0\n360.000000 "), std::string::npos);
}

TEST(RunRefinanceAnalysis, EdgesOfTheTwoFutures)
{
    struct Case
    {
        const char* name;
        void (*change)(RefinanceInput&);
        void (*check)(const RefinanceOutcome&);
    };
    const Case cases[] = {
        {"refinancing at the start age takes the whole amount plus the cash out",
         [](RefinanceInput& in) {
             in.refinanceAge = 40;
             in.cashOut = 1234.5F;
         },
         [](const RefinanceOutcome& out) {
             EXPECT_EQ(*out.amountText, Format("%-12.2f", 201234.5));
             EXPECT_EQ(out.rows[0][0], " 40 O");
             EXPECT_EQ(out.rows.size(), 62U);
         }},
        {"refinancing after the existing term leaves the typed amount and no existing interest",
         [](RefinanceInput& in) { in.refinanceAge = 70; },
         [](const RefinanceOutcome& out) {
             EXPECT_EQ(*out.amountText, "0.00        ");
             for (std::size_t r = 2; r < out.rows.size(); r += 2) {
                 EXPECT_EQ(out.rows[r][6], Format("%16.2f", 0.0));
                 EXPECT_EQ(out.rows[r][7], Format("%16.2f", 0.0));
             }
         }},
        {"equal payments show no payment difference",
         [](RefinanceInput& in) {
             in.refinanceAge = 40;
             in.refinancedRate = 8;
             in.closingCosts = 0;
             in.points = 0;
         },
         [](const RefinanceOutcome& out) {
             EXPECT_EQ(out.existingPayment, out.refinancedPayment.substr(0, 9));
             for (std::size_t r = 2; r < out.rows.size(); ++r)
                 EXPECT_EQ(out.rows[r][4], Format("%16.2f", 0.0));
             EXPECT_TRUE(out.brokeEven) << "a tie counts";
             EXPECT_EQ(out.breakEvenMonths, 0);
         }},
        {"a lower rate without costs is ahead in the first month",
         [](RefinanceInput& in) {
             in.closingCosts = 0;
             in.points = 0;
         },
         [](const RefinanceOutcome& out) {
             EXPECT_EQ(out.breakEvenMonths, 0);
             EXPECT_EQ(out.breakEven, "0  ");
         }},
        {"never breaking even shows the months analysed",
         [](RefinanceInput& in) {
             in.refinanceAge = 40;
             in.refinancedRate = 9;
         },
         [](const RefinanceOutcome& out) {
             EXPECT_FALSE(out.brokeEven);
             EXPECT_EQ(out.breakEven, "360");
         }},
        {"cash out as savings starts the refinanced future with it and no net worth",
         [](RefinanceInput& in) {
             in.cashOut = 10000;
             in.cashOutAsSavings = true;
         },
         [](const RefinanceOutcome& out) {
             EXPECT_EQ(out.rows[1][1], Format("%16.2f", 0.0));
             EXPECT_EQ(out.rows[1][2], Format("%16.2f", 10000.0));
         }},
        {"cash out without the check box only raises the amount",
         [](RefinanceInput& in) { in.cashOut = 10000; },
         [](const RefinanceOutcome& out) { EXPECT_EQ(out.rows[1][2], Format("%16.2f", 0.0)); }},
        {"a longer new term carries the analysis past the existing one",
         [](RefinanceInput& in) {
             in.refinanceAge = 60;
             in.refinancedYears = 50;
         },
         [](const RefinanceOutcome& out) {
             EXPECT_EQ(out.rows.size(), 2U + 2 * 50);
             EXPECT_EQ(out.rows.back()[0], "110 R");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RefinanceInput in = WorkedCase();
        c.change(in);
        const RefinanceOutcome out = RunRefinanceAnalysis(in, RefinanceMode::Table);
        ASSERT_FALSE(out.refusal) << out.refusal->text;
        c.check(out);
    }
}

TEST(RunRefinanceAnalysis, InclusionsRaiseTheAmountInOrder)
{
    RefinanceInput in = WorkedCase();
    in.refinancedAmount = 150000;
    in.includeCosts = true;
    in.includePoints = true;
    const RefinanceOutcome out = RunRefinanceAnalysis(in, RefinanceMode::Form);
    ASSERT_FALSE(out.refusal);
    EXPECT_FALSE(out.amountText) << "a typed amount is not recomputed";
    // (AmtR + CC) × (1 + PT/100), each step stored; the points are on the final amount.
    const Money withCosts = StoreFloat(Extended{3000} + 150000);
    const Money withPoints = StoreFloat(Extended{1} * 0.01 * withCosts + withCosts);
    EXPECT_EQ(out.refinancedAmount, FormatMoney(Format("%-12.2f", withPoints)));
    const Money costs = StoreFloat(Extended{1} * 0.01 * withPoints + 3000);
    EXPECT_EQ(out.totalCosts, FormatMoney(Format("%-12.2f", costs)));
}

TEST(RunRefinanceAnalysis, ChecksRefuseInOrderWithTheirTexts)
{
    struct Case
    {
        const char* name;
        void (*change)(RefinanceInput&);
        const char* title; // nullptr: accepted
        std::string text;
        RefinanceIcon icon;
    };
    const std::string age = "This age must be between 1.0 and 120.0.";
    const std::string amount = "This amount must be greater than 0.00 and less than 99999999.00.";
    const std::string rate = "Loan/Mortgage rates must be greater than 0.0 and less than 1000.0.";
    const std::string tax = "The Tax Rate must be between 1.00   % and 100.00 %.";
    const std::string savings = "The Savings Rate must be between -200.00% and 200.00 %.";
    const auto E = RefinanceIcon::Error;
    const auto W = RefinanceIcon::Warning;
    const Case cases[] = {
        {"start age 0", [](RefinanceInput& in) { in.startAge = 0; }, "AGE ERROR", age, E},
        {"start age 121 before a bad amount",
         [](RefinanceInput& in) {
             in.startAge = 121;
             in.existingAmount = 0;
         },
         "AGE ERROR", age, E},
        {"amount 0.99", [](RefinanceInput& in) { in.existingAmount = 0.99F; }, "AMOUNT ERROR",
         amount, E},
        {"amount 1e8 accepted", [](RefinanceInput& in) { in.existingAmount = 1e8F; }, nullptr, "",
         E},
        {"rate 1000 accepted", [](RefinanceInput& in) { in.existingRate = 1000; }, nullptr, "", E},
        {"rate 1000.01", [](RefinanceInput& in) { in.existingRate = 1000.01F; }, "RATE ERROR", rate,
         E},
        {"years 0", [](RefinanceInput& in) { in.existingYears = 0; }, "Number of Years Error!",
         "The number of years be greater than 0.", W},
        {"years 51", [](RefinanceInput& in) { in.existingYears = 51; }, "Number of Years Error!",
         "The number of years be less than 50.", W},
        {"years 50 accepted", [](RefinanceInput& in) { in.existingYears = 50; }, nullptr, "", E},
        {"age at refinancing 0.9 truncates to 0",
         [](RefinanceInput& in) { in.refinanceAge = 0.9F; }, "AGE ERROR", age, E},
        {"age at refinancing 120.9 truncates to 120",
         [](RefinanceInput& in) {
             in.startAge = 100;
             in.refinanceAge = 120.9F;
         },
         nullptr, "", E},
        {"age at refinancing before the start", [](RefinanceInput& in) { in.refinanceAge = 39.9F; },
         "Age Error!",
         "The age at refinancing must be greater the the age of the orginal mortgage.", W},
        {"new rate 0.5", [](RefinanceInput& in) { in.refinancedRate = 0.5F; }, "RATE ERROR", rate,
         E},
        {"new years 51", [](RefinanceInput& in) { in.refinancedYears = 51; },
         "Number of Years Error!", "The number of years be less than 50.", W},
        {"tax 0", [](RefinanceInput& in) { in.taxRate = 0; }, "RATE ERROR", tax, E},
        {"tax 1 and 100 accepted",
         [](RefinanceInput& in) {
             in.taxRate = 100;
             in.savingsRate = -200;
         },
         nullptr, "", E},
        {"tax 100.01", [](RefinanceInput& in) { in.taxRate = 100.01F; }, "RATE ERROR", tax, E},
        {"savings 200.01", [](RefinanceInput& in) { in.savingsRate = 200.01F; }, "RATE ERROR",
         savings, E},
        {"savings -200.01", [](RefinanceInput& in) { in.savingsRate = -200.01F; }, "RATE ERROR",
         savings, E},
        {"nan tax", [](RefinanceInput& in) { in.taxRate = std::nanf(""); }, "RATE ERROR", tax, E},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RefinanceInput in = WorkedCase();
        c.change(in);
        const RefinanceOutcome out = RunRefinanceAnalysis(in, RefinanceMode::Form);
        if (c.title == nullptr) {
            EXPECT_FALSE(out.refusal) << out.refusal->text;
            continue;
        }
        ASSERT_TRUE(out.refusal);
        EXPECT_EQ(out.refusal->title, c.title);
        EXPECT_EQ(out.refusal->text, c.text);
        EXPECT_EQ(out.refusal->icon, c.icon);
        EXPECT_TRUE(out.existingPayment.empty()) << "nothing computed after a refusal";
    }
}

TEST(RunRefinanceAnalysis, RemembersTheRatesOnlyOnceReachedAndShowsTheAmountBeforeLaterChecks)
{
    RefinanceInput in = WorkedCase();
    in.startAge = 0;
    RefinanceOutcome out = RunRefinanceAnalysis(in, RefinanceMode::Form);
    EXPECT_FALSE(out.taxRateRead);
    EXPECT_FALSE(out.amountText);

    in = WorkedCase();
    in.refinancedYears = 60;
    out = RunRefinanceAnalysis(in, RefinanceMode::Form);
    EXPECT_TRUE(out.amountText) << "the amount is filled in before the new mortgage is checked";
    EXPECT_FALSE(out.taxRateRead);

    in = WorkedCase();
    in.taxRate = 0;
    in.savingsRate = 7;
    out = RunRefinanceAnalysis(in, RefinanceMode::Form);
    EXPECT_EQ(out.taxRateRead, 0.0F) << "a refused tax rate is still remembered";
    EXPECT_FALSE(out.savingsRateRead);

    in.taxRate = 20;
    out = RunRefinanceAnalysis(in, RefinanceMode::Form);
    EXPECT_EQ(out.taxRateRead, 20.0F);
    EXPECT_EQ(out.savingsRateRead, 7.0F);
}

TEST(RunRefinanceAnalysis, RefusesWhatLeavesTheSinglePrecisionRange)
{
    struct Case
    {
        const char* name;
        void (*change)(RefinanceInput&);
    };
    const Case cases[] = {
        {"savings at 200 % for 80 years",
         [](RefinanceInput& in) {
             in.savingsRate = 200;
             in.refinancedYears = 50;
         }},
        {"closing costs beyond the range",
         [](RefinanceInput& in) { in.closingCosts = std::numeric_limits<float>::infinity(); }},
        {"closing costs included twice over the range",
         [](RefinanceInput& in) {
             in.refinancedAmount = 3e38F;
             in.closingCosts = 3e38F;
             in.includeCosts = true;
         }},
        {"cash out beyond the range",
         [](RefinanceInput& in) { in.cashOut = std::numeric_limits<float>::infinity(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RefinanceInput in = WorkedCase();
        c.change(in);
        for (RefinanceMode mode :
             {RefinanceMode::Form, RefinanceMode::Table, RefinanceMode::Graph}) {
            const RefinanceOutcome out = RunRefinanceAnalysis(in, mode);
            ASSERT_TRUE(out.refusal);
            EXPECT_EQ(out.refusal->title, "AMOUNT ERROR");
            EXPECT_TRUE(out.rows.empty());
            EXPECT_TRUE(out.graphText.empty());
        }
    }
}

// No number printed as infinity or NaN ("Refinanced" holds the letters of one).
bool ShowsNoOverflow(std::string text)
{
    for (std::size_t at; (at = text.find("Refinanced")) != std::string::npos;)
        text.erase(at, 10);
    return text.find("inf") == std::string::npos && text.find("nan") == std::string::npos;
}

TEST(RunRefinanceAnalysis, AnyInputGivesFiniteTextsOrARefusal)
{
    std::mt19937 random(20261209);
    const float specials[] = {0.0F,
                              -0.0F,
                              1.0F,
                              -1.0F,
                              1e-30F,
                              3.4e38F,
                              -3.4e38F,
                              std::numeric_limits<float>::infinity(),
                              std::numeric_limits<float>::quiet_NaN(),
                              99999999.0F};
    auto anyFloat = [&](float low, float high) {
        if (random() % 5 == 0)
            return specials[random() % std::size(specials)];
        return std::uniform_real_distribution<float>(low, high)(random);
    };
    auto anyInt = [&](int low, int high) {
        if (random() % 10 == 0)
            return static_cast<int>(random());
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    for (int i = 0; i < 3000; ++i) {
        RefinanceInput in;
        in.startAge = anyInt(0, 121);
        in.existingAmount = anyFloat(0, 1.1e8F);
        in.existingRate = anyFloat(0, 1001);
        in.existingYears = anyInt(0, 51);
        in.refinanceAge = anyFloat(0, 121);
        in.refinancedAmount = anyFloat(-1e6F, 1e8F);
        in.cashOut = anyFloat(-1e6F, 1e8F);
        in.refinancedRate = anyFloat(0, 1001);
        in.refinancedYears = anyInt(0, 51);
        in.closingCosts = anyFloat(-1e5F, 1e6F);
        in.points = anyFloat(-10, 100);
        in.taxRate = anyFloat(0, 101);
        in.savingsRate = anyFloat(-201, 201);
        in.cashOutAsSavings = random() % 2 == 0;
        in.includeCosts = random() % 2 == 0;
        in.includePoints = random() % 2 == 0;
        const auto mode = static_cast<RefinanceMode>(random() % 3);
        const RefinanceOutcome out = RunRefinanceAnalysis(in, mode);
        SCOPED_TRACE(i);
        if (out.amountText) {
            EXPECT_TRUE(ShowsNoOverflow(*out.amountText)) << *out.amountText;
        }
        if (out.refusal)
            continue;
        std::string all = out.existingPayment + out.refinancedPayment + out.totalCosts +
                          out.refinancedAmount + out.breakEven + out.printRows + out.graphText;
        EXPECT_TRUE(ShowsNoOverflow(all)) << all.substr(0, 400);
    }
}

bool SameOutcome(const RefinanceOutcome& a, const RefinanceOutcome& b)
{
    return a.refusal.has_value() == b.refusal.has_value() &&
           (!a.refusal || a.refusal->text == b.refusal->text) && a.amountText == b.amountText &&
           a.existingPayment == b.existingPayment && a.totalCosts == b.totalCosts &&
           a.refinancedPayment == b.refinancedPayment && a.refinancedAmount == b.refinancedAmount &&
           a.breakEven == b.breakEven && a.rows == b.rows && a.printRows == b.printRows &&
           a.graphText == b.graphText;
}

TEST(RunRefinanceAnalysis, GivesWhatTheMonthByMonthReferenceGives)
{
    // Inputs the checks accept, over every mode: the one-pass loans against AmortizeRange
    // walked from month 0 for every month.
    std::mt19937 random(1209);
    auto uniform = [&](float low, float high) {
        return std::uniform_real_distribution<float>(low, high)(random);
    };
    auto whole = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    for (int i = 0; i < 120; ++i) {
        RefinanceInput in;
        in.startAge = whole(1, 90);
        in.existingAmount = std::round(uniform(1, 1e6F) * 100) / 100;
        in.existingRate = whole(0, 3) == 0 ? static_cast<float>(whole(1, 20)) : uniform(1, 30);
        in.existingYears = whole(1, 50);
        in.refinanceAge = static_cast<float>(in.startAge + whole(0, 40)) + uniform(0, 0.99F);
        in.refinancedAmount = whole(0, 3) == 0 ? uniform(1, 1e6F) : 0;
        in.cashOut = whole(0, 1) == 0 ? 0 : uniform(-5000, 50000);
        in.refinancedRate = uniform(1, 25);
        in.refinancedYears = whole(1, 50);
        in.closingCosts = uniform(-1000, 10000);
        in.points = uniform(-1, 5);
        in.taxRate = uniform(1, 100);
        in.savingsRate = uniform(-20, 20);
        in.cashOutAsSavings = whole(0, 1) == 1;
        in.includeCosts = whole(0, 1) == 1;
        in.includePoints = whole(0, 1) == 1;
        const auto mode = static_cast<RefinanceMode>(i % 3);
        SCOPED_TRACE(testing::Message()
                     << "case " << i << " start " << in.startAge << " amount " << in.existingAmount
                     << " rate " << in.existingRate << " years " << in.existingYears << " at "
                     << in.refinanceAge);
        EXPECT_TRUE(SameOutcome(RunRefinanceAnalysis(in, mode),
                                RunRefinanceAnalysis(in, mode, ReferenceMonths::Make)));
    }
}

TEST(RefinanceRules, RefuseJustOutsideTheirLimitsInTheOrderOfTheChecks)
{
    using Field = RefinanceField;
    struct Case
    {
        Field field;
        double low;
        double high;
        const char* title;
        RefinanceIcon icon;
        std::string below;
        std::string above;
    };
    const double inf = std::numeric_limits<double>::infinity();
    const std::string age = "This age must be between 1.0 and 120.0.";
    const std::string amount = "This amount must be greater than 0.00 and less than 99999999.00.";
    const std::string rate = "Loan/Mortgage rates must be greater than 0.0 and less than 1000.0.";
    const std::string few = "The number of years be greater than 0.";
    const std::string many = "The number of years be less than 50.";
    const std::string order =
        "The age at refinancing must be greater the the age of the orginal mortgage.";
    const std::string tax = "The Tax Rate must be between 1.00   % and 100.00 %.";
    const std::string savings = "The Savings Rate must be between -200.00% and 200.00 %.";
    const auto E = RefinanceIcon::Error;
    const auto W = RefinanceIcon::Warning;
    const char* years = "Number of Years Error!";
    const Case cases[] = {
        {Field::StartAge, 1, 120, "AGE ERROR", E, age, age},
        {Field::ExistingAmount, 1, 1e8, "AMOUNT ERROR", E, amount, amount},
        {Field::ExistingRate, 1, 1000, "RATE ERROR", E, rate, rate},
        {Field::ExistingYears, 1, 50, years, W, few, many},
        {Field::RefinanceAge, 1, 120, "AGE ERROR", E, age, age},
        {Field::AgeOrder, 0, inf, "Age Error!", W, order, order},
        {Field::CashOut, 0, 1e8, "AMOUNT ERROR", E, amount, amount},
        {Field::RefinancedRate, 1, 1000, "RATE ERROR", E, rate, rate},
        {Field::RefinancedYears, 1, 50, years, W, few, many},
        {Field::TaxRate, 1, 100, "RATE ERROR", E, tax, tax},
        {Field::SavingsRate, -200, 200, "RATE ERROR", E, savings, savings},
    };
    ASSERT_EQ(RefinanceRules().size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(testing::Message() << "rule " << i << " from " << c.low << " to " << c.high);
        EXPECT_EQ(RefinanceRules()[i].field, c.field);
        EXPECT_FALSE(RefuseOutside(c.field, c.low));
        EXPECT_FALSE(RefuseOutside(c.field, c.high));
        const double outside[] = {std::nextafter(c.low, -inf), std::nextafter(c.high, inf),
                                  std::nan("")};
        const std::string* texts[] = {&c.below, &c.above, &c.below};
        for (std::size_t side = 0; side < 3; ++side) {
            if (std::isinf(outside[side]))
                continue; // no limit above
            const std::optional<RefinanceRefusal> refusal = RefuseOutside(c.field, outside[side]);
            ASSERT_TRUE(refusal) << outside[side];
            EXPECT_EQ(refusal->text, *texts[side]);
            EXPECT_EQ(refusal->title, c.title);
            EXPECT_EQ(refusal->icon, c.icon);
        }
    }
}

TEST(SimulateRefinance, HoldsEachYearsNetWorthAndTheBreakEvenAsNumbers)
{
    struct Case
    {
        const char* name;
        Money cashOut;
        bool saved;
    };
    const Case cases[] = {
        {"the worked case", 0, false},
        {"a cash out kept as savings", 10000, true},
        {"a cash out in the amount only", 10000, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RefinanceInput in = WorkedCase();
        in.cashOut = c.cashOut;
        in.cashOutAsSavings = c.saved;
        const Money amount = BalanceAtRefinancing(in);
        EXPECT_EQ(amount, BalanceBefore(in, 60));
        EXPECT_EQ(amount, BalanceAtRefinancing(in, ReferenceMonths::Make));
        const std::optional<RefinanceSimulation> run = SimulateRefinance(in, amount);
        ASSERT_TRUE(run);
        ASSERT_EQ(run->existing.size(), 31U);
        ASSERT_EQ(run->refinanced.size(), 31U);
        EXPECT_EQ(run->monthsAnalysed, 360);
        for (std::size_t y = 0; y < run->existing.size(); ++y) {
            const RefinanceYear& e = run->existing[y];
            const RefinanceYear& r = run->refinanced[y];
            SCOPED_TRACE(e.age);
            EXPECT_EQ(e.age, 45 + static_cast<int>(y));
            EXPECT_EQ(r.age, e.age);
            // Shown from the extended sum, never stored.
            EXPECT_EQ(e.netWorth, Extended{e.savings} + e.equity);
            const Extended saved = c.saved ? Extended{c.cashOut} : 0;
            EXPECT_EQ(r.netWorth, Extended{r.savings} + r.equity - saved);
        }
        // A point at month 0, then every fourth month; the refinanced future is behind at
        // every point before the month after the break-even.
        ASSERT_TRUE(run->breakEven);
        ASSERT_EQ(run->points.size(), 91U);
        for (std::size_t p = 0; p < run->points.size(); ++p) {
            const RefinancePoint& point = run->points[p];
            EXPECT_EQ(point.month, 4 * static_cast<int>(p));
            if (point.month >= 1 && point.month <= *run->breakEven) {
                EXPECT_GT(point.existing, point.refinanced) << point.month;
            }
        }
    }
}

TEST(RefinancedAmountFor, FollowsTheAgeAndTheCashOut)
{
    const AmountUpdateInput worked{40, 200000, 8, 30, 45, 0};
    const RefinanceOutcome engine = RunRefinanceAnalysis(WorkedCase(), RefinanceMode::Form);
    ASSERT_TRUE(engine.amountText);
    EXPECT_EQ(Format("%-12.2f", *RefinancedAmountFor(worked, true)), *engine.amountText)
        << "the same balance as the analysis fills in";

    struct Case
    {
        const char* name;
        AmountUpdateInput input;
        bool withRepaid;
        double expected;
    };
    const Case cases[] = {
        {"at the start age: the amount plus the cash out",
         {40, 200000, 8, 30, 40, 500},
         true,
         200500},
        {"a cleared age takes nothing off", {40, 200000, 8, 30, 0, 500}, false, 200500},
        {"a negative cash out is added as it is", {40, 200000, 8, 30, 45, -700}, false, 199300},
        {"the opening mortgage (rate 0) repays nothing", {0, 0, 0, 30, 45, 0}, true, 0},
        {"a rate of 0 on a real amount repays nothing", {40, 1000, 0, 30, 45, 10}, true, 1010},
        {"after the term the whole loan is repaid", {40, 100000, 8, 5, 60, 0}, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<Money> amount = RefinancedAmountFor(c.input, c.withRepaid);
        ASSERT_TRUE(amount);
        EXPECT_NEAR(*amount, c.expected, 0.02);
    }
}

TEST(RefinancedAmountFor, NeverShowsWhatLeavesTheRangeAndEndsOnAbsurdTerms)
{
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_FALSE(RefinancedAmountFor({40, 200000, 8, 30, 45, inf}, true));
    EXPECT_FALSE(RefinancedAmountFor({40, 3e38F, 8, 30, 40, 3e38F}, true));
    // Fields read without checks: start ages and terms of billions still give an answer.
    EXPECT_TRUE(RefinancedAmountFor({-2147483647 - 1, 200000, 8, 2147483647, 45, 0}, true));
    EXPECT_TRUE(RefinancedAmountFor({1, 200000, 8, 178956970, 120, 0}, true));
    EXPECT_TRUE(RefinancedAmountFor({40, 200000, 8, 30, std::nanf(""), 0}, true));
}

} // namespace
} // namespace tw
