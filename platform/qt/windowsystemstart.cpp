#include "platform/qt/windowsystemstart.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QString>
#include <QtGlobal>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <optional>
#include <utility>

namespace tw {

namespace {

// The text between the first pair of double quotes after marker in line, if marker is there.
bool QuotedAfter(std::string_view line, std::string_view marker, std::string& quoted)
{
    const std::size_t at = line.find(marker);
    if (at == std::string_view::npos)
        return false;
    const std::size_t open = line.find('"', at + marker.size());
    const std::size_t close = open == std::string_view::npos ? open : line.find('"', open + 1);
    quoted = close == std::string_view::npos ? std::string()
                                             : std::string(line.substr(open + 1, close - open - 1));
    return true;
}

// "minimal, linuxfb, offscreen, xcb" from Qt's last word on the failure, if it gave the list.
std::string Available(const std::vector<std::string>& said)
{
    constexpr std::string_view marker = "Available platform plugins are: ";
    for (const std::string& line : said) {
        const std::size_t at = line.find(marker);
        if (at == std::string::npos)
            continue;
        std::string list = line.substr(at + marker.size());
        const std::size_t end = list.find_first_of(".\n");
        return end == std::string::npos ? list : list.substr(0, end);
    }
    return {};
}

// Qt's message handler is a plain function: what it needs lives here while a start is made.
struct HeldStart
{
    std::vector<std::string> said;
    QtMessageHandler previous = nullptr;
    StartAdvice advice;
};

HeldStart& Held()
{
    static HeldStart held;
    return held;
}

void Hold(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    HeldStart& held = Held();
    held.said.push_back(qFormatLogMessage(type, context, message).toStdString());
    if (type != QtFatalMsg)
        return;
    const char* display = std::getenv("DISPLAY");
    const std::string line =
        WindowSystemFailureLine(held.said, display == nullptr ? "" : display, held.advice);
    std::fputs(line.c_str(), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
    // Qt would abort now; nothing of the half-made application may run its destructors.
    std::_Exit(1);
}

} // namespace

bool HasDisplay()
{
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform != nullptr && *platform != '\0')
        return true;
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
}

std::string NoDisplayLine(const StartAdvice& advice)
{
    return advice.program +
           ": no display to open the window on (DISPLAY and WAYLAND_DISPLAY are unset)" +
           advice.withoutDisplay;
}

std::string WindowSystemFailureLine(const std::vector<std::string>& said, std::string_view display,
                                    const StartAdvice& advice)
{
    std::string cause;
    std::string name;
    for (const std::string& line : said) {
        if (line.find("could not connect to display") != std::string::npos) {
            cause = display.empty() ? "cannot open a display (DISPLAY is unset)"
                                    : "cannot open the display \"" + std::string(display) + "\"";
            break;
        }
        if (QuotedAfter(line, "Could not find the Qt platform plugin", name)) {
            cause = "there is no window system platform \"" + name + "\"";
            const std::string available = Available(said);
            if (!available.empty())
                cause += " (there are: " + available + ")";
            break;
        }
    }
    if (cause.empty())
        cause = "the window system cannot be started";
    return advice.program + ": " + cause + advice.withoutDisplay;
}

WindowSystemStart::WindowSystemStart(StartAdvice advice)
{
    HeldStart& held = Held();
    held.said.clear();
    held.advice = std::move(advice);
    held.previous = qInstallMessageHandler(Hold);
}

WindowSystemStart::~WindowSystemStart()
{
    HeldStart& held = Held();
    qInstallMessageHandler(held.previous);
    // Started: what Qt said on the way goes out as it would have.
    for (const std::string& line : held.said) {
        std::fputs(line.c_str(), stderr);
        std::fputc('\n', stderr);
    }
    held.said.clear();
}

long long NowNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

FirstPaintProbe::FirstPaintProbe(long long launch, long long main, QObject* parent)
    : QObject(parent), launch_(launch), main_(main)
{
}

bool FirstPaintProbe::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint && !done_) {
        done_ = true;
        // The paint itself is part of the start-up: the time is taken after it, not before.
        QMetaObject::invokeMethod(
            this,
            [this] {
                const long long now = NowNanoseconds();
                std::printf("first paint %.2f ms (%.2f ms after main)\n", (now - launch_) / 1e6,
                            (now - main_) / 1e6);
                std::fflush(stdout);
                QCoreApplication::exit(0);
            },
            Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

std::unique_ptr<QApplication> StartDesktop(int& argc, char** argv, const StartAdvice& advice)
{
    if (!HasDisplay()) {
        std::cerr << NoDisplayLine(advice) << '\n';
        return nullptr;
    }
    std::optional<WindowSystemStart> start(std::in_place, advice);
    auto application = std::make_unique<QApplication>(argc, argv);
    start.reset();
    std::setlocale(LC_NUMERIC, "C");
    return application;
}

} // namespace tw
