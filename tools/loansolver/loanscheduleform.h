#pragma once
#include "tools/loansolver/loansolver.h"
#include "tools/reportform.h"

namespace tw {

// The Loan Schedule window: the solved loan payment by payment, with a total row at the end
// of each year, or the years' rows alone; written at the same time to the table file that
// printing reads. Its printout's title page lists the loan's figures.
class LoanScheduleForm final : public ReportForm
{
  public:
    static constexpr int kOk = 1;
    static constexpr int kPrint = 2; // also what Escape sends
    static constexpr int kYearsOnly = 3;
    static constexpr int kList = 101;
    static constexpr const char* kFileName = "loansched.tmp";

    LoanScheduleForm(ToolContext& context, const LoanTerms& terms);

    std::string_view resource() const override { return "loanschedule"; }

  private:
    void build() override;
    void otherCommand(int id) override;
    ReportHeading reportHeading() const override;

    LoanTerms terms_;
    LoanSchedule schedule_;
};

} // namespace tw
