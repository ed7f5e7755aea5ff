// Corrections of a new scan pair: dark spectra, the reference calibration file in pixel and in
// bin mode, and the bins themselves with the worked example of the instrument's two ranges.

#include <gtest/gtest.h>

#include <cmath>

#include "AcquisitionRig.h"
#include "acquisition/ReferenceFile.h"
#include "acquisition/ScanCorrections.h"

namespace tav {
namespace {

using acqtest::Rig;

// A pair as the acquisitions leave it: slot 10 the reference pass, slot 0 the second pass with
// slot 10's channel 1 as its channel 2, both on the channel-1 wavelengths.
void FillPair(ProgramState& s, float sample(float x), float reference(float x)) {
    for (int k : {0, 10}) {
        s.SlotInfo[k].NumPoints = 256;
        for (int i = 0; i < 257; ++i) s.XData[k][i] = s.WaveLength[i];
    }
    for (int i = 0; i < 256; ++i) {
        s.Ch1Data[0][i] = sample(s.WaveLength[i]);
        s.Ch1Data[10][i] = reference(s.WaveLength[i]);
        s.Ch2Data[0][i] = s.Ch1Data[10][i];
    }
}

// Channel 1 from 300.5 to 1150.2 nm, channel 2 from 301.1 to 1149.0 nm, both linear.
void InstrumentRanges(ProgramState& s) {
    for (int i = 0; i < 257; ++i) s.WaveLength[i] = static_cast<float>(300.5 + (1150.2 - 300.5) / 255.0 * i);
    s.CalCoeffE = (1149.0 - 301.1) / 255.0;
    s.CalCoeffD = 301.1 - s.CalCoeffE;
    s.CalCoeffF = 0.0;
}

// A reference calibration file of `points` rows from 300 nm, 3 nm apart.
auto ReferenceFile(ProgramState& s, int points, float ch1, float ch2, int zeroAt = -1) {
    return [&s, points, ch1, ch2, zeroAt](int16_t slot) {
        for (int i = 0; i < points; ++i) {
            s.XData[slot][i] = 300.0f + 3.0f * i;
            s.Ch1Data[slot][i] = ch1;
            s.Ch2Data[slot][i] = i == zeroAt ? 0.0f : ch2;
        }
        s.SlotInfo[slot].NumPoints = static_cast<int16_t>(points);
        s.DataAvailable = true;
        return true;
    };
}

TEST(ScanCorrections, DarkSpectraAreSubtractedOnlyFromInstrumentScans) {
    for (bool simulation : {false, true}) {
        SCOPED_TRACE(simulation);
        Rig r;
        ProgramState& s = r.state;
        FillPair(s, [](float) { return 1000.0f; }, [](float) { return 3000.0f; });
        for (int i = 0; i < 256; ++i) {
            s.Ch1Data[8][i] = 100.0f + i;
            s.Ch1Data[9][i] = 200.0f;
        }
        s.DarkCorrectionOn = true;
        s.SimulationMode = simulation;
        CorrectNewSpectrum(r.ctx, 0);
        for (int i = 0; i < 256; ++i) {
            ASSERT_EQ(s.Ch1Data[0][i], simulation ? 1000.0f : 900.0f - i) << i;
            ASSERT_EQ(s.Ch1Data[10][i], simulation ? 3000.0f : 2800.0f) << i;
            ASSERT_EQ(s.Ch2Data[0][i], s.Ch1Data[10][i]) << i;
        }
    }
}

std::string Told(const std::string& why) {
    return "The reference calibration file\n/data/white.rdg\n" + why + "\nThe scan is not corrected.";
}

TEST(ScanCorrections, PixelModeScalesTheReferenceByAFileThatReachesOverTheSpectralPoints) {
    // rows of the file, whether they reach, and whether the status points 248 to 255 are corrected
    const struct {
        int rows;
        bool corrects, statusPoints;
    } cases[] = {{256, true, true}, {248, true, false}, {200, false, false}, {0, false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rows);
        Rig r;
        ProgramState& s = r.state;
        FillPair(s, [](float) { return 1000.0f; }, [](float) { return 3000.0f; });
        s.ReferenceOn = true;
        s.ReferenceFileName = "/data/white.rdg";
        r.windows.reader = ReferenceFile(s, c.rows, 2.0f, 3.0f, 7);
        CorrectNewSpectrum(r.ctx, 0);
        EXPECT_EQ(s.SlotInfo[18].FileName, "/data/white.rdg");
        EXPECT_EQ(r.windows.untoldReads, (std::vector<int16_t>{18}));
        EXPECT_TRUE(r.windows.reads.empty()) << "the reader tells the operator nothing itself";
        for (int i = 0; i < 256; ++i) {
            const bool corrected = c.corrects && (i < 248 || c.statusPoints);
            const float expected = !corrected ? 3000.0f : i == 7 ? 1.0f : 2000.0f;
            ASSERT_EQ(s.Ch2Data[0][i], expected) << i;
            ASSERT_EQ(s.Ch1Data[10][i], expected) << "slot 10 shows the corrected reference, point " << i;
            ASSERT_EQ(s.Ch1Data[0][i], 1000.0f);
            ASSERT_EQ(s.RefSpec2[i], 3000.0f) << "the measured reference";
        }
        EXPECT_TRUE(s.DataAvailable);
        if (c.corrects) {
            EXPECT_TRUE(r.op.Messages().empty());
        } else {
            EXPECT_EQ(r.op.MessageTexts(),
                      std::vector<std::string>{Told(c.rows == 0 ? "holds no spectrum."
                                                                : "holds 200 points, fewer than the 248 of the scan.")});
        }
    }
}

TEST(ScanCorrections, AnUnreadableReferenceFileCorrectsNothingAndIsToldOncePerSeries) {
    Rig r;
    ProgramState& s = r.state;
    FillPair(s, [](float) { return 1000.0f; }, [](float) { return 3000.0f; });
    s.ReferenceOn = true;
    s.ReferenceFileName = "/data/white.rdg";
    s.DataAvailable = true;
    r.windows.reader = [](int16_t) { return false; };
    for (bool bins : {false, true}) {
        SCOPED_TRACE(bins);
        s.PixelMode = !bins;
        CorrectNewSpectrum(r.ctx, 0);
        EXPECT_TRUE(s.DataAvailable) << "the scan itself is data";
        for (int i = 0; i < s.SlotInfo[0].NumPoints; ++i) {
            ASSERT_NEAR(s.Ch2Data[0][i], 3000.0f, 1e-3) << i;
            ASSERT_NEAR(s.Ch1Data[0][i], 1000.0f, 1e-3) << i;
        }
    }
    // Both scans of the series are uncorrected; the operator is told at the first.
    EXPECT_EQ(r.op.MessageTexts(), std::vector<std::string>{Told("File not found.")});
    // A new series tells it again.
    ForgetReferenceFileTold(s);
    CorrectNewSpectrum(r.ctx, 0);
    EXPECT_EQ(r.op.MessageTexts().size(), 2u);
}

TEST(ScanCorrections, BinsOfTheWorkedExample) {
    Rig r;
    ProgramState& s = r.state;
    InstrumentRanges(s);
    FillPair(s, [](float x) { return 2.0f * x; }, [](float x) { return 3.0f * x; });
    s.PixelMode = false;
    s.BinWidth = 3.0f;
    s.NumOfBands = 1;
    s.BandStart = {500.0f};
    s.BandEnd = {500.001f};  // a band the band routines would widen: it must stay as it is
    const float xMin = s.SlotInfo[0].XMin = 300.5f, xMax = s.SlotInfo[0].XMax = 1150.2f;

    CorrectNewSpectrum(r.ctx, 0);

    // The bins end a nanometre inside pixel 247 of channel 2 (1122.4 nm), the last spectral
    // pixel: 302 to 1121 nm in 273 bins.
    EXPECT_EQ(s.SlotInfo[0].NumPoints, 273);
    EXPECT_EQ(s.SlotInfo[10].NumPoints, 256);
    EXPECT_EQ(s.XData[0][0], 302.0f);
    EXPECT_EQ(s.XData[0][1], 305.0f);
    EXPECT_EQ(s.XData[0][272], 1118.0f);
    for (int k = 0; k < 273; ++k) {
        const float centre = 302.0f + 3.0f * k;
        ASSERT_EQ(s.XData[0][k], centre);
        ASSERT_EQ(s.XData[10][k], centre);
        // One or two pixels 3.3 nm apart fall into a 3 nm bin: the mean lies within a pixel.
        ASSERT_NEAR(s.Ch1Data[0][k], 2.0f * centre, 2.0f * 3.4f) << k;
        ASSERT_NEAR(s.Ch2Data[0][k], 3.0f * centre, 3.0f * 3.4f) << k;
        ASSERT_EQ(s.Ch1Data[10][k], s.Ch2Data[0][k]);
    }
    EXPECT_EQ(s.SlotInfo[0].XMin, xMin);
    EXPECT_EQ(s.SlotInfo[0].XMax, xMax);
    EXPECT_EQ(s.NumOfBands, 1);
    EXPECT_EQ(s.BandStart, std::vector<float>{500.0f});
    EXPECT_EQ(s.BandEnd, std::vector<float>{500.001f});
}

TEST(ScanCorrections, BinWidthAndCountStayInTheirRanges) {
    struct Case {
        float binWidth;
        int16_t count;
    };
    const Case cases[] = {
        {0.1f, 2048},          // taken as 0.4 nm: 819 / 0.4 = 2047.5, halves to even
        {0.4f, 2048},
        {5000.0f, 2},          // taken as 500 nm: 1.6 bins round to 2
        {-3.0f, 2048},
        {std::nanf(""), 2048},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.binWidth);
        Rig r;
        ProgramState& s = r.state;
        InstrumentRanges(s);
        FillPair(s, [](float x) { return x; }, [](float x) { return x; });
        s.PixelMode = false;
        s.BinWidth = c.binWidth;
        CorrectNewSpectrum(r.ctx, 0);
        EXPECT_EQ(s.SlotInfo[0].NumPoints, c.count);
        for (int k = 0; k < c.count; ++k) ASSERT_TRUE(std::isfinite(s.Ch1Data[0][k])) << k;
    }
    // Nonsense calibrations, even beyond single range, still give a bounded bin count and
    // finite channel-2 wavelengths.
    for (double coefficient : {1e30, 1e300, -1e300}) {
        SCOPED_TRACE(coefficient);
        Rig r;
        ProgramState& s = r.state;
        FillPair(s, [](float x) { return x; }, [](float x) { return x; });
        s.PixelMode = false;
        s.CalCoeffD = coefficient;
        CorrectNewSpectrum(r.ctx, 0);
        EXPECT_GE(s.SlotInfo[0].NumPoints, 2);
        EXPECT_LE(s.SlotInfo[0].NumPoints, 2200);
        for (int i = 0; i < 256; ++i) ASSERT_TRUE(std::isfinite(s.XData[10][i])) << i;
    }
}

// A pair of the instrument's two ranges (sample 100, reference 800) in 3 nm bins, with the
// reference calibration file on.
void BinScanWithReference(ProgramState& s) {
    InstrumentRanges(s);
    FillPair(s, [](float) { return 100.0f; }, [](float) { return 800.0f; });
    s.PixelMode = false;
    s.BinWidth = 3.0f;
    s.ReferenceOn = true;
    s.ReferenceFileName = "/data/white.rdg";
}

TEST(ScanCorrections, BinModeScalesByTheFilesBinnedChannelsOnlyWhereTheFileCoversEveryBin) {
    // rows from 300 nm, 3 nm apart, and a zero in the file's channel 2 (-1: none)
    const struct {
        int rows, zeroAt;
        bool corrects;
    } cases[] = {{283, -1, true}, {283, 100, true}, {201, -1, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rows * 1000 + c.zeroAt);
        Rig r;
        ProgramState& s = r.state;
        BinScanWithReference(s);
        r.windows.reader = ReferenceFile(s, c.rows, 2.0f, 4.0f, c.zeroAt);  // 300 to 1146 or 900 nm
        CorrectNewSpectrum(r.ctx, 0);
        ASSERT_EQ(s.SlotInfo[0].NumPoints, 273);
        // A zero point of the file gives no ratio: the bins beside it take the other point's.
        for (int k = 0; k < 273; ++k) {
            ASSERT_EQ(s.Ch2Data[0][k], c.corrects ? 400.0f : 800.0f) << k;
            ASSERT_EQ(s.Ch1Data[0][k], 100.0f) << k;
        }
        if (c.corrects) {
            EXPECT_TRUE(r.op.Messages().empty());
        } else {
            EXPECT_EQ(r.op.MessageTexts(),
                      std::vector<std::string>{Told("covers 300 to 900 nm, less than the 302 to 1118 nm of the scan's bins.")});
        }
    }
}

TEST(ScanCorrections, ABinWhoseFilePointsAllLackAReferenceIsOneAsInPixelMode) {
    Rig r;
    ProgramState& s = r.state;
    BinScanWithReference(s);
    r.windows.reader = [&s](int16_t slot) {
        ReferenceFile(s, 283, 2.0f, 4.0f)(slot);
        s.Ch2Data[slot][100] = s.Ch2Data[slot][101] = 0.0f;  // bin 100 lies between these two points
        return true;
    };
    CorrectNewSpectrum(r.ctx, 0);
    for (int k = 99; k <= 101; ++k) EXPECT_EQ(s.Ch2Data[0][k], k == 100 ? 1.0f : 400.0f) << k;
}

}  // namespace
}  // namespace tav
