#pragma once
// The print job over the platform's printers: the print dialog, the pages of a printout in
// the order the user's range, copies and collation ask for, page setup, the graph's empty
// pages, and the printout saved as a PDF file or shown in a preview. Every dialog and job
// runs with the print-job mark set, so that the dispatcher's guard keeps tools from opening
// meanwhile; the mark is cleared again however the job ends.

#include "platform/printing.h"
#include "print/printtable.h"
#include "tools/toolcontext.h"

#include <memory>
#include <string_view>

namespace tw {

inline constexpr std::string_view kScheduleDocument = "Printing Schedule";
inline constexpr std::string_view kGraphDocument = "Printing Graph";

// The print dialog owned by owner (null: the main window) for the document, offering the
// pages 0 to lastPage (all of them), one copy, the held collate switch and the held
// orientation. Sets the
// print-job mark. Accepted: the orientation chosen becomes the held one, choice holds what
// the user chose and the printer's device is returned; the mark stays set for the job.
// Cancelled, or no printers at all: the mark is cleared and nothing is returned.
std::unique_ptr<PrintDevice> ChoosePrinter(ToolContext& context, Window* owner, int lastPage,
                                           std::string_view document, PrintChoice& choice);

// Prints the title page and the page files rpage1 to rpage<lastPage> of the working
// directory as the document "Printing Schedule", after the print dialog. Only the pages in
// the chosen range are printed, each copy made here (the device's own copy count is 1); the
// collate switch becomes the held one. A page that cannot be drawn ends the job with two
// messages. The print-job mark is clear afterwards.
void PrintPageFiles(ToolContext& context, Window* owner, int lastPage, PrintoutKind kind);

// Writes the page files of the printout's table file and prints them with PrintPageFiles.
// Returns the number of page files, 0 when the table file or a page file failed (after the
// message, if any, of that failure) and nothing was printed.
int PrintPrintout(ToolContext& context, Window* owner, PrintoutKind kind);

// The page-setup dialog (Ctrl+Y), offering the held orientation and margins. Accepted: the
// orientation of the chosen paper and the margins become the held ones, and the margins in
// printer pixels are derived from them; "Invalid Printer" when the printer cannot be used.
void PageSetup(ToolContext& context, Window* owner);

// Ctrl+G once the guard has let it through: the print dialog, then once for every copy a job
// "Printing Graph" of one page on which nothing is drawn.
void PrintGraph(ToolContext& context, Window* owner);

// The printout of a table window without any dialog: the page files are written again and
// every page, title page first, goes to a PDF file at path. Returns whether the file was
// written; the user has been told why not.
bool SavePrintoutPdf(ToolContext& context, Window* owner, PrintoutKind kind, std::string_view path);

// The same pages in the platform's print preview.
void PreviewPrintout(ToolContext& context, Window* owner, PrintoutKind kind);

// The report windows' printouts made by the functions above.
class PrintJobPrintouts final : public Printouts
{
  public:
    PrintJobPrintouts(Platform& platform, AppRecords& records, OpenMarks& marks)
        : context_{platform, records, marks}
    {
    }

    void print(PrintoutKind kind, Window* owner) override { PrintPrintout(context_, owner, kind); }
    void savePdf(PrintoutKind kind, Window* owner, std::string_view path) override
    {
        SavePrintoutPdf(context_, owner, kind, path);
    }
    void preview(PrintoutKind kind, Window* owner) override
    {
        PreviewPrintout(context_, owner, kind);
    }

  private:
    ToolContext context_; // what the print job needs of the program's context
};

} // namespace tw
