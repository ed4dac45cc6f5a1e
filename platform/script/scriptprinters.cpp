#include "platform/script/scriptprinters.h"

#include <algorithm>
#include <utility>

namespace tw {

namespace {

std::string_view OrientationName(Orientation orientation)
{
    return orientation == Orientation::Landscape ? "landscape" : "portrait";
}

// A page of US Letter at the PDF pages' resolution, on which nothing shows.
class UnseenPage : public PagePainter
{
  public:
    Size pageSize() const override
    {
        return {ScriptPrinters::kPaperWidth * ScriptPrinters::kDotsPerInch / 1000,
                ScriptPrinters::kPaperHeight * ScriptPrinters::kDotsPerInch / 1000};
    }
    void setFont(const PageFont& font) override { height_ = std::max(font.height, 1); }
    int lineHeight() const override { return height_; }
    int drawText(Rect, std::string_view, TextAlign, bool) override { return height_; }
    void drawFrame(Rect) override {}

  private:
    int height_ = 1;
};

// Writes a line for every page it is given, then hands the page on.
class ReportingDevice : public PrintDevice
{
  public:
    ReportingDevice(std::unique_ptr<PrintDevice> pages, ScriptPrinters::Output output)
        : pages_(std::move(pages)), output_(std::move(output))
    {
    }

    bool beginDocument(std::string_view name) override
    {
        document_ = std::string(name);
        return !pages_ || pages_->beginDocument(name);
    }
    PagePainter* beginPage(int number) override
    {
        PagePainter* painter = pages_ ? pages_->beginPage(number) : &unseen_;
        if (painter != nullptr)
            output_({"print", document_, std::to_string(number)});
        return painter;
    }
    void endPage() override
    {
        if (pages_)
            pages_->endPage();
    }
    void endDocument() override
    {
        if (pages_)
            pages_->endDocument();
    }
    void abortDocument() override
    {
        if (pages_)
            pages_->abortDocument();
    }
    std::optional<std::string> failure() const override
    {
        return pages_ ? pages_->failure() : std::nullopt;
    }

  private:
    std::unique_ptr<PrintDevice> pages_;
    ScriptPrinters::Output output_;
    std::string document_;
    UnseenPage unseen_;
};

} // namespace

ScriptPrinters::ScriptPrinters(Output output) : output_(std::move(output)) {}

void ScriptPrinters::acceptPrintToPdf(std::string path)
{
    print_.pdf = std::move(path);
}

void ScriptPrinters::cancelPrint()
{
    print_.pdf.reset();
}

void ScriptPrinters::choosePages(int from, int to)
{
    print_.from = from;
    print_.to = to;
}

void ScriptPrinters::chooseCopies(int copies)
{
    print_.copies = copies;
}

void ScriptPrinters::chooseCollate(bool collate)
{
    print_.collate = collate;
}

void ScriptPrinters::acceptPageSetup(Orientation orientation, std::optional<Margins> margins)
{
    setup_.orientation = orientation;
    setup_.margins = margins;
}

void ScriptPrinters::cancelPageSetup()
{
    setup_ = SetupAnswer{};
}

void ScriptPrinters::reset()
{
    print_ = PrintAnswer{};
    setup_ = SetupAnswer{};
}

std::unique_ptr<PrintDevice> ScriptPrinters::device(std::string_view path, Orientation orientation)
{
    std::unique_ptr<PrintDevice> pages;
    if (pdfDevices_) {
        pages = pdfDevices_(path, orientation);
        if (!pages)
            return nullptr;
    }
    return std::make_unique<ReportingDevice>(std::move(pages), output_);
}

std::unique_ptr<PrintDevice> ScriptPrinters::choosePrinter(Window* /*owner*/, PrintChoice& choice)
{
    output_({"printdialog", std::to_string(choice.fromPage), std::to_string(choice.toPage),
             std::to_string(choice.copies), choice.collate ? "1" : "0",
             OrientationName(choice.orientation)});
    const PrintAnswer answer = std::exchange(print_, PrintAnswer{});
    if (!answer.pdf)
        return nullptr;
    // As the dialog's fields would, the range stays within the pages offered and never
    // ends before it starts.
    auto offered = [&](int page) { return std::clamp(page, choice.minPage, choice.maxPage); };
    choice.fromPage = offered(answer.from.value_or(choice.fromPage));
    choice.toPage = std::max(offered(answer.to.value_or(choice.toPage)), choice.fromPage);
    choice.copies = answer.copies.value_or(choice.copies);
    choice.collate = answer.collate.value_or(choice.collate);
    return device(*answer.pdf, choice.orientation);
}

PageSetupAnswer ScriptPrinters::pageSetup(Window* /*owner*/, PageSetupChoice& choice)
{
    const Margins& m = choice.margins;
    output_({"pagesetup", OrientationName(choice.orientation), std::to_string(m.left),
             std::to_string(m.top), std::to_string(m.right), std::to_string(m.bottom)});
    const SetupAnswer answer = std::exchange(setup_, SetupAnswer{});
    if (!answer.orientation)
        return PageSetupAnswer::Cancelled;
    choice.orientation = *answer.orientation;
    choice.margins = answer.margins.value_or(choice.margins);
    choice.dpiX = kDotsPerInch;
    choice.dpiY = kDotsPerInch;
    return PageSetupAnswer::Accepted;
}

std::unique_ptr<PrintDevice> ScriptPrinters::pdfFile(std::string_view path, Orientation orientation)
{
    return device(path, orientation);
}

void ScriptPrinters::preview(Window* /*owner*/, Orientation /*orientation*/,
                             const std::function<void(PrintDevice&)>& /*print*/)
{
    // Nobody would look at it.
}

} // namespace tw
