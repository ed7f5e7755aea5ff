#pragma once
// The chart windows and the index read-out window pass every key they do not take themselves to
// the single-letter command dispatcher, always with an empty x-axis title.

#include <cstdint>

namespace tav {

class App;

// Hands the character to app.keyCommand; nothing happens while none is installed.
void PassKeyCommand(App& app, int16_t& KeyAscii);

}  // namespace tav
