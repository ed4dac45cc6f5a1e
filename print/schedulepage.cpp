#include "print/schedulepage.h"

#include "finance/format.h"
#include "print/textpages.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

namespace tw {

namespace {

// The page's own margins, in device pixels; the page-setup margins do not apply here.
constexpr int kMarginLeft = 120;
constexpr int kMarginRight = 60;
constexpr int kMarginTop = 100;
constexpr int kMarginBottom = 100;
constexpr int kColumns = 10;
constexpr int kHeadingWeight = 800;
constexpr int kHeadingLines = 3; // title, date and time

struct Geometry
{
    Size page;
    int areaWidth = 0; // from x = 120 to x = W − 60
    int columnWidth = 0;
    PageFont body;
};

Geometry GeometryOf(Size page)
{
    Geometry g;
    g.page = page;
    g.areaWidth = std::max(page.width - kMarginRight - kMarginLeft, 0);
    g.columnWidth = std::abs(page.width - kMarginRight - kMarginLeft) / kColumns;
    g.body = {std::max((page.width - 180) / 160, 1), std::max((page.height - 200) / 55, 1), 0};
    return g;
}

Rect TextArea(const Geometry& g, int y, int height)
{
    return {kMarginLeft, y, g.areaWidth, height};
}

bool IsLetterOrDigit(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u >= 0x80;
}

std::string TitleText(const PageHeading& heading, std::string_view fileLabel)
{
    return heading.titleMode ? heading.title : std::string(fileLabel) + heading.currentFile;
}

// One line of a page file as it will be drawn.
struct PageLine
{
    bool rule = false;
    bool rightAligned = false;
    std::vector<std::pair<int, std::string>> cells; // column and text
};

std::size_t LongestWord(std::string_view text)
{
    std::size_t longest = 0;
    std::size_t run = 0;
    for (const char c : text) {
        run = c == ' ' ? 0 : run + 1;
        longest = std::max(longest, run);
    }
    return longest;
}

std::vector<PageLine> PageLines(std::string_view text)
{
    std::vector<PageLine> lines;
    for (std::string_view raw : SplitLines(text)) {
        if (raw.find("Dooooone") != std::string_view::npos ||
            raw.find("Dooone") != std::string_view::npos)
            break;
        PageLine line;
        if (raw.find("---------") != std::string_view::npos) {
            line.rule = true;
            lines.push_back(std::move(line));
            continue;
        }
        // A first column of a million or more reaches into the first four characters.
        const std::string_view start = raw.substr(0, 4);
        line.rightAligned = start.find_first_of("123456789") != std::string_view::npos;
        const std::vector<std::string> fields = SplitFields(raw);
        for (std::size_t i = 0; i < fields.size() && i < kColumns; ++i) {
            std::string cell = PageCellText(fields[i]);
            if (!cell.empty())
                line.cells.emplace_back(static_cast<int>(i), std::move(cell));
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

// The lines a centred cell takes when wrapped between words at capacity characters a line.
int WrappedLines(std::string_view text, int capacity)
{
    int lines = 1;
    int used = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t next = std::min(text.find(' ', pos), text.size());
        const int word = static_cast<int>(next - pos);
        if (used > 0 && used + 1 + word > capacity) {
            ++lines;
            used = word;
        } else {
            used += (used > 0 ? 1 : 0) + word;
        }
        pos = next + 1;
    }
    return lines;
}

// The body lines a page line is expected to take.
int BudgetLines(const PageLine& line, int capacity)
{
    if (line.rule || line.cells.empty())
        return 0;
    if (line.rightAligned)
        return 1;
    int lines = 1;
    for (const auto& cell : line.cells)
        lines = std::max(lines, WrappedLines(cell.second, capacity));
    return lines;
}

struct Fonts
{
    PageFont body;
    PageFont heading;
    int lineHeight = 0;
    int headingLineHeight = 0;
};

// Selects the heading font and then the body font of that height, measuring both.
Fonts MeasureFonts(PagePainter& painter, PageFont body)
{
    Fonts fonts;
    fonts.body = body;
    fonts.heading = {body.width, body.height, kHeadingWeight};
    painter.setFont(fonts.heading);
    fonts.headingLineHeight = painter.lineHeight();
    painter.setFont(fonts.body);
    fonts.lineHeight = painter.lineHeight();
    return fonts;
}

// The fonts of the largest body height, from fonts' down, for which need(fonts) is at most
// available; 1 pixel high when none is. The body font is left selected.
template <typename Need>
Fonts FitFonts(PagePainter& painter, Fonts fonts, long long available, Need need)
{
    while (fonts.body.height > 1) {
        const long long needed = need(fonts);
        if (needed <= available)
            break;
        // Line heights grow about in step with the font height: scale, then step down.
        const long long scaled =
            available <= 0 ? 1 : static_cast<long long>(fonts.body.height) * available / needed;
        const int height =
            static_cast<int>(std::clamp<long long>(scaled, 1, fonts.body.height - 1));
        fonts = MeasureFonts(painter, {fonts.body.width, height, 0});
    }
    return fonts;
}

void DrawTitlePage(PagePainter& painter, const Geometry& g, const PageHeading& heading,
                   const std::tm& now)
{
    const PageFont body{3 * g.body.width, 3 * g.body.height, 0};
    const PageFont big{2 * g.body.width, 2 * g.body.height, 0};
    painter.setFont(body);
    const int line = painter.lineHeight();
    int y = kMarginTop + 3 * line + line / 2;
    painter.drawText(TextArea(g, y, line), TitleText(heading, "File: "), TextAlign::Center, false);
    y = static_cast<int>(y + 1.25 * line);
    painter.setFont(big);
    const int bigLine = painter.lineHeight();
    painter.drawText(TextArea(g, y, bigLine), PrintDateText(now), TextAlign::Center, false);
    y += line;
    painter.drawText(TextArea(g, y, bigLine), PrintTimeText(now), TextAlign::Center, false);
    if (!heading.inputs.empty()) {
        painter.setFont(g.body);
        DrawTitlePageInputs(painter, TextArea(g, y + 2 * bigLine, 0), heading.inputs);
    }
    painter.setFont(body);
}

} // namespace

std::string PrintDateText(const std::tm& local)
{
    static constexpr const char* kMonths[] = {"January",   "February", "March",    "April",
                                              "May",       "June",     "July",     "August",
                                              "September", "October",  "November", "December"};
    const int month = ((local.tm_mon % 12) + 12) % 12;
    return Format("%s %d, %d", kMonths[month], local.tm_mday, 2000 + local.tm_year % 100);
}

std::string PrintTimeText(const std::tm& local)
{
    const int hour = local.tm_hour % 12 == 0 ? 12 : local.tm_hour % 12;
    return Format("%d:%02d:%02d %s ", hour, local.tm_min, local.tm_sec,
                  local.tm_hour < 12 ? "AM" : "PM");
}

std::string PageCellText(std::string_view field)
{
    std::string text(field);
    if (text.empty())
        return text;
    if (text.front() == '"')
        text.front() = ' ';
    if (text.back() == '"')
        text.back() = ' ';
    while (text.size() > 1 && !IsLetterOrDigit(text.back()))
        text.pop_back();
    const std::size_t start = text.find_first_not_of(' ');
    return start == std::string::npos ? std::string() : text.substr(start);
}

bool DrawSchedulePage(PagePainter& painter, const std::string& pageFile, int page, int lastPage,
                      PrintoutKind /*kind*/, const PageHeading& heading, const std::tm& now)
{
    const Geometry g = GeometryOf(painter.pageSize());
    if (page == 0) {
        DrawTitlePage(painter, g, heading, now);
        return true;
    }
    const std::optional<std::string> text = ReadFileText(pageFile);
    if (!text)
        return false;
    const std::vector<PageLine> lines = PageLines(*text);

    const int capacity = g.columnWidth / std::max(g.body.width, 1);
    std::vector<int> budget; // budget[i]: body lines of lines[i] and all after it
    budget.resize(lines.size() + 1, 0);
    for (std::size_t i = lines.size(); i-- > 0;)
        budget[i] = budget[i + 1] + BudgetLines(lines[i], capacity);

    // One empty body line above the heading lines, then the rows.
    Fonts fonts = FitFonts(painter, MeasureFonts(painter, g.body),
                           g.page.height - kMarginTop - kMarginBottom, [&](const Fonts& f) {
                               return static_cast<long long>(f.lineHeight) * (1 + budget[0]) +
                                      static_cast<long long>(f.headingLineHeight) * kHeadingLines;
                           });

    painter.drawText(TextArea(g, 0, fonts.lineHeight), Format("Page %d of %d", page, lastPage),
                     TextAlign::Center, false);

    painter.setFont(fonts.heading);
    int y = kMarginTop + fonts.lineHeight;
    const TextAlign headingAlign = page == 1 ? TextAlign::Center : TextAlign::Left;
    for (const std::string& line :
         {" " + TitleText(heading, "File: "), " " + PrintDateText(now), " " + PrintTimeText(now)})
        y += painter.drawText(TextArea(g, y, fonts.headingLineHeight), line, headingAlign, false);

    painter.setFont(fonts.body);
    const int bottom = g.page.height - kMarginBottom;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const PageLine& line = lines[i];
        if (line.rule) {
            painter.drawFrame(TextArea(g, y, 1));
            continue;
        }
        if (y + static_cast<long long>(fonts.lineHeight) * budget[i] > bottom)
            fonts = FitFonts(painter, fonts, bottom - y, [&](const Fonts& f) {
                return static_cast<long long>(f.lineHeight) * budget[i];
            });
        int tallest = 0;
        for (const auto& [column, cell] : line.cells) {
            const Rect where{kMarginLeft + column * g.columnWidth, y, g.columnWidth,
                             fonts.lineHeight};
            // A figure wider than its column is never split: it is drawn unwrapped, in
            // characters narrowed to fit the column with a little room to its neighbours
            // (digits run wider than the average character the font width gives).
            const std::size_t longest = LongestWord(cell);
            const bool narrowed = longest > static_cast<std::size_t>(capacity);
            if (narrowed) {
                const long long chars = static_cast<long long>(longest);
                painter.setFont(
                    {static_cast<int>(std::max(8LL * g.columnWidth / (10 * chars), 1LL)),
                     fonts.body.height, 0});
            }
            const TextAlign align = line.rightAligned ? TextAlign::Right : TextAlign::Center;
            const bool wrap = !line.rightAligned && !narrowed;
            tallest = std::max(tallest, painter.drawText(where, cell, align, wrap));
            if (narrowed)
                painter.setFont(fonts.body);
        }
        y += tallest;
    }
    return true;
}

} // namespace tw
