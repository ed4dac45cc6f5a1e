#pragma once
// The platform layer: what a form needs of a window system, with no toolkit in sight.
// Forms are plain C++ classes (form.h) that see their dialog only through Window and the
// rest of the desktop only through Platform (platform.h). Two hosts implement both: the Qt
// desktop (platform/qt) and the headless script host (platform/script).

#include <string>
#include <string_view>
#include <vector>

namespace tw {

struct Size
{
    int width = 0;
    int height = 0;
    bool operator==(const Size&) const = default;
};

struct Rect
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

struct ListColumn
{
    std::string title;
    int width = 0; // pixels
};

// A dialog on screen, as its form sees it. Controls are addressed by their numeric ids;
// an id the dialog does not have reads as empty and ignores what is done to it. The text of a
// choice list is its chosen item, and setting its text chooses an item (platform/choicelist.h).
class Window
{
  public:
    virtual ~Window() = default;

    // At most maxChars − 1 characters (not bytes) of the control's text, UTF-8.
    virtual std::string text(int id, int maxChars) const = 0;
    virtual void setText(int id, std::string_view text) = 0;
    virtual void setEnabled(int id, bool enabled) = 0;
    // A field that is read-only shows a result the user cannot type over. Hosts without such
    // fields ignore it.
    virtual void setReadOnly(int /*id*/, bool /*readOnly*/) {}
    // Check boxes and radio buttons. Checking a radio button clears the others of its group.
    virtual bool isChecked(int id) const = 0;
    virtual void setChecked(int id, bool checked) = 0;
    // Gives the control the keyboard focus with its text selected.
    virtual void focusAndSelect(int id) = 0;

    // Ends the dialog's modal loop: Platform::runModal returns result.
    virtual void end(int result) = 0;
    virtual void bringToFront() = 0;
    // The client area, in pixels.
    virtual Size clientSize() const = 0;
    virtual void moveControl(int id, Rect where) = 0;
    virtual void showControl(int id, bool shown) = 0;

    // A report-style list with banded rows that the dialog creates for itself (the schedule
    // windows): creating it again replaces the previous one and its rows. It starts hidden.
    virtual void createList(int id, Rect where, const std::vector<ListColumn>& columns) = 0;
    virtual void addListRow(int id, const std::vector<std::string>& cells) = 0;

    // The size control id needs on this desktop to show its text whole in the current font
    // (for a list: its header and a few rows), never less than least. Hosts without fonts
    // answer least.
    virtual Size fittedSize(int /*id*/, Size least) const { return least; }
    // The smallest client area the user can shrink a resizable window to. Hosts whose windows
    // the user cannot resize ignore it.
    virtual void setMinimumClientSize(Size /*least*/) {}

    // An up-down control attached to field buddyId; it writes its position into the field
    // as a plain integer. The range runs from the value of the upper arrow to that of the
    // lower one, so upper > lower makes the upper arrow raise the number and upper < lower
    // makes it lower the number.
    virtual void attachSpin(int buddyId, int upper, int lower, int position) = 0;
};

} // namespace tw
