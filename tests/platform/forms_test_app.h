// A program context for form tests: fresh state, fake clock, scripted operator, the simulated
// instrument on a loopback port, a real file system in a temporary folder, a recording printer
// and a front end (the headless one unless a test gives another).

#pragma once

#include <memory>

#include "doubles/FakeClock.h"
#include "doubles/HeadlessHost.h"
#include "doubles/LoopbackComm.h"
#include "doubles/RecordingPrinter.h"
#include "doubles/ScriptedOperator.h"
#include "platform/BoardLibrary.h"
#include "platform/RealFileSystem.h"
#include "platform/forms/App.h"
#include "shared/ProgramState.h"
#include "simulator/SimulatedInstrument.h"
#include "support/TempDir.h"

namespace tav::test {

struct TestServices {
    TempDir dir;
    std::unique_ptr<ProgramState> state = std::make_unique<ProgramState>();
    FakeClock clock;
    ScriptedOperator op;
    SimulatedInstrument instrument;
    LoopbackComm comm{instrument, clock};
    NoBoardLibrary board;
    RealFileSystem fs{dir.Path()};
    RecordingPrinter printer;

    Services All() { return Services{clock, op, comm, board, fs, printer}; }
};

struct FormsTestApp : TestServices {
    HeadlessHost host;
    App app{*state, All(), host};
};

}  // namespace tav::test
