#include "windows/MainForm.h"

#include <algorithm>
#include <utility>

#include "charts/ChartCursor.h"
#include "charts/TraceSelection.h"
#include "platform/Numbers.h"
#include "platform/draw/Canvas.h"
#include "shared/ProgramState.h"
#include "windows/FormCharts.h"
#include "windows/KeyCommands.h"
#include "windows/WelcomeForm.h"

namespace tav {

namespace {

void ClearCursorFields(SlotRecord& rec) {
    rec.CursorPoint = 0;
    rec.AnchorPoint = 0;
    rec.CursorShown = false;
}

SlotRecord* SlotOf(ProgramState& s, int16_t slotNumber) {
    return IsValidSlot(slotNumber) ? &s.SlotInfo[slotNumber] : nullptr;
}

}  // namespace

MainForm::MainForm(App& app) : Form(app, "MainForm") {
    SetMDIChild(true);
    SetCaption("Main");
    SetFont("Times New Roman", 8.25f);
    Move(0, 0, 9600, 6000);
}

void MainForm::Form_Click() {
    ProgramState& s = app.state;
    if (!s.WelcomeUnloaded) app.forms.Unload<WelcomeForm>();
    s.WelcomeUnloaded = true;
}

void MainForm::MoveCursor(int16_t keyCode, float x) {
    MoveChartCursor(app.state, Surface(), ReadMainWindows(app), app.state.DisplayChannel[0], keyCode, x);
}

void MainForm::Form_KeyDown(int16_t& KeyCode, int16_t /*Shift*/) {
    ProgramState& s = app.state;
    float x = 0;
    if (KeyCode == key::Tab && s.FirstOverlaySlot != s.CurrentSlot) {
        if (s.ZoomDragging && !s.CursorOn) {
            s.ActiveWindowIdx = 0;
            x = cursor::Erase;
            MoveCursor(KeyCode, x);
        }
        if (s.DataAvailable) {
            s.FirstOverlaySlot = s.MainFirstOverlaySlot;
            s.ActiveWindowIdx = 0;
            SelectWindowTrace(s, Surface(), ReadMainWindows(app), KeyCode, s.CurrentSlot);
        }
    }
    if (s.CursorOn) {
        s.ActiveWindowIdx = 0;
        MoveCursor(KeyCode, x);
    }
}

void MainForm::Form_KeyPress(int16_t& KeyAscii) {
    std::string title;
    HandleKeyCommand(app, KeyAscii, title);
}

bool MainForm::ZoomPointAt(float x, int16_t& point) {
    ProgramState& s = app.state;
    SlotRecord* rec = SlotOf(s, s.DisplayChannel[0]);
    if (!rec || !s.WelcomeUnloaded || s.XZoomOn || s.DarkRefShown) return false;
    if (x < rec->PlotLeft || s.PlotWidth == 0) return false;
    s.PlotWidth = static_cast<int16_t>(rec->PlotRight - rec->PlotLeft);
    // A plot without width or a slot without points gives no range.
    if (s.PlotWidth <= 0 || rec->NumPoints < 1) return false;
    const int last = std::min<int>(rec->NumPoints - 1, MaxPoint);
    const double p = RoundHalfEven((x - rec->PlotLeft) / s.PlotWidth * (rec->NumPoints - 1));
    point = static_cast<int16_t>(std::clamp<double>(p, 0, last));
    return true;
}

void MainForm::Form_MouseDown(int16_t Button, int16_t /*Shift*/, float X, float /*Y*/) {
    if (Button != mouse::Left) return;
    ProgramState& s = app.state;
    if (!s.CursorOn) {
        int16_t point = 0;
        if (ZoomPointAt(X, point)) s.XZoomMin = s.XData[s.DisplayChannel[0]][point];
        if (SlotRecord* rec = SlotOf(s, s.DisplayChannel[0])) ClearCursorFields(*rec);
    }
    s.ZoomDragging = true;
}

void MainForm::Form_MouseMove(int16_t /*Button*/, int16_t /*Shift*/, float X, float /*Y*/) {
    if (app.state.ZoomDragging) MoveCursor(cursor::NoKey, X);
}

void MainForm::Form_MouseUp(int16_t Button, int16_t /*Shift*/, float X, float /*Y*/) {
    if (Button != mouse::Left) return;
    ProgramState& s = app.state;
    s.ZoomDragging = false;
    if (s.CursorOn) return;
    int16_t point = 0;
    if (ZoomPointAt(X, point)) {
        // The point the dragged cursor reached, on the selected trace that it moved.
        const int16_t dragged = s.DisplayChannel[0];
        const int reached = std::clamp<int>(s.SlotInfo[dragged].CursorPoint, 0, MaxPoint);
        s.XZoomMax = s.XData[dragged][reached];
        if (s.XZoomMax < s.XZoomMin) std::swap(s.XZoomMin, s.XZoomMax);
    }
    MoveCursor(cursor::NoKey, cursor::Erase);
    if (SlotRecord* rec = SlotOf(s, s.DisplayChannel[0])) ClearCursorFields(*rec);
}

void MainForm::Form_Paint() {
    ProgramState& s = app.state;
    Surface().Cls();
    if (!s.DataAvailable) return;
    s.FirstOverlaySlot = 0;
    // The cursor keys move the selected trace's cursor, so that is the one drawn again.
    s.AxisSlot = SelectedTraceAxisSlot(s);
    std::string title;
    DrawChart(*this, s.CurrentSlot, title);
}

void MainForm::Form_Resize() {
    ProgramState& s = app.state;
    Surface().Cls();
    if (!s.DataAvailable) return;
    s.AxisSlot = s.DisplayChannel[0];
    s.FirstOverlaySlot = 0;
    std::string title;
    DrawChart(*this, s.CurrentSlot, title);
    s.AxisSlot = -1;
}

void MainForm::Form_Unload(int16_t& /*Cancel*/) { app.state.Menu.Viewmainform = false; }

}  // namespace tav
