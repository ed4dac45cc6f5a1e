#pragma once
#include "charts/chart.h"
#include "charts/chartstyle.h"
#include "charts/chartview.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

class QPrinter;

namespace tw {

enum class ChartFileType { Png, Svg, Pdf, Unknown };

// By the name's ending, in any case: ".png", ".svg", ".pdf".
ChartFileType ChartFileTypeOf(const QString& path);

// The chart laid out in size (the chart's own pixels) on an image of size × pixelRatio pixels;
// a null image when so large an image cannot be had.
QImage RenderChartImage(const Chart& chart, const ChartView& view, const ChartStyle& style,
                        QSize size, qreal pixelRatio);

// An SVG document of size, its text kept as text.
QByteArray RenderChartSvg(const Chart& chart, const ChartView& view, const ChartStyle& style,
                          QSize size);

// A one-page PDF of size points (one of the chart's pixels to a point).
QByteArray RenderChartPdf(const Chart& chart, const ChartView& view, const ChartStyle& style,
                          QSize size);

// Writes the chart to path in the type its name asks for, replacing the file only once the
// whole of it is written; false with why in error otherwise (nothing is left at path then).
bool SaveChart(const QString& path, const Chart& chart, const ChartView& view,
               const ChartStyle& style, QSize size, qreal pixelRatio, QString* error);

// One page: the chart filling the printable area of the page.
void PrintChart(QPrinter& printer, const Chart& chart, const ChartView& view,
                const ChartStyle& style);

} // namespace tw
