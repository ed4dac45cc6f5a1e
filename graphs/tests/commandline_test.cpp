#include "graphs/commandline.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

using Action = GraphCommandLine::Action;

TEST(ParseGraphCommandLine, ReadsTheCommandLinesTheProgramsTake)
{
    struct Case
    {
        std::vector<std::string> arguments;
        Action action;
        std::string file;
        std::string output;
        int width;
        int height;
    };
    const Case cases[] = {
        {{"ref.tmp"}, Action::Window, "ref.tmp", "", 800, 500},
        {{"--output", "out.png", "ref.tmp"}, Action::Output, "ref.tmp", "out.png", 800, 500},
        {{"ref.tmp", "--output", "OUT.SVG"}, Action::Output, "ref.tmp", "OUT.SVG", 800, 500},
        {{"--output=a.pdf", "--size=1600x1000", "trade.tmp"},
         Action::Output,
         "trade.tmp",
         "a.pdf",
         1600,
         1000},
        {{"--size", "320X200", "--output", "a.png", "x"}, Action::Output, "x", "a.png", 320, 200},
        {{"--", "--odd name"}, Action::Window, "--odd name", "", 800, 500},
        {{"-"}, Action::Window, "-", "", 800, 500},
        {{"--help"}, Action::Help, "", "", 800, 500},
        {{"ref.tmp", "-h"}, Action::Help, "", "", 800, 500},
        {{"--version", "--bogus"}, Action::Version, "", "", 800, 500},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.front());
        const GraphCommandLine line = ParseGraphCommandLine(c.arguments);
        EXPECT_EQ(line.action, c.action) << line.error;
        EXPECT_EQ(line.file, c.file);
        EXPECT_EQ(line.output, c.output);
        EXPECT_EQ(line.width, c.width);
        EXPECT_EQ(line.height, c.height);
    }
}

TEST(ParseGraphCommandLine, SaysWhatIsWrong)
{
    struct Case
    {
        std::vector<std::string> arguments;
        const char* says;
    };
    const Case cases[] = {
        {{}, "no graph file"},
        {{"a.tmp", "b.tmp"}, "one graph file only"},
        {{"--bogus", "ref.tmp"}, "unknown option --bogus"},
        {{"ref.tmp", "--output"}, "--output needs a value"},
        {{"--output=", "ref.tmp"}, "needs a file name"},
        {{"--output", "chart.jpg", "ref.tmp"}, "must end in .png, .svg or .pdf: chart.jpg"},
        {{"--size", "800x500", "ref.tmp"}, "--size goes with --output"},
        {{"--output", "a.png", "--size", "800", "ref.tmp"}, "WIDTHxHEIGHT"},
        {{"--output", "a.png", "--size", "100x500", "ref.tmp"}, "160 to 10000"},
        {{"--output", "a.png", "--size", "800x20000", "ref.tmp"}, "160 to 10000"},
        {{"--output", "a.png", "--size", "800x-500", "ref.tmp"}, "WIDTHxHEIGHT"},
        {{"--output", "a.png", "--size", "8e2x500", "ref.tmp"}, "WIDTHxHEIGHT"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.says);
        const GraphCommandLine line = ParseGraphCommandLine(c.arguments);
        EXPECT_EQ(line.action, Action::Error);
        EXPECT_NE(line.error.find(c.says), std::string::npos) << line.error;
    }
}

TEST(GraphUsage, ShowsBothCommandLines)
{
    const std::string usage = GraphUsage("twref", "Draws it.", "ref.tmp");
    EXPECT_EQ(usage.rfind("Usage: twref FILE\n       twref --output OUT.png|OUT.svg|OUT.pdf "
                          "[--size WxH] FILE\n",
                          0),
              0u);
    EXPECT_NE(usage.find("Draws it."), std::string::npos);
    EXPECT_NE(usage.find("(ref.tmp)"), std::string::npos);
}

} // namespace
} // namespace tw
