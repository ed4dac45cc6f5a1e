#pragma once
// The order in which a print job prints its pages.

#include <vector>

namespace tw {

// The pages printed for a print dialog's range and copies, in order. Collate on: each page
// copies times before the next (the copies of one page come out together); off: the whole
// range once for each copy. Pages outside 0 to lastPage are never produced (0 is the title
// page); copies below 1 or a range that ends before it starts give nothing.
std::vector<int> PrintOrder(int fromPage, int toPage, int copies, bool collate, int lastPage);

} // namespace tw
