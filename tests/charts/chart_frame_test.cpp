#include <gtest/gtest.h>

#include "charts/ChartDriver.h"
#include "charts/ChartFixtures.h"
#include "charts/ChartFrame.h"

namespace tav {
namespace {

using namespace charttest;

struct FrameTest : ::testing::Test {
    std::unique_ptr<ProgramState> s = MakeState();
    RecordingCanvas c = MakeCanvas();
    MainWindowView view{"", MainBack};

    bool Frame(int16_t slotNumber) { return DrawChartFrame(*s, c, view, slotNumber); }
};

TEST_F(FrameTest, FontFollowsTheSmallerOfWidthAndTwoAndThreeQuarterHeights) {
    const struct {
        float width, height;
        const char* font;
        float size;
    } cases[] = {
        {6000, 3000, "Arial", 9},       {6000, 1000, "Small Fonts", 5},
        {5000, 4000, "Small Fonts", 6}, {5001, 4000, "Arial", 8},
        {6500, 4000, "Arial", 9},       {6501, 4000, "Arial", 11},
        {9600, 2000, "Arial", 8},       {801, 800, "Small Fonts", 2.5f},
        {800, 800, "Small Fonts", 1},   {2001, 2000, "Small Fonts", 3.5f},
    };
    for (const auto& k : cases) {
        c.SetSize(k.width, k.height);
        Frame(3);
        EXPECT_EQ(c.FontName(), k.font) << k.width << " x " << k.height;
        EXPECT_FLOAT_EQ(c.FontSize(), k.size) << k.width << " x " << k.height;
        EXPECT_FALSE(c.FontBold());
    }
}

TEST_F(FrameTest, AFontTheMachineLacksKeepsTheCurrentOneButTakesTheSize) {
    s->ChartFontName = "No Such Font";
    c.SetFontName("MS Sans Serif");
    ASSERT_TRUE(Frame(0));
    EXPECT_EQ(c.FontName(), "MS Sans Serif");
    EXPECT_FLOAT_EQ(c.FontSize(), 11);
}

TEST_F(FrameTest, PlotRectangleAndGridRowsComeFromTheFontMetrics) {
    ASSERT_TRUE(Frame(3));
    EXPECT_EQ(s->ChartWidth, 9600);
    EXPECT_EQ(s->ChartHeight, 7200);
    EXPECT_EQ(s->PlotHeight, PlotHeight);
    EXPECT_EQ(s->YTick80, 1504);  // 289 + 0.2 * 6074 = 1503.8
    EXPECT_EQ(s->YTick60, 2719);
    EXPECT_EQ(s->YTick40, 3933);
    EXPECT_EQ(s->YTick20, 5148);
    for (int16_t k = 0; k <= 10; ++k) {
        const SlotRecord& r = s->SlotInfo[k];
        EXPECT_EQ(r.PlotLeft, PlotLeft);
        EXPECT_EQ(r.PlotRight, PlotRight);
        EXPECT_EQ(r.PlotTop, PlotTop);
        EXPECT_EQ(r.PlotBottom, PlotBottom);
    }
    EXPECT_EQ(s->SlotInfo[11].PlotRight, 0);

    const auto boxes = OpsOf(c, CanvasOp::Kind::Box);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].x1, PlotLeft);
    EXPECT_EQ(boxes[0].y1, PlotTop);
    EXPECT_EQ(boxes[0].x2, PlotRight);
    EXPECT_EQ(boxes[0].y2, PlotBottom);
    EXPECT_EQ(boxes[0].color, Grid);
    const auto grid = LinesIn(c, Grid);
    ASSERT_EQ(grid.size(), 4u);
    const float rows[] = {1504, 2719, 3933, 5148};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(grid[k].y1, rows[k]);
        EXPECT_EQ(grid[k].y2, rows[k]);
        EXPECT_EQ(grid[k].x1, PlotLeft);
        EXPECT_EQ(grid[k].x2, PlotRight);
        EXPECT_EQ(grid[k].drawStyle, 2);
    }
    EXPECT_EQ(c.DrawStyle, 0);
}

