#pragma once
// The seam between the form models and a front end. A front end (the Qt one, or the headless
// one of the tests) makes one FormView per loaded form; the model tells the view what changed
// and the view calls the form's and controls' User... functions with what the operator did.
//
// The view's surface is the form's client area: its size is the client size, and the view
// reports every change of it with Form::UserClientResized.

#include <memory>

namespace tav {

class Canvas;
class Control;
class Form;

enum class FormAspect {
    Caption,
    Geometry,     // Left, Top, Width, Height
    Visibility,   // shown or hidden
    WindowState,  // normal, minimized, maximized
    Front,        // brought to the front and activated (Show, SetFocus)
    KeyPreview,
};

class FormView {
public:
    virtual ~FormView() = default;
    // Where the form draws; it lives as long as the view.
    virtual Canvas& Surface() = 0;
    virtual void FormChanged(FormAspect aspect) = 0;
    virtual void ControlChanged(Control& control) = 0;
    // The model moved the keyboard focus to the control (nullptr: to the form itself).
    virtual void FocusMoved(Control* control) = 0;
    // The form was unloaded: hide it and stop its timers. The view is destroyed later, when no
    // handler runs; its destructor must not touch the form.
    virtual void Unloaded() = 0;
};

class FormHost {
public:
    virtual ~FormHost() = default;
    // Called while the form loads, before its Load handler runs.
    virtual std::unique_ptr<FormView> CreateView(Form& form) = 0;
    // The main window was unloaded: the program ends.
    virtual void Quit() = 0;

    // A wait of the system is beginning: what the windows drew is put on the screen now, as
    // with immediate drawing. No operator input is handled.
    virtual void ShowDrawing() {}
    // Called every few tens of milliseconds during a long wait of the system: the windows
    // repaint and the window manager sees a live program, while no operator input reaches the
    // program. True when the operator pressed Escape, which gives the wait up. The other keys
    // typed meanwhile are kept, and handed to the windows when the flow is done (FlowDone);
    // Escape drops the ones kept before it, which belonged to what it gave up.
    virtual bool KeepAlive() { return false; }
    // Called before a message box or file dialog of a flow comes up: what the operator typed
    // while the flow held the event loop is taken now, as a long wait takes it, instead of being
    // lost to the windows that the box blocks.
    virtual void TakePendingInput() {}
    // How often the operator pressed Escape while flows held the event loop (in their long waits
    // and before their boxes), from the start of the program.
    virtual int EscapesTaken() const { return 0; }
    // The outermost flow is done: the keys kept meanwhile go to the windows now, in order.
    virtual void FlowDone() {}
};

}  // namespace tav
