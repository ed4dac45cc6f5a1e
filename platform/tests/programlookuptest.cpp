#include "platform/programlookup.h"
#include "tests/support/tempdirectory.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace tw {
namespace {

namespace fs = std::filesystem;

// A scratch tree of fake programs: <root>/own (the program's directory), <root>/bin1 and
// <root>/bin2 (the search path).
class ProgramLookup : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(scratch_.valid());
        for (const char* directory : {"own", "bin1", "bin2"})
            fs::create_directory(root_ / directory);
    }

    std::string dir(const char* name) const { return (root_ / name).string(); }
    std::string path() const { return dir("bin1") + ":" + dir("bin2"); }

    std::string make(const char* directory, const char* name, bool executable = true) const
    {
        const fs::path file = root_ / directory / name;
        std::ofstream(file) << "#!/bin/sh\n";
        ::chmod(file.c_str(), executable ? 0755 : 0644);
        return file.string();
    }

    TempDirectory scratch_;
    fs::path root_{scratch_.path()};
};

TEST_F(ProgramLookup, TriesTheExeNameFirstThenTheBareNameInEachDirectory)
{
    const struct
    {
        const char* what;
        std::vector<std::pair<const char*, const char*>> files; // directory, name
        const char* expectedDirectory;
        const char* expectedName;
    } cases[] = {
        {"exe in own dir", {{"own", "twref.exe"}, {"bin1", "twref"}}, "own", "twref.exe"},
        {"bare name in own dir beats the path",
         {{"own", "twref"}, {"bin1", "twref.exe"}},
         "own",
         "twref"},
        {"exe before bare name", {{"bin1", "twref"}, {"bin1", "twref.exe"}}, "bin1", "twref.exe"},
        {"path order", {{"bin2", "twref.exe"}, {"bin1", "twref"}}, "bin1", "twref"},
        {"only on the second path entry", {{"bin2", "twref"}}, "bin2", "twref"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (const auto& [directory, name] : c.files)
            make(directory, name);
        const auto found = FindProgram("twref.exe ref.tmp", dir("own"), path());
        ASSERT_TRUE(found.has_value());
        EXPECT_EQ(found->program, (root_ / c.expectedDirectory / c.expectedName).string());
        for (const auto& [directory, name] : c.files)
            fs::remove(root_ / directory / name);
    }
}

TEST_F(ProgramLookup, SkipsFilesThatAreNotExecutableAndDirectories)
{
    make("own", "twtplot.exe", false);
    fs::create_directory(root_ / "bin1" / "twtplot");
    const std::string real = make("bin2", "twtplot");
    const auto found = FindProgram("twtplot.exe trade.tmp", dir("own"), path());
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->program, real);
}

TEST_F(ProgramLookup, SplitsArgumentsAtBlanks)
{
    make("bin1", "twtplot");
    const auto found = FindProgram("  twtplot.exe   trade.tmp\tsecond  ", "", path());
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->arguments, (std::vector<std::string>{"trade.tmp", "second"}));

    const auto bare = FindProgram("twtplot.exe", "", path());
    ASSERT_TRUE(bare.has_value());
    EXPECT_TRUE(bare->arguments.empty());
}

TEST_F(ProgramLookup, FindsNothingForAMissingProgramOrAnEmptyLine)
{
    make("bin1", "other");
    EXPECT_FALSE(FindProgram("twrule11.exe", dir("own"), path()).has_value());
    EXPECT_FALSE(FindProgram("", dir("own"), path()).has_value());
    EXPECT_FALSE(FindProgram("   ", dir("own"), path()).has_value());
    // ".exe" alone has no bare name to fall back to.
    EXPECT_FALSE(FindProgram(".exe", dir("own"), path()).has_value());
}

TEST_F(ProgramLookup, NeverLooksInTheWorkingDirectoryThroughEmptyPathEntries)
{
    const fs::path saved = fs::current_path();
    fs::current_path(root_ / "own");
    make("own", "twrule11");
    const auto found = FindProgram("twrule11.exe", "", ":" + dir("bin1") + "::");
    fs::current_path(saved);
    EXPECT_FALSE(found.has_value());
}

TEST_F(ProgramLookup, SystemCalculatorFallsBackToTheDesktopCalculators)
{
    // Listed in the order they are preferred; each is found only when the ones before are
    // missing, and only on the search path.
    const char* calculators[] = {"gnome-calculator", "kcalc",         "galculator",
                                 "mate-calc",        "qalculate-gtk", "xcalc"};
    make("own", "gnome-calculator");
    for (const char* name : calculators)
        make("bin2", name);
    for (const char* expected : calculators) {
        SCOPED_TRACE(expected);
        const auto found = FindProgram("calc.exe", dir("own"), path());
        ASSERT_TRUE(found.has_value());
        EXPECT_EQ(found->program, (root_ / "bin2" / expected).string());
        fs::remove(root_ / "bin2" / expected);
    }
    EXPECT_FALSE(FindProgram("calc.exe", dir("own"), path()).has_value());
}

TEST_F(ProgramLookup, SystemCalculatorOfTheSameNameComesBeforeTheFallbacks)
{
    make("bin2", "kcalc");
    const std::string calc = make("bin2", "calc");
    const auto found = FindProgram("calc.exe", "", path());
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->program, calc);
}

TEST_F(ProgramLookup, OnlyTheSystemCalculatorHasFallbacks)
{
    make("bin1", "xcalc");
    EXPECT_FALSE(FindProgram("twrule11.exe", "", path()).has_value());
    EXPECT_FALSE(FindProgram("mycalc.exe", "", path()).has_value());
}

TEST_F(ProgramLookup, TakesANameWithADirectoryAsItIs)
{
    const std::string program = make("bin1", "tool");
    const auto found = FindProgram(program + " x", "", "");
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->program, program);
    EXPECT_FALSE(FindProgram(dir("bin1") + "/missing", "", path()).has_value());
}

TEST(OwnProgramDirectory, IsTheDirectoryOfTheRunningTest)
{
    const std::string directory = OwnProgramDirectory();
    ASSERT_FALSE(directory.empty());
    EXPECT_TRUE(fs::exists(fs::path(directory) / "platform_tests"));
}

TEST(EnvironmentPath, IsThePathVariable)
{
    const char* saved = std::getenv("PATH");
    const std::string original = saved ? saved : "";
    ::setenv("PATH", "/a:/b", 1);
    EXPECT_EQ(EnvironmentPath(), "/a:/b");
    ::setenv("PATH", original.c_str(), 1);
}

} // namespace
} // namespace tw
