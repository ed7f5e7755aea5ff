#pragma once
// The kinetic windows: one chart window per index time series, known by its code 11..17 (also
// the slot of its series). They form one family with the same handlers; the normalized-
// difference window, which can also show the experimental series, is in NormDiffForm.h.
//
// Keys: cursor keys move the chart cursor while it is on, F1 to F9 bring up a window, "X" (in
// either case) closes the window, every other character goes to the key commands. The left
// mouse button drags the cursor line along the plot as a rubber band.

#include <cstdint>

#include "indices/KineticSeries.h"
#include "platform/forms/Controls.h"

namespace tav {

class KineticForm : public Form {
public:
    // Redraws the series with the current value and elapsed time as the point at the counter
    // (not advanced), while the window is open. Public: the main window's scale button replots
    // the active chart window through it.
    void Form_Paint() override;

    int16_t Code() const { return info_.code; }

protected:
    KineticForm(App& app, std::string name, int16_t code);

    void Form_KeyDown(int16_t& KeyCode, int16_t Shift) override;
    void Form_KeyPress(int16_t& KeyAscii) override;
    void Form_MouseDown(int16_t Button, int16_t Shift, float X, float Y) override;
    void Form_MouseMove(int16_t Button, int16_t Shift, float X, float Y) override;
    void Form_MouseUp(int16_t Button, int16_t Shift, float X, float Y) override;
    void Form_Resize() override;
    void Form_Unload(int16_t& Cancel) override;

    // The slot whose cursor the mouse drags.
    virtual int16_t TraceSlot() const { return Code(); }

    WindowRect& Rect() { return app.state.*info_.rect; }
    void MoveCursor(int16_t slotNumber, int16_t keyCode, float x);
    void FunctionKey(int16_t keyCode);

private:
    const KineticWindowInfo& info_;
};

class RatioForm : public KineticForm {
public:
    explicit RatioForm(App& app);
};

class ExperimentalForm : public KineticForm {
public:
    explicit ExperimentalForm(App& app);
};

class DerivativeForm : public KineticForm {
public:
    explicit DerivativeForm(App& app);
};

class IntegralForm : public KineticForm {
public:
    explicit IntegralForm(App& app);
};

class AverageForm : public KineticForm {
public:
    explicit AverageForm(App& app);
};

// Plots the instrument temperature.
class DiagnosticsForm : public KineticForm {
public:
    explicit DiagnosticsForm(App& app);
};

// The kinetic window of a code, loaded (hidden) when needed; nullptr for a code outside 11..17.
KineticForm* KineticWindowForm(App& app, int16_t code);

}  // namespace tav
