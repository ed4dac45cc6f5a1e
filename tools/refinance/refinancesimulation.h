#pragma once
// The two futures of the refinance analysis, month by month, as numbers: what the form, the
// results list and the two files show is formatted from them (refinanceformat.h).

#include "finance/precision.h"
#include "tools/refinance/refinancerules.h"

#include <memory>
#include <optional>
#include <vector>

namespace tw {

// One future at one age: a row of the results. The net worth and the payment difference are
// shown, never stored, so they keep their extended value.
struct RefinanceYear
{
    int age = 0;             // at the year's end; the refinancing age for the starting values
    Extended netWorth = 0;   // S + Q, less a cash out kept as savings
    Money savings = 0;       // S
    Money equity = 0;        // Q, the principal repaid since the refinancing
    Extended difference = 0; // B × 12 − payment × 12, or 0 when that is less than 1
    Money principal = 0;     // the year's totals
    Money interest = 0;
    Money taxSavings = 0; // TS
    Money savingsInterest = 0;
    Money taxOnInterest = 0; // TI
};

// Both futures' net worth after a month since the refinancing.
struct RefinancePoint
{
    int month = 0;
    Extended existing = 0;
    Extended refinanced = 0;
};

struct RefinanceSimulation
{
    Money existingPayment = 0;   // PayE
    Money refinancedPayment = 0; // PayR
    Money totalCosts = 0;        // TC
    Money refinancedAmount = 0;  // AmtR after the inclusions
    // Each future: the starting values at the refinancing age, then one entry a year.
    std::vector<RefinanceYear> existing;
    std::vector<RefinanceYear> refinanced;
    // Month 0, then every fourth month.
    std::vector<RefinancePoint> points;
    int monthsAnalysed = 0; // 12 × (end − AgeR)
    // The months before the first in which the refinanced net worth reaches the existing one.
    std::optional<int> breakEven;
};

// The payment and the principal of each month of one loan, exactly as MonthlyPayment and
// AmortizeRange (principal, rate, periods, month, month) give them.
class LoanMonths
{
  public:
    virtual ~LoanMonths() = default;
    virtual Money payment() const = 0;
    virtual Money principalOf(int month) const = 0; // 0 once the loan is paid off
};
using LoanMonthsMaker = std::unique_ptr<LoanMonths> (*)(Money principal, float rate, int periods);

// Each month simulated once (LoanTrajectory): what the program uses.
std::unique_ptr<LoanMonths> TrajectoryMonths(Money principal, float rate, int periods);

// The refinanced amount the analysis starts from when none was typed: the balance of the
// existing loan at the start of the year of the age at refinancing, plus the cash out. An
// age at refinancing past the end of the existing term leaves the typed amount. For an input
// whose existing mortgage passed its checks.
Money BalanceAtRefinancing(const RefinanceInput& input, LoanMonthsMaker loans = TrajectoryMonths);

// Both futures from the age at refinancing for an input that passed its checks, amount being
// the refinanced amount before its inclusions. Nothing when a value leaves the
// single-precision range.
std::optional<RefinanceSimulation> SimulateRefinance(const RefinanceInput& input, Money amount,
                                                     LoanMonthsMaker loans = TrajectoryMonths);

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
