#pragma once
#include <QColor>

class QPalette;

namespace tw {

// The colours of the banded report lists (the schedule windows), all taken from the desktop's
// palette so that a dark palette gives a dark, readable table.
struct ListColours
{
    QColor base;            // even rows, and the list below its last row
    QColor band;            // odd rows
    QColor text;            // the rows' text
    QColor grid;            // the one-pixel line at the left edge of every cell
    QColor highlight;       // the selected row
    QColor highlightedText; // the selected row's text
};

// Even rows are the palette's Base and odd rows its AlternateBase, the palette's banding
// colour (taken a little towards the text colour where it is too close to Base to be seen),
// passed through LightenColor when lighter is on; the grid is the unlightened band drawn a
// step towards the text colour, so that it shows on both kinds of row. In a light palette that
// is a white table with light grey bands and black text.
ListColours ListColoursFromPalette(const QPalette& palette, bool lighter);

} // namespace tw
