#pragma once
// The rules of a trial, checked by an observer of the instrument (the commands it took with the
// parameters and pointers in force, the pairs it sent and how they ended) and of the folders (the
// spectrum files and kinetic logs written), against what the operator saw: the tool-strip boxes,
// the mode box and the boxes that came up. It keeps its own account of where a read-out should
// start; it reads nothing of the program's own bookkeeping but the wavelength of each pixel.

#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "simulator/SimulatedInstrument.h"
#include "trial/TrialAction.h"

namespace tav::trial {

class TrialWorld;

enum class Rule {
    MemoryWrite,   // the memory is written only while the screen shows Write with that Scan#
    MemoryRead,    // read only in Read
    MemoryErase,   // erased only in the Erase mode that the access code arms
    Parameters,    // before every scan command the instrument holds the parameters on screen
    ReadPointer,   // a read-out starts at the stored scan the operator's read address and the
                   // read-outs delivered since put it at
    SavedFile,     // every saved scan file is a whole pair the instrument sent, with its values
    KineticLog,    // every log line names a file that exists, with that file's values
    InStep,        // the instrument ends every exchange in step, unless a box said why not
    WaitBound,     // no wait lasts longer than its bound
    BoxClosed,     // no action leaves a box that no answer closes
};

std::string RuleName(Rule rule);

struct RuleBreak {
    Rule rule;
    std::string detail;
    int step = 0;
};

// What the operator sees of the parameters: the texts of the tool-strip boxes and the mode box.
struct Screen {
    std::string mode, integration, average, readAddress, scanNumber, interval;
};

class TrialObserver {
public:
    explicit TrialObserver(TrialWorld& world);

    // The program (re)started: the read address is what its box shows.
    void ProgramStarted();
    void BeginStep(const Action& action, int step);
    void CommandTaken(const TakenCommand& command);
    void EndStep();
    // The step ran far past every bound and was stopped.
    void WaitWithoutEnd();

    const std::vector<RuleBreak>& Breaks() const { return breaks_; }
    // Each step's action, what went over the line, the commands the instrument took and the
    // boxes, as they happen (trial-run --replay).
    std::ostream* trace = nullptr;

private:
    struct FileStamp {
        long long size = -1;
        long long modified = 0;
        bool operator==(const FileStamp&) const = default;
    };

    Screen ReadScreen();
    void Break(Rule rule, const std::string& detail);
    void CheckFiles();
    void CheckFile(const std::string& path);
    void CheckLogs();
    void CheckInStep();
    void CheckWaits();
    void CheckBoxesClosed();
    void KeepReadPointer();
    void Trace();
    bool StepToldFailure() const;
    bool StepSentBytes() const;

    TrialWorld& world_;
    std::vector<RuleBreak> breaks_;
    Action action_;
    int step_ = 0;
    size_t journalAtStart_ = 0;
    size_t boxesAtStart_ = 0;
    size_t commandsAtStart_ = 0;
    Screen screenAtStart_;
    std::optional<int> expectedRead_;
    std::optional<int> firstRead_, lastRead_;
    int lastReadPair_ = 0;
    bool LastReadWhole() const;
    bool pairLeftExcused_ = false;
    int lostBlocksSeen_ = 0;
    bool failureToldBefore_ = false;
    std::map<std::string, FileStamp> files_;
    std::map<std::string, size_t> logRead_;
};

}  // namespace tav::trial
