#pragma once
#include "platform/printing.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// The script host's printers. The steps before a dialog say how it is answered; each dialog
// writes what it offers as one output line, and every page printed writes one line too.
// Printing goes to PDF files, made by the devices the program hands in (the script host
// itself has no painter); without them pages are counted but not drawn.
class ScriptPrinters : public Printers
{
  public:
    // One output line of tab-separated fields.
    using Output = std::function<void(const std::vector<std::string_view>& fields)>;
    // A PDF file at path as a device; null when none can be made.
    using PdfDevices =
        std::function<std::unique_ptr<PrintDevice>(std::string_view path, Orientation)>;

    // The resolution the page-setup dialog reports, that of the PDF pages.
    static constexpr int kDotsPerInch = 1200;
    // The paper, US Letter, in thousandths of an inch (portrait).
    static constexpr int kPaperWidth = 8500;
    static constexpr int kPaperHeight = 11000;
    // What the desktop's print dialog lets the user ask for.
    static constexpr int kMostCopies = 999;

    explicit ScriptPrinters(Output output);

    void setPdfDevices(PdfDevices devices) { pdfDevices_ = std::move(devices); }

    // How the next print dialog is answered: accepted with a PDF printer writing path, or
    // cancelled (also when nothing was said); with the range, copies and collate switch
    // given, or else what the dialog offers. The range is kept within the pages offered.
    void acceptPrintToPdf(std::string path);
    void cancelPrint();
    void choosePages(int from, int to);
    void chooseCopies(int copies);
    void chooseCollate(bool collate);
    // How the next page-setup dialog is answered: accepted with the orientation and, when
    // given, the margins (thousandths of an inch), or cancelled (also when nothing was said).
    void acceptPageSetup(Orientation orientation, std::optional<Margins> margins);
    void cancelPageSetup();
    // Forgets every answer not yet used (a new run).
    void reset();

    std::unique_ptr<PrintDevice> choosePrinter(Window* owner, PrintChoice& choice) override;
    PageSetupAnswer pageSetup(Window* owner, PageSetupChoice& choice) override;
    std::unique_ptr<PrintDevice> pdfFile(std::string_view path, Orientation orientation) override;
    void preview(Window* owner, Orientation orientation,
                 const std::function<void(PrintDevice&)>& print) override;

  private:
    struct PrintAnswer
    {
        std::optional<std::string> pdf; // nothing: cancel
        std::optional<int> from;
        std::optional<int> to;
        std::optional<int> copies;
        std::optional<bool> collate;
    };
    struct SetupAnswer
    {
        std::optional<Orientation> orientation; // nothing: cancel
        std::optional<Margins> margins;
    };

    std::unique_ptr<PrintDevice> device(std::string_view path, Orientation orientation);

    Output output_;
    PdfDevices pdfDevices_;
    PrintAnswer print_;
    SetupAnswer setup_;
};

} // namespace tw
