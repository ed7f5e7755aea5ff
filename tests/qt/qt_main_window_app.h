// The program's main window on the Qt front end, past its welcome (no first scan), with the scan
// flows recorded instead of run, shown.

#pragma once

#include <memory>

#include "qt_test_app.h"
#include "windows/MainWindowWorld.h"

namespace tav::test {

struct QtMainWindowApp {
    QtTestApp t;
    FlowRecord record;
    MDIForm1* main = nullptr;

    QtMainWindowApp() {
        t.state->WelcomeShown = true;
        main = &t.app->forms.Get<MDIForm1>();
        main->Contexts().SetFlows(std::make_unique<RecordingFlows>(record, t.clock));
        main->Show();
        ProcessEvents();
    }
};

}  // namespace tav::test
