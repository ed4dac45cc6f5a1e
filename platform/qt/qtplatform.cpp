#include "platform/qt/qtplatform.h"

#include "platform/form.h"
#include "platform/helpfile.h"
#include "platform/programlookup.h"
#include "platform/qt/dialogfactory.h"
#include "platform/qt/helpwindow.h"
#include "platform/qt/listcolours.h"
#include "platform/qt/qtdialogwindow.h"
#include "platform/qt/qtprinters.h"
#include "platform/qtcore/utf8.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QStyle>
#include <QUrl>

#include <algorithm>

namespace tw {

namespace {

constexpr char kBuiltInHelpFile[] = ":/twtools.hlp";

QWidget* DialogOf(Window* window)
{
    return dynamic_cast<QtDialogWindow*>(window);
}

// The icon theme's picture where the desktop has one, else the program's own; both are drawn
// for the box's pixel density, where the toolkit's fallback pictures are 32 pixels only.
QPixmap BoxPicture(MessageIcon icon, const QWidget& box)
{
    const QString name = QString::fromLatin1(MessageIconName(icon));
    const QString theme = QStringLiteral("dialog-") + name;
    const QIcon picture = QIcon::hasThemeIcon(theme)
                              ? QIcon::fromTheme(theme)
                              : QIcon(QStringLiteral(":/icons/message-%1.svg").arg(name));
    const int side = box.style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &box);
    return picture.pixmap(QSize(side, side), box.devicePixelRatioF());
}

QMessageBox::Icon BoxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Information:
        break;
    }
    return QMessageBox::Information;
}

// The working directory's copy, which the user may edit, comes first.
HelpFile LoadHelpFile()
{
    for (const QString& name : {FromUtf8(kHelpFile), QString::fromLatin1(kBuiltInHelpFile)}) {
        QFile file(name);
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray text = file.readAll();
            return ParseHelpFile(
                std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
        }
    }
    return {};
}

} // namespace

QtPlatform::QtPlatform(bool lighter) : lighter_(lighter) {}

QtPlatform::~QtPlatform() = default;

void QtPlatform::setMainWindow(QWidget* window)
{
    mainWindow_ = window;
}

void QtPlatform::addDialogResource(std::string name, DialogBuilder build)
{
    addedDialogs_[std::move(name)] = std::move(build);
}

