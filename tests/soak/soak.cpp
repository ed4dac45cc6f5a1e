// Random sessions through the script host, with every tool of the program in one process:
// random texts into every field of every form (empty, huge digit strings, 1e39, -0, nan,
// inf, 0x1p3, non-ASCII, control characters, long texts, values at and just beyond each
// limit), buttons in random order, keys, spins, resizes and closes, print and page-setup
// answers, commands that arrive while a form is open. Each step is made when the host asks
// for the next line, from the windows then open, so that it names a control that is there.
//
//   soak_sessions [--sessions N] [--seed S] [--first K] [--seconds T] [--slow-step U]
//                 [--dir DIR]
//
// runs sessions K … K + N − 1 of seed S (session k depends only on S and k), each in an empty
// directory, and stops starting new ones after T seconds. It fails on a crash or a sanitizer
// report (the sanitizers end the process), an exit code other than 0 or 2, a field or row
// line showing inf or nan, and, with --slow-step, a step that took longer than U seconds (a
// hunt for slow paths on a quiet machine; the test command leaves it off, as a time on a
// shared machine proves nothing). Every session's script is written to DIR/session.twt as
// it is made, so the one that failed is there to replay: twtools script DIR/session.twt, or
// the same arguments with --first k --sessions 1.

#include "platform/qt/offscreenpdf.h"
#include "platform/script/scripthost.h"
#include "platform/script/scriptwindow.h"
#include "shell/menutables.h"
#include "shell/shell.h"
#include "tests/soak/sessioncheck.h"
#include "tools/toolcatalog.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <streambuf>
#include <string>
#include <unistd.h>
#include <vector>

namespace tw::soak {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kDrawingEvery = 2;

// Texts a user could type, odd ones in plenty. The limits are those the forms check
// against, with the values just beyond them.
const std::vector<std::string>& OddTexts()
{
    static const std::vector<std::string> texts = [] {
        std::vector<std::string> t = {
            "",
            " ",
            "0",
            "-0",
            "+0",
            "0.0",
            "-0.0",
            ".",
            "-",
            "+",
            "e",
            "1e",
            "1e+",
            ".5",
            "5.",
            "1e39",
            "-1e39",
            "1e38",
            "-1e38",
            "3.4e38",
            "-3.4e38",
            "3.5e38",
            "1e-39",
            "1e-45",
            "1e-46",
            "-1e-45",
            "999e999",
            "1e9999999999",
            "nan",
            "NaN",
            "-nan",
            "inf",
            "-inf",
            "infinity",
            "0x1p3",
            "0x10",
            "-0x1p3",
            "1,5",
            "1.5.5",
            "12abc",
            "  42  ",
            "\t7",
            "Grüße €",
            "１２３",
            "٣٤٥",
            "\xff\xfe",
            "\x01\x02\x7f",
            "\x1b[2J",
            "€1000",
            "$1,000.00",
            "1 000",
            "2147483647",
            "2147483648",
            "-2147483648",
            "-2147483649",
            "4294967296",
            "99999999",
            "100000000",
            "100000001",
            "99999999.99",
            "16777216",
            "16777217",
            "999999999",
            "1000000000",
            "0.5",
            "0.9999999",
            "1.0000001",
        };
        // The forms' limits and their neighbours.
        for (const char* limit :
             {"1",       "120",       "121",      "119.99",  "1000",     "1000.01",
              "100000",  "100000.01", "100000.5", "50",      "50.01",    "49.99",
              "100",     "100.01",    "101",      "200",     "200.01",   "-200",
              "-200.01", "-1000",     "-1000.01", "365",     "364.99",   "366",
              "12",      "30",        "-100",     "-100.01", "10000000", "10000001",
              "3",       "2",         "0.01",     "-0.01",   "-1",       "-5.7"})
            t.emplace_back(limit);
        t.push_back(std::string(400, '9'));
        t.push_back("-" + std::string(300, '9') + ".5");
        t.push_back("0." + std::string(500, '0') + "1");
        t.push_back(std::string(5000, 'x'));
        t.push_back(std::string(2000, '1') + "e-2000");
        return t;
    }();
    return texts;
}

class Generator
{
  public:
    explicit Generator(std::uint64_t seed) : random_(seed) {}

