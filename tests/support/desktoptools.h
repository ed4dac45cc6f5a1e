#pragma once
#include "platform/qt/qtplatform.h"
#include "tools/toolcontext.h"

namespace tw::testing {

// What a form on the desktop host is built with in a test: the Qt platform without a main
// window, fresh records and marks, and the tools' context over them.
struct DesktopTools
{
    QtPlatform platform{false};
    AppRecords records;
    OpenMarks marks;
    ToolContext context{platform, records, marks};
};

} // namespace tw::testing
