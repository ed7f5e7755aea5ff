#pragma once
// A serial control wired in the same process to a SimulatedInstrument, timed by the monotonic
// clock of a Clock (the line runs in real time, whatever the wall clock does), from the moment
// the instrument has got to (an instrument that served an earlier run keeps its time): the
// bytes the instrument sends become readable when their last bit has arrived on that clock, the
// instrument hears what Output sends at the port's line speed, and a speed that differs from the
// instrument's garbles both directions. Output returns when its bytes are on the line (it lets
// their line time pass on the clock). Nothing blocks: Input and InBufferCount take what has
// arrived, and each such poll lets a little time pass on the clock, as a real poll would.

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/comm/CommControl.h"
#include "platform/comm/SerialSettings.h"
#include "simulator/SimulatedInstrument.h"

namespace tav {

class LoopbackComm : public CommControl {
public:
    LoopbackComm(SimulatedInstrument& instrument, Clock& clock);

    CommResult SetSettings(const std::string& settings) override;
    const std::string& Settings() const override { return settingsText_; }
    CommResult SetPortOpen(bool open) override;
    bool PortOpen() const override { return open_; }
    CommResult Output(const std::string& bytes) override;
    std::string Input() override;
    int InBufferCount() override;
    void ClearInBuffer() override;
    CommResult LastReadResult() const override { return lastRead_; }
    CommResult PortFault() const override { return fault_; }

    // The bench. Ports 1 and 2 exist and the instrument hangs on port 1 unless told otherwise;
    // removing the port of an open control makes its operations fail (a pulled adapter), and
    // they keep failing until the control closes the port, even once the device is back: a
    // descriptor whose device has gone stays dead.
    void SetPortPresent(int port, bool present);
    bool PortPresent(int port) const { return ports_.count(port) > 0; }
    // The device of the port goes once that many more bytes have been sent to it (an adapter
    // pulled in the middle of an exchange); a negative count lifts it. The device is there
    // again for the next open, unless it stays away until SetPortPresent brings it back.
    void PullPortAfterBytes(int port, int bytes, bool staysAway = false);
    // Settings given to the port, open or opening, are refused with this reason (a device that
    // does not take them); an empty reason lifts the refusal.
    void SetSettingsRefusal(int port, const std::string& why);
    // Another instrument on the line from now on: one switched off and on again, another one
    // plugged in, or the one a run of the program before this one used (its time goes on).
    void ConnectInstrument(SimulatedInstrument& instrument);
    // Opening the port fails with this reason (a device that is busy, or not ours to use);
    // an empty reason lifts the refusal.
    void SetOpenRefusal(int port, const std::string& why);
    void AttachInstrumentTo(int port) { instrumentPort_ = port; }
    // The instrument runs up to the present moment on the clock, open port or not: it has heard
    // what the control put on the line.
    void CatchUp() { instrument_->Advance(Seconds()); }
    // Clock time one Input or InBufferCount call takes (default one microsecond).
    void SetPollMilliseconds(double ms) { pollMs_ = ms; }

    // Every operation that reached the port, one line each: "open 1 115200,N,8,1", "close",
    // "settings 9600,N,8,1", "out 02" (hex bytes), "clear"; failed operations are not listed.
    const std::vector<std::string>& Journal() const { return journal_; }
    // When each journal line happened, in milliseconds on the line's time scale.
    const std::vector<double>& JournalTimes() const { return journalTimes_; }
    void ClearJournal() {
        journal_.clear();
        journalTimes_.clear();
    }

private:
    // Clock time in seconds on the instrument's time scale.
    double Seconds();
    // The instrument's time scale goes on from where the instrument has got to.
    void KeepUpWith(const SimulatedInstrument& instrument);
    double ClockSeconds();
    // Lets ms pass on the clock on this control's behalf.
    void Pass(double ms);
    bool DeviceThere() const { return !dead_ && ports_.count(openPort_) > 0; }
    bool InstrumentOnLine() const { return open_ && DeviceThere() && openPort_ == instrumentPort_; }
    // The failure of an operation on the open port, noted as its fault.
    CommResult Failure(const std::string& why);
    CommResult Gone() { return Failure("The serial device has been removed."); }
    void Pull();
    bool ReadableNow();
    void Note(std::string line);

    SimulatedInstrument* instrument_;
    Clock& clock_;
    std::string settingsText_ = "9600,N,8,1";
    SerialSettings settings_;
    bool open_ = false;
    int openPort_ = 0;
    std::set<int> ports_{1, 2};
    std::map<int, std::string> refusals_;
    std::map<int, std::string> settingsRefusals_;
    std::map<int, int> pullAfter_;  // port: bytes still to send before its device goes
    std::set<int> pulledAway_;      // ports whose pulled device does not come back by itself
    bool dead_ = false;             // the open port's device went while it was open
    CommResult fault_;
    int instrumentPort_ = 1;
    double pollMs_ = 0.001;
    std::string buffer_;
    CommResult lastRead_;
    std::vector<std::string> journal_;
    std::vector<double> journalTimes_;
    double origin_ = 0.0;
    double lastReading_ = 0.0;
    double local_ = 0.0;
};

}  // namespace tav
