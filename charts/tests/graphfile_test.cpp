#include "charts/graphfile.h"
#include "tests/support/tempdirectory.h"

#include "charts/tests/chartsamples.h"
#include "finance/format.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace tw {
namespace {

namespace fs = std::filesystem;

std::string WorkedCaseFile()
{
    const RefinanceOutcome outcome =
        RunRefinanceAnalysis(samples::WorkedRefinance(), RefinanceMode::Graph);
    EXPECT_FALSE(outcome.refusal.has_value());
    return outcome.graphText;
}

// A refinance graph file of the suite's layout with the given points (month, existing,
// refinanced) and months on line 5.
std::string RefText(double months, const std::vector<std::array<double, 3>>& points)
{
    std::string text = "1\nDummy\nDummy\nDummy\n" + Format("%f\n", months) +
                       "2\nExisting Mortgage\nRefinanced Mortgage\n";
    for (const auto& p : points)
        text += "0.0\n0.0\n" + Format("%f %f %f\n", p[0], p[1], p[2]);
    return text + "Done\nDone\n";
}

std::string ThreePointRef()
{
    return RefText(8, {{0, 10, 0}, {4, 11, 8}, {8, 12, 13}});
}

TradeInput TradeOf(std::array<const char*, 3> names, float periods)
{
    TradeInput input;
    input.periods = periods;
    for (std::size_t k = 0; k < 3; ++k) {
        input.options[k].name = names[k];
        input.options[k].fixedCost = 100.0f * static_cast<float>(k + 1);
        input.options[k].costPerPeriod = 10;
        input.options[k].fixedAmount = 50;
        input.options[k].incomePerPeriod = 12.5f * static_cast<float>(k + 1);
    }
    return input;
}

TEST(ReadRefFile, ReadsTheFileTheRefinanceAnalysisWrites)
{
    const GraphRead read = ReadRefFile(WorkedCaseFile());
    ASSERT_TRUE(read.graph) << read.error.line << ": " << read.error.what;
    const GraphFile& graph = *read.graph;
    EXPECT_EQ(graph.extent, 360);
    EXPECT_EQ(graph.names, (std::vector<std::string>{"Existing Mortgage", "Refinanced Mortgage"}));
    // 1 + 3 × 30 points, every fourth month from month 0.
    ASSERT_EQ(graph.x.size(), 91u);
    ASSERT_EQ(graph.y.size(), 2u);
    for (std::size_t i = 0; i < graph.x.size(); ++i)
        EXPECT_EQ(graph.x[i], 4.0 * static_cast<double>(i));
    // The existing future starts with the total mortgage costs as savings, the refinanced one
    // with nothing: 1 % of the balance at refinancing (190139.70) plus 3000.
    EXPECT_NEAR(graph.y[0][0], 4901.397, 0.001);
    EXPECT_EQ(graph.y[1][0], 0);
    EXPECT_GT(graph.y[1].back(), graph.y[0].back());
}

TEST(ReadRefFile, KeepsTheValuesToTheirSixDecimals)
{
    const GraphRead read = ReadRefFile(RefText(4, {{0, -1234.5, 0.000001}, {4, 2e9, -3}}));
    ASSERT_TRUE(read.graph) << read.error.what;
    EXPECT_EQ(read.graph->y[0], (std::vector<double>{-1234.5, 2e9}));
    EXPECT_EQ(read.graph->y[1], (std::vector<double>{0.000001, -3}));
}

TEST(ReadRefFile, TakesWindowsLineEndsAndAFinalLineWithoutOne)
{
    std::string crlf;
    for (const char c : ThreePointRef()) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    EXPECT_TRUE(ReadRefFile(crlf).graph);
    std::string unterminated = ThreePointRef();
    unterminated.pop_back();
    EXPECT_TRUE(ReadRefFile(unterminated).graph);
    EXPECT_TRUE(ReadRefFile(ThreePointRef() + "\n\n").graph);
}

TEST(ReadTradeFile, ReadsOneTwoAndThreeNamedOptions)
{
    struct Case
    {
        std::array<const char*, 3> names;
        std::vector<std::string> expected;
        std::vector<std::size_t> options; // which option each curve is
    };
    const Case cases[] = {
        {{"Buy", "", ""}, {"Buy"}, {0}},
        {{"", "Lease", ""}, {"Lease"}, {1}},
        {{"Buy", "", "Keep the old car "}, {"Buy", "Keep the old car "}, {0, 2}},
        {{"Buy", "Lease", "Keep"}, {"Buy", "Lease", "Keep"}, {0, 1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected.front());
        const TradeInput input = TradeOf(c.names, 12);
        const GraphRead read = ReadTradeFile(TradeGraphText(input));
        ASSERT_TRUE(read.graph) << read.error.line << ": " << read.error.what;
        const GraphFile& graph = *read.graph;
        EXPECT_EQ(graph.extent, 14);
        EXPECT_EQ(graph.names, c.expected);
        ASSERT_EQ(graph.x.size(), 14u); // r = 0 … n + 1
        ASSERT_EQ(graph.y.size(), c.options.size());
        for (std::size_t k = 0; k < c.options.size(); ++k) {
            const TradeOption& option = input.options[c.options[k]];
            for (std::size_t r = 0; r < graph.x.size(); ++r) {
                EXPECT_EQ(graph.x[r], static_cast<double>(r));
                const double expected =
                    option.fixedAmount - option.fixedCost +
                    static_cast<double>(r) * (option.incomePerPeriod - option.costPerPeriod);
                EXPECT_NEAR(graph.y[k][r], expected, 1e-3) << "row " << r;
            }
        }
    }
}

TEST(ReadTradeFile, ReadsAFileWithoutNamedOptions)
{
    const GraphRead read = ReadTradeFile(TradeGraphText(TradeOf({"", "", ""}, 3)));
    ASSERT_TRUE(read.graph) << read.error.what;
    EXPECT_TRUE(read.graph->names.empty());
    EXPECT_EQ(read.graph->x, (std::vector<double>{0, 1, 2, 3, 4}));
}

TEST(ReadTradeFile, CountsRowsFromTheWholePeriods)
{
    struct Case
    {
        float periods;
        std::size_t rows;
    };
    for (const Case c : {Case{3, 5}, Case{12.7f, 14}, Case{100, 102}, Case{99.99f, 101}}) {
        SCOPED_TRACE(c.periods);
        const GraphRead read = ReadTradeFile(TradeGraphText(TradeOf({"A", "", ""}, c.periods)));
        ASSERT_TRUE(read.graph) << read.error.line << ": " << read.error.what;
        EXPECT_EQ(read.graph->x.size(), c.rows);
    }
}

std::string TradeText(const std::string& extent, std::size_t rows)
{
    std::string text = "1\nDummy\nDummy\nDummy\n" + extent + "\n1\nA\n";
    for (std::size_t r = 0; r < rows; ++r)
        text += "0.0\n" + Format("%f %f \n", static_cast<double>(r), 1.5 * r);
    return text + "Done\nDone\n";
}

TEST(ReadTradeFile, AllowsOneRowFewerWhenTheExtentWasRoundedUpToAWholeNumber)
{
    // 3.9999995 periods give 5 rows, but periods + 2 prints as 6.000000.
    EXPECT_TRUE(ReadTradeFile(TradeText("6.000000", 5)).graph);
    EXPECT_TRUE(ReadTradeFile(TradeText("6.000000", 6)).graph);
    EXPECT_FALSE(ReadTradeFile(TradeText("6.000000", 4)).graph);
    EXPECT_FALSE(ReadTradeFile(TradeText("6.000000", 7)).graph);
    EXPECT_TRUE(ReadTradeFile(TradeText("6.500000", 6)).graph);
    EXPECT_FALSE(ReadTradeFile(TradeText("6.500000", 5)).graph);
}

struct BadFile
{
    const char* name;
    std::string text;
    GraphReader reader;
    int line;
    const char* says;
};

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
}

TEST(ReadGraphFiles, RefuseBadFilesNamingTheLine)
{
    const std::string ref = ThreePointRef();
    const std::string trade = TradeText("5.000000", 5);
    const BadFile cases[] = {
        {"empty", "", ReadRefFile, 0, "empty"},
        {"only the first line", "1\n", ReadRefFile, 2, "cut off"},
        {"not a graph file", "hello\n", ReadRefFile, 1, "\"1\""},
        {"two graphs", Replaced(ref, "1\n", "2\n"), ReadRefFile, 1, "\"1\""},
        {"binary",
         std::string("\x7f"
                     "ELF\x02\x01\x01\0\0",
                     9),
         ReadRefFile, 1, "binary"},
        {"a zero byte in a name", Replaced(ref, "Existing", std::string("Exi\0ting", 8)),
         ReadRefFile, 7, "binary"},
        {"months not a number", Replaced(ref, "8.000000\n2", "eight\n2"), ReadRefFile, 5,
         "\"eight\""},
        {"months not whole", Replaced(ref, "8.000000\n2", "8.500000\n2"), ReadRefFile, 5,
         "whole number"},
        {"negative months", Replaced(ref, "8.000000\n2", "-8.000000\n2"), ReadRefFile, 5,
         "whole number"},
        {"three curves in a refinance file", Replaced(ref, "\n2\n", "\n3\n"), ReadRefFile, 6,
         "2 curves"},
        {"curve count not a number", Replaced(ref, "\n2\n", "\ntwo\n"), ReadRefFile, 6,
         "number of curves"},
        {"empty curve name", Replaced(ref, "Refinanced Mortgage", ""), ReadRefFile, 8, "empty"},
        {"a value not a number", Replaced(ref, "11.000000", "11.0O0000"), ReadRefFile, 14,
         "\"11.0O0000\""},
        {"a placeholder not a number", Replaced(ref, "0.0\n0.0\n4.0", "0.0\nx\n4.0"), ReadRefFile,
         13, "\"x\""},
        {"a value missing", Replaced(ref, " 11.000000", ""), ReadRefFile, 14, "expected 3 numbers"},
        {"a value too many", Replaced(ref, " 11.000000", " 11 12"), ReadRefFile, 14,
         "expected 3 numbers"},
        {"an endless value", Replaced(ref, "11.000000", "inf"), ReadRefFile, 14, "too large"},
        {"not a number at all", Replaced(ref, "11.000000", "nan"), ReadRefFile, 14,
         "\"nan\" is not a number"},
        {"beyond a double", Replaced(ref, "11.000000", "1e999"), ReadRefFile, 14, "too large"},
        {"nearer 0 than a double", Replaced(ref, "11.000000", "1e-400"), ReadRefFile, 14,
         "\"1e-400\" is too small"},
        {"nearer 0 than a long double", Replaced(ref, "11.000000", "-1e-5000"), ReadRefFile, 14,
         "too small"},
        {"beyond a long double", Replaced(ref, "11.000000", "1e5000"), ReadRefFile, 14,
         "too large"},
        {"hundreds of zeros after the point",
         Replaced(ref, "11.000000", "0." + std::string(400, '0') + "1"), ReadRefFile, 14,
         "too small"},
        {"a month before month 0", Replaced(ref, "0.000000 10", "-1e+39 10"), ReadRefFile, 11,
         "the month \"-1e+39\" is not a whole number from 0 to 8 (line 5)"},
        {"a part of a month", Replaced(ref, "4.000000 11", "4.5 11"), ReadRefFile, 14,
         "the month \"4.5\" is not a whole number"},
        {"a month past the months analysed", Replaced(ref, "8.000000 12", "9.000000 12"),
         ReadRefFile, 17, "from 0 to 8"},
        {"far beyond a float", Replaced(ref, "11.000000", "-2e39"), ReadRefFile, 14, "too large"},
        {"months going back", Replaced(ref, "8.000000 12", "3.000000 12"), ReadRefFile, 17,
         "does not come after"},
        {"a point too few", RefText(12, {{0, 1, 2}, {4, 1, 2}, {8, 1, 2}}), ReadRefFile, 18,
         "3 points, but line 5 announces 4"},
        {"a point too many", RefText(4, {{0, 1, 2}, {4, 1, 2}, {8, 1, 2}}), ReadRefFile, 15,
         "more points than line 5 announces (2)"},
        {"Done within a point", Replaced(ref, "0.0\n0.0\n4.0", "0.0\nDone\n4.0"), ReadRefFile, 13,
         "expected \"0.0\", found \"Done\""},
        {"cut off in a point", ref.substr(0, ref.find("4.000000")), ReadRefFile, 14, "cut off"},
        {"no second Done", ref.substr(0, ref.size() - 5), ReadRefFile, 19, "second \"Done\""},
        {"a second Done misspelt", Replaced(ref, "Done\nDone", "Done\nDooone"), ReadRefFile, 19,
         "second \"Done\""},
        {"text after the end", ref + "Done\n", ReadRefFile, 20, "after the end"},
        {"a long line", Replaced(ref, "Dummy", std::string(5000, 'D')), ReadRefFile, 2,
         "longer than"},
        {"four options", Replaced(trade, "\n1\nA\n", "\n4\nA\nB\nC\nD\n"), ReadTradeFile, 6,
         "0 to 3 options"},
        {"periods too few", Replaced(trade, "5.000000", "1.000000"), ReadTradeFile, 5,
         "periods + 2"},
        {"a trade row without its blank-separated value",
         Replaced(trade, "2.000000 3.000000 ", "2.000000"), ReadTradeFile, 13,
         "expected 2 numbers"},
    };
    for (const BadFile& c : cases) {
        SCOPED_TRACE(c.name);
        const GraphRead read = c.reader(c.text);
        ASSERT_FALSE(read.graph);
        EXPECT_EQ(read.error.line, c.line);
        EXPECT_NE(read.error.what.find(c.says), std::string::npos) << read.error.what;
    }
}

TEST(ReadGraphFiles, RefuseEveryCutThroughAFileButTheLastLineEnd)
{
    const std::string files[] = {WorkedCaseFile(), TradeGraphText(TradeOf({"A", "B", ""}, 4))};
    for (const std::string& file : files) {
        const GraphReader reader = &file == &files[0] ? ReadRefFile : ReadTradeFile;
        const int lines = static_cast<int>(std::count(file.begin(), file.end(), '\n'));
        for (std::size_t length = 0; length + 1 < file.size(); ++length) {
            const GraphRead read = reader(std::string_view(file).substr(0, length));
            ASSERT_FALSE(read.graph) << "cut after " << length << " bytes";
            EXPECT_LE(read.error.line, lines + 1);
        }
        EXPECT_TRUE(reader(std::string_view(file).substr(0, file.size() - 1)).graph);
    }
}

TEST(ReadGraphFiles, RefuseAMillionPointsWithoutReadingThem)
{
    // Line 5 announcing a million points is refused on line 5.
    std::string announced = RefText(4000000, {{0, 1, 2}});
    GraphRead read = ReadRefFile(announced);
    ASSERT_FALSE(read.graph);
    EXPECT_EQ(read.error.line, 5);
    EXPECT_NE(read.error.what.find("1000001 points"), std::string::npos) << read.error.what;

    // A million rows under a small count stop at the first row too many.
    std::string rows = "1\nDummy\nDummy\nDummy\n5.000000\n0\n";
    rows.reserve(rows.size() + 1000000 * 10);
    for (int r = 0; r < 1000000; ++r)
        rows += Format("%d.0 \n", r);
    rows += "Done\nDone\n";
    read = ReadTradeFile(rows);
    ASSERT_FALSE(read.graph);
    EXPECT_EQ(read.error.line, 12);
}

TEST(ReadGraphFiles, ReadTheLargestFileAllowed)
{
    std::vector<std::array<double, 3>> points;
    for (std::size_t i = 0; i < kMaxGraphPoints; ++i)
        points.push_back({4.0 * static_cast<double>(i), 1000.0 + static_cast<double>(i), 2.0});
    const GraphRead read =
        ReadRefFile(RefText(4.0 * static_cast<double>(kMaxGraphPoints - 1), points));
    ASSERT_TRUE(read.graph) << read.error.line << ": " << read.error.what;
    EXPECT_EQ(read.graph->x.size(), kMaxGraphPoints);
}

class GraphFileOnDisk : public ::testing::Test
{
  protected:
    void SetUp() override { ASSERT_TRUE(scratch_.valid()); }

