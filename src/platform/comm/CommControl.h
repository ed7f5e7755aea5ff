#pragma once
// The polled serial control through which every exchange with the instrument goes.
// All operations are synchronous; a failure is returned, never thrown.

#include <cstdint>
#include <string>

namespace tav {

struct CommResult {
    bool ok = true;
    std::string error;  // why it failed, for the operator
    static CommResult Ok() { return {}; }
    static CommResult Fail(std::string why) { return {false, std::move(why)}; }
    explicit operator bool() const { return ok; }
};

class CommControl {
public:
    virtual ~CommControl() = default;

    // Port number (1 = COM1 ...); set before opening.
    int16_t CommPort = 1;
    // At most n characters per Input (0 = all buffered).
    int16_t InputLen = 0;
    int16_t OutBufferSize = 512;

    // "115200,N,8,1"; may change while the port is open.
    virtual CommResult SetSettings(const std::string& settings) = 0;
    virtual const std::string& Settings() const = 0;

    // PortOpen = True / False. Opening an open port or a missing device fails.
    virtual CommResult SetPortOpen(bool open) = 0;
    virtual bool PortOpen() const = 0;

    // Sends the text, one byte per character; every byte is written before it returns.
    virtual CommResult Output(const std::string& bytes) = 0;
    // Takes up to InputLen buffered characters (all when 0); empty when nothing is there.
    virtual std::string Input() = 0;
    // Characters waiting in the receive buffer.
    virtual int InBufferCount() = 0;
    // InBufferCount = 0: discard the buffered input.
    virtual void ClearInBuffer() = 0;

    // Input, InBufferCount and ClearInBuffer answer "nothing there" when they fail; this says
    // whether the latest of them failed and why, so a caller can tell a dead port from a quiet one.
    virtual CommResult LastReadResult() const { return CommResult::Ok(); }

    // Why the open port can no longer be trusted: its settings were refused, a read or a write
    // failed, its device went away. Kept until the port is closed, since a descriptor whose
    // device has gone stays dead even when a device comes back on the same path; Ok on a port
    // that works and on a closed one.
    virtual CommResult PortFault() const = 0;
};

}  // namespace tav
