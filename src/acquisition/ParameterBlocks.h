#pragma once
// The parameter blocks sent to the instrument: the command byte 0x01, a wait for any reply (not
// examined; the block goes on without it), then 16-bit words high byte first with a 5 ms pause
// after each byte but the last. Every word is sent within 0 to 32767.
//
//   ParameterBlock:      IntegrationTime, NumToAverage, 0 (lamp), ScanNumber, IntervalTenths,
//                        the next read address (below); LampLevel becomes 0.
//   ShortParameterBlock: IntegrationTime, NumToAverage, LampLevel.

#include <cstdint>
#include <string>

#include "acquisition/AcquisitionContext.h"

namespace tav {

// The whole exchange: port CommPortNumber at 115200 baud, the block, the port closed again (a
// port that timed acquisition holds open stays open). Escape in the reply wait lets the block go
// out whole and leaves the exchange given up (waitGivenUp). False when it could not be sent;
// the operator has then been told why, in one message box (in simulation mode, where no
// instrument need listen, only when timed acquisition holds the other port). A block that did
// not go out whole leaves InstrumentParametersUnknown set; a whole ParameterBlock clears it.
bool ParameterBlock(AcquisitionContext& ctx);
bool ShortParameterBlock(AcquisitionContext& ctx);

// While the instrument may hold other parameters than the ones on screen (a scan number that
// writes to its memory), the whole ParameterBlock is sent first. InStep when the instrument holds
// the parameters on screen, as far as the program knows (always in simulation mode, where nothing
// is sent); Unsent when they could not be sent, and the operator has been told; GivenUp when the
// operator pressed Escape in the wait for the block's reply (the block went out whole). No scan
// command follows but InStep.
enum class ParametersSent { InStep, Unsent, GivenUp };
ParametersSent ParametersInStep(AcquisitionContext& ctx);

// The block on a port that is already open, inside a longer exchange (the firmware download):
// a reply wait given up with Escape ends it unsent.
bool SendParameterBlockOnOpenPort(AcquisitionContext& ctx);

// The instrument's read pointer as the screen tells it, the address of the stored scan that the
// next read-out takes: ReadAddress until the first read-out after it was set (ReadAddressPending),
// and afterwards the address after it, since ReadAddress then names the last scan read. A block
// with it leaves a read-out series where it stands.
int NextReadAddress(const ProgramState& state);

// The 12 and 6 data bytes, as sent.
std::string ParameterBlockBytes(const ProgramState& state);
std::string ShortParameterBlockBytes(const ProgramState& state);

}  // namespace tav