TEST_F(FrameTest, RectangleGoesToTheSlotsThatShareTheWindow) {
    ASSERT_TRUE(Frame(11));
    EXPECT_EQ(s->SlotInfo[11].PlotLeft, PlotLeft);
    EXPECT_EQ(s->SlotInfo[12].PlotLeft, 0);
    EXPECT_EQ(s->SlotInfo[0].PlotLeft, 0);

    ASSERT_TRUE(Frame(13));
    EXPECT_EQ(s->SlotInfo[12].PlotLeft, PlotLeft);
    EXPECT_EQ(s->SlotInfo[13].PlotLeft, PlotLeft);
    EXPECT_EQ(s->SlotInfo[14].PlotLeft, 0);
}

TEST_F(FrameTest, TitleNamesTheDataShown) {
    const struct {
        int16_t slot;
        bool dc, reflectance, absorbance, channel2, processed;
        int16_t mode, kind, count, derivative;
        const char* title;
    } cases[] = {
        {8, true, false, false, false, false, 0, 0, 0, 0, "DarkCurrent (CH 2)"},
        {9, false, false, false, false, false, 0, 0, 0, 0, "DarkCurrent (CH 1)"},
        {10, true, false, false, false, false, 0, 0, 0, 0, "Reference (DC on)"},
        {10, false, true, false, false, false, 0, 0, 0, 0, "Reference (DC off)"},
        {0, false, true, true, false, false, 0, 0, 0, 0, "Absorbance (DC off)"},
        {5, true, true, false, false, false, 0, 0, 0, 0, "Refl/Transm. (DC on)"},
        {2, false, false, false, true, false, 0, 0, 0, 0, "CH 1 (DC off)"},
        {7, true, false, false, false, false, 0, 0, 0, 0, "CH 2 (DC on)"},
        {0, false, true, false, false, true, 1, 1, 0, 0, "ADD (Reflectance)"},
        {0, false, false, false, false, true, 2, 3, 0, 0, "SUBTRACT (Reference)"},
        {0, false, false, false, false, true, 3, 2, 0, 0, "MULTIPLY (Raw Data)"},
        {0, false, false, false, false, true, 4, 7, 0, 0, "DIVIDE (Reference)"},
        {0, false, false, false, false, true, 5, 1, 0, 0, "TRANSFORM (Reflectance)"},
        {0, false, false, false, false, true, 6, 0, 0, 3, "DERIVATIVE ( 3 )"},
        {0, false, false, false, false, true, 7, 0, 12, 0, "AVERAGE ( 12 )"},
        {0, false, false, false, false, true, 8, 0, 0, 0, ""},
        {11, true, true, false, false, false, 0, 0, 0, 0, ""},
        {17, false, false, false, false, false, 0, 0, 0, 0, ""},
    };
    for (const auto& k : cases) {
        s->DarkCorrectionOn = k.dc;
        s->ViewReflectance = k.reflectance;
        s->AbsorbanceOn = k.absorbance;
        s->ShowChannel2 = k.channel2;
        s->ProcessedResult = k.processed;
        s->FileDialogMode = k.mode;
        s->SlotInfo[2].DataKind = k.kind;
        s->FileAvgCount = k.count;
        s->DerivativeParam = k.derivative;
        EXPECT_EQ(ChartTitle(*s, k.slot), k.title) << "slot " << k.slot << " mode " << k.mode;
    }
}

TEST_F(FrameTest, TitleIsPrintedAt1400OnTheTopRow) {
    s->DarkCorrectionOn = true;
    ASSERT_TRUE(Frame(10));
    const CanvasOp* title = FindPrint(c, "Reference (DC on)");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->x1, 1400);
    EXPECT_EQ(title->y1, 0);
    EXPECT_FALSE(Printed(c, "Overlay :   10 "));  // dark and reference slots have no block
}

// lineY = 7200 - 264 - 15 = 6921, the upper row 250 higher.
TEST_F(FrameTest, InformationBlockOfANormalScan) {
    FillScan256(*s, 3);
    s->SlotInfo[3].ScansAveraged = 4;
    s->SlotInfo[3].Temperature = 23.456f;
    // The box and the latest pair are another spectrum's: the block shows the slot's own.
    s->NumToAverage = 9;
    s->Temperature = 31.0f;
    ASSERT_TRUE(Frame(3));
    const struct {
        const char* text;
        float x, y;
    } expected[] = {
        {"Integration time    :  12.5 ms", 100, 6921},
        {"Temp. :  23.46  Deg C", 4000, 6921},
        {"Overlay :   3 ", 7600, 6921},
        {"Pixels :  256", 7600, 6671},
        {"Scans to Average:  4 ", 100, 6671},
    };
    for (const auto& e : expected) {
        const CanvasOp* op = FindPrint(c, e.text);
        ASSERT_NE(op, nullptr) << e.text;
        EXPECT_EQ(op->x1, e.x) << e.text;
        EXPECT_EQ(op->y1, e.y) << e.text;
    }
}

