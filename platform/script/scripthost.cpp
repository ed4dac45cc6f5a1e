#include "platform/script/scripthost.h"

#include "platform/choicelist.h"
#include "platform/form.h"
#include "platform/programlookup.h"
#include "platform/qtcore/utf8.h"
#include "platform/script/dialogresource.h"
#include "platform/script/scriptstep.h"
#include "platform/script/scriptwindow.h"
#include "platform/tableexport.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <algorithm>
#include <istream>
#include <ostream>
#include <utility>

namespace tw {

// Ends a run from whatever depth of nested loops it has reached. Deliberately not a
// std::exception, so that a form's handler for those does not swallow it.
struct ScriptHost::Stop
{
    int exitCode = 0;
};

namespace {

// Output is one line per event with tab-separated fields, so a line break or a tab inside a
// text is written as the two characters \n (\r, \t), and a backslash as \\: every line
// then reads back into the same fields and texts.
std::string Escape(std::string_view text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        if (c == '\n')
            escaped += "\\n";
        else if (c == '\r')
            escaped += "\\r";
        else if (c == '\t')
            escaped += "\\t";
        else if (c == '\\')
            escaped += "\\\\";
        else
            escaped += c;
    }
    return escaped;
}

bool IsCheckBox(const DialogControl& control)
{
    return control.className == "QCheckBox";
}

bool IsButton(const DialogControl& control)
{
    return control.className == "QPushButton" || control.className == "QToolButton" ||
           control.className == "QCommandLinkButton" || IsCheckBox(control) ||
           IsRadioButton(control);
}

bool IsInputField(const DialogControl& control)
{
    return control.className == "QLineEdit" || control.className == "QTextEdit" ||
           control.className == "QPlainTextEdit";
}

} // namespace

std::optional<std::string> ScriptHost::ReadCompiledDialog(std::string_view name)
{
    const QString path = QStringLiteral(":/") + FromUtf8(name) + QStringLiteral(".ui");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray data = file.readAll();
    return std::string(data.constData(), static_cast<std::size_t>(data.size()));
}

ScriptHost::ScriptHost(std::ostream& out, DialogSource dialogs)
    : out_(out), dialogs_(std::move(dialogs))
{
}

ScriptHost::~ScriptHost() = default;

Window* ScriptHost::activeWindow() const
{
    return zOrder_.empty() ? nullptr : zOrder_.back();
}

int ScriptHost::run(std::istream& script)
{
    script_ = &script;
    lineNumber_ = 0;
    depth_ = 0;
    nextAnswer_ = MessageAnswer::No;
    destroyed_ = false;
    posted_.clear();
    printers_.reset();

    int exitCode = 0;
    try {
        runSteps(nullptr);
    } catch (const Stop& stop) {
        exitCode = stop.exitCode;
    }

    posted_.clear();
    zOrder_.clear();
    script_ = nullptr;
    out_.flush();
    return exitCode;
}

void ScriptHost::runSteps(const ScriptWindow* modal)
{
    auto stopIfDestroyed = [this] {
        if (destroyed_)
            throw Stop{0};
    };
    auto ended = [modal] { return modal != nullptr && modal->hasEnded(); };

    for (;;) {
        stopIfDestroyed();
        runPosted();
        if (ended())
            return;
        const std::string line = nextLine();
        const int number = lineNumber_;
        const ParsedStep parsed = ParseScriptStep(line);
        if (!parsed.step)
            fail(number, parsed.error);
        execute(*parsed.step, number);
        stopIfDestroyed();
        // A window ended by this step returns from its loop now; what the step posted runs in
        // the loop around it, after the code that opened the window has gone on.
        if (ended())
            return;
    }
}

void ScriptHost::runPosted()
{
    while (!posted_.empty()) {
        Notice notice = std::move(posted_.front());
        posted_.pop_front();
        const bool open = std::any_of(zOrder_.begin(), zOrder_.end(), [&](const ScriptWindow* w) {
            return w == notice.window && w->serial() == notice.serial && !w->hasEnded();
        });
        if (!open)
            continue;
        notice.run();
        if (destroyed_)
            throw Stop{0};
    }
}