    // How many steps the session runs, unless it ends sooner.
    int length() { return std::uniform_int_distribution<int>(10, 150)(random_); }

    std::string text()
    {
        switch (pick(6)) {
        case 0: { // a number of any size, maybe with something after it
            std::uniform_real_distribution<double> exponent(-12, 40);
            std::string number =
                std::to_string(std::pow(10.0, exponent(random_)) * (chance(0.3) ? -1 : 1));
            if (chance(0.2))
                number += OddTexts()[pick(OddTexts().size())];
            return number;
        }
        case 1: // a small whole number
            return std::to_string(std::uniform_int_distribution<int>(-150, 150)(random_));
        case 2: { // bytes of any kind but the line feed
            std::string bytes(std::uniform_int_distribution<int>(0, 40)(random_), ' ');
            for (char& c : bytes) {
                c = static_cast<char>(std::uniform_int_distribution<int>(1, 255)(random_));
                if (c == '\n' || c == '\r')
                    c = ' ';
            }
            return bytes;
        }
        default:
            return OddTexts()[pick(OddTexts().size())];
        }
    }

    // The next step for the windows now open.
    std::string step(const ScriptHost& host)
    {
        const auto* window = dynamic_cast<const ScriptWindow*>(host.activeWindow());
        if (window == nullptr || window->serial() != pendingWindow_)
            pending_.clear();
        if (!pending_.empty()) {
            std::string next = pending_.front();
            pending_.erase(pending_.begin());
            return next;
        }
        if (window == nullptr)
            return mainWindowStep();
        if (chance(0.03))
            return mainWindowStep(); // a menu command or accelerator while a form is open
        if (chance(0.04))
            return answerStep();

        std::vector<const DialogControl*> inputs;
        std::vector<const DialogControl*> buttons;
        std::vector<const DialogControl*> choices;
        std::vector<const DialogControl*> all;
        for (const DialogControl& initial : window->resource().controls) {
            const DialogControl* control = window->control(initial.id);
            if (control == nullptr)
                continue;
            all.push_back(control);
            const std::string& kind = control->className;
            if (!control->enabled)
                continue;
            if ((kind == "QLineEdit" || kind == "QTextEdit" || kind == "QPlainTextEdit") &&
                !control->readOnly)
                inputs.push_back(control);
            else if (kind == "QPushButton" || kind == "QToolButton" || kind == "QCheckBox" ||
                     kind == "QRadioButton" || kind == "QCommandLinkButton")
                buttons.push_back(control);
            else if (kind == "QComboBox" && !control->items.empty())
                choices.push_back(control);
        }
        const auto id = [](const DialogControl* control) { return std::to_string(control->id); };

        // Now and then every field gets a plausible value, then a button is pressed: random
        // texts alone seldom pass every check, and the schedule and results windows open
        // only behind them.
        if (chance(0.12) && !inputs.empty() && !buttons.empty()) {
            static const char* plausible[] = {"30", "35", "40", "45", "50", "6.5", "20"};
            for (const DialogControl* field : inputs) {
                const std::string value = chance(0.85)  ? plausible[pick(std::size(plausible))]
                                          : chance(0.5) ? beyondRange()
                                                        : text();
                typedTexts.insert(value);
                pending_.push_back("set " + id(field) + " " + value);
            }
            // A choice list takes an item by its first word, as a script names it.
            for (const DialogControl* list : choices) {
                const std::string& item = list->items[pick(list->items.size())];
                pending_.push_back("set " + id(list) + " " + item.substr(0, item.find(' ')));
            }
            pending_.push_back("press " + id(buttons[pick(buttons.size())]));
            pendingWindow_ = window->serial();
            std::string next = pending_.front();
            pending_.erase(pending_.begin());
            return next;
        }

        // Now and then every control is looked at: what a form wrote into its fields, on
        // opening above all, is what a user sees.
        if (chance(0.08) && !all.empty()) {
            for (const DialogControl* control : all)
                pending_.push_back("show " + id(control));
            pendingWindow_ = window->serial();
            std::string next = pending_.front();
            pending_.erase(pending_.begin());
            return next;
        }

        const int roll = static_cast<int>(pick(100));
        if (roll < 38 && !inputs.empty()) {
            const DialogControl* field = inputs[pick(inputs.size())];
            std::string typed = text();
            typedTexts.insert(typed);
            return "set " + id(field) + " " + typed;
        }
        if (roll < 62 && !buttons.empty()) {
            const DialogControl* button = buttons[pick(buttons.size())];
            const bool toggle =
                button->className == "QCheckBox" || button->className == "QRadioButton";
            if (toggle && chance(0.5))
                return "check " + id(button) + (chance(0.5) ? " 1" : " 0");
            return "press " + id(button);
        }
        if (roll < 69 && !inputs.empty())
            return "leave " + id(inputs[pick(inputs.size())]);
        if (roll < 80 && !all.empty())
            return "show " + id(all[pick(all.size())]);
        if (roll < 83)
            return "rows";
        if (roll < 88) {
            for (const DialogControl* field : inputs) {
                if (window->spin(field->id) != nullptr && chance(0.8)) {
                    const int position = chance(0.8)
                                             ? std::uniform_int_distribution<int>(-5, 105)(random_)
                                             : std::uniform_int_distribution<int>()(random_);
                    return "spin " + id(field) + " " + std::to_string(position);
                }
            }
            return "key enter";
        }
        if (roll < 89)
            return chance(0.5) ? "key escape" : "key enter";
        if (roll < 91)
            return "close";
        if (roll < 93) {
            std::uniform_int_distribution<int> size(0, 3000);
            const int w = chance(0.1) ? 0 : size(random_);
            const int h = chance(0.1) ? 1 : size(random_);
            return "resize " + std::to_string(w) + " " + std::to_string(h);
        }
        if (roll < 94)
            return "move";
        if (roll < 95)
            return "click";
        if (roll < 97) {
            const bool listShown =
                std::any_of(window->lists().begin(), window->lists().end(),
                            [](const ScriptWindow::List& list) { return list.shown; });
            if (listShown)
                return chance(0.5) ? "export csv table.csv" : "export pdf table.pdf";
        }
        return answerStep();
    }

