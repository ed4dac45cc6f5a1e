#include "print/textpages.h"

#include "print/printtable.h"

namespace tw {

namespace {

constexpr std::string_view kRule = "-----------------------\n";

std::string TabbedLine(std::string_view line)
{
    std::string text;
    std::size_t start = 0;
    while (start < line.size()) {
        const std::size_t tab = std::min(line.find('\t', start), line.size());
        text += std::string(line.substr(start, tab - start)) + '\t';
        start = tab + 1;
    }
    return text + '\n';
}

std::string_view WithoutLineEnd(std::string_view line)
{
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.remove_suffix(1);
    while (!line.empty() && line.back() == '\t')
        line.remove_suffix(1);
    return line;
}

} // namespace

bool IsTextPrintout(PrintoutKind kind)
{
    return kind == PrintoutKind::LoanSchedule;
}

std::vector<std::string> TextPageFileTexts(std::string_view tableText, int rowsPerPage)
{
    // Whole lines, however long: the cells are the window's own texts.
    const std::vector<std::string_view> lines = SplitLines(tableText);
    const std::string head =
        (lines.empty() ? std::string("\n") : TabbedLine(WithoutLineEnd(lines.front()))) +
        std::string(kRule);
    std::vector<std::string> pages;
    std::string page = head;
    int rows = 0;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (lines[i].find(kTableEndMarker) != std::string_view::npos)
            break;
        if (rows == rowsPerPage) {
            pages.push_back(page + "Dooone\n");
            page = head;
            rows = 0;
        }
        page += TabbedLine(WithoutLineEnd(lines[i]));
        ++rows;
    }
    pages.push_back(page + "Dooone\n");
    return pages;
}

int DrawTitlePageInputs(PagePainter& painter, Rect area, const std::vector<TitlePageLine>& lines)
{
    const int half = area.width / 2;
    const int line = painter.lineHeight();
    // Label and value apart by about two characters, at any resolution of the device.
    const int gap = line;
    int y = area.y;
    for (const TitlePageLine& input : lines) {
        const Rect label{area.x, y, half - gap / 2, line};
        const Rect value{area.x + half + gap / 2, y, area.width - half - gap / 2, line};
        const int drawn = std::max(painter.drawText(label, input.label, TextAlign::Right, false),
                                   painter.drawText(value, input.value, TextAlign::Left, true));
        y += std::max(drawn, line);
    }
    return y - area.y;
}

} // namespace tw
