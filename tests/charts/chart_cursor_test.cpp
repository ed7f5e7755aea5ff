#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "charts/ChartCursor.h"
#include "charts/ChartDriver.h"
#include "charts/ChartFixtures.h"

namespace tav {
namespace {

using namespace charttest;

constexpr int16_t PageUp = 33, PageDown = 34, End = 35, Home = 36, Left = 37, Up = 38, Right = 39,
                  Down = 40;

// Lines drawn in the not-xor pen that an odd number of drawings leave on the surface.
std::map<std::tuple<float, float, float, float>, int> XorResidue(const RecordingCanvas& c) {
    std::map<std::tuple<float, float, float, float>, int> count;
    for (const auto& op : c.Ops()) {
        if (op.kind == CanvasOp::Kind::Line && op.drawMode == 10) {
            ++count[{op.x1, op.y1, op.x2, op.y2}];
        }
    }
    std::map<std::tuple<float, float, float, float>, int> odd;
    for (const auto& [line, n] : count) {
        if (n % 2) odd[line] = n;
    }
    return odd;
}

// The cursor line left on the surface (the vertical one among the residue).
std::vector<float> CursorLinesAt(const RecordingCanvas& c) {
    std::vector<float> xs;
    for (const auto& [line, n] : XorResidue(c)) {
        if (std::get<0>(line) == std::get<2>(line) && std::get<1>(line) == PlotTop &&
            std::get<3>(line) == PlotBottom) {
            xs.push_back(std::get<0>(line));
        }
    }
    return xs;
}

struct CursorTest : ::testing::Test {
    std::unique_ptr<ProgramState> s = MakeState();
    RecordingCanvas c = MakeCanvas();
    MainWindowView view{"", MainBack};

