// The single-letter commands as the spectrum window hands them on: what each key starts, what
// it does to a running timed acquisition and to the port that acquisition holds.

#include <gtest/gtest.h>

#include "MainWindowWorld.h"
#include "charts/ChartFixtures.h"

namespace tav {
namespace {

using test::MainWindowWorld;

struct KeyCase {
    int16_t key;
    std::vector<std::string> calls;
    bool timerRunsAfter;
    bool autoScanOnAfter;
    bool portHeldAfter = true;
};

TEST(KeyCommands, EachKeyStartsItsCommandAndStopsTheSeriesOnlyWhereItShould) {
    const KeyCase cases[] = {
        {'N', {"NextScan"}, false, false, false},
        {'n', {"NextScan"}, false, false, false},
        {'O', {"OverlayScan"}, false, false, false},
        {'o', {"OverlayScan"}, false, false, false},
        {'D', {"DarkScan"}, false, true},
        {'d', {"DarkScan"}, false, true},
        {'R', {"ReferenceScan"}, false, true},
        {'r', {"ReferenceScan"}, false, true},
        {'L', {"OverlayFile"}, true, true},
        {'l', {"OverlayFile"}, true, true},
        {'E', {"ShowEraseForm"}, true, true},
        {'e', {"ShowEraseForm"}, true, true},
        {'I', {"ShowSettingsForm"}, true, true},
        {'i', {"ShowSettingsForm"}, true, true},
        // No command: nothing happens and the series goes on.
        {'X', {}, true, true},
        {'z', {}, true, true},
        {'7', {}, true, true},
        {' ', {}, true, true},
        {13, {}, true, true},
        {200, {}, true, true},
    };
    for (const KeyCase& c : cases) {
        MainWindowWorld w;
        w.PastWelcome();
        w.RunningSeries();
        w.Type(c.key);
        SCOPED_TRACE(std::string("key ") + std::to_string(c.key));
        EXPECT_EQ(w.flows.calls, c.calls);
        EXPECT_EQ(w.Mdi().Timer1.Enabled(), c.timerRunsAfter);
        EXPECT_EQ(w.state->AutoScanTimerOn, c.autoScanOnAfter);
        // N and O end the series and let its port go; D and R only pause it.
        EXPECT_EQ(w.state->PortHeldOpen, c.portHeldAfter);
        EXPECT_EQ(w.comm.PortOpen(), c.portHeldAfter);
        EXPECT_TRUE(w.op.Messages().empty());
    }
}

// D and the Darkscan button draw the dark slot of the channel shown with its own y axis: six
// labels at the left of the chart, as Ch1 / Ch2 draws it afterwards.
TEST(KeyCommands, TheDarkViewComesWithItsYLabels) {
    for (bool channel2 : {true, false}) {
        for (bool button : {false, true}) {
            SCOPED_TRACE(std::string(channel2 ? "channel 2" : "channel 1") + (button ? ", Darkscan" : ", D"));
            MainWindowWorld w{false};
            w.Start(true);
            w.PastWelcome();
            ProgramState& s = *w.state;
            s.ShowChannel2 = channel2;
            if (button) w.Mdi().Command2.UserClick();
            else w.Type('D');
            ASSERT_EQ(s.CurrentSlot, channel2 ? 9 : 8);
            const SlotRecord& shown = s.SlotInfo[s.CurrentSlot];
            int labels = 0;
            for (const CanvasOp& op : w.MainCanvas().Ops()) {
                const bool text = op.kind == CanvasOp::Kind::Print || op.kind == CanvasOp::Kind::PrintInline;
                if (text && op.x1 == 60 && op.y1 > shown.PlotTop - 300 && op.y1 < shown.PlotBottom) ++labels;
            }
            EXPECT_EQ(labels, 6);
        }
    }
}

TEST(KeyCommands, AScanStartedByAKeyRunsAsAFlowSoTicksAndKeysWaitForIt) {
    MainWindowWorld w;
    w.PastWelcome();
    bool blocked = false;
    w.flows.duringNextScan = [&] {
        blocked = w.app.flow.Running();
        w.Type('D');  // dropped: one scan at a time
    };
    w.Type('N');
    EXPECT_TRUE(blocked);
    EXPECT_EQ(w.flows.calls, std::vector<std::string>{"NextScan"});
}

TEST(KeyCommands, MTurnsTheCursorOnAndOffButNotWhileAZoomBoxIsDragged) {
    MainWindowWorld w;
    w.PastWelcome();
    w.RunningSeries();
    w.state->ZoomDragging = true;
    w.Type('m');
    EXPECT_FALSE(w.state->CursorOn);
    w.state->ZoomDragging = false;
    w.Type('m');
    EXPECT_TRUE(w.state->CursorOn);
    w.state->SlotInfo[0].CursorShown = true;
    w.Type('M');
    EXPECT_FALSE(w.state->CursorOn);
    EXPECT_FALSE(w.state->SlotInfo[0].CursorShown);  // erased everywhere
    EXPECT_TRUE(w.Mdi().Timer1.Enabled());
}

TEST(KeyCommands, AHoldsThePortOpenOnceAndArmsTheTimer) {
    MainWindowWorld w;
    w.PastWelcome();
    w.comm.ClearJournal();
    w.Type('a');
    EXPECT_TRUE(w.Mdi().Timer1.Enabled());
    EXPECT_EQ(w.Mdi().Timer1.Interval(), 10);
    EXPECT_TRUE(w.state->AutoScanTimerOn);
    EXPECT_TRUE(w.state->PortHeldOpen);
    EXPECT_TRUE(w.comm.PortOpen());
    EXPECT_EQ(w.comm.CommPort, 1);
    EXPECT_EQ(w.comm.Settings(), "115200,N,8,1");

    // A second A only re-arms the timer.
    w.Mdi().Timer1.SetInterval(1000);
    w.Type('A');
    EXPECT_EQ(w.Mdi().Timer1.Interval(), 10);
    int opens = 0;
    for (const std::string& line : w.comm.Journal()) opens += line.rfind("open", 0) == 0;
    EXPECT_EQ(opens, 1);
    EXPECT_TRUE(w.flows.calls.empty());  // the scans come with the ticks
}

TEST(KeyCommands, AWithoutAPortToHoldSaysSoAndStartsNoSeries) {
    MainWindowWorld w;
    w.PastWelcome();
    w.comm.SetPortPresent(1, false);
    w.Type('A');
    ASSERT_EQ(w.op.Messages().size(), 1u);
    EXPECT_NE(w.op.Messages()[0].text.find("COM1"), std::string::npos);
    EXPECT_FALSE(w.Mdi().Timer1.Enabled());
    EXPECT_FALSE(w.state->PortHeldOpen);
    EXPECT_FALSE(w.state->AutoScanTimerOn);
}

TEST(KeyCommands, AInSimulationModeNeedsNoPort) {
    MainWindowWorld w;
    w.PastWelcome();
    w.comm.SetPortPresent(1, false);
    w.state->SimulationMode = true;
    w.Type('A');
    EXPECT_TRUE(w.op.Messages().empty());
    EXPECT_TRUE(w.Mdi().Timer1.Enabled());
    EXPECT_FALSE(w.state->PortHeldOpen);
}

TEST(KeyCommands, EscapeStopsTheSeriesWithItsMessageAndReleasesThePort) {
    struct EscapeCase {
        bool running;
        int16_t memoryMode;
        std::vector<std::string> printed;
    };
    const EscapeCase cases[] = {
        {true, 2, {"AutoScan Stopped"}},
        {true, 48, {"AutoCopy Stopped"}},
        {true, 64, {"AutoScan Stopped"}},
        {false, 48, {}},
    };
    for (const EscapeCase& c : cases) {
        MainWindowWorld w;
        w.PastWelcome();
        charttest::FillScan256(*w.state, 0);
        w.state->AutoScaleOn.fill(-1);
        w.state->DataAvailable = true;
        w.RunningSeries();
        if (!c.running) w.Mdi().Timer1.SetEnabled(false);
        w.state->MemoryMode = c.memoryMode;
        RecordingCanvas& canvas = w.MainCanvas();
        canvas.SetAvailableFonts({"DejaVu Sans", "Arial", "Times New Roman"});
        canvas.ClearRecord();

        w.Type(27);

        SCOPED_TRACE(c.memoryMode);
        EXPECT_FALSE(w.Mdi().Timer1.Enabled());
        EXPECT_FALSE(w.state->PortHeldOpen);
        EXPECT_FALSE(w.comm.PortOpen());
        EXPECT_TRUE(w.state->AutoScanTimerOn);  // only N and O clear it
        EXPECT_TRUE(w.flows.calls.empty());
        // The window is cleared and slot 0 drawn whether or not a series ran.
        const auto& ops = canvas.Ops();
        ASSERT_FALSE(ops.empty());
        EXPECT_EQ(ops.front().kind, CanvasOp::Kind::Cls);
        EXPECT_FALSE(canvas.OpsOfKind(CanvasOp::Kind::PSet).empty() && canvas.OpsOfKind(CanvasOp::Kind::Line).empty());
        std::vector<std::string> status;
        for (const CanvasOp& op : canvas.OpsOfKind(CanvasOp::Kind::Print)) {
            if (op.x1 == 5500 && op.y1 == 0) {
                status.push_back(op.text);
                EXPECT_EQ(op.fontName, "DejaVu Sans");  // the first font of the screen
            }
        }
        EXPECT_EQ(status, c.printed);
        EXPECT_EQ(canvas.FontName(), "Arial");  // the chart's font, given back after the status
    }
}

TEST(KeyCommands, FReadsAFileIntoTheCurrentSlotAndGoesOnOnlyWhenItRead) {
    MainWindowWorld w;
    w.PastWelcome();
    w.state->AutoScaleOn.fill(-1);
    w.state->CurrentSlot = 3;
    w.state->OverlayCount = 4;
    w.state->FirstOverlaySlot = 0;
    w.state->DataAvailable = true;  // earlier data: a failed read must not redraw or compute
    w.dir.Write("DATA/leaf.rdg",
                "\"File:       leaf.rdg\"\r\n\"Temp:       20 deg C\"\r\n\"Time:       01/01/2024  00:00:00  0\"\r\n"
                "\"Limits:     400 - 420\"\r\n\r\n\"Minimum:    400.0nm  10\"\r\n\"Maximum:    420.0nm  50\"\r\n"
                "\"Integration: 12.5 ms\"\r\n\"Number Scans: 3\"\r\n\r\n"
                "400 \t10. \t20.\r\n410 \t30. \t40.\r\n420 \t50. \t60.\r\n");

    w.op.AnswerOpen("");  // cancelled
    w.Type('f');
    EXPECT_EQ(w.op.MessageTexts(), std::vector<std::string>{"Invalid File Name."});
    EXPECT_TRUE(w.flows.calls.empty());

    w.op.AnswerOpen(w.dir.File("DATA/leaf.rdg"));
    w.Type('F');
    EXPECT_EQ(w.state->SlotInfo[3].NumPoints, 3);
    EXPECT_EQ(w.state->Ch1Data[3][1], 30.0f);
    EXPECT_EQ(w.flows.calls, std::vector<std::string>{"ComputeKineticIndices"});
    EXPECT_EQ(w.state->DisplayChannel[0], 3);
    EXPECT_EQ(w.state->CurrentSlot, 3);
    EXPECT_EQ(w.state->OverlayCount, 4);
    EXPECT_FALSE(w.MainCanvas().OpsOfKind(CanvasOp::Kind::Cls).empty());
    ASSERT_EQ(w.op.OpenRequests().size(), 2u);
    EXPECT_EQ(w.op.OpenRequests()[1].filter, "Quorveld Files (*.rdg)|*.rdg");
}

TEST(KeyCommands, SSavesTheCurrentSlotThroughTheSaveDialog) {
    MainWindowWorld w;
    w.PastWelcome();
    w.state->AutoScaleOn.fill(-1);
    charttest::FillScan256(*w.state, 2);
    w.state->CurrentSlot = 2;
    w.RunningSeries();
    w.op.AnswerSave(w.dir.File("DATA/mine.rdg"));
    w.Type('s');
    EXPECT_TRUE(w.dir.Exists("DATA/mine.rdg"));
    EXPECT_TRUE(w.Mdi().Timer1.Enabled());
}

}  // namespace
}  // namespace tav
