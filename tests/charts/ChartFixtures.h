#pragma once
// Fixtures of the chart tests: a program state set up for drawing, slots filled with a 256-point
// instrument scan, a binned spectrum and a kinetic series, and helpers that pick operations out
// of a RecordingCanvas.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "charts/ChartWindows.h"
#include "doubles/RecordingCanvas.h"
#include "shared/ProgramState.h"

namespace tav::charttest {

// Layout of the default RecordingCanvas (9600 x 7200 twips) at the 11-point chart font:
// text 264 high, 110 wide per character.
constexpr int PlotLeft = 1430;    // 13 characters of " -0.0000E+00 "
constexpr int PlotRight = 9270;   // 9600 - 3 characters
constexpr int PlotTop = 289;      // 264 + 25
constexpr int PlotBottom = 6363;  // 7200 - 3 * (264 + 15)
constexpr int PlotWidth = PlotRight - PlotLeft;
constexpr int PlotHeight = PlotBottom - PlotTop;

constexpr int32_t Ink = 0x0A0B0C;   // no palette colour, so curves and text stay apart
constexpr int32_t Grid = 0x123456;
constexpr int32_t Curve0 = 0x400040;
constexpr int32_t White = 0xFFFFFF;
constexpr int32_t MainBack = 0xC0C0C0;

inline std::unique_ptr<ProgramState> MakeState() {
    auto s = std::make_unique<ProgramState>();
    s->AutoScaleOn.fill(-1);
    s->ChartFontName = "Arial";
    s->ChartColor = Grid;
    s->TextColor = Ink;
    s->CurveColor = Curve0;
    s->ShowChannel2 = false;
    s->PixelMode = true;
    return s;
}

inline RecordingCanvas MakeCanvas() {
    RecordingCanvas c;
    c.SetAvailableFonts({"Arial", "Small Fonts", "MS Sans Serif"});
    return c;
}

// x from 301.5 to 1150 nm; channel 1 rises from 2000 by 10 per point up to point 247, the
// status words after it are 65535; channel 2 is 4000.
inline float ScanX(int i) { return static_cast<float>(301.5 + i * (848.5 / 255.0)); }
inline void FillScan256(ProgramState& s, int16_t slotNumber) {
    SlotRecord& rec = s.SlotInfo[slotNumber];
    rec.NumPoints = 256;
    rec.IntegTime = 12.5f;
    for (int i = 0; i < 256; ++i) {
        s.XData[slotNumber][i] = ScanX(i);
        s.Ch1Data[slotNumber][i] = i < 248 ? 2000.0f + 10.0f * i : 65535.0f;
        s.Ch2Data[slotNumber][i] = 4000.0f;
    }
    rec.XMin = s.XData[slotNumber][0];
    rec.XMax = s.XData[slotNumber][255];
}

// Bins of 3 nm from 300 nm; channel 1 = 100 + bin number.
inline void FillBinned(ProgramState& s, int16_t slotNumber, int bins) {
    SlotRecord& rec = s.SlotInfo[slotNumber];
    rec.NumPoints = static_cast<int16_t>(bins);
    for (int i = 0; i < bins; ++i) {
        s.XData[slotNumber][i] = 300.0f + 3.0f * i;
        s.Ch1Data[slotNumber][i] = 100.0f + i;
        s.Ch2Data[slotNumber][i] = 200.0f;
    }
    rec.XMin = s.XData[slotNumber][0];
    rec.XMax = s.XData[slotNumber][bins - 1];
}

// A kinetic series: one point every 10 s, value 1 + 0.1 per point.
inline void FillKinetic(ProgramState& s, int16_t slotNumber, int points) {
    SlotRecord& rec = s.SlotInfo[slotNumber];
    rec.NumPoints = static_cast<int16_t>(points);
    for (int i = 0; i < points; ++i) {
        s.XData[slotNumber][i] = 10.0f * i;
        s.Ch1Data[slotNumber][i] = 1.0f + 0.1f * i;
    }
    rec.XMin = 0;
    rec.XMax = s.XData[slotNumber][points - 1];
}

inline std::vector<CanvasOp> OpsOf(const RecordingCanvas& c, CanvasOp::Kind kind) {
    std::vector<CanvasOp> out;
    for (const auto& op : c.Ops()) {
        if (op.kind == kind) out.push_back(op);
    }
    return out;
}

// Lines drawn in one colour (the curve segments of a slot, the grid).
inline std::vector<CanvasOp> LinesIn(const RecordingCanvas& c, int32_t color) {
    std::vector<CanvasOp> out;
    for (const auto& op : OpsOf(c, CanvasOp::Kind::Line)) {
        if (op.color == color && op.drawMode == 13) out.push_back(op);
    }
    return out;
}

inline bool Printed(const RecordingCanvas& c, const std::string& text) {
    const auto texts = c.PrintedTexts();
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// The different texts printed at one x (the y labels at x 60 of their chart).
inline std::set<std::string> TextsPrintedAt(const RecordingCanvas& c, float x) {
    std::set<std::string> texts;
    for (const auto& op : c.Ops()) {
        const bool text = op.kind == CanvasOp::Kind::Print || op.kind == CanvasOp::Kind::PrintInline;
        if (text && op.x1 == x) texts.insert(op.text);
    }
    return texts;
}

// Every line lies strictly between the top and the bottom of the slot's plot.
inline void ExpectBetweenTopAndBottom(const std::vector<CanvasOp>& lines, const SlotRecord& r) {
    for (const auto& line : lines) {
        EXPECT_GT(line.y2, r.PlotTop);
        EXPECT_LT(line.y2, r.PlotBottom);
    }
}

inline const CanvasOp* FindPrint(const RecordingCanvas& c, const std::string& text) {
    for (const auto& op : c.Ops()) {
        if ((op.kind == CanvasOp::Kind::Print || op.kind == CanvasOp::Kind::PrintInline) &&
            op.text == text) {
            return &op;
        }
    }
    return nullptr;
}

// The chart windows of a test: one recording canvas per chart window. The function keys are
// tested on the program's windows, which paint when they are shown.
class FakeChartWindows : public ChartWindows {
public:
    FakeChartWindows() {
        for (auto& c : canvases) c.SetAvailableFonts({"Arial", "Small Fonts", "MS Sans Serif"});
    }
    RecordingCanvas canvases[8];
    bool loaded[8] = {true, true, true, true, true, true, true, true};
    int canvasRequests = 0;
    Canvas* ChartCanvas(int16_t windowIndex) override {
        ++canvasRequests;
        return loaded[windowIndex] ? &canvases[windowIndex] : nullptr;
    }
    MainWindowView MainView() override { return {"", MainBack}; }
    void ShowWindow(SwitchableWindow) override {}
};

}  // namespace tav::charttest
