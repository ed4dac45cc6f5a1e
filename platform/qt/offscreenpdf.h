#pragma once
#include "platform/printing.h"

#include <memory>
#include <string_view>

class QGuiApplication;

namespace tw {

// PDF files as print devices for a run without the desktop (the script host). Qt lays out
// text only inside a GUI application, so the first file makes one on the offscreen platform
// (no display needed) and keeps it until this object goes; a run that prints nothing never
// pays for it. The pages are US Letter at 1200 dots per inch, whatever the locale.
class OffscreenPdfPrinting
{
  public:
    OffscreenPdfPrinting();
    ~OffscreenPdfPrinting();
    OffscreenPdfPrinting(const OffscreenPdfPrinting&) = delete;
    OffscreenPdfPrinting& operator=(const OffscreenPdfPrinting&) = delete;

    // Null only when a Qt application of another kind is already running.
    std::unique_ptr<PrintDevice> open(std::string_view path, Orientation orientation);

  private:
    bool ensureApplication();

    int argc_ = 1;
    char name_[8] = "twtools";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> application_;
};

} // namespace tw
