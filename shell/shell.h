#pragma once
#include "platform/mainwindow.h"
#include "print/printjob.h"
#include "shell/dispatcher.h"
#include "shell/startup.h"
#include "tools/records.h"
#include "tools/toolcontext.h"

namespace tw {

// The main window's behaviour, the same over every host: it owns the program's records and
// hands every command to the dispatcher.
class Shell final : public MainWindowEvents
{
  public:
    Shell(Platform& platform, MainWindowPort& mainWindow, StartupOptions options);

    AppRecords& records() { return records_; }
    OpenMarks& marks() { return marks_; }
    ToolContext& context() { return context_; }
    const StartupOptions& options() const { return options_; }

    void command(int id) override;
    void closeRequested() override;
    void toolbarNotified() override;
    void pointerMoved(int x, int y) override;

    // The client area's width, which pointer movement is measured against.
    void setClientWidth(int width) { clientWidth_ = width; }

  private:
    StartupOptions options_;
    AppRecords records_;
    OpenMarks marks_;
    PrintJobPrintouts printouts_;
    ToolContext context_;
    MainWindowPort& mainWindow_;
    Dispatcher dispatcher_;
    int clientWidth_ = 0;
};

} // namespace tw
