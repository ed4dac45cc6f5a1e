#include "tools/calculators/tradeform.h"

#include "finance/format.h"
#include "platform/fields.h"
#include "tools/calculators/truncatecount.h"
#include "tools/textfile.h"
#include "tools/toolcommands.h"

#include <algorithm>

namespace tw {

const ToolDescription TradeForm::kTool = {
    .resource = "trade",
    .title = "Trade-Off Analysis",
    .command = commands::kTradeOff,
    .mark = ToolMark::Trade,
    .slotRule = SlotRule::AfterGuard,
    .slot = 6,
    .ok = kOk,
    .calculate = kCalculate,
    .help = kHelp,
    .helpContext = kHelpContext,
    .firstField = kFirstName,
    .enter = kCalculate,
    .textFields = kNameFields,
    .controls =
        {
            .inputs = kInputs,
            .results = kResults,
            .buttons = kButtons,
        },
    .make = MakeTool<TradeForm>,
};

namespace {

constexpr int kNameChars = 19; // characters of an option name
constexpr int kFieldChars = 9; // characters of text read from each number field
constexpr int kPeriodsIndex = 12;

constexpr const char* kGraphFile = "trade.tmp";
constexpr const char* kInputsFile = "tradeinf.dat";
constexpr const char* kGraphCommand = "twtplot.exe trade.tmp";

} // namespace

void TradeForm::opened(Window& window)
{
    attach(window);
    const TradeValues& values = context_.records.trade;
    for (int k = 0; k < 3; ++k)
        window.setText(kFirstName + k, values.names[k]);
    for (int row = 0; row < 4; ++row)
        for (int k = 0; k < 3; ++k)
            window.setText(kAmountRows[row] + k,
                           Format("%-6.2f", static_cast<double>(values.values[row * 3 + k])));
    const int periods = TruncateCount(values.values[kPeriodsIndex]);
    window.setText(kPeriods, Format("%3d", periods));
    // Upper 0, lower 100: the upper arrow lowers the count, the lower arrow raises it. A
    // count typed outside that range leaves the arrows at its nearer end.
    window.attachSpin(kPeriods, 0, 100, std::clamp(periods, 0, 100));
    // Values that were already out of range when the form last closed leave the results
    // empty rather than greet the user with a warning.
    computeAndShow(true);
}

void TradeForm::command(int id)
{
    switch (id) {
    case kCalculate:
        if (readFields())
            computeAndShow();
        else
            warnTooLarge();
        return;
    case kGraph:
        graph();
        return;
    case kHelp:
        showHelp(kHelpContext);
        return;
    case kOk:
        // The mark goes before the inputs are saved, so the guard no longer raises this
        // window behind a failure box; finish() finds it already clear.
        clearMark();
        // A number beyond the float range keeps its last usable value in the saved inputs.
        readFields();
        // Nothing reads the saved inputs back, so the dialog closes whether or not they
        // could be written.
        if (!TextFile::replace(kInputsFile, TradeInputsText(input())))
            showError("Cannot open tradeinf.dat for writing!", "FILE ERROR");
        finish();
        return;
    default:
        return;
    }
}

// The other fields are not read again: the results follow the held values.
void TradeForm::spinMoved(int buddyId, int position)
{
    if (buddyId != kPeriods)
        return;
    context_.records.trade.values[kPeriodsIndex] = static_cast<float>(position);
    computeAndShow();
}

// A number typed beyond the float range (1e39) reads as infinity; it is not held, so the
// field keeps its last usable value for the results, the next opening and the saved inputs.
bool TradeForm::readFields()
{
    const Window& window = *window_;
    TradeValues& values = context_.records.trade;
    for (int k = 0; k < 3; ++k)
        values.names[k] = window.text(kFirstName + k, kNameChars + 1);
    bool usable = true;
    const auto read = [&](int id, float& held) {
        usable = ReadFloatFieldInto(window, id, kFieldChars + 1, held) && usable;
    };
    for (int row = 0; row < 4; ++row)
        for (int k = 0; k < 3; ++k)
            read(kAmountRows[row] + k, values.values[row * 3 + k]);
    read(kPeriods, values.values[kPeriodsIndex]);
    return usable;
}

void TradeForm::warnTooLarge()
{
    // Amounts near the float range's end (typed with an exponent) can add up past it.
    showWarning("The amounts are too large to calculate.\n"
                "Please enter smaller amounts or fewer periods.",
                "Calculation Error!");
}

TradeInput TradeForm::input() const
{
    const TradeValues& values = context_.records.trade;
    TradeInput in;
    for (int k = 0; k < 3; ++k) {
        TradeOption& option = in.options[k];
        option.name = values.names[k];
        option.fixedCost = values.values[k];
        option.costPerPeriod = values.values[3 + k];
        option.fixedAmount = values.values[6 + k];
        option.incomePerPeriod = values.values[9 + k];
    }
    in.periods = values.values[kPeriodsIndex];
    return in;
}

bool TradeForm::computeAndShow(bool quiet)
{
    Window& window = *window_;
    const TradeResult result = CompareTradeOffs(input());
    if (!result.finite) {
        if (!quiet)
            warnTooLarge();
        return false;
    }
    for (int k = 0; k < 3; ++k)
        window.setText(kFirstEnd + k, Format("%-10.2f", static_cast<double>(result.endAmounts[k])));
    window.setText(kDifference12, Format("%-10.2f", result.differences[0]));
    window.setText(kDifference23, Format("%-10.2f", result.differences[1]));
    window.setText(kDifference13, Format("%-10.2f", result.differences[2]));
    return true;
}

void TradeForm::graph()
{
    if (!readFields()) {
        warnTooLarge();
        return;
    }
    if (!computeAndShow())
        return;

    const TradeInput in = input();
    const int periods = TruncateCount(in.periods);
    if (periods > kGraphMaxPeriods) {
        showError("The number of periods cannot exceed 100.", "FILE ERROR");
        return;
    }
    if (periods < kGraphMinPeriods) {
        showError("Not enough periods.\nPlease try again.", "FILE ERROR");
        return;
    }
    if (!TextFile::replace(kGraphFile, TradeGraphText(in))) {
        showError("Cannot open trad.tmp for writing!", "FILE ERROR");
        return;
    }
    // The graph program runs on its own; whether it started is not examined.
    context_.platform.startProgram(kGraphCommand);
}

} // namespace tw
