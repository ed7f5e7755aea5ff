// The reference calibration file on the operator's keys, against the simulated instrument: a
// file that cannot correct every spectral point of the scan (missing, without rows, too short)
// corrects none of it, and the operator is told why, naming the file: at each single scan, and
// once in a timed series. The scan is saved as it was measured, without a step in channel 2.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "MainWindowWorld.h"
#include "windows/two_file_fixtures.h"

namespace tav {
namespace {

using test::SpectrumRow;

std::string Told(const std::string& file, const std::string& why) {
    return "The reference calibration file\n" + file + "\n" + why + "\nThe scan is not corrected.";
}

struct ReferenceFileTold : ::testing::Test {
    test::MainWindowWorld w{false};

    void SetUp() override {
        w.Start(true);
        ProgramState& s = *w.state;
        s.AutoScaleOn.fill(-1);
        w.PastWelcome();
        s.ReferenceOn = true;
        s.PixelMode = true;
        s.ReferenceFileName = w.dir.File("WHITE.RDG");
        ASSERT_TRUE(w.op.Messages().empty());
    }
    ProgramState& S() { return *w.state; }
    // A reference calibration file of `rows` rows (channel 1 twice channel 2).
    void WriteReference(int rows) {
        std::vector<SpectrumRow> data;
        for (int i = 0; i < rows; ++i) data.push_back({300.0f + 3.3f * (i + 1), 2, 1});
        ASSERT_TRUE(w.dir.Write("WHITE.RDG", test::SpectrumFileText(data)));
    }
    // Channel 2 of slot 0 is the reference pass as measured, at every point.
    void ExpectUncorrected() {
        const ProgramState& s = S();
        ASSERT_EQ(s.SlotInfo[0].NumPoints, 256);
        for (int i = 0; i < 256; ++i) ASSERT_EQ(s.Ch2Data[0][i], s.RefSpec2[i]) << "point " << i;
    }
};

TEST_F(ReferenceFileTold, AFileThatCannotCorrectTheWholeScanIsToldAtEachSingleScan) {
    const std::string file = w.dir.File("WHITE.RDG");
    const struct {
        const char* name;
        std::function<void(ReferenceFileTold&)> prepare;
        std::string why;
    } cases[] = {
        {"missing", [](ReferenceFileTold&) {}, "File not found."},
        {"two lines of text",
         [](ReferenceFileTold& t) { ASSERT_TRUE(t.w.dir.Write("WHITE.RDG", "white tile\r\nmeasured 03/07\r\n")); },
         "holds no spectrum."},
        {"100 rows", [](ReferenceFileTold& t) { t.WriteReference(100); },
         "holds 100 points, fewer than the 248 of the scan."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.prepare(*this);
        const size_t before = w.op.Messages().size();
        for (int scan = 0; scan < 2; ++scan) {
            w.Type('N');
            ExpectUncorrected();
        }
        const std::vector<std::string> texts = w.op.MessageTexts();
        EXPECT_EQ(std::vector<std::string>(texts.begin() + static_cast<long>(before), texts.end()),
                  std::vector<std::string>(2, Told(file, c.why)));
    }

    // A file over the whole scan corrects it, without a word.
    WriteReference(256);
    const size_t before = w.op.Messages().size();
    w.Type('N');
    EXPECT_EQ(w.op.Messages().size(), before);
    for (int i = 0; i < 256; ++i) ASSERT_EQ(S().Ch2Data[0][i], S().RefSpec2[i] * 2) << "point " << i;
}

TEST_F(ReferenceFileTold, ATimedSeriesIsToldOnceAndANewSeriesAgain) {
    WriteReference(100);
    ProgramState& s = S();
    s.AutoScanDelay = 0;  // a scan at every tick
    Timer& timer = w.Mdi().Timer1;
    const auto series = [&](int scans) {
        w.Type('A');
        ASSERT_TRUE(timer.Enabled());
        for (int k = 0; k < scans; ++k) {
            w.clock.Advance(timer.Interval());
            timer.UserTick();
            ExpectUncorrected();
        }
        w.Type(27);  // Escape ends the series
        ASSERT_FALSE(timer.Enabled());
    };
    series(3);
    EXPECT_EQ(w.op.MessageTexts(),
              std::vector<std::string>{Told(w.dir.File("WHITE.RDG"), "holds 100 points, fewer than the 248 of the scan.")});
    series(2);
    EXPECT_EQ(w.op.Messages().size(), 2u);
}

TEST_F(ReferenceFileTold, InBinModeAZeroPointOfTheFileDoesNotScaleTheBinsBesideIt) {
    ProgramState& s = S();
    s.PixelMode = false;
    s.BinWidth = 3.0f;
    // From 200 to 1300 nm every nanometre, channel 1 twice channel 2, and no reference at 600 nm.
    std::vector<SpectrumRow> rows;
    for (int nm = 200; nm <= 1300; ++nm) rows.push_back({static_cast<float>(nm), 2, nm == 600 ? 0.0f : 1.0f});
    ASSERT_TRUE(w.dir.Write("WHITE.RDG", test::SpectrumFileText(rows)));
    w.Type('N');
    EXPECT_TRUE(w.op.Messages().empty()) << w.op.Messages()[0].text;
    const int bins = s.SlotInfo[0].NumPoints;
    ASSERT_GT(bins, 100);
    ASSERT_TRUE(s.SlotInfo[0].Binned);
    for (int k = 0; k < bins; ++k) {
        ASSERT_NEAR(s.Ch2Data[0][k] / s.RefSpec2[k], 2.0f, 1e-5) << "bin at " << s.XData[0][k] << " nm";
    }
}

}  // namespace
}  // namespace tav
