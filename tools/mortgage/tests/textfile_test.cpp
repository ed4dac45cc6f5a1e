#include "tools/mortgage/textfile.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
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
                     ("twmortgage-textfile-" + std::to_string(::getpid()) + "-" +
                      ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(directory_);
        fs::create_directories(directory_);
    }
    void TearDown() override { fs::remove_all(directory_); }

    std::string path(const char* name) const { return (directory_ / name).string(); }

    static std::string contents(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
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
}

TEST_F(TextFileTest, EmptiesTheFileAsSoonAsItIsCreated)
{
    const std::string file = path("psched.tmp");
    std::ofstream(file) << "old rows\n";
    auto text = TextFile::create(file);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(fs::file_size(file), 0U);
}

TEST_F(TextFileTest, CannotBeCreatedInAMissingDirectory)
{
    const std::string file = path("missing/psched.tmp");
    EXPECT_FALSE(TextFile::create(file).has_value());
    EXPECT_FALSE(fs::exists(file));
}

TEST_F(TextFileTest, WritesOnlyOnce)
{
    auto text = TextFile::create(path("once.tmp"));
    ASSERT_TRUE(text.has_value());
    EXPECT_TRUE(text->write("first"));
    EXPECT_FALSE(text->write("second"));
    EXPECT_EQ(contents(path("once.tmp")), "first");
}

TEST_F(TextFileTest, RemovesThePartialFileWhenTheWriteFails)
{
    // A file size limit makes the write fail part-way, as a full disk would.
    const std::string file = path("psched.tmp");
    auto text = TextFile::create(file);
    ASSERT_TRUE(text.has_value());

    rlimit previous{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = previous;
    limited.rlim_cur = 16;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);

    const bool written = text->write(std::string(100000, 'x') + "Dooone");

    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(written);
    EXPECT_FALSE(fs::exists(file));
}

} // namespace
} // namespace tw
