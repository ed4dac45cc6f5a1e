#include "rule72t/printout.h"

#include "print/printorder.h"
#include "print/schedulepage.h"

#include <algorithm>
#include <numeric>

namespace tw::rule72t {

namespace {

// The columns' shares of the text width: Year, From, Age and six amounts.
constexpr int kColumnShares[] = {4, 7, 4, 10, 10, 10, 10, 10, 10};
// A page holds its rows, the heading, the titles (up to three lines) and some room.
constexpr int kPageLines = kRowsPerPage + 8;

struct Layout
{
    Rect text;      // the area inside the margins
    PageFont body;  // the rows and most lines
    PageFont bold;  // titles
    PageFont large; // the title page's title
};

Layout LayoutOf(const PagePainter& painter)
{
    const Size page = painter.pageSize();
    Layout layout;
    layout.text = {page.width / 16, page.height / 20, page.width - page.width / 8,
                   page.height - page.height / 10};
    // Characters are about 9/20 of the font's height wide. The font is as large as lets the
    // page hold its lines and an amount column (10 of the 75 shares) hold 17 characters, a
    // billion dollars and a gap.
    const int byLines = layout.text.height / kPageLines * 4 / 5;
    const int byWidth = layout.text.width * 10 / 75 / 17 * 20 / 9;
    const int height = std::max(1, std::min(byLines, byWidth));
    layout.body = {height * 9 / 20, height, 0};
    layout.bold = {height * 9 / 20, height, 800};
    layout.large = {height * 9 / 10, height * 2, 800};
    return layout;
}

// Draws the cells side by side from y, each in its share of the width (shares gives them;
// first cells left-aligned, the rest right-aligned); returns the height of the tallest.
int DrawRow(PagePainter& painter, const Rect& text, int y, const std::vector<std::string>& cells,
            const std::vector<int>& shares, int leftColumns, bool wrap)
{
    const int total = std::accumulate(shares.begin(), shares.end(), 0);
    int x = text.x;
    int tallest = painter.lineHeight();
    for (std::size_t c = 0; c < cells.size() && c < shares.size(); ++c) {
        const int width = text.width * shares[c] / total;
        const TextAlign align =
            static_cast<int>(c) < leftColumns ? TextAlign::Left : TextAlign::Right;
        const int gap = painter.lineHeight() / 3; // keeps neighbouring cells apart
        tallest = std::max(tallest,
                           painter.drawText({x + gap, y, width - gap, 0}, cells[c], align, wrap));
        x += width;
    }
    return tallest;
}

void DrawTitlePage(PagePainter& painter, const Printout& printout, const Layout& layout)
{
    const Rect& text = layout.text;
    int y = text.y;
    painter.setFont(layout.large);
    y += painter.drawText({text.x, y, text.width, 0}, kReportTitle, TextAlign::Center, true);
    painter.setFont(layout.body);
    y += painter.drawText({text.x, y, text.width, 0}, printout.date, TextAlign::Center, false);
    y += painter.lineHeight() * 2;

    for (const auto& [label, value] : printout.inputs)
        y += DrawRow(painter, text, y, {label, value}, {2, 3}, 2, true);
    y += painter.lineHeight();

    const std::vector<int> shares{5, 2, 3, 3};
    painter.setFont(layout.bold);
    y += DrawRow(painter, text, y, printout.methods.titles, shares, 1, true);
    painter.setFont(layout.body);
    for (const auto& row : printout.methods.rows)
        y += DrawRow(painter, text, y, row, shares, 1, true);
    y += painter.lineHeight();

    for (const std::string& note : printout.notes)
        y += painter.drawText({text.x, y, text.width, 0}, note, TextAlign::Left, true) +
             painter.lineHeight() / 2;
}

void DrawTablePage(PagePainter& painter, const Printout& printout, const Layout& layout, int page)
{
    const Rect& text = layout.text;
    const std::vector<int> shares(std::begin(kColumnShares), std::end(kColumnShares));
    int y = text.y;
    painter.setFont(layout.bold);
    painter.drawText({text.x, y, text.width, 0}, kReportTitle, TextAlign::Left, false);
    painter.setFont(layout.body);
    painter.drawText({text.x, y, text.width, 0}, printout.date, TextAlign::Center, false);
    painter.drawText({text.x, y, text.width, 0},
                     "Page " + std::to_string(page) + " of " + std::to_string(LastPage(printout)),
                     TextAlign::Right, false);
    y += painter.lineHeight() * 2;

    painter.setFont(layout.bold);
    const int titles = DrawRow(painter, text, y, printout.projection.titles, shares, 2, true);
    painter.drawFrame({text.x, y + titles, text.width, 1});
    y += titles + painter.lineHeight() / 2;
    painter.setFont(layout.body);
    const auto [first, end] = PageRows(printout, page);
    for (int r = first; r < end; ++r)
        y += DrawRow(painter, text, y, printout.projection.rows[static_cast<std::size_t>(r)],
                     shares, 2, false);
}

// Draws the pages in the order given into the device's document; false when the document or
// a page cannot be started.
bool PrintPages(PrintDevice& device, const Printout& printout, const std::vector<int>& pages)
{
    if (!device.beginDocument(kPrintDocument))
        return false;
    for (const int page : pages) {
        PagePainter* painter = device.beginPage(page);
        if (painter == nullptr) {
            device.abortDocument();
            return false;
        }
        DrawPage(*painter, printout, page);
        device.endPage();
    }
    device.endDocument();
    return true;
}

std::vector<int> EveryPage(const Printout& printout)
{
    return PrintOrder(0, LastPage(printout), 1, false, LastPage(printout));
}

} // namespace

Printout MakePrintout(const DistributionInput& input, const DistributionResult& result,
                      const std::tm& now)
{
    Printout printout;
    printout.date = PrintDateText(now);
    printout.inputs = InputLines(input, result);
    printout.methods = MethodTable(result, Amounts::Grouped);
    printout.notes.push_back(MayChangeLine(result));
    if (result.taxFree)
        printout.notes.push_back(kTaxFreeNote);
    printout.notes.push_back(kAdviceNote);
    printout.projection = ProjectionTable(result, Amounts::Grouped);
    return printout;
}

int LastPage(const Printout& printout)
{
    const int rows = static_cast<int>(printout.projection.rows.size());
    return std::max(1, (rows + kRowsPerPage - 1) / kRowsPerPage);
}

std::pair<int, int> PageRows(const Printout& printout, int page)
{
    const int rows = static_cast<int>(printout.projection.rows.size());
    const int first = std::clamp((page - 1) * kRowsPerPage, 0, rows);
    return {first, std::clamp(first + kRowsPerPage, first, rows)};
}

void DrawPage(PagePainter& painter, const Printout& printout, int page)
{
    const Layout layout = LayoutOf(painter);
    if (page == 0)
        DrawTitlePage(painter, printout, layout);
    else
        DrawTablePage(painter, printout, layout, page);
}

bool PrintWithDialog(Printers& printers, const Printout& printout, bool& failed)
{
    PrintChoice choice;
    choice.maxPage = LastPage(printout);
    choice.toPage = choice.maxPage;
    choice.document = kPrintDocument;
    const std::unique_ptr<PrintDevice> device = printers.choosePrinter(nullptr, choice);
    failed = false;
    if (!device)
        return false;
    failed = !PrintPages(
        *device, printout,
        PrintOrder(choice.fromPage, choice.toPage, choice.copies, choice.collate, choice.maxPage));
    return true;
}

bool SavePdf(Printers& printers, const Printout& printout, std::string_view path)
{
    const std::unique_ptr<PrintDevice> device = printers.pdfFile(path, Orientation::Portrait);
    return device && PrintPages(*device, printout, EveryPage(printout));
}

void Preview(Printers& printers, const Printout& printout)
{
    printers.preview(nullptr, Orientation::Portrait, [&printout](PrintDevice& device) {
        PrintPages(device, printout, EveryPage(printout));
    });
}

} // namespace tw::rule72t
