// The erase confirmation: Yes (button or letter) forgets every spectrum held in memory and
// restarts the elapsed-time clock, No (button, letter or Escape) only closes, and every other
// key leaves the question open; No has the first focus (Space on it, through the front end, is
// in tests/qt). Key E of the spectrum window brings it up.

#include <gtest/gtest.h>

#include "MainWindowWorld.h"
#include "windows/EraseForm.h"

namespace tav {
namespace {

using test::MainWindowWorld;

enum class Answer { YesButton, NoButton, Key };

struct EraseCase {
    Answer answer;
    int16_t key;
    bool erases, closes;
};

TEST(EraseForm, YesErasesNoClosesOtherKeysWait) {
    const EraseCase cases[] = {
        {Answer::YesButton, 0, true, true}, {Answer::Key, 'y', true, true},  {Answer::Key, 'Y', true, true},
        {Answer::NoButton, 0, false, true}, {Answer::Key, 'n', false, true}, {Answer::Key, 'N', false, true},
        {Answer::Key, 27, false, true},     {Answer::Key, 'E', false, false}, {Answer::Key, 'd', false, false},
        {Answer::Key, 'A', false, false},   {Answer::Key, 13, false, false},
    };
    for (const EraseCase& c : cases) {
        MainWindowWorld w;
        w.PastWelcome();
        ProgramState& s = *w.state;
        s.DataAvailable = true;
        s.CurrentSlot = 3;
        s.OverlayCount = 4;
        s.ResetTimer = false;
        for (int k = 0; k <= 17; ++k) s.SlotInfo[k].NumPoints = 10;
        s.Ch1Data[3][5] = 42;

        ShowEraseForm(w.app);
        ERASEFORM& erase = *w.app.forms.Find<ERASEFORM>();
        SCOPED_TRACE(c.key);
        ASSERT_EQ(erase.ActiveControl(), &erase.Command2) << "N(o) has the first focus";
        switch (c.answer) {
            case Answer::YesButton: erase.Command1.UserClick(); break;
            case Answer::NoButton: erase.Command2.UserClick(); break;
            case Answer::Key: erase.UserKeyPress(erase.ActiveControl(), c.key); break;
        }
        EXPECT_EQ(w.app.forms.Find<ERASEFORM>() == nullptr, c.closes);
        EXPECT_EQ(s.DataAvailable, !c.erases);
        EXPECT_EQ(s.ResetTimer, c.erases);
        EXPECT_EQ(s.CurrentSlot, c.erases ? 0 : 3);
        EXPECT_EQ(s.OverlayCount, c.erases ? 0 : 4);
        EXPECT_EQ(s.SlotInfo[17].NumPoints, c.erases ? 0 : 10);
        EXPECT_EQ(s.Ch1Data[3][5], c.erases ? 0.0f : 42.0f);
        EXPECT_TRUE(w.flows.calls.empty());
    }
}

TEST(EraseForm, KeyEOfTheSpectrumWindowAsksTheQuestion) {
    MainWindowWorld w(false);
    w.Start(true);
    w.PastWelcome();
    w.Type('e');
    EXPECT_EQ(w.flows.calls, std::vector<std::string>{"ShowEraseForm"});
    ERASEFORM* erase = w.app.forms.Find<ERASEFORM>();
    ASSERT_NE(erase, nullptr);
    EXPECT_TRUE(erase->Visible());
    EXPECT_EQ(erase->Caption(), "Erase");
    EXPECT_EQ(erase->Width(), 4500);
    EXPECT_EQ(erase->Height(), 2200);
    EXPECT_EQ(erase->Label2.Caption(), "Erase all unsaved spectra, and");
    EXPECT_EQ(erase->Command1.Caption(), "Y(es)");
    EXPECT_EQ(erase->Command2.Caption(), "N(o)");
}

}  // namespace
}  // namespace tav
