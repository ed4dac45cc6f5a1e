#pragma once
#include "platform/window.h"

#include <string_view>

namespace tw {

// Command ids that keys send to a dialog: Enter sends the default button's id (1 unless the
// form names another), Escape always sends 2.
inline constexpr int kEnterCommand = 1;
inline constexpr int kEscapeCommand = 2;

// The behaviour of one dialog resource. The host creates the window from the resource,
// calls opened() before it is shown, then reports what the user does until the form calls
// Window::end(). Every notice has a default that does nothing.
class Form
{
  public:
    virtual ~Form() = default;

    // Name of the dialog resource ("mortgage"): resources/<name>.ui.
    virtual std::string_view resource() const = 0;
    // The id Enter sends.
    virtual int defaultButton() const { return kEnterCommand; }

    virtual void opened(Window& window) = 0;
    // A button was clicked (check boxes and radio buttons included), or Enter or Escape.
    virtual void command(int /*id*/) {}
    virtual void focusLost(int /*id*/) {}
    virtual void moved() {}
    // The close box, the window menu's Close or Alt+F4. The dialog stays open unless the
    // form ends it.
    virtual void closeRequested() {}
    virtual void resized(Size /*client*/) {}
    // The spin control attached to buddyId moved to position (already written into the field).
    virtual void spinMoved(int /*buddyId*/, int /*position*/) {}
    // A key press or mouse button press that reached the dialog's own surface, not a control.
    virtual void surfaceClicked() {}
    // From a table's context menu: the window's printout is to be saved as a PDF file at path
    // (UTF-8, as the user chose it), or shown in a print preview. Windows without a printout
    // ignore them.
    virtual void savePdfRequested(std::string_view /*path*/) {}
    virtual void previewRequested() {}
};

} // namespace tw
