// Window life cycle: load on first reference, show, hide, unload, the freeing of an unloaded
// window after its own handler, and the Resize / Activate / Paint events.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms_test_app.h"
#include "platform/forms/Controls.h"

namespace tav {
namespace {

class LogForm : public Form {
public:
    explicit LogForm(App& app) : Form(app, "LogForm") {
        Text1.Change = [this] { log.push_back("Text1_Change"); };
        Command1.Click = [this] { Command1_Click(); };
        SetCaption("Design caption");
        Text1.SetText("design text");  // design time: the form is not loaded, no Change
    }
    ~LogForm() override {
        if (destroyed) *destroyed = true;
    }

    std::vector<std::string> log;
    bool* destroyed = nullptr;
    int16_t refuseUnload = 0;
    bool unloadOnClick = false;

    TextBox Text1{*this, "Text1"};
    Button Command1{*this, "Command1", "Close"};

protected:
    void Form_Load() override { log.push_back("Load"); }
    void Form_Unload(int16_t& Cancel) override {
        log.push_back("Unload");
        Cancel = refuseUnload;
    }
    void Form_Resize() override { log.push_back("Resize"); }
    void Form_Paint() override { log.push_back("Paint"); }
    void Form_Activate() override { log.push_back("Activate"); }
    void Form_Deactivate() override { log.push_back("Deactivate"); }

private:
    void Command1_Click() {
        log.push_back("Command1_Click");
        if (!unloadOnClick) return;
        Unload();
        // The toolkit lets a handler go on after unloading its own window.
        Text1.SetText("after unload");
        log.push_back(Text1.Text());
    }
};

class OtherForm : public LogForm {
public:
    using LogForm::LogForm;
};

using Log = std::vector<std::string>;

TEST(FormsLifecycle, FirstReferenceLoadsHiddenAndShowRunsResizeActivatePaint) {
    test::FormsTestApp t;
    EXPECT_EQ(t.app.forms.Find<LogForm>(), nullptr);

    LogForm& form = t.app.forms.Get<LogForm>();
    EXPECT_TRUE(form.Loaded());
    EXPECT_FALSE(form.Visible());
    EXPECT_EQ(form.log, Log({"Load"}));
    EXPECT_EQ(form.Text1.Text(), "design text");
    EXPECT_EQ(&t.app.forms.Get<LogForm>(), &form) << "a second reference finds the same window";

    form.Show();
    EXPECT_TRUE(form.Visible());
    EXPECT_EQ(form.log, Log({"Load", "Resize", "Activate", "Paint"}));
    EXPECT_EQ(t.app.forms.ActiveForm(), &form);

    form.Show();  // already shown: only brought to the front
    EXPECT_EQ(form.log.size(), 4u);

    form.Hide();
    form.Show();  // shown again: painted again, not resized
    EXPECT_EQ(form.log, Log({"Load", "Resize", "Activate", "Paint", "Deactivate", "Activate", "Paint"}));
}

TEST(FormsLifecycle, UnloadOfAWindowThatIsNotLoadedDoesNothing) {
    test::FormsTestApp t;
    t.app.forms.Unload<LogForm>();
    EXPECT_EQ(t.app.forms.Find<LogForm>(), nullptr);
    EXPECT_TRUE(t.app.forms.Loaded().empty());
}

TEST(FormsLifecycle, UnloadRunsTheHandlerAndTheNextReferenceMakesAFreshWindow) {
    test::FormsTestApp t;
    bool destroyed = false;
    LogForm& first = t.app.forms.Get<LogForm>();
    first.destroyed = &destroyed;
    first.Show();
    first.SetCaption("Changed");
    first.Text1.SetText("typed");

    first.Unload();
    EXPECT_FALSE(first.Loaded());
    EXPECT_FALSE(first.Visible());
    EXPECT_EQ(first.log.back(), "Unload");
    EXPECT_EQ(t.app.forms.Find<LogForm>(), nullptr);
    first.Unload();  // a second unload of the same window does nothing
    EXPECT_EQ(first.log.back(), "Unload");
    EXPECT_EQ(std::count(first.log.begin(), first.log.end(), "Unload"), 1);

    t.app.forms.Collect();
    EXPECT_TRUE(destroyed);

    LogForm& second = t.app.forms.Get<LogForm>();
    EXPECT_EQ(second.log, Log({"Load"}));
    EXPECT_EQ(second.Caption(), "Design caption");
    EXPECT_EQ(second.Text1.Text(), "design text");
}

TEST(FormsLifecycle, CancelledUnloadKeepsTheWindow) {
    test::FormsTestApp t;
    LogForm& form = t.app.forms.Get<LogForm>();
    form.Show();
    form.refuseUnload = -1;
    form.UserClose();
    EXPECT_TRUE(form.Loaded());
    EXPECT_TRUE(form.Visible());
    EXPECT_EQ(t.app.forms.Find<LogForm>(), &form);
}

TEST(FormsLifecycle, AHandlerMayUnloadItsOwnWindowAndGoOn) {
    test::FormsTestApp t;
    bool destroyed = false;
    {
        LogForm& form = t.app.forms.Get<LogForm>();
        form.destroyed = &destroyed;
        form.unloadOnClick = true;
        form.Show();
        form.Command1.UserClick();
        // The window is freed once the click is over; nothing of it may be used from here.
    }
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(t.app.forms.Find<LogForm>(), nullptr);
}

TEST(FormsLifecycle, WindowsAreNotFreedWhileAnOuterHandlerRuns) {
    test::FormsTestApp t;
    bool destroyed = false;
    LogForm& outer = t.app.forms.Get<OtherForm>();
    LogForm& inner = t.app.forms.Get<LogForm>();
    inner.destroyed = &destroyed;
    inner.unloadOnClick = true;
    bool innerFreedDuringOuter = true;
    outer.Command1.Click = [&] {
        inner.Command1.UserClick();  // a nested call, as from a message box's event loop
        innerFreedDuringOuter = destroyed;
    };
    outer.Command1.UserClick();
    EXPECT_FALSE(innerFreedDuringOuter);
    EXPECT_TRUE(destroyed);
}

TEST(FormsLifecycle, ResizeAndPaintFollowTheClientArea) {
    test::FormsTestApp t;
    LogForm& form = t.app.forms.Get<LogForm>();
    form.Show();
    form.log.clear();

    struct Step {
        const char* what;
        void (*act)(LogForm&);
        Log events;
    };
    const Step steps[] = {
        {"grow", [](LogForm& f) { f.SetWidth(f.Width() + 600); }, {"Resize", "Paint"}},
        {"shrink", [](LogForm& f) { f.SetHeight(f.Height() - 300); }, {"Resize"}},
        {"move only", [](LogForm& f) { f.Move(100, 200); }, {}},
        {"same size", [](LogForm& f) { f.SetWidth(f.Width()); }, {}},
        {"maximize", [](LogForm& f) { f.SetWindowState(winstate::Maximized); }, {"Resize"}},
        {"minimize", [](LogForm& f) { f.SetWindowState(winstate::Minimized); }, {"Resize"}},
        {"restore", [](LogForm& f) { f.SetWindowState(winstate::Normal); }, {"Resize", "Paint"}},
        {"bad state", [](LogForm& f) { f.SetWindowState(7); }, {}},
        {"hide", [](LogForm& f) { f.Hide(); }, {"Deactivate"}},
        {"grow hidden", [](LogForm& f) { f.SetWidth(f.Width() + 600); }, {"Resize"}},
    };
    for (const Step& step : steps) {
        form.log.clear();
        step.act(form);
        EXPECT_EQ(form.log, step.events) << step.what;
    }
    EXPECT_EQ(form.ScaleWidth(), form.Width() - HeadlessHost::FrameWidth);
    EXPECT_EQ(form.ScaleHeight(), form.Height() - HeadlessHost::FrameHeight);
}

class DesignForm : public Form {
public:
    explicit DesignForm(App& app) : Form(app, "DesignForm") {
        SetFont("MS Sans Serif", 8.25f, true);  // every control takes the window's font
        Box2.SetFontName("Arial");             // unless it has its own
        Box1.SetTabIndex(2);
        Box2.SetTabIndex(0);
        Box2.GotFocus = [this] { log.push_back("Box2_GotFocus"); };
        Box1.GotFocus = [this] { log.push_back("Box1_GotFocus"); };
    }
    std::vector<std::string> log;
    TextBox Box1{*this, "Box1"};
    TextBox Box2{*this, "Box2"};
};

TEST(FormsLifecycle, DesignTimeFontTabOrderAndClientSize) {
    test::FormsTestApp t;
    auto& form = t.app.forms.Get<DesignForm>();
    EXPECT_TRUE(form.Box1.FontBold());
    EXPECT_EQ(form.Box1.FontName(), "MS Sans Serif");
    EXPECT_EQ(form.Box2.FontName(), "Arial");
    EXPECT_TRUE(form.Surface().FontBold());

    form.Show();
    EXPECT_EQ(form.log, Log({"Box2_GotFocus"})) << "the lowest tab index first";

    form.SetClientSize(5535, 5610);
    EXPECT_EQ(form.ScaleWidth(), 5535);
    EXPECT_EQ(form.ScaleHeight(), 5610);
    EXPECT_EQ(form.Width(), 5535 + HeadlessHost::FrameWidth);
}

// A window sized in its constructor, as the dialogs are: the size waits for the load, and the
// load still comes only on first reference, after the constructor bound the handlers.
class SizedInConstructorForm : public Form {
public:
    explicit SizedInConstructorForm(App& app) : Form(app, "SizedInConstructorForm") {
        SetClientSize(3300, 3240);
        boundBeforeLoad = true;
    }
    bool boundBeforeLoad = false;
    bool sawBindingAtLoad = false;
    float widthAtLoad = 0;

protected:
    void Form_Load() override {
        sawBindingAtLoad = boundBeforeLoad;
        widthAtLoad = ScaleWidth();
    }
};

TEST(FormsLifecycle, AClientSizeSetInTheConstructorWaitsForTheLoad) {
    test::FormsTestApp t;
    auto& form = t.app.forms.Get<SizedInConstructorForm>();
    EXPECT_TRUE(form.sawBindingAtLoad);
    EXPECT_EQ(form.widthAtLoad, 3300);
    EXPECT_EQ(form.ScaleHeight(), 3240);
    EXPECT_EQ(form.Width(), 3300 + HeadlessHost::FrameWidth);
}

TEST(FormsLifecycle, ActivationMovesBetweenWindows) {
    test::FormsTestApp t;
    LogForm& a = t.app.forms.Get<LogForm>();
    LogForm& b = t.app.forms.Get<OtherForm>();
    a.Show();
    b.Show();
    EXPECT_EQ(t.app.forms.ActiveForm(), &b);
    EXPECT_EQ(a.log.back(), "Deactivate");

    a.UserActivated();
    EXPECT_EQ(t.app.forms.ActiveForm(), &a);
    EXPECT_EQ(a.log.back(), "Activate");
    EXPECT_EQ(b.log.back(), "Deactivate");

    a.Unload();
    EXPECT_EQ(t.app.forms.ActiveForm(), nullptr);
    EXPECT_EQ(std::count(a.log.begin(), a.log.end(), "Deactivate"), 1)
        << "an unloading window gets no Deactivate";
}

}  // namespace
}  // namespace tav
