#include "charts/chartpainter.h"

#include "charts/plotlines.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QPainterPath>
#include <QPolygonF>
#include <QVector>

#include <algorithm>
#include <cmath>

namespace tw {

namespace {

// The layout's measures, all from the font's height so a larger font scales the whole chart.
struct Measures
{
    explicit Measures(const ChartStyle& style)
        : font(style.font), titleFont(style.font), smallFont(style.font), boldFont(style.font),
          metrics(font), titleMetrics(titleFont), smallMetrics(smallFont), boldMetrics(boldFont)
    {
        const int pixels = style.font.pixelSize() > 0 ? style.font.pixelSize() : 12;
        titleFont.setPixelSize(static_cast<int>(std::lround(pixels * 1.25)));
        titleFont.setBold(true);
        smallFont.setPixelSize(std::max(7, static_cast<int>(std::lround(pixels * 0.85))));
        boldFont.setBold(true);
        titleMetrics = QFontMetricsF(titleFont);
        smallMetrics = QFontMetricsF(smallFont);
        boldMetrics = QFontMetricsF(boldFont);
        line = metrics.height();
        pad = std::round(line * 0.7);
        tick = std::round(line * 0.35);
        swatch = std::round(line * 1.8);
    }

    QFont font;
    QFont titleFont;
    QFont smallFont;
    QFont boldFont;
    QFontMetricsF metrics;
    QFontMetricsF titleMetrics;
    QFontMetricsF smallMetrics;
    QFontMetricsF boldMetrics;
    double line = 0;
    double pad = 0;
    double tick = 0;
    double swatch = 0;
};

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

double WidestLabel(const Axis& axis, const QFontMetricsF& metrics)
{
    double widest = 0;
    for (const Tick& tick : axis.ticks)
        widest = std::max(widest, metrics.horizontalAdvance(Text(tick.label)));
    return widest;
}

Axis XAxisFor(const Chart& chart, Range visible, int maxTicks)
{
    return chart.xKind == XAxisKind::Months ? MonthAxis(visible, maxTicks)
                                            : PeriodAxis(visible, maxTicks);
}

bool HasSublabels(const Chart& chart)
{
    return chart.xKind == XAxisKind::Months;
}

QPen Pen(const QColor& color, double width, Qt::PenStyle style = Qt::SolidLine)
{
    QPen pen(color, width, style, Qt::FlatCap, Qt::MiterJoin);
    pen.setCosmetic(false);
    return pen;
}

// Lines of one pixel drawn on pixel centres, so grid lines stay crisp at 1x.
double Crisp(double v)
{
    return std::floor(v) + 0.5;
}

std::vector<std::size_t> ShownSeries(const Chart& chart, const ChartView& view)
{
    std::vector<std::size_t> shown;
    for (std::size_t k = 0; k < chart.series.size(); ++k) {
        if (IsShown(view, k))
            shown.push_back(k);
    }
    return shown;
}

void PaintPanel(QPainter& painter, const ChartStyle& style, const QRectF& rect,
                const QColor& border)
{
    painter.setPen(Pen(border, 1));
    painter.setBrush(style.panel);
    painter.drawRoundedRect(rect, 3, 3);
    painter.setBrush(Qt::NoBrush);
}

void PaintLegend(QPainter& painter, const Chart& chart, const ChartView& view,
                 const ChartStyle& style, const ChartLayout& layout, const Measures& m)
{
    for (std::size_t k = 0; k < chart.series.size() && k < layout.legend.size(); ++k) {
        const QRectF& rect = layout.legend[k];
        const bool shown = IsShown(view, k);
        const double middle = rect.center().y();
        const QColor color = style.seriesColor(k);
        painter.setPen(shown ? Pen(color, 3) : Pen(style.mutedText, 1.2, Qt::DashLine));
        painter.drawLine(QPointF(rect.left() + 2, middle), QPointF(rect.left() + m.swatch, middle));
        QFont font = m.font;
        font.setStrikeOut(!shown);
        painter.setFont(font);
        painter.setPen(shown ? style.text : style.mutedText);
        painter.drawText(QRectF(rect.left() + m.swatch + m.line * 0.4, rect.top(),
                                rect.width() - m.swatch - m.line * 0.4, rect.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, Text(chart.series[k].name));
    }
}

void PaintAxes(QPainter& painter, const Chart& chart, const ChartStyle& style,
               const ChartLayout& layout, const Measures& m)
{
    const QRectF& plot = layout.plot;

    painter.setPen(Pen(style.grid, 1));
    for (const Tick& tick : layout.yAxis.ticks) {
        const double y = Crisp(layout.yToPixel(tick.value));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    }
    for (const Tick& tick : layout.xAxis.ticks) {
        const double x = Crisp(layout.xToPixel(tick.value));
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    }

    painter.setPen(Pen(style.axis, 1));
    if (layout.yAxis.range.lo < 0 && layout.yAxis.range.hi > 0) {
        const double zero = Crisp(layout.yToPixel(0));
        painter.drawLine(QPointF(plot.left(), zero), QPointF(plot.right(), zero));
    }
    const double left = Crisp(plot.left());
    const double bottom = Crisp(plot.bottom());
    painter.drawLine(QPointF(left, plot.top()), QPointF(left, bottom));
    painter.drawLine(QPointF(left, bottom), QPointF(plot.right(), bottom));

    // Ticks and their labels.
    painter.setFont(m.font);
    for (const Tick& tick : layout.yAxis.ticks) {
        const double y = Crisp(layout.yToPixel(tick.value));
        painter.setPen(Pen(style.axis, 1));
        painter.drawLine(QPointF(left - m.tick, y), QPointF(left, y));
        painter.setPen(style.mutedText);
        const QRectF label(layout.bounds.left(), y - m.line / 2,
                           left - m.tick - 3 - layout.bounds.left(), m.line);
        painter.drawText(label, Qt::AlignRight | Qt::AlignVCenter, Text(tick.label));
    }
    for (const Tick& tick : layout.xAxis.ticks) {
        const double x = Crisp(layout.xToPixel(tick.value));
        painter.setPen(Pen(style.axis, 1));
        painter.drawLine(QPointF(x, bottom), QPointF(x, bottom + m.tick));
        painter.setPen(style.mutedText);
        painter.setFont(m.font);
        const double width = m.metrics.horizontalAdvance(Text(tick.label)) + m.line;
        painter.drawText(QRectF(x - width / 2, bottom + m.tick + 2, width, m.line),
                         Qt::AlignHCenter | Qt::AlignTop, Text(tick.label));
        if (!tick.sublabel.empty()) {
            painter.setFont(m.smallFont);
            const double subWidth = m.smallMetrics.horizontalAdvance(Text(tick.sublabel)) + m.line;
            painter.drawText(QRectF(x - subWidth / 2, bottom + m.tick + 2 + m.line, subWidth,
                                    m.smallMetrics.height()),
                             Qt::AlignHCenter | Qt::AlignTop, Text(tick.sublabel));
        }
    }
    painter.setPen(Pen(style.axis, 1));
    for (const double value : layout.xAxis.minor) {
        const double x = Crisp(layout.xToPixel(value));
        painter.drawLine(QPointF(x, bottom), QPointF(x, bottom + m.tick * 0.6));
    }

    // Axis titles.
    painter.setFont(m.font);
    painter.setPen(style.mutedText);
    const double titleTop = layout.bounds.bottom() - m.pad - m.line;
    painter.drawText(QRectF(plot.left(), titleTop, plot.width(), m.line), Qt::AlignCenter,
                     Text(chart.xTitle));
    painter.save();
    painter.translate(layout.bounds.left() + m.pad + m.line / 2, plot.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-plot.height() / 2, -m.line / 2, plot.height(), m.line),
                     Qt::AlignCenter, Text(chart.yTitle));
    painter.restore();
}

// The runs of a curve in the plot, stroked as StrokeFor says for their length.
void StrokeRuns(QPainter& painter, const std::vector<PlotRun>& runs, const QPen& pen,
                const QRectF& plot)
{
    painter.setPen(pen);
    const CurveStroke stroke = StrokeFor(RunsLength(runs), plot.width(), plot.height());
    if (stroke == CurveStroke::Path) {
        for (const PlotRun& run : runs) {
            QPolygonF line;
            line.reserve(static_cast<qsizetype>(run.size()));
            for (const PlotPoint& point : run)
                line << QPointF(point.x, point.y);
            if (line.size() == 1)
                painter.drawPoint(line.front());
            else
                painter.drawPolyline(line);
        }
        return;
    }
    QVector<QLineF> segments;
    for (const PlotRun& run : runs) {
        for (std::size_t i = 1; i < run.size(); ++i)
            segments.append(QLineF(run[i - 1].x, run[i - 1].y, run[i].x, run[i].y));
    }
    painter.setRenderHint(QPainter::Antialiasing, stroke == CurveStroke::Segments);
    painter.drawLines(segments);
    painter.setRenderHint(QPainter::Antialiasing, true);
}

void PaintCurves(QPainter& painter, const Chart& chart, const ChartView& view,
                 const ChartStyle& style, const ChartLayout& layout)
{
    const QRectF& plot = layout.plot;
    const int columns = std::max(1, static_cast<int>(plot.width()));
    const PlotBox box{plot.left(), plot.top(), plot.right(), plot.bottom()};
    // Dots a little past the edges stay whole, so the first and the last point keep theirs.
    const QRectF dotted = plot.adjusted(-3, -3, 3, 3);
    for (std::size_t k = 0; k < chart.series.size(); ++k) {
        if (!IsShown(view, k))
            continue;
        const std::vector<std::size_t> points =
            PointsToDraw(chart.x, chart.series[k].y, layout.xAxis.range, columns);
        if (points.empty())
            continue;
        std::vector<PlotPoint> line;
        line.reserve(points.size());
        for (const std::size_t i : points)
            line.push_back({layout.xToPixel(chart.x[i]), layout.yToPixel(chart.series[k].y[i])});
        const QColor color = style.seriesColor(k);

        // Cut to the plot before it is stroked, so that the line ends at the plot's edges
        // rather than over the axes, and the far-away points of a zoomed curve cost nothing.
        painter.save();
        painter.setClipRect(plot, Qt::IntersectClip);
        StrokeRuns(painter, ClipPolyline(line, box),
                   QPen(color, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin), plot);
        painter.restore();

        // Dots on the points while they stand well apart, so a reader sees where the data is.
        const double spacing = line.size() > 1 ? plot.width() / (line.size() - 1) : 1e9;
        if (spacing >= 12 || line.size() == 1) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(color);
            for (const PlotPoint& point : line) {
                if (dotted.contains(QPointF(point.x, point.y)))
                    painter.drawEllipse(QPointF(point.x, point.y), 2.8, 2.8);
            }
            painter.setBrush(Qt::NoBrush);
        }
    }
}

void PaintMarker(QPainter& painter, const Chart& chart, const ChartStyle& style,
                 const ChartLayout& layout, const Measures& m)
{
    if (!chart.marker)
        return;
    const ChartMarker& marker = *chart.marker;
    if (marker.series >= chart.series.size() || marker.index >= chart.x.size())
        return;
    const double x = chart.x[marker.index];
    const double y = chart.series[marker.series].y[marker.index];
    if (!layout.xAxis.range.contains(x))
        return;
    const QPointF point = layout.toPixel(x, y);
    const QRectF& plot = layout.plot;

    painter.setPen(Pen(style.marker, 1.5, Qt::DashLine));
    painter.drawLine(QPointF(point.x(), plot.top()), QPointF(point.x(), plot.bottom()));
    painter.setPen(Pen(style.marker, 2.5));
    painter.setBrush(style.background);
    painter.drawEllipse(point, 5.5, 5.5);
    painter.setBrush(Qt::NoBrush);

    const QString label = Text(marker.label);
    const QSizeF size(m.boldMetrics.horizontalAdvance(label) + m.line, m.line * 1.5);
    QRectF box(QPointF(point.x() + m.line * 0.6, point.y() - m.line * 0.6 - size.height()), size);
    if (box.right() > plot.right())
        box.moveRight(point.x() - m.line * 0.6);
    if (box.top() < plot.top())
        box.moveTop(point.y() + m.line * 0.6);
    if (box.bottom() > plot.bottom())
        box.moveBottom(plot.bottom() - 2);
    if (box.left() < plot.left())
        box.moveLeft(plot.left() + 2);
    PaintPanel(painter, style, box, style.marker);
    painter.setFont(m.boldFont);
    painter.setPen(style.text);
    painter.drawText(box, Qt::AlignCenter, label);
}

void PaintNote(QPainter& painter, const Chart& chart, const ChartStyle& style,
               const ChartLayout& layout, const Measures& m)
{
    if (chart.note.empty())
        return;
    const QString note = Text(chart.note);
    const QRectF& plot = layout.plot;
    const double width =
        std::min(m.metrics.horizontalAdvance(note) + 1.5 * m.line, plot.width() - m.line);
    const QRectF box(plot.left() + m.line * 0.6, plot.top() + m.line * 0.6, width, m.line * 1.6);
    PaintPanel(painter, style, box, style.panelBorder);
    painter.setFont(m.font);
    painter.setPen(style.text);
    painter.drawText(box, Qt::AlignCenter, note);
}

} // namespace

