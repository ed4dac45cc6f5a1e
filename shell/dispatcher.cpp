#include "shell/dispatcher.h"

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

namespace tw {

namespace {

constexpr int kMortgageSlot = 0;
constexpr int kRefinanceSlot = 1;
constexpr int kAcceleratedSlot = 2;
constexpr int kInflationSlot = 4;
constexpr int kTaxesSlot = 5;
constexpr int kTradeOffSlot = 6;
constexpr int kEffectiveSlot = 7;
constexpr int kCreditCardSlot = 8;

} // namespace

template <class FormType> int Dispatcher::open()
{
    FormType form(context_);
    return context_.platform.runModal(form, nullptr);
}

template <class FormType> int Dispatcher::openUnlessOpen(ToolMark mark)
{
    const OpenMark& entry = context_.records.marks[mark];
    if (entry.open) {
        if (entry.window != nullptr)
            entry.window->bringToFront();
        return 0;
    }
    return open<FormType>();
}

void Dispatcher::dispatchCommand(int command)
{
    using namespace commands;
    AppRecords& records = context_.records;
    Platform& platform = context_.platform;

    switch (command) {
    case kExit:
        mainWindow_.destroy();
        return;
    case kAbout:
        open<AboutForm>();
        return;
    case kHelpContents:
        platform.help(HelpRequest::Contents, 0, nullptr);
        return;
    case kHelpOnHelp:
        platform.help(HelpRequest::HelpOnHelp, 0, nullptr);
        return;
    case kMortgage:
        // The slot is set before the guard: a mortgage command that the guard stops still
        // points the open tools at the mortgage's record.
        records.currentSlot = kMortgageSlot;
        if (guard())
            return;
        openUnlessOpen<MortgageForm>(ToolMark::Mortgage);
        return;
    case kRefinance:
        if (guard())
            return;
        records.currentSlot = kRefinanceSlot;
        records.print.title = "Refinance Analysis Report";
        if (context_.openRefinance)
            context_.openRefinance(nullptr);
        return;
    case kAccelerated:
        if (guard())
            return;
        records.currentSlot = kAcceleratedSlot;
        open<AccelForm>();
        return;
    case kLoan:
        if (guard())
            return;
        open<LoanForm>();
        return;
    case kInflation:
        if (guard())
            return;
        records.currentSlot = kInflationSlot;
        open<InflationForm>();
        return;
    case kTaxes:
        if (guard())
            return;
        records.currentSlot = kTaxesSlot;
        open<TaxesForm>();
        return;
    case kTradeOff:
        if (guard())
            return;
        records.currentSlot = kTradeOffSlot;
        open<TradeForm>();
        return;
    case kEffectiveRate:
        if (guard())
            return;
        records.currentSlot = kEffectiveSlot;
        open<EffectiveForm>();
        return;
    case kCreditCard:
        openCreditCard();
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
        guard();
        return;
    case kPageSetup:
    case kCopy:
    case kPaste:
    case kFind:
    default:
        return;
    }
}

void Dispatcher::openCreditCard()
{
    AppRecords& records = context_.records;
    const int previous = records.currentSlot;
    records.currentSlot = kCreditCardSlot;
    // When the guard stops the command the slot stays on the card's record.
    if (guard())
        return;
    openUnlessOpen<CreditCardForm>(ToolMark::CreditCard);
    records.currentSlot = previous;
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
        platform.message(nullptr, "There is a problem opening up you Email program.",
                         "Email Error", MessageIcon::Warning, MessageButtons::Ok, false);
}

} // namespace tw
