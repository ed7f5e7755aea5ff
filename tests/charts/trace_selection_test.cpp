#include <gtest/gtest.h>

#include "charts/ChartCursor.h"
#include "charts/ChartDriver.h"
#include "charts/ChartFixtures.h"
#include "charts/ChartFonts.h"
#include "charts/TraceSelection.h"

namespace tav {
namespace {

using namespace charttest;

constexpr int16_t Tab = 9;  // the key code is not examined

struct TraceTest : ::testing::Test {
    std::unique_ptr<ProgramState> s = MakeState();
    FakeChartWindows windows;
    RecordingCanvas& c = windows.canvases[0];
    MainWindowView view{"", MainBack};

    void SetUp() override {
        for (int16_t k = 0; k <= 7; ++k) FillScan256(*s, k);
        s->OverlayCount = 3;
    }
    void PressTab(int16_t newest) { SelectWindowTrace(*s, c, view, Tab, newest); }
    // The colour of the y labels printed since the last ClearRecord.
    std::vector<int32_t> LabelColours() {
        std::vector<int32_t> out;
        for (const auto& op : c.Ops()) {
            if ((op.kind == CanvasOp::Kind::PrintInline || op.kind == CanvasOp::Kind::Print) && op.x1 == 60) {
                out.push_back(op.color);
            }
        }
        return out;
    }
};

TEST_F(TraceTest, TabStepsDownThroughTheOverlayRun) {
    const struct {
        int16_t first, newest, selected, next;
    } cases[] = {
        {2, 5, 2, 5}, {2, 5, 5, 4}, {2, 5, 3, 2},
        {6, 1, 0, 7}, {6, 1, 6, 1}, {6, 1, 7, 6}, {6, 1, 1, 0},
        {3, 3, 3, 3},  // a single curve: nothing changes
    };
    for (const auto& k : cases) {
        s->ActiveWindowIdx = 0;
        s->FirstOverlaySlot = k.first;
        s->DisplayChannel[0] = k.selected;
        PressTab(k.newest);
        EXPECT_EQ(s->DisplayChannel[0], k.next) << k.first << ".." << k.newest << " from " << k.selected;
    }
}

TEST_F(TraceTest, TabTogglesTheNormalizedDifferenceWindowWhenBothSeriesAreOn) {
    const struct {
        bool normDiff, experimental;
        int16_t selected, next;
    } cases[] = {
        {true, true, 13, 12}, {true, true, 12, 13}, {true, false, 12, 12}, {false, true, 13, 13},
    };
    for (const auto& k : cases) {
        s->ActiveWindowIdx = 2;
        s->FirstOverlaySlot = 12;  // left there by the window's own drawing
        s->Menu.ActivateNormDiff = k.normDiff;
        s->Menu.ActivateExperimental = k.experimental;
        s->DisplayChannel[2] = k.selected;
        SelectWindowTrace(*s, c, view, Tab, s->DisplayChannel[2]);
        EXPECT_EQ(s->DisplayChannel[2], k.next) << k.selected;
    }
    s->ActiveWindowIdx = 4;
    s->DisplayChannel[4] = 14;
    SelectWindowTrace(*s, c, view, Tab, 14);
    EXPECT_EQ(s->DisplayChannel[4], 14);
}

TEST_F(TraceTest, NewTraceGetsItsAxisInItsColour) {
    std::string title;
    s->FirstOverlaySlot = 4;
    DrawChart(*s, c, view, 7, title);
    const struct {
        int16_t from, to;
        int32_t colour;
    } cases[] = {{7, 6, 0x000000}, {6, 5, 0x008080}, {5, 4, 0x800080}};
    for (const auto& k : cases) {
        c.ClearRecord();
        RedrawSpectrumTraces(*s, c, view, k.to, k.from);
        const auto colours = LabelColours();
        ASSERT_EQ(colours.size(), 6u) << k.to;
        for (int32_t col : colours) EXPECT_EQ(col, k.colour) << k.to;
        EXPECT_EQ(c.ForeColor, 1);
    }
    s->OverlayCount = 0;
    c.ClearRecord();
    RedrawSpectrumTraces(*s, c, view, 5, 4);
    EXPECT_TRUE(LabelColours().empty());
}

TEST_F(TraceTest, CursorMovesToTheNewTraceAtTheSamePoint) {
    std::string title;
    s->FirstOverlaySlot = 0;
    s->DisplayChannel[0] = 2;
    DrawChart(*s, c, view, 2, title);
    MoveChartCursor(*s, c, view, 2, 35, 0);  // End: point 128
    s->CursorOn = true;
    s->ActiveWindowIdx = 0;
    SelectWindowTrace(*s, c, view, Tab, 2);
    EXPECT_EQ(s->DisplayChannel[0], 1);
    EXPECT_TRUE(s->SlotInfo[1].CursorShown);
    EXPECT_EQ(s->SlotInfo[1].CursorPoint, 128);
    EXPECT_FALSE(s->SlotInfo[2].CursorShown);
    EXPECT_EQ(s->SlotInfo[2].CursorPoint, 0);

    s->CursorOn = false;
    s->SlotInfo[0].CursorShown = true;
    s->SlotInfo[0].CursorPoint = 9;
    SelectWindowTrace(*s, c, view, Tab, 2);
    EXPECT_EQ(s->DisplayChannel[0], 0);
    EXPECT_FALSE(s->SlotInfo[0].CursorShown);
    EXPECT_EQ(s->SlotInfo[0].CursorPoint, 0);
}

TEST_F(TraceTest, SetDisplayChannelRedrawsOnlyOnAChange) {
    std::string title;
    DrawChart(*s, c, view, 3, title);
    s->DisplayChannel[0] = 3;
    SetDisplayChannel(*s, windows, 3);
    EXPECT_EQ(windows.canvasRequests, 0);
    EXPECT_EQ(s->AxisSlot, 3);
    SetDisplayChannel(*s, windows, 4);
    EXPECT_EQ(windows.canvasRequests, 1);
    EXPECT_EQ(s->DisplayChannel[0], 4);
    EXPECT_EQ(s->AxisSlot, 4);
}

TEST(SelectChartFonts, PrefersArialThenTimesThenSmallFontsThenTheFirstFont) {
    const struct {
        std::vector<std::string> fonts;
        const char* chosen;
    } cases[] = {
        {{"DejaVu Sans", "Small Fonts", "Times New Roman", "Arial"}, "Arial"},
        {{"DejaVu Sans", "Small Fonts", "Times New Roman"}, "Times New Roman"},
        {{"DejaVu Sans", "Small Fonts"}, "Small Fonts"},
        {{"DejaVu Sans", "Courier"}, "DejaVu Sans"},
        {{"Arial", "Courier"}, "Arial"},  // the first entry is not searched, but is the fallback
        {{"Small Fonts", "Arial Black"}, "Small Fonts"},
    };
    for (const auto& k : cases) {
        ProgramState s;
        SelectChartFonts(s, k.fonts);
        EXPECT_EQ(s.ChartFontName, k.chosen);
    }
    ProgramState s;
    s.ChartFontName = "kept";
    SelectChartFonts(s, {});
    EXPECT_EQ(s.ChartFontName, "kept");
}

}  // namespace
}  // namespace tav
