// The shortest sequences with which the trial once broke a rule, each replayed as it was found:
// every one now keeps every rule. The focused tests of each mend live with the code they cover.

#include <gtest/gtest.h>

#include "trial/TrialRun.h"

namespace tav::trial {
namespace {

TEST(TrialSequences, EachShortestSequenceFoundKeepsEveryRule) {
    const char* const found[] = {
        // The memory written while the screen did not show Write with that Scan#: a scan number
        // typed while Erase was shown; data bytes of a block sent into a pair after Escape in the
        // command's wait; a pair owed by a run before.
        "Raddr=4817 Mode Scan=3 Start D",
        "Aver=5 Scan=2 Missing=16 Late O O@4",
        "Scan=3 Integ=5000 Mode O@4 Restart N",
        "Scan=2 Missing=16 PullAfter=10 N Replug Restart AutoInteg",
        // The memory read past its end, outside Read.
        "Interv=0 Scan=2 Raddr=1800 N N",
        "Interv=0 Mode Raddr=1763 N N N",
        "Interv=0 Raddr=1800 Scan=3 Short=6 N Mode Mode N O",
        // A scan measured with parameters other than those on screen.
        "Late AutoInteg@1 D D",
        // Read-outs that did not start where the screen said: the dark and overlay scans' step,
        // read-outs of the simulation file, a late pair taken for a stored scan.
        "Scan=2 D SetOK=10.0,1,1,0 N",
        "Scan=2 O SetOK=4.0,1,2,0 N",
        "Scan=5 D N@1 D",
        "Scan=5 Late D@2 N",
        "InstOK=2,1 Mode N InstOK=1,0 Start",
        "InstOK=1,1 Mode Start A InstOK=1,0 Wait=5",
        "Late N@5 Mode N SetOK=10.0,1,0,1 Start",
        // The instrument left in a pair: a reply later than its wait, a block lost in a pair
        // taken without knowing its place.
        "Late O SetPara",
        "Late Start SetPara",
        "Late O Integ=4.0",
        "Late D@2 SetOK=4.0,1,1,0",
        "Late D@1 Scan=5",
        "Aver=1000 Missing=2 N@5 Aver=5",
        "PullAfter=40 Raddr=4817 SetPara Late Scan=2 N Wait=2 Replug SetOK=4.0,1,0,1",
        "A AutoInteg Missing=10 Wait=5@2 A",
        // Values filed with a spectrum that were not its own.
        "Aver=2 S[0]",
        "SetOK=10.0,3,0,0 S[1Y]",
        "N F[0E] S[3]",
        "AutoInteg S[2]",
        "PixelBin Scan=2 N",
        "Scan=5 PixelBin N",
    };
    for (const char* text : found) {
        const TrialOutcome outcome = RunSequence(ParseSequence(text));
        EXPECT_FALSE(outcome.broken) << text << "\n  breaks: " << RuleName(outcome.broken->rule) << "\n  "
                                     << outcome.broken->detail;
    }
}

}  // namespace
}  // namespace tav::trial
