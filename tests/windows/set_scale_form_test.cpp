// The scale dialog on the program's main window: what it shows for each chart window, edits that
// go straight into the scale settings, and the ways of closing it (the settings file rewritten by
// OK and Enter only).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "charts/ChartScaling.h"
#include "platform/Numbers.h"
#include "windows/DialogWorld.h"
#include "windows/SetScaleForm.h"

namespace tav {
namespace {

struct SetScaleTest : test::DialogTest<SetScaleForm> {
    static void Type(TextBox& box, const std::string& text) {
        // Key by key, as the operator types over the selected value.
        for (size_t n = 1; n <= text.size(); ++n) box.UserEdit(text.substr(0, n));
    }
};

TEST_F(SetScaleTest, OpensOnMainWithItsModeAndLimits) {
    s.AutoScaleOn[0] = 0;
    s.MinGridValue[0] = 0.5f;
    s.MaxGridValue[0] = -2.0f;
    s.AutoScaleOn[1] = -1;
    s.MinGridValue[1] = 1e-07f;
    s.MaxGridValue[1] = 1e20f;
    SetScaleForm& form = Open();

    EXPECT_EQ(form.Caption(), "Set Scale");
    EXPECT_TRUE(form.KeyPreview());
    const std::vector<std::string> names = {"Main",       "Ratio",    "Norm. Diff.", "Experimental",
                                            "Derivative", "Integral", "Average",     "Diagnostics"};
    ASSERT_EQ(form.List1.ListCount(), 8);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(form.List1.List(i), names[i]);
    EXPECT_EQ(form.List1.ListIndex(), 0);
    EXPECT_TRUE(form.ManualScale.Value());
    EXPECT_FALSE(form.AutoScale.Value());
    EXPECT_EQ(form.MinValBox.Text(), "0.5");
    EXPECT_EQ(form.MaxValBox.Text(), "-2");
    EXPECT_EQ(form.AutoScale.Container(), &form.Picture1);
    EXPECT_EQ(form.ManualScale.Container(), &form.Picture1);

    form.List1.UserSelect(1);
    EXPECT_TRUE(form.AutoScale.Value());
    EXPECT_FALSE(form.ManualScale.Value());
    EXPECT_EQ(form.MinValBox.Text(), "1E-07");
    EXPECT_EQ(form.MaxValBox.Text(), "1E+20");
    // Showing a value stores what its text reads back, which is the same value.
    EXPECT_EQ(s.MinGridValue[1], 1e-07f);
    EXPECT_EQ(s.MaxGridValue[1], 1e20f);
    EXPECT_EQ(s.AutoScaleOn[0], 0);
}

TEST_F(SetScaleTest, EditsGoStraightIntoTheWindowsSettingsAndOkWritesThem) {
    for (int i = 0; i < 8; ++i) s.AutoScaleOn[i] = -1;
    SetScaleForm& form = Open();
    form.List1.UserSelect(1);
    form.ManualScale.UserClick();
    EXPECT_EQ(s.AutoScaleOn[1], 0);

    form.UserFocus(&form.MinValBox);
    Type(form.MinValBox, "0.2");
    EXPECT_EQ(s.MinGridValue[1], 0.2f);
    Type(form.MaxValBox, "0.8");
    EXPECT_EQ(s.MaxGridValue[1], 0.8f);
    EXPECT_EQ(s.AutoScaleOn[0], -1) << "only the selected window changes";
    EXPECT_EQ(Settings(), Untouched) << "nothing written while editing";

    // The Ratio chart takes the limits at its next drawing.
    SlotRecord& ratio = s.SlotInfo[slot::Ratio];
    ratio.NumPoints = 3;
    ratio.XMin = 0;
    ratio.XMax = 2;
    for (int i = 0; i < 3; ++i) {
        s.XData[slot::Ratio][i] = static_cast<float>(i);
        s.Ch1Data[slot::Ratio][i] = 5.0f + static_cast<float>(i);
    }
    s.PlotHeight = 600;
    ScaleChartData(s, slot::Ratio);
    EXPECT_EQ(ratio.YMin, 0.2f);
    EXPECT_EQ(ratio.YMax, 0.8f);

    form.Command1.UserClick();
    EXPECT_FALSE(IsOpen());
    const std::string settings = Settings();
    EXPECT_NE(settings.find("\r\nAuto Scale On=-1 0 -1 -1 -1 -1 -1 -1\r\n"), std::string::npos) << settings;
    EXPECT_NE(settings.find("\r\nMin Grid Value=0 .2 0 0 0 0 0 0\r\n"), std::string::npos) << settings;
    EXPECT_NE(settings.find("\r\nMax Grid Value=1 .8 1 1 1 1 1 1\r\n"), std::string::npos) << settings;
}

TEST_F(SetScaleTest, EnterWritesTheSettingsEscapeOnlyCloses) {
    struct Case {
        int16_t key;
        bool written;
    };
    for (const Case c : {Case{13, true}, Case{27, false}}) {
        SCOPED_TRACE(c.key);
        w.dir.Write("Prismel.INI", Untouched);
        s.AutoScaleOn[3] = -1;
        SetScaleForm& form = Open();
        form.List1.UserSelect(3);
        form.ManualScale.UserClick();
        Type(form.MaxValBox, "42");
        EXPECT_EQ(form.UserKeyPress(&form.MaxValBox, c.key), 0) << "the key goes no further";
        EXPECT_FALSE(IsOpen());
        // The edits stay in force either way.
        EXPECT_EQ(s.AutoScaleOn[3], 0);
        EXPECT_EQ(s.MaxGridValue[3], 42.0f);
        EXPECT_EQ(Settings() != Untouched, c.written);
    }
}

TEST_F(SetScaleTest, TypedLimitsAreStoredUncheckedAndTextWithoutANumberIsZero) {
    SetScaleForm& form = Open();
    form.List1.UserSelect(7);
    form.MinValBox.UserEdit("high");
    EXPECT_EQ(s.MinGridValue[7], 0.0f);
    form.MinValBox.UserEdit(" 9.5e1 volts");
    EXPECT_EQ(s.MinGridValue[7], 95.0f);
    form.MaxValBox.UserEdit("-3");
    EXPECT_EQ(s.MaxGridValue[7], -3.0f) << "a minimum above the maximum is kept";
    form.MaxValBox.UserEdit("95");
    EXPECT_EQ(s.MaxGridValue[7], 95.0f) << "equal limits are kept";
    form.MaxValBox.UserEdit("1e60");
    EXPECT_EQ(s.MaxGridValue[7], 3.4028235e38f) << "held to the largest single";
}

TEST_F(SetScaleTest, AFlagOtherThanTrueShowsManualAsTheChartsScaleIt) {
    for (int16_t flag : {1, 2, -2}) {
        SCOPED_TRACE(flag);
        s.AutoScaleOn[2] = flag;
        SetScaleForm& form = Open();
        form.List1.UserSelect(2);
        EXPECT_TRUE(form.ManualScale.Value());
        EXPECT_FALSE(form.AutoScale.Value());
        EXPECT_EQ(s.AutoScaleOn[2], 0);
        form.Unload();
    }
}

TEST_F(SetScaleTest, ALimitBoxSelectsItsTextWhenItGetsTheFocus) {
    s.MinGridValue[0] = 123.25f;
    SetScaleForm& form = Open();
    form.UserFocus(&form.MaxValBox);
    form.UserFocus(&form.MinValBox);
    EXPECT_EQ(form.MinValBox.SelStart(), 0);
    EXPECT_EQ(form.MinValBox.SelText(), "123.25");
}

TEST(ScaleLimitText, ShortestTextThatReadsBackAsTheSameSingle) {
    struct Case {
        float value;
        const char* text;
    };
    const Case cases[] = {
        {0.5f, "0.5"},   {0.0f, "0"},         {-2.0f, "-2"},        {-0.25f, "-0.25"},
        {0.2f, "0.2"},   {123456.7f, "123456.7"}, {1e-07f, "1E-07"}, {1e20f, "1E+20"},
        {0.1f + 0.2f, "0.3"},
    };
    for (const Case& c : cases) EXPECT_EQ(ScaleLimitText(c.value), c.text) << c.value;
    for (float v : {0.123456789f, 3.4028235e38f, -1.17549435e-38f, 16777217.0f, 0.3000001f}) {
        EXPECT_EQ(ToSingleClamped(Val(ScaleLimitText(v))), v) << ScaleLimitText(v);
    }
}

}  // namespace
}  // namespace tav
