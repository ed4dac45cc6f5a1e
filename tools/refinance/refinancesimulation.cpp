#include "tools/refinance/refinancesimulation.h"

#include "finance/loan.h"
#include "finance/trajectory.h"

#include <algorithm>
#include <cmath>

namespace tw {

namespace {

// The longest span of ages the principal walk of the amount update covers. Only start ages far
// below any real age reach it (the fields are read without checks there); the analysis itself
// covers at most 169 years.
constexpr long long kMaxWalkMonths = 12LL * 2048;

class Trajectory final : public LoanMonths
{
  public:
    Trajectory(Money principal, float rate, int periods) : loan_(principal, rate, periods) {}
    Money payment() const override { return loan_.payment(); }
    Money principalOf(int month) const override { return loan_.principalOf(month); }

  private:
    LoanTrajectory loan_;
};

struct RepaidWalk
{
    Money sum = 0;
    bool reached = false; // the walk came to the year of the age of refinancing
};

// Month by month from the start age, the principal of each month of the existing loan, while
// the age is below both the end of the term and the whole age of refinancing.
RepaidWalk WalkRepaid(const LoanMonths& loan, long long startAge, long long years,
                      double wholeRefinanceAge)
{
    RepaidWalk walk;
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

    RefinanceYear year(int age, Extended netWorth) const
    {
        RefinanceYear year;
        year.age = age;
        year.netWorth = netWorth;
        year.savings = savings;
        year.equity = equity;
        year.difference = paymentDifference < 1 ? 0 : paymentDifference;
        year.principal = yearPrincipal;
        year.interest = yearInterest;
        year.taxSavings = taxSavings;
        year.savingsInterest = yearSavingsInterest;
        year.taxOnInterest = taxOnInterest;
        return year;
    }
};

// What a run starts from: both loans, the budget and the ages that bound the futures.
struct Terms
{
    std::unique_ptr<LoanMonths> existingLoan;
    std::unique_ptr<LoanMonths> refinancedLoan;
    Money budget = 0; // B
    float s = 0;      // the savings rate a month, a fraction
    float t = 0;      // the tax rate, a fraction
    int startAge = 0;
    int refinanceAge = 0; // whole years
    int existingEnd = 0;
    int refinancedEnd = 0;
    int endAge = 0; // the first age after the analysis
};

// The refinanced amount with its inclusions, both loans and their payments, the costs and the
// budget; false when one of them leaves the single-precision range.
bool SetUp(const RefinanceInput& in, Money amount, LoanMonthsMaker loans, Terms& terms,
           RefinanceSimulation& out)
{
    // s = (1/12) × SR × 0.01 a month; t = T × 0.01.
    terms.s = StoreFloat(kTwelfth * in.savingsRate * kHundredth);
    terms.t = StoreFloat(Extended{in.taxRate} * kHundredth);
    if (in.includeCosts)
        amount = StoreFloat(Extended{in.closingCosts} + amount);
    if (in.includePoints) // on the amount that already holds the closing costs
        amount = StoreFloat(Extended{in.points} * kHundredth * amount + amount);

    terms.existingLoan =
        loans(in.existingAmount, MonthlyRate(in.existingRate), 12 * in.existingYears);
    terms.refinancedLoan = loans(amount, MonthlyRate(in.refinancedRate), 12 * in.refinancedYears);
    out.refinancedAmount = amount;
    out.existingPayment = terms.existingLoan->payment();
    out.refinancedPayment = terms.refinancedLoan->payment();
    // TC: the points on the final refinanced amount plus the closing costs.
    out.totalCosts = StoreFloat(Extended{in.points} * kHundredth * amount + in.closingCosts);
    if (!std::isfinite(amount) || !std::isfinite(out.existingPayment) ||
        !std::isfinite(out.refinancedPayment) || !std::isfinite(out.totalCosts))
        return false;

    // Both futures live on the larger payment; equal payments give PayR, the same value.
    terms.budget =
        out.existingPayment > out.refinancedPayment ? out.existingPayment : out.refinancedPayment;
    terms.startAge = in.startAge;
    terms.refinanceAge = static_cast<int>(std::trunc(in.refinanceAge));
    terms.existingEnd = in.startAge + in.existingYears;
    terms.refinancedEnd = terms.refinanceAge + in.refinancedYears;
    terms.endAge = std::max(terms.existingEnd, terms.refinancedEnd);
    out.monthsAnalysed = 12 * (terms.endAge - terms.refinanceAge);
    return true;
}

// Both futures of a run, and their net worth: NW = S + Q, less the cash out on the refinanced
// side when it was saved; shown and compared, never stored.
struct Futures
{
    Future existing;
    Future refinanced;
    bool cashOutSaved = false;
    Money cashOut = 0;

