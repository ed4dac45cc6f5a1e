#include "shell/placement.h"

#include "tools/textfile.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <string_view>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tw {

namespace {

constexpr int kFields = 21;

void PutLittleEndian(std::array<unsigned char, kFields * 4>& bytes, int index, std::int32_t value)
{
    const auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        bytes[index * 4 + i] = static_cast<unsigned char>(bits >> (8 * i));
}

// |value| for every int: the width of a window at the far end of the range has no positive
// int, and keeps its bits.
std::int32_t Magnitude(std::int32_t value)
{
    return value < 0 ? static_cast<std::int32_t>(0U - static_cast<std::uint32_t>(value)) : value;
}

} // namespace

int SavePlacementFile(Rect outer, const std::string& path)
{
    std::array<unsigned char, kFields * 4> record{};
    PutLittleEndian(record, 0, outer.x);
    PutLittleEndian(record, 1, outer.y);
    PutLittleEndian(record, 14, Magnitude(outer.width));
    PutLittleEndian(record, 15, Magnitude(outer.height));

    // No O_TRUNC: bytes past the record in an older, longer file stay as they were. A FIFO
    // or a device of that name is no placement file: opened without waiting for a reader,
    // and left alone. Whether the file is new decides what a failed write leaves behind.
    // A link is never followed (anyone who may write to a shared working folder could point
    // it at another file); it is replaced by a file of its own, as the program's other files
    // replace one.
    constexpr int kFlags = O_WRONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW;
    bool created = true;
    int fd = ::open(path.c_str(), kFlags | O_CREAT | O_EXCL, 0644);
    if (fd < 0 && errno == EEXIST) {
        created = false;
        fd = ::open(path.c_str(), kFlags);
        if (fd < 0 && errno == ELOOP) {
            const std::string_view bytes(reinterpret_cast<const char*>(record.data()),
                                         record.size());
            return TextFile::replace(path, bytes) ? 0 : 1;
        }
    }
    if (fd < 0)
        return 1;
    struct stat status = {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return 1;
    }
    // A first write that fails (a full disk) leaves no empty or cut-off file behind.
    const auto fail = [&] {
        ::close(fd);
        if (created)
            ::unlink(path.c_str());
        return 1;
    };
    std::size_t written = 0;
    while (written < record.size()) {
        const ssize_t n = ::write(fd, record.data() + written, record.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return fail();
        written += static_cast<std::size_t>(n);
    }
    if (::close(fd) != 0) {
        if (created)
            ::unlink(path.c_str());
        return 1;
    }
    return 0;
}

} // namespace tw
