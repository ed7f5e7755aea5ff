// The View, Activate and Save menus: windows opened and closed with their check marks and open
// flags, the Integral window put at its recorded place, tiling, the index switches with their
// band checks and messages, and each kinetic log saved under a chosen name.

#include <gtest/gtest.h>

#include <functional>

#include "MainWindowWorld.h"
#include "files/KineticLogs.h"

namespace tav {
namespace {

using test::MainWindowWorld;

struct Menus : ::testing::Test {
    MainWindowWorld w;

    void SetUp() override { w.PastWelcome(); }
    ProgramState& S() { return *w.state; }
    MDIForm1& Mdi() { return w.Mdi(); }
    Form* Loaded(const std::string& name) {
        for (Form* form : w.app.forms.Loaded())
            if (form->Loaded() && form->Name() == name) return form;
        return nullptr;
    }
};

struct ViewCase {
    MenuItem MDIForm1::*item;
    const char* window;
    WindowRect ProgramState::*rect;
};

const ViewCase ViewCases[] = {
    {&MDIForm1::Viewmainform, "MainForm", &ProgramState::MainFormRect},
    {&MDIForm1::ViewIndexForm, "IndexForm", &ProgramState::IndexFormRect},
    {&MDIForm1::ViewRatioForm, "RatioForm", &ProgramState::RatioFormRect},
    {&MDIForm1::ViewNormDiffForm, "NormDiffForm", &ProgramState::NormDiffFormRect},
    {&MDIForm1::ViewExperimentalForm, "ExperimentalForm", &ProgramState::ExperimentalFormRect},
    {&MDIForm1::ViewDerivativeForm, "DerivativeForm", &ProgramState::DerivativeFormRect},
    {&MDIForm1::ViewIntegralForm, "IntegralForm", &ProgramState::IntegralFormRect},
    {&MDIForm1::Viewaverageform, "AverageForm", &ProgramState::AverageFormRect},
    {&MDIForm1::ViewDiagnosticsForm, "DiagnosticsForm", &ProgramState::DiagnosticsFormRect},
};

TEST_F(Menus, ViewItemsOpenAndCloseTheirWindows) {
    w.Main().Unload();
    for (const ViewCase& c : ViewCases) {
        SCOPED_TRACE(c.window);
        MenuItem& item = Mdi().*c.item;
        ASSERT_EQ(Loaded(c.window), nullptr);
        ASSERT_FALSE(item.Checked());
        (S().*c.rect).Open = 0;
        item.UserClick();
        Form* window = Loaded(c.window);
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(window->Visible());
        EXPECT_TRUE(item.Checked());
        EXPECT_EQ((S().*c.rect).Open, -1);

        // Open again: the window's unload marks its record, the spectrum window's leaves it.
        item.UserClick();
        EXPECT_EQ(Loaded(c.window), nullptr);
        EXPECT_FALSE(item.Checked());
        EXPECT_EQ((S().*c.rect).Open, std::string(c.window) == "MainForm" ? -1 : 0);
    }
}

TEST_F(Menus, AWindowClosedByItsCloseBoxComesBackFromTheViewMenu) {
    Mdi().ViewRatioForm.UserClick();
    Loaded("RatioForm")->UserClose();
    EXPECT_FALSE(Mdi().ViewRatioForm.Checked());
    Mdi().ViewRatioForm.UserClick();
    ASSERT_NE(Loaded("RatioForm"), nullptr);
    EXPECT_TRUE(Loaded("RatioForm")->Visible());
}

TEST_F(Menus, OnlyTheIntegralWindowOpensAtItsRecordedPlace) {
    const WindowRect recorded{300, 600, 5000, 3000, 0};
    S().IntegralFormRect = recorded;
    S().RatioFormRect = recorded;
    Mdi().ViewIntegralForm.UserClick();
    Mdi().ViewRatioForm.UserClick();
    Form* integral = Loaded("IntegralForm");
    ASSERT_NE(integral, nullptr);
    EXPECT_EQ(integral->Top(), 300);
    EXPECT_EQ(integral->Left(), 600);
    EXPECT_EQ(integral->Width(), 5000);
    EXPECT_EQ(integral->Height(), 3000);
    EXPECT_NE(Loaded("RatioForm")->Left(), 600);
}

TEST_F(Menus, TileStacksTheOpenWindows) {
    Mdi().ViewRatioForm.UserClick();
    Mdi().ViewIndexForm.UserClick();
    Mdi().Tile.UserClick();
    float top = -1;
    for (Form* child : Mdi().Children()) {
        EXPECT_EQ(child->Left(), 0) << child->Name();
        EXPECT_EQ(child->Width(), Mdi().ClientWidth()) << child->Name();
        EXPECT_GT(child->Top(), top) << child->Name();
        top = child->Top();
    }
    // The spectrum window, the quick menu (open by default) and the two just opened.
    EXPECT_EQ(Mdi().Children().size(), 4u);
}

struct ActivateCase {
    MenuItem MDIForm1::*item;
    std::function<void(ProgramState&)> oneBand;  // enough for the switch
    const char* refusal;
};

TEST_F(Menus, ActivateItemsSwitchOnOnlyWithTheirBandsAndOffAlways) {
    const ActivateCase cases[] = {
        {&MDIForm1::ActivateRatio, [](ProgramState& s) { s.RatioNumerator = 1, s.RatioDenominator = 2; },
         "You must specify the bands to ratio before using this option!"},
        {&MDIForm1::ActivateNormDiff, [](ProgramState& s) { s.NormDiffY = 2; },
         "You must specify the bands before using this option!"},
        {&MDIForm1::ActivateExperimental, [](ProgramState& s) { s.ExpBand3 = 1; },
         "You must specify the bands before using this option!"},
        {&MDIForm1::ActivateDerivative, [](ProgramState& s) { s.DerivativeBand = 1; },
         "You must specify the band before using this option!"},
        {&MDIForm1::ActivateIntegral, [](ProgramState& s) { s.IntegralBand = 1; },
         "You must specify the band to integrate before using this option!"},
        {&MDIForm1::ActivateAverage, [](ProgramState& s) { s.AverageBand = 1; },
         "You must specify the band to average before using this option!"},
    };
    for (const ActivateCase& c : cases) {
        MainWindowWorld v;
        MenuItem& item = v.Mdi().*c.item;
        SCOPED_TRACE(item.Name());
        item.UserClick();
        ASSERT_EQ(v.op.Messages().size(), 1u);
        EXPECT_EQ(v.op.Messages()[0].text, c.refusal);
        EXPECT_EQ(v.op.Messages()[0].buttons, MsgButtons::OkOnly);
        EXPECT_EQ(v.op.Messages()[0].title, "");
        EXPECT_FALSE(item.Checked());

        c.oneBand(*v.state);
        item.UserClick();
        EXPECT_TRUE(item.Checked());
        // Off even when the bands have gone since.
        ProgramState& s = *v.state;
        s.RatioNumerator = s.RatioDenominator = s.NormDiffX = s.NormDiffY = 0;
        s.ExpBand1 = s.ExpBand2 = s.ExpBand3 = s.ExpBand4 = 0;
        s.DerivativeBand = s.IntegralBand = s.AverageBand = 0;
        item.SetChecked(true);
        item.UserClick();
        EXPECT_FALSE(item.Checked());
        EXPECT_EQ(v.op.Messages().size(), 1u);
    }

    // The ratio needs both of its bands.
    S().RatioNumerator = 1;
    Mdi().ActivateRatio.UserClick();
    EXPECT_FALSE(S().Menu.ActivateRatio);
}

TEST_F(Menus, TimeStampAndDiagnosticsFlipWithoutAnyCheck) {
    for (MenuItem* item : {&Mdi().ActivateTimeStamp, &Mdi().ActivateDiagnostics}) {
        const bool before = item->Checked();
        item->UserClick();
        EXPECT_EQ(item->Checked(), !before) << item->Name();
        item->UserClick();
        EXPECT_EQ(item->Checked(), before) << item->Name();
    }
    EXPECT_TRUE(w.op.Messages().empty());
    // The marks are the program's switches.
    Mdi().ActivateDiagnostics.SetChecked(true);
    EXPECT_TRUE(S().Menu.ActivateDiagnostics);
}

TEST_F(Menus, SaveItemsSaveTheirKineticLog) {
    const std::pair<MenuItem MDIForm1::*, const char*> items[] = {
        {&MDIForm1::SaveRatio, "~Ratio.Tmp"},       {&MDIForm1::SaveNormDiff, "~NormDif.Tmp"},
        {&MDIForm1::SaveExperimental, "~Exper.Tmp"}, {&MDIForm1::SaveDerivative, "~Deriv.Tmp"},
        {&MDIForm1::SaveIntegral, "~Integ.Tmp"},     {&MDIForm1::SaveAverage, "~Average.Tmp"},
        {&MDIForm1::SaveDiagnostics, "~Diagnost.Tmp"},
    };
    KineticLogs& logs = Mdi().Contexts().logs;
    int16_t fileNumber = 101;
    for (const auto& [item, tempName] : items) {
        SCOPED_TRACE(tempName);
        ASSERT_TRUE(logs.Append(fileNumber, std::string("line of ") + tempName));
        const std::string chosen = w.dir.File(std::string("saved") + std::to_string(fileNumber) + ".txt");
        w.op.AnswerSave(chosen);
        (Mdi().*item).UserClick();
        EXPECT_EQ(w.fs.ReadAll(chosen).value_or("?"), std::string("line of ") + tempName + "\r\n");
        EXPECT_EQ(w.fs.ReadAll(w.dir.File(tempName)).value_or("?"), "");
        EXPECT_TRUE(logs.IsOpen(fileNumber));
        ++fileNumber;
    }
    // A cancelled dialog keeps the log as it is.
    ASSERT_TRUE(logs.Append(101, "kept"));
    Mdi().SaveRatio.UserClick();
    EXPECT_EQ(w.fs.ReadAll(w.dir.File("~Ratio.Tmp")).value_or("?"), "kept\r\n");
}

}  // namespace
}  // namespace tav
