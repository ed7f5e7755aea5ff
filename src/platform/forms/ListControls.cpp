#include "platform/forms/ListControls.h"

#include <algorithm>

#include "platform/forms/UserAction.h"

namespace tav {

// ---- ListControl -------------------------------------------------------------------------------

ListControl::ListControl(Form& form, std::string name, ControlKind kind)
    : Control(form, std::move(name), kind) {}

std::string ListControl::List(int index) const {
    if (index < 0 || index >= ListCount()) return "";
    return items_[index];
}

void ListControl::SetListIndex(int index) {
    if (index < LowestIndex() || index >= ListCount()) return;
    if (index == listIndex_) return;
    listIndex_ = index;
    Changed();
    Selected();
    Fire(Click);
}

void ListControl::SetTopIndex(int index) {
    topIndex_ = std::clamp(index, 0, std::max(0, ListCount() - 1));
    Changed();
}

void ListControl::UserSelect(int index) {
    AsUser(app(), [&] { if (Enabled()) SetListIndex(index); }, [&] { Changed(); });
}

void ListControl::UserDblClick() {
    AsUser(app(), [&] {
        if (!Enabled()) return;
        Fire(DblClick);
        DoubleClicked();
    }, [&] { Changed(); });
}

void ListControl::UserTopIndex(int index) {
    topIndex_ = std::clamp(index, 0, std::max(0, ListCount() - 1));
}

void ListControl::ReplaceItems(std::vector<std::string> items) {
    items_ = std::move(items);
    listIndex_ = -1;
    topIndex_ = 0;
    Changed();
}

void ListControl::InsertItem(std::string text, int index) {
    if (index < 0 || index > ListCount()) index = ListCount();
    items_.insert(items_.begin() + index, std::move(text));
    if (listIndex_ >= index) ++listIndex_;
    Changed();
}

void ListControl::EraseItem(int index) {
    if (index < 0 || index >= ListCount()) return;
    items_.erase(items_.begin() + index);
    if (listIndex_ == index) listIndex_ = -1;
    else if (listIndex_ > index) --listIndex_;
    topIndex_ = std::min(topIndex_, std::max(0, ListCount() - 1));
    Changed();
}

// ---- ListBox -----------------------------------------------------------------------------------

ListBox::ListBox(Form& form, std::string name) : ListControl(form, std::move(name), ControlKind::ListBox) {}

void ListBox::AddItem(std::string text, int index) { InsertItem(std::move(text), index); }

void ListBox::RemoveItem(int index) { EraseItem(index); }

void ListBox::Clear() { ReplaceItems({}); }

void ListBox::SetList(int index, std::string text) {
    if (index < 0 || index >= ListCount()) return;
    items_[index] = std::move(text);
    Changed();
}

// ---- ComboBox ----------------------------------------------------------------------------------

ComboBox::ComboBox(Form& form, std::string name, int16_t style)
    : ListControl(form, std::move(name), ControlKind::ComboBox), style_(style) {}

void ComboBox::SetText(std::string text) {
    if (text == text_) return;
    text_ = std::move(text);
    Changed();
    Fire(Change);
}

void ComboBox::AddItem(std::string text, int index) { InsertItem(std::move(text), index); }

void ComboBox::RemoveItem(int index) { EraseItem(index); }

void ComboBox::Clear() {
    ReplaceItems({});
    text_.clear();
    Changed();
}

void ComboBox::Selected() {
    text_ = List(listIndex_);
    Changed();
}

void ComboBox::UserEdit(std::string text) {
    AsUser(app(), [&] { if (style_ == combo::DropDownCombo) SetText(std::move(text)); },
           [&] { Changed(); });
}

}  // namespace tav
