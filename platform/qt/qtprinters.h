#pragma once
#include "platform/printing.h"

#include <functional>
#include <memory>

class QDialog;
class QPrinter;
class QWidget;

namespace tw {

// The desktop's printers: Qt's print, page-setup and preview dialogs over one printer that is
// held for the rest of the run (the default printer until the user picks another), so that
// each dialog starts from what the last one chose.
//
// Qt's print dialog counts pages from 1 and cannot offer a page 0, so the pages of a choice
// appear there one higher: the title page, page 0 of the printout, is page 1 in the dialog.
class QtPrinters : public Printers
{
  public:
    // The widget that owns a dialog for a window (null: the main window).
    using ParentOf = std::function<QWidget*(Window* owner)>;
    // Runs a dialog to its end and returns its result; exec() unless a test says otherwise.
    using DialogRunner = std::function<int(QDialog& dialog)>;

    // dialogMoved: called when the user moves one of the dialogs.
    QtPrinters(ParentOf parentOf, std::function<void()> dialogMoved);
    ~QtPrinters() override;
    QtPrinters(const QtPrinters&) = delete;
    QtPrinters& operator=(const QtPrinters&) = delete;

    void setDialogRunner(DialogRunner runner);
    // The printer held for the run, made on first use.
    QPrinter& heldPrinter();

    std::unique_ptr<PrintDevice> choosePrinter(Window* owner, PrintChoice& choice) override;
    PageSetupAnswer pageSetup(Window* owner, PageSetupChoice& choice) override;
    std::unique_ptr<PrintDevice> pdfFile(std::string_view path, Orientation orientation) override;
    void preview(Window* owner, Orientation orientation,
                 const std::function<void(PrintDevice&)>& print) override;

  private:
    int run(QDialog& dialog);

    ParentOf parentOf_;
    std::function<void()> dialogMoved_;
    DialogRunner runner_;
    std::unique_ptr<QPrinter> printer_;
};

} // namespace tw
