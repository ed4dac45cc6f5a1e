#include "tools/refinance/refinance.h"

#include "finance/format.h"
#include "finance/loan.h"
#include "finance/messages.h"
#include "finance/money.h"
#include "finance/trajectory.h"

#include <algorithm>
#include <cmath>

namespace tw {

namespace {

// The longest span of ages the principal walk of the amount update covers. Only start ages far
// below any real age reach it (the fields are read without checks there); the analysis itself
// covers at most 169 years.
constexpr long long kMaxWalkMonths = 12LL * 2048;

RefinanceRefusal Numbered(int message, const char* title)
{
    return {std::string(ValidationMessage(message)), title, RefinanceIcon::Error};
}

bool Within(double value, double low, double high)
{
    return low <= value && value <= high;
}

std::optional<RefinanceRefusal> CheckYears(int years)
{
    if (years < 1)
        return RefinanceRefusal{kYearsTooFewText, kYearsTitle, RefinanceIcon::Warning};
    if (years > 50)
        return RefinanceRefusal{kYearsTooManyText, kYearsTitle, RefinanceIcon::Warning};
    return std::nullopt;
}

// "%-7.2f" puts in each limit; the percent sign after it is a literal one.
std::string RateLimitsText(const char* what, double low, double high)
{
    return std::string("The ") + what + " must be between " + Format("%-7.2f", low) + "% and " +
           Format("%-7.2f", high) + "%.";
}

std::string Money16(double value)
{
    return FormatCents(value, 16);
}

// "%3d O" and "%3d R": the age and the future's letter.
std::string AgeText(int age, char letter)
{
    return FormatWhole(age, 3) + ' ' + letter;
}

// One future's running values. The year totals are reset at the start of every year; the tax
// savings and the tax on interest are set at its end.
struct Future
{
    Money savings = 0; // S
    Money equity = 0;  // Q
    Money yearPrincipal = 0;
    Money yearInterest = 0;
    Money yearSavingsInterest = 0;
    Money taxSavings = 0;           // TS
    Money taxOnInterest = 0;        // TI
    Extended paymentDifference = 0; // B × 12 − payment × 12, the same every year

    void startYear()
    {
        yearPrincipal = 0;
        yearInterest = 0;
        yearSavingsInterest = 0;
    }

    // One month after the refinancing age: the budget is saved, the mortgage (while it runs)
    // is paid from the savings, and the savings earn a month's interest at s.
    void month(Money budget, Money payment, Money principal, bool mortgageRuns, float s)
    {
        savings = StoreFloat(Extended{savings} + budget);
        Money interest = StoreFloat(Extended{payment} - principal);
        if (interest < 0)
            interest = 0;
        yearPrincipal = StoreFloat(Extended{yearPrincipal} + principal);
        if (mortgageRuns) {
            equity = StoreFloat(Extended{equity} + principal);
            savings = StoreFloat(Extended{savings} - payment);
        } else {
            interest = 0;
        }
        yearInterest = StoreFloat(Extended{yearInterest} + interest);
        yearSavingsInterest = StoreFloat(Extended{yearSavingsInterest} + Extended{savings} * s);
        savings = StoreFloat(Extended{savings} + Extended{savings} * s);
    }

    // The year's taxes: the tax on savings interest always, the saving on mortgage interest
    // only while the mortgage runs.
    void endYear(float t, bool mortgageRuns)
    {
        taxSavings = StoreFloat(Extended{yearInterest} * t);
        taxOnInterest = StoreFloat(Extended{yearSavingsInterest} * t);
        savings = StoreFloat(Extended{savings} - taxOnInterest);
        if (mortgageRuns)
            savings = StoreFloat(Extended{savings} + taxSavings);
    }

