// Times the longest refinance report (340 rows: a refinancing at age 1 with two rows a year up
// to age 170, eight page files) printed to a PDF file through the desktop's printers, and the
// print preview of it shown with its pages drawn, on the offscreen platform. Prints the
// median and the slowest of several runs of each, and the first (cold) run apart.

#include "finance/format.h"
#include "platform/qt/qtplatform.h"
#include "platform/qt/qtprinters.h"
#include "print/pagefiles.h"
#include "print/printjob.h"
#include "tools/toolcontext.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kRows = 340;
constexpr int kRuns = 7;

// refprt.tmp as the refinance analysis writes it.
std::string RefinanceTable()
{
    std::string text = "Age\tNet Worth\tSavings\tEquity\t+Diff. in Mon. Pay.\t+Principal\t"
                       "-Interest\t+Tax Savings\t+Savings Interest\t-Tax on Interest\n";
    for (int row = 0; row < kRows; ++row) {
        text += tw::Format("%3d %c", 1 + row / 2, row % 2 == 0 ? 'O' : 'R');
        for (int column = 1; column < 10; ++column)
            text += tw::Format("\t%16.2f", 1234.56 * column + 98765.43 * row);
        text += '\n';
    }
    return text + "Dooone\nDooone\n";
}

struct Figures
{
    double first = 0;
    double median = 0;
    double slowest = 0;
};

Figures Summary(std::vector<double> milliseconds)
{
    Figures figures;
    figures.first = milliseconds.front();
    std::sort(milliseconds.begin(), milliseconds.end());
    figures.median = milliseconds[milliseconds.size() / 2];
    figures.slowest = milliseconds.back();
    return figures;
}

} // namespace

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    QTemporaryDir directory;
    if (!directory.isValid() || !QDir::setCurrent(directory.path()))
        return 1;
    std::ofstream("refprt.tmp", std::ios::binary) << RefinanceTable();

    tw::QtPlatform platform(false);
    tw::AppRecords records;
    records.print.title = "Refinance Analysis Report";
    tw::OpenMarks marks;
    tw::ToolContext context{platform, records, marks};
    auto& printers = static_cast<tw::QtPrinters&>(*platform.printers());

    std::vector<double> pdf;
    qint64 bytes = 0;
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer timer;
        timer.start();
        const bool saved =
            tw::SavePrintoutPdf(context, nullptr, tw::PrintoutKind::Refinance, "report.pdf");
        pdf.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        if (!saved)
            return 1;
        bytes = QFile("report.pdf").size();
    }

    // Shown: the dialog is on screen with its pages made (the preview asks for them as it
    // shows); painted: the dialog has been drawn once as well.
    std::vector<double> shown;
    std::vector<double> painted;
    QElapsedTimer timer;
    printers.setDialogRunner([&](QDialog& dialog) {
        QTimer::singleShot(0, &dialog, [&] {
            shown.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
            dialog.grab();
            painted.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
            dialog.reject();
        });
        return dialog.exec();
    });
    for (int run = 0; run < kRuns; ++run) {
        timer.start();
        tw::PreviewPrintout(context, nullptr, tw::PrintoutKind::Refinance);
    }
    if (shown.size() != static_cast<std::size_t>(kRuns))
        return 1;

    const int pages = tw::WritePageFiles(tw::PrintoutKind::Refinance).pages;
    const Figures toPdf = Summary(pdf);
    const Figures toScreen = Summary(shown);
    const Figures drawn = Summary(painted);
    std::printf("refinance report: %d rows, %d page files + title page, PDF %lld bytes\n", kRows,
                pages, static_cast<long long>(bytes));
    std::printf("print to PDF:        first %7.1f ms, median %7.1f ms, slowest %7.1f ms\n",
                toPdf.first, toPdf.median, toPdf.slowest);
    std::printf("preview shown:       first %7.1f ms, median %7.1f ms, slowest %7.1f ms\n",
                toScreen.first, toScreen.median, toScreen.slowest);
    std::printf("preview painted too: first %7.1f ms, median %7.1f ms, slowest %7.1f ms\n",
                drawn.first, drawn.median, drawn.slowest);
    return 0;
}
