#include "platform/form.h"
#include "platform/script/scripthost.h"
#include "platform/script/tests/testdialogs.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

namespace tw {
namespace {

using namespace uitext;

// A form that writes every notice into the same transcript as the host, so that a test sees
// the order of both. Unless a test says otherwise, 1 ends the dialog with 1 and 2 with 2.
class TestForm : public Form
{
  public:
    TestForm(std::string name, std::ostream& out) : name_(std::move(name)), out_(out) {}

    std::string_view resource() const override { return name_; }
    int defaultButton() const override { return defaultId; }
    void opened(Window& opened) override
    {
        window = &opened;
        log("opened");
        if (onOpened)
            onOpened(opened);
    }
    void command(int id) override
    {
        log("command " + std::to_string(id));
        if (onCommand)
            onCommand(id);
        else if (id == 1 || id == 2)
            window->end(id);
    }
    void focusLost(int id) override { log("focus lost " + std::to_string(id)); }
    void moved() override { log("moved"); }
    void closeRequested() override { log("close request"); }
    void resized(Size client) override
    {
        log("resized " + std::to_string(client.width) + " " + std::to_string(client.height));
    }
    void spinMoved(int id, int position) override
    {
        log("spin " + std::to_string(id) + " " + std::to_string(position));
    }
    void surfaceClicked() override { log("clicked"); }

    // Opens the form as its opener would and writes what the dialog returned.
    void open(Platform& platform, Window* owner = nullptr)
    {
        const int result = platform.runModal(*this, owner);
        log("returned " + std::to_string(result));
    }
    void log(const std::string& text) { out_ << name_ << ' ' << text << '\n'; }

    Window* window = nullptr;
    int defaultId = kEnterCommand;
    std::function<void(int)> onCommand;
    std::function<void(Window&)> onOpened;

  private:
    std::string name_;
    std::ostream& out_;
};

// The shell's part: command 1 opens A, 2 opens B, 3 brings A to the front, 5 destroys the
// main window.
class ScriptHostTest : public ::testing::Test, public MainWindowEvents
{
  protected:
    ScriptHostTest()
    {
        dialogs_["A"] = Dialog(
            "A",
            Item(Control("QLineEdit", 101)) +
                Item(Control("QLineEdit", 102, "", Flag("enabled", false))) +
                Item(Control("QLineEdit", 103, "result", Flag("readOnly", true))) +
                Item(Choices(105, {"12 (monthly)", "26 (every two weeks)"})) +
                Item(Control("QPushButton", 1, "OK")) + Item(Control("QPushButton", 2, "Cancel")) +
                Item(Control("QPushButton", 10, "More")) +
                Item(Group("g1", Item(Control("QRadioButton", 301, "", Flag("checked", true))) +
                                     Item(Control("QRadioButton", 302)))) +
                Item(Group("g2",
                           Item(Control("QRadioButton", 303)) + Item(Control("QCheckBox", 304)))));
        dialogs_["B"] = Dialog(
            "B", Item(Control("QLineEdit", 201, "b")) + Item(Control("QPushButton", 1, "OK")), 200,
            100);
        host_.setMainWindow(this);
    }

    void command(int id) override
    {
        out_ << "main command " << id << '\n';
        if (id == 1)
            a_.open(host_);
        else if (id == 2)
            b_.open(host_);
        else if (id == 3)
            a_.window->bringToFront();
        else if (id == 5)
            host_.destroy();
        else if (id == 6) { // a new window each time, from wherever the command comes
            TestForm nested{"B", out_};
            nested.open(host_);
        }
    }
    void closeRequested() override { out_ << "main close\n"; }
    void toolbarNotified() override {}
    void pointerMoved(int, int) override {}

    int run(const std::string& script)
    {
        std::istringstream in(script);
        return host_.run(in);
    }

