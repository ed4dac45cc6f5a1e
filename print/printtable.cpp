#include "print/printtable.h"

#include "finance/format.h"
#include "finance/numberreader.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tw {

namespace {

// Closes a descriptor when it goes.
struct Descriptor
{
    int fd = -1;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

std::string Megabytes(std::size_t bytes)
{
    return std::to_string(bytes >> 20) + " MB";
}

// The first line of rest, line feed included, taken off rest. The readers below go line by
// line and stop at the end marker, so that what follows it costs nothing.
std::string_view TakeLine(std::string_view& rest)
{
    const std::size_t feed = rest.find('\n');
    const std::size_t length = feed == std::string_view::npos ? rest.size() : feed + 1;
    const std::string_view line = rest.substr(0, length);
    rest.remove_prefix(length);
    return line;
}

} // namespace

std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty())
        lines.push_back(TakeLine(text));
    return lines;
}

std::vector<std::string> SplitFields(std::string_view line)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\t' || line[i] == '\n') {
            std::string field(line.substr(start, i - start));
            field += ' ';
            fields.push_back(std::move(field));
            start = i + 1;
        }
    }
    if (start < line.size())
        fields.emplace_back(line.substr(start));
    return fields;
}

PrintTable ParsePrintTable(std::string_view text)
{
    PrintTable table;
    if (text.empty())
        return table;
    table.titles = SplitFields(TakeLine(text));
    while (!text.empty()) {
        const std::string_view line = TakeLine(text);
        if (line.find(kTableEndMarker) != std::string_view::npos)
            break;
        std::vector<double> values;
        for (const std::string& field : SplitFields(line))
            values.push_back(ReadDouble(field).value_or(0.0));
        table.rows.push_back(std::move(values));
    }
    return table;
}

std::string TableTextProblem(std::string_view text)
{
    for (std::size_t number = 1; !text.empty(); ++number) {
        const std::string_view line = TakeLine(text);
        // The line feed is not part of the line's length.
        const std::size_t length = line.size() - (line.back() == '\n' ? 1 : 0);
        if (length > kMaxTableLineLength)
            return Format("line %zu is longer than %zu characters", number, kMaxTableLineLength);
        if (number > 1 && line.find(kTableEndMarker) != std::string_view::npos)
            break;
        if (number > kMaxTableRows + 1)
            return Format("more than %zu rows", kMaxTableRows);
    }
    return {};
}

std::optional<std::string> ReadFileText(const std::string& path, bool* tooLarge)
{
    if (tooLarge != nullptr)
        *tooLarge = false;
    // Opened without waiting, so that a pipe in the file's place cannot hang the reading;
    // only a regular file is then read.
    Descriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY)};
    struct stat info = {};
    if (file.fd < 0 || ::fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    auto refuse = [&]() -> std::optional<std::string> {
        if (tooLarge != nullptr)
            *tooLarge = true;
        return std::nullopt;
    };
    if (static_cast<unsigned long long>(info.st_size) > kMaxTableFileBytes)
        return refuse();
    std::string text;
    text.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[1 << 16];
    for (;;) {
        const ssize_t count = ::read(file.fd, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return std::nullopt;
        if (count == 0)
            return text;
        // The file may grow while it is read.
        if (text.size() + static_cast<std::size_t>(count) > kMaxTableFileBytes)
            return refuse();
        text.append(buffer, static_cast<std::size_t>(count));
    }
}

TableRead ReadPrintTable(const std::string& path)
{
    TableRead read;
    bool tooLarge = false;
    const std::optional<std::string> text = ReadFileText(path, &tooLarge);
    if (!text) {
        if (tooLarge)
            read.problem = "larger than " + Megabytes(kMaxTableFileBytes);
        return read;
    }
    read.problem = TableTextProblem(*text);
    if (read.problem.empty())
        read.table = ParsePrintTable(*text);
    return read;
}

} // namespace tw
