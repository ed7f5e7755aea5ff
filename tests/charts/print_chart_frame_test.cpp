#include <gtest/gtest.h>

#include <array>

#include "charts/PrintFixtures.h"
#include "charts/PrintedChartFrame.h"

namespace tav {
namespace {

using namespace printtest;

struct PrintFrameTest : PrintFixture {
    PrintFrameTest() { Fractions(); }
    void Frame(int16_t slotNumber) {
        page.ClearRecord();
        PrintChartFrame(*s, page, slotNumber);
    }
};

TEST_F(PrintFrameTest, LaysTheChartOutOnThePageFromTheFractions) {
    FillScan256(*s, 3);
    Frame(3);
    EXPECT_EQ(s->PrintChartLeft, L);
    EXPECT_EQ(s->PrintChartTop, T);
    EXPECT_EQ(s->PrintChartWidth, W);
    EXPECT_EQ(s->PrintChartHeight, H);
    EXPECT_EQ(page.FontName(), "Arial");
    EXPECT_FLOAT_EQ(page.FontSize(), 11);
    EXPECT_FALSE(page.FontBold());

    EXPECT_EQ(s->PlotHeight, PlotHeight);
    EXPECT_EQ(s->PrintGridY80, 1674);  // 579 + 0.2 * 5474 = 1673.8
    EXPECT_EQ(s->PrintGridY60, 2769);
    EXPECT_EQ(s->PrintGridY40, 3863);
    EXPECT_EQ(s->PrintGridY20, 4958);

    // The frame, then the grid on the printed rows, highest first.
    const auto boxes = OpsOf(page, CanvasOp::Kind::Box);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ((std::array{boxes[0].x1, boxes[0].y1, boxes[0].x2, boxes[0].y2}),
              (std::array<float, 4>{PlotLeft, PlotTop, PlotRight, PlotBottom}));
    std::vector<float> gridRows;
    for (const auto& line : LinesIn(page, Grid)) gridRows.push_back(line.y1);
    EXPECT_EQ(gridRows, (std::vector<float>{1674, 2769, 3863, 4958}));
    EXPECT_EQ(page.DrawStyle, 0);
}

TEST_F(PrintFrameTest, FontFollowsTheSmallerOfWidthAndTwoAndThreeQuarterHeights) {
    // The whole page is the chart, so the chart is the page's size.
    s->PrintWidthFrac = s->PrintHeightFrac = 1;
    s->PrintLeftFrac = s->PrintTopFrac = 0;
    const struct {
        float width, height;
        const char* font;
        float size;
    } cases[] = {
        {7000, 2000, "Arial", 8},         {7000, 3000, "Arial", 11},
        {6500, 4000, "Arial", 9},         {5001, 4000, "Arial", 8},
        {5000, 4000, "Small Fonts", 6},   {801, 800, "Small Fonts", 2.5f},
        {800, 800, "Small Fonts", 1},     {9000, 1000, "Small Fonts", 5},  // S = 2750
    };
    for (const auto& k : cases) {
        page.SetSize(k.width, k.height);
        s->SlotInfo[11].NumPoints = 0;
        Frame(11);
        EXPECT_EQ(page.FontName(), k.font) << k.width << " x " << k.height;
        EXPECT_FLOAT_EQ(page.FontSize(), k.size) << k.width << " x " << k.height;
    }
}

TEST_F(PrintFrameTest, ThePlotRectangleGoesToTheSlotsThatShareTheChart) {
    const auto stored = [&](int16_t k) { return s->SlotInfo[k].PlotLeft == PlotLeft && s->SlotInfo[k].PlotTop == PlotTop; };
    Frame(3);
    for (int16_t k = 0; k <= 7; ++k) EXPECT_TRUE(stored(k)) << k;
    for (int16_t k = 8; k <= 19; ++k) EXPECT_FALSE(stored(k)) << "the dark and reference slots keep theirs: " << k;

    s = MakeState();
    Fractions();
    Frame(13);
    for (int16_t k = 0; k <= 19; ++k) EXPECT_EQ(stored(k), k == 12 || k == 13) << k;

    s = MakeState();
    Fractions();
    Frame(12);
    for (int16_t k = 0; k <= 19; ++k) EXPECT_EQ(stored(k), k == 12) << k;
}

TEST_F(PrintFrameTest, TitlesAreThePrintedChartsOwn) {
    const struct {
        int16_t slot;
        bool processed, reflectance, absorbance, dc;
        int16_t mode;
        const char* title;
    } cases[] = {
        {0, false, false, false, false, 0, "Raw Data (DC off)"},
        {2, false, false, false, true, 0, "Raw Data (DC on)"},
        {0, false, true, false, true, 0, "Refl/Transm. (DC on)"},
        {0, false, true, true, false, 0, "Absorbance (DC off)"},
        {8, false, false, false, false, 0, "DarkCurrent"},
        {9, false, false, false, false, 0, ""},
        {10, false, false, false, true, 0, "Reference (DC on)"},
        {0, true, false, false, false, 3, "MULTIPLY (Raw Data)"},
        {4, true, false, false, false, 1, "ADD (Raw Data)"},
        {0, true, false, false, false, 6, "DERIVATIVE ( 3 )"},
        {0, true, false, false, false, 7, "AVERAGE ( 5 )"},
        {0, true, false, false, false, 8, ""},
        {0, true, false, false, false, 0, ""},
        {18, false, false, false, false, 0, ""},
    };
    for (const auto& k : cases) {
        s->ProcessedResult = k.processed;
        s->ViewReflectance = k.reflectance;
        s->AbsorbanceOn = k.absorbance;
        s->DarkCorrectionOn = k.dc;
        s->FileDialogMode = k.mode;
        s->SlotInfo[2].DataKind = 2;
        s->DerivativeParam = 3;
        s->FileAvgCount = 5;
        EXPECT_EQ(PrintedChartTitle(*s, k.slot), k.title) << k.slot << " mode " << k.mode;
        Frame(k.slot);
        const CanvasOp* printed = FindPrint(page, k.title);
        if (*k.title == '\0') continue;
        ASSERT_NE(printed, nullptr) << k.title;
        EXPECT_EQ(printed->x1, L + 1400);
        EXPECT_EQ(printed->y1, T - 300);
    }
}

TEST_F(PrintFrameTest, KineticChartsPrintTheirWindowsTitleAfterTheInformationBlock) {
    const struct {
        int16_t slot;
        const char* title;
    } cases[] = {{11, "Ratio"}, {12, "Normalized Difference"}, {16, "Average per bin"}, {17, "Diagnostics"}};
    for (const auto& k : cases) {
        FillKinetic(*s, k.slot, 5);
        Frame(k.slot);
        EXPECT_EQ(s->IndexWinTitle, k.title);
        const auto texts = page.PrintedTexts();
        ASSERT_FALSE(texts.empty());
        EXPECT_EQ(texts.back(), k.title) << "printed last, after the information lines";
        const CanvasOp* printed = FindPrint(page, k.title);
        EXPECT_EQ(printed->x1, L + 1400);
        EXPECT_EQ(printed->y1, T - 300);
    }
    s->IndexWinTitle = "Ratio";
    FillScan256(*s, 0);
    Frame(0);
    EXPECT_EQ(s->IndexWinTitle, "Ratio") << "a spectrum keeps the last kinetic title";
}

struct PrintInfoTest : PrintFrameTest {
    PrintInfoTest() {
        FillScan256(*s, 3);
        s->SlotInfo[3].Temperature = 23.456f;
        s->SlotInfo[3].ScansAveraged = 5;
        s->LampLevel = 1000;
        // The latest pair and the box are another spectrum's: the page shows the slot's own.
        s->Temperature = 31.0f;
        s->NumToAverage = 9;
    }
    const CanvasOp* At(const std::string& text) { return FindPrint(page, text); }
};

TEST_F(PrintInfoTest, AnInstrumentSpectrumShowsTheInstrumentLines) {
    Frame(3);
    const CanvasOp* integ = At("Integration time    :  12.5 ms");
    ASSERT_NE(integ, nullptr);
    EXPECT_EQ(integ->kind, CanvasOp::Kind::PrintInline);
    EXPECT_EQ(integ->x1, L + 100);
    EXPECT_EQ(integ->y1, InfoY);

    // Without AutoSave there is no file line: the temperature stands where it would be.
    const CanvasOp* temp = At("Temp. :  23.46  Deg C");
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(temp->x1, L + W / 2 - 800);
    EXPECT_EQ(temp->y1, InfoY);

    const CanvasOp* overlay = At("Overlay   :   3 ");
    ASSERT_NE(overlay, nullptr);
    EXPECT_EQ(overlay->x1, L + W - 2000);
    EXPECT_EQ(overlay->y1, InfoY);
    const CanvasOp* vsource = At("Vsource  :  400.  %");  // 1000 / 2.5 in "###.# "
    ASSERT_NE(vsource, nullptr);
    EXPECT_EQ(vsource->x1, L + W - 2000);
    EXPECT_EQ(vsource->y1, InfoY - 250);
    const CanvasOp* scans = At("Scans to average :  5 ");
    ASSERT_NE(scans, nullptr);
    EXPECT_EQ(scans->kind, CanvasOp::Kind::PrintInline);
    EXPECT_EQ(scans->x1, L + 100);
    EXPECT_EQ(scans->y1, InfoY - 300);
}

TEST_F(PrintInfoTest, AutoSavePrintsTheEndOfTheFileLineThatFitsOnThePage) {
    s->AutoSaveOn = true;
    s->CurrentFileName = "File: /data/RUN00007.rdg";
    Frame(3);
    const CanvasOp* file = At(s->CurrentFileName);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->x1, L + W / 2 - 800);
    EXPECT_EQ(file->y1, InfoY);
    const CanvasOp* temp = At("Temp. :  23.46  Deg C");
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(temp->x1, 0) << "one line below, at the page's left edge";
    EXPECT_EQ(temp->y1, InfoY + 264);

