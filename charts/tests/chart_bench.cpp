// Times the reading and the drawing of graph files: the largest file the suite writes (a
// 50-year refinance), the largest a reader accepts (kMaxGraphPoints points), and noisy curves
// whose lines cross at almost every point, as PNG at two sizes and as SVG. Not a test.
//
//     build/charts/tests/chart_bench [RUNS]

#include "charts/chartexport.h"
#include "charts/graphcharts.h"
#include "finance/format.h"

#include <QGuiApplication>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

// Smooth curves, as the suite writes them, or noise: values drawn at random over the whole
// range, so that every segment crosses many others.
enum class Shape { Smooth, Noisy };

std::string RefFile(std::size_t points, Shape shape = Shape::Smooth)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> noise(-50000, 250000);
    std::string text = "1\nDummy\nDummy\nDummy\n" +
                       tw::Format("%f\n", 4.0 * static_cast<double>(points - 1)) +
                       "2\nExisting Mortgage\nRefinanced Mortgage\n";
    for (std::size_t i = 0; i < points; ++i) {
        const double month = 4.0 * static_cast<double>(i);
        if (shape == Shape::Noisy)
            text += "0.0\n0.0\n" + tw::Format("%f %f %f\n", month, noise(random), noise(random));
        else
            text += "0.0\n0.0\n" + tw::Format("%f %f %f\n", month, 5000 + 1100 * month,
                                              1400 * month + 3000 * std::sin(month / 50));
    }
    return text + "Done\nDone\n";
}

double Milliseconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

enum class Output { Png, Svg };

void Time(const char* name, const std::string& text, int runs, QSize size = QSize(1200, 750),
          Output output = Output::Png)
{
    std::vector<double> reads;
    std::vector<double> draws;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const tw::GraphRead read = tw::ReadRefFile(text);
        const auto readDone = std::chrono::steady_clock::now();
        if (!read.graph) {
            std::printf("%s: %s\n", name, read.error.what.c_str());
            return;
        }
        const tw::Chart chart = tw::RefinanceChart(*read.graph);
        const tw::ChartStyle style =
            tw::ChartStyle::FromPalette(QGuiApplication::palette(), QGuiApplication::font());
        if (output == Output::Svg) {
            if (tw::RenderChartSvg(chart, tw::FullView(chart), style, size).isEmpty())
                return;
        } else if (tw::RenderChartImage(chart, tw::FullView(chart), style, size, 1).isNull()) {
            return;
        }
        const auto drawn = std::chrono::steady_clock::now();
        reads.push_back(Milliseconds(readDone - start));
        draws.push_back(Milliseconds(drawn - readDone));
    }
    std::sort(reads.begin(), reads.end());
    std::sort(draws.begin(), draws.end());
    const std::string drawing =
        tw::Format("%s %dx%d", output == Output::Svg ? "SVG" : "PNG", size.width(), size.height());
    std::printf("%-34s %9zu bytes  read %8.2f ms  chart and draw %-13s %9.2f ms (medians of %d)\n",
                name, text.size(), reads[reads.size() / 2], drawing.c_str(),
                draws[draws.size() / 2], runs);
}

} // namespace

int main(int argc, char** argv)
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    Time("50 years (151 points)", RefFile(151), runs);
    Time("100000 points", RefFile(tw::kMaxGraphPoints), runs);
    const std::string noisy = RefFile(2000, Shape::Noisy);
    Time("2000 noisy points", noisy, runs, QSize(800, 500));
    Time("2000 noisy points", noisy, runs, QSize(3000, 2000));
    Time("2000 noisy points", noisy, runs, QSize(800, 500), Output::Svg);
    Time("100000 noisy points", RefFile(tw::kMaxGraphPoints, Shape::Noisy), runs, QSize(800, 500));
    return 0;
}
