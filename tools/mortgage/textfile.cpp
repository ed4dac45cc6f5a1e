#include "tools/mortgage/textfile.h"

namespace tw {

std::optional<TextFile> TextFile::create(std::string path)
{
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (file == nullptr)
        return std::nullopt;
    return TextFile(file, std::move(path));
}

bool TextFile::write(std::string_view content)
{
    if (!file_)
        return false;
    std::FILE* file = file_.release();
    bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    written = std::fflush(file) == 0 && written;
    written = std::fclose(file) == 0 && written;
    if (!written)
        std::remove(path_.c_str());
    return written;
}

} // namespace tw
