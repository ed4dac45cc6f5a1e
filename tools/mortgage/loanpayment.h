#pragma once
// The mortgage and loan tools. The computations (the loan payment, the year-by-year payoff
// schedule and its table file, the accelerated-payment analysis) are pure functions over
// plain structs that use only finance/ and tools/records.h; the forms read and check their
// fields, call those functions and show the results through the platform interface.

#include "finance/loan.h"
#include "finance/precision.h"

namespace tw {

// A loan as the mortgage and loan calculators take it in.
struct LoanTerms
{
    Money amount = 0; // the price or the amount borrowed
    Money downPayment = 0;
    Percent rate = 0; // a year
    int years = 0;
};

// Whether MonthlyPayment has an answer for these terms: the monthly rate MonthlyRate(rate)
// over years × 12 payments.
PaymentLimit LoanPaymentLimit(const LoanTerms& terms);

// The monthly payment on amount − down payment at the monthly rate of the yearly rate over
// years × 12 months. A down payment at or above the amount gives a payment of 0 or less.
// The caller checks LoanPaymentLimit first.
Money LoanPayment(const LoanTerms& terms);

} // namespace tw
