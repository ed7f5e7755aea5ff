// The "&View", "&Activate" and "Sav&e" menus. A View item's check mark says whether its window
// is open; an Activate item's check mark is the switch of its index, set only while the index's
// bands are defined; a Save item stores its kinetic log under a name the operator chooses.

#include <array>
#include <string>

#include "files/KineticLogs.h"
#include "files/WindowPositions.h"
#include "platform/Operator.h"
#include "shared/ProgramState.h"
#include "windows/IndexForm.h"
#include "windows/KineticForms.h"
#include "windows/MDIForm1.h"
#include "windows/MainForm.h"
#include "windows/NormDiffForm.h"

namespace tav {

namespace {

template <class Window>
Form& GetWindow(App& app) {
    return app.forms.Get<Window>();
}

template <class Window>
void UnloadWindow(App& app) {
    app.forms.Unload<Window>();
}

struct ViewWindow {
    bool MenuChecks::*check;
    WindowRect ProgramState::*rect;
    Form& (*get)(App&);
    void (*unload)(App&);
    bool placeAtRecord;  // put at its recorded rectangle around the Show
};

// In the order of the View menu.
constexpr std::array<ViewWindow, 9> ViewWindows{{
    {&MenuChecks::Viewmainform, &ProgramState::MainFormRect, &GetWindow<MainForm>, &UnloadWindow<MainForm>, false},
    {&MenuChecks::ViewIndexForm, &ProgramState::IndexFormRect, &GetWindow<IndexForm>, &UnloadWindow<IndexForm>, false},
    {&MenuChecks::ViewRatioForm, &ProgramState::RatioFormRect, &GetWindow<RatioForm>, &UnloadWindow<RatioForm>, false},
    {&MenuChecks::ViewNormDiffForm, &ProgramState::NormDiffFormRect, &GetWindow<NormDiffForm>, &UnloadWindow<NormDiffForm>, false},
    {&MenuChecks::ViewExperimentalForm, &ProgramState::ExperimentalFormRect, &GetWindow<ExperimentalForm>, &UnloadWindow<ExperimentalForm>, false},
    {&MenuChecks::ViewDerivativeForm, &ProgramState::DerivativeFormRect, &GetWindow<DerivativeForm>, &UnloadWindow<DerivativeForm>, false},
    {&MenuChecks::ViewIntegralForm, &ProgramState::IntegralFormRect, &GetWindow<IntegralForm>, &UnloadWindow<IntegralForm>, true},
    {&MenuChecks::Viewaverageform, &ProgramState::AverageFormRect, &GetWindow<AverageForm>, &UnloadWindow<AverageForm>, false},
    {&MenuChecks::ViewDiagnosticsForm, &ProgramState::DiagnosticsFormRect, &GetWindow<DiagnosticsForm>, &UnloadWindow<DiagnosticsForm>, false},
}};

std::array<MenuItem*, ViewWindows.size()> ViewItems(MDIForm1& f) {
    return {&f.Viewmainform,     &f.ViewIndexForm,    &f.ViewRatioForm,
            &f.ViewNormDiffForm, &f.ViewExperimentalForm, &f.ViewDerivativeForm,
            &f.ViewIntegralForm, &f.Viewaverageform,  &f.ViewDiagnosticsForm};
}

struct IndexSwitch {
    bool MenuChecks::*check;
    bool (*bandsDefined)(const ProgramState&);
    const char* refusal;
};

constexpr const char* NeedBands = "You must specify the bands before using this option!";

// The indices that need their bands before they can be switched on, in the order of the menu.
constexpr std::array<IndexSwitch, 6> IndexSwitches{{
    {&MenuChecks::ActivateRatio,
     [](const ProgramState& s) { return s.RatioNumerator != 0 && s.RatioDenominator != 0; },
     "You must specify the bands to ratio before using this option!"},
    {&MenuChecks::ActivateNormDiff, [](const ProgramState& s) { return s.NormDiffX != 0 || s.NormDiffY != 0; }, NeedBands},
    {&MenuChecks::ActivateExperimental,
     [](const ProgramState& s) { return s.ExpBand1 != 0 || s.ExpBand2 != 0 || s.ExpBand3 != 0 || s.ExpBand4 != 0; },
     NeedBands},
    {&MenuChecks::ActivateDerivative, [](const ProgramState& s) { return s.DerivativeBand != 0; },
     "You must specify the band before using this option!"},
    {&MenuChecks::ActivateIntegral, [](const ProgramState& s) { return s.IntegralBand != 0; },
     "You must specify the band to integrate before using this option!"},
    {&MenuChecks::ActivateAverage, [](const ProgramState& s) { return s.AverageBand != 0; },
     "You must specify the band to average before using this option!"},
}};

std::array<MenuItem*, IndexSwitches.size()> IndexItems(MDIForm1& f) {
    return {&f.ActivateRatio,      &f.ActivateNormDiff, &f.ActivateExperimental,
            &f.ActivateDerivative, &f.ActivateIntegral, &f.ActivateAverage};
}

}  // namespace

void MDIForm1::BindViewActivateSaveMenus() {
    MenuChecks& checks = app.state.Menu;
    const auto viewItems = ViewItems(*this);
    for (std::size_t i = 0; i < viewItems.size(); ++i) {
        viewItems[i]->BindChecked(checks.*ViewWindows[i].check);
        viewItems[i]->Click = [this, i] { ViewItem_Click(i); };
    }
    Tile.Click = [this] { Tile_Click(); };

    const auto indexItems = IndexItems(*this);
    for (std::size_t i = 0; i < indexItems.size(); ++i) {
        indexItems[i]->BindChecked(checks.*IndexSwitches[i].check);
        indexItems[i]->Click = [this, i] { ActivateItem_Click(i); };
    }
    ActivateDiagnostics.BindChecked(checks.ActivateDiagnostics);
    ActivateDiagnostics.Click = [this] { ActivateDiagnostics_Click(); };
    ActivateTimeStamp.BindChecked(checks.ActivateTimeStamp);
    ActivateTimeStamp.Click = [this] { ActivateTimeStamp_Click(); };

    MenuItem* const saveItems[] = {&SaveRatio,    &SaveNormDiff, &SaveExperimental, &SaveDerivative,
                                   &SaveIntegral, &SaveAverage,  &SaveDiagnostics};
    int16_t fileNumber = FirstKineticLogNumber;
    for (MenuItem* item : saveItems) {
        item->Click = [this, fileNumber] { SaveItem_Click(fileNumber); };
        ++fileNumber;
    }
}

// A checked item closes its window (whose own unloading marks it closed in its record); an
// unchecked one marks the window open and brings it up.
void MDIForm1::ViewItem_Click(std::size_t item) {
    const ViewWindow& view = ViewWindows.at(item);
    MenuItem& menuItem = *ViewItems(*this)[item];
    if (menuItem.Checked()) {
        menuItem.SetChecked(false);
        view.unload(app);
        return;
    }
    menuItem.SetChecked(true);
    WindowRect& rect = app.state.*view.rect;
    rect.Open = -1;
    Form& window = view.get(app);
    if (view.placeAtRecord) SetFormRect(window, rect);
    window.Show();
    if (view.placeAtRecord) SetFormRect(window, rect);
}

void MDIForm1::Tile_Click() { Arrange(arrange::TileHorizontal); }

// Switching off always succeeds; switching on needs the index's bands.
void MDIForm1::ActivateItem_Click(std::size_t item) {
    const IndexSwitch& index = IndexSwitches.at(item);
    MenuItem& menuItem = *IndexItems(*this)[item];
    if (menuItem.Checked()) menuItem.SetChecked(false);
    else if (index.bandsDefined(app.state)) menuItem.SetChecked(true);
    else app.op.MsgBox(index.refusal, MsgButtons::OkOnly);
}

void MDIForm1::ActivateTimeStamp_Click() { ActivateTimeStamp.SetChecked(!ActivateTimeStamp.Checked()); }

void MDIForm1::ActivateDiagnostics_Click() { ActivateDiagnostics.SetChecked(!ActivateDiagnostics.Checked()); }

void MDIForm1::SaveItem_Click(int16_t fileNumber) {
    FlowScope flow(app.flow);
    SaveKineticFile(contexts_.Files(), KineticLogTempName(fileNumber), fileNumber);
}

}  // namespace tav
