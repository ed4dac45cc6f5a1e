#include "platform/script/scriptstep.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

struct GoodLine
{
    std::string_view line;
    StepVerb verb;
    int id = 0;
    int value = 0;
    std::string_view text = {};
    Size size = {};
    std::optional<Margins> margins = {};
};

TEST(ParseScriptStep, TakesApartEveryVerb)
{
    const GoodLine cases[] = {
        {"command 108", StepVerb::Command, 108},
        {"command 65535", StepVerb::Command, 65535},
        {"set 101 12.5", StepVerb::Set, 101, 0, "12.5"},
        {"set 101  two  blanks ", StepVerb::Set, 101, 0, " two  blanks "},
        {"set 101 ", StepVerb::Set, 101, 0, ""},
        {"set 101", StepVerb::Set, 101, 0, ""},
        {"set 101 Grüße\t1", StepVerb::Set, 101, 0, "Grüße\t1"},
        {"check 301 1", StepVerb::Check, 301, 1},
        {"check 301 0", StepVerb::Check, 301, 0},
        {"press 1", StepVerb::Press, 1},
        {"leave 102", StepVerb::Leave, 102},
        {"key escape", StepVerb::KeyEscape},
        {"key enter", StepVerb::KeyEnter},
        {"close", StepVerb::Close},
        {"move", StepVerb::Move},
        {"resize 640 0", StepVerb::Resize, 0, 0, "", {640, 0}},
        {"spin 601 -3", StepVerb::Spin, 601, -3},
        {"click", StepVerb::Click},
        {"show 7", StepVerb::Show, 7},
        {"rows", StepVerb::Rows},
        {"answer yes", StepVerb::AnswerYes},
        {"answer no", StepVerb::AnswerNo},
        {"  press   2  ", StepVerb::Press, 2},
        {"printer cancel", StepVerb::PrinterCancel},
        {"printer pdf out.pdf", StepVerb::PrinterPdf, 0, 0, "out.pdf"},
        {"printer pdf  my file.pdf  ", StepVerb::PrinterPdf, 0, 0, "my file.pdf"},
        {"printer range 2 3", StepVerb::PrinterRange, 2, 3},
        {"printer range 0 0", StepVerb::PrinterRange, 0, 0},
        {"printer copies 3", StepVerb::PrinterCopies, 0, 3},
        {"printer copies 999", StepVerb::PrinterCopies, 0, 999},
        {"printer collate 1", StepVerb::PrinterCollate, 0, 1},
        {"printer collate 0", StepVerb::PrinterCollate, 0, 0},
        {"pagesetup cancel", StepVerb::PageSetupCancel},
        {"pagesetup portrait", StepVerb::PageSetupPortrait},
        {"pagesetup landscape", StepVerb::PageSetupLandscape},
        {"pagesetup landscape 750 1250 333 0",
         StepVerb::PageSetupLandscape,
         0,
         0,
         "",
         {},
         Margins{750, 1250, 333, 0}},
        {"pagesetup portrait 8499 0 0 10999",
         StepVerb::PageSetupPortrait,
         0,
         0,
         "",
         {},
         Margins{8499, 0, 0, 10999}},
        {"export csv table.csv", StepVerb::ExportCsv, 0, 0, "table.csv"},
        {"export pdf out/t.pdf", StepVerb::ExportPdf, 0, 0, "out/t.pdf"},
    };
    for (const GoodLine& expected : cases) {
        SCOPED_TRACE(std::string(expected.line));
        const ParsedStep parsed = ParseScriptStep(expected.line);
        ASSERT_TRUE(parsed.step.has_value()) << parsed.error;
        EXPECT_EQ(parsed.step->verb, expected.verb);
        EXPECT_EQ(parsed.step->id, expected.id);
        EXPECT_EQ(parsed.step->value, expected.value);
        EXPECT_EQ(parsed.step->text, expected.text);
        EXPECT_EQ(parsed.step->size, expected.size);
        EXPECT_EQ(parsed.step->margins, expected.margins);
    }
}

