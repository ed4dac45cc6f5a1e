#include "finance/loan.h"

#include <cmath>

namespace tw {

namespace {

// Equal as stored values: the sign of a zero counts, and NaN equals NaN.
bool SameFloat(float a, float b)
{
    return (a == b && std::signbit(a) == std::signbit(b)) || (std::isnan(a) && std::isnan(b));
}

} // namespace

// Each product is rounded to float, as a stored running power; n ≤ 1 leaves x unchanged.
// Once a product gives back the power it was made from (infinity, 0, or a value the rounding
// holds in place) every further product does too, so the walk can stop there: a count of
// billions (a term read without checks) costs no more than the steps before that point. A
// negative x can instead swing between two values; then only the parity of what is left counts.
float PowerInt(float x, int n)
{
    float power = x;
    float previous = x;
    for (int i = 1; i < n; ++i) {
        const float next = StoreFloat(Extended{x} * power);
        if (SameFloat(next, power))
            return next;
        if (i >= 2 && SameFloat(next, previous)) // a two-value swing: power, next, power, ...
            return (n - 1 - i) % 2 == 0 ? next : power;
        previous = power;
        power = next;
    }
    return power;
}

// payment = P·r / (1 − (1 + r)^−n); rate r per period as a fraction, result per period, same
// sign as P. b, t and d are stored; P × r is not, it stays extended into the division.
Money MonthlyPayment(Money principal, float rate, int periods)
{
    const float growth = StoreFloat(Extended{1} + rate);
    const float power = PowerInt(growth, periods);
    const float divisor = StoreFloat(Extended{1} - Extended{1} / power);
    return StoreFloat(Extended{principal} * rate / divisor);
}

// Each month: interest = balance × r (stored), principal part = payment − that stored
// interest, plus the extra from month extraFrom on. Months before first only move the
// balance. The payment that would overshoot the balance is the last: it repays only the
// balance, though its whole month interest has been counted.
AmortizeResult AmortizeRange(Money principal, float rate, int periods, int first, int last,
                             Money extra, int extraFrom)
{
    const Money payment = MonthlyPayment(principal, rate, periods);
    AmortizeResult result;
    Money total = 0;
    Money balance = principal;

    // A 64-bit counter, so that a last month of INT_MAX ends instead of overflowing.
    for (long long month = 0; month <= last; ++month) {
        const Money interest = StoreFloat(Extended{balance} * rate);
        Money principalPart = StoreFloat(Extended{payment} - interest);
        if (month >= extraFrom)
            principalPart = StoreFloat(Extended{principalPart} + extra);

        if (month >= first) {
            result.interest = StoreFloat(Extended{result.interest} + interest);
            ++result.payments;
            if (balance < principalPart) {
                result.principal = StoreFloat(Extended{total} + balance);
                return result;
            }
            total = StoreFloat(Extended{total} + principalPart);
        }

        balance = StoreFloat(Extended{balance} - principalPart);
        if (balance <= 0) {
            // Adding the (negative) balance takes back what the last part overshot.
            total = StoreFloat(Extended{total} + balance);
            result.principal = total < 0 ? 0 : total;
            return result;
        }
    }
    result.principal = total;
    return result;
}

PaymentLimit PaymentLimitFor(float rate, int periods)
{
    // Also refuses a rate of 0, a negative one or NaN: none has an annuity payment.
    if (!(rate > 0) || StoreFloat(Extended{1} + rate) == 1.0F)
        return PaymentLimit::RateTooSmall;
    if (!std::isfinite(PowerInt(StoreFloat(Extended{1} + rate), periods)))
        return PaymentLimit::PowerOverflows;
    return PaymentLimit::Ok;
}

const char* PaymentLimitMessage(PaymentLimit limit)
{
    switch (limit) {
    case PaymentLimit::Ok:
        return "";
    case PaymentLimit::RateTooSmall:
        return "The rate is too small to compute a monthly payment. Please enter a larger rate.";
    case PaymentLimit::PowerOverflows:
        return "The monthly payment cannot be computed for this rate and number of years. "
               "Please enter a lower rate or fewer years.";
    }
    return "";
}

} // namespace tw