    std::ostringstream out_;
    std::map<std::string, std::string, std::less<>> dialogs_;
    ScriptHost host_{out_, [this](std::string_view name) -> std::optional<std::string> {
                         auto found = dialogs_.find(name);
                         if (found == dialogs_.end())
                             return std::nullopt;
                         return found->second;
                     }};
    TestForm a_{"A", out_};
    TestForm b_{"B", out_};
};

TEST_F(ScriptHostTest, RunsTheStepsOfAFormInsideItsLoopAndReturnsItsResult)
{
    a_.onCommand = [&](int) {
        a_.log("reads " + a_.window->text(101, 5) + "|" + a_.window->text(101, 50));
        a_.window->end(7);
    };
    EXPECT_EQ(run("command 1\nset 101 Grüße € 12\nshow 101\nshow 105\nset 105 26\nshow 105\n"
                  "press 1\n"),
              0);
    EXPECT_EQ(out_.str(), "main command 1\nopen\tA\nA opened\nfield\t101\tGrüße € 12\n"
                          "field\t105\t12 (monthly)\nfield\t105\t26 (every two weeks)\n"
                          "A command 1\nA reads Grüß|Grüße € 12\nclosed\tA\nA returned 7\n");
    EXPECT_EQ(host_.activeWindow(), nullptr);
}

TEST_F(ScriptHostTest, FormOpenedByAFormRunsTheFollowingLinesUntilItCloses)
{
    a_.onCommand = [&](int id) {
        if (id == 10)
            b_.open(host_);
        else
            a_.window->end(id);
    };
    EXPECT_EQ(run("command 1\npress 10\nshow 201\npress 1\nshow 101\npress 2\n"), 0);
    EXPECT_EQ(out_.str(), "main command 1\nopen\tA\nA opened\nA command 10\nopen\tB\nB opened\n"
                          "field\t201\tb\nB command 1\nclosed\tB\nB returned 1\n"
                          "field\t101\t\nA command 2\nclosed\tA\nA returned 2\n");
}

TEST_F(ScriptHostTest, CommandWhileAFormIsOpenRunsNestedInsideItsLoop)
{
    EXPECT_EQ(run("command 1\ncommand 2\nshow 201\nkey escape\nshow 101\nkey enter\nclose\n"), 0);
    EXPECT_EQ(out_.str(), "main command 1\nopen\tA\nA opened\nmain command 2\nopen\tB\nB opened\n"
                          "field\t201\tb\nB command 2\nclosed\tB\nB returned 2\n"
                          "field\t101\t\nA command 1\nclosed\tA\nA returned 1\nmain close\n");
}

TEST_F(ScriptHostTest, EndOfScriptInNestedLoopsRunsNothingMore)
{
    a_.onCommand = [&](int) {
        b_.open(host_);
        host_.post(*a_.window, [&] { out_ << "posted after B\n"; });
    };
    b_.onOpened = [&](Window& window) { host_.post(window, [&] { out_ << "posted by B\n"; }); };
    EXPECT_EQ(run("command 1\npress 10\n# the user walks away\n"), 0);
    EXPECT_EQ(out_.str(), "main command 1\nopen\tA\nA opened\nA command 10\nopen\tB\nB opened\n"
                          "posted by B\n");
    EXPECT_EQ(host_.activeWindow(), nullptr);
}

TEST_F(ScriptHostTest, DestroyedMainWindowEndsTheRunAfterTheStep)
{
    a_.onCommand = [&](int) { b_.open(host_); };
    EXPECT_EQ(run("command 1\npress 10\ncommand 5\npress 1\nshow 201\n"), 0);
    EXPECT_EQ(out_.str(), "main command 1\nopen\tA\nA opened\nA command 10\nopen\tB\nB opened\n"
                          "main command 5\n");

    // A step that closes its window and destroys the main window does not return to the opener.
    out_.str("");
    b_.onCommand = [&](int) {
        b_.window->end(1);
        host_.destroy();
    };
    EXPECT_EQ(run("command 1\npress 10\npress 1\nshow 101\n"), 0);
    EXPECT_EQ(out_.str(), "main command 1\nopen\tA\nA opened\nA command 10\nopen\tB\nB opened\n"
                          "B command 1\nclosed\tB\n");
}

TEST_F(ScriptHostTest, StepThatCannotBeCarriedOutStopsTheRunWithCodeTwo)
{
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"frob 1", "unknown step \"frob\""},
        {"press", "malformed arguments, expected: press ID"},
        {"show 999", "no such control: 999"},
        {"leave 999", "no such control: 999"},
        {"set 102 x", "control disabled: 102"},
        {"press 102", "control disabled: 102"},
        {"set 103 x", "read-only field: 103"},
        {"set 1 x", "not an input field: 1"},
        {"set 105 2", "no such item in choice list 105: 2"},
        {"press 101", "not a button: 101"},
        {"check 1 1", "not a check box or radio button: 1"},
        {"spin 101 3", "no spin control on field: 101"},
    };
    for (const auto& [step, why] : cases) {
        SCOPED_TRACE(std::string(step));
        out_.str("");
        EXPECT_EQ(run("# open A\ncommand 1\n\n" + std::string(step) + "\npress 1\n"), 2);
        EXPECT_EQ(out_.str(),
                  "main command 1\nopen\tA\nA opened\nerror\t4\t" + std::string(why) + "\n");
    }

