#include "tools/calculators/effectiveform.h"

#include "finance/format.h"
#include "platform/fields.h"
#include "tools/calculators/effectiverate.h"
#include "tools/calculators/truncatecount.h"
#include "tools/toolcommands.h"

#include <array>
#include <cmath>
#include <utility>

namespace tw {

const ToolDescription EffectiveForm::kTool = {
    .resource = "effective",
    .title = "Calculate Effective Yearly Rate",
    .command = commands::kEffectiveRate,
    .mark = ToolMark::Effective,
    .slotRule = SlotRule::AfterGuard,
    .slot = 7,
    .ok = kOk,
    .calculate = kCalculate,
    .help = kHelp,
    .helpContext = kHelpContext,
    .firstField = kNominalRate,
    .enter = kOk,
    .controls =
        {
            .inputs = kInputs,
            .results = kResults,
            .radios = kRadios,
            .buttons = kButtons,
        },
    .make = MakeTool<EffectiveForm>,
};

namespace {

constexpr int kFieldChars = 9; // characters of text read from each field

// The fixed choices, tested in this order, with their compoundings a year.
constexpr std::array<std::pair<int, int>, 4> kFixedChoices{{
    {EffectiveForm::kDaily, 365},
    {EffectiveForm::kMonthly, 12},
    {EffectiveForm::kQuarterly, 4},
    {EffectiveForm::kSemiannually, 2},
}};

} // namespace

void EffectiveForm::opened(Window& window)
{
    attach(window);
    window.setEnabled(kOtherCount, false);
}

void EffectiveForm::command(int id)
{
    // Every click settles whether the count of the Other choice can be typed.
    updateOtherCount();
    switch (id) {
    case kCalculate:
        calculate();
        return;
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

// With no choice made the field keeps its state.
void EffectiveForm::updateOtherCount()
{
    for (const auto& [id, count] : kFixedChoices) {
        if (window_->isChecked(id)) {
            window_->setEnabled(kOtherCount, false);
            return;
        }
    }
    if (window_->isChecked(kOther))
        window_->setEnabled(kOtherCount, true);
}

void EffectiveForm::calculate()
{
    Window& window = *window_;
    const float nominal = ReadFloatField(window, kNominalRate, kFieldChars + 1);
    if (!(nominal > -200 && nominal < 200)) {
        showWarning("The Nominal Rate must be a value greater than -200 and less than 200.00",
                    "Rate Error!");
        return;
    }

    int compoundings = 1; // no choice made: once a year
    bool fixed = false;
    for (const auto& [id, count] : kFixedChoices) {
        if (window.isChecked(id)) {
            compoundings = count;
            fixed = true;
            break;
        }
    }
    if (fixed) {
        window.setEnabled(kOtherCount, false);
    } else if (window.isChecked(kOther)) {
        window.setEnabled(kOtherCount, true);
        const float typed = ReadFloatField(window, kOtherCount, kFieldChars + 1);
        // 12.9 counts as 12; the truncated count must stay below 365.
        if (!(typed >= 1 && std::trunc(typed) < 365)) {
            showWarning("The number of compounding periods per year must be greater than or "
                        "equal to 1 and less than 365",
                        "Period Error!");
            return;
        }
        compoundings = TruncateCount(typed);
    }

    const Percent rate = EffectiveYearlyRate({nominal, compoundings});
    window.setText(kResult, Format("%-8.4f", static_cast<double>(rate)));
}

} // namespace tw
