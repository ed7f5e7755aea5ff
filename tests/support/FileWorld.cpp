#include "support/FileWorld.h"

#include <fstream>
#include <memory>
#include <sstream>

namespace tav::test {

std::string Fixture(const std::string& name) {
    std::ifstream in(std::string(TAVOLIN_TEST_DATA_DIR) + "/" + name, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

static void StartClock(FakeClock& clock) {
    clock.SetReadStepMicros(0);
    clock.SetDate(2024, 3, 7);
    clock.Set(14, 5, 9);
}

FileWorld::FileWorld()
    : real(dir.Path()), fs(real), state(std::make_unique<ProgramState>()),
      ctx{*state, fs, op, clock, logs, windows} {
    StartClock(clock);
    state->StartDir = dir.Path();
}

void FileWorld::Reset() {
    std::destroy_at(state.get());
    std::construct_at(state.get());
    state->StartDir = dir.Path();
    fs.ClearFaults();
    op = ScriptedOperator();
    clock = FakeClock();
    StartClock(clock);
    logs.CloseAll();
    windows = RecordingWindows();
}

}  // namespace tav::test
