#pragma once
// Printouts whose table file carries its figures as the text the window shows (the loan
// schedule): the page files are cut from that text as it is, so no figure passes through a
// number on its way to the page.

#include "platform/printing.h"
#include "tools/printouts.h"

#include <string>
#include <string_view>
#include <vector>

namespace tw {

// Whether the kind's table file is split by its text rather than by its numbers.
bool IsTextPrintout(PrintoutKind kind);

// The texts of the page files of a table file: the head (the first line's titles, each
// followed by a tab, then a line feed and a 23-dash rule) and then rowsPerPage rows a page,
// each cell as the file holds it followed by a tab, each page ending with "Dooone\n". The
// rows end at the line with the end marker or at the end of the text; a table without rows
// gives one page file, the head only.
std::vector<std::string> TextPageFileTexts(std::string_view tableText, int rowsPerPage);

// Draws the title page's input lines from the top of area down, one a line, each label
// right-aligned left of the middle and its value left-aligned right of it. Returns the height
// drawn.
int DrawTitlePageInputs(PagePainter& painter, Rect area, const std::vector<TitlePageLine>& lines);

} // namespace tw