    std::string write(const std::string& name, const std::string& text)
    {
        const fs::path path = dir_ / name;
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }

    TempDirectory scratch_;
    fs::path dir_{scratch_.path()};
};

TEST_F(GraphFileOnDisk, LoadsAFile)
{
    const GraphRead read = LoadGraphFile(write("ref.tmp", ThreePointRef()), ReadRefFile);
    ASSERT_TRUE(read.graph);
    EXPECT_EQ(read.graph->x.size(), 3u);
}

TEST_F(GraphFileOnDisk, SaysWhyAFileCannotBeRead)
{
    GraphRead read = LoadGraphFile((dir_ / "missing.tmp").string(), ReadRefFile);
    ASSERT_FALSE(read.graph);
    EXPECT_EQ(read.error.line, 0);
    EXPECT_EQ(DescribeReadError(read.error, "ref.tmp"),
              "ref.tmp: cannot open the file: No such file or directory");

    read = LoadGraphFile(dir_.string(), ReadRefFile);
    ASSERT_FALSE(read.graph);
    EXPECT_EQ(read.error.what, "not a file");

    // A sparse file beyond the limit is refused by its size, without being read.
    const std::string big = write("big.tmp", "1\n");
    fs::resize_file(big, kMaxGraphFileBytes + 1);
    read = LoadGraphFile(big, ReadRefFile);
    ASSERT_FALSE(read.graph);
    EXPECT_NE(read.error.what.find("larger than 64 MB"), std::string::npos);
}

TEST(DescribeReadError, NamesTheFileAndTheLine)
{
    EXPECT_EQ(DescribeReadError({5, "expected the extent, found \"x\""}, "ref.tmp"),
              "ref.tmp: line 5: expected the extent, found \"x\"");
    EXPECT_EQ(DescribeReadError({0, "the file is empty"}, "/tmp/trade.tmp"),
              "/tmp/trade.tmp: the file is empty");
}

TEST(ReadGraphFiles, ReadTheSameUnderADecimalCommaLocale)
{
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr)
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed (scripts/setup.sh makes it)";
    const GraphRead read = ReadRefFile(RefText(4, {{0, 1234.5, 0.25}, {4, 2, 3}}));
    std::setlocale(LC_ALL, saved.c_str());
    ASSERT_TRUE(read.graph) << read.error.what;
    EXPECT_EQ(read.graph->y[0][0], 1234.5);
    EXPECT_EQ(read.graph->y[1][0], 0.25);
}

} // namespace
} // namespace tw
