#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace tw {

// A text file written in one piece: the text goes to a new file beside the target, which then
// takes the target's place, so a reader finds either the whole new text or what was there
// before, never a part of it. create() makes the new file at once, so a target that cannot be
// written is known before any work is done; write() puts the text and moves it into place.
// The text is written as given: "\n" is this platform's line end.
//
// The target is opened for writing as a file would be: a write-protected one (no write
// permission for this user, or none for anybody, which even root respects here) is refused,
// and the replacement keeps the permissions of the file it replaces. Where the directory
// takes no new file but the target itself may be written, the text is written over the target
// in place; a failure there puts the old text back, so that a good file is never left cut off.
class TextFile
{
  public:
    // Nothing when the target is write-protected, a directory holds its name, or neither a
    // file beside it can be made nor the target itself written.
    static std::optional<TextFile> create(std::string path);
    // create() and write() in one, for callers that treat both failures alike.
    static bool replace(std::string path, std::string_view content);

    TextFile(TextFile&& other) noexcept;
    TextFile& operator=(TextFile&&) = delete;
    // A file never written is removed; the target stays as it was.
    ~TextFile();

    // Writes content and puts it in the target's place; false, with the target as it was and
    // nothing left beside it, when any step fails. Only the first call writes; later calls
    // return false.
    bool write(std::string_view content);

  private:
    // temporary empty: descriptor is the target itself, opened to be written in place.
    TextFile(int descriptor, std::string path, std::string temporary);

    bool writeInPlace(int descriptor, std::string_view content);

    int descriptor_ = -1; // -1 once written or given up
    std::string path_;
    std::string temporary_;
};

} // namespace tw
