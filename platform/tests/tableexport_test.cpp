#include "platform/tableexport.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

const std::vector<std::string> kTitles = {"Age", "Net Worth"};

TEST(CsvText, WritesTitlesAndTrimmedCellsWithCrlf)
{
    EXPECT_EQ(CsvText(kTitles, {{"  45 O", "    123456.78"}, {"  45 R", "       -0.50"}}),
              "Age,Net Worth\r\n45 O,123456.78\r\n45 R,-0.50\r\n");
    EXPECT_EQ(CsvText(kTitles, {}), "Age,Net Worth\r\n");
}

TEST(CsvText, QuotesOnlyFieldsThatNeedIt)
{
    struct Case
    {
        const char* cell;
        const char* field;
    };
    const Case cases[] = {
        {"plain text", "plain text"},
        {"$1,234.00", "\"$1,234.00\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"two\nlines", "\"two\nlines\""},
        {"carriage\rreturn", "\"carriage\rreturn\""},
        {"  padded  ", "padded"},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cell);
        EXPECT_EQ(CsvText({"T"}, {{c.cell}}), std::string("T\r\n") + c.field + "\r\n");
    }
}

TEST(TabText, WritesTrimmedCellsBetweenTabs)
{
    EXPECT_EQ(
        TabText({"Age ", " +Diff. in Mon. Pay."}, {{"  45 O", "    12.50"}, {"a\tb", "c\nd"}}),
        "Age\t+Diff. in Mon. Pay.\n45 O\t12.50\na b\tc d\n");
}

TEST(HtmlTableText, EscapesCellsInHeaderAndDataCells)
{
    EXPECT_EQ(HtmlTableText({"Age", "A & B"}, {{"  45 O", " <b>\"x\"'y' "}}),
              "<table>\n"
              "<tr><th>Age</th><th>A &amp; B</th></tr>\n"
              "<tr><td>45 O</td><td>&lt;b&gt;&quot;x&quot;&#39;y&#39;</td></tr>\n"
              "</table>\n");
}

} // namespace
} // namespace tw
