#include "graphs/graphapp.h"

#include "charts/chartexport.h"
#include "charts/chartwidget.h"
#include "graphs/commandline.h"
#include "platform/qt/windowsystemstart.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>

#ifndef TW_VERSION
#define TW_VERSION "0"
#endif

namespace tw {

namespace {

// The screen's scale for a PNG of size, lowered so that no side of the image passes the
// largest --size: QT_SCALE_FACTOR=10 would otherwise ask for images no painter can be given.
qreal ImageScale(QSize size, qreal scale)
{
    const qreal largest = kLargestChart;
    return std::min({scale, largest / size.width(), largest / size.height()});
}

int RenderToFile(int argc, char** argv, const GraphCommandLine& line, const GraphProgram& program)
{
    // No window is opened, so no display is needed: Qt's offscreen platform draws the fonts.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    std::optional<WindowSystemStart> start(std::in_place, StartAdvice{program.name, ""});
    QGuiApplication app(argc, argv);
    start.reset();
    std::setlocale(LC_NUMERIC, "C");

    const GraphRead read = LoadGraphFile(line.file, program.read);
    if (!read.graph) {
        std::cerr << program.name << ": " << DescribeReadError(read.error, line.file) << '\n';
        return 1;
    }
    const Chart chart = program.build(*read.graph);
    // Paper takes black on white, as the window's PDF does; images take the palette's colours.
    const QString output = QString::fromLocal8Bit(line.output);
    const ChartStyle style =
        ChartFileTypeOf(output) == ChartFileType::Pdf
            ? ChartStyle::Paper(QGuiApplication::font())
            : ChartStyle::FromPalette(QGuiApplication::palette(), QGuiApplication::font());
    const QSize size(line.width, line.height);
    qreal scale = app.devicePixelRatio();
    if (ChartFileTypeOf(output) == ChartFileType::Png && ImageScale(size, scale) < scale) {
        const QSize asked = size * scale;
        scale = ImageScale(size, scale);
        const QSize drawn = size * scale;
        std::cerr << program.name << ": a " << asked.width() << "x" << asked.height()
                  << " image (the screen's scale " << app.devicePixelRatio() << ") has more than "
                  << kLargestChart << " pixels a side; drawn at " << drawn.width() << "x"
                  << drawn.height() << '\n';
    }
    QString error;
    if (!SaveChart(output, chart, FullView(chart), style, size, scale, &error)) {
        std::cerr << program.name << ": cannot write " << line.output << ": " << error.toStdString()
                  << '\n';
        return 1;
    }
    return 0;
}

int OpenWindow(int argc, char** argv, const GraphCommandLine& line, const GraphProgram& program,
               long long started)
{
    const StartAdvice advice{program.name, std::string("; draw the chart into a file with: ") +
                                               program.name + " --output OUT.png " + line.file};
    const std::unique_ptr<QApplication> app = StartDesktop(argc, argv, advice);
    if (!app)
        return 1;
    QApplication::setApplicationName(QString::fromLatin1(program.name));
    QApplication::setApplicationVersion(QStringLiteral(TW_VERSION));
    QApplication::setWindowIcon(SuiteIcon());

    std::string text;
    GraphRead read;
    if (ReadGraphText(line.file, text, read.error))
        read = program.read(text);
    if (!read.graph) {
        QMessageBox::critical(nullptr, QString::fromLatin1(program.title),
                              QString::fromStdString(DescribeReadError(read.error, line.file)));
        return 1;
    }

    ChartWindow window(QString::fromLocal8Bit(line.file), program.read, program.build,
                       QString::fromLatin1(program.title), program.build(*read.graph),
                       std::move(text));
    if (const char* launch = std::getenv("TW_BENCH_T0"))
        window.chartWidget()->installEventFilter(
            new FirstPaintProbe(std::atoll(launch), started, &window));
    window.show();
    return app->exec();
}

} // namespace

int RunGraphProgram(int argc, char** argv, const GraphProgram& program)
{
    const long long started = NowNanoseconds();
    const GraphCommandLine line =
        ParseGraphCommandLine(std::vector<std::string>(argv + std::min(argc, 1), argv + argc));
    switch (line.action) {
    case GraphCommandLine::Action::Help:
        std::cout << GraphUsage(program.name, program.summary, program.defaultFile);
        return 0;
    case GraphCommandLine::Action::Version:
        std::cout << program.name << " " << TW_VERSION << '\n';
        return 0;
    case GraphCommandLine::Action::Error:
        std::cerr << program.name << ": " << line.error << "\nTry '" << program.name
                  << " --help'.\n";
        return 2;
    case GraphCommandLine::Action::Output:
        return RenderToFile(argc, argv, line, program);
    case GraphCommandLine::Action::Window:
        break;
    }
    return OpenWindow(argc, argv, line, program, started);
}

} // namespace tw
