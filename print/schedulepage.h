#pragma once
// Drawing the printed pages of a schedule printout: the title page and one page per page
// file, on the painter of the host's printer.

#include "platform/printing.h"
#include "print/printtable.h"

#include <ctime>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// What the headings of a printout show.
struct PageHeading
{
    std::string title;       // the print title, at most 63 characters
    bool titleMode = false;  // false: "File: " and the current file instead of the title
    std::string currentFile; // nothing in the program names a current file: always empty
    // Drawn on the title page below the date and time; none for the older printouts.
    std::vector<TitlePageLine> inputs{};
};

// "December 9, 2026": the month's English name, the day, and 2000 + (tm_year % 100).
std::string PrintDateText(const std::tm& local);
// "1:05:09 PM ": hours on a 12-hour clock (0 shows as 12), "AM" for 0 to 11 (note the
// trailing blank).
std::string PrintTimeText(const std::tm& local);

// The text a field of a page file is drawn with: a double quote at its start or end becomes
// a blank, trailing characters that are neither letters nor digits go (the first character
// always stays), then leading blanks go. "+Diff. in Mon. Pay. " gives "+Diff. in Mon. Pay".
// Bytes of UTF-8 characters count as letters, so no character is cut in half.
std::string PageCellText(std::string_view field);

// Draws page `page` of a printout of lastPage page files: 0 is the title page (no page file),
// 1 to lastPage the page files. False, with nothing drawn, when the page file cannot be read.
// The kind does not change the drawing: the page file carries everything the page shows.
//
// A page file row is drawn in one of ten equal columns of the text area per field; fields
// from the eleventh on (every line's final line feed gives one, a blank) are not drawn, as
// they would lie right of the text area. Lines are read whole; a figure longer than its
// column holds is drawn unwrapped in characters narrowed to fit the column, never split.
//
// Fitting: the page is laid out in the body font trunc((W - 180) / 160) wide and
// trunc((H - 200) / 55) high, which holds fewer lines than a full schedule page has (the
// heading lines, the title row and 56 rows). When the heading lines and the rows, at the
// painter's line heights, would not fit between the margins, the body and heading fonts get
// the largest smaller height with which they do; the character width, and so the 16
// characters a column holds, stays. A row of centred cells counts as the lines its cells take
// when wrapped at the column width, estimated at the font's character width. Should the
// drawn rows still come out taller than estimated, the font shrinks again for the rows left,
// so that no row is lost and nothing is drawn below the bottom margin.
bool DrawSchedulePage(PagePainter& painter, const std::string& pageFile, int page, int lastPage,
                      PrintoutKind kind, const PageHeading& heading, const std::tm& now);

} // namespace tw