std::string ScriptHost::nextLine()
{
    std::streambuf* input = script_->rdbuf();
    for (;;) {
        // A line is read up to its line feed, but no further than the bound: a script without
        // line feeds (/dev/zero, say) must not fill the memory.
        std::string line;
        bool any = false;
        for (int c = input->sbumpc(); c != std::char_traits<char>::eof(); c = input->sbumpc()) {
            any = true;
            if (c == '\n')
                break;
            if (line.size() >= kMaxLineBytes)
                fail(lineNumber_ + 1,
                     "line longer than " + std::to_string(kMaxLineBytes) + " bytes");
            line += static_cast<char>(c);
        }
        // The end of the script is the program being killed: whatever is open stays
        // unfinished.
        if (!any)
            throw Stop{0};
        ++lineNumber_;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!IsScriptFiller(line))
            return line;
    }
}

void ScriptHost::fail(int line, std::string_view why)
{
    print({"error", std::to_string(line), why});
    throw Stop{2};
}

bool ScriptHost::answerPrinting(const ScriptStep& step)
{
    switch (step.verb) {
    case StepVerb::PrinterCancel:
        printers_.cancelPrint();
        return true;
    case StepVerb::PrinterPdf:
        printers_.acceptPrintToPdf(step.text);
        return true;
    case StepVerb::PrinterRange:
        printers_.choosePages(step.id, step.value);
        return true;
    case StepVerb::PrinterCopies:
        printers_.chooseCopies(step.value);
        return true;
    case StepVerb::PrinterCollate:
        printers_.chooseCollate(step.value == 1);
        return true;
    case StepVerb::PageSetupCancel:
        printers_.cancelPageSetup();
        return true;
    case StepVerb::PageSetupPortrait:
        printers_.acceptPageSetup(Orientation::Portrait, step.margins);
        return true;
    case StepVerb::PageSetupLandscape:
        printers_.acceptPageSetup(Orientation::Landscape, step.margins);
        return true;
    default:
        return false;
    }
}

void ScriptHost::exportTable(const ScriptStep& step, int line, ScriptWindow& window)
{
    // The menu belongs to a table on screen: a list that is shown.
    const auto& lists = window.lists();
    const auto shown = std::find_if(lists.begin(), lists.end(),
                                    [](const ScriptWindow::List& list) { return list.shown; });
    if (shown == lists.end())
        fail(line, "no table in the active window");
    if (step.verb == StepVerb::ExportPdf) {
        window.form().savePdfRequested(step.text);
        return;
    }
    std::vector<std::string> titles;
    for (const ListColumn& column : shown->columns)
        titles.push_back(column.title);
    if (WriteCsvFile(step.text, titles, shown->rows))
        print({"message", "information", kExportCsvTitle, CsvWrittenMessage(step.text)});
    else
        print({"message", "warning", kExportCsvTitle, CsvFailedMessage(step.text)});
}

void ScriptHost::execute(const ScriptStep& step, int line)
{
    if (answerPrinting(step))
        return;
    switch (step.verb) {
    case StepVerb::Command:
        if (mainWindow_ == nullptr)
            fail(line, "no main window");
        mainWindow_->command(step.id);
        return;
    case StepVerb::AnswerYes:
        nextAnswer_ = MessageAnswer::Yes;
        return;
    case StepVerb::AnswerNo:
        nextAnswer_ = MessageAnswer::No;
        return;
    case StepVerb::Close:
        if (!zOrder_.empty())
            break;
        if (mainWindow_ == nullptr)
            fail(line, "no main window");
        mainWindow_->closeRequested();
        return;
    default:
        break;
    }
    if (zOrder_.empty())
        fail(line, "no active window");
    executeOnWindow(step, line, *zOrder_.back());
}

