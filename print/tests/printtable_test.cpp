#include "print/printtable.h"

#include "print/tests/printouts.h"
#include "tests/support/tempdirectory.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tw {
namespace {

TEST(SplitFields, KeepsTheTabOrLineFeedAsATrailingBlank)
{
    struct Case
    {
        const char* line;
        std::vector<std::string> fields;
    };
    const Case cases[] = {
        {"Age\tPrincipal\t\n", {"Age ", "Principal ", " "}},
        {" 35 O\t           0.00\n", {" 35 O ", "           0.00 "}},
        {"\t\t", {" ", " "}},
        {"\n", {" "}},
        {"a\tcut off", {"a ", "cut off"}}, // no tab or line feed after the last field
        {"", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("line '") + c.line + "'");
        EXPECT_EQ(SplitFields(c.line), c.fields);
    }
}

TEST(SplitLines, EndsALineAfterItsLineFeedOrAtTheLimit)
{
    using Lines = std::vector<std::string_view>;
    EXPECT_EQ(SplitLines("ab\ncd\n", 10), (Lines{"ab\n", "cd\n"}));
    EXPECT_EQ(SplitLines("ab\ncd", 10), (Lines{"ab\n", "cd"}));
    EXPECT_EQ(SplitLines("abcdefg\nh\n", 3), (Lines{"abc", "def", "g\n", "h\n"}));
    // A line of exactly the limit with its line feed ends in one piece; one character more and
    // the line feed comes as a line of its own.
    EXPECT_EQ(SplitLines("abc\n", 4), (Lines{"abc\n"}));
    EXPECT_EQ(SplitLines("abcd\n", 4), (Lines{"abcd", "\n"}));
    EXPECT_TRUE(SplitLines("", 4).empty());
}

TEST(ParsePrintTable, ReadsTitlesWithTheirBlanksAndRowsAsNumbers)
{
    const PrintTable table = ParsePrintTable(" Age\tNet Worth\n"
                                             " 35 O\t  1234.50\t-7\tx\n"
                                             " 36 R\t1e3\n"
                                             "Dooone\n"
                                             " 99 O\t1\n");
    EXPECT_EQ(table.titles, (std::vector<std::string>{" Age ", "Net Worth "}));
    ASSERT_EQ(table.rows.size(), 2U);
    EXPECT_EQ(table.rows[0], (std::vector<float>{35, 1234.5F, -7, 0}));
    EXPECT_EQ(table.rows[1], (std::vector<float>{36, 1000}));
}

TEST(ParsePrintTable, ReadsRowsToTheEndWithoutAnEndMarker)
{
    const PrintTable table = ParsePrintTable("A\tB\n1\t2\n3\t4");
    ASSERT_EQ(table.rows.size(), 2U);
    EXPECT_EQ(table.rows[1], (std::vector<float>{3, 4}));
    EXPECT_TRUE(ParsePrintTable("").titles.empty());
    EXPECT_TRUE(ParsePrintTable("").rows.empty());
}

TEST(ParsePrintTable, StopsAtTheFirstLineContainingTheEndMarker)
{
    const PrintTable table = ParsePrintTable("A\n1\n  xDooonex\n2\n");
    EXPECT_EQ(table.rows.size(), 1U);
}

TEST(ParsePrintTable, ReadsALineLongerThan239CharactersAsTwoRows)
{
    // 30 fields of 8 characters: 240 characters and the line feed. The first 239 are read as
    // one line, whose last field lost its tab; the tab and the line feed come as the next.
    std::string line;
    for (int i = 0; i < 30; ++i)
        line += Format("%7.2f\t", 1000.25 + i);
    ASSERT_EQ(line.size(), 240U);
    const PrintTable table = ParsePrintTable("Title\n" + line + "\n" + "7\n");
    ASSERT_EQ(table.rows.size(), 3U);
    ASSERT_EQ(table.rows[0].size(), 30U);
    EXPECT_EQ(table.rows[0][0], 1000.25F);
    EXPECT_EQ(table.rows[0][29], 1029.25F);
    EXPECT_EQ(table.rows[1], (std::vector<float>{0, 0}));
    EXPECT_EQ(table.rows[2], (std::vector<float>{7}));

    // A title line as long: its rest is read as the first row.
    const PrintTable longTitles = ParsePrintTable(std::string(250, 'T') + "\n5\n");
    EXPECT_EQ(longTitles.titles, std::vector<std::string>{std::string(239, 'T')});
    ASSERT_EQ(longTitles.rows.size(), 2U);
    EXPECT_EQ(longTitles.rows[1], (std::vector<float>{5}));
}

TEST(ParsePrintTable, ReadsTheScheduleFileAsTheScheduleWritesIt)
{
    const PrintTable table = ParsePrintTable(printouts::ScheduleInput(101));
    ASSERT_EQ(table.titles.size(), 11U);
    EXPECT_EQ(table.titles[0], "Age ");
    EXPECT_EQ(table.titles[9], "Property Liability ");
    EXPECT_EQ(table.titles[10], " ");
    ASSERT_EQ(table.rows.size(), 101U);
    EXPECT_EQ(table.rows[100][0], 135);
    EXPECT_EQ(table.rows[100][9], static_cast<float>(printouts::Value(100, 9)));
}

TEST(ReadPrintTable, GivesNothingForAFileThatCannotBeRead)
{
    TempDirectory directory;
    ASSERT_TRUE(directory.valid());
    EXPECT_FALSE(ReadPrintTable(directory.file("refprt.tmp")).has_value());
    std::filesystem::create_directory(directory.file("psched.tmp"));
    EXPECT_FALSE(ReadPrintTable(directory.file("psched.tmp")).has_value());

    directory.write("refprt.tmp", printouts::RefinanceInput(2));
    const std::optional<PrintTable> table = ReadPrintTable(directory.file("refprt.tmp"));
    ASSERT_TRUE(table.has_value());
    EXPECT_EQ(table->titles.size(), 10U);
    EXPECT_EQ(table->rows.size(), 2U);
}

} // namespace
} // namespace tw
