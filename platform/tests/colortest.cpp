#include "platform/color.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace tw {
namespace {

struct Rgb
{
    int red, green, blue;
};

TEST(LightenColor, RaisesEveryComponentByAThirdOfTheRoomAboveTheLargest)
{
    // Expected values by hand: raise = (255 − max) / 3, rounded down.
    const struct
    {
        Rgb in;
        Rgb out;
    } cases[] = {
        {{192, 192, 192}, {213, 213, 213}}, // raise 21
        {{255, 255, 255}, {255, 255, 255}}, // no room
        {{0, 0, 0}, {85, 85, 85}},          // raise 85
        {{10, 100, 200}, {28, 118, 218}},   // raise 18, the largest is blue
        {{254, 0, 0}, {254, 0, 0}},         // 1 / 3 rounds down to 0
        {{0, 251, 3}, {1, 252, 4}},         // 4 / 3 is 1
        {{212, 208, 200}, {226, 222, 214}}, // raise 14
    };
    for (const auto& c : cases) {
        const Colour result = LightenColor(MakeColour(c.in.red, c.in.green, c.in.blue), true);
        char trace[96];
        std::snprintf(trace, sizeof trace, "in (%d,%d,%d) expected (%d,%d,%d) actual %06x",
                      c.in.red, c.in.green, c.in.blue, c.out.red, c.out.green, c.out.blue,
                      static_cast<unsigned>(result));
        SCOPED_TRACE(trace);
        EXPECT_EQ(result, MakeColour(c.out.red, c.out.green, c.out.blue));
    }
}

TEST(LightenColor, ReturnsTheColourUnchangedWithoutTheSwitch)
{
    for (const Colour colour : {MakeColour(192, 192, 192), MakeColour(0, 0, 0),
                                MakeColour(10, 100, 200), Colour{0xffffff}}) {
        SCOPED_TRACE(colour);
        EXPECT_EQ(LightenColor(colour, false), colour);
    }
}

TEST(MakeColour, PutsRedInTheLowestByte)
{
    EXPECT_EQ(MakeColour(0x12, 0x34, 0x56), 0x563412u);
}

} // namespace
} // namespace tw