    out_.str("");
    EXPECT_EQ(run("show 101\ncommand 1\n"), 2);
    EXPECT_EQ(out_.str(), "error\t1\tno active window\n");

    host_.setMainWindow(nullptr);
    out_.str("");
    EXPECT_EQ(run("\r\ncommand 1\r\n"), 2);
    EXPECT_EQ(out_.str(), "error\t2\tno main window\n");
}

TEST_F(ScriptHostTest, CheckAndPressSetRadioGroupsAndReportOnlyRealChanges)
{
    a_.onCommand = [&](int) {
        std::string states;
        for (int id : {301, 302, 303, 304})
            states += a_.window->isChecked(id) ? '1' : '0';
        a_.log(states);
    };
    EXPECT_EQ(run("command 1\ncheck 302 1\ncheck 302 1\ncheck 301 0\npress 303\npress 303\n"
                  "press 304\ncheck 304 1\npress 304\ncheck 302 0\n"),
              0);
    EXPECT_EQ(out_.str(), "main command 1\nopen\tA\nA opened\n"
                          "A command 302\nA 0100\n"
                          "A command 303\nA 0110\nA command 303\nA 0110\n"
                          "A command 304\nA 0111\nA command 304\nA 0110\n"
                          "A command 302\nA 0010\n");
}

TEST_F(ScriptHostTest, QuestionBoxTakesTheAnswerGivenBeforeItOnce)
{
    a_.onCommand = [&](int) {
        const auto ask = [&](MessageButtons buttons, std::string_view text) {
            const MessageAnswer answer =
                host_.message(a_.window, text, "Title", MessageIcon::Question, buttons, true);
            a_.log(answer == MessageAnswer::Yes  ? "yes"
                   : answer == MessageAnswer::No ? "no"
                                                 : "ok");
        };
        ask(MessageButtons::Ok, "Line 1\nLine 2\r");
        ask(MessageButtons::YesNo, "Sure?");
        ask(MessageButtons::YesNo, "Really?");
    };
    EXPECT_EQ(run("command 1\nanswer yes\npress 10\n"), 0);
    EXPECT_EQ(out_.str(), "main command 1\nopen\tA\nA opened\nA command 10\n"
                          "message\tquestion\tTitle\tLine 1\\nLine 2\\r\nA ok\n"
                          "message\tquestion\tTitle\tSure?\nA yes\n"
                          "message\tquestion\tTitle\tReally?\nA no\n");
}

// Windows opened from inside windows nest their loops on the stack; past the bound the run
// stops with an error instead of running out of stack.
TEST_F(ScriptHostTest, StopsWindowsNestedBeyondTheBound)
{
    std::string script;
    for (int i = 0; i < 10000; ++i)
        script += "command 6\n";
    EXPECT_EQ(run(script), 2);
    std::string expected;
    for (int i = 0; i < ScriptHost::kMaxNestedWindows; ++i)
        expected += "main command 6\nopen\tB\nB opened\n";
    expected += "main command 6\nerror\t" + std::to_string(ScriptHost::kMaxNestedWindows + 1) +
                "\ttoo many nested windows (at most " +
                std::to_string(ScriptHost::kMaxNestedWindows) + ")\n";
    EXPECT_EQ(out_.str(), expected);

    // The bound is on the nesting, not on the windows opened one after the other.
    out_.str("");
    std::string sequence;
    for (int i = 0; i < 3 * ScriptHost::kMaxNestedWindows; ++i)
        sequence += "command 6\npress 1\n";
    EXPECT_EQ(run(sequence), 0);
    EXPECT_EQ(out_.str().find("error"), std::string::npos);
}