    std::set<std::string> typedTexts;

  private:
    std::size_t pick(std::size_t count)
    {
        return std::uniform_int_distribution<std::size_t>(0, count - 1)(random_);
    }
    bool chance(double p) { return std::bernoulli_distribution(p)(random_); }

    // A number no float holds, which reads as infinity.
    std::string beyondRange()
    {
        static const char* texts[] = {"1e39", "-1e39", "3.5e38", "-3.5e38", "1e300", "-9e99"};
        return texts[pick(std::size(texts))];
    }

    std::string mainWindowStep()
    {
        // Now and then the main window's close box or Exit, which end the session.
        if (chance(0.01))
            return "close";
        if (chance(0.005))
            return "command 5";
        std::vector<int> commands;
        for (const MenuItem& item : MenuItems())
            if (item.command != 0 && item.command != 5)
                commands.push_back(item.command);
        // The tools far more often than About, help and the outside programs.
        if (chance(0.8)) {
            const auto tools = ToolCatalog();
            return "command " + std::to_string(tools[pick(tools.size())]->command);
        }
        return "command " + std::to_string(commands[pick(commands.size())]);
    }

    std::string answerStep()
    {
        switch (pick(12)) {
        case 0:
            return "answer yes";
        case 1:
            return "answer no";
        case 2:
            return "printer cancel";
        case 3:
        case 4:
            return "printer pdf out.pdf";
        case 5: {
            std::uniform_int_distribution<int> page(1, 40);
            return "printer range " + std::to_string(page(random_)) + " " +
                   std::to_string(page(random_));
        }
        case 6:
            return "printer copies " +
                   std::to_string(std::uniform_int_distribution<int>(1, 5)(random_));
        case 7:
            return chance(0.5) ? "printer collate 0" : "printer collate 1";
        case 8:
            return "pagesetup cancel";
        case 9:
            return "pagesetup portrait";
        case 10: {
            std::uniform_int_distribution<int> margin(0, 4000);
            return "pagesetup landscape " + std::to_string(margin(random_)) + " " +
                   std::to_string(margin(random_)) + " " + std::to_string(margin(random_)) + " " +
                   std::to_string(margin(random_));
        }
        default:
            return "pagesetup landscape";
        }
    }

