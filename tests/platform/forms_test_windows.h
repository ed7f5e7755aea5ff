// Small windows for the form tests: a main window with menus and a tool strip, child windows
// (one that owns the function keys, as the kinetic windows do) and a dialog, each logging
// what reaches it.

#pragma once

#include <string>
#include <vector>

#include "platform/forms/Controls.h"

namespace tav::test {

using Log = std::vector<std::string>;

// What a test window records, and how its handlers answer.
struct KeyRules {
    bool formConsumesPress = false;   // Form_KeyPress sets KeyAscii to 0
    bool formZeroesCode = false;      // Form_KeyDown sets KeyCode to 0
    int16_t controlReplacesWith = 0;  // Text1_KeyPress replaces the character
};

class KeyWindow : public Form {
public:
    KeyWindow(App& app, std::string name) : Form(app, std::move(name)) {
        Text1.KeyDown = [this](int16_t& KeyCode, int16_t Shift) {
            Note("Text1_KeyDown", KeyCode, Shift);
        };
        Text1.KeyPress = [this](int16_t& KeyAscii) {
            Note("Text1_KeyPress", KeyAscii, 0);
            if (rules.controlReplacesWith) KeyAscii = rules.controlReplacesWith;
        };
        Text1.GotFocus = [this] { log.push_back("Text1_GotFocus"); };
        Text1.LostFocus = [this] { log.push_back("Text1_LostFocus"); };
    }

    Log log;
    KeyRules rules;
    TextBox Text1{*this, "Text1"};

protected:
    void Form_KeyDown(int16_t& KeyCode, int16_t Shift) override {
        Note("Form_KeyDown", KeyCode, Shift);
        if (rules.formZeroesCode) KeyCode = 0;
    }
    void Form_KeyPress(int16_t& KeyAscii) override {
        Note("Form_KeyPress", KeyAscii, 0);
        if (rules.formConsumesPress) KeyAscii = 0;
    }
    void Form_Activate() override { log.push_back("Activate"); }
    void Form_Unload(int16_t&) override { log.push_back("Unload"); }
    void Form_Resize() override { log.push_back("Resize"); }
    void Form_GotFocus() override { log.push_back("Form_GotFocus"); }
    void Form_LostFocus() override { log.push_back("Form_LostFocus"); }

    void Note(const char* event, int16_t code, int16_t shiftState) {
        std::string text = std::string(event) + " " + std::to_string(code);
        if (shiftState) text += " shift " + std::to_string(shiftState);
        log.push_back(text);
    }
};

class ChildA : public KeyWindow {
public:
    explicit ChildA(App& app) : KeyWindow(app, "ChildA") { SetMDIChild(true); }
};

class ChildB : public KeyWindow {
public:
    explicit ChildB(App& app) : KeyWindow(app, "ChildB") { SetMDIChild(true); }
};

// Gets F1 to F9 itself, as a kinetic window does.
class KineticChild : public KeyWindow {
public:
    explicit KineticChild(App& app) : KeyWindow(app, "KineticChild") {
        SetMDIChild(true);
        SetOwnsFunctionKeys(true);
    }
};

class Dialog : public KeyWindow {
public:
    explicit Dialog(App& app) : KeyWindow(app, "Dialog") {}
};

class MainWindow : public MdiForm {
public:
    explicit MainWindow(App& app) : MdiForm(app, "MainWindow") {
        SetCaption("Main window");
        Move(0, 0, 12000, 9000);
        Strip.SetAlign(align::Top);
        Strip.SetHeight(615);
        for (MenuItem* item : {&ViewRatioForm, &ActivateRatio, &Exit, &Hidden, &Disabled}) {
            item->Click = [this, item] { log.push_back(item->Name() + "_Click"); };
        }
        Hidden.SetVisible(false);
        Disabled.SetEnabled(false);
    }

    Log log;
    bool refuse = false;

    PictureBox Strip{*this, "Strip"};
    MenuItem ViewMenu{*this, "ViewMenu", "&View"};
    MenuItem ViewRatioForm{ViewMenu, "ViewRatioForm", "&Ratio Window", {key::Fn(3)}};
    MenuItem Activate{*this, "Activate", "&Activate"};
    MenuItem ActivateRatio{Activate, "ActivateRatio", "&Ratio", {key::Fn(3), shift::Shift}};
    MenuItem Hidden{Activate, "Hidden", "&Hidden", {key::Letter('H'), shift::Ctrl}};
    MenuItem Disabled{Activate, "Disabled", "&Disabled", {key::Letter('D'), shift::Ctrl}};
    MenuItem ExitProg{*this, "ExitProg", "E&xit"};
    MenuItem Exit{ExitProg, "Exit", "E&xit", {key::Letter('X'), shift::Ctrl}};

protected:
    void MDIForm_Load() override { log.push_back("MDIForm_Load"); }
    void MDIForm_Unload(int16_t& Cancel) override {
        log.push_back("MDIForm_Unload");
        if (refuse) Cancel = -1;
    }
};

}  // namespace tav::test