MessageAnswer QtPlatform::message(Window* owner, std::string_view text, std::string_view title,
                                  MessageIcon icon, MessageButtons buttons, bool systemModal)
{
    const bool yesNo = buttons == MessageButtons::YesNo;
    if (ending_)
        return yesNo ? MessageAnswer::No : MessageAnswer::Ok;

    QWidget* parent = DialogOf(owner);
    if (!parent && systemModal)
        parent = mainWindow_;
    QMessageBox box(BoxIcon(icon), FromUtf8(title), FromUtf8(text),
                    yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.setIconPixmap(BoxPicture(icon, box));
    // The box's kind stays known to accessibility tools, which setIconPixmap forgets.
    box.setAccessibleDescription(QString::fromLatin1(MessageIconName(icon)));
    // Some desktop themes put stock pictures on OK, Yes and No; the texts say enough.
    for (QAbstractButton* button : box.buttons())
        button->setIcon(QIcon());
    // A box that is not system-modal blocks only its owner (nothing, when it has none).
    box.setWindowModality(systemModal ? Qt::ApplicationModal : Qt::WindowModal);
    if (yesNo) {
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    }
    const int answer = box.exec();
    if (!yesNo)
        return MessageAnswer::Ok;
    return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

int QtPlatform::runModal(Form& form, Window* owner)
{
    const std::string_view name = form.resource();
    const auto added = addedDialogs_.find(name);
    if (added == addedDialogs_.end() && !HasDialogResource(name))
        return -1;
    if (ending_)
        return 0;

    QWidget* parent = DialogOf(owner);
    auto dialog = std::make_unique<QtDialogWindow>(
        form, ListColoursFromPalette(QApplication::palette(), lighter_), parent);
    if (added != addedDialogs_.end())
        added->second(*dialog);
    else
        BuildDialogResource(name, *dialog);
    dialog->adoptControls();
    // With an owner only the owner waits; without one the main window stays usable and its
    // commands arrive inside the loop below.
    if (parent)
        dialog->setWindowModality(Qt::WindowModal);

    QEventLoop loop;
    dialog->setModalLoop(&loop);
    form.opened(*dialog);
    if (!dialog->hasEnded() && !ending_) {
        dialog->show();
        if (!dialog->hasEnded() && !ending_) {
            loops_.push_back(&loop);
            loop.exec();
            loops_.erase(std::find(loops_.begin(), loops_.end(), &loop));
        }
    }
    dialog->setModalLoop(nullptr);
    return dialog->hasEnded() ? dialog->endResult() : 0;
}

void QtPlatform::post(const Window& window, std::function<void()> notice)
{
    // A dialog that is destroyed takes its pending notices with it; one that has only ended
    // is still there until its loop has returned, so that is asked as well.
    const auto* dialog = dynamic_cast<const QtDialogWindow*>(&window);
    if (dialog == nullptr || dialog->hasEnded())
        return;
    QPointer<const QtDialogWindow> alive(dialog);
    QMetaObject::invokeMethod(
        &notices_,
        [alive, notice = std::move(notice)] {
            if (alive && !alive->hasEnded())
                notice();
        },
        Qt::QueuedConnection);
}

bool QtPlatform::startProgram(std::string_view commandLine)
{
    const std::optional<ProgramStart> start =
        FindProgram(commandLine, OwnProgramDirectory(), EnvironmentPath());
    if (!start)
        return false;
    QStringList arguments;
    for (const std::string& argument : start->arguments)
        arguments.append(QString::fromStdString(argument));
    return QProcess::startDetached(QFile::decodeName(start->program.c_str()), arguments);
}

bool QtPlatform::openAddress(std::string_view address)
{
    return QDesktopServices::openUrl(QUrl(FromUtf8(address), QUrl::TolerantMode));
}

void QtPlatform::help(HelpRequest request, int context, Window* /*owner*/)
{
    if (ending_)
        return;
    // The help window belongs to no dialog, so that a dialog waiting on another one does not
    // keep the user from reading help.
    if (!help_)
        help_ = std::make_unique<HelpWindow>();
    help_->setHelpFile(LoadHelpFile());
    switch (request) {
    case HelpRequest::Contents:
        help_->showContents();
        break;
    case HelpRequest::Context:
        help_->showTopic(context);
        break;
    case HelpRequest::HelpOnHelp:
        help_->showHelpOnHelp();
        break;
    }
    if (help_->isMinimized())
        help_->setWindowState(help_->windowState() & ~Qt::WindowMinimized);
    help_->show();
    help_->raise();
    help_->activateWindow();
}

void QtPlatform::repaintMainFrame()
{
    repaintFrame();
}

Printers* QtPlatform::printers()
{
    if (!printers_) {
        printers_ = std::make_unique<QtPrinters>(
            [this](Window* owner) -> QWidget* {
                QWidget* parent = DialogOf(owner);
                return parent ? parent : mainWindow_.data();
            },
            [this] { repaintMainFrame(); });
    }
    return printers_.get();
}

Rect QtPlatform::outerRect() const
{
    if (!mainWindow_)
        return {};
    const QRect frame = mainWindow_->frameGeometry();
    return {frame.x(), frame.y(), frame.width(), frame.height()};
}

void QtPlatform::destroy()
{
    ending_ = true;
    if (help_)
        help_->hide();
    // Hidden, not closed: a close would come back to the shell as a close request.
    if (mainWindow_)
        mainWindow_->hide();
    for (QEventLoop* loop : loops_)
        loop->exit(0);
    // exit() rather than quit(): quit() first asks every window to close, and the tool
    // windows refuse (only their forms end them).
    QCoreApplication::exit(0);
}

void QtPlatform::focus()
{
    if (!mainWindow_)
        return;
    mainWindow_->activateWindow();
    mainWindow_->setFocus(Qt::OtherFocusReason);
}

void QtPlatform::repaintFrame()
{
    if (mainWindow_)
        mainWindow_->update();
}

} // namespace tw