// A script without line feeds (/dev/zero) must not fill the memory: a line is read up to
// the bound, which a comment line may reach but not pass.
TEST_F(ScriptHostTest, StopsAtALineLongerThanTheBound)
{
    const std::size_t bound = ScriptHost::kMaxLineBytes;
    EXPECT_EQ(run("# " + std::string(bound - 2, 'x') + "\ncommand 1\n"), 0);
    EXPECT_EQ(out_.str(), "main command 1\nopen\tA\nA opened\n");

    out_.str("");
    EXPECT_EQ(run("command 1\n# " + std::string(bound, '\0')), 2);
    EXPECT_EQ(out_.str(), "main command 1\nopen\tA\nA opened\nerror\t2\tline longer than " +
                              std::to_string(bound) + " bytes\n");
}

// The fields of an output line are separated by tabs: a tab, a line break or a backslash
// inside a text is escaped, so that the line splits into the texts it was made of.
TEST_F(ScriptHostTest, EscapesTabsBackslashesAndLineBreaksInTexts)
{
    EXPECT_EQ(run("command 1\nset 101 a\tb\\c\\n\\\\\nshow 101\n"), 0);
    EXPECT_EQ(out_.str(),
              "main command 1\nopen\tA\nA opened\nfield\t101\ta\\tb\\\\c\\\\n\\\\\\\\\n");

    out_.str("");
    a_.onCommand = [&](int) {
        host_.message(a_.window, "C:\\tmp\tx\r\n", "T\\", MessageIcon::Warning, MessageButtons::Ok,
                      true);
    };
    EXPECT_EQ(run("command 1\npress 10\n"), 0);
    EXPECT_EQ(out_.str(), "main command 1\nopen\tA\nA opened\nA command 10\n"
                          "message\twarning\tT\\\\\tC:\\\\tmp\\tx\\r\\n\n");
}

TEST_F(ScriptHostTest, RowsArePrintedOnlyOnceTheListIsShown)
{
    a_.onOpened = [](Window& window) {
        window.createList(500, {0, 0, 300, 100}, {{"Year", 40}, {"Note", 80}});
        window.addListRow(500, {"1", "first"});
        window.addListRow(500, {"2", "two\nlines"});
    };
    a_.onCommand = [&](int) { a_.window->showControl(500, true); };
    EXPECT_EQ(run("command 1\nrows\npress 10\nrows\n"), 0);
    EXPECT_EQ(out_.str(), "main command 1\nopen\tA\nA opened\nA command 10\n"
                          "row\t1\tfirst\nrow\t2\ttwo\\nlines\n");
}

TEST_F(ScriptHostTest, SpinWritesItsClampedPositionIntoTheFieldThenTellsTheForm)
{
    a_.onOpened = [](Window& window) { window.attachSpin(101, 0, 100, 5); };
    EXPECT_EQ(run("command 1\nspin 101 7\nshow 101\nspin 101 250\nshow 101\n"), 0);
    EXPECT_EQ(out_.str(), "main command 1\nopen\tA\nA opened\nA spin 101 7\nfield\t101\t7\n"
                          "A spin 101 100\nfield\t101\t100\n");
}

TEST_F(ScriptHostTest, WindowNoticesReachTheActiveForm)
{
    const auto logSize = [&](const Window& window) {
        a_.log("size " + std::to_string(window.clientSize().width) + "x" +
               std::to_string(window.clientSize().height));
    };
    a_.defaultId = 10;
    a_.onOpened = logSize;
    // After the default button has been disabled, Enter does nothing.
    a_.onCommand = [&](int id) {
        a_.window->setEnabled(id, false);
        logSize(*a_.window);
    };
    EXPECT_EQ(run("command 1\nresize 400 250\nmove\nclick\nleave 101\nclose\nkey enter\nkey enter\n"
                  "key escape\n"),
              0);
    EXPECT_EQ(out_.str(), "main command 1\nopen\tA\nA opened\nA size 300x200\nA resized 400 250\n"
                          "A moved\nA clicked\nA focus lost 101\nA close request\nA command 10\n"
                          "A size 400x250\nA command 2\nA size 400x250\n");
}

TEST_F(ScriptHostTest, BroughtToFrontWindowIsActiveUntilItEnds)
{
    EXPECT_EQ(run("command 1\ncommand 2\ncommand 3\nshow 101\npress 1\nshow 201\npress 1\n"), 0);
    EXPECT_EQ(out_.str(), "main command 1\nopen\tA\nA opened\nmain command 2\nopen\tB\nB opened\n"
                          "main command 3\nfield\t101\t\nA command 1\nclosed\tA\n"
                          "field\t201\tb\nB command 1\nclosed\tB\nB returned 1\nA returned 1\n");
}

