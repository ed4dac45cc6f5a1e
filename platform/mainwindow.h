#pragma once
#include "platform/window.h"

namespace tw {

// What the main window reports to the shell; the shell implements it.
class MainWindowEvents
{
  public:
    virtual ~MainWindowEvents() = default;
    // A command from the menu, an accelerator or the toolbar (low 16 bits).
    virtual void command(int id) = 0;
    // The close box, the window menu's Close, Alt+F4.
    virtual void closeRequested() = 0;
    // Any notification from the toolbar (tooltip requests included).
    virtual void toolbarNotified() = 0;
    // The pointer moved over the client area, at (x, y) in client coordinates.
    virtual void pointerMoved(int x, int y) = 0;
};

// What the shell needs of the main window; each host implements it.
class MainWindowPort
{
  public:
    virtual ~MainWindowPort() = default;
    // The outer rectangle (frame included) in screen pixels.
    virtual Rect outerRect() const = 0;
    // Destroys the main window; the program ends once the current event has been handled.
    virtual void destroy() = 0;
    virtual void focus() = 0;
    virtual void repaintFrame() = 0;
};

} // namespace tw
