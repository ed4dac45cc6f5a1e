#pragma once
#include "charts/chart.h"
#include "charts/chartpainter.h"
#include "charts/chartstyle.h"
#include "charts/chartview.h"

#include <QImage>
#include <QWidget>

#include <optional>

namespace tw {

// A chart on the screen: a crosshair that follows the pointer from point to point, zoom by the
// mouse wheel and by dragging a rectangle, a reset by double click or Home, curves hidden and
// shown by clicking their legend entries. The Left and Right keys move the crosshair from point
// to point, with Shift they move a zoomed chart. It takes its colours from its palette, so it
// follows the desktop's light or dark scheme.
class ChartWidget : public QWidget
{
    Q_OBJECT

  public:
    explicit ChartWidget(QWidget* parent = nullptr);

    // A new chart, shown whole.
    void setChart(Chart chart);
    // The same chart drawn again from new data: the zoom stays while the x range is the same,
    // and curves of the same names stay hidden.
    void replaceChart(Chart chart);

    const Chart& chart() const { return chart_; }
    const ChartView& view() const { return view_; }
    void setView(ChartView view);
    // The whole x range and a y axis that fits; hidden curves stay hidden.
    void resetZoom();
    void toggleSeries(std::size_t series);

    std::optional<std::size_t> crosshairIndex() const { return crosshair_; }
    // The crosshair at a point, the view moved just enough to show it, and the move announced
    // to a screen reader with the values shown.
    void showPoint(std::size_t index);
    // The crosshair's box on one line; empty without a crosshair.
    QString crosshairText() const;
    ChartStyle chartStyle() const;
    const ChartLayout& chartLayout() const;

    // The chart as shown, without the crosshair, at the widget's size and pixel ratio.
    QImage renderImage() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  signals:
    void viewChanged();

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void stepCrosshair(int step);
    void viewUpdated();
    void zoomAround(QPointF position, double factor);
    void updateCrosshair(QPointF position);
    QRectF dragRect() const;

    Chart chart_;
    ChartView view_;
    ChartStyle style_;
    mutable ChartLayout layout_;
    mutable bool layoutValid_ = false;
    std::optional<std::size_t> crosshair_;
    std::optional<QPointF> dragStart_;
    QPointF dragEnd_;
    bool dragging_ = false;
};

} // namespace tw
