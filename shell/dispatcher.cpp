#include "shell/dispatcher.h"

#include "platform/form.h"
#include "print/printjob.h"
#include "shell/aboutform.h"
#include "shell/commands.h"

#include <memory>

namespace tw {

namespace {

template <class FormType> int Open(ToolContext& context, Window* owner)
{
    FormType form(context);
    return context.platform.runModal(form, owner);
}

} // namespace

void Dispatcher::openTool(const ToolDescription& tool)
{
    AppRecords& records = context_.records;
    const int previous = records.currentSlot;
    if (tool.slotRule == SlotRule::BeforeGuard || tool.slotRule == SlotRule::Borrowed)
        records.currentSlot = tool.slot;
    if (guard())
        return;
    if (tool.slotRule == SlotRule::AfterGuard)
        records.currentSlot = tool.slot;
    if (!tool.printTitle.empty())
        records.print.title = tool.printTitle;

    const OpenMark& own = context_.marks[tool.mark];
    if (tool.raisesItself && own.open) {
        if (own.window != nullptr)
            own.window->bringToFront();
    } else {
        const std::unique_ptr<Form> form = tool.make(context_);
        context_.platform.runModal(*form, nullptr);
    }
    if (tool.slotRule == SlotRule::Borrowed)
        records.currentSlot = previous;
}

void Dispatcher::dispatchCommand(int command)
{
    using namespace commands;
    Platform& platform = context_.platform;

    if (const ToolDescription* tool = FindToolByCommand(command)) {
        openTool(*tool);
        return;
    }
    switch (command) {
    case kExit:
        mainWindow_.destroy();
        return;
    case kAbout:
        // No guard: a second About box opens over the first.
        Open<AboutForm>(context_, nullptr);
        return;
    case kHelpContents:
        platform.help(HelpRequest::Contents, 0, nullptr);
        return;
    case kHelpOnHelp:
        platform.help(HelpRequest::HelpOnHelp, 0, nullptr);
        return;
    case kRule72T:
        if (guard())
            return;
        // Its failure to start is not reported.
        platform.startProgram("twrule11.exe");
        return;
    case kCalculator:
        startCalculator();
        return;
    case kWebsite:
        visitWebsite();
        return;
    case kEmail:
        mailMaker();
        return;
    case kOptions:
        // There is no options dialog: the command only brings open tools to the front.
        guard();
        return;
    case kPrintGraph:
        if (guard())
            return;
        PrintGraph(context_, nullptr);
        return;
    case kPageSetup:
        PageSetup(context_, nullptr);
        return;
    default:
        // Copy, Paste and Find among them: nothing.
        return;
    }
}

void Dispatcher::startCalculator()
{
    if (context_.platform.startProgram("calc.exe"))
        return;
    context_.platform.message(nullptr, "The Window's Calculator could not be found in the path.",
                              "Execution Error", MessageIcon::Error, MessageButtons::Ok, true);
}

void Dispatcher::visitWebsite()
{
    Platform& platform = context_.platform;
    const MessageAnswer answer =
        platform.message(nullptr, "Do you wish to visit the Tarrow Software website now?",
                         "Tarrow Software", MessageIcon::Question, MessageButtons::YesNo, true);
    if (answer != MessageAnswer::Yes)
        return;
    if (!platform.openAddress(kMakerWebsite))
        platform.message(nullptr, "There is a problem opening up the default browser.",
                         "Browser Error", MessageIcon::Warning, MessageButtons::Ok, false);
}

void Dispatcher::mailMaker()
{
    Platform& platform = context_.platform;
    if (!platform.openAddress(kMakerMail))
        platform.message(nullptr, "There is a problem opening up you Email program.", "Email Error",
                         MessageIcon::Warning, MessageButtons::Ok, false);
}

} // namespace tw
