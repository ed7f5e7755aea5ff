#include "windows/PlotKineticPoint.h"

#include <string>

#include "indices/KineticSeries.h"
#include "platform/draw/Canvas.h"
#include "platform/forms/App.h"
#include "windows/FormCharts.h"

namespace tav {

void PlotKineticPoint(Form& form, float value, int16_t code, int16_t& counter, float time) {
    if (KineticWindowOf(code) == nullptr) return;
    StoreKineticPoint(form.app.state, value, code, counter, time);
    RedrawKineticSeries(form, code);
}

void RedrawKineticSeries(Form& form, int16_t code) {
    form.Surface().Cls();
    std::string title = "Time (s)";
    DrawChart(form, code, title);
}

}  // namespace tav
