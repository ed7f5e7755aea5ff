#include "platform/forms/Forms.h"

#include <algorithm>

#include "platform/forms/App.h"
#include "platform/forms/MdiForm.h"

namespace tav {

Forms::~Forms() {
    // The program ends: no Unload handlers; child windows go before the main window.
    while (!live_.empty()) live_.pop_back();
    retired_.clear();
}

std::vector<Form*> Forms::Loaded() const {
    std::vector<Form*> forms;
    for (const auto& entry : live_) forms.push_back(entry.second.get());
    return forms;
}

void Forms::Collect() {
    if (calls_ == 0) retired_.clear();
}

void Forms::ReleaseHeldResizes() {
    for (Form* form : Loaded()) {
        if (!form->resizeHeld_) continue;
        form->resizeHeld_ = false;
        form->CheckClientSize(true);
    }
}

void Forms::Retire(Form& form) {
    if (active_ == &form) active_ = nullptr;
    if (focusForm_ == &form) {
        focusForm_ = nullptr;
        focusControl_ = nullptr;
    }
    if (mdi_ == &form) mdi_ = nullptr;
    auto found = std::find_if(live_.begin(), live_.end(),
                              [&](const auto& entry) { return entry.second.get() == &form; });
    if (found == live_.end()) return;
    retired_.push_back(std::move(found->second));
    live_.erase(found);
}

void Forms::Activate(Form* form) {
    if (form && form == mdi_ && mdi_->ActiveForm()) form = mdi_->ActiveForm();
    if (form == active_) return;
    Form* old = active_;
    active_ = form;
    if (old) old->Deactivated();
    if (form && active_ == form) form->Activated();
}

void Forms::MoveFocus(Form* form, Control* control) {
    if (form == focusForm_ && control == focusControl_) return;
    Form* oldForm = focusForm_;
    Control* oldControl = focusControl_;
    focusForm_ = form;
    focusControl_ = control;
    if (oldForm) oldForm->FocusLeft(oldControl);
    // A LostFocus handler may have moved the focus on already.
    if (form && focusForm_ == form && focusControl_ == control) form->FocusArrived(control);
}

}  // namespace tav
