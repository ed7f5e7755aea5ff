#pragma once
// A window timer: while Enabled with an Interval above 0 (milliseconds, 0 to 65535) and its form
// loaded, the front end calls UserTick every Interval. Setting Interval or Enabled starts the
// count again. Ticks never re-enter: a tick that comes while the handler of an earlier one or a
// flow of the system runs is dropped, not queued.

#include <cstdint>
#include <string>

#include "platform/forms/Control.h"

namespace tav {

class Timer : public Control {
public:
    Timer(Form& form, std::string name);
    int32_t Interval() const { return interval_; }
    // Kept within 0..65535.
    void SetInterval(int32_t milliseconds);
    // Enabled() / SetEnabled() are the control's; a new timer is enabled.

    // True when the front end should deliver ticks.
    bool Running() const;

    // The tick handler (the system's Timer1_Timer).
    Handler Tick;
    void UserTick();

private:
    int32_t interval_ = 0;
    bool ticking_ = false;
};

}  // namespace tav