    Extended existingWorth() const { return Extended{existing.savings} + existing.equity; }
    Extended refinancedWorth() const
    {
        const Extended worth = Extended{refinanced.savings} + refinanced.equity;
        return cashOutSaved ? worth - cashOut : worth;
    }
    RefinancePoint point(int month) const { return {month, existingWorth(), refinancedWorth()}; }
    void keepYear(int age, RefinanceSimulation& out) const
    {
        out.existing.push_back(existing.year(age, existingWorth()));
        out.refinanced.push_back(refinanced.year(age, refinancedWorth()));
    }
};

// Both futures at the refinancing age: their starting values and the graph's first point.
Futures StartFutures(const RefinanceInput& in, const Terms& terms, RefinanceSimulation& out)
{
    Futures futures;
    futures.cashOutSaved = in.cashOutAsSavings;
    futures.cashOut = in.cashOut;
    futures.existing.savings = out.totalCosts;
    futures.refinanced.savings = in.cashOutAsSavings ? in.cashOut : 0;
    const Extended budget = Extended{terms.budget} * 12;
    futures.existing.paymentDifference = budget - Extended{out.existingPayment} * 12;
    futures.refinanced.paymentDifference = budget - Extended{out.refinancedPayment} * 12;
    futures.keepYear(terms.refinanceAge, out);
    out.existing.back().difference = 0;
    out.refinanced.back().difference = 0;
    out.points.push_back(futures.point(0));
    return futures;
}

// Both futures over the analysed ages, into out; false when a value leaves the range.
bool RunFutures(const RefinanceInput& in, const Terms& terms, RefinanceSimulation& out)
{
    Futures futures = StartFutures(in, terms, out);
    Future& existing = futures.existing;
    Future& refinanced = futures.refinanced;
    int elapsed = 0;
    int existingMonth = 0;
    int refinancedMonth = 0;
    for (int age = terms.startAge; age < terms.endAge; ++age) {
        existing.startYear();
        refinanced.startYear();
        const bool existingRuns = age < terms.existingEnd;
        const bool refinancedRuns = age < terms.refinancedEnd;
        for (int m = 0; m < 12; ++m) {
            const Money existingPrincipal = terms.existingLoan->principalOf(existingMonth++);
            // Before the refinancing age only the existing loan's months go by.
            if (age < terms.refinanceAge)
                continue;
            existing.month(terms.budget, out.existingPayment, existingPrincipal, existingRuns,
                           terms.s);
            const Money refinancedPrincipal = terms.refinancedLoan->principalOf(refinancedMonth++);
            refinanced.month(terms.budget, out.refinancedPayment, refinancedPrincipal,
                             refinancedRuns, terms.s);
            // A tie counts; elapsed is the number of whole months before this one.
            if (!out.breakEven && !(futures.existingWorth() > futures.refinancedWorth()))
                out.breakEven = elapsed;
            if (++elapsed % 4 == 0)
                out.points.push_back(futures.point(elapsed));
        }
        if (age < terms.refinanceAge)
            continue;
        existing.endYear(terms.t, existingRuns);
        refinanced.endYear(terms.t, refinancedRuns);
        if (!existing.finite() || !refinanced.finite())
            return false;
        futures.keepYear(age + 1, out);
    }
    return true;
}

} // namespace

std::unique_ptr<LoanMonths> TrajectoryMonths(Money principal, float rate, int periods)
{
    return std::make_unique<Trajectory>(principal, rate, periods);
}

Money BalanceAtRefinancing(const RefinanceInput& input, LoanMonthsMaker loans)
{
    const auto loan =
        loans(input.existingAmount, MonthlyRate(input.existingRate), 12 * input.existingYears);
    const RepaidWalk walk = WalkRepaid(*loan, input.startAge, input.existingYears,
                                       std::trunc(static_cast<double>(input.refinanceAge)));
    if (!walk.reached)
        return input.refinancedAmount;
    return StoreFloat(Extended{input.existingAmount} - walk.sum + input.cashOut);
}

std::optional<RefinanceSimulation> SimulateRefinance(const RefinanceInput& input, Money amount,
                                                     LoanMonthsMaker loans)
{
    RefinanceSimulation out;
    Terms terms;
    if (!SetUp(input, amount, loans, terms, out) || !RunFutures(input, terms, out))
        return std::nullopt;
    return out;
}

std::optional<Money> RefinancedAmountFor(const AmountUpdateInput& input, bool withRepaid)
{
    Money repaid = 0;
    const float monthlyRate = MonthlyRate(input.rate);
    // A loan with no monthly payment repays nothing that could be taken off.
    if (withRepaid && input.years >= 1 &&
        PaymentLimitFor(monthlyRate, 12) != PaymentLimit::RateTooSmall) {
        const long long months = 12LL * input.years;
        const Trajectory loan(input.amount, monthlyRate,
                              static_cast<int>(std::min<long long>(months, 0x7fffffff)));
        repaid = WalkRepaid(loan, input.startAge, input.years,
                            std::trunc(static_cast<double>(input.refinanceAge)))
                     .sum;
    }
    const Money amount = StoreFloat(Extended{input.amount} - repaid + input.cashOut);
    if (!std::isfinite(amount))
        return std::nullopt;
    return amount;
}

} // namespace tw
