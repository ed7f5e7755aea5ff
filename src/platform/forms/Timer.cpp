#include "platform/forms/Timer.h"

#include <algorithm>

#include "platform/forms/Form.h"
#include "platform/forms/UserAction.h"

namespace tav {

Timer::Timer(Form& form, std::string name) : Control(form, std::move(name), ControlKind::Timer) {}

void Timer::SetInterval(int32_t milliseconds) {
    interval_ = std::clamp<int32_t>(milliseconds, 0, 65535);
    Changed();  // also when equal: the count starts again
}

bool Timer::Running() const { return Enabled() && interval_ > 0 && Live(); }

void Timer::UserTick() {
    if (ticking_ || !Running()) return;
    AsUser(app(), [&] {
        ticking_ = true;
        Fire(Tick);
        ticking_ = false;
    });
}

}  // namespace tav
