#pragma once
// The limits of the refinance inputs and the box each refusal shows, written once: the form
// checks its fields against them as it reads them, and the analysis checks its input against
// them again, in the same order.

#include "finance/precision.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tw {

// The fields as read: whole numbers for the ages and years the form reads as integers.
struct RefinanceInput
{
    int startAge = 0;           // AgeS, start age of the existing mortgage
    Money existingAmount = 0;   // AmtE
    Percent existingRate = 0;   // RateE, a year
    int existingYears = 0;      // YrsE
    Age refinanceAge = 0;       // AgeR as typed; the analysis truncates it to whole years
    Money refinancedAmount = 0; // AmtR; 0 or less: the balance at refinancing is computed
    Money cashOut = 0;          // CO
    Percent refinancedRate = 0; // RateR, a year
    int refinancedYears = 0;    // YrsR
    Money closingCosts = 0;     // CC
    float points = 0;           // PT, percent of the refinanced amount
    Percent taxRate = 0;        // T
    Percent savingsRate = 0;    // SR, a year
    bool cashOutAsSavings = false;
    bool includeCosts = false;
    bool includePoints = false;
};

// What a rule limits, in the order of the checks.
enum class RefinanceField {
    StartAge,
    ExistingAmount,
    ExistingRate,
    ExistingYears,
    RefinanceAge,
    AgeOrder, // the age at refinancing less the start age
    CashOut,  // checked by the form only: the analysis takes the cash out as it is
    RefinancedRate,
    RefinancedYears,
    TaxRate,
    SavingsRate,
};

enum class RefinanceIcon { Error, Warning };

// The box a refusal shows: system-modal, with the icon given.
struct RefinanceRefusal
{
    std::string text;
    std::string title;
    RefinanceIcon icon = RefinanceIcon::Error;
};

// What a refusal says: the message table's text on either side of the limits (message not 0),
// a text for each side, or "The <limitsOf> must be between <low>% and <high>%." with each
// limit put in by "%-7.2f".
struct RefinanceRuleText
{
    int message = 0;
    std::string_view below;
    std::string_view above;
    std::string_view limitsOf;
};

// One rule: a value passes when low ≤ value ≤ high (NaN never does).
struct RefinanceRule
{
    RefinanceField field;
    double low;
    double high;
    std::string_view title;
    RefinanceIcon icon;
    RefinanceRuleText text;
};

// The texts of the years and age-order rules.
inline constexpr const char* kYearsTooFewText = "The number of years be greater than 0.";
inline constexpr const char* kYearsTooManyText = "The number of years be less than 50.";
inline constexpr const char* kYearsTitle = "Number of Years Error!";
inline constexpr const char* kAgeOrderText =
    "The age at refinancing must be greater the the age of the orginal mortgage.";
inline constexpr const char* kAgeOrderTitle = "Age Error!";

// Every rule, in the order of the checks.
std::span<const RefinanceRule> RefinanceRules();

// The refusal of field's rule for value, or nothing when the value passes.
std::optional<RefinanceRefusal> RefuseOutside(RefinanceField field, double value);

// The analysis's checks of its input, every rule but the cash out's, in order: the ages count
// in whole years (the age at refinancing truncated toward zero).
struct RefinanceVerdict
{
    std::optional<RefinanceField> refused; // the first rule the input breaks
    RefinanceRefusal refusal;

    // Whether the checks came to field: nothing before it refused.
    bool reaches(RefinanceField field) const;
};
RefinanceVerdict CheckRefinanceInput(const RefinanceInput& input);

} // namespace tw