void ScriptHost::executeOnWindow(const ScriptStep& step, int line, ScriptWindow& window)
{
    Form& form = window.form();
    const int id = step.id;
    auto existing = [&]() -> const DialogControl& {
        const DialogControl* control = window.control(id);
        if (control == nullptr)
            fail(line, "no such control: " + std::to_string(id));
        return *control;
    };
    // What a user can type into or click: present and enabled.
    auto usable = [&]() -> const DialogControl& {
        const DialogControl& control = existing();
        if (!control.enabled)
            fail(line, "control disabled: " + std::to_string(id));
        return control;
    };

    switch (step.verb) {
    case StepVerb::Set: {
        const DialogControl& control = usable();
        if (IsChoiceList(control)) {
            if (!FindChoice(control.items, step.text))
                fail(line, "no such item in choice list " + std::to_string(id) + ": " + step.text);
            window.setText(id, step.text);
            return;
        }
        if (!IsInputField(control))
            fail(line, "not an input field: " + std::to_string(id));
        if (control.readOnly)
            fail(line, "read-only field: " + std::to_string(id));
        window.setText(id, step.text);
        return;
    }
    case StepVerb::Check: {
        const DialogControl& control = usable();
        if (!IsCheckBox(control) && !IsRadioButton(control))
            fail(line, "not a check box or radio button: " + std::to_string(id));
        const bool wanted = step.value == 1;
        if (control.checked != wanted) {
            window.setChecked(id, wanted);
            form.command(id);
        }
        return;
    }
    case StepVerb::Press: {
        const DialogControl& control = usable();
        if (!IsButton(control))
            fail(line, "not a button: " + std::to_string(id));
        if (IsRadioButton(control))
            window.setChecked(id, true);
        else if (IsCheckBox(control))
            window.setChecked(id, !control.checked);
        form.command(id);
        return;
    }
    case StepVerb::Leave:
        existing();
        form.focusLost(id);
        return;
    case StepVerb::KeyEscape:
        form.command(kEscapeCommand);
        return;
    case StepVerb::KeyEnter: {
        // A disabled default button does not take Enter.
        const int button = form.defaultButton();
        const DialogControl* control = window.control(button);
        if (control == nullptr || control->enabled)
            form.command(button);
        return;
    }
    case StepVerb::Close:
        form.closeRequested();
        return;
    case StepVerb::Move:
        form.moved();
        return;
    case StepVerb::Resize:
        window.resizeClient(step.size);
        form.resized(window.clientSize());
        return;
    case StepVerb::Spin: {
        const std::optional<int> position = window.moveSpin(id, step.value);
        if (!position)
            fail(line, "no spin control on field: " + std::to_string(id));
        form.spinMoved(id, *position);
        return;
    }
    case StepVerb::Click:
        form.surfaceClicked();
        return;
    case StepVerb::Show:
        print({"field", std::to_string(id), existing().text});
        return;
    case StepVerb::Rows:
        for (const ScriptWindow::List& list : window.lists()) {
            if (!list.shown)
                continue;
            for (const std::vector<std::string>& row : list.rows) {
                std::vector<std::string_view> fields{"row"};
                fields.insert(fields.end(), row.begin(), row.end());
                print(fields);
            }
        }
        return;
    case StepVerb::ExportCsv:
    case StepVerb::ExportPdf:
        exportTable(step, line, window);
        return;
    case StepVerb::Command:
    case StepVerb::AnswerYes:
    case StepVerb::AnswerNo:
    case StepVerb::PrinterCancel:
    case StepVerb::PrinterPdf:
    case StepVerb::PrinterRange:
    case StepVerb::PrinterCopies:
    case StepVerb::PrinterCollate:
    case StepVerb::PageSetupCancel:
    case StepVerb::PageSetupPortrait:
    case StepVerb::PageSetupLandscape:
        return;
    }
}

void ScriptHost::print(const std::vector<std::string_view>& fields)
{
    bool first = true;
    for (std::string_view field : fields) {
        if (!first)
            out_ << '\t';
        out_ << Escape(field);
        first = false;
    }
    out_ << '\n';
}

