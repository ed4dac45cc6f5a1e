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
// report (two starting rows and two rows a year) lose no row. Each figure is held at double
// precision: the files write cents of amounts far above what a float holds to the cent
// (195379.32 is 195379.31 as a float), and the page files must print what the table shows.
struct PrintTable
{
    std::vector<std::string> titles;       // fields of the first line, each with its trailing blank
    std::vector<std::vector<double>> rows; // the fields of each following line, read as numbers
};

// What a table file may hold before printing refuses it. The suite writes at most 101
// schedule rows and 102 refinance pairs of a few hundred characters each; the limits lie far
// beyond that, and as the graph programs' readers bound their files, so that no file can make
// printing hang, fill the memory or write thousands of page files.
inline constexpr std::size_t kMaxTableFileBytes = std::size_t{64} << 20;
inline constexpr std::size_t kMaxTableLineLength = 4096;
inline constexpr std::size_t kMaxTableRows = 1000;

inline constexpr std::string_view kTableEndMarker = "Dooone";

// The text cut into its lines, each ending after its line feed, however long; the last line
// may have no line feed. An empty text has no lines.
std::vector<std::string_view> SplitLines(std::string_view text);

// The fields of one line: a field is the text up to a tab or a line feed, and that tab or
// line feed becomes one blank at the end of the field, so "35\t\n" has the fields "35 " and
// " ". Text after the last tab or line feed (a last line without a line feed) is one more
// field, without a blank.
std::vector<std::string> SplitFields(std::string_view line);

// The first line's fields are the titles; each following line is a row of its fields read
// with the standard text-to-number conversion (" 35 O " reads as 35), up to the first line
// that contains the end marker or the end of the text. Each line is read whole, so a row of
// very wide figures stays one row. Titles are kept whole and rows keep all their fields,
// however many there are.
PrintTable ParsePrintTable(std::string_view text);

// Why a table text is refused for printing: a line before the end marker longer than
// kMaxTableLineLength, or more than kMaxTableRows rows ("line 7 is longer than 4096
// characters"); empty when it may be printed.
std::string TableTextProblem(std::string_view text);

// The whole content of a regular file of at most kMaxTableFileBytes; nothing when it cannot
// be opened or read, is not a regular file (a directory, a pipe, a device: never waited on)
// or is larger, which *tooLarge tells apart when asked.
std::optional<std::string> ReadFileText(const std::string& path, bool* tooLarge = nullptr);

struct TableRead
{
    std::optional<PrintTable> table;
    // When there is no table: why, for the user, when the file was there but is refused (too
    // large, or TableTextProblem); empty when it could not be opened as a file at all.
    std::string problem;
};

TableRead ReadPrintTable(const std::string& path);

} // namespace tw
