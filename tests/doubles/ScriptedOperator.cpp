#include "doubles/ScriptedOperator.h"

#include <algorithm>

#include "platform/MessageButtons.h"

namespace tav {

namespace {

template <typename T>
T TakeFront(std::deque<T>& queue, T fallback) {
    if (queue.empty()) return fallback;
    T front = std::move(queue.front());
    queue.pop_front();
    return front;
}

}  // namespace

ScriptedOperator::ScriptedOperator()
    : fonts_{"MS Sans Serif", "Arial", "Courier New", "Small Fonts", "Symbol", "Times New Roman"} {}

MsgResult ScriptedOperator::MsgBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                                   const std::string& title, MsgDefault defaultButton) {
    const Answer scripted = TakeFront(messageAnswers_, Answer{Scripted::Button, UnscriptedAnswer(buttons, defaultButton)});
    MsgResult answer = scripted.button;
    if (scripted.how == Scripted::Default) answer = DefaultButtonOf(buttons, defaultButton);
    if (scripted.how == Scripted::Escape) answer = EscapeAnswer(buttons);
    lastEscaped_ = scripted.how == Scripted::Escape;
    messages_.push_back({text, buttons, icon, title, answer, defaultButton, lastEscaped_});
    return answer;
}

std::string ScriptedOperator::OpenFileDialog(const FileDialogRequest& request) {
    openRequests_.push_back(request);
    return TakeFront(openAnswers_, std::string());
}

std::string ScriptedOperator::SaveFileDialog(const FileDialogRequest& request) {
    saveRequests_.push_back(request);
    return TakeFront(saveAnswers_, std::string());
}

std::vector<std::string> ScriptedOperator::MessageTexts() const {
    std::vector<std::string> texts;
    for (const MessageRecord& m : messages_) texts.push_back(m.text);
    return texts;
}

MsgResult ScriptedOperator::UnscriptedAnswer(MsgButtons buttons, MsgDefault defaultButton) const {
    const std::vector<MsgResult> offered = ButtonsOf(buttons);
    if (defaultAnswer_ && std::find(offered.begin(), offered.end(), *defaultAnswer_) != offered.end()) {
        return *defaultAnswer_;
    }
    return DefaultButtonOf(buttons, defaultButton);
}

}  // namespace tav