    std::mt19937_64 random_;
    std::vector<std::string> pending_; // steps still to come for one window
    int pendingWindow_ = 0;
};

// The script as the host reads it: each time the host wants a line, the previous step has
// run to its end (a step that opens a form asks for its lines itself, so the time between two
// requests is one step's own). The line is made then, written to the session file, and timed.
class SessionScript : public std::streambuf
{
  public:
    // slowStep: the seconds above which a step is reported as slow; 0 for none.
    SessionScript(Generator& generator, const ScriptHost& host, int steps, std::ostream& record,
                  double slowStep)
        : generator_(generator), host_(host), steps_(steps), record_(record), slowStep_(slowStep)
    {
    }

    struct Slow
    {
        int line = 0;
        std::string step;
        double seconds = 0;
    };
    const std::vector<Slow>& slow() const { return slow_; }
    int served() const { return served_; }
    const std::map<std::string, int>& verbs() const { return verbs_; }

  protected:
    int_type underflow() override
    {
        const Clock::time_point now = Clock::now();
        if (served_ > 0 && slowStep_ > 0) {
            const double seconds = std::chrono::duration<double>(now - lastServed_).count();
            if (seconds > slowStep_)
                slow_.push_back({served_, current_, seconds});
        }
        if (served_ >= steps_)
            return traits_type::eof();
        current_ = generator_.step(host_);
        ++verbs_[current_.substr(0, current_.find(' '))];
        ++served_;
        record_ << current_ << '\n' << std::flush;
        line_ = current_ + '\n';
        setg(line_.data(), line_.data(), line_.data() + line_.size());
        lastServed_ = Clock::now();
        return traits_type::to_int_type(line_[0]);
    }

  private:
    Generator& generator_;
    const ScriptHost& host_;
    int steps_;
    std::ostream& record_;
    double slowStep_;
    std::string current_;
    std::string line_;
    int served_ = 0;
    Clock::time_point lastServed_;
    std::vector<Slow> slow_;
    std::map<std::string, int> verbs_;
};

struct Options
{
    int sessions = 300;
    std::uint64_t seed = 1;
    int first = 0;
    double seconds = 300;
    double slowStep = 0;
    fs::path directory = fs::temp_directory_path() / ("twtools-soak-" + std::to_string(::getpid()));
};

Options ReadOptions(int argc, char** argv)
{
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const char* value = argv[i + 1];
        if (name == "--sessions")
            options.sessions = std::atoi(value);
        else if (name == "--seed")
            options.seed = std::strtoull(value, nullptr, 10);
        else if (name == "--first")
            options.first = std::atoi(value);
        else if (name == "--seconds")
            options.seconds = std::atof(value);
        else if (name == "--slow-step")
            options.slowStep = std::atof(value);
        else if (name == "--dir")
            options.directory = value;
        else {
            std::cerr << "soak_sessions: unknown option " << name << '\n';
            std::exit(2);
        }
    }
    return options;
}

// Session k of a seed, whatever ran before it.
std::uint64_t SessionSeed(std::uint64_t seed, int session)
{
    std::seed_seq sequence{static_cast<std::uint32_t>(seed), static_cast<std::uint32_t>(seed >> 32),
                           static_cast<std::uint32_t>(session)};
    std::uint32_t words[2] = {};
    sequence.generate(words, words + 2);
    return (std::uint64_t{words[0]} << 32) | words[1];
}

