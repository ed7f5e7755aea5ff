#pragma once
// An index output that shows nothing, for tests that look only at what the index pass stores.

#include "indices/KineticIndices.h"

namespace tav::test {

class SilentIndexOutput : public KineticIndicesOutput {
public:
    void ClearIndexWindow() override {}
    void PrintIndexLine(const IndexReadoutLine&) override {}
    void Wait(int) override {}
    void KineticPointAdded(int16_t) override {}
};

}  // namespace tav::test
