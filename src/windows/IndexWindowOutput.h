#pragma once
// The index pass on the program's windows: the read-out on IndexForm (created hidden when
// needed), the 3 ms pauses on the clock, and each new point redrawn on its kinetic window.

#include "indices/KineticIndices.h"

namespace tav {

class App;

class IndexWindowOutput : public KineticIndicesOutput {
public:
    explicit IndexWindowOutput(App& app) : app_(app) {}

    void ClearIndexWindow() override;
    void PrintIndexLine(const IndexReadoutLine& line) override;
    void Wait(int milliseconds) override;
    void KineticPointAdded(int16_t code) override;

private:
    App& app_;
};

// The index pass as the flows, the key commands and the read-file commands run it.
void ComputeKineticIndices(App& app);

}  // namespace tav
