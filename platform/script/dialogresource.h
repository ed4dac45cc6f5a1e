#pragma once
#include "platform/window.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// A control a form addresses, as its dialog's Designer file describes it on opening.
struct DialogControl
{
    int id = 0;
    std::string className; // the widget class: "QLineEdit", "QPushButton", "QRadioButton"...
    std::string text;      // UTF-8
    bool enabled = true;
    bool readOnly = false;
    bool checked = false;
    bool visible = true;
    // Number of the widget the control sits in (layouts do not count); radio buttons with the
    // same parent form a group.
    int parent = 0;
};

// A dialog resource: the top-level widget of a Designer file and every control inside it that
// carries the dynamic property controlId.
struct DialogResource
{
    std::string name; // the file's top-level <class>
    Size clientSize;  // the top-level geometry
    bool closeBox = false;
    bool resizable = false;
    std::vector<DialogControl> controls; // in file order
};

// Nothing when the text is not well-formed XML, has no top-level widget, or gives a control
// an id that is not a whole number.
std::optional<DialogResource> ParseDialogResource(std::string_view xml);

} // namespace tw
