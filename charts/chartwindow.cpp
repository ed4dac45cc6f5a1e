#include "charts/chartwindow.h"

#include "charts/chartexport.h"
#include "charts/chartwidget.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QStatusBar>

namespace tw {

namespace {

// The suite writes a graph file in one go; a change is read once the file has been quiet
// this long, and a file caught half-written is tried again a few times before the window says
// that it cannot be read.
constexpr int kSettleMilliseconds = 250;
constexpr int kRetries = 4;

const char* const kHint =
    "Wheel or drag a rectangle to zoom, double-click or Home to see all; click a legend entry "
    "to hide or show its curve";

} // namespace

QIcon SuiteIcon()
{
    return QIcon(QStringLiteral(":/icons/twplan2.svg"));
}

ChartWindow::ChartWindow(const QString& path, GraphReader reader, ChartBuilder builder,
                         const QString& programTitle, Chart chart, std::string text,
                         QWidget* parent)
    : QMainWindow(parent), path_(QFileInfo(path).absoluteFilePath()), reader_(reader),
      builder_(builder), text_(std::move(text)), chart_(new ChartWidget(this))
{
    setWindowTitle(QStringLiteral("%1 - %2").arg(programTitle, QFileInfo(path).fileName()));
    setWindowIcon(SuiteIcon());
    chart_->setChart(std::move(chart));
    setCentralWidget(chart_);
    createActions();
    statusBar()->showMessage(QString::fromUtf8(kHint));

    settle_.setSingleShot(true);
    connect(&settle_, &QTimer::timeout, this, &ChartWindow::reload);
    watcher_ = new QFileSystemWatcher(this);
    connect(watcher_, &QFileSystemWatcher::fileChanged, this, &ChartWindow::fileChanged);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, &ChartWindow::fileChanged);
    watch();
}

void ChartWindow::createActions()
{
    QMenu* file = menuBar()->addMenu(tr("&File"));
    QAction* save = file->addAction(tr("&Save As..."), this, &ChartWindow::save);
    save->setShortcut(QKeySequence::Save);
    save->setStatusTip(tr("Save the chart as a PNG or SVG image or a PDF document"));
    QAction* print = file->addAction(tr("&Print..."), this, &ChartWindow::print);
    print->setShortcut(QKeySequence::Print);
    print->setStatusTip(tr("Print the chart"));
    QAction* copy = file->addAction(tr("&Copy Image"), this, &ChartWindow::copyImage);
    copy->setShortcut(QKeySequence::Copy);
    copy->setStatusTip(tr("Copy the chart to the clipboard as an image"));
    file->addSeparator();
    QAction* close = file->addAction(tr("&Close"), this, &QWidget::close);
    close->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_Q)});
    close->setStatusTip(tr("Close the chart"));

    QMenu* view = menuBar()->addMenu(tr("&View"));
    QAction* reset = view->addAction(tr("&Reset Zoom"), chart_, &ChartWidget::resetZoom);
    reset->setShortcut(QKeySequence(Qt::Key_Home));
    reset->setStatusTip(tr("Show the whole chart"));
    QAction* reload = view->addAction(tr("Re&load"), this, &ChartWindow::reload);
    reload->setShortcut(QKeySequence::Refresh);
    reload->setStatusTip(tr("Read the graph file again"));

    for (QAction* action : {save, print, copy, close, reset, reload})
        action->setShortcutContext(Qt::WindowShortcut);
    addActions({save, print, copy, close, reset, reload});
}

bool ChartWindow::saveTo(const QString& path, QString* error) const
{
    const ChartStyle style = ChartFileTypeOf(path) == ChartFileType::Pdf
                                 ? ChartStyle::Paper(chart_->font())
                                 : chart_->chartStyle();
    return SaveChart(path, chart_->chart(), chart_->view(), style, chart_->size(),
                     chart_->devicePixelRatioF(), error);
}

void ChartWindow::save()
{
    const QString png = tr("PNG image (*.png)");
    const QString svg = tr("SVG image (*.svg)");
    const QString pdf = tr("PDF document (*.pdf)");
    QString filter = png;
    const QString suggested =
        QDir::current().filePath(QFileInfo(path_).completeBaseName() + QStringLiteral(".png"));
    QString path = QFileDialog::getSaveFileName(this, tr("Save Chart"), suggested,
                                                QStringList{png, svg, pdf}.join(";;"), &filter);
    if (path.isEmpty())
        return;
    if (ChartFileTypeOf(path) == ChartFileType::Unknown)
        path += filter == svg   ? QStringLiteral(".svg")
                : filter == pdf ? QStringLiteral(".pdf")
                                : QStringLiteral(".png");
    QString error;
    if (!saveTo(path, &error))
        QMessageBox::critical(this, windowTitle(),
                              tr("Cannot save %1: %2").arg(QDir::toNativeSeparators(path), error));
    else
        statusBar()->showMessage(tr("Saved %1").arg(QDir::toNativeSeparators(path)), 5000);
}

void ChartWindow::print()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(windowTitle());
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    PrintChart(printer, chart_->chart(), chart_->view(), ChartStyle::Paper(chart_->font()));
}

void ChartWindow::copyImage()
{
    QApplication::clipboard()->setImage(chart_->renderImage());
    statusBar()->showMessage(tr("The chart is on the clipboard"), 5000);
}

void ChartWindow::watch()
{
    // The directory tells of a file that was deleted and written anew, which the file's own
    // watch does not survive.
    const QString directory = QFileInfo(path_).absolutePath();
    if (!watcher_->directories().contains(directory))
        watcher_->addPath(directory);
    if (!watcher_->files().contains(path_) && QFileInfo::exists(path_))
        watcher_->addPath(path_);
}

void ChartWindow::fileChanged()
{
    watch();
    retries_ = 0;
    settle_.start(kSettleMilliseconds);
}

void ChartWindow::reload()
{
    const QString name = QFileInfo(path_).fileName();
    std::string text;
    ReadError error;
    GraphRead read;
    if (ReadGraphText(path_.toStdString(), text, error)) {
        if (text == text_)
            return;
        read = reader_(text);
    } else {
        read.error = error;
    }
    if (read.graph) {
        text_ = std::move(text);
        retries_ = 0;
        chart_->replaceChart(builder_(*read.graph));
        statusBar()->showMessage(tr("Read %1 again").arg(name), 5000);
        emit reloaded();
        return;
    }
    if (retries_ < kRetries) {
        ++retries_;
        settle_.start(kSettleMilliseconds * 2);
        return;
    }
    // The chart as it was stays up; a box for every failed write would be in the way.
    const QString message =
        QString::fromStdString(DescribeReadError(read.error, name.toStdString()));
    statusBar()->showMessage(tr("%1 (the chart shows the file as it was)").arg(message));
    emit reloadFailed(message);
}

} // namespace tw
