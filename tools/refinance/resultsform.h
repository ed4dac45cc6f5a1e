#pragma once
#include "tools/toolform.h"

namespace tw {

class RefinanceForm;

// The refinance results window: both futures year by year as a banded table. Every opening and
// every resize runs the analysis afresh from the refinance form below it, which rewrites the
// print file; Escape writes the graph file and starts the graph program. The guard does not
// know the window: it holds no open-tool mark.
class RefinanceResultsForm final : public ToolForm
{
  public:
    static constexpr int kOk = 1;
    static constexpr int kPrint = 3;
    static constexpr int kList = 101;
    static constexpr int kPrintKind = 14; // the refinance report's printout

    RefinanceResultsForm(ToolContext& context, RefinanceForm& analysis)
        : ToolForm(context), analysis_(analysis)
    {
    }

    std::string_view resource() const override { return "raschedule"; }
    void opened(Window& window) override;
    void command(int id) override;
    void closeRequested() override;
    void resized(Size client) override;
    void savePdfRequested(std::string_view path) override;
    void previewRequested() override;

  private:
    void layOut();

    RefinanceForm& analysis_;
};

} // namespace tw
