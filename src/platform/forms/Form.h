#pragma once
// The base of every window of the system. A window is a class deriving from Form (or MdiForm
// for the main window), holding its controls as members and overriding the Form_... handlers
// it needs:
//
//     class ERASEFORM : public Form {
//     public:
//         explicit ERASEFORM(App& app);          // design-time properties, handler binding
//     protected:
//         void Form_KeyPress(int16_t& KeyAscii) override;
//     private:
//         Label Label1{*this, "Label1", "Are you sure you want to:"};
//         Button Command1{*this, "Command1", "Y(es)"};
//         void Command1_Click();
//     };
//
// Windows are made, loaded and found through app.forms (Forms.h): app.forms.Get<ERASEFORM>()
// creates and loads the window on first reference; Show, Hide and Unload follow the toolkit:
// a window is created hidden, Show makes it visible and brings it to the front, Unload of a
// window that is not loaded does nothing. An unloaded window object stays valid until the
// running handler returns, then it is freed; the next Get makes a fresh one. Form-level values
// that must outlive an unload belong in ProgramState.
//
// Geometry is in twips: Left, Top, Width, Height are the outer rectangle (of a child window,
// relative to the main window's client area); ScaleWidth, ScaleHeight the client area, which is
// also the size of Surface(), the Canvas the window draws on at any time.
//
// Event order, as the toolkit has it: Load when first referenced; on the first Show Resize,
// Activate, GotFocus of the first control in tab order (or of the window when none can take the
// focus), Paint. Showing a child window brings up the main window first. Resize comes whenever the client area changes size (programmatic or by the
// operator) and with every change of WindowState; Paint after Resize when the area grew, when
// a hidden or minimized window comes back, and on the first Show. The drawing surface keeps
// what is drawn, so uncovering a window needs no Paint. Mouse: MouseDown, MouseUp, Click.
// Keys: a menu shortcut of the main window first (then nothing else sees the key); then, with
// KeyPreview, the form's KeyDown / KeyPress; then the focused control's, or the form's when no
// control has the focus. Setting KeyCode or KeyAscii to 0 stops the key.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/FormHost.h"

namespace tav {

class App;
class Canvas;
class Control;
class MdiForm;
class MenuItem;
struct Shortcut;

namespace border {
constexpr int16_t None = 0;
constexpr int16_t FixedSingle = 1;  // not resizable
constexpr int16_t Sizable = 2;
constexpr int16_t FixedDialog = 3;  // not resizable, no minimize or maximize box
}  // namespace border

namespace winstate {
constexpr int16_t Normal = 0;
constexpr int16_t Minimized = 1;
constexpr int16_t Maximized = 2;
}  // namespace winstate

class Form {
public:
    Form(App& app, std::string name);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // The program: state, services and the other windows (app.state, app.op, app.forms ...).
    App& app;

    // The system's name of the window ("MainForm").
    const std::string& Name() const { return name_; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);

    // ---- Kind, set in the constructor --------------------------------------------------------
    // A child window of the main window (shown inside it).
    bool MDIChild() const { return mdiChild_; }
    void SetMDIChild(bool child) { mdiChild_ = child; }
    // The form sees every key before its controls.
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool preview);
    // F1 to F9 without Ctrl/Alt/Shift go to this window's key handlers instead of the main
    // window's menu shortcuts (the kinetic windows).
    bool OwnsFunctionKeys() const { return ownsFunctionKeys_; }
    void SetOwnsFunctionKeys(bool owns) { ownsFunctionKeys_ = owns; }
    int16_t BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(int16_t style) { borderStyle_ = style; }

    // ---- Life cycle ----------------------------------------------------------------------------
    bool Loaded() const { return loaded_; }
    void Show();
    void Hide();
    virtual void Unload();
    bool Visible() const { return visible_; }

    // ---- Geometry ------------------------------------------------------------------------------
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
    // Sizes the window so that its client area has this size (when it loads, if it has not yet).
    void SetClientSize(float width, float height);
    int16_t WindowState() const { return windowState_; }
    void SetWindowState(int16_t state);
    float ScaleWidth();
    float ScaleHeight();

    // The drawing surface of the client area (Cls, Print, Line, CurrentX, FontName ...).
    Canvas& Surface();
    // Design time (in the constructor): the font of the surface and of every control.
    void SetFont(const std::string& name, float size, bool bold = false);

    // Activates the window and gives the focus to its last focused control (or to the window
    // itself). Ignored while the window is hidden.
    void SetFocus();
    Control* ActiveControl() const { return activeControl_; }

    const std::vector<Control*>& Controls() const { return controls_; }
    const std::vector<MenuItem*>& Menus() const { return menus_; }

