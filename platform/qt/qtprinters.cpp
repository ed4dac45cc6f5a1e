#include "platform/qt/qtprinters.h"

#include "platform/qt/qtprintdevice.h"
#include "platform/qtcore/utf8.h"

#include <QDialog>
#include <QEvent>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <cmath>
#include <utility>

namespace tw {

namespace {

QPageLayout::Orientation PageOrientation(Orientation orientation)
{
    return orientation == Orientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}

Orientation OrientationOf(const QPageLayout& layout)
{
    return layout.orientation() == QPageLayout::Landscape ? Orientation::Landscape
                                                          : Orientation::Portrait;
}

// Reports the user moving a dialog (not its placing when it is shown).
class MoveWatcher : public QObject
{
  public:
    MoveWatcher(QDialog& dialog, std::function<void()> moved)
        : QObject(&dialog), moved_(std::move(moved))
    {
        dialog.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            shown_ = true;
        else if (event->type() == QEvent::Move && shown_ && moved_)
            moved_();
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void()> moved_;
    bool shown_ = false;
};

} // namespace

QtPrinters::QtPrinters(ParentOf parentOf, std::function<void()> dialogMoved)
    : parentOf_(std::move(parentOf)), dialogMoved_(std::move(dialogMoved))
{
}

QtPrinters::~QtPrinters() = default;

void QtPrinters::setDialogRunner(DialogRunner runner)
{
    runner_ = std::move(runner);
}

QPrinter& QtPrinters::heldPrinter()
{
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

int QtPrinters::run(QDialog& dialog)
{
    new MoveWatcher(dialog, dialogMoved_);
    return runner_ ? runner_(dialog) : dialog.exec();
}

std::unique_ptr<PrintDevice> QtPrinters::choosePrinter(Window* owner, PrintChoice& choice)
{
    QPrinter& printer = heldPrinter();
    printer.setPageOrientation(PageOrientation(choice.orientation));
    printer.setCopyCount(1);
    printer.setCollateCopies(choice.collate);
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFromTo(choice.fromPage + 1, choice.toPage + 1);
    printer.setDocName(FromUtf8(choice.document));

    QPrintDialog dialog(&printer, parentOf_ ? parentOf_(owner) : nullptr);
    dialog.setMinMax(choice.minPage + 1, choice.maxPage + 1);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                      QAbstractPrintDialog::PrintCollateCopies |
                      QAbstractPrintDialog::PrintShowPageSize);
    if (run(dialog) != QDialog::Accepted)
        return nullptr;

    choice.copies = std::max(printer.copyCount(), 1);
    choice.collate = printer.collateCopies();
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        choice.fromPage = printer.fromPage() - 1;
        choice.toPage = printer.toPage() - 1;
    } else {
        choice.fromPage = choice.minPage;
        choice.toPage = choice.maxPage;
    }
    choice.orientation = OrientationOf(printer.pageLayout());
    // The print job makes the copies itself; a printer that made them too would give each
    // page copies × copies times.
    printer.setCopyCount(1);
    return std::make_unique<QtPrintDevice>(printer);
}

PageSetupAnswer QtPrinters::pageSetup(Window* owner, PageSetupChoice& choice)
{
    QPrinter& printer = heldPrinter();
    printer.setPageOrientation(PageOrientation(choice.orientation));
    const QMarginsF inches(choice.margins.left / 1000.0, choice.margins.top / 1000.0,
                           choice.margins.right / 1000.0, choice.margins.bottom / 1000.0);
    printer.setPageMargins(inches, QPageLayout::Inch);

    QPageSetupDialog dialog(&printer, parentOf_ ? parentOf_(owner) : nullptr);
    if (run(dialog) != QDialog::Accepted)
        return PageSetupAnswer::Cancelled;
    if (!printer.isValid())
        return PageSetupAnswer::InvalidPrinter;

    const QPageLayout layout = printer.pageLayout();
    const QRectF paper = layout.fullRect(QPageLayout::Inch);
    choice.orientation =
        paper.width() > paper.height() ? Orientation::Landscape : Orientation::Portrait;
    const QMarginsF margins = layout.margins(QPageLayout::Inch);
    auto thousandths = [](qreal value) { return static_cast<int>(std::lround(value * 1000.0)); };
    choice.margins = Margins{thousandths(margins.left()), thousandths(margins.top()),
                             thousandths(margins.right()), thousandths(margins.bottom())};
    choice.dpiX = printer.logicalDpiX();
    choice.dpiY = printer.logicalDpiY();
    return PageSetupAnswer::Accepted;
}

std::unique_ptr<PrintDevice> QtPrinters::pdfFile(std::string_view path, Orientation orientation)
{
    auto pdf = std::make_unique<QPrinter>(QPrinter::HighResolution);
    pdf->setOutputFormat(QPrinter::PdfFormat);
    pdf->setOutputFileName(FromUtf8(path));
    pdf->setPageLayout(heldPrinter().pageLayout());
    pdf->setPageOrientation(PageOrientation(orientation));
    return std::make_unique<QtPrintDevice>(std::move(pdf));
}

void QtPrinters::preview(Window* owner, Orientation orientation,
                         const std::function<void(PrintDevice&)>& print)
{
    QPrinter& printer = heldPrinter();
    printer.setPageOrientation(PageOrientation(orientation));
    printer.setCopyCount(1);
    QPrintPreviewDialog dialog(&printer, parentOf_ ? parentOf_(owner) : nullptr);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&print](QPrinter* pages) {
                         QtPrintDevice device(*pages, true);
                         print(device);
                     });
    run(dialog);
}

} // namespace tw
