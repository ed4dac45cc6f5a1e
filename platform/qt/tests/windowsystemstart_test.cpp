// The one line a program says when Qt cannot start its window system, from what Qt said.
#include "platform/qt/windowsystemstart.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tw {
namespace {

const StartAdvice kAdvice{"twtools",
                          "; run the calculators without a display with: twtools script FILE"};

TEST(WindowSystemFailureLine, NamesTheCauseFromWhatQtSaid)
{
    const std::string noPlugin =
        "qt.qpa.plugin: Could not load the Qt platform plugin \"xcb\" in \"\" even though it "
        "was found.";
    const std::string available =
        "This application failed to start because no Qt platform plugin could be initialized. "
        "Reinstalling the application may fix this problem.\n\nAvailable platform plugins "
        "are: minimal, offscreen, xcb.\n";
    struct Case
    {
        const char* name;
        std::vector<std::string> said;
        std::string display;
        std::string cause;
    };
    const Case cases[] = {
        {"display not there",
         {"qt.qpa.xcb: could not connect to display :4711", noPlugin, available},
         ":4711",
         "cannot open the display \":4711\""},
        {"display unset",
         {"qt.qpa.xcb: could not connect to display ", available},
         "",
         "cannot open a display (DISPLAY is unset)"},
        {"unknown platform",
         {"qt.qpa.plugin: Could not find the Qt platform plugin \"bogus\" in \"\"", available},
         "",
         "there is no window system platform \"bogus\" (there are: minimal, offscreen, xcb)"},
        {"unknown platform, no list",
         {"qt.qpa.plugin: Could not find the Qt platform plugin \"bogus\" in \"\""},
         ":0",
         "there is no window system platform \"bogus\""},
        {"something else",
         {"qt.qpa.wayland: the compositor went away"},
         ":0",
         "the window system cannot be started"},
        {"nothing said", {}, "", "the window system cannot be started"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(WindowSystemFailureLine(c.said, c.display, kAdvice),
                  "twtools: " + c.cause + kAdvice.withoutDisplay);
    }
}

TEST(WindowSystemFailureLine, SpeaksForTheProgramThatFailed)
{
    const StartAdvice graph{"twtplot",
                            "; draw the chart into a file with: twtplot --output OUT.png x.tmp"};
    EXPECT_EQ(WindowSystemFailureLine({"qt.qpa.xcb: could not connect to display :9"}, ":9", graph),
              "twtplot: cannot open the display \":9\"; draw the chart into a file with: twtplot "
              "--output OUT.png x.tmp");
    EXPECT_EQ(WindowSystemFailureLine({}, "", StartAdvice{"twref", ""}),
              "twref: the window system cannot be started");
    EXPECT_EQ(NoDisplayLine(graph), "twtplot: no display to open the window on (DISPLAY and "
                                    "WAYLAND_DISPLAY are unset); draw the chart into a file "
                                    "with: twtplot --output OUT.png x.tmp");
}

} // namespace
} // namespace tw
