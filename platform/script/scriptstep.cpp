#include "platform/script/scriptstep.h"

#include "finance/words.h"
#include "platform/script/scriptprinters.h"

#include <charconv>
#include <vector>

namespace tw {

namespace {

struct NamedVerb
{
    std::string_view name;
    StepVerb verb;
};

std::string_view SkipBlanks(std::string_view text)
{
    std::size_t start = 0;
    while (start < text.size() && IsBlank(text[start]))
        ++start;
    return text.substr(start);
}

// Splits off the first word; rest keeps whatever follows it, its first blank included.
std::string_view TakeWord(std::string_view text, std::string_view& rest)
{
    std::size_t end = 0;
    while (end < text.size() && !IsBlank(text[end]))
        ++end;
    rest = text.substr(end);
    return text.substr(0, end);
}

// A plain decimal integer, optionally negative; nothing else may follow.
std::optional<int> ParseInteger(std::string_view word)
{
    int value = 0;
    const char* last = word.data() + word.size();
    auto [end, failure] = std::from_chars(word.data(), last, value);
    if (word.empty() || failure != std::errc() || end != last)
        return std::nullopt;
    return value;
}

ParsedStep Malformed(std::string_view usage)
{
    return {std::nullopt, "malformed arguments, expected: " + std::string(usage)};
}

ParsedStep Make(StepVerb verb, int id = 0, int value = 0)
{
    ScriptStep step;
    step.verb = verb;
    step.id = id;
    step.value = value;
    return {step, {}};
}

ParsedStep ParseSet(std::string_view arguments)
{
    std::string_view rest;
    std::string_view idWord = TakeWord(SkipBlanks(arguments), rest);
    std::optional<int> id = ParseInteger(idWord);
    if (!id)
        return Malformed("set ID TEXT");
    ParsedStep parsed = Make(StepVerb::Set, *id);
    if (!rest.empty())
        parsed.step->text = std::string(rest.substr(1));
    return parsed;
}

// "printer pdf FILE" and "export csv|pdf FILE": the file is the rest of the line, without
// the blanks around it.
ParsedStep WithFile(StepVerb verb, std::string_view rest, std::string_view usage)
{
    const std::string_view file = TrimBlanks(rest);
    if (file.empty())
        return Malformed(usage);
    ParsedStep parsed = Make(verb);
    parsed.step->text = std::string(file);
    return parsed;
}

ParsedStep ParsePrinter(std::string_view arguments)
{
    std::string_view rest;
    const std::string_view what = TakeWord(SkipBlanks(arguments), rest);
    if (what == "pdf")
        return WithFile(StepVerb::PrinterPdf, rest, "printer pdf FILE");
    const std::vector<std::string_view> words = SplitAtBlanks(rest);
    auto integer = [&](std::size_t index) {
        return index < words.size() ? ParseInteger(words[index]) : std::nullopt;
    };
    if (what == "cancel" && words.empty())
        return Make(StepVerb::PrinterCancel);
    if (what == "range") {
        const std::optional<int> from = integer(0);
        const std::optional<int> to = integer(1);
        if (words.size() != 2 || !from || !to || *from < 0 || *to < 0)
            return Malformed("printer range FROM TO");
        return Make(StepVerb::PrinterRange, *from, *to);
    }
    if (what == "copies") {
        const std::optional<int> copies = integer(0);
        if (words.size() != 1 || !copies || *copies < 1)
            return Malformed("printer copies N (1 or more)");
        // Every copy is a page list of its own: bounded as the desktop's dialog bounds it.
        if (*copies > ScriptPrinters::kMostCopies)
            return {std::nullopt, "printer copies " + std::to_string(*copies) +
                                      " out of range (1 to " +
                                      std::to_string(ScriptPrinters::kMostCopies) + ")"};
        return Make(StepVerb::PrinterCopies, 0, *copies);
    }
    if (what == "collate") {
        const std::optional<int> state = integer(0);
        if (words.size() != 1 || !state || (*state != 0 && *state != 1))
            return Malformed("printer collate 0|1");
        return Make(StepVerb::PrinterCollate, 0, *state);
    }
    return Malformed("printer cancel|pdf FILE|range FROM TO|copies N|collate 0|1");
}

ParsedStep ParsePageSetup(const std::vector<std::string_view>& words)
{
    constexpr std::string_view kUsage =
        "pagesetup cancel|portrait|landscape [LEFT TOP RIGHT BOTTOM]";
    if (words.empty())
        return Malformed(kUsage);
    if (words[0] == "cancel" && words.size() == 1)
        return Make(StepVerb::PageSetupCancel);
    if (words[0] != "portrait" && words[0] != "landscape")
        return Malformed(kUsage);
    ParsedStep parsed =
        Make(words[0] == "portrait" ? StepVerb::PageSetupPortrait : StepVerb::PageSetupLandscape);
    if (words.size() == 1)
        return parsed;
    if (words.size() != 5)
        return Malformed(kUsage);
    int margins[4] = {};
    for (std::size_t i = 0; i < 4; ++i) {
        const std::optional<int> margin = ParseInteger(words[i + 1]);
        if (!margin || *margin < 0)
            return Malformed(kUsage);
        margins[i] = *margin;
    }
    // As the desktop's page setup allows: margins that leave some of the paper between them.
    const bool portrait = words[0] == "portrait";
    const int width = portrait ? ScriptPrinters::kPaperWidth : ScriptPrinters::kPaperHeight;
    const int height = portrait ? ScriptPrinters::kPaperHeight : ScriptPrinters::kPaperWidth;
    if (margins[0] >= width - margins[2] || margins[1] >= height - margins[3])
        return {std::nullopt, "pagesetup margins out of range (left + right below " +
                                  std::to_string(width) + ", top + bottom below " +
                                  std::to_string(height) + " thousandths of an inch)"};
    parsed.step->margins = Margins{margins[0], margins[1], margins[2], margins[3]};
    return parsed;
}

ParsedStep ParseExport(std::string_view arguments)
{
    std::string_view rest;
    const std::string_view what = TakeWord(SkipBlanks(arguments), rest);
    if (what == "csv")
        return WithFile(StepVerb::ExportCsv, rest, "export csv FILE");
    if (what == "pdf")
        return WithFile(StepVerb::ExportPdf, rest, "export pdf FILE");
    return Malformed("export csv|pdf FILE");
}

ParsedStep ParseWords(std::string_view verb, const std::vector<std::string_view>& words)
{
    auto integer = [&](std::size_t index) { return ParseInteger(words[index]); };

    if (verb == "command") {
        std::optional<int> number = words.size() == 1 ? integer(0) : std::nullopt;
        if (!number || *number < 0 || *number > 0xFFFF)
            return Malformed("command N (0 to 65535)");
        return Make(StepVerb::Command, *number);
    }
    if (verb == "check") {
        std::optional<int> id = words.size() == 2 ? integer(0) : std::nullopt;
        std::optional<int> state = words.size() == 2 ? integer(1) : std::nullopt;
        if (!id || !state || (*state != 0 && *state != 1))
            return Malformed("check ID 0|1");
        return Make(StepVerb::Check, *id, *state);
    }
    if (verb == "spin") {
        std::optional<int> id = words.size() == 2 ? integer(0) : std::nullopt;
        std::optional<int> position = words.size() == 2 ? integer(1) : std::nullopt;
        if (!id || !position)
            return Malformed("spin ID N");
        return Make(StepVerb::Spin, *id, *position);
    }
    if (verb == "resize") {
        std::optional<int> width = words.size() == 2 ? integer(0) : std::nullopt;
        std::optional<int> height = words.size() == 2 ? integer(1) : std::nullopt;
        if (!width || !height || *width < 0 || *height < 0)
            return Malformed("resize W H");
        ParsedStep parsed = Make(StepVerb::Resize);
        parsed.step->size = {*width, *height};
        return parsed;
    }
    if (verb == "key") {
        if (words.size() == 1 && words[0] == "escape")
            return Make(StepVerb::KeyEscape);
        if (words.size() == 1 && words[0] == "enter")
            return Make(StepVerb::KeyEnter);
        return Malformed("key escape|enter");
    }
    if (verb == "pagesetup")
        return ParsePageSetup(words);
    if (verb == "answer") {
        if (words.size() == 1 && words[0] == "yes")
            return Make(StepVerb::AnswerYes);
        if (words.size() == 1 && words[0] == "no")
            return Make(StepVerb::AnswerNo);
        return Malformed("answer yes|no");
    }

    static constexpr NamedVerb kIdVerbs[] = {
        {"press", StepVerb::Press}, {"leave", StepVerb::Leave}, {"show", StepVerb::Show}};
    for (const NamedVerb& candidate : kIdVerbs) {
        if (verb != candidate.name)
            continue;
        std::optional<int> id = words.size() == 1 ? integer(0) : std::nullopt;
        if (!id)
            return Malformed(std::string(candidate.name) + " ID");
        return Make(candidate.verb, *id);
    }

    static constexpr NamedVerb kPlainVerbs[] = {{"close", StepVerb::Close},
                                                {"move", StepVerb::Move},
                                                {"click", StepVerb::Click},
                                                {"rows", StepVerb::Rows}};
    for (const NamedVerb& candidate : kPlainVerbs) {
        if (verb != candidate.name)
            continue;
        if (!words.empty())
            return Malformed(candidate.name);
        return Make(candidate.verb);
    }

    return {std::nullopt, "unknown step \"" + std::string(verb) + "\""};
}

} // namespace

bool IsScriptFiller(std::string_view line)
{
    std::string_view text = SkipBlanks(line);
    return text.empty() || text.front() == '#';
}

ParsedStep ParseScriptStep(std::string_view line)
{
    std::string_view arguments;
    std::string_view verb = TakeWord(SkipBlanks(line), arguments);
    if (verb == "set")
        return ParseSet(arguments);
    if (verb == "printer")
        return ParsePrinter(arguments);
    if (verb == "export")
        return ParseExport(arguments);
    return ParseWords(verb, SplitAtBlanks(arguments));
}

} // namespace tw
