// Any bytes as a table file (psched.tmp, refprt.tmp) for the printing: the lines are cut as
// the line reader cuts them, and the table holds what those lines hold.

#include "fuzz/fuzzcheck.h"
#include "print/printtable.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using tw::fuzz::Require;
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const auto lines = tw::SplitLines(text, tw::kTableLineLimit);
    std::size_t total = 0;
    for (std::string_view line : lines) {
        Require(!line.empty() && line.size() <= tw::kTableLineLimit, "a line within the limit");
        Require(line.data() == text.data() + total, "lines follow each other");
        total += line.size();
        const auto newline = line.find('\n');
        Require(newline == std::string_view::npos || newline == line.size() - 1,
                "a line ends at its first line feed");
        std::size_t fieldChars = 0;
        for (const std::string& field : tw::SplitFields(line))
            fieldChars += field.size();
        Require(fieldChars == line.size(), "fields hold the line, tabs as blanks");
    }
    Require(total == text.size(), "the lines hold the whole text");

    const tw::PrintTable table = tw::ParsePrintTable(text);
    Require(table.rows.size() + (lines.empty() ? 0 : 1) <= lines.size(),
            "no more rows than lines after the titles");
    return 0;
}
