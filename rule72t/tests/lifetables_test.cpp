// The compiled-in tables against the published figures and against their rebuild from the
// mortality rates, the lookups at the tables' ends and the annuity factor.

#include "rule72t/lifetables.h"
#include "rule72t/tabledata.h"

#include <gtest/gtest.h>

#include <optional>

namespace tw::rule72t {
namespace {

TEST(Tables, HoldEveryAgeOnceInOrder)
{
    ASSERT_EQ(SingleLifeRows().size(), 121u);
    ASSERT_EQ(UniformLifetimeRows().size(), 111u);
    ASSERT_EQ(MortalityRows().size(), 121u);
    ASSERT_EQ(JointRows().size(), 121u * 121u);
    for (std::size_t i = 0; i < 121; ++i) {
        EXPECT_EQ(SingleLifeRows()[i].age, static_cast<int>(i));
        EXPECT_EQ(MortalityRows()[i].age, static_cast<int>(i));
        if (i < 111) {
            EXPECT_EQ(UniformLifetimeRows()[i].age, static_cast<int>(i) + 10);
        }
    }
    for (std::size_t i = 0; i < JointRows().size(); ++i) {
        ASSERT_EQ(JointRows()[i].owner, static_cast<int>(i / 121)) << i;
        ASSERT_EQ(JointRows()[i].beneficiary, static_cast<int>(i % 121)) << i;
    }
}

// The tables follow from the rates: every single-life and uniform value, and every joint
// cell but the one the published table prints differently, (2, 5): 88.5 where the rates give
// 88.6, as its mirror (5, 2) has it.
TEST(Tables, AreRebuiltFromTheMortalityRates)
{
    for (const AgeValue& row : SingleLifeRows())
        EXPECT_DOUBLE_EQ(TableYearsFromRates(Survival(row.age)), row.value) << row.age;
    for (const AgeValue& row : UniformLifetimeRows())
        EXPECT_DOUBLE_EQ(TableYearsFromRates(Survival(row.age, row.age - kUniformAgeGap)),
                         row.value)
            << row.age;
    std::vector<std::pair<int, int>> differing;
    for (const AgesValue& row : JointRows()) {
        const double rebuilt = TableYearsFromRates(Survival(row.owner, row.beneficiary));
        if (std::abs(rebuilt - row.value) > 1e-9)
            differing.emplace_back(row.owner, row.beneficiary);
    }
    EXPECT_EQ(differing, (std::vector<std::pair<int, int>>{{2, 5}}));
    EXPECT_EQ(TableYears(LifeTable::Joint, 2, 5), 88.5);
    EXPECT_EQ(TableYears(LifeTable::Joint, 5, 2), 88.6);
    // The published table lacks (19, 35); the files give it from (35, 19), which the rates
    // confirm.
    EXPECT_EQ(TableYears(LifeTable::Joint, 19, 35), TableYears(LifeTable::Joint, 35, 19));
    EXPECT_DOUBLE_EQ(TableYearsFromRates(Survival(19, 35)), 68.0);
}

TEST(TableYears, ReadsTheEndsAndHoldsTheOldestAgeForOlderOnes)
{
    struct Case
    {
        LifeTable table;
        int owner;
        int beneficiary;
        std::optional<double> years; // the published tables
    };
    const Case cases[] = {
        {LifeTable::Uniform, 9, 0, std::nullopt}, {LifeTable::Uniform, 10, 0, 88.2},
        {LifeTable::Uniform, 59, 0, 39.7},        {LifeTable::Uniform, 120, 0, 2.0},
        {LifeTable::Uniform, 121, 0, 2.0},        {LifeTable::Uniform, 150, 0, 2.0},
        {LifeTable::Single, -1, 0, std::nullopt}, {LifeTable::Single, 0, 0, 84.6},
        {LifeTable::Single, 50, 0, 36.2},         {LifeTable::Single, 59, 0, 28.0},
        {LifeTable::Single, 120, 0, 1.0},         {LifeTable::Single, 135, 0, 1.0},
        {LifeTable::Joint, 0, 0, 91.9},           {LifeTable::Joint, 0, 120, 84.6},
        {LifeTable::Joint, 120, 0, 84.6},         {LifeTable::Joint, 0, 140, 84.6},
        {LifeTable::Joint, 50, 45, 45.1},         {LifeTable::Joint, 125, 130, 1.0},
        {LifeTable::Joint, 50, -1, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(TableName(c.table)) + " " + std::to_string(c.owner) + "/" +
                     std::to_string(c.beneficiary));
        EXPECT_EQ(TableYears(c.table, c.owner, c.beneficiary), c.years);
    }
}

TEST(AnnuityFactor, MatchesTheWorkedExampleAndFallsAsTheRateRises)
{
    // The IRS worked example: age 50, single life, 4 %: 18.1568.
    EXPECT_NEAR(AnnuityFactor(LifeTable::Single, 50, 0, 0.04), 18.1568, 5e-5);
    // At no interest the factor is the curtate expectation: the table's years less 11/24,
    // before rounding.
    EXPECT_NEAR(AnnuityFactor(LifeTable::Single, 50, 0, 0.0) + 11.0 / 24.0, 36.2, 0.05);
    // The uniform table's lives are the joint ones ten years apart.
    EXPECT_DOUBLE_EQ(AnnuityFactor(LifeTable::Uniform, 50, 0, 0.05),
                     AnnuityFactor(LifeTable::Joint, 50, 40, 0.05));
    EXPECT_GT(AnnuityFactor(LifeTable::Single, 50, 0, 0.03),
              AnnuityFactor(LifeTable::Single, 50, 0, 0.05));
}

} // namespace
} // namespace tw::rule72t
