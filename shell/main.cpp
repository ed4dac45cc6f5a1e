#include "platform/qt/offscreenpdf.h"
#include "platform/qt/qtplatform.h"
#include "platform/qt/windowsystemstart.h"
#include "platform/script/scripthost.h"
#include "shell/datafolder.h"
#include "shell/mainwindow.h"
#include "shell/shell.h"
#include "shell/startup.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

namespace {

std::string JoinArguments(int argc, char** argv)
{
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            line += ' ';
        line += argv[i];
    }
    return line;
}

// Makes the data folder the working directory; what went wrong otherwise, also on stderr.
std::string EnterDataFolderOrSay()
{
    const tw::DataFolderEntry entry = tw::EnterDataFolder();
    if (!entry.problem.empty())
        std::cerr << "twtools: " << entry.problem << '\n';
    return entry.problem;
}

// The working directory becomes the data folder only once the script is open, so that a
// script named relative to the shell's directory is still found.
int RunScript(const char* file, bool inDataFolder, const tw::StartupOptions& options)
{
    // Printing draws its pages into PDF files, for which Qt starts up only when first asked.
    tw::OffscreenPdfPrinting pdf;
    tw::ScriptHost host(std::cout);
    host.setPdfDevices([&pdf](std::string_view path, tw::Orientation orientation) {
        return pdf.open(path, orientation);
    });
    tw::Shell shell(host, host, options);
    host.setMainWindow(&shell);
    if (file == nullptr || std::string(file) == "-")
        return inDataFolder && !EnterDataFolderOrSay().empty() ? 1 : host.run(std::cin);
    // A directory opens as a stream that reads nothing, which would pass for an empty script.
    std::error_code error;
    if (std::filesystem::is_directory(file, error)) {
        std::cerr << "twtools: cannot read script " << file << ": it is a directory\n";
        return 2;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::cerr << "twtools: cannot read script " << file << '\n';
        return 2;
    }
    if (inDataFolder && !EnterDataFolderOrSay().empty())
        return 1;
    return host.run(in);
}

int RunDesktop(int argc, char** argv, const tw::StartupOptions& options, bool inDataFolder,
               long long started)
{
    const tw::StartAdvice advice{
        "twtools", "; run the calculators without a display with: twtools script FILE"};
    const std::unique_ptr<QApplication> app = tw::StartDesktop(argc, argv, advice);
    if (!app)
        return 1;
    // The window is matched to its desktop entry (and so to its icon) by this name on Wayland.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.tarrow.twtools"));

    if (inDataFolder) {
        if (const std::string problem = EnterDataFolderOrSay(); !problem.empty()) {
            QString text = QString::fromStdString(problem);
            text[0] = text[0].toUpper();
            QMessageBox::critical(nullptr, QStringLiteral("Tarrow Financial Tool Set"),
                                  text + QStringLiteral(".\n\nStarted from a shell, twtools "
                                                        "keeps its files in the current "
                                                        "directory."));
            return 1;
        }
    }

    tw::QtPlatform platform(options.lighter);
    tw::Shell shell(platform, platform, options);
    tw::MainWindow window(shell);
    platform.setMainWindow(&window);
    window.setAcceleratorGate([&platform] { return platform.inModalLoop(); });

    if (const char* launch = std::getenv("TW_BENCH_T0")) {
        window.installEventFilter(new tw::FirstPaintProbe(std::atoll(launch), started, &window));
    }

    window.show();
    shell.setClientWidth(window.clientWidth());
    return app->exec();
}

} // namespace

int main(int argc, char** argv)
{
    const long long started = tw::NowNanoseconds();
    // Answered before anything of the window system is touched, with or without a display.
    const tw::StartRequest request = tw::ReadArguments({argv + 1, argv + argc});
    if (request.help || request.version) {
        std::cout << (request.help ? tw::UsageText() : tw::VersionText());
        return 0;
    }
    const tw::StartupOptions options = tw::ParseSwitches(JoinArguments(argc, argv));
    if (request.script)
        return RunScript(request.scriptFile ? request.scriptFile->c_str() : nullptr,
                         request.inDataFolder, options);
    return RunDesktop(argc, argv, options, request.inDataFolder, started);
}
