// The Qt front end renders form models as widgets: geometry in twips at the screen's DPI, the
// operator's clicks, keys, edits and scrolls reaching the handlers with the toolkit's codes, and
// the handlers' changes reaching the widgets.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include <string>
#include <vector>

#include "platform/forms/Controls.h"
#include "qt_test_app.h"

namespace tav {
namespace {

using Log = std::vector<std::string>;

class TestDialog : public Form {
public:
    explicit TestDialog(App& app) : Form(app, "TestDialog") {
        SetCaption("Test Dialog");
        Move(1440, 720, 7200, 5760);
        Label1.Move(120, 120, 2400, 255);
        Command1.Move(120, 480, 1215, 375);
        Text1.Move(1440, 480, 1440, 315);
        Check1.Move(120, 960, 1800, 255);
        Frame1.Move(2880, 960, 2400, 1200);
        Option1.SetContainer(Frame1);
        Option1.Move(120, 360, 1800, 255);  // below the frame's title
        Option2.SetContainer(Frame1);
        Option2.Move(120, 720, 1800, 255);
        Bar.Move(120, 1440, 2400, 255);
        Bar.SetMax(100);
        Bar.SetSmallChange(1);
        Bar.SetLargeChange(10);
        List1.Move(120, 2400, 2400, 1200);
        Combo1.Move(2880, 2400, 2400, 315);

        Command1.Click = [this] { Command1_Click(); };
        Text1.Change = [this] { log.push_back("Text1_Change:" + Text1.Text()); };
        Text1.KeyDown = [this](int16_t& KeyCode, int16_t Shift) {
            log.push_back("Text1_KeyDown:" + std::to_string(KeyCode) + "/" + std::to_string(Shift));
        };
        Text1.KeyPress = [this](int16_t& KeyAscii) { log.push_back("Text1_KeyPress:" + std::to_string(KeyAscii)); };
        Bar.Change = [this] { log.push_back("Bar_Change:" + std::to_string(Bar.Value())); };
        Check1.Click = [this] { log.push_back("Check1_Click:" + std::to_string(Check1.Value())); };
        Option2.Click = [this] { log.push_back("Option2_Click"); };
        List1.Click = [this] { log.push_back("List1_Click:" + List1.Text()); };
        Combo1.Click = [this] { log.push_back("Combo1_Click:" + Combo1.Text()); };
    }

    Log log;
    bool consumeX = false;

    Label Label1{*this, "Label1", "Ready"};
    Button Command1{*this, "Command1", "&Go"};
    TextBox Text1{*this, "Text1"};
    CheckBox Check1{*this, "Check1", "Tick"};
    Frame Frame1{*this, "Frame1", "Use:"};
    OptionButton Option1{*this, "Option1", "&Reflectance"};
    OptionButton Option2{*this, "Option2", "Ra&w Data"};
    HScrollBar Bar{*this, "Bar"};
    ListBox List1{*this, "List1"};
    ComboBox Combo1{*this, "Combo1", combo::DropDownList};

protected:
    void Form_Load() override {
        for (const char* entry : {"Main", "Ratio", "Norm. Diff."}) List1.AddItem(entry);
        Combo1.AddItem("Prismel Files (*.rdg)");
        Combo1.AddItem("All Files (*.*)");
    }
    void Form_KeyDown(int16_t& KeyCode, int16_t Shift) override {
        log.push_back("Form_KeyDown:" + std::to_string(KeyCode) + "/" + std::to_string(Shift));
    }
    void Form_KeyPress(int16_t& KeyAscii) override {
        log.push_back("Form_KeyPress:" + std::to_string(KeyAscii));
        if (consumeX && (KeyAscii == 'x' || KeyAscii == 'X')) KeyAscii = 0;
    }
    void Form_MouseDown(int16_t Button, int16_t Shift, float X, float Y) override {
        log.push_back("Form_MouseDown:" + std::to_string(Button) + "/" + std::to_string(Shift) + "/" +
                      std::to_string(static_cast<int>(X)) + "/" + std::to_string(static_cast<int>(Y)));
    }
    void Form_Click() override { log.push_back("Form_Click"); }

private:
    void Command1_Click() {
        log.push_back("Command1_Click");
        Label1.SetCaption("Clicked");
        Text1.SetText("4817");
        Bar.SetValue(42);
        Check1.SetValue(1);
        Option2.SetValue(true);
        List1.SetListIndex(2);
        Command1.SetEnabled(false);
    }
};

class QtFormsRender : public ::testing::Test {
protected:
    void SetUp() override {
        dialog = &t.app->forms.Get<TestDialog>();
        dialog->Show();
        test::ProcessEvents();
        window = QApplication::topLevelWidgets().isEmpty() ? nullptr : Find<QWidget>("TestDialog");
        ASSERT_NE(window, nullptr);
    }
    template <class W>
    W* Find(const char* name) {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->objectName() == name) return qobject_cast<W*>(top);
            if (auto* found = top->findChild<W*>(name)) return found;
        }
        return nullptr;
    }
    Log Take() {
        Log events = std::move(dialog->log);
        dialog->log.clear();
        return events;
    }

