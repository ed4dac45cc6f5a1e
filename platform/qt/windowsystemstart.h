#pragma once
#include <QObject>

#include <memory>

#include <string>
#include <string_view>
#include <vector>

class QApplication;

namespace tw {

// What a program of the suite says when it cannot open its window: its name, the cause, and
// how to get its work done without a display. withoutDisplay follows the cause as it stands
// ("; run the calculators without a display with: twtools script FILE").
struct StartAdvice
{
    std::string program;
    std::string withoutDisplay;
};

// Whether a window system is named at all: a Qt platform, an X display or a Wayland one.
bool HasDisplay();

// What to tell the user when none is: "PROGRAM: no display to open the window on (DISPLAY
// and WAYLAND_DISPLAY are unset)" and the advice.
std::string NoDisplayLine(const StartAdvice& advice);

// What to tell the user when Qt cannot start its window system, from what Qt said while it
// tried: one line that names the cause (a display that cannot be opened, a platform plugin
// that does not exist) and the advice. display is the value of DISPLAY (empty when unset).
std::string WindowSystemFailureLine(const std::vector<std::string>& said, std::string_view display,
                                    const StartAdvice& advice);

// While it lives, Qt's messages are held back, and a failure to start the window system ends
// the program with WindowSystemFailureLine on standard error and exit code 1, where Qt would
// abort. Made just before the application object, ended just after it: on success the held
// messages are written as Qt would have written them. One at a time.
class WindowSystemStart
{
  public:
    explicit WindowSystemStart(StartAdvice advice);
    ~WindowSystemStart();
    WindowSystemStart(const WindowSystemStart&) = delete;
    WindowSystemStart& operator=(const WindowSystemStart&) = delete;
};

// The application object of a program of the suite that opens a window. Without any display
// it writes NoDisplayLine to standard error and gives null; a display that cannot be opened
// ends the program in one line (WindowSystemStart). Numbers stay in the C locale, whatever
// Qt takes from the environment. argc must outlive the application.
std::unique_ptr<QApplication> StartDesktop(int& argc, char** argv, const StartAdvice& advice);

// CLOCK_REALTIME in nanoseconds, the clock the start-up benchmark's launch time is taken on.
long long NowNanoseconds();

// For the start-up benchmark: installed on the first widget to paint, with launch the time
// the benchmark started the program (TW_BENCH_T0) and main the time main began, it prints
// "first paint X ms (Y ms after main)" once that paint is done and ends the program.
class FirstPaintProbe final : public QObject
{
  public:
    FirstPaintProbe(long long launch, long long main, QObject* parent);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    long long launch_;
    long long main_;
    bool done_ = false;
};

} // namespace tw