double ChartLayout::xToPixel(double x) const
{
    return plot.left() + (x - xAxis.range.lo) / xAxis.range.span() * plot.width();
}

double ChartLayout::yToPixel(double y) const
{
    return plot.bottom() - (y - yAxis.range.lo) / yAxis.range.span() * plot.height();
}

double ChartLayout::pixelToX(double px) const
{
    return xAxis.range.lo + (px - plot.left()) / plot.width() * xAxis.range.span();
}

double ChartLayout::pixelToY(double py) const
{
    return yAxis.range.lo + (plot.bottom() - py) / plot.height() * yAxis.range.span();
}

std::optional<std::size_t> ChartLayout::legendAt(QPointF point) const
{
    for (std::size_t k = 0; k < legend.size(); ++k) {
        if (legend[k].contains(point))
            return k;
    }
    return std::nullopt;
}

ChartLayout LayoutChart(const Chart& chart, const ChartView& view, const ChartStyle& style,
                        QSizeF size)
{
    const Measures m(style);
    ChartLayout layout;
    layout.bounds = QRectF(QPointF(0, 0), size);
    const double width = size.width();
    double top = m.pad;

    layout.title = QRectF(m.pad, top, std::max(0.0, width - 2 * m.pad), m.titleMetrics.height());
    top += layout.title.height() + m.pad * 0.5;

    // Legend entries in rows, each row centred.
    const double gap = m.line * 1.2;
    std::vector<double> widths;
    for (const ChartSeries& series : chart.series)
        widths.push_back(m.swatch + m.line * 0.4 + m.metrics.horizontalAdvance(Text(series.name)) +
                         4);
    layout.legend.resize(chart.series.size());
    std::size_t k = 0;
    const double rowHeight = m.line * 1.3;
    while (k < widths.size()) {
        std::size_t end = k;
        double rowWidth = 0;
        while (end < widths.size() &&
               (end == k || rowWidth + gap + widths[end] <= width - 2 * m.pad)) {
            rowWidth += (end == k ? 0 : gap) + widths[end];
            ++end;
        }
        double x = std::max(m.pad, (width - rowWidth) / 2);
        for (std::size_t i = k; i < end; ++i) {
            layout.legend[i] = QRectF(x, top, widths[i], rowHeight);
            x += widths[i] + gap;
        }
        top += rowHeight;
        k = end;
    }
    top += m.pad * 0.5;

    const double xLabels =
        m.tick + 2 + m.line + (HasSublabels(chart) ? m.smallMetrics.height() : 0);
    const double bottom = size.height() - m.pad - m.line - m.pad * 0.4 - xLabels;
    const double plotHeight = std::max(10.0, bottom - top);

    const int yTicks = std::max(2, static_cast<int>(plotHeight / (m.line * 2.8)));
    layout.yAxis = view.y ? MoneyAxis(*view.y, yTicks, false)
                          : MoneyAxis(FitYRange(chart, view), yTicks, true);
    const double left =
        m.pad + m.line + m.pad * 0.5 + WidestLabel(layout.yAxis, m.metrics) + m.tick + 4;
    const double right = width - m.pad - m.metrics.horizontalAdvance(QStringLiteral("0000")) / 2;
    const double plotWidth = std::max(10.0, right - left);

    // As many x ticks as their labels leave room for.
    double labelWidth = m.metrics.horizontalAdvance(QStringLiteral("00000"));
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int xTicks = std::max(1, static_cast<int>(plotWidth / (labelWidth * 1.8)));
        layout.xAxis = XAxisFor(chart, view.x, xTicks);
        const double widest = std::max(WidestLabel(layout.xAxis, m.metrics),
                                       m.metrics.horizontalAdvance(QStringLiteral("year 00")));
        if (widest <= labelWidth)
            break;
        labelWidth = widest;
    }
    // The x axis shows exactly the range asked for; it is never widened like the y axis.
    layout.xAxis.range = view.x.span() > 0 ? view.x : layout.xAxis.range;

    layout.plot = QRectF(left, top, plotWidth, plotHeight);
    return layout;
}

