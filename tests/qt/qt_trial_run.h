// A first run from the bundled trial settings (or without settings) on an offscreen screen of a given size: the
// settings file in the start folder, the screen's fonts, the main window loaded with the
// program's scan flows (each call recorded) and the welcome window up.

#pragma once

#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "qt/QtFonts.h"
#include "qt_screen.h"
#include "qt_test_app.h"
#include "windows/MainWindowWorld.h"

namespace tav::test {

inline std::string TrialSettings() {
    std::ifstream in(std::string(TAVOLIN_SOURCE_DIR) + "/data/trial/Prismel.INI", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

struct TrialRun {
    ScreenScope screen;
    QtTestApp t;
    FlowRecord record;
    MDIForm1* main = nullptr;

    // Without the trial settings: a first run with no settings file at all.
    explicit TrialRun(TestScreen size, bool trialSettings = true) : screen(size) {
        if (trialSettings) t.dir.Write("Prismel.INI", TrialSettings());
        t.op.SetFonts(ScreenFontList());
        main = &t.app->forms.Get<MDIForm1>();
        main->Contexts().SetFlows(
            std::make_unique<RecordingFlows>(record, t.clock, MakeProgramFlows(*t.app, main->Contexts())));
    }
};

}  // namespace tav::test
