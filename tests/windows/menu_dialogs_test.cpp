// The menu items that bring up the dialogs: each item, by click or by its shortcut from the
// spectrum window, shows its window not modal; the two-file items set the operation first.

#include <gtest/gtest.h>

#include "MainWindowWorld.h"
#include "windows/BandDefsForm.h"
#include "windows/FileAverageForm.h"
#include "windows/GetFileName.h"
#include "windows/InstrumentForm.h"
#include "windows/KineticDefsForm.h"
#include "windows/PrinterForm.h"
#include "windows/RefCalFileForm.h"
#include "windows/SetDirectoryForm.h"
#include "windows/SetScaleForm.h"
#include "windows/SettingsForm.h"
#include "windows/TransDlgForm.h"

namespace tav {
namespace {

using test::MainWindowWorld;

template <class T>
Form* Shown(App& app) {
    T* form = app.forms.Find<T>();
    return form && form->Visible() ? form : nullptr;
}

struct DialogItem {
    MenuItem MDIForm1::*item;
    const char* name;
    Form* (*shown)(App&);
};

TEST(MenuDialogs, EveryDialogItemShowsItsWindow) {
    const DialogItem items[] = {
        {&MDIForm1::Options, "Options", &Shown<SettingsForm>},
        {&MDIForm1::SetScale, "SetScale", &Shown<SetScaleForm>},
        {&MDIForm1::InstParams, "InstParams", &Shown<InstrumentForm>},
        {&MDIForm1::DefaultDataDirectory, "DefaultDataDirectory", &Shown<SetDirectoryForm>},
        {&MDIForm1::RefCalFile, "RefCalFile", &Shown<RefCalFileForm>},
        {&MDIForm1::Average, "Average", &Shown<FileAverageForm>},
        {&MDIForm1::Transform, "Transform", &Shown<TransDlgForm>},
        {&MDIForm1::BandDefs, "BandDefs", &Shown<BandDefsForm>},
        {&MDIForm1::KinDefs, "KinDefs", &Shown<KineticDefsForm>},
        {&MDIForm1::PrintMenu, "PrintMenu", &Shown<PrinterForm>},
    };
    for (const DialogItem& d : items) {
        SCOPED_TRACE(d.name);
        MainWindowWorld w;
        w.PastWelcome();
        ASSERT_EQ(d.shown(w.app), nullptr);
        (w.Mdi().*d.item).UserClick();
        Form* dialog = d.shown(w.app);
        ASSERT_NE(dialog, nullptr);
        EXPECT_FALSE(dialog->MDIChild());
        // Choosing it again brings up the same window.
        (w.Mdi().*d.item).UserClick();
        EXPECT_EQ(d.shown(w.app), dialog);
        EXPECT_TRUE(w.flows.calls.empty()) << "no scan comes of opening a dialog";
    }
}

TEST(MenuDialogs, TwoFileItemsOpenTheDialogForTheirOperation) {
    const std::pair<MenuItem MDIForm1::*, int16_t> items[] = {
        {&MDIForm1::Add, 1}, {&MDIForm1::Subtract, 2}, {&MDIForm1::Multiply, 3}, {&MDIForm1::Divide, 4}};
    for (const auto& [item, mode] : items) {
        SCOPED_TRACE(mode);
        MainWindowWorld w;
        w.PastWelcome();
        w.state->DataAvailable = true;
        w.state->SlotInfo[1].FileName = "a.rdg";
        (w.Mdi().*item).UserClick();
        EXPECT_NE(Shown<GetFileName>(w.app), nullptr);
        EXPECT_EQ(w.state->FileDialogMode, mode);
        EXPECT_FALSE(w.state->DataAvailable);
        EXPECT_EQ(w.state->SlotInfo[1].FileName.find_first_not_of(' '), std::string::npos);
    }
}

TEST(MenuDialogs, ShortcutsFromTheSpectrumWindowOpenTheDialogs) {
    const std::pair<char, Form* (*)(App&)> keys[] = {
        {'O', &Shown<SettingsForm>}, {'S', &Shown<SetScaleForm>}, {'P', &Shown<InstrumentForm>},
        {'R', &Shown<RefCalFileForm>}, {'A', &Shown<FileAverageForm>}, {'T', &Shown<TransDlgForm>},
        {'D', &Shown<GetFileName>}};
    for (const auto& [letter, shown] : keys) {
        SCOPED_TRACE(letter);
        MainWindowWorld w;
        w.PastWelcome();
        w.Main().UserKeyDown(nullptr, key::Letter(letter), shift::Ctrl);
        EXPECT_NE(shown(w.app), nullptr);
    }
}

TEST(MenuDialogs, AutoSetIntegrationTimeLeavesASimulationRunAlone) {
    MainWindowWorld w;
    w.PastWelcome();
    w.state->SimulationMode = true;
    w.state->IntegrationTime = 1234;
    w.Mdi().AutoSetIntegrationTime.UserClick();
    EXPECT_EQ(w.state->IntegrationTime, 1234);
    EXPECT_TRUE(w.comm.Journal().empty());
}

}  // namespace
}  // namespace tav
