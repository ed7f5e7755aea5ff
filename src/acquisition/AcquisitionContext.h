#pragma once
// Everything the instrument link and the acquisitions work with, handed in explicitly: the
// program state, the platform services, and what they need of the windows and the files.

#include <cstdint>
#include <string>

#include "files/SpectrumFileReader.h"

namespace tav {

class Canvas;
class Clock;
class CommControl;
class FileSystem;
class Operator;
struct ProgramState;

// The window layer's side of an acquisition.
class AcquisitionWindows {
public:
    virtual ~AcquisitionWindows() = default;
    // The spectrum window's drawing surface (status texts, the firmware download's progress).
    virtual Canvas& MainFormSurface() = 0;
    // Reads the spectrum file named in SlotInfo(slot).FileName into the slot; true when it read.
    // The reader tells the operator why it could not.
    virtual bool ReadSpectrumFile(int16_t slot) = 0;
    // The same read for a flow that tells the operator itself: nothing is shown, and when the
    // file could not be read `why` holds what the reader would have said.
    virtual SpectrumReadResult ReadSpectrumFileUntold(int16_t slot, std::string& why) = 0;
    // The slot becomes the spectrum window's selected trace.
    virtual void SetDisplayChannel(int16_t slot) = 0;
    // The spectrum window's file dialog remembers the file being read.
    virtual void SetDialogFileName(const std::string& path) = 0;
    // Each wait of the link calls this as it begins: what the windows drew is on the screen at
    // once, as with immediate drawing. No operator input is taken.
    virtual void ShowDrawing() {}
    // A long wait calls this every few tens of milliseconds: the windows repaint and the window
    // manager sees a live program, while no operator input reaches the program. True when the
    // operator pressed Escape to give the wait up.
    virtual bool KeepAlive() { return false; }
};

// Why the latest scan pair brought no data, where its blocks tell.
enum class PairFault {
    None,
    ShortBlock,      // a block had fewer characters than a block holds
    LongBlock,       // a block had more characters than a block holds
    StoppedSending,  // the instrument fell silent in the middle of the pair
    LateReply,       // the scan command was answered only after its wait had run out
};

struct AcquisitionContext {
    ProgramState& state;
    CommControl& comm;
    Clock& clock;
    FileSystem& fs;  // the current folder holds the firmware images
    Operator& op;
    AcquisitionWindows& windows;
    // The operator gave a wait of the present exchange up with Escape: the rest of the exchange
    // ends as failed. Cleared when a scan pair or a parameter block begins.
    bool waitGivenUp = false;
    // The port failed in the present scan pair (it could not be opened or set up, or it stopped
    // working) and the operator has been told why: a timed series ends on it, since the failure
    // would come back on every tick. Cleared when a scan pair begins.
    bool portFailed = false;
    // A firmware image that the instrument's loader needs could not be used, and the operator has
    // been told: the loader would ask for it again on every tick. Cleared when a scan pair begins.
    bool firmwareUnusable = false;
    // Set by the scan transfer when a pair fails for what its blocks brought, or is answered
    // late (which then is the cause told, whatever the blocks brought); cleared when a scan pair
    // begins.
    PairFault pairFault = PairFault::None;

    // The present scan pair failed for a reason the operator has been told and that would come
    // back on every tick of a timed series, which therefore ends on it.
    bool FailureRecurs() const { return portFailed || firmwareUnusable; }
};

}  // namespace tav
