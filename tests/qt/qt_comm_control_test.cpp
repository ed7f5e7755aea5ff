// The Qt serial control against the simulator on a pseudo-terminal: a whole pair of passes,
// a simulator killed in the middle, the open failures and the settings.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <thread>
#include <unistd.h>

#include "qt/comm/QtCommControl.h"
#include "simulator/SimulatedInstrument.h"
#include "support/comm_test_bench.h"

namespace tav {
namespace {

using Clock = std::chrono::steady_clock;

// The simulator as a child process; its first output line is the device path.
class Simulator {
public:
    explicit Simulator(const QStringList& args = {}) {
        process.start(INSTRUMENT_SIM_PATH, args);
        if (!process.waitForStarted(5000)) return;
        auto deadline = Clock::now() + std::chrono::seconds(5);
        while (!process.canReadLine() && Clock::now() < deadline) process.waitForReadyRead(100);
        path = process.readLine().trimmed().toStdString();
    }
    ~Simulator() {
        if (process.state() == QProcess::NotRunning) return;
        process.terminate();
        if (!process.waitForFinished(3000)) {
            process.kill();
            process.waitForFinished(3000);
        }
    }
    QProcess process;
    std::string path;
};

class QtCommControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!QCoreApplication::instance()) app_ = std::make_unique<QCoreApplication>(argc_, argv_);
    }
    void TearDown() override {
        unsetenv("TAVOLIN_COM1");
        unsetenv("TAVOLIN_COM2");
    }
    static void UseDevice(const std::string& path) { setenv("TAVOLIN_COM1", path.c_str(), 1); }
    // Points COM1 at the simulator and opens the control there.
    static void OpenOn(const Simulator& sim, QtCommControl& c, const char* settings) {
        ASSERT_FALSE(sim.path.empty()) << "the simulator printed no device path";
        UseDevice(sim.path);
        ASSERT_TRUE(c.SetSettings(settings));
        CommResult opened = c.SetPortOpen(true);
        ASSERT_TRUE(opened) << opened.error << " (QSerialPort on " << sim.path << ")";
    }

    // Polls until n characters came or the deadline passed.
    static std::string ReadExactly(QtCommControl& c, size_t n, int timeoutMs) {
        std::string got;
        auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
        while (got.size() < n && Clock::now() < deadline) {
            c.InputLen = static_cast<int16_t>(n - got.size());
            std::string part = c.Input();
            if (part.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
            got += part;
        }
        return got;
    }

private:
    int argc_ = 1;
    char name_[16] = "test_qt";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QCoreApplication> app_;
};

