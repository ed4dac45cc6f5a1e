#include "platform/script/scriptwindow.h"

#include "platform/choicelist.h"

#include <algorithm>
#include <utility>

namespace tw {

namespace {

// The first maxChars − 1 code points; a byte that continues a UTF-8 sequence never starts one.
std::string FirstCharacters(const std::string& text, int maxChars)
{
    if (maxChars <= 1)
        return {};
    const auto limit = static_cast<std::size_t>(maxChars - 1);
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80)
            continue;
        if (count == limit)
            return text.substr(0, i);
        ++count;
    }
    return text;
}

} // namespace

ScriptWindow::ScriptWindow(DialogResource resource, Form& form, ScriptWindow* owner, Hooks hooks,
                           int serial)
    : resource_(std::move(resource)), name_(form.resource()), form_(form), owner_(owner),
      hooks_(std::move(hooks)), clientSize_(resource_.clientSize), serial_(serial)
{
}

const DialogControl* ScriptWindow::control(int id) const
{
    auto found = std::find_if(resource_.controls.begin(), resource_.controls.end(),
                              [id](const DialogControl& control) { return control.id == id; });
    return found == resource_.controls.end() ? nullptr : &*found;
}

DialogControl* ScriptWindow::find(int id)
{
    return const_cast<DialogControl*>(control(id));
}

ScriptWindow::List* ScriptWindow::findList(int id)
{
    auto found = std::find_if(lists_.begin(), lists_.end(),
                              [id](const List& list) { return list.id == id; });
    return found == lists_.end() ? nullptr : &*found;
}

std::string ScriptWindow::text(int id, int maxChars) const
{
    const DialogControl* found = control(id);
    return found ? FirstCharacters(found->text, maxChars) : std::string();
}

void ScriptWindow::setText(int id, std::string_view text)
{
    DialogControl* found = find(id);
    if (!found)
        return;
    if (!IsChoiceList(*found)) {
        found->text = std::string(text);
    } else if (const std::optional<std::size_t> item = FindChoice(found->items, text)) {
        found->text = found->items[*item];
    }
}

void ScriptWindow::setEnabled(int id, bool enabled)
{
    if (DialogControl* found = find(id))
        found->enabled = enabled;
}

void ScriptWindow::setReadOnly(int id, bool readOnly)
{
    if (DialogControl* found = find(id))
        found->readOnly = readOnly;
}

bool ScriptWindow::isChecked(int id) const
{
    const DialogControl* found = control(id);
    return found && found->checked;
}

void ScriptWindow::setChecked(int id, bool checked)
{
    DialogControl* found = find(id);
    if (!found)
        return;
    if (checked && IsRadioButton(*found)) {
        for (DialogControl& other : resource_.controls) {
            if (IsRadioButton(other) && other.parent == found->parent)
                other.checked = false;
        }
    }
    found->checked = checked;
}

void ScriptWindow::focusAndSelect(int id)
{
    if (control(id))
        focused_ = id;
}

void ScriptWindow::end(int result)
{
    if (ended_)
        return;
    ended_ = true;
    result_ = result;
    if (hooks_.ended)
        hooks_.ended(*this);
}

void ScriptWindow::bringToFront()
{
    if (!ended_ && hooks_.raised)
        hooks_.raised(*this);
}

Size ScriptWindow::clientSize() const
{
    return clientSize_;
}

void ScriptWindow::resizeClient(Size size)
{
    clientSize_ = size;
}

void ScriptWindow::moveControl(int id, Rect where)
{
    if (List* list = findList(id))
        list->where = where;
    else if (control(id))
        placements_[id] = where;
}

void ScriptWindow::showControl(int id, bool shown)
{
    if (List* list = findList(id))
        list->shown = shown;
    else if (DialogControl* found = find(id))
        found->visible = shown;
}

void ScriptWindow::createList(int id, Rect where, const std::vector<ListColumn>& columns)
{
    List fresh{id, where, columns, {}, false};
    if (List* list = findList(id))
        *list = std::move(fresh);
    else
        lists_.push_back(std::move(fresh));
}

void ScriptWindow::addListRow(int id, const std::vector<std::string>& cells)
{
    if (List* list = findList(id))
        list->rows.push_back(cells);
}

void ScriptWindow::attachSpin(int buddyId, int upper, int lower, int position)
{
    spins_[buddyId] = Spin{upper, lower, position};
}

const ScriptWindow::Spin* ScriptWindow::spin(int buddyId) const
{
    auto found = spins_.find(buddyId);
    return found == spins_.end() ? nullptr : &found->second;
}

std::optional<int> ScriptWindow::moveSpin(int buddyId, int position)
{
    auto found = spins_.find(buddyId);
    if (found == spins_.end())
        return std::nullopt;
    Spin& spin = found->second;
    spin.position =
        std::clamp(position, std::min(spin.upper, spin.lower), std::max(spin.upper, spin.lower));
    setText(buddyId, std::to_string(spin.position));
    return spin.position;
}

} // namespace tw
