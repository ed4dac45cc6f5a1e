#include "shell/datafolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace tw {
namespace {

namespace fs = std::filesystem;

TEST(DataFolderPath, FollowsTheXdgRulesForTheDataHome)
{
    const struct
    {
        const char* xdgDataHome;
        const char* home;
        std::optional<std::string> folder;
    } cases[] = {
        {"/x/data", "/home/u", "/x/data/twtools"},
        {"/x/data/", "/home/u", "/x/data/twtools"},
        {"/x/data", "", "/x/data/twtools"},
        {"", "/home/u", "/home/u/.local/share/twtools"},
        {"", "/home/u/", "/home/u/.local/share/twtools"},
        {"", "/", "/.local/share/twtools"},
        {"/", "/home/u", "/twtools"},
        // A relative XDG_DATA_HOME is not valid and is ignored.
        {"data", "/home/u", "/home/u/.local/share/twtools"},
        {"./data", "/home/u", "/home/u/.local/share/twtools"},
        {"", "", std::nullopt},
        {"data", "home/u", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("XDG_DATA_HOME=") + c.xdgDataHome + " HOME=" + c.home);
        EXPECT_EQ(DataFolderPath(c.xdgDataHome, c.home), c.folder);
    }
}

// Each test gets a scratch folder, and the working directory and the two variables back.
class EnterDataFolderTest : public testing::Test
{
  protected:
    void SetUp() override
    {
        start_ = fs::current_path();
        std::string pattern = (fs::temp_directory_path() / "twdatafolder.XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        scratch_ = pattern;
        Keep("HOME", home_);
        Keep("XDG_DATA_HOME", xdgDataHome_);
        fs::create_directory(scratch_ / "home");
        ::setenv("HOME", (scratch_ / "home").c_str(), 1);
        ::unsetenv("XDG_DATA_HOME");
    }

    void TearDown() override
    {
        fs::current_path(start_);
        Restore("HOME", home_);
        Restore("XDG_DATA_HOME", xdgDataHome_);
        std::error_code ignored;
        fs::permissions(scratch_ / "home", fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(scratch_, ignored);
    }

    static void Keep(const char* name, std::optional<std::string>& value)
    {
        if (const char* set = std::getenv(name))
            value = set;
    }

    static void Restore(const char* name, const std::optional<std::string>& value)
    {
        if (value)
            ::setenv(name, value->c_str(), 1);
        else
            ::unsetenv(name);
    }

    static fs::perms Mode(const fs::path& path)
    {
        return fs::status(path).permissions() & fs::perms::mask;
    }

    fs::path start_;
    fs::path scratch_;
    std::optional<std::string> home_;
    std::optional<std::string> xdgDataHome_;
};

TEST_F(EnterDataFolderTest, CreatesTheFolderAndItsParentsUnderHomeOwnerOnly)
{
    const DataFolderEntry entry = EnterDataFolder();
    const fs::path expected = scratch_ / "home/.local/share/twtools";
    EXPECT_EQ(entry.problem, "");
    EXPECT_EQ(entry.folder, expected.string());
    EXPECT_EQ(fs::current_path(), expected);
    for (const fs::path& made :
         {scratch_ / "home/.local", scratch_ / "home/.local/share", expected}) {
        SCOPED_TRACE(made.string());
        EXPECT_EQ(Mode(made), fs::perms::owner_all);
    }
}

TEST_F(EnterDataFolderTest, UsesXdgDataHomeAndCreatesItWhenMissing)
{
    ::setenv("XDG_DATA_HOME", (scratch_ / "xdg/data").c_str(), 1);
    const DataFolderEntry entry = EnterDataFolder();
    EXPECT_EQ(entry.problem, "");
    EXPECT_EQ(fs::current_path(), scratch_ / "xdg/data/twtools");
    EXPECT_FALSE(fs::exists(scratch_ / "home/.local"));
}

TEST_F(EnterDataFolderTest, IgnoresARelativeXdgDataHome)
{
    fs::current_path(scratch_);
    ::setenv("XDG_DATA_HOME", "relative", 1);
    EXPECT_EQ(EnterDataFolder().problem, "");
    EXPECT_EQ(fs::current_path(), scratch_ / "home/.local/share/twtools");
    EXPECT_FALSE(fs::exists(scratch_ / "relative"));
}

TEST_F(EnterDataFolderTest, KeepsAnExistingFolderWithItsFilesAndMode)
{
    const fs::path folder = scratch_ / "home/.local/share/twtools";
    fs::create_directories(folder);
    fs::permissions(folder, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
    std::ofstream(folder / "trade.tmp") << "kept\n";

    EXPECT_EQ(EnterDataFolder().problem, "");
    EXPECT_EQ(fs::current_path(), folder);
    EXPECT_EQ(Mode(folder), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
    std::string line;
    std::getline(std::ifstream("trade.tmp"), line);
    EXPECT_EQ(line, "kept");
}

TEST_F(EnterDataFolderTest, FollowsALinkToAFolder)
{
    fs::create_directories(scratch_ / "elsewhere/twtools");
    fs::create_directories(scratch_ / "home/.local");
    fs::create_directory_symlink(scratch_ / "elsewhere", scratch_ / "home/.local/share");
    EXPECT_EQ(EnterDataFolder().problem, "");
    EXPECT_EQ(fs::canonical(fs::current_path()), fs::canonical(scratch_ / "elsewhere/twtools"));
}

TEST_F(EnterDataFolderTest, NamesTheFileThatStandsInTheWay)
{
    const struct
    {
        const char* file;
        const char* made;
    } cases[] = {
        {"home/.local", ""},
        {"home/.local/share", "home/.local"},
        {"home/.local/share/twtools", "home/.local/share"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        fs::remove_all(scratch_ / "home/.local");
        if (*c.made != '\0')
            fs::create_directories(scratch_ / c.made);
        std::ofstream(scratch_ / c.file) << "not a folder\n";
        fs::current_path(scratch_);

        const DataFolderEntry entry = EnterDataFolder();
        const std::string folder = (scratch_ / "home/.local/share/twtools").string();
        EXPECT_EQ(entry.folder, folder);
        EXPECT_EQ(entry.problem, "cannot create the folder " + folder +
                                     " for the program's files (" + (scratch_ / c.file).string() +
                                     ": Not a directory)");
        EXPECT_EQ(fs::current_path(), scratch_);
    }
}

TEST_F(EnterDataFolderTest, SaysSoWhenTheHomeFolderAllowsNoNewFolder)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not hold for root";
    fs::permissions(scratch_ / "home", fs::perms::owner_read | fs::perms::owner_exec);
    fs::current_path(scratch_);
    const DataFolderEntry entry = EnterDataFolder();
    EXPECT_NE(
        entry.problem.find("(" + (scratch_ / "home/.local").string() + ": Permission denied)"),
        std::string::npos)
        << entry.problem;
    EXPECT_EQ(fs::current_path(), scratch_);
}

} // namespace
} // namespace tw
