#include "charts/chartexport.h"
#include "charts/chartpainter.h"
#include "charts/tests/chartsamples.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>

namespace tw {
namespace {

// With TW_CHART_PICTURES set to a folder, the tests leave their pictures there to be looked at.
void Keep(const QImage& image, const char* name)
{
    const QByteArray folder = qgetenv("TW_CHART_PICTURES");
    if (!folder.isEmpty())
        image.save(QDir(QString::fromLocal8Bit(folder)).filePath(QString::fromLatin1(name)));
}

QPalette DarkPalette()
{
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x2b, 0x2b, 0x2b));
    dark.setColor(QPalette::WindowText, QColor(0xe6, 0xe6, 0xe6));
    dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    dark.setColor(QPalette::Text, QColor(0xe6, 0xe6, 0xe6));
    dark.setColor(QPalette::ToolTipBase, QColor(0x33, 0x33, 0x33));
    dark.setColor(QPalette::ToolTipText, QColor(0xe6, 0xe6, 0xe6));
    return dark;
}

// How many pixels are close to color, in device pixels.
int PixelsNear(const QImage& image, const QColor& color, int tolerance = 40)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - color.red()) + std::abs(c.green() - color.green()) +
                    std::abs(c.blue() - color.blue()) <=
                tolerance)
                ++count;
        }
    }
    return count;
}

ChartStyle LightStyle()
{
    return ChartStyle::FromPalette(QApplication::palette(), QApplication::font());
}

TEST(RenderChartImage, DrawsBothCurvesAtTheRequestedSize)
{
    const Chart chart = samples::RefChartOf(samples::WorkedRefinance());
    const ChartStyle style = LightStyle();
    const QImage image = RenderChartImage(chart, FullView(chart), style, QSize(640, 400), 1);
    Keep(image, "refinance-1x.png");
    EXPECT_EQ(image.size(), QSize(640, 400));
    // Each curve leaves a line of its colour hundreds of pixels long; the text leaves dark
    // pixels; the rest is the background.
    EXPECT_GT(PixelsNear(image, style.seriesColor(0)), 400);
    EXPECT_GT(PixelsNear(image, style.seriesColor(1)), 400);
    EXPECT_GT(PixelsNear(image, style.text, 60), 300);
    EXPECT_GT(PixelsNear(image, style.background, 10), 640 * 400 / 2);
}

TEST(RenderChartImage, DrawsTwiceThePixelsAtTwiceTheScale)
{
    const Chart chart = samples::RefChartOf(samples::WorkedRefinance());
    const ChartStyle style = LightStyle();
    const QImage once = RenderChartImage(chart, FullView(chart), style, QSize(640, 400), 1);
    const QImage twice = RenderChartImage(chart, FullView(chart), style, QSize(640, 400), 2);
    Keep(twice, "refinance-2x.png");
    EXPECT_EQ(twice.size(), QSize(1280, 800));
    EXPECT_EQ(twice.devicePixelRatio(), 2);
    // The same picture with four times the pixels: the curves' pixel counts grow about fourfold
    // for the area, about twofold for the length; either way clearly more than at 1x.
    EXPECT_GT(PixelsNear(twice, style.seriesColor(0)),
              PixelsNear(once, style.seriesColor(0)) * 3 / 2);
}

TEST(RenderChartImage, FollowsADarkPalette)
{
    const Chart chart = samples::TradeChartOf(samples::ThreeOptions());
    const ChartStyle dark = ChartStyle::FromPalette(DarkPalette(), QApplication::font());
    const ChartStyle light = LightStyle();
    EXPECT_LT(dark.background.lightness(), 64);
    EXPECT_GT(dark.text.lightness(), 192);
    // The dark set of curve colours is lighter, so it stands out on the dark background.
    for (std::size_t k = 0; k < 3; ++k)
        EXPECT_GT(dark.seriesColor(k).lightness(), light.seriesColor(k).lightness()) << k;

    const QImage image = RenderChartImage(chart, FullView(chart), dark, QSize(640, 400), 1);
    Keep(image, "tradeoff-dark.png");
    Keep(RenderChartImage(chart, FullView(chart), light, QSize(640, 400), 1), "tradeoff-light.png");
    EXPECT_GT(PixelsNear(image, dark.background, 10), 640 * 400 / 2);
    for (std::size_t k = 0; k < 3; ++k)
        EXPECT_GT(PixelsNear(image, dark.seriesColor(k)), 300) << k;
    EXPECT_GT(PixelsNear(image, dark.text, 60), 300);
}

