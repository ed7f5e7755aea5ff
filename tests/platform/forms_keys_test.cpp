// Key routing: menu shortcuts first, then KeyPreview, then the focused control (or the window
// itself), with consumption; the function keys of a kinetic window; keyboard focus events.

#include <gtest/gtest.h>

#include "forms_test_app.h"
#include "forms_test_windows.h"

namespace tav {
namespace {

using test::Log;

class FormsKeys : public ::testing::Test {
protected:
    test::FormsTestApp t;
    test::MainWindow& main = t.app.forms.Get<test::MainWindow>();
};

TEST_F(FormsKeys, KeysReachTheFormAndTheControlInTheToolkitsOrder) {
    struct Case {
        const char* what;
        bool preview;
        bool toControl;
        test::KeyRules rules;
        bool downGoesOn;
        int16_t delivered;
        Log events;
    };
    const Case cases[] = {
        {"control, no preview", false, true, {}, true, 'n',
         {"Text1_KeyDown 78", "Text1_KeyPress 110"}},
        {"window itself", false, false, {}, true, 'n', {"Form_KeyDown 78", "Form_KeyPress 110"}},
        {"preview", true, true, {}, true, 'n',
         {"Form_KeyDown 78", "Text1_KeyDown 78", "Form_KeyPress 110", "Text1_KeyPress 110"}},
        {"preview consumes the character", true, true, {.formConsumesPress = true}, true, 0,
         {"Form_KeyDown 78", "Text1_KeyDown 78", "Form_KeyPress 110"}},
        {"preview stops the key", true, true, {.formZeroesCode = true}, false, 0, {"Form_KeyDown 78"}},
        {"control replaces the character", false, true, {.controlReplacesWith = 'N'}, true, 'N',
         {"Text1_KeyDown 78", "Text1_KeyPress 110"}},
    };
    for (const Case& c : cases) {
        auto& dialog = t.app.forms.Get<test::Dialog>();
        dialog.SetKeyPreview(c.preview);
        dialog.rules = c.rules;
        dialog.log.clear();
        Control* target = c.toControl ? &dialog.Text1 : nullptr;
        const bool goesOn = dialog.UserKeyDown(target, key::Letter('N'), shift::None);
        // The front end sends the character only when the key went on.
        const int16_t delivered = goesOn ? dialog.UserKeyPress(target, 'n') : 0;
        EXPECT_EQ(goesOn, c.downGoesOn) << c.what;
        EXPECT_EQ(delivered, c.delivered) << c.what;
        EXPECT_EQ(dialog.log, c.events) << c.what;
    }
}

TEST_F(FormsKeys, MainWindowShortcutsComeFirstInItsChildWindows) {
    auto& child = t.app.forms.Get<test::ChildA>();
    child.SetKeyPreview(true);
    child.Show();
    struct Case {
        int16_t code, shiftState;
        bool shortcut;
        const char* item;
    };
    const Case cases[] = {
        {key::Fn(3), shift::None, true, "ViewRatioForm_Click"},
        {key::Fn(3), shift::Shift, true, "ActivateRatio_Click"},
        {key::Letter('X'), shift::Ctrl | shift::Shift, false, ""},
        {key::Letter('X'), shift::None, false, ""},
        {key::Letter('H'), shift::Ctrl, false, ""},  // the item is not visible
        {key::Letter('D'), shift::Ctrl, false, ""},  // the item is disabled
    };
    for (const Case& c : cases) {
        main.log.clear();
        child.log.clear();
        const bool goesOn = child.UserKeyDown(&child.Text1, c.code, c.shiftState);
        EXPECT_EQ(goesOn, !c.shortcut) << c.code << "/" << c.shiftState;
        if (c.shortcut) {
            EXPECT_EQ(main.log, Log({c.item}));
            EXPECT_TRUE(child.log.empty()) << "the window never sees a shortcut";
        } else {
            EXPECT_TRUE(main.log.empty());
            EXPECT_EQ(child.log.size(), 2u) << "Form_KeyDown and Text1_KeyDown";
        }
    }

    main.log.clear();
    EXPECT_FALSE(main.UserKeyDown(nullptr, key::Fn(3), shift::None)) << "the main window's own keys";
    EXPECT_EQ(main.log, Log({"ViewRatioForm_Click"}));
}

// Ctrl+X is "E&xit" in the window and cuts in its text box: a text box with the focus keeps the
// desktop's editing keys, which no menu shortcut takes from it.
TEST_F(FormsKeys, ATextBoxKeepsItsEditingKeys) {
    auto& child = t.app.forms.Get<test::ChildA>();
    child.Show();
    main.log.clear();
    EXPECT_FALSE(child.UserKeyDown(nullptr, key::Letter('X'), shift::Ctrl));
    EXPECT_EQ(main.log, Log({"Exit_Click"})) << "outside the text box";

    const struct {
        int16_t code, shiftState;
    } editing[] = {
        {key::Letter('A'), shift::Ctrl}, {key::Letter('C'), shift::Ctrl},  {key::Letter('V'), shift::Ctrl},
        {key::Letter('X'), shift::Ctrl}, {key::Letter('Z'), shift::Ctrl},  {key::Letter('Y'), shift::Ctrl},
        {key::Letter('Z'), shift::Ctrl | shift::Shift}, {key::Insert, shift::Ctrl}, {key::Insert, shift::Shift},
        {key::Delete, shift::Shift},
    };
    for (const auto& k : editing) {
        EXPECT_TRUE(IsTextEditingKey(k.code, k.shiftState)) << k.code << "/" << k.shiftState;
        main.log.clear();
        child.log.clear();
        EXPECT_TRUE(child.UserKeyDown(&child.Text1, k.code, k.shiftState)) << k.code << "/" << k.shiftState;
        EXPECT_TRUE(main.log.empty()) << "no menu item ran";
        EXPECT_EQ(child.log, Log({"Text1_KeyDown " + std::to_string(k.code) + " shift " + std::to_string(k.shiftState)}));
    }
    for (const auto& [code, shiftState] : {std::pair{key::Letter('A'), shift::None}, {key::Letter('B'), shift::Ctrl},
                                           {key::Letter('X'), shift::Ctrl | shift::Alt}, {key::Delete, shift::None}}) {
        EXPECT_FALSE(IsTextEditingKey(code, shiftState)) << code << "/" << shiftState;
    }
}

TEST_F(FormsKeys, AKineticWindowGetsF1ToF9Itself) {
    auto& kinetic = t.app.forms.Get<test::KineticChild>();
    kinetic.Show();
    for (int n = 1; n <= 9; ++n) {
        main.log.clear();
        kinetic.log.clear();
        EXPECT_TRUE(kinetic.UserKeyDown(nullptr, key::Fn(n), shift::None));
        EXPECT_TRUE(main.log.empty()) << "F" << n;
        EXPECT_EQ(kinetic.log, Log({"Form_KeyDown " + std::to_string(key::Fn(n))}));
    }
    main.log.clear();
    EXPECT_FALSE(kinetic.UserKeyDown(nullptr, key::Fn(3), shift::Shift));
    EXPECT_EQ(main.log, Log({"ActivateRatio_Click"})) << "with Shift it is the menu's again";
}

TEST_F(FormsKeys, ADialogOutsideTheMainWindowHasNoMenuShortcuts) {
    auto& dialog = t.app.forms.Get<test::Dialog>();
    dialog.Show();
    EXPECT_TRUE(dialog.UserKeyDown(nullptr, key::Letter('X'), shift::Ctrl));
    EXPECT_EQ(main.log, Log({"MDIForm_Load"})) << "no menu item ran";
    EXPECT_EQ(dialog.log.back(), "Form_KeyDown 88 shift 2");
}

TEST_F(FormsKeys, ShowingAWindowGivesTheFocusToItsFirstControlInTabOrder) {
    auto& dialog = t.app.forms.Get<test::Dialog>();
    dialog.Show();
    EXPECT_EQ(dialog.log, Log({"Resize", "Activate", "Text1_GotFocus"}));
    EXPECT_TRUE(dialog.Text1.HasFocus());

    auto& child = t.app.forms.Get<test::ChildA>();
    child.Text1.SetVisible(false);  // nothing can take the focus: the window itself gets it
    child.Show();
    EXPECT_EQ(child.log.back(), "Form_GotFocus");
    EXPECT_EQ(dialog.log.back(), "Text1_LostFocus");
}

TEST_F(FormsKeys, FocusEventsFollowTheFocusOnce) {
    auto& a = t.app.forms.Get<test::ChildA>();
    auto& dialog = t.app.forms.Get<test::Dialog>();
    a.Show();
    dialog.Show();
    a.log.clear();
    dialog.log.clear();

    a.Text1.SetFocus();
    a.UserFocus(&a.Text1);  // the front end reports the focus it was told to move
    EXPECT_EQ(a.log, Log({"Activate", "Text1_GotFocus"}));
    EXPECT_EQ(dialog.log, Log({"Text1_LostFocus"}));
    EXPECT_TRUE(a.Text1.HasFocus());

    dialog.UserFocus(nullptr);  // the operator clicked the dialog's own area
    EXPECT_EQ(a.log.back(), "Text1_LostFocus");
    EXPECT_EQ(dialog.log.back(), "Form_GotFocus");

    a.SetFocus();  // back to the window's last focused control
    EXPECT_EQ(dialog.log.back(), "Form_LostFocus");
    EXPECT_EQ(a.log.back(), "Text1_GotFocus");

    a.Hide();
    EXPECT_FALSE(a.Text1.HasFocus());
    a.Text1.SetFocus();  // a hidden window takes no focus
    EXPECT_EQ(t.app.forms.FocusControl(), nullptr);
}

}  // namespace
}  // namespace tav
