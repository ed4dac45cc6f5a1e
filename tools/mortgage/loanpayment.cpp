#include "tools/mortgage/loanpayment.h"

namespace tw {

PaymentLimit LoanPaymentLimit(const LoanTerms& terms)
{
    return PaymentLimitFor(MonthlyRate(terms.rate), terms.years * 12);
}

Money LoanPayment(const LoanTerms& terms)
{
    const Money principal = StoreFloat(Extended{terms.amount} - terms.downPayment);
    return MonthlyPayment(principal, MonthlyRate(terms.rate), terms.years * 12);
}

} // namespace tw
