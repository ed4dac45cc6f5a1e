#include "finance/messages.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(ValidationMessage, GivesTheTableTextsByNumber)
{
    struct Case
    {
        int id;
        std::string_view text;
    };
    const Case cases[] = {
        {2, "This amount must be greater than 0.00 and less than 99999999.00."},
        {3, "This age must be between 1 and 120.0."},
        {5, "The number of years must be between 1 and 100."},
        {6, "Loan/Mortgage rates must be greater than 0.0 and less than 1000.0."},
        {7, "This age must be between 1.0 and 120.0."},
        // Numbers the table does not hold.
        {0, ""},
        {1, ""},
        {4, ""},
        {8, ""},
        {-2, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(ValidationMessage(c.id), c.text);
        // A message box shows at most 79 characters of a table text.
        EXPECT_LE(ValidationMessage(c.id).size(), 79U);
    }
}

TEST(ValidationMessage, NamesGiveTheTextsTheySay)
{
    EXPECT_EQ(ValidationMessage(kAmountMessage).substr(0, 16), "This amount must");
    EXPECT_EQ(ValidationMessage(kAgeMessage), "This age must be between 1 and 120.0.");
    EXPECT_EQ(ValidationMessage(kYearsMessage).substr(0, 19), "The number of years");
    EXPECT_EQ(ValidationMessage(kRateMessage).substr(0, 19), "Loan/Mortgage rates");
    EXPECT_EQ(ValidationMessage(kAgeOneMessage), "This age must be between 1.0 and 120.0.");
}

} // namespace
} // namespace tw
