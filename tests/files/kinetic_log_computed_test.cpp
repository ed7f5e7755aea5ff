// A kinetic log line carries a value the index pass computed: an index whose band number lies
// outside the defined bands, or a spectrum too short for any band, keeps its old value and
// gets no line, while the indices the pass did compute are logged as before.

#include <gtest/gtest.h>

#include <string>

#include "doubles/SilentIndexOutput.h"
#include "files/KineticLogs.h"
#include "indices/KineticIndices.h"
#include "indices/RatioSpectrum.h"
#include "support/FileWorld.h"

namespace tav {
namespace {

struct KineticLogComputed : ::testing::Test {
    test::FileWorld w;
    ProgramState& s = *w.state;
    test::SilentIndexOutput out;

    void SetUp() override {
        w.logs.OpenAll(w.fs, w.dir.Path());
        test::PrepareRatioSpectrum(s);  // the ratio of band 2 to band 1: 16 / 8
        MenuChecks& m = s.Menu;
        m.ActivateIntegral = m.ActivateAverage = m.ActivateDerivative = true;
        s.AverageBand = 2;
        s.IntegralBand = 5;    // no such band
        s.DerivativeBand = 9;  // nor this one
        s.IntegralValue = 1234.0f;
        s.DerivativeValue = 0.5f;
    }
    std::string Log(const char* name) { return w.dir.Read(name); }
};

TEST_F(KineticLogComputed, AnIndexWithoutItsBandGetsNoLine) {
    ComputeKineticIndices(s, out);
    ASSERT_TRUE(AppendKineticLogLines(w.ctx, "XYZ00001.rdg"));
    EXPECT_EQ(Log("~Integ.Tmp"), "");
    EXPECT_EQ(Log("~Deriv.Tmp"), "");
    EXPECT_EQ(s.IntegralValue, 1234.0f);  // kept, not logged as measured
    EXPECT_NE(Log("~Ratio.Tmp").find("Secs  2.\r\n"), std::string::npos) << Log("~Ratio.Tmp");
    EXPECT_NE(Log("~Average.Tmp").find("Secs  8.\r\n"), std::string::npos) << Log("~Average.Tmp");
}

TEST_F(KineticLogComputed, ASpectrumWithoutPointsLogsNothing) {
    ComputeKineticIndices(s, out);  // a full spectrum first
    s.SlotInfo[0].NumPoints = 1;
    ComputeKineticIndices(s, out);
    ASSERT_TRUE(AppendKineticLogLines(w.ctx, "XYZ00002.rdg"));
    for (const char* log : {"~Ratio.Tmp", "~NormDif.Tmp", "~Exper.Tmp", "~Deriv.Tmp", "~Integ.Tmp", "~Average.Tmp"}) {
        EXPECT_EQ(Log(log), "") << log;
    }
}

}  // namespace
}  // namespace tav
