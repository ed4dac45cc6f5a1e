#include "tools/mortgage/accelerated.h"

#include "finance/format.h"
#include "finance/loan.h"
#include "finance/money.h"

namespace tw {

AcceleratedResult AnalyzeAcceleratedPayment(const AcceleratedInput& input)
{
    AcceleratedResult result;
    const Money amount = input.amount;
    const Money extra = input.extra;
    const float rate = MonthlyRate(input.rate);
    const int months = input.years * 12;
    const Money payment = MonthlyPayment(amount, rate, months);
    const int monthsPaid = (input.years - input.yearsLeft) * 12;

    Money existing = amount;       // Be
    Money accelerated = amount;    // Ba
    Money existingInterest = 0;    // Ie
    Money acceleratedInterest = 0; // Ia
    Money acceleratedPart = 0;     // pa: the accelerated payment's principal part
    int payoffMonth = 0;           // k

    for (int month = 1; month <= months; ++month) {
        const Money existingMonth = StoreFloat(Extended{rate} * existing);
        const Money acceleratedMonth = StoreFloat(Extended{rate} * accelerated);

        if (existing != 0) {
            const Money existingPart = StoreFloat(Extended{payment} - existingMonth);
            if (month > monthsPaid) {
                acceleratedPart = StoreFloat(Extended{payment} + extra - acceleratedMonth);
                if (Extended{accelerated} - acceleratedPart < 0) {
                    // The last accelerated payment repays only what is left.
                    acceleratedPart = accelerated;
                    accelerated = 0;
                }
            } else {
                acceleratedPart = StoreFloat(Extended{payment} - acceleratedMonth);
            }
            if (existing > 0)
                existing = StoreFloat(Extended{existing} - existingPart);
        }

        if (accelerated == 0) {
            acceleratedPart = 0;
        } else {
            if (accelerated >= 0) {
                accelerated = StoreFloat(Extended{accelerated} - acceleratedPart);
                payoffMonth = month + 1;
            }
            if (existing < 0)
                existing = 0;
            if (accelerated < 0) {
                acceleratedPart = StoreFloat(Extended{accelerated} + acceleratedPart);
                accelerated = 0;
            }
        }

        existingInterest = StoreFloat(Extended{existingInterest} + existingMonth);
        acceleratedInterest = StoreFloat(Extended{acceleratedInterest} + acceleratedMonth);
    }

    result.monthlyRate = rate;
    result.payment = payment;
    result.totalPayments = static_cast<double>(Extended{existingInterest} + amount);
    result.totalInterest = existingInterest;
    result.payoffMonth = payoffMonth;
    result.paymentYears = static_cast<double>(static_cast<Extended>(payoffMonth) * kTwelfth);
    result.acceleratedPayment = static_cast<double>(Extended{payment} + extra);
    result.acceleratedTotalPayments = static_cast<double>(Extended{acceleratedInterest} + amount);
    result.acceleratedInterest = acceleratedInterest;
    result.savings = static_cast<double>((Extended{existingInterest} + amount) -
                                         (Extended{acceleratedInterest} + amount));

    // B starts as one year of extra payments; each year g = rate × B, B loses tax on g and
    // the inflation rate of itself, then gains g and another year of extra payments.
    const int years = payoffMonth / 12;
    Money worth = StoreFloat(Extended{extra} * 12);
    for (int year = 0; year < years; ++year) {
        const Money gain = StoreFloat(Extended{input.investmentRate} * kHundredth * worth);
        worth = StoreFloat(Extended{worth} - Extended{gain} * input.taxRate * kHundredth);
        worth = StoreFloat(Extended{worth} - Extended{worth} * input.inflationRate * kHundredth);
        worth = StoreFloat(Extended{worth} + gain + Extended{extra} * 12);
    }
    result.investmentYears = years;
    result.investmentWorth = worth;
    return result;
}

std::string AcceleratedMoneyText(double amount)
{
    return FormatMoney(Format("%13.2f", amount));
}

AcceleratedTexts FormatAcceleratedResult(const AcceleratedResult& result)
{
    AcceleratedTexts texts;
    texts.payment = AcceleratedMoneyText(result.payment);
    texts.totalPayments = AcceleratedMoneyText(result.totalPayments);
    texts.totalInterest = AcceleratedMoneyText(result.totalInterest);
    texts.paymentYears = Format("%-6.2f", result.paymentYears);
    texts.acceleratedPayment = AcceleratedMoneyText(result.acceleratedPayment);
    texts.acceleratedTotalPayments = AcceleratedMoneyText(result.acceleratedTotalPayments);
    texts.acceleratedInterest = AcceleratedMoneyText(result.acceleratedInterest);
    texts.savings = AcceleratedMoneyText(result.savings);
    texts.investmentWorth = AcceleratedMoneyText(result.investmentWorth);
    texts.investmentYears = Format("%3d", result.investmentYears);
    return texts;
}

} // namespace tw
