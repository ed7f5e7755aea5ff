#pragma once
// The operator as the windows reach it: every request goes on to the real one, and the message
// boxes that the operator closed with Escape are counted, so that a timed series can tell that a
// box raised by one of its scans was escaped, whichever part of the scan raised it. Before each
// box or file dialog, beforeDialog runs (the program takes what the operator typed meanwhile).

#include <functional>
#include <string>
#include <vector>

#include "platform/Operator.h"

namespace tav {

class WatchedOperator : public Operator {
public:
    explicit WatchedOperator(Operator& real) : real_(real) {}

    MsgResult MsgBox(const std::string& text, MsgButtons buttons = MsgButtons::OkOnly,
                     MsgIcon icon = MsgIcon::None, const std::string& title = "",
                     MsgDefault defaultButton = MsgDefault::Button1) override {
        if (beforeDialog) beforeDialog();
        const MsgResult answer = real_.MsgBox(text, buttons, icon, title, defaultButton);
        if (real_.LastBoxEscaped()) ++escaped_;
        return answer;
    }
    bool LastBoxEscaped() const override { return real_.LastBoxEscaped(); }
    std::string OpenFileDialog(const FileDialogRequest& request) override {
        if (beforeDialog) beforeDialog();
        return real_.OpenFileDialog(request);
    }
    std::string SaveFileDialog(const FileDialogRequest& request) override {
        if (beforeDialog) beforeDialog();
        return real_.SaveFileDialog(request);
    }
    void Beep() override { real_.Beep(); }
    std::vector<std::string> ScreenFonts() override { return real_.ScreenFonts(); }
    void ShowHelp(const std::string& helpFile) override { real_.ShowHelp(helpFile); }

    // Message boxes closed with Escape so far.
    int EscapedBoxes() const { return escaped_; }
    std::function<void()> beforeDialog;

private:
    Operator& real_;
    int escaped_ = 0;
};

}  // namespace tav
