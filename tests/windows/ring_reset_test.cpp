// Every flow that starts the overlay ring again leaves nothing of the old ring behind: after
// three scans in the ring and the flow, "Ch1 / Ch2", "Scale a/m", "Print" and "Save File" all
// work on the flow's result, under the flow's own header. The whole program runs: the real scan flows
// against the simulated instrument, the real dialogs, the spectrum window with its chart.

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "MainWindowWorld.h"
#include "windows/EraseForm.h"
#include "windows/FileAverageForm.h"
#include "windows/GetFileName.h"
#include "windows/PrinterForm.h"
#include "windows/TransDlgForm.h"
#include "windows/two_file_fixtures.h"

namespace tav {
namespace {

using test::SpectrumFileText;

struct RingWorld {
    test::MainWindowWorld w{false};

    RingWorld() {
        w.dir.MakeDir("DATA");
        w.dir.Write("DATA/one.rdg", SpectrumFileText({{400, 8, 2}, {401, 6, 4}, {402, 5, 5}}));
        w.dir.Write("DATA/two.rdg", SpectrumFileText({{400, 2, 4}, {401, 3, 1}, {402, 9, 3}}));
        w.Start(true);
        w.state->DefaultPath = w.dir.File("DATA");
        w.state->AutoScaleOn.fill(-1);
        w.PastWelcome();
    }
    ProgramState& S() { return *w.state; }
    MDIForm1& Mdi() { return w.Mdi(); }
    std::string InData(const std::string& name) { return w.dir.File("DATA") + "/" + name; }

