#include "tools/loansolver/loansolverform.h"

#include "finance/format.h"
#include "finance/numberreader.h"
#include "tools/loansolver/loanscheduleform.h"
#include "tools/toolcommands.h"

#include <cmath>
#include <string>

namespace tw {

const ToolDescription LoanSolverForm::kTool = {
    .resource = "loansolver",
    .title = "Loan Solver",
    .command = commands::kLoanSolver,
    .mark = ToolMark::LoanSolver,
    .ok = kOk,
    .calculate = kSolve,
    .help = kHelp,
    .helpContext = kHelpContext,
    .firstField = kAmount,
    .enter = kSolve,
    .controls =
        {
            .inputs = kInputs,
            .results = kResults,
            .radios = kRadios,
            .buttons = kButtons,
            .choices = kChoices,
        },
    .make = MakeTool<LoanSolverForm>,
};

namespace {

constexpr int kFieldChars = 16; // texts of at most 15 characters
constexpr std::string_view kNoSolution = "No Solution!";
constexpr std::string_view kAsPayments = "as payments";
constexpr std::string_view kContinuousText = "continuous";

// The fields and choice lists whose texts the form keeps for the run.
constexpr std::pair<int, std::string LoanSolverTexts::*> kTextFields[] = {
    {LoanSolverForm::kAmount, &LoanSolverTexts::amount},
    {LoanSolverForm::kRate, &LoanSolverTexts::rate},
    {LoanSolverForm::kCompounding, &LoanSolverTexts::compounding},
    {LoanSolverForm::kPaymentsPerYear, &LoanSolverTexts::paymentsPerYear},
    {LoanSolverForm::kCount, &LoanSolverTexts::count},
    {LoanSolverForm::kPayment, &LoanSolverTexts::payment},
    {LoanSolverForm::kBalloon, &LoanSolverTexts::balloon},
    {LoanSolverForm::kFees, &LoanSolverTexts::fees},
    {LoanSolverForm::kPoints, &LoanSolverTexts::points},
    {LoanSolverForm::kExtra, &LoanSolverTexts::extra},
    {LoanSolverForm::kExtraFrom, &LoanSolverTexts::extraFrom},
    {LoanSolverForm::kTarget, &LoanSolverTexts::target},
};

// Each unknown with its radio button and its field.
struct UnknownField
{
    LoanUnknown unknown;
    int radio;
    int field;
};
constexpr UnknownField kUnknownFields[] = {
    {LoanUnknown::Amount, LoanSolverForm::kSolveAmount, LoanSolverForm::kAmount},
    {LoanUnknown::Rate, LoanSolverForm::kSolveRate, LoanSolverForm::kRate},
    {LoanUnknown::Count, LoanSolverForm::kSolveCount, LoanSolverForm::kCount},
    {LoanUnknown::Payment, LoanSolverForm::kSolvePayment, LoanSolverForm::kPayment},
    {LoanUnknown::Balloon, LoanSolverForm::kSolveBalloon, LoanSolverForm::kBalloon},
    {LoanUnknown::Extra, LoanSolverForm::kSolveExtra, LoanSolverForm::kExtra},
};

// A number field's check, in the order of the form: its name in the message for a text that
// is no number, and its limits with the message and title for a number outside them. A whole
// field also refuses fractions and is read into a count. A highest value of kPaymentsLimit
// stands for 100 years of payments.
struct FieldRule
{
    int id;
    double LoanTerms::*amount; // where the value goes, or null for a count
    int LoanTerms::*count;
    const char* name;
    double least;
    bool leastIncluded;
    double most;
    bool whole;
    const char* message;
    const char* title;
};
constexpr double kPaymentsLimit = -1;
const FieldRule kRules[] = {
    {LoanSolverForm::kAmount, &LoanTerms::amount, nullptr, "The amount borrowed", 0, false,
     kMaxLoanAmount, false,
     "The amount borrowed must be greater than $0.00 and at most $1,000,000,000.00.",
     "Amount Error!"},
    {LoanSolverForm::kRate, &LoanTerms::ratePercent, nullptr, "The interest rate", 0, true,
     kMaxLoanRate, false, "The interest rate must be from 0.0% to 100.0% a year.", "Rate Error!"},
    {LoanSolverForm::kCount, nullptr, &LoanTerms::count, "The number of payments", 1, true,
     kPaymentsLimit, true,
     "The number of payments must be a whole number from 1 to %d (100 years of payments).",
     "Number of Payments Error!"},
    {LoanSolverForm::kPayment, &LoanTerms::payment, nullptr, "The payment", 0, true, kMaxLoanAmount,
     false, "The payment must be from $0.00 to $1,000,000,000.00.", "Payment Error!"},
    {LoanSolverForm::kBalloon, &LoanTerms::balloon, nullptr, "The balloon", 0, true, kMaxLoanAmount,
     false, "The balloon must be from $0.00 to $1,000,000,000.00.", "Balloon Error!"},
    {LoanSolverForm::kFees, &LoanTerms::fees, nullptr, "The fees", 0, true, kMaxLoanAmount, false,
     "The fees must be from $0.00 to $1,000,000,000.00.", "Fees Error!"},
    {LoanSolverForm::kPoints, &LoanTerms::pointsPercent, nullptr, "The points", 0, true, kMaxPoints,
     false, "The points must be from 0.0% to 100.0% of the amount borrowed.", "Points Error!"},
    {LoanSolverForm::kExtra, &LoanTerms::extra, nullptr, "The extra payment", 0, true,
     kMaxLoanAmount, false, "The extra payment must be from $0.00 to $1,000,000,000.00.",
     "Extra Payment Error!"},
    {LoanSolverForm::kExtraFrom, nullptr, &LoanTerms::extraFrom,
     "The payment the extra starts with", 1, true, kPaymentsLimit, true,
     "The extra payments must start with a whole payment number from 1 to %d.",
     "Extra Payment Error!"},
};

int CompoundingOf(std::string_view text, int paymentsPerYear)
{
    if (text == kAsPayments)
        return paymentsPerYear;
    if (text == kContinuousText)
        return kContinuous;
    return ReadInt(text);
}

} // namespace

LoanUnknown LoanSolverForm::unknown() const
{
    for (const UnknownField& entry : kUnknownFields) {
        if (window_->isChecked(entry.radio))
            return entry.unknown;
    }
    return LoanUnknown::Payment;
}

void LoanSolverForm::opened(Window& window)
{
    attach(window);
    const LoanSolverTexts& texts = context_.records.loanSolver;
    for (const auto& [id, text] : kTextFields)
        window.setText(id, texts.*text);
    window.setChecked(texts.inAdvance ? kInAdvance : kAtEnd, true);
    window.setChecked(texts.lenderRounding ? kLenderRounding : kExact, true);
    window.setChecked(texts.unknown, true);
    showUnknown();
    showYears();
}

void LoanSolverForm::command(int id)
{
    switch (id) {
    case kSolve:
        if (const std::optional<LoanSolution> solution = solve())
            showSolution(*solution);
        return;
    case kSchedule:
        if (const std::optional<LoanSolution> solution = solve()) {
            showSolution(*solution);
            LoanScheduleForm schedule(context_, solution->terms);
            context_.platform.runModal(schedule, window_);
        }
        return;
    case kOk:
        keepTexts();
        finish();
        return;
    case kHelp:
        showHelp(kHelpContext);
        return;
    case kSolveAmount:
    case kSolveRate:
    case kSolveCount:
    case kSolvePayment:
    case kSolveBalloon:
    case kSolveExtra:
        showUnknown();
        return;
    default:
        return;
    }
}

void LoanSolverForm::focusLost(int id)
{
    if (id == kCount)
        showYears();
}

void LoanSolverForm::showUnknown()
{
    const LoanUnknown solved = unknown();
    for (const UnknownField& entry : kUnknownFields)
        window_->setReadOnly(entry.field, entry.unknown == solved);
    // The target is what the extra is solved for.
    window_->setEnabled(kTarget, solved == LoanUnknown::Extra);
}

void LoanSolverForm::showYears()
{
    const int perYear = ReadInt(window_->text(kPaymentsPerYear, kFieldChars));
    const std::optional<double> count = ReadDouble(window_->text(kCount, kFieldChars));
    window_->setText(kYears, count && perYear > 0 && std::isfinite(*count)
                                 ? Format("%.2f", *count / perYear)
                                 : std::string());
}

void LoanSolverForm::keepTexts()
{
    Window& window = *window_;
    LoanSolverTexts& texts = context_.records.loanSolver;
    for (const auto& [id, text] : kTextFields)
        texts.*text = window.text(id, kFieldChars);
    texts.inAdvance = window.isChecked(kInAdvance);
    texts.lenderRounding = window.isChecked(kLenderRounding);
    for (const UnknownField& entry : kUnknownFields) {
        if (entry.unknown == unknown())
            texts.unknown = entry.radio;
    }
}

std::optional<LoanSolution> LoanSolverForm::solve()
{
    keepTexts();
    Window& window = *window_;
    const LoanUnknown solved = unknown();
    LoanTerms terms;
    terms.paymentsPerYear = ReadInt(window.text(kPaymentsPerYear, kFieldChars));
    if (terms.paymentsPerYear <= 0)
        terms.paymentsPerYear = 12;
    terms.compounding =
        CompoundingOf(window.text(kCompounding, kFieldChars), terms.paymentsPerYear);
    terms.timing = window.isChecked(kInAdvance) ? PaymentTiming::Beginning : PaymentTiming::End;
    terms.rounding = window.isChecked(kLenderRounding) ? LoanRounding::Cents : LoanRounding::Exact;
    const int most = MaxLoanPayments(terms.paymentsPerYear);

    // Reads a field and checks it against its limits; nothing after the message.
    const auto read = [&](int id, const char* name, double least, bool leastIncluded,
                          double highest, bool whole, const std::string& message,
                          std::string_view title) -> std::optional<double> {
        const std::optional<double> value = ReadDouble(window.text(id, kFieldChars));
        if (!value) {
            showError(std::string(name) + " is empty or not a number.", title);
            return std::nullopt;
        }
        const bool above = leastIncluded ? *value >= least : *value > least;
        if (!above || !(*value <= highest) || (whole && *value != std::floor(*value))) {
            showError(message, title);
            return std::nullopt;
        }
        return value;
    };
    for (const FieldRule& rule : kRules) {
        bool isUnknown = false;
        for (const UnknownField& entry : kUnknownFields)
            isUnknown = isUnknown || (entry.field == rule.id && entry.unknown == solved);
        if (isUnknown)
            continue;
        const bool payments = rule.most == kPaymentsLimit;
        const std::optional<double> value =
            read(rule.id, rule.name, rule.least, rule.leastIncluded, payments ? most : rule.most,
                 rule.whole, payments ? Format(rule.message, most) : std::string(rule.message),
                 rule.title);
        if (!value)
            return std::nullopt;
        if (rule.amount != nullptr)
            terms.*rule.amount = *value;
        else
            terms.*rule.count = static_cast<int>(*value);
    }
    if (solved == LoanUnknown::Extra) {
        const std::optional<double> target =
            read(kTarget, "The target number of payments", terms.extraFrom, true, terms.count, true,
                 Format("The target must be a whole number of payments from %d (the first extra "
                        "payment) to %d (the last payment).",
                        terms.extraFrom, terms.count),
                 "Target Error!");
        if (!target)
            return std::nullopt;
        terms.target = static_cast<int>(*target);
    }

    LoanSolution solution = SolveLoan(terms, solved);
    if (solution.failure) {
        showWarning(*solution.failure, kNoSolution);
        return std::nullopt;
    }
    return solution;
}

void LoanSolverForm::showSolution(const LoanSolution& solution)
{
    Window& window = *window_;
    const LoanTerms& terms = solution.terms;
    switch (unknown()) {
    case LoanUnknown::Amount:
        window.setText(kAmount, Format("%.2f", terms.amount));
        break;
    case LoanUnknown::Rate:
        window.setText(kRate, Format("%.4f", terms.ratePercent));
        break;
    case LoanUnknown::Count:
        window.setText(kCount, Format("%d", terms.count));
        break;
    case LoanUnknown::Payment:
        window.setText(kPayment, Format("%.2f", terms.payment));
        break;
    case LoanUnknown::Balloon:
        window.setText(kBalloon, Format("%.2f", terms.balloon));
        break;
    case LoanUnknown::Extra:
        window.setText(kExtra, Format("%.2f", terms.extra));
        break;
    }
    window.setText(kYears,
                   Format("%.2f", static_cast<double>(terms.count) / terms.paymentsPerYear));
    window.setText(kTotalPayments, FormatDollars(solution.totalPayments));
    window.setText(kTotalInterest, FormatDollars(solution.totalInterest));
    window.setText(kApr, Format("%.3f%%", solution.aprPercent));
    window.setText(kPaymentsMade, Format("%d", solution.paymentsMade));
    window.setText(kInterestSaved, FormatDollars(solution.interestSaved));
    keepTexts();
}

} // namespace tw
