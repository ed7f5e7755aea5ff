#pragma once
// Qt keyboard and mouse events in the toolkit's codes: virtual key codes for KeyDown, ASCII for
// KeyPress, shift states and button numbers.

#include <QKeyEvent>
#include <QMouseEvent>
#include <cstdint>

namespace tav {

// The virtual key code of a key (letters as their upper-case code); 0 for a key without one.
int16_t VirtualKeyCode(const QKeyEvent& event);
// 1 Shift + 2 Ctrl + 4 Alt.
int16_t ShiftState(Qt::KeyboardModifiers modifiers);
// The character code a key types (Enter 13, Esc 27, Backspace 8, Tab 9, Ctrl+letter 1..26,
// printable ASCII and Latin-1); 0 when it types none.
int16_t AsciiCode(const QKeyEvent& event);
// 1 left, 2 right, 4 middle (summed for several).
int16_t MouseButtons(Qt::MouseButtons buttons);

}  // namespace tav
