#pragma once
// Taking the serial port for one exchange. Timed acquisition may hold the port open between its
// scans (PortHeldOpen): an exchange on the same port number uses the open port and leaves it
// open; one on another port number is refused with a message, and nothing is sent.
//
// A port that fails (its settings refused, a read or a write that failed, its device gone) is
// closed and let go at once, held or not: its descriptor stays dead even when the instrument
// comes back on the same device path, and the next exchange opens that path afresh.
//
// The instrument takes no command in the middle of a pair: an exchange on the port of an owed
// pair (a scan command whose reply wait was given up) first takes that pair in step.

#include <cstdint>
#include <string>

#include "acquisition/AcquisitionContext.h"
#include "platform/comm/CommControl.h"

namespace tav {

enum class PortClaim {
    Opened,   // this exchange opened the port and closes it
    Held,     // timed acquisition holds it open on this port number; it stays open
    Refused,  // held open on another port number; the operator has been told
    Failed,   // could not be opened or set up, or the instrument is still in an owed pair; nothing
              // was sent, and a port this claim opened is closed again
};

// Port `port` at `settings`, open, and any owed pair on it taken. On Failed, `problem` (when
// given) receives what the operator is told: the port could not be opened, a held port failed
// (each with the control's reason), or the wait for the owed pair was given up.
PortClaim ClaimPort(AcquisitionContext& ctx, int16_t port, const char* settings,
                    std::string* problem = nullptr);

// Closes the port when the claim opened it, once what was sent has had time to leave; lets a
// held port go when it failed.
void ReleasePort(AcquisitionContext& ctx, PortClaim claim);

// When the port failed: closes it, ends its holding by timed acquisition (PortHeldOpen False)
// and gives the reason in `why`. False, with nothing changed, for a port that works or is closed.
bool LetFailedPortGo(AcquisitionContext& ctx, std::string& why);

// Closes an open port once what was sent has had time to leave.
void ClosePortAfterOutput(AcquisitionContext& ctx);

// Waits until the pause that ends a parameter block has passed since the last byte of one
// (link::BlockEndPauseMs; closing and opening the port in between count towards it).
void AwaitBlockEnd(AcquisitionContext& ctx);
// Bytes of a message to the instrument, after that pause.
CommResult SendToInstrument(AcquisitionContext& ctx, const std::string& bytes);
// One byte of a parameter block, its command byte included: no pause before it, and the next
// message waits for one after it.
CommResult SendParameterByte(AcquisitionContext& ctx, const std::string& byte);

// "The serial port COMn could not be opened:" and the control's reason (which names the device
// the port maps to and what is wrong with it).
std::string PortFailureText(int16_t port, const std::string& why);
// A port's failure (one of the texts here) in a message box; the context notes that the
// exchange's port failed.
void ReportPortFailure(AcquisitionContext& ctx, const std::string& text);

// "The serial port COMn failed:" and the reason, for an open port that stopped working: in the
// middle of an exchange, or while timed acquisition held it between two.
std::string PortFaultText(int16_t port, const std::string& why);

inline bool PortUsable(PortClaim claim) { return claim == PortClaim::Opened || claim == PortClaim::Held; }

}  // namespace tav
