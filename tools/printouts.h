#pragma once
#include "platform/window.h"

#include <string>
#include <string_view>
#include <vector>

namespace tw {

// The printable tables. The numbers of the first two are the kinds the program has always
// passed around.
enum class PrintoutKind { None = 0, Schedule = 12, Refinance = 14, LoanSchedule = 16 };

// A line of a printout's title page naming what the report was made from: "Amount borrowed"
// and "200000.00".
struct TitlePageLine
{
    std::string label;
    std::string value;
};

// What a report window adds to its printout: the inputs of the analysis, on the title page
// only; the pages after it stay as they always were.
struct ReportHeading
{
    std::vector<TitlePageLine> inputs; // drawn on the title page below the date and time
};

// What a report window can do with its printout; the print layer provides it. Every request
// tells the user itself when it cannot be done.
class Printouts
{
  public:
    virtual ~Printouts() = default;

    // The print dialog, then the pages on the chosen printer.
    virtual void print(PrintoutKind kind, Window* owner) = 0;
    // Every page, title page first, into a PDF file at path (UTF-8, as the user chose it).
    virtual void savePdf(PrintoutKind kind, Window* owner, std::string_view path) = 0;
    // The pages in the platform's print preview.
    virtual void preview(PrintoutKind kind, Window* owner) = 0;

    // Printouts that are never made: for forms built without a print layer (tests, tools
    // that print nothing).
    static Printouts& none();
};

} // namespace tw
