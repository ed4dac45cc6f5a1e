#include "platform/qt/listcolours.h"

#include "platform/color.h"

#include <QPalette>

#include <algorithm>

namespace tw {

namespace {

// A light theme's button face (about 0.94) comes down to about the grey of a classic scroll
// bar; a dark theme's (about 0.2) comes up to the same range.
constexpr float kLowestLightness = 0.74f;
constexpr float kHighestLightness = 0.82f;
// A strongly tinted button face would colour every other row; keep only a hint of it.
constexpr float kHighestSaturation = 0.25f;

QColor FromColour(Colour colour)
{
    return QColor(static_cast<int>(colour & 0xff), static_cast<int>((colour >> 8) & 0xff),
                  static_cast<int>((colour >> 16) & 0xff));
}

} // namespace

ListColours ListColoursFromPalette(const QPalette& palette, bool lighter)
{
    const QColor face = palette.color(QPalette::Active, QPalette::Button).toHsl();
    const float lightness =
        std::clamp(face.lightnessF(), kLowestLightness, kHighestLightness);
    const float saturation = std::min(face.hslSaturationF(), kHighestSaturation);
    const float hue = std::max(face.hslHueF(), 0.0f); // -1 for a grey
    const QColor base = QColor::fromHslF(hue, saturation, lightness).toRgb();

    ListColours colours;
    colours.grid = base;
    colours.band = FromColour(
        LightenColor(MakeColour(base.red(), base.green(), base.blue()), lighter));
    colours.highlight = palette.color(QPalette::Active, QPalette::Highlight);
    return colours;
}

} // namespace tw
