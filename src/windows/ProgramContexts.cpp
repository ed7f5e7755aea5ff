#include "windows/ProgramContexts.h"

#include "platform/forms/App.h"
#include "windows/IndexForm.h"
#include "windows/KineticForms.h"
#include "windows/MDIForm1.h"
#include "windows/MenuForm.h"
#include "windows/NormDiffForm.h"
#include "windows/WelcomeForm.h"

namespace tav {

namespace {

template <class T>
Form& Get(App& app) {
    return app.forms.Get<T>();
}

// The windows of the settings file in its order; the spectrum window's getter is built in.
constexpr std::array<AppFileWindows::Getter, SettingsWindowCount> SettingsWindows = {
    nullptr,           &Get<MenuForm>,    &Get<IndexForm>,    &Get<RatioForm>,   &Get<NormDiffForm>,
    &Get<ExperimentalForm>, &Get<DerivativeForm>, &Get<IntegralForm>, &Get<AverageForm>, &Get<DiagnosticsForm>,
};

void ShowWelcomeWindow(App& app) { app.forms.Get<WelcomeForm>().Show(); }

}  // namespace

ProgramContexts::ProgramContexts(App& app)
    : fileWindows_(app, SettingsWindows),
      files_{app.state, app.fs, app.op, app.clock, logs, fileWindows_},
      charts_(app),
      indices_(app),
      scanWindows_(app),
      flow_{app, charts_, indices_, files_, scanWindows_},
      acquisition_(flow_),
      flows_(MakeProgramFlows(app, *this)) {
    fileWindows_.SetWelcome(ShowWelcomeWindow);
}

ProgramContexts& ContextsOf(App& app) { return app.forms.Get<MDIForm1>().Contexts(); }

}  // namespace tav