    void EnterName(GetFileName& d, const std::string& name) {
        d.FileNameBox.SetFocus();
        d.FileNameBox.UserEdit(name);
        d.UserKeyPress(&d.FileNameBox, 13);
    }
    // Texts printed on the spectrum window since the last look.
    std::vector<std::string> Shown() {
        std::vector<std::string> texts = w.MainCanvas().PrintedTexts();
        w.MainCanvas().ClearRecord();
        return texts;
    }
};

bool Has(const std::vector<std::string>& texts, const std::string& part) {
    for (const std::string& t : texts)
        if (t.find(part) != std::string::npos) return true;
    return false;
}

// Channel 1 of the rows of a saved spectrum file (after its ten header lines).
std::vector<float> SavedChannel1(const std::string& text) {
    std::istringstream in(text);
    std::string line;
    for (int i = 0; i < 10; ++i) std::getline(in, line);
    std::vector<float> values;
    while (std::getline(in, line) && line.size() > 1) {
        std::istringstream row(line);
        float x = 0, ch1 = 0;
        row >> x >> ch1;
        values.push_back(ch1);
    }
    return values;
}

struct RingFlow {
    const char* name;
    std::function<void(RingWorld&)> run;
    const char* header;  // the processing the header names; "" for a plain spectrum
};

const RingFlow Flows[] = {
    {"Read File",
     [](RingWorld& r) {
         r.w.op.AnswerOpen(r.InData("one.rdg"));
         r.Mdi().ReadFileMenu.UserClick();
     },
     ""},
    {"key F after a derivative",
     [](RingWorld& r) {
         r.Mdi().Derivative.UserClick();
         r.w.op.AnswerOpen(r.InData("one.rdg"));
         r.w.Type('F');
     },
     ""},
    {"Derivative", [](RingWorld& r) { r.Mdi().Derivative.UserClick(); }, "DERIVATIVE ( 1 )"},
    {"Add",
     [](RingWorld& r) {
         r.Mdi().Add.UserClick();
         GetFileName& d = r.w.app.forms.Get<GetFileName>();
         d.RawData.UserClick();
         r.EnterName(d, "one.rdg");
         r.EnterName(d, "two.rdg");
     },
     "ADD (Raw Data)"},
    {"Transform",
     [](RingWorld& r) {
         r.Mdi().Transform.UserClick();
         TransDlgForm& d = r.w.app.forms.Get<TransDlgForm>();
         d.ABox.UserEdit("0");
         d.BBox.UserEdit("0");
         d.CBox.UserEdit("5");
         d.Command1.UserClick();
     },
     "TRANSFORM"},
    {"File average",
     [](RingWorld& r) {
         r.Mdi().Average.UserClick();
         FileAverageForm& d = r.w.app.forms.Get<FileAverageForm>();
         d.FileNameBox.SetFocus();
         d.FileNameBox.UserEdit("one.rdg");
         d.UserKeyPress(&d.FileNameBox, 13);
         d.Command1.UserClick();
     },
     "AVERAGE ( 1 )"},
    {"NextScan", [](RingWorld& r) { r.w.Type('N'); }, ""},
};

// Three scans in the ring, the flow, then the buttons, a print and a save.
void CheckFlow(const RingFlow& flow) {
    {
        RingWorld r;
        ProgramState& s = r.S();
        r.w.Type('N');
        r.w.Type('O');
        r.w.Type('O');
        ASSERT_EQ(s.CurrentSlot, 2);
        ASSERT_EQ(s.SavedDisplaySlot, 2);
        ASSERT_EQ(s.DisplayChannel[0], 2);

        flow.run(r);
        ASSERT_TRUE(r.w.op.Messages().empty()) << r.w.op.Messages()[0].text;
        EXPECT_EQ(s.CurrentSlot, 0);
        EXPECT_EQ(s.FirstOverlaySlot, 0);
        EXPECT_EQ(s.OverlayCount, 1);
        EXPECT_EQ(s.SavedDisplaySlot, 0);
        EXPECT_EQ(s.DisplayChannel[0], 0);
        const std::vector<float> result(s.Ch1Data[0].begin(), s.Ch1Data[0].begin() + s.SlotInfo[0].NumPoints);
        const std::string label = flow.header;
        const auto expectShown = [&](const std::vector<std::string>& texts, const char* overlayText) {
            EXPECT_TRUE(Has(texts, overlayText));
            if (!label.empty()) {
                EXPECT_TRUE(Has(texts, label));
            } else {
                for (const char* processing : {"DERIVATIVE", "ADD", "TRANSFORM", "AVERAGE"})
                    EXPECT_FALSE(Has(texts, processing)) << processing;
            }
        };
        r.Shown();
        // The result as printed now, before the buttons.
        const auto print = [&] {
            r.w.printer.Page().ClearRecord();
            r.Mdi().PrintMenu.UserClick();
            r.w.app.forms.Get<PrinterForm>().Command1.UserClick();
            return r.w.printer.Page().PrintedTexts();
        };
        const std::vector<std::string> printed = print();

        // Each button twice, so that channel and scale are back as they were for the print.
        for (int press = 0; press < 2; ++press) {
            SCOPED_TRACE(press);
            {
                SCOPED_TRACE("Ch1 / Ch2");
                r.Mdi().Command3.UserClick();
                EXPECT_EQ(s.CurrentSlot, 0);
                expectShown(r.Shown(), "Overlay :   0 ");
            }
            {
                SCOPED_TRACE("Scale a/m");
                r.w.Main().Show();
                ASSERT_EQ(r.Mdi().ActiveForm(), &r.w.Main());
                r.Mdi().Command9.UserClick();
                EXPECT_EQ(s.CurrentSlot, 0);
                expectShown(r.Shown(), "Overlay :   0 ");
            }
        }
        {
            SCOPED_TRACE("Print");
            const std::vector<std::string> again = print();
            EXPECT_EQ(again, printed);
            if (!label.empty()) {
                EXPECT_TRUE(Has(again, label));
            }
            EXPECT_TRUE(r.w.op.Messages().empty());
        }
        {
            SCOPED_TRACE("Save File");
            r.w.op.AnswerSave(r.InData("saved.rdg"));
            r.Mdi().SaveFileMenu.UserClick();
            const auto saved = r.w.fs.ReadAll(r.InData("saved.rdg"));
            ASSERT_TRUE(saved.has_value());
            const std::vector<float> rows = SavedChannel1(*saved);
            ASSERT_EQ(rows.size(), result.size());
            for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_NEAR(rows[i], result[i], 0.051) << i;
        }
    }
}

TEST(RingReset, EveryFlowThatStartsTheRingAgainLeavesNoOldSlotForTheButtonsSaveAndPrint) {
    for (const RingFlow& flow : Flows) {
        SCOPED_TRACE(flow.name);
        CheckFlow(flow);
    }
}

// Clearing the slots forgets the ring too: the overlay scan after it is the only curve, and
// the buttons come back to it rather than to an emptied slot of the old ring.
TEST(RingReset, AfterClearingTheSlotsTheButtonsComeBackToTheNewCurve) {
    RingWorld r;
    ProgramState& s = r.S();
    r.w.Type('N');
    r.w.Type('O');
    r.w.Type('O');
    r.w.Type('E');
    r.w.app.forms.Get<ERASEFORM>().Command1.UserClick();
    EXPECT_EQ(s.CurrentSlot, 0);
    EXPECT_EQ(s.FirstOverlaySlot, 0);
    EXPECT_EQ(s.SavedDisplaySlot, 0);
    EXPECT_EQ(s.DisplayChannel[0], 0);

    r.w.Type('O');
    ASSERT_EQ(s.CurrentSlot, 0);
    r.Shown();
    r.Mdi().Command3.UserClick();
    EXPECT_EQ(s.CurrentSlot, 0);
    EXPECT_TRUE(Has(r.Shown(), "Overlay :   0 "));
}

// The cursor read-outs printed on the spectrum window since the last look.
std::vector<std::string> Readouts(RingWorld& r) {
    std::vector<std::string> found;
    for (const std::string& t : r.Shown())
        if (t.find(" nm, ") != std::string::npos) found.push_back(t);
    return found;
}

void AverageOneAndTwo(RingWorld& r, bool standardDeviation) {
    r.Mdi().Average.UserClick();
    FileAverageForm& d = r.w.app.forms.Get<FileAverageForm>();
    for (const char* name : {"one.rdg", "two.rdg"}) {
        d.FileNameBox.SetFocus();
        d.FileNameBox.UserEdit(name);
        d.UserKeyPress(&d.FileNameBox, 13);
    }
    d.CalcStdErrChk.SetValue(standardDeviation ? 1 : 0);
    d.Command1.UserClick();
}

TEST(RingReset, TheFileAverageIsTheSelectedTraceOfTheCursorKeysAndTab) {
    for (bool standardDeviation : {false, true}) {
        SCOPED_TRACE(standardDeviation);
        RingWorld r;
        ProgramState& s = r.S();
        r.w.Type('N');
        r.w.Type('O');
        r.w.Type('O');
        r.w.Type('O');  // the selected trace is slot 3, which no average uses
        r.w.Type('M');
        AverageOneAndTwo(r, standardDeviation);
        const int16_t mean = standardDeviation ? 2 : 0;
        EXPECT_EQ(s.CurrentSlot, mean);
        EXPECT_EQ(s.DisplayChannel[0], mean);
        EXPECT_EQ(s.SavedDisplaySlot, mean);
        // Reflectances 4 and 0.5 at 400 nm, 1.5 and 3 at 401 nm, 1 and 3 at 402 nm.
        EXPECT_EQ(Readouts(r), std::vector<std::string>{"400.0 nm,   2.25   , Pixel =1"});
        r.w.Main().UserKeyDown(nullptr, 39, 0);
        r.w.Main().UserKeyDown(nullptr, 39, 0);
        EXPECT_EQ(Readouts(r), (std::vector<std::string>{"401.0 nm,   2.25   , Pixel =2",
                                                         "402.0 nm,   2.   , Pixel =3"}));

        // The first Tab steps from the mean to the curve drawn before it.
        r.w.Main().UserKeyDown(nullptr, 9, 0);
        EXPECT_EQ(s.DisplayChannel[0], standardDeviation ? 1 : 0);
    }
}

}  // namespace
}  // namespace tav
