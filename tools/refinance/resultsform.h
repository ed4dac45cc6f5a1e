#pragma once
#include "tools/reportform.h"

namespace tw {

class RefinanceForm;

// The refinance results window: both futures year by year as a banded table. Every opening and
// every resize runs the analysis afresh from the refinance form below it, which rewrites the
// print file; Escape writes the graph file and starts the graph program. An analysis that
// refuses its input says so once: the later layouts of the same opening do not run it again
// (the form below cannot change while this window is up), the table stays empty, and Escape
// and Print say there is nothing to show rather than show an earlier analysis's files.
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
    ReportHeading reportHeading() const override;
    void otherCommand(int id) override;

    RefinanceForm& analysis_;
    bool refused_ = false; // the analysis refused the input of this opening
};

} // namespace tw
