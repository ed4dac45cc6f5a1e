#pragma once
// The process-wide records of the tools: what the user typed survives between openings of a
// form here, for as long as the program runs (nothing is saved). One AppRecords lives in the
// shell and every form gets it by reference.

#include "finance/precision.h"
#include "tools/printouts.h"

#include <array>
#include <cstdint>
#include <string>

namespace tw {

// The mortgage the user is working on, shared by the mortgage, accelerated-payment and
// refinance forms.
struct MortgageValues
{
    Money amount = 0;
    Money downPayment = 0;
    Money principal = 0; // amount − down payment
    Percent rate = 0;
    float monthlyRate = 0; // MonthlyRate(rate)
    int years = 30;
    int yearsLeft = 30;
    Age startAge = 0;
    Age payoffAge = 0;
    Age sellAge = 0;
    Percent appreciation = 0;
    Percent sellingPercent = 0; // percent of the selling price at sale
    Money accelerated = 0;      // accelerated monthly amount
};

// The mortgage being calculated and scheduled, in the slot CurrentRecordSlot selects.
struct MortgageRecord
{
    Age startAge = 0; // whole years
    Age payoffAge = 0;
    Age sellAge = 0;
    Money amount = 0;
    Money downPayment = 0;
    Money monthlyPayment = 0;
    Percent rate = 0;
    std::int16_t years = 0;
    Money totalPrincipal = 0;
    Money totalInterest = 0;
    Percent appreciation = 0;
    std::int16_t monthsScheduled = 0;
    Percent sellingPercent = 0;
    Money accelerated = 0;
    std::int16_t extraMode = 0; // 0: no extra payment in the schedule
};

// What the refinance form remembers between openings (CurrentRefinance). The existing
// mortgage is not among them: every opening shows the current mortgage again.
struct RefinanceValues
{
    Age refinanceAge = 0;
    Money amount = 0; // the refinanced amount
    Money cashOut = 0;
    Percent rate = 0;
    int years = 0;
    Money monthlyPayment = 0; // every accepted analysis sets it to 0
    Money closingCosts = 0;
    float points = 0; // percent of the refinanced amount
    bool cashOutAsSavings = false;
    bool includeCosts = false;
    bool includePoints = false;
    Percent taxRate = 15;
    Percent savingsRate = 5;
};

struct CreditCardRecord
{
    Money balance = 0;
    Percent rate = 0;
    Money payment = 0;
    Money purchases = 0;
    float months = 0;
    float years = 0;
    Money interest = 0;
};

// One slot of the tools' shared record table. Each kind of record has its own storage, so a
// form working on a slot another tool selected cannot overwrite that tool's values.
struct SlotRecord
{
    MortgageRecord mortgage;
    CreditCardRecord card;
};

inline constexpr int kRecordSlots = 10;

// What the printed reports use for their page headers.
struct PrintSettings
{
    std::string title;      // "Mortgage Payoff Schedule", "Refinance Analysis Report"
    bool titleMode = false; // headers use the title once the mortgage form has opened
    PrintoutKind kind = PrintoutKind::None; // the printout last asked for
    ReportHeading report;                   // what the report last printed adds to its headings
};

// The printer settings held for the run (never written to disk). The chosen printer itself is
// held by the desktop host.
struct PrinterSettings
{
    int orientation = 1;  // 1 portrait, 2 landscape; written into the next print dialog
    bool collate = false; // the collate switch of the last print
    // Thousandths of an inch, offered by the next page-setup dialog.
    int marginLeft = 1000;
    int marginTop = 1000;
    int marginRight = 500;
    int marginBottom = 1000;
    // Printer pixels, from the page-setup margins; the page drawing does not use them.
    int deviceMarginLeft = 0;
    int deviceMarginTop = 0;
    int deviceMarginRight = 0;
    int deviceMarginBottom = 0;
    bool firstPageSetup = true;
};

struct LoanTexts // the loan calculator keeps its fields' texts as Calculate last read them
{
    std::string amount = "0.0";
    std::string downPayment = "0.0";
    std::string rate = "8.0";
    std::string years = "30";
    std::string payment = "0.0";
};

// What the loan solver keeps for the run: its fields' texts and choices as Solve or OK last
// read them.
struct LoanSolverTexts
{
    std::string amount = "200000";
    std::string rate = "7.5";
    std::string compounding = "as payments";
    std::string paymentsPerYear = "12 (monthly)";
    std::string count = "360";
    std::string payment = "0";
    std::string balloon = "0";
    std::string fees = "0";
    std::string points = "0";
    std::string extra = "0";
    std::string extraFrom = "1";
    std::string target = "180";
    bool inAdvance = false;
    int unknown = 124; // the radio button of the value solved for
    bool lenderRounding = false;
};

// The table windows' column widths outlive one opening: computed from the list width W of the
// first build (after start-up, or after the window was last closed with its close box) and
// again only when a resize makes W larger than that first W.
struct ScheduleColumnsState
{
    bool known = false; // false: the next build computes the widths afresh
    int firstWidth = 0; // W at the first computation
    std::array<int, 10> widths{};
};

struct InflationValues
{
    Age startAge = 0;
    Age endAge = 0;
    Percent rate = 0;
    Money amount = 0;
    Money inflated = 0;
};

struct TaxValues
{
    Money amount = 0;
    int years = 1;
    Percent returnRate = 0;
    Percent taxRate = 0;
    Percent inflationRate = 0;
};

struct TradeValues
{
    std::array<std::string, 3> names; // up to 19 characters each
    std::array<float, 13> values{};   // 0–2 fixed cost, 3–5 cost per period, 6–8 fixed
                                      // amount, 9–11 income per period, 12 periods
};

struct AppRecords
{
    MortgageValues currentMortgage;
    std::array<SlotRecord, kRecordSlots> table{};
    int currentSlot = 0; // CurrentRecordSlot
    PrintSettings print;
    PrinterSettings printer;
    bool helpOnHelpDisabled = false; // the inflation calculator turns Help On Help off

    LoanTexts loan;
    ScheduleColumnsState mortgageSchedule;
    RefinanceValues currentRefinance;
    ScheduleColumnsState refinanceResults;
    InflationValues inflation;
    TaxValues taxes;
    TradeValues trade;
    LoanSolverTexts loanSolver;
    ScheduleColumnsState loanSchedule;

    MortgageRecord& mortgageRecord() { return table[currentSlot].mortgage; }
    CreditCardRecord& cardRecord() { return table[currentSlot].card; }
};

} // namespace tw
