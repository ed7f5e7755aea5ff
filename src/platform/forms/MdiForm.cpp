#include "platform/forms/MdiForm.h"

#include <algorithm>

#include "platform/forms/App.h"

namespace tav {

MdiForm::MdiForm(App& app, std::string name) : Form(app, std::move(name)) {}

void MdiForm::Arrange(int16_t arrangement) {
    if (arrangement != arrange::TileHorizontal) return;
    std::vector<Form*> tiles;
    for (Form* child : children_) {
        if (child->Visible() && child->WindowState() != winstate::Minimized) tiles.push_back(child);
    }
    if (tiles.empty()) return;
    const float height = clientAreaHeight_ / static_cast<float>(tiles.size());
    for (size_t i = 0; i < tiles.size(); ++i) {
        Form* child = tiles[i];
        if (!child->Loaded()) continue;  // a Resize handler may have unloaded one
        if (child->WindowState() == winstate::Maximized) child->SetWindowState(winstate::Normal);
        child->Move(0, height * static_cast<float>(i), clientAreaWidth_, height);
    }
}

void MdiForm::Unload() {
    if (!Loaded()) return;
    // Every other window goes first; one that refuses to unload keeps the program running.
    for (Form* form : app.forms.Loaded()) {
        if (form == this) continue;
        form->Unload();
        if (form->Loaded()) return;
    }
    Form::Unload();
    if (!Loaded()) app.host.Quit();
}

void MdiForm::UserClientArea(float width, float height) {
    clientAreaWidth_ = width;
    clientAreaHeight_ = height;
}

void MdiForm::UserActivated() {
    EventScope scope(app);
    if (Loaded()) app.forms.Activate(this);
}

void MdiForm::ChildLoaded(Form& child) { children_.push_back(&child); }

void MdiForm::ChildToFront(Form& child) {
    auto found = std::find(children_.begin(), children_.end(), &child);
    if (found == children_.end()) return;
    std::rotate(children_.begin(), found, found + 1);
    activeChild_ = &child;
}

void MdiForm::ChildHidden(Form& child) {
    if (activeChild_ != &child) return;
    PickActiveChild();
    if (app.forms.ActiveForm() == &child) app.forms.Activate(activeChild_);
}

void MdiForm::ChildGone(Form& child) {
    std::erase(children_, &child);
    if (activeChild_ != &child) return;
    PickActiveChild();
    // The window that went was the active one when nothing is active now.
    if (!app.forms.ActiveForm() && activeChild_) app.forms.Activate(activeChild_);
}

void MdiForm::PickActiveChild() {
    activeChild_ = nullptr;
    for (Form* child : children_) {
        if (child->Visible()) {
            activeChild_ = child;
            return;
        }
    }
}

}  // namespace tav
