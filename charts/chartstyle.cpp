#include "charts/chartstyle.h"

#include <QFontInfo>

namespace tw {

namespace {

// Colours told apart by colour-blind readers too; the dark set is the same hues lightened.
const std::vector<QColor> kLightSeries = {QColor(0x00, 0x5a, 0xb5), QColor(0xc8, 0x3c, 0x00),
                                          QColor(0x00, 0x85, 0x5f)};
const std::vector<QColor> kDarkSeries = {QColor(0x6c, 0xb8, 0xff), QColor(0xff, 0x9a, 0x4d),
                                         QColor(0x4c, 0xd6, 0xa4)};

QColor Mix(const QColor& a, const QColor& b, double share)
{
    return QColor::fromRgbF(static_cast<float>(a.redF() * (1 - share) + b.redF() * share),
                            static_cast<float>(a.greenF() * (1 - share) + b.greenF() * share),
                            static_cast<float>(a.blueF() * (1 - share) + b.blueF() * share));
}

QFont PixelFont(const QFont& font)
{
    QFont sized = font;
    if (sized.pixelSize() <= 0) {
        // Points at the desktop's 96 dots per inch: what the same text measures in a window.
        const double points = font.pointSizeF() > 0 ? font.pointSizeF() : 9.0;
        sized.setPixelSize(std::max(8, static_cast<int>(points * 96.0 / 72.0 + 0.5)));
    }
    return sized;
}

} // namespace

ChartStyle ChartStyle::FromPalette(const QPalette& palette, const QFont& font)
{
    ChartStyle style;
    style.background = palette.color(QPalette::Active, QPalette::Base);
    style.text = palette.color(QPalette::Active, QPalette::Text);
    const bool dark = style.background.lightness() < 128;
    style.mutedText = Mix(style.text, style.background, 0.3);
    style.grid = Mix(style.text, style.background, dark ? 0.8 : 0.87);
    style.axis = Mix(style.text, style.background, 0.45);
    style.crosshair = Mix(style.text, style.background, 0.4);
    style.marker = dark ? QColor(0xf0, 0xd0, 0x40) : QColor(0x9a, 0x6a, 0x00);
    style.panel = palette.color(QPalette::Active, QPalette::ToolTipBase);
    style.panelBorder = Mix(style.text, style.background, 0.6);
    // Some palettes give tooltips their own light colours on a dark window: keep the box in
    // the chart's own scheme so its text stays readable.
    if ((style.panel.lightness() < 128) != dark)
        style.panel = Mix(style.background, style.text, 0.08);
    style.series = dark ? kDarkSeries : kLightSeries;
    style.font = PixelFont(font);
    return style;
}

ChartStyle ChartStyle::Paper(const QFont& font)
{
    QPalette paper(Qt::black, Qt::white);
    paper.setColor(QPalette::Base, Qt::white);
    paper.setColor(QPalette::Text, Qt::black);
    paper.setColor(QPalette::ToolTipBase, QColor(0xff, 0xff, 0xf0));
    return FromPalette(paper, font);
}

} // namespace tw
