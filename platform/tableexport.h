#pragma once
// A table window's rows as text for the clipboard and for export, the same on every host. The cells
// are the texts the list shows ("  45 O", "    123456.78"); every cell is written trimmed of its
// blanks, so numbers come out plain, with a decimal point, as the list has them.

#include <string>
#include <string_view>
#include <vector>

namespace tw {

// CSV as spreadsheets read it: UTF-8 without a byte-order mark, the titles as the first
// record, CRLF after every record. A field is quoted only when it holds a comma, a double
// quote, a CR or an LF; quotes inside it are doubled.
std::string CsvText(const std::vector<std::string>& titles,
                    const std::vector<std::vector<std::string>>& rows);

// Tab-separated lines ending in "\n", titles first: what a spreadsheet takes from a plain
// text paste. A tab, CR or LF inside a cell becomes a blank so it cannot break the grid.
std::string TabText(const std::vector<std::string>& titles,
                    const std::vector<std::vector<std::string>>& rows);

// An HTML table (titles as <th>, cells as <td>, text escaped), for pasting into documents
// and spreadsheets that take rich text.
std::string HtmlTableText(const std::vector<std::string>& titles,
                          const std::vector<std::vector<std::string>>& rows);

// Writes CsvText of the rows to the file at path (UTF-8), replacing what it held. Returns
// whether the whole text was written. Only a regular file is written: a pipe or a device
// chosen as the target is refused at once, never waited on. A file that could not be written
// whole (a full disk) is removed rather than left cut off or empty.
bool WriteCsvFile(const std::string& path, const std::vector<std::string>& titles,
                  const std::vector<std::vector<std::string>>& rows);

// What both hosts tell the user after WriteCsvFile, in a box or line titled kExportCsvTitle.
inline constexpr std::string_view kExportCsvTitle = "Export CSV";
std::string CsvWrittenMessage(std::string_view path);
std::string CsvFailedMessage(std::string_view path);

} // namespace tw
