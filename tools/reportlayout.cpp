#include "tools/reportlayout.h"

#include <algorithm>
#include <string>
#include <vector>

namespace tw {

namespace {

constexpr int kButtonWidth = 60;
constexpr int kButtonHeight = 20;
constexpr int kMargin = 10;    // around the list, left, top and right
constexpr int kButtonGap = 10; // between OK and Print
constexpr int kBottomGap = 5;  // below the list and below the buttons

} // namespace

std::array<int, kReportColumns>
ReportColumnWidths(int listWidth, const std::array<int, kReportColumns>& factors, int divisor)
{
    // 64-bit products: a window of any width cannot overflow them.
    const long long width = std::max(listWidth, 0);
    std::array<int, kReportColumns> widths{};
    for (int i = 0; i < kReportColumns; ++i)
        widths[i] = static_cast<int>(width * factors[i] / divisor);
    return widths;
}

std::array<int, kReportColumns> ReportWidthsForBuild(ScheduleColumnsState& state, int listWidth,
                                                     const std::array<int, kReportColumns>& factors,
                                                     int divisor)
{
    if (!state.known) {
        state.known = true;
        state.firstWidth = listWidth;
        state.widths = ReportColumnWidths(listWidth, factors, divisor);
    } else if (listWidth > state.firstWidth) {
        state.widths = ReportColumnWidths(listWidth, factors, divisor);
    }
    return state.widths;
}

void LayOutReport(Window& window, ScheduleColumnsState& columns, const ReportLayout& layout)
{
    const Size client = window.clientSize();
    const int listWidth = client.width - 20;
    const auto widths = ReportWidthsForBuild(columns, listWidth, *layout.factors, layout.divisor);
    std::vector<ListColumn> list;
    for (std::size_t i = 0; i < layout.titles.size() && i < widths.size(); ++i)
        list.push_back({std::string(layout.titles[i]), widths[i]});

    // Both buttons take the size the larger of them needs in the desktop's font, never less
    // than 60 by 20; they keep 10 pixels between them about the middle and 5 above the bottom,
    // and the list ends 5 pixels above them. At 60 by 20 that is OK at half the width less 65
    // and Print at half the width plus 5, 25 pixels above the bottom, over a list 40 pixels
    // shorter than the client area.
    const Size least{kButtonWidth, kButtonHeight};
    const Size ok = window.fittedSize(layout.okId, least);
    const Size print = window.fittedSize(layout.printId, least);
    const Size button{std::max(ok.width, print.width), std::max(ok.height, print.height)};
    const int buttonTop = client.height - kBottomGap - button.height;

    const Rect listArea{kMargin, kMargin, std::max(listWidth, 0),
                        std::max(buttonTop - kBottomGap - kMargin, 0)};
    window.createList(layout.listId, listArea, list);
    window.moveControl(layout.okId, {client.width / 2 - kButtonGap / 2 - button.width, buttonTop,
                                     button.width, button.height});
    window.moveControl(layout.printId,
                       {client.width / 2 + kButtonGap / 2, buttonTop, button.width, button.height});

    // Shrinking the window stops where the buttons would overlap or the list would lose its
    // header and its first rows.
    const Size shown = window.fittedSize(layout.listId, {0, 0});
    window.setMinimumClientSize(
        {std::max(2 * button.width + kButtonGap + 2 * kMargin, shown.width + 2 * kMargin),
         kMargin + shown.height + kBottomGap + button.height + kBottomGap});
}

} // namespace tw
