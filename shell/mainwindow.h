#pragma once
#include <QMainWindow>
#include <QMargins>

#include <functional>

class QToolBar;

namespace tw {

class MainWindowEvents;

// The small fixed-size main window of the desktop: menu bar, accelerators and toolbar from the
// definitions in resources/, a white client area, and every user action passed on as a
// command number or notice to the shell.
class MainWindow final : public QMainWindow
{
  public:
    explicit MainWindow(MainWindowEvents& events, QWidget* parent = nullptr);

    // Lets the next close event through without reporting it (the window is being destroyed).
    void allowClose() { closing_ = true; }
    int clientWidth() const;
    // The accelerators do nothing while blocked() says so (a tool's modal loop is running).
    void setAcceleratorGate(std::function<bool()> blocked)
    {
        acceleratorsBlocked_ = std::move(blocked);
    }

    // Opens the first menu of the menu bar (what F10 does).
    void openMenuBar();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void createMenus();
    void createAccelerators();
    void createMenuKeys();
    void createToolbar();
    void placeWindow();

    MainWindowEvents& events_;
    QToolBar* toolbar_ = nullptr;
    QWidget* client_ = nullptr;
    std::function<bool()> acceleratorsBlocked_;
    bool closing_ = false;
    QMargins placedFrame_{-1, -1, -1, -1}; // the frame the client size was last set for
};

// The client size that gives a window the outer size with the frame around it, but never a
// client area narrower or lower than needed (what the menu bar and the toolbar take in the
// desktop's font).
QSize ClientSizeFor(QSize outer, QMargins frame, QSize needed);

// The toolbar image strip: image index of icons/toolbar.svg as an icon, sharp at every scale.
QIcon ToolbarImage(int index);

} // namespace tw
