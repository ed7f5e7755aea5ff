#include "windows/KeyCommandRoute.h"

#include <string>

#include "platform/forms/App.h"

namespace tav {

void PassKeyCommand(App& app, int16_t& KeyAscii) {
    if (!app.keyCommand) return;
    std::string xTitle;
    app.keyCommand(KeyAscii, xTitle);
}

}  // namespace tav
