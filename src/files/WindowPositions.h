#pragma once
// A window's place in the settings file and in its window record: the window line (top, left,
// height, width and window state, each as integer text and a blank; the settings writer adds the
// open flag) and the routines that store a window's rectangle into its record and put it back.
//
// A rectangle is put back unless all four values are 0 (no rectangle known) or its width or
// height is not positive: a window tiled at the top or left edge of the main window has a top or
// left of 0 and still comes back where it was.

#include <cstdint>
#include <string>

#include "shared/ProgramState.h"

namespace tav {

class Form;

// The window line of form; refreshes rect from the window first when the window is in the
// normal state and rect says it is open. A minimized window is written as normal.
std::string WindowPositionText(const Form& form, WindowRect& rect);

// Applies a window line: places the window (Top, Left, Height, Width in this order), restores
// the normal or maximized state (a minimized one is never restored) and returns the line's open
// flag (-1 open, 0 closed; 0 when the line has no sixth number).
int16_t ApplyWindowPosition(const std::string& text, Form& form);

// Whether a window line holds a rectangle that places its window (same rule as above).
bool WindowLineHoldsPlace(const std::string& text);

// Places the window at the record's rectangle (same rule as above).
void SetFormRect(Form& form, const WindowRect& rect);

// Stores the window's rectangle, rounded to whole twips, when the window is in the normal state;
// a minimized or maximized window leaves the record as it is. Open is not touched.
void SaveWindowRect(const Form& form, WindowRect& rect);

}  // namespace tav