void PaintChart(QPainter& painter, const Chart& chart, const ChartView& view,
                const ChartStyle& style, const ChartLayout& layout)
{
    const Measures m(style);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.fillRect(layout.bounds, style.background);

    painter.setFont(m.titleFont);
    painter.setPen(style.text);
    painter.drawText(layout.title, Qt::AlignCenter, Text(chart.title));

    PaintLegend(painter, chart, view, style, layout, m);
    PaintAxes(painter, chart, style, layout, m);

    painter.save();
    painter.setClipRect(layout.plot.adjusted(-3, -3, 3, 3));
    PaintCurves(painter, chart, view, style, layout);
    PaintMarker(painter, chart, style, layout, m);
    painter.restore();
    PaintNote(painter, chart, style, layout, m);
    painter.restore();
}

std::vector<QString> CrosshairLines(const Chart& chart, const ChartView& view, std::size_t index)
{
    std::vector<QString> lines;
    if (index >= chart.x.size())
        return lines;
    const QString x = Text(NumberText(chart.x[index]));
    lines.push_back(chart.xKind == XAxisKind::Months ? QStringLiteral("Month %1").arg(x)
                                                     : QStringLiteral("Period %1").arg(x));
    const std::vector<std::size_t> shown = ShownSeries(chart, view);
    for (const std::size_t k : shown) {
        lines.push_back(Text(chart.series[k].name) + QStringLiteral(": ") +
                        Text(MoneyText(chart.series[k].y[index])));
    }
    for (std::size_t a = 0; a < shown.size(); ++a) {
        for (std::size_t b = a + 1; b < shown.size(); ++b) {
            const ChartSeries& first = chart.series[shown[a]];
            const ChartSeries& second = chart.series[shown[b]];
            lines.push_back(Text(second.name) + QStringLiteral(" \u2212 ") + Text(first.name) +
                            QStringLiteral(": ") +
                            Text(MoneyText(second.y[index] - first.y[index])));
        }
    }
    return lines;
}

