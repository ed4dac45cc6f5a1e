#include "charts/chartwidget.h"

#include "charts/chartsummary.h"
#include "charts/chartwindow.h"
#include "charts/tests/chartsamples.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace tw {
namespace {

void SendMouse(QWidget& widget, QEvent::Type type, QPointF at, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    QMouseEvent event(type, at, widget.mapToGlobal(at), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

void Move(QWidget& widget, QPointF at, Qt::MouseButtons buttons = Qt::NoButton)
{
    SendMouse(widget, QEvent::MouseMove, at, Qt::NoButton, buttons);
}

void Click(QWidget& widget, QPointF at)
{
    SendMouse(widget, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    SendMouse(widget, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

void Drag(QWidget& widget, QPointF from, QPointF to)
{
    SendMouse(widget, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    Move(widget, (from + to) / 2, Qt::LeftButton);
    Move(widget, to, Qt::LeftButton);
    SendMouse(widget, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

void Wheel(QWidget& widget, QPointF at, int degreesTimesEight)
{
    QWheelEvent event(at, widget.mapToGlobal(at), QPoint(), QPoint(0, degreesTimesEight),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&widget, &event);
}

class ChartWidgetTest : public ::testing::Test
{
  protected:
    ChartWidgetTest()
    {
        widget.setChart(samples::RefChartOf(samples::WorkedRefinance()));
        widget.resize(800, 500);
        widget.show();
    }

    // The pixel of x at the middle height of the plot.
    QPointF At(double x) const
    {
        const ChartLayout& layout = widget.chartLayout();
        return {layout.xToPixel(x), layout.plot.center().y()};
    }

    ChartWidget widget;
};

TEST_F(ChartWidgetTest, CrosshairSnapsToTheNearestPoint)
{
    EXPECT_EQ(widget.crosshairIndex(), std::nullopt);
    Move(widget, At(40.5));
    EXPECT_EQ(widget.crosshairIndex(), 10u); // month 40
    Move(widget, At(42.5));
    EXPECT_EQ(widget.crosshairIndex(), 11u); // month 44
    // Outside the plot, and after the pointer has left, there is none.
    Move(widget, QPointF(2, 2));
    EXPECT_EQ(widget.crosshairIndex(), std::nullopt);
    Move(widget, At(360));
    EXPECT_EQ(widget.crosshairIndex(), 90u);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&widget, &leave);
    EXPECT_EQ(widget.crosshairIndex(), std::nullopt);
}

TEST_F(ChartWidgetTest, WheelZoomsAroundThePointer)
{
    const QPointF pointer = At(180);
    Wheel(widget, pointer, 120);
    EXPECT_NEAR(widget.view().x.span(), 360 * 0.8, 1e-6);
    EXPECT_NEAR(widget.chartLayout().pixelToX(pointer.x()), 180, 1e-6);
    Wheel(widget, pointer, 240);
    EXPECT_NEAR(widget.view().x.span(), 360 * 0.8 * 0.64, 1e-6);
    // Out again as far as the data goes, and no further.
    Wheel(widget, pointer, -1200);
    EXPECT_EQ(widget.view().x, (Range{0, 360}));
    // Never narrower than two steps between points.
    Wheel(widget, pointer, 12000);
    EXPECT_NEAR(widget.view().x.span(), 8, 1e-9);
}

TEST_F(ChartWidgetTest, DraggingARectangleZoomsToIt)
{
    const ChartLayout before = widget.chartLayout();
    const QPointF from(before.xToPixel(60), before.yToPixel(150000));
    const QPointF to(before.xToPixel(120), before.yToPixel(50000));
    Drag(widget, from, to);
    EXPECT_NEAR(widget.view().x.lo, 60, 1e-6);
    EXPECT_NEAR(widget.view().x.hi, 120, 1e-6);
    ASSERT_TRUE(widget.view().y.has_value());
    EXPECT_NEAR(widget.view().y->lo, 50000, 1e-6);
    EXPECT_NEAR(widget.view().y->hi, 150000, 1e-6);
    EXPECT_EQ(widget.chartLayout().yAxis.range, *widget.view().y);
}

// The wheel over a rectangle's zoom narrows the money as well, down to a millionth of a
// dollar around the values and no further: the axis still ends and the chart is drawn.
TEST_F(ChartWidgetTest, WheelZoomOfTheMoneyStopsAtTheNarrowestSpan)
{
    const ChartLayout before = widget.chartLayout();
    Drag(widget, QPointF(before.xToPixel(60), before.yToPixel(50000)),
         QPointF(before.xToPixel(120), before.yToPixel(-50000)));
    ASSERT_TRUE(widget.view().y.has_value());
    for (int i = 0; i < 20; ++i)
        Wheel(widget, widget.chartLayout().plot.center(), 12000);
    ASSERT_TRUE(widget.view().y.has_value());
    EXPECT_GE(widget.view().y->span(), MinimumYSpan(*widget.view().y) * (1 - 1e-9));
    EXPECT_GE(widget.chartLayout().yAxis.ticks.size(), 2u);
    EXPECT_FALSE(widget.renderImage().isNull());
}

TEST_F(ChartWidgetTest, AFlatDragZoomsTheMonthsAloneAndAShortOneNothing)
{
    const ChartLayout before = widget.chartLayout();
    const double y = before.plot.center().y();
    Drag(widget, QPointF(before.xToPixel(100), y), QPointF(before.xToPixel(200), y + 2));
    EXPECT_NEAR(widget.view().x.lo, 100, 1e-6);
    EXPECT_NEAR(widget.view().x.hi, 200, 1e-6);
    EXPECT_FALSE(widget.view().y.has_value());

    const ChartView zoomed = widget.view();
    const QPointF start = At(150);
    Drag(widget, start, start + QPointF(3, 3));
    EXPECT_EQ(widget.view().x, zoomed.x);
}

TEST_F(ChartWidgetTest, EscapeCancelsARectangleBeingDragged)
{
    const QPointF from = At(60);
    SendMouse(widget, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    Move(widget, from + QPointF(200, 60), Qt::LeftButton);
    QTest::keyClick(&widget, Qt::Key_Escape);
    SendMouse(widget, QEvent::MouseButtonRelease, from + QPointF(200, 60), Qt::LeftButton,
              Qt::NoButton);
    EXPECT_EQ(widget.view().x, (Range{0, 360}));
}

TEST_F(ChartWidgetTest, DoubleClickAndTheResetKeysShowTheWholeChart)
{
    const std::vector<std::function<void()>> resets = {
        [&] {
            const QPointF at = At(200);
            SendMouse(widget, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
            SendMouse(widget, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
            SendMouse(widget, QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
            SendMouse(widget, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
        },
        [&] { QTest::keyClick(&widget, Qt::Key_Home); },
        [&] { QTest::keyClick(&widget, Qt::Key_R); },
    };
    for (std::size_t i = 0; i < resets.size(); ++i) {
        SCOPED_TRACE(i);
        const ChartLayout before = widget.chartLayout();
        Drag(widget, QPointF(before.xToPixel(60), before.plot.top() + 20),
             QPointF(before.xToPixel(120), before.plot.bottom() - 20));
        ASSERT_NE(widget.view().x, (Range{0, 360}));
        resets[i]();
        EXPECT_EQ(widget.view().x, (Range{0, 360}));
        EXPECT_FALSE(widget.view().y.has_value());
    }
}

TEST_F(ChartWidgetTest, ShiftArrowKeysMoveAZoomedChart)
{
    Wheel(widget, At(180), 360);
    const Range zoomed = widget.view().x;
    QTest::keyClick(&widget, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_NEAR(widget.view().x.lo, zoomed.lo + zoomed.span() / 10, 1e-6);
    for (int i = 0; i < 30; ++i)
        QTest::keyClick(&widget, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(widget.view().x.lo, 0);
    EXPECT_NEAR(widget.view().x.span(), zoomed.span(), 1e-6);
}

// Without a mouse: the arrow keys step the crosshair through the points, the view follows it
// past its edge, and a screen reader reads the values the box shows as the chart's value.
// (The announcement of each step goes to the accessibility bus, which the offscreen platform
// does not have.)
TEST_F(ChartWidgetTest, ArrowKeysStepTheCrosshairAndAnnounceEachPoint)
{
    QAccessibleInterface* chart = QAccessible::queryAccessibleInterface(&widget);
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->role(), QAccessible::Chart);
    EXPECT_EQ(chart->text(QAccessible::Name), "Refinance Analysis: Net Worth");
    EXPECT_EQ(chart->text(QAccessible::Description).toStdString(), ChartSummary(widget.chart()));

    QTest::keyClick(&widget, Qt::Key_Right);
    EXPECT_EQ(widget.crosshairIndex(), 0u);
    QTest::keyClick(&widget, Qt::Key_Right);
    QTest::keyClick(&widget, Qt::Key_Right);
    QTest::keyClick(&widget, Qt::Key_Left);
    EXPECT_EQ(widget.crosshairIndex(), 1u);
    EXPECT_TRUE(
        chart->text(QAccessible::Value).startsWith(QStringLiteral("Month 4; Existing Mortgage: $")))
        << chart->text(QAccessible::Value).toStdString();
    EXPECT_EQ(chart->valueInterface()->currentValue().toInt(), 2);
    EXPECT_EQ(chart->text(QAccessible::Description), chart->text(QAccessible::Value));

    // Zoomed in, a step past the right edge brings the point into view.
    Wheel(widget, At(40), 360);
    const Range zoomed = widget.view().x;
    chart->valueInterface()->setCurrentValue(static_cast<int>(widget.chart().x.size()));
    EXPECT_EQ(widget.crosshairIndex(), widget.chart().x.size() - 1);
    EXPECT_EQ(widget.view().x.hi, 360);
    EXPECT_NEAR(widget.view().x.span(), zoomed.span(), 1e-6);
    QTest::keyClick(&widget, Qt::Key_Right); // the last point stays
    EXPECT_EQ(widget.crosshairIndex(), widget.chart().x.size() - 1);
}

TEST_F(ChartWidgetTest, ClickingALegendEntryHidesAndShowsItsCurve)
{
    const Range both = widget.chartLayout().yAxis.range;
    Click(widget, widget.chartLayout().legend[1].center());
    EXPECT_EQ(widget.view().hidden, (std::vector<bool>{false, true}));
    // The axis fits the curve left; the refinanced one ended higher.
    EXPECT_LT(widget.chartLayout().yAxis.range.hi, both.hi);
    Move(widget, At(100));
    ASSERT_TRUE(widget.crosshairIndex().has_value());
    EXPECT_EQ(CrosshairLines(widget.chart(), widget.view(), *widget.crosshairIndex()).size(), 2u);

    Click(widget, widget.chartLayout().legend[1].center());
    EXPECT_EQ(widget.view().hidden, (std::vector<bool>{false, false}));
    EXPECT_EQ(widget.chartLayout().yAxis.range, both);
}

TEST_F(ChartWidgetTest, FollowsThePalette)
{
    QPalette dark;
    dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    dark.setColor(QPalette::Text, QColor(0xe6, 0xe6, 0xe6));
    dark.setColor(QPalette::ToolTipBase, QColor(0x30, 0x30, 0x30));
    widget.setPalette(dark);
    EXPECT_EQ(widget.chartStyle().background, QColor(0x1e, 0x1e, 0x1e));
    const QImage image = widget.renderImage();
    EXPECT_EQ(image.pixelColor(2, 2), QColor(0x1e, 0x1e, 0x1e));
    const QByteArray folder = qgetenv("TW_CHART_PICTURES");
    if (!folder.isEmpty())
        image.save(
            QDir(QString::fromLocal8Bit(folder)).filePath(QStringLiteral("refinance-dark.png")));
    widget.setPalette(QPalette());
    EXPECT_GT(widget.chartStyle().background.lightness(), 200);
}

TEST_F(ChartWidgetTest, ReplacingTheChartKeepsTheZoomWhileTheMonthsAreTheSame)
{
    Wheel(widget, At(100), 240);
    Click(widget, widget.chartLayout().legend[0].center());
    const ChartView zoomed = widget.view();

    widget.replaceChart(samples::RefChartOf(samples::NeverBreaksEven()));
    EXPECT_EQ(widget.view().x, zoomed.x);
    EXPECT_EQ(widget.view().hidden, zoomed.hidden);
    EXPECT_FALSE(widget.chart().marker.has_value());

    // Fewer months: the new chart is shown whole, the hidden curve stays hidden.
    RefinanceInput shorter = samples::WorkedRefinance();
    shorter.refinancedYears = 15;
    shorter.existingYears = 15;
    shorter.refinanceAge = 41;
    widget.replaceChart(samples::RefChartOf(shorter));
    EXPECT_EQ(widget.view().x, DataXRange(widget.chart()));
    EXPECT_EQ(widget.view().hidden, zoomed.hidden);
}

class ChartWindowTest : public ::testing::Test
{
  protected:
    ChartWindowTest()
    {
        EXPECT_TRUE(dir.isValid());
        path = dir.filePath(QStringLiteral("ref.tmp"));
        write(samples::RefFileOf(samples::WorkedRefinance()));
        const GraphRead read = LoadGraphFile(path.toStdString(), ReadRefFile);
        EXPECT_TRUE(read.graph);
        window = std::make_unique<ChartWindow>(
            path, ReadRefFile, RefinanceChart, QStringLiteral("Refinance Graph"),
            RefinanceChart(*read.graph), samples::RefFileOf(samples::WorkedRefinance()));
        window->resize(900, 600);
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    void write(const std::string& text) const
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.data(), static_cast<qint64>(text.size()));
    }

    QTemporaryDir dir;
    QString path;
    std::unique_ptr<ChartWindow> window;
};

TEST_F(ChartWindowTest, TitleNamesTheChartThenTheFileBesideTheSuitesIcon)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Refinance Graph - ref.tmp"));
    const QIcon suite(QStringLiteral(":/icons/twplan2.svg"));
    ASSERT_FALSE(suite.isNull()) << "the suite's icon is not among the resources";
    EXPECT_FALSE(window->windowIcon().isNull());
    EXPECT_EQ(window->windowIcon().pixmap(32).toImage(), suite.pixmap(32).toImage());
}

TEST_F(ChartWindowTest, EscapeAndCtrlQClose)
{
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(ChartWindowTest, CtrlCCopiesTheChartAsAnImage)
{
    QApplication::clipboard()->clear();
    QTest::keyClick(window.get(), Qt::Key_C, Qt::ControlModifier);
    const QImage image = QApplication::clipboard()->image();
    ASSERT_FALSE(image.isNull());
    const ChartWidget* chart = window->chartWidget();
    EXPECT_EQ(image.size(), chart->size() * chart->devicePixelRatioF());
}

TEST_F(ChartWindowTest, SavesWhatIsShown)
{
    ChartWidget* chart = window->chartWidget();
    chart->toggleSeries(0);
    QString error;
    const QString svg = dir.filePath(QStringLiteral("shown.svg"));
    ASSERT_TRUE(window->saveTo(svg, &error)) << error.toStdString();
    QFile file(svg);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    // Both names stay in the legend; only the shown curve is drawn in its colour.
    EXPECT_TRUE(text.contains("Existing Mortgage"));
    EXPECT_FALSE(text.contains(chart->chartStyle().seriesColor(0).name().toLatin1() +
                               "\" stroke-opacity=\"1\" stroke-width=\"2.2\""));
    EXPECT_TRUE(text.contains(chart->chartStyle().seriesColor(1).name().toLatin1() +
                              "\" stroke-opacity=\"1\" stroke-width=\"2.2\""));

    const QString png = dir.filePath(QStringLiteral("shown.png"));
    ASSERT_TRUE(window->saveTo(png, &error));
    EXPECT_EQ(QImage(png).size(), chart->size() * chart->devicePixelRatioF());
    ASSERT_TRUE(window->saveTo(dir.filePath(QStringLiteral("shown.pdf")), &error));
}

TEST_F(ChartWindowTest, ReloadsTheFileWhenTheSuiteWritesItAgain)
{
    QSignalSpy reloaded(window.get(), &ChartWindow::reloaded);
    write(samples::RefFileOf(samples::NeverBreaksEven()));
    ASSERT_TRUE(reloaded.wait(5000));
    EXPECT_EQ(window->chartWidget()->chart().note, "Never breaks even within 360 months");

    // Deleted and written anew, as an editor or a rename would.
    ASSERT_TRUE(QFile::remove(path));
    QTest::qWait(50);
    write(samples::RefFileOf(samples::WorkedRefinance()));
    ASSERT_TRUE(reloaded.wait(5000));
    ASSERT_TRUE(window->chartWidget()->chart().marker.has_value());
    EXPECT_EQ(window->chartWidget()->chart().marker->label, "Months to break even: 16 to 19");
}

TEST_F(ChartWindowTest, KeepsTheChartWhenTheNewFileCannotBeRead)
{
    QSignalSpy failed(window.get(), &ChartWindow::reloadFailed);
    QSignalSpy reloaded(window.get(), &ChartWindow::reloaded);
    write("1\nDummy\nDummy\nDummy\n360.000000\n2\nExisting Mortgage\n");
    ASSERT_TRUE(failed.wait(8000));
    EXPECT_EQ(reloaded.count(), 0);
    EXPECT_EQ(failed.front().front().toString(),
              QStringLiteral("ref.tmp: line 8: the file is cut off here; expected a curve name"));
    ASSERT_TRUE(window->chartWidget()->chart().marker.has_value());
}

} // namespace
} // namespace tw
