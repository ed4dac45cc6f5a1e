#pragma once
// Printing as the print layer sees it: the desktop's print and page-setup dialogs, a device
// that takes pages, and a painter that draws one page. No toolkit in sight; the desktop host
// implements it over its printer, the script host over PDF files.

#include "platform/window.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tw {

enum class Orientation { Portrait = 1, Landscape = 2 };

// Page margins in thousandths of an inch.
struct Margins
{
    int left = 1000;
    int top = 1000;
    int right = 500;
    int bottom = 1000;
    bool operator==(const Margins&) const = default;
};

// What the print dialog offers when it opens and, once accepted, what the user chose.
struct PrintChoice
{
    int minPage = 0;
    int maxPage = 0;
    int fromPage = 0;
    int toPage = 0;
    int copies = 1;
    bool collate = false;
    Orientation orientation = Orientation::Portrait;
    // The name of the document to be printed, which a dialog may propose as the file name
    // when printing to a file.
    std::string document;
};

// What the page-setup dialog offers and, once accepted, what the user chose.
struct PageSetupChoice
{
    Orientation orientation = Orientation::Portrait;
    Margins margins;
    // Filled on acceptance: the resolution of the printer the dialog was for, dots per inch.
    int dpiX = 0;
    int dpiY = 0;
};

enum class PageSetupAnswer { Accepted, Cancelled, InvalidPrinter };

enum class TextAlign { Left, Center, Right };

// A font of the platform's default face, by character width and height in device pixels and
// by weight (0 the default weight, 800 bold).
struct PageFont
{
    int width = 0;
    int height = 0;
    int weight = 0;
    bool operator==(const PageFont&) const = default;
};

// Draws on one page, in device pixels from the top left of the printable area.
class PagePainter
{
  public:
    virtual ~PagePainter() = default;

    // The printable width and height.
    virtual Size pageSize() const = 0;
    virtual void setFont(const PageFont& font) = 0;
    // The selected font's height plus its external leading.
    virtual int lineHeight() const = 0;
    // Draws text into where without clipping it, aligned horizontally, wrapped at word
    // boundaries when wrap is set; returns the height of the text as drawn.
    virtual int drawText(Rect where, std::string_view text, TextAlign align, bool wrap) = 0;
    // The outline of the rectangle, with a solid black pen one pixel wide.
    virtual void drawFrame(Rect where) = 0;
};

// One printer, or one PDF file, chosen for one document.
class PrintDevice
{
  public:
    virtual ~PrintDevice() = default;

    // False when the document cannot be started.
    virtual bool beginDocument(std::string_view name) = 0;
    // The painter of a new page, valid until endPage(); null when no page can be started.
    // number is the page's number in the printout (0 the title page), for hosts that report
    // what was printed.
    virtual PagePainter* beginPage(int number) = 0;
    virtual void endPage() = 0;
    virtual void endDocument() = 0;
    // Gives the document up part-way; a printer that can drops what it was given of it.
    virtual void abortDocument() { endDocument(); }
    // Why the document could not be started (after beginDocument() gave false) or did not
    // come out whole (after endDocument(): a full disk, a printer that failed), as far as the
    // platform says (possibly empty); nothing while all is well. A device writing a file
    // removes what it wrote of a document that did not come out whole.
    virtual std::optional<std::string> failure() const { return std::nullopt; }
};

// The desktop's printers and the dialogs that choose them. The host keeps the chosen
// printer and its settings for the rest of the run.
class Printers
{
  public:
    virtual ~Printers() = default;

    // The print dialog owned by owner (null: the main window), offering choice. Accepted:
    // choice holds the answers and a device of the chosen printer is returned, with its own
    // copy count set to 1 (the caller repeats pages for copies). Cancelled: null.
    virtual std::unique_ptr<PrintDevice> choosePrinter(Window* owner, PrintChoice& choice) = 0;
    // The page-setup dialog, offering choice; on acceptance choice holds the answers.
    virtual PageSetupAnswer pageSetup(Window* owner, PageSetupChoice& choice) = 0;
    // A PDF file at path as a device, with no dialog, its pages of the held printer's paper in
    // the given orientation; null when there is none to be had. A file that cannot be written
    // shows as a document that cannot be started.
    virtual std::unique_ptr<PrintDevice> pdfFile(std::string_view path,
                                                 Orientation orientation) = 0;
    // Shows the pages that print draws on the device it is given, in the desktop's print
    // preview owned by owner, on the held printer's paper in the given orientation. print may
    // be called more than once (the preview draws again when its page settings change).
    // Hosts without a preview do nothing.
    virtual void preview(Window* owner, Orientation orientation,
                         const std::function<void(PrintDevice&)>& print) = 0;
};

} // namespace tw
