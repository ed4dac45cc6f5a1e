#pragma once
#include "finance/precision.h"

namespace tw {

// x to a whole power by repeated multiplication: p = x, then n − 1 times p = float(x × p).
// For n ≤ 1 the result is x itself (n = 0 gives x, not 1).
float PowerInt(float x, int n);

// The annuity payment P·r / (1 − (1 + r)^−n), r per period (a fraction), n periods:
// b = float(1 + r); t = PowerInt(b, n); d = float(1 − 1/t); payment = float(P × r / d).
// The caller guarantees r > 0 and checks PaymentLimitFor first; P ≤ 0 gives a payment ≤ 0.
Money MonthlyPayment(Money principal, float rate, int periods);

struct AmortizeResult
{
    Money principal = 0; // principal repaid in the counted months
    int payments = 0;    // counted months in which a payment was made
    Money interest = 0;  // interest paid in the counted months
};

// Simulates the loan month by month from month 0 and reports months first..last inclusive.
// From month extraFrom on, extra is added to every principal part (an accelerated payment).
// A loan paid off before month first reports nothing; the last, partial payment counts
// only the remaining balance as principal but its full month interest.
AmortizeResult AmortizeRange(Money principal, float rate, int periods, int first, int last,
                             Money extra = 0, int extraFrom = 0);

// MonthlyPayment has no answer when 1 + r rounds to 1 in single precision (the divisor
// becomes 0) or when (1 + r)^n overflows single precision (t becomes infinite and the
// formula silently degenerates to P × r). Calculators refuse such inputs right after their
// own checks. A rate of 0 or below (or NaN) is reported as RateTooSmall as well; a period
// count below 1 is not checked here.
enum class PaymentLimit { Ok, RateTooSmall, PowerOverflows };

PaymentLimit PaymentLimitFor(float rate, int periods);

// The text shown when a calculator refuses a payment (empty for PaymentLimit::Ok).
const char* PaymentLimitMessage(PaymentLimit limit);

} // namespace tw
