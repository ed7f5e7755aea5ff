#include "simulator/SimulatedInstrument.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "simulator/LineSpeed.h"

namespace tav {

namespace {

constexpr uint8_t kParameterCommand = 0x01;
constexpr uint8_t kParameterReply = 0x06;
constexpr uint8_t kBlockAck = 0x05;
constexpr uint8_t kWirelessStart = 0x08;
constexpr uint8_t kWirelessStop = 0x04;
constexpr uint8_t kModeScan = 2, kModeRead = 48, kModeErase = 64;
constexpr int kLongBlockBytes = 12, kShortBlockBytes = 6;
constexpr double kNever = std::numeric_limits<double>::infinity();
// Times computed along different paths may differ in the last bits.
constexpr double kSlack = 1e-9;

int Word(const std::vector<uint8_t>& bytes, size_t at) { return bytes[at] * 256 + bytes[at + 1]; }

}  // namespace

SimulatedInstrument::SimulatedInstrument(InstrumentOptions options) : options_(std::move(options)) {
    if (options_.startInLoader) {
        stage_ = InstrumentStage::LoaderIdle;
        StartBeacon();
    }
}

// ---- time and the line -------------------------------------------------------------------

void SimulatedInstrument::Advance(double now) {
    advanceTarget_ = now;
    for (;;) {
        double nextByte = arrivals_.empty() ? kNever : arrivals_.front().at;
        auto timer = std::min_element(timers_.begin(), timers_.end(),
                                      [](const Timer& a, const Timer& b) { return a.at < b.at; });
        double nextTimer = timer == timers_.end() ? kNever : timer->at;
        double next = std::min(nextByte, nextTimer);
        if (next > now + kSlack) break;
        now_ = std::max(now_, next);
        if (nextByte <= nextTimer) {
            uint8_t b = arrivals_.front().byte;
            arrivals_.pop_front();
            if (!options_.faults.silent) HandleByte(b);
        } else {
            Timer t = *timer;
            timers_.erase(timer);
            if (!options_.faults.silent) HandleTimer(t);
        }
    }
    now_ = std::max(now_, now);
}

double SimulatedInstrument::NextEventTime() const {
    double next = kNever;
    if (!arrivals_.empty()) next = std::min(next, arrivals_.front().at);
    if (!departures_.empty()) next = std::min(next, departures_.front().at);
    for (const Timer& t : timers_) next = std::min(next, t.at);
    return next;
}

int SimulatedInstrument::LineBaud() const {
    switch (stage_) {
        case InstrumentStage::LoaderIdle:
        case InstrumentStage::LoaderAwake:
        case InstrumentStage::SlaveWake:
            return kLoaderBaud;
        default:
            return kFastBaud;
    }
}

void SimulatedInstrument::Feed(std::string_view bytes, double now, int senderBaud) {
    Advance(now);
    if (!linkUp_ || bytes.empty()) return;
    std::string heard = HearAtSpeed(bytes, senderBaud, LineBaud());
    received_ += heard;
    double start = std::max(now, lineInFree_);
    double duration = bytes.size() * CharacterTime(senderBaud);
    for (size_t i = 0; i < heard.size(); ++i)
        arrivals_.push_back({start + duration * (i + 1) / heard.size(),
                             static_cast<uint8_t>(heard[i])});
    lineInFree_ = start + duration;
}

std::string SimulatedInstrument::TakeOutput(double now, int receiverBaud) {
    Advance(now);
    std::string heard;
    while (!departures_.empty() && departures_.front().at <= now + kSlack) {
        // A run of bytes sent back to back at one speed is heard as one stretch of line.
        int baud = departures_.front().baud;
        std::string run;
        double last = departures_.front().at - CharacterTime(baud);
        while (!departures_.empty() && departures_.front().at <= now + kSlack &&
               departures_.front().baud == baud &&
               departures_.front().at - last < 1.5 * CharacterTime(baud)) {
            last = departures_.front().at;
            run.push_back(static_cast<char>(departures_.front().byte));
            departures_.pop_front();
        }
        heard += HearAtSpeed(run, baud, receiverBaud);
    }
    return heard;
}

void SimulatedInstrument::Send(std::string_view bytes, double at) {
    if (!linkUp_ || options_.faults.silent) return;
    int baud = LineBaud();
    double t = std::max(at, lineOutFree_);
    for (char c : bytes) {
        t += CharacterTime(baud);
        departures_.push_back({t, static_cast<uint8_t>(c), baud});
    }
    lineOutFree_ = t;
    sent_.append(bytes);
}

void SimulatedInstrument::ClearLogs() {
    received_.clear();
    sent_.clear();
}

void SimulatedInstrument::Schedule(TimerKind kind, double at, int arg) {
    timers_.push_back({at, kind, arg});
}

void SimulatedInstrument::Cancel(TimerKind kind) {
    std::erase_if(timers_, [kind](const Timer& t) { return t.kind == kind; });
}

void SimulatedInstrument::HandleTimer(const Timer& t) {
    switch (t.kind) {
        case TimerKind::Beacon:
            if (stage_ == InstrumentStage::LoaderIdle) {
                // Only while nothing else waits on the line, so the announcements do not pile up.
                if (lineOutFree_ <= now_) Send("?", now_);
                // After a long unwatched stretch only the latest announcements matter: a
                // receiver would have lost the older ones to its full buffer.
                Schedule(TimerKind::Beacon,
                         std::max(now_ + Ms(options_.beaconIntervalMs), advanceTarget_ - 1.0));
            }
            break;
        case TimerKind::WakeReply:
            if (t.arg > 0) {
                Send("0", now_);
                Schedule(TimerKind::WakeReply, now_ + Ms(options_.wakeRetryMs), t.arg - 1);
            } else {
                Send("1", now_);
            }
            break;
        case TimerKind::SendBlock:
            SendBlock(t.arg);
            break;
        case TimerKind::AckTimeout:
            AbortTransfer();
            break;
        case TimerKind::ParameterPause:
        case TimerKind::ParameterTimeout:
            EndParameterBlock();
            break;
    }
}

void SimulatedInstrument::HandleByte(uint8_t b) {
    switch (stage_) {
        case InstrumentStage::MasterRunning:
            // The master takes its parameter block; nothing else until the slave runs.
            if (collectingParameters_) HandleParameterByte(b);
            else if (b == kParameterCommand) StartParameterBlock();
            break;
        case InstrumentStage::Running:
            HandleCommand(b);
            break;
        default:
            HandleLoaderByte(b);
            break;
    }
}

// ---- commands of the running instrument ---------------------------------------------------

void SimulatedInstrument::HandleCommand(uint8_t b) {
    if (collectingParameters_) {
        HandleParameterByte(b);
        return;
    }
    // In the middle of a pair only the acknowledgement of the block sent counts.
    if (transfer_.active) {
        if (b == kBlockAck && transfer_.awaitingAck && !AcknowledgementLost()) Acknowledge();
        else if (b == kBlockAck && transfer_.block == 0 && options_.faults.earlyAckKept) transfer_.earlyAck = true;
        return;
    }
    switch (b) {
        case kParameterCommand:
            StartParameterBlock();
            break;
        case kModeScan:
        case kModeRead:
        case kModeErase:
            StartScan(b);
            break;
        case kWirelessStart:
            wirelessOn_ = true;
            break;
        case kWirelessStop:
            wirelessOn_ = false;
            break;
        default:  // "Z" after a download, stray bytes: nothing to do
            break;
    }
}

void SimulatedInstrument::StartParameterBlock() {
    collectingParameters_ = true;
    parameterBytes_.clear();
    parameterCount_ = 0;
    Send(std::string(1, static_cast<char>(kParameterReply)), now_ + Latency());
    Schedule(TimerKind::ParameterTimeout, now_ + Ms(options_.parameterTimeoutMs));
}

void SimulatedInstrument::HandleParameterByte(uint8_t b) {
    Cancel(TimerKind::ParameterPause);
    Cancel(TimerKind::ParameterTimeout);
    if (parameterBytes_.size() < static_cast<size_t>(kLongBlockBytes)) parameterBytes_.push_back(b);
    ++parameterCount_;
    // Only a pause ends the block; its length then tells which block it was.
    Schedule(TimerKind::ParameterPause, now_ + Ms(options_.blockEndPauseMs));
}

void SimulatedInstrument::EndParameterBlock() {
    Cancel(TimerKind::ParameterPause);
    Cancel(TimerKind::ParameterTimeout);
    collectingParameters_ = false;
    const auto& p = parameterBytes_;
    if (parameterCount_ == kLongBlockBytes || parameterCount_ == kShortBlockBytes) {
        params_.IntegrationTime = Word(p, 0);
        params_.NumToAverage = Word(p, 2);
        params_.LampLevel = Word(p, 4);
    }
    if (parameterCount_ == kLongBlockBytes) {
        params_.ScanNumber = Word(p, 6);
        params_.IntervalTenths = Word(p, 8);
        params_.ReadAddress = Word(p, 10);
        memory_.SetReadPointer(params_.ReadAddress);
        ++parameterBlocks_;
    } else if (parameterCount_ == kShortBlockBytes) {
        ++shortParameterBlocks_;
    } else {
        ++lostParameterBlocks_;
    }
    const bool taken = parameterCount_ == kLongBlockBytes || parameterCount_ == kShortBlockBytes;
    parameterBytes_.clear();
    parameterCount_ = 0;
    if (taken && stage_ == InstrumentStage::MasterRunning) stage_ = InstrumentStage::SlaveWake;
}

double SimulatedInstrument::MeasuringSeconds() const {
    return std::max(1, params_.NumToAverage) * std::max(0, params_.IntegrationTime) / 10.0 / 1000.0;
}

ScanPair SimulatedInstrument::Measure() {
    uint32_t seed = options_.seed + static_cast<uint32_t>(scansMeasured_++);
    return MeasureScanPair(options_.spectrum, params_.IntegrationTime, params_.NumToAverage, seed);
}

void SimulatedInstrument::StartScan(uint8_t mode) {
    transfer_ = Transfer{};
    transfer_.active = true;
    ++pairsStarted_;
    TakenCommand taken;
    taken.at = now_;
    taken.mode = mode;
    taken.parameters = params_;
    taken.pair = pairsStarted_;
    taken.readPointer = memory_.ReadPointer();
    taken.writePointer = memory_.WritePointer();
    commands_.push_back(taken);
    if (onCommandTaken) onCommandTaken(commands_.back());
    double prepare = 0.0;
    ScanPair& pair = transfer_.pair;
    if (mode == kModeScan && params_.ScanNumber == 0) {
        pair = Measure();
        prepare = MeasuringSeconds();
    } else if (mode == kModeScan) {
        // A series of ScanNumber scans, IntervalTenths apart, into memory; the last one answers.
        // Scans that find the memory full are taken but not kept.
        int n = params_.ScanNumber;
        int kept = std::min(n, memory_.FreePositions());
        for (int i = 0; i < kept; ++i) {
            pair = Measure();
            memory_.Write(pair);
        }
        commands_.back().written = kept;
        if (kept < n) pair = Measure();
        prepare = n * MeasuringSeconds() + (n - 1) * params_.IntervalTenths / 10.0;
    } else if (mode == kModeRead) {
        // One stored scan per command; an empty position answers with a pair of zeros.
        pair = memory_.ReadNext();
        prepare = Ms(options_.memoryReadMs);
    } else {
        memory_.Erase();
        pair = Measure();
        prepare = Ms(options_.eraseMs) + MeasuringSeconds();
    }
    commands_.back().answer = pair;
    const InstrumentFaults& f = options_.faults;
    const double delay = f.replyDelayPair == 0 || f.replyDelayPair == pairsStarted_ ? f.replyDelayMs : 0.0;
    Schedule(TimerKind::SendBlock, now_ + Latency() + prepare + Ms(delay), 1);
}

std::string SimulatedInstrument::BlockBytes(const ScanPair& pair, int block) {
    const PassWords& pass = block <= kBlocksPerPass ? pair.reference : pair.sample;
    int first = ((block - 1) % kBlocksPerPass) * 32;
    std::string bytes;
    unsigned sum = 0;
    for (int w = 0; w < kWordsPerBlock; ++w) {
        unsigned v = w < 32 ? pass[first + w] : sum & 0xFFFF;
        sum += v;
        bytes.push_back(static_cast<char>(v >> 8));
        bytes.push_back(static_cast<char>(v & 0xFF));
    }
    return bytes;
}

void SimulatedInstrument::SendBlock(int block) {
    std::string bytes = BlockBytes(transfer_.pair, block);
    for (const BlockFault& f : options_.faults.blocks) {
        if ((f.block != 0 && f.block != block) || (f.pair != 0 && f.pair != pairsStarted_)) continue;
        if (f.kind != BlockFault::Kind::AckLost && !commands_.empty()) commands_.back().faulted = true;
        switch (f.kind) {
            case BlockFault::Kind::Short:
                bytes.resize(bytes.size() - std::clamp(f.bytes, 0, static_cast<int>(bytes.size())));
                break;
            case BlockFault::Kind::Long:
                for (int i = 0; i < f.bytes; ++i) bytes.push_back(static_cast<char>(0xA5 ^ i));
                break;
            case BlockFault::Kind::Garbled:
                for (size_t i = 0; i < bytes.size(); ++i)
                    bytes[i] = static_cast<char>(bytes[i] ^ (0x5B + 37 * i + 11 * block));
                break;
            case BlockFault::Kind::Missing:
                bytes.clear();
                break;
            case BlockFault::Kind::AckLost:
                break;
        }
    }
    Send(bytes, now_);
    transfer_.block = block;
    transfer_.awaitingAck = true;
    transfer_.ackLost = false;
    if (options_.ackGiveUpMs > 0)
        Schedule(TimerKind::AckTimeout, std::max(now_, lineOutFree_) + Ms(options_.ackGiveUpMs));
    if (options_.faults.dropAfterBlock == block) {
        linkUp_ = false;
        if (!commands_.empty()) commands_.back().faulted = true;
    }
    if (std::exchange(transfer_.earlyAck, false)) Acknowledge();
}

void SimulatedInstrument::Acknowledge() {
    Cancel(TimerKind::AckTimeout);
    transfer_.awaitingAck = false;
    ++transfer_.acknowledged;
    if (!commands_.empty()) commands_.back().acknowledged = transfer_.acknowledged;
    if (transfer_.block >= kBlocksPerPair) {
        transfer_.active = false;
        return;
    }
    Schedule(TimerKind::SendBlock, now_ + Latency() + Ms(options_.faults.blockDelayMs),
             transfer_.block + 1);
}

bool SimulatedInstrument::AcknowledgementLost() {
    if (transfer_.ackLost) return false;  // only the first one goes astray
    for (const BlockFault& f : options_.faults.blocks) {
        if (f.kind != BlockFault::Kind::AckLost) continue;
        if ((f.block != 0 && f.block != transfer_.block) || (f.pair != 0 && f.pair != pairsStarted_)) continue;
        transfer_.ackLost = true;
        return true;
    }
    return false;
}

void SimulatedInstrument::AbortTransfer() {
    Cancel(TimerKind::SendBlock);
    Cancel(TimerKind::AckTimeout);
    transfer_.active = false;
    transfer_.awaitingAck = false;
}

void SimulatedInstrument::RestartIntoLoader() {
    AbortTransfer();
    timers_.clear();
    collectingParameters_ = false;
    parameterBytes_.clear();
    parameterCount_ = 0;
    wakeWindow_.clear();
    escapePending_ = selectPending_ = loadingSlave_ = false;
    stage_ = InstrumentStage::LoaderIdle;
    StartBeacon();
}


}  // namespace tav
