#include "tools/refinance/refinanceform.h"

#include "finance/format.h"
#include "finance/loan.h"
#include "finance/money.h"
#include "finance/words.h"
#include "platform/fields.h"
#include "tools/refinance/resultsform.h"
#include "tools/textfile.h"
#include "tools/toolcommands.h"

#include <cstdio>
#include <optional>

namespace tw {

const ToolDescription RefinanceForm::kTool = {
    .resource = "refinance",
    .title = "Refinance Analysis",
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

// The field of the form that a rule reads. The age order is fixed at the age at
// refinancing, the later of the two ages that share "AGE ERROR".
int ControlOf(RefinanceField field)
{
    switch (field) {
    case RefinanceField::StartAge:
        return RefinanceForm::kStartAge;
    case RefinanceField::ExistingAmount:
        return RefinanceForm::kExistingAmount;
    case RefinanceField::ExistingRate:
        return RefinanceForm::kExistingRate;
    case RefinanceField::ExistingYears:
        return RefinanceForm::kExistingYears;
    case RefinanceField::RefinanceAge:
    case RefinanceField::AgeOrder:
        return RefinanceForm::kRefinanceAge;
    case RefinanceField::CashOut:
        return RefinanceForm::kCashOut;
    case RefinanceField::RefinancedRate:
        return RefinanceForm::kRefinancedRate;
    case RefinanceField::RefinancedYears:
        return RefinanceForm::kRefinancedYears;
    case RefinanceField::TaxRate:
        return RefinanceForm::kTaxRate;
    case RefinanceField::SavingsRate:
        break;
    }
    return RefinanceForm::kSavingsRate;
}

// With focusField the refused field has the focus once the box is closed. The checks made as
// a field is left keep the focus where the user took it: two refused fields would otherwise
// hand the focus back and forth, each leaving the other.
void ShowRefusal(Platform& platform, Window& owner, const RefinanceRefusal& refusal,
                 bool focusField)
{
    const std::optional<int> field =
        focusField ? std::optional<int>(ControlOf(refusal.field)) : std::nullopt;
    if (refusal.icon == RefinanceIcon::Warning)
        ShowFieldWarning(platform, owner, refusal.text, refusal.title, field);
    else
        ShowFieldError(platform, owner, refusal.text, refusal.title, field);
}

// Whether value passes field's rule; a refusal is shown.
bool Passes(Platform& platform, Window& form, RefinanceField field, double value, bool focusField)
{
    const std::optional<RefinanceRefusal> refusal = RefuseOutside(field, value);
    if (refusal)
        ShowRefusal(platform, form, *refusal, focusField);
    return !refusal;
}

void ShowFileError(Platform& platform, Window& owner, const char* text)
{
    ShowFieldError(platform, owner, text, "FILE ERROR");
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
        if (!Passes(context_.platform, *window_, RefinanceField::RefinanceAge, age, false))
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
        if (!Passes(context_.platform, *window_, RefinanceField::CashOut, cashOut, false))
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
    using Field = RefinanceField;
    const Window& window = *window_;
    RefinanceValues& kept = context_.records.currentRefinance;
    auto passes = [this](Field field, double value) {
        return Passes(context_.platform, *window_, field, value, true);
    };
    auto read = [&window](int id) { return ReadFloatField(window, id, kFieldChars); };
    // What the form keeps is kept as read before its test, unless it lies beyond the float
    // range.
    auto keep = [&read](float& held, int id) {
        const float value = read(id);
        KeepFinite(held, value);
        return value;
    };

    const int startAge = ReadIntField(window, kStartAge, kFieldChars);
    working_.startAge = static_cast<Age>(startAge);
    if (!passes(Field::StartAge, static_cast<float>(startAge)))
        return false;
    working_.amount = read(kExistingAmount);
    if (!passes(Field::ExistingAmount, working_.amount))
        return false;
    working_.rate = read(kExistingRate);
    if (!passes(Field::ExistingRate, working_.rate))
        return false;
    const int years = ReadIntField(window, kExistingYears, kFieldChars);
    if (!passes(Field::ExistingYears, years))
        return false;
    working_.years = years;
    working_.payment = MonthlyPayment(working_.amount, MonthlyRate(working_.rate), years * 12);

    const Age refinanceAge = keep(kept.refinanceAge, kRefinanceAge);
    // Compared as typed here: 45.5 passes a start age of 45, 44.5 does not.
    if (!passes(Field::RefinanceAge, refinanceAge) ||
        !passes(Field::AgeOrder, double{refinanceAge} - working_.startAge))
        return false;
    ReadFloatFieldInto(window, kRefinancedAmount, kFieldChars, kept.amount);
    if (!passes(Field::CashOut, keep(kept.cashOut, kCashOut)) ||
        !passes(Field::RefinancedRate, keep(kept.rate, kRefinancedRate)))
        return false;
    const int refinancedYears = ReadIntField(window, kRefinancedYears, kFieldChars);
    if (!passes(Field::RefinancedYears, refinancedYears))
        return false;
    kept.years = refinancedYears;
    ReadFloatFieldInto(window, kClosingCosts, kFieldChars, kept.closingCosts);
    ReadFloatFieldInto(window, kPoints, kFieldChars, kept.points);
    if (!passes(Field::TaxRate, keep(kept.taxRate, kTaxRate)) ||
        !passes(Field::SavingsRate, keep(kept.savingsRate, kSavingsRate)))
        return false;
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
    const RefinanceOutcome outcome = RunRefinanceAnalysis(readInput(), mode);
    RefinanceValues& kept = context_.records.currentRefinance;
    if (outcome.taxRateRead)
        KeepFinite(kept.taxRate, *outcome.taxRateRead);
    if (outcome.savingsRateRead)
        KeepFinite(kept.savingsRate, *outcome.savingsRateRead);
    if (outcome.amountText)
        form.setText(kRefinancedAmount, *outcome.amountText);
    if (outcome.refusal) {
        // Only the form itself has the field to fix.
        ShowRefusal(platform, starter, *outcome.refusal, &starter == window_);
        return 1;
    }

    form.setText(kExistingPayment, outcome.existingPayment);
    form.setText(kTotalCosts, outcome.totalCosts);
    form.setText(kRefinancedPayment, outcome.refinancedPayment);
    form.setText(kResultAmount, outcome.refinancedAmount);

    // Each file is written whole in place of the last one, or not at all.
    std::optional<TextFile> print = TextFile::create(kPrintFile);
    if (!print)
        ShowFileError(platform, starter, "Cannot open refprt.tmp for writing!");
    auto writePrint = [&](const std::string& text) {
        if (print && !print->write(text)) {
            // Printing then finds no report rather than one of an earlier run.
            std::remove(kPrintFile);
            ShowFileError(platform, starter, "Cannot write refprt.tmp!");
        }
    };
    std::optional<TextFile> graph =
        mode == RefinanceMode::Graph ? TextFile::create(kGraphFile) : std::nullopt;
    if (mode == RefinanceMode::Graph && !graph) {
        ShowFileError(platform, starter, "Cannot open ref.tmp for writing!");
        writePrint(outcome.printHeader); // closed as it stands: the header alone
        return 0;
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
        ShowFileError(platform, starter, "Cannot write ref.tmp!");
    }
    if (mode == RefinanceMode::Table && rows != nullptr)
        rows->showControl(listId, true);
    return 0;
}

std::vector<TitlePageLine> RefinanceForm::shownFields() const
{
    // The labels of the form; the two mortgages' columns repeat theirs, so they are named.
    static constexpr std::pair<const char*, int> kShown[] = {
        {"Start Age of Mortgage", kStartAge},
        {"Existing Mortgage: Amount", kExistingAmount},
        {"Existing Mortgage: Rate (%)", kExistingRate},
        {"Existing Mortgage: No of Years", kExistingYears},
        {"Existing Mortgage: Monthly Payment", kExistingPayment},
        {"Age at Refinancing", kRefinanceAge},
        {"Refinanced Mortgage: Amount", kRefinancedAmount},
        {"Cash Out", kCashOut},
        {"Refinanced Mortgage: Rate (%)", kRefinancedRate},
        {"Refinanced Mortgage: No of Years", kRefinancedYears},
        {"Refinanced Mortgage: Monthly Payment", kRefinancedPayment},
        {"Closing Costs", kClosingCosts},
        {"Mortgage Points", kPoints},
        {"Effective Tax Rate (%)", kTaxRate},
        {"Savings Rate (%)", kSavingsRate},
        {"Refinanced Amount", kResultAmount},
        {"Total Mortgage Costs", kTotalCosts},
        {"Months to Break Even", kBreakEven},
    };
    std::vector<TitlePageLine> lines;
    if (window_ == nullptr)
        return lines;
    for (const auto& [label, id] : kShown)
        lines.push_back({label, std::string(TrimBlanks(window_->text(id, 64)))});
    const auto yesNo = [this](int id) { return window_->isChecked(id) ? "yes" : "no"; };
    lines.push_back({"Use Cash Out as savings", yesNo(kCashOutAsSavings)});
    lines.push_back({"Include closing costs in mortgage", yesNo(kIncludeCosts)});
    lines.push_back({"Include points in mortgage", yesNo(kIncludePoints)});
    return lines;
}

} // namespace tw
