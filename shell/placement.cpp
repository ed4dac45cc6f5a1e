#include "shell/placement.h"

#include <array>
#include <cstdint>
#include <cerrno>
#include <cstdlib>

#include <fcntl.h>
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

} // namespace

int SavePlacementFile(Rect outer, const std::string& path)
{
    std::array<unsigned char, kFields * 4> record{};
    PutLittleEndian(record, 0, outer.x);
    PutLittleEndian(record, 1, outer.y);
    PutLittleEndian(record, 14, std::abs(outer.width));
    PutLittleEndian(record, 15, std::abs(outer.height));

    // No O_TRUNC: bytes past the record in an older, longer file stay as they were.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return 1;
    std::size_t written = 0;
    while (written < record.size()) {
        const ssize_t n = ::write(fd, record.data() + written, record.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ::close(fd);
            return 1;
        }
        written += static_cast<std::size_t>(n);
    }
    return ::close(fd) == 0 ? 0 : 1;
}

} // namespace tw
