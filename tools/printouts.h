#pragma once
#include "platform/window.h"

#include <string_view>

namespace tw {

// The two printable tables. The numbers are the kinds the program has always passed around.
enum class PrintoutKind { None = 0, Schedule = 12, Refinance = 14 };

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
