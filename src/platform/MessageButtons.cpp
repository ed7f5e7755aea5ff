#include "platform/MessageButtons.h"

namespace tav {

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

MsgResult EscapeAnswer(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::OkOnly: return MsgResult::Ok;
        case MsgButtons::YesNo: return MsgResult::No;
        case MsgButtons::AbortRetryIgnore: return MsgResult::Abort;
        case MsgButtons::OkCancel:
        case MsgButtons::YesNoCancel:
        case MsgButtons::RetryCancel: return MsgResult::Cancel;
    }
    return MsgResult::Cancel;
}

MsgResult DefaultButtonOf(MsgButtons buttons, MsgDefault defaultButton) {
    const std::vector<MsgResult> offered = ButtonsOf(buttons);
    const size_t index = static_cast<size_t>(defaultButton) / 256;
    return index < offered.size() ? offered[index] : offered.front();
}

}  // namespace tav