    test::QtTestApp t;
    TestDialog* dialog = nullptr;
    QWidget* window = nullptr;
};

TEST_F(QtFormsRender, ControlsAppearAtTheirGeometryConvertedWithTheScreensDpi) {
    const Twips& twips = t.host.Scale();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "Test Dialog");
    struct Expect {
        const char* name;
        QRect twipsRect;
    };
    const Expect expects[] = {
        {"Label1", {120, 120, 2400, 255}},   {"Command1", {120, 480, 1215, 375}},
        {"Text1", {1440, 480, 1440, 315}},   {"Check1", {120, 960, 1800, 255}},
        {"Frame1", {2880, 960, 2400, 1200}}, {"Option1", {120, 360, 1800, 255}},
        {"Bar", {120, 1440, 2400, 255}},     {"List1", {120, 2400, 2400, 1200}},
    };
    for (const Expect& e : expects) {
        QWidget* widget = Find<QWidget>(e.name);
        ASSERT_NE(widget, nullptr) << e.name;
        const QRect r = e.twipsRect;
        EXPECT_EQ(widget->geometry(), twips.ToPx(r.x(), r.y(), r.width(), r.height())) << e.name;
        EXPECT_TRUE(widget->isVisible()) << e.name;
    }
    EXPECT_EQ(Find<QWidget>("Option1")->parentWidget(), Find<QWidget>("Frame1")) << "inside its frame";
    EXPECT_EQ(twips.ToPx(1440), static_cast<int>(std::lround(QGuiApplication::primaryScreen()->logicalDotsPerInch())));

    EXPECT_EQ(Find<QPushButton>("Command1")->text(), "&Go");
    EXPECT_EQ(Find<QLabel>("Label1")->text(), "Ready");
    EXPECT_EQ(Find<QGroupBox>("Frame1")->title(), "Use:");
    EXPECT_EQ(Find<QListWidget>("List1")->count(), 3);
    EXPECT_EQ(Find<QComboBox>("Combo1")->count(), 2);
    // The client area is the form's surface.
    EXPECT_EQ(dialog->ScaleWidth(), twips.FromPx(window->width()));
}

TEST_F(QtFormsRender, AClickReachesTheHandlerAndItsChangesReachTheWidgets) {
    test::Click(Find<QPushButton>("Command1"));
    test::ProcessEvents();
    const Log events = Take();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front(), "Command1_Click");

    EXPECT_EQ(Find<QLabel>("Label1")->text(), "Clicked");
    EXPECT_EQ(Find<QLineEdit>("Text1")->text(), "4817");
    EXPECT_EQ(Find<QScrollBar>("Bar")->value(), 42);
    EXPECT_TRUE(Find<QCheckBox>("Check1")->isChecked());
    EXPECT_TRUE(Find<QRadioButton>("Option2")->isChecked());
    EXPECT_FALSE(Find<QRadioButton>("Option1")->isChecked());
    EXPECT_EQ(Find<QListWidget>("List1")->currentRow(), 2);
    EXPECT_FALSE(Find<QPushButton>("Command1")->isEnabled());
}

