#include "platform/qt/qtprintdevice.h"

#include "platform/qtcore/utf8.h"

#include <QFile>
#include <QPrinter>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace tw {

namespace {

// The end of every whole PDF file: Qt's writer puts it last and says nothing when a write
// fails (a full disk), so a file without it was cut off.
constexpr char kPdfEnd[] = "%%EOF";

std::string PrinterName(const QPrinter& printer)
{
    return "\"" + printer.printerName().toStdString() + "\"";
}

// Why the file cannot be written, as the system says: the file is opened for writing as the
// printer would open it, and what was made only for the asking is taken away again.
std::string FileProblem(const QByteArray& file)
{
    struct stat info = {};
    const bool existed = ::stat(file.constData(), &info) == 0;
    const int fd = ::open(file.constData(), O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0)
        return std::strerror(errno);
    ::close(fd);
    if (!existed)
        ::unlink(file.constData());
    return {};
}

bool EndsWhole(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const qint64 tail = 32;
    if (file.size() > tail && !file.seek(file.size() - tail))
        return false;
    return file.read(tail).contains(kPdfEnd);
}

bool DiskFull(const QByteArray& file)
{
    QByteArray folder = file.left(file.lastIndexOf('/'));
    if (!file.contains('/'))
        folder = ".";
    else if (folder.isEmpty())
        folder = "/";
    struct statvfs info = {};
    return ::statvfs(folder.constData(), &info) == 0 && info.f_bavail == 0;
}

} // namespace

QtPrintDevice::QtPrintDevice(QPrinter& printer, bool preview) : printer_(printer), preview_(preview)
{
}

QtPrintDevice::QtPrintDevice(std::unique_ptr<QPrinter> printer)
    : own_(std::move(printer)), printer_(*own_)
{
}

QtPrintDevice::~QtPrintDevice()
{
    if (painter_.isActive())
        painter_.end();
}

bool QtPrintDevice::beginDocument(std::string_view name)
{
    if (painter_.isActive())
        painter_.end();
    failure_.reset();
    printer_.setDocName(FromUtf8(name));
    pagesStarted_ = 0;
    if (painter_.begin(&printer_))
        return true;
    const QString path = outputFile();
    if (!path.isEmpty()) {
        const std::string problem = FileProblem(QFile::encodeName(path));
        failure_ = path.toStdString() + ": " +
                   (problem.empty() ? std::string("the file cannot be written") : problem);
    } else if (!printer_.isValid()) {
        failure_ = "the printer " + PrinterName(printer_) + " is not available";
    } else {
        failure_ = "the printer " + PrinterName(printer_) + " does not take the document";
    }
    return false;
}

PagePainter* QtPrintDevice::beginPage(int /*number*/)
{
    if (!painter_.isActive())
        return nullptr;
    // The printer starts on the first page; each further page is asked for.
    if (pagesStarted_ > 0 && !printer_.newPage())
        return nullptr;
    ++pagesStarted_;
    painter_.setPen(QPen(Qt::black));
    painter_.setBrush(Qt::NoBrush);
    painter_.setBackgroundMode(Qt::TransparentMode);
    return &page_;
}

void QtPrintDevice::endPage() {}

void QtPrintDevice::endDocument()
{
    if (!painter_.isActive())
        return;
    const bool ended = painter_.end();
    const QString path = outputFile();
    if (!path.isEmpty()) {
        if (ended && EndsWhole(path))
            return;
        const QByteArray file = QFile::encodeName(path);
        failure_ = path.toStdString() + ": " +
                   (DiskFull(file) ? "the disk is full, the file could not be written whole"
                                   : "the file could not be written whole");
        dropOutputFile();
    } else if (!preview_ && (!ended || printer_.printerState() == QPrinter::Error)) {
        failure_ = "the printer " + PrinterName(printer_) + " reported an error";
    }
}

void QtPrintDevice::abortDocument()
{
    if (!painter_.isActive())
        return;
    printer_.abort();
    painter_.end();
    dropOutputFile();
}

QString QtPrintDevice::outputFile() const
{
    // A printer printing to a file writes PDF there, whatever its output format says.
    return preview_ ? QString() : printer_.outputFileName();
}

void QtPrintDevice::dropOutputFile()
{
    const QString path = outputFile();
    if (path.isEmpty())
        return;
    // Only a file: a device or a pipe given as the output is not ours to remove.
    const QByteArray file = QFile::encodeName(path);
    struct stat info = {};
    if (::lstat(file.constData(), &info) == 0 && S_ISREG(info.st_mode))
        ::unlink(file.constData());
}

} // namespace tw
