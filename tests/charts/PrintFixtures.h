#pragma once
// Fixtures of the printed-chart tests: a Letter page on a recording printer (12240 x 15840
// twips) and the layout of a chart at 100 % on it, in the 11-point chart font (text 264 high,
// 110 wide per character).

#include <gtest/gtest.h>

#include <memory>

#include "charts/ChartFixtures.h"
#include "doubles/RecordingPrinter.h"

namespace tav::printtest {

// The chart fixtures, without their window layout.
using charttest::Curve0;
using charttest::FillBinned;
using charttest::FillKinetic;
using charttest::FillScan256;
using charttest::FindPrint;
using charttest::Grid;
using charttest::Ink;
using charttest::LinesIn;
using charttest::MainBack;
using charttest::MakeCanvas;
using charttest::MakeState;
using charttest::OpsOf;
using charttest::Printed;
using charttest::White;

constexpr float PageWidth = 12240, PageHeight = 15840;
// The chart: 0.8 of the width, centred; 0.4 of the height, 0.035 of it down its half.
constexpr int L = 1224, T = 554, W = 9792, H = 6336;
constexpr int PlotLeft = L + 13 * 110;               // " -0.0000E+00 "
constexpr int PlotRight = L + W - 3 * 110;           // "000"
constexpr int PlotTop = T + 264 + 25 - 264;          // "DUMMY TEXT" + 25 - "0"
constexpr int PlotBottom = T + H - 3 * (264 + 15);
constexpr int PlotWidth = PlotRight - PlotLeft;
constexpr int PlotHeight = PlotBottom - PlotTop;
constexpr int InfoY = T + H - 100;
// Each half page begins 0.25/11 of the page height below its top edge.
constexpr float HalfMargin = PageHeight * 0.25f / 11;  // 360

struct PrintFixture : ::testing::Test {
    std::unique_ptr<ProgramState> s = MakeState();
    RecordingPrinter printer;
    RecordingCanvas& page = printer.Page();
    MainWindowView view{"", MainBack};

    PrintFixture() { page.SetAvailableFonts({"Arial", "Small Fonts", "MS Sans Serif"}); }

    // The page fractions of a chart at pct percent, as the chart driver sets them.
    void Fractions(float pct = 100) {
        s->PrintWidthFrac = 0.8f * pct / 100;
        s->PrintHeightFrac = 0.4f * pct / 100;
        s->PrintLeftFrac = 0.5f - s->PrintWidthFrac / 2;
        s->PrintTopFrac = 0.035f;
    }
};

// Where an operation lands on the paper: y less the origin shift it was drawn with.
inline float PaperY(const CanvasOp& op, float y) { return y - op.scaleTop; }

}  // namespace tav::printtest
