#pragma once
#include "platform/window.h"

#include <functional>
#include <string_view>

namespace tw {

class Form;
class Printers;

enum class MessageIcon { Error, Warning, Question, Information };

// The kind's one-word name: in the script host's output, the icon names of both hosts and
// what accessibility tools are told.
constexpr std::string_view MessageIconName(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Error:
        return "error";
    case MessageIcon::Warning:
        return "warning";
    case MessageIcon::Question:
        return "question";
    case MessageIcon::Information:
        break;
    }
    return "information";
}

enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };
enum class HelpRequest { Contents, Context, HelpOnHelp };

// The help file, looked up in the working directory.
inline constexpr std::string_view kHelpFile = "twtools.hlp";

// Everything else a form needs of the desktop.
class Platform
{
  public:
    virtual ~Platform() = default;

    // A modal message box. owner may be null (no owner window). systemModal makes the box
    // block the whole program rather than only its owner.
    virtual MessageAnswer message(Window* owner, std::string_view text, std::string_view title,
                                  MessageIcon icon, MessageButtons buttons, bool systemModal) = 0;

    // Opens form's dialog resource and runs its modal loop until the form ends it; returns
    // the result passed to Window::end. With an owner the dialog is modal to that window;
    // without one the main window stays enabled and its commands keep arriving (nested in
    // this call). Returns -1 without showing anything when the resource does not exist.
    virtual int runModal(Form& form, Window* owner) = 0;

    // Runs notice after the event now being handled has finished, unless window has closed
    // by then: a notice belongs to the dialog that posted it and never reaches a form whose
    // dialog is gone.
    virtual void post(const Window& window, std::function<void()> notice) = 0;

    // Starts an outside program by command line ("NAME.exe ARGS"), shown normally, without
    // waiting. Returns whether it started.
    virtual bool startProgram(std::string_view commandLine) = 0;
    // Opens a web or mail address with the desktop's default program. Returns whether it did.
    virtual bool openAddress(std::string_view address) = 0;
    // Shows the help file's contents, the topic of a context number, or help on using help.
    virtual void help(HelpRequest request, int context, Window* owner) = 0;

    // Asks the main window to repaint its frame (tool windows do this when moved or closed).
    virtual void repaintMainFrame() = 0;

    // The desktop's printers and print dialogs; null where there are none, which printing
    // treats as a print dialog the user cancelled.
    virtual Printers* printers() { return nullptr; }
};

} // namespace tw