TEST_F(ScriptHostTest, OwnedWindowStaysInFrontOfItsOwner)
{
    a_.onCommand = [&](int id) {
        if (id == 10)
            b_.open(host_, a_.window);
        else
            a_.window->end(id);
    };
    EXPECT_EQ(run("command 1\npress 10\ncommand 3\nshow 201\npress 1\nshow 101\n"), 0);
    EXPECT_EQ(out_.str(), "main command 1\nopen\tA\nA opened\nA command 10\nopen\tB\nB opened\n"
                          "main command 3\nfield\t201\tb\nB command 1\nclosed\tB\nB returned 1\n"
                          "field\t101\t\n");
}

TEST_F(ScriptHostTest, PostedNoticeRunsOnceTheStepIsDone)
{
    a_.onCommand = [&](int id) {
        host_.post(*a_.window, [&, id] { out_ << "notice " << id << '\n'; });
        if (id == 1)
            a_.window->end(1);
        a_.log("posted");
    };
    EXPECT_EQ(run("command 1\npress 10\nshow 101\npress 1\n"), 0);
    // The notice of the step that closed A never reaches it: A is gone by then.
    EXPECT_EQ(out_.str(), "main command 1\nopen\tA\nA opened\nA command 10\nA posted\nnotice 10\n"
                          "field\t101\t\nA command 1\nclosed\tA\nA posted\nA returned 1\n");
}

TEST_F(ScriptHostTest, NoticeOfAClosedWindowIsNotTakenByTheNextWindowOpened)
{
    // The step that closes A posts a notice to it, and its opener opens A again at once, at
    // the same place: the notice still belongs to the first A and never runs.
    a_.onCommand = [&](int id) {
        if (id != 1)
            return;
        host_.post(*a_.window, [&] { out_ << "stale notice\n"; });
        a_.window->end(1);
    };
    bool again = true;
    b_.onOpened = [&](Window&) {
        a_.open(host_);
        if (again) {
            again = false;
            a_.open(host_);
        }
    };
    EXPECT_EQ(run("command 2\npress 1\nshow 101\n"), 0);
    EXPECT_EQ(out_.str().find("stale notice"), std::string::npos) << out_.str();
    EXPECT_NE(out_.str().find("field\t101"), std::string::npos) << out_.str();
}

TEST_F(ScriptHostTest, MissingOrBrokenResourceOpensNothing)
{
    TestForm missing("nosuch", out_);
    TestForm broken("broken", out_);
    dialogs_["broken"] = "<ui version=\"4.0\"><widget class=\"QDialog\">";
    a_.onCommand = [&](int) {
        missing.open(host_);
        broken.open(host_);
    };
    EXPECT_EQ(run("command 1\npress 10\n"), 0);
    EXPECT_EQ(out_.str(), "main command 1\nopen\tA\nA opened\nA command 10\n"
                          "nosuch returned -1\nbroken returned -1\n");

    out_.str("");
    b_.open(host_); // with no script running there is nobody to work it
    EXPECT_EQ(out_.str(), "B returned -1\n");
}

TEST_F(ScriptHostTest, ReportsOutsideProgramsAddressesAndHelpInsteadOfShowingThem)
{
    EXPECT_FALSE(host_.startProgram("twnosuchprogram.exe 1 2"));
    EXPECT_TRUE(host_.startProgram("sh.exe -c exit"));
    EXPECT_TRUE(host_.openAddress("mailto:help@tarrow.example"));
    host_.help(HelpRequest::Contents, 0, nullptr);
    host_.help(HelpRequest::Context, 42, nullptr);
    host_.help(HelpRequest::HelpOnHelp, 0, nullptr);
    host_.repaintMainFrame();
    EXPECT_EQ(out_.str(), "start\ttwnosuchprogram.exe 1 2\tfailed\nstart\tsh.exe -c exit\tok\n"
                          "url\tmailto:help@tarrow.example\n"
                          "help\ttwtools.hlp\tcontents\nhelp\ttwtools.hlp\tcontext\t42\n"
                          "help\ttwtools.hlp\thelponhelp\n");
    EXPECT_EQ(host_.outerRect(), (Rect{100, 100, 350, 90}));
}

} // namespace
} // namespace tw
