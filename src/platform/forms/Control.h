#pragma once
// The base of every control of a form. A control is a member of its form class, named as the
// system names it, and registers itself with the form when it is constructed:
//
//     Button Command1{*this, "Command1"};
//
// The form's constructor sets the design-time properties (captions, positions, ranges) and binds
// the handlers, which are member functions of the form named control_event:
//
//     Command1.Click = [this] { Command1_Click(); };
//
// Controls fire no events before their form is loaded, so design-time settings in the
// constructor never run a handler. Properties are read with Name() and written with SetName();
// every change is passed to the front end, which shows it.
//
// Positions and sizes are in twips (1440 per inch), relative to the container: the frame or
// picture box the control sits in, or the form's client area.

#include <cstdint>
#include <functional>
#include <string>

namespace tav {

class App;
class Form;

using Handler = std::function<void()>;
// KeyCode by reference: setting it to 0 stops the key here.
using KeyDownHandler = std::function<void(int16_t& KeyCode, int16_t Shift)>;
// KeyAscii by reference: setting it to 0 consumes the key, another code replaces it.
using KeyPressHandler = std::function<void(int16_t& KeyAscii)>;
// X and Y in twips from the top left of the client area.
using MouseHandler = std::function<void(int16_t Button, int16_t Shift, float X, float Y)>;

enum class ControlKind {
    Button, Label, TextBox, CheckBox, OptionButton, HScrollBar, ListBox, ComboBox,
    DriveListBox, DirListBox, FileListBox, Frame, PictureBox, Timer, MenuItem, CommonDialog
};

class Control {
public:
    Control(Form& form, std::string name, ControlKind kind);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& Name() const { return name_; }
    ControlKind Kind() const { return kind_; }
    Form& Owner() const { return form_; }

    // The frame or picture box holding the control; nullptr when it sits on the form itself.
    // Option buttons exclude each other within one container.
    Control* Container() const { return container_; }
    void SetContainer(Control& frameOrPictureBox);

    float Left() const { return left_; }
    float Top() const { return top_; }
    float Width() const { return width_; }
    float Height() const { return height_; }
    void SetLeft(float v);
    void SetTop(float v);
    void SetWidth(float v);
    void SetHeight(float v);
    // A negative width or height keeps the current one.
    void Move(float left, float top, float width = -1, float height = -1);

    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    const std::string& Tag() const { return tag_; }
    void SetTag(std::string v) { tag_ = std::move(v); }
    // The place in the focus order (lower first; by default the order of the members).
    int TabIndex() const { return tabIndex_; }
    void SetTabIndex(int index);

    const std::string& FontName() const { return fontName_; }
    float FontSize() const { return fontSize_; }
    bool FontBold() const { return fontBold_; }
    void SetFontName(std::string v);
    void SetFontSize(float v);
    void SetFontBold(bool v);

    // True for the kinds that can hold the keyboard focus (buttons, boxes, bars, lists).
    virtual bool CanFocus() const { return false; }
    // Moves the focus here (GotFocus here, LostFocus where it was); ignored when the control
    // cannot take it, is hidden or disabled.
    void SetFocus();
    bool HasFocus() const;

    // Events of the controls that take the focus. Key events come after the form's own when
    // the form has KeyPreview.
    Handler GotFocus;
    Handler LostFocus;
    KeyDownHandler KeyDown;
    KeyPressHandler KeyPress;

protected:
    // Tells the front end that something of this control changed.
    void Changed();
    // Runs a handler when the form is loaded and the handler is bound.
    void Fire(const Handler& handler) const;
    // True when events may fire: the form is loaded (its Load handler included).
    bool Live() const;
    App& app() const;

private:
    Form& form_;
    std::string name_;
    ControlKind kind_;
    Control* container_ = nullptr;
    float left_ = 0, top_ = 0, width_ = 1215, height_ = 375;
    bool visible_ = true;
    bool enabled_ = true;
    std::string tag_;
    int tabIndex_ = 0;
    std::string fontName_ = "MS Sans Serif";
    float fontSize_ = 8.25f;
    bool fontBold_ = false;
};

}  // namespace tav
