// Control semantics: Change on programmatic and typed text, scroll bar clamping, exclusive option
// buttons, check box values, list selection, drop-down lists, bound menu check marks, timers, and
// input dropped while a flow runs.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms_test_app.h"
#include "platform/forms/Controls.h"

namespace tav {
namespace {

class ControlsForm : public Form {
public:
    explicit ControlsForm(App& app) : Form(app, "ControlsForm") {
        Text1.Change = [this] { Note("Text1_Change:" + Text1.Text()); };
        Bar.Change = [this] { Note("Bar_Change:" + std::to_string(Bar.Value())); };
        Check1.Click = [this] { Note("Check1_Click:" + std::to_string(Check1.Value())); };
        for (OptionButton* o : {&OptA1, &OptA2, &OptB1, &OptB2, &OptForm}) {
            o->Click = [this, o] { Note(o->Name() + "_Click"); };
        }
        OptA1.SetContainer(FrameA);
        OptA2.SetContainer(FrameA);
        OptB1.SetContainer(FrameB);
        OptB2.SetContainer(FrameB);
        List1.Click = [this] { Note("List1_Click:" + std::to_string(List1.ListIndex())); };
        Combo1.Click = [this] { Note("Combo1_Click:" + Combo1.Text()); };
        Combo1.Change = [this] { Note("Combo1_Change:" + Combo1.Text()); };
        Timer1.Tick = [this] { Timer1_Timer(); };
        Command1.Click = [this] { Note("Command1_Click"); };
        Bar.SetMin(10);
        Bar.SetMax(100);
        Bar.SetValue(10);
    }

    std::vector<std::string> log;
    std::function<void()> onTick;

