#pragma once
// The tool catalog: one description for each tool the main window opens, and the list of
// them. The dispatcher, the open-tool marks and the tests go through this list, so a new tool
// is a form with its description and one line in tools/toolcatalog.cpp.

#include "tools/openmarks.h"

#include <memory>
#include <optional>
#include <span>
#include <string_view>

namespace tw {

class Form;
struct ToolContext;

// When opening a tool sets the record slot.
enum class SlotRule {
    Untouched,   // the slot is not touched
    AfterGuard,  // set once the guard lets the command through
    BeforeGuard, // set first, so that a command the guard stops still moves the slot
    Borrowed,    // set first and given back when the tool has closed (not when the guard stops)
};

// The numbered controls of a form's dialog, by kind, as the form addresses them.
struct ToolControls
{
    std::span<const int> inputs{};  // fields the user types into
    std::span<const int> results{}; // read-only fields the form writes
    std::span<const int> checks{};
    std::span<const int> radios{};
    std::span<const int> buttons{};
    std::span<const int> choices{}; // choice lists
};

struct ToolDescription
{
    std::string_view resource; // the dialog resource, resources/<resource>.ui
    std::string_view title;    // its window title, as the resource gives it
    int command = 0;           // the menu, accelerator and toolbar command that opens it
    ToolMark mark{};
    SlotRule slotRule = SlotRule::Untouched;
    int slot = 0;
    // The tool looks at its own mark before opening: when open, it only comes to the front.
    bool raisesItself = false;
    std::string_view printTitle{}; // the print title the command sets before opening, if any
    int ok = 0;
    std::optional<int> calculate{}; // the button Calculate, where the form has one
    std::optional<int> help{};      // the button Help, where the form has one
    int helpContext = 0;
    int firstField = 0; // the field that has the focus when the form opens
    int enter = 0;      // the button Enter presses
    // The fields that take text rather than a number; every other typed field is a number.
    std::span<const int> textFields{};
    ToolControls controls{};
    std::unique_ptr<Form> (*make)(ToolContext&) = nullptr;
};

template <class FormType> std::unique_ptr<Form> MakeTool(ToolContext& context)
{
    return std::make_unique<FormType>(context);
}

// Every tool of the catalog, in the order of the menu.
std::span<const ToolDescription* const> ToolCatalog();
// The tool that command opens, or null.
const ToolDescription* FindToolByCommand(int command);
// The tool whose dialog is that resource, or null.
const ToolDescription* FindToolByResource(std::string_view resource);

} // namespace tw
