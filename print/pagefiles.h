#pragma once
// Splitting a printable table into page files "rpage1", "rpage2", ...: one printed page each,
// read back by the page drawing. The split itself is a pure function of the table.

#include "print/printtable.h"

#include <string>
#include <string_view>
#include <vector>

namespace tw {

enum class PageFilesStatus {
    Written,
    InputMissing,
    InputRefused, // the input file is beyond what a table file holds
    FirstPageFileFailed,
    LaterPageFileFailed
};

struct PageFilesResult
{
    PageFilesStatus status = PageFilesStatus::Written;
    int pages = 0;       // page files written
    int failedPage = 0;  // the page whose file could not be created, 0 when none failed
    std::string problem; // InputRefused: why (see ReadPrintTable)
};

// The messages the caller shows, each in a box titled kPrintFileErrorTitle.
inline constexpr std::string_view kPrintFileErrorTitle = "FILE OPEN ERROR";
inline constexpr std::string_view kPageFileFailedMessage = "Cannot temporary print file - rpage";

// The input file of a kind ("psched.tmp", "refprt.tmp" or "loansched.tmp") and the message shown
// when it cannot be opened.
std::string_view PrintInputFile(PrintoutKind kind);
std::string_view PrintInputMissingMessage(PrintoutKind kind);

// The message shown, titled kPrintFileErrorTitle, when the input file is refused for why.
std::string PrintInputRefusedMessage(PrintoutKind kind, std::string_view why);

// The title a printout's headings carry: its own, wherever its window was opened from.
std::string_view PrintoutTitle(PrintoutKind kind);

// Data rows on one page file: 56 for the schedules, 46 for the refinance report.
int RowsPerPageFile(PrintoutKind kind);

// The texts of the page files of a table, page 1 first. Each starts with the head (the first
// ten titles, each followed by a tab, a line feed and a 23-dash rule), holds its share of the
// rows and ends with "Dooone\n". A row is its first ten values in "%13.2f" followed by a tab;
// in the refinance report the first value is marked " O" or " R" by the row's position in the
// whole table (rows 0, 2, 4, ... O), whatever the file had there. Missing titles are written
// empty and missing values as 0. A table without rows gives one page file, the head only.
// Every figure prints the cents its table file shows; one wider than 13 characters is written
// whole, its row longer.
std::vector<std::string> PageFileTexts(const PrintTable& table, PrintoutKind kind);

// Page file name of page p: directory + "/rpage" + p, or "rpage<p>" for ".".
std::string PageFileName(int page, const std::string& directory = ".");

// Reads the kind's input file in directory and writes the page files there, replacing
// earlier ones. A page file that cannot be created stops the writing; the page files before
// it stay. A later page file's failure also writes "Cannot open file rpage<p>.\n" to the
// standard output. Nothing is shown to the user: the caller shows the messages.
PageFilesResult WritePageFiles(PrintoutKind kind, const std::string& directory = ".");

} // namespace tw
