#include "doubles/HeadlessHost.h"

#include <algorithm>

#include "platform/forms/BasicControls.h"
#include "platform/forms/MdiForm.h"

namespace tav {

namespace {

class HeadlessView : public FormView {
public:
    explicit HeadlessView(Form& form) : form_(form), canvas_(0, 0, HeadlessHost::FrameWidth, HeadlessHost::FrameHeight) {
        Fit();
    }

    Canvas& Surface() override { return canvas_; }
    RecordingCanvas& Recording() { return canvas_; }

    void FormChanged(FormAspect aspect) override {
        if (aspect == FormAspect::Geometry) Fit();
    }

    void ControlChanged(Control& control) override {
        if (control.Kind() == ControlKind::PictureBox) Fit();
    }

    void FocusMoved(Control*) override {}
    void Unloaded() override {}

private:
    // The surface follows the outer size; the main window's child area leaves out its strips.
    void Fit() {
        const float width = std::max(0.0f, form_.Width() - HeadlessHost::FrameWidth);
        const float height = std::max(0.0f, form_.Height() - HeadlessHost::FrameHeight);
        canvas_.SetSize(width, height);
        auto* mdi = dynamic_cast<MdiForm*>(&form_);
        if (!mdi) return;
        float strips = 0;
        for (Control* control : form_.Controls()) {
            if (control->Kind() != ControlKind::PictureBox || !control->Visible()) continue;
            if (static_cast<PictureBox*>(control)->Align() == align::Top) strips += control->Height();
        }
        mdi->UserClientArea(width, std::max(0.0f, height - strips));
    }

    Form& form_;
    RecordingCanvas canvas_;
};

}  // namespace

std::unique_ptr<FormView> HeadlessHost::CreateView(Form& form) { return std::make_unique<HeadlessView>(form); }

RecordingCanvas& HeadlessHost::CanvasOf(Form& form) {
    return static_cast<RecordingCanvas&>(form.Surface());
}

}  // namespace tav
