#include "files/UntoldSpectrumRead.h"

#include "files/FileWindows.h"
#include "platform/MessageButtons.h"
#include "platform/Operator.h"

namespace tav {
namespace {

// The operator as the reader sees it: a message box is kept, not shown, and taken as cancelled.
class KeptMessages : public Operator {
public:
    explicit KeptMessages(Operator& op) : op_(op) {}
    std::string text;

    MsgResult MsgBox(const std::string& message, MsgButtons buttons, MsgIcon, const std::string&,
                     MsgDefault) override {
        if (text.empty()) text = message;
        return EscapeAnswer(buttons);
    }
    bool LastBoxEscaped() const override { return true; }
    std::string OpenFileDialog(const FileDialogRequest& request) override { return op_.OpenFileDialog(request); }
    std::string SaveFileDialog(const FileDialogRequest& request) override { return op_.SaveFileDialog(request); }
    void Beep() override { op_.Beep(); }
    std::vector<std::string> ScreenFonts() override { return op_.ScreenFonts(); }
    void ShowHelp(const std::string& helpFile) override { op_.ShowHelp(helpFile); }

private:
    Operator& op_;
};

}  // namespace

SpectrumReadResult ReadSpectrumFileUntold(FileContext& ctx, int16_t slot, std::string& message) {
    KeptMessages kept(ctx.op);
    FileContext quiet{ctx.state, ctx.fs, kept, ctx.clock, ctx.logs, ctx.windows};
    const SpectrumReadResult result = ReadSpectrumFile(quiet, slot);
    message = result == SpectrumReadResult::Ok ? std::string() : kept.text;
    return result;
}

}  // namespace tav
