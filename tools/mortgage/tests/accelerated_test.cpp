#include "tools/mortgage/accelerated.h"

#include "finance/format.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

AcceleratedInput Documented()
{
    // 160000 over 30 years with 30 left at 6.5 %, 100 more a month, invested at 5 %.
    AcceleratedInput input;
    input.amount = 160000;
    input.years = 30;
    input.yearsLeft = 30;
    input.rate = 6.5F;
    input.extra = 100;
    input.investmentRate = 5;
    return input;
}

TEST(AcceleratedPayment, GivesTheDocumentedFigures)
{
    const AcceleratedResult result = AnalyzeAcceleratedPayment(Documented());
    const AcceleratedTexts texts = FormatAcceleratedResult(result);
    EXPECT_EQ(texts.payment, "$1,011.31");
    EXPECT_EQ(texts.acceleratedPayment, "$1,111.31");
    EXPECT_EQ(texts.paymentYears, "23.42 ");
    // The shown sums are printed from their extended value: $311,356.12 if rounded to float.
    EXPECT_EQ(texts.acceleratedTotalPayments, "$311,356.11");
    EXPECT_NEAR(result.totalInterest, 204070, 1);
    EXPECT_NEAR(result.acceleratedInterest, 151356, 1);
    EXPECT_EQ(texts.investmentYears, " 23");
    // 1200 × (1.05^24 − 1) / 0.05 = 53402.4 with exact arithmetic.
    EXPECT_NEAR(result.investmentWorth, 53402.4, 1);
}

TEST(AcceleratedPayment, StartsTheExtraPaymentsAfterTheMonthsAlreadyPaid)
{
    AcceleratedInput input = Documented();
    input.yearsLeft = 20;
    input.taxRate = 28;
    input.inflationRate = 3;
    const AcceleratedResult result = AnalyzeAcceleratedPayment(input);
    EXPECT_EQ(FormatAcceleratedResult(result).paymentYears, "26.75 ");
    EXPECT_EQ(result.investmentYears, 26);
}

TEST(AcceleratedPayment, SavesNothingWithoutAnAdditionalPayment)
{
    AcceleratedInput input = Documented();
    input.extra = 0;
    const AcceleratedResult result = AnalyzeAcceleratedPayment(input);
    const AcceleratedTexts texts = FormatAcceleratedResult(result);
    EXPECT_EQ(texts.savings, "$0.00");
    EXPECT_EQ(texts.investmentWorth, "$0.00");
    EXPECT_EQ(result.investmentYears, 30);
    EXPECT_EQ(texts.acceleratedPayment, texts.payment);
}

TEST(AcceleratedPayment, TakesTheFullTermOrOneMonthMoreWithoutAdditionalPayment)
{
    for (int years : {5, 10, 15, 20, 25, 30, 40, 50}) {
        for (float rate : {0.5F, 3.0F, 6.5F, 8.0F, 12.25F, 49.0F}) {
            AcceleratedInput input = Documented();
            input.years = years;
            input.yearsLeft = years;
            input.rate = rate;
            input.extra = 0;
            const AcceleratedResult result = AnalyzeAcceleratedPayment(input);
            SCOPED_TRACE(Format("%d years at %g %%: %d months", years, rate, result.payoffMonth));
            EXPECT_GE(result.payoffMonth, years * 12);
            EXPECT_LE(result.payoffMonth, years * 12 + 1);
            EXPECT_EQ(result.totalInterest, result.acceleratedInterest);
        }
    }
}

TEST(AcceleratedPayment, PaysOffSoonerAndSavesWithAnAdditionalPayment)
{
    for (float extra : {1.0F, 50.0F, 100.0F, 500.0F, 5000.0F}) {
        AcceleratedInput input = Documented();
        input.extra = extra;
        const AcceleratedResult result = AnalyzeAcceleratedPayment(input);
        SCOPED_TRACE(Format("extra %g: %d months", extra, result.payoffMonth));
        EXPECT_LT(result.payoffMonth, 360);
        EXPECT_GT(result.savings, 0.0);
        EXPECT_LT(result.acceleratedInterest, result.totalInterest);
    }
}

TEST(AcceleratedPayment, InvestsOneYearOfExtraPaymentsMorePerYearWithoutGrowth)
{
    // With no return, tax or inflation, B = 12 x (years + 1), exactly.
    AcceleratedInput input = Documented();
    input.investmentRate = 0;
    const AcceleratedResult result = AnalyzeAcceleratedPayment(input);
    EXPECT_EQ(result.investmentYears, 23);
    EXPECT_EQ(result.investmentWorth, 1200.0F * 24);
}

TEST(AcceleratedPayment, LosesTheInflationRateOfTheInvestmentEachYear)
{
    // One year: B = 1200, g = 0.10 × 1200 = 120, B − 0.5 × 120 = 1140, B − 0.1 × 1140 = 1026,
    // 1026 + 120 + 1200 = 2346.
    AcceleratedInput input;
    input.amount = 100000;
    input.years = 1;
    input.yearsLeft = 1;
    input.rate = 8;
    input.extra = 100;
    input.investmentRate = 10;
    input.taxRate = 50;
    input.inflationRate = 10;
    const AcceleratedResult result = AnalyzeAcceleratedPayment(input);
    ASSERT_EQ(result.investmentYears, 1);
    EXPECT_NEAR(result.investmentWorth, 2346.0, 0.01);
}

} // namespace
} // namespace tw
