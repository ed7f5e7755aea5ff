// The file of a read-out of several stored scans holds the read-out itself: one row per pixel at
// the pixel's wavelength with the raw words of every pass, as many scans as it brought, whether
// the spectrum window shows bins or pixels and whatever the boxes show by the time of a save.

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "MainWindowWorld.h"

namespace tav {
namespace {

using test::MainWindowWorld;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

struct ReadOutFiles : ::testing::Test {
    MainWindowWorld w{false};

    void SetUp() override {
        // Stored scan a: reference words 100a + 1, sample words 100a + 2, its temperature word
        // at pixel 248 of the sample.
        for (int a = 1; a <= 3; ++a) {
            ScanPair stored;
            stored.reference.fill(static_cast<uint16_t>(100 * a + 1));
            stored.sample.fill(static_cast<uint16_t>(100 * a + 2));
            stored.sample[248] = static_cast<uint16_t>(2400 + a);
            w.instrument.StoreScan(a, stored);
        }
        w.dir.MakeDir("DATA");
        w.Start(true);
        w.PastWelcome();
        ProgramState& s = *w.state;
        s.DefaultPath = w.dir.File("DATA");
        s.AutoSaveOn = true;
        s.AutoSaveName = "RDO";
    }
    void EnterScanNumber(const char* number) {
        w.Mdi().Text6.UserEdit(number);
        w.Mdi().UserKeyPress(&w.Mdi().Text6, 13);
    }
};

TEST_F(ReadOutFiles, InBinModeTheFileHoldsEveryPixelAndTheWindowTheBins) {
    ProgramState& s = *w.state;
    w.Mdi().Command6.UserClick();  // bins
    ASSERT_FALSE(s.PixelMode);
    EnterScanNumber("2");
    ASSERT_EQ(s.MemoryMode, 48);
    w.Type('N');

    const std::vector<std::string> lines = Lines(w.dir.Read("DATA/RDO00001.rdg"));
    ASSERT_EQ(lines.size(), 10u + 3u + 256u);
    EXPECT_EQ(lines[10], "Scan#:\t 1 \tRef-\t 2 \tRef-");
    for (int i = 0; i < 256; ++i) {
        SCOPED_TRACE(i);
        const std::string& row = lines[13 + static_cast<size_t>(i)];
        EXPECT_NEAR(std::strtod(row.c_str(), nullptr), s.WaveLength[i], 0.051);
        const std::string words = row.substr(row.find('\t'));
        EXPECT_EQ(words, i == 248 ? "\t2401. \t101. \t2402. \t201." : "\t102. \t101. \t202. \t201.");
    }

    // The spectrum window still shows the bins of scan 2.
    const SlotRecord& shown = s.SlotInfo[s.CurrentSlot];
    EXPECT_TRUE(shown.Binned);
    EXPECT_NE(shown.NumPoints, 256);
    EXPECT_FLOAT_EQ(s.Ch1Data[s.CurrentSlot][0], 202.0f);
    bool binsShown = false;
    for (const std::string& t : w.MainCanvas().PrintedTexts())
        binsShown = binsShown || t == "Bins   :   " + std::to_string(shown.NumPoints) + " ";
    EXPECT_TRUE(binsShown);

    // Read back, the file is no one spectrum: the window keeps its bins.
    w.op.AnswerOpen(w.dir.File("DATA/RDO00001.rdg"));
    w.Type('F');
    ASSERT_FALSE(w.op.MessageTexts().empty());
    EXPECT_NE(w.op.MessageTexts().back().find("it holds several scans of a memory read-out"), std::string::npos)
        << w.op.MessageTexts().back();
    EXPECT_TRUE(s.SlotInfo[s.CurrentSlot].Binned);
    EXPECT_FLOAT_EQ(s.Ch1Data[s.CurrentSlot][0], 202.0f);
}

// A derivative taken after the read-out, with Scan# changed since, is saved as the derivative.
TEST_F(ReadOutFiles, AProcessingResultAfterAReadOutIsSavedAsItsOwnRows) {
    ProgramState& s = *w.state;
    EnterScanNumber("2");
    w.Type('N');
    ASSERT_EQ(Lines(w.dir.Read("DATA/RDO00001.rdg")).size(), 10u + 3u + 256u);
    EnterScanNumber("3");
    w.Mdi().Derivative.UserClick();
    ASSERT_TRUE(s.ProcessedResult);
    const std::vector<std::string> lines = Lines(w.dir.Read("DATA/RDO00002.rdg"));
    ASSERT_GT(lines.size(), 11u);
    EXPECT_EQ(lines[10].find("Scan#:"), std::string::npos) << lines[10];
    EXPECT_EQ(lines.size(), 10u + static_cast<size_t>(s.SlotInfo[s.CurrentSlot].NumPoints));
}

}  // namespace
}  // namespace tav
