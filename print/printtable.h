#pragma once
// The print layer: turns the two printable tables (the mortgage schedule and the refinance
// report) into page files, draws those pages on whatever painter the host gives it, orders
// the pages of a print job and writes a table window's rows as CSV, tab text or HTML. It uses
// the number formatting and reading of finance/, the printing interface of
// platform/printing.h and the tools' file writer; it never sees a toolkit, so every step runs
// and is tested without a printer or a display.

#include "tools/printouts.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// A printable table as read from its file: the column titles and the rows of numbers. Rows
// are held in a vector, so a 101-row schedule (a 100-year term) and the longest refinance
// report (two starting rows and two rows a year) lose no row.
struct PrintTable
{
    std::vector<std::string> titles;      // fields of the first line, each with its trailing blank
    std::vector<std::vector<float>> rows; // the fields of each following line, read as numbers
};

// Input lines are read at most this many characters at a time, line feed included; the rest
// of a longer line is read as the next line, as the table files have always been read.
inline constexpr std::size_t kTableLineLimit = 239;
// The same for the lines of a page file.
inline constexpr std::size_t kPageLineLimit = 263;

inline constexpr std::string_view kTableEndMarker = "Dooone";

// The text cut into lines as a line reader with a limit of maxChars characters a line gives
// them: each line ends after its line feed or after maxChars characters, whichever comes
// first; the last line may have no line feed. An empty text has no lines.
std::vector<std::string_view> SplitLines(std::string_view text, std::size_t maxChars);

// The fields of one line: a field is the text up to a tab or a line feed, and that tab or
// line feed becomes one blank at the end of the field, so "35\t\n" has the fields "35 " and
// " ". Text after the last tab or line feed (a line cut at the length limit, or a last line
// without a line feed) is one more field, without a blank.
std::vector<std::string> SplitFields(std::string_view line);

// The first line's fields are the titles; each following line is a row of its fields read
// with the standard text-to-number conversion (" 35 O " reads as 35), up to the first line
// that contains the end marker or the end of the text. A line longer than the line limit is
// read in pieces and so gives more than one row, the way the files have always been read.
// Titles are kept whole and rows keep all their fields, however many there are.
PrintTable ParsePrintTable(std::string_view text);

// The whole content of a file; nothing when it cannot be opened or read (a directory, say).
std::optional<std::string> ReadFileText(const std::string& path);

// The table of a file; nullopt when the file cannot be opened.
std::optional<PrintTable> ReadPrintTable(const std::string& path);

} // namespace tw
