#include "platform/forms/Form.h"

#include <algorithm>

#include "platform/draw/Canvas.h"
#include "platform/forms/App.h"
#include "platform/forms/Control.h"
#include "platform/forms/Keys.h"
#include "platform/forms/MdiForm.h"
#include "platform/forms/MenuItem.h"

namespace tav {

Form::Form(App& app, std::string name) : app(app), name_(name), caption_(std::move(name)) {}

Form::~Form() = default;

void Form::SetCaption(std::string caption) {
    caption_ = std::move(caption);
    Changed(FormAspect::Caption);
}

void Form::SetKeyPreview(bool preview) {
    keyPreview_ = preview;
    Changed(FormAspect::KeyPreview);
}

// ---- Life cycle --------------------------------------------------------------------------------

void Form::Load() {
    if (everLoaded_) return;  // an instance loads once; after Unload a new one is made
    everLoaded_ = true;
    if (auto* self = dynamic_cast<MdiForm*>(this)) app.forms.SetMdi(self);
    if (mdiChild_) parent_ = app.forms.Mdi();
    view_ = app.host.CreateView(*this);
    if (!fontName_.empty()) view_->Surface().SetFontName(fontName_);
    if (fontSize_ > 0) view_->Surface().SetFontSize(fontSize_);
    view_->Surface().SetFontBold(fontBold_);
    CheckClientSize(false);
    if (pendingClientWidth_ >= 0) {
        SetClientSize(pendingClientWidth_, pendingClientHeight_);
        pendingClientWidth_ = pendingClientHeight_ = -1;
    }
    loaded_ = true;
    if (parent_) parent_->ChildLoaded(*this);
    Form_Load();
}

void Form::Show() {
    if (!everLoaded_) Load();
    if (!loaded_) return;
    if (visible_) {
        ActivateWindow();
        return;
    }
    // A child window brings up its main window first.
    if (parent_ && parent_->Loaded() && !parent_->Visible()) parent_->Show();
    if (!loaded_) return;
    visible_ = true;
    Changed(FormAspect::Visibility);
    if (!shownSinceLoad_) {
        shownSinceLoad_ = true;
        FireResize();
    }
    ActivateWindow();
    if (!focusedSinceLoad_) GiveFirstFocus();
    FirePaint();
}

// The first control in the focus order that can take the focus gets it, else the window.
void Form::GiveFirstFocus() {
    focusedSinceLoad_ = true;
    if (!loaded_) return;
    Control* first = nullptr;
    for (Control* control : controls_) {
        if (!control->CanFocus() || !control->Visible() || !control->Enabled()) continue;
        if (!first || control->TabIndex() < first->TabIndex()) first = control;
    }
    if (first) {
        first->SetFocus();
    } else {
        app.forms.MoveFocus(this, nullptr);
        if (view_) view_->FocusMoved(nullptr);
    }
}

void Form::Hide() {
    if (!loaded_ || !visible_) return;
    visible_ = false;
    Changed(FormAspect::Visibility);
    if (app.forms.FocusForm() == this) app.forms.MoveFocus(nullptr, nullptr);
    if (parent_) parent_->ChildHidden(*this);
    else if (app.forms.ActiveForm() == this) app.forms.Activate(nullptr);
}

void Form::Unload() {
    if (!loaded_ || unloading_) return;
    unloading_ = true;
    int16_t cancel = 0;
    Form_Unload(cancel);
    unloading_ = false;
    if (cancel != 0 || !loaded_) return;
    loaded_ = false;
    visible_ = false;
    app.forms.Retire(*this);
    if (parent_) parent_->ChildGone(*this);
    if (view_) view_->Unloaded();
}

void Form::ActivateWindow() {
    if (!loaded_ || !visible_) return;
    Changed(FormAspect::Front);
    if (parent_) parent_->ChildToFront(*this);
    app.forms.Activate(this);
}

// ---- Geometry ----------------------------------------------------------------------------------

void Form::SetLeft(float v) { ApplyGeometry(v, top_, width_, height_); }
void Form::SetTop(float v) { ApplyGeometry(left_, v, width_, height_); }
void Form::SetWidth(float v) { ApplyGeometry(left_, top_, v, height_); }
void Form::SetHeight(float v) { ApplyGeometry(left_, top_, width_, v); }

void Form::Move(float left, float top, float width, float height) {
    ApplyGeometry(left, top, width < 0 ? width_ : width, height < 0 ? height_ : height);
}

void Form::ApplyGeometry(float left, float top, float width, float height) {
    left_ = left;
    top_ = top;
    width_ = std::max(0.0f, width);
    height_ = std::max(0.0f, height);
    Changed(FormAspect::Geometry);
    CheckClientSize(true);
}

void Form::SetClientSize(float width, float height) {
    // Before the window exists its frame is unknown: the size is applied when it loads, so that
    // sizing a window in its constructor does not load it before its handlers are bound.
    if (!view_) {
        pendingClientWidth_ = width;
        pendingClientHeight_ = height;
        return;
    }
    const float frameWidth = std::max(0.0f, width_ - ScaleWidth());
    const float frameHeight = std::max(0.0f, height_ - ScaleHeight());
    Move(left_, top_, width + frameWidth, height + frameHeight);
}

void Form::SetWindowState(int16_t state) { ChangeState(state, true); }

void Form::ChangeState(int16_t state, bool tellView) {
    if (state < winstate::Normal || state > winstate::Maximized || state == windowState_) return;
    const int16_t old = windowState_;
    windowState_ = state;
    if (tellView) Changed(FormAspect::WindowState);
    FireResize();
    if (old == winstate::Minimized) FirePaint();
}

float Form::ScaleWidth() { return Surface().ScaleWidth(); }
float Form::ScaleHeight() { return Surface().ScaleHeight(); }

void Form::SetFont(const std::string& name, float size, bool bold) {
    fontName_ = name;
    fontSize_ = size;
    fontBold_ = bold;
    for (Control* control : controls_) {
        control->SetFontName(name);
        control->SetFontSize(size);
        control->SetFontBold(bold);
    }
}

Canvas& Form::Surface() {
    if (!view_) Load();
    return view_->Surface();
}

void Form::CheckClientSize(bool notify) {
    if (!view_) return;
    const float w = view_->Surface().ScaleWidth();
    const float h = view_->Surface().ScaleHeight();
    if (w == clientWidth_ && h == clientHeight_) return;
    const bool grew = w > clientWidth_ || h > clientHeight_;
    clientWidth_ = w;
    clientHeight_ = h;
    if (!notify || !loaded_) return;
    FireResize();
    if (grew && shownSinceLoad_) FirePaint();
}

void Form::FireResize() {
    if (loaded_) Form_Resize();
}

void Form::FirePaint() {
    if (loaded_ && visible_ && windowState_ != winstate::Minimized) Form_Paint();
}

// ---- Focus -------------------------------------------------------------------------------------

void Form::SetFocus() {
    if (!loaded_ || !visible_) return;
    ActivateWindow();
    Control* target = activeControl_;
    if (target && !(target->CanFocus() && target->Visible() && target->Enabled())) target = nullptr;
    app.forms.MoveFocus(this, target);
    if (view_) view_->FocusMoved(target);
}

void Form::FocusArrived(Control* target) {
    if (!loaded_) return;
    if (target) {
        activeControl_ = target;
        if (target->GotFocus) target->GotFocus();
    } else {
        Form_GotFocus();
    }
}

void Form::FocusLeft(Control* target) {
    if (!loaded_) return;
    if (target) {
        if (target->LostFocus) target->LostFocus();
    } else {
        Form_LostFocus();
    }
}

// ---- Front end ---------------------------------------------------------------------------------

Form* Form::ShortcutMenus() {
    if (!menus_.empty()) return this;
    if (mdiChild_ && parent_ && parent_->Loaded()) return parent_;
    return nullptr;
}

bool Form::RunShortcut(const Shortcut& pressed) {
    for (MenuItem* menu : menus_) {
        if (menu->RunShortcut(pressed)) return true;
    }
    return false;
}

bool Form::UserKeyDown(Control* target, int16_t keyCode, int16_t shiftState) {
    EventScope scope(app);
    if (scope.InputBlocked() || !loaded_) return false;
    const bool functionKey = keyCode >= key::F1 && keyCode <= key::F9 && shiftState == shift::None;
    // A text box with the focus keeps the desktop's editing keys (Ctrl+A is no "Average" there).
    const bool editingKey =
        target && target->Kind() == ControlKind::TextBox && IsTextEditingKey(keyCode, shiftState);
    if (!(ownsFunctionKeys_ && functionKey) && !editingKey) {
        Form* menus = ShortcutMenus();
        if (menus && menus->RunShortcut({keyCode, shiftState})) return false;
    }
    int16_t code = keyCode;
    if (keyPreview_ || !target) {
        Form_KeyDown(code, shiftState);
        if (code == 0 || !loaded_) return false;
    }
    if (target && target->KeyDown) {
        target->KeyDown(code, shiftState);
        if (code == 0 || !loaded_) return false;
    }
    return true;
}

int16_t Form::UserKeyPress(Control* target, int16_t keyAscii) {
    EventScope scope(app);
    if (scope.InputBlocked() || !loaded_) return 0;
    int16_t ascii = keyAscii;
    if (keyPreview_ || !target) {
        Form_KeyPress(ascii);
        if (ascii == 0 || !loaded_) return 0;
    }
    if (target && target->KeyPress) target->KeyPress(ascii);
    return loaded_ ? ascii : 0;
}

void Form::UserMouseDown(int16_t button, int16_t shiftState, float x, float y) {
    EventScope scope(app);
    if (!scope.InputBlocked() && loaded_) Form_MouseDown(button, shiftState, x, y);
}

void Form::UserMouseMove(int16_t button, int16_t shiftState, float x, float y) {
    EventScope scope(app);
    if (!scope.InputBlocked() && loaded_) Form_MouseMove(button, shiftState, x, y);
}

void Form::UserMouseUp(int16_t button, int16_t shiftState, float x, float y) {
    EventScope scope(app);
    if (!scope.InputBlocked() && loaded_) Form_MouseUp(button, shiftState, x, y);
}

void Form::UserClick() {
    EventScope scope(app);
    if (!scope.InputBlocked() && loaded_) Form_Click();
}

void Form::UserClose() {
    EventScope scope(app);
    if (!scope.InputBlocked()) Unload();
}

void Form::UserMoved(float left, float top) {
    left_ = left;
    top_ = top;
}

void Form::UserResized(float width, float height) {
    width_ = width;
    height_ = height;
}

void Form::UserClientResized() {
    EventScope scope(app);
    // While a flow runs it owns the drawing (its progress texts stay up through a long wait): the
    // Resize handler, which draws the window afresh, comes when the flow is done.
    if (app.flow.Running()) {
        resizeHeld_ = true;
        return;
    }
    CheckClientSize(true);
}

void Form::UserWindowState(int16_t state) {
    EventScope scope(app);
    ChangeState(state, false);
}

void Form::UserActivated() {
    EventScope scope(app);
    if (!loaded_) return;
    if (parent_) parent_->ChildToFront(*this);
    app.forms.Activate(this);
}

void Form::UserFocus(Control* target) {
    EventScope scope(app);
    if (loaded_) app.forms.MoveFocus(this, target);
}

void Form::UserFocusLost(Control* target) {
    EventScope scope(app);
    if (app.forms.FocusForm() == this && app.forms.FocusControl() == target) {
        app.forms.MoveFocus(nullptr, nullptr);
    }
}

void Form::Changed(FormAspect aspect) {
    if (view_) view_->FormChanged(aspect);
}

void Form::ControlChanged(Control& control) {
    if (view_) view_->ControlChanged(control);
}

}  // namespace tav
