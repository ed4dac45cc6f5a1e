#pragma once
// A dialog resource is drawn for the usual desktop font sizes; these keep its texts whole when
// the desktop's font is larger.

class QWidget;

namespace tw {

// Labels that a resource gives one fixed width line up in columns across groups. A larger
// font keeps them lined up: each set of them takes the width its widest text needs, so that
// none is cut.
void WidenFixedLabels(QWidget& dialog);

// A button a layout places may be squeezed down to its declared minimum width; in a larger
// font that cuts its text, so the minimum grows to the text with half a line either side.
void KeepButtonTextsWhole(QWidget& dialog);

} // namespace tw
