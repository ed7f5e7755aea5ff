// The bundled simulation spectrum reads as one instrument scan.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "MainWindowWorld.h"
#include "files/SpectrumFileReader.h"

namespace tav {
namespace {

TEST(SimulationFile, TheBundledSpectrumReadsAsOneScan) {
    test::MainWindowWorld w;
    std::ifstream in(std::string(TAVOLIN_SOURCE_DIR) + "/data/simulate.rdg", std::ios::binary);
    ASSERT_TRUE(in);
    std::stringstream text;
    text << in.rdbuf();
    ASSERT_TRUE(w.dir.Write("simulate.rdg", text.str()));

    w.state->SlotInfo[0].FileName = w.dir.File("simulate.rdg");
    FileContext& files = w.Mdi().Contexts().Files();
    ASSERT_EQ(ReadSpectrumFile(files, 0), SpectrumReadResult::Ok);
    const ProgramState& s = *w.state;
    ASSERT_EQ(s.SlotInfo[0].NumPoints, 256);
    for (int i = 0; i < 256; ++i) {
        // The wavelengths of the default calibration, to the file's 0.1 nm.
        const double p = i + 1;
        EXPECT_NEAR(s.XData[0][i], 301.22 + 3.3323 * p - 0.000306 * p * p, 0.051) << i;
        EXPECT_GT(s.Ch1Data[0][i], 300.0f) << i;
        EXPECT_LT(s.Ch1Data[0][i], s.Ch2Data[0][i]) << i;  // a leaf reflects less than the lamp
        EXPECT_LT(s.Ch2Data[0][i], 65535.0f) << i;
    }
}

}  // namespace
}  // namespace tav
