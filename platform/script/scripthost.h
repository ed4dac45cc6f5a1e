#pragma once
// The headless host: runs the program's forms from a script of user steps, with no display.
// Each step is what a user would do (a menu command, typing into a field, a click, a key); every
// event a user would see is written as one line of text. Built on Qt Core only.
#include "platform/mainwindow.h"
#include "platform/platform.h"
#include "platform/script/scriptprinters.h"

#include <deque>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tw {

class ScriptWindow;
struct ScriptStep;

// Runs a script against the forms. The main window never appears: its commands and close
// requests come from the script and go to the MainWindowEvents the shell hands in.
//
// A step that opens a modal form runs the following lines inside that form's loop, as the
// desktop's nested loop does. The run ends:
// - at the end of the script, at whatever depth: nothing more runs or is written, exit code 0;
// - when the main window is destroyed: after the step that destroyed it, exit code 0;
// - at a step that cannot be carried out: an "error" line, exit code 2. So also at a line
//   longer than kMaxLineBytes, and at a window that would open inside kMaxNestedWindows
//   others.
// The run unwinds the forms' stacks with an exception of its own (not a std::exception): code
// between the forms and the host must let it pass.
class ScriptHost : public Platform, public MainWindowPort
{
  public:
    // A dialog resource's Designer text by name; nothing when there is no such resource.
    using DialogSource = std::function<std::optional<std::string>(std::string_view name)>;

    // The dialogs compiled into the program (":/<name>.ui").
    static std::optional<std::string> ReadCompiledDialog(std::string_view name);

    explicit ScriptHost(std::ostream& out, DialogSource dialogs = ReadCompiledDialog);
    ~ScriptHost() override;
    ScriptHost(const ScriptHost&) = delete;
    ScriptHost& operator=(const ScriptHost&) = delete;

    // Bounds that keep any script within the memory and the stack.
    static constexpr std::size_t kMaxLineBytes = std::size_t{1} << 20;
    static constexpr int kMaxNestedWindows = 64;

    // Where "command" and a "close" with no tool open go. Must be set before run().
    void setMainWindow(MainWindowEvents* events) { mainWindow_ = events; }
    // What prints the PDF files of "printer pdf" and "export pdf"; without it pages are only
    // reported, not drawn.
    void setPdfDevices(ScriptPrinters::PdfDevices devices)
    {
        printers_.setPdfDevices(std::move(devices));
    }

    // Reads and carries out the script line by line; returns the exit code (0 or 2). Forms
    // opened outside a run return -1 at once, as there is nobody to work them.
    int run(std::istream& script);

    // The window a user would have in front: the last one opened or brought to the front that
    // is still open. Null when no tool window is open.
    Window* activeWindow() const;

    MessageAnswer message(Window* owner, std::string_view text, std::string_view title,
                          MessageIcon icon, MessageButtons buttons, bool systemModal) override;
    int runModal(Form& form, Window* owner) override;
    void post(const Window& window, std::function<void()> notice) override;
    bool startProgram(std::string_view commandLine) override;
    bool openAddress(std::string_view address) override;
    void help(HelpRequest request, int context, Window* owner) override;
    void repaintMainFrame() override {}
    Printers* printers() override { return &printers_; }

    Rect outerRect() const override { return {100, 100, 350, 90}; }
    void destroy() override { destroyed_ = true; }
    void focus() override {}
    void repaintFrame() override {}

  private:
    struct Stop;

    // Carries out steps until the window has ended (until the end of the script for none).
    void runSteps(const ScriptWindow* modal);
    void runPosted();
    // The next line that is a step; ends the run at the end of the script.
    std::string nextLine();
    void execute(const ScriptStep& step, int line);
    void executeOnWindow(const ScriptStep& step, int line, ScriptWindow& window);
    // Printer and page-setup answers; false for any other step.
    bool answerPrinting(const ScriptStep& step);
    void exportTable(const ScriptStep& step, int line, ScriptWindow& window);
    [[noreturn]] void fail(int line, std::string_view why);

    void windowEnded(ScriptWindow& window);
    void raise(ScriptWindow& window);
    void remove(const ScriptWindow& window);
    // One output line: the fields joined by tabs, each with its line breaks escaped.
    void print(const std::vector<std::string_view>& fields);

    std::ostream& out_;
    DialogSource dialogs_;
    MainWindowEvents* mainWindow_ = nullptr;
    std::istream* script_ = nullptr;
    int lineNumber_ = 0;
    int depth_ = 0; // modal loops running
    // Open windows from bottom to top; the last is the active one.
    std::vector<ScriptWindow*> zOrder_;
    struct Notice
    {
        const ScriptWindow* window;
        int serial; // the window's, so that a later window at the same address is not taken
        std::function<void()> run;
    };
    std::deque<Notice> posted_;
    int nextSerial_ = 0;
    MessageAnswer nextAnswer_ = MessageAnswer::No;
    bool destroyed_ = false;
    ScriptPrinters printers_{
        [this](const std::vector<std::string_view>& fields) { print(fields); }};
};

} // namespace tw
