#pragma once
#include "platform/printing.h"
#include "platform/qt/qtpagepainter.h"

#include <QPainter>

#include <memory>
#include <optional>
#include <string>

class QPrinter;

namespace tw {

// A document on a Qt printer: a real printer, a PDF file or a print preview's pages.
class QtPrintDevice : public PrintDevice
{
  public:
    // A printer that lives elsewhere, for longer than this device. A preview's pages go to no
    // file, whatever output file the printer names from an earlier print.
    explicit QtPrintDevice(QPrinter& printer, bool preview = false);
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
    std::optional<std::string> failure() const override { return failure_; }

  private:
    // The file the document is written to; empty for a printer or a preview.
    QString outputFile() const;
    // Removes the output file of a document that did not come out whole.
    void dropOutputFile();

    std::unique_ptr<QPrinter> own_;
    QPrinter& printer_;
    QPainter painter_;
    QtPagePainter page_{painter_};
    int pagesStarted_ = 0;
    bool preview_ = false;
    std::optional<std::string> failure_;
};

} // namespace tw
