#include "platform/color.h"

#include <algorithm>

namespace tw {

Colour LightenColor(Colour colour, bool lighter)
{
    if (!lighter)
        return colour;
    const int red = colour & 0xff;
    const int green = (colour >> 8) & 0xff;
    const int blue = (colour >> 16) & 0xff;
    const int raise = (255 - std::max({red, green, blue})) / 3;
    return MakeColour(red + raise, green + raise, blue + raise);
}

} // namespace tw
