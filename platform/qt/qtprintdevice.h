#pragma once
#include "platform/printing.h"
#include "platform/qt/qtpagepainter.h"

#include <QPainter>

#include <memory>

class QPrinter;

namespace tw {

// A document on a Qt printer: a real printer, a PDF file or a print preview's pages.
class QtPrintDevice : public PrintDevice
{
  public:
    // A printer that lives elsewhere, for longer than this device.
    explicit QtPrintDevice(QPrinter& printer);
    // A printer of the device's own.
    explicit QtPrintDevice(std::unique_ptr<QPrinter> printer);
    ~QtPrintDevice() override;
    QtPrintDevice(const QtPrintDevice&) = delete;
    QtPrintDevice& operator=(const QtPrintDevice&) = delete;

    QPrinter& printer() { return printer_; }

    bool beginDocument(std::string_view name) override;
    PagePainter* beginPage(int number) override;
    void endPage() override;
    void endDocument() override;
    void abortDocument() override;

  private:
    std::unique_ptr<QPrinter> own_;
    QPrinter& printer_;
    QPainter painter_;
    QtPagePainter page_{painter_};
    int pagesStarted_ = 0;
};

} // namespace tw
