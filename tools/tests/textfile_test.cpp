#include "tests/support/tempdirectory.h"
#include "tools/textfile.h"

#include "tools/tests/filesizelimit.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace tw {
namespace {

namespace fs = std::filesystem;

class TextFileTest : public ::testing::Test
{
  protected:
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

    TempDirectory scratch_;
    fs::path directory_{scratch_.path()};
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

// A file nobody may write is write-protected for root too: the user took the permission away
// to keep the file as it is.
TEST_F(TextFileTest, RefusesAWriteProtectedFileAndLeavesItAsItWas)
{
    const std::string file = path("psched.tmp");
    std::ofstream(file) << "protected rows\n";
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);

    EXPECT_FALSE(TextFile::create(file).has_value());
    EXPECT_FALSE(TextFile::replace(file, "new\n"));
    EXPECT_EQ(contents(file), "protected rows\n");
    EXPECT_EQ(fs::status(file).permissions(),
              fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(entries(), 1);
}

TEST_F(TextFileTest, KeepsThePermissionsOfTheFileItReplaces)
{
    const std::string file = path("tradeinf.dat");
    std::ofstream(file) << "old\n";
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(TextFile::replace(file, "new\n"));
    EXPECT_EQ(contents(file), "new\n");
    EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

// Permission checks do not hold for root, so these run as an ordinary user in a child process
// (as the user itself when the tests do not run as root). The child reports each failure on
// standard error and by its exit code.
class TextFileAsUserTest : public TextFileTest
{
  protected:
    static constexpr uid_t kNobody = 65534;

    // Makes the directory and what is in it the user's, then takes away the directory's
    // write permission: no new file can be made in it.
    void lockDirectory()
    {
        if (::geteuid() == 0) {
            for (const auto& entry : fs::directory_iterator(directory_)) {
                ASSERT_EQ(::chown(entry.path().c_str(), kNobody, kNobody), 0);
            }
            ASSERT_EQ(::chown(directory_.c_str(), kNobody, kNobody), 0);
        }
        fs::permissions(directory_, fs::perms::owner_read | fs::perms::owner_exec |
                                        fs::perms::group_read | fs::perms::group_exec |
                                        fs::perms::others_read | fs::perms::others_exec);
    }
    void TearDown() override
    {
        fs::permissions(directory_, fs::perms::owner_all);
        TextFileTest::TearDown();
    }

    template <class Check> void asUser(Check check)
    {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
                ::_exit(3);
            ::_exit(check() ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0) << "the check as an ordinary user failed";
    }

    static bool Expect(bool condition, const char* what)
    {
        if (!condition)
            std::fprintf(stderr, "failed: %s\n", what);
        return condition;
    }
};

TEST_F(TextFileAsUserTest, RefusesAFileTheUserMayNotWrite)
{
    const std::string file = path("trade.tmp");
    std::ofstream(file) << "old graph\n";
    // Root's file, readable by all, in a directory the user may write: only the file's own
    // permissions stand in the way. An ordinary user running the tests owns the file, and
    // takes its write permission away.
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(directory_.c_str(), kNobody, kNobody), 0);
    } else {
        fs::permissions(file,
                        fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    }
    asUser([&] { return Expect(!TextFile::replace(file, "new\n"), "refused"); });
    EXPECT_EQ(contents(file), "old graph\n");
    EXPECT_EQ(entries(), 1);
}

TEST_F(TextFileAsUserTest, WritesInPlaceWhereTheDirectoryTakesNoNewFile)
{
    const std::string file = path("psched.tmp");
    std::ofstream(file) << "an older and much longer content than the new one\n";
    const std::string missing = path("tradeinf.dat");
    lockDirectory();
    asUser([&] {
        bool passed = Expect(TextFile::replace(file, "a\tb\t\nDooone"), "written in place");
        passed = Expect(!TextFile::replace(missing, "x\n"), "no new file") && passed;
        return passed;
    });
    EXPECT_EQ(contents(file), "a\tb\t\nDooone");
    EXPECT_FALSE(fs::exists(missing));
    EXPECT_EQ(entries(), 1);
}

TEST_F(TextFileAsUserTest, AFailedWriteInPlacePutsTheOldTextBack)
{
    const std::string file = path("psched.tmp");
    std::ofstream(file) << "the rows of an earlier build\n";
    lockDirectory();
    asUser([&] {
        // As a full disk would: the file may not grow past a few bytes.
        const FileSizeLimit limit(16);
        return Expect(limit.active(), "limit") &&
               Expect(!TextFile::replace(file, std::string(100000, 'x') + "Dooone"), "refused");
    });
    EXPECT_EQ(contents(file), "the rows of an earlier build\n");
    EXPECT_EQ(entries(), 1);
}

} // namespace
} // namespace tw
