#pragma once
// Test double of the desktop for tests that drive forms and print jobs without a host: it
// shows nothing, answers every message box with OK, and records what it was asked: each box,
// and in a log the boxes' titles, help requests and repaints, in the order they came (a test
// may share the log with a window of its own to see the order of both).

#include "platform/platform.h"
#include "tools/openmarks.h"

#include <functional>
#include <string>
#include <vector>

namespace tw {

class RecordingPlatform : public Platform
{
  public:
    struct Box
    {
        Window* owner;
        std::string text;
        std::string title;
        MessageIcon icon;
        MessageButtons buttons;
        bool systemModal;
        bool printJobMarkSet; // the print-job mark while the box was up, where marks are given
    };

    RecordingPlatform() : log_(ownLog_) {}
    explicit RecordingPlatform(std::vector<std::string>& log) : log_(log) {}
    RecordingPlatform(const RecordingPlatform&) = delete;
    RecordingPlatform& operator=(const RecordingPlatform&) = delete;

    std::vector<Box> boxes;
    Window* helpOwner = nullptr;
    // What printers() gives; null is a desktop without printers.
    Printers* printerList = nullptr;
    // The marks whose print-job entry each box notes.
    const OpenMarks* marks = nullptr;

    const std::vector<std::string>& log() const { return log_; }

    MessageAnswer message(Window* owner, std::string_view text, std::string_view title,
                          MessageIcon icon, MessageButtons buttons, bool systemModal) override
    {
        log_.push_back("message " + std::string(title));
        boxes.push_back({owner, std::string(text), std::string(title), icon, buttons, systemModal,
                         marks != nullptr && (*marks)[ToolMark::PrintJob].open});
        return MessageAnswer::Ok;
    }
    int runModal(Form&, Window*) override { return -1; }
    void post(const Window&, std::function<void()>) override {}
    bool startProgram(std::string_view) override { return false; }
    bool openAddress(std::string_view) override { return false; }
    void help(HelpRequest request, int context, Window* owner) override
    {
        if (request == HelpRequest::Context)
            log_.push_back("help " + std::to_string(context));
        helpOwner = owner;
    }
    void repaintMainFrame() override { log_.push_back("repaint"); }
    Printers* printers() override { return printerList; }

  private:
    std::vector<std::string> ownLog_;
    std::vector<std::string>& log_;
};

} // namespace tw
