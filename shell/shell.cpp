#include "shell/shell.h"

#include "shell/commands.h"
#include "shell/placement.h"

namespace tw {

Shell::Shell(Platform& platform, MainWindowPort& mainWindow, StartupOptions options)
    : options_(options),
      printouts_(platform, records_, marks_), context_{platform, records_, marks_, printouts_},
      mainWindow_(mainWindow), dispatcher_(context_, mainWindow)
{
}

void Shell::command(int id)
{
    const int command = id & 0xffff;
    // The inflation calculator switches Help On Help off for the rest of the run without
    // greying the menu item: choosing it simply does nothing.
    if (command == commands::kHelpOnHelp && records_.helpOnHelpDisabled)
        return;
    dispatcher_.dispatchCommand(command);
}

void Shell::closeRequested()
{
    // A failure to write the placement is not reported; the window closes all the same.
    SavePlacementFile(mainWindow_.outerRect());
    mainWindow_.destroy();
}

void Shell::toolbarNotified()
{
    marks_.raiseOpenTools();
}

void Shell::pointerMoved(int x, int y)
{
    if (marks_.raiseOpenTools())
        return;
    // Coordinates arrive as signed 16-bit values, as the window system packs them.
    const auto sx = static_cast<short>(x);
    const auto sy = static_cast<short>(y);
    if (sx < 0 || sx > clientWidth_)
        mainWindow_.focus();
    if (sy < 29) {
        mainWindow_.focus();
        mainWindow_.repaintFrame();
    }
}

} // namespace tw
