#pragma once
// An Operator for tests: answers come from queues the test fills, and every request is kept.
// A message box without a scripted answer still counts and is answered as Enter would answer
// it, with its default button, unless SetDefaultAnswer names an answer for such boxes (taken
// when the box offers it). PressDefault() answers the next box as Enter would; AnswerEscape() as
// Escape would, with its cancelling button. A dialog without a scripted answer is cancelled ("").

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/Operator.h"

namespace tav {

struct MessageRecord {
    std::string text;
    MsgButtons buttons = MsgButtons::OkOnly;
    MsgIcon icon = MsgIcon::None;
    std::string title;
    MsgResult answer = MsgResult::Ok;
    MsgDefault defaultButton = MsgDefault::Button1;
    bool escaped = false;
};

class ScriptedOperator : public Operator {
public:
    ScriptedOperator();

    // Answers, taken in order.
    void AnswerMessage(MsgResult answer) { messageAnswers_.push_back({Scripted::Button, answer}); }
    void PressDefault() { messageAnswers_.push_back({Scripted::Default, MsgResult::Ok}); }
    void AnswerEscape() { messageAnswers_.push_back({Scripted::Escape, MsgResult::Ok}); }
    void AnswerOpen(std::string path) { openAnswers_.push_back(std::move(path)); }
    void AnswerSave(std::string path) { saveAnswers_.push_back(std::move(path)); }
    void SetDefaultAnswer(MsgResult answer) { defaultAnswer_ = answer; }
    void SetFonts(std::vector<std::string> fonts) { fonts_ = std::move(fonts); }

    MsgResult MsgBox(const std::string& text, MsgButtons buttons = MsgButtons::OkOnly,
                     MsgIcon icon = MsgIcon::None, const std::string& title = "",
                     MsgDefault defaultButton = MsgDefault::Button1) override;
    bool LastBoxEscaped() const override { return lastEscaped_; }
    std::string OpenFileDialog(const FileDialogRequest& request) override;
    std::string SaveFileDialog(const FileDialogRequest& request) override;
    void Beep() override { ++beeps_; }
    std::vector<std::string> ScreenFonts() override { return fonts_; }
    void ShowHelp(const std::string& helpFile) override { helpRequests_.push_back(helpFile); }

    const std::vector<MessageRecord>& Messages() const { return messages_; }
    std::vector<std::string> MessageTexts() const;
    const std::vector<FileDialogRequest>& OpenRequests() const { return openRequests_; }
    const std::vector<FileDialogRequest>& SaveRequests() const { return saveRequests_; }
    const std::vector<std::string>& HelpRequests() const { return helpRequests_; }
    int Beeps() const { return beeps_; }
    // Scripted answers not used yet (a test may check that all were asked for).
    size_t UnusedAnswers() const { return messageAnswers_.size() + openAnswers_.size() + saveAnswers_.size(); }

private:
    enum class Scripted { Button, Default, Escape };
    struct Answer {
        Scripted how;
        MsgResult button;
    };
    MsgResult UnscriptedAnswer(MsgButtons buttons, MsgDefault defaultButton) const;

    std::deque<Answer> messageAnswers_;
    std::deque<std::string> openAnswers_, saveAnswers_;
    std::optional<MsgResult> defaultAnswer_;
    std::vector<std::string> fonts_;
    std::vector<MessageRecord> messages_;
    std::vector<FileDialogRequest> openRequests_, saveRequests_;
    std::vector<std::string> helpRequests_;
    int beeps_ = 0;
    bool lastEscaped_ = false;
};

}  // namespace tav
