#pragma once
// Key codes, shift states and mouse buttons as the windowing toolkit numbers them: KeyDown gets
// a virtual key code, KeyPress a character code (ASCII), the mouse handlers a button code.
// Back, Tab, Return (Enter), Escape and Space have the same number in both: a KeyPress handler
// compares its character code with these too.

#include <cstdint>
#include <string>

namespace tav {

namespace key {
constexpr int16_t Back = 8;
constexpr int16_t Tab = 9;
constexpr int16_t Return = 13;
constexpr int16_t Shift = 16;
constexpr int16_t Control = 17;
constexpr int16_t Menu = 18;  // Alt
constexpr int16_t Escape = 27;
constexpr int16_t Space = 32;
constexpr int16_t PageUp = 33;
constexpr int16_t PageDown = 34;
constexpr int16_t End = 35;
constexpr int16_t Home = 36;
constexpr int16_t Left = 37;
constexpr int16_t Up = 38;
constexpr int16_t Right = 39;
constexpr int16_t Down = 40;
constexpr int16_t Insert = 45;
constexpr int16_t Delete = 46;
constexpr int16_t F1 = 112;  // F1 + n - 1 for Fn, up to F12 = 123
constexpr int16_t F9 = 120;
constexpr int16_t F12 = 123;
// Letters are their upper-case character codes ('A' = 65), digits theirs ('0' = 48).
constexpr int16_t Letter(char upper) { return static_cast<int16_t>(upper); }
constexpr int16_t Fn(int n) { return static_cast<int16_t>(F1 + n - 1); }
}  // namespace key

// Shift argument of KeyDown and the mouse handlers: a sum of these.
namespace shift {
constexpr int16_t None = 0;
constexpr int16_t Shift = 1;
constexpr int16_t Ctrl = 2;
constexpr int16_t Alt = 4;
}  // namespace shift

// Button argument of the mouse handlers (MouseMove: the buttons held, summed).
namespace mouse {
constexpr int16_t Left = 1;
constexpr int16_t Right = 2;
constexpr int16_t Middle = 4;
}  // namespace mouse

// A menu shortcut: a key code with a shift state ("Ctrl+Shift+F3" is F3 with Ctrl + Shift).
struct Shortcut {
    int16_t keyCode = 0;  // 0: no shortcut
    int16_t shift = shift::None;

    bool IsSet() const { return keyCode != 0; }
    bool operator==(const Shortcut&) const = default;
};

// The editing keys of a text box on the desktop: select all, copy, paste, cut, undo and redo
// (Ctrl+A, C, V, X, Z, Ctrl+Shift+Z, Ctrl+Y, and Ctrl+Ins, Shift+Ins, Shift+Del).
bool IsTextEditingKey(int16_t keyCode, int16_t shiftState);

// "F2", "Shift+F3", "Ctrl+Shift+F3", "Ctrl+I"; "" when there is none.
std::string ShortcutText(const Shortcut& shortcut);

}  // namespace tav
