#pragma once
#include <QColor>

class QPalette;

namespace tw {

// The colours of the banded report lists (the schedule windows).
struct ListColours
{
    QColor band;      // odd rows; even rows are white
    QColor grid;      // the one-pixel line at the left edge of every cell
    QColor highlight; // the selected row, drawn with white text
};

// The band follows the theme's button face, the nearest thing a Qt palette has to a
// scroll-bar colour, held to a light grey so that the black row text stays readable and the
// band stays distinct from the white rows in dark themes as well; lighter passes it through
// LightenColor. The grid uses the band colour before lightening.
ListColours ListColoursFromPalette(const QPalette& palette, bool lighter);

} // namespace tw
