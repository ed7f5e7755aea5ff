#pragma once
// The index read-out window: a plain text window on which the index pass writes the elapsed
// time and the values it computed. It may be written while hidden; a repaint lists the stored
// values of all six indices.

#include "platform/forms/Controls.h"

namespace tav {

class IndexForm : public Form {
public:
    explicit IndexForm(App& app);

protected:
    void Form_KeyPress(int16_t& KeyAscii) override;
    void Form_Paint() override;
    void Form_Resize() override;
    void Form_Unload(int16_t& Cancel) override;
};

// Blanks the read-out window, which is created hidden when it does not exist yet.
void ClearIndexWindow(App& app);

}  // namespace tav
