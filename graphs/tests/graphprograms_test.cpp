// The built programs run as the suite and a user run them: the command lines, the files they
// write and the messages and exit codes for bad files. No display is used.

#include "charts/tests/chartsamples.h"
#include "finance/format.h"
#include "tests/support/tempdirectory.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace tw {
namespace {

namespace fs = std::filesystem;

struct Finished
{
    int status = -1;
    std::string out;
    std::string err;
};

std::string Quoted(const std::string& text)
{
    std::string quoted = "'";
    for (const char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

std::string ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The width and height from a PNG's header.
std::pair<int, int> PngSize(const std::string& png)
{
    if (png.size() < 24 || png.compare(1, 3, "PNG") != 0)
        return {0, 0};
    auto word = [&](std::size_t at) {
        int value = 0;
        for (std::size_t i = 0; i < 4; ++i)
            value = value * 256 + static_cast<unsigned char>(png[at + i]);
        return value;
    };
    return {word(16), word(20)};
}

class GraphPrograms : public ::testing::Test
{
  protected:
    void SetUp() override { ASSERT_TRUE(scratch_.valid()); }

    fs::path write(const std::string& name, const std::string& text) const
    {
        std::ofstream(dir_ / name, std::ios::binary) << text;
        return dir_ / name;
    }

    // Runs program with no display at all, in the test's folder; environment is put before it
    // ("QT_SCALE_FACTOR=2").
    Finished run(const char* program, const std::vector<std::string>& arguments,
                 const std::string& environment = {}) const
    {
        std::string command = "cd " + Quoted(dir_.string()) +
                              " && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " +
                              environment + " " + Quoted(program);
        for (const std::string& argument : arguments)
            command += " " + Quoted(argument);
        command += " >" + Quoted((dir_ / "stdout").string()) + " 2>" +
                   Quoted((dir_ / "stderr").string()) + " </dev/null";
        Finished result;
        const int status = std::system(command.c_str());
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.out = ReadAll(dir_ / "stdout");
        result.err = ReadAll(dir_ / "stderr");
        return result;
    }

    TempDirectory scratch_;
    fs::path dir_{scratch_.path()};
};

// Qt's offscreen platform notes a missing runtime folder on standard error; nothing else may
// be there.
std::string WithoutQtNotes(const std::string& text)
{
    std::istringstream lines(text);
    std::string kept;
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("QStandardPaths: ", 0) != 0)
            kept += line + "\n";
    }
    return kept;
}

TEST_F(GraphPrograms, AnswerHelpAndVersionBeforeAnyWindowSystem)
{
    for (const char* program : {TW_TWREF, TW_TWTPLOT}) {
        SCOPED_TRACE(program);
        const std::string name = fs::path(program).filename().string();
        Finished help = run(program, {"--help"});
        EXPECT_EQ(help.status, 0);
        EXPECT_EQ(help.out.rfind("Usage: " + name + " FILE\n", 0), 0u) << help.out;
        EXPECT_EQ(help.err, "");
        Finished version = run(program, {"--version"});
        EXPECT_EQ(version.status, 0);
        EXPECT_EQ(version.out, name + " " + TW_VERSION + "\n");
        EXPECT_EQ(version.err, "");
    }
}

TEST_F(GraphPrograms, RefuseAWrongCommandLineWithStatusTwo)
{
    const Finished none = run(TW_TWREF, {});
    EXPECT_EQ(none.status, 2);
    EXPECT_EQ(none.err, "twref: no graph file given\nTry 'twref --help'.\n");
    const Finished jpeg = run(TW_TWTPLOT, {"--output", "chart.jpg", "trade.tmp"});
    EXPECT_EQ(jpeg.status, 2);
    EXPECT_FALSE(fs::exists(dir_ / "chart.jpg"));
}

TEST_F(GraphPrograms, DrawTheRefinanceFileIntoEachTypeWithoutADisplay)
{
    write("ref.tmp", samples::RefFileOf(samples::WorkedRefinance()));

    Finished png = run(TW_TWREF, {"--output", "ref.png", "--size", "640x400", "ref.tmp"});
    ASSERT_EQ(png.status, 0) << png.err;
    EXPECT_EQ(WithoutQtNotes(png.err), "");
    EXPECT_EQ(PngSize(ReadAll(dir_ / "ref.png")), std::make_pair(640, 400));

    // At twice the scale a PNG has twice the pixels each way.
    Finished scaled = run(TW_TWREF, {"--output", "ref2x.png", "--size", "640x400", "ref.tmp"},
                          "QT_SCALE_FACTOR=2");
    ASSERT_EQ(scaled.status, 0) << scaled.err;
    EXPECT_EQ(PngSize(ReadAll(dir_ / "ref2x.png")), std::make_pair(1280, 800));

    // A scale that would make a side longer than the largest --size is lowered to fit, in one
    // line; the image is drawn.
    Finished large = run(TW_TWREF, {"--output", "ref10x.png", "--size", "1600x200", "ref.tmp"},
                         "QT_SCALE_FACTOR=10");
    ASSERT_EQ(large.status, 0) << large.err;
    EXPECT_EQ(WithoutQtNotes(large.err),
              "twref: a 16000x2000 image (the screen's scale 10) has more than 10000 pixels a "
              "side; drawn at 10000x1250\n");
    EXPECT_EQ(PngSize(ReadAll(dir_ / "ref10x.png")), std::make_pair(10000, 1250));

    ASSERT_EQ(run(TW_TWREF, {"--output", "ref.svg", "ref.tmp"}).status, 0);
    const std::string svg = ReadAll(dir_ / "ref.svg");
    EXPECT_NE(svg.find(">Months to break even: 16 to 19</text>"), std::string::npos);
    EXPECT_NE(svg.find(">Existing Mortgage</text>"), std::string::npos);
    EXPECT_NE(svg.find("viewBox=\"0 0 800 500\""), std::string::npos);

    ASSERT_EQ(run(TW_TWREF, {"--output", "ref.pdf", "ref.tmp"}).status, 0);
    EXPECT_EQ(ReadAll(dir_ / "ref.pdf").rfind("%PDF-", 0), 0u);
}

TEST_F(GraphPrograms, DrawTheTradeOffFile)
{
    TradeInput input;
    input.periods = 12;
    input.options[0] = {"Buy", 1000, 100, 0, 250};
    input.options[1] = {"Lease", 0, 0, 500, 50};
    write("trade.tmp", TradeGraphText(input));
    const Finished svg = run(TW_TWTPLOT, {"--output", "trade.svg", "trade.tmp"});
    ASSERT_EQ(svg.status, 0) << svg.err;
    const std::string text = ReadAll(dir_ / "trade.svg");
    EXPECT_NE(text.find(">Buy</text>"), std::string::npos);
    EXPECT_NE(text.find(">Lease</text>"), std::string::npos);
    EXPECT_NE(text.find(">Trade-Off Analysis</text>"), std::string::npos);
}

TEST_F(GraphPrograms, RefuseBadFilesWithOneLineNamingTheFileAndWriteNothing)
{
    const std::string good = samples::RefFileOf(samples::WorkedRefinance());
    struct Case
    {
        const char* name;
        std::optional<std::string> text; // nothing: the file does not exist
        const char* says;
    };
    std::string million = "1\nDummy\nDummy\nDummy\n4000000.000000\n2\nA\nB\n";
    for (int i = 0; i < 1000; ++i)
        million += "0.0\n0.0\n" + Format("%d.000000 1.000000 2.000000\n", 4 * i);
    const Case cases[] = {
        {"missing", std::nullopt, ": cannot open the file: No such file or directory"},
        {"empty", std::string(), ": the file is empty"},
        {"cut off", good.substr(0, good.size() / 2), ": line "},
        {"not numeric", "1\nDummy\nDummy\nDummy\nmany\n",
         ": line 5: expected the extent, found \"many\""},
        {"three curves", "1\nDummy\nDummy\nDummy\n8.000000\n3\n", ": line 6: 3 curves"},
        {"binary",
         std::string("\x7f"
                     "ELF\x02\x01\x01\0\0\0\0",
                     12),
         ": line 1: the line holds binary data"},
        {"a million points", million, ": line 5: the file announces 1000001 points"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path file = dir_ / "ref.tmp";
        fs::remove(file);
        if (c.text)
            write("ref.tmp", *c.text);
        for (const char* out : {"bad.png", "bad.svg", "bad.pdf"}) {
            const Finished result = run(TW_TWREF, {"--output", out, "ref.tmp"});
            EXPECT_EQ(result.status, 1);
            const std::string message = WithoutQtNotes(result.err);
            EXPECT_EQ(message.rfind(std::string("twref: ref.tmp") + c.says, 0), 0u) << message;
            EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
            EXPECT_FALSE(fs::exists(dir_ / out)) << out;
        }
    }
}

// Values that differ by the least double: each output ends, with the curves drawn flat.
TEST_F(GraphPrograms, DrawValuesTheLeastDoubleApart)
{
    write("ref.tmp", "1\nDummy\nDummy\nDummy\n4.000000\n2\nA\nB\n0.0\n0.0\n0 0 5e-324\n"
                     "0.0\n0.0\n4 5e-324 0\nDone\nDone\n");
    write("trade.tmp", "1\nDummy\nDummy\nDummy\n5.000000\n1\nA\n0.0\n0 0 \n0.0\n1 5e-324 \n"
                       "0.0\n2 0 \n0.0\n3 5e-324 \n0.0\n4 0 \nDone\nDone\n");
    for (const char* out : {"tiny.png", "tiny.svg", "tiny.pdf"}) {
        SCOPED_TRACE(out);
        const Finished ref = run(TW_TWREF, {"--output", out, "ref.tmp"});
        EXPECT_EQ(ref.status, 0) << ref.err;
        const Finished trade = run(TW_TWTPLOT, {"--output", out, "trade.tmp"});
        EXPECT_EQ(trade.status, 0) << trade.err;
    }
}

TEST_F(GraphPrograms, DrawTheLargestFileAllowed)
{
    std::string text = "1\nDummy\nDummy\nDummy\n" + Format("%f\n", 4.0 * (100000 - 1)) +
                       "2\nExisting Mortgage\nRefinanced Mortgage\n";
    for (int i = 0; i < 100000; ++i)
        text += "0.0\n0.0\n" + Format("%d.000000 %d.5 %d.25\n", 4 * i, 3 * i, 2 * i + (i % 7) * 50);
    text += "Done\nDone\n";
    write("ref.tmp", text);
    const Finished result = run(TW_TWREF, {"--output", "big.png", "ref.tmp"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(PngSize(ReadAll(dir_ / "big.png")), std::make_pair(800, 500));
}

// A display that is named but cannot be opened, or a platform that does not exist, ends in
// one line and exit code 1, never in Qt's abort and its core file.
TEST_F(GraphPrograms, SayInOneLineThatTheWindowSystemCannotStart)
{
    write("ref.tmp", samples::RefFileOf(samples::WorkedRefinance()));
    const Finished unreachable = run(TW_TWREF, {"ref.tmp"}, "DISPLAY=:4711");
    EXPECT_EQ(unreachable.status, 1);
    EXPECT_EQ(unreachable.err, "twref: cannot open the display \":4711\"; draw the chart into a "
                               "file with: twref --output OUT.png ref.tmp\n");
    EXPECT_EQ(unreachable.out, "");

    const Finished window = run(TW_TWTPLOT, {"ref.tmp"}, "QT_QPA_PLATFORM=bogus");
    EXPECT_EQ(window.status, 1);
    EXPECT_EQ(
        window.err.rfind("twtplot: there is no window system platform \"bogus\" (there are: ", 0),
        0u)
        << window.err;
    const Finished file =
        run(TW_TWREF, {"--output", "chart.png", "ref.tmp"}, "QT_QPA_PLATFORM=bogus");
    EXPECT_EQ(file.status, 1);
    EXPECT_EQ(file.err.rfind("twref: there is no window system platform \"bogus\"", 0), 0u)
        << file.err;
    EXPECT_EQ(std::count(file.err.begin(), file.err.end(), '\n'), 1) << file.err;
    EXPECT_FALSE(fs::exists(dir_ / "chart.png"));
}

TEST_F(GraphPrograms, SayThatAWindowNeedsADisplay)
{
    write("ref.tmp", samples::RefFileOf(samples::WorkedRefinance()));
    const Finished result = run(TW_TWREF, {"ref.tmp"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "twref: no display to open the window on (DISPLAY and WAYLAND_DISPLAY "
                          "are unset); draw the chart into a file with: twref --output OUT.png "
                          "ref.tmp\n");
}

} // namespace
} // namespace tw
