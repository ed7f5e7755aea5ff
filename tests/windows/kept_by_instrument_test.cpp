// The instrument keeps the parameters it last received from one run of the program to the next,
// and a new run cannot know them: the first exchange of a run that sends a scan command (the scan
// that closing the welcome window takes) first sends the parameters on screen, those the settings
// file gave, with the scan number the screen shows.

#include <gtest/gtest.h>

#include "MainWindowWorld.h"

namespace tav {
namespace {

using test::MainWindowWorld;

std::string Byte(int b) { return std::string(1, static_cast<char>(b)); }
std::string Block(int integration, int average, int scanNumber, int interval, int readAddress) {
    std::string block = Byte(0x01);
    for (int word : {integration, average, 0, scanNumber, interval, readAddress}) block += Byte(word / 256) + Byte(word % 256);
    return block;
}

void EnterScanNumber(MainWindowWorld& w, const char* number) {
    w.Mdi().Text6.UserEdit(number);
    w.Mdi().UserKeyPress(&w.Mdi().Text6, 13);
}

TEST(KeptByInstrument, EachRunSendsTheParametersOnScreenBeforeItsFirstScan) {
    // A first run without a settings file, on an instrument fresh from the factory (10 ms).
    MainWindowWorld first(false);
    ASSERT_EQ(first.instrument.Parameters().IntegrationTime, 100);
    first.Start(true);
    first.instrument.ClearLogs();
    first.app.forms.Unload<WelcomeForm>();
    ASSERT_EQ(first.state->IntegrationTime, 300);
    EXPECT_EQ(first.instrument.Received().substr(0, 14), Block(300, 1, 0, 10, 1) + Byte(0x02));
    EXPECT_FLOAT_EQ(first.state->SlotInfo[0].IntegTime, 30.0f);
    EXPECT_EQ(first.instrument.Parameters().IntegrationTime, 300) << "measured as the screen says";

    // The operator writes a series of three into the memory, and ends the run.
    EnterScanNumber(first, "3");
    first.Mdi().Shutter.UserClick();
    ASSERT_EQ(first.Mdi().Text2.Text(), " WRITE");
    first.Type('n');
    ASSERT_EQ(first.instrument.WritePointer(), 4);
    ASSERT_EQ(first.instrument.Parameters().ScanNumber, 3);
    first.Mdi().UserClose();

    // The next run in the same folder, on the same instrument: Normal, Scan# 0 on screen.
    MainWindowWorld second(false);
    second.fs.SetCurrentDir(first.dir.Path());
    second.comm.ConnectInstrument(first.instrument);
    second.Start(true);
    ASSERT_EQ(second.Mdi().Text2.Text(), " Normal");
    ASSERT_EQ(second.state->ScanNumber, 0);
    const int measured = first.instrument.ScansMeasured();
    first.instrument.ClearLogs();
    second.app.forms.Unload<WelcomeForm>();
    EXPECT_EQ(first.instrument.Received().substr(0, 14), Block(300, 1, 0, 10, 1) + Byte(0x02));
    EXPECT_EQ(first.instrument.ScansMeasured(), measured + 1);
    EXPECT_EQ(first.instrument.WritePointer(), 4) << "nothing written to the memory";
    EXPECT_TRUE(second.op.MessageTexts().empty());

    // The parameters are known from then on: the next scan sends none first.
    first.instrument.ClearLogs();
    second.Type('n');
    EXPECT_EQ(first.instrument.Received().substr(0, 1), Byte(0x02));
    EXPECT_EQ(first.instrument.ScansMeasured(), measured + 2);
    EXPECT_EQ(first.instrument.WritePointer(), 4);
}

// A run that ends while the instrument still measures a scan given up with Escape leaves it in
// that pair, where it loses every byte but an acknowledgement. The next run cannot know: its
// parameter command goes unanswered, so it takes the rest of the pair and tells the instrument
// the parameters on screen before any scan command, and the instrument, which held Scan# 3 from
// the run before, writes nothing into its memory.
TEST(KeptByInstrument, ARunThatFindsTheInstrumentInAPairGivenUpBeforeWritesNothing) {
    MainWindowWorld first(false);
    first.Start(true);
    first.app.forms.Unload<WelcomeForm>();
    EnterScanNumber(first, "3");
    ASSERT_EQ(first.Mdi().Text2.Text(), "  Read");
    first.instrument.Options().faults.replyDelayMs = 4500;
    first.instrument.Options().faults.replyDelayPair = first.instrument.PairsStarted() + 1;
    first.host.EscapeAtKeepAlive(3);
    first.Type('n');
    ASSERT_EQ(first.op.Messages().size(), 1u);
    first.Mdi().UserClose();
    first.clock.Advance(1000);
    first.comm.CatchUp();
    ASSERT_TRUE(first.instrument.InPair());
    const int written = first.instrument.WritePointer();

    MainWindowWorld second(false);
    second.fs.SetCurrentDir(first.dir.Path());
    second.comm.ConnectInstrument(first.instrument);
    second.Start(true);
    second.app.forms.Unload<WelcomeForm>();
    second.Type('n');
    second.Type('n');
    second.clock.Advance(200);
    second.comm.CatchUp();
    EXPECT_EQ(first.instrument.WritePointer(), written) << "nothing written to the memory";
    for (const TakenCommand& c : first.instrument.Commands())
        if (c.mode == 2) EXPECT_EQ(c.parameters.ScanNumber, 0) << "pair " << c.pair;
    EXPECT_EQ(first.instrument.Parameters().ScanNumber, 0);
    EXPECT_FALSE(first.instrument.InPair());
}

}  // namespace
}  // namespace tav
