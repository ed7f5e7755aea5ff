#include "platform/forms/App.h"

#include "platform/forms/FormHost.h"

namespace tav {

App::App(ProgramState& state, const Services& services, FormHost& host)
    : state(state),
      clock(services.clock),
      op(services.op),
      comm(services.comm),
      board(services.board),
      fs(services.fs),
      printer(services.printer),
      host(host),
      forms(*this) {
    flow.whenDone = [this] {
        forms.ReleaseHeldResizes();
        this->host.FlowDone();
    };
    // A box would block the windows that keys typed during the flow are queued for.
    op.beforeDialog = [this] {
        if (flow.Running()) this->host.TakePendingInput();
    };
}

EventScope::~EventScope() {
    if (--app_.forms.calls_ == 0) app_.forms.Collect();
}

}  // namespace tav
