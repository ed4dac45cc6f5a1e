#pragma once
// The refinance analysis: two futures of one household from the age at which a mortgage would
// be refinanced, one keeping the existing mortgage and one replacing it, on the same monthly
// budget (the larger of the two payments). Each future pays its mortgage out of the budget and
// saves the rest at the savings rate; mortgage interest earns a tax saving and savings
// interest is taxed, once a year, at the effective tax rate. Net worth is savings plus the
// principal repaid since the refinancing. The analysis reports both futures year by year and
// the first month in which the refinanced future's net worth reaches the existing one's.
//
// Pure computations: values in, texts out. The form reads the fields and shows the results.

#include "finance/precision.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

enum class RefinanceMode { Form = 0, Table = 1, Graph = 2 };

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

enum class RefinanceIcon { Error, Warning };

// The box a refused run shows: system-modal, with the icon given.
struct RefinanceRefusal
{
    std::string text;
    std::string title;
    RefinanceIcon icon = RefinanceIcon::Error;
};

inline constexpr int kRefinanceColumns = 10;
using RefinanceRow = std::array<std::string, kRefinanceColumns>;

struct RefinanceOutcome
{
    // The first check that failed, or an analysis that leaves the single-precision range;
    // nothing below it was computed then.
    std::optional<RefinanceRefusal> refusal;
    // What the run read into the remembered tax and savings rates before their checks.
    std::optional<Percent> taxRateRead;
    std::optional<Percent> savingsRateRead;
    // The refinanced Amount field, when the run computed it ("%-12.2f"); it is shown even when
    // a later check fails.
    std::optional<std::string> amountText;

    // The form's results, with money formatting.
    std::string existingPayment;   // "%-9.2f"
    std::string totalCosts;        // "%-12.2f"
    std::string refinancedPayment; // "%-12.2f"
    std::string refinancedAmount;  // "%-12.2f", after the inclusions
    std::string breakEven;         // "%-3d": months to break even, or the months analysed
    int breakEvenMonths = 0;
    bool brokeEven = false;

    std::vector<RefinanceRow> rows; // table mode
    std::string printHeader;        // the first line of refprt.tmp
    std::string printRows;          // table mode: the rows, one line each
    std::string graphText;          // graph mode: the whole of ref.tmp
};

// The header and end lines of the print file.
inline constexpr const char* kRefinancePrintHeader =
    "Age\tNet Worth\tSavings\tEquity\t+Diff. in Mon. Pay.\t+Principal\t-Interest\t+Tax Savings\t"
    "-Savings Interest\t-Tax on Interest\n";
inline constexpr const char* kRefinancePrintEnd = "Dooone\nDooone\n";

// The texts of the checks that the form makes as well.
inline constexpr const char* kYearsTooFewText = "The number of years be greater than 0.";
inline constexpr const char* kYearsTooManyText = "The number of years be less than 50.";
inline constexpr const char* kYearsTitle = "Number of Years Error!";
inline constexpr const char* kAgeOrderText =
    "The age at refinancing must be greater the the age of the orginal mortgage.";
inline constexpr const char* kAgeOrderTitle = "Age Error!";
// "The Tax Rate must be between 1.00   % and 100.00 %." and its savings-rate kin.
std::string TaxRateLimitsText();
std::string SavingsRateLimitsText();

// Checks the input in the form's order and runs the analysis in the given mode.
RefinanceOutcome RunRefinanceAnalysis(const RefinanceInput& input, RefinanceMode mode);

// The same analysis with the principal of every month walked from month 0 by AmortizeRange,
// as the arithmetic is defined: the reference the tests and the benchmark hold the analysis to.
// Quadratic in the months analysed.
RefinanceOutcome RunRefinanceAnalysisByReference(const RefinanceInput& input, RefinanceMode mode);

// The column titles of the results list, in order.
const std::array<std::string_view, kRefinanceColumns>& RefinanceColumnTitles();
// Width factors of the columns, out of 500 of the list's width.
const std::array<int, kRefinanceColumns>& RefinanceColumnFactors();
inline constexpr int kRefinanceWidthDivisor = 500;

// The principal of the existing loan repaid in the whole years before the age of
// refinancing: month by month from the start age, up to the year of age at which
// wholeRefinanceAge is not greater than the age (or the end of the term). The loan runs at
// rate × 0.01 × (1/12) a month over years × 12 months.
Money PrincipalRepaidBefore(int startAge, Money amount, Percent rate, int years,
                            int wholeRefinanceAge);

// The existing loan the refinanced amount follows as the form's fields are left.
struct AmountUpdateInput
{
    int startAge = 0;
    Money amount = 0;
    Percent rate = 0;
    int years = 0;
    Age refinanceAge = 0; // as typed; 0 leaves out the principal repaid
    Money cashOut = 0;
};

// The refinanced amount: the existing amount less the principal repaid before the age of
// refinancing, plus the cash out. A loan without a monthly payment (a rate of 0 or one too
// small to compound) has no repaid principal to take off. Nothing when the amount leaves the
// single-precision range: the field then keeps what it shows.
std::optional<Money> RefinancedAmountFor(const AmountUpdateInput& input, bool withRepaid);

} // namespace tw
