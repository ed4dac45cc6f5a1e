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
    std::string text;      // UTF-8; of a choice list, its chosen item
    std::vector<std::string> items; // a choice list's items, UTF-8
    bool enabled = true;
    bool readOnly = false;
    bool checked = false;
    bool visible = true;
    bool isDefault = false; // a push button marked as the dialog's default
    // Number of the widget the control sits in (layouts do not count); radio buttons with the
    // same parent form a group.
    int parent = 0;
    std::string group; // title of the nearest group box around the control, UTF-8
};

bool IsRadioButton(const DialogControl& control);
bool IsChoiceList(const DialogControl& control);

// A dialog resource: the top-level widget of a Designer file and every control inside it that
// carries the dynamic property controlId.
struct DialogResource
{
    std::string name;  // the file's top-level <class>
    std::string title; // the window title, UTF-8
    Size clientSize;   // the top-level geometry
    bool closeBox = false;
    bool resizable = false;
    std::vector<DialogControl> controls; // in file order
    // Every title, label and button text of the file, controls or not, in file order.
    std::vector<std::string> texts;
};

// Nothing when the text is not well-formed XML, has no top-level widget, gives a control an
// id that is not a whole number, or nests widgets and layouts more than a couple of hundred
// levels deep.
std::optional<DialogResource> ParseDialogResource(std::string_view xml);

} // namespace tw