    // ---- Front end: what the operator did ------------------------------------------------------
    // Input (keys, mouse, clicks, close) is dropped while a flow of the system runs.
    // A key went down in target (nullptr: the window itself has the focus). False when the key
    // was used up (a menu shortcut, a handler set KeyCode to 0, or input is blocked).
    bool UserKeyDown(Control* target, int16_t keyCode, int16_t shift);
    // A character was typed; returns the character the target should take (0: none).
    int16_t UserKeyPress(Control* target, int16_t keyAscii);
    void UserMouseDown(int16_t button, int16_t shift, float x, float y);
    void UserMouseMove(int16_t button, int16_t shift, float x, float y);
    void UserMouseUp(int16_t button, int16_t shift, float x, float y);
    void UserClick();
    // The close box: unloads the window (its Unload handler may cancel).
    void UserClose();
    // The window was moved or resized by the operator or the window system (outer rectangle).
    void UserMoved(float left, float top);
    void UserResized(float width, float height);
    // The surface has a new size.
    void UserClientResized();
    void UserWindowState(int16_t state);
    // The window became the active one.
    virtual void UserActivated();
    // The keyboard focus came to target (nullptr: to the window itself) or left it.
    void UserFocus(Control* target);
    void UserFocusLost(Control* target);

protected:
    // ---- Events: override what the window handles -------------------------------------------
    virtual void Form_Load() {}
    virtual void Form_Unload(int16_t& /*Cancel*/) {}
    virtual void Form_Resize() {}
    virtual void Form_Paint() {}
    virtual void Form_Activate() {}
    virtual void Form_Deactivate() {}
    virtual void Form_GotFocus() {}
    virtual void Form_LostFocus() {}
    virtual void Form_KeyDown(int16_t& /*KeyCode*/, int16_t /*Shift*/) {}
    virtual void Form_KeyPress(int16_t& /*KeyAscii*/) {}
    virtual void Form_Click() {}
    virtual void Form_MouseDown(int16_t /*Button*/, int16_t /*Shift*/, float /*X*/, float /*Y*/) {}
    virtual void Form_MouseMove(int16_t /*Button*/, int16_t /*Shift*/, float /*X*/, float /*Y*/) {}
    virtual void Form_MouseUp(int16_t /*Button*/, int16_t /*Shift*/, float /*X*/, float /*Y*/) {}

    // The menu tree whose shortcuts this window's keys try first (the main window's for a child
    // window); nullptr for none.
    Form* ShortcutMenus();
    FormView* View() const { return view_.get(); }

private:
    friend class Control;
    friend class MenuItem;
    friend class Forms;
    friend class MdiForm;

    // Called by Forms.
    void Load();
    void ControlChanged(Control& control);
    void RegisterControl(Control& control) { controls_.push_back(&control); }
    void RegisterMenu(MenuItem& menu) { menus_.push_back(&menu); }
    void Changed(FormAspect aspect);
    void ApplyGeometry(float left, float top, float width, float height);
    void CheckClientSize(bool notify);
    void ChangeState(int16_t state, bool tellView);
    void FireResize();
    void FirePaint();
    // Focus and activation events, fired by Forms.
    void FocusArrived(Control* target);
    void FocusLeft(Control* target);
    void ActivateWindow();
    void GiveFirstFocus();
    void Activated() { Form_Activate(); }
    void Deactivated() { Form_Deactivate(); }
    bool RunShortcut(const Shortcut& pressed);

    std::string name_;
    std::string caption_;
    bool mdiChild_ = false;
    bool keyPreview_ = false;
    bool ownsFunctionKeys_ = false;
    bool loaded_ = false;
    bool unloading_ = false;
    bool resizeHeld_ = false;  // the operator resized the window while a flow ran
    bool everLoaded_ = false;
    bool visible_ = false;
    bool shownSinceLoad_ = false;
    bool focusedSinceLoad_ = false;
    int16_t borderStyle_ = border::Sizable;
    float left_ = 0, top_ = 0, width_ = 4800, height_ = 3600;
    float clientWidth_ = -1, clientHeight_ = -1;
    float pendingClientWidth_ = -1, pendingClientHeight_ = -1;  // asked for before the window loaded
    int16_t windowState_ = winstate::Normal;
    std::string fontName_;
    float fontSize_ = 0;
    bool fontBold_ = false;
    Control* activeControl_ = nullptr;
    MdiForm* parent_ = nullptr;  // the main window holding this child window
    std::vector<Control*> controls_;
    std::vector<MenuItem*> menus_;
    std::unique_ptr<FormView> view_;
};

}  // namespace tav
