#pragma once
#include "platform/form.h"
#include "platform/script/dialogresource.h"
#include "platform/window.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tw {

// A dialog of the script host: the state of its controls, kept in memory and never shown.
// The host reaches in to do what a user would (type, click, resize) and to print what the
// script asks to see; the form sees only the Window interface.
class ScriptWindow : public Window
{
  public:
    // What the window reports to the host that keeps the order of the windows.
    struct Hooks
    {
        std::function<void(ScriptWindow&)> ended;
        std::function<void(ScriptWindow&)> raised;
    };

    struct List
    {
        int id = 0;
        Rect where;
        std::vector<ListColumn> columns;
        std::vector<std::vector<std::string>> rows;
        bool shown = false;
    };

    struct Spin
    {
        int upper = 0;
        int lower = 0;
        int position = 0;
    };

    // owner is the window this one is modal to, or null.
    // serial tells this window from every other one of the run.
    ScriptWindow(DialogResource resource, Form& form, ScriptWindow* owner, Hooks hooks,
                 int serial = 0);

    std::string text(int id, int maxChars) const override;
    void setText(int id, std::string_view text) override;
    void setEnabled(int id, bool enabled) override;
    void setReadOnly(int id, bool readOnly) override;
    bool isChecked(int id) const override;
    void setChecked(int id, bool checked) override;
    void focusAndSelect(int id) override;
    void end(int result) override;
    void bringToFront() override;
    Size clientSize() const override;
    void moveControl(int id, Rect where) override;
    void showControl(int id, bool shown) override;
    void createList(int id, Rect where, const std::vector<ListColumn>& columns) override;
    void addListRow(int id, const std::vector<std::string>& cells) override;
    void attachSpin(int buddyId, int upper, int lower, int position) override;

    Form& form() const { return form_; }
    ScriptWindow* owner() const { return owner_; }
    // The resource name the form asked for.
    const std::string& name() const { return name_; }
    bool hasEnded() const { return ended_; }
    int serial() const { return serial_; }
    int result() const { return result_; }
    const DialogResource& resource() const { return resource_; }

    // The control's current state; null when the dialog has no such control.
    const DialogControl* control(int id) const;
    // The lists in the order they were created.
    const std::vector<List>& lists() const { return lists_; }
    const Spin* spin(int buddyId) const;
    // Moves the spin control attached to buddyId as the user would, clamped to its range, and
    // writes the position into the field. Returns the position, or nothing without a spin.
    std::optional<int> moveSpin(int buddyId, int position);
    // The user drags the frame: the client area becomes size.
    void resizeClient(Size size);
    // The control that has the keyboard focus, 0 for none.
    int focusedControl() const { return focused_; }

  private:
    DialogControl* find(int id);
    List* findList(int id);

    DialogResource resource_;
    std::string name_;
    Form& form_;
    ScriptWindow* owner_;
    Hooks hooks_;
    Size clientSize_;
    std::map<int, Rect> placements_;
    std::vector<List> lists_;
    std::map<int, Spin> spins_;
    int focused_ = 0;
    bool ended_ = false;
    int result_ = 0;
    int serial_ = 0;
};

} // namespace tw
