#pragma once
#include "platform/platform.h"
#include "tools/records.h"

#include <functional>

namespace tw {

// What every form is built with: the platform, the program's records, and the hooks to
// parts that forms open without depending on them.
struct ToolContext
{
    Platform& platform;
    AppRecords& records;
    // Opens the refinance form owned by the given window; empty until that tool exists.
    std::function<int(Window* owner)> openRefinance;
    // Prints the mortgage schedule file; empty until printing exists.
    std::function<void(Window* owner)> printMortgageSchedule;
};

} // namespace tw
