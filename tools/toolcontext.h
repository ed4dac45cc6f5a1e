#pragma once
#include "platform/platform.h"
#include "tools/openmarks.h"
#include "tools/printouts.h"
#include "tools/records.h"

namespace tw {

// What every form is built with: the platform, the program's records and marks, and the
// printouts of the report windows.
struct ToolContext
{
    Platform& platform;
    AppRecords& records;
    OpenMarks& marks;
    Printouts& printouts = Printouts::none();
};

} // namespace tw