TEST(RenderChartSvg, HoldsTheNamesTheMoneyLabelsAndTheBreakEven)
{
    const Chart chart = samples::RefChartOf(samples::WorkedRefinance());
    const ChartStyle style = LightStyle();
    const QByteArray svg = RenderChartSvg(chart, FullView(chart), style, QSize(800, 500));
    ASSERT_TRUE(svg.startsWith("<?xml"));
    EXPECT_TRUE(svg.contains("viewBox=\"0 0 800 500\""));
    EXPECT_TRUE(svg.contains(">Existing Mortgage</text>"));
    EXPECT_TRUE(svg.contains(">Refinanced Mortgage</text>"));
    EXPECT_TRUE(svg.contains(">Months to break even: 16 to 19</text>"));
    const ChartLayout layout = LayoutChart(chart, FullView(chart), style, QSizeF(800, 500));
    ASSERT_GE(layout.yAxis.ticks.size(), 3u);
    for (const Tick& tick : layout.yAxis.ticks) {
        SCOPED_TRACE(tick.label);
        EXPECT_TRUE(svg.contains(">" + QByteArray::fromStdString(tick.label) + "</text>"));
    }
    EXPECT_TRUE(svg.contains(">$100,000</text>"));
    EXPECT_TRUE(svg.contains(">year 10</text>"));
}

TEST(RenderChartSvg, SaysWhenTheRefinancingNeverBreaksEven)
{
    const Chart chart = samples::RefChartOf(samples::NeverBreaksEven());
    const QByteArray svg = RenderChartSvg(chart, FullView(chart), LightStyle(), QSize(800, 500));
    EXPECT_TRUE(svg.contains(">Never breaks even within 360 months</text>"));
    EXPECT_FALSE(svg.contains("break even:"));
}

TEST(RenderChartSvg, EscapesNamesAsXml)
{
    TradeInput input = samples::ThreeOptions();
    input.options[1].name = "<Lease> & \"more\"";
    const Chart chart = samples::TradeChartOf(input);
    const QByteArray svg = RenderChartSvg(chart, FullView(chart), LightStyle(), QSize(800, 500));
    EXPECT_TRUE(svg.contains("&lt;Lease&gt; &amp;")) << svg.left(400).constData();
}

