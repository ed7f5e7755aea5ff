// A pixel spectrum's last eight words are the instrument's status (the temperature at point
// 248, then other words), not light. A scan's bins, the reference file's bins and the band
// values of a pixel spectrum are taken from its spectral points 0 to 247 only, and no bin lies
// beyond the last of them; the files the scans are saved in hold those values.

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "FlowRig.h"
#include "acquisition/NextScan.h"

namespace tav {
namespace {

using acqtest::FlowRig;

constexpr float Sample = 19100.0f;
constexpr float Reference = 20000.0f;

// A stored scan of flat light whose passes end in status words, as the instrument's do: the
// temperature (23.4 deg C) at point 248, then words that are no light at all.
ScanPair FlatScanWithStatusWords() {
    ScanPair pair;
    pair.sample.fill(static_cast<uint16_t>(Sample));
    pair.reference.fill(static_cast<uint16_t>(Reference));
    const uint16_t status[] = {2400, 0, 65535, 7, 1, 40000, 3, 12};
    for (int k = 0; k < 8; ++k) pair.sample[248 + k] = pair.reference[248 + k] = status[k];
    return pair;
}

// The rig reads that scan out of the instrument's memory with N, AutoSave on; both channels
// on the same calibration, pixel p + 1 at 300 + 3.3 (p + 1) nm: pixel 247 at 1118.4 nm.
void ReadOutFlatScan(FlowRig& r) {
    ProgramState& s = r.state;
    r.instrument.StoreScan(1, FlatScanWithStatusWords());
    s.MemoryMode = 48;
    s.ReadAddress = 2;
    s.ReadAddressPending = true;  // the first read steps back to address 1
    s.CalCoeffD = 300.0;
    s.CalCoeffE = 3.3;
    s.CalCoeffF = 0.0;
    s.AutoSaveOn = true;
    s.AutoSaveName = "B";
    r.logs.OpenAll(r.fs, r.dir.Path());
    NextScan(r.flow);
}

// The channel fields of the rows of a saved raw file (the ten header lines skipped).
std::vector<std::pair<std::string, std::string>> SavedChannels(const std::string& text) {
    std::vector<std::pair<std::string, std::string>> rows;
    std::istringstream lines(text);
    std::string line;
    for (int header = 0; header < 10 && std::getline(lines, line);) ++header;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::vector<std::string> fields;
        std::istringstream split(line);
        for (std::string f; std::getline(split, f, '\t');) fields.push_back(f);
        if (fields.size() == 3) rows.emplace_back(fields[1], fields[2]);
    }
    return rows;
}

TEST(SpectralPixels, BinsTakeNoStatusWordAndEndWithinTheSpectralPixels) {
    const struct {
        const char* name;
        bool referenceFile;
        float channel2;  // every bin's channel 2
        const char* savedChannel2;
    } cases[] = {
        {"bins as measured", false, Reference, "20000."},
        // A reference file saved from a pixel scan: its status rows (5000 over 0.5) must not
        // scale the top bins; its light scales 20000 by 2 / 4.
        {"bins corrected by a pixel reference file", true, 10000.0f, "10000."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FlowRig r;
        ProgramState& s = r.state;
        s.PixelMode = false;
        s.BinWidth = 3.0f;
        if (c.referenceFile) {
            std::vector<float> x(256), ch1(256, 2.0f), ch2(256, 4.0f);
            for (int i = 0; i < 256; ++i) x[i] = s.WaveLength[i];
            for (int i = 248; i < 256; ++i) {
                ch1[i] = 5000.0f;
                ch2[i] = 0.5f;
            }
            ASSERT_TRUE(r.WriteSpectrum("white.rdg", x, ch1, ch2));
            s.ReferenceOn = true;
            s.ReferenceFileName = r.dir.File("white.rdg");
        }
        ReadOutFlatScan(r);
        ASSERT_TRUE(r.op.Messages().empty()) << r.op.Messages()[0].text;

        const int bins = s.SlotInfo[0].NumPoints;
        ASSERT_GT(bins, 200);
        EXPECT_LE(s.XData[0][bins - 1], 1118.4f) << "the last bin lies within pixel 247";
        for (int k = 0; k < bins; ++k) {
            ASSERT_EQ(s.Ch1Data[0][k], Sample) << "bin " << k << " at " << s.XData[0][k] << " nm";
            ASSERT_EQ(s.Ch2Data[0][k], c.channel2) << "bin " << k << " at " << s.XData[0][k] << " nm";
        }
        const auto rows = SavedChannels(r.dir.Read("B00001.rdg"));
        ASSERT_EQ(static_cast<int>(rows.size()), bins);
        for (const auto& [ch1, ch2] : rows) {
            ASSERT_EQ(ch1, "19100. ");
            ASSERT_EQ(ch2, c.savedChannel2);
        }
    }
}

TEST(SpectralPixels, BandValuesOfAPixelSpectrumEndAtItsLastSpectralPoint) {
    const struct {
        const char* name;
        float start, end;
    } bands[] = {
        {"inside the spectral pixels", 1000.0f, 1110.0f},
        {"running past pixel 247", 1100.0f, 1200.0f},
        {"wholly above pixel 247", 1130.0f, 1140.0f},
    };
    for (const auto& band : bands) {
        SCOPED_TRACE(band.name);
        FlowRig r;
        ProgramState& s = r.state;
        s.PixelMode = true;
        s.ViewReflectance = false;
        s.NumOfBands = 1;
        s.BandStart = {band.start, 0.0f};
        s.BandEnd = {band.end, 0.0f};
        s.AverageBand = 1;
        s.Menu.ActivateAverage = true;
        ReadOutFlatScan(r);
        ASSERT_EQ(s.SlotInfo[0].NumPoints, 256) << "the pixel file keeps every word";
        EXPECT_EQ(s.AverageValue, Sample);
        EXPECT_NE(r.dir.Read("~Average.Tmp").find("Secs  19100\r\n"), std::string::npos) << r.dir.Read("~Average.Tmp");
        EXPECT_EQ(s.XData[0][248], s.WaveLength[248]) << "the band search leaves the status points' x alone";
    }
}

}  // namespace
}  // namespace tav
