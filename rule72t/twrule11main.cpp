// twrule11: with options, the report on standard output without any window system; without
// them, the window. --help and --version answer before Qt starts.

#include "platform/qt/windowsystemstart.h"
#include "rule72t/commandline.h"
#include "rule72t/rule72twindow.h"

#include <QApplication>

#include <cstdlib>
#include <iostream>

#ifndef TW_VERSION
#define TW_VERSION "0"
#endif

int main(int argc, char** argv)
{
    const long long started = tw::NowNanoseconds();
    const tw::rule72t::CommandLine line = tw::rule72t::ParseCommandLine(
        std::vector<std::string>(argv + std::min(argc, 1), argv + argc));
    switch (line.action) {
    case tw::rule72t::CommandLine::Action::Help:
        std::cout << tw::rule72t::Usage();
        return 0;
    case tw::rule72t::CommandLine::Action::Version:
        std::cout << "twrule11 " << TW_VERSION << '\n';
        return 0;
    case tw::rule72t::CommandLine::Action::Error:
        std::cerr << "twrule11: " << line.error << '\n';
        return 2;
    case tw::rule72t::CommandLine::Action::Report:
        return tw::rule72t::RunReport(line, std::cout, std::cerr);
    case tw::rule72t::CommandLine::Action::Window:
        break;
    }

    const tw::StartAdvice advice{
        "twrule11", "; print the distributions without a display with: twrule11 --balance B "
                    "--born YYYY-MM --start YYYY-MM --rate R"};
    const std::unique_ptr<QApplication> app = tw::StartDesktop(argc, argv, advice);
    if (!app)
        return 1;
    QApplication::setApplicationName(QStringLiteral("twrule11"));
    QApplication::setApplicationVersion(QStringLiteral(TW_VERSION));

    tw::rule72t::Rule72tWindow window;
    if (const char* launch = std::getenv("TW_BENCH_T0"))
        window.installEventFilter(new tw::FirstPaintProbe(std::atoll(launch), started, &window));
    window.show();
    return app->exec();
}
