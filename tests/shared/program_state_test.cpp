#include <gtest/gtest.h>

#include <memory>

#include "shared/ProgramState.h"

namespace tav {
namespace {

TEST(ProgramState, ArrayBoundsMatchTheSlotStore) {
    auto s = std::make_unique<ProgramState>();
    EXPECT_EQ(s->SlotInfo.size(), 20u);
    EXPECT_EQ(s->XData.size(), 20u);
    EXPECT_EQ(s->XData[0].size(), 2202u);
    EXPECT_EQ(s->RawCounts.size(), 101u);
    EXPECT_EQ(s->RawCounts[0].size(), 2202u);
    EXPECT_EQ(s->WaveLength.size(), 257u);
    EXPECT_EQ(s->AutoScaleOn.size(), 9u);
    EXPECT_EQ(s->UseAverage.size(), 4u);
    EXPECT_EQ(s->DisplayChannel.size(), 8u);
}

TEST(ProgramState, StartsEmptyAndNotShared) {
    auto a = std::make_unique<ProgramState>();
    auto b = std::make_unique<ProgramState>();
    a->Ch1Data[3][7] = 5.0f;
    a->SlotInfo[3].NumPoints = 8;
    EXPECT_EQ(b->Ch1Data[3][7], 0.0f);
    EXPECT_EQ(b->SlotInfo[3].NumPoints, 0);
    EXPECT_EQ(b->AxisSlot, -1);
    EXPECT_EQ(b->MemoryMode, 2);
    EXPECT_EQ(b->IntervalTenths, 10);
    EXPECT_EQ(b->ReadAddress, 1);
}

TEST(SlotWindowIndex, KineticSlotsMapToTheirWindowsAndAllOthersToTheSpectrumWindow) {
    const struct { int16_t slot; int16_t window; } cases[] = {
        {-1, 0}, {0, 0}, {7, 0}, {8, 0}, {10, 0}, {11, 1}, {12, 2}, {13, 3},
        {14, 4}, {15, 5}, {16, 6}, {17, 7}, {18, 0}, {19, 0}, {32767, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(SlotWindowIndex(c.slot), c.window) << "slot " << c.slot;
}

}  // namespace
}  // namespace tav