TEST_F(QtFormsRender, TypedKeysReachKeyDownAndKeyPressWithTheToolkitsCodes) {
    QLineEdit* edit = Find<QLineEdit>("Text1");
    test::Type(edit, "a1");
    EXPECT_EQ(Take(), Log({"Text1_KeyDown:65/0", "Text1_KeyPress:97", "Text1_Change:a",
                           "Text1_KeyDown:49/0", "Text1_KeyPress:49", "Text1_Change:a1"}));
    EXPECT_EQ(edit->text(), "a1");
    EXPECT_EQ(dialog->Text1.Text(), "a1");

    struct Case {
        int qtKey;
        QString text;
        Qt::KeyboardModifiers modifiers;
        Log events;
    };
    const Case cases[] = {
        {Qt::Key_Return, "\r", {}, {"Text1_KeyDown:13/0", "Text1_KeyPress:13"}},
        {Qt::Key_Escape, "\x1b", {}, {"Text1_KeyDown:27/0", "Text1_KeyPress:27"}},
        {Qt::Key_PageUp, "", {}, {"Text1_KeyDown:33/0"}},
        {Qt::Key_End, "", {}, {"Text1_KeyDown:35/0"}},
        {Qt::Key_Left, "", {}, {"Text1_KeyDown:37/0"}},
        {Qt::Key_Down, "", {}, {"Text1_KeyDown:40/0"}},
        {Qt::Key_F1, "", {}, {"Text1_KeyDown:112/0"}},
        {Qt::Key_F9, "", Qt::ShiftModifier, {"Text1_KeyDown:120/1"}},
        {Qt::Key_N, "N", Qt::ShiftModifier, {"Text1_KeyDown:78/1", "Text1_KeyPress:78"}},
    };
    for (const Case& c : cases) {
        Take();
        test::SendKey(edit, c.qtKey, c.text, c.modifiers);
        const Log events = Take();
        EXPECT_EQ(Log(events.begin(), events.begin() + std::min(events.size(), c.events.size())), c.events)
            << "Qt key " << c.qtKey;
    }
}

TEST_F(QtFormsRender, KeyPreviewSeesKeysFirstAndAConsumedKeyNeverReachesTheBox) {
    dialog->SetKeyPreview(true);
    dialog->consumeX = true;
    QLineEdit* edit = Find<QLineEdit>("Text1");
    test::Type(edit, "xy");
    EXPECT_EQ(Take(), Log({"Form_KeyDown:88/0", "Text1_KeyDown:88/0", "Form_KeyPress:120",
                           "Form_KeyDown:89/0", "Text1_KeyDown:89/0", "Form_KeyPress:121",
                           "Text1_KeyPress:121", "Text1_Change:y"}));
    EXPECT_EQ(edit->text(), "y");
}

TEST_F(QtFormsRender, ScrollingAndSelectingReachTheHandlers) {
    QScrollBar* bar = Find<QScrollBar>("Bar");
    test::SendKey(bar, Qt::Key_Right);
    test::SendKey(bar, Qt::Key_PageDown);
    EXPECT_EQ(dialog->Bar.Value(), 11);
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);  // the arrow, by mouse
    EXPECT_EQ(dialog->Bar.Value(), 10);
    test::SendKey(bar, Qt::Key_End);
    EXPECT_EQ(dialog->Bar.Value(), 100);
    dialog->Bar.SetValue(11);

    test::Click(Find<QCheckBox>("Check1"));
    QListWidget* list = Find<QListWidget>("List1");
    list->setCurrentRow(1);  // as the operator's selection
    EXPECT_EQ(Take(), Log({"Bar_Change:1", "Bar_Change:11", "Bar_Change:10", "Bar_Change:100", "Bar_Change:11",
                           "Check1_Click:1", "List1_Click:Ratio"}));

    QComboBox* combo = Find<QComboBox>("Combo1");
    emit combo->activated(1);
    EXPECT_EQ(Take(), Log({"Combo1_Click:All Files (*.*)"}));
}

TEST_F(QtFormsRender, InputIsDroppedWhileAFlowRunsAndTheWidgetsKeepShowingTheModel) {
    QLineEdit* edit = Find<QLineEdit>("Text1");
    {
        FlowScope flow(t.app->flow);
        test::Type(edit, "n");
        test::Click(Find<QPushButton>("Command1"));
        test::Click(Find<QCheckBox>("Check1"));
    }
    EXPECT_TRUE(Take().empty());
    EXPECT_EQ(edit->text(), "");
    EXPECT_FALSE(Find<QCheckBox>("Check1")->isChecked());
}

TEST_F(QtFormsRender, MouseOnTheWindowArrivesInTwips) {
    const Twips& twips = t.host.Scale();
    test::ClickAt(window, QPoint(twips.ToPx(4320), twips.ToPx(4800)));
    const Log events = Take();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0], "Form_MouseDown:1/0/4320/4800");
    EXPECT_EQ(events[1], "Form_Click");
}

