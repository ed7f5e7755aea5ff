// Index values are filed with the spectrum they were computed from. A processing result (the
// derivative, a file average, a divide) gets no index pass of its own: AutoSaved, it adds no
// line to the kinetic logs, and the printed index block under it shows no index values, where
// the values of the file overlaid before would have stood. A scan saved afterwards is logged
// and printed with its own values again.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "MainWindowWorld.h"
#include "windows/FileAverageForm.h"
#include "windows/GetFileName.h"
#include "windows/two_file_fixtures.h"

namespace tav {
namespace {

using test::SpectrumFileText;

constexpr const char* Logs[] = {"~Integ.Tmp", "~Average.Tmp", "~Deriv.Tmp"};

struct IndexValuesOfResults : ::testing::Test {
    test::MainWindowWorld w{false};

    void SetUp() override {
        w.dir.MakeDir("DATA");
        w.dir.Write("DATA/one.rdg",
                    SpectrumFileText({{400, 8, 2}, {401, 6, 4}, {402, 5, 5}, {403, 9, 3}, {404, 7, 7}}));
        w.dir.Write("DATA/two.rdg",
                    SpectrumFileText({{400, 2, 4}, {401, 3, 1}, {402, 9, 3}, {403, 4, 4}, {404, 6, 2}}));
        w.Start(true);
        ProgramState& s = *w.state;
        s.DefaultPath = w.dir.File("DATA");
        s.AutoScaleOn.fill(-1);
        s.NumOfBands = 1;
        s.BandStart = {400.5f};
        s.BandEnd = {403.5f};
        s.IntegralBand = s.AverageBand = s.DerivativeBand = 1;
        MenuChecks& m = s.Menu;
        m.ActivateIntegral = m.ActivateAverage = m.ActivateDerivative = true;
        w.PastWelcome();
        s.AutoSaveOn = true;
        s.UserSuppliedName = false;
        s.AutoSaveName = "XYZ";
        s.AutoSaveCounter = 0;
    }
    ProgramState& S() { return *w.state; }
    std::string InData(const std::string& name) { return w.dir.File("DATA") + "/" + name; }

    void OverlayFile(const std::string& name) {
        w.op.AnswerOpen(InData(name));
        w.Type('L');
    }
    void Average() {
        w.Mdi().Average.UserClick();
        FileAverageForm& d = w.app.forms.Get<FileAverageForm>();
        for (const char* name : {"one.rdg", "two.rdg"}) {
            d.FileNameBox.SetFocus();
            d.FileNameBox.UserEdit(name);
            d.UserKeyPress(&d.FileNameBox, 13);
        }
        d.Command1.UserClick();
    }
    void Divide() {
        w.Mdi().Divide.UserClick();
        GetFileName& d = w.app.forms.Get<GetFileName>();
        d.RawData.UserClick();
        for (const char* name : {"one.rdg", "two.rdg"}) {
            d.FileNameBox.SetFocus();
            d.FileNameBox.UserEdit(name);
            d.UserKeyPress(&d.FileNameBox, 13);
        }
    }
    bool LogNames(const char* log, const std::string& file) {
        return w.dir.Read(log).find(file) != std::string::npos;
    }
};

bool Has(const std::vector<std::string>& texts, const std::string& part) {
    for (const std::string& t : texts)
        if (t.find(part) != std::string::npos) return true;
    return false;
}

TEST_F(IndexValuesOfResults, AResultIsFiledWithoutTheValuesOfTheSpectrumBeforeIt) {
    ProgramState& s = S();
    OverlayFile("one.rdg");
    ASSERT_TRUE(s.LastPassComputed.Average);
    ASSERT_TRUE(Has(w.PrintWithIndex(), "Average = "));

    const struct {
        const char* processing;
        std::function<void()> run;
        const char* saved;
    } results[] = {
        {"derivative", [&] { w.Mdi().Derivative.UserClick(); }, "XYZ00001.rdg"},
        {"file average", [&] { Average(); }, "XYZ00002.rdg"},
        {"divide", [&] { Divide(); }, "XYZ00003.rdg"},
    };
    for (const auto& result : results) {
        SCOPED_TRACE(result.processing);
        result.run();
        ASSERT_TRUE(w.op.Messages().empty()) << w.op.Messages()[0].text;
        ASSERT_TRUE(w.dir.Exists(std::string("DATA/") + result.saved)) << "the result was saved";
        for (const char* log : Logs) EXPECT_FALSE(LogNames(log, result.saved)) << log;
        const std::vector<std::string> printed = w.PrintWithIndex();
        EXPECT_TRUE(Has(printed, "Index"));
        for (const char* label : {"Average = ", "Integral = ", "Derivative = "})
            EXPECT_FALSE(Has(printed, label)) << label;
    }

    // A scan is filed with its own values again.
    w.Type('N');
    ASSERT_TRUE(w.dir.Exists("DATA/XYZ00004.rdg"));
    EXPECT_TRUE(LogNames("~Average.Tmp", "XYZ00004.rdg"));
    EXPECT_TRUE(Has(w.PrintWithIndex(), "Average = "));
}

}  // namespace
}  // namespace tav
