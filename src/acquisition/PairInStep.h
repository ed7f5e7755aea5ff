#pragma once
// Keeping the instrument in step with its scan pairs. Once it has taken a scan command, the
// instrument sends 16 blocks, each after the acknowledgement (0x05) of the one before; it waits
// for each acknowledgement as long as it takes and loses every other byte meanwhile. A pair that
// the program leaves before its end therefore leaves an instrument that takes no command, until
// the rest of its pair has been taken: its blocks read, acknowledged and thrown away.
//
// The pair may be left in three ways: the program ends it early (a block short or long, Escape
// in a read-out), which FinishPair mends at once; the operator gives the reply wait of a scan
// command up with Escape, after which the instrument still measures and answers later, when no
// one may be listening (an owed pair, taken by the next exchange on that port); or an
// acknowledgement is lost on a noisy line, so that the instrument still waits for one when the
// program thinks the pair done (found when the next scan command brings no reply).

#include <cstddef>
#include <string>

#include "acquisition/AcquisitionContext.h"

namespace tav {

struct BlockText {
    std::string text;
    bool portFailed = false;
    bool extra = false;  // more characters came than the block holds
};

// A block read 20 ms after its acknowledgement; one that is short then is read on until it is
// complete or the grace time is over. Characters still waiting once the block is complete
// belong to it too: the instrument sends nothing more before the acknowledgement.
BlockText ReadBlockText(AcquisitionContext& ctx, size_t expected);

// The acknowledgement of a block, after what is left of it on the line has been dropped.
bool Acknowledge(AcquisitionContext& ctx);

// The rest of a pair the program counts itself in, from block `next` (1 to 16), read within
// each block's usual bound, acknowledged and thrown away. It stops at once when the port fails,
// and when a second block in a row brings nothing: the instrument has stopped talking. `quiet`
// counts the silent blocks just before. An acknowledgement sent for a silent block may have been
// the one the instrument waited for (the first one lost on the line), so the instrument may be a
// block behind the count: then blocks are taken on past the 16th for as long as they come. An
// Escape given meanwhile counts again afterwards.
void FinishPair(AcquisitionContext& ctx, int next, int quiet = 0);

// A scan command whose reply wait the operator gave up: the instrument on the port answers
// with a pair by `dueMs` on the monotonic clock, and waits in it until the pair is taken.
void NoteOwedPair(AcquisitionContext& ctx, double dueMs);

// Run by every exchange on the port of an owed pair as soon as it has the port, before it sends
// anything: waits for the pair's first block until it is due, and a grace after (a long wait:
// Escape gives it up, and the pair stays owed), and takes the pair in step. A pair later than
// that would be taken for the answer to the next scan command. A reply that came while the port was
// closed was lost, and the instrument waits for its acknowledgement: so when nothing comes, one
// acknowledgement goes out, and what it brings is taken in step. False when the operator gave
// the wait up or the port failed; the pair is no longer owed otherwise.
bool TakeOwedPair(AcquisitionContext& ctx);

// A scan command that brought no reply: the instrument may still be waiting for an
// acknowledgement the program thought sent (one lost on the line, a pair left unseen). One
// acknowledgement goes out; when a block answers it, the rest of that pair is taken in step and
// the result is true. False, with nothing more sent, when nothing answers.
bool PairWasUnderWay(AcquisitionContext& ctx);

// The port failed in a way that leaves it unusable: a read or a write failed, or its fault is
// noted.
bool PortDead(AcquisitionContext& ctx);

}  // namespace tav
