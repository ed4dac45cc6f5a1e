#include "print/printorder.h"

#include <algorithm>

namespace tw {

std::vector<int> PrintOrder(int fromPage, int toPage, int copies, bool collate, int lastPage)
{
    std::vector<int> order;
    const int first = std::max(fromPage, 0);
    const int last = std::min(toPage, lastPage);
    if (copies < 1 || first > last)
        return order;
    if (collate) {
        for (int page = first; page <= last; ++page)
            order.insert(order.end(), static_cast<std::size_t>(copies), page);
    } else {
        for (int copy = 0; copy < copies; ++copy)
            for (int page = first; page <= last; ++page)
                order.push_back(page);
    }
    return order;
}

} // namespace tw
