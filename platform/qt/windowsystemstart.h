#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// What to tell the user when Qt cannot start its window system, from what Qt said while it
// tried: one line that names the cause (a display that cannot be opened, a platform plugin
// that does not exist) and how to run the calculators without a display. display is the
// value of DISPLAY (empty when unset).
std::string WindowSystemFailureLine(const std::vector<std::string>& said, std::string_view display);

// While it lives, Qt's messages are held back, and a failure to start the window system ends
// the program with WindowSystemFailureLine on standard error and exit code 1, where Qt would
// abort. Made just before the application object, ended just after it: on success the held
// messages are written as Qt would have written them.
class WindowSystemStart
{
  public:
    WindowSystemStart();
    ~WindowSystemStart();
    WindowSystemStart(const WindowSystemStart&) = delete;
    WindowSystemStart& operator=(const WindowSystemStart&) = delete;
};

} // namespace tw
