#pragma once
#include "tools/mortgage/schedule.h"
#include "tools/records.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

inline constexpr int kScheduleColumns = 10;

// The column titles, in column order: the list's header and the file's header line.
const std::array<std::string_view, kScheduleColumns>& ScheduleColumnTitles();

// A row's ten texts as the list shows them ("%3d", "%14.2f", "%16.2f").
std::vector<std::string> ScheduleCells(const ScheduleRow& row);

// The schedule file is tab-separated text: a header line of the titles, each followed by a
// tab; one line per row, each field followed by a tab; and the end marker with no line end.
std::string ScheduleFileHeader();
std::string ScheduleFileLine(const ScheduleRow& row);
// The same line from the row's list texts, when the caller has them already.
std::string ScheduleFileLine(const std::vector<std::string>& cells);
inline constexpr std::string_view kScheduleEndMarker = "Dooone";
// Header, rows and end marker: the whole file.
std::string ScheduleFileText(const std::vector<ScheduleRow>& rows);

// Width factors of the columns, out of kScheduleWidthDivisor of the list's width.
const std::array<int, kScheduleColumns>& ScheduleColumnFactors();
inline constexpr int kScheduleWidthDivisor = 625;

// Column widths for a list W pixels wide: W × 33/625, 77/625, 77/625, six times 85/625 and
// 90/625, each truncated to whole pixels (the columns add up to more than W: the list
// scrolls sideways). A negative W gives zero widths.
std::array<int, kScheduleColumns> ScheduleColumnWidths(int listWidth);

// The widths for a build of the list W pixels wide: computed afresh when the state holds
// none (first build after start-up or after a close-box closing; W is then recorded) or
// when W is larger than the recorded W; otherwise the widths of the last computation.
std::array<int, kScheduleColumns> ScheduleWidthsForBuild(ScheduleColumnsState& state,
                                                         int listWidth);

} // namespace tw
