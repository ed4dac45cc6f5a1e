#pragma once
// What the two table windows (the payoff schedule and the refinance results) share: a list
// laid out across the client area with OK and Print centred below it, and column widths that
// are fixed fractions of the list's width and outlive one opening.

#include "platform/window.h"
#include "tools/records.h"

#include <array>
#include <span>
#include <string_view>

namespace tw {

inline constexpr int kReportColumns = 10;

// Widths for a list W pixels wide: W × factor / divisor each, truncated to whole pixels
// (the columns may add up to more than W: the list scrolls sideways). A negative W gives zero
// widths.
std::array<int, kReportColumns>
ReportColumnWidths(int listWidth, const std::array<int, kReportColumns>& factors, int divisor);

// The widths for a build of the list W pixels wide: computed afresh when the state holds none
// (the first build after start-up or after a close-box closing; W is then recorded) or when W
// is larger than the recorded W; otherwise the widths of the last computation.
std::array<int, kReportColumns> ReportWidthsForBuild(ScheduleColumnsState& state, int listWidth,
                                                     const std::array<int, kReportColumns>& factors,
                                                     int divisor);

struct ReportLayout
{
    int listId = 0;
    int okId = 0;
    int printId = 0;
    std::span<const std::string_view> titles; // at most kReportColumns of them
    const std::array<int, kReportColumns>* factors = nullptr;
    int divisor = 1;
};

// Replaces the window's list (hidden, 10 pixels in from the top left, 40 pixels short of the
// bottom) with the columns and their widths, and puts OK and Print, 60 by 20, side by side,
// centred, 25 pixels above the bottom. Where the desktop's font needs larger buttons they grow
// away from the middle and the list ends higher; the window cannot be shrunk below what keeps
// the list and both buttons usable.
void LayOutReport(Window& window, ScheduleColumnsState& columns, const ReportLayout& layout);

} // namespace tw
