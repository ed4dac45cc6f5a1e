#include "shell/dispatcher.h"

#include "print/printjob.h"
#include "shell/aboutform.h"
#include "shell/commands.h"
#include "tools/calculators/creditcardform.h"
#include "tools/calculators/effectiveform.h"
#include "tools/calculators/inflationform.h"
#include "tools/calculators/taxesform.h"
#include "tools/calculators/tradeform.h"
#include "tools/mortgage/accelform.h"
#include "tools/mortgage/loanform.h"
#include "tools/mortgage/mortgageform.h"

#include <optional>

namespace tw {

// When a tool command sets the record slot.
enum class SlotRule {
    Untouched,   // the slot is not touched
    AfterGuard,  // set once the guard lets the command through
    BeforeGuard, // set first, so that a command the guard stops still moves the slot
    Borrowed,    // set first and given back when the tool has closed (not when the guard stops)
};

// The tools that the menu, the toolbar and the accelerators open: each behind the guard, with
// no owner window, on its record slot.
struct ToolCommand
{
    int command;
    int (*open)(ToolContext&, Window*);
    SlotRule slotRule = SlotRule::Untouched;
    int slot = 0;
    // The tool looks at its own mark first: when open, it only comes to the front.
    std::optional<ToolMark> ownMark{};
    // The print title the command sets before opening.
    const char* printTitle = nullptr;
};

namespace {

template <class FormType> int Open(ToolContext& context, Window* owner)
{
    FormType form(context);
    return context.platform.runModal(form, owner);
}

int OpenRefinance(ToolContext& context, Window* owner)
{
    return context.openRefinance ? context.openRefinance(owner) : -1;
}

const ToolCommand* FindToolCommand(int command)
{
    using namespace commands;
    static const ToolCommand kTools[] = {
        {kMortgage, Open<MortgageForm>, SlotRule::BeforeGuard, 0, ToolMark::Mortgage},
        {kRefinance, OpenRefinance, SlotRule::AfterGuard, 1, {}, "Refinance Analysis Report"},
        {kAccelerated, Open<AccelForm>, SlotRule::AfterGuard, 2},
        {kLoan, Open<LoanForm>},
        {kInflation, Open<InflationForm>, SlotRule::AfterGuard, 4},
        {kTaxes, Open<TaxesForm>, SlotRule::AfterGuard, 5},
        {kTradeOff, Open<TradeForm>, SlotRule::AfterGuard, 6},
        {kEffectiveRate, Open<EffectiveForm>, SlotRule::AfterGuard, 7},
        {kCreditCard, Open<CreditCardForm>, SlotRule::Borrowed, 8, ToolMark::CreditCard},
    };
    for (const ToolCommand& tool : kTools) {
        if (tool.command == command)
            return &tool;
    }
    return nullptr;
}

} // namespace

void Dispatcher::openTool(const ToolCommand& tool)
{
    AppRecords& records = context_.records;
    const int previous = records.currentSlot;
    if (tool.slotRule == SlotRule::BeforeGuard || tool.slotRule == SlotRule::Borrowed)
        records.currentSlot = tool.slot;
    if (guard())
        return;
    if (tool.slotRule == SlotRule::AfterGuard)
        records.currentSlot = tool.slot;
    if (tool.printTitle != nullptr)
        records.print.title = tool.printTitle;

    const OpenMark* own = tool.ownMark ? &context_.marks[*tool.ownMark] : nullptr;
    if (own != nullptr && own->open) {
        if (own->window != nullptr)
            own->window->bringToFront();
    } else {
        tool.open(context_, nullptr);
    }
    if (tool.slotRule == SlotRule::Borrowed)
        records.currentSlot = previous;
}

void Dispatcher::dispatchCommand(int command)
{
    using namespace commands;
    Platform& platform = context_.platform;

    if (const ToolCommand* tool = FindToolCommand(command)) {
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
