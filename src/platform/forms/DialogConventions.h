#pragma once
// What the dialogs share: a fixed frame and the form seeing every key before its controls
// (Enter and Escape act on the whole dialog), and text boxes that select their first 20
// characters when they get the focus, so that typing replaces the value shown.

#include <cstdint>
#include <string>
#include <utility>

#include "platform/forms/BasicControls.h"
#include "platform/forms/Form.h"
#include "platform/forms/Keys.h"

namespace tav {

inline constexpr int DialogSelectedChars = 20;

// Design time, in the dialog's constructor.
inline void DesignDialog(Form& form, std::string caption, float left, float top) {
    form.SetCaption(std::move(caption));
    form.SetBorderStyle(border::FixedDialog);
    form.SetKeyPreview(true);
    form.Move(left, top);
}

// Selects the first 20 characters of the box now.
inline void SelectForTyping(TextBox& box) {
    box.SetSelStart(0);
    box.SetSelLength(DialogSelectedChars);
}

// Makes the box select its first 20 characters whenever it gets the focus.
inline void SelectTextOnFocus(TextBox& box) {
    box.GotFocus = [&box] { SelectForTyping(box); };
}

// Esc closes a dialog before its controls see the key: true (key used up) when it did.
inline bool CloseOnEscape(Form& dialog, int16_t& KeyAscii) {
    if (KeyAscii != key::Escape) return false;
    KeyAscii = 0;
    dialog.Unload();
    return true;
}

// True for Enter, which is then used up.
inline bool TakeEnter(int16_t& KeyAscii) {
    if (KeyAscii != key::Return) return false;
    KeyAscii = 0;
    return true;
}

}  // namespace tav
