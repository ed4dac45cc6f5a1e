#include "tools/reportlayout.h"

#include <algorithm>
#include <string>
#include <vector>

namespace tw {

namespace {

constexpr int kButtonWidth = 60;
constexpr int kButtonHeight = 20;

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
    for (int i = 0; i < kReportColumns; ++i)
        list.push_back({std::string(layout.titles[static_cast<std::size_t>(i)]), widths[i]});

    const Rect listArea{10, 10, std::max(listWidth, 0), std::max(client.height - 40, 0)};
    window.createList(layout.listId, listArea, list);
    const int buttonTop = client.height - 25;
    window.moveControl(layout.okId,
                       {client.width / 2 - 65, buttonTop, kButtonWidth, kButtonHeight});
    window.moveControl(layout.printId,
                       {client.width / 2 + 5, buttonTop, kButtonWidth, kButtonHeight});
}

} // namespace tw
