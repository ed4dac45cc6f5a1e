#pragma once
#include "tools/reportlayout.h"
#include "tools/toolform.h"

namespace tw {

// What both report windows are: a banded list laid out across the window with OK and Print
// below it, built afresh at every opening and every resize, and a printout of their own kind
// that Print, Save as PDF and Print Preview make. Closing by the close box, unlike OK, lets
// the next opening size the columns afresh. The guard does not know a report window: it
// holds no open-tool mark.
class ReportForm : public ToolForm
{
  public:
    void opened(Window& window) final;
    void command(int id) final;
    void closeRequested() final;
    void resized(Size client) final;
    void savePdfRequested(std::string_view path) final;
    void previewRequested() final;

  protected:
    ReportForm(ToolContext& context, PrintoutKind kind, ScheduleColumnsState& columns,
               const ReportLayout& layout)
        : ToolForm(context), kind_(kind), columns_(columns), layout_(layout)
    {
    }

    // Fills the list (calling layOut() first) and writes the printout's table file.
    virtual void build() = 0;
    // A command other than OK and Print.
    virtual void otherCommand(int /*id*/) {}
    // What the window adds to the headings of its printout.
    virtual ReportHeading reportHeading() const { return {}; }

    void layOut();
    int listId() const { return layout_.listId; }

  private:
    PrintoutKind kind_;
    ScheduleColumnsState& columns_;
    ReportLayout layout_;
};

} // namespace tw
