#include "tools/loansolver/loansolver.h"

#include "finance/format.h"
#include "finance/money.h"

#include <algorithm>
#include <cmath>

namespace tw {

namespace {

// A whole count worked out as 64.0000000001 is 64 payments, not 65.
constexpr double kWholeSlack = 1e-9;
// The APR of fees that take nearly everything can be far above any loan's rate: its search
// reaches a periodic rate of 1000 (100,000 % a period).
constexpr double kAprUpperRate = 1000;

double RoundCents(double value)
{
    return std::round(value * 100) / 100;
}

double Timing(const LoanTerms& terms)
{
    return terms.timing == PaymentTiming::Beginning ? 1.0 : 0.0;
}

Annuity AnnuityOf(const LoanTerms& terms, double rate, double count)
{
    return {terms.amount, rate, count, terms.payment, terms.balloon, terms.timing};
}

const std::string kTooLarge = ", more than $1,000,000,000.00.";

struct Step
{
    std::optional<std::string> failure;
};

Step SolveCountInto(LoanTerms& terms, double rate, double& exactCount)
{
    const double firstInterest = (terms.amount - terms.payment * Timing(terms)) * rate;
    const double paid = terms.payment * (1 + rate * Timing(terms));
    const double covered = paid - terms.amount * rate; // > 0: the balance falls
    if (terms.amount == terms.balloon)
        return {"The amount borrowed already equals the balloon, so no payments are needed."};
    if (terms.balloon < terms.amount && terms.payment <= 0)
        return {"With no payment the balance never falls, so the loan is never paid off."};
    if (terms.balloon < terms.amount && covered <= 0)
        return {"The payment of " + FormatDollars(terms.payment) +
                " does not even cover the interest of the first period, which is " +
                FormatDollars(firstInterest) + ", so the loan is never paid off."};
    if (terms.balloon > terms.amount && covered >= 0)
        return {"The payments cover the interest, so the balance falls from " +
                FormatDollars(terms.amount) + " and never grows to the balloon of " +
                FormatDollars(terms.balloon) + "."};
    const std::optional<double> n = SolveCount(AnnuityOf(terms, rate, 0));
    if (!n)
        return {"No number of payments brings the balance to the balloon."};
    // At least one payment, however little of one the balance needs.
    const double whole = std::max(1.0, std::ceil(*n - kWholeSlack));
    const int most = MaxLoanPayments(terms.paymentsPerYear);
    if (whole > most)
        return {"Paying the loan off takes " + Format("%.0f", whole) +
                " payments, more than 100 years of payments (" + std::to_string(most) + ")."};
    exactCount = *n;
    terms.count = static_cast<int>(whole);
    return {};
}

Step SolveRateInto(LoanTerms& terms)
{
    const double count = terms.count;
    const double repaid = terms.payment * count + terms.balloon;
    if (repaid < terms.amount * (1 - kWholeSlack))
        return {"The payments and the balloon add up to " + FormatDollars(repaid) +
                ", less than the amount of " + FormatDollars(terms.amount) +
                ", so no rate of 0 % or more repays it."};
    if (repaid <= terms.amount * (1 + kWholeSlack)) {
        terms.ratePercent = 0;
        return {};
    }
    if (terms.timing == PaymentTiming::Beginning && terms.payment >= terms.amount &&
        repaid > terms.amount)
        return {"The first payment, made at once, already repays the amount borrowed, so no "
                "rate fits these payments."};
    const double upper = PeriodicRate(kMaxLoanRate, terms.compounding, terms.paymentsPerYear);
    const RateSolution solution = SolveRate(AnnuityOf(terms, 0, count), upper);
    if (!solution.rate)
        return {"These payments would need a rate above 100 % a year."};
    terms.ratePercent = YearlyPercent(*solution.rate, terms.compounding, terms.paymentsPerYear);
    return {};
}

Step SolveExtraInto(LoanTerms& terms, double rate)
{
    // Paid off at the end of period m, with the extra from payment k on:
    //     A (1 + i)^m = P' s(m, i) + X (1 + i t) s(m − k + 1, i),  P' = P (1 + i t).
    const int m = terms.target;
    if (m < terms.extraFrom || m > terms.count)
        return {"The loan can be paid off early only from the first extra payment to the last "
                "payment of the term."};
    const double t = 1 + rate * Timing(terms);
    const double owed =
        terms.amount * Growth(rate, m) - terms.payment * t * AccumulatedPayments(rate, m);
    double extra = owed / (t * AccumulatedPayments(rate, m - terms.extraFrom + 1));
    if (!(extra > 0))
        extra = 0;
    if (terms.rounding == LoanRounding::Cents) {
        // Up to the cent, and up again while the rounded interest keeps it a payment short.
        extra = std::ceil(extra * 100 - kWholeSlack) / 100;
        LoanTerms trial = terms;
        for (int cent = 0; cent < 100; ++cent) {
            trial.extra = extra;
            if (RunLoanSchedule(ScheduleOf(trial)).paymentsMade <= m)
                break;
            extra += 0.01;
        }
    }
    if (extra > kMaxLoanAmount)
        return {"The extra payment would be " + FormatDollars(extra) + kTooLarge};
    terms.extra = extra;
    return {};
}

Step SolveUnknown(LoanTerms& terms, LoanUnknown unknown, double& exactCount)
{
    const double rate = PeriodicRate(terms.ratePercent, terms.compounding, terms.paymentsPerYear);
    const Annuity loan = AnnuityOf(terms, rate, terms.count);
    const bool cents = terms.rounding == LoanRounding::Cents;
    switch (unknown) {
    case LoanUnknown::Amount: {
        const double amount = SolveAmount(loan);
        if (amount < 0.005)
            return {"With no payment and no balloon nothing is repaid, so nothing can be "
                    "borrowed."};
        if (amount > kMaxLoanAmount)
            return {"These payments would repay " + FormatDollars(amount) + kTooLarge};
        terms.amount = cents ? RoundCents(amount) : amount;
        return {};
    }
    case LoanUnknown::Rate:
        return SolveRateInto(terms);
    case LoanUnknown::Count:
        return SolveCountInto(terms, rate, exactCount);
    case LoanUnknown::Payment: {
        double payment = SolvePayment(loan);
        if (payment < 0 && payment > -0.005)
            payment = 0;
        if (payment < 0)
            return {"The amount grows with its interest to only " +
                    FormatDollars(terms.amount * Growth(rate, terms.count)) +
                    " by the end of the term, less than the balloon of " +
                    FormatDollars(terms.balloon) + ", so no payments are needed."};
        if (payment > kMaxLoanAmount)
            return {"The payment would be " + FormatDollars(payment) + kTooLarge};
        terms.payment = cents ? RoundCents(payment) : payment;
        return {};
    }
    case LoanUnknown::Balloon: {
        double balloon = SolveBalloon(loan);
        if (balloon < 0 && balloon > -0.005)
            balloon = 0;
        if (balloon < 0)
            return {"The payments repay the loan before the end of the term and would leave " +
                    FormatDollars(-balloon) +
                    " overpaid, so there is no balloon: solve for the number of payments "
                    "instead."};
        if (balloon > kMaxLoanAmount)
            return {"The balloon would be " + FormatDollars(balloon) + kTooLarge};
        terms.balloon = cents ? RoundCents(balloon) : balloon;
        return {};
    }
    case LoanUnknown::Extra:
        return SolveExtraInto(terms, rate);
    }
    return {};
}

} // namespace

std::string FormatDollars(double value)
{
    return FormatMoney(Format("%.2f", value));
}

int MaxLoanPayments(int paymentsPerYear)
{
    return kMaxLoanYears * paymentsPerYear;
}

ScheduleTerms ScheduleOf(const LoanTerms& terms)
{
    ScheduleTerms schedule;
    schedule.amount = terms.amount;
    schedule.rate = PeriodicRate(terms.ratePercent, terms.compounding, terms.paymentsPerYear);
    schedule.count = terms.count;
    schedule.payment = terms.payment;
    schedule.balloon = terms.balloon;
    schedule.timing = terms.timing;
    schedule.extra = terms.extra;
    schedule.extraFrom = terms.extraFrom;
    schedule.paymentsPerYear = terms.paymentsPerYear;
    schedule.rounding = terms.rounding;
    return schedule;
}

LoanSolution SolveLoan(const LoanTerms& given, LoanUnknown unknown)
{
    LoanSolution solution;
    LoanTerms terms = given;
    if (terms.rounding == LoanRounding::Cents) {
        // The lender works with the cents of every figure given.
        for (double* value : {&terms.amount, &terms.payment, &terms.balloon, &terms.extra})
            *value = RoundCents(*value);
    }
    double exactCount = terms.count;
    if (Step step = SolveUnknown(terms, unknown, exactCount); step.failure) {
        solution.failure = std::move(step.failure);
        return solution;
    }

    // The APR: the periodic rate at which the amount less fees and points is worth the
    // payments and the balloon, times the payments a year.
    const double net = terms.amount - terms.fees - terms.amount * terms.pointsPercent / 100;
    Annuity cost{net, 0, exactCount, terms.payment, terms.balloon, terms.timing};
    const RateSolution apr = net > 0 ? SolveRate(cost, kAprUpperRate) : RateSolution{};
    if (!apr.rate) {
        solution.failure = "The fees and points of " + FormatDollars(terms.amount - net) +
                           " leave " + FormatDollars(net) +
                           " of the amount borrowed, too little to state the cost of the loan "
                           "as a yearly rate.";
        return solution;
    }

    const LoanSchedule schedule = RunLoanSchedule(ScheduleOf(terms));
    solution.terms = terms;
    solution.exactCount = exactCount;
    solution.totalPayments = schedule.totalPayments;
    solution.totalInterest = schedule.totalInterest;
    solution.aprPercent = *apr.rate * terms.paymentsPerYear * 100;
    solution.paymentsMade = schedule.paymentsMade;
    if (terms.extra > 0 && terms.extraFrom <= terms.count) {
        LoanTerms plain = terms;
        plain.extra = 0;
        solution.interestSaved =
            RunLoanSchedule(ScheduleOf(plain)).totalInterest - schedule.totalInterest;
    }
    return solution;
}

} // namespace tw
