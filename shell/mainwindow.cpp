#include "shell/mainwindow.h"

#include "platform/mainwindow.h"
#include "shell/menutables.h"

#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QIconEngine>
#include <QImageReader>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QShortcut>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <map>

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

namespace {

// Draws one image of the toolbar strip at whatever size and scale it is asked for, so the
// buttons stay sharp on high-density screens. Strips are rendered once per pixel size.
class ToolbarIconEngine final : public QIconEngine
{
  public:
    explicit ToolbarIconEngine(int index) : index_(index) {}

    QIconEngine* clone() const override { return new ToolbarIconEngine(index_); }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal scale =
            painter->device() != nullptr ? painter->device()->devicePixelRatioF() : 1.0;
        const QSize pixels(static_cast<int>(std::lround(rect.width() * scale)),
                           static_cast<int>(std::lround(rect.height() * scale)));
        painter->drawPixmap(rect, scaledPixmap(pixels, mode, state, scale));
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    // QIcon hands over the size in device pixels already multiplied by the scale.
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode, QIcon::State, qreal scale) override
    {
        const int pixels = std::max(1, std::min(size.width(), size.height()));
        const QImage& strip = Strip(pixels);
        if (strip.isNull())
            return {};
        QPixmap image = QPixmap::fromImage(strip.copy(index_ * pixels, 0, pixels, pixels));
        image.setDevicePixelRatio(scale);
        return image;
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        const int side = std::min(size.width(), size.height());
        return {side, side};
    }

  private:
    static const QImage& Strip(int pixels)
    {
        static std::map<int, QImage> strips;
        auto found = strips.find(pixels);
        if (found == strips.end()) {
            QImageReader reader(QStringLiteral(":/icons/toolbar.svg"));
            reader.setScaledSize(QSize(kStripImages * pixels, pixels));
            found = strips.emplace(pixels, reader.read()).first;
        }
        return found->second;
    }

    int index_;
};

} // namespace

QIcon ToolbarImage(int index)
{
    return QIcon(new ToolbarIconEngine(index));
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
