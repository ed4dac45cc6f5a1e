#pragma once
// Test double of a dialog for tests that drive forms without a host: it keeps the texts put
// into its controls and gives them back cut to maxChars − 1 characters, as a real dialog
// does. Everything else does nothing; a test overrides what it wants to watch.

#include "platform/window.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

class TextWindow : public Window
{
  public:
    std::map<int, std::string> texts;

    std::string text(int id, int maxChars) const override
    {
        const auto found = texts.find(id);
        if (found == texts.end() || maxChars <= 1)
            return {};
        return found->second.substr(0, static_cast<std::size_t>(maxChars - 1));
    }
    void setText(int id, std::string_view text) override { texts[id] = std::string(text); }
    void setEnabled(int, bool) override {}
    bool isChecked(int) const override { return false; }
    void setChecked(int, bool) override {}
    void focusAndSelect(int) override {}
    void end(int) override {}
    void bringToFront() override {}
    Size clientSize() const override { return {640, 400}; }
    void moveControl(int, Rect) override {}
    void showControl(int, bool) override {}
    void createList(int, Rect, const std::vector<ListColumn>&) override {}
    void addListRow(int, const std::vector<std::string>&) override {}
    void attachSpin(int, int, int, int) override {}
};

} // namespace tw
