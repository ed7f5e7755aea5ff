#include "doubles/LoopbackComm.h"

#include <algorithm>
#include <cstdio>

namespace tav {

namespace {

std::string Hex(const std::string& bytes) {
    std::string out;
    char buf[4];
    for (unsigned char c : bytes) {
        std::snprintf(buf, sizeof buf, out.empty() ? "%02X" : " %02X", c);
        out += buf;
    }
    return out;
}

}  // namespace

LoopbackComm::LoopbackComm(SimulatedInstrument& instrument, Clock& clock)
    : instrument_(&instrument), clock_(clock), settings_(*ParseSerialSettings(settingsText_)) {
    origin_ = ClockSeconds();
    KeepUpWith(instrument);
}

void LoopbackComm::ConnectInstrument(SimulatedInstrument& instrument) {
    instrument_ = &instrument;
    KeepUpWith(instrument);
}

void LoopbackComm::KeepUpWith(const SimulatedInstrument& instrument) {
    const double behind = instrument.Time() - Seconds();
    if (behind <= 0) return;
    origin_ -= behind;
    lastReading_ += behind;
    local_ += behind;
}

double LoopbackComm::ClockSeconds() { return clock_.MonotonicMs() / 1000.0; }

double LoopbackComm::Seconds() {
    // The time this control let pass itself is known exactly, so a byte's line time is not lost
    // to the rounding of a clock reading.
    double reading = ClockSeconds() - origin_;
    if (reading > lastReading_) {
        lastReading_ = reading;
        local_ = std::max(local_, reading);
    }
    return local_;
}

void LoopbackComm::Pass(double ms) {
    if (ms <= 0) return;
    clock_.Sleep(ms);
    local_ += ms / 1000.0;
}

void LoopbackComm::SetPortPresent(int port, bool present) {
    if (present) {
        ports_.insert(port);
        return;
    }
    ports_.erase(port);
    if (open_ && openPort_ == port) dead_ = true;
}

void LoopbackComm::PullPortAfterBytes(int port, int bytes, bool staysAway) {
    if (bytes < 0) pullAfter_.erase(port);
    else pullAfter_[port] = bytes;
    if (staysAway) pulledAway_.insert(port);
    else pulledAway_.erase(port);
}

void LoopbackComm::SetSettingsRefusal(int port, const std::string& why) {
    if (why.empty()) settingsRefusals_.erase(port);
    else settingsRefusals_[port] = why;
}

CommResult LoopbackComm::Failure(const std::string& why) {
    CommResult failure = CommResult::Fail(why);
    if (fault_) fault_ = failure;
    return failure;
}

void LoopbackComm::SetOpenRefusal(int port, const std::string& why) {
    if (why.empty()) refusals_.erase(port);
    else refusals_[port] = why;
}

void LoopbackComm::Note(std::string line) {
    journal_.push_back(std::move(line));
    journalTimes_.push_back(local_ * 1000.0);  // as of the control's latest reading
}

CommResult LoopbackComm::SetSettings(const std::string& settings) {
    auto parsed = ParseSerialSettings(settings);
    if (!parsed) return CommResult::Fail("Invalid port settings \"" + settings + "\".");
    if (open_ && !DeviceThere()) return Gone();
    if (auto refused = settingsRefusals_.find(openPort_); open_ && refused != settingsRefusals_.end())
        return Failure(refused->second);
    Pull();  // bytes already arrived were heard at the old speed
    settings_ = *parsed;
    settingsText_ = settings;
    Note("settings " + settings);
    return CommResult::Ok();
}

CommResult LoopbackComm::SetPortOpen(bool open) {
    if (open) {
        if (open_) return CommResult::Fail("Port already open.");
        if (ports_.count(CommPort) == 0)
            return CommResult::Fail("COM" + std::to_string(CommPort) + " is the bench's port " +
                                    std::to_string(CommPort) + ": no such device.");
        if (auto refusal = refusals_.find(CommPort); refusal != refusals_.end())
            return CommResult::Fail(refusal->second);
        if (auto refused = settingsRefusals_.find(CommPort); refused != settingsRefusals_.end())
            return CommResult::Fail(refused->second);
        open_ = true;
        openPort_ = CommPort;
        dead_ = false;
        fault_ = CommResult::Ok();
        buffer_.clear();
        // What the instrument sent while the port was closed was heard by nobody.
        if (InstrumentOnLine()) instrument_->TakeOutput(Seconds(), settings_.baud);
        Note("open " + std::to_string(CommPort) + " " + settingsText_);
        return CommResult::Ok();
    }
    if (!open_) return CommResult::Fail("Port not open.");
    open_ = false;
    dead_ = false;
    fault_ = CommResult::Ok();
    buffer_.clear();
    Note("close");
    return CommResult::Ok();
}

CommResult LoopbackComm::Output(const std::string& bytes) {
    if (!open_) return CommResult::Fail("Port not open.");
    if (!DeviceThere()) return Gone();
    std::string sent = bytes;
    bool pulled = false;
    if (auto pull = pullAfter_.find(openPort_); pull != pullAfter_.end()) {
        pulled = static_cast<int>(sent.size()) >= pull->second;
        if (pulled) {
            sent.resize(static_cast<size_t>(pull->second));
            pullAfter_.erase(pull);
        } else {
            pull->second -= static_cast<int>(sent.size());
        }
    }
    if (!sent.empty()) {
        if (openPort_ == instrumentPort_) instrument_->Feed(sent, Seconds(), settings_.baud);
        Note("out " + Hex(sent));
        // Synchronous: the bytes are on the line when Output returns.
        Pass(sent.size() * CharacterSeconds(settings_) * 1000.0);
    }
    if (pulled) {
        dead_ = true;
        if (pulledAway_.erase(openPort_) > 0) ports_.erase(openPort_);
    }
    if (sent.size() < bytes.size()) return Gone();
    return CommResult::Ok();
}

void LoopbackComm::Pull() {
    if (InstrumentOnLine()) buffer_ += instrument_->TakeOutput(Seconds(), settings_.baud);
}

bool LoopbackComm::ReadableNow() {
    if (!open_) {
        lastRead_ = CommResult::Fail("Port not open.");
        return false;
    }
    if (!DeviceThere()) {
        lastRead_ = Gone();
        return false;
    }
    lastRead_ = CommResult::Ok();
    Pull();
    return true;
}

std::string LoopbackComm::Input() {
    std::string taken;
    if (ReadableNow()) {
        size_t n = InputLen > 0 ? std::min<size_t>(InputLen, buffer_.size()) : buffer_.size();
        taken = buffer_.substr(0, n);
        buffer_.erase(0, n);
    }
    Pass(pollMs_);
    return taken;
}

int LoopbackComm::InBufferCount() {
    int count = ReadableNow() ? static_cast<int>(buffer_.size()) : 0;
    Pass(pollMs_);
    return count;
}

void LoopbackComm::ClearInBuffer() {
    if (!ReadableNow()) return;
    buffer_.clear();
    Note("clear");
}

}  // namespace tav
