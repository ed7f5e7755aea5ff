#pragma once
// How the controls' User... functions run what the operator did.

#include "platform/forms/App.h"

namespace tav {

// Runs an operator's action unless input is blocked, then the resync step (the widget shows the
// model again, also when the action was dropped or a handler changed it). Both run inside one
// EventScope, so the control is still alive even when a handler unloaded its window.
template <class Action, class Then>
void AsUser(App& app, Action action, Then then) {
    EventScope scope(app);
    if (!scope.InputBlocked()) action();
    then();
}

template <class Action>
void AsUser(App& app, Action action) {
    AsUser(app, action, [] {});
}

}  // namespace tav
