#pragma once
// Menus: a top-level menu is made on the form, its items on the menu (in the order shown):
//
//     MenuItem ViewMenu{*this, "ViewMenu", "&View"};
//     MenuItem ViewRatioForm{ViewMenu, "ViewRatioForm", "&Ratio Window", {key::Fn(3)}};
//
// "&" marks the access key; the caption "-" is a separator line. A check mark may be bound to a
// flag of the program state, so that the menu always shows the state and setting Checked writes
// it. Choosing an item, or its shortcut, fires Click (an item never checks itself).
// The shortcuts of the main window's menus work while it or one of its child windows is active,
// before the window's own key handling (see Form::OwnsFunctionKeys for the exception).

#include <string>
#include <vector>

#include "platform/forms/Control.h"
#include "platform/forms/Keys.h"

namespace tav {

class MenuItem : public Control {
public:
    // A top-level menu of the form's menu bar.
    MenuItem(Form& form, std::string name, std::string caption);
    // An item of a menu.
    MenuItem(MenuItem& parent, std::string name, std::string caption, Shortcut shortcut = {});

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);
    bool Checked() const { return bound_ ? *bound_ : checked_; }
    void SetChecked(bool checked);
    // From now on the check mark is this flag (which must outlive the menu item).
    void BindChecked(bool& flag);
    const Shortcut& ShortcutKey() const { return shortcut_; }
    void SetShortcut(Shortcut shortcut);
    bool IsSeparator() const { return caption_ == "-"; }

    MenuItem* Parent() const { return parent_; }
    const std::vector<MenuItem*>& Items() const { return items_; }

    Handler Click;
    void UserClick();

    // Fires Click of the enabled, visible item of this tree with the shortcut; true when found.
    bool RunShortcut(const Shortcut& pressed);

private:
    MenuItem* parent_ = nullptr;
    std::vector<MenuItem*> items_;
    std::string caption_;
    Shortcut shortcut_;
    bool checked_ = false;
    bool* bound_ = nullptr;
};

}  // namespace tav
