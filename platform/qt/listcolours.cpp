#include "platform/qt/listcolours.h"

#include "platform/color.h"

#include <QPalette>

#include <cstdlib>

namespace tw {

namespace {

// How far the grid line moves from the band towards the text: enough to be seen on the band
// rows, little enough to stay a hairline beside the figures.
constexpr float kGridWeight = 0.25f;
// Many light palettes give an alternate base a hair off white (0xf7 against 0xff), which
// leaves the bands invisible on most screens; the band keeps at least this distance in
// lightness from the base, moving towards the text colour.
constexpr int kLeastBandStep = 20;

QColor FromColour(Colour colour)
{
    return QColor(static_cast<int>(colour & 0xff), static_cast<int>((colour >> 8) & 0xff),
                  static_cast<int>((colour >> 16) & 0xff));
}

QColor Mixed(const QColor& from, const QColor& to, float weight)
{
    const auto mix = [weight](int a, int b) {
        return static_cast<int>(static_cast<float>(a) + (static_cast<float>(b - a)) * weight +
                                0.5f);
    };
    return QColor(mix(from.red(), to.red()), mix(from.green(), to.green()),
                  mix(from.blue(), to.blue()));
}

QColor VisibleBand(const QColor& alternate, const QColor& base, const QColor& text)
{
    QColor band = alternate;
    for (float weight = 0.0f; weight <= 0.5f; weight += 0.02f) {
        band = Mixed(alternate, text, weight);
        if (std::abs(band.lightness() - base.lightness()) >= kLeastBandStep)
            break;
    }
    return band;
}

} // namespace

ListColours ListColoursFromPalette(const QPalette& palette, bool lighter)
{
    const auto colour = [&palette](QPalette::ColorRole role) {
        return palette.color(QPalette::Active, role).toRgb();
    };
    ListColours colours;
    colours.base = colour(QPalette::Base);
    colours.text = colour(QPalette::Text);
    const QColor alternate =
        VisibleBand(colour(QPalette::AlternateBase), colours.base, colours.text);

    colours.band = FromColour(
        LightenColor(MakeColour(alternate.red(), alternate.green(), alternate.blue()), lighter));
    colours.grid = Mixed(alternate, colours.text, kGridWeight);
    colours.highlight = colour(QPalette::Highlight);
    colours.highlightedText = colour(QPalette::HighlightedText);
    return colours;
}

} // namespace tw