int Run(const Options& options)
{
    const fs::path directory = fs::absolute(options.directory);
    fs::create_directories(directory);
    const fs::path record = directory / "session.twt";
    const fs::path work = directory / "work";
    const Clock::time_point start = Clock::now();

    int failures = 0;
    int sessions = 0;
    long long steps = 0;
    std::map<std::string, int> opened;
    std::map<std::string, int> verbs;
    std::map<std::string, int> errorReasons;
    int messages = 0;
    OffscreenPdfPrinting pdf;
    int drawnPdfs = 0;
    for (int k = options.first; k < options.first + options.sessions; ++k) {
        if (std::chrono::duration<double>(Clock::now() - start).count() > options.seconds)
            break;
        fs::remove_all(work);
        fs::create_directories(work);
        fs::current_path(work);

        Generator generator(SessionSeed(options.seed, k));
        std::ofstream script(record, std::ios::trunc);
        script << "# soak session " << k << " of seed " << options.seed << '\n';
        std::ostringstream out;
        int code = 0;
        {
            ScriptHost host(out);
            // Every other session draws its printouts into real PDF files, the rest only
            // report their pages: both paths are the program's, the script host's PDF files
            // and its page reports.
            if (k % kDrawingEvery == 0) {
                host.setPdfDevices([&pdf](std::string_view path, Orientation orientation) {
                    return pdf.open(path, orientation);
                });
            }
            Shell shell(host, host, StartupOptions{});
            host.setMainWindow(&shell);
            SessionScript source(generator, host, generator.length(), script, options.slowStep);
            std::istream in(&source);
            code = host.run(in);
            steps += source.served();
            for (const auto& [verb, count] : source.verbs())
                verbs[verb] += count;

            const auto fail = [&](const std::string& why) {
                ++failures;
                const fs::path kept = directory / ("failed-" + std::to_string(k) + ".twt");
                script.flush();
                fs::copy_file(record, kept, fs::copy_options::overwrite_existing);
                std::cerr << "soak: session " << k << " of seed " << options.seed << ": " << why
                          << "\n  replay: twtools script " << kept.string()
                          << "\n  or: soak_sessions --seed " << options.seed << " --first " << k
                          << " --sessions 1\n";
            };
            for (const SessionScript::Slow& slow : source.slow())
                fail("step " + std::to_string(slow.line) + " (" + slow.step.substr(0, 80) +
                     ") took " + std::to_string(slow.seconds) + " s");
            if (code != 0 && code != 2)
                fail("exit code " + std::to_string(code));
            const std::string shown = FirstInfOrNanLine(out.str(), generator.typedTexts);
            if (!shown.empty())
                fail("shows inf or nan: " + shown.substr(0, 200));
        }
        std::istringstream output(out.str());
        for (std::string line; std::getline(output, line);) {
            if (line.rfind("open\t", 0) == 0)
                ++opened[line.substr(5)];
            else if (line.rfind("error\t", 0) == 0)
                ++errorReasons[line.substr(line.find('\t', 6) + 1)];
            else if (line.rfind("message\t", 0) == 0)
                ++messages;
        }
        for (const char* file : {"out.pdf", "table.pdf"})
            drawnPdfs += fs::is_regular_file(file) && fs::file_size(file) > 0 ? 1 : 0;
        ++sessions;
    }
    fs::current_path(directory);
    fs::remove_all(work);

    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    std::cout << "soak: " << sessions << " sessions of seed " << options.seed << " from "
              << options.first << ", " << steps << " steps in " << seconds << " s; " << messages
              << " message boxes, " << drawnPdfs << " PDF files drawn\n  windows:";
    for (const auto& [name, count] : opened)
        std::cout << ' ' << name << ' ' << count;
    std::cout << "\n  steps:";
    for (const auto& [verb, count] : verbs)
        std::cout << ' ' << verb << ' ' << count;
    std::cout << "\n  runs stopped by an error step:";
    for (const auto& [why, count] : errorReasons)
        std::cout << " \"" << why << "\" " << count;
    std::cout << '\n';
    if (failures == 0)
        fs::remove(record);
    return failures == 0 ? 0 : 1;
}

} // namespace
} // namespace tw::soak

int main(int argc, char** argv)
{
    return tw::soak::Run(tw::soak::ReadOptions(argc, argv));
}
