#pragma once
// The spectrum window: a child window of the main window showing the ring of overlay slots (or
// a dark slot). It draws only through the chart driver; its keys become the single-letter
// commands, move the chart cursor and switch the highlighted trace, and a left-button drag
// picks the x range that "Zoom I/O" then applies.

#include "platform/forms/Controls.h"

namespace tav {

class MainForm : public Form {
public:
    explicit MainForm(App& app);

    CommonDialog CMDialog1{*this, "CMDialog1"};  // the spectrum open and save dialogs

    // Clears the window and, while there is data, draws the whole ring from slot 0. Public: the
    // main window's buttons replot through it.
    void Form_Paint() override;

protected:
    void Form_Click() override;
    void Form_KeyDown(int16_t& KeyCode, int16_t Shift) override;
    void Form_KeyPress(int16_t& KeyAscii) override;
    void Form_MouseDown(int16_t Button, int16_t Shift, float X, float Y) override;
    void Form_MouseMove(int16_t Button, int16_t Shift, float X, float Y) override;
    void Form_MouseUp(int16_t Button, int16_t Shift, float X, float Y) override;
    void Form_Resize() override;
    void Form_Unload(int16_t& Cancel) override;

private:
    void MoveCursor(int16_t keyCode, float x);
    // The point of the selected trace under the mouse, when a zoom range may be picked there.
    bool ZoomPointAt(float x, int16_t& point);
};

}  // namespace tav
