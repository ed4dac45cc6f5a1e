#include "tools/mortgage/loanform.h"

#include "finance/format.h"
#include "finance/messages.h"
#include "finance/numberreader.h"
#include "platform/fields.h"
#include "tools/mortgage/loanpayment.h"
#include "tools/toolcommands.h"

namespace tw {

const ToolDescription LoanForm::kTool = {
    .resource = "mortgagec",
    .title = "Loan Calculator",
    .command = commands::kLoan,
    .mark = ToolMark::Loan,
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
    .make = MakeTool<LoanForm>,
};

namespace {

constexpr int kFieldChars = 10; // texts of at most 9 characters

constexpr std::string_view kRateTitle = "RATE ERROR";

} // namespace

int LoanForm::defaultButton() const
{
    return kCalculate;
}

void LoanForm::opened(Window& window)
{
    attach(window);
    const LoanTexts& texts = context_.records.loan;
    window.setText(kAmount, texts.amount);
    window.setText(kDownPayment, texts.downPayment);
    window.setText(kRate, texts.rate);
    window.setText(kYears, texts.years);
    window.setText(kPayment, texts.payment);
}

void LoanForm::command(int id)
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

void LoanForm::calculate()
{
    Platform& platform = context_.platform;
    Window& window = *window_;
    LoanTexts& texts = context_.records.loan;

    // Each text is kept as read before its test, so a refused one comes back next time.
    texts.rate = window.text(kRate, kFieldChars);
    const Percent rate = ReadFloat(texts.rate);
    if (!CheckRange(platform, window, rate, 1, 1000, kRateMessage, kRateTitle))
        return;

    texts.amount = window.text(kAmount, kFieldChars);
    const Money amount = ReadFloat(texts.amount);
    if (!CheckRange(platform, window, amount, 1, 100000000, kAmountMessage, "AMOUNT ERROR"))
        return;

    texts.downPayment = window.text(kDownPayment, kFieldChars);
    const Money downPayment = ReadFloat(texts.downPayment);
    if (!CheckRange(platform, window, downPayment, 0, 100000000, kAmountMessage,
                    "DOWN PAYMENT ERROR"))
        return;

    texts.years = window.text(kYears, kFieldChars);
    const int years = ReadInt(texts.years);
    if (years < 1 || years > 100) {
        showError(ValidationMessage(kYearsMessage), "NO OF YEARS ERROR");
        return;
    }

    const LoanTerms terms{amount, downPayment, rate, years};
    const PaymentLimit limit = LoanPaymentLimit(terms);
    if (limit != PaymentLimit::Ok) {
        showError(PaymentLimitMessage(limit), kRateTitle);
        return;
    }

    texts.payment = Format("%-9.2f", LoanPayment(terms));
    window.setText(kPayment, texts.payment);
}

} // namespace tw
