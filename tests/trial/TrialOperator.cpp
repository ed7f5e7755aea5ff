#include "trial/TrialOperator.h"

#include <algorithm>

#include "platform/MessageButtons.h"

namespace tav::trial {

MsgResult TrialOperator::MsgBox(const std::string& text, MsgButtons buttons, MsgIcon, const std::string&,
                                MsgDefault defaultButton) {
    char answer = TakeAnswer();
    if (answer != 'Y' && answer != 'N' && answer != 'E') answer = 'O';
    const std::vector<MsgResult> offered = ButtonsOf(buttons);
    auto offers = [&](MsgResult r) { return std::find(offered.begin(), offered.end(), r) != offered.end(); };
    MsgResult result = DefaultButtonOf(buttons, defaultButton);
    if (answer == 'Y') result = offers(MsgResult::Yes) ? MsgResult::Yes : offers(MsgResult::Ok) ? MsgResult::Ok : result;
    if (answer == 'N') result = offers(MsgResult::No) ? MsgResult::No : offers(MsgResult::Cancel) ? MsgResult::Cancel : result;
    if (answer == 'E') result = EscapeAnswer(buttons);
    lastEscaped_ = answer == 'E';
    boxes_.push_back({text, step_, answer});
    return result;
}

std::string TrialOperator::OpenFileDialog(const FileDialogRequest&) {
    const char answer = TakeAnswer();
    if (answer == 'X') return dataFolder + "/Gone.rdg";
    if (answer < '0' || answer > '9') return "";
    const std::vector<std::string> files = spectrumFiles ? spectrumFiles() : std::vector<std::string>{};
    if (files.empty()) return dataFolder + "/Gone.rdg";
    return files[static_cast<size_t>(answer - '0') % files.size()];
}

std::string TrialOperator::SaveFileDialog(const FileDialogRequest&) {
    const char answer = TakeAnswer();
    if (answer == 'X') return dataFolder + "/K9.rdg";
    if (answer < '0' || answer > '9') return "";
    return dataFolder + "/K" + std::string(1, answer) + ".rdg";
}

}  // namespace tav::trial
