#include "tools/textfile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace tw {

namespace {

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

} // namespace

std::optional<TextFile> TextFile::create(std::string path)
{
    // A file could never take a directory's place: known now rather than after the work.
    struct stat status
    {
    };
    if (::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode))
        return std::nullopt;

    std::string temporary = path + ".XXXXXX";
    const int descriptor = ::mkstemp(temporary.data());
    if (descriptor < 0)
        return std::nullopt;
    if (::fchmod(descriptor, NewFileMode()) != 0) {
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
    if (descriptor_ >= 0)
        Discard(descriptor_, temporary_);
}

bool TextFile::write(std::string_view content)
{
    if (descriptor_ < 0)
        return false;
    const int descriptor = std::exchange(descriptor_, -1);
    // Synced before the rename, so that after a crash the target is not an empty file.
    bool written = WriteAll(descriptor, content) && ::fsync(descriptor) == 0;
    written = ::close(descriptor) == 0 && written;
    written = written && std::rename(temporary_.c_str(), path_.c_str()) == 0;
    if (!written)
        ::unlink(temporary_.c_str());
    return written;
}

} // namespace tw
