#include "tools/calculators/replacefile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace tw {
namespace {

namespace fs = std::filesystem;

class ReplaceFileTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() /
               ("replacefile_test_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    static std::string Read(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    int EntriesInDir() const
    {
        return static_cast<int>(
            std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
    }

    fs::path dir_;
};

TEST_F(ReplaceFileTest, WritesAndThenReplacesTheWholeText)
{
    const fs::path file = dir_ / "trade.tmp";
    ASSERT_TRUE(ReplaceFile(file.string(), "first text, rather long\nsecond line\n"));
    EXPECT_EQ(Read(file), "first text, rather long\nsecond line\n");

    ASSERT_TRUE(ReplaceFile(file.string(), "short\n"));
    EXPECT_EQ(Read(file), "short\n"); // nothing of the longer old text is left
    EXPECT_EQ(EntriesInDir(), 1);     // and no file beside it
}

TEST_F(ReplaceFileTest, GivesTheNewFileOrdinaryPermissions)
{
    const fs::path file = dir_ / "tradeinf.dat";
    ASSERT_TRUE(ReplaceFile(file.string(), "x\n"));
    const fs::perms perms = fs::status(file).permissions();
    EXPECT_NE(perms & fs::perms::owner_read, fs::perms::none);
    EXPECT_NE(perms & fs::perms::owner_write, fs::perms::none);
}

TEST_F(ReplaceFileTest, FailsWithoutLeavingAnythingBehind)
{
    // A directory in the file's place cannot be replaced by a file.
    const fs::path blocked = dir_ / "tradeinf.dat";
    fs::create_directory(blocked);
    std::ofstream(blocked / "keep") << "kept";
    EXPECT_FALSE(ReplaceFile(blocked.string(), "new\n"));
    EXPECT_TRUE(fs::is_directory(blocked));
    EXPECT_EQ(Read(blocked / "keep"), "kept");
    EXPECT_EQ(EntriesInDir(), 1);

    EXPECT_FALSE(ReplaceFile((dir_ / "missing" / "trade.tmp").string(), "new\n"));
    EXPECT_EQ(EntriesInDir(), 1);
}

} // namespace
} // namespace tw
