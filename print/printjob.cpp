#include "print/printjob.h"

#include "print/pagefiles.h"
#include "print/printorder.h"
#include "print/schedulepage.h"

#include <algorithm>
#include <climits>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

namespace tw {

namespace {

// The graph job's single page; the print dialog offers it as the range's end.
constexpr int kGraphPage = 1;

// Clears the print-job mark when the job ends, however it ends.
class PrintJobScope
{
  public:
    explicit PrintJobScope(OpenMarks& marks) : marks_(marks)
    {
        marks_.set(ToolMark::PrintJob, nullptr);
    }
    ~PrintJobScope() { marks_.clear(ToolMark::PrintJob); }
    PrintJobScope(const PrintJobScope&) = delete;
    PrintJobScope& operator=(const PrintJobScope&) = delete;

  private:
    OpenMarks& marks_;
};

void ShowError(Platform& platform, std::string_view text, std::string_view title)
{
    platform.message(nullptr, text, title, MessageIcon::Error, MessageButtons::Ok, true);
}

void ReportUndrawnPage(Platform& platform)
{
    // The first box names the title page whichever page it was.
    ShowError(platform, "Cannot Print Title Page", "Print Schedule");
    ShowError(platform, "Cannot print page!", "Print Error");
}

Orientation HeldOrientation(const PrinterSettings& held)
{
    return held.orientation == static_cast<int>(Orientation::Landscape) ? Orientation::Landscape
                                                                        : Orientation::Portrait;
}

// A printout's headings carry its own title wherever its window was opened from (the
// refinance report from the mortgage calculator too), never "File: " and the empty name of
// a file the program does not have. A kind without a title of its own keeps the print title.
PageHeading HeadingOf(const AppRecords& records, PrintoutKind kind)
{
    const std::string_view own = PrintoutTitle(kind);
    return PageHeading{own.empty() ? records.print.title : std::string(own), true, std::string(),
                       records.print.report.inputs};
}

// What a job was to put out, for the one box that says it did not come out.
struct JobTarget
{
    Window* owner = nullptr;
    std::string what;       // "Cannot print the Mortgage Payoff Schedule"
    std::string_view title; // the box's
    std::string file;       // named by what already: a reason starting with it drops it
};

JobTarget PrinterTarget(Window* owner, std::string_view printout)
{
    return {owner, printout.empty() ? "Cannot print" : "Cannot print the " + std::string(printout),
            "Print Error", std::string()};
}

// A document that could not be started or did not come out whole: what, and why as far as
// the platform says. Every job that fails on its device ends here.
void ReportUnprinted(Platform& platform, const JobTarget& target,
                     const std::optional<std::string>& why)
{
    std::string text = target.what;
    std::string_view reason = why ? std::string_view(*why) : std::string_view();
    const std::string named = target.file + ": ";
    if (!target.file.empty() && reason.substr(0, named.size()) == named)
        reason.remove_prefix(named.size());
    if (!reason.empty())
        text += ": " + std::string(reason);
    platform.message(target.owner, text, target.title, MessageIcon::Error, MessageButtons::Ok,
                     true);
}

bool StartDocument(Platform& platform, PrintDevice& device, std::string_view document,
                   const JobTarget& target)
{
    if (device.beginDocument(document))
        return true;
    ReportUnprinted(platform, target, device.failure());
    return false;
}

bool FinishDocument(Platform& platform, PrintDevice& device, const JobTarget& target)
{
    device.endDocument();
    const std::optional<std::string> failure = device.failure();
    if (failure)
        ReportUnprinted(platform, target, failure);
    return !failure;
}

std::tm LocalNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

// Draws pages in the order given, each with the clock read as it is drawn. Returns the first
// page that could not be drawn.
std::optional<int> DrawPages(PrintDevice& device, const std::vector<int>& pages, int lastPage,
                             PrintoutKind kind, const PageHeading& heading)
{
    for (const int page : pages) {
        PagePainter* painter = device.beginPage(page);
        if (painter == nullptr)
            return page;
        const bool drawn = DrawSchedulePage(*painter, PageFileName(page), page, lastPage, kind,
                                            heading, LocalNow());
        device.endPage();
        if (!drawn)
            return page;
    }
    return std::nullopt;
}

std::vector<int> EveryPage(int lastPage)
{
    return PrintOrder(0, lastPage, 1, false, lastPage);
}

// The page files of the printout; their number, or 0 once the user has been told why there
// are none. A later page file's failure has already been written to the standard output.
int WritePrintoutPages(Platform& platform, PrintoutKind kind)
{
    const PageFilesResult result = WritePageFiles(kind);
    switch (result.status) {
    case PageFilesStatus::Written:
        return result.pages;
    case PageFilesStatus::InputMissing:
        ShowError(platform, PrintInputMissingMessage(kind), kPrintFileErrorTitle);
        return 0;
    case PageFilesStatus::InputRefused:
        ShowError(platform, PrintInputRefusedMessage(kind, result.problem), kPrintFileErrorTitle);
        return 0;
    case PageFilesStatus::FirstPageFileFailed:
        ShowError(platform, kPageFileFailedMessage, kPrintFileErrorTitle);
        return 0;
    case PageFilesStatus::LaterPageFileFailed:
        return 0;
    }
    return 0;
}

} // namespace

std::unique_ptr<PrintDevice> ChoosePrinter(ToolContext& context, Window* owner, int lastPage,
                                           std::string_view document, PrintChoice& choice)
{
    context.marks.set(ToolMark::PrintJob, nullptr);
    PrinterSettings& held = context.records.printer;
    choice = PrintChoice{};
    choice.minPage = 0;
    choice.maxPage = lastPage;
    choice.fromPage = 0;
    choice.toPage = lastPage;
    choice.copies = 1;
    choice.collate = held.collate;
    choice.orientation = HeldOrientation(held);
    choice.document = std::string(document);

    Printers* printers = context.platform.printers();
    std::unique_ptr<PrintDevice> device =
        printers != nullptr ? printers->choosePrinter(owner, choice) : nullptr;
    if (!device) {
        context.marks.clear(ToolMark::PrintJob);
        return nullptr;
    }
    held.orientation = static_cast<int>(choice.orientation);
    return device;
}

void PrintPageFiles(ToolContext& context, Window* owner, int lastPage, PrintoutKind kind)
{
    PrintJobScope job(context.marks);
    PrintChoice choice;
    std::unique_ptr<PrintDevice> device =
        ChoosePrinter(context, owner, lastPage, kScheduleDocument, choice);
    if (!device)
        return;
    context.records.printer.collate = choice.collate;
    const PageHeading heading = HeadingOf(context.records, kind);
    const JobTarget target = PrinterTarget(owner, heading.title);
    if (!StartDocument(context.platform, *device, kScheduleDocument, target))
        return;

    const std::vector<int> order =
        PrintOrder(choice.fromPage, choice.toPage, choice.copies, choice.collate, lastPage);
    if (DrawPages(*device, order, lastPage, kind, heading)) {
        ReportUndrawnPage(context.platform);
        device->abortDocument();
        return;
    }
    FinishDocument(context.platform, *device, target);
}

int PrintPrintout(ToolContext& context, Window* owner, PrintoutKind kind)
{
    const int pages = WritePrintoutPages(context.platform, kind);
    if (pages > 0)
        PrintPageFiles(context, owner, pages, kind);
    return pages;
}

void PageSetup(ToolContext& context, Window* owner)
{
    PrinterSettings& held = context.records.printer;
    PageSetupChoice choice;
    choice.orientation = HeldOrientation(held);
    choice.margins = Margins{held.marginLeft, held.marginTop, held.marginRight, held.marginBottom};

    PageSetupAnswer answer = PageSetupAnswer::Cancelled;
    {
        PrintJobScope dialog(context.marks);
        if (Printers* printers = context.platform.printers())
            answer = printers->pageSetup(owner, choice);
    }
    switch (answer) {
    case PageSetupAnswer::Cancelled:
        return;
    case PageSetupAnswer::InvalidPrinter:
        ShowError(context.platform, "Invalid Printer", "Print Error");
        return;
    case PageSetupAnswer::Accepted:
        break;
    }

    held.firstPageSetup = false;
    // Thousandths of an inch to printer pixels, cut to whole pixels; a margin no paper has
    // stops at the largest int rather than overflow it.
    auto pixels = [](int thousandths, int dpi) {
        const double value = static_cast<double>(static_cast<long long>(thousandths) * dpi) * 0.001;
        return static_cast<int>(
            std::clamp(value, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
    };
    held.deviceMarginLeft = pixels(choice.margins.left, choice.dpiX);
    held.deviceMarginRight = pixels(choice.margins.right, choice.dpiX);
    held.deviceMarginTop = pixels(choice.margins.top, choice.dpiY);
    held.deviceMarginBottom = pixels(choice.margins.bottom, choice.dpiY);
    held.orientation = static_cast<int>(choice.orientation);
    held.marginLeft = choice.margins.left;
    held.marginTop = choice.margins.top;
    held.marginRight = choice.margins.right;
    held.marginBottom = choice.margins.bottom;
}

void PrintGraph(ToolContext& context, Window* owner)
{
    context.marks.set(ToolMark::PrintJob, nullptr);
    PrintChoice choice;
    std::unique_ptr<PrintDevice> device =
        ChoosePrinter(context, owner, kGraphPage, kGraphDocument, choice);
    if (!device)
        return;
    context.marks.clear(ToolMark::PrintJob);
    const JobTarget target = PrinterTarget(owner, "graph");
    for (int copy = 0; copy < choice.copies; ++copy) {
        if (!StartDocument(context.platform, *device, kGraphDocument, target))
            return;
        if (device->beginPage(kGraphPage) != nullptr)
            device->endPage();
        if (!FinishDocument(context.platform, *device, target))
            return;
    }
}

bool SavePrintoutPdf(ToolContext& context, Window* owner, PrintoutKind kind, std::string_view path)
{
    PrintJobScope job(context.marks);
    const int lastPage = WritePrintoutPages(context.platform, kind);
    if (lastPage == 0)
        return false;
    Printers* printers = context.platform.printers();
    std::unique_ptr<PrintDevice> device =
        printers != nullptr ? printers->pdfFile(path, HeldOrientation(context.records.printer))
                            : nullptr;
    const JobTarget target{owner, "Cannot write the PDF file " + std::string(path), "Save as PDF",
                           std::string(path)};
    if (!device) {
        ReportUnprinted(context.platform, target, std::nullopt);
        return false;
    }
    if (!StartDocument(context.platform, *device, kScheduleDocument, target))
        return false;
    if (DrawPages(*device, EveryPage(lastPage), lastPage, kind, HeadingOf(context.records, kind))) {
        ReportUndrawnPage(context.platform);
        device->abortDocument();
        return false;
    }
    if (!FinishDocument(context.platform, *device, target))
        return false;
    // Nothing else shows that the file is there, and where.
    context.platform.message(owner, "Saved the printout as " + std::string(path), "Save as PDF",
                             MessageIcon::Information, MessageButtons::Ok, false);
    return true;
}

void PreviewPrintout(ToolContext& context, Window* owner, PrintoutKind kind)
{
    PrintJobScope job(context.marks);
    const int lastPage = WritePrintoutPages(context.platform, kind);
    Printers* printers = context.platform.printers();
    if (lastPage == 0 || printers == nullptr)
        return;
    const PageHeading heading = HeadingOf(context.records, kind);
    printers->preview(owner, HeldOrientation(context.records.printer), [&](PrintDevice& device) {
        if (!device.beginDocument(kScheduleDocument))
            return;
        if (DrawPages(device, EveryPage(lastPage), lastPage, kind, heading)) {
            ReportUndrawnPage(context.platform);
            device.abortDocument();
            return;
        }
        device.endDocument();
    });
}

} // namespace tw
