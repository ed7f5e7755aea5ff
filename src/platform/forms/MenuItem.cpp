#include "platform/forms/MenuItem.h"

#include "platform/forms/Form.h"
#include "platform/forms/UserAction.h"

namespace tav {

MenuItem::MenuItem(Form& form, std::string name, std::string caption)
    : Control(form, std::move(name), ControlKind::MenuItem), caption_(std::move(caption)) {
    form.RegisterMenu(*this);
}

MenuItem::MenuItem(MenuItem& parent, std::string name, std::string caption, Shortcut shortcut)
    : Control(parent.Owner(), std::move(name), ControlKind::MenuItem),
      parent_(&parent),
      caption_(std::move(caption)),
      shortcut_(shortcut) {
    parent.items_.push_back(this);
}

void MenuItem::SetCaption(std::string caption) {
    caption_ = std::move(caption);
    Changed();
}

void MenuItem::SetChecked(bool checked) {
    if (bound_) *bound_ = checked;
    else checked_ = checked;
    Changed();
}

void MenuItem::BindChecked(bool& flag) {
    bound_ = &flag;
    Changed();
}

void MenuItem::SetShortcut(Shortcut shortcut) {
    shortcut_ = shortcut;
    Changed();
}

void MenuItem::UserClick() {
    AsUser(app(), [&] { if (Enabled() && Visible()) Fire(Click); }, [&] { Changed(); });
}

bool MenuItem::RunShortcut(const Shortcut& pressed) {
    if (!Enabled() || !Visible()) return false;
    if (shortcut_.IsSet() && shortcut_ == pressed && !IsSeparator()) {
        Fire(Click);
        return true;
    }
    for (MenuItem* item : items_) {
        if (item->RunShortcut(pressed)) return true;
    }
    return false;
}

}  // namespace tav
