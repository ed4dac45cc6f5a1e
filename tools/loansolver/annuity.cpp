#include "tools/loansolver/annuity.h"

#include <algorithm>
#include <cmath>

namespace tw {

namespace {

// Below this periodic rate the slope of s(n, i) / (1 + i)^n is taken from its series, where
// the closed form would lose its digits to cancellation.
constexpr double kSeriesRate = 1e-6;
constexpr double kRelativeTolerance = 1e-12;

// The present value at rate i of what repays the loan, less the amount:
//     h(i) = P (1 + i t) a(n, i) + B v^n − A,   v = 1 / (1 + i),  a(n, i) = (1 − v^n) / i,
// with a(n, 0) = n. It falls as i grows (for P, B ≥ 0), so its root is unique.
struct Balance
{
    double value = 0;
    double slope = 0; // dh/di
};

Balance Discounted(const Annuity& loan, double i)
{
    const double n = loan.count;
    const double t = loan.timing == PaymentTiming::Beginning ? 1.0 : 0.0;
    const double logGrowth = std::log1p(i);
    const double vn = std::exp(-n * logGrowth); // v^n
    const double a = i == 0 ? n : -std::expm1(-n * logGrowth) / i;
    // da/di = (n v^(n+1) − a) / i, or from a = n − n(n+1)/2 i + n(n+1)(n+2)/6 i² − …
    const double slopeA = i > kSeriesRate ? (n * vn / (1 + i) - a) / i
                                          : -n * (n + 1) / 2 + n * (n + 1) * (n + 2) / 3 * i;
    Balance h;
    h.value = loan.payment * (1 + i * t) * a + loan.balloon * vn - loan.amount;
    h.slope = loan.payment * (t * a + (1 + i * t) * slopeA) - loan.balloon * n * vn / (1 + i);
    return h;
}

} // namespace

double PeriodicRate(double yearlyPercent, int compounding, int paymentsPerYear)
{
    const double r = yearlyPercent / 100;
    const double p = paymentsPerYear;
    if (compounding == kContinuous)
        return std::expm1(r / p);
    if (compounding == paymentsPerYear)
        return r / p;
    const double c = compounding;
    return std::expm1(c / p * std::log1p(r / c));
}

double YearlyPercent(double periodicRate, int compounding, int paymentsPerYear)
{
    const double p = paymentsPerYear;
    if (compounding == kContinuous)
        return p * std::log1p(periodicRate) * 100;
    if (compounding == paymentsPerYear)
        return periodicRate * p * 100;
    const double c = compounding;
    return c * std::expm1(p / c * std::log1p(periodicRate)) * 100;
}

double Growth(double rate, double count)
{
    return std::exp(count * std::log1p(rate));
}

double AccumulatedPayments(double rate, double count)
{
    return rate == 0 ? count : std::expm1(count * std::log1p(rate)) / rate;
}

double SolvePayment(const Annuity& loan)
{
    // P = (A (1 + i)^n − B) / ((1 + i t) s(n, i))
    const double t = loan.timing == PaymentTiming::Beginning ? 1.0 : 0.0;
    return (loan.amount * Growth(loan.rate, loan.count) - loan.balloon) /
           ((1 + loan.rate * t) * AccumulatedPayments(loan.rate, loan.count));
}

double SolveAmount(const Annuity& loan)
{
    // A = (P (1 + i t) s(n, i) + B) / (1 + i)^n
    const double t = loan.timing == PaymentTiming::Beginning ? 1.0 : 0.0;
    return (loan.payment * (1 + loan.rate * t) * AccumulatedPayments(loan.rate, loan.count) +
            loan.balloon) /
           Growth(loan.rate, loan.count);
}

double SolveBalloon(const Annuity& loan)
{
    // B = A (1 + i)^n − P (1 + i t) s(n, i)
    const double t = loan.timing == PaymentTiming::Beginning ? 1.0 : 0.0;
    return loan.amount * Growth(loan.rate, loan.count) -
           loan.payment * (1 + loan.rate * t) * AccumulatedPayments(loan.rate, loan.count);
}

std::optional<double> SolveCount(const Annuity& loan)
{
    // (1 + i)^n (P' − A i) = P' − B i with P' = P (1 + i t); at i = 0, n = (A − B) / P. The
    // balance moves towards the balloon only when both sides have the same sign and the
    // ratio exceeds 1.
    const double i = loan.rate;
    const double t = loan.timing == PaymentTiming::Beginning ? 1.0 : 0.0;
    double n = 0;
    if (i == 0) {
        if (loan.payment <= 0)
            return std::nullopt;
        n = (loan.amount - loan.balloon) / loan.payment;
    } else {
        const double paid = loan.payment * (1 + i * t);
        const double ratio = (paid - loan.balloon * i) / (paid - loan.amount * i);
        n = std::log(ratio) / std::log1p(i);
    }
    if (!std::isfinite(n) || n <= 0)
        return std::nullopt;
    return n;
}

RateSolution SolveRate(const Annuity& loan, double upper)
{
    RateSolution solution;
    if (!(upper > 0))
        return solution;
    double lo = 0;
    double hi = upper;
    const Balance atLo = Discounted(loan, lo);
    solution.iterations = 1;
    // Payments that add up to the amount, give or take the last bits of the sum, are a rate
    // of 0.
    const double scale = loan.amount + loan.payment * loan.count + loan.balloon;
    if (std::isfinite(atLo.value) && std::fabs(atLo.value) <= kRelativeTolerance * scale) {
        solution.rate = 0.0;
        return solution;
    }
    // A root needs h(0) > 0 and h(upper) ≤ 0; NaN fails both tests.
    if (!(atLo.value > 0))
        return solution;
    const Balance atHi = Discounted(loan, hi);
    solution.iterations = 2;
    if (!(atHi.value <= 0))
        return solution;

    // Start where the chord between the ends crosses 0.
    double x = lo + (hi - lo) * atLo.value / (atLo.value - atHi.value);
    if (!(x > lo && x < hi))
        x = (lo + hi) / 2;
    double lastStep = hi - lo;
    while (solution.iterations < kMaxRateIterations) {
        const Balance h = Discounted(loan, x);
        ++solution.iterations;
        if (h.value == 0)
            break;
        if (h.value > 0)
            lo = x;
        else
            hi = x;
        double next = x - h.value / h.slope;
        const double step = std::fabs(next - x);
        // Bisect when Newton would leave the bracket, or when it gains less than bisection
        // would over two steps.
        if (!(next > lo && next < hi) || step > lastStep / 2) {
            next = (lo + hi) / 2;
            lastStep = (hi - lo) / 2;
        } else {
            lastStep = step;
        }
        const bool settled =
            std::fabs(next - x) <= kRelativeTolerance * next || hi - lo <= kRelativeTolerance * hi;
        x = next;
        if (settled)
            break;
    }
    solution.rate = std::clamp(x, 0.0, upper);
    return solution;
}

} // namespace tw
