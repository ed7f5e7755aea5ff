#pragma once
// What the definition and scale dialogs share: a fixed frame and the form seeing every key
// before its controls (Enter and Escape act on the whole dialog), and text boxes that select
// their first 20 characters when they get the focus, so that typing replaces the value shown.

#include <cstdint>
#include <string>
#include <utility>

#include "platform/forms/BasicControls.h"
#include "platform/forms/Form.h"

namespace tav {

// Character codes of KeyPress.
inline constexpr int16_t EnterKeyAscii = 13;
inline constexpr int16_t EscapeKeyAscii = 27;
inline constexpr int DialogSelectedChars = 20;

// Design time, in the dialog's constructor.
inline void DesignDialog(Form& form, std::string caption, float left, float top) {
    form.SetCaption(std::move(caption));
    form.SetBorderStyle(border::FixedDialog);
    form.SetKeyPreview(true);
    form.Move(left, top);
}

inline void SelectTextOnFocus(TextBox& box) {
    box.GotFocus = [&box] {
        box.SetSelStart(0);
        box.SetSelLength(DialogSelectedChars);
    };
}

}  // namespace tav
