#pragma once
// The chart windows as the chart engine sees them: a drawing surface per chart-window index
// (0 the spectrum window, 1 to 7 the kinetic windows) and what it reads of the main windows.
// The window layer implements it; asking for a window that is not loaded loads it.

#include <cstdint>

#include "charts/MainWindowView.h"
#include "platform/draw/Canvas.h"

namespace tav {

class ChartWindows {
public:
    virtual ~ChartWindows() = default;
    virtual Canvas& ChartCanvas(int16_t windowIndex) = 0;
    virtual MainWindowView MainView() = 0;
};

}  // namespace tav
