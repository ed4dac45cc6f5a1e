#pragma once
#include "tools/reportform.h"

namespace tw {

// The Mortgage Schedule window: the payoff schedule of the mortgage record as a banded list,
// one row per year of age, written at the same time to the table file that printing reads.
class ScheduleForm final : public ReportForm
{
  public:
    static constexpr int kOk = 1;
    static constexpr int kPrint = 2; // also what Escape sends
    static constexpr int kList = 101;
    static constexpr const char* kFileName = "psched.tmp";

    explicit ScheduleForm(ToolContext& context);

    std::string_view resource() const override { return "moschedule"; }

  private:
    void build() override;
    ReportHeading reportHeading() const override;
};

} // namespace tw
