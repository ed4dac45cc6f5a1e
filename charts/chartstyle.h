#pragma once
#include <QColor>
#include <QFont>
#include <QPalette>

#include <vector>

namespace tw {

// The colours and font a chart is drawn with. Sizes are in the chart's own pixels, which the
// painter's device scales (a 2x screen, a 1200 dpi PDF), so the font is sized in pixels too.
struct ChartStyle
{
    QColor background;
    QColor text;
    QColor mutedText; // axis titles, tick labels, legend entries of hidden curves
    QColor grid;
    QColor axis;
    QColor crosshair;
    QColor marker;
    QColor panel; // the crosshair's and the note's box
    QColor panelBorder;
    std::vector<QColor> series;
    QFont font;

    // The colours of palette's window (a dark window gets lighter curves that stand out on it)
    // and font taken at its pixel size.
    static ChartStyle FromPalette(const QPalette& palette, const QFont& font);
    // Black on white, for paper: printing and PDF.
    static ChartStyle Paper(const QFont& font);

    QColor seriesColor(std::size_t index) const { return series[index % series.size()]; }
};

} // namespace tw
