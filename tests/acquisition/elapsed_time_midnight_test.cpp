// A series that crosses midnight with no bands defined: the index pass ends at once, yet the
// elapsed time is the day's wrap of the clock, never negative, in the state, in the "Time:" line
// of the saved spectrum and in the kinetic log.

#include <gtest/gtest.h>

#include "FlowRig.h"
#include "acquisition/NextScan.h"

namespace tav {
namespace {

using acqtest::FlowRig;

TEST(ElapsedTimeAtMidnight, IsWrappedWhereItIsComputed) {
    FlowRig r;
    ProgramState& s = r.state;
    s.NumOfBands = 0;
    s.ResetTimer = true;
    s.AutoSaveOn = true;
    s.AutoSaveName = "MID";
    s.Menu.ActivateDiagnostics = true;  // logs the temperature with the elapsed seconds
    r.logs.OpenAll(r.fs, r.dir.Path());
    r.clock.Set(23, 59, 58);
    NextScan(r.flow);
    ASSERT_FALSE(s.ResetTimer);
    r.clock.Set(0, 0, 3);  // five seconds later, after midnight
    NextScan(r.flow);

    // The flow's index pass (the real one) ended at "No Bands Have Been Defined!".
    EXPECT_GT(s.ElapsedTime, 4.0f);
    EXPECT_LT(s.ElapsedTime, 6.0f);

    const std::string saved = r.dir.Read("MID00002.rdg");
    const size_t time = saved.find("\"Time:");
    ASSERT_NE(time, std::string::npos) << saved;
    const std::string line = saved.substr(time, saved.find("\r\n", time) - time);
    EXPECT_EQ(line.find('-'), std::string::npos) << line;
    EXPECT_NE(line.find("  5."), std::string::npos) << line;
    const std::string log = r.dir.Read("~Diagnost.Tmp");
    EXPECT_NE(log.find(" 5 Secs"), std::string::npos) << log;
    EXPECT_EQ(log.find("-86"), std::string::npos) << log;
}

}  // namespace
}  // namespace tav
