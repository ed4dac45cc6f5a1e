#include "platform/tableexport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

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

TEST(WriteCsvFile, WritesOnlyRegularFilesAndNeverWaitsOnAPipe)
{
    std::string folder = (std::filesystem::temp_directory_path() / "twcsv-XXXXXX").string();
    ASSERT_NE(::mkdtemp(folder.data()), nullptr);
    const std::string file = folder + "/table.csv";
    const std::string pipe = folder + "/pipe.csv";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    {
        std::ofstream(file) << "an older and much longer text than the table";
    }

    EXPECT_TRUE(WriteCsvFile(file, kTitles, {{"45 O", "1.00"}}));
    std::ostringstream text;
    text << std::ifstream(file).rdbuf();
    EXPECT_EQ(text.str(), "Age,Net Worth\r\n45 O,1.00\r\n");

    // Nobody reads the pipe: the export is refused at once, and the pipe stays.
    EXPECT_FALSE(WriteCsvFile(pipe, kTitles, {}));
    EXPECT_TRUE(std::filesystem::is_fifo(pipe));
    EXPECT_FALSE(WriteCsvFile(folder, kTitles, {}));
    EXPECT_FALSE(WriteCsvFile(folder + "/no/such/folder.csv", kTitles, {}));
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace tw
