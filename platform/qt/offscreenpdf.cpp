#include "platform/qt/offscreenpdf.h"

#include "platform/qt/qtprintdevice.h"
#include "platform/qtcore/utf8.h"

#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

#include <clocale>
#include <cstdlib>

namespace tw {

OffscreenPdfPrinting::OffscreenPdfPrinting() = default;

OffscreenPdfPrinting::~OffscreenPdfPrinting() = default;

bool OffscreenPdfPrinting::ensureApplication()
{
    if (application_ || qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return true;
    if (QCoreApplication::instance() != nullptr)
        return false;
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    application_ = std::make_unique<QGuiApplication>(argc_, argv_);
    // Qt takes the process locale from the environment; the program's numbers never follow it.
    std::setlocale(LC_NUMERIC, "C");
    return true;
}

std::unique_ptr<PrintDevice> OffscreenPdfPrinting::open(std::string_view path,
                                                        Orientation orientation)
{
    if (!ensureApplication())
        return nullptr;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(FromUtf8(path));
    printer->setPageSize(QPageSize(QPageSize::Letter));
    printer->setPageOrientation(orientation == Orientation::Landscape ? QPageLayout::Landscape
                                                                      : QPageLayout::Portrait);
    return std::make_unique<QtPrintDevice>(std::move(printer));
}

} // namespace tw
