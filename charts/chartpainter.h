#pragma once
// Drawing charts with QPainter: the layout of a chart in a given size and its painting, the
// same for the window, images, SVG, PDF and printed pages. Uses Qt Gui only; the model below
// it (charts/graphfile.h) is plain C++.

#include "charts/axis.h"
#include "charts/chart.h"
#include "charts/chartstyle.h"
#include "charts/chartview.h"

#include <QPainter>
#include <QRectF>
#include <QSizeF>

#include <optional>
#include <vector>

namespace tw {

// Where everything of a chart goes in a size, in the chart's own pixels.
struct ChartLayout
{
    QRectF bounds;
    QRectF title;
    QRectF plot;
    std::vector<QRectF> legend; // one entry per curve
    Axis xAxis;
    Axis yAxis;

    double xToPixel(double x) const;
    double yToPixel(double y) const;
    double pixelToX(double px) const;
    double pixelToY(double py) const;
    QPointF toPixel(double x, double y) const { return {xToPixel(x), yToPixel(y)}; }
    // The curve whose legend entry holds point, if any.
    std::optional<std::size_t> legendAt(QPointF point) const;
};

ChartLayout LayoutChart(const Chart& chart, const ChartView& view, const ChartStyle& style,
                        QSizeF size);

void PaintChart(QPainter& painter, const Chart& chart, const ChartView& view,
                const ChartStyle& style, const ChartLayout& layout);

// The crosshair at point index: a line through it, a dot on each curve shown, and a box with
// the x, each curve's value and the differences between the curves shown.
void PaintCrosshair(QPainter& painter, const Chart& chart, const ChartView& view,
                    const ChartStyle& style, const ChartLayout& layout, std::size_t index);

// The texts of the crosshair's box, first the x, then one per curve shown, then the
// differences ("Refinanced Mortgage − Existing Mortgage: $655.00").
std::vector<QString> CrosshairLines(const Chart& chart, const ChartView& view, std::size_t index);

// The whole chart laid out in logicalSize and drawn into target, scaled to fill it; what the
// exports and printing use.
void PaintChartInto(QPainter& painter, const QRectF& target, QSizeF logicalSize, const Chart& chart,
                    const ChartView& view, const ChartStyle& style);

} // namespace tw
