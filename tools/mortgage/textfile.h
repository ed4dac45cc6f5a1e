#pragma once
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tw {

// A text file written in one piece. create() makes or empties the file at once, so a file
// that cannot be written is known before any work is done; write() then puts the whole
// content and closes it. A write that fails (a full disk, a size limit) removes the file
// instead of leaving part of it behind for a later reader.
// On this platform text mode writes "\n" unchanged.
class TextFile
{
public:
    static std::optional<TextFile> create(std::string path);

    // Writes content, closes the file and reports whether every byte reached it. Only the
    // first call writes; later calls return false.
    bool write(std::string_view content);

private:
    struct Closer
    {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    TextFile(std::FILE* file, std::string path) : file_(file), path_(std::move(path)) {}

    std::unique_ptr<std::FILE, Closer> file_;
    std::string path_;
};

} // namespace tw
