#include "tools/refinance/refinancerules.h"

#include "finance/format.h"
#include "finance/messages.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tw {

namespace {

using Field = RefinanceField;
constexpr auto kError = RefinanceIcon::Error;
constexpr auto kWarning = RefinanceIcon::Warning;
constexpr double kNoLimit = std::numeric_limits<double>::infinity();

constexpr RefinanceRuleText Numbered(int message)
{
    return {message, {}, {}, {}};
}

constexpr RefinanceRuleText Sides(std::string_view below, std::string_view above)
{
    return {0, below, above, {}};
}

constexpr RefinanceRuleText LimitsOf(std::string_view name)
{
    return {0, {}, {}, name};
}

constexpr RefinanceRuleText kYears = Sides(kYearsTooFewText, kYearsTooManyText);

constexpr RefinanceRule kRules[] = {
    {Field::StartAge, 1, 120, "AGE ERROR", kError, Numbered(kAgeOneMessage)},
    {Field::ExistingAmount, 1, 100000000, "AMOUNT ERROR", kError, Numbered(kAmountMessage)},
    {Field::ExistingRate, 1, 1000, "RATE ERROR", kError, Numbered(kRateMessage)},
    {Field::ExistingYears, 1, 50, kYearsTitle, kWarning, kYears},
    {Field::RefinanceAge, 1, 120, "AGE ERROR", kError, Numbered(kAgeOneMessage)},
    // The age at refinancing may not come before the start age.
    {Field::AgeOrder, 0, kNoLimit, kAgeOrderTitle, kWarning, Sides(kAgeOrderText, kAgeOrderText)},
    {Field::CashOut, 0, 100000000, "AMOUNT ERROR", kError, Numbered(kAmountMessage)},
    {Field::RefinancedRate, 1, 1000, "RATE ERROR", kError, Numbered(kRateMessage)},
    {Field::RefinancedYears, 1, 50, kYearsTitle, kWarning, kYears},
    {Field::TaxRate, 1, 100, "RATE ERROR", kError, LimitsOf("Tax Rate")},
    {Field::SavingsRate, -200, 200, "RATE ERROR", kError, LimitsOf("Savings Rate")},
};

const RefinanceRule& RuleOf(RefinanceField field)
{
    return *std::find_if(std::begin(kRules), std::end(kRules),
                         [field](const RefinanceRule& rule) { return rule.field == field; });
}

std::string RefusalText(const RefinanceRule& rule, bool below)
{
    const RefinanceRuleText& text = rule.text;
    if (text.message != 0)
        return std::string(ValidationMessage(text.message));
    if (text.limitsOf.empty())
        return std::string(below ? text.below : text.above);
    // The percent sign after each limit is a literal one.
    return "The " + std::string(text.limitsOf) + " must be between " + Format("%-7.2f", rule.low) +
           "% and " + Format("%-7.2f", rule.high) + "%.";
}

// The value the analysis holds against field's rule.
double AnalysisValue(const RefinanceInput& in, RefinanceField field)
{
    const float startAge = static_cast<float>(in.startAge);
    const float refinanceAge = std::trunc(in.refinanceAge);
    switch (field) {
    case Field::StartAge:
        return startAge;
    case Field::ExistingAmount:
        return in.existingAmount;
    case Field::ExistingRate:
        return in.existingRate;
    case Field::ExistingYears:
        return in.existingYears;
    case Field::RefinanceAge:
        return refinanceAge;
    case Field::AgeOrder:
        return double{refinanceAge} - startAge;
    case Field::CashOut:
        return in.cashOut;
    case Field::RefinancedRate:
        return in.refinancedRate;
    case Field::RefinancedYears:
        return in.refinancedYears;
    case Field::TaxRate:
        return in.taxRate;
    case Field::SavingsRate:
        return in.savingsRate;
    }
    return 0;
}

} // namespace

std::span<const RefinanceRule> RefinanceRules()
{
    return kRules;
}

std::optional<RefinanceRefusal> RefuseOutside(RefinanceField field, double value)
{
    const RefinanceRule& rule = RuleOf(field);
    const bool below = !(rule.low <= value);
    if (!below && value <= rule.high)
        return std::nullopt;
    return RefinanceRefusal{RefusalText(rule, below), std::string(rule.title), rule.icon};
}

bool RefinanceVerdict::reaches(RefinanceField field) const
{
    return !refused || &RuleOf(*refused) >= &RuleOf(field);
}

RefinanceVerdict CheckRefinanceInput(const RefinanceInput& input)
{
    for (const RefinanceRule& rule : kRules) {
        if (rule.field == Field::CashOut)
            continue;
        if (auto refusal = RefuseOutside(rule.field, AnalysisValue(input, rule.field)))
            return {rule.field, std::move(*refusal)};
    }
    return {};
}

} // namespace tw
