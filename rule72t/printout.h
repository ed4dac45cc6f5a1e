#pragma once
// The printed report: a title page with the inputs, the three methods, the earliest change
// and the notes, then the projection on as many pages as its rows need. Drawn over the
// print layer's page painter (platform/printing.h), so it runs without a printer; the split
// into pages is a pure function of the row count.

#include "platform/printing.h"
#include "rule72t/report.h"

#include <ctime>
#include <string>
#include <utility>
#include <vector>

namespace tw::rule72t {

struct Printout
{
    std::string date; // "December 9, 2026"
    std::vector<std::pair<std::string, std::string>> inputs;
    ReportTable methods;
    std::vector<std::string> notes; // the earliest change, the 59½ note, the advice note
    ReportTable projection;
};

Printout MakePrintout(const DistributionInput& input, const DistributionResult& result,
                      const std::tm& now);

// Projection rows on one page; a projection holds at most 60 years (a first distribution at
// birth, 59½ years and a part), so it takes two pages at most.
inline constexpr int kRowsPerPage = 40;

// The last page's number: 0 is the title page, 1 to this the projection's pages.
int LastPage(const Printout& printout);
// The rows [first, end) that page (1 to LastPage) shows.
std::pair<int, int> PageRows(const Printout& printout, int page);

// Draws page (0 to LastPage) in the painter's page, the font sized to the page.
void DrawPage(PagePainter& painter, const Printout& printout, int page);

// The document's name at the printer.
inline constexpr char kPrintDocument[] = "Rule 72T Distributions";

// The print dialog offering every page, then the pages of the range chosen in the order its
// copies and collation ask for. False when the dialog was cancelled; failed tells whether the
// printer refused the document or a page (the caller says so).
bool PrintWithDialog(Printers& printers, const Printout& printout, bool& failed);
// Every page into a PDF file at path; false when it cannot be written.
bool SavePdf(Printers& printers, const Printout& printout, std::string_view path);
// Every page in the print preview.
void Preview(Printers& printers, const Printout& printout);

} // namespace tw::rule72t