    TextBox Text1{*this, "Text1"};
    HScrollBar Bar{*this, "Bar"};
    CheckBox Check1{*this, "Check1", "Tick"};
    Frame FrameA{*this, "FrameA", "A"};
    Frame FrameB{*this, "FrameB", "B"};
    OptionButton OptA1{*this, "OptA1"}, OptA2{*this, "OptA2"};
    OptionButton OptB1{*this, "OptB1"}, OptB2{*this, "OptB2"};
    OptionButton OptForm{*this, "OptForm"};
    ListBox List1{*this, "List1"};
    ComboBox Combo1{*this, "Combo1"};
    Timer Timer1{*this, "Timer1"};
    Button Command1{*this, "Command1"};
    MenuItem ViewMenu{*this, "ViewMenu", "&View"};
    MenuItem ViewRatioForm{ViewMenu, "ViewRatioForm", "&Ratio Window", {key::Fn(3)}};

private:
    void Note(std::string event) { log.push_back(std::move(event)); }
    void Timer1_Timer() {
        Note("Timer1_Timer");
        if (onTick) onTick();
    }
};

using Log = std::vector<std::string>;

class FormsControls : public ::testing::Test {
protected:
    test::FormsTestApp t;
    ControlsForm& form = t.app.forms.Get<ControlsForm>();
    Log Take() {
        Log events = std::move(form.log);
        form.log.clear();
        return events;
    }
};

TEST_F(FormsControls, TextBoxChangeFiresWhenTheTextChangesWhoeverChangesIt) {
    form.Text1.SetText("12");
    form.Text1.SetText("12");
    form.Text1.UserEdit("123");
    form.Text1.UserEdit("123");
    form.Text1.SetText("");
    EXPECT_EQ(Take(), Log({"Text1_Change:12", "Text1_Change:123", "Text1_Change:"}));
}

TEST_F(FormsControls, TextBoxSelectionStaysWithinTheText) {
    form.Text1.SetText("4817.5");
    form.Text1.SetSelStart(0);
    form.Text1.SetSelLength(20);  // "the first 20 characters": the whole of a shorter text
    EXPECT_EQ(form.Text1.SelLength(), 6);
    EXPECT_EQ(form.Text1.SelText(), "4817.5");

    form.Text1.SetSelStart(99);
    EXPECT_EQ(form.Text1.SelStart(), 6);
    EXPECT_EQ(form.Text1.SelLength(), 0);

    form.Text1.SetSelStart(1);
    form.Text1.SetSelLength(3);
    Take();
    form.Text1.SetSelText("9");
    EXPECT_EQ(form.Text1.Text(), "49.5");
    EXPECT_EQ(form.Text1.SelStart(), 2);
    EXPECT_EQ(Take(), Log({"Text1_Change:49.5"}));
}

TEST_F(FormsControls, ScrollBarValueIsClampedAndChangeComesOnlyWithANewValue) {
    struct Case {
        int set;
        int16_t value;
        bool change;
    };
    const Case cases[] = {
        {50, 50, true}, {50, 50, false}, {1000, 100, true}, {40000, 100, false},
        {-5, 10, true}, {9, 10, false}, {11, 11, true},
    };
    for (const Case& c : cases) {
        Take();
        form.Bar.SetValue(c.set);
        EXPECT_EQ(form.Bar.Value(), c.value) << "set " << c.set;
        EXPECT_EQ(form.log.size(), c.change ? 1u : 0u) << "set " << c.set;
    }

    form.Bar.UserScroll(70);
    Take();
    form.Bar.SetMax(60);  // a smaller range pulls the value in, with its Change
    EXPECT_EQ(form.Bar.Value(), 60);
    EXPECT_EQ(Take(), Log({"Bar_Change:60"}));
}

TEST_F(FormsControls, OptionButtonsExcludeEachOtherWithinTheirContainer) {
    form.OptA1.SetValue(true);
    form.OptB1.SetValue(true);
    form.OptForm.SetValue(true);
    EXPECT_EQ(Take(), Log({"OptA1_Click", "OptB1_Click", "OptForm_Click"}));

    form.OptA2.UserClick();
    EXPECT_FALSE(form.OptA1.Value());
    EXPECT_TRUE(form.OptA2.Value());
    EXPECT_TRUE(form.OptB1.Value()) << "another frame keeps its choice";
    EXPECT_TRUE(form.OptForm.Value()) << "the form's own options keep theirs";
    EXPECT_EQ(Take(), Log({"OptA2_Click"})) << "the button turned off fires nothing";

    form.OptA2.SetValue(true);
    EXPECT_TRUE(Take().empty()) << "selecting the selected one in code fires nothing";
    form.OptA2.UserClick();
    EXPECT_EQ(Take(), Log({"OptA2_Click"})) << "the operator's click on it does";
}

TEST_F(FormsControls, CheckBoxValueIsZeroOrOneAndClickFollowsAChange) {
    form.Check1.SetValue(5);
    EXPECT_EQ(form.Check1.Value(), 1);
    form.Check1.SetValue(1);
    form.Check1.UserClick();
    EXPECT_EQ(form.Check1.Value(), 0);
    EXPECT_EQ(Take(), Log({"Check1_Click:1", "Check1_Click:0"}));
}

TEST_F(FormsControls, ListBoxSelectionAndEntries) {
    for (const char* text : {"Main", "Ratio", "Norm. Diff."}) form.List1.AddItem(text);
    EXPECT_EQ(form.List1.ListIndex(), -1);
    EXPECT_EQ(form.List1.Text(), "");

    form.List1.SetListIndex(1);
    form.List1.SetListIndex(1);
    form.List1.SetListIndex(3);   // no such entry: ignored
    form.List1.SetListIndex(-2);  // likewise
    EXPECT_EQ(Take(), Log({"List1_Click:1"}));
    EXPECT_EQ(form.List1.Text(), "Ratio");

    form.List1.AddItem("First", 0);  // before the selection: it moves with its entry
    EXPECT_EQ(form.List1.ListIndex(), 2);
    EXPECT_EQ(form.List1.Text(), "Ratio");
    form.List1.RemoveItem(0);
    EXPECT_EQ(form.List1.ListIndex(), 1);
    form.List1.RemoveItem(1);  // the selected entry: nothing is selected then
    EXPECT_EQ(form.List1.ListIndex(), -1);
    EXPECT_EQ(form.List1.ListCount(), 2);
    EXPECT_EQ(form.List1.List(1), "Norm. Diff.");
    form.List1.RemoveItem(7);
    EXPECT_EQ(form.List1.ListCount(), 2);
    EXPECT_TRUE(Take().empty());
}

TEST_F(FormsControls, DropDownListSelectionSetsTheTextWithClick) {
    form.Combo1.SetText("Quorveld Files (*.rdg)");
    form.Combo1.AddItem("Prismel Files (*.rdg)");
    form.Combo1.AddItem("All Files (*.*)");
    form.Combo1.UserSelect(1);
    EXPECT_EQ(form.Combo1.Text(), "All Files (*.*)");
    EXPECT_EQ(Take(), Log({"Combo1_Change:Quorveld Files (*.rdg)", "Combo1_Click:All Files (*.*)"}));
}

TEST_F(FormsControls, MenuCheckMarkShowsTheBoundFlag) {
    bool& flag = t.state->Menu.ViewRatioForm;
    form.ViewRatioForm.SetChecked(true);  // not bound yet: its own mark
    form.ViewRatioForm.BindChecked(flag);
    EXPECT_FALSE(form.ViewRatioForm.Checked()) << "bound: the state's flag counts";
    flag = true;
    EXPECT_TRUE(form.ViewRatioForm.Checked());
    form.ViewRatioForm.SetChecked(false);
    EXPECT_FALSE(flag);
}

TEST_F(FormsControls, TimerTicksOnlyWhileEnabledWithAnInterval) {
    form.Timer1.SetEnabled(false);
    form.Timer1.SetInterval(70000);
    EXPECT_EQ(form.Timer1.Interval(), 65535);
    form.Timer1.SetInterval(-3);
    EXPECT_EQ(form.Timer1.Interval(), 0);

    form.Timer1.SetEnabled(true);
    EXPECT_FALSE(form.Timer1.Running()) << "interval 0: no ticks";
    form.Timer1.UserTick();
    form.Timer1.SetInterval(10);
    form.Timer1.UserTick();
    form.Timer1.SetEnabled(false);
    form.Timer1.UserTick();
    EXPECT_EQ(Take(), Log({"Timer1_Timer"}));
}

TEST_F(FormsControls, TicksNeverReEnterAndAreDroppedWhileAFlowRuns) {
    form.Timer1.SetInterval(10);
    int nested = 0;
    form.onTick = [&] {
        // A tick that falls due inside the handler (a nested event loop) is dropped.
        ++nested;
        if (nested == 1) form.Timer1.UserTick();
    };
    form.Timer1.UserTick();
    EXPECT_EQ(nested, 1);
    EXPECT_EQ(Take(), Log({"Timer1_Timer"}));

    form.onTick = nullptr;
    {
        FlowScope flow(t.app.flow);
        form.Timer1.UserTick();
    }
    EXPECT_TRUE(Take().empty());
    form.Timer1.UserTick();
    EXPECT_EQ(Take(), Log({"Timer1_Timer"})) << "ticks come again after the flow";
}

TEST_F(FormsControls, OperatorInputIsDroppedWhileAFlowRuns) {
    form.Show();
    form.Text1.SetText("old");
    Take();
    bool menuChosen = false;
    form.ViewRatioForm.Click = [&] { menuChosen = true; };
    {
        FlowScope flow(t.app.flow);
        form.Command1.UserClick();
        form.Text1.UserEdit("typed");
        form.Bar.UserScroll(99);
        form.Check1.UserClick();
        form.OptA1.UserClick();
        form.List1.AddItem("x");
        form.List1.UserSelect(0);
        form.ViewRatioForm.UserClick();
        EXPECT_FALSE(form.UserKeyDown(&form.Text1, key::Letter('N'), shift::None));
        EXPECT_EQ(form.UserKeyPress(&form.Text1, 'N'), 0);
        // The program itself still works inside the flow.
        form.Text1.SetText("by the flow");
    }
    EXPECT_EQ(Take(), Log({"Text1_Change:by the flow"}));
    EXPECT_FALSE(menuChosen);
    EXPECT_EQ(form.Bar.Value(), 10);
    EXPECT_EQ(form.Check1.Value(), 0);
    EXPECT_EQ(form.List1.ListIndex(), -1);
}

TEST_F(FormsControls, DisabledControlsIgnoreTheOperator) {
    form.Command1.SetEnabled(false);
    form.Command1.UserClick();
    form.Check1.SetEnabled(false);
    form.Check1.UserClick();
    EXPECT_TRUE(Take().empty());
}

}  // namespace
}  // namespace tav
