#include "tools/mortgage/accelform.h"

#include "finance/format.h"
#include "finance/money.h"
#include "platform/fields.h"
#include "tools/mortgage/accelerated.h"
#include "tools/mortgage/loanpayment.h"
#include "tools/toolcommands.h"

namespace tw {

const ToolDescription AccelForm::kTool = {
    .resource = "accel",
    .title = "Accelerated Mortgage Payment Analysis",
    .command = commands::kAccelerated,
    .mark = ToolMark::Accelerated,
    .slotRule = SlotRule::AfterGuard,
    .slot = 2,
    .ok = kOk,
    .calculate = kCalculate,
    .help = kHelp,
    .helpContext = kHelpContext,
    .firstField = kAmount,
    .enter = kCalculate,
    .controls =
        {
            .inputs = kInputs,
            .results = kResults,
            .buttons = kButtons,
        },
    .make = MakeTool<AccelForm>,
};

namespace {

constexpr int kMoneyChars = 15;
constexpr int kYearsChars = 4;
constexpr int kRateChars = 10;

constexpr std::string_view kRateTitle = "Rate Error!";

// The investment rates open at 5, 0 and 0 every time; they are not kept.
constexpr float kInitialInvestmentRate = 5;

} // namespace

int AccelForm::defaultButton() const
{
    return kCalculate;
}

void AccelForm::opened(Window& window)
{
    attach(window);
    const MortgageValues& current = context_.records.currentMortgage;
    window.setText(kAmount, Format("%-13.2f", current.amount));
    window.setText(kYears, Format("%3d", current.years));
    window.setText(kYearsLeft, Format("%3d", current.yearsLeft));
    window.setText(kRate, Format("%-6.2f", current.rate));
    window.setText(kExtra, Format("%-13.2f", current.accelerated));
    window.setText(kInvested, FormatMoney(Format("%-13.2f", current.accelerated)));
    window.setText(kInvestmentRate, Format("%-13.2f", kInitialInvestmentRate));
    window.setText(kTaxRate, Format("%-13.2f", 0.0));
    window.setText(kInflationRate, Format("%-13.2f", 0.0));
    for (int id : {kInvestmentWorth, kInvestmentYears, kPayment, kTotalPayments, kTotalInterest,
                   kPaymentYears, kAcceleratedPayment, kAcceleratedTotalPayments,
                   kAcceleratedInterest, kSavings})
        window.setText(id, "");
}

void AccelForm::command(int id)
{
    switch (id) {
    case kCalculate:
        calculate();
        return;
    case kOk:
        finish();
        return;
    case kHelp:
        showHelp(kHelpContext);
        return;
    default:
        return;
    }
}

void AccelForm::calculate()
{
    Window& window = *window_;
    MortgageValues& current = context_.records.currentMortgage;

    // Each value that passes goes into the current mortgage at once.
    const float amount = ReadFloatField(window, kAmount, kMoneyChars);
    if (!(amount > 0 && amount <= 10000000)) {
        showWarning("The mortgage amount must be greater than $0.00 and less than $10,000,000.00.",
                    "Amount Error!");
        return;
    }
    current.amount = amount;

    const int years = ReadIntField(window, kYears, kYearsChars);
    if (years < 1 || years > 50) {
        showWarning("The number of years must be greater than 0 and less than 50.",
                    "Number of Years Error!");
        return;
    }
    current.years = years;

    const int yearsLeft = ReadIntField(window, kYearsLeft, kYearsChars);
    if (yearsLeft < 1 || yearsLeft > years) {
        showWarning("The number of years left must be greater than 0 and less than the life of the "
                    "mortgage.",
                    "Number of Years Left Error!");
        return;
    }
    current.yearsLeft = yearsLeft;

    const float rate = ReadFloatField(window, kRate, kRateChars);
    if (!(rate > 0 && rate <= 50)) {
        showWarning("The mortgage rate must be greater than 0.0% and less than 50.0%", kRateTitle);
        return;
    }
    current.rate = rate;
    current.monthlyRate = MonthlyRate(rate);

    const float extra = ReadFloatField(window, kExtra, kMoneyChars);
    if (!(extra >= 0 && extra <= 100000)) {
        showWarning("The addition monthly payment must be greater than $0.00 and less than "
                    "$100,000.00",
                    "Additional Amount Error!");
        return;
    }
    current.accelerated = extra;
    window.setText(kInvested, AcceleratedMoneyText(extra));

    const float investmentRate = ReadFloatField(window, kInvestmentRate, kRateChars);
    if (!(investmentRate >= 0 && investmentRate <= 50)) {
        showWarning("The investment rate must be greater than 0.0% and less than 50.0%",
                    kRateTitle);
        return;
    }
    const float taxRate = ReadFloatField(window, kTaxRate, kRateChars);
    if (!(taxRate >= 0 && taxRate <= 50)) {
        showWarning("The tax rate must be greater than 0.0% and less than 50.0%", kRateTitle);
        return;
    }
    const float inflationRate = ReadFloatField(window, kInflationRate, kRateChars);
    if (!(inflationRate >= 0 && inflationRate <= 50)) {
        showWarning("The inflation rate must be greater than 0.0% and less than 50.0%", kRateTitle);
        return;
    }

    const PaymentLimit limit = LoanPaymentLimit({amount, 0, rate, years});
    if (limit != PaymentLimit::Ok) {
        showWarning(PaymentLimitMessage(limit), kRateTitle);
        return;
    }

    const AcceleratedResult result = AnalyzeAcceleratedPayment(
        {amount, years, yearsLeft, rate, extra, investmentRate, taxRate, inflationRate});
    const AcceleratedTexts texts = FormatAcceleratedResult(result);
    window.setText(kPayment, texts.payment);
    window.setText(kTotalPayments, texts.totalPayments);
    window.setText(kTotalInterest, texts.totalInterest);
    window.setText(kPaymentYears, texts.paymentYears);
    window.setText(kAcceleratedPayment, texts.acceleratedPayment);
    window.setText(kAcceleratedTotalPayments, texts.acceleratedTotalPayments);
    window.setText(kAcceleratedInterest, texts.acceleratedInterest);
    window.setText(kSavings, texts.savings);
    window.setText(kInvestmentWorth, texts.investmentWorth);
    window.setText(kInvestmentYears, texts.investmentYears);
}

} // namespace tw
