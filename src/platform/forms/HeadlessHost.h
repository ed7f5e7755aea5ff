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

#include <memory>

#include "platform/draw/RecordingCanvas.h"
#include "platform/forms/FormHost.h"

namespace tav {

class HeadlessHost : public FormHost {
public:
    static constexpr float FrameWidth = 120;
    static constexpr float FrameHeight = 400;

    std::unique_ptr<FormView> CreateView(Form& form) override;
    void Quit() override { ++quits_; }
    int Quits() const { return quits_; }

    // The recording canvas of a form that was loaded under a HeadlessHost.
    static RecordingCanvas& CanvasOf(Form& form);

private:
    int quits_ = 0;
};

}  // namespace tav
