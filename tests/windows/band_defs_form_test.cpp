// The band definitions dialog on the program's main window: the count of bands and the list
// following every change of its text, start and end stored as typed, and every way of closing
// writing the settings file.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DialogWorld.h"
#include "windows/BandDefsForm.h"

namespace tav {
namespace {

struct BandDefsTest : test::DialogTest<BandDefsForm> {
    void SetUp() override {
        DialogTest::SetUp();
        Define(4);
    }
    // Band k from 400 + 10k to 405 + 10k nm.
    void Define(int count) {
        s.NumOfBands = static_cast<int16_t>(count);
        s.BandStart.assign(count + 1, 0.0f);
        s.BandEnd.assign(count + 1, 0.0f);
        for (int k = 1; k <= count; ++k) {
            s.BandStart[k - 1] = 400.0f + 10.0f * k;
            s.BandEnd[k - 1] = 405.0f + 10.0f * k;
        }
    }
    static std::vector<std::string> Entries(const ListBox& list) {
        std::vector<std::string> entries;
        for (int i = 0; i < list.ListCount(); ++i) entries.push_back(list.List(i));
        return entries;
    }
    static std::vector<std::string> BandNames(int count) {
        std::vector<std::string> names;
        for (int k = 1; k <= count; ++k) names.push_back("Band" + std::to_string(k));
        return names;
    }
};

TEST_F(BandDefsTest, ShowsTheCountAndOneEntryPerBand) {
    BandDefsForm& form = Open();
    EXPECT_EQ(form.Caption(), "Band Definitions");
    EXPECT_TRUE(form.KeyPreview());
    EXPECT_EQ(form.NumOfBandsBox.Text(), "4");
    EXPECT_EQ(Entries(form.List1), BandNames(4));
    EXPECT_EQ(form.List1.ListIndex(), -1);
    EXPECT_EQ(form.BandStartBox.Text(), "");
    EXPECT_EQ(s.BandStart, (std::vector<float>{410, 420, 430, 440, 0}));
}

TEST_F(BandDefsTest, TheCountTakesEffectAsItIsTyped) {
    struct Case {
        const char* name;
        int from;
        const char* typed;
        const char* boxAfter;
        int16_t count;
        std::vector<float> starts;  // BandStart after the edit
    };
    const std::vector<float> ten = {410, 420, 430, 440, 450, 460, 470, 480, 490, 500, 0};
    const Case cases[] = {
        {"fewer bands", 10, "4", "4", 4, {410, 420, 430, 440, 450}},
        {"more bands start at 0", 4, "6", "6", 6, {410, 420, 430, 440, 0, 0, 0}},
        {"a fraction rounds to even", 4, "2.5", "2.5", 2, {410, 420, 430}},
        {"no number yet changes nothing", 4, "", "", 4, {410, 420, 430, 440, 0}},
        {"a sign alone changes nothing", 10, "-", "-", 10, ten},
        {"a negative count is refused", 10, "-3", "-3", 10, ten},
        {"zero bands", 4, "0", "0", 0, {410}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Define(c.from);
        BandDefsForm& form = Open();
        form.NumOfBandsBox.UserEdit(c.typed);
        EXPECT_EQ(form.NumOfBandsBox.Text(), c.boxAfter);
        EXPECT_EQ(s.NumOfBands, c.count);
        EXPECT_EQ(s.BandStart, c.starts);
        EXPECT_EQ(s.BandEnd.size(), c.starts.size());
        EXPECT_EQ(Entries(form.List1), BandNames(c.count));
        form.Command1.UserClick();
    }
}

TEST_F(BandDefsTest, ACountAboveOneHundredBecomesOneHundred) {
    BandDefsForm& form = Open();
    form.NumOfBandsBox.UserEdit("150");
    EXPECT_EQ(form.NumOfBandsBox.Text(), "100");
    EXPECT_EQ(s.NumOfBands, 100);
    EXPECT_EQ(s.BandStart.size(), 101u);
    ASSERT_EQ(form.List1.ListCount(), 100);
    EXPECT_EQ(form.List1.List(99), "Band100");
    EXPECT_EQ(s.BandStart[3], 440.0f);
}

TEST_F(BandDefsTest, BandsDroppedByAPassingCountComeBackWithTheirValues) {
    Define(20);
    BandDefsForm& form = Open();
    // Typing 12 over 20 passes through 1.
    form.NumOfBandsBox.UserEdit("1");
    EXPECT_EQ(s.NumOfBands, 1);
    EXPECT_EQ(form.List1.ListCount(), 1);
    form.NumOfBandsBox.UserEdit("12");
    EXPECT_EQ(s.NumOfBands, 12);
    ASSERT_EQ(s.BandStart.size(), 13u);
    for (int k = 1; k <= 12; ++k) {
        EXPECT_EQ(s.BandStart[k - 1], 400.0f + 10.0f * k) << k;
        EXPECT_EQ(s.BandEnd[k - 1], 405.0f + 10.0f * k) << k;
    }
    EXPECT_EQ(Entries(form.List1), BandNames(12));
}

TEST_F(BandDefsTest, TheSelectedBandIsEditedInPlace) {
    s.BandStart[1] = 412.5f;
    BandDefsForm& form = Open();
    form.BandStartBox.UserEdit("999");
    EXPECT_EQ(s.BandStart, (std::vector<float>{410, 412.5f, 430, 440, 0})) << "no band selected yet";

    form.List1.UserSelect(1);
    EXPECT_EQ(form.BandStartBox.Text(), "412.5");
    EXPECT_EQ(form.BandEndBox.Text(), "425");
    form.BandStartBox.UserEdit("6");
    form.BandStartBox.UserEdit("65");
    form.BandStartBox.UserEdit("650");
    form.BandEndBox.UserEdit("nm");
    EXPECT_EQ(s.BandStart[1], 650.0f);
    EXPECT_EQ(s.BandEnd[1], 0.0f) << "no number stores 0";
    form.BandEndBox.UserEdit("600");
    EXPECT_EQ(s.BandEnd[1], 600.0f) << "start and end in any order";

    // Growing and shrinking keeps the edited values; a removed selected entry edits nothing.
    form.NumOfBandsBox.UserEdit("1");
    EXPECT_EQ(form.List1.ListIndex(), -1);
    form.BandStartBox.UserEdit("111");
    form.NumOfBandsBox.UserEdit("3");
    EXPECT_EQ(s.BandStart, (std::vector<float>{410, 650, 430, 440}));
    EXPECT_EQ(s.BandEnd[1], 600.0f);
}

TEST_F(BandDefsTest, EveryWayOfClosingKeepsTheEditsAndWritesTheSettings) {
    struct Case {
        const char* name;
        void (*close)(BandDefsForm&);
    };
    const Case cases[] = {
        {"OK", [](BandDefsForm& f) { f.Command1.UserClick(); }},
        {"Enter", [](BandDefsForm& f) { EXPECT_EQ(f.UserKeyPress(&f.BandEndBox, 13), 0); }},
        {"Escape", [](BandDefsForm& f) { EXPECT_EQ(f.UserKeyPress(&f.BandEndBox, 27), 0); }},
        {"close box", [](BandDefsForm& f) { f.UserClose(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        w.dir.Write("Prismel.INI", Untouched);
        Define(4);
        BandDefsForm& form = Open();
        form.NumOfBandsBox.UserEdit("3");
        form.List1.UserSelect(2);
        form.BandEndBox.UserEdit("477.25");
        c.close(form);
        EXPECT_FALSE(IsOpen());
        EXPECT_EQ(s.NumOfBands, 3);
        EXPECT_EQ(s.BandEnd[2], 477.25f);
        const std::string settings = Settings();
        EXPECT_NE(settings.find("\r\nNumber Of Bands=3\r\nBand Start 1=410\r\nBand End 1=415\r\n"), std::string::npos)
            << settings;
        EXPECT_NE(settings.find("\r\nBand End 3=477.25\r\n"), std::string::npos);
        EXPECT_EQ(settings.find("Band Start 4="), std::string::npos);
    }
}

TEST_F(BandDefsTest, ABoxSelectsItsTextWhenItGetsTheFocus) {
    BandDefsForm& form = Open();
    form.List1.UserSelect(0);
    for (TextBox* box : {&form.NumOfBandsBox, &form.BandStartBox, &form.BandEndBox}) {
        form.UserFocus(box);
        EXPECT_EQ(box->SelStart(), 0);
        EXPECT_EQ(box->SelText(), box->Text()) << box->Name();
    }
}

}  // namespace
}  // namespace tav
