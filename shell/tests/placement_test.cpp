#include "shell/placement.h"
#include "tests/support/tempdirectory.h"

#include "tools/tests/filesizelimit.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tw {
namespace {

namespace fs = std::filesystem;

class PlacementFile : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(scratch_.valid());
        path_ = (directory_ / "prefinf.dat").string();
    }

    std::vector<unsigned char> Read() const
    {
        std::ifstream in(path_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    static std::int32_t At(const std::vector<unsigned char>& bytes, int index)
    {
        std::uint32_t value = 0;
        for (int i = 3; i >= 0; --i)
            value = value << 8 | bytes.at(static_cast<std::size_t>(index * 4 + i));
        return static_cast<std::int32_t>(value);
    }

    TempDirectory scratch_;
    fs::path directory_{scratch_.path()};
    std::string path_;
};

TEST_F(PlacementFile, HoldsPlaceAndOuterSizeInLittleEndianFields)
{
    ASSERT_EQ(SavePlacementFile(Rect{100, 100, 350, 90}, path_), 0);
    const auto bytes = Read();
    ASSERT_EQ(bytes.size(), 84u);
    EXPECT_EQ(bytes[0], 100);
    EXPECT_EQ(bytes[1], 0);
    for (int index = 0; index < 21; ++index) {
        SCOPED_TRACE(index);
        const std::int32_t expected = index == 0 || index == 1 ? 100
                                      : index == 14            ? 350
                                      : index == 15            ? 90
                                                               : 0;
        EXPECT_EQ(At(bytes, index), expected);
    }
}

TEST_F(PlacementFile, KeepsNegativeEdgesAndTakesAbsoluteSizes)
{
    ASSERT_EQ(SavePlacementFile(Rect{-1200, -5, -350, -90}, path_), 0);
    const auto bytes = Read();
    EXPECT_EQ(At(bytes, 0), -1200);
    EXPECT_EQ(At(bytes, 1), -5);
    EXPECT_EQ(At(bytes, 14), 350);
    EXPECT_EQ(At(bytes, 15), 90);
    // Two's complement, low byte first.
    EXPECT_EQ(bytes[0], 0x50);
    EXPECT_EQ(bytes[3], 0xff);
}

TEST_F(PlacementFile, LeavesTheTailOfALongerOlderFile)
{
    {
        std::ofstream out(path_, std::ios::binary);
        for (int i = 0; i < 100; ++i)
            out.put(static_cast<char>(0xA0 + i % 16));
    }
    ASSERT_EQ(SavePlacementFile(Rect{7, 8, 350, 90}, path_), 0);
    const auto bytes = Read();
    ASSERT_EQ(bytes.size(), 100u);
    EXPECT_EQ(At(bytes, 0), 7);
    EXPECT_EQ(At(bytes, 20), 0);
    for (std::size_t i = 84; i < 100; ++i)
        EXPECT_EQ(bytes[i], 0xA0 + i % 16) << "byte " << i;
}

// A link named prefinf.dat, to a file elsewhere or to nothing: the file it points to is never
// written, and the link gives way to a placement file of its own.
TEST_F(PlacementFile, ReplacesALinkInsteadOfWritingThroughIt)
{
    const fs::path scratch = directory_ / "scratch";
    fs::create_directories(scratch);
    const std::string victim(100, 'v');
    std::ofstream(scratch / "victim", std::ios::binary) << victim;
    for (const fs::path& target : {scratch / "victim", scratch / "nothing"}) {
        SCOPED_TRACE(target.string());
        fs::remove(path_);
        fs::create_symlink(target, path_);
        ASSERT_EQ(SavePlacementFile(Rect{7, 8, 350, 90}, path_), 0);
        EXPECT_FALSE(fs::is_symlink(path_));
        const auto bytes = Read();
        ASSERT_EQ(bytes.size(), 84u);
        EXPECT_EQ(At(bytes, 0), 7);
        EXPECT_EQ(At(bytes, 14), 350);
    }
    std::ifstream in(scratch / "victim", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), victim);
    EXPECT_FALSE(fs::exists(scratch / "nothing"));
}

TEST_F(PlacementFile, ReportsOneWhenTheFileCannotBeOpened)
{
    EXPECT_EQ(SavePlacementFile(Rect{}, (directory_ / "missing" / "prefinf.dat").string()), 1);
}

// A full disk: the first write of a new file fails, and nothing is left of it; an older file
// is not removed.
TEST_F(PlacementFile, LeavesNoFileBehindWhenTheFirstWriteFails)
{
    {
        const FileSizeLimit full(0);
        ASSERT_TRUE(full.active());
        EXPECT_EQ(SavePlacementFile(Rect{100, 100, 350, 90}, path_), 1);
    }
    EXPECT_FALSE(fs::exists(path_));

    std::ofstream(path_, std::ios::binary) << std::string(84, 'o');
    {
        const FileSizeLimit full(0);
        EXPECT_EQ(SavePlacementFile(Rect{100, 100, 350, 90}, path_), 1);
    }
    EXPECT_EQ(Read(), std::vector<unsigned char>(84, 'o'));
}

// A FIFO named prefinf.dat, with nobody reading it or with a reader, and a device: the close
// request must neither wait for ever nor write into them. Run in a child with an alarm, so
// that a wait fails the test instead of hanging it.
TEST_F(PlacementFile, NeverWaitsOnOrWritesIntoWhatIsNotAFile)
{
    ASSERT_EQ(::mkfifo(path_.c_str(), 0644), 0);
    const auto saveWithin = [&](const std::string& path) {
        const pid_t child = ::fork();
        if (child == 0) {
            ::alarm(5);
            ::_exit(SavePlacementFile(Rect{100, 100, 350, 90}, path));
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        return status;
    };
    int status = saveWithin(path_);
    EXPECT_TRUE(WIFEXITED(status)) << "did not end: signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 1);

    const int reader = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    status = saveWithin(path_);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    char byte = 0;
    EXPECT_LE(::read(reader, &byte, 1), 0); // nothing was written into it
    ::close(reader);
    EXPECT_TRUE(fs::is_fifo(path_));

    status = saveWithin("/dev/null");
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
}

} // namespace
} // namespace tw
