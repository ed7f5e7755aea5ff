// The shortest sequences with which the trial once broke a rule, each replayed as it was found:
// every one now keeps every rule. The focused tests of each mend live with the code they cover.

#include <gtest/gtest.h>

#include "trial/TrialRun.h"

namespace tav::trial {
namespace {

TEST(TrialSequences, EachShortestSequenceFoundKeepsEveryRule) {
    const char* const found[] = {
        // The memory written by a scan number typed while Erase was shown.
        "Raddr=4817 Mode Scan=3 Start D",
        // Data bytes of a block sent into a pair after Escape in the command's wait.
        "Aver=5 Scan=2 Missing=16 Late O O@4",
        // Read-outs of the simulation file taken for the instrument's.
        "InstOK=2,1 Mode N InstOK=1,0 Start",
        "InstOK=1,1 Mode Start A InstOK=1,0 Wait=5",
        // A pair later than its wait taken for the answer to a parameter command or a scan.
        "Late D@2 SetOK=4.0,1,1,0",
        "Late D@1 Scan=5",
        "Late N@5 Mode N SetOK=10.0,1,0,1 Start",
        "PullAfter=40 Raddr=4817 SetPara Late Scan=2 N Wait=2 Replug SetOK=4.0,1,0,1",
        // A block lost on the line in a pair taken without knowing its place.
        "A AutoInteg Missing=10 Wait=5@2 A",
        // Values filed with a spectrum that were not its own.
        "Aver=2 S[0]",
        "N F[0E] S[3]",
        "AutoInteg S[2]",
        "PixelBin Scan=2 N",
    };
    for (const char* text : found) {
        const TrialOutcome outcome = RunSequence(ParseSequence(text));
        EXPECT_FALSE(outcome.broken) << text << "\n  breaks: " << RuleName(outcome.broken->rule) << "\n  "
                                     << outcome.broken->detail;
    }
}

}  // namespace
}  // namespace tav::trial
