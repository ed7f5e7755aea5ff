// The loader side of the simulated instrument: announcing itself, the wake-up, the loader
// select, S-record text echoed back, and the run and start of the master and then the slave.

#include "simulator/SimulatedInstrument.h"

namespace tav {

namespace {

constexpr uint8_t kEscape = 0x1B;
const std::string kWakeUp = "\x1B" "R" "\xFF" "\x1B" "R";

}  // namespace

void SimulatedInstrument::StartBeacon() {
    Schedule(TimerKind::Beacon, now_ + Ms(options_.beaconIntervalMs));
}

bool SimulatedInstrument::WakeSequenceHeard(uint8_t b) {
    wakeWindow_.push_back(static_cast<char>(b));
    if (wakeWindow_.size() > kWakeUp.size()) wakeWindow_.erase(0, 1);
    return wakeWindow_ == kWakeUp;
}

void SimulatedInstrument::HandleLoaderByte(uint8_t b) {
    const bool wake = WakeSequenceHeard(b);
    switch (stage_) {
        case InstrumentStage::LoaderIdle:
            if (wake && !options_.faults.loaderIgnoresWake) {
                stage_ = InstrumentStage::LoaderAwake;
                Cancel(TimerKind::Beacon);
                Schedule(TimerKind::WakeReply, now_ + Latency(), options_.faults.wakeZeros);
                escapePending_ = selectPending_ = false;
            }
            return;

        case InstrumentStage::LoaderAwake:
        case InstrumentStage::SlaveWake:
            if (wake && stage_ == InstrumentStage::LoaderAwake) {  // woken again: answer again
                Schedule(TimerKind::WakeReply, now_ + Latency(), 0);
                escapePending_ = selectPending_ = false;
                return;
            }
            if (escapePending_) {
                escapePending_ = false;
                selectPending_ = b == 'B';
            } else if (b == kEscape) {
                escapePending_ = true;
            } else if (selectPending_ && b == '1') {
                selectPending_ = false;
                stage_ = InstrumentStage::LoaderSelected;
            } else if (b != 'Y') {  // "Y" announces the slave; anything else breaks a select
                selectPending_ = false;
            }
            return;

        case InstrumentStage::LoaderSelected:
            if (escapePending_) {
                escapePending_ = false;
                if (b == 'L') {
                    stage_ = InstrumentStage::LoadingImage;
                    images_.emplace_back();
                    reader_.Reset();
                }
            } else if (b == kEscape) {
                escapePending_ = true;
            }
            return;

        case InstrumentStage::LoadingImage:
        case InstrumentStage::AwaitingStart:
            if (escapePending_) {
                escapePending_ = false;
                if (b == 'J') {
                    // A complete image runs; an image without its end record is refused.
                    bool ended = !images_.empty() && images_.back().ended;
                    Send(ended ? ")" : "E", now_ + Latency());
                    if (ended) stage_ = InstrumentStage::AwaitingStart;
                }
            } else if (b == kEscape) {
                escapePending_ = true;
            } else if (stage_ == InstrumentStage::LoadingImage) {
                Send(std::string(1, static_cast<char>(b)), now_);
                reader_.Take(static_cast<char>(b), images_.back());
            } else if (b == 'S') {
                stage_ = loadingSlave_ ? InstrumentStage::Running : InstrumentStage::MasterRunning;
                loadingSlave_ = true;
            }
            return;

        default:
            return;
    }
}

}  // namespace tav
