#include "print/pagefiles.h"

#include "print/tests/printouts.h"
#include "tests/support/tempdirectory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <filesystem>

namespace tw {
namespace {

using printouts::ExpectedPages;

std::size_t CountLines(const std::string& text)
{
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

std::string FirstLine(const std::string& text, std::size_t skip)
{
    std::size_t start = 0;
    for (std::size_t i = 0; i < skip; ++i)
        start = text.find('\n', start) + 1;
    return text.substr(start, text.find('\n', start) - start + 1);
}

TEST(PageFileTexts, OneScheduleRowByteForByte)
{
    const auto pages =
        PageFileTexts(ParsePrintTable(printouts::ScheduleInput(1)), PrintoutKind::Schedule);
    ASSERT_EQ(pages.size(), 1U);
    // The row of printouts::Cents(0, k), written out by hand.
    EXPECT_EQ(pages[0], std::string(printouts::kScheduleHead) +
                            "        35.00\t        25.25\t        50.50\t        75.75\t"
                            "       101.00\t       126.25\t       151.50\t       176.75\t"
                            "       202.00\t       227.25\t\n"
                            "Dooone\n");
}

TEST(PageFileTexts, SplitSchedulesInto56RowPages)
{
    struct Case
    {
        int rows;
        std::vector<std::size_t> rowsPerPage;
    };
    const Case cases[] = {{1, {1}}, {31, {31}}, {56, {56}}, {57, {56, 1}}, {101, {56, 45}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(Format("%d schedule rows", c.rows));
        const auto pages = PageFileTexts(ParsePrintTable(printouts::ScheduleInput(c.rows)),
                                         PrintoutKind::Schedule);
        ASSERT_EQ(pages.size(), c.rowsPerPage.size());
        for (std::size_t p = 0; p < pages.size(); ++p)
            EXPECT_EQ(CountLines(pages[p]), c.rowsPerPage[p] + 3) << "page " << p + 1;
        EXPECT_EQ(pages, ExpectedPages(c.rows, PrintoutKind::Schedule));
    }
}

TEST(PageFileTexts, SplitRefinanceReportsInto46RowPagesMarkedByPosition)
{
    struct Case
    {
        int rows;
        std::vector<std::size_t> rowsPerPage;
    };
    const Case cases[] = {{2, {2}},
                          {46, {46}},
                          {47, {46, 1}},
                          {62, {46, 16}},
                          {340, {46, 46, 46, 46, 46, 46, 46, 18}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(Format("%d refinance rows", c.rows));
        const auto pages = PageFileTexts(ParsePrintTable(printouts::RefinanceInput(c.rows)),
                                         PrintoutKind::Refinance);
        ASSERT_EQ(pages.size(), c.rowsPerPage.size());
        for (std::size_t p = 0; p < pages.size(); ++p)
            EXPECT_EQ(CountLines(pages[p]), c.rowsPerPage[p] + 3) << "page " << p + 1;
        EXPECT_EQ(pages, ExpectedPages(c.rows, PrintoutKind::Refinance));
    }
}

TEST(PageFileTexts, LongestRefinanceReportKeepsEveryRowInOrder)
{
    // Two starting rows and two rows for each of 169 years: far beyond the 100 rows the
    // table once held.
    const auto pages =
        PageFileTexts(ParsePrintTable(printouts::RefinanceInput(340)), PrintoutKind::Refinance);
    ASSERT_EQ(pages.size(), 8U);
    EXPECT_EQ(FirstLine(pages[0], 2),
              "        35.00 O\t        25.25\t        50.50\t        75.75\t       101.00\t"
              "       126.25\t       151.50\t       176.75\t       202.00\t       227.25\t\n");
    EXPECT_EQ(FirstLine(pages[1], 2), printouts::ExpectedPageRow(46, PrintoutKind::Refinance));
    EXPECT_EQ(FirstLine(pages[7], 2 + 17),
              printouts::ExpectedPageRow(339, PrintoutKind::Refinance));
    EXPECT_EQ(FirstLine(pages[7], 2 + 17).substr(0, 16), "       374.00 R\t");
    EXPECT_EQ(FirstLine(pages[7], 2 + 18), "Dooone\n");
}

TEST(PageFileTexts, TableWithoutRowsGivesTheHeadOnly)
{
    // What a Print right after a graph run of the refinance window finds.
    const auto refinance =
        PageFileTexts(ParsePrintTable(printouts::RefinanceInput(0)), PrintoutKind::Refinance);
    EXPECT_EQ(refinance,
              std::vector<std::string>{std::string(printouts::kRefinanceHead) + "Dooone\n"});
    const auto schedule =
        PageFileTexts(ParsePrintTable(printouts::ScheduleInput(0)), PrintoutKind::Schedule);
    EXPECT_EQ(schedule,
              std::vector<std::string>{std::string(printouts::kScheduleHead) + "Dooone\n"});
}

TEST(PageFileTexts, WritesMissingTitlesEmptyAndMissingValuesAsZero)
{
    const auto pages = PageFileTexts(ParsePrintTable("Age\tAmount\n7.5\n"), PrintoutKind::Schedule);
    ASSERT_EQ(pages.size(), 1U);
    EXPECT_EQ(pages[0], "Age \tAmount \t\t\t\t\t\t\t\t\t\n-----------------------\n"
                        "         7.50\t         0.00\t         0.00\t         0.00\t"
                        "         0.00\t         0.00\t         0.00\t         0.00\t"
                        "         0.00\t         0.00\t\nDooone\n");
}

TEST(PageFileTexts, KeepTheirDecimalPointsUnderADecimalCommaLocale)
{
    const char* hostile = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8"}) {
        if (std::setlocale(LC_ALL, name) != nullptr) {
            hostile = name;
            break;
        }
    }
    if (hostile == nullptr)
        GTEST_SKIP() << "no decimal-comma locale installed";
    const auto pages =
        PageFileTexts(ParsePrintTable(printouts::RefinanceInput(3)), PrintoutKind::Refinance);
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(pages, ExpectedPages(3, PrintoutKind::Refinance)) << "locale " << hostile;
}

TEST(PrintInput, NamesTheFileAndItsMessagePerKind)
{
    EXPECT_EQ(PrintInputFile(PrintoutKind::Schedule), "psched.tmp");
    EXPECT_EQ(PrintInputFile(PrintoutKind::Refinance), "refprt.tmp");
    EXPECT_EQ(PrintInputMissingMessage(PrintoutKind::Schedule),
              "Cannot open temporary print file - psched.tmp");
    EXPECT_EQ(PrintInputMissingMessage(PrintoutKind::Refinance),
              "Cannot open temporary print file - refprt.tmp");
}

TEST(PageFileName, JoinsTheDirectory)
{
    EXPECT_EQ(PageFileName(1), "rpage1");
    EXPECT_EQ(PageFileName(12, "."), "rpage12");
    EXPECT_EQ(PageFileName(2, "/tmp/run"), "/tmp/run/rpage2");
    EXPECT_EQ(PageFileName(2, "/tmp/run/"), "/tmp/run/rpage2");
}

class WritePageFilesTest : public ::testing::Test
{
  protected:
    void SetUp() override { ASSERT_TRUE(directory_.valid()); }
    bool exists(const char* name) const { return std::filesystem::exists(directory_.file(name)); }
    TempDirectory directory_;
};

TEST_F(WritePageFilesTest, WritesEveryPageFileReplacingOlderOnes)
{
    directory_.write("psched.tmp", printouts::ScheduleInput(57));
    directory_.write("rpage1", "an older page file, much longer than nothing\n");
    const PageFilesResult result = WritePageFiles(PrintoutKind::Schedule, directory_.path());
    EXPECT_EQ(result.status, PageFilesStatus::Written);
    EXPECT_EQ(result.pages, 2);
    EXPECT_EQ(result.failedPage, 0);
    const auto expected = ExpectedPages(57, PrintoutKind::Schedule);
    EXPECT_EQ(directory_.read("rpage1"), expected[0]);
    EXPECT_EQ(directory_.read("rpage2"), expected[1]);
    EXPECT_FALSE(exists("rpage3"));
}

TEST_F(WritePageFilesTest, ReadsTheRefinanceReportForItsKind)
{
    directory_.write("psched.tmp", printouts::ScheduleInput(3));
    directory_.write("refprt.tmp", printouts::RefinanceInput(47));
    const PageFilesResult result = WritePageFiles(PrintoutKind::Refinance, directory_.path());
    EXPECT_EQ(result.status, PageFilesStatus::Written);
    EXPECT_EQ(result.pages, 2);
    EXPECT_EQ(directory_.read("rpage2"), ExpectedPages(47, PrintoutKind::Refinance)[1]);
}

TEST_F(WritePageFilesTest, MissingInputWritesNothing)
{
    directory_.write("psched.tmp", printouts::ScheduleInput(3));
    const PageFilesResult result = WritePageFiles(PrintoutKind::Refinance, directory_.path());
    EXPECT_EQ(result.status, PageFilesStatus::InputMissing);
    EXPECT_EQ(result.pages, 0);
    EXPECT_FALSE(exists("rpage1"));
}

TEST_F(WritePageFilesTest, FirstPageFileThatCannotBeCreatedStopsAtOnce)
{
    directory_.write("psched.tmp", printouts::ScheduleInput(57));
    std::filesystem::create_directory(directory_.file("rpage1"));
    ::testing::internal::CaptureStdout();
    const PageFilesResult result = WritePageFiles(PrintoutKind::Schedule, directory_.path());
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(result.status, PageFilesStatus::FirstPageFileFailed);
    EXPECT_EQ(result.pages, 0);
    EXPECT_EQ(result.failedPage, 1);
    EXPECT_FALSE(exists("rpage2"));
}

TEST_F(WritePageFilesTest, LaterPageFileThatCannotBeCreatedKeepsTheEarlierOnes)
{
    directory_.write("psched.tmp", printouts::ScheduleInput(101));
    std::filesystem::create_directory(directory_.file("rpage2"));
    ::testing::internal::CaptureStdout();
    const PageFilesResult result = WritePageFiles(PrintoutKind::Schedule, directory_.path());
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "Cannot open file rpage2.\n");
    EXPECT_EQ(result.status, PageFilesStatus::LaterPageFileFailed);
    EXPECT_EQ(result.pages, 1);
    EXPECT_EQ(result.failedPage, 2);
    EXPECT_EQ(directory_.read("rpage1"), ExpectedPages(101, PrintoutKind::Schedule)[0]);
}

} // namespace
} // namespace tw
