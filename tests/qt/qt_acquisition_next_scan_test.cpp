// A next scan of the whole program on the Qt front end, through the Qt serial control on the
// simulator's pseudo-terminal, in real time: the pair, the chart, the indices and AutoSave.

#include <gtest/gtest.h>

#include <QProcess>

#include "acquisition/FlowRig.h"
#include "acquisition/NextScan.h"
#include "platform/SystemClock.h"
#include "qt/QtHost.h"
#include "qt/comm/QtCommControl.h"
#include "qt_test_app.h"
#include "windows/MDIForm1.h"

namespace tav {
namespace {

struct NextScanProgram : test::QtApplicationScope {
    NextScanProgram() {
        // The program's main window first: its start-up runs in a folder of its own and without
        // the welcome window, and the test then starts from a fresh state.
        fs.SetCurrentDir(programDir.Path());
        state->WelcomeShown = true;
        app->forms.Get<MDIForm1>();
        *state = *std::make_unique<ProgramState>();
        fs.SetCurrentDir(dir.Path());
        state->IntegrationTime = 100;
        state->NumToAverage = 1;
        state->CommPortNumber = 1;
        state->StartDir = dir.Path();
        state->DefaultPath = dir.Path();
        for (int i = 0; i < WaveLengthCount; ++i) state->WaveLength[i] = 300.0f + 3.3f * (i + 1);
        state->AutoScaleOn.fill(-1);
        app->forms.Get<MainForm>().Show();
    }
    ~NextScanProgram() { app.reset(); }

    test::TempDir dir;
    test::TempDir programDir;
    std::unique_ptr<ProgramState> state = std::make_unique<ProgramState>();
    SystemClock clock;
    ScriptedOperator op;
    QtCommControl comm;
    NoBoardLibrary board;
    RealFileSystem fs{dir.Path()};
    RecordingPrinter printer;
    QtHost host;
    std::unique_ptr<App> app = std::make_unique<App>(*state, Services{clock, op, comm, board, fs, printer}, host);
    FormChartWindows charts{*app};
    acqtest::RecordingIndices indices{app->flow};
    KineticLogs logs;
    AppFileWindows fileWindows{*app};
    FileContext files{*state, fs, op, clock, logs, fileWindows};
    MainScanWindows scanWindows{*app};
    ScanFlowContext flow{*app, charts, indices, files, scanWindows};
};

TEST(QtAcquisitionNextScan, ANextScanOverThePseudoTerminal) {
    QProcess sim;
    sim.start(INSTRUMENT_SIM_PATH, {});
    ASSERT_TRUE(sim.waitForStarted(5000));
    for (int i = 0; i < 50 && !sim.canReadLine(); ++i) sim.waitForReadyRead(100);
    const std::string device = sim.readLine().trimmed().toStdString();
    ASSERT_FALSE(device.empty());
    setenv("TAVOLIN_COM1", device.c_str(), 1);

    {
        NextScanProgram p;
        p.state->AutoSaveOn = true;
        p.state->AutoSaveName = "E2E";
        NextScan(p.flow);

        EXPECT_TRUE(p.op.Messages().empty()) << (p.op.Messages().empty() ? "" : p.op.Messages()[0].text);
        EXPECT_FALSE(p.state->NoInstrumentResponse);
        EXPECT_FALSE(p.comm.PortOpen());
        SimulatedInstrument reference;  // the same instrument, given the same command
        reference.Feed(std::string(1, '\x02'), 0.0);
        reference.Advance(1.0);
        for (int i = 0; i < 256; ++i) {
            ASSERT_EQ(p.state->Ch1Data[0][i], reference.LastPair().sample[i]) << i;
            ASSERT_EQ(p.state->Ch2Data[0][i], reference.LastPair().reference[i]) << i;
        }
        EXPECT_NEAR(p.state->Temperature, 25.0f, 0.01f);
        EXPECT_EQ(p.state->OverlayCount, 1);
        EXPECT_EQ(p.indices.passes, 1);
        EXPECT_EQ(p.dir.Names(), std::vector<std::string>{"E2E00001.rdg"});
        EXPECT_NE(p.dir.Read("E2E00001.rdg").find("\"Integration: 10 ms\""), std::string::npos);
    }
    unsetenv("TAVOLIN_COM1");
    sim.terminate();
    sim.waitForFinished(3000);
}

}  // namespace
}  // namespace tav
