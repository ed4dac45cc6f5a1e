#include "charts/chartwidget.h"

#include "charts/chartaccessible.h"
#include "charts/chartexport.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace tw {

namespace {

// A drag shorter than this is a click, and a rectangle flatter than this zooms x alone.
constexpr double kDragThreshold = 6;
// One notch of the wheel shows this share of the range.
constexpr double kWheelFactor = 0.8;

bool SameCurves(const Chart& a, const Chart& b)
{
    if (a.series.size() != b.series.size())
        return false;
    for (std::size_t k = 0; k < a.series.size(); ++k) {
        if (a.series[k].name != b.series[k].name)
            return false;
    }
    return true;
}

} // namespace

ChartWidget::ChartWidget(QWidget* parent) : QWidget(parent)
{
    static const bool readable = [] {
        QAccessible::installFactory(ChartAccessibility);
        return true;
    }();
    (void)readable;
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    style_ = ChartStyle::FromPalette(palette(), font());
    view_ = FullView(chart_);
}

void ChartWidget::setChart(Chart chart)
{
    chart_ = std::move(chart);
    view_ = FullView(chart_);
    crosshair_.reset();
    viewUpdated();
}

void ChartWidget::replaceChart(Chart chart)
{
    ChartView view = FullView(chart);
    if (SameCurves(chart_, chart)) {
        view.hidden = view_.hidden;
        if (DataXRange(chart_) == DataXRange(chart)) {
            view.x = view_.x;
            view.y = view_.y;
        }
    }
    chart_ = std::move(chart);
    view_ = std::move(view);
    if (crosshair_ && *crosshair_ >= chart_.x.size())
        crosshair_.reset();
    viewUpdated();
}

void ChartWidget::setView(ChartView view)
{
    view.hidden.resize(chart_.series.size(), false);
    view_ = std::move(view);
    viewUpdated();
}

void ChartWidget::resetZoom()
{
    view_.x = DataXRange(chart_);
    view_.y.reset();
    viewUpdated();
}

void ChartWidget::toggleSeries(std::size_t series)
{
    if (series >= view_.hidden.size())
        return;
    view_.hidden[series] = !view_.hidden[series];
    viewUpdated();
}

ChartStyle ChartWidget::chartStyle() const
{
    return style_;
}

const ChartLayout& ChartWidget::chartLayout() const
{
    if (!layoutValid_) {
        layout_ = LayoutChart(chart_, view_, style_, QSizeF(size()));
        layoutValid_ = true;
    }
    return layout_;
}

QImage ChartWidget::renderImage() const
{
    return RenderChartImage(chart_, view_, style_, size(), devicePixelRatioF());
}

QSize ChartWidget::sizeHint() const
{
    return {900, 560};
}

QSize ChartWidget::minimumSizeHint() const
{
    return {320, 220};
}

void ChartWidget::viewUpdated()
{
    layoutValid_ = false;
    update();
    emit viewChanged();
}

bool ChartWidget::event(QEvent* event)
{
    // Escape cancels a rectangle being dragged rather than closing the window.
    if (event->type() == QEvent::ShortcutOverride && dragging_ &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

void ChartWidget::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    const ChartLayout& layout = chartLayout();
    PaintChart(painter, chart_, view_, style_, layout);
    if (crosshair_ && !dragging_)
        PaintCrosshair(painter, chart_, view_, style_, layout, *crosshair_);
    if (dragging_) {
        QColor fill = style_.crosshair;
        fill.setAlpha(40);
        painter.setPen(QPen(style_.crosshair, 1, Qt::DashLine));
        painter.setBrush(fill);
        painter.drawRect(dragRect());
    }
}

void ChartWidget::resizeEvent(QResizeEvent* event)
{
    layoutValid_ = false;
    QWidget::resizeEvent(event);
}

void ChartWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange ||
        event->type() == QEvent::StyleChange) {
        style_ = ChartStyle::FromPalette(palette(), font());
        layoutValid_ = false;
        update();
    }
    QWidget::changeEvent(event);
}

void ChartWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPointF position = event->position();
    if (const auto series = chartLayout().legendAt(position)) {
        toggleSeries(*series);
        return;
    }
    if (chartLayout().plot.contains(position)) {
        dragStart_ = position;
        dragEnd_ = position;
    }
}

void ChartWidget::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF position = event->position();
    if (dragStart_) {
        const QRectF& plot = chartLayout().plot;
        dragEnd_ = QPointF(std::clamp(position.x(), plot.left(), plot.right()),
                           std::clamp(position.y(), plot.top(), plot.bottom()));
        if (!dragging_ && (std::fabs(dragEnd_.x() - dragStart_->x()) >= kDragThreshold ||
                           std::fabs(dragEnd_.y() - dragStart_->y()) >= kDragThreshold))
            dragging_ = true;
        if (dragging_)
            update();
    }
    updateCrosshair(position);
    setCursor(chartLayout().legendAt(position)        ? Qt::PointingHandCursor
              : chartLayout().plot.contains(position) ? Qt::CrossCursor
                                                      : Qt::ArrowCursor);
}

void ChartWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !dragStart_) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const bool wasDragging = dragging_;
    const QRectF rect = dragRect();
    dragStart_.reset();
    dragging_ = false;
    if (!wasDragging || rect.width() < kDragThreshold) {
        update();
        return;
    }
    const ChartLayout& layout = chartLayout();
    const Range limits = DataXRange(chart_);
    Range x{layout.pixelToX(rect.left()), layout.pixelToX(rect.right())};
    x = ZoomRange(x, (x.lo + x.hi) / 2, 1, limits, MinimumXSpan(chart_));
    view_.x = x;
    if (rect.height() >= kDragThreshold) {
        const Range y{layout.pixelToY(rect.bottom()), layout.pixelToY(rect.top())};
        view_.y = ZoomYRange(y, (y.lo + y.hi) / 2, 1);
    }
    viewUpdated();
}

void ChartWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && !chartLayout().legendAt(event->position())) {
        dragStart_.reset();
        dragging_ = false;
        resetZoom();
        return;
    }
    // A quick second click on a legend entry toggles the curve again.
    mousePressEvent(event);
}

void ChartWidget::wheelEvent(QWheelEvent* event)
{
    const double notches = event->angleDelta().y() / 120.0;
    if (notches == 0) {
        event->ignore();
        return;
    }
    zoomAround(event->position(), std::pow(kWheelFactor, notches));
    event->accept();
}

void ChartWidget::zoomAround(QPointF position, double factor)
{
    const ChartLayout& layout = chartLayout();
    const QRectF& plot = layout.plot;
    const QPointF anchor = plot.contains(position) ? position : plot.center();
    const Range limits = DataXRange(chart_);
    view_.x = ZoomRange(view_.x, layout.pixelToX(anchor.x()), factor, limits, MinimumXSpan(chart_));
    if (view_.y) {
        // A rectangle fixed the y axis: zoom it alike, until the whole width is back in view
        // and the axis fits the curves again.
        if (factor > 1 && view_.x.span() >= limits.span() * (1 - 1e-9)) {
            view_.y.reset();
        } else {
            view_.y = ZoomYRange(*view_.y, layout.pixelToY(anchor.y()), factor);
        }
    }
    viewUpdated();
    updateCrosshair(position);
}

void ChartWidget::updateCrosshair(QPointF position)
{
    std::optional<std::size_t> index;
    const ChartLayout& layout = chartLayout();
    if (layout.plot.contains(position))
        index = NearestIndex(chart_.x, layout.pixelToX(position.x()), layout.xAxis.range);
    if (index != crosshair_) {
        crosshair_ = index;
        update();
    }
}

void ChartWidget::leaveEvent(QEvent* event)
{
    if (crosshair_) {
        crosshair_.reset();
        update();
    }
    QWidget::leaveEvent(event);
}

void ChartWidget::keyPressEvent(QKeyEvent* event)
{
    const Range limits = DataXRange(chart_);
    switch (event->key()) {
    case Qt::Key_Escape:
        if (dragging_ || dragStart_) {
            dragStart_.reset();
            dragging_ = false;
            update();
            return;
        }
        break;
    case Qt::Key_Home:
    case Qt::Key_R:
        resetZoom();
        return;
    case Qt::Key_Left:
    case Qt::Key_Right: {
        if (!(event->modifiers() & Qt::ShiftModifier)) {
            stepCrosshair(event->key() == Qt::Key_Left ? -1 : 1);
            return;
        }
        const double step = view_.x.span() / 10 * (event->key() == Qt::Key_Left ? -1 : 1);
        view_.x = PanRange(view_.x, step, limits);
        viewUpdated();
        return;
    }
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        zoomAround(chartLayout().plot.center(), kWheelFactor);
        return;
    case Qt::Key_Minus:
        zoomAround(chartLayout().plot.center(), 1 / kWheelFactor);
        return;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

void ChartWidget::stepCrosshair(int step)
{
    const std::vector<double>& x = chart_.x;
    if (x.empty())
        return;
    std::size_t index = 0;
    if (crosshair_) {
        index = step < 0 ? (*crosshair_ > 0 ? *crosshair_ - 1 : 0)
                         : std::min(*crosshair_ + 1, x.size() - 1);
    } else {
        // From the edge of what is shown that the key points away from.
        const auto first = std::lower_bound(x.begin(), x.end(), view_.x.lo);
        const auto last = std::upper_bound(x.begin(), x.end(), view_.x.hi);
        index = static_cast<std::size_t>(step < 0 && last != x.begin() ? last - 1 - x.begin()
                                                                       : first - x.begin());
        index = std::min(index, x.size() - 1);
    }
    showPoint(index);
}

void ChartWidget::showPoint(std::size_t index)
{
    if (index >= chart_.x.size())
        return;
    const double at = chart_.x[index];
    if (at < view_.x.lo || at > view_.x.hi) {
        view_.x = PanRange(view_.x, at < view_.x.lo ? at - view_.x.lo : at - view_.x.hi,
                           DataXRange(chart_));
        viewUpdated();
    }
    crosshair_ = index;
    update();
    QAccessibleValueChangeEvent moved(this, static_cast<int>(index) + 1);
    QAccessible::updateAccessibility(&moved);
    QAccessibleEvent described(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&described);
}

QString ChartWidget::crosshairText() const
{
    if (!crosshair_)
        return {};
    QStringList lines;
    for (const QString& line : CrosshairLines(chart_, view_, *crosshair_))
        lines.append(line);
    return lines.join(QStringLiteral("; "));
}

QRectF ChartWidget::dragRect() const
{
    if (!dragStart_)
        return {};
    return QRectF(*dragStart_, dragEnd_).normalized();
}

} // namespace tw
