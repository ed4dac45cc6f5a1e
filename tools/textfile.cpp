#include "tools/textfile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace tw {

namespace {

bool WriteAllAt(int descriptor, std::string_view text, off_t offset)
{
    while (!text.empty()) {
        const ssize_t written = ::pwrite(descriptor, text.data(), text.size(), offset);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (written == 0)
            return false;
        text.remove_prefix(static_cast<std::size_t>(written));
        offset += written;
    }
    return true;
}

bool WriteAll(int descriptor, std::string_view text)
{
    while (!text.empty()) {
        const ssize_t written = ::write(descriptor, text.data(), text.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The whole content of an open file, from its start; nothing when it cannot be read.
std::optional<std::string> ReadAll(int descriptor)
{
    std::string text;
    char buffer[8192];
    off_t offset = 0;
    for (;;) {
        const ssize_t got = ::pread(descriptor, buffer, sizeof buffer, offset);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return std::nullopt;
        }
        if (got == 0)
            return text;
        text.append(buffer, static_cast<std::size_t>(got));
        offset += got;
    }
}

// The permissions a plainly created file would get (mkstemp makes it private).
mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
}

void Discard(int descriptor, const std::string& temporary)
{
    ::close(descriptor);
    ::unlink(temporary.c_str());
}

// Write-protected as opening it for writing would find it, and also when nobody at all may
// write it: root could open such a file, but whoever took its write permissions away meant
// it to stay as it is.
bool WriteProtected(const std::string& path, const struct stat& status)
{
    return (status.st_mode & 0222) == 0 ||
           ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0;
}

} // namespace

std::optional<TextFile> TextFile::create(std::string path)
{
    struct stat status = {};
    const bool exists = ::stat(path.c_str(), &status) == 0;
    // A file could never take a directory's place: known now rather than after the work.
    if (exists && S_ISDIR(status.st_mode))
        return std::nullopt;
    if (exists && S_ISREG(status.st_mode) && WriteProtected(path, status))
        return std::nullopt;

    std::string temporary = path + ".XXXXXX";
    const int descriptor = ::mkstemp(temporary.data());
    if (descriptor < 0) {
        // The directory takes no new file (or no more): the target itself may still be
        // written. Never a FIFO or a device, whose opening could wait for ever.
        if (!exists || !S_ISREG(status.st_mode))
            return std::nullopt;
        const int target = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
        if (target < 0)
            return std::nullopt;
        struct stat opened = {};
        if (::fstat(target, &opened) != 0 || !S_ISREG(opened.st_mode)) {
            ::close(target);
            return std::nullopt;
        }
        return TextFile(target, std::move(path), std::string());
    }
    // The replacement has the permissions of the file it replaces, a new file the plain ones.
    const mode_t mode = exists && S_ISREG(status.st_mode) ? status.st_mode & 07777 : NewFileMode();
    if (::fchmod(descriptor, mode) != 0) {
        Discard(descriptor, temporary);
        return std::nullopt;
    }
    return TextFile(descriptor, std::move(path), std::move(temporary));
}

bool TextFile::replace(std::string path, std::string_view content)
{
    std::optional<TextFile> file = create(std::move(path));
    return file && file->write(content);
}

TextFile::TextFile(int descriptor, std::string path, std::string temporary)
    : descriptor_(descriptor), path_(std::move(path)), temporary_(std::move(temporary))
{
}

TextFile::TextFile(TextFile&& other) noexcept
    : descriptor_(std::exchange(other.descriptor_, -1)), path_(std::move(other.path_)),
      temporary_(std::move(other.temporary_))
{
}

TextFile::~TextFile()
{
    if (descriptor_ < 0)
        return;
    if (temporary_.empty())
        ::close(descriptor_);
    else
        Discard(descriptor_, temporary_);
}

bool TextFile::write(std::string_view content)
{
    if (descriptor_ < 0)
        return false;
    const int descriptor = std::exchange(descriptor_, -1);
    if (temporary_.empty()) {
        const bool written = writeInPlace(descriptor, content);
        return ::close(descriptor) == 0 && written;
    }
    // Synced before the rename, so that after a crash the target is not an empty file.
    bool written = WriteAll(descriptor, content) && ::fsync(descriptor) == 0;
    written = ::close(descriptor) == 0 && written;
    written = written && std::rename(temporary_.c_str(), path_.c_str()) == 0;
    if (!written)
        ::unlink(temporary_.c_str());
    return written;
}

// Over the old text, which is held to be put back: the room for the new text is taken first,
// so that a full disk is found before anything is overwritten; should a write fail all the
// same, the old text goes back over the blocks it had.
bool TextFile::writeInPlace(int descriptor, std::string_view content)
{
    const std::optional<std::string> old = ReadAll(descriptor);
    if (!old)
        return false;
    const auto oldSize = static_cast<off_t>(old->size());
    const auto newSize = static_cast<off_t>(content.size());
    if (newSize > oldSize) {
        const int reserved = ::posix_fallocate(descriptor, 0, newSize);
        // A file system that cannot reserve room is written all the same.
        if (reserved != 0 && reserved != EOPNOTSUPP && reserved != EINVAL) {
            // Whatever part of the room was taken is given back.
            [[maybe_unused]] const int cut = ::ftruncate(descriptor, oldSize);
            return false;
        }
    }
    if (WriteAllAt(descriptor, content, 0) && ::ftruncate(descriptor, newSize) == 0 &&
        ::fsync(descriptor) == 0)
        return true;
    if (WriteAllAt(descriptor, *old, 0) && ::ftruncate(descriptor, oldSize) == 0)
        ::fsync(descriptor);
    return false;
}

} // namespace tw
