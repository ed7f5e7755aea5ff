// The scan transfer through the Qt serial control on the simulator's pseudo-terminal, in real
// time: a scan pair, a link that drops in the middle, and a firmware download from the loader.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <QThread>

#include <signal.h>

#include <chrono>
#include <cstdlib>
#include <memory>

#include "acquisition/AcquisitionRig.h"
#include "acquisition/FirmwareDownload.h"
#include "acquisition/ScanAcquisition.h"
#include "platform/SystemClock.h"
#include "qt/comm/QtCommControl.h"
#include "qt_simulator_process.h"

namespace tav {
namespace {

using test::SimulatorProcess;

class QtAcquisitionLink : public ::testing::Test {
protected:
    void SetUp() override {
        if (!QCoreApplication::instance()) app_ = std::make_unique<QCoreApplication>(argc_, argv_);
        state.IntegrationTime = 100;
        state.NumToAverage = 1;
        state.CommPortNumber = 1;
        state.StartDir = dir.Path();
        for (int i = 0; i < WaveLengthCount; ++i) state.WaveLength[i] = 300.0f + 3.3f * (i + 1);
    }
    void TearDown() override { unsetenv("TAVOLIN_COM1"); }
    // Points COM1 at the simulator.
    bool Use(const SimulatorProcess& sim) {
        if (sim.Path().empty()) return false;
        setenv("TAVOLIN_COM1", sim.Path().c_str(), 1);
        return true;
    }

    std::unique_ptr<ProgramState> stateStore = std::make_unique<ProgramState>();
    ProgramState& state = *stateStore;
    SystemClock clock;
    QtCommControl comm;
    ScriptedOperator op;
    test::TempDir dir;
    RealFileSystem fs{dir.Path()};
    acqtest::FakeWindows windows;
    AcquisitionContext ctx{state, comm, clock, fs, op, windows};

private:
    int argc_ = 1;
    char name_[16] = "test_qt";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QCoreApplication> app_;
};

TEST_F(QtAcquisitionLink, AScanPairArrivesWhole) {
    SimulatorProcess sim;
    ASSERT_TRUE(Use(sim));
    ASSERT_EQ(AcquireScanPair(ctx, 10, 0), AcquireResult::Data);
    EXPECT_FALSE(comm.PortOpen());
    EXPECT_FALSE(state.NoInstrumentResponse);

    // The same instrument in process, given the same command, measures the same pair.
    SimulatedInstrument reference;
    reference.Feed(std::string(1, '\x02'), 0.0);
    reference.Advance(1.0);
    const ScanPair& pair = reference.LastPair();
    for (int i = 0; i < 256; ++i) {
        ASSERT_EQ(state.Ch1Data[10][i], pair.reference[i]) << i;
        ASSERT_EQ(state.Ch1Data[0][i], pair.sample[i]) << i;
    }
    EXPECT_NEAR(state.Temperature, 25.0f, 0.01f);
}

TEST_F(QtAcquisitionLink, ADropInTheMiddleEndsQuicklyWithoutData) {
    SimulatorProcess sim({"--drop-after=3"});
    ASSERT_TRUE(Use(sim));
    state.Ch1Data[0][5] = 123.0f;
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(AcquireScanPair(ctx, 10, 0), AcquireResult::NoResponse);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    EXPECT_TRUE(state.NoInstrumentResponse);
    EXPECT_FALSE(comm.PortOpen());
    EXPECT_EQ(state.Ch1Data[0][5], 123.0f);
}

// The simulator notices an opened port only after a few milliseconds, too late for the boot
// probe's single read; the download itself does not depend on that, so it is started directly
// here (the probe's road into it is tested in process).
TEST_F(QtAcquisitionLink, AnInstrumentInItsLoaderTakesItsFirmwareThenScans) {
    SimulatorProcess sim({"--loader", "--wake-zero"});
    ASSERT_TRUE(Use(sim));
    const std::string end = "S804000000FB";
    ASSERT_TRUE(dir.Write("OLMMASTR.S19", "S1060000010203F3\r\n" + end + "\r\n"));
    ASSERT_TRUE(dir.Write("OLMSLAVE.S19", "S1060100040506E9\r\n" + end + "\r\n"));
    DownloadFirmware(ctx);
    EXPECT_FALSE(state.NoInstrumentResponse);
    EXPECT_FALSE(comm.PortOpen());
    EXPECT_EQ(windows.mainForm.PrintedTexts(),
              (std::vector<std::string>{"                         L0ADING MASTER...",
                                        "                         L0ADING SLAVE...",
                                        "                         SYSTEM READY"}));
    EXPECT_TRUE(op.Messages().empty());
    ASSERT_EQ(AcquireScanPair(ctx, 10, 0), AcquireResult::Data);
    EXPECT_NEAR(state.Temperature, 25.0f, 0.01f);
}

// The pseudo-terminal carries neither time nor line speed with its bytes, so the simulator must
// read them promptly. A machine too busy to run it in time may make a test fail: the simulator
// notes when that happened, and the failing test shows the note.
TEST_F(QtAcquisitionLink, TheSimulatorNotesWhenTheMachineDidNotRunItInTime) {
    SimulatorProcess sim;
    ASSERT_TRUE(Use(sim));
    comm.CommPort = 1;
    ASSERT_TRUE(comm.SetSettings("115200,N,8,1"));
    ASSERT_TRUE(comm.SetPortOpen(true));
    QThread::msleep(50);  // the simulator sees the port open
    ::kill(static_cast<pid_t>(sim.Pid()), SIGSTOP);
    QThread::msleep(60);
    ::kill(static_cast<pid_t>(sim.Pid()), SIGCONT);
    QThread::msleep(50);
    comm.SetPortOpen(false);
    EXPECT_NE(sim.Stop().find("the machine did not run the simulator for"), std::string::npos);
}

}  // namespace
}  // namespace tav
