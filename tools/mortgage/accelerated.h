#pragma once
#include "finance/precision.h"

#include <string>

namespace tw {

// A mortgage with a fixed amount added to every monthly payment once the months already
// paid are over, and the same amount invested instead.
struct AcceleratedInput
{
    Money amount = 0;  // the loan, repaid by the monthly payment over years × 12 months
    int years = 0;     // 1 to 50
    int yearsLeft = 0; // 1 to years: the extra payments start after (years − left) × 12 months
    Percent rate = 0;  // a year, above 0, with a payment that exists (LoanPaymentLimit)
    Money extra = 0;   // added to each monthly payment
    Percent investmentRate = 0; // a year, earned on the invested extra
    Percent taxRate = 0;        // taken from each year's investment gain
    Percent inflationRate = 0;  // taken from the invested balance each year
};

struct AcceleratedResult
{
    float monthlyRate = 0;
    Money payment = 0;                   // the ordinary monthly payment m
    double totalPayments = 0;            // interest + amount, without the extra payments
    Money totalInterest = 0;             // interest without the extra payments
    int payoffMonth = 0;                 // k: the month after the last ordinary reduction
    double paymentYears = 0;             // k / 12, as a fraction
    double acceleratedPayment = 0;       // m + extra
    double acceleratedTotalPayments = 0; // interest + amount, with the extra payments
    Money acceleratedInterest = 0;
    double savings = 0;        // total payments without less with the extra payments
    int investmentYears = 0;   // k / 12, whole years
    Money investmentWorth = 0; // the invested extra after those years
};

// Runs both loans side by side month by month over the full term. Interest each month is
// the balance × the monthly rate; the existing loan repays the payment less that interest;
// the accelerated one repays the payment plus the extra less its interest once the months
// already paid are over, and its last payment is cut to the balance left. The investment
// starts with one year of extra payments and, each whole year of the accelerated payoff,
// earns its rate, pays tax on the gain, loses the inflation rate of its balance and gains
// another year of extra payments.
AcceleratedResult AnalyzeAcceleratedPayment(const AcceleratedInput& input);

// The texts of the result fields: money as "%13.2f" rewritten as money, the payment years
// as "%-6.2f", the investment years as "%3d".
struct AcceleratedTexts
{
    std::string payment;
    std::string totalPayments;
    std::string totalInterest;
    std::string paymentYears;
    std::string acceleratedPayment;
    std::string acceleratedTotalPayments;
    std::string acceleratedInterest;
    std::string savings;
    std::string investmentWorth;
    std::string investmentYears;
};

AcceleratedTexts FormatAcceleratedResult(const AcceleratedResult& result);

// An amount as the form shows money: "%13.2f" rewritten by FormatMoney.
std::string AcceleratedMoneyText(double amount);

} // namespace tw
