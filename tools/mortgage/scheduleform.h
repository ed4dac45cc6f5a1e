#pragma once
#include "tools/toolform.h"

namespace tw {

// The Mortgage Schedule window: the payoff schedule of the mortgage record as a banded list,
// one row per year of age, written at the same time to the table file that printing reads.
// Every opening and every resize builds the list and the file afresh from the record. The
// guard does not know the window: it holds no open-tool mark.
class ScheduleForm final : public ToolForm
{
  public:
    static constexpr int kOk = 1;
    static constexpr int kPrint = 2; // also what Escape sends
    static constexpr int kList = 101;
    static constexpr const char* kFileName = "psched.tmp";
    static constexpr int kPrintKind = 12; // the mortgage schedule's printout

    explicit ScheduleForm(ToolContext& context) : ToolForm(context) {}

    std::string_view resource() const override { return "moschedule"; }
    void opened(Window& window) override;
    void command(int id) override;
    void closeRequested() override;
    void resized(Size client) override;
    void savePdfRequested(std::string_view path) override;
    void previewRequested() override;

  private:
    void build();
};

} // namespace tw