class MainTestWindow : public MdiForm {
public:
    explicit MainTestWindow(App& app) : MdiForm(app, "MainTestWindow") {
        SetCaption("Test Main");
        Strip.SetAlign(align::Top);
        Strip.SetHeight(615);
        Box.SetContainer(Strip);
        Box.Move(4000, 300, 600, 300);
        ViewRatioForm.BindChecked(app.state.Menu.ViewRatioForm);
        ViewRatioForm.Click = [this] { log.push_back("ViewRatioForm_Click"); };
        PrintMenu.Click = [this] { log.push_back("PrintMenu_Click"); };
        Timer1.Tick = [this] { ++ticks; };
    }
    Log log;
    int ticks = 0;
    PictureBox Strip{*this, "Strip"};
    TextBox Box{*this, "Box"};
    Timer Timer1{*this, "Timer1"};
    MenuItem ViewMenu{*this, "ViewMenu", "&View"};
    MenuItem ViewRatioForm{ViewMenu, "ViewRatioForm", "&Ratio Window", {key::Fn(3)}};
    MenuItem PrintMenu{*this, "PrintMenu", "P&rint"};
};

class ChildWindow : public Form {
public:
    explicit ChildWindow(App& app) : Form(app, "ChildWindow") {
        SetMDIChild(true);
        SetCaption("Main");
    }
};

// A window whose timer runs from design time on, as the welcome window's animation does.
class TickingWindow : public Form {
public:
    explicit TickingWindow(App& app) : Form(app, "TickingWindow") {
        Timer1.SetInterval(5);
        Timer1.SetEnabled(true);
        Timer1.Tick = [this] { ++ticks; };
    }
    int ticks = 0;
    Timer Timer1{*this, "Timer1"};
};

TEST(QtTimers, ATimerEnabledAtDesignTimeRunsOnceItsWindowHasLoaded) {
    test::QtTestApp t;
    auto& window = t.app->forms.Get<TickingWindow>();  // loaded, not shown
    EXPECT_TRUE(test::WaitFor([&] { return window.ticks >= 2; }, 2000));
}

TEST(QtMainWindow, ChildWindowsMenusTimersAndTheCloseBox) {
    test::QtTestApp t;
    auto& main = t.app->forms.Get<MainTestWindow>();
    const float hiddenClientHeight = main.ClientHeight();  // known before the window is shown
    EXPECT_GT(hiddenClientHeight, 0);
    main.Show();
    auto& child = t.app->forms.Get<ChildWindow>();
    child.Show();
    test::ProcessEvents();

    QMainWindow* window = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() == "MainTestWindow") window = qobject_cast<QMainWindow*>(top);
    }
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "Test Main");
    auto* area = window->findChild<QMdiArea*>();
    ASSERT_NE(area, nullptr);
    ASSERT_EQ(area->subWindowList().size(), 1);
    EXPECT_EQ(area->subWindowList().first()->windowTitle(), "Main");
    EXPECT_TRUE(area->subWindowList().first()->isVisible());
    EXPECT_EQ(main.ActiveForm(), &child);
    EXPECT_EQ(main.ClientHeight(), t.host.Scale().FromPx(area->viewport()->height()));
    EXPECT_NEAR(hiddenClientHeight, main.ClientHeight(), t.host.Scale().FromPx(4));
    ASSERT_NE(window->findChild<QLineEdit*>("Box"), nullptr);
    EXPECT_LT(window->findChild<QLineEdit*>("Box")->mapTo(window, QPoint(0, 0)).y(), area->mapTo(window, QPoint(0, 0)).y())
        << "the tool strip sits above the child windows";

    // Menus: the bound check mark shows when the menu opens; choosing an item reaches the model.
    auto* view = window->menuBar()->findChild<QMenu*>("ViewMenu");
    ASSERT_NE(view, nullptr);
    auto* ratio = view->findChild<QAction*>("ViewRatioForm");
    ASSERT_NE(ratio, nullptr);
    EXPECT_EQ(ratio->text(), "&Ratio Window\tF3");
    t.state->Menu.ViewRatioForm = true;
    emit view->aboutToShow();
    EXPECT_TRUE(ratio->isChecked());
    ratio->trigger();
    auto* print = window->menuBar()->findChild<QAction*>("PrintMenu");
    ASSERT_NE(print, nullptr);
    print->trigger();
    EXPECT_EQ(main.log, Log({"ViewRatioForm_Click", "PrintMenu_Click"}));

    // The timer ticks through the event loop, and stops when disabled.
    main.Timer1.SetInterval(5);
    EXPECT_TRUE(test::WaitFor([&] { return main.ticks >= 2; }));
    main.Timer1.SetEnabled(false);
    const int ticks = main.ticks;
    test::WaitFor([] { return false; }, 60);
    EXPECT_EQ(main.ticks, ticks);

    window->close();
    EXPECT_TRUE(t.app->forms.Loaded().empty());
    EXPECT_EQ(t.host.Quits(), 1);
}

}  // namespace
}  // namespace tav
