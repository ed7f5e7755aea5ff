// The temperature and the scans averaged that are saved, shown, printed and logged next to a
// spectrum are those it was measured with: not the average box's value, not the latest pair's
// temperature, also for a file read back and saved again.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "MainWindowWorld.h"

namespace tav {
namespace {

using test::MainWindowWorld;

bool Has(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

struct MeasuringConditionsFiled : ::testing::Test {
    MainWindowWorld w{false};

    void SetUp() override {
        w.dir.MakeDir("DATA");
        w.Start(true);
        w.state->DefaultPath = w.dir.File("DATA");
        w.state->Menu.ActivateDiagnostics = true;
        // 23.4 deg C is the instrument's word 2400 in steps of 0.00975 deg C.
        w.instrument.Options().spectrum.temperatureC = 23.4;
        w.PastWelcome();  // the first scan: one scan averaged, 23.4 deg C
        ASSERT_EQ(w.state->NumToAverage, 1);
    }
    void EnterAverage(const char* scans) {
        w.Mdi().Text4.UserEdit(scans);
        w.Mdi().UserKeyPress(&w.Mdi().Text4, 13);
    }
    std::string Save(const char* name) {
        w.op.AnswerSave(w.dir.File(std::string("DATA/") + name));
        w.Type('S');
        return w.dir.Read(std::string("DATA/") + name);
    }
    void ReadBack(const char* name) {
        w.op.AnswerOpen(w.dir.File(std::string("DATA/") + name));
        w.Type('F');
    }
    std::string LastDiagnosticsLine() {
        std::string text = w.dir.Read("~Diagnost.Tmp");
        if (text.size() < 2) return "";
        text.resize(text.size() - 2);
        const size_t end = text.rfind("\r\n");
        return end == std::string::npos ? text : text.substr(end + 2);
    }
};

TEST_F(MeasuringConditionsFiled, TheScansAveragedAreThoseOfTheScanNotOfTheBox) {
    EnterAverage("2");
    ASSERT_EQ(w.state->NumToAverage, 2);
    EXPECT_TRUE(Has(w.PrintWithIndex(), "Scans to average :  1 "));
    const std::string file = Save("one.rdg");
    EXPECT_NE(file.find("\r\n\"Number Scans: 1\"\r\n"), std::string::npos) << file.substr(0, 400);
    EXPECT_TRUE(Has(w.MainCanvas().PrintedTexts(), "Scans to Average:  1 "));

    // The next scan averages two.
    w.Type('N');
    EXPECT_TRUE(Has(w.MainCanvas().PrintedTexts(), "Scans to Average:  2 "));
    EXPECT_NE(Save("two.rdg").find("\r\n\"Number Scans: 2\"\r\n"), std::string::npos);
}

TEST_F(MeasuringConditionsFiled, AFileReadBackKeepsItsOwnTemperatureAndScans) {
    const std::string first = Save("cool.rdg");
    ASSERT_NE(first.find("\r\n\"Temp:       23.4 deg C\"\r\n"), std::string::npos) << first.substr(0, 400);

    // A warmer scan averaging two, then the first file back in its slot, saved again.
    w.instrument.Options().spectrum.temperatureC = 24.9;
    EnterAverage("2");
    w.Type('N');
    ASSERT_NE(Save("warm.rdg").find("\r\n\"Temp:       24.9 deg C\"\r\n"), std::string::npos);
    w.MainCanvas().ClearRecord();
    ReadBack("cool.rdg");
    EXPECT_TRUE(Has(w.MainCanvas().PrintedTexts(), "Temp. :  23.4  Deg C"));
    const std::string again = Save("cool-again.rdg");
    EXPECT_NE(again.find("\r\n\"Temp:       23.4 deg C\"\r\n"), std::string::npos) << again.substr(0, 400);
    EXPECT_NE(again.find("\r\n\"Number Scans: 1\"\r\n"), std::string::npos) << again.substr(0, 400);
    const std::string logged = LastDiagnosticsLine();
    EXPECT_NE(logged.find("cool-again.rdg"), std::string::npos) << logged;
    EXPECT_TRUE(logged.ends_with("Secs  23.4")) << logged;
}

// The derivative of the overlay scan goes into slot 0, where the first scan was: it was
// measured as the overlay scan was.
TEST_F(MeasuringConditionsFiled, ADerivativeKeepsTheConditionsOfItsSpectrum) {
    w.instrument.Options().spectrum.temperatureC = 24.9;
    EnterAverage("2");
    w.Type('O');
    ASSERT_EQ(w.state->CurrentSlot, 1);
    w.Mdi().Derivative.UserClick();
    ASSERT_EQ(w.state->CurrentSlot, 0);
    const std::string file = Save("slope.rdg");
    EXPECT_NE(file.find("\r\n\"Temp:       24.9 deg C\"\r\n"), std::string::npos) << file.substr(0, 400);
    EXPECT_NE(file.find("\r\n\"Number Scans: 2\"\r\n"), std::string::npos) << file.substr(0, 400);
}

}  // namespace
}  // namespace tav
