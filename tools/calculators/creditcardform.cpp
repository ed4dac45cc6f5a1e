#include "tools/calculators/creditcardform.h"

#include "finance/format.h"
#include "platform/fields.h"
#include "tools/calculators/creditcard.h"
#include "tools/calculators/truncatecount.h"
#include "tools/toolcommands.h"

#include <utility>

namespace tw {

const ToolDescription CreditCardForm::kTool = {
    .resource = "ccard",
    .title = "Credit Card Debt",
    .command = commands::kCreditCard,
    .mark = ToolMark::CreditCard,
    .slotRule = SlotRule::Borrowed,
    .slot = 8,
    .raisesItself = true,
    .ok = kOk,
    .calculate = kCalculate,
    .help = kHelp,
    .helpContext = kHelpContext,
    .firstField = kBalance,
    .enter = kCalculate,
    .controls =
        {
            .inputs = kInputs,
            .results = kResults,
            .buttons = kButtons,
        },
    .make = MakeTool<CreditCardForm>,
};

namespace {

constexpr int kFieldChars = 9; // characters of text read from each field

} // namespace

void CreditCardForm::opened(Window& window)
{
    attach(window);
    const CreditCardRecord& card = context_.records.cardRecord();
    window.setText(kBalance, Format("%-12.2f", static_cast<double>(card.balance)));
    window.setText(kRate, Format("%-6.2f", static_cast<double>(card.rate)));
    window.setText(kPayment, Format("%-11.2f", static_cast<double>(card.payment)));
    window.setText(kPurchases, Format("%-11.2f", static_cast<double>(card.purchases)));
    window.setText(kMonths, Format("%-3d", TruncateCount(card.months)));
    window.setText(kYears, Format("%-5.2f", static_cast<double>(card.years)));
    window.setText(kInterest, Format("%-11.2f", static_cast<double>(card.interest)));
}

void CreditCardForm::command(int id)
{
    switch (id) {
    case kCalculate:
        calculate();
        return;
    case kHelp:
        showHelp(kHelpContext);
        return;
    case kOk:
        calculate();
        finish();
        return;
    default:
        return;
    }
}

void CreditCardForm::warnTooLarge()
{
    showWarning("The balance and the interest grow too large to calculate.\n"
                "Please enter a larger monthly payment or a lower rate.",
                "Calculation Error!");
}

void CreditCardForm::warnNeverPaidOff()
{
    showWarning("With this monthly payment the balance is never paid off: the payment does not "
                "cover the interest and the purchases.\n"
                "The results are those of the first 100 years. Please enter a larger monthly "
                "payment.",
                "Balance Not Paid Off!");
}

// Works on the record of the slot in force when the calculation runs.
void CreditCardForm::calculate()
{
    Window& window = *window_;
    CreditCardRecord& card = context_.records.cardRecord();
    // Stored in this order as read. A number typed beyond the float range (1e39) reads as
    // infinity: it stops the calculation unstored, or the next opening would show it.
    const std::pair<int, float*> inputs[] = {{kRate, &card.rate},
                                             {kBalance, &card.balance},
                                             {kPayment, &card.payment},
                                             {kPurchases, &card.purchases}};
    for (const auto& [id, stored] : inputs) {
        if (!ReadFloatFieldInto(window, id, kFieldChars + 1, *stored)) {
            warnTooLarge();
            return;
        }
    }

    const CardPayoffResult payoff =
        PayOffCard({card.balance, card.rate, card.payment, card.purchases});
    if (!payoff.finite) {
        // A payment below the month's interest at a high rate lets the balance outgrow
        // the float range long before the 1200 months are over; nothing sensible is left
        // to show, so the results stay as they were.
        warnTooLarge();
        return;
    }

    window.setText(kYears, Format("%-5.2f", static_cast<double>(payoff.years)));
    window.setText(kMonths, Format("%3d", TruncateCount(payoff.months)));
    window.setText(kInterest, Format("%13.2f", static_cast<double>(payoff.interest)));
    card.months = payoff.months;
    card.years = payoff.years;
    card.interest = payoff.interest;
    // The figures stay up behind the box, so that the user sees what 100 years would cost.
    if (!payoff.cleared)
        warnNeverPaidOff();
}

} // namespace tw
