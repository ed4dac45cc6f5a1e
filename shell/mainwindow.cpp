#include "shell/mainwindow.h"

#include "platform/mainwindow.h"
#include "shell/menutables.h"

#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QImageReader>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPixmap>
#include <QShortcut>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>

#include <map>
#include <vector>

namespace tw {

namespace {

constexpr int kLeft = 100;
constexpr int kTop = 100;
constexpr int kOuterWidth = 350;
constexpr int kOuterHeight = 90;
constexpr int kImageSize = 16;
constexpr int kStripImages = 25;

QString Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The white client area below the toolbar; it reports pointer movement.
class ClientArea final : public QWidget
{
public:
    ClientArea(MainWindowEvents& events, QWidget* parent) : QWidget(parent), events_(events)
    {
        setMouseTracking(true);
        setAutoFillBackground(true);
        QPalette palette = this->palette();
        palette.setColor(QPalette::Window, Qt::white);
        setPalette(palette);
    }

    int offsetY = 0; // the toolbar's height: the window system's client area starts above it

protected:
    void mouseMoveEvent(QMouseEvent* event) override
    {
        const QPoint at = event->position().toPoint();
        events_.pointerMoved(at.x(), at.y() + offsetY);
    }

private:
    MainWindowEvents& events_;
};

} // namespace

QIcon ToolbarImage(int index)
{
    // The strip is drawn once per scale; each button cuts its image out of it.
    static const std::vector<QImage> strips = [] {
        std::vector<QImage> rendered;
        for (int scale = 1; scale <= 3; ++scale) {
            QImageReader reader(QStringLiteral(":/icons/toolbar.svg"));
            reader.setScaledSize(QSize(kStripImages * kImageSize * scale, kImageSize * scale));
            rendered.push_back(reader.read());
        }
        return rendered;
    }();

    QIcon icon;
    for (std::size_t i = 0; i < strips.size(); ++i) {
        const QImage& strip = strips[i];
        if (strip.isNull())
            continue;
        const int scale = static_cast<int>(i) + 1;
        QPixmap image = QPixmap::fromImage(
            strip.copy(index * kImageSize * scale, 0, kImageSize * scale, kImageSize * scale));
        image.setDevicePixelRatio(scale);
        icon.addPixmap(image);
    }
    return icon;
}

MainWindow::MainWindow(MainWindowEvents& events, QWidget* parent)
    : QMainWindow(parent), events_(events)
{
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowIcon(QIcon(QStringLiteral(":/icons/twplan2.svg")));

    auto* client = new ClientArea(events_, this);
    client_ = client;
    setCentralWidget(client_);

    createMenus();
    createAccelerators();
    createToolbar();
    client->offsetY = toolbar_->sizeHint().height();
    setWindowTitle(QStringLiteral("Tarrow Financial Tool Set"));
    placeWindow();
}

int MainWindow::clientWidth() const
{
    return client_->width();
}

void MainWindow::createMenus()
{
    std::map<std::string_view, QMenu*> menus;
    for (const MenuItem& item : MenuItems()) {
        QMenu*& menu = menus[item.menu];
        if (menu == nullptr)
            menu = menuBar()->addMenu(Text(item.menu));
        if (item.command == 0) {
            menu->addSeparator();
            continue;
        }
        // The key after the tab is a label only: the accelerator table decides what keys do,
        // so F1 and F4 show in the Help menu and do nothing.
        QAction* action = menu->addAction(Text(item.text));
        const int command = item.command;
        connect(action, &QAction::triggered, this, [this, command] { events_.command(command); });
    }
}

void MainWindow::createAccelerators()
{
    for (const Accelerator& accelerator : Accelerators()) {
        const int command = accelerator.command;
        const auto letter = static_cast<Qt::Key>(Qt::Key_A + (accelerator.letter | 0x20) - 'a');
        std::vector<QKeySequence> keys;
        if (accelerator.control) {
            // Ctrl plus a letter gives the same control character with or without Shift.
            keys.emplace_back(QKeyCombination(Qt::ControlModifier, letter));
            keys.emplace_back(QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, letter));
        } else {
            keys.emplace_back(QKeyCombination(Qt::AltModifier, letter));
        }
        for (const QKeySequence& key : keys) {
            auto* shortcut = new QShortcut(key, this);
            shortcut->setContext(Qt::WindowShortcut);
            connect(shortcut, &QShortcut::activated, this, [this, command] {
                if (acceleratorsBlocked_ && acceleratorsBlocked_())
                    return;
                events_.command(command);
            });
        }
    }
}

void MainWindow::createToolbar()
{
    toolbar_ = new QToolBar(this);
    toolbar_->setObjectName(QStringLiteral("toolbar990"));
    toolbar_->setMovable(false);
    toolbar_->setFloatable(false);
    toolbar_->setIconSize(QSize(kImageSize, kImageSize));
    toolbar_->setContextMenuPolicy(Qt::PreventContextMenu);
    addToolBar(Qt::TopToolBarArea, toolbar_);
    toolbar_->installEventFilter(this);

    for (const ToolbarButton& button : ToolbarButtons()) {
        if (button.command == 0) {
            toolbar_->addSeparator();
            continue;
        }
        QAction* action = toolbar_->addAction(ToolbarImage(button.image), QString());
        action->setToolTip(Text(ToolbarTooltip(button.command)));
        action->setData(button.command);
        const int command = button.command;
        connect(action, &QAction::triggered, this, [this, command] { events_.command(command); });
        if (QWidget* widget = toolbar_->widgetForAction(action))
            widget->installEventFilter(this);
    }
}

void MainWindow::placeWindow()
{
    // The outer size is fixed; the client part is what the frame leaves of it, but never less
    // than the menu bar and toolbar need.
    int frameWidth = 0;
    int frameHeight = 0;
    if (QWindow* handle = windowHandle()) {
        const QMargins margins = handle->frameMargins();
        frameWidth = margins.left() + margins.right();
        frameHeight = margins.top() + margins.bottom();
    }
    const int needed = menuBar()->sizeHint().height() + toolbar_->sizeHint().height() + 8;
    const int width = kOuterWidth - frameWidth;
    const int height = std::max(kOuterHeight - frameHeight, needed);
    setFixedSize(width, height);
    move(kLeft, kTop);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!placed_) {
        // The frame is known only once the window system has decorated the window.
        placed_ = true;
        placeWindow();
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ToolTip:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::Enter:
    case QEvent::Leave:
        // Every toolbar notification brings open tools to the front.
        events_.toolbarNotified();
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (closing_) {
        event->accept();
        return;
    }
    // The shell saves the placement and destroys the window itself.
    event->ignore();
    events_.closeRequested();
}

} // namespace tw