    void SetUp() override { FillScan256(*s, 0); }
    void Chart(int16_t slotNumber) {
        std::string title;
        DrawChart(*s, c, view, slotNumber, title);
        c.ClearRecord();
    }
    void Move(int16_t slotNumber, int16_t key, float position = 0) {
        MoveChartCursor(*s, c, view, slotNumber, key, position);
    }
    void PlaceAt(int16_t slotNumber, int16_t point) {
        SlotRecord& r = s->SlotInfo[slotNumber];
        r.CursorShown = true;
        r.CursorPoint = point;
        r.AnchorPoint = point;
    }
    std::string Readout() {
        const auto texts = c.PrintedTexts();
        return texts.empty() ? "" : texts.back();
    }
};

TEST_F(CursorTest, FirstKeyShowsTheCursorOnTheFirstPointThenAppliesTheKey) {
    Chart(0);
    Move(0, Right);
    const SlotRecord& r = s->SlotInfo[0];
    EXPECT_TRUE(r.CursorShown);
    EXPECT_EQ(r.CursorPoint, 1);
    EXPECT_EQ(r.AnchorPoint, 1);
    EXPECT_EQ(CursorLinesAt(c), std::vector<float>{1461});  // 1430 + 7840 / 255, rounded
    EXPECT_EQ(Readout(), "304.8 nm,  2010    , Pixel =2");
    const CanvasOp* text = FindPrint(c, Readout());
    EXPECT_EQ(text->x1, 3920);  // centred over the plot: 1430 + (7840 - 26 * 110) / 2
    EXPECT_EQ(text->y1, 10);
    EXPECT_EQ(c.DrawMode, 13);
    EXPECT_EQ(s->PlotWidth, PlotWidth);
}

TEST_F(CursorTest, KeysMoveAndWrapWithinTheVisibleRange) {
    const struct {
        int16_t from, key, to;
    } cases[] = {
        {10, Right, 11}, {10, Left, 9},     {10, PageUp, 30}, {30, PageDown, 10},
        {255, Right, 0}, {0, Left, 255},    {5, PageDown, 255}, {250, PageUp, 0},
        {77, Home, 0},   {3, End, 128},     // the middle: 0 + 255 / 2 rounded to even
    };
    Chart(0);
    for (const auto& k : cases) {
        PlaceAt(0, k.from);
        Move(0, k.key);
        EXPECT_EQ(s->SlotInfo[0].CursorPoint, k.to) << k.from << " key " << k.key;
    }
}

TEST_F(CursorTest, UpAndDownMoveNothingAndPrintNothing) {
    Chart(0);
    PlaceAt(0, 12);
    for (int16_t key : {Up, Down}) {
        c.ClearRecord();
        Move(0, key);
        EXPECT_TRUE(c.Ops().empty());
        EXPECT_EQ(c.DrawMode, 13);
        EXPECT_EQ(s->SlotInfo[0].CursorPoint, 12);
    }
    Move(0, 65);  // not a cursor key
    EXPECT_TRUE(c.Ops().empty());
}

TEST_F(CursorTest, MouseMovesToThePointUnderItInsideThePlotOnly) {
    Chart(0);
    Move(0, cursor::NoKey, PlotLeft + PlotWidth / 2.0f);
    EXPECT_EQ(s->SlotInfo[0].CursorPoint, 128);  // 127.5 rounded to even
    c.ClearRecord();
    Move(0, cursor::NoKey, 100);
    EXPECT_EQ(s->SlotInfo[0].CursorPoint, 128);
    EXPECT_FALSE(Readout().empty());  // still redrawn
    Move(0, cursor::NoKey, PlotRight);
    EXPECT_EQ(s->SlotInfo[0].CursorPoint, 255);
}

TEST_F(CursorTest, ZoomSetsTheVisibleRangeOfSpectrumSlotsOnly) {
    FillScan256(*s, 3);
    s->XZoomOn = true;
    s->XZoomMin = ScanX(100);
    s->XZoomMax = ScanX(150);
    Chart(3);
    Move(3, Home);
    EXPECT_EQ(s->SlotInfo[3].CursorPoint, 100);
    Move(3, Left);
    EXPECT_EQ(s->SlotInfo[3].CursorPoint, 150);

    FillKinetic(*s, 11, 20);
    Chart(11);
    Move(11, Left);
    EXPECT_EQ(s->SlotInfo[11].CursorPoint, 19);
}

TEST_F(CursorTest, KineticReadOutPrintsTheTimeWithoutAPointNumber) {
    FillKinetic(*s, 11, 20);
    s->XData[11][1] = 12;
    Chart(11);
    Move(11, Right);
    EXPECT_EQ(Readout(), "012.0 Seconds,   1.1   ");
    EXPECT_EQ(OpsOf(c, CanvasOp::Kind::PrintInline).back().x1, 4250);
}

TEST_F(CursorTest, ReadOutValueAndPointNumber) {
    const struct {
        bool pixelMode, reflectance, absorbance, channel2;
        float ch2;
        const char* text;
    } cases[] = {
        {true, false, false, false, 4000, "304.8 nm,  2010    , Pixel =2"},
        {false, false, false, false, 4000, "304.8 nm,  2010    , Bin =2"},
        {true, false, false, true, 4000, "304.8 nm,  4000    , Pixel =2"},
        {true, true, false, false, 4000, "304.8 nm,  .5025   , Pixel =2"},
        {true, true, false, false, 0, "304.8 nm,   1.   , Pixel =2"},
        {true, true, true, false, 0, "304.8 nm,    0.0    , Pixel =2"},
    };
    for (const auto& k : cases) {
        s = MakeState();
        FillScan256(*s, 0);
        s->PixelMode = k.pixelMode;
        s->ViewReflectance = k.reflectance;
        s->AbsorbanceOn = k.absorbance;
        s->ShowChannel2 = k.channel2;
        s->Ch2Data[0][1] = k.ch2;
        s->Ch1Data[10][1] = 9999;  // the reference slot: not what the read-out divides by
        Chart(0);
        Move(0, Right);
        EXPECT_EQ(Readout(), k.text);
    }
}

TEST_F(CursorTest, MarkSitsOnTheCurveInEveryView) {
    const struct {
        bool reflectance, absorbance, channel2;
    } views[] = {{false, false, false}, {false, false, true}, {true, false, false}, {true, true, false}};
    for (const auto& v : views) {
        s->ViewReflectance = v.reflectance;
        s->AbsorbanceOn = v.absorbance;
        s->ShowChannel2 = v.channel2;
        for (int i = 0; i < 256; ++i) s->Ch2Data[0][i] = 3000.0f + 7 * i;
        Chart(0);
        for (int p : {0, 17, 120, 247}) EXPECT_EQ(DataToScreenY(*s, p, 0), s->PlotY[p]) << p;
    }
}

TEST_F(CursorTest, UpperStrokesOfTheMarkOnlyBelowThePlotTop) {
    Chart(0);
    PlaceAt(0, 0);
    c.ClearRecord();
    DrawCursorMark(c, 5000, PlotTop + 61, PlotTop);
    EXPECT_EQ(OpsOf(c, CanvasOp::Kind::Line).size(), 4u);
    c.ClearRecord();
    DrawCursorMark(c, 5000, PlotTop + 60, PlotTop);
    EXPECT_EQ(OpsOf(c, CanvasOp::Kind::Line).size(), 2u);
}

TEST_F(CursorTest, DrawingTwiceAtOnePlaceLeavesTheChartAsItWas) {
    Chart(0);
    Move(0, Right);
    Move(0, Right);
    Move(0, PageUp);
    Move(0, cursor::NoKey, 4000);
    Move(0, End);
    EXPECT_EQ(CursorLinesAt(c).size(), 1u);
    Move(0, cursor::NoKey, cursor::Erase);
    EXPECT_TRUE(XorResidue(c).empty());
}

TEST_F(CursorTest, RedrawOnAFreshChartThenEraseRestoresIt) {
    Chart(0);
    Move(0, End);
    s->CursorOn = true;
    std::string title;
    c.ClearRecord();
    DrawChart(*s, c, view, 0, title);  // the window was cleared: cursor drawn once at point 128
    EXPECT_EQ(CursorLinesAt(c).size(), 1u);
    Move(0, Right);
    Move(0, cursor::NoKey, cursor::Erase);
    EXPECT_TRUE(XorResidue(c).empty());
}

TEST_F(CursorTest, EraseClearsTheWholeReadOut) {
    Chart(0);
    Move(0, Right);
    const CanvasOp readoutBox = OpsOf(c, CanvasOp::Kind::FilledBox).back();
    const CanvasOp* text = FindPrint(c, Readout());
    c.ClearRecord();
    Move(0, cursor::NoKey, cursor::Erase);
    const auto boxes = OpsOf(c, CanvasOp::Kind::FilledBox);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_LE(boxes[0].x1, text->x1);
    EXPECT_LE(boxes[0].y1, text->y1);
    EXPECT_GE(boxes[0].y2, text->y1 + 264);
    EXPECT_EQ(boxes[0].x2, 9600);
    EXPECT_EQ(boxes[0].color, MainBack);
    EXPECT_EQ(boxes[0].x1, readoutBox.x1);
    EXPECT_EQ(c.DrawMode, 13);
}

TEST_F(CursorTest, EraseOfACursorNotShownLeavesNothing) {
    Chart(0);
    Move(0, cursor::NoKey, cursor::Erase);
    EXPECT_TRUE(XorResidue(c).empty());
    EXPECT_TRUE(s->SlotInfo[0].CursorShown);
    EXPECT_TRUE(c.PrintedTexts().empty());
}

TEST_F(CursorTest, NothingWithoutAPlotOrWithoutPoints) {
    Chart(0);
    s->SlotInfo[0].PlotRight = s->SlotInfo[0].PlotLeft;
    Move(0, cursor::NoKey, 2000);
    Move(0, Right);
    EXPECT_TRUE(c.Ops().empty());
    EXPECT_FALSE(s->SlotInfo[0].CursorShown);

    FillKinetic(*s, 12, 1);
    Chart(12);
    Move(12, Right);
    EXPECT_TRUE(c.Ops().empty());
}

TEST_F(CursorTest, ClearAllCursorsErasesEveryShownCursorOnItsWindow) {
    FakeChartWindows windows;
    FillKinetic(*s, 14, 20);
    std::string title;
    DrawChart(*s, windows.canvases[0], view, 0, title);
    DrawChart(*s, windows.canvases[4], view, 14, title);
    MoveChartCursor(*s, windows.canvases[0], view, 0, Right, 0);
    MoveChartCursor(*s, windows.canvases[4], view, 14, End, 0);
    s->CursorOn = true;

    ClearAllCursors(*s, windows);
    EXPECT_FALSE(s->CursorOn);
    for (int16_t k : {0, 14}) {
        EXPECT_FALSE(s->SlotInfo[k].CursorShown);
        EXPECT_EQ(s->SlotInfo[k].CursorPoint, 0);
        EXPECT_EQ(s->SlotInfo[k].AnchorPoint, 0);
    }
    EXPECT_TRUE(XorResidue(windows.canvases[0]).empty());
    EXPECT_TRUE(XorResidue(windows.canvases[4]).empty());
    EXPECT_EQ(windows.canvasRequests, 2);

    s->CursorOn = true;
    ClearAllCursors(*s, windows);
    EXPECT_FALSE(s->CursorOn);
    EXPECT_EQ(windows.canvasRequests, 2);
}

}  // namespace
}  // namespace tav
