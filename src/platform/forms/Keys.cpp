#include "platform/forms/Keys.h"

namespace tav {

bool IsTextEditingKey(int16_t keyCode, int16_t shiftState) {
    switch (shiftState) {
        case shift::Ctrl:
            return keyCode == 'A' || keyCode == 'C' || keyCode == 'V' || keyCode == 'X' || keyCode == 'Z' ||
                   keyCode == 'Y' || keyCode == key::Insert;
        case shift::Ctrl | shift::Shift: return keyCode == 'Z';
        case shift::Shift: return keyCode == key::Insert || keyCode == key::Delete;
        default: return false;
    }
}

std::string ShortcutText(const Shortcut& shortcut) {
    if (!shortcut.IsSet()) return "";
    std::string text;
    if (shortcut.shift & shift::Ctrl) text += "Ctrl+";
    if (shortcut.shift & shift::Alt) text += "Alt+";
    if (shortcut.shift & shift::Shift) text += "Shift+";
    const int16_t code = shortcut.keyCode;
    if (code >= key::F1 && code <= key::F12) return text + "F" + std::to_string(code - key::F1 + 1);
    if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9')) {
        return text + static_cast<char>(code);
    }
    switch (code) {
        case key::Delete: return text + "Del";
        case key::Insert: return text + "Ins";
        case key::Back: return text + "Backspace";
        default: return text + "#" + std::to_string(code);
    }
}

}  // namespace tav
