#pragma once
#include <cstdint>

namespace tw {

// A 24-bit colour with red in the lowest byte, green in the next, blue in the third.
using Colour = std::uint32_t;

constexpr Colour MakeColour(int red, int green, int blue)
{
    return static_cast<Colour>(red) | static_cast<Colour>(green) << 8 |
           static_cast<Colour>(blue) << 16;
}

// The band colour of the schedule tables passes through here. With lighter colours on, each
// component is raised by (255 − largest component) / 3, rounded down; otherwise the colour is
// returned unchanged.
Colour LightenColor(Colour colour, bool lighter);

} // namespace tw
