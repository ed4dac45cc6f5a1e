#pragma once
#include "tools/reportform.h"

namespace tw {

class RefinanceForm;

// The refinance results window: both futures year by year as a banded table. Every opening and
// every resize runs the analysis afresh from the refinance form below it, which rewrites the
// print file; Escape writes the graph file and starts the graph program.
class RefinanceResultsForm final : public ReportForm
{
  public:
    static constexpr int kOk = 1;
    static constexpr int kPrint = 3;
    static constexpr int kList = 101;

    RefinanceResultsForm(ToolContext& context, RefinanceForm& analysis);

    std::string_view resource() const override { return "raschedule"; }

  private:
    void build() override;
    void otherCommand(int id) override;

    RefinanceForm& analysis_;
};

} // namespace tw