TEST_F(QtCommControlTest, CompletesAPairOfPassesWithTheSimulator) {
    Simulator sim;
    QtCommControl c;
    c.CommPort = 1;
    OpenOn(sim, c, "115200,N,8,1");
    if (HasFatalFailure()) return;

    ASSERT_TRUE(c.Output(std::string(1, '\x02')));
    std::vector<std::string> blocks;
    for (int k = 1; k <= 16; ++k) {
        blocks.push_back(ReadExactly(c, 66, 5000));
        ASSERT_EQ(blocks.back().size(), 66u) << "block " << k;
        ASSERT_TRUE(c.Output(std::string(1, '\x05')));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(c.InBufferCount(), 0) << "nothing after the 16th acknowledgement";
    EXPECT_TRUE(c.LastReadResult());

    // The same instrument in process, given the same command, measured the same pair.
    SimulatedInstrument reference;
    reference.Feed(std::string(1, '\x02'), 0.0);
    reference.Advance(1.0);
    EXPECT_EQ(commtest::DecodePair(blocks), reference.LastPair());
    // Temperature word of the second pass: 25 degrees = 2564 = 0x0A04.
    EXPECT_EQ(static_cast<unsigned char>(blocks[15][48]), 0x0A);
    EXPECT_EQ(static_cast<unsigned char>(blocks[15][49]), 0x04);
    EXPECT_TRUE(c.SetPortOpen(false));
}

TEST_F(QtCommControlTest, KilledSimulatorGivesFailuresOrEmptyReadsNotAHang) {
    Simulator sim;
    QtCommControl c;
    OpenOn(sim, c, "115200,N,8,1");
    if (HasFatalFailure()) return;
    ASSERT_TRUE(c.Output(std::string(1, '\x02')));
    ASSERT_EQ(ReadExactly(c, 66, 5000).size(), 66u);
    ASSERT_TRUE(c.Output(std::string(1, '\x05')));
    ASSERT_EQ(ReadExactly(c, 66, 5000).size(), 66u);

    sim.process.kill();
    ASSERT_TRUE(sim.process.waitForFinished(5000));

    bool failed = false;
    size_t after = 0;
    for (int k = 3; k <= 16; ++k) {
        failed |= !c.Output(std::string(1, '\x05'));
        after += ReadExactly(c, 66, 50).size();
        failed |= !c.LastReadResult();
        c.InBufferCount();
        c.ClearInBuffer();
    }
    EXPECT_EQ(after, 0u);
    EXPECT_TRUE(failed) << "a dead device is reported, not taken for a quiet one";
    c.SetPortOpen(false);
    EXPECT_FALSE(c.PortOpen());
    EXPECT_FALSE(c.SetPortOpen(true)) << "the device is gone";
}

TEST_F(QtCommControlTest, SpeedMismatchWithTheSimulatorGetsNoAnswer) {
    Simulator sim;
    QtCommControl c;
    OpenOn(sim, c, "9600,N,8,1");
    if (HasFatalFailure()) return;
    ASSERT_TRUE(c.Output(std::string(1, '\x02')));
    EXPECT_EQ(ReadExactly(c, 1, 300), "");
    // The settings change while the port is open; the instrument answers at 115200.
    ASSERT_TRUE(c.SetSettings("115200,N,8,1"));
    EXPECT_EQ(c.Settings(), "115200,N,8,1");
    ASSERT_TRUE(c.Output(std::string(1, '\x02')));
    EXPECT_EQ(ReadExactly(c, 66, 5000).size(), 66u);
}

TEST_F(QtCommControlTest, SimulatorFlagsInjectTheirFaults) {
    struct Case {
        QStringList args;
        std::vector<size_t> blockSizes;  // first blocks as read, 0 = nothing came
    };
    const Case cases[] = {
        {{"--short-block=1"}, {60, 66}},
        {{"--long-block"}, {70, 70}},
        {{"--drop-after=1"}, {66, 0}},
        {{"--silent"}, {0}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.args.join(" ").toStdString());
        Simulator sim(k.args);
        QtCommControl c;
        OpenOn(sim, c, "115200,N,8,1");
        if (HasFatalFailure()) return;
        ASSERT_TRUE(c.Output(std::string(1, '\x02')));
        for (size_t expected : k.blockSizes) {
            // Reads until the block is complete or the line stays quiet for 300 ms.
            std::string block;
            for (std::string more = "x"; !more.empty() && block.size() < 70;) {
                more = ReadExactly(c, 70 - block.size(), 300);
                block += more;
            }
            EXPECT_EQ(block.size(), expected);
            ASSERT_TRUE(c.Output(std::string(1, '\x05')));
        }
    }
}

TEST_F(QtCommControlTest, SimulatorRefusesBadFlags) {
    for (const char* arg : {"--bogus", "--drop-after=0", "--drop-after=17", "--slow=abc",
                            "--short-block=x", "--silent=1", "--seed=-1"}) {
        QProcess p;
        p.start(INSTRUMENT_SIM_PATH, {arg});
        ASSERT_TRUE(p.waitForFinished(5000)) << arg;
        EXPECT_EQ(p.exitCode(), 2) << arg;
        EXPECT_TRUE(p.readAllStandardOutput().isEmpty()) << arg;
    }
    QProcess help;
    help.start(INSTRUMENT_SIM_PATH, {"--help"});
    ASSERT_TRUE(help.waitForFinished(5000));
    EXPECT_EQ(help.exitCode(), 0);
    EXPECT_TRUE(help.readAllStandardOutput().startsWith("usage: instrument-sim"));
}

TEST_F(QtCommControlTest, PortNumbersMapToDevices) {
    setenv("TAVOLIN_COM2", "/dev/pts/77", 1);
    EXPECT_EQ(QtCommControl::DevicePath(2), "/dev/pts/77");
    EXPECT_EQ(QtCommControl::DevicePath(1), "/dev/ttyS0");
    setenv("TAVOLIN_COM1", "", 1);
    EXPECT_EQ(QtCommControl::DevicePath(1), "/dev/ttyS0") << "an empty variable counts as unset";
    // What a failed open names: the port, its device and where the device came from.
    EXPECT_EQ(QtCommControl::DeviceName(2), "COM2 is /dev/pts/77 (from TAVOLIN_COM2)");
    EXPECT_EQ(QtCommControl::DeviceName(1), "COM1 is /dev/ttyS0 (set TAVOLIN_COM1 for another device)");
    unsetenv("TAVOLIN_COM2");
}

TEST_F(QtCommControlTest, OpenFailuresSayWhy) {
    QtCommControl c;
    UseDevice("/nonexistent/ttyX");
    CommResult missing = c.SetPortOpen(true);
    EXPECT_FALSE(missing);
    EXPECT_EQ(missing.error,
              "COM1 is /nonexistent/ttyX (from TAVOLIN_COM1):\nno such device.");
    EXPECT_FALSE(c.PortOpen());

    if (geteuid() != 0) {  // root may open anything
        auto file = std::filesystem::temp_directory_path() / ("tavolin-noaccess-" + std::to_string(getpid()));
        std::FILE* f = std::fopen(file.c_str(), "w");
        ASSERT_NE(f, nullptr);
        std::fclose(f);
        std::filesystem::permissions(file, std::filesystem::perms::none);
        UseDevice(file.string());
        CommResult denied = c.SetPortOpen(true);
        EXPECT_FALSE(denied);
        EXPECT_NE(denied.error.find("permission denied. Join the \"dialout\" group"), std::string::npos)
            << denied.error;
        std::filesystem::remove(file);
    }

    Simulator sim;
    ASSERT_FALSE(sim.path.empty());
    UseDevice(sim.path);
    ASSERT_TRUE(c.SetPortOpen(true));
    CommResult twice = c.SetPortOpen(true);
    EXPECT_FALSE(twice);
    EXPECT_NE(twice.error.find("already open"), std::string::npos);
    QtCommControl other;
    CommResult busy = other.SetPortOpen(true);
    EXPECT_FALSE(busy);
    EXPECT_NE(busy.error.find(":\ndevice busy: in use by another program"), std::string::npos) << busy.error;

    EXPECT_FALSE(c.SetSettings("115200,N,8"));
    EXPECT_EQ(c.Settings(), "9600,N,8,1");
    EXPECT_TRUE(c.SetPortOpen(false));
    EXPECT_FALSE(c.SetPortOpen(false));
    EXPECT_FALSE(c.Output("x"));
    EXPECT_EQ(c.Input(), "");
    EXPECT_FALSE(c.LastReadResult());
}

}  // namespace
}  // namespace tav
