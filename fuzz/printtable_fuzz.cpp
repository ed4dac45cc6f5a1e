// Any bytes as a table file (psched.tmp, refprt.tmp) for the printing: the lines are the
// text's whole lines, the refusal and the table agree on what they read, and the page files
// of an accepted table hold every row on one line of its own.

#include "fuzz/fuzzcheck.h"
#include "print/pagefiles.h"
#include "print/printtable.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using tw::fuzz::Require;
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const auto lines = tw::SplitLines(text);
    std::size_t total = 0;
    for (std::string_view line : lines) {
        Require(!line.empty(), "no empty line");
        Require(line.data() == text.data() + total, "lines follow each other");
        total += line.size();
        const auto newline = line.find('\n');
        Require(newline == std::string_view::npos || newline == line.size() - 1,
                "a line ends at its first line feed");
        Require(newline != std::string_view::npos || total == text.size(),
                "only the last line lacks its line feed");
        std::size_t fieldChars = 0;
        for (const std::string& field : tw::SplitFields(line))
            fieldChars += field.size();
        Require(fieldChars == line.size(), "fields hold the line, tabs as blanks");
    }
    Require(total == text.size(), "the lines hold the whole text");

    const tw::PrintTable table = tw::ParsePrintTable(text);
    Require(table.rows.size() + (lines.empty() ? 0 : 1) <= lines.size(),
            "no more rows than lines after the titles");
    if (!tw::TableTextProblem(text).empty())
        return 0;
    Require(table.rows.size() <= tw::kMaxTableRows, "an accepted table is within the rows");
    for (const tw::PrintoutKind kind : {tw::PrintoutKind::Schedule, tw::PrintoutKind::Refinance}) {
        const auto pages = tw::PageFileTexts(table, kind);
        std::size_t rows = 0;
        for (const std::string& page : pages)
            rows += static_cast<std::size_t>(std::count(page.begin(), page.end(), '\n')) - 3;
        Require(rows == table.rows.size(), "every row is one line of the page files");
    }
    return 0;
}
