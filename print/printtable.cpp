#include "print/printtable.h"

#include "finance/numberreader.h"

#include <cstdio>
#include <memory>

namespace tw {

std::vector<std::string_view> SplitLines(std::string_view text, std::size_t maxChars)
{
    std::vector<std::string_view> lines;
    if (maxChars == 0)
        return lines;
    while (!text.empty()) {
        const std::size_t feed = text.find('\n');
        std::size_t length = feed == std::string_view::npos ? text.size() : feed + 1;
        if (length > maxChars)
            length = maxChars;
        lines.push_back(text.substr(0, length));
        text.remove_prefix(length);
    }
    return lines;
}

std::vector<std::string> SplitFields(std::string_view line)
{
    std::vector<std::string> fields;
    std::string field;
    for (char c : line) {
        if (c == '\t' || c == '\n') {
            field += ' ';
            fields.push_back(std::move(field));
            field.clear();
        } else {
            field += c;
        }
    }
    if (!field.empty())
        fields.push_back(std::move(field));
    return fields;
}

PrintTable ParsePrintTable(std::string_view text)
{
    PrintTable table;
    const std::vector<std::string_view> lines = SplitLines(text, kTableLineLimit);
    if (lines.empty())
        return table;
    table.titles = SplitFields(lines.front());
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (lines[i].find(kTableEndMarker) != std::string_view::npos)
            break;
        std::vector<float> values;
        for (const std::string& field : SplitFields(lines[i]))
            values.push_back(ReadFloat(field));
        table.rows.push_back(std::move(values));
    }
    return table;
}

std::optional<std::string> ReadFileText(const std::string& path)
{
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                               &std::fclose);
    if (!file)
        return std::nullopt;
    std::string text;
    char buffer[8192];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
        text.append(buffer, count);
    // A directory opens but cannot be read.
    if (std::ferror(file.get()))
        return std::nullopt;
    return text;
}

std::optional<PrintTable> ReadPrintTable(const std::string& path)
{
    const std::optional<std::string> text = ReadFileText(path);
    if (!text)
        return std::nullopt;
    return ParsePrintTable(*text);
}

} // namespace tw
