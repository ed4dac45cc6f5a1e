#include "tools/textfile.h"

#include "tools/tests/filesizelimit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <unistd.h>

namespace tw {
namespace {

namespace fs = std::filesystem;

class TextFileTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        directory_ = fs::temp_directory_path() /
                     ("twtools-textfile-" + std::to_string(::getpid()) + "-" +
                      ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(directory_);
        fs::create_directories(directory_);
    }
    void TearDown() override { fs::remove_all(directory_); }

    std::string path(const char* name) const { return (directory_ / name).string(); }

    static std::string contents(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    // The new file beside the target must never be left behind.
    int entries() const
    {
        return static_cast<int>(
            std::distance(fs::directory_iterator(directory_), fs::directory_iterator()));
    }

    fs::path directory_;
};

TEST_F(TextFileTest, WritesTheContentByteForByteOverAnOlderLongerFile)
{
    const std::string file = path("psched.tmp");
    std::ofstream(file) << "an older and much longer content than the new one\n";

    auto text = TextFile::create(file);
    ASSERT_TRUE(text.has_value());
    EXPECT_TRUE(text->write("a\tb\t\nDooone"));
    EXPECT_EQ(contents(file), "a\tb\t\nDooone");
    EXPECT_EQ(entries(), 1);
}

TEST_F(TextFileTest, LeavesTheTargetAsItWasUntilTheWrite)
{
    const std::string file = path("psched.tmp");
    std::ofstream(file) << "old rows\n";
    {
        auto text = TextFile::create(file);
        ASSERT_TRUE(text.has_value());
        EXPECT_EQ(contents(file), "old rows\n");
    }
    // Given up without a write: the target is untouched and nothing is left beside it.
    EXPECT_EQ(contents(file), "old rows\n");
    EXPECT_EQ(entries(), 1);
}

TEST_F(TextFileTest, CannotBeCreatedInAMissingDirectory)
{
    const std::string file = path("missing/psched.tmp");
    EXPECT_FALSE(TextFile::create(file).has_value());
    EXPECT_FALSE(fs::exists(file));
    EXPECT_FALSE(TextFile::replace(file, "new\n"));
    EXPECT_EQ(entries(), 0);
}

TEST_F(TextFileTest, CannotBeCreatedWhereADirectoryHoldsTheName)
{
    const fs::path blocked = directory_ / "tradeinf.dat";
    fs::create_directory(blocked);
    std::ofstream(blocked / "keep") << "kept";

    EXPECT_FALSE(TextFile::create(blocked.string()).has_value());
    EXPECT_FALSE(TextFile::replace(blocked.string(), "new\n"));
    EXPECT_TRUE(fs::is_directory(blocked));
    EXPECT_EQ(contents(blocked / "keep"), "kept");
    EXPECT_EQ(entries(), 1);
}

TEST_F(TextFileTest, WritesOnlyOnce)
{
    auto text = TextFile::create(path("once.tmp"));
    ASSERT_TRUE(text.has_value());
    EXPECT_TRUE(text->write("first"));
    EXPECT_FALSE(text->write("second"));
    EXPECT_EQ(contents(path("once.tmp")), "first");
    EXPECT_EQ(entries(), 1);
}

TEST_F(TextFileTest, ReplacesTheWholeTextEachTime)
{
    const std::string file = path("trade.tmp");
    ASSERT_TRUE(TextFile::replace(file, "first text, rather long\nsecond line\n"));
    EXPECT_EQ(contents(file), "first text, rather long\nsecond line\n");

    ASSERT_TRUE(TextFile::replace(file, "short\n"));
    EXPECT_EQ(contents(file), "short\n"); // nothing of the longer old text is left
    EXPECT_EQ(entries(), 1);              // and no file beside it
}

TEST_F(TextFileTest, GivesTheNewFileOrdinaryPermissions)
{
    const std::string file = path("tradeinf.dat");
    ASSERT_TRUE(TextFile::replace(file, "x\n"));
    const fs::perms perms = fs::status(file).permissions();
    EXPECT_NE(perms & fs::perms::owner_read, fs::perms::none);
    EXPECT_NE(perms & fs::perms::owner_write, fs::perms::none);
}

TEST_F(TextFileTest, AFailedWriteLeavesTheTargetAsItWasAndNothingBeside)
{
    // A file size limit makes the write fail part-way, as a full disk would.
    const struct
    {
        const char* name;
        const char* older; // nullptr: no file of that name yet
    } cases[] = {{"new target", nullptr}, {"older target", "the rows of an earlier build\n"}};

    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = path("psched.tmp");
        fs::remove(file);
        if (c.older != nullptr)
            std::ofstream(file) << c.older;
        auto text = TextFile::create(file);
        ASSERT_TRUE(text.has_value());

        bool written = false;
        {
            const FileSizeLimit limit(16);
            ASSERT_TRUE(limit.active());
            written = text->write(std::string(100000, 'x') + "Dooone");
        }

        EXPECT_FALSE(written);
        if (c.older == nullptr) {
            EXPECT_FALSE(fs::exists(file));
            EXPECT_EQ(entries(), 0);
        } else {
            EXPECT_EQ(contents(file), c.older);
            EXPECT_EQ(entries(), 1);
        }
    }
}

} // namespace
} // namespace tw
