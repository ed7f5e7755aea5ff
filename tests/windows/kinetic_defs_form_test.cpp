// The kinetic definitions dialog on the program's main window: what it shows of the index
// definitions, what OK stores and writes, Cancel and Escape, and Enter walking the focus.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DialogWorld.h"
#include "windows/KineticDefsForm.h"

namespace tav {
namespace {

struct KineticDefsTest : test::DialogTest<KineticDefsForm> {
    void SetUp() override {
        DialogTest::SetUp();
        s.NumOfBands = 4;
        s.BandStart.assign(5, 500.0f);
        s.BandEnd.assign(5, 510.0f);
        s.RatioNumerator = 1;
        s.RatioDenominator = 2;
        s.NormDiffX = 3;
        s.NormDiffY = 4;
        s.ExpBand1 = 1;
        s.ExpBand2 = 2;
        s.ExpBand3 = 3;
        s.ExpBand4 = 4;
        s.ExpOp1 = 0;
        s.ExpOp2 = 3;
        s.ExpOp3 = 1;
        s.DerivativeBand = 2;
        s.IntegralBand = 3;
        s.AverageBand = 4;
        s.UseAverage = {0, -1, 0, 0};
    }
};

TEST_F(KineticDefsTest, ShowsTheStoredDefinitions) {
    s.RatioDenominator = -3;
    KineticDefsForm& form = Open();
    EXPECT_EQ(form.Caption(), "Kinetic Definitions");
    EXPECT_TRUE(form.KeyPreview());

    // Band numbers as the number's text, a blank before a number that is not negative.
    const std::vector<std::pair<TextBox*, std::string>> boxes = {
        {&form.NumeratorBox, " 1"}, {&form.DenominatorBox, "-3"}, {&form.BandXBox, " 3"},
        {&form.BandYBox, " 4"},     {&form.Band1Box, " 1"},       {&form.Band2Box, " 2"},
        {&form.Band3Box, " 3"},     {&form.Band4Box, " 4"},       {&form.DerivativeBox, " 2"},
        {&form.IntegralBox, " 3"},  {&form.AverageBox, " 4"},
    };
    for (const auto& [box, text] : boxes) EXPECT_EQ(box->Text(), text) << box->Name();

    for (ListBox* list : {&form.Op1Box, &form.Op2Box, &form.Op3Box}) {
        ASSERT_EQ(list->ListCount(), 4);
        EXPECT_EQ(list->List(0), " +");
        EXPECT_EQ(list->List(1), " -");
        EXPECT_EQ(list->List(2), " *");
        EXPECT_EQ(list->List(3), " /");
    }
    EXPECT_EQ(form.Op1Box.ListIndex(), 0);
    EXPECT_EQ(form.Op2Box.ListIndex(), 3);
    EXPECT_EQ(form.Op3Box.ListIndex(), 1);

    EXPECT_TRUE(form.RatioUseIntegralOpt.Value());
    EXPECT_FALSE(form.RatioUseAverageOpt.Value());
    EXPECT_TRUE(form.NormDiffUseAverageOpt.Value());
    EXPECT_FALSE(form.NormDiffUseIntegralOpt.Value());
    EXPECT_TRUE(form.ExpUseIntegralOpt.Value());
    // Each pair excludes only its partner.
    EXPECT_NE(form.RatioUseAverageOpt.Container(), form.NormDiffUseAverageOpt.Container());
    EXPECT_NE(form.NormDiffUseAverageOpt.Container(), form.ExpUseAverageOpt.Container());
}

TEST_F(KineticDefsTest, AFlagOtherThanZeroOrMinusOneShowsTheMeansThatThePassUsesAndOkKeepsThem) {
    // The index pass takes band means for any flag but 0 (an edited settings file may hold one).
    for (int16_t flag : {1, 2, -2, 32767}) {
        SCOPED_TRACE(flag);
        s.UseAverage = {flag, 0, flag, 0};
        KineticDefsForm& form = Open();
        EXPECT_TRUE(form.RatioUseAverageOpt.Value());
        EXPECT_FALSE(form.RatioUseIntegralOpt.Value());
        EXPECT_TRUE(form.NormDiffUseIntegralOpt.Value());
        EXPECT_TRUE(form.ExpUseAverageOpt.Value());
        EXPECT_FALSE(form.ExpUseIntegralOpt.Value());
        form.Command1.UserClick();
        EXPECT_EQ(s.UseAverage[0], -1);
        EXPECT_EQ(s.UseAverage[1], 0);
        EXPECT_EQ(s.UseAverage[2], -1);
    }
}

TEST_F(KineticDefsTest, OkStoresEveryBoxListAndOptionAndWritesTheSettings) {
    KineticDefsForm& form = Open();
    struct Entry {
        TextBox* box;
        const char* typed;
        int16_t ProgramState::*band;
        int16_t stored;
    };
    const Entry entries[] = {
        {&form.NumeratorBox, "", &ProgramState::RatioNumerator, 0},        // no number: not defined
        {&form.DenominatorBox, "two", &ProgramState::RatioDenominator, 0},
        {&form.BandXBox, "2.5", &ProgramState::NormDiffX, 2},              // halves to even
        {&form.BandYBox, "3.5", &ProgramState::NormDiffY, 4},
        {&form.Band1Box, " 7 ", &ProgramState::ExpBand1, 7},               // above NumOfBands: kept
        {&form.Band2Box, "-1", &ProgramState::ExpBand2, -1},
        {&form.Band3Box, "99999", &ProgramState::ExpBand3, 32767},         // held to 16 bits
        {&form.Band4Box, "4abc", &ProgramState::ExpBand4, 4},
        {&form.DerivativeBox, "1", &ProgramState::DerivativeBand, 1},
        {&form.IntegralBox, "2", &ProgramState::IntegralBand, 2},
        {&form.AverageBox, "1e1", &ProgramState::AverageBand, 10},
    };
    for (const Entry& e : entries) e.box->UserEdit(e.typed);
    form.Op1Box.UserSelect(2);
    form.Op3Box.UserSelect(3);
    form.RatioUseAverageOpt.UserClick();
    form.NormDiffUseIntegralOpt.UserClick();
    EXPECT_EQ(s.RatioNumerator, 1) << "nothing stored before OK";
    EXPECT_EQ(s.ExpOp1, 0);

    form.Command1.UserClick();
    EXPECT_FALSE(IsOpen());
    for (const Entry& e : entries) EXPECT_EQ(s.*e.band, e.stored) << e.box->Name();
    EXPECT_EQ(s.ExpOp1, 2);
    EXPECT_EQ(s.ExpOp2, 3);
    EXPECT_EQ(s.ExpOp3, 3);
    EXPECT_EQ(s.UseAverage[0], -1);
    EXPECT_EQ(s.UseAverage[1], 0);
    EXPECT_EQ(s.UseAverage[2], 0);

    const std::string settings = Settings();
    for (const char* line : {"\r\nRatio Numerator=0\r\n", "\r\nNorm. Diff. Y=4\r\n", "\r\nExp. Band 3=32767\r\n",
                             "\r\nExp. Op 1=2\r\n", "\r\nAverage=10\r\n", "\r\nRatio Use Average=-1\r\n",
                             "\r\nNormDiff Use Average=0\r\n"}) {
        EXPECT_NE(settings.find(line), std::string::npos) << line;
    }
}

TEST_F(KineticDefsTest, AnOperatorWithoutAnEntryIsStoredAsNone) {
    s.ExpOp1 = -1;
    s.ExpOp2 = 7;  // from a hand-edited settings file
    KineticDefsForm& form = Open();
    EXPECT_EQ(form.Op1Box.ListIndex(), -1);
    EXPECT_EQ(form.Op2Box.ListIndex(), -1);
    form.Command1.UserClick();
    EXPECT_EQ(s.ExpOp1, -1);
    EXPECT_EQ(s.ExpOp2, -1);
    EXPECT_EQ(s.ExpOp3, 1);
}

TEST_F(KineticDefsTest, CancelAndEscapeStoreNothing) {
    for (bool escape : {false, true}) {
        SCOPED_TRACE(escape);
        KineticDefsForm& form = Open();
        form.NumeratorBox.UserEdit("9");
        form.Op2Box.UserSelect(0);
        form.RatioUseAverageOpt.UserClick();
        if (escape) EXPECT_EQ(form.UserKeyPress(&form.NumeratorBox, 27), 0);
        else form.Command2.UserClick();
        EXPECT_FALSE(IsOpen());
        EXPECT_EQ(s.RatioNumerator, 1);
        EXPECT_EQ(s.ExpOp2, 3);
        EXPECT_EQ(s.UseAverage[0], 0);
        EXPECT_EQ(Settings(), Untouched);
    }
}

TEST_F(KineticDefsTest, EnterWalksTheFocusToOkAndNoFurther) {
    KineticDefsForm& form = Open();
    EXPECT_EQ(w.app.forms.FocusControl(), &form.NumeratorBox) << "the first in tab order";
    const std::vector<std::string> walk = {
        "DenominatorBox", "RatioUseIntegralOpt", "RatioUseAverageOpt", "BandXBox", "BandYBox",
        "NormDiffUseIntegralOpt", "NormDiffUseAverageOpt", "Band1Box", "Op1Box", "Band2Box", "Op2Box",
        "Band3Box", "Op3Box", "Band4Box", "ExpUseIntegralOpt", "ExpUseAverageOpt", "DerivativeBox",
        "IntegralBox", "AverageBox", "Command1", "Command1"};
    for (const std::string& next : walk) {
        Control* focused = w.app.forms.FocusControl();
        ASSERT_NE(focused, nullptr);
        EXPECT_EQ(form.UserKeyPress(focused, 13), 0) << "Enter goes no further";
        ASSERT_EQ(w.app.forms.FocusControl()->Name(), next);
    }
    form.UserFocus(&form.Command2);
    form.UserKeyPress(&form.Command2, 13);
    EXPECT_EQ(w.app.forms.FocusControl(), &form.Command2);
    // Walking through the option buttons chose none of them, and Enter stored nothing.
    EXPECT_TRUE(form.RatioUseIntegralOpt.Value());
    EXPECT_TRUE(form.NormDiffUseAverageOpt.Value());
    EXPECT_TRUE(IsOpen());
    EXPECT_EQ(Settings(), Untouched);
}

TEST_F(KineticDefsTest, ABandBoxSelectsItsTextWithTheLeadingBlankOnFocus) {
    s.IntegralBand = 12;
    KineticDefsForm& form = Open();
    form.UserFocus(&form.IntegralBox);
    EXPECT_EQ(form.IntegralBox.SelStart(), 0);
    EXPECT_EQ(form.IntegralBox.SelText(), " 12");
}

}  // namespace
}  // namespace tav
