#pragma once
#include "tools/reportlayout.h"
#include "tools/toolform.h"

#include <optional>
#include <string>

namespace tw {

// What both report windows are: a banded list laid out across the window with OK and Print
// below it, built afresh at every opening and every resize, and a printout of their own kind
// that Print, Save as PDF and Print Preview make. Closing by the close box, unlike OK, lets
// the next opening size the columns afresh. The guard does not know a report window: it
// holds no open-tool mark.
//
// The printout is always of the rows the window shows: before each print the table file is
// written again from them, whatever rewrote it since the window was built (the refinance
// graph run leaves it without rows). A window that shows nothing because its computation
// refused the input says so instead of printing an older table.
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

    // Fills the list (calling layOut() first), writes the printout's table file and tells
    // what it shows with showsTable() or showsNothing(); with neither, printing reads the
    // table file as it is.
    virtual void build() = 0;
    // A command other than OK and Print.
    virtual void otherCommand(int /*id*/) {}
    // What the window adds to the headings of its printout.
    virtual ReportHeading reportHeading() const { return {}; }

    void layOut();
    int listId() const { return layout_.listId; }
    // The list shows the rows of text, the table file's whole text for them, which prints
    // from file.
    void showsTable(std::string file, std::string text);
    // The list shows nothing, as the computation refused its input: printing shows text in a
    // box titled title.
    void showsNothing(std::string title, std::string text);

  private:
    struct Shown
    {
        std::string file;
        std::string text;
    };
    struct Nothing
    {
        std::string title;
        std::string text;
    };

    void rebuild();
    // Whether the printout may be made, the table file holding the rows shown.
    bool preparePrintout();

    std::optional<Shown> shown_;
    std::optional<Nothing> nothing_;
    PrintoutKind kind_;
    ScheduleColumnsState& columns_;
    ReportLayout layout_;
};

} // namespace tw
