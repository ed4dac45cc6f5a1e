#include "finance/words.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tw {
namespace {

struct WordsCase
{
    std::string text;
    std::string trimmed;
    std::vector<std::string> words;
};

class Words : public ::testing::TestWithParam<WordsCase>
{
};

TEST_P(Words, TrimsAndSplitsAtSpacesAndTabsOnly)
{
    const WordsCase& c = GetParam();
    EXPECT_EQ(TrimBlanks(c.text), c.trimmed);
    std::vector<std::string> words;
    for (const std::string_view word : SplitAtBlanks(c.text))
        words.emplace_back(word);
    EXPECT_EQ(words, c.words);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Words,
    ::testing::Values(WordsCase{"", "", {}}, WordsCase{" \t \t", "", {}},
                      WordsCase{"calc.exe", "calc.exe", {"calc.exe"}},
                      WordsCase{"  a \t\tbb  ccc\t", "a \t\tbb  ccc", {"a", "bb", "ccc"}},
                      // A line end is not a blank: it stays in the word it touches.
                      WordsCase{"Done\r", "Done\r", {"Done\r"}},
                      WordsCase{"1\n 2", "1\n 2", {"1\n", "2"}},
                      // Bytes of other scripts are never taken for blanks.
                      WordsCase{"\xc2\xa0x\xc2\xa0", "\xc2\xa0x\xc2\xa0", {"\xc2\xa0x\xc2\xa0"}}));

TEST(Words, ViewsPointIntoTheText)
{
    const std::string text = " one two ";
    const std::vector<std::string_view> words = SplitAtBlanks(text);
    ASSERT_EQ(words.size(), 2U);
    EXPECT_EQ(words[0].data(), text.data() + 1);
    EXPECT_EQ(words[1].data(), text.data() + 5);
    EXPECT_EQ(TrimBlanks(text).data(), text.data() + 1);
}

} // namespace
} // namespace tw
