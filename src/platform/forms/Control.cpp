#include "platform/forms/Control.h"

#include "platform/forms/App.h"
#include "platform/forms/Form.h"

namespace tav {

Control::Control(Form& form, std::string name, ControlKind kind)
    : form_(form), name_(std::move(name)), kind_(kind) {
    tabIndex_ = static_cast<int>(form_.Controls().size());
    form_.RegisterControl(*this);
}

void Control::SetTabIndex(int index) {
    tabIndex_ = index;
    Changed();
}

void Control::SetContainer(Control& frameOrPictureBox) {
    if (&frameOrPictureBox == this) return;
    container_ = &frameOrPictureBox;
    Changed();
}

void Control::SetLeft(float v) { Move(v, top_); }
void Control::SetTop(float v) { Move(left_, v); }
void Control::SetWidth(float v) { Move(left_, top_, v, height_); }
void Control::SetHeight(float v) { Move(left_, top_, width_, v); }

void Control::Move(float left, float top, float width, float height) {
    left_ = left;
    top_ = top;
    if (width >= 0) width_ = width;
    if (height >= 0) height_ = height;
    Changed();
}

void Control::SetVisible(bool v) {
    if (visible_ == v) return;
    visible_ = v;
    Changed();
}

void Control::SetEnabled(bool v) {
    if (enabled_ == v) return;
    enabled_ = v;
    Changed();
}

void Control::SetFontName(std::string v) {
    fontName_ = std::move(v);
    Changed();
}

void Control::SetFontSize(float v) {
    if (v > 0) fontSize_ = v;
    Changed();
}

void Control::SetFontBold(bool v) {
    fontBold_ = v;
    Changed();
}

void Control::SetFocus() {
    if (!CanFocus() || !visible_ || !enabled_ || !form_.Loaded() || !form_.Visible()) return;
    form_.ActivateWindow();
    form_.app.forms.MoveFocus(&form_, this);
    if (form_.View()) form_.View()->FocusMoved(this);
}

bool Control::HasFocus() const { return form_.app.forms.FocusControl() == this; }

void Control::Changed() { form_.ControlChanged(*this); }

void Control::Fire(const Handler& handler) const {
    if (handler && Live()) handler();
}

bool Control::Live() const { return form_.Loaded(); }

App& Control::app() const { return form_.app; }

}  // namespace tav
