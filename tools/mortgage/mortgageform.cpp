#include "tools/mortgage/mortgageform.h"

#include "finance/format.h"
#include "finance/messages.h"
#include "finance/money.h"
#include "platform/fields.h"
#include "tools/mortgage/accelform.h"
#include "tools/mortgage/loanpayment.h"
#include "tools/mortgage/scheduleform.h"
#include "tools/refinance/refinanceform.h"
#include "tools/toolcommands.h"

#include <cmath>
#include <limits>

namespace tw {

const ToolDescription MortgageForm::kTool = {
    .resource = "mortgage",
    .title = "Mortgage",
    .command = commands::kMortgage,
    .mark = ToolMark::Mortgage,
    .slotRule = SlotRule::BeforeGuard,
    .slot = 0,
    .raisesItself = true,
    .ok = kOk,
    .calculate = kCalculate,
    .help = kHelp,
    .helpContext = kHelpContext,
    .firstField = kStartAge,
    .enter = kCalculate,
    .controls =
        {
            .inputs = kInputs,
            .results = kResults,
            .buttons = kButtons,
        },
    .make = MakeTool<MortgageForm>,
};

namespace {

constexpr int kFieldChars = 10;
constexpr int kMoneyChars = 12;
constexpr int kAcceleratedChars = 15;

constexpr std::string_view kRateTitle = "RATE ERROR";

Age WholeYears(float age)
{
    return std::trunc(age);
}

} // namespace

int MortgageForm::defaultButton() const
{
    return kCalculate;
}

void MortgageForm::opened(Window& window)
{
    attach(window);
    AppRecords& records = context_.records;
    records.print.title = "Mortgage Payoff Schedule";
    records.print.titleMode = true;

    const MortgageValues& current = records.currentMortgage;
    window.setText(kStartAge, Format("%5.2f", current.startAge));
    window.setText(kPayoffAge, Format("%-5.2f", current.payoffAge));
    window.setText(kRate, Format("%6.3f", current.rate));
    window.setText(kAmount, Format("%12.2f", current.amount));
    window.setText(kDownPayment, Format("%12.2f", current.downPayment));
    window.setText(kYears, Format("%3d", current.years));
    window.setText(kAppreciation, Format("%-6.2f", current.appreciation));
    window.setText(kSellAge, Format("%-5.2f", current.sellAge));
    window.setText(kSellingPercent, Format("%-6.2f", current.sellingPercent));
    window.setText(kAcceleratedAmount, Format("%-12.2f", records.mortgageRecord().accelerated));
    window.setText(kMonthlyPayment, "");
    window.setEnabled(kRefinancing, true);
    window.setEnabled(kAccelerated, true);
}

void MortgageForm::command(int id)
{
    switch (id) {
    case kCalculate:
        calculate();
        return;
    case kSchedule:
        if (calculate()) {
            ScheduleForm schedule(context_);
            context_.platform.runModal(schedule, window_);
        }
        return;
    case kOk:
        keep();
        finish();
        return;
    case kHelp:
        showHelp(kHelpContext);
        return;
    case kRefinancing:
        doRefinancing();
        return;
    case kAccelerated:
        doAccelerated();
        return;
    default:
        return; // Escape among them: the form has no Cancel
    }
}

std::optional<Money> MortgageForm::readAcceleratedAmount()
{
    const Money amount = ReadFloatField(*window_, kAcceleratedAmount, kAcceleratedChars);
    if (!(amount >= 0 && amount <= 100000)) {
        showError("This amount must be greater than or equal to  0.00 and less than 99999.99",
                  "Additional Monthly Amount Error");
        return std::nullopt;
    }
    return amount;
}

bool MortgageForm::calculate()
{
    Platform& platform = context_.platform;
    Window& window = *window_;
    // Each value goes into the record as soon as it passes, so a later refusal leaves the
    // earlier ones stored. The record is looked up each time: a command that arrives while
    // the form is open may select another slot.
    auto field = [&](int id, int chars, double low, double high, int message,
                     std::string_view title) {
        return ReadNumberField(platform, window, id, chars, low, high, message, title);
    };

    const auto startAge = field(kStartAge, kFieldChars, 1, 120, kAgeOneMessage, "START AGE ERROR");
    if (!startAge)
        return false;
    context_.records.mortgageRecord().startAge = WholeYears(*startAge);

    const auto payoffAge =
        field(kPayoffAge, kFieldChars, 1, 120, kAgeOneMessage, "PAYOFF AGE ERROR");
    if (!payoffAge)
        return false;
    context_.records.mortgageRecord().payoffAge = WholeYears(*payoffAge);

    const auto rate = field(kRate, kFieldChars, 1, 1000, kRateMessage, kRateTitle);
    if (!rate)
        return false;
    context_.records.mortgageRecord().rate = *rate;

    const auto amount = field(kAmount, kMoneyChars, 1, 100000000, kAmountMessage, "AMOUNT ERROR");
    if (!amount)
        return false;
    context_.records.mortgageRecord().amount = *amount;

    const auto downPayment =
        field(kDownPayment, kMoneyChars, 0, 100000000, kAmountMessage, "DOWN PAYMENT ERROR");
    if (!downPayment)
        return false;
    context_.records.mortgageRecord().downPayment = *downPayment;

    const int years = ReadIntField(window, kYears, kFieldChars);
    if (!CheckRange(platform, window, static_cast<float>(years), 1, 100, kYearsMessage,
                    "NO OF YEARS ERROR"))
        return false;
    context_.records.mortgageRecord().years = static_cast<std::int16_t>(years);

    const auto appreciation =
        field(kAppreciation, kFieldChars, -1000, 1000, kRateMessage, kRateTitle);
    if (!appreciation)
        return false;
    context_.records.mortgageRecord().appreciation = *appreciation;

    const auto sellAge = field(kSellAge, kFieldChars, 0, 120, kAgeMessage, "AGE ERROR");
    if (!sellAge)
        return false;
    context_.records.mortgageRecord().sellAge = WholeYears(*sellAge);

    const auto sellingPercent =
        field(kSellingPercent, kFieldChars, -1000, 1000, kRateMessage, kRateTitle);
    if (!sellingPercent)
        return false;
    context_.records.mortgageRecord().sellingPercent = *sellingPercent;

    // The accelerated amount is only checked here: the schedule never uses it.
    if (!readAcceleratedAmount())
        return false;

    const LoanTerms terms{*amount, *downPayment, *rate, years};
    const PaymentLimit limit = LoanPaymentLimit(terms);
    if (limit != PaymentLimit::Ok) {
        showError(PaymentLimitMessage(limit), kRateTitle);
        return false;
    }

    const Money payment = LoanPayment(terms);
    context_.records.mortgageRecord().monthlyPayment = payment;
    window.setText(kMonthlyPayment, FormatMoney(Format("%-11.2f", payment)));
    return true;
}

void MortgageForm::readLoanIntoCurrentMortgage()
{
    MortgageValues& current = context_.records.currentMortgage;
    const Window& window = *window_;
    // Read without checks; a number beyond the float range leaves what was held (for the down
    // payment, which is not always kept, the held one stands in).
    ReadFloatFieldInto(window, kAmount, kFieldChars, current.amount);
    Money downPayment = current.downPayment;
    ReadFloatFieldInto(window, kDownPayment, kFieldChars, downPayment);
    KeepFinite(current.principal, StoreFloat(Extended{current.amount} - downPayment));
    current.years = ReadIntField(window, kYears, kFieldChars);
    ReadFloatFieldInto(window, kRate, kFieldChars, current.rate);
    current.monthlyRate = MonthlyRate(current.rate);
}

void MortgageForm::keep()
{
    readLoanIntoCurrentMortgage();
    MortgageValues& current = context_.records.currentMortgage;
    const Window& window = *window_;
    ReadFloatFieldInto(window, kDownPayment, kFieldChars, current.downPayment);
    ReadFloatFieldInto(window, kStartAge, kFieldChars, current.startAge);
    ReadFloatFieldInto(window, kSellAge, kFieldChars, current.sellAge);
    ReadFloatFieldInto(window, kPayoffAge, kFieldChars, current.payoffAge);
    ReadFloatFieldInto(window, kAppreciation, kFieldChars, current.appreciation);
    ReadFloatFieldInto(window, kSellingPercent, kFieldChars, current.sellingPercent);
}

void MortgageForm::doRefinancing()
{
    readLoanIntoCurrentMortgage();
    ReadFloatFieldInto(*window_, kStartAge, kFieldChars, context_.records.currentMortgage.startAge);
    RefinanceForm form(context_);
    context_.platform.runModal(form, window_);
}

void MortgageForm::doAccelerated()
{
    readLoanIntoCurrentMortgage();
    MortgageValues& current = context_.records.currentMortgage;
    float startAge = current.startAge;
    ReadFloatFieldInto(*window_, kStartAge, kFieldChars, startAge);

    // Years left count from a reference age of 0: every real age leaves the whole term, and
    // only a negative start age takes its whole years off. Worked in double, where every
    // difference is exact enough to tell; a count no int holds is not converted, and the
    // years left stay as they were.
    if (startAge >= 0) {
        current.yearsLeft = current.years;
    } else {
        const double left =
            static_cast<double>(current.years) - std::trunc(-static_cast<double>(startAge));
        if (left >= std::numeric_limits<int>::min() && left <= std::numeric_limits<int>::max())
            current.yearsLeft = static_cast<int>(left);
    }

    const std::optional<Money> amount = readAcceleratedAmount();
    if (!amount)
        return;
    if (*amount != 0)
        current.accelerated = *amount;

    AccelForm accel(context_);
    context_.platform.runModal(accel, window_);
}

} // namespace tw
