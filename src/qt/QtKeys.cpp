#include "qt/QtKeys.h"

#include "platform/forms/Keys.h"

namespace tav {

int16_t VirtualKeyCode(const QKeyEvent& event) {
    const int k = event.key();
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return static_cast<int16_t>('A' + (k - Qt::Key_A));
    if (k >= Qt::Key_0 && k <= Qt::Key_9) {
        // Keypad digits have their own codes (96 to 105).
        if (event.modifiers() & Qt::KeypadModifier) return static_cast<int16_t>(96 + (k - Qt::Key_0));
        return static_cast<int16_t>('0' + (k - Qt::Key_0));
    }
    if (k >= Qt::Key_F1 && k <= Qt::Key_F12) return key::Fn(k - Qt::Key_F1 + 1);
    switch (k) {
        case Qt::Key_Backspace: return key::Back;
        case Qt::Key_Tab:
        case Qt::Key_Backtab: return key::Tab;
        case Qt::Key_Return:
        case Qt::Key_Enter: return key::Return;
        case Qt::Key_Shift: return key::Shift;
        case Qt::Key_Control: return key::Control;
        case Qt::Key_Alt: return key::Menu;
        case Qt::Key_Escape: return key::Escape;
        case Qt::Key_Space: return key::Space;
        case Qt::Key_PageUp: return key::PageUp;
        case Qt::Key_PageDown: return key::PageDown;
        case Qt::Key_End: return key::End;
        case Qt::Key_Home: return key::Home;
        case Qt::Key_Left: return key::Left;
        case Qt::Key_Up: return key::Up;
        case Qt::Key_Right: return key::Right;
        case Qt::Key_Down: return key::Down;
        case Qt::Key_Insert: return key::Insert;
        case Qt::Key_Delete: return key::Delete;
        case Qt::Key_Asterisk: return 106;
        case Qt::Key_Plus: return (event.modifiers() & Qt::KeypadModifier) ? 107 : 187;
        case Qt::Key_Semicolon: return 186;
        case Qt::Key_Equal: return 187;
        case Qt::Key_Comma: return 188;
        case Qt::Key_Minus: return (event.modifiers() & Qt::KeypadModifier) ? 109 : 189;
        case Qt::Key_Period: return (event.modifiers() & Qt::KeypadModifier) ? 110 : 190;
        case Qt::Key_Slash: return (event.modifiers() & Qt::KeypadModifier) ? 111 : 191;
        default: return 0;
    }
}

int16_t ShiftState(Qt::KeyboardModifiers modifiers) {
    int16_t state = shift::None;
    if (modifiers & Qt::ShiftModifier) state |= shift::Shift;
    if (modifiers & Qt::ControlModifier) state |= shift::Ctrl;
    if (modifiers & Qt::AltModifier) state |= shift::Alt;
    return state;
}

int16_t AsciiCode(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: return key::Return;
        case Qt::Key_Escape: return key::Escape;
        case Qt::Key_Backspace: return key::Back;
        case Qt::Key_Tab:
        case Qt::Key_Backtab: return key::Tab;
        default: break;
    }
    const bool ctrl = event.modifiers() & Qt::ControlModifier;
    if (ctrl && event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z) {
        return static_cast<int16_t>(1 + (event.key() - Qt::Key_A));
    }
    const QString text = event.text();
    if (text.size() != 1) return 0;
    const char16_t c = text.at(0).unicode();
    if (c == 0 || c > 255 || c == 127) return 0;
    return static_cast<int16_t>(c);
}

int16_t MouseButtons(Qt::MouseButtons buttons) {
    int16_t code = 0;
    if (buttons & Qt::LeftButton) code |= mouse::Left;
    if (buttons & Qt::RightButton) code |= mouse::Right;
    if (buttons & Qt::MiddleButton) code |= mouse::Middle;
    return code;
}

}  // namespace tav
