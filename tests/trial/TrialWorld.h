#pragma once
// The world of a trial: a start folder of its own with a data folder and the trial's settings,
// one fake clock and one simulated instrument for the whole trial, and the program on the
// headless front end, run again on the same folder and instrument at every restart. The
// operator's actions go through the windows as the operator works them (keys, boxes with Enter,
// buttons, menus, dialogs); the line's faults go to the instrument and the loopback port.
//
// A step is what runs without the operator in between: one action, or one tick of a timed series
// while time passes. After every step the observer checks the rules.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "doubles/FakeClock.h"
#include "doubles/HeadlessHost.h"
#include "doubles/LoopbackComm.h"
#include "doubles/RecordingPrinter.h"
#include "platform/BoardLibrary.h"
#include "platform/RealFileSystem.h"
#include "platform/forms/App.h"
#include "shared/ProgramState.h"
#include "simulator/SimulatedInstrument.h"
#include "support/TempDir.h"
#include "trial/TrialAction.h"
#include "trial/TrialObserver.h"
#include "trial/TrialOperator.h"

namespace tav {
class MDIForm1;
class MainForm;
}

namespace tav::trial {

// Thrown by the trial's clock when a step has run far past any bound of the program's waits: a
// wait that does not end.
struct EndlessWait {};

class TrialClock : public FakeClock {
public:
    void SetDeadline(double monotonicMs) { deadline_ = monotonicMs; }
    double MonotonicMs() override;
    void Sleep(double milliseconds) override;
    float Timer() override;

private:
    void Check();
    double deadline_ = 1e300;
};

// One run of the program.
struct TrialSession {
    TrialSession(SimulatedInstrument& instrument, TrialClock& clock, TrialOperator& op, const std::string& folder);

    std::unique_ptr<ProgramState> state = std::make_unique<ProgramState>();
    LoopbackComm comm;
    NoBoardLibrary board;
    RealFileSystem fs;
    RecordingPrinter printer;
    HeadlessHost host;
    App app;
};

class TrialWorld {
public:
    // With a trace, every step is told on it as it ends.
    explicit TrialWorld(std::ostream* trace = nullptr);
    ~TrialWorld();

    // Runs the action and checks the rules after each of its steps.
    void Do(const Action& action);

    const std::vector<RuleBreak>& Breaks() const { return observer_.Breaks(); }
    int Steps() const { return step_; }

    // What the observer reads: the folders, the instrument, the port, the program's windows.
    const std::string& Folder() const { return dir_.Path(); }
    std::string DataFolder() const { return dir_.Path() + "/DATA"; }
    SimulatedInstrument& Instrument() { return instrument_; }
    TrialClock& Clock() { return clock_; }
    TrialOperator& Op() { return op_; }
    TrialSession& Program() { return *program_; }
    bool HasProgram() const { return program_ != nullptr; }
    MDIForm1& Mdi();
    MainForm& Main();
    std::vector<std::string> SpectrumFiles() const;
    // The columns of the simulation file in the start folder.
    const std::vector<std::vector<double>>& Simulation() const { return simulation_; }
    // A step left the program inside a wait that did not end: the trial cannot go on.
    bool Ended() const { return ended_; }

private:
    void Start();
    void Stop();
    void RunStep(const Action& action, const std::function<void()>& body);
    void Operate(const Action& action);
    void Key(int16_t character);
    void AnswerEraseForm();
    void TypeBox(const std::string& name, const std::string& value);
    void Settings(const Action& action, bool ok);
    void InstrumentParameters(const Action& action, bool ok);
    void PassTime(const Action& action);
    void Fault(const Action& action);

    test::TempDir dir_;
    TrialClock clock_;
    SimulatedInstrument instrument_;
    TrialOperator op_;
    TrialObserver observer_;
    std::unique_ptr<TrialSession> program_;
    std::vector<std::vector<double>> simulation_;
    bool portPresent_ = true;
    int escapeAt_ = 0;
    int step_ = 0;
    bool ended_ = false;
};

}  // namespace tav::trial
