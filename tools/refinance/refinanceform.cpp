#include "tools/refinance/refinanceform.h"

#include "finance/format.h"
#include "finance/loan.h"
#include "finance/money.h"
#include "platform/fields.h"
#include "tools/refinance/resultsform.h"
#include "tools/textfile.h"
#include "tools/toolcommands.h"

#include <cstdio>
#include <optional>

namespace tw {

const ToolDescription RefinanceForm::kTool = {
    .resource = "refinance",
    .command = commands::kRefinance,
    .mark = ToolMark::Refinance,
    .slotRule = SlotRule::AfterGuard,
    .slot = 1,
    .printTitle = "Refinance Analysis Report",
    .ok = kOk,
    .calculate = kDoAnalysis,
    .help = kHelp,
    .helpContext = kHelpContext,
    .firstField = kRefinanceAge,
    .enter = kDoAnalysis,
    .controls =
        {
            .inputs = kInputs,
            .results = kResults,
            .checks = kChecks,
            .buttons = kButtons,
        },
    .make = MakeTool<RefinanceForm>,
};

namespace {

// Every field is read as at most 9 characters of its text.
constexpr int kFieldChars = 10;

constexpr int kAgeMessage = 7;
constexpr int kAmountMessage = 2;
constexpr int kRateMessage = 6;

constexpr std::string_view kAgeTitle = "AGE ERROR";
constexpr std::string_view kAmountTitle = "AMOUNT ERROR";
constexpr std::string_view kRateTitle = "RATE ERROR";

MessageIcon IconOf(RefinanceIcon icon)
{
    return icon == RefinanceIcon::Warning ? MessageIcon::Warning : MessageIcon::Error;
}

} // namespace

void RefinanceForm::opened(Window& window)
{
    attach(window);
    window.setEnabled(kRefinancedAmount, false);

    const MortgageValues& mortgage = context_.records.currentMortgage;
    working_ = Working{mortgage.startAge, mortgage.principal, mortgage.rate, mortgage.years, 0};
    const RefinanceValues& kept = context_.records.currentRefinance;

    window.setText(kStartAge, Format("%-6.2f", working_.startAge));
    window.setText(kExistingAmount, Format("%-12.2f", working_.amount));
    window.setText(kExistingRate, Format("%-6.2f", working_.rate));
    window.setText(kExistingYears, Format("%-2d", working_.years));
    window.setText(kExistingPayment, FormatMoney(Format("%-9.2f", 0.0)));
    window.setText(kRefinanceAge, Format("%-6.2f", kept.refinanceAge));
    window.setText(kRefinancedAmount, Format("%-12.2f", kept.amount));
    window.setText(kCashOut, Format("%-12.2f", kept.cashOut));
    window.setText(kRefinancedRate, Format("%-6.2f", kept.rate));
    window.setText(kRefinancedYears, Format("%-2d", kept.years));
    window.setText(kRefinancedPayment, FormatMoney(Format("%-9.2f", kept.monthlyPayment)));
    window.setText(kClosingCosts, Format("%-12.2f", kept.closingCosts));
    window.setText(kPoints, Format("%-12.2f", kept.points));
    window.setText(kTaxRate, Format("%-7.2f", kept.taxRate));
    window.setText(kSavingsRate, Format("%-7.2f", kept.savingsRate));
    window.setText(kResultAmount, "0.0");
    window.setText(kTotalCosts, "0.0");
    window.setText(kBreakEven, "0");
    window.setChecked(kCashOutAsSavings, kept.cashOutAsSavings);
    window.setChecked(kIncludeCosts, kept.includeCosts);
    window.setChecked(kIncludePoints, kept.includePoints);
    window.focusAndSelect(kRefinanceAge);
}

void RefinanceForm::command(int id)
{
    switch (id) {
    case kOk:
        keep();
        finish();
        return;
    case kDoAnalysis:
        if (checkFields())
            runAnalysis(RefinanceMode::Form, *window_);
        return;
    case kShowDetails:
        if (checkFields()) {
            RefinanceResultsForm results(context_, *this);
            context_.platform.runModal(results, window_);
        }
        return;
    case kGraph:
        // Only the analysis's own checks guard this path; a graph file that could not be
        // written still starts the program, which reads whatever the file holds.
        if (runAnalysis(RefinanceMode::Graph, *window_) == 0)
            context_.platform.startProgram(kGraphProgram);
        return;
    case kHelp:
        showHelp(kHelpContext);
        return;
    default:
        return; // Escape among them: the form has no Cancel
    }
}

void RefinanceForm::focusLost(int id)
{
    if (id == kRefinanceAge)
        leaveRefinanceAge();
    else if (id == kCashOut)
        leaveCashOut();
}

void RefinanceForm::readExistingMortgage()
{
    const Window& window = *window_;
    working_.startAge = static_cast<Age>(ReadIntField(window, kStartAge, kFieldChars));
    working_.amount = ReadFloatField(window, kExistingAmount, kFieldChars);
    working_.rate = ReadFloatField(window, kExistingRate, kFieldChars);
    working_.years = ReadIntField(window, kExistingYears, kFieldChars);
}

void RefinanceForm::leaveRefinanceAge()
{
    RefinanceValues& kept = context_.records.currentRefinance;
    const float age = ReadFloatField(*window_, kRefinanceAge, kFieldChars);
    KeepFinite(kept.refinanceAge, age);
    // A cleared age takes no principal off.
    const bool withRepaid = age != 0;
    if (withRepaid) {
        if (!CheckRange(context_.platform, *window_, age, 1, 120, kAgeMessage, kAgeTitle))
            return;
        readExistingMortgage();
    }
    updateAmount(withRepaid, age);
}

void RefinanceForm::leaveCashOut()
{
    const float cashOut = ReadFloatField(*window_, kCashOut, kFieldChars);
    const bool kept = KeepFinite(context_.records.currentRefinance.cashOut, cashOut);
    Age refinanceAge = context_.records.currentRefinance.refinanceAge;
    // A negative cash out is taken as it is, without principal off.
    const bool withRepaid = cashOut >= 0;
    if (withRepaid) {
        if (!CheckRange(context_.platform, *window_, cashOut, 0, 100000000, kAmountMessage,
                        kAmountTitle))
            return;
        readExistingMortgage();
        refinanceAge = ReadFloatField(*window_, kRefinanceAge, kFieldChars);
        KeepFinite(context_.records.currentRefinance.refinanceAge, refinanceAge);
    } else if (!kept) {
        return; // minus infinity: no amount could be shown with it
    }
    updateAmount(withRepaid, refinanceAge);
}

void RefinanceForm::updateAmount(bool withRepaid, Age refinanceAge)
{
    RefinanceValues& kept = context_.records.currentRefinance;
    // The start age counts only with the repaid principal, and then it was just read as a
    // whole number; the one held from the opening may be any float, which no int need hold.
    const AmountUpdateInput input{withRepaid ? static_cast<int>(working_.startAge) : 0,
                                  working_.amount,
                                  working_.rate,
                                  working_.years,
                                  refinanceAge,
                                  kept.cashOut};
    const std::optional<Money> amount = RefinancedAmountFor(input, withRepaid);
    // An amount beyond the single-precision range is never shown: the field keeps its text.
    if (!amount)
        return;
    kept.amount = *amount;
    const std::string text = Format("%-12.2f", *amount);
    // Shown once the focus has moved on, as a notice to the form.
    context_.platform.post(*window_, [this, text] {
        window_->setText(kRefinancedAmount, text);
        window_->setText(kResultAmount, text);
    });
}

bool RefinanceForm::checkFields()
{
    Platform& platform = context_.platform;
    Window& window = *window_;
    RefinanceValues& kept = context_.records.currentRefinance;
    auto check = [&](float value, double low, double high, int message, std::string_view title) {
        return CheckRange(platform, window, value, low, high, message, title);
    };
    auto yearsPass = [&](int years) {
        if (years < 1) {
            showWarning(kYearsTooFewText, kYearsTitle);
            return false;
        }
        if (years > 50) {
            showWarning(kYearsTooManyText, kYearsTitle);
            return false;
        }
        return true;
    };

    const int startAge = ReadIntField(window, kStartAge, kFieldChars);
    working_.startAge = static_cast<Age>(startAge);
    if (!check(static_cast<float>(startAge), 1, 120, kAgeMessage, kAgeTitle))
        return false;
    working_.amount = ReadFloatField(window, kExistingAmount, kFieldChars);
    if (!check(working_.amount, 1, 100000000, kAmountMessage, kAmountTitle))
        return false;
    working_.rate = ReadFloatField(window, kExistingRate, kFieldChars);
    if (!check(working_.rate, 1, 1000, kRateMessage, kRateTitle))
        return false;
    const int years = ReadIntField(window, kExistingYears, kFieldChars);
    if (!yearsPass(years))
        return false;
    working_.years = years;
    working_.payment = MonthlyPayment(working_.amount, MonthlyRate(working_.rate), years * 12);

    // What the form keeps is kept as read before its test, unless it lies beyond the float
    // range.
    auto keep = [](float& held, float value) {
        KeepFinite(held, value);
        return value;
    };

    const Age refinanceAge =
        keep(kept.refinanceAge, ReadFloatField(window, kRefinanceAge, kFieldChars));
    if (!check(refinanceAge, 1, 120, kAgeMessage, kAgeTitle))
        return false;
    // Compared as typed here: 45.5 passes a start age of 45, 44.5 does not.
    if (refinanceAge < working_.startAge) {
        showWarning(kAgeOrderText, kAgeOrderTitle);
        return false;
    }
    ReadFloatFieldInto(window, kRefinancedAmount, kFieldChars, kept.amount);
    const Money cashOut = keep(kept.cashOut, ReadFloatField(window, kCashOut, kFieldChars));
    if (!check(cashOut, 0, 100000000, kAmountMessage, kAmountTitle))
        return false;
    const Percent refinancedRate =
        keep(kept.rate, ReadFloatField(window, kRefinancedRate, kFieldChars));
    if (!check(refinancedRate, 1, 1000, kRateMessage, kRateTitle))
        return false;
    const int refinancedYears = ReadIntField(window, kRefinancedYears, kFieldChars);
    if (!yearsPass(refinancedYears))
        return false;
    kept.years = refinancedYears;
    ReadFloatFieldInto(window, kClosingCosts, kFieldChars, kept.closingCosts);
    ReadFloatFieldInto(window, kPoints, kFieldChars, kept.points);

    const Percent taxRate = keep(kept.taxRate, ReadFloatField(window, kTaxRate, kFieldChars));
    if (!(1 <= static_cast<double>(taxRate) && taxRate <= 100)) {
        showError(TaxRateLimitsText(), kRateTitle);
        return false;
    }
    const Percent savingsRate =
        keep(kept.savingsRate, ReadFloatField(window, kSavingsRate, kFieldChars));
    if (!(-200 <= static_cast<double>(savingsRate) && savingsRate <= 200)) {
        showError(SavingsRateLimitsText(), kRateTitle);
        return false;
    }
    kept.monthlyPayment = 0;
    return true;
}

void RefinanceForm::keep()
{
    const Window& window = *window_;
    RefinanceValues& kept = context_.records.currentRefinance;
    working_.startAge = ReadFloatField(window, kStartAge, kFieldChars);
    ReadFloatFieldInto(window, kRefinanceAge, kFieldChars, kept.refinanceAge);
    working_.amount = ReadFloatField(window, kExistingAmount, kFieldChars);
    ReadFloatFieldInto(window, kRefinancedAmount, kFieldChars, kept.amount);
    ReadFloatFieldInto(window, kCashOut, kFieldChars, kept.cashOut);
    working_.rate = ReadFloatField(window, kExistingRate, kFieldChars);
    ReadFloatFieldInto(window, kRefinancedRate, kFieldChars, kept.rate);
    working_.years = ReadIntField(window, kExistingYears, kFieldChars);
    kept.years = ReadIntField(window, kRefinancedYears, kFieldChars);
    ReadFloatFieldInto(window, kClosingCosts, kFieldChars, kept.closingCosts);
    ReadFloatFieldInto(window, kPoints, kFieldChars, kept.points);
    kept.cashOutAsSavings = window.isChecked(kCashOutAsSavings);
    kept.includeCosts = window.isChecked(kIncludeCosts);
    kept.includePoints = window.isChecked(kIncludePoints);
}

RefinanceInput RefinanceForm::readInput() const
{
    const Window& window = *window_;
    RefinanceInput input;
    input.startAge = ReadIntField(window, kStartAge, kFieldChars);
    input.existingAmount = ReadFloatField(window, kExistingAmount, kFieldChars);
    input.existingRate = ReadFloatField(window, kExistingRate, kFieldChars);
    input.existingYears = ReadIntField(window, kExistingYears, kFieldChars);
    input.refinanceAge = ReadFloatField(window, kRefinanceAge, kFieldChars);
    input.refinancedAmount = ReadFloatField(window, kRefinancedAmount, kFieldChars);
    input.cashOut = ReadFloatField(window, kCashOut, kFieldChars);
    input.refinancedRate = ReadFloatField(window, kRefinancedRate, kFieldChars);
    input.refinancedYears = ReadIntField(window, kRefinancedYears, kFieldChars);
    input.closingCosts = ReadFloatField(window, kClosingCosts, kFieldChars);
    input.points = ReadFloatField(window, kPoints, kFieldChars);
    input.taxRate = ReadFloatField(window, kTaxRate, kFieldChars);
    input.savingsRate = ReadFloatField(window, kSavingsRate, kFieldChars);
    input.cashOutAsSavings = window.isChecked(kCashOutAsSavings);
    input.includeCosts = window.isChecked(kIncludeCosts);
    input.includePoints = window.isChecked(kIncludePoints);
    return input;
}

int RefinanceForm::runAnalysis(RefinanceMode mode, Window& starter, Window* rows, int listId,
                               std::string* printText)
{
    Platform& platform = context_.platform;
    Window& form = *window_;
    auto fileError = [&](const char* text) {
        platform.message(&starter, text, "FILE ERROR", MessageIcon::Error, MessageButtons::Ok,
                         true);
    };

    const RefinanceOutcome outcome = RunRefinanceAnalysis(readInput(), mode);
    RefinanceValues& kept = context_.records.currentRefinance;
    if (outcome.taxRateRead)
        KeepFinite(kept.taxRate, *outcome.taxRateRead);
    if (outcome.savingsRateRead)
        KeepFinite(kept.savingsRate, *outcome.savingsRateRead);
    if (outcome.amountText)
        form.setText(kRefinancedAmount, *outcome.amountText);
    if (outcome.refusal) {
        platform.message(&starter, outcome.refusal->text, outcome.refusal->title,
                         IconOf(outcome.refusal->icon), MessageButtons::Ok, true);
        return 1;
    }

    form.setText(kExistingPayment, outcome.existingPayment);
    form.setText(kTotalCosts, outcome.totalCosts);
    form.setText(kRefinancedPayment, outcome.refinancedPayment);
    form.setText(kResultAmount, outcome.refinancedAmount);

    // Each file is written whole in place of the last one, or not at all.
    std::optional<TextFile> print = TextFile::create(kPrintFile);
    if (!print)
        fileError("Cannot open refprt.tmp for writing!");
    auto writePrint = [&](const std::string& text) {
        if (print && !print->write(text)) {
            // Printing then finds no report rather than one of an earlier run.
            std::remove(kPrintFile);
            fileError("Cannot write refprt.tmp!");
        }
    };
    std::optional<TextFile> graph =
        mode == RefinanceMode::Graph ? TextFile::create(kGraphFile) : std::nullopt;
    if (mode == RefinanceMode::Graph) {
        if (!graph) {
            fileError("Cannot open ref.tmp for writing!");
            writePrint(outcome.printHeader); // closed as it stands: the header alone
            return 0;
        }
    }

    if (mode == RefinanceMode::Table && rows != nullptr) {
        for (const RefinanceRow& row : outcome.rows)
            rows->addListRow(listId, std::vector<std::string>(row.begin(), row.end()));
    }
    form.setText(kBreakEven, outcome.breakEven);
    std::string text = outcome.printHeader + outcome.printRows + kRefinancePrintEnd;
    writePrint(text);
    if (printText != nullptr)
        *printText = std::move(text);
    if (graph && !graph->write(outcome.graphText)) {
        std::remove(kGraphFile);
        fileError("Cannot write ref.tmp!");
    }
    if (mode == RefinanceMode::Table && rows != nullptr)
        rows->showControl(listId, true);
    return 0;
}

} // namespace tw
