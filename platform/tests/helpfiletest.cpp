#include "platform/helpfile.h"

#include <gtest/gtest.h>

#include <string>

namespace tw {
namespace {

constexpr std::string_view kSample = "# The help of the tool set\n"
                                     "@contents Tool Set Help\n"
                                     "\n"
                                     "Choose a topic.\n"
                                     "\n"
                                     "@topic 259 Mortgage Calculator\n"
                                     "The mortgage calculator shows the payment.\n"
                                     "- Amount: the price\n"
                                     "# a remark for whoever edits the file\n"
                                     "- Rate: percent a year\n"
                                     "\n"
                                     "\n"
                                     "@topic 1540   Trade-Off Analysis  \n"
                                     "Compares three options.\n"
                                     "@helponhelp Using Help\n"
                                     "Click a link.\n";

TEST(ParseHelpFile, ReadsContentsTopicsAndHelpOnHelp)
{
    const HelpFile file = ParseHelpFile(kSample);
    ASSERT_TRUE(file.contents.has_value());
    EXPECT_EQ(file.contents->title, "Tool Set Help");
    EXPECT_EQ(file.contents->body, "Choose a topic.");
    EXPECT_EQ(file.contents->context, 0);

    ASSERT_EQ(file.topics.size(), 2u);
    EXPECT_EQ(file.topics[0].context, 259);
    EXPECT_EQ(file.topics[0].title, "Mortgage Calculator");
    EXPECT_EQ(file.topics[0].body, "The mortgage calculator shows the payment.\n"
                                   "- Amount: the price\n"
                                   "- Rate: percent a year");
    EXPECT_EQ(file.topics[1].context, 1540);
    EXPECT_EQ(file.topics[1].title, "Trade-Off Analysis");
    EXPECT_EQ(file.topics[1].body, "Compares three options.");

    ASSERT_TRUE(file.helpOnHelp.has_value());
    EXPECT_EQ(file.helpOnHelp->title, "Using Help");
    EXPECT_EQ(file.helpOnHelp->body, "Click a link.");
}

TEST(ParseHelpFile, GivesTheSameResultForCrLfLineEnds)
{
    std::string crlf;
    for (char c : kSample) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    const HelpFile lf = ParseHelpFile(kSample);
    const HelpFile crlfFile = ParseHelpFile(crlf);
    ASSERT_EQ(crlfFile.topics.size(), lf.topics.size());
    for (std::size_t i = 0; i < lf.topics.size(); ++i) {
        SCOPED_TRACE(lf.topics[i].title);
        EXPECT_EQ(crlfFile.topics[i].title, lf.topics[i].title);
        EXPECT_EQ(crlfFile.topics[i].body, lf.topics[i].body);
    }
    ASSERT_TRUE(crlfFile.contents.has_value());
    EXPECT_EQ(crlfFile.contents->title, lf.contents->title);
    ASSERT_TRUE(crlfFile.helpOnHelp.has_value());
    EXPECT_EQ(crlfFile.helpOnHelp->body, lf.helpOnHelp->body);
}

TEST(ParseHelpFile, KeepsBlankLinesInsideABodyAndTrimsThemAtTheEnds)
{
    const HelpFile file =
        ParseHelpFile("@topic 7 T\n  \n\nfirst\n\n  indented\n\t\n\n@topic 8 U\n");
    ASSERT_EQ(file.topics.size(), 2u);
    EXPECT_EQ(file.topics[0].body, "first\n\n  indented");
    EXPECT_EQ(file.topics[1].body, "");
}

TEST(ParseHelpFile, DropsTopicsWhoseNumberIsNotAPositiveWholeNumber)
{
    const struct
    {
        const char* line;
        bool kept;
        int context;
    } cases[] = {
        {"@topic 259 Fine", true, 259},
        {"@topic 259", true, 259},
        {"@topic\t42\tTabs", true, 42},
        {"@topic 0 Zero", false, 0},
        {"@topic -5 Negative", false, 0},
        {"@topic 12x Trailing", false, 0},
        {"@topic x12 Leading", false, 0},
        {"@topic 99999999999 Too big", false, 0},
        {"@topic", false, 0},
        {"@topic    ", false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const std::string text = std::string("@contents C\ncontents text\n") + c.line + "\nbody\n";
        const HelpFile file = ParseHelpFile(text);
        ASSERT_EQ(file.topics.size(), c.kept ? 1u : 0u);
        if (c.kept) {
            EXPECT_EQ(file.topics[0].context, c.context);
            EXPECT_EQ(file.topics[0].body, "body");
        }
        // The lines of a dropped topic never leak into the page above it.
        ASSERT_TRUE(file.contents.has_value());
        EXPECT_EQ(file.contents->body, "contents text");
    }
}

TEST(ParseHelpFile, ToleratesMissingSectionsAndStrayText)
{
    const struct
    {
        const char* what;
        std::string_view text;
        bool contents;
        bool helpOnHelp;
        std::size_t topics;
    } cases[] = {
        {"empty", "", false, false, 0},
        {"only text", "no directives at all\nsecond line", false, false, 0},
        {"only comments", "# one\n#two", false, false, 0},
        {"only a topic", "@topic 3 Three\nx", false, false, 1},
        {"no final line end", "@contents C\nlast", true, false, 0},
        {"binary junk", std::string_view("@contents \0\xff\n\x01", 14), true, false, 0},
        {"directive glued to a word", "@contentsX\n@topics 5 x\n@helponhelpY", false, false, 0},
        {"unknown directive is text", "@contents C\n@nothing here", true, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const HelpFile file = ParseHelpFile(c.text);
        EXPECT_EQ(file.contents.has_value(), c.contents);
        EXPECT_EQ(file.helpOnHelp.has_value(), c.helpOnHelp);
        EXPECT_EQ(file.topics.size(), c.topics);
    }
    EXPECT_EQ(ParseHelpFile("@contents C\n@nothing here").contents->body, "@nothing here");
    EXPECT_EQ(ParseHelpFile("@contents C\nlast").contents->body, "last");
}

TEST(ParseHelpFile, KeepsTheFirstOfRepeatedSectionsAndSkipsALeadingByteOrderMark)
{
    const HelpFile file = ParseHelpFile("\xEF\xBB\xBF@contents First\none\n"
                                        "@contents Second\ntwo\n"
                                        "@helponhelp H1\na\n@helponhelp H2\nb\n");
    ASSERT_TRUE(file.contents.has_value());
    EXPECT_EQ(file.contents->title, "First");
    EXPECT_EQ(file.contents->body, "one");
    ASSERT_TRUE(file.helpOnHelp.has_value());
    EXPECT_EQ(file.helpOnHelp->title, "H1");
    EXPECT_EQ(file.helpOnHelp->body, "a");
}

TEST(HelpFileTopic, FindsTheFirstTopicOfAContextNumber)
{
    const HelpFile file = ParseHelpFile("@topic 5 A\na\n@topic 6 B\nb\n@topic 5 C\nc\n");
    ASSERT_NE(file.topic(5), nullptr);
    EXPECT_EQ(file.topic(5)->title, "A");
    ASSERT_NE(file.topic(6), nullptr);
    EXPECT_EQ(file.topic(6)->title, "B");
    EXPECT_EQ(file.topic(7), nullptr);
    EXPECT_EQ(file.topic(0), nullptr);
}

} // namespace
} // namespace tw
