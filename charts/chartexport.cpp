#include "charts/chartexport.h"

#include "charts/chartpainter.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QSvgGenerator>

namespace tw {

namespace {

QString TitleOf(const Chart& chart)
{
    return QString::fromStdString(chart.title);
}

// Paints onto a device whose pixels are not the chart's own (SVG, PDF, a printer): the chart
// is laid out in its own size and scaled to the device's.
void PaintScaled(QPaintDevice& device, QRectF target, QSizeF size, const Chart& chart,
                 const ChartView& view, const ChartStyle& style)
{
    QPainter painter(&device);
    PaintChartInto(painter, target, size, chart, view, style);
}

} // namespace

ChartFileType ChartFileTypeOf(const QString& path)
{
    if (path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive))
        return ChartFileType::Png;
    if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive))
        return ChartFileType::Svg;
    if (path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        return ChartFileType::Pdf;
    return ChartFileType::Unknown;
}

QImage RenderChartImage(const Chart& chart, const ChartView& view, const ChartStyle& style,
                        QSize size, qreal pixelRatio)
{
    QImage image(size * pixelRatio, QImage::Format_ARGB32_Premultiplied);
    // An image too large to be had is no image, and a painter on it only warns.
    if (image.isNull())
        return image;
    image.setDevicePixelRatio(pixelRatio);
    image.fill(style.background);
    QPainter painter(&image);
    PaintChart(painter, chart, view, style, LayoutChart(chart, view, style, size));
    return image;
}

QByteArray RenderChartSvg(const Chart& chart, const ChartView& view, const ChartStyle& style,
                          QSize size)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(TitleOf(chart));
    PaintScaled(svg, QRectF(QPointF(0, 0), size), size, chart, view, style);
    return bytes;
}

QByteArray RenderChartPdf(const Chart& chart, const ChartView& view, const ChartStyle& style,
                          QSize size)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setTitle(TitleOf(chart));
        pdf.setCreator(QStringLiteral("Tarrow Financial Tool Set"));
        pdf.setResolution(600);
        pdf.setPageSize(
            QPageSize(QSizeF(size), QPageSize::Point, QString(), QPageSize::ExactMatch));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        const QRectF page(0, 0, pdf.width(), pdf.height());
        PaintScaled(pdf, page, size, chart, view, style);
    }
    return bytes;
}

bool SaveChart(const QString& path, const Chart& chart, const ChartView& view,
               const ChartStyle& style, QSize size, qreal pixelRatio, QString* error)
{
    QByteArray bytes;
    switch (ChartFileTypeOf(path)) {
    case ChartFileType::Png: {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!RenderChartImage(chart, view, style, size, pixelRatio).save(&buffer, "PNG")) {
            *error = QStringLiteral("the PNG image could not be made");
            return false;
        }
        break;
    }
    case ChartFileType::Svg:
        bytes = RenderChartSvg(chart, view, style, size);
        break;
    case ChartFileType::Pdf:
        bytes = RenderChartPdf(chart, view, style, size);
        break;
    case ChartFileType::Unknown:
        *error = QStringLiteral("the file name must end in .png, .svg or .pdf");
        return false;
    }

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

void PrintChart(QPrinter& printer, const Chart& chart, const ChartView& view,
                const ChartStyle& style)
{
    // The chart fills the printable area, laid out in points so that its text prints at about
    // the size it has on the screen.
    const QRectF paper = printer.pageRect(QPrinter::Point);
    const QRectF device = printer.pageRect(QPrinter::DevicePixel);
    const QSizeF size = paper.size();
    const QRectF target(0, 0, device.width(), device.height());
    PaintScaled(printer, target, size, chart, view, style);
}

} // namespace tw