MessageAnswer ScriptHost::message(Window* /*owner*/, std::string_view text, std::string_view title,
                                  MessageIcon icon, MessageButtons buttons, bool /*systemModal*/)
{
    print({"message", MessageIconName(icon), title, text});
    if (buttons != MessageButtons::YesNo)
        return MessageAnswer::Ok;
    const MessageAnswer answer = nextAnswer_;
    nextAnswer_ = MessageAnswer::No;
    return answer;
}

int ScriptHost::runModal(Form& form, Window* owner)
{
    if (script_ == nullptr || !dialogs_)
        return -1;
    std::optional<std::string> definition = dialogs_(form.resource());
    if (!definition)
        return -1;
    std::optional<DialogResource> resource = ParseDialogResource(*definition);
    if (!resource)
        return -1;
    // Each modal loop runs inside the one that opened it, on the stack: a script that keeps
    // opening windows from inside windows is stopped long before the stack runs out.
    if (depth_ >= kMaxNestedWindows)
        fail(lineNumber_,
             "too many nested windows (at most " + std::to_string(kMaxNestedWindows) + ")");
    struct Depth
    {
        int& depth;
        explicit Depth(int& d) : depth(d) { ++depth; }
        ~Depth() { --depth; }
        Depth(const Depth&) = delete;
        Depth& operator=(const Depth&) = delete;
    } depth{depth_};

    ScriptWindow::Hooks hooks{[this](ScriptWindow& ended) { windowEnded(ended); },
                              [this](ScriptWindow& raised) { raise(raised); }};
    ScriptWindow window(std::move(*resource), form, dynamic_cast<ScriptWindow*>(owner),
                        std::move(hooks), ++nextSerial_);
    // However the loop is left, the window leaves the stack of open windows with it.
    struct Removal
    {
        ScriptHost& host;
        const ScriptWindow& window;
        ~Removal() { host.remove(window); }
    } removal{*this, window};

    zOrder_.push_back(&window);
    print({"open", window.name()});
    form.opened(window);
    if (!window.hasEnded())
        raise(window);
    runSteps(&window);
    return window.result();
}

void ScriptHost::windowEnded(ScriptWindow& window)
{
    print({"closed", window.name()});
    remove(window);
}

void ScriptHost::remove(const ScriptWindow& window)
{
    zOrder_.erase(std::remove(zOrder_.begin(), zOrder_.end(), &window), zOrder_.end());
}

void ScriptHost::raise(ScriptWindow& window)
{
    if (std::find(zOrder_.begin(), zOrder_.end(), &window) == zOrder_.end())
        return;
    // Owned windows stay above their owner: the window comes up together with every open
    // window it owns, directly or through others, keeping their order among themselves.
    auto comesUp = [&window](const ScriptWindow* candidate) {
        for (const ScriptWindow* w = candidate; w != nullptr; w = w->owner()) {
            if (w == &window)
                return true;
        }
        return false;
    };
    std::stable_partition(zOrder_.begin(), zOrder_.end(),
                          [&](const ScriptWindow* candidate) { return !comesUp(candidate); });
}

void ScriptHost::post(const Window& window, std::function<void()> notice)
{
    const auto* posting = dynamic_cast<const ScriptWindow*>(&window);
    if (posting == nullptr || posting->hasEnded())
        return;
    posted_.push_back({posting, posting->serial(), std::move(notice)});
}

bool ScriptHost::startProgram(std::string_view commandLine)
{
    const bool found =
        FindProgram(commandLine, OwnProgramDirectory(), EnvironmentPath()).has_value();
    print({"start", commandLine, found ? "ok" : "failed"});
    return found;
}

bool ScriptHost::openAddress(std::string_view address)
{
    print({"url", address});
    return true;
}

void ScriptHost::help(HelpRequest request, int context, Window* /*owner*/)
{
    switch (request) {
    case HelpRequest::Contents:
        print({"help", kHelpFile, "contents"});
        return;
    case HelpRequest::Context:
        print({"help", kHelpFile, "context", std::to_string(context)});
        return;
    case HelpRequest::HelpOnHelp:
        print({"help", kHelpFile, "helponhelp"});
        return;
    }
}

} // namespace tw
