#include "platform/qt/qtprintdevice.h"

#include "platform/qtcore/utf8.h"

#include <QPrinter>

namespace tw {

QtPrintDevice::QtPrintDevice(QPrinter& printer) : printer_(printer) {}

QtPrintDevice::QtPrintDevice(std::unique_ptr<QPrinter> printer)
    : own_(std::move(printer)), printer_(*own_)
{
}

QtPrintDevice::~QtPrintDevice()
{
    if (painter_.isActive())
        painter_.end();
}

bool QtPrintDevice::beginDocument(std::string_view name)
{
    if (painter_.isActive())
        painter_.end();
    printer_.setDocName(FromUtf8(name));
    pagesStarted_ = 0;
    return painter_.begin(&printer_);
}

PagePainter* QtPrintDevice::beginPage(int /*number*/)
{
    if (!painter_.isActive())
        return nullptr;
    // The printer starts on the first page; each further page is asked for.
    if (pagesStarted_ > 0 && !printer_.newPage())
        return nullptr;
    ++pagesStarted_;
    painter_.setPen(QPen(Qt::black));
    painter_.setBrush(Qt::NoBrush);
    painter_.setBackgroundMode(Qt::TransparentMode);
    return &page_;
}

void QtPrintDevice::endPage() {}

void QtPrintDevice::endDocument()
{
    if (painter_.isActive())
        painter_.end();
}

void QtPrintDevice::abortDocument()
{
    if (!painter_.isActive())
        return;
    printer_.abort();
    painter_.end();
}

} // namespace tw
