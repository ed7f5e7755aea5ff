// What is filed next to a spectrum is that spectrum's: an index whose divisor is 0 has no value
// ("NaN" in the log, the index window and on paper, no point in its kinetic chart) instead of
// the spectrum before's; after a change of the band or index definitions a save files the
// values of the spectrum on display under the definitions in force; and a save that fails
// leaves no kinetic log line.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "windows/BandDefsForm.h"
#include "windows/IndexForm.h"
#include "windows/KineticDefsForm.h"
#include "windows/KineticForms.h"
#include "windows/two_file_fixtures.h"

namespace tav {
namespace {

using test::SpectrumFileText;

// Bands 1 to 3 are the single points at 402, 404 and 406 nm: their means are those points.
std::string Spectrum(float band1, float band2, float band3) {
    return SpectrumFileText({{400, 1, 1}, {401, 1, 1}, {402, band1, 1}, {403, 1, 1}, {404, band2, 1},
                             {405, 1, 1}, {406, band3, 1}, {407, 1, 1}});
}

struct IndexValuesFiled : ::testing::Test {
    test::MainWindowWorld w{false};

    void SetUp() override {
        w.dir.MakeDir("DATA");
        // Ratio 8 / 4 = 2, normalized difference (8 - 2) / (8 + 2) = 0.6, experimental
        // (8 + 8) / (4 * 8) = 0.5.
        w.dir.Write("DATA/lit.rdg", Spectrum(8, 4, 2));
        // Every divisor 0: 5 / 0, (5 + 5) / (5 - 5), (5 + 5) / (0 * 5).
        w.dir.Write("DATA/dark.rdg", Spectrum(5, 0, -5));
        w.Start(true);
        ProgramState& s = *w.state;
        s.DefaultPath = w.dir.File("DATA");
        s.AutoScaleOn.fill(-1);
        s.ViewReflectance = false;
        s.NumOfBands = 3;
        s.BandStart = {401.9f, 403.9f, 405.9f, 0.0f};
        s.BandEnd = {402.1f, 404.1f, 406.1f, 0.0f};
        s.UseAverage = {-1, -1, -1, 0};
        s.RatioNumerator = 1, s.RatioDenominator = 2;
        s.NormDiffX = 1, s.NormDiffY = 3;
        s.ExpBand1 = s.ExpBand2 = s.ExpBand4 = 1, s.ExpBand3 = 2;
        s.ExpOp1 = 0, s.ExpOp2 = 3, s.ExpOp3 = 2;
        s.AverageBand = 3;
        MenuChecks& m = s.Menu;
        m.ActivateRatio = m.ActivateNormDiff = m.ActivateExperimental = m.ActivateAverage = true;
        w.PastWelcome();
    }
    ProgramState& S() { return *w.state; }
    std::string InData(const std::string& name) { return w.dir.File("DATA") + "/" + name; }