TEST(ParseScriptStep, NamesWhatIsWrongWithABadLine)
{
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"frob 1", "unknown step \"frob\""},
        {"Press 1", "unknown step \"Press\""},
        {"command", "malformed arguments, expected: command N (0 to 65535)"},
        {"command 65536", "malformed arguments, expected: command N (0 to 65535)"},
        {"command 1x", "malformed arguments, expected: command N (0 to 65535)"},
        {"set x 1", "malformed arguments, expected: set ID TEXT"},
        {"check 301 2", "malformed arguments, expected: check ID 0|1"},
        {"check 301", "malformed arguments, expected: check ID 0|1"},
        {"press", "malformed arguments, expected: press ID"},
        {"press 1 2", "malformed arguments, expected: press ID"},
        {"show +5", "malformed arguments, expected: show ID"},
        {"key tab", "malformed arguments, expected: key escape|enter"},
        {"answer maybe", "malformed arguments, expected: answer yes|no"},
        {"resize 10 -1", "malformed arguments, expected: resize W H"},
        {"spin 601", "malformed arguments, expected: spin ID N"},
        {"rows 1", "malformed arguments, expected: rows"},
        // Bounded as the desktop's dialogs bound them: each copy is a page list of its own,
        // and margins beyond the paper once overflowed the conversion to printer pixels.
        {"printer copies 1000", "printer copies 1000 out of range (1 to 999)"},
        {"printer copies 2147483647", "printer copies 2147483647 out of range (1 to 999)"},
        {"pagesetup portrait 1789570 0 0 0",
         "pagesetup margins out of range (left + right below 8500, top + bottom below 11000 "
         "thousandths of an inch)"},
        {"pagesetup portrait 4250 0 4250 0",
         "pagesetup margins out of range (left + right below 8500, top + bottom below 11000 "
         "thousandths of an inch)"},
        {"pagesetup landscape 0 4250 0 4250",
         "pagesetup margins out of range (left + right below 11000, top + bottom below 8500 "
         "thousandths of an inch)"},
        {"pagesetup landscape 0 0 0 2147483647",
         "pagesetup margins out of range (left + right below 11000, top + bottom below 8500 "
         "thousandths of an inch)"},
    };
    for (const auto& [line, why] : cases) {
        SCOPED_TRACE(std::string(line));
        const ParsedStep parsed = ParseScriptStep(line);
        EXPECT_FALSE(parsed.step.has_value());
        EXPECT_EQ(parsed.error, why);
    }
}

TEST(ParseScriptStep, RefusesMalformedPrintingSteps)
{
    for (const std::string_view line :
         {"printer", "printer pdf", "printer pdf   ", "printer range 1", "printer range 1 2 3",
          "printer range -1 2", "printer copies 0", "printer copies x", "printer collate 2",
          "printer cancel now", "printer fax", "pagesetup", "pagesetup sideways",
          "pagesetup cancel 1", "pagesetup portrait 1 2 3", "pagesetup landscape 1 2 3 -4",
          "export", "export csv", "export xls a.xls"}) {
        SCOPED_TRACE(std::string(line));
        const ParsedStep parsed = ParseScriptStep(line);
        EXPECT_FALSE(parsed.step.has_value());
        EXPECT_NE(parsed.error.find("malformed arguments, expected: "), std::string::npos)
            << parsed.error;
    }
}

TEST(IsScriptFiller, SkipsBlankAndCommentLinesOnly)
{
    EXPECT_TRUE(IsScriptFiller(""));
    EXPECT_TRUE(IsScriptFiller(" \t "));
    EXPECT_TRUE(IsScriptFiller("# press 1"));
    EXPECT_TRUE(IsScriptFiller("  #"));
    EXPECT_FALSE(IsScriptFiller("press 1 # not a comment"));
}

} // namespace
} // namespace tw
