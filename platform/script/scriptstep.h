#pragma once
#include "platform/printing.h"
#include "platform/window.h"

#include <optional>
#include <string>
#include <string_view>

namespace tw {

// One line of a script, taken apart. Which window and control it acts on is decided when it
// runs; this only checks that the line is well formed.
// The steps, in the words of the script: command N, set ID TEXT, check ID 0|1, press ID,
// leave ID, key escape, key enter, close, move, resize W H, spin ID N, click, show ID, rows,
// answer yes, answer no, printer cancel, printer pdf FILE, printer range FROM TO, printer
// copies N, printer collate 0|1, pagesetup cancel, pagesetup portrait|landscape [LEFT TOP
// RIGHT BOTTOM], export csv FILE, export pdf FILE.
enum class StepVerb {
    Command,
    Set,
    Check,
    Press,
    Leave,
    KeyEscape,
    KeyEnter,
    Close,
    Move,
    Resize,
    Spin,
    Click,
    Show,
    Rows,
    AnswerYes,
    AnswerNo,
    PrinterCancel,
    PrinterPdf,
    PrinterRange,
    PrinterCopies,
    PrinterCollate,
    PageSetupCancel,
    PageSetupPortrait,
    PageSetupLandscape,
    ExportCsv,
    ExportPdf,
};

struct ScriptStep
{
    StepVerb verb = StepVerb::Command;
    int id = 0;       // command number or control id; printer range: FROM
    int value = 0;    // check state, spin position; printer range: TO; copies, collate
    Size size;        // resize
    std::string text; // set; the FILE of printer pdf and export
    std::optional<Margins> margins; // pagesetup, when given
};

struct ParsedStep
{
    std::optional<ScriptStep> step;
    std::string error; // why the line is not a step, when step is empty
};

// A line that is neither blank nor a comment. Words are separated by blanks; the text of
// "set" is everything after the single blank that follows its id, kept byte for byte.
ParsedStep ParseScriptStep(std::string_view line);

// Blank lines and lines whose first non-blank character is "#" are not steps.
bool IsScriptFiller(std::string_view line);

} // namespace tw