void PaintCrosshair(QPainter& painter, const Chart& chart, const ChartView& view,
                    const ChartStyle& style, const ChartLayout& layout, std::size_t index)
{
    if (index >= chart.x.size() || !layout.xAxis.range.contains(chart.x[index]))
        return;
    const Measures m(style);
    const QRectF& plot = layout.plot;
    const double x = layout.xToPixel(chart.x[index]);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Pen(style.crosshair, 1));
    painter.drawLine(QPointF(Crisp(x), plot.top()), QPointF(Crisp(x), plot.bottom()));

    const std::vector<std::size_t> shown = ShownSeries(chart, view);
    painter.save();
    painter.setClipRect(plot.adjusted(-6, -6, 6, 6));
    for (const std::size_t k : shown) {
        painter.setPen(Pen(style.background, 1.5));
        painter.setBrush(style.seriesColor(k));
        painter.drawEllipse(layout.toPixel(chart.x[index], chart.series[k].y[index]), 4.5, 4.5);
    }
    painter.restore();
    painter.setBrush(Qt::NoBrush);

    const std::vector<QString> lines = CrosshairLines(chart, view, index);
    const double swatch = m.line * 0.9;
    double textWidth = m.boldMetrics.horizontalAdvance(lines.front());
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const double indent = i <= shown.size() ? swatch + m.line * 0.4 : 0;
        textWidth = std::max(textWidth, indent + m.metrics.horizontalAdvance(lines[i]));
    }
    const double margin = m.line * 0.5;
    QRectF box(0, plot.top() + m.line * 0.5, textWidth + 2 * margin,
               static_cast<double>(lines.size()) * m.line + 2 * margin);
    // Beside the line, on the side with room, and within the plot so that no axis label is
    // covered.
    box.moveLeft(x + m.line);
    if (box.right() > plot.right())
        box.moveRight(x - m.line);
    if (box.left() < plot.left())
        box.moveLeft(plot.right() - x > x - plot.left() ? x + m.line : plot.left() + 2);
    PaintPanel(painter, style, box, style.panelBorder);

    double top = box.top() + margin;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        double left = box.left() + margin;
        if (i >= 1 && i <= shown.size()) {
            const double middle = top + m.line / 2;
            painter.setPen(Pen(style.seriesColor(shown[i - 1]), 3));
            painter.drawLine(QPointF(left, middle), QPointF(left + swatch, middle));
            left += swatch + m.line * 0.4;
        }
        painter.setFont(i == 0 ? m.boldFont : m.font);
        painter.setPen(style.text);
        painter.drawText(QRectF(left, top, box.right() - left, m.line),
                         Qt::AlignLeft | Qt::AlignVCenter, lines[i]);
        top += m.line;
    }
    painter.restore();
}

void PaintChartInto(QPainter& painter, const QRectF& target, QSizeF logicalSize, const Chart& chart,
                    const ChartView& view, const ChartStyle& style)
{
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / logicalSize.width(), target.height() / logicalSize.height());
    const ChartLayout layout = LayoutChart(chart, view, style, logicalSize);
    PaintChart(painter, chart, view, style, layout);
    painter.restore();
}

} // namespace tw
