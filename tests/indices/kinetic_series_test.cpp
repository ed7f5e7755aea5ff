#include <gtest/gtest.h>

#include <memory>

#include "indices/KineticSeries.h"

namespace tav {
namespace {

constexpr int16_t RatioSlot = 11;

class KineticSeriesTest : public ::testing::Test {
protected:
    void SetUp() override { s = std::make_unique<ProgramState>(); }
    // One point of an index pass: stored at the counter, which the caller then advances.
    void Append(float value, float time) {
        StoreKineticPoint(*s, value, RatioSlot, s->RatioCount, time);
        ++s->RatioCount;
    }
    const SlotRecord& Series() const { return s->SlotInfo[RatioSlot]; }
    std::unique_ptr<ProgramState> s;
};

TEST_F(KineticSeriesTest, TwoHundredPointsThenTheOldestIsDropped) {
    for (int k = 0; k < 200; ++k) Append(100.0f + k, 5.0f * k);
    EXPECT_EQ(Series().NumPoints, 200);
    EXPECT_EQ(s->RatioCount, 200);
    EXPECT_EQ(s->XData[RatioSlot][199], 995.0f);
    EXPECT_EQ(s->Ch1Data[RatioSlot][0], 100.0f);

    int16_t counter = s->RatioCount;
    StoreKineticPoint(*s, 300.0f, RatioSlot, counter, 1000.0f);
    EXPECT_EQ(counter, 199);  // the caller brings it back to 200
    EXPECT_EQ(Series().NumPoints, 200);
    EXPECT_EQ(Series().XMin, 5.0f);  // the former second point
    EXPECT_EQ(Series().XMax, 1000.0f);
    EXPECT_EQ(s->Ch1Data[RatioSlot][0], 101.0f);
    EXPECT_EQ(s->Ch1Data[RatioSlot][198], 299.0f);
    EXPECT_EQ(s->Ch1Data[RatioSlot][199], 300.0f);
    EXPECT_EQ(s->XData[RatioSlot][200], 0.0f);  // nothing is written past the limit
}

TEST_F(KineticSeriesTest, RepaintRewritesThePointAfterTheLast) {
    for (int k = 0; k < 10; ++k) Append(1.0f + k, 2.0f * k);
    StoreKineticPoint(*s, 10.0f, RatioSlot, s->RatioCount, 18.0f);  // a repaint
    EXPECT_EQ(Series().NumPoints, 11);
    EXPECT_EQ(s->RatioCount, 10);
    Append(11.0f, 20.0f);  // the next pass overwrites the copy
    EXPECT_EQ(Series().NumPoints, 11);
    EXPECT_EQ(s->Ch1Data[RatioSlot][10], 11.0f);
}

TEST_F(KineticSeriesTest, RepaintOfAFullStoreShiftsOnlyOnce) {
    for (int k = 0; k < 200; ++k) Append(static_cast<float>(k), static_cast<float>(k));
    StoreKineticPoint(*s, 199.0f, RatioSlot, s->RatioCount, 199.0f);  // a repaint
    EXPECT_EQ(s->RatioCount, 199);
    Append(200.0f, 200.0f);
    EXPECT_EQ(s->RatioCount, 200);
    EXPECT_EQ(s->Ch1Data[RatioSlot][0], 1.0f);
    EXPECT_EQ(s->Ch1Data[RatioSlot][198], 199.0f);
    EXPECT_EQ(s->Ch1Data[RatioSlot][199], 200.0f);
}

TEST_F(KineticSeriesTest, CountersOutsideTheStoreAreBounded) {
    for (int16_t start : {-3, 250, 32767}) {
        int16_t counter = start;
        StoreKineticPoint(*s, 4.0f, RatioSlot, counter, 9.0f);
        EXPECT_GE(counter, 0) << start;
        EXPECT_LE(counter, 199) << start;
        EXPECT_EQ(s->Ch1Data[RatioSlot][counter], 4.0f) << start;
        EXPECT_EQ(Series().NumPoints, counter + 1) << start;
    }
}

TEST_F(KineticSeriesTest, FirstPointClaimsAFreeAxis) {
    s->AxisSlot = -1;
    int16_t counter = 0;
    StoreKineticPoint(*s, 1.0f, 15, counter, 0.0f);
    EXPECT_EQ(s->AxisSlot, 15);
    StoreKineticPoint(*s, 1.0f, 16, counter, 0.0f);
    EXPECT_EQ(s->AxisSlot, 15);
}

TEST_F(KineticSeriesTest, CodesOutsideTheFamilyChangeNothing) {
    for (int16_t code : {10, 18, -1}) {
        int16_t counter = 3;
        s->AxisSlot = -1;
        StoreKineticPoint(*s, 1.0f, code, counter, 5.0f);
        EXPECT_EQ(counter, 3);
        EXPECT_EQ(s->AxisSlot, -1);
    }
    EXPECT_EQ(s->SlotInfo[10].NumPoints, 0);
    EXPECT_EQ(s->SlotInfo[18].NumPoints, 0);
}

TEST(KineticWindowsTable, CodesCaptionsAndValues) {
    const struct { int16_t code; const char* caption; } expected[] = {
        {11, "Ratio"},          {12, "Normalized Difference"}, {13, "Experimental"},
        {14, "Derivative"},     {15, "Integral"},              {16, "Average per bin"},
        {17, "Diagnostics"},
    };
    for (const auto& e : expected) {
        const KineticWindowInfo* w = KineticWindowOf(e.code);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->code, e.code);
        EXPECT_STREQ(w->caption, e.caption);
    }
    EXPECT_EQ(KineticWindowOf(17)->value, &ProgramState::Temperature);
    EXPECT_EQ(KineticWindowOf(10), nullptr);
    EXPECT_EQ(KineticWindowOf(18), nullptr);
}

}  // namespace
}  // namespace tav
