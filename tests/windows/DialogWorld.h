// The program's main window for the tests of a dialog: the welcome window gone, and a settings
// file of the start folder that tells whether the dialog rewrote it.

#pragma once

#include <gtest/gtest.h>

#include <string>

#include "windows/MainWindowWorld.h"

namespace tav::test {

template <class Dialog>
struct DialogTest : ::testing::Test {
    static constexpr const char* Untouched = "left by an earlier run\r\n";

    MainWindowWorld w;
    ProgramState& s = *w.state;

    void SetUp() override {
        w.PastWelcome();
        w.dir.Write("Prismel.INI", Untouched);
    }
    // Opened as the main window's menu opens it.
    Dialog& Open() {
        Dialog& form = w.app.forms.template Get<Dialog>();
        form.Show();
        return form;
    }
    bool IsOpen() const { return w.app.forms.template Find<Dialog>() != nullptr; }
    std::string Settings() const { return w.dir.Read("Prismel.INI"); }
};

}  // namespace tav::test
