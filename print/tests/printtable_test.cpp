#include "print/printtable.h"

#include "print/tests/printouts.h"
#include "tests/support/tempdirectory.h"

#include <gtest/gtest.h>

#include "finance/numberreader.h"

#include <filesystem>
#include <sys/stat.h>

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

TEST(SplitLines, EndsALineAfterItsLineFeedHoweverLong)
{
    using Lines = std::vector<std::string_view>;
    EXPECT_EQ(SplitLines("ab\ncd\n"), (Lines{"ab\n", "cd\n"}));
    EXPECT_EQ(SplitLines("ab\ncd"), (Lines{"ab\n", "cd"}));
    EXPECT_EQ(SplitLines("\n\n"), (Lines{"\n", "\n"}));
    const std::string wide(5000, 'x');
    EXPECT_EQ(SplitLines(wide + "\n"), (Lines{wide + "\n"}));
    EXPECT_TRUE(SplitLines("").empty());
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
    EXPECT_EQ(table.rows[0], (std::vector<double>{35, 1234.5, -7, 0}));
    EXPECT_EQ(table.rows[1], (std::vector<double>{36, 1000}));
}

TEST(ParsePrintTable, ReadsRowsToTheEndWithoutAnEndMarker)
{
    const PrintTable table = ParsePrintTable("A\tB\n1\t2\n3\t4");
    ASSERT_EQ(table.rows.size(), 2U);
    EXPECT_EQ(table.rows[1], (std::vector<double>{3, 4}));
    EXPECT_TRUE(ParsePrintTable("").titles.empty());
    EXPECT_TRUE(ParsePrintTable("").rows.empty());
}

TEST(ParsePrintTable, StopsAtTheFirstLineContainingTheEndMarker)
{
    const PrintTable table = ParsePrintTable("A\n1\n  xDooonex\n2\n");
    EXPECT_EQ(table.rows.size(), 1U);
}

TEST(ParsePrintTable, ReadsEveryLineWholeHoweverLong)
{
    // A refinance row of 257 characters (figures near 6e37, a savings rate of 200 % over 46
    // years) is one row of ten figures, and the row after it keeps its place.
    std::string line = " 91 O";
    for (const double figure : {6e37, 3e37, 2e37, 6e36, 5001.25, 6001.5, 7001.75, 8002., 9002.25})
        line += Format("\t%16.2f", figure);
    ASSERT_EQ(line.size(), 257U);
    const PrintTable table = ParsePrintTable("Title\n" + line + "\n 92 R\t7\n");
    ASSERT_EQ(table.rows.size(), 2U);
    ASSERT_EQ(table.rows[0].size(), 10U);
    EXPECT_EQ(table.rows[0][0], 91);
    EXPECT_EQ(table.rows[0][1], ReadDouble(Format("%16.2f", 6e37)).value_or(0.0));
    EXPECT_EQ(table.rows[0][9], 9002.25);
    EXPECT_EQ(table.rows[1], (std::vector<double>{92, 7}));

    const PrintTable longTitles = ParsePrintTable(std::string(250, 'T') + "\n5\n");
    EXPECT_EQ(longTitles.titles, std::vector<std::string>{std::string(250, 'T') + " "});
    EXPECT_EQ(longTitles.rows, (std::vector<std::vector<double>>{{5}}));
}

TEST(ParsePrintTable, KeepsTheCentsOfFiguresAFloatCannotHold)
{
    // Above 131072 a float misses cents: 195379.32 would be 195379.31.
    const PrintTable table = ParsePrintTable("A\tB\n   195379.32\t  16777217.01\n");
    ASSERT_EQ(table.rows.size(), 1U);
    EXPECT_EQ(Format("%13.2f", table.rows[0][0]), "    195379.32");
    EXPECT_EQ(Format("%13.2f", table.rows[0][1]), "  16777217.01");
}

TEST(TableTextProblem, RefusesLinesAndRowsFarBeyondAnyPrintout)
{
    auto rows = [](std::size_t count) {
        std::string text = "Age\tAmount\n";
        for (std::size_t i = 0; i < count; ++i)
            text += "1\t2\n";
        return text;
    };
    struct Case
    {
        const char* name;
        std::string text;
        std::string problem;
    };
    const Case cases[] = {
        {"a longest printout", rows(204) + "Dooone\n", ""},
        {"1000 rows", rows(1000), ""},
        {"1001 rows", rows(1001), "more than 1000 rows"},
        {"a million rows after the end marker", "A\nDooone\n" + rows(1000000), ""},
        {"a line of 4096 characters", "A\n" + std::string(4096, '1') + "\n", ""},
        {"a line of 4097 characters", "A\n1\n" + std::string(4097, '1') + "\n",
         "line 3 is longer than 4096 characters"},
        {"a title line of 16 MB", std::string(16 << 20, 'T'),
         "line 1 is longer than 4096 characters"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TableTextProblem(c.text), c.problem);
    }
}

TEST(ParsePrintTable, ReadsTheScheduleFileAsTheScheduleWritesIt)
{
    const PrintTable table = ParsePrintTable(testing::ScheduleInput(101));
    ASSERT_EQ(table.titles.size(), 11U);
    EXPECT_EQ(table.titles[0], "Age ");
    EXPECT_EQ(table.titles[9], "Property Liability ");
    EXPECT_EQ(table.titles[10], " ");
    ASSERT_EQ(table.rows.size(), 101U);
    EXPECT_EQ(table.rows[100][0], 135);
    EXPECT_EQ(table.rows[100][9], testing::Value(100, 9));
}

TEST(ReadPrintTable, ReadsOnlyRegularFilesWithinTheLimits)
{
    TempDirectory directory;
    ASSERT_TRUE(directory.valid());
    auto read = [&](const char* name) { return ReadPrintTable(directory.file(name)); };
    EXPECT_FALSE(read("refprt.tmp").table.has_value());
    EXPECT_EQ(read("refprt.tmp").problem, "");

    // Neither a directory, nor a pipe (which would wait for a writer for ever), nor an endless
    // device behind a link is read.
    std::filesystem::create_directory(directory.file("psched.tmp"));
    ASSERT_EQ(::mkfifo(directory.file("pipe.tmp").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", directory.file("zero.tmp"));
    for (const char* name : {"psched.tmp", "pipe.tmp", "zero.tmp"}) {
        SCOPED_TRACE(name);
        const TableRead refused = read(name);
        EXPECT_FALSE(refused.table.has_value());
        EXPECT_EQ(refused.problem, "");
    }

    directory.write("big.tmp", "A\n");
    std::filesystem::resize_file(directory.file("big.tmp"), kMaxTableFileBytes + 1);
    EXPECT_EQ(read("big.tmp").problem, "larger than 64 MB");
    directory.write("wide.tmp", "A\n" + std::string(5000, '7') + "\n");
    EXPECT_EQ(read("wide.tmp").problem, "line 2 is longer than 4096 characters");

    directory.write("refprt.tmp", testing::RefinanceInput(2));
    const TableRead table = read("refprt.tmp");
    ASSERT_TRUE(table.table.has_value());
    EXPECT_EQ(table.table->titles.size(), 10U);
    EXPECT_EQ(table.table->rows.size(), 2U);
}

} // namespace
} // namespace tw
