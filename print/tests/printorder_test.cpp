#include "print/printorder.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(PrintOrder, RepeatsPagesOrRangesForCopies)
{
    struct Case
    {
        const char* what;
        int from, to, copies;
        bool collate;
        int lastPage;
        std::vector<int> pages;
    };
    const Case cases[] = {
        {"collate: the copies of a page together", 2, 3, 2, true, 3, {2, 2, 3, 3}},
        {"no collate: the range once per copy", 2, 3, 2, false, 3, {2, 3, 2, 3}},
        {"title page only", 0, 0, 1, false, 3, {0}},
        {"title page, three copies", 0, 0, 3, true, 3, {0, 0, 0}},
        {"all pages", 0, 3, 1, true, 3, {0, 1, 2, 3}},
        {"range past the last page", 2, 9, 1, false, 3, {2, 3}},
        {"range before the title page", -2, 1, 2, false, 3, {0, 1, 0, 1}},
        {"range wholly outside", 5, 7, 1, true, 3, {}},
        {"range backwards", 3, 2, 1, true, 3, {}},
        {"no copies", 0, 3, 0, true, 3, {}},
        {"negative copies", 0, 3, -1, false, 3, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(PrintOrder(c.from, c.to, c.copies, c.collate, c.lastPage), c.pages);
    }
}

} // namespace
} // namespace tw
