#pragma once
// A front end without a screen, for tests. Every form draws on a RecordingCanvas whose size is
// the form's outer size less a fixed frame; the main window's client area is its own less the
// heights of the tool strips aligned to its top. The tests act as the operator through the
// User... functions of the forms and controls.
//
//     HeadlessHost host;
//     App app(state, services, host);
//     auto& form = app.forms.Get<TestForm>();
//     form.Show();
//     HeadlessHost::CanvasOf(form).Ops() ...

#include <functional>
#include <memory>

#include "doubles/RecordingCanvas.h"
#include "platform/forms/FormHost.h"

namespace tav {

class HeadlessHost : public FormHost {
public:
    static constexpr float FrameWidth = 120;
    static constexpr float FrameHeight = 400;

    std::unique_ptr<FormView> CreateView(Form& form) override;
    void Quit() override { ++quits_; }
    int Quits() const { return quits_; }

    // Long waits: every call is counted and runs duringKeepAlive (what the event loop would
    // deliver meanwhile); the operator presses Escape at the n-th (0: never).
    bool KeepAlive() override {
        if (duringKeepAlive) duringKeepAlive();
        const bool escape = ++keepAlives_ == escapeAt_;
        escapes_ += escape;
        return escape;
    }
    // Before each box of a flow: the operator pressed Escape on a window while the flow held the
    // event loop, and it is taken at the n-th such moment from now (0: never).
    void TakePendingInput() override { escapes_ += ++pendingTakes_ == escapePendingAt_; }
    void EscapePendingAtBox(int n) { escapePendingAt_ = n <= 0 ? 0 : pendingTakes_ + n; }
    int EscapesTaken() const override { return escapes_; }
    std::function<void()> duringKeepAlive;
    void ShowDrawing() override { ++drawingShown_; }
    void EscapeAtKeepAlive(int n) {
        escapeAt_ = keepAlives_ + n;
        if (n <= 0) escapeAt_ = 0;
    }
    int KeepAlives() const { return keepAlives_; }
    int DrawingShown() const { return drawingShown_; }

    // The recording canvas of a form that was loaded under a HeadlessHost.
    static RecordingCanvas& CanvasOf(Form& form);

private:
    int quits_ = 0;
    int keepAlives_ = 0;
    int escapeAt_ = 0;
    int drawingShown_ = 0;
    int pendingTakes_ = 0;
    int escapePendingAt_ = 0;
    int escapes_ = 0;
};

}  // namespace tav
