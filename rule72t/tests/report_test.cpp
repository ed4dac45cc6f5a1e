// The report's texts, the command line and the printed pages.

#include "print/tests/recordingpainter.h"
#include "rule72t/commandline.h"
#include "rule72t/printout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace tw::rule72t {
namespace {

const std::vector<std::string> kWorkedExample{"--balance", "400000", "--born", "1975-03", "--start",
                                              "2025-01",   "--rate", "4",      "--table", "single"};

struct Finished
{
    int status;
    std::string out;
    std::string err;
};

Finished RunWith(std::vector<std::string> arguments)
{
    const CommandLine line = ParseCommandLine(arguments);
    EXPECT_EQ(line.action, CommandLine::Action::Report) << line.error;
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunReport(line, out, err);
    return {status, out.str(), err.str()};
}

TEST(RunReport, PrintsTheWorkedExampleAsTextAndAsCsv)
{
    const Finished text = RunWith(kWorkedExample);
    EXPECT_EQ(text.status, 0);
    EXPECT_EQ(text.err, "");
    for (const char* line : {"Required minimum distribution  36.2         11,049.72    11,049.72\n",
                             "Fixed amortization             18.9559      21,101.63    21,101.63\n",
                             "Fixed annuitization            18.1568      22,030.33    22,030.33\n",
                             "The series may be changed from 2034-09: the later of five years "
                             "after the first payment and age 59\u00bd.\n",
                             "The figures follow IRS Notice 2022-6 and are not tax advice.\n"})
        EXPECT_NE(text.out.find(line), std::string::npos) << line << "\nin\n" << text.out;

    std::vector<std::string> csv = kWorkedExample;
    csv.push_back("--csv");
    const Finished table = RunWith(csv);
    EXPECT_EQ(table.status, 0);
    EXPECT_EQ(table.out.rfind("Method,Factor,Annual Amount,Per Payment\r\n"
                              "Required minimum distribution,36.2,11049.72,11049.72\r\n"
                              "Fixed amortization,18.9559,21101.63,21101.63\r\n"
                              "Fixed annuitization,18.1568,22030.33,22030.33\r\n"
                              "\r\n"
                              "Year,From,Age,RMD Payment,RMD Balance,Amortization Payment,",
                              0),
              0u)
        << table.out;
    // Ten projection years, 2025 to 2034 (59½ in September 2034).
    EXPECT_NE(table.out.find("\r\n10,2034-01,59,"), std::string::npos) << table.out;
    EXPECT_EQ(table.out.find("\r\n11,"), std::string::npos) << table.out;
}

TEST(CommandLine, RefusesInOneLineNamingTheOption)
{
    struct Case
    {
        std::vector<std::string> change; // appended to the worked example
        const char* says;
    };
    const Case cases[] = {
        {{"--rate", "6"}, "twrule11: --rate is given twice\n"},
        {{"--colour"}, "twrule11: unknown option --colour\n"},
        {{"--growth"}, "twrule11: --growth needs a value\n"},
        {{"400000"}, "twrule11: unexpected argument 400000\n"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> arguments = kWorkedExample;
        arguments.insert(arguments.end(), c.change.begin(), c.change.end());
        const CommandLine line = ParseCommandLine(arguments);
        EXPECT_EQ(line.action, CommandLine::Action::Error);
        EXPECT_EQ("twrule11: " + line.error + "\n", c.says);
    }
    std::vector<std::string> capped = kWorkedExample;
    capped[7] = "5.41";
    capped.insert(capped.end(), {"--mid-term=4.5,3"});
    const Finished refused = RunWith(capped);
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(refused.err.rfind("twrule11: --rate: The interest rate may be at most 5.40 %: ", 0),
              0u)
        << refused.err;
    EXPECT_EQ(std::count(refused.err.begin(), refused.err.end(), '\n'), 1);

    const Finished missing = RunWith({"--born", "1975-03", "--csv"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.err.rfind("twrule11: --balance: ", 0), 0u) << missing.err;

    EXPECT_EQ(ParseCommandLine({}).action, CommandLine::Action::Window);
    EXPECT_EQ(ParseCommandLine({"--balance", "1", "--help"}).action, CommandLine::Action::Help);
}

TEST(Printout, PutsTheInputsOnTheTitlePageAndEveryRowOnceOnTheTablePages)
{
    CommandLine line = ParseCommandLine(kWorkedExample);
    line.texts.born = "1967-01"; // 58 at the first distribution: the five years decide
    line.texts.start = "2025-03";
    line.texts.table = "joint";
    line.texts.beneficiaryBorn = "1970-05";
    const auto read = ReadInput(line.texts);
    ASSERT_TRUE(std::holds_alternative<DistributionInput>(read));
    const DistributionInput input = std::get<DistributionInput>(read);
    DistributionResult result = ComputeDistributions(input);
    // Fifty projection years, as long a projection as a first distribution at 10 gives.
    result.projection.resize(50, result.projection.front());
    for (std::size_t k = 0; k < result.projection.size(); ++k)
        result.projection[k].number = static_cast<int>(k) + 1;
    const Printout printout = MakePrintout(input, result, std::tm{});
    ASSERT_EQ(LastPage(printout), 2);
    EXPECT_EQ(PageRows(printout, 1), std::make_pair(0, 40));
    EXPECT_EQ(PageRows(printout, 2), std::make_pair(40, 50));

    RecordingPainter title({9000, 12000});
    DrawPage(title, printout, 0);
    auto drawn = [](const RecordingPainter& painter, const std::string& text) {
        return std::count_if(painter.texts.begin(), painter.texts.end(),
                             [&](const RecordingPainter::Text& t) { return t.text == text; });
    };
    for (const char* text :
         {"Rule 72T Distributions", "Joint and Last Survivor", "1970-05, age 55 in the first year",
          "Fixed annuitization", "The figures follow IRS Notice 2022-6 and are not tax advice."})
        EXPECT_EQ(drawn(title, text), 1) << text;

    std::vector<int> rows(51, 0);
    for (int page = 1; page <= LastPage(printout); ++page) {
        SCOPED_TRACE(page);
        RecordingPainter painter({9000, 12000});
        DrawPage(painter, printout, page);
        EXPECT_EQ(drawn(painter, "Page " + std::to_string(page) + " of 2"), 1);
        for (int number = 1; number <= 50; ++number)
            rows[static_cast<std::size_t>(number)] +=
                static_cast<int>(drawn(painter, std::to_string(number)));
        for (const RecordingPainter::Text& text : painter.texts) {
            EXPECT_GE(text.where.y, 0);
            EXPECT_LE(text.where.y + text.drawnHeight, 12000) << text.text;
        }
    }
    EXPECT_EQ(std::count(rows.begin() + 1, rows.end(), 1), 50);
}

} // namespace
} // namespace tw::rule72t
