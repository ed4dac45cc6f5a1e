#include "platform/fields.h"

#include "finance/messages.h"
#include "tests/support/recordingplatform.h"
#include "tests/support/textwindow.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <string>
#include <vector>

namespace tw {
namespace {

using FakeWindow = TextWindow;

TEST(ReadNumberField, AcceptsValuesWithinTheLimitsBothInclusive)
{
    const struct
    {
        const char* text;
        double low, high;
        float expected;
    } cases[] = {
        {"35", 1, 120, 35.0f},   {"1", 1, 120, 1.0f},      {"120", 1, 120, 120.0f},
        {" 7.5", 0, 1000, 7.5f}, {"12abc", 0, 100, 12.0f}, {"", 0, 100, 0.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        FakeWindow dialog;
        RecordingPlatform platform;
        dialog.texts[104] = c.text;
        const auto value = ReadNumberField(platform, dialog, 104, 10, c.low, c.high, 3, "AGE");
        ASSERT_TRUE(value.has_value());
        EXPECT_EQ(*value, c.expected);
        EXPECT_TRUE(platform.boxes.empty());
    }
}

TEST(ReadNumberField, ShowsTheNumberedMessageInASystemModalErrorBoxOwnedByTheDialog)
{
    const struct
    {
        const char* text;
        double low, high;
        int messageId;
    } cases[] = {
        {"0", 1, 120, 3},
        {"121", 1, 120, 7},
        {"-0.01", 0, 100, 5},
        {"abc", 1, 120, 3}, // no number reads as 0
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        FakeWindow dialog;
        RecordingPlatform platform;
        dialog.texts[102] = c.text;
        EXPECT_FALSE(
            ReadNumberField(platform, dialog, 102, 10, c.low, c.high, c.messageId, "AGE ERROR"));
        ASSERT_EQ(platform.boxes.size(), 1u);
        const RecordingPlatform::Box& shown = platform.boxes[0];
        EXPECT_EQ(shown.owner, &dialog);
        EXPECT_EQ(shown.text, ValidationMessage(c.messageId));
        EXPECT_FALSE(shown.text.empty());
        EXPECT_EQ(shown.title, "AGE ERROR");
        EXPECT_EQ(shown.icon, MessageIcon::Error);
        EXPECT_EQ(shown.buttons, MessageButtons::Ok);
        EXPECT_TRUE(shown.systemModal);
    }
}

TEST(ReadNumberField, ReadsOnlyTheFirstMaxCharsMinusOneCharacters)
{
    FakeWindow dialog;
    RecordingPlatform platform;
    dialog.texts[105] = "1234567";
    // Four characters: "1234" is within the limit although the whole text is not.
    const auto value = ReadNumberField(platform, dialog, 105, 5, 0, 5000, 2, "AMOUNT ERROR");
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(*value, 1234.0f);
}

TEST(CheckRange, ComparesTheFloatWidenedToDoubleWithTheLimits)
{
    FakeWindow dialog;
    RecordingPlatform platform;
    // 0.1f is 0.100000001490116..., just above the double 0.1, so it is outside [0, 0.1];
    // 0.5f is exact and sits on the limit.
    EXPECT_FALSE(CheckRange(platform, dialog, 0.1f, 0, 0.1, 2, "T"));
    EXPECT_TRUE(CheckRange(platform, dialog, 0.5f, 0, 0.5, 2, "T"));
    EXPECT_TRUE(CheckRange(platform, dialog, 0.1f, 0.1, 1, 2, "T"));
    EXPECT_EQ(platform.boxes.size(), 1u);
}

TEST(CheckRange, RejectsNotANumber)
{
    FakeWindow dialog;
    RecordingPlatform platform;
    EXPECT_FALSE(
        CheckRange(platform, dialog, std::numeric_limits<float>::quiet_NaN(), -1e30, 1e30, 2, "T"));
    EXPECT_FALSE(
        CheckRange(platform, dialog, std::numeric_limits<float>::infinity(), 0, 99999999, 2, "T"));
    EXPECT_EQ(platform.boxes.size(), 2u);
}

// A number beyond the float range reads as infinity; the held value must survive it, so
// that no later opening shows "inf" and no computation starts from it.
TEST(ReadFloatFieldInto, KeepsTheHeldValueWhenTheTextLiesBeyondTheFloatRange)
{
    const struct
    {
        const char* text;
        bool usable;
        float held; // after the read, from 42
    } cases[] = {
        {"1e39", false, 42.0f},      {"-1e39", false, 42.0f},  {"3.4e38", true, 3.4e38f},
        {"-3.4e38", true, -3.4e38f}, {"1e-50", true, 0.0f},    {"", true, 0.0f},
        {"-0", true, -0.0f},         {"  12.5x", true, 12.5f}, {"999e99", false, 42.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        FakeWindow dialog;
        dialog.texts[104] = c.text;
        float held = 42.0f;
        EXPECT_EQ(ReadFloatFieldInto(dialog, 104, 10, held), c.usable);
        EXPECT_EQ(held, c.held);
        EXPECT_EQ(std::signbit(held), std::signbit(c.held));
    }
}

TEST(KeepFinite, TakesOnlyFiniteValues)
{
    float held = 7;
    EXPECT_FALSE(KeepFinite(held, std::numeric_limits<float>::infinity()));
    EXPECT_FALSE(KeepFinite(held, -std::numeric_limits<float>::infinity()));
    EXPECT_FALSE(KeepFinite(held, std::numeric_limits<float>::quiet_NaN()));
    EXPECT_EQ(held, 7.0f);
    EXPECT_TRUE(KeepFinite(held, std::numeric_limits<float>::max()));
    EXPECT_EQ(held, std::numeric_limits<float>::max());
}

} // namespace
} // namespace tw
