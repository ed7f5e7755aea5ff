#include "windows/IndexWindowOutput.h"

#include <algorithm>

#include "platform/Delay.h"
#include "platform/draw/Canvas.h"
#include "windows/IndexForm.h"
#include "windows/KineticForms.h"
#include "windows/PlotKineticPoint.h"

namespace tav {

void IndexWindowOutput::ClearIndexWindow() { tav::ClearIndexWindow(app_); }

void IndexWindowOutput::PrintIndexLine(const IndexReadoutLine& line) {
    app_.forms.Get<IndexForm>().Surface().Print(IndexReadoutText(line));
}

void IndexWindowOutput::Wait(int milliseconds) {
    Delay(app_.clock, static_cast<int16_t>(std::clamp(milliseconds, 0, 32767)));
}

void IndexWindowOutput::KineticPointAdded(int16_t code) {
    if (KineticForm* form = KineticWindowForm(app_, code)) RedrawKineticSeries(*form, code);
}

void ComputeKineticIndices(App& app) {
    IndexWindowOutput output(app);
    ComputeKineticIndices(app.state, output);
}

}  // namespace tav
