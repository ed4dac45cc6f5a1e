#pragma once
#include "platform/platform.h"
#include "tools/openmarks.h"
#include "tools/records.h"

#include <functional>
#include <string_view>

namespace tw {

// What every form is built with: the platform, the program's records, and the hooks to
// parts that forms open without depending on them.
struct ToolContext
{
    Platform& platform;
    AppRecords& records;
    OpenMarks& marks;
    // Opens the refinance form owned by the given window; empty until that tool exists.
    std::function<int(Window* owner)> openRefinance;
    // Prints the mortgage schedule file; empty until printing exists.
    std::function<void(Window* owner)> printMortgageSchedule;
    // Prints the refinance report file; empty until printing exists.
    std::function<void(Window* owner)> printRefinanceReport{};
    // From a table window's context menu: its printout (kind 12 the mortgage schedule, 14 the
    // refinance report) saved as a PDF file at path, or shown in a print preview. Empty: the
    // menu does nothing.
    std::function<void(Window* owner, int kind, std::string_view path)> savePrintoutPdf{};
    std::function<void(Window* owner, int kind)> previewPrintout{};
};

} // namespace tw
