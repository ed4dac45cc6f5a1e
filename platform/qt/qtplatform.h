#pragma once
// The Qt desktop host of the platform layer: dialogs built from the compiled-in .ui
// resources, message boxes, outside programs, the help window and the main window's port.
// The shell builds the main window itself and hands it over with setMainWindow().

#include "platform/mainwindow.h"
#include "platform/platform.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QDialog;
class QEventLoop;
class QWidget;

namespace tw {

class HelpWindow;
class QtPrinters;

class QtPlatform : public Platform, public MainWindowPort
{
  public:
    using DialogBuilder = std::function<void(QDialog&)>;

    // lighter: the start-up switch that lightens the band colour of the report lists.
    // Construct after the QApplication.
    explicit QtPlatform(bool lighter);
    ~QtPlatform() override;

    // The main window: the parent of owner-less system-modal message boxes, and what the
    // MainWindowPort operations act on. The platform does not own it.
    void setMainWindow(QWidget* window);
    // Adds a dialog resource beside the compiled-in ones, or replaces one.
    void addDialogResource(std::string name, DialogBuilder build);
    // The help window, once help has been asked for.
    HelpWindow* helpWindow() const { return help_.get(); }
    // Whether a tool's modal loop is running: the main window's accelerators are not
    // translated then, as a modal loop of the window system does not translate them.
    bool inModalLoop() const { return !loops_.empty(); }
    // Whether destroy() has been called; nothing opens any more.
    bool isEnding() const { return ending_; }

    MessageAnswer message(Window* owner, std::string_view text, std::string_view title,
                          MessageIcon icon, MessageButtons buttons, bool systemModal) override;
    int runModal(Form& form, Window* owner) override;
    void post(const Window& window, std::function<void()> notice) override;
    bool startProgram(std::string_view commandLine) override;
    bool openAddress(std::string_view address) override;
    void help(HelpRequest request, int context, Window* owner) override;
    void repaintMainFrame() override;
    Printers* printers() override;

    Rect outerRect() const override;
    void destroy() override;
    void focus() override;
    void repaintFrame() override;

  private:
    QObject notices_; // the receiver of posted notices; they die with the platform
    bool lighter_;
    bool ending_ = false;
    QPointer<QWidget> mainWindow_;
    std::map<std::string, DialogBuilder, std::less<>> addedDialogs_;
    std::vector<QEventLoop*> loops_;
    std::unique_ptr<HelpWindow> help_;
    std::unique_ptr<QtPrinters> printers_; // made when first asked for
};

} // namespace tw
