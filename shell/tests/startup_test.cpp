#include "shell/startup.h"

#include <gtest/gtest.h>

#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace tw {
namespace {

StartRequest Read(const std::string& line)
{
    std::vector<std::string> words;
    std::istringstream in(line);
    for (std::string word; in >> word;)
        words.push_back(word);
    std::vector<char*> arguments;
    for (std::string& word : words)
        arguments.push_back(word.data());
    return ReadArguments(arguments);
}

TEST(ReadArguments, FindsTheOptionsAsWholeArgumentsAnywhere)
{
    const struct
    {
        const char* line;
        bool help;
        bool version;
        bool inDataFolder;
    } cases[] = {
        {"", false, false, false},
        {"--help", true, false, false},
        {"-h", true, false, false},
        {"LIGHTER --help", true, false, false},
        {"script x.twt --help", true, false, false},
        {"--version", false, true, false},
        {"--xdg-data", false, false, true},
        {"LIGHTER --xdg-data", false, false, true},
        {"--help --version", true, true, false},
        // Only the whole word counts.
        {"--helpme --versions --xdg-data-dir -xdg-data", false, false, false},
        {"help version xdg-data", false, false, false},
        {"--HELP --Version", false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const StartRequest request = Read(c.line);
        EXPECT_EQ(request.help, c.help);
        EXPECT_EQ(request.version, c.version);
        EXPECT_EQ(request.inDataFolder, c.inDataFolder);
    }
}

TEST(ReadArguments, TakesScriptAndItsFileWithTheOptionsAside)
{
    const struct
    {
        const char* line;
        bool script;
        std::optional<std::string> file;
    } cases[] = {
        {"script", true, std::nullopt},
        {"script run.twt", true, "run.twt"},
        {"script -", true, "-"},
        {"--xdg-data script run.twt", true, "run.twt"},
        {"script --xdg-data run.twt", true, "run.twt"},
        {"script run.twt --xdg-data LIGHTER", true, "run.twt"},
        {"script run.twt other.twt", true, "run.twt"},
        // "script" must come first, as before.
        {"LIGHTER script run.twt", false, std::nullopt},
        {"run.twt script", false, std::nullopt},
        {"Script run.twt", false, std::nullopt},
        {"", false, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const StartRequest request = Read(c.line);
        EXPECT_EQ(request.script, c.script);
        EXPECT_EQ(request.scriptFile, c.file);
    }
}

// The switches are looked for inside any word: no option of the program may hold one.
TEST(ReadArguments, OptionsHoldNoSwitch)
{
    for (const std::string_view option : {std::string_view("--help"), std::string_view("-h"),
                                          std::string_view("--version"), kDataFolderOption}) {
        SCOPED_TRACE(option);
        EXPECT_FALSE(ParseSwitches(option).lighter);
        for (const char* word : {"LIGHTER", "IDON", "DARKER", "SUMMARY"})
            EXPECT_EQ(option.find(word), std::string_view::npos);
    }
}

TEST(UsageText, NamesEveryOptionAndTheFilesTheProgramWrites)
{
    const std::string usage = UsageText();
    for (const char* part :
         {"Usage: twtools", "script [FILE]", "--xdg-data", "LIGHTER", "--help", "--version",
          "$XDG_DATA_HOME/twtools", "psched.tmp", "trade.tmp", "prefinf.dat"}) {
        SCOPED_TRACE(part);
        EXPECT_NE(usage.find(part), std::string::npos);
    }
    EXPECT_EQ(usage.back(), '\n');
    std::istringstream lines(usage);
    for (std::string line; std::getline(lines, line);)
        EXPECT_LE(line.size(), 80u) << line;
}

TEST(VersionText, StartsWithTheProgramAndItsVersion)
{
    const std::string text = VersionText();
    EXPECT_TRUE(std::regex_search(
        text, std::regex(R"(^twtools \(Tarrow Financial Tool Set\) [0-9]+\.[0-9]+\.[0-9]+\n)")))
        << text;
}

} // namespace
} // namespace tw
