#pragma once
// The operator of a trial: each box and file dialog is answered by the next letter of the
// action's answers (Y yes, N no, O Enter, E Escape; in a file dialog a digit picks a spectrum
// file of the data folder, X names one that is not there, E cancels). Past the last letter a box
// takes Enter and a dialog is cancelled. Every box is kept, with the step it came in.

#include <functional>
#include <string>
#include <vector>

#include "platform/Operator.h"

namespace tav::trial {

struct SeenBox {
    std::string text;
    int step = 0;
    char answer = 'O';
};

class TrialOperator : public Operator {
public:
    // The folder the save dialog's files go to, and the spectrum files an open dialog offers.
    std::string dataFolder;
    std::function<std::vector<std::string>()> spectrumFiles;

    void BeginAction(const std::string& answers) {
        answers_ = answers;
        next_ = 0;
    }
    void SetStep(int step) { step_ = step; }
    // The next answer of the action, or 0 when none is left.
    char TakeAnswer() { return next_ < answers_.size() ? answers_[next_++] : 0; }

    MsgResult MsgBox(const std::string& text, MsgButtons buttons = MsgButtons::OkOnly, MsgIcon icon = MsgIcon::None,
                     const std::string& title = "", MsgDefault defaultButton = MsgDefault::Button1) override;
    bool LastBoxEscaped() const override { return lastEscaped_; }
    std::string OpenFileDialog(const FileDialogRequest& request) override;
    std::string SaveFileDialog(const FileDialogRequest& request) override;
    void Beep() override {}
    std::vector<std::string> ScreenFonts() override { return {"DejaVu Sans", "Arial", "Times New Roman"}; }
    void ShowHelp(const std::string&) override {}

    const std::vector<SeenBox>& Boxes() const { return boxes_; }

private:
    std::string answers_;
    size_t next_ = 0;
    int step_ = 0;
    bool lastEscaped_ = false;
    std::vector<SeenBox> boxes_;
};

}  // namespace tav::trial
