#pragma once
#include <span>
#include <string_view>

namespace tw {

// The main window's definitions, compiled from resources/menu.tsv, toolbar.tsv and
// accelerators.tsv.

struct MenuItem
{
    std::string_view menu;
    int command; // 0 for a separator
    std::string_view text;
};

struct ToolbarButton
{
    int image;   // -1 for a separator
    int command; // 0 for a separator
    std::string_view tooltip;
};

struct Accelerator
{
    bool control; // Ctrl when true, Alt when false
    char letter;
    int command;
};

std::span<const MenuItem> MenuItems();
std::span<const ToolbarButton> ToolbarButtons();
std::span<const Accelerator> Accelerators();

// The tooltip of the toolbar button for a command; empty for a command without a button.
std::string_view ToolbarTooltip(int command);

} // namespace tw
