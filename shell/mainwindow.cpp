#include "shell/mainwindow.h"

#include "platform/mainwindow.h"
#include "platform/qt/accessiblemenuitem.h"
#include "platform/qt/accessiblenames.h"
#include "platform/qtcore/utf8.h"
#include "shell/menutables.h"

#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QIconEngine>
#include <QImageReader>
#include <QKeyEvent>
#include <QLayout>
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

// The client area below the toolbar, in the palette's base colour (white in a light palette,
// as a document's background); it reports pointer movement.
class ClientArea final : public QWidget
{
  public:
    ClientArea(MainWindowEvents& events, QWidget* parent) : QWidget(parent), events_(events)
    {
        setMouseTracking(true);
        setBackgroundRole(QPalette::Base);
        setAutoFillBackground(true);
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

// Alt pressed and released with nothing in between opens the menu bar, as F10 does; Alt with
// a letter is an accelerator and leaves the menus shut. It watches the whole application
// because the key goes to whatever has the focus in the main window.
class AltAloneWatcher final : public QObject
{
  public:
    explicit AltAloneWatcher(MainWindow& window) : QObject(&window), window_(window)
    {
        qApp->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // Key events reach the window first and then each widget they pass on their way up
        // from the focus; the first widget to see one decides.
        if (!watched->isWidgetType())
            return QObject::eventFilter(watched, event);
        switch (event->type()) {
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->isAutoRepeat())
                break;
            alone_ = key->key() == Qt::Key_Alt && key->modifiers() == Qt::AltModifier &&
                     QApplication::activeWindow() == &window_ &&
                     QApplication::activePopupWidget() == nullptr;
            break;
        }
        case QEvent::ShortcutOverride:
            if (static_cast<QKeyEvent*>(event)->key() != Qt::Key_Alt)
                alone_ = false;
            break;
        case QEvent::KeyRelease: {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->isAutoRepeat() || key->key() != Qt::Key_Alt) {
                if (!key->isAutoRepeat())
                    alone_ = false;
                break;
            }
            const bool open = alone_ && QApplication::activeWindow() == &window_ &&
                              QApplication::activePopupWidget() == nullptr;
            alone_ = false;
            if (open)
                window_.openMenuBar();
            break;
        }
        case QEvent::MouseButtonPress:
        case QEvent::Wheel:
        case QEvent::FocusOut:
            alone_ = false;
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    MainWindow& window_;
    bool alone_ = false;
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
            // The strip holds as many square images as its width holds its height.
            const QSize drawn = reader.size();
            const int images = drawn.height() > 0 ? drawn.width() / drawn.height() : 0;
            reader.setScaledSize(QSize(images * pixels, pixels));
            found = strips.emplace(pixels, reader.read()).first;
        }
        return found->second;
    }

    int index_;
};

// A screen reader names a toolbar button as the menu names its command, without the key.
QString SpokenCommand(int command)
{
    for (const MenuItem& item : MenuItems()) {
        if (item.command == command)
            return SpokenText(FromUtf8(item.text));
    }
    return SpokenText(FromUtf8(ToolbarTooltip(command)));
}

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
    createMenuKeys();
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
    InstallMenuItemAccessibility();
    std::map<std::string_view, QMenu*> menus;
    for (const MenuItem& item : MenuItems()) {
        QMenu*& menu = menus[item.menu];
        if (menu == nullptr)
            menu = menuBar()->addMenu(FromUtf8(item.menu));
        if (item.command == 0) {
            menu->addSeparator();
            continue;
        }
        // The key after the tab is a label only: the accelerator table decides what keys do,
        // so F1 and F4 show in the Help menu and do nothing.
        QAction* action = menu->addAction(FromUtf8(item.text));
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

void MainWindow::createMenuKeys()
{
    new AltAloneWatcher(*this);
    // F10 opens the menu bar at its first menu, as on every desktop; the arrow keys go on from
    // there to the other menus. It is no accelerator: the menus work while a tool is open.
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
    f10->setContext(Qt::WindowShortcut);
    connect(f10, &QShortcut::activated, this, &MainWindow::openMenuBar);
}

void MainWindow::openMenuBar()
{
    const QList<QAction*> menus = menuBar()->actions();
    if (!menus.isEmpty())
        menuBar()->setActiveAction(menus.first());
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
        action->setToolTip(FromUtf8(ToolbarTooltip(button.command)));
        action->setData(button.command);
        const int command = button.command;
        connect(action, &QAction::triggered, this, [this, command] { events_.command(command); });
        if (QWidget* widget = toolbar_->widgetForAction(action)) {
            widget->installEventFilter(this);
            widget->setAccessibleName(SpokenCommand(command));
        }
    }
}

QSize ClientSizeFor(QSize outer, QMargins frame, QSize needed)
{
    return {std::max({outer.width() - frame.left() - frame.right(), needed.width(), 1}),
            std::max(outer.height() - frame.top() - frame.bottom(), needed.height())};
}

void MainWindow::placeWindow()
{
    // The outer size is fixed; the client part is what the frame leaves of it, but never less
    // than the menu bar and toolbar need: in a large desktop font the window grows just
    // enough that every menu title and button shows.
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    placedFrame_ = frame;
    const QSize needed(std::max(menuBar()->sizeHint().width(), toolbar_->sizeHint().width()),
                       menuBar()->sizeHint().height() + toolbar_->sizeHint().height() + 8);
    setFixedSize(ClientSizeFor(QSize(kOuterWidth, kOuterHeight), frame, needed));
    move(kLeft, kTop);
}

bool MainWindow::event(QEvent* event)
{
    const bool handled = QMainWindow::event(event);
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::WindowActivate:
        // A window manager tells the frame's extents only after it has decorated the window,
        // some time after it was shown; the client area is set again once they are known, so
        // that the outer size, which the placement file records, is the fixed one.
        if (isVisible() && windowHandle() && windowHandle()->frameMargins() != placedFrame_)
            placeWindow();
        break;
    default:
        break;
    }
    return handled;
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
