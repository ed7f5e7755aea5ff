// The main window: child windows and their tiling, the active child, and the end of the
// program when the main window is unloaded.

#include <gtest/gtest.h>

#include "forms_test_app.h"
#include "forms_test_windows.h"

namespace tav {
namespace {

using test::Log;

class FormsMdi : public ::testing::Test {
protected:
    test::FormsTestApp t;
    test::MainWindow& main = t.app.forms.Get<test::MainWindow>();
};

TEST_F(FormsMdi, ClientAreaLeavesOutTheToolStrip) {
    EXPECT_EQ(main.ClientWidth(), 12000 - HeadlessHost::FrameWidth);
    EXPECT_EQ(main.ClientHeight(), 9000 - HeadlessHost::FrameHeight - 615);
}

TEST_F(FormsMdi, ShowingAChildWindowBringsUpTheMainWindow) {
    EXPECT_FALSE(main.Visible());
    auto& a = t.app.forms.Get<test::ChildA>();
    a.Show();
    EXPECT_TRUE(main.Visible());
    EXPECT_EQ(main.ActiveForm(), &a);
    EXPECT_EQ(t.app.forms.ActiveForm(), &a);
}

TEST_F(FormsMdi, TileStacksFullWidthWindowsFromTheTopFrontFirst) {
    auto& a = t.app.forms.Get<test::ChildA>();
    auto& b = t.app.forms.Get<test::ChildB>();
    auto& k = t.app.forms.Get<test::KineticChild>();
    auto& hidden = t.app.forms.Get<test::Dialog>();  // not a child: never tiled
    a.Show();
    b.Show();
    k.Show();
    b.SetWindowState(winstate::Maximized);
    b.Show();  // front: b, then k, then a
    k.Move(3000, 3000, 2000, 1000);
    hidden.Move(1, 2, 3, 4);

    main.Arrange(arrange::TileHorizontal);
    const float w = main.ClientWidth();
    const float h = main.ClientHeight() / 3;
    struct Expect {
        Form* form;
        float top;
    };
    for (const Expect& e : {Expect{&b, 0}, Expect{&k, h}, Expect{&a, 2 * h}}) {
        EXPECT_EQ(e.form->Left(), 0) << e.form->Name();
        EXPECT_FLOAT_EQ(e.form->Top(), e.top) << e.form->Name();
        EXPECT_EQ(e.form->Width(), w) << e.form->Name();
        EXPECT_FLOAT_EQ(e.form->Height(), h) << e.form->Name();
    }
    EXPECT_EQ(b.WindowState(), winstate::Normal) << "a tiled window is restored";
    EXPECT_EQ(hidden.Width(), 3);

    a.Hide();
    k.SetWindowState(winstate::Minimized);
    main.Arrange(arrange::TileHorizontal);
    EXPECT_EQ(b.Height(), main.ClientHeight()) << "hidden and minimized windows take no tile";
}

TEST_F(FormsMdi, ActiveChildFollowsShowActivationHideAndUnload) {
    auto& a = t.app.forms.Get<test::ChildA>();
    auto& b = t.app.forms.Get<test::ChildB>();
    EXPECT_EQ(main.ActiveForm(), nullptr) << "loaded but hidden";
    a.Show();
    b.Show();
    EXPECT_EQ(main.ActiveForm(), &b);
    a.UserActivated();
    EXPECT_EQ(main.ActiveForm(), &a);
    EXPECT_EQ(t.app.forms.ActiveForm(), &a);

    a.log.clear();
    b.log.clear();
    a.Unload();
    EXPECT_EQ(main.ActiveForm(), &b);
    EXPECT_EQ(b.log, Log({"Activate"}));

    auto& dialog = t.app.forms.Get<test::Dialog>();
    dialog.Show();
    EXPECT_EQ(t.app.forms.ActiveForm(), &dialog);
    EXPECT_EQ(main.ActiveForm(), &b) << "the main window's active child stays";
    main.UserActivated();
    EXPECT_EQ(t.app.forms.ActiveForm(), &b) << "activating the main window activates its child";

    b.Hide();
    EXPECT_EQ(main.ActiveForm(), nullptr);
}

TEST_F(FormsMdi, UnloadingTheMainWindowUnloadsEveryWindowAndEndsTheProgram) {
    auto& a = t.app.forms.Get<test::ChildA>();
    auto& dialog = t.app.forms.Get<test::Dialog>();
    a.Show();
    dialog.Show();
    main.Unload();  // (the close box does the same, and frees the windows when it returns)
    EXPECT_EQ(a.log.back(), "Unload");
    EXPECT_EQ(dialog.log.back(), "Unload");
    EXPECT_EQ(main.log.back(), "MDIForm_Unload");
    EXPECT_TRUE(t.app.forms.Loaded().empty());
    EXPECT_EQ(t.host.Quits(), 1);
    t.app.forms.Collect();
}

TEST_F(FormsMdi, AMainWindowThatRefusesToUnloadKeepsTheProgramRunning) {
    main.refuse = true;
    main.UserClose();
    EXPECT_TRUE(main.Loaded());
    EXPECT_EQ(t.host.Quits(), 0);
}

}  // namespace
}  // namespace tav