    // At most its last 65 characters, and no more than reach the right edge of the page from
    // the middle of the chart: (12240 - 5320) / 110 gives 62.
    page.ClearRecord();
    s->CurrentFileName = "File: " + std::string(70, 'x') + "RUN00007.rdg";
    Frame(3);
    const std::string expected = s->CurrentFileName.substr(s->CurrentFileName.size() - 62);
    file = At(expected);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->x1, L + W / 2 - 800);
    EXPECT_LE(file->x1 + 110 * expected.size(), PageWidth);
}

TEST_F(PrintInfoTest, AFileSpectrumOrAProcessedResultShowsOnlyItsIntegrationTime) {
    s->SlotInfo[3].FileName = "  /data/run/spec0001.rdg   ";
    Frame(3);
    EXPECT_EQ(s->SlotInfo[3].FileName, "/data/run/spec0001.rdg") << "stored back trimmed";
    EXPECT_NE(At("Integration time    :  12.5 ms"), nullptr);
    EXPECT_EQ(At("Temp. :  23.46  Deg C"), nullptr);
    EXPECT_EQ(At("Overlay   :   3 "), nullptr);

    s->SlotInfo[3].FileName.clear();
    s->ProcessedResult = true;
    s->SlotInfo[3].IntegTime = 0;
    Frame(3);
    for (const std::string& text : page.PrintedTexts()) {
        EXPECT_EQ(text.find("Integration"), std::string::npos);
        EXPECT_EQ(text.find("Temp."), std::string::npos);
    }
}

}  // namespace
}  // namespace tav
