#include "windows/KineticDefsForm.h"

#include <algorithm>
#include <initializer_list>
#include <iterator>

#include "files/SettingsFile.h"
#include "platform/Numbers.h"
#include "platform/forms/DialogConventions.h"
#include "shared/IndexPassRecord.h"
#include "shared/ProgramState.h"
#include "windows/ProgramContexts.h"

namespace tav {

namespace {

// Enter moves on from the controls of tab index 1 to this one; OK and Cancel keep the focus.
constexpr int LastTabIndexThatMovesOn = 20;

using F = KineticDefsForm;
using S = ProgramState;

// Each band-number box and the definition it holds.
struct BandBoxEntry {
    TextBox F::*box;
    int16_t S::*band;
};
constexpr BandBoxEntry BandBoxes[] = {
    {&F::NumeratorBox, &S::RatioNumerator}, {&F::DenominatorBox, &S::RatioDenominator},
    {&F::BandXBox, &S::NormDiffX},          {&F::BandYBox, &S::NormDiffY},
    {&F::Band1Box, &S::ExpBand1},           {&F::Band2Box, &S::ExpBand2},
    {&F::Band3Box, &S::ExpBand3},           {&F::Band4Box, &S::ExpBand4},
    {&F::DerivativeBox, &S::DerivativeBand}, {&F::IntegralBox, &S::IntegralBand},
    {&F::AverageBox, &S::AverageBand},
};

struct OperatorEntry {
    ListBox F::*list;
    int16_t S::*op;
};
constexpr OperatorEntry Operators[] = {
    {&F::Op1Box, &S::ExpOp1}, {&F::Op2Box, &S::ExpOp2}, {&F::Op3Box, &S::ExpOp3}};
constexpr const char* OperatorTexts[] = {" +", " -", " *", " /"};

// The option pair of each index that may use band means (UseAverage element = position).
struct MeanChoiceEntry {
    OptionButton F::*useIntegral;
    OptionButton F::*useAverage;
};
constexpr MeanChoiceEntry MeanChoices[] = {
    {&F::RatioUseIntegralOpt, &F::RatioUseAverageOpt},
    {&F::NormDiffUseIntegralOpt, &F::NormDiffUseAverageOpt},
    {&F::ExpUseIntegralOpt, &F::ExpUseAverageOpt},
};

// A band number as typed: its leading number rounded; beyond 16 bits it is held at the limit,
// which names no band, as a number above NumOfBands does.
int16_t BandNumber(const TextBox& box) { return RoundToInt16Clamped(Val(box.Text())); }

}  // namespace

KineticDefsForm::KineticDefsForm(App& app) : Form(app, "KineticDefsForm") {
    DesignDialog(*this, "Kinetic Definitions", 1800, 1200);
    PlaceControls();

    const std::array<Control*, 22> order = TabOrder();
    for (std::size_t i = 0; i < order.size(); ++i) order[i]->SetTabIndex(static_cast<int>(i) + 1);
    // Labels, frames and picture boxes come after them; they never take the focus.
    int next = static_cast<int>(order.size()) + 1;
    for (Control* c : Controls()) {
        if (std::find(order.begin(), order.end(), c) == order.end()) c->SetTabIndex(next++);
    }

    for (const BandBoxEntry& e : BandBoxes) SelectTextOnFocus(this->*e.box);
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
}

void KineticDefsForm::PlaceControls() {
    // Ratio and normalized difference side by side: two boxes and the option pair each.
    struct PairGroup {
        Frame& frame;
        Label& label1;
        TextBox& box1;
        Label& label2;
        TextBox& box2;
        PictureBox& options;
        OptionButton& useIntegral;
        OptionButton& useAverage;
        float left;
    };
    const PairGroup pairs[] = {
        {RatioFrame, NumeratorLbl, NumeratorBox, DenominatorLbl, DenominatorBox, PictureBox1,
         RatioUseIntegralOpt, RatioUseAverageOpt, 120},
        {NormDiffFrame, BandXLbl, BandXBox, BandYLbl, BandYBox, PictureBox2, NormDiffUseIntegralOpt,
         NormDiffUseAverageOpt, 3300},
    };
    for (const PairGroup& g : pairs) {
        g.frame.Move(g.left, 60, 3060, 1800);
        for (Control* c : std::initializer_list<Control*>{&g.label1, &g.box1, &g.label2, &g.box2, &g.options})
            c->SetContainer(g.frame);
        g.label1.Move(120, 300, 1335, 255);
        g.box1.Move(1560, 240, 1335, 315);
        g.label2.Move(120, 700, 1335, 255);
        g.box2.Move(1560, 640, 1335, 315);
        g.options.Move(120, 1080, 2775, 600);
        g.useIntegral.SetContainer(g.options);
        g.useIntegral.Move(60, 30, 2600, 255);
        g.useAverage.SetContainer(g.options);
        g.useAverage.Move(60, 315, 2600, 255);
    }

    // The experimental expression along one row: band, operator, band, operator ...
    ExperimentalFrame.Move(120, 1980, 6240, 1860);
    Label* bandLabels[] = {&Band1Lbl, &Band2Lbl, &Band3Lbl, &Band4Lbl};
    TextBox* bandBoxes[] = {&Band1Box, &Band2Box, &Band3Box, &Band4Box};
    ListBox* opLists[] = {&Op1Box, &Op2Box, &Op3Box};
    for (int k = 0; k < 4; ++k) {
        const float left = 120 + 1560.0f * static_cast<float>(k);
        bandLabels[k]->SetContainer(ExperimentalFrame);
        bandLabels[k]->Move(left, 240, 840, 255);
        bandBoxes[k]->SetContainer(ExperimentalFrame);
        bandBoxes[k]->Move(left, 500, 840, 315);
        if (k < 3) {
            opLists[k]->SetContainer(ExperimentalFrame);
            opLists[k]->Move(left + 900, 240, 600, 855);
        }
    }
    PictureBox3.SetContainer(ExperimentalFrame);
    PictureBox3.Move(120, 1260, 5880, 450);
    ExpUseIntegralOpt.SetContainer(PictureBox3);
    ExpUseIntegralOpt.Move(60, 90, 2600, 255);
    ExpUseAverageOpt.SetContainer(PictureBox3);
    ExpUseAverageOpt.Move(3000, 90, 2600, 255);

    // Derivative, integral and average: one band each.
    struct SingleBand {
        Frame& frame;
        Label& label;
        TextBox& box;
    };
    const SingleBand singles[] = {{DerivativeFrame, DerivativeLbl, DerivativeBox},
                                  {IntegralFrame, IntegralLbl, IntegralBox},
                                  {AverageFrame, AverageLbl, AverageBox}};
    for (int k = 0; k < 3; ++k) {
        const SingleBand& g = singles[k];
        g.frame.Move(120 + 2100.0f * static_cast<float>(k), 3960, 1980, 780);
        g.label.SetContainer(g.frame);
        g.label.Move(120, 330, 600, 255);
        g.box.SetContainer(g.frame);
        g.box.Move(780, 270, 1080, 315);
    }

    Command1.Move(3780, 4980, 1215, 375);
    Command2.Move(5145, 4980, 1215, 375);
}

std::array<Control*, 22> KineticDefsForm::TabOrder() {
    return {&NumeratorBox, &DenominatorBox, &RatioUseIntegralOpt, &RatioUseAverageOpt,
            &BandXBox,     &BandYBox,       &NormDiffUseIntegralOpt, &NormDiffUseAverageOpt,
            &Band1Box,     &Op1Box,         &Band2Box,            &Op2Box,
            &Band3Box,     &Op3Box,         &Band4Box,            &ExpUseIntegralOpt,
            &ExpUseAverageOpt, &DerivativeBox, &IntegralBox,      &AverageBox,
            &Command1,     &Command2};
}

void KineticDefsForm::Form_Load() {
    // Sized here, not in the constructor: the size of the client area needs the loaded window.
    SetClientSize(6480, 5520);
    const ProgramState& s = app.state;
    for (const OperatorEntry& e : Operators) {
        for (const char* text : OperatorTexts) (this->*e.list).AddItem(text);
    }
    for (const BandBoxEntry& e : BandBoxes) (this->*e.box).SetText(StrInt(s.*e.band));
    // An operator code without an entry (from an edited settings file) leaves its list without a
    // selection, which OK stores as -1.
    for (const OperatorEntry& e : Operators) (this->*e.list).SetListIndex(s.*e.op);
    // The index pass takes the band means for any flag but 0, so that is the choice shown (and
    // kept by OK) also for a value other than -1 from an edited settings file.
    for (std::size_t i = 0; i < std::size(MeanChoices); ++i) {
        const bool means = s.UseAverage[i] != 0;
        (this->*MeanChoices[i].useAverage).SetValue(means);
        (this->*MeanChoices[i].useIntegral).SetValue(!means);
    }
}

void KineticDefsForm::Command1_Click() {
    ProgramState& s = app.state;
    bool changed = false;
    auto store = [&changed](int16_t& definition, int16_t value) {
        changed = changed || definition != value;
        definition = value;
    };
    for (const BandBoxEntry& e : BandBoxes) store(s.*e.band, BandNumber(this->*e.box));
    for (const OperatorEntry& e : Operators) store(s.*e.op, static_cast<int16_t>((this->*e.list).ListIndex()));
    for (std::size_t i = 0; i < std::size(MeanChoices); ++i)
        store(s.UseAverage[i], (this->*MeanChoices[i].useAverage).Value() ? -1 : 0);
    // The values of the last pass are another definition's now, not the spectrum's.
    if (changed) ForgetIndexPassForNewDefinitions(s);
    Unload();
    // A settings file that cannot be written is reported by the writer; the definitions hold.
    WriteSettingsFile(ContextsOf(app).Files());
}

void KineticDefsForm::Command2_Click() { Unload(); }

void KineticDefsForm::Form_KeyPress(int16_t& KeyAscii) {
    if (CloseOnEscape(*this, KeyAscii) || !TakeEnter(KeyAscii)) return;
    const std::array<Control*, 22> order = TabOrder();
    const auto at = std::find(order.begin(), order.end(), ActiveControl());
    if (at == order.end()) return;
    const int tabIndex = static_cast<int>(at - order.begin()) + 1;
    if (tabIndex <= LastTabIndexThatMovesOn) order[static_cast<std::size_t>(tabIndex)]->SetFocus();
}

}  // namespace tav
