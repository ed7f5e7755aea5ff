// The transform dialog: what its boxes give for A, B and C, OK handing over to the two-file
// dialog (or not, when all three are 0), Cancel and Escape keeping the previous values, and
// Enter walking from box to box.

#include <gtest/gtest.h>

#include <cfloat>

#include "two_file_fixtures.h"
#include "windows/TransDlgForm.h"

namespace tav {
namespace {

using test::DialogWorld;

constexpr int16_t Enter = 13;
constexpr int16_t Escape = 27;

struct TransformWorld : DialogWorld {
    TransDlgForm& Transform() {
        TransDlgForm& form = app.forms.Get<TransDlgForm>();
        form.Show();
        return form;
    }
    void Fill(TransDlgForm& form, const std::string& a, const std::string& b, const std::string& c) {
        form.ABox.UserEdit(a);
        form.BBox.UserEdit(b);
        form.CBox.UserEdit(c);
    }
    void Previous(float a, float b, float c) {
        state->TransFactor1 = a;
        state->TransFactor2 = b;
        state->TransOffset = c;
    }
    void ExpectValues(float a, float b, float c) {
        EXPECT_EQ(state->TransFactor1, a);
        EXPECT_EQ(state->TransFactor2, b);
        EXPECT_EQ(state->TransOffset, c);
    }
};

TEST(TransDlgForm, OpensWithEmptyBoxesAndTheFocusInTheFirst) {
    TransformWorld w;
    w.Previous(4, 5, 6);
    TransDlgForm& form = w.Transform();
    EXPECT_EQ(form.Caption(), "Transform Values");
    EXPECT_EQ(form.Label1.Caption(), "\"Transform\" modifies files according to the following formula.");
    EXPECT_EQ(form.Label9.Caption(), "Output File = A * File1 + B * File2 + C");
    EXPECT_EQ(form.Label8.Caption(), "Enter the values for A, B, and C.");
    EXPECT_EQ(form.Label2.Caption(), "Output File  = ");
    EXPECT_EQ(form.Label3.Caption(), " * File 1  +");
    EXPECT_EQ(form.Label4.Caption(), " * File2  +");
    for (TextBox* box : {&form.ABox, &form.BBox, &form.CBox}) EXPECT_EQ(box->Text(), "");
    EXPECT_TRUE(form.ABox.HasFocus());
}

TEST(TransDlgForm, EachBoxGivesItsLeadingNumber) {
    const struct {
        const char* text;
        float value;
    } cases[] = {
        {"2abc", 2}, {"abc", 0}, {"", 0}, {" -1.5e1", -15}, {"0.25", 0.25f}, {"1e999", FLT_MAX}, {"-1e60", -FLT_MAX},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        TransformWorld w;
        TransDlgForm& form = w.Transform();
        w.Fill(form, c.text, "1", c.text);
        form.Command1.UserClick();
        w.ExpectValues(c.value, 1, c.value);
        EXPECT_EQ(w.app.forms.Find<TransDlgForm>(), nullptr);
    }
}

TEST(TransDlgForm, OkStartsTheTwoFileDialogUnlessAllValuesAreZero) {
    {
        TransformWorld w;
        TransDlgForm& form = w.Transform();
        w.Fill(form, "0", "", "x");
        form.Command1.UserClick();
        EXPECT_EQ(w.app.forms.Find<TransDlgForm>(), nullptr);
        EXPECT_EQ(w.Dialog(), nullptr);
        EXPECT_NE(w.state->FileDialogMode, 5);
    }
    {
        TransformWorld w;
        TransDlgForm& form = w.Transform();
        w.Fill(form, "0", "2", "");
        form.Command1.UserClick();
        ASSERT_NE(w.Dialog(), nullptr);
        EXPECT_EQ(w.state->FileDialogMode, 5);
        EXPECT_EQ(w.Dialog()->Caption(), "Name of Second File?");
    }
}

TEST(TransDlgForm, CancelAndEscapeKeepThePreviousValues) {
    for (bool escape : {false, true}) {
        SCOPED_TRACE(escape ? "Escape" : "Cancel");
        TransformWorld w;
        w.Previous(1, -1, 0.5f);
        TransDlgForm& form = w.Transform();
        w.Fill(form, "7", "8", "9");
        if (escape) {
            form.CBox.SetFocus();
            form.UserKeyPress(&form.CBox, Escape);
        } else {
            form.Command2.UserClick();
        }
        EXPECT_EQ(w.app.forms.Find<TransDlgForm>(), nullptr);
        EXPECT_EQ(w.Dialog(), nullptr);
        w.ExpectValues(1, -1, 0.5f);
        // The next opening starts empty again.
        EXPECT_EQ(w.Transform().ABox.Text(), "");
    }
}

TEST(TransDlgForm, EnterWalksFromBoxToBoxAndThenPressesOk) {
    TransformWorld w;
    TransDlgForm& form = w.Transform();
    form.ABox.UserEdit("1");
    EXPECT_EQ(form.UserKeyPress(&form.ABox, Enter), 0);
    EXPECT_TRUE(form.BBox.HasFocus());
    form.BBox.UserEdit("-1");
    EXPECT_EQ(form.UserKeyPress(&form.BBox, Enter), 0);
    EXPECT_TRUE(form.CBox.HasFocus());
    form.CBox.UserEdit("1234567890123456789012345");
    EXPECT_EQ(form.UserKeyPress(&form.CBox, Enter), 0);
    EXPECT_TRUE(form.Command1.HasFocus());
    EXPECT_EQ(form.CBox.Text(), "1234567890123456789012345");
    form.CBox.UserEdit("0");
    form.UserKeyPress(&form.Command1, Enter);
    EXPECT_EQ(w.app.forms.Find<TransDlgForm>(), nullptr);
    w.ExpectValues(1, -1, 0);
    EXPECT_NE(w.Dialog(), nullptr);
}

TEST(TransDlgForm, ABoxThatGetsTheFocusSelectsItsFirstTwentyCharacters) {
    TransformWorld w;
    TransDlgForm& form = w.Transform();
    form.BBox.UserEdit("1234567890123456789012345");
    form.BBox.SetFocus();
    EXPECT_EQ(form.BBox.SelStart(), 0);
    EXPECT_EQ(form.BBox.SelLength(), 20);
}

TEST(TransDlgForm, OneMinusOneAndZeroGiveTheSubtractionUnderTheTransformHeader) {
    TransformWorld w;
    TransDlgForm& form = w.Transform();
    w.Fill(form, "1", "-1", "0");
    form.Command1.UserClick();
    GetFileName& dialog = w.OpenDialog();
    dialog.RawData.UserClick();
    w.EnterName("one.rdg");
    w.EnterName("two.rdg");
    EXPECT_EQ(w.Dialog(), nullptr);
    EXPECT_EQ(w.state->Ch1Data[0][0], 8.0f - 2.0f);
    EXPECT_EQ(w.state->Ch1Data[0][1], 6.0f - 3.0f);
    EXPECT_TRUE(w.HeaderShows("TRANSFORM (Raw Data)"));
}

}  // namespace
}  // namespace tav
