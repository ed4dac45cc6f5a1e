#pragma once
#include "platform/mainwindow.h"
#include "tools/toolcatalog.h"
#include "tools/toolcontext.h"

namespace tw {

inline constexpr const char* kMakerWebsite = "https://www.tarrow.example/";
inline constexpr const char* kMakerMail = "mailto:support@tarrow.example";

// Turns a command number of the main window into its action: opens a tool of the catalog (behind
// the open-tool guard, with the record slot the tool works on), starts an outside program, opens
// help, a web or mail address, the About box, or ends the program. Tools are modal without an
// owner, so commands can arrive here again while a tool is open; the guard then brings the open
// tools to the front instead of opening another.
class Dispatcher
{
  public:
    Dispatcher(ToolContext& context, MainWindowPort& mainWindow)
        : context_(context), mainWindow_(mainWindow)
    {
    }

    void dispatchCommand(int command);

  private:
    bool guard() const { return context_.marks.raiseOpenTools(); }
    void openTool(const ToolDescription& tool);

    void startCalculator();
    void visitWebsite();
    void mailMaker();

    ToolContext& context_;
    MainWindowPort& mainWindow_;
};

} // namespace tw
