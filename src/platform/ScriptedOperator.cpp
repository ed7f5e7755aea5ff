#include "platform/ScriptedOperator.h"

#include <algorithm>

namespace tav {

namespace {

std::vector<MsgResult> ButtonsOf(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::OkOnly: return {MsgResult::Ok};
        case MsgButtons::OkCancel: return {MsgResult::Ok, MsgResult::Cancel};
        case MsgButtons::AbortRetryIgnore: return {MsgResult::Abort, MsgResult::Retry, MsgResult::Ignore};
        case MsgButtons::YesNoCancel: return {MsgResult::Yes, MsgResult::No, MsgResult::Cancel};
        case MsgButtons::YesNo: return {MsgResult::Yes, MsgResult::No};
        case MsgButtons::RetryCancel: return {MsgResult::Retry, MsgResult::Cancel};
    }
    return {MsgResult::Ok};
}

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
                                   const std::string& title) {
    MsgResult answer = TakeFront(messageAnswers_, DefaultFor(buttons));
    messages_.push_back({text, buttons, icon, title, answer});
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

MsgResult ScriptedOperator::DefaultFor(MsgButtons buttons) const {
    std::vector<MsgResult> offered = ButtonsOf(buttons);
    if (std::find(offered.begin(), offered.end(), defaultAnswer_) != offered.end()) return defaultAnswer_;
    return offered.front();
}

}  // namespace tav
