#pragma once
#include "charts/chart.h"
#include "charts/graphfile.h"

#include <QIcon>
#include <QMainWindow>
#include <QString>
#include <QTimer>

#include <string>

class QFileSystemWatcher;

namespace tw {

class ChartWidget;

using ChartBuilder = Chart (*)(const GraphFile&);

// The suite's icon, from its resources: the graph windows and their message boxes carry it, so
// that they are seen to belong to the suite.
QIcon SuiteIcon();

// The window of a graph program: one chart read from one file, with Save (PNG, SVG, PDF),
// Print and Copy, and the chart read again whenever the file changes on disk, since the suite
// writes the file afresh at each Graph.
class ChartWindow : public QMainWindow
{
    Q_OBJECT

  public:
    // path was read already into text and made into chart; programTitle names the graph
    // ("Refinance Graph") in the window title before the file's name. The window has the
    // suite's icon.
    ChartWindow(const QString& path, GraphReader reader, ChartBuilder builder,
                const QString& programTitle, Chart chart, std::string text,
                QWidget* parent = nullptr);

    ChartWidget* chartWidget() const { return chart_; }

    // Saves what is shown (zoom and hidden curves included) at the chart's size on the screen:
    // PNG and SVG in the window's colours, PDF in black on white.
    bool saveTo(const QString& path, QString* error) const;

    // Reads the file again now; the chart changes only when its text has.
    void reload();

  signals:
    void reloaded();
    void reloadFailed(const QString& message);

  private:
    void createActions();
    void save();
    void print();
    void copyImage();
    void fileChanged();
    void watch();

    QString path_;
    GraphReader reader_;
    ChartBuilder builder_;
    std::string text_;
    ChartWidget* chart_ = nullptr;
    QFileSystemWatcher* watcher_ = nullptr;
    QTimer settle_;
    int retries_ = 0;
};

} // namespace tw
