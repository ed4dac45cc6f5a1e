#include "platform/tableexport.h"

#include <cerrno>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace tw {

namespace {

std::string_view Trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string CsvField(std::string_view cell)
{
    const std::string_view text = Trimmed(cell);
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string field = "\"";
    for (char c : text) {
        if (c == '"')
            field += '"';
        field += c;
    }
    field += '"';
    return field;
}

std::string TabField(std::string_view cell)
{
    std::string field(Trimmed(cell));
    for (char& c : field)
        if (c == '\t' || c == '\r' || c == '\n')
            c = ' ';
    return field;
}

std::string HtmlEscaped(std::string_view cell)
{
    std::string text;
    for (char c : Trimmed(cell)) {
        switch (c) {
        case '&':
            text += "&amp;";
            break;
        case '<':
            text += "&lt;";
            break;
        case '>':
            text += "&gt;";
            break;
        case '"':
            text += "&quot;";
            break;
        case '\'':
            text += "&#39;";
            break;
        default:
            text += c;
        }
    }
    return text;
}

template <typename FieldFn>
void AppendRecord(std::string& out, const std::vector<std::string>& cells, char separator,
                  std::string_view lineEnd, FieldFn field)
{
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            out += separator;
        out += field(cells[i]);
    }
    out += lineEnd;
}

void AppendHtmlRow(std::string& out, const std::vector<std::string>& cells, std::string_view tag)
{
    out += "<tr>";
    for (const std::string& cell : cells) {
        out += '<';
        out += tag;
        out += '>';
        out += HtmlEscaped(cell);
        out += "</";
        out += tag;
        out += '>';
    }
    out += "</tr>\n";
}

} // namespace

std::string CsvText(const std::vector<std::string>& titles,
                    const std::vector<std::vector<std::string>>& rows)
{
    std::string out;
    AppendRecord(out, titles, ',', "\r\n", CsvField);
    for (const auto& row : rows)
        AppendRecord(out, row, ',', "\r\n", CsvField);
    return out;
}

std::string TabText(const std::vector<std::string>& titles,
                    const std::vector<std::vector<std::string>>& rows)
{
    std::string out;
    AppendRecord(out, titles, '\t', "\n", TabField);
    for (const auto& row : rows)
        AppendRecord(out, row, '\t', "\n", TabField);
    return out;
}

std::string HtmlTableText(const std::vector<std::string>& titles,
                          const std::vector<std::vector<std::string>>& rows)
{
    std::string out = "<table>\n";
    AppendHtmlRow(out, titles, "th");
    for (const auto& row : rows)
        AppendHtmlRow(out, row, "td");
    out += "</table>\n";
    return out;
}

bool WriteCsvFile(const std::string& path, const std::vector<std::string>& titles,
                  const std::vector<std::vector<std::string>>& rows)
{
    const std::string text = CsvText(titles, rows);
    // Opened without waiting and without cutting it short, so that a pipe is refused at once
    // and a device is not touched; only a regular file is then emptied and written.
    const int fd =
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd < 0)
        return false;
    struct stat info = {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return false;
    }
    bool written = ::ftruncate(fd, 0) == 0;
    std::string_view rest = text;
    while (written && !rest.empty()) {
        const ssize_t count = ::write(fd, rest.data(), rest.size());
        if (count < 0 && errno == EINTR)
            continue;
        written = count > 0;
        if (written)
            rest.remove_prefix(static_cast<std::size_t>(count));
    }
    written = ::close(fd) == 0 && written;
    if (!written)
        ::unlink(path.c_str());
    return written;
}

std::string CsvWrittenMessage(std::string_view path)
{
    return "Exported the table to " + std::string(path);
}

std::string CsvFailedMessage(std::string_view path)
{
    return "Cannot write the file " + std::string(path);
}

} // namespace tw
