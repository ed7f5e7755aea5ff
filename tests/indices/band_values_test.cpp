#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "indices/BandValues.h"

namespace tav {
namespace {

// Slot 0 holds ten points x = 400, 410, ..., 490 with y = 1, 2, ..., 10.
class BandValueTest : public ::testing::Test {
protected:
    void SetUp() override {
        s = std::make_unique<ProgramState>();
        s->WaveLength[255] = 1000.0f;
        s->SlotInfo[0].NumPoints = 10;
        for (int k = 0; k < 10; ++k) {
            s->XData[0][k] = 400.0f + 10.0f * k;
            s->Ch1Data[0][k] = 1.0f + k;
        }
        s->Ch1Data[0][10] = 1e6f;  // beyond the last point: must never be summed
    }
    void DefineBand(float start, float end) {
        s->NumOfBands = 1;
        s->BandStart = {start};
        s->BandEnd = {end};
    }
    float Value(float& mean) { return BandValue(*s, 0, mean, 0); }

    std::unique_ptr<ProgramState> s;
};

TEST_F(BandValueTest, IntegralCorrectsBothEdgesAndMeanAveragesThePoints) {
    const struct { float start, end, integral, mean; } cases[] = {
        {420, 440, 8.0f, 4.0f},    // points 2..4, half cells cut at both edges
        {431, 434, 1.2f, 4.0f},    // inside the cell of point 3
        {300, 350, 3.5f, 2.5f},    // below the first point: points 1 and 2
    };
    for (const auto& c : cases) {
        DefineBand(c.start, c.end);
        float mean = -1;
        const float integral = Value(mean);
        EXPECT_NEAR(integral, c.integral, 1e-5f) << c.start;
        EXPECT_EQ(mean, c.mean) << c.start;
        EXPECT_EQ(s->XData[0][10], 900000.0f);
    }
}

TEST_F(BandValueTest, NoBandLeavesEverythingAlone) {
    DefineBand(420, 440);
    s->XData[0][10] = 7.0f;
    for (int16_t band : {-1, 1, 5, -3}) {  // -1: no band; the others lie outside the definitions
        float mean = 42.0f;
        EXPECT_EQ(BandValue(*s, band, mean, 0), 0.0f) << band;
        EXPECT_EQ(mean, 42.0f) << band;
    }
    EXPECT_EQ(s->XData[0][10], 7.0f);
    EXPECT_EQ(s->BandStart[0], 420.0f);
}

TEST_F(BandValueTest, BandNumbersBeyondNumOfBandsAreNoBand) {
    DefineBand(420, 440);
    s->BandStart.push_back(430);
    s->BandEnd.push_back(450);  // a stale definition the count no longer covers
    float mean = 42.0f;
    EXPECT_EQ(BandValue(*s, 1, mean, 0), 0.0f);
    EXPECT_EQ(mean, 42.0f);
}

TEST_F(BandValueTest, ReversedBandIsStoredInOrder) {
    DefineBand(440, 420);
    float mean = 0;
    EXPECT_NEAR(Value(mean), 8.0f, 1e-5f);
    EXPECT_EQ(mean, 4.0f);
    EXPECT_EQ(s->BandStart[0], 420.0f);
    EXPECT_EQ(s->BandEnd[0], 440.0f);
}

TEST_F(BandValueTest, NarrowBandsAreWidenedOnceByAHundredthNanometre) {
    const struct { float start, end, storedStart, storedEnd; } cases[] = {
        {425, 425, 425, 425.0f + 0.01f},      // halfway between 420 and 430: point 3
        {0, 0.01f, 0, 0.01f},                 // exactly 0.01 wide: left alone
        {1000, 1000, 1000.0f - 0.01f, 1000},  // no room above WaveLength(255) - 0.01
    };
    for (const auto& c : cases) {
        DefineBand(c.start, c.end);
        float mean = 0;
        Value(mean);
        EXPECT_EQ(s->BandStart[0], c.storedStart) << c.start;
        EXPECT_EQ(s->BandEnd[0], c.storedEnd) << c.start;
    }
    DefineBand(425, 425);
    float mean = 0;
    Value(mean);
    EXPECT_EQ(mean, 4.0f);  // the tie took the higher point
}

TEST_F(BandValueTest, BandAboveTheLastPointUsesTheLastPoint) {
    DefineBand(600, 700);
    float mean = 0;
    const float integral = Value(mean);
    EXPECT_EQ(mean, 10.0f);
    EXPECT_NEAR(integral, 0.0f, 0.01f);  // the end marker stands in for the next point
}

TEST_F(BandValueTest, BandNearTheMarkerNeverUsesThePointBehindTheSpectrum) {
    DefineBand(600000, 950000);
    float mean = 0;
    const float integral = Value(mean);
    EXPECT_EQ(mean, 10.0f);
    EXPECT_TRUE(std::isfinite(integral));
}

TEST_F(BandValueTest, SlotsWithoutTwoPointsGiveZero) {
    DefineBand(420, 440);
    for (int16_t points : {0, 1, -5}) {
        s->SlotInfo[0].NumPoints = points;
        s->XData[0][0] = 400.0f;
        float mean = 42.0f;
        EXPECT_EQ(Value(mean), 0.0f) << points;
        EXPECT_EQ(mean, 0.0f) << points;
        EXPECT_EQ(s->XData[0][0], 400.0f) << points;  // no marker written
    }
    for (int16_t slotNumber : {-1, 20, 32767}) {
        float mean = 42.0f;
        EXPECT_EQ(BandValue(*s, 0, mean, slotNumber), 0.0f) << slotNumber;
    }
}

TEST_F(BandValueTest, FullSlotTakesTheArrayEndAsMarker) {
    for (int16_t points : {2202, 32767}) {
        s->SlotInfo[0].NumPoints = points;
        for (int k = 0; k < 2202; ++k) {
            s->XData[0][k] = 400.0f + k;
            s->Ch1Data[0][k] = 5.0f;
        }
        s->XData[1][0] = 123.0f;  // the element after the row
        DefineBand(5000, 6000);
        float mean = 0;
        Value(mean);
        EXPECT_EQ(mean, 5.0f) << points;
        EXPECT_EQ(s->XData[0][2201], 2601.0f) << points;
        EXPECT_EQ(s->XData[1][0], 123.0f) << points;
    }
    s->SlotInfo[0].NumPoints = 2201;
    float mean = 0;
    Value(mean);
    EXPECT_EQ(s->XData[0][2201], 900000.0f);
}

TEST_F(BandValueTest, TwoPointSlotBelowTheFirstPoint) {
    s->SlotInfo[0].NumPoints = 2;
    const BandPixels p = FindBandPixels(*s, 0, 300, 350);
    EXPECT_EQ(p.first, 1);
    EXPECT_EQ(p.last, 1);
    DefineBand(300, 350);
    float mean = 0;
    Value(mean);
    EXPECT_EQ(mean, 2.0f);
}

TEST_F(BandValueTest, RepeatedXValuesGiveAFiniteResult) {
    for (int k = 0; k < 10; ++k) s->XData[0][k] = 400.0f;
    DefineBand(400, 410);
    float mean = 0;
    EXPECT_TRUE(std::isfinite(Value(mean)));
}

TEST_F(BandValueTest, EdgesHeldByTheCallerAreUsedAndKept) {
    DefineBand(0, 0);
    float start = 440, end = 420;
    float mean = 0;
    EXPECT_NEAR(BandValueOfEdges(*s, start, end, mean, 0), 8.0f, 1e-5f);
    EXPECT_EQ(start, 420.0f);
    EXPECT_EQ(end, 440.0f);
    EXPECT_EQ(s->BandStart[0], 0.0f);
}

}  // namespace
}  // namespace tav
