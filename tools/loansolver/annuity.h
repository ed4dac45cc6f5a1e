#pragma once
// The time value of money of a level-payment loan, in double precision: the loan solver's
// arithmetic. No toolkit and none of the single-precision rules of the older calculators.
//
// Sign convention: every amount is a positive number of dollars. The amount A is borrowed at
// time 0; n payments P fall at the end of each period (or at its beginning, "in advance");
// the balloon B is what is still owed at time n, the end of the term: right after the last
// payment when payments fall at the end of a period, one period's interest after it when they
// fall at its beginning. With the periodic rate i (a fraction, per payment period) the loan
// balances when
//
//     A (1 + i)^n = P (1 + i t) s(n, i) + B,   s(n, i) = ((1 + i)^n − 1) / i,
//
// where t is 1 for payments in advance and 0 otherwise; s(n, 0) = n, so a rate of 0 needs no
// special case in the caller.

#include <optional>

namespace tw {

enum class PaymentTiming { End, Beginning };

// Compounding per year; kContinuous stands for continuous compounding.
inline constexpr int kContinuous = 0;

// The rate per payment period (a fraction) from the yearly rate in percent with c compoundings
// and p payments a year: (1 + r/c)^(c/p) − 1, or e^(r/p) − 1 when continuous. 0 gives 0.
double PeriodicRate(double yearlyPercent, int compounding, int paymentsPerYear);
// Its inverse: the yearly rate in percent that gives the periodic rate.
double YearlyPercent(double periodicRate, int compounding, int paymentsPerYear);

struct Annuity
{
    double amount = 0;
    double rate = 0; // periodic, a fraction
    double count = 0;
    double payment = 0;
    double balloon = 0;
    PaymentTiming timing = PaymentTiming::End;
};

// (1 + i)^n and s(n, i), accurate for rates near 0.
double Growth(double rate, double count);
double AccumulatedPayments(double rate, double count);

// Each unknown from the others, by the equation above.
double SolvePayment(const Annuity& loan);
double SolveAmount(const Annuity& loan);
double SolveBalloon(const Annuity& loan);
// n, not necessarily whole; nothing when the balance never reaches the balloon.
std::optional<double> SolveCount(const Annuity& loan);

struct RateSolution
{
    std::optional<double> rate; // periodic; nothing when no rate in the bracket balances
    int iterations = 0;
};

// The periodic rate in [0, upper] that balances the loan: Newton's method kept inside a
// shrinking bracket, bisecting whenever a Newton step would leave it or gain too little, to a
// relative 1e-12. It ends within kMaxRateIterations steps whatever the input (NaN included).
inline constexpr int kMaxRateIterations = 100;
RateSolution SolveRate(const Annuity& loan, double upper);

} // namespace tw
