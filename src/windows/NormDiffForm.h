#pragma once
// The normalized-difference window (code 12). Its chart shows the normalized-difference series
// (slot 12), the experimental series (slot 13), or both on one chart; Tab switches the trace
// that the cursor and the rubber band work on (DisplayChannel element 2) while both indices are
// on. A new point redraws slot 12 only; a Resize draws what the validity flags allow.

#include "windows/KineticForms.h"

namespace tav {

class NormDiffForm : public KineticForm {
public:
    explicit NormDiffForm(App& app);

protected:
    void Form_KeyDown(int16_t& KeyCode, int16_t Shift) override;
    void Form_Resize() override;
    int16_t TraceSlot() const override;
};

}  // namespace tav
