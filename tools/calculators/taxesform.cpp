#include "tools/calculators/taxesform.h"

#include "finance/format.h"
#include "finance/money.h"
#include "platform/fields.h"
#include "tools/calculators/effectiveform.h"
#include "tools/calculators/taxanalysis.h"
#include "tools/toolcommands.h"

#include <utility>

namespace tw {

const ToolDescription TaxesForm::kTool = {
    .resource = "taxinf",
    .title = "Taxes, Inflation and Your Investment",
    .command = commands::kTaxes,
    .mark = ToolMark::Taxes,
    .slotRule = SlotRule::AfterGuard,
    .slot = 5,
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
    .make = MakeTool<TaxesForm>,
};

namespace {

// Characters of text read from each field.
constexpr int kAmountChars = 14;
constexpr int kYearsChars = 3;
constexpr int kRateChars = 9;

constexpr const char* kTooLargeText = "These values give a result too large to calculate.\n"
                                      "Please check the amount and the rates.";
constexpr const char* kTooLargeTitle = "Calculation Error!";

std::string PercentText(float value)
{
    return Format("%-4.2f", static_cast<double>(value)) + "%";
}

std::string MoneyText(float value)
{
    return FormatMoney(Format("%13.2f", static_cast<double>(value)));
}

} // namespace

void TaxesForm::opened(Window& window)
{
    attach(window);
    const TaxValues& values = context_.records.taxes;
    window.setText(kAmount, Format("%-6.2f", static_cast<double>(values.amount)));
    window.setText(kYears, Format("%3d", values.years));
    window.setText(kReturnRate, Format("%-13.4f", static_cast<double>(values.returnRate)));
    window.setText(kTaxRate, Format("%-13.2f", static_cast<double>(values.taxRate)));
    window.setText(kInflationRate, Format("%-13.2f", static_cast<double>(values.inflationRate)));
}

void TaxesForm::command(int id)
{
    switch (id) {
    case kCalculate:
        calculate();
        return;
    case kEffectiveRate: {
        // Owned by this dialog; nothing passes between the two.
        EffectiveForm effective(context_);
        context_.platform.runModal(effective, window_);
        return;
    }
    case kHelp:
        showHelp(kHelpContext);
        return;
    case kOk:
        finish();
        return;
    default:
        return;
    }
}

// Each value is stored as soon as it is read and accepted; a later failure keeps it.
void TaxesForm::calculate()
{
    Window& window = *window_;
    TaxValues& values = context_.records.taxes;

    const float amount = ReadFloatField(window, kAmount, kAmountChars + 1);
    if (!(amount > 0)) {
        showWarning("The investment amount must be greater than $0.00.", "Amount Error!");
        return;
    }
    // A typed amount beyond the float range (1e39) reads as infinity: it is refused before
    // it is stored, or every later opening would show it.
    if (!KeepFinite(values.amount, amount)) {
        showWarning(kTooLargeText, kTooLargeTitle);
        return;
    }

    const int years = ReadIntField(window, kYears, kYearsChars + 1);
    if (years <= 0) {
        showWarning("The number of years be greater than 0.", "Number of Years Error!");
        return;
    }
    values.years = years;

    // The rates are taken as typed, in form order; one beyond the float range stops the
    // calculation there, unstored, since it could be neither computed with nor shown.
    const std::pair<int, Percent*> rates[] = {{kReturnRate, &values.returnRate},
                                              {kTaxRate, &values.taxRate},
                                              {kInflationRate, &values.inflationRate}};
    for (const auto& [id, stored] : rates) {
        if (!ReadFloatFieldInto(window, id, kRateChars + 1, *stored)) {
            showWarning(kTooLargeText, kTooLargeTitle);
            return;
        }
    }

    // Prices falling by all they are worth leave nothing to measure today's money with;
    // the real rate's divisor is then next to nothing and the results have no meaning.
    if (values.inflationRate == -100.0f) {
        showWarning("An inflation rate of -100% leaves no purchasing power to compare with.\n"
                    "Please enter a different inflation rate.",
                    "Inflation Rate Error!");
        return;
    }

    const TaxResult result = AnalyzeTaxes(
        {values.amount, values.years, values.returnRate, values.taxRate, values.inflationRate});
    if (!IsShowable(result)) {
        showWarning(kTooLargeText, kTooLargeTitle);
        return;
    }

    window.setText(kShownYears, Format("%d", values.years));
    window.setText(kShownTaxRate, PercentText(values.taxRate));
    window.setText(kEndValue, MoneyText(result.endValue));
    window.setText(kShownInflationRate, PercentText(values.inflationRate));
    window.setText(kTodayValue, MoneyText(result.todayValue));
    window.setText(kRealRate, PercentText(result.realYearlyRate));
}

} // namespace tw
