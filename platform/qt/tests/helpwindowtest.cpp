#include "platform/qt/helpwindow.h"
#include "platform/qt/qtplatform.h"
#include "tests/support/tempdirectory.h"

#include <QPushButton>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>

namespace tw {
namespace {

namespace fs = std::filesystem;

constexpr char kHelpText[] = "@contents Tool Set Help\n"
                             "Pick a topic below.\n"
                             "@topic 259 Mortgage Calculator\n"
                             "Shows the monthly payment.\n"
                             "\n"
                             "- Amount: the price <of the house>\n"
                             "- Rate: percent a year\n"
                             "@topic 1540 Trade-Off Analysis\n"
                             "Compares up to three options.\n"
                             "@helponhelp Using This Help\n"
                             "Click a title.\n";

// Help reads twtools.hlp from the working directory: each test gets its own.
class Help : public ::testing::Test
{
  protected:
    void SetUp() override { std::ofstream("twtools.hlp") << kHelpText; }

    std::string page() const { return platform.helpWindow()->pageText().toStdString(); }

    TempDirectory directory;
    WorkingDirectory inside{directory.path()};
    QtPlatform platform{false};
};

TEST_F(Help, ContentsListEveryTopic)
{
    platform.help(HelpRequest::Contents, 0, nullptr);
    ASSERT_NE(platform.helpWindow(), nullptr);
    EXPECT_TRUE(platform.helpWindow()->isVisible());
    EXPECT_EQ(platform.helpWindow()->windowTitle(), "Tool Set Help");
    const std::string text = page();
    EXPECT_NE(text.find("Pick a topic below."), std::string::npos) << text;
    EXPECT_NE(text.find("Mortgage Calculator"), std::string::npos) << text;
    EXPECT_NE(text.find("Trade-Off Analysis"), std::string::npos) << text;
    const QString html = platform.helpWindow()->browser()->toHtml();
    EXPECT_TRUE(html.contains("help:topic/259"));
    EXPECT_TRUE(html.contains("help:topic/1540"));
}

TEST_F(Help, AContextNumberShowsItsTopicAndOneWindowServesEveryRequest)
{
    platform.help(HelpRequest::Context, 259, nullptr);
    HelpWindow* first = platform.helpWindow();
    const std::string text = page();
    EXPECT_NE(text.find("Mortgage Calculator"), std::string::npos) << text;
    EXPECT_NE(text.find("Shows the monthly payment."), std::string::npos) << text;
    EXPECT_NE(text.find("the price <of the house>"), std::string::npos) << "escaped, not markup";
    EXPECT_EQ(text.find("Trade-Off"), std::string::npos) << text;

    platform.help(HelpRequest::Context, 1540, nullptr);
    EXPECT_EQ(platform.helpWindow(), first);
    EXPECT_NE(page().find("Compares up to three options."), std::string::npos);

    // The file is read again for every request, so edits show at once.
    std::ofstream("twtools.hlp") << "@topic 1540 Changed\nNew text.\n";
    platform.help(HelpRequest::Context, 1540, nullptr);
    EXPECT_NE(page().find("New text."), std::string::npos) << page();
}

TEST_F(Help, AnUnknownContextShowsTheContentsWithANote)
{
    platform.help(HelpRequest::Context, 4242, nullptr);
    const std::string text = page();
    EXPECT_NE(text.find("4242"), std::string::npos) << text;
    EXPECT_NE(text.find("Mortgage Calculator"), std::string::npos) << text;
}

TEST_F(Help, HelpOnHelpComesFromTheFileOrABuiltInPage)
{
    platform.help(HelpRequest::HelpOnHelp, 0, nullptr);
    EXPECT_NE(page().find("Click a title."), std::string::npos) << page();

    std::ofstream("twtools.hlp") << "@contents Only contents\n";
    platform.help(HelpRequest::HelpOnHelp, 0, nullptr);
    EXPECT_NE(page().find("Back returns to the page shown before."), std::string::npos) << page();
}

TEST(HelpWindow, FollowsLinksAndGoesBack)
{
    HelpWindow window;
    HelpFile file;
    file.contents = HelpPage{0, "Contents", "Start here."};
    file.topics.push_back(HelpPage{259, "Mortgage", "About mortgages."});
    window.setHelpFile(file);
    window.showContents();
    emit window.browser()->anchorClicked(QUrl("help:topic/259"));
    EXPECT_TRUE(window.pageText().contains("About mortgages."));
    window.showTopic(259);
    window.showHelpOnHelp();
    EXPECT_FALSE(window.pageText().contains("About mortgages."));

    QPushButton* back = nullptr;
    for (QPushButton* button : window.findChildren<QPushButton*>())
        if (button->text() == "&Back")
            back = button;
    ASSERT_NE(back, nullptr);
    back->click();
    EXPECT_TRUE(window.pageText().contains("About mortgages.")) << "the same page is kept once";
    back->click();
    EXPECT_TRUE(window.pageText().contains("Start here."));
    EXPECT_FALSE(back->isEnabled());
}

TEST_F(Help, ContentsPutOneLinkALineFirstAndTheReferenceAfter)
{
    std::ofstream("twtools.hlp") << "@contents Help\n"
                                    "First paragraph of the reference.\n\n"
                                    "- A list item of the reference\n"
                                    "@topic 259 Mortgage Calculator\nText.\n"
                                    "@topic 1540 Trade-Off Analysis\nText.\n"
                                    "@helponhelp Using This Help\nText.\n";
    platform.help(HelpRequest::Contents, 0, nullptr);
    const QString text = platform.helpWindow()->pageText();
    const QStringList lines = text.split('\n', Qt::SkipEmptyParts);
    // The title, then each topic on a line of its own, in file order, then the reference.
    ASSERT_GE(lines.size(), 6) << text.toStdString();
    EXPECT_EQ(lines[0].trimmed(), "Help");
    EXPECT_TRUE(lines[1].endsWith("Mortgage Calculator")) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].endsWith("Trade-Off Analysis")) << lines[2].toStdString();
    EXPECT_TRUE(lines[3].endsWith("Using This Help")) << lines[3].toStdString();
    EXPECT_GT(text.indexOf("First paragraph of the reference."), text.indexOf("Using This Help"));
    const QString html = platform.helpWindow()->browser()->toHtml();
    EXPECT_LT(html.indexOf("help:topic/259"), html.indexOf("help:topic/1540"));
    EXPECT_LT(html.indexOf("help:helponhelp"), html.indexOf("First paragraph"));
}

TEST_F(Help, TheBuiltInContentsOpenWithTheTopicsOnTheFirstScreen)
{
    std::filesystem::remove("twtools.hlp");
    platform.help(HelpRequest::Contents, 0, nullptr);
    HelpWindow& window = *platform.helpWindow();
    const QString text = window.pageText();
    // Every calculator's page is named before the reference starts.
    const int reference = text.indexOf("made by Tarrow Software");
    ASSERT_GT(reference, 0) << text.toStdString();
    for (const char* topic : {"Mortgage Calculator", "Loan Calculator", "Refinance Analysis",
                              "Trade-Off Analysis", "Credit Card Debt", "Inflation Calculator"})
        EXPECT_LT(text.indexOf(topic), reference) << topic;
}

TEST_F(Help, EscapeClosesTheHelpWindow)
{
    platform.help(HelpRequest::Contents, 0, nullptr);
    HelpWindow* window = platform.helpWindow();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::keyClick(window->browser(), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    platform.help(HelpRequest::Contents, 0, nullptr);
    EXPECT_TRUE(window->isVisible()) << "help opens it again";
}

} // namespace
} // namespace tw
