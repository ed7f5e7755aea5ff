#pragma once
// The world of one file test: a fresh temporary folder as the current and start folder, the real
// file system behind one that injects failures, a scripted operator, a fake clock at
// 03/07/2024 14:05:09, the kinetic logs and a recording window layer.

#include <memory>
#include <string>
#include <vector>

#include "doubles/FakeClock.h"
#include "doubles/FaultyFileSystem.h"
#include "doubles/RecordingFileWindows.h"
#include "doubles/ScriptedOperator.h"
#include "files/KineticLogs.h"
#include "platform/RealFileSystem.h"
#include "shared/ProgramState.h"
#include "support/TempDir.h"

namespace tav::test {

// The contents of a hand-made file of tests/data.
std::string Fixture(const std::string& name);

struct FileWorld {
    FileWorld();

    // Absolute path of a name in the world's folder.
    std::string P(const std::string& name) const { return dir.File(name); }
    // Back to a fresh state and services, in the same folder.
    void Reset();

    TempDir dir;
    RealFileSystem real;
    FaultyFileSystem fs;
    ScriptedOperator op;
    FakeClock clock;
    KineticLogs logs;
    RecordingWindows windows;
    std::unique_ptr<ProgramState> state;
    FileContext ctx;
};

}  // namespace tav::test