TEST(RenderChartPdf, WritesOnePageWithTheChartsText)
{
    const Chart chart = samples::RefChartOf(samples::WorkedRefinance());
    const QByteArray pdf = RenderChartPdf(chart, FullView(chart),
                                          ChartStyle::Paper(QApplication::font()), QSize(800, 500));
    ASSERT_TRUE(pdf.startsWith("%PDF-"));
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("chart.pdf"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(pdf);
    file.close();

    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    ASSERT_FALSE(pdftotext.isEmpty()) << "pdftotext (poppler-utils, scripts/setup.sh) is missing";
    QProcess process;
    process.start(pdftotext, {path, QStringLiteral("-")});
    ASSERT_TRUE(process.waitForFinished(30000));
    // pdftotext gives "fi" as a ligature, so only texts without it are looked for.
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QStringLiteral("Existing Mortgage"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Months to break even: 16 to 19")));
    EXPECT_TRUE(text.contains(QStringLiteral("$100,000")));

    QProcess info;
    info.start(QStandardPaths::findExecutable(QStringLiteral("pdfinfo")), {path});
    ASSERT_TRUE(info.waitForFinished(30000));
    const QString details = QString::fromUtf8(info.readAllStandardOutput());
    EXPECT_TRUE(details.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));
    EXPECT_TRUE(details.contains(QStringLiteral("800 x 500 pts"))) << details.toStdString();
}

TEST(SaveChart, WritesTheTypeTheNameAsksForAndNothingElse)
{
    const Chart chart = samples::TradeChartOf(samples::ThreeOptions());
    const ChartStyle style = LightStyle();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QString error;

    const QString png = dir.filePath(QStringLiteral("chart.PNG"));
    ASSERT_TRUE(SaveChart(png, chart, FullView(chart), style, QSize(300, 200), 1, &error))
        << error.toStdString();
    EXPECT_EQ(QImage(png).size(), QSize(300, 200));

    const QString svg = dir.filePath(QStringLiteral("chart.svg"));
    ASSERT_TRUE(SaveChart(svg, chart, FullView(chart), style, QSize(300, 200), 1, &error));
    QFile svgFile(svg);
    ASSERT_TRUE(svgFile.open(QIODevice::ReadOnly));
    EXPECT_TRUE(svgFile.readAll().contains("Keep the old car"));

    const QString pdf = dir.filePath(QStringLiteral("chart.pdf"));
    ASSERT_TRUE(SaveChart(pdf, chart, FullView(chart), style, QSize(300, 200), 1, &error));
    QFile pdfFile(pdf);
    ASSERT_TRUE(pdfFile.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdfFile.read(5) == "%PDF-");

    const QString other = dir.filePath(QStringLiteral("chart.jpg"));
    EXPECT_FALSE(SaveChart(other, chart, FullView(chart), style, QSize(300, 200), 1, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(other));

    const QString nowhere = dir.filePath(QStringLiteral("no/such/folder/chart.png"));
    EXPECT_FALSE(SaveChart(nowhere, chart, FullView(chart), style, QSize(300, 200), 1, &error));
}

// Pixels of color outside rect grown by margin, leaving out the band above it (the title and
// the legend, whose swatches have the curves' colours).
int PixelsNearOutside(const QImage& image, const QColor& color, const QRectF& rect, double margin)
{
    const QRectF grown = rect.adjusted(-margin, -margin, margin, margin);
    int count = 0;
    for (int y = static_cast<int>(rect.top()); y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (!grown.contains(QPointF(x + 0.5, y + 0.5)) &&
                std::abs(c.red() - color.red()) + std::abs(c.green() - color.green()) +
                        std::abs(c.blue() - color.blue()) <=
                    40)
                ++count;
        }
    }
    return count;
}

// Zoomed into a narrow band of money, the curves' points lie far above and below the plot;
// the lines stop at its edges, and only the dots of points at the edges reach past them.
TEST(RenderChartImage, ClipsTheCurvesToThePlotWhenZoomed)
{
    const Chart chart = samples::RefChartOf(samples::WorkedRefinance());
    const ChartStyle style = LightStyle();
    struct Case
    {
        const char* name;
        Range x;
        Range y;
        double margin; // how far past the plot a curve's colour may reach
    };
    // Around the refinanced net worth at month 104, where the curve crosses the plot steeply.
    // Points 12 pixels apart or more have dots, which may stand over the plot's edges.
    const double at104 = chart.series[1].y[26];
    const Case cases[] = {
        {"a band", {60, 120}, {50000, 150000}, 6},
        {"a cent wide", {96, 112}, {at104 - 0.005, at104 + 0.005}, 6},
        {"a ten-thousandth wide", {0, 360}, {at104 - 5e-5, at104 + 5e-5}, 1.5},
        {"a dollar wide over all months", {0, 360}, {at104 - 0.5, at104 + 0.5}, 1.5},
        {"far below the curves", {0, 360}, {-1e12, -1e12 + 1}, 1.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ChartView view = FullView(chart);
        view.x = c.x;
        view.y = c.y;
        const QImage image = RenderChartImage(chart, view, style, QSize(640, 400), 1);
        Keep(image, (std::string("zoomed-") + c.name + ".png").c_str());
        const ChartLayout layout = LayoutChart(chart, view, style, QSizeF(640, 400));
        for (std::size_t k = 0; k < 2; ++k)
            EXPECT_EQ(PixelsNearOutside(image, style.seriesColor(k), layout.plot, c.margin), 0)
                << k;
    }
}

TEST(LayoutChart, KeepsThePlotInsideAndLabelsApart)
{
    const Chart chart = samples::TradeChartOf(samples::ThreeOptions());
    const ChartStyle style = LightStyle();
    for (const QSizeF size : {QSizeF(320, 220), QSizeF(800, 500), QSizeF(2400, 1500)}) {
        SCOPED_TRACE(size.width());
        const ChartLayout layout = LayoutChart(chart, FullView(chart), style, size);
        EXPECT_TRUE(layout.bounds.contains(layout.plot));
        EXPECT_LT(layout.title.bottom(), layout.plot.top());
        ASSERT_EQ(layout.legend.size(), 3u);
        for (const QRectF& entry : layout.legend) {
            EXPECT_TRUE(layout.bounds.contains(entry));
            EXPECT_LE(entry.bottom(), layout.plot.top());
        }
        for (std::size_t a = 0; a < layout.legend.size(); ++a) {
            for (std::size_t b = a + 1; b < layout.legend.size(); ++b)
                EXPECT_FALSE(layout.legend[a].intersects(layout.legend[b]));
        }
        // The x labels stand at least a label's width apart.
        const QFontMetricsF metrics(style.font);
        for (std::size_t i = 1; i < layout.xAxis.ticks.size(); ++i) {
            const double gap = layout.xToPixel(layout.xAxis.ticks[i].value) -
                               layout.xToPixel(layout.xAxis.ticks[i - 1].value);
            EXPECT_GT(gap, metrics.horizontalAdvance(
                               QString::fromStdString(layout.xAxis.ticks[i].label)));
        }
        // Mapping there and back.
        EXPECT_NEAR(layout.pixelToX(layout.xToPixel(7.5)), 7.5, 1e-9);
        EXPECT_NEAR(layout.pixelToY(layout.yToPixel(-1234)), -1234, 1e-6);
        EXPECT_EQ(layout.legendAt(layout.legend[1].center()), 1u);
        EXPECT_EQ(layout.legendAt(layout.plot.center()), std::nullopt);
    }
}

TEST(CrosshairLines, ShowEachValueAndTheDifferences)
{
    const Chart chart = samples::RefChartOf(samples::WorkedRefinance());
    ChartView view = FullView(chart);
    const std::vector<QString> lines = CrosshairLines(chart, view, 5);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], QStringLiteral("Month 20"));
    const double existing = chart.series[0].y[5];
    const double refinanced = chart.series[1].y[5];
    EXPECT_EQ(lines[1],
              QStringLiteral("Existing Mortgage: ") + QString::fromStdString(MoneyText(existing)));
    EXPECT_EQ(lines[2], QStringLiteral("Refinanced Mortgage: ") +
                            QString::fromStdString(MoneyText(refinanced)));
    EXPECT_EQ(lines[3], QStringLiteral("Refinanced Mortgage \u2212 Existing Mortgage: ") +
                            QString::fromStdString(MoneyText(refinanced - existing)));

    view.hidden = {true, false};
    EXPECT_EQ(CrosshairLines(chart, view, 5).size(), 2u);

    const Chart trade = samples::TradeChartOf(samples::ThreeOptions());
    const std::vector<QString> three = CrosshairLines(trade, FullView(trade), 3);
    ASSERT_EQ(three.size(), 1u + 3 + 3);
    EXPECT_EQ(three[0], QStringLiteral("Period 3"));
    EXPECT_TRUE(three[6].startsWith(QStringLiteral("Keep the old car \u2212 Lease: ")));
}

TEST(PaintCrosshair, DrawsItsBoxOnTheChart)
{
    const Chart chart = samples::TradeChartOf(samples::ThreeOptions());
    const ChartStyle style = LightStyle();
    const QSize size(640, 400);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    const ChartLayout layout = LayoutChart(chart, FullView(chart), style, QSizeF(size));
    PaintChart(painter, chart, FullView(chart), style, layout);
    const QImage before = image.copy();
    PaintCrosshair(painter, chart, FullView(chart), style, layout, 12);
    painter.end();
    Keep(image, "tradeoff-crosshair.png");
    EXPECT_GT(PixelsNear(image, style.panel, 6), PixelsNear(before, style.panel, 6) + 2000);
}

} // namespace
} // namespace tw