    void ReadFile(const std::string& name) {
        w.op.AnswerOpen(InData(name));
        w.Type('F');
    }
    void Save(const std::string& name) {
        w.op.AnswerSave(InData(name));
        w.Type('S');
    }
    // The last line of a kinetic log, without its line end.
    std::string LastLogLine(const char* log) {
        std::string text = w.dir.Read(log);
        if (text.size() < 2) return "";
        text.resize(text.size() - 2);
        const std::size_t end = text.rfind("\r\n");
        return end == std::string::npos ? text : text.substr(end + 2);
    }
    std::vector<std::string> IndexWindow() {
        return HeadlessHost::CanvasOf(w.app.forms.Get<IndexForm>()).PrintedTexts();
    }
};

bool Has(const std::vector<std::string>& texts, const std::string& text) {
    for (const std::string& t : texts)
        if (t == text) return true;
    return false;
}
bool HasPart(const std::vector<std::string>& texts, const std::string& part) {
    for (const std::string& t : texts)
        if (t.find(part) != std::string::npos) return true;
    return false;
}
bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

TEST_F(IndexValuesFiled, AZeroDivisorLeavesTheIndexWithoutAValueWhereverItIsShown) {
    ProgramState& s = S();
    w.Mdi().ViewRatioForm.UserClick();
    w.Mdi().ViewNormDiffForm.UserClick();
    ReadFile("lit.rdg");
    Save("lit-saved.rdg");
    const struct {
        const char* log;
        const char* readout;
        const char* value;
    } indices[] = {
        {"~Ratio.Tmp", "Ratio = ", "2."},
        {"~NormDif.Tmp", "Normalized Difference = ", ".6"},
        {"~Exper.Tmp", "Experimental = ", ".5"},
    };
    for (const auto& index : indices) {
        const std::string line = LastLogLine(index.log);
        ASSERT_NE(line.find("lit-saved.rdg"), std::string::npos) << line;
        ASSERT_TRUE(EndsWith(line, std::string("Secs  ") + index.value)) << line;
    }
    ASSERT_EQ(s.SlotInfo[slot::Ratio].NumPoints, 1);
    ASSERT_EQ(s.SlotInfo[slot::NormDiff].NumPoints, 1);

    ReadFile("dark.rdg");
    Save("dark-saved.rdg");
    const std::vector<std::string> readout = IndexWindow();
    const std::vector<std::string> printed = w.PrintWithIndex();
    for (const auto& index : indices) {
        SCOPED_TRACE(index.log);
        const std::string line = LastLogLine(index.log);
        EXPECT_NE(line.find("dark-saved.rdg"), std::string::npos) << line;
        EXPECT_TRUE(EndsWith(line, "Secs  NaN")) << line;
        EXPECT_TRUE(Has(readout, std::string(index.readout) + "NaN")) << index.readout;
        EXPECT_TRUE(Has(printed, std::string(index.readout) + " NaN ")) << index.readout;
    }
    EXPECT_NE(LastLogLine("~Average.Tmp").find("dark-saved.rdg"), std::string::npos) << "the other indices log on";
    // The kinetic charts draw nothing for the dark file, neither at the pass nor on a repaint.
    w.app.forms.Get<RatioForm>().Form_Paint();
    EXPECT_EQ(s.SlotInfo[slot::Ratio].NumPoints, 1);
    EXPECT_EQ(s.SlotInfo[slot::NormDiff].NumPoints, 1);
    EXPECT_EQ(s.Ch1Data[slot::Ratio][0], 2.0f);

    // The next spectrum with a value is charted and logged again.
    ReadFile("lit.rdg");
    EXPECT_EQ(s.SlotInfo[slot::Ratio].NumPoints, 2);
    EXPECT_EQ(s.Ch1Data[slot::Ratio][1], 2.0f);
}

TEST_F(IndexValuesFiled, NewDefinitionsAreFiledWithTheValuesOfTheSpectrumOnDisplay) {
    const struct {
        const char* change;
        std::function<void(test::MainWindowWorld&)> redefine;
        const char* logged;  // the average of lit.rdg under the new definitions
        const char* printed;
    } cases[] = {
        {"the Average index moved from band 3 to band 1",
         [](test::MainWindowWorld& w) {
             w.Mdi().KinDefs.UserClick();
             KineticDefsForm& d = w.app.forms.Get<KineticDefsForm>();
             d.AverageBox.UserEdit("1");
             d.Command1.UserClick();
         },
         "Secs  8.", "Average =  8 "},
        {"band 3 moved onto the point at 404 nm",
         [](test::MainWindowWorld& w) {
             w.Mdi().BandDefs.UserClick();
             BandDefsForm& d = w.app.forms.Get<BandDefsForm>();
             d.List1.UserSelect(2);
             d.BandStartBox.UserEdit("403.9");
             d.BandEndBox.UserEdit("404.1");
             d.Command1.UserClick();
         },
         "Secs  4.", "Average =  4 "},
    };
    // OK on the definitions as they were changes nothing that was filed.
    ReadFile("lit.rdg");
    w.Mdi().KinDefs.UserClick();
    w.app.forms.Get<KineticDefsForm>().Command1.UserClick();
    EXPECT_TRUE(Has(w.PrintWithIndex(), "Average =  2 "));

    for (const auto& c : cases) {
        SCOPED_TRACE(c.change);
        ReadFile("lit.rdg");
        ASSERT_EQ(S().AverageValue, 2.0f);
        c.redefine(w);
        EXPECT_FALSE(HasPart(w.PrintWithIndex(), "Average = ")) << "the old value is not printed";
        Save("redefined.rdg");
        const std::string line = LastLogLine("~Average.Tmp");
        EXPECT_NE(line.find("redefined.rdg"), std::string::npos) << line;
        EXPECT_TRUE(EndsWith(line, c.logged)) << line;
        EXPECT_TRUE(Has(w.PrintWithIndex(), c.printed));
        // Back to the definitions of the fixture for the next case.
        ProgramState& s = S();
        s.AverageBand = 3;
        s.BandStart[2] = 405.9f;
        s.BandEnd[2] = 406.1f;
    }
}

TEST_F(IndexValuesFiled, ASaveThatFailsLeavesNoLogLine) {
    const struct {
        const char* why;
        FsError error;
    } failures[] = {
        {"a full disk", FsError::NoSpace},
        {"a read-only folder", FsError::NoPermission},
        {"a failed replace", FsError::WriteError},
    };
    ProgramState& s = S();
    w.dir.Write("DATA/kept.rdg", "another scan\r\n");
    for (const auto& f : failures) {
        SCOPED_TRACE(f.why);
        const std::string logBefore = w.dir.Read("~Average.Tmp");
        ReadFile("lit.rdg");
        const std::size_t told = w.op.Messages().size();

        // The save key with a chosen name, and AutoSave after a scan.
        w.faulty.FailPath(FsOp::Write, InData("kept.rdg"), f.error);
        Save("kept.rdg");
        EXPECT_EQ(w.dir.Read("DATA/kept.rdg"), "another scan\r\n");
        s.AutoSaveOn = true;
        s.UserSuppliedName = false;
        s.AutoSaveName = "XYZ";
        s.AutoSaveCounter = 0;
        s.AutoSaveSeriesOpen = true;
        w.faulty.FailPath(FsOp::Write, InData("XYZ00001.rdg"), f.error);
        w.Type('N');
        s.AutoSaveOn = false;
        w.faulty.ClearFaults();
        EXPECT_FALSE(w.dir.Exists("DATA/XYZ00001.rdg"));
        EXPECT_EQ(w.op.Messages().size(), told + 2) << "both failures are told";
        EXPECT_EQ(w.dir.Read("~Average.Tmp"), logBefore) << "no line names a file that was not written";
    }
    // A save that goes through is logged.
    Save("written.rdg");
    EXPECT_NE(LastLogLine("~Average.Tmp").find("written.rdg"), std::string::npos);
}

}  // namespace
}  // namespace tav
