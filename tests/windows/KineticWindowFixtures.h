// What the tests of the kinetic and index windows share: the program on the headless front end
// with the chart settings of a drawing test, a log of the keys handed to the key commands, and
// helpers that read a window's recording canvas.

#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "charts/ChartFixtures.h"
#include "platform/forms_test_app.h"
#include "windows/KineticForms.h"

namespace tav::test {

constexpr int32_t SeriesBlue = 0x800000;  // QBColor(1): the colour of every kinetic curve

struct KineticWindowsTest : ::testing::Test {
    FormsTestApp t;
    ProgramState& s = *t.state;
    std::vector<std::pair<int16_t, std::string>> commands;  // (character, x-axis title)

    void SetUp() override {
        s.AutoScaleOn.fill(-1);
        s.ChartFontName = "Arial";
        s.ChartColor = charttest::Grid;
        s.TextColor = charttest::Ink;
        s.DisplayChannel[2] = 12;  // as at start-up
        t.app.keyCommand = [this](int16_t& keyAscii, std::string& xTitle) {
            commands.emplace_back(keyAscii, xTitle);
        };
    }

    static RecordingCanvas& CanvasOf(Form& form) { return HeadlessHost::CanvasOf(form); }

    // The operations since the window was last cleared; empty when it never was.
    static std::vector<CanvasOp> SinceLastCls(Form& form) {
        const auto& ops = CanvasOf(form).Ops();
        for (std::size_t i = ops.size(); i-- > 0;) {
            if (ops[i].kind == CanvasOp::Kind::Cls) return {ops.begin() + i + 1, ops.end()};
        }
        return {};
    }
    static bool ClearedLast(Form& form) {
        const auto& ops = CanvasOf(form).Ops();
        return !ops.empty() && ops.back().kind == CanvasOp::Kind::Cls;
    }
    static bool PrintedSinceCls(Form& form, const std::string& text) {
        for (const CanvasOp& op : SinceLastCls(form)) {
            if (op.kind == CanvasOp::Kind::Print && op.text == text) return true;
        }
        return false;
    }
    // Points of kinetic curves drawn since the last Cls (a curve draws one line to each point,
    // the first from where it starts).
    static int CurvePoints(Form& form) {
        int n = 0;
        for (const CanvasOp& op : SinceLastCls(form)) {
            if (op.kind == CanvasOp::Kind::Line && op.color == SeriesBlue && op.drawMode == 13) ++n;
        }
        return n;
    }
    static int Curves(Form& form) {
        int n = 0;
        for (const CanvasOp& op : SinceLastCls(form)) n += op.kind == CanvasOp::Kind::PSet;
        return n;
    }

    // A key as the operator types it: KeyDown, then the character when the key went on.
    static void Type(Form& form, int16_t keyCode, int16_t keyAscii) {
        if (form.UserKeyDown(nullptr, keyCode, shift::None) && keyAscii != 0) {
            form.UserKeyPress(nullptr, keyAscii);
        }
    }
};

}  // namespace tav::test