TEST_F(FrameTest, InformationBlockOfAMemoryReadOnlyShowsTheAddresses) {
    FillScan256(*s, 0);
    s->MemoryMode = 48;
    s->WriteAddress = 42;
    s->PixelMode = false;
    s->ReadAddressSaved = 5;
    view.Text5 = "17 abc";
    ASSERT_TRUE(Frame(0));
    EXPECT_TRUE(Printed(c, "Read Address:  17 "));
    EXPECT_TRUE(Printed(c, "Write Address:  42 "));
    EXPECT_TRUE(Printed(c, "Bins   :   256 "));
    EXPECT_FALSE(Printed(c, "Integration time    :  12.5 ms"));
    EXPECT_EQ(s->ReadAddressSaved, 5);  // a repaint leaves the accepted address alone
}

TEST_F(FrameTest, FileCaptionAndTheTemperatureLineBelowIt) {
    FillScan256(*s, 1);
    s->SlotInfo[1].FileName = "  /data/run/sample01.rdg  ";
    s->SlotInfo[1].IntegTime = 0;
    s->SlotInfo[1].Temperature = 21.5f;
    s->Temperature = 31.0f;
    ASSERT_TRUE(Frame(1));
    const CanvasOp* caption = FindPrint(c, "File: sample01.rdg");
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->x1, 4000);
    EXPECT_EQ(caption->y1, 6921);
    const CanvasOp* temp = FindPrint(c, "Temp. :  21.5  Deg C");
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(temp->x1, 0);
    EXPECT_EQ(temp->y1, 6921 + 264);
    EXPECT_EQ(s->SlotInfo[1].FileName, "  /data/run/sample01.rdg  ");
    for (const auto& t : c.PrintedTexts()) EXPECT_EQ(t.find("Integration"), std::string::npos);

    // A file that does not tell its temperature or its scans shows no value for them.
    s->SlotInfo[1].Temperature = NoTemperature;
    s->SlotInfo[1].ScansAveraged = NoScanCount;
    c.ClearRecord();
    ASSERT_TRUE(Frame(1));
    EXPECT_TRUE(Printed(c, "Temp. :  NaN Deg C"));
    EXPECT_TRUE(Printed(c, "Scans to Average:  NaN "));
}

TEST_F(FrameTest, LongCaptionsShowTheirLast65Characters) {
    FillScan256(*s, 0);
    const std::string name(70, 'n');
    s->SlotInfo[0].FileName = "/d/" + name;
    ASSERT_TRUE(Frame(0));
    EXPECT_TRUE(Printed(c, ("File: " + name).substr(11)));
}

TEST_F(FrameTest, AutoSaveNamesTheCurrentFileWhenTheSlotHasNone) {
    FillScan256(*s, 0);
    s->AutoSaveOn = true;
    s->CurrentFileName = "File: run00007.rdg";
    ASSERT_TRUE(Frame(0));
    EXPECT_TRUE(Printed(c, "File: run00007.rdg"));
}

TEST_F(FrameTest, KineticSlotsHaveNeitherTitleNorBlock) {
    FillKinetic(*s, 11, 20);
    ASSERT_TRUE(Frame(11));
    EXPECT_TRUE(c.PrintedTexts().empty());
}

TEST_F(FrameTest, AWindowTooSmallForAPlotDrawsNothing) {
    FillScan256(*s, 0);
    for (const auto& size : {std::pair<float, float>{2000, 100}, {0, 0}, {100, 3000}}) {
        c.SetSize(size.first, size.second);
        c.ClearRecord();
        std::string title;
        s->CursorOn = true;
        s->AxisSlot = 4;
        DrawChart(*s, c, view, 0, title);
        for (const auto& op : c.Ops()) {
            EXPECT_EQ(op.kind, CanvasOp::Kind::Font) << size.first << " x " << size.second;
        }
        EXPECT_EQ(s->AxisSlot, -1);
    }
}

}  // namespace
}  // namespace tav
