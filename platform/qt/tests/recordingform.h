#pragma once
#include "platform/form.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace tw {

// A form that writes down every notice it receives, in order, and lets a test act on the
// opening and on commands.
class RecordingForm : public Form
{
  public:
    explicit RecordingForm(std::string resource, int defaultButton = kEnterCommand)
        : resource_(std::move(resource)), defaultButton_(defaultButton)
    {
    }

    std::string_view resource() const override { return resource_; }
    int defaultButton() const override { return defaultButton_; }

    void opened(Window& window) override
    {
        this->window = &window;
        events.push_back("opened");
        if (onOpened)
            onOpened(window);
    }
    void command(int id) override
    {
        events.push_back("command " + std::to_string(id));
        if (onCommand)
            onCommand(id);
    }
    void focusLost(int id) override
    {
        events.push_back("focusLost " + std::to_string(id));
        if (onFocusLost)
            onFocusLost(id);
    }
    void moved() override { events.push_back("moved"); }
    void closeRequested() override { events.push_back("closeRequested"); }
    void resized(Size client) override
    {
        events.push_back("resized " + std::to_string(client.width) + "x" +
                         std::to_string(client.height));
    }
    void spinMoved(int buddyId, int position) override
    {
        events.push_back("spin " + std::to_string(buddyId) + " " + std::to_string(position));
    }
    void surfaceClicked() override { events.push_back("surface"); }
    void savePdfRequested(std::string_view path) override
    {
        events.push_back("savePdf " + std::string(path));
    }
    void previewRequested() override { events.push_back("preview"); }

    int count(const std::string& event) const
    {
        return static_cast<int>(std::count(events.begin(), events.end(), event));
    }
    bool saw(const std::string& event) const { return count(event) > 0; }

    std::vector<std::string> events;
    Window* window = nullptr;
    std::function<void(Window&)> onOpened;
    std::function<void(int)> onCommand;
    std::function<void(int)> onFocusLost;

  private:
    std::string resource_;
    int defaultButton_;
};

} // namespace tw
