#include "tools/calculators/inflationform.h"

#include "finance/format.h"
#include "platform/fields.h"
#include "tools/calculators/inflation.h"
#include "tools/toolcommands.h"

#include <cmath>

namespace tw {

const ToolDescription InflationForm::kTool = {
    .resource = "inflate",
    .title = "Inflation Calculator",
    .command = commands::kInflation,
    .mark = ToolMark::Inflation,
    .slotRule = SlotRule::AfterGuard,
    .slot = 4,
    .ok = kOk,
    .calculate = kCalculate,
    .firstField = kStartAge,
    .enter = kCalculate,
    .controls =
        {
            .inputs = kInputs,
            .results = kResults,
            .buttons = kButtons,
        },
    .make = MakeTool<InflationForm>,
};

namespace {

// Characters of text read from each field.
constexpr int kAgeChars = 9;
constexpr int kAmountChars = 14;
constexpr int kRateChars = 9;

// A year at −100 % leaves amount × 0.01's representation error behind (0.01 is a little
// above a hundredth): about −2e-14 after one such year, a tiny positive value after two,
// −0 or a negative denormal after three, then +0. It is shown as printed, "-0.00" included,
// so that the shown figure is the stored value's.
std::string AmountText(float amount)
{
    return Format("%-13.2f", static_cast<double>(amount));
}

bool Within(float value, double low, double high)
{
    const double v = value;
    return low <= v && v <= high;
}

} // namespace

void InflationForm::opened(Window& window)
{
    attach(window);
    const InflationValues& values = context_.records.inflation;
    window.setText(kStartAge, Format("%-6.2f", static_cast<double>(values.startAge)));
    window.setText(kEndAge, Format("%-6.2f", static_cast<double>(values.endAge)));
    window.setText(kAmount, Format("%-13.2f", static_cast<double>(values.amount)));
    window.setText(kRate, Format("%-13.2f", static_cast<double>(values.rate)));
    window.setText(kResult, AmountText(values.inflated));
    // Help On Help stays switched off for the rest of the run once this tool has opened.
    context_.records.helpOnHelpDisabled = true;
}

void InflationForm::command(int id)
{
    switch (id) {
    case kCalculate:
        calculate();
        return;
    case kOk:
        finish();
        return;
    default:
        return; // Escape (2) and Enter do nothing here
    }
}

// Each value is stored as soon as it passes its check, so a later failure keeps it.
void InflationForm::calculate()
{
    Window& window = *window_;
    InflationValues& values = context_.records.inflation;

    const float startAge = ReadFloatField(window, kStartAge, kAgeChars + 1);
    if (!Within(startAge, 1, 120)) {
        showWarning("Start age must be a value from 1 - 120.", "Start Age Error!");
        return;
    }
    values.startAge = startAge;

    const float endAge = ReadFloatField(window, kEndAge, kAgeChars + 1);
    if (!Within(endAge, 1, 120)) {
        showWarning("End Age must be a value from 1 - 120.", "End Age Error!");
        return;
    }
    if (!(endAge > values.startAge)) {
        showWarning("End Age must be greater the Start Age.", "End Age Error!");
        return;
    }
    values.endAge = endAge;

    const float rate = ReadFloatField(window, kRate, kRateChars + 1);
    if (!Within(rate, -100, 100)) {
        showWarning("Inflation Rate must be a value from -100 - 100.", "Rate Error!");
        return;
    }
    values.rate = rate;

    // 99999999 has no float value: typed, it reads as 100000000 and is refused.
    const float amount = ReadFloatField(window, kAmount, kAmountChars + 1);
    if (!Within(amount, 1, 99999999)) {
        showWarning("This amount must be a value from 1.0 - 99999999.00", "Amount Error!");
        return;
    }
    values.amount = amount;

    const InflationResult result =
        InflateAmount({values.startAge, values.endAge, values.rate, values.amount});
    if (!result.finite) {
        // 100 % a year over a long span passes every check but leaves the float range.
        showWarning("The inflated amount is too large to calculate.\n"
                    "Please use a lower rate, fewer years or a smaller amount.",
                    "Inflated Amount Error!");
        return;
    }
    values.inflated = result.amount;
    window.setText(kResult, AmountText(values.inflated));
}

} // namespace tw
