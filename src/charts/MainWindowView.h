#pragma once
// What the chart engine reads of the main windows. The window that draws hands it in, so the
// engine never reaches into a form or the toolkit.

#include <string>

#include "platform/draw/Canvas.h"

namespace tav {

struct MainWindowView {
    std::string Text5;                  // MDIForm1's read-address box, as typed
    Color MainFormBackColor = 0xFFFFFF;  // every chart window clears its strips in this colour
};

}  // namespace tav