    bool finite() const
    {
        return std::isfinite(savings) && std::isfinite(equity) && std::isfinite(yearPrincipal) &&
               std::isfinite(yearInterest) && std::isfinite(yearSavingsInterest) &&
               std::isfinite(taxSavings) && std::isfinite(taxOnInterest);
    }
};

RefinanceRow StartRow(int age, char letter, Extended netWorth, const Future& future)
{
    RefinanceRow row;
    row[0] = AgeText(age, letter);
    row[1] = Money16(static_cast<double>(netWorth));
    row[2] = Money16(future.savings);
    row[3] = Money16(future.equity);
    row[4] = "0.00";
    for (int column = 5; column < kRefinanceColumns; ++column)
        row[static_cast<std::size_t>(column)] = Money16(0);
    return row;
}

RefinanceRow YearRow(int age, char letter, Extended netWorth, const Future& future)
{
    const Extended difference = future.paymentDifference < 1 ? 0 : future.paymentDifference;
    return {AgeText(age, letter),
            Money16(static_cast<double>(netWorth)),
            Money16(future.savings),
            Money16(future.equity),
            Money16(static_cast<double>(difference)),
            Money16(future.yearPrincipal),
            Money16(future.yearInterest),
            Money16(future.taxSavings),
            Money16(future.yearSavingsInterest),
            Money16(future.taxOnInterest)};
}

std::string PrintLine(const RefinanceRow& row)
{
    std::string line;
    for (std::size_t i = 0; i < row.size(); ++i) {
        if (i > 0)
            line += '\t';
        line += row[i];
    }
    line += '\n';
    return line;
}

std::string GraphPoint(int elapsed, Extended existing, Extended refinanced)
{
    return "0.0\n0.0\n" + Format("%f %f %f\n", static_cast<double>(elapsed),
                                 static_cast<double>(existing), static_cast<double>(refinanced));
}

constexpr const char* kOverflowText =
    "The analysis cannot be computed for these values: an amount grows beyond the largest "
    "number the program can hold. Please enter a lower rate, smaller amounts or fewer years.";

struct RepaidWalk
{
    Money sum = 0;
    bool reached = false; // the walk came to the year of the age of refinancing
};

// The loan as AmortizeRange walks it: every month's principal simulated again from month 0.
class ReferenceLoan
{
  public:
    ReferenceLoan(Money principal, float rate, int periods)
        : principal_(principal), rate_(rate), periods_(periods)
    {
    }
    Money payment() const { return MonthlyPayment(principal_, rate_, periods_); }
    Money principalOf(int month) const
    {
        return AmortizeRange(principal_, rate_, periods_, month, month).principal;
    }

