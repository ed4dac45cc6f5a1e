#pragma once
#include "tools/loansolver/loansolver.h"
#include "tools/toolcatalog.h"
#include "tools/toolform.h"

#include <optional>

namespace tw {

// The Loan Solver: one unknown of a loan from the others. The field of the value solved for is
// a read-only result; Solve checks the other fields in the order of the form, stopping at the
// first that fails, and shows the solved value (plain, so that it can be typed back) with the
// totals, the APR and what the extra payments save. Schedule solves and opens the schedule.
// The form keeps its fields' texts and choices for the run.
class LoanSolverForm final : public ToolForm
{
  public:
    static constexpr int kAmount = 101;
    static constexpr int kRate = 102;
    static constexpr int kCompounding = 103;
    static constexpr int kPaymentsPerYear = 104;
    static constexpr int kCount = 105;
    static constexpr int kPayment = 106;
    static constexpr int kBalloon = 107;
    static constexpr int kAtEnd = 108;
    static constexpr int kInAdvance = 109;
    static constexpr int kFees = 110;
    static constexpr int kPoints = 111;
    static constexpr int kExtra = 112;
    static constexpr int kExtraFrom = 113;
    static constexpr int kTarget = 114;
    static constexpr int kSolveAmount = 121;
    static constexpr int kSolveRate = 122;
    static constexpr int kSolveCount = 123;
    static constexpr int kSolvePayment = 124;
    static constexpr int kSolveBalloon = 125;
    static constexpr int kSolveExtra = 126;
    static constexpr int kYears = 131;
    static constexpr int kTotalPayments = 132;
    static constexpr int kTotalInterest = 133;
    static constexpr int kApr = 134;
    static constexpr int kPaymentsMade = 135;
    static constexpr int kInterestSaved = 136;
    static constexpr int kExact = 141;
    static constexpr int kLenderRounding = 142;
    static constexpr int kOk = 1;
    static constexpr int kSolve = 151;
    static constexpr int kSchedule = 152;
    static constexpr int kHelp = 153;
    static constexpr int kHelpContext = 1590;

    // The numbered controls of the dialog, by kind.
    static constexpr int kInputs[] = {kAmount, kRate,   kCount, kPayment,   kBalloon,
                                      kFees,   kPoints, kExtra, kExtraFrom, kTarget};
    static constexpr int kChoices[] = {kCompounding, kPaymentsPerYear};
    static constexpr int kResults[] = {kYears, kTotalPayments, kTotalInterest,
                                       kApr,   kPaymentsMade,  kInterestSaved};
    static constexpr int kRadios[] = {kAtEnd,      kInAdvance,     kSolveAmount,  kSolveRate,
                                      kSolveCount, kSolvePayment,  kSolveBalloon, kSolveExtra,
                                      kExact,      kLenderRounding};
    static constexpr int kButtons[] = {kSolve, kSchedule, kOk, kHelp};

    static const ToolDescription kTool;

    explicit LoanSolverForm(ToolContext& context) : ToolForm(context, kTool.mark) {}

    std::string_view resource() const override { return kTool.resource; }
    int defaultButton() const override { return kSolve; }
    void opened(Window& window) override;
    void command(int id) override;
    void focusLost(int id) override;

  private:
    // The solve-for radio button that is checked, as the unknown and its field.
    LoanUnknown unknown() const;
    void showUnknown();
    void keepTexts();
    void showYears();
    // Checks the fields and solves; nothing, after a message, when a field or the loan fails.
    std::optional<LoanSolution> solve();
    void showSolution(const LoanSolution& solution);
};

} // namespace tw
