// The desktop's printing: the page painter's fonts, alignment, wrapping and frame, the
// printer device's pages, and the dialogs' offers and answers (run by the test, not a user).
#include "platform/qt/qtpagepainter.h"
#include "platform/qt/qtplatform.h"
#include "platform/qt/qtprintdevice.h"
#include "platform/qt/qtprinters.h"
#include "print/printjob.h"
#include "print/tests/printouts.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <fstream>
#include <optional>

namespace tw {
namespace {

// The columns of x that hold dark pixels in the rows from top to bottom, or nothing.
std::optional<std::pair<int, int>> InkColumns(const QImage& image, int top, int bottom)
{
    int left = image.width();
    int right = -1;
    for (int y = std::max(top, 0); y < std::min(bottom, image.height()); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    if (right < 0)
        return std::nullopt;
    return std::pair{left, right};
}

class PagePainterOnImage : public ::testing::Test
{
  protected:
    PagePainterOnImage() { image.fill(Qt::white); }

    QImage image{800, 400, QImage::Format_RGB32};
    QPainter painter{&image};
    QtPagePainter page{painter};
};

TEST_F(PagePainterOnImage, MeasuresThePageAndGivesFontsTheirHeightWidthAndWeight)
{
    EXPECT_EQ(page.pageSize(), (Size{800, 400}));
    for (const PageFont font : {PageFont{10, 40, 0}, PageFont{30, 40, 0}, PageFont{6, 24, 800}}) {
        SCOPED_TRACE(::testing::Message()
                     << font.width << "x" << font.height << " w" << font.weight);
        page.setFont(font);
        EXPECT_EQ(painter.font().pixelSize(), font.height);
        EXPECT_EQ(painter.font().bold(), font.weight == 800);
        // Stretched so that the average character is about as wide as asked.
        const qreal average = QFontMetricsF(painter.font(), &image).averageCharWidth();
        EXPECT_NEAR(average, font.width, font.width * 0.15);
        const QFontMetrics metrics(painter.font(), &image);
        EXPECT_EQ(page.lineHeight(), metrics.height() + std::max(metrics.leading(), 0));
        EXPECT_GE(page.lineHeight(), font.height);
    }
}

TEST_F(PagePainterOnImage, DrawsTextAlignedInItsRectangleAndWrapsOnlyWhenAsked)
{
    page.setFont({12, 30, 0});
    const int line = page.lineHeight();
    struct Case
    {
        TextAlign align;
        int top;
    };
    const Rect area{100, 0, 600, 0};
    for (const auto& [align, top] :
         {Case{TextAlign::Left, 0}, Case{TextAlign::Center, 100}, Case{TextAlign::Right, 200}}) {
        const Rect where{area.x, top, area.width, line};
        EXPECT_EQ(page.drawText(where, "8888", align, false), line);
        const auto ink = InkColumns(image, top, top + line);
        ASSERT_TRUE(ink.has_value());
        SCOPED_TRACE(::testing::Message() << "ink " << ink->first << "-" << ink->second);
        switch (align) {
        case TextAlign::Left:
            EXPECT_LE(ink->first, 104);
            EXPECT_GE(ink->first, 100);
            break;
        case TextAlign::Center:
            EXPECT_NEAR((ink->first + ink->second) / 2.0, 400, 4);
            break;
        case TextAlign::Right:
            EXPECT_GE(ink->second, 694);
            EXPECT_LE(ink->second, 700);
            break;
        }
    }

    // Too wide for its column: wrapped, two lines high; unwrapped it runs past the edge.
    image.fill(Qt::white);
    const Rect narrow{300, 0, 100, line};
    EXPECT_EQ(page.drawText(narrow, "Total Principal", TextAlign::Center, true), 2 * line);
    const auto wrapped = InkColumns(image, 0, 2 * line);
    ASSERT_TRUE(wrapped.has_value());
    EXPECT_GE(wrapped->first, 300);
    EXPECT_LE(wrapped->second, 400);
    image.fill(Qt::white);
    EXPECT_EQ(page.drawText(narrow, "Total Principal", TextAlign::Center, false), line);
    const auto unclipped = InkColumns(image, 0, line);
    ASSERT_TRUE(unclipped.has_value());
    EXPECT_LT(unclipped->first, 300);
    EXPECT_GT(unclipped->second, 400);
}

TEST_F(PagePainterOnImage, FramesARectangleWithAOnePixelBlackOutline)
{
    page.drawFrame({120, 50, 560, 1});
    EXPECT_EQ(QColor(image.pixel(120, 50)), QColor(Qt::black));
    EXPECT_EQ(QColor(image.pixel(679, 50)), QColor(Qt::black));
    EXPECT_EQ(QColor(image.pixel(680, 50)), QColor(Qt::white));
    EXPECT_EQ(QColor(image.pixel(400, 49)), QColor(Qt::white));
    EXPECT_EQ(QColor(image.pixel(400, 51)), QColor(Qt::white));
    page.drawFrame({10, 100, 30, 20});
    EXPECT_EQ(QColor(image.pixel(10, 110)), QColor(Qt::black));
    EXPECT_EQ(QColor(image.pixel(39, 110)), QColor(Qt::black));
    EXPECT_EQ(QColor(image.pixel(25, 119)), QColor(Qt::black));
    EXPECT_EQ(QColor(image.pixel(25, 110)), QColor(Qt::white));
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(QtPrintDevice, PrintsEachDocumentOfPagesToItsPrinter)
{
    QTemporaryDir directory;
    ASSERT_TRUE(directory.isValid());
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    const QString path = directory.filePath(QStringLiteral("pages.pdf"));
    printer->setOutputFileName(path);
    QtPrintDevice device(std::move(printer));

    ASSERT_TRUE(device.beginDocument("Printing Schedule"));
    EXPECT_EQ(device.printer().docName(), QStringLiteral("Printing Schedule"));
    for (int page = 0; page < 3; ++page) {
        PagePainter* painter = device.beginPage(page);
        ASSERT_NE(painter, nullptr);
        EXPECT_EQ(painter->pageSize().width, device.printer().width());
        painter->setFont({40, 120, 0});
        painter->drawText({120, 100, 4000, 200}, "Page " + std::to_string(page), TextAlign::Center,
                          false);
        device.endPage();
    }
    device.endDocument();
    EXPECT_EQ(device.beginPage(3), nullptr);
    const QByteArray pdf = ReadAll(path);
    EXPECT_TRUE(pdf.startsWith("%PDF")) << pdf.left(20).toStdString();
    EXPECT_TRUE(pdf.contains("/Count 3"));

    // A second document replaces the file: one job each.
    ASSERT_TRUE(device.beginDocument("Printing Graph"));
    ASSERT_NE(device.beginPage(1), nullptr);
    device.endPage();
    device.endDocument();
    EXPECT_TRUE(ReadAll(path).contains("/Count 1"));

    auto unwritable = std::make_unique<QPrinter>(QPrinter::HighResolution);
    unwritable->setOutputFormat(QPrinter::PdfFormat);
    unwritable->setOutputFileName(directory.filePath(QStringLiteral("no/such/dir/x.pdf")));
    QtPrintDevice nowhere(std::move(unwritable));
    EXPECT_FALSE(nowhere.beginDocument("Printing Schedule"));
    EXPECT_EQ(nowhere.beginPage(0), nullptr);
}

class QtPrintersDialogs : public ::testing::Test
{
  protected:
    QtPrinters printers{[](Window*) { return nullptr; }, [this] { ++moves; }};
    int moves = 0;
};

TEST_F(QtPrintersDialogs, PrintDialogOffersThePagesOneHigherAndGivesTheChoiceBack)
{
    PrintChoice offered{0, 2, 0, 2, 1, true, Orientation::Landscape, "Printing Schedule"};
    QString docName;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    bool collate = false;
    int minimum = -1;
    int maximum = -1;
    printers.setDialogRunner([&](QDialog& dialog) {
        auto& print = static_cast<QPrintDialog&>(dialog);
        minimum = print.minPage();
        maximum = print.maxPage();
        docName = print.printer()->docName();
        orientation = print.printer()->pageLayout().orientation();
        collate = print.printer()->collateCopies();
        // The user: pages 2 to 3 of the dialog (1 to 2 of the printout), two copies.
        QTimer::singleShot(0, &dialog, [&dialog] {
            dialog.findChild<QRadioButton*>(QStringLiteral("printRange"))->setChecked(true);
            dialog.findChild<QSpinBox*>(QStringLiteral("to"))->setValue(3);
            dialog.findChild<QSpinBox*>(QStringLiteral("from"))->setValue(2);
            dialog.findChild<QSpinBox*>(QStringLiteral("copies"))->setValue(2);
            dialog.accept();
        });
        return dialog.exec();
    });
    PrintChoice choice = offered;
    const std::unique_ptr<PrintDevice> device = printers.choosePrinter(nullptr, choice);
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(minimum, 1);
    EXPECT_EQ(maximum, 3);
    EXPECT_EQ(docName, QStringLiteral("Printing Schedule"));
    EXPECT_EQ(orientation, QPageLayout::Landscape);
    EXPECT_TRUE(collate);
    EXPECT_EQ(choice.fromPage, 1);
    EXPECT_EQ(choice.toPage, 2);
    EXPECT_EQ(choice.copies, 2);
    EXPECT_TRUE(choice.collate);
    EXPECT_EQ(choice.orientation, Orientation::Landscape);
    // The job makes the copies.
    EXPECT_EQ(printers.heldPrinter().copyCount(), 1);

    // All pages: the whole range offered.
    printers.setDialogRunner([](QDialog& dialog) {
        QTimer::singleShot(0, &dialog, [&dialog] { dialog.accept(); });
        return dialog.exec();
    });
    choice = offered;
    choice.orientation = Orientation::Portrait;
    ASSERT_NE(printers.choosePrinter(nullptr, choice), nullptr);
    EXPECT_EQ(choice.fromPage, 0);
    EXPECT_EQ(choice.toPage, 2);
    EXPECT_EQ(choice.copies, 1);
    EXPECT_EQ(choice.orientation, Orientation::Portrait);

    printers.setDialogRunner([](QDialog&) { return static_cast<int>(QDialog::Rejected); });
    EXPECT_EQ(printers.choosePrinter(nullptr, choice), nullptr);
}

TEST_F(QtPrintersDialogs, PageSetupOffersTheMarginsAndReadsTheOrientationFromThePaper)
{
    QMarginsF offeredMargins;
    printers.setDialogRunner([&](QDialog& dialog) {
        offeredMargins = printers.heldPrinter().pageLayout().margins(QPageLayout::Inch);
        QTimer::singleShot(0, &dialog, [&dialog] {
            dialog.findChild<QRadioButton*>(QStringLiteral("landscape"))->click();
            dialog.accept();
        });
        return dialog.exec();
    });
    PageSetupChoice choice{Orientation::Portrait, Margins{750, 1250, 500, 1000}, 0, 0};
    EXPECT_EQ(printers.pageSetup(nullptr, choice), PageSetupAnswer::Accepted);
    EXPECT_NEAR(offeredMargins.left(), 0.75, 1e-6);
    EXPECT_NEAR(offeredMargins.top(), 1.25, 1e-6);
    EXPECT_EQ(choice.orientation, Orientation::Landscape);
    EXPECT_EQ(choice.margins, (Margins{750, 1250, 500, 1000}));
    EXPECT_EQ(choice.dpiX, printers.heldPrinter().logicalDpiX());
    EXPECT_GT(choice.dpiX, 0);

    printers.setDialogRunner([](QDialog&) { return static_cast<int>(QDialog::Rejected); });
    choice = PageSetupChoice{};
    EXPECT_EQ(printers.pageSetup(nullptr, choice), PageSetupAnswer::Cancelled);
}

TEST_F(QtPrintersDialogs, PreviewShowsWhatThePrintoutDrawsAndMovingADialogIsReported)
{
    int drawings = 0;
    int pages = 0;
    printers.setDialogRunner([&](QDialog& dialog) {
        QTimer::singleShot(0, &dialog, [&dialog] {
            dialog.move(dialog.pos() + QPoint(30, 20));
            dialog.reject();
        });
        return dialog.exec();
    });
    printers.preview(nullptr, Orientation::Portrait, [&](PrintDevice& device) {
        ++drawings;
        ASSERT_TRUE(device.beginDocument("Printing Schedule"));
        for (int page = 0; page < 2; ++page) {
            PagePainter* painter = device.beginPage(page);
            ASSERT_NE(painter, nullptr);
            painter->setFont({30, 100, 0});
            painter->drawText({120, 100, 2000, 100}, "text", TextAlign::Left, false);
            device.endPage();
            ++pages;
        }
        device.endDocument();
    });
    EXPECT_GE(drawings, 1);
    EXPECT_EQ(pages, 2 * drawings);
    EXPECT_GE(moves, 1);
}

TEST_F(QtPrintersDialogs, PdfFileHasThePaperOfTheHeldPrinterInTheOrientationAsked)
{
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("out.pdf"));
    std::unique_ptr<PrintDevice> device =
        printers.pdfFile(path.toStdString(), Orientation::Landscape);
    ASSERT_NE(device, nullptr);
    auto& qt = static_cast<QtPrintDevice&>(*device);
    EXPECT_EQ(qt.printer().outputFormat(), QPrinter::PdfFormat);
    EXPECT_EQ(qt.printer().pageLayout().pageSize().id(),
              printers.heldPrinter().pageLayout().pageSize().id());
    ASSERT_TRUE(device->beginDocument("Printing Schedule"));
    PagePainter* page = device->beginPage(0);
    ASSERT_NE(page, nullptr);
    EXPECT_GT(page->pageSize().width, page->pageSize().height);
    device->endPage();
    device->endDocument();
    EXPECT_TRUE(QFile::exists(path));
}

// The whole desktop job: the refinance report's page files, the print dialog printing to a
// PDF file, the copies made by the job.
TEST(DesktopPrintJob, PrintsTheChosenPagesAndCopiesToThePrinterOfTheDialog)
{
    QTemporaryDir directory;
    ASSERT_TRUE(directory.isValid());
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(directory.path()));
    std::ofstream("refprt.tmp", std::ios::binary) << testing::RefinanceInput(47);

    QtPlatform platform(false);
    AppRecords records;
    records.print.title = "Refinance Analysis Report";
    OpenMarks marks;
    ToolContext context{platform, records, marks};
    auto& printers = static_cast<QtPrinters&>(*platform.printers());
    const QString pdf = directory.filePath(QStringLiteral("printed.pdf"));
    bool markDuringDialog = false;
    printers.setDialogRunner([&](QDialog& dialog) {
        markDuringDialog = marks[ToolMark::PrintJob].open;
        QTimer::singleShot(0, &dialog, [&] {
            // Pages 2 to 3 of the dialog: the report's pages 1 and 2, twice each, collated.
            dialog.findChild<QLineEdit*>(QStringLiteral("filename"))->setText(pdf);
            dialog.findChild<QRadioButton*>(QStringLiteral("printRange"))->setChecked(true);
            dialog.findChild<QSpinBox*>(QStringLiteral("to"))->setValue(3);
            dialog.findChild<QSpinBox*>(QStringLiteral("from"))->setValue(2);
            dialog.findChild<QSpinBox*>(QStringLiteral("copies"))->setValue(2);
            dialog.accept();
        });
        return dialog.exec();
    });
    records.printer.collate = true;
    EXPECT_EQ(PrintPrintout(context, nullptr, PrintoutKind::Refinance), 2);
    QDir::setCurrent(previous);

    EXPECT_TRUE(markDuringDialog);
    EXPECT_FALSE(marks[ToolMark::PrintJob].open);
    EXPECT_EQ(printers.heldPrinter().outputFileName(), pdf);
    const QByteArray printed = ReadAll(pdf);
    EXPECT_TRUE(printed.startsWith("%PDF"));
    // Two pages, two copies each, and the printer itself made no more.
    EXPECT_TRUE(printed.contains("/Count 4")) << printed.size();
    EXPECT_EQ(printers.heldPrinter().copyCount(), 1);
}

} // namespace
} // namespace tw