  private:
    Money principal_;
    float rate_;
    int periods_;
};

// Month by month from the start age, the principal of each month of the existing loan, while
// the age is below both the end of the term and the whole age of refinancing.
template <class Loan>
RepaidWalk WalkRepaid(long long startAge, Money amount, float monthlyRate, long long years,
                      double wholeRefinanceAge)
{
    RepaidWalk walk;
    if (years < 1)
        return walk;
    const long long months = years * 12;
    const int periods = static_cast<int>(std::min<long long>(months, 0x7fffffff));
    const Loan loan(amount, monthlyRate, periods);
    long long month = 0;
    for (long long age = startAge; age < startAge + years; ++age) {
        if (wholeRefinanceAge <= static_cast<double>(age)) {
            walk.reached = true;
            return walk;
        }
        if (month >= kMaxWalkMonths)
            return walk;
        for (int m = 0; m < 12; ++m, ++month)
            walk.sum = StoreFloat(Extended{walk.sum} + loan.principalOf(static_cast<int>(month)));
    }
    return walk;
}

} // namespace

std::string TaxRateLimitsText()
{
    return RateLimitsText("Tax Rate", 1, 100);
}

std::string SavingsRateLimitsText()
{
    return RateLimitsText("Savings Rate", -200, 200);
}

const std::array<std::string_view, kRefinanceColumns>& RefinanceColumnTitles()
{
    static constexpr std::array<std::string_view, kRefinanceColumns> titles = {
        "Age",
        "Net Worth",
        "Savings",
        "Equity",
        "+Diff. in Mon. Pay.",
        "+Principal",
        "-Interest",
        "+Tax Savings",
        "+Savings Interest",
        "-Tax on Interest"};
    return titles;
}

const std::array<int, kRefinanceColumns>& RefinanceColumnFactors()
{
    static constexpr std::array<int, kRefinanceColumns> factors = {30, 70, 70, 80, 83,
                                                                   68, 68, 65, 80, 75};
    return factors;
}

Money PrincipalRepaidBefore(int startAge, Money amount, Percent rate, int years,
                            int wholeRefinanceAge)
{
    return WalkRepaid<LoanTrajectory>(startAge, amount, MonthlyRate(rate), years, wholeRefinanceAge)
        .sum;
}

std::optional<Money> RefinancedAmountFor(const AmountUpdateInput& input, bool withRepaid)
{
    Money repaid = 0;
    const float monthlyRate = MonthlyRate(input.rate);
    // A loan with no monthly payment repays nothing that could be taken off.
    if (withRepaid && PaymentLimitFor(monthlyRate, 12) != PaymentLimit::RateTooSmall) {
        repaid = WalkRepaid<LoanTrajectory>(input.startAge, input.amount, monthlyRate, input.years,
                                            std::trunc(static_cast<double>(input.refinanceAge)))
                     .sum;
    }
    const Money amount = StoreFloat(Extended{input.amount} - repaid + input.cashOut);
    if (!std::isfinite(amount))
        return std::nullopt;
    return amount;
}

namespace {

template <class Loan> RefinanceOutcome Analyze(const RefinanceInput& in, RefinanceMode mode)
{
    RefinanceOutcome out;
    // A refused run hands over only what was read and shown before the refusal.
    auto refuse = [&out](RefinanceRefusal refusal) {
        RefinanceOutcome refused;
        refused.refusal = std::move(refusal);
        refused.taxRateRead = out.taxRateRead;
        refused.savingsRateRead = out.savingsRateRead;
        refused.amountText = out.amountText;
        return refused;
    };

    // The existing mortgage.
    const int startAge = in.startAge;
    if (!Within(static_cast<float>(startAge), 1, 120))
        return refuse(Numbered(kAgeOneMessage, "AGE ERROR"));
    if (!Within(in.existingAmount, 1, 100000000))
        return refuse(Numbered(kAmountMessage, "AMOUNT ERROR"));
    if (!Within(in.existingRate, 1, 1000))
        return refuse(Numbered(kRateMessage, "RATE ERROR"));
    if (auto refusal = CheckYears(in.existingYears))
        return refuse(*refusal);
    const int existingYears = in.existingYears;
    // The age at refinancing counts in whole years (toward zero); only a checked one becomes
    // an integer.
    const float wholeAge = std::trunc(in.refinanceAge);
    if (!Within(wholeAge, 1, 120))
        return refuse(Numbered(kAgeOneMessage, "AGE ERROR"));
    const int refinanceAge = static_cast<int>(wholeAge);
    if (refinanceAge < startAge)
        return refuse({kAgeOrderText, kAgeOrderTitle, RefinanceIcon::Warning});

    const float existingRate = MonthlyRate(in.existingRate);
    const int existingMonths = 12 * existingYears;
    const Loan existingLoan(in.existingAmount, existingRate, existingMonths);

    // Not typed: the balance at the start of the year of refinancing, plus the cash out.
    Money amount = in.refinancedAmount;
    const Money cashOut = in.cashOut;
    if (!(amount > 0)) {
        const RepaidWalk walk = WalkRepaid<Loan>(startAge, in.existingAmount, existingRate,
                                                 existingYears, refinanceAge);
        if (walk.reached)
            amount = StoreFloat(Extended{in.existingAmount} - walk.sum + cashOut);
        if (!std::isfinite(amount))
            return refuse({kOverflowText, "AMOUNT ERROR", RefinanceIcon::Error});
        out.amountText = Format("%-12.2f", amount);
    }

    // The new mortgage, costs and rates.
    if (!Within(in.refinancedRate, 1, 1000))
        return refuse(Numbered(kRateMessage, "RATE ERROR"));
    if (auto refusal = CheckYears(in.refinancedYears))
        return refuse(*refusal);
    const int refinancedYears = in.refinancedYears;
    const Money closingCosts = in.closingCosts;
    const float points = in.points;
    out.taxRateRead = in.taxRate;
    if (!Within(in.taxRate, 1, 100))
        return refuse({TaxRateLimitsText(), "RATE ERROR", RefinanceIcon::Error});
    out.savingsRateRead = in.savingsRate;
    if (!Within(in.savingsRate, -200, 200))
        return refuse({SavingsRateLimitsText(), "RATE ERROR", RefinanceIcon::Error});

    // s = (1/12) × SR × 0.01 a month; t = T × 0.01.
    const float s = StoreFloat(kTwelfth * in.savingsRate * kHundredth);
    const float t = StoreFloat(Extended{in.taxRate} * kHundredth);
    if (in.includeCosts)
        amount = StoreFloat(Extended{closingCosts} + amount);
    if (in.includePoints) // on the amount that already holds the closing costs
        amount = StoreFloat(Extended{points} * kHundredth * amount + amount);

    const float refinancedRate = MonthlyRate(in.refinancedRate);
    const int refinancedMonths = 12 * refinancedYears;
    const Money existingPayment = existingLoan.payment();
    const Loan refinancedLoan(amount, refinancedRate, refinancedMonths);
    const Money refinancedPayment = refinancedLoan.payment();
    // TC: the points on the final refinanced amount plus the closing costs.
    const Money totalCosts = StoreFloat(Extended{points} * kHundredth * amount + closingCosts);
    if (!std::isfinite(amount) || !std::isfinite(existingPayment) ||
        !std::isfinite(refinancedPayment) || !std::isfinite(totalCosts))
        return refuse({kOverflowText, "AMOUNT ERROR", RefinanceIcon::Error});

    out.existingPayment = FormatMoney(Format("%-9.2f", existingPayment));
    out.totalCosts = FormatMoney(Format("%-12.2f", totalCosts));
    out.refinancedPayment = FormatMoney(Format("%-12.2f", refinancedPayment));
    out.refinancedAmount = FormatMoney(Format("%-12.2f", amount));

    // Both futures live on the larger payment; equal payments give PayR, the same value.
    const Money budget = existingPayment > refinancedPayment ? existingPayment : refinancedPayment;
    const int existingEnd = startAge + existingYears;
    const int refinancedEnd = refinanceAge + refinancedYears;
    const int endAge = std::max(existingEnd, refinancedEnd);

    Future existing;
    Future refinanced;
    existing.savings = totalCosts;
    refinanced.savings = in.cashOutAsSavings ? cashOut : 0;
    existing.paymentDifference = Extended{budget} * 12 - Extended{existingPayment} * 12;
    refinanced.paymentDifference = Extended{budget} * 12 - Extended{refinancedPayment} * 12;
    // NW = S + Q, less the cash out on the refinanced side when it was saved: shown and
    // compared, never stored.
    auto existingWorth = [&] { return Extended{existing.savings} + existing.equity; };
    auto refinancedWorth = [&] {
        const Extended worth = Extended{refinanced.savings} + refinanced.equity;
        return in.cashOutAsSavings ? worth - cashOut : worth;
    };

    const bool table = mode == RefinanceMode::Table;
    const bool graph = mode == RefinanceMode::Graph;
    out.printHeader = kRefinancePrintHeader;
    if (graph) {
        out.graphText = "1\nDummy\nDummy\nDummy\n" +
                        Format("%f\n", static_cast<double>(12 * (endAge - refinanceAge))) +
                        "2\nExisting Mortgage\nRefinanced Mortgage\n" +
                        GraphPoint(0, existingWorth(), refinancedWorth());
    }
    auto addRow = [&](RefinanceRow row) {
        out.printRows += PrintLine(row);
        out.rows.push_back(std::move(row));
    };
    if (table) {
        addRow(StartRow(refinanceAge, 'O', existingWorth(), existing));
        addRow(StartRow(refinanceAge, 'R', refinancedWorth(), refinanced));
    }

    int elapsed = 0;
    bool found = false;
    int existingMonth = 0;
    int refinancedMonth = 0;
    for (int age = startAge; age < endAge; ++age) {
        existing.startYear();
        refinanced.startYear();
        const bool existingRuns = age < existingEnd;
        const bool refinancedRuns = age < refinancedEnd;
        for (int m = 0; m < 12; ++m) {
            const Money existingPrincipal = existingLoan.principalOf(existingMonth++);
            // Before the refinancing age only the existing loan's months go by.
            if (age < refinanceAge)
                continue;
            existing.month(budget, existingPayment, existingPrincipal, existingRuns, s);
            const Money refinancedPrincipal = refinancedLoan.principalOf(refinancedMonth++);
            refinanced.month(budget, refinancedPayment, refinancedPrincipal, refinancedRuns, s);

            // A tie counts; elapsed is the number of whole months before this one.
            if (!found && !(existingWorth() > refinancedWorth())) {
                out.breakEvenMonths = elapsed;
                found = true;
            }
            ++elapsed;
            if (graph && elapsed % 4 == 0)
                out.graphText += GraphPoint(elapsed, existingWorth(), refinancedWorth());
        }
        if (age < refinanceAge)
            continue;
        existing.endYear(t, existingRuns);
        refinanced.endYear(t, refinancedRuns);
        if (!existing.finite() || !refinanced.finite())
            return refuse({kOverflowText, "AMOUNT ERROR", RefinanceIcon::Error});
        if (table) {
            addRow(YearRow(age + 1, 'O', existingWorth(), existing));
            addRow(YearRow(age + 1, 'R', refinancedWorth(), refinanced));
        }
    }
    // Never broken even: the months analysed, 12 × (end − AgeR).
    if (!found)
        out.breakEvenMonths = elapsed;
    out.brokeEven = found;
    out.breakEven = Format("%-3d", out.breakEvenMonths);
    if (graph)
        out.graphText += "Done\nDone\n";
    return out;
}

} // namespace

RefinanceOutcome RunRefinanceAnalysis(const RefinanceInput& input, RefinanceMode mode)
{
    return Analyze<LoanTrajectory>(input, mode);
}

RefinanceOutcome RunRefinanceAnalysisByReference(const RefinanceInput& input, RefinanceMode mode)
{
    return Analyze<ReferenceLoan>(input, mode);
}

} // namespace tw
